#include "foundation/ExcelXML2003.h"

#include <gtest/gtest.h>

namespace aw {
namespace {

TEST(ExcelXML2003, EscapesEveryCharacterOnceAndDropsWhatXmlCannotHold)
{
  struct Case
  {
    std::string szText;
    std::string szWritten;
  };
  for (const Case& c : {
         Case{"& < > \" ' \u00e9 \u0142 \u65e5\u672c \U0001F600",
              "&#38; &#60; &#62; &#34; &#39; &#233; &#322; &#26085;&#26412; &#128512;"},
         Case{"&amp;", "&#38;amp;"},                  // escaped once: a reference in the text is text
         Case{"a\x01" "b\x1F" "c", "abc"},            // control characters
         Case{"a\xEF\xBF\xBF" "b", "ab"},             // U+FFFF
         Case{"a\xFF\xC3" "b", "ab"},                 // bytes that are no UTF-8
         Case{"a\xED\xA0\x80" "b", "ab"},             // an encoded surrogate half
         Case{"tab\there\r\n", "tab&#9;here&#13;&#10;"},
         Case{"a]]>b", "a]]&#62;b"},
         Case{"Plain text, 12.5% (ok) #1 ~!", "Plain text, 12.5% (ok) #1 ~!"},
       }) {
    EXPECT_EQ(CTExcelXML2003::XMLSafeString(c.szText), c.szWritten) << c.szText;
  }
}

TEST(ExcelXML2003, ReplacesCharacterReferencesInTheOrderTheyStand)
{
  struct Case
  {
    std::string szText;
    std::string szDecoded;
  };
  for (const Case& c : {
         Case{"&lt;&amp;&#65;", "<&A"},
         Case{"&amp;lt;", "&lt;"}, // decoded once
         Case{"&quot;&apos;&gt;", "\"'>"},
         Case{"&#233;&#x142;&#128512;", "\u00e9\u0142\U0001F600"},
         Case{"&#abc; &#; &#0; &#55357; & x &#65", "&#abc; &#; &#0; &#55357; & x &#65"}, // kept as they stand
       }) {
    EXPECT_EQ(CTExcelXML2003::ReplaceCharacterRefs(c.szText), c.szDecoded) << c.szText;
  }
  const std::string hard = "& < > \" ' \u00e9 \u0142 \u65e5\u672c \U0001F600\r\n";
  EXPECT_EQ(CTExcelXML2003::ReplaceCharacterRefs(CTExcelXML2003::XMLSafeString(hard)), hard);
}

TEST(ExcelXML2003, CleansSheetNames)
{
  struct Case
  {
    std::string szName;
    std::string szSheet;
  };
  for (const Case& c : {
         Case{"", "Sheet1"},
         Case{"Units [A/B]", "Units _A_B_"},
         Case{"a*b:c?d\\e", "a_b_c_d_e"},
         Case{std::string(31, 'x'), std::string(31, 'x')},
         Case{std::string(32, 'x') + "tail", std::string(31, 'x')},
         Case{std::string(30, 'x') + "\u00e9\u00e9", std::string(30, 'x') + "\u00e9"}, // characters, not bytes
       }) {
    EXPECT_EQ(CTExcelXML2003::SheetName(c.szName), c.szSheet) << c.szName;
  }
  std::string out;
  CTExcelXML2003::StartWorksheet(out, 3, 4, "R&D <1>");
  EXPECT_EQ(out, "<Worksheet ss:Name=\"R&#38;D &#60;1&#62;\">\r\n"
                 "<Table ss:ExpandedColumnCount=\"3\" ss:ExpandedRowCount=\"4\" x:FullColumns=\"1\" x:FullRows=\"1\">\r\n");
  out.clear();
  CTExcelXML2003::EndWorksheet(out);
  CTExcelXML2003::GlobalEnd(out);
  EXPECT_EQ(out, "</Table>\r\n</Worksheet>\r\n</Workbook>\r\n");
}

TEST(ExcelXML2003, FramesTheWorkbookWithTheStandardAndTheGivenStyles)
{
  std::string out;
  CTExcelXML2003::GlobalStart(out, {"<Style ss:ID=\"cs0\"/>"});
  EXPECT_TRUE(out.starts_with("<?xml version=\"1.0\"?>\r\n<?mso-application progid=\"Excel.Sheet\"?>\r\n<Workbook\r\n"));
  EXPECT_TRUE(out.ends_with("<Style ss:ID=\"Percent\" ss:Name=\"Percent\"><NumberFormat ss:Format=\"0%\"/></Style>\r\n"
                            "<Style ss:ID=\"cs0\"/>\r\n</Styles>\r\n"));
  EXPECT_NE(out.find("xmlns:html=\"http://www.w3.org/TR/REC-html40\">\r\n"), std::string::npos);
}

} // namespace
} // namespace aw
