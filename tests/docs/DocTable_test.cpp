#include "docs/DocTable.h"

#include "docs/StubPicture.h"

#include <gtest/gtest.h>

#include <memory>

namespace aw::docs {
namespace {

TEST(DocTableShape, CountsStayAtLeastOneAndTitlesFollowTheCounts)
{
  CTDocTable table(4, 3, 2, 2);
  table.SetNbColumns(0);
  EXPECT_EQ(table.NbColumns(), 1);
  EXPECT_EQ(table.NbTitleColumns(), 1);
  table.SetNbRows(1);
  EXPECT_EQ(table.NbTitleRows(), 1);
  table.SetNbTitleRows(5);
  EXPECT_EQ(table.NbTitleRows(), 1);
}

TEST(DocTableShape, WritingOutsideGrowsOnlyWithAutoExpansion)
{
  CTDocTable growing(2, 2);
  growing.SetText(5, 3, "x");
  EXPECT_EQ(growing.NbColumns(), 6);
  EXPECT_EQ(growing.NbRows(), 4);
  EXPECT_EQ(growing.GetText(5, 3), "x");

  CTDocTable fixed(2, 2, 0, 0, false);
  fixed.SetText(5, 3, "x");
  fixed.SetText(-1, 0, "x");
  EXPECT_EQ(fixed.NbColumns(), 2);
  EXPECT_EQ(fixed.NbRows(), 2);
  // Reads outside the table are neutral and never grow it.
  EXPECT_EQ(fixed.GetText(7, 7), "");
  EXPECT_EQ(fixed.GetColumnSpan(7, 7), 1);
  EXPECT_EQ(fixed.GetFontSize(7, 7), 10);
  EXPECT_EQ(fixed.NbColumns(), 2);
}

TEST(DocTableText, LineEndsOfEveryKindSplitTheText)
{
  CTDocTable table;
  table.SetText(0, 0, "a\r\nb\r");
  ASSERT_EQ(table.Cell(0, 0)->lines.size(), 3u);
  EXPECT_EQ(table.Cell(0, 0)->lines[1].text, "b");
  EXPECT_EQ(table.GetText(0, 0), "a\r\nb\r\n");
  table.SetLines(0, 0, {});
  EXPECT_EQ(table.Cell(0, 0)->lines.size(), 1u);
}

TEST(DocTableSpans, MinusOneSpansToTheLastColumnAndMergesTheRest)
{
  CTDocTable table(4, 1);
  table.SetColumnSpan(1, 0, -1);
  EXPECT_EQ(table.GetColumnSpan(1, 0), 3);
  EXPECT_FALSE(table.GetIsMerged(1, 0));
  EXPECT_TRUE(table.GetIsMerged(2, 0));
  EXPECT_TRUE(table.GetIsMerged(3, 0));
  // Dropping columns clips the span.
  table.SetNbColumns(3);
  EXPECT_EQ(table.GetColumnSpan(1, 0), 2);
  // A span past the end grows an auto-expanding table to hold it.
  table.SetColumnSpan(0, 0, 5);
  EXPECT_EQ(table.NbColumns(), 5);
}

TEST(DocTableSpans, AShrunkSpanFreesTheCellsItNoLongerCovers)
{
  CTDocTable table(4, 1);
  table.SetColumnSpan(0, 0, 4);
  table.SetColumnSpan(0, 0, 2);
  EXPECT_EQ(table.GetColumnSpan(0, 0), 2);
  EXPECT_TRUE(table.GetIsMerged(1, 0));
  EXPECT_FALSE(table.GetIsMerged(2, 0));
  EXPECT_FALSE(table.GetIsMerged(3, 0));
  table.SetColumnSpan(0, 0, 1);
  EXPECT_FALSE(table.GetIsMerged(1, 0));
}

TEST(DocTableAttributes, TitleRowsWinOverTitleColumnsAndCellValuesOverBoth)
{
  CTDocTable table(3, 3, 1, 1);
  table.v_titleRowDefaults.bgColor = 0x111111;
  table.v_titleColumnDefaults.bgColor = 0x222222;
  EXPECT_EQ(table.GetBgColor(0, 0), 0x111111u);
  EXPECT_EQ(table.GetBgColor(0, 1), 0x222222u);
  EXPECT_EQ(table.GetBgColor(1, 1), kWhite);
  table.SetForRow(&CTDocTable::SetBgColor, 1, 0x333333u);
  EXPECT_EQ(table.GetBgColor(0, 1), 0x333333u);
  EXPECT_EQ(table.GetBgColor(2, 1), 0x333333u);
  table.SetForTitleColumns(&CTDocTable::SetHorAlign, HorAlign::Right);
  EXPECT_EQ(table.GetHorAlign(0, 2), HorAlign::Right);
  EXPECT_EQ(table.GetHorAlign(1, 2), HorAlign::Left);
  // Resetting the cells drops every cell value, not the defaults.
  table.ClearCells();
  EXPECT_EQ(table.GetBgColor(0, 1), 0x222222u);
}

struct BorderCase
{
  const char* what;
  int column, row;
  bool left, top, right, bottom;
  DocColor rightColor, bottomColor;
};

TEST(DocTableBorders, FrameTitleAndCellLinesFollowTheRules)
{
  // Three columns, three rows, one title column and two title rows; row 1
  // has text only in column 2, so the line under title row 0 shows there only.
  CTDocTable table(3, 3, 1, 2);
  table.SetText(2, 1, "x");
  const DocColor frame = 0x000000, title = 0x808080, none = kWhite;
  const BorderCase cases[] = {
    {"corner", 0, 0, true, true, true, false, title, none},
    {"above empty title cell", 1, 0, false, true, true, false, title, none},
    {"above a title cell with text", 2, 0, false, true, true, true, frame, title},
    {"last title row", 1, 1, false, false, true, true, title, title},
    {"title column", 0, 2, true, false, true, true, title, frame},
    {"last cell", 2, 2, false, false, true, true, frame, frame},
  };
  for (const BorderCase& c : cases) {
    SCOPED_TRACE(c.what);
    DocColor color = 0;
    EXPECT_EQ(table.HasLeftBorderColor(c.column, c.row, color), c.left);
    EXPECT_EQ(table.HasTopBorderColor(c.column, c.row, color), c.top);
    EXPECT_EQ(table.HasRightBorderColor(c.column, c.row, color), c.right);
    EXPECT_EQ(color, c.rightColor);
    EXPECT_EQ(table.HasBottomBorderColor(c.column, c.row, color), c.bottom);
    EXPECT_EQ(color, c.bottomColor);
  }
  // An explicit switch replaces the answer; a cell outside answers false.
  table.SetDrawBorders(1, 1, true, std::nullopt, false, std::nullopt);
  DocColor color = 0;
  EXPECT_TRUE(table.HasLeftBorderColor(1, 1, color));
  EXPECT_FALSE(table.HasRightBorderColor(1, 1, color));
  EXPECT_FALSE(table.HasTopBorderColor(9, 9, color));
  // A span's right border is that of its last column.
  table.SetColumnSpan(1, 2, 2);
  EXPECT_TRUE(table.HasRightBorderColor(1, 2, color));
  EXPECT_EQ(color, frame);
}

// Every character is 10 px wide and every line 10 px high.
class FixedMeasure : public CTDocTextMeasure
{
public:
  int TextWidth(std::string_view szUtf8, const CTDocFont& font) const override { return int(szUtf8.size()) * (font.styles & kBold ? 12 : 10); }
  int LineHeight(const CTDocFont&) const override { return 10; }
};

TEST(DocTableMeasure, CellsSizeTheirColumnsAndSpansWidenOnlyTheFirst)
{
  CTDocTable table(3, 2);
  table.SetText(0, 0, "abc");        // 30 + margin 12
  table.SetText(1, 0, "a\nbb", kBold); // two lines, 24 wide, 22 high
  table.SetText(0, 1, "0123456789abcdefghij");
  table.SetColumnSpan(0, 1, 2); // 200 + 12 wide over columns 0 and 1
  table.SetText(2, 1, "7");
  table.SetHorAlign(2, 1, HorAlign::Right); // one digit more
  table.CalculatePixelSizes(3, FixedMeasure());
  EXPECT_EQ(table.GetColumnWidth(0), 215 - (24 + 15));
  EXPECT_EQ(table.GetColumnWidth(1), 24 + 15);
  EXPECT_EQ(table.GetColumnWidth(2), 10 + 10 + 15);
  EXPECT_EQ(table.GetRowHeight(0), 22);
  EXPECT_EQ(table.GetRowHeight(1), 12);
  EXPECT_EQ(table.GetCellWidth(0, 1), 215);
  EXPECT_EQ(table.GetCellWidth(1, 1), 0);
  EXPECT_EQ(table.GetTotalPixelWidth(), 215 + 35);
}

TEST(DocTableMeasure, PicturesAddTheirScaledSize)
{
  CTDocTable table(2, 1);
  table.SetGraphic(0, 0, std::make_shared<test::StubPicture>(100, 40), 0.5);
  table.SetText(1, 0, "x");
  table.SetGraphic(1, 0, std::make_shared<test::StubPicture>(20, 30));
  table.CalculatePixelSizes(0, FixedMeasure());
  EXPECT_EQ(table.Cell(0, 0)->pixelHeight, 20 + 4); // no text: at least picture + 4
  EXPECT_EQ(table.Cell(0, 0)->pixelWidth, 50 + 12);
  EXPECT_EQ(table.Cell(1, 0)->pixelHeight, 12 + 30); // text: picture added
}

} // namespace
} // namespace aw::docs
