#include "docs/RTFOutput.h"

#include "docs/DocumentFile.h"
#include "docs/RtfCheck.h"
#include "docs/SampleDocument.h"
#include "docs/StubPicture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace aw::docs {
namespace {

using test::CheckRtf;
using test::StubPicture;

// Every document these tests write goes through the RTF check first.
std::string Checked(CTRTFOutput& writer)
{
  std::string rtf = writer.Finish();
  const test::RtfCheckResult check = CheckRtf(rtf);
  EXPECT_EQ(check.error, "") << rtf;
  return rtf;
}

std::string Normalised(std::string text)
{
  std::string out;
  for (char c : text)
    if (c != '\r') out.push_back(c);
  return out;
}

std::string SampleRtf()
{
  CTRTFOutput writer;
  WriteSampleDocument(writer, std::make_shared<StubPicture>(320, 180));
  return Checked(writer);
}

TEST(RtfSample, MatchesTheGoldenDocument)
{
  const std::filesystem::path golden = std::filesystem::path(AW_TEST_DATA_DIR) / "sample_document.rtf";
  const std::string rtf = SampleRtf();
  if (std::getenv("AW_UPDATE_GOLDEN")) test::WriteFileBytes(golden, rtf);
  EXPECT_EQ(Normalised(rtf), Normalised(test::ReadFileBytes(golden)));
}

TEST(RtfSample, CarriesItsTextsInOrderWithThePageNumberInPlace)
{
  const test::RtfCheckResult check = CheckRtf(SampleRtf());
  const std::string& text = check.text;
  const std::string inOrder[] = {"Airwright", "Sample document", "Korvath ventilation", "Page 1", "Airwright sample document",
                                 "Text and pictures", kSampleSpecialText, "A vector figure follows.", "A table with spans",
                                 "Supply and exhaust", "m³/h", "One cell over three columns", "Second page", "End of the sample document."};
  std::size_t at = 0;
  for (const std::string& piece : inOrder) {
    const std::size_t found = text.find(piece, at);
    ASSERT_NE(found, std::string::npos) << piece << " after " << at << " in\n" << text;
    at = found + piece.size();
  }
  EXPECT_EQ(text.find("$1"), std::string::npos);
  EXPECT_EQ(check.pictures, 1);
}

TEST(RtfWriter, AnEmptyDocumentIsComplete)
{
  CTRTFOutput writer;
  const std::string rtf = Checked(writer);
  EXPECT_EQ(rtf.rfind("\\linex0\\endnhere\\sectdefaultcl\r\n"), rtf.find("\\linex0"));
  EXPECT_EQ(rtf.substr(rtf.size() - 3), "}\r\n");
  EXPECT_EQ(writer.Finish(), "");
}

TEST(RtfWriter, TextIsEscapedByOneWriter)
{
  struct Case
  {
    const char* text;
    const char* written;
  };
  const Case cases[] = {
    {"a{b}\\c", "a\\u123 b\\u125 \\u92 c"},
    {"\xC3\xA9", "\xE9"},            // é as one byte
    {"\xE2\x82\xAC", "\\u8364 "},    // € (a code point of the 0x80 block of the code page)
    {"\xEF\xBC\xA1", "\\u-223 "},    // above 32767: negative
    {"\xF0\x9D\x84\x9E", "\\u-10188 \\u-8930 "}, // outside the basic plane: a surrogate pair
    {"x\r\ny", "x\\par\r\ny"},
    {"\xC2\x85", "\\u133 "},         // C1 controls have no byte of their own in the code page
  };
  for (const Case& c : cases) {
    CTRTFOutput writer;
    writer.TextWrite(c.text);
    EXPECT_NE(Checked(writer).find(std::string("\\cgrid ") + c.written), std::string::npos) << c.text;
  }
}

TEST(RtfWriter, HeaderAndFooterSayUc0BeforeTheirEscapes)
{
  auto def = std::make_shared<CTDecorationDefinition>();
  def->AddTopZone(CTTextZone{{"{x}"}});
  def->AddBottomZone(CTTextZone{{"a"}});
  def->AddBottomZone(CTPageNrZone{"Seite $1 von {n}"});
  CTRTFOutput writer;
  writer.SetDecorations(def);
  const std::string rtf = Checked(writer); // the check rejects \u without \uc0 in force
  EXPECT_NE(rtf.find("{\\cs17 \\uc0 \\u123 x\\u125 }"), std::string::npos);
  // Caption split at the number; left and right zones, the centre empty.
  EXPECT_NE(rtf.find("{\\cs17 Seite }{\\field{\\*\\fldinst {\\cs17 PAGE }}\r\n{\\fldrslt {\\cs17\\lang1024 1}}}{\\cs17  von \\uc0 \\u123 n\\u125 }"), std::string::npos);
  EXPECT_NE(rtf.find("\\pard \\intbl \\qc  \\cell"), std::string::npos);
  EXPECT_NE(rtf.find("\\pard \\intbl \\ql {\\cs17 a} \\cell"), std::string::npos);
  EXPECT_EQ(CheckRtf(rtf).text.find("Seite 1 von {n}") != std::string::npos, true);
}

TEST(RtfWriter, AFourthZoneIsIgnored)
{
  CTDecorationDefinition def;
  for (int i = 0; i < 4; ++i) def.AddTopZone(CTTextZone{{std::to_string(i)}});
  ASSERT_EQ(def.TopZones().size(), 3u);
  EXPECT_EQ(std::get<CTTextZone>(def.TopZones().back()).lines.front(), "2");
}

TEST(RtfWriter, APageBreakAfterATableFollowsAParagraph)
{
  CTRTFOutput writer;
  CTDocTable table(1, 1);
  table.SetText(0, 0, "x");
  writer.PutDocTable(table);
  writer.NewPage();
  EXPECT_NE(Checked(writer).find("\\row \\pard\r\n\\par\r\n\r\n\\page\r\n"), std::string::npos);
}

TEST(RtfWriter, TableRowsAndCellsInTwips)
{
  CTRTFOutput writer;
  CTDocTable table(2, 1);
  // Without text a 16 px picture makes the row 20 px high: 300 twips less 50.
  table.SetGraphic(0, 0, std::make_shared<StubPicture>(40, 16));
  table.SetText(1, 0, "right");
  table.SetHorAlign(1, 0, HorAlign::Right);
  table.SetBgColor(1, 0, 0x123456);
  writer.PutDocTable(table);
  const std::string rtf = Checked(writer);
  EXPECT_NE(rtf.find("\\trrh250 "), std::string::npos);
  EXPECT_NE(rtf.find("\\clshdng1000\\clcbpat0 \\cltxlrtb \\clpadfr3\\clpadr40\\cellx"), std::string::npos);
  EXPECT_NE(rtf.find("\\clbrdrt\\brdrs\\brdrw10\\brdrcf1 "), std::string::npos);
}

TEST(RtfPictures, SizedFromLogicalPixelsAndRenderedAtTwiceTheScreen)
{
  CTRTFOutput writer;
  writer.SetPageGeometry(CTPageGeometry::FromCentimetres(21.0, 29.7, 2.0, 2.0, 2.0, 2.0));
  StubPicture small(200, 100), wide(2000, 100);
  writer.PutGraphic(1.0, small, HorAlign::Center, true);
  EXPECT_DOUBLE_EQ(small.v_requestedScale, 2.0);
  writer.PutGraphic(1.0, wide, HorAlign::Left, false);
  const int usable = writer.PageGeometry().UsableWidth();
  EXPECT_NEAR(wide.v_requestedScale, 2.0 * usable / 30000.0, 1e-9);
  const std::string rtf = Checked(writer);
  EXPECT_NE(rtf.find("\\qc {\\*\\shppict {\\pict \\pngblip\\picscalex100\\picscaley100\\picw2\\pich1\\picwgoal3000\\pichgoal1500\r\n"), std::string::npos);
  EXPECT_NE(rtf.find("}}\r\n\\par \\ql\r\n"), std::string::npos);
  EXPECT_NE(rtf.find("\\picwgoal" + std::to_string(usable) + "\\pichgoal" + std::to_string(std::lround(1500.0 * usable / 30000.0))), std::string::npos);
}

TEST(RtfPictures, PicturesThatCannotBeShownWriteNothing)
{
  CTRTFOutput empty, failing, reference;
  StubPicture zero(0, 0), broken(100, 100, false);
  empty.PutGraphic(1.0, zero, HorAlign::Left, true);
  failing.PutGraphic(1.0, broken, HorAlign::Center, true);
  const std::string expected = Checked(reference);
  EXPECT_EQ(Checked(empty), expected);
  EXPECT_EQ(Checked(failing), expected);
}

TEST(DocumentFile, AFailedSaveNamesTheFileAndKeepsWhatWasThere)
{
  test::TempDir dir;
  const std::filesystem::path existing = dir / "report.rtf";
  test::WriteFileBytes(existing, "old");
  EXPECT_FALSE(SaveDocumentFile(existing, "new").has_value());
  EXPECT_EQ(test::ReadFileBytes(existing), "new");
  // A folder in the way of the file: the save fails and the folder stays.
  std::filesystem::create_directories(dir / "taken" / "inside");
  const auto error = SaveDocumentFile(dir / "taken", "x");
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->nMsgNo, -3);
  EXPECT_EQ(error->szFileName, (dir / "taken").string());
  EXPECT_TRUE(std::filesystem::is_directory(dir / "taken" / "inside"));
}

} // namespace
} // namespace aw::docs
