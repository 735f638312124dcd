#include "docs/DocTableToXML.h"

#include <gtest/gtest.h>

#include <sstream>

namespace aw::docs {
namespace {

std::string Worksheet(const CTDocTable& table, const std::vector<LTColorEntry>* pColorEntries = nullptr)
{
  std::string out;
  CTDocTableToXML::ExportDocTableAsWorksheet(out, table, "S", pColorEntries);
  return out;
}

// The <Cell> lines of a worksheet, in order.
std::vector<std::string> CellLines(const std::string& xml)
{
  std::vector<std::string> cells;
  std::istringstream in(xml);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (line.starts_with("<Cell"))
      cells.push_back(line);
  }
  return cells;
}

std::string OneCell(const std::string& szText, HorAlign align)
{
  CTDocTable table(1, 1);
  table.SetText(0, 0, szText);
  table.SetHorAlign(0, 0, align);
  return CellLines(Worksheet(table)).at(0);
}

TEST(DocTableToXML, RightAlignedNumbersAndPercentagesBecomeNumbers)
{
  struct Case
  {
    std::string szText;
    HorAlign align;
    std::string szCell;
  };
  const std::string string = "<Cell><Data ss:Type=\"String\">";
  const std::string number = "<Cell><Data ss:Type=\"Number\">";
  const std::string percent = "<Cell ss:StyleID=\"Percent\"><Data ss:Type=\"Number\">";
  for (const Case& c : {
         Case{"45%", HorAlign::Right, percent + "0.45</Data></Cell>"}, // never the text "45/100"
         Case{"33.3 %", HorAlign::Right, percent + "0.333</Data></Cell>"},
         Case{"100%", HorAlign::Right, percent + "1</Data></Cell>"},
         Case{"-2.5%", HorAlign::Right, percent + "-0.025</Data></Cell>"},
         Case{"45%", HorAlign::Left, string + "45%</Data></Cell>"},
         Case{"45%", HorAlign::Center, string + "45%</Data></Cell>"},
         Case{"4%5", HorAlign::Right, string + "4%5</Data></Cell>"},
         Case{"%", HorAlign::Right, string + "%</Data></Cell>"},
         Case{"1,5", HorAlign::Right, string + "1,5</Data></Cell>"},
         Case{"1,5%", HorAlign::Right, string + "1,5%</Data></Cell>"},
         Case{" 12.5 ", HorAlign::Right, number + "12.5</Data></Cell>"},
         Case{"+3", HorAlign::Right, number + "3</Data></Cell>"},
         Case{"-1.5E-3", HorAlign::Right, number + "-1.5E-3</Data></Cell>"},
         Case{".5", HorAlign::Right, number + ".5</Data></Cell>"},
         Case{"12", HorAlign::Left, string + "12</Data></Cell>"},
         Case{"1e", HorAlign::Right, string + "1e</Data></Cell>"},
         Case{".", HorAlign::Right, string + ".</Data></Cell>"},
         Case{"", HorAlign::Right, string + "</Data></Cell>"},
         Case{"a < b & \"c\"", HorAlign::Right, string + "a &#60; b &#38; &#34;c&#34;</Data></Cell>"},
         Case{"two\nlines", HorAlign::Left, string + "two&#13;&#10;lines</Data></Cell>"},
       }) {
    EXPECT_EQ(OneCell(c.szText, c.align), c.szCell) << '"' << c.szText << '"';
  }
}

TEST(DocTableToXML, FormulaCellsCarryTheirEscapedFormula)
{
  CTDocTable table(3, 1);
  const auto formula = CTExcelXMLFormula::Create("=IF(A1<2,\"a&b\",B1)");
  for (int c = 0; c < 3; ++c)
    table.SetData(c, 0, formula);
  table.SetText(0, 0, "ignored");
  table.SetHorAlign(0, 0, HorAlign::Right);
  table.SetText(1, 0, "%");
  table.SetHorAlign(1, 0, HorAlign::Right);
  table.SetText(2, 0, "left"); // only right-aligned cells take a formula
  const std::string attribute = " ss:Formula=\"=IF(A1&#60;2,&#34;a&#38;b&#34;,B1)\"";
  EXPECT_EQ(CellLines(Worksheet(table)),
            (std::vector<std::string>{"<Cell" + attribute + "><Data ss:Type=\"String\"></Data></Cell>",
                                      "<Cell" + attribute + " ss:StyleID=\"Percent\"><Data ss:Type=\"String\"></Data></Cell>",
                                      "<Cell><Data ss:Type=\"String\">left</Data></Cell>"}));
}

TEST(DocTableToXML, EachBackgroundColourSharesOneStylePair)
{
  CTDocTable table(3, 2);
  const DocColor grey = 0xC0C0C0u, orange = 0x4080FFu;
  table.SetText(0, 0, "grey");
  table.SetBgColor(0, 0, grey);
  table.SetText(1, 0, "50%");
  table.SetHorAlign(1, 0, HorAlign::Right);
  table.SetBgColor(1, 0, grey);
  table.SetText(2, 0, "75%");
  table.SetHorAlign(2, 0, HorAlign::Right); // white: the plain percent style
  table.SetBgColor(0, 1, orange);
  table.SetBgColor(1, 1, kWindowTextColor); // the window colour gets no style
  std::vector<LTColorEntry> entries;
  std::vector<std::string> styles;
  CTDocTableToXML::GatherColorEntries(table, entries, styles);

  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].RGBString(), "#C0C0C0");
  EXPECT_EQ(entries[1].RGBString(), "#FF8040");
  ASSERT_EQ(styles.size(), 5u);
  EXPECT_TRUE(styles[0].starts_with("<Style ss:ID=\"cs0\"><Borders><Border ss:Position=\"Left\""));
  EXPECT_EQ(styles[3], "<Style ss:ID=\"cs2\" ss:Parent=\"cs0\"><Interior ss:Color=\"#FF8040\" ss:Pattern=\"Solid\"/></Style>");
  EXPECT_EQ(styles[4], "<Style ss:ID=\"csp2\" ss:Parent=\"cs0\"><Interior ss:Color=\"#FF8040\" ss:Pattern=\"Solid\"/>"
                       "<NumberFormat ss:Format=\"0%\"/></Style>");
  EXPECT_EQ(CellLines(Worksheet(table, &entries)),
            (std::vector<std::string>{"<Cell ss:StyleID=\"cs1\"><Data ss:Type=\"String\">grey</Data></Cell>",
                                      "<Cell ss:StyleID=\"csp1\"><Data ss:Type=\"Number\">0.5</Data></Cell>",
                                      "<Cell ss:StyleID=\"Percent\"><Data ss:Type=\"Number\">0.75</Data></Cell>",
                                      "<Cell ss:StyleID=\"cs2\"><Data ss:Type=\"String\"></Data></Cell>",
                                      "<Cell><Data ss:Type=\"String\"></Data></Cell>",
                                      "<Cell><Data ss:Type=\"String\"></Data></Cell>"}));
  // Gathering again adds nothing new.
  CTDocTableToXML::GatherColorEntries(table, entries, styles);
  EXPECT_EQ(entries.size(), 2u);
  EXPECT_EQ(styles.size(), 5u);
  EXPECT_EQ(LTColorEntry{0xFF00000Fu}.RGBString(), "#F0F0F0"); // a system colour, resolved
}

TEST(DocTableToXML, AWorkbookIsOneSheetWithColumnsInPointsAndSpansWrittenEmpty)
{
  CTDocTable table(3, 1);
  table.SetText(0, 0, "wide");
  table.SetColumnSpan(0, 0, 2);
  table.SetColumnWidth(0, 96);
  table.SetColumnWidth(1, 100);
  table.SetColumnWidth(2, 1);
  std::string out;
  CTDocTableToXML::ExportDocTableAsWorkbook(out, table);
  EXPECT_NE(out.find("<Style ss:ID=\"cs0\">"), std::string::npos);
  const std::string expected = "</Styles>\r\n<Worksheet ss:Name=\"Sheet1\">\r\n"
                               "<Table ss:ExpandedColumnCount=\"3\" ss:ExpandedRowCount=\"1\" x:FullColumns=\"1\" x:FullRows=\"1\">\r\n"
                               "<Column ss:Width=\"72\"/>\r\n<Column ss:Width=\"75\"/>\r\n<Column ss:Width=\"1\"/>\r\n"
                               "<Row>\r\n<Cell><Data ss:Type=\"String\">wide</Data></Cell>\r\n"
                               "<Cell><Data ss:Type=\"String\"></Data></Cell>\r\n"
                               "<Cell><Data ss:Type=\"String\"></Data></Cell>\r\n</Row>\r\n"
                               "</Table>\r\n</Worksheet>\r\n</Workbook>\r\n";
  EXPECT_TRUE(out.ends_with(expected)) << out;
}

} // namespace
} // namespace aw::docs
