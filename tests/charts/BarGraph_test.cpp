// Bar graphs: the layout of groups and slots, the shading, value labels and
// the hit test of a click.

#include "charts/VirtGraph.h"
#include "DisplayListCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace aw::charts {
namespace {

struct BarGraph
{
  DisplayList list;
  FixedTextMetrics metrics;
  std::vector<std::vector<double>> series{{1, 4, kMissingValue}, {2, 9, 3}, {3, 3, 3}};
  TVirtBarGraph graph{list, metrics, [this](int r, int c) { return series[r][c]; }};

  // Three series of three values, the middle one hidden, on a scale of 0 … 5.
  BarGraph()
  {
    graph.SetPlots({TLegend("A", "a", true), TLegend("B", "b", false), TLegend("C", "c", true)});
    graph.SetXValues(3, {"Jan", "Feb", "Mar"});
    graph.SetDimensions(400, 300);
    graph.SetYValues(0, 5, 0);
  }
  void Draw()
  {
    list.items.clear();
    graph.DrawOutline(false);
    graph.DrawGraph();
  }
  const DLPrimitive* Column(const std::string& tag, double x) const
  {
    for (const DLPrimitive& p : list.items)
      if (p.tag == tag && p.kind == DLKind::PolyLine && p.points.size() == 2 && p.points[0].x == static_cast<int>(x) &&
          p.points[1].x == p.points[0].x)
        return &p;
    return nullptr;
  }
};

TEST(BarGraphTest, AHiddenSeriesLeavesTwoSlotsPerGroupAndAMissingValueNoBar)
{
  BarGraph g;
  g.Draw();
  const std::vector<TVirtBarGraph::BarBox> bars = g.graph.Bars();
  ASSERT_EQ(bars.size(), 5u) << "A has no value in March";
  const auto& r = g.graph.GraphRect();
  const double group = (r.right - r.left) / 3.0;
  for (const auto& b : bars) {
    EXPECT_NE(b.bar.row, 1) << "the hidden series";
    const int slot = b.bar.row == 0 ? 0 : 1;
    EXPECT_NEAR((b.left + b.right) / 2, r.left + b.bar.column * group + (slot + 0.5) * group / 2, 1e-9);
    EXPECT_LE(b.right - b.left, 45.0);
    EXPECT_EQ(b.bottom, r.bottom);
  }
  EXPECT_NEAR(bars[0].top, g.graph.ValueToDeviceY(1), 1e-9);
  test::ExpectDrawingInside(g.list, {r.left, r.top, r.right, r.bottom}, "bar:");
}

TEST(BarGraphTest, BarsAreDarkAtTheEdgesAndTheirValuesWrittenAbove)
{
  BarGraph g;
  g.graph.DisplayValues(1, 0);
  g.Draw();
  const TVirtBarGraph::BarBox first = g.graph.Bars().front();
  const DLPrimitive* edge = g.Column("bar:A:0", first.left);
  ASSERT_NE(edge, nullptr);
  EXPECT_EQ(edge->pen.colour, kBlack);
  const DLPrimitive* middle = g.Column("bar:A:0", first.left + static_cast<int>((first.right - first.left) / 2));
  ASSERT_NE(middle, nullptr);
  const Colour fill = g.graph.GetPlots()[0].GetColor();
  for (int shift : {0, 8, 16})
    EXPECT_NEAR(static_cast<int>((middle->pen.colour >> shift) & 0xFF), static_cast<int>((fill >> shift) & 0xFF), 8);
  const auto label = std::find_if(g.list.items.begin(), g.list.items.end(),
                                  [](const DLPrimitive& p) { return p.kind == DLKind::Text && p.text == "1.0"; });
  ASSERT_NE(label, g.list.items.end()) << "the value of A in January";
  EXPECT_LT(label->points[0].y, first.top);
}

TEST(BarGraphTest, AClickSelectsTheBarUnderItAndElsewhereClears)
{
  BarGraph g;
  g.Draw();
  const TVirtBarGraph::BarBox target = g.graph.Bars()[3]; // C in February
  const int x = static_cast<int>((target.left + target.right) / 2), y = static_cast<int>(target.bottom) - 2;
  EXPECT_EQ(g.graph.OnBarClick(x, y), (TVirtBarGraph::Bar{2, 1}));
  g.Draw();
  const DLPrimitive* middle = g.Column("bar:C:1", x);
  ASSERT_NE(middle, nullptr);
  EXPECT_EQ(middle->pen.colour, kBlack) << "the selected bar is filled black";

  EXPECT_EQ(g.graph.OnBarClick(x, static_cast<int>(target.top) - 3), TVirtBarGraph::Bar{}) << "above the bar";
  EXPECT_EQ(g.graph.Selected(), TVirtBarGraph::Bar{});
}

TEST(BarGraphTest, NoShownSeriesDrawsOnlyTheFrame)
{
  BarGraph g;
  g.graph.SetPlots({TLegend("A", "a", false), TLegend("B", "b", false), TLegend("C", "c", false)});
  g.Draw();
  EXPECT_TRUE(g.graph.Bars().empty());
  for (const DLPrimitive& p : g.list.items)
    EXPECT_FALSE(p.tag.starts_with("bar:"));
  EXPECT_EQ(g.graph.OnBarClick(200, 200), TVirtBarGraph::Bar{});
}

} // namespace
} // namespace aw::charts
