#include "i18n/XMLGlossaryIO.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace aw::i18n {
namespace {

using Pair = std::pair<std::string, std::string>;

std::vector<Pair> Entries(const CTUnicodeGlossary& glossary)
{
  std::vector<Pair> entries;
  for (const auto& [nBucket, bucket] : glossary.AllLetterEntries())
    for (const auto& entry : bucket)
      entries.emplace_back(entry->v_term, entry->v_translation);
  std::sort(entries.begin(), entries.end());
  return entries;
}

std::string Saved(const CTUnicodeGlossary& glossary, bool bSaveChangedDate = false)
{
  std::string bytes;
  CTExcelXMLGlossaryIO().SaveGlossary(bytes, glossary, bSaveChangedDate);
  return bytes;
}

// A workbook around the rows given, as our writer frames them.
std::string Workbook(const std::string& szRows)
{
  std::string bytes;
  CTExcelXMLGlossaryIO::WriteStart(bytes, 2, 1);
  bytes += szRows;
  CTExcelXMLGlossaryIO::WriteEnd(bytes);
  return bytes;
}

std::string Row(const std::string& a, const std::string& b)
{
  return "<Row><Cell><Data ss:Type=\"String\">" + a + "</Data></Cell><Cell><Data ss:Type=\"String\">" + b +
         "</Data></Cell></Row>\r\n";
}

const std::vector<Pair> kHardTexts = {
  {"& < > \" ' \u00e9 \u0142 \u65e5\u672c \U0001F600 CRLF\r\nnext", "Und & < > \" ' \u00e9 \u0142 \u65e5\u672c \U0001F600\r\n"},
  {"Save", "Speichern"},
  {"Untranslated", ""},
  {"\U0001F600 first", "emoji first"},
};

TEST(XMLGlossaryIO, RoundTripsEveryCharacter)
{
  CTUnicodeGlossary glossary;
  glossary.SetTargetLanguage(1031);
  for (const auto& [term, translation] : kHardTexts)
    glossary.AddTermNoNonsense(term, translation);
  const std::string bytes = Saved(glossary);

  EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 128; }));
  // A character beyond the BMP is one reference to its code point, never two surrogate halves.
  EXPECT_NE(bytes.find("&#128512;"), std::string::npos);
  EXPECT_EQ(bytes.find("&#55357;"), std::string::npos);
  EXPECT_NE(bytes.find("CRLF&#13;&#10;next"), std::string::npos);

  CTUnicodeGlossary read;
  std::string szError;
  ASSERT_TRUE(CTExcelXMLGlossaryIO().LoadGlossary(bytes, read, szError)) << szError;
  EXPECT_EQ(read.TargetLanguage(), 1031u);
  EXPECT_EQ(read.LanguageNameOrChangedDate(), "German");
  EXPECT_EQ(Entries(read), Entries(glossary));
}

TEST(XMLGlossaryIO, WritesTheFileLineByLine)
{
  CTUnicodeGlossary glossary;
  glossary.SetTargetLanguage(1036);
  glossary.AddTermNoNonsense("Save", "Enregistrer");
  glossary.AddTermNoNonsense("Open", "Ouvrir");
  const std::string bytes = Saved(glossary);
  const std::string header = "<Worksheet ss:Name=\"Sheet1\">\r\n"
                             "<Table ss:ExpandedColumnCount=\"2\" ss:ExpandedRowCount=\"3\" x:FullColumns=\"1\" "
                             "x:FullRows=\"1\">\r\n"
                             "<Row>\r\n<Cell><Data ss:Type=\"String\">1036</Data></Cell>\r\n"
                             "<Cell><Data ss:Type=\"String\">French</Data></Cell>\r\n</Row>\r\n"
                             "<Row>\r\n<Cell><Data ss:Type=\"String\">Open</Data></Cell>\r\n";
  EXPECT_NE(bytes.find(header), std::string::npos) << bytes;
  EXPECT_TRUE(bytes.ends_with("</Row>\r\n</Table>\r\n</Worksheet>\r\n</Workbook>\r\n"));
  EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1); // every line ends with CR LF
  EXPECT_EQ(bytes.substr(0, 23), "<?xml version=\"1.0\"?>\r\n");

  // With the change-date option the header keeps the glossary's own text.
  glossary.SetChangedDate(20261210);
  EXPECT_NE(Saved(glossary, true).find(">20261210</Data>"), std::string::npos);
  EXPECT_NE(Saved(glossary, false).find(">French</Data>"), std::string::npos);
}

TEST(XMLGlossaryIO, DecodesReferences)
{
  struct Case
  {
    std::string szCell;
    std::string szText;
  };
  for (const Case& c : {
         Case{"a &lt;b&gt; &amp; c", "a <b> & c"},
         Case{"&#233;", "\u00e9"},
         Case{"&#x41;&#x42;", "AB"},
         Case{"&#128512;", "\U0001F600"},
         Case{"&#x1F600;", "\U0001F600"},
         Case{"&amp;#60;", "&#60;"},
         Case{"&quot;&apos;", "\"'"},
       }) {
    CTUnicodeGlossary read;
    std::string szError;
    ASSERT_TRUE(CTExcelXMLGlossaryIO().LoadGlossary(Workbook(Row("1031", "German") + Row("term", c.szCell)), read,
                                                    szError))
      << szError;
    EXPECT_EQ(read.FindTranslationFor("term"), c.szText) << c.szCell;
  }
}

TEST(XMLGlossaryIO, ReadsAGlossarySavedByASpreadsheetProgram)
{
  const std::string bytes = test::ReadFileBytes(std::filesystem::path(AW_TEST_DATA_DIR) / "glossary_spreadsheet_saved.xml");
  ASSERT_FALSE(bytes.empty());
  CTUnicodeGlossary read;
  std::string szError;
  ASSERT_TRUE(CTExcelXMLGlossaryIO().LoadGlossary(bytes, read, szError)) << szError;
  EXPECT_EQ(read.TargetLanguage(), 1031u);
  const std::vector<Pair> expected = {
    {"Caf\u00e9 \u00e9 \u0142", "Kaffee \u00e9 \u0142"},
    {"Line one\r\nLine two", "Zeile eins\r\nZeile zwei"},
    {"Results", "Ergebnisse"}, // a rich-text cell
    {"Save & close", "Sichern & schlie\u00dfen"},
    {"Say \"hi\" it's", "Sag \"hallo\" es ist"},
    {"Selection", "Auswahl"},
    {"Smile \U0001F600", "L\u00e4cheln \U0001F600"},
    {"a < b > c", "a < b > c"},
    {"\u65e5\u672c", "Japan \u65e5\u672c"},
  };
  // The third column, the row without a term and the second worksheet add nothing.
  EXPECT_EQ(Entries(read), expected);
}

TEST(XMLGlossaryIO, ReadsEdgeCasesOfTheLayout)
{
  struct Case
  {
    const char* szWhat;
    std::string szRows;
    std::vector<Pair> entries;
  };
  const std::string lf = Row("1031", "German") + "<Row>\n<Cell><Data ss:Type=\"String\">Open</Data></Cell>\n"
                                                 "<Cell><Data ss:Type=\"String\">\u00d6ffnen</Data></Cell>\n</Row>\n";
  for (const Case& c : {
         Case{"only the header", Row("1031", "German"), {}},
         Case{"LF line ends", lf, {{"Open", "\u00d6ffnen"}}},
         Case{"two translations", Row("1031", "") + Row("Save", "Sichern") + Row("Save", "Speichern"),
              {{"Save", "Sichern"}, {"Save", "Speichern"}}},
         Case{"the same pair twice", Row("1031", "") + Row("Save", "Sichern") + Row("Save", "Sichern"),
              {{"Save", "Sichern"}}},
         Case{"an empty term", Row("1031", "") + Row("", "Waise"), {}},
         Case{"a blank line between rows", Row("1031", "") + "\r\n\r\n" + Row("Save", "Sichern"),
              {{"Save", "Sichern"}}},
       }) {
    CTUnicodeGlossary read;
    std::string szError;
    EXPECT_TRUE(CTExcelXMLGlossaryIO().LoadGlossary(Workbook(c.szRows), read, szError)) << c.szWhat << ": " << szError;
    EXPECT_EQ(Entries(read), c.entries) << c.szWhat;
  }
}

TEST(XMLGlossaryIO, RefusesWhatItCannotReadAndKeepsTheGlossaryAsItWas)
{
  const std::string good = Saved([] {
    CTUnicodeGlossary g;
    g.SetTargetLanguage(1031);
    g.AddTermNoNonsense("Save", "Speichern");
    return g;
  }());
  struct Case
  {
    const char* szWhat;
    std::string szBytes;
    const char* szMessage;
  };
  for (const Case& c : {
         Case{"cut short", good.substr(0, good.size() - 30), ", column "},
         Case{"not XML", "Term;Translation\r\nSave;Speichern\r\n", "No document element"},
         Case{"no language id", Workbook(Row("German", "1031") + Row("Save", "Speichern")), "language id"},
         Case{"no rows", Workbook(""), "no header row"},
         Case{"another kind of document", "<html><body/></html>", "not a spreadsheet workbook"},
         Case{"an empty file", "", "line 1"},
       }) {
    CTUnicodeGlossary glossary;
    glossary.SetTargetLanguage(1036);
    glossary.AddTermNoNonsense("Open", "Ouvrir");
    std::string szError;
    EXPECT_FALSE(CTExcelXMLGlossaryIO().LoadGlossary(c.szBytes, glossary, szError)) << c.szWhat;
    EXPECT_NE(szError.find(c.szMessage), std::string::npos) << c.szWhat << ": " << szError;
    EXPECT_EQ(glossary.TargetLanguage(), 1036u) << c.szWhat;
    EXPECT_EQ(Entries(glossary), (std::vector<Pair>{{"Open", "Ouvrir"}})) << c.szWhat;
  }
}

TEST(XMLGlossaryIO, NeverExpandsEntitiesOrFetchesAnything)
{
  test::TempDir dir;
  test::WriteFileBytes(dir / "secret.txt", "secret");
  std::string bytes = Workbook(Row("1031", "") + Row("internal", "&boom;") + Row("external", "&outside;"));
  const std::string doctype = "<!DOCTYPE Workbook [<!ENTITY boom \"BOOM\"><!ENTITY outside SYSTEM \"file://" +
                              (dir / "secret.txt").string() + "\">]>\r\n";
  bytes.insert(bytes.find("<Workbook"), doctype);
  CTUnicodeGlossary read;
  std::string szError;
  ASSERT_TRUE(CTExcelXMLGlossaryIO().LoadGlossary(bytes, read, szError)) << szError;
  EXPECT_EQ(read.FindTranslationFor("internal"), "&boom;");
  EXPECT_EQ(read.FindTranslationFor("external"), "&outside;");
}

TEST(XMLGlossaryIO, SavesAndLoadsFilesNamingThemOnFailure)
{
  test::TempDir dir;
  CTUnicodeGlossary glossary;
  glossary.SetTargetLanguage(1036);
  glossary.AddTermNoNonsense("Save", "Enregistrer");
  std::string szError;
  ASSERT_TRUE(CTExcelXMLGlossaryIO().SaveGlossaryToFile(dir / "fr.xml", glossary, false, szError)) << szError;
  EXPECT_EQ(glossary.FileName(), (dir / "fr.xml").string());

  CTUnicodeGlossary read;
  ASSERT_TRUE(CTExcelXMLGlossaryIO().LoadGlossaryFromFile(dir / "fr.xml", read, szError)) << szError;
  EXPECT_EQ(read.FindTranslationFor("Save"), "Enregistrer");

  EXPECT_FALSE(CTExcelXMLGlossaryIO().LoadGlossaryFromFile(dir / "missing.xml", read, szError));
  EXPECT_NE(szError.find("missing.xml"), std::string::npos) << szError;
  test::WriteFileBytes(dir / "broken.xml", "<Workbook");
  EXPECT_FALSE(CTExcelXMLGlossaryIO().LoadGlossaryFromFile(dir / "broken.xml", read, szError));
  EXPECT_NE(szError.find("broken.xml: line 1"), std::string::npos) << szError;
}

} // namespace
} // namespace aw::i18n
