// The graph library on its own: axis division, the automatic Y scale, the
// fan pressure top, missing values and degenerate boxes.

#include "charts/GraphPages.h"
#include "charts/VirtGraph.h"
#include "DisplayListCheck.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace aw::charts {
namespace {

TEST(AxisStepsTest, DivisionTable)
{
  struct Case
  {
    int low, high, count, step;
  } const cases[] = {{28, 300, 6, 50}, {0, 30, 5, 10}, {100, 2100, 11, 200}, {0, 3000, 16, 200}, {50, 50, 5, 10}};
  for (const Case& c : cases) {
    int count = 0, step = 0;
    GetAxisSteps(c.low, c.high, count, step);
    EXPECT_EQ(count, c.count) << c.low << " … " << c.high;
    EXPECT_EQ(step, c.step) << c.low << " … " << c.high;
    EXPECT_GE(c.low + count * step, c.high);
  }
}

struct Graph
{
  DisplayList list;
  FixedTextMetrics metrics;
  std::vector<std::vector<double>> series;
  TVirtLineGraph graph{list, metrics, [this](int r, int c) { return series[r][c]; }};
};

TEST(AutomaticYScaleTest, ScaleTable)
{
  struct Case
  {
    double exactMin, exactMax, min, max;
    int ticks;
  } const cases[] = {{12.3, 87.9, 10, 90, 8}, {-3.2, 4.1, -4, 5, 9}, {0, 100, 0, 100, 5},
                     {30, 100, 20, 100, 8},   {0, 250, 0, 250, 5},  {-90, -20, -90, -10, 8}};
  for (const Case& c : cases) {
    Graph g;
    g.graph.SetYValues(c.exactMin, c.exactMax, 1);
    EXPECT_NEAR(g.graph.MinY(), c.min, 1e-9) << c.exactMin << " … " << c.exactMax;
    EXPECT_NEAR(g.graph.MaxY(), c.max, 1e-9) << c.exactMin << " … " << c.exactMax;
    EXPECT_EQ(g.graph.TicksY(), c.ticks) << c.exactMin << " … " << c.exactMax;
  }
}

TEST(FanPressureTopTest, CoversTheLimitInEveryUnit)
{
  constexpr double kPaPerInH2O = 249.0889, kPaPerMbar = 100;
  struct Case
  {
    const char* unit;
    double limit, top; // in the unit
  } const cases[] = {{"Pa", 173, 200},       {"Pa", 47, 50},         {"Pa", 8, 10},         {"Pa", 1, 1},
                     {"Pa", 350, 400},       {"Pa", 120, 150},       {"inH2O", 120 / kPaPerInH2O, 0.5},
                     {"inH2O", 350 / kPaPerInH2O, 1.5}, {"inH2O", 1000 / kPaPerInH2O, 6}, {"mbar", 250 / kPaPerMbar, 2.5},
                     {"mbar", 120 / kPaPerMbar, 1.5},   {"mbar", 800 / kPaPerMbar, 10}};
  for (const Case& c : cases)
    EXPECT_NEAR(FanPressureTop(c.limit), c.top, 1e-12) << c.limit << " " << c.unit;
  for (double limit = 0.01; limit < 2000; limit *= 1.17) {
    const double top = FanPressureTop(limit);
    EXPECT_GE(top, limit);
    EXPECT_LT(top, 2.01 * limit + 50) << limit;
  }
}

std::vector<const DLPrimitive*> Tagged(const DisplayList& list, const std::string& tag)
{
  std::vector<const DLPrimitive*> out;
  for (const DLPrimitive& p : list.items)
    if (p.tag == tag)
      out.push_back(&p);
  return out;
}

TEST(LineGraphTest, MissingAndNonFiniteValuesBreakTheLine)
{
  constexpr double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  for (double gap : {kMissingValue, nan, inf}) {
    Graph g;
    g.series = {{1, gap, 3, 4}, {kMissingValue, nan, kMissingValue, inf}};
    g.graph.SetPlots({TLegend("A", "a", true), TLegend("B", "b", true)});
    g.graph.SetXValues(4, {"0", "1", "2", "3"});
    g.graph.SetDimensions(400, 300);
    g.graph.SetYValues(0, 5, 0);
    g.graph.DrawOutline(false);
    g.graph.DrawGraph();
    const auto pieces = Tagged(g.list, "curve:A");
    ASSERT_EQ(pieces.size(), 2u) << "a dash at 1, a line from 3 to 4";
    EXPECT_EQ(pieces[0]->points.size(), 2u);
    EXPECT_EQ(pieces[0]->points[0].y, pieces[0]->points[1].y);
    EXPECT_EQ(pieces[1]->points.size(), 2u);
    EXPECT_EQ(pieces[1]->points[1].x, g.graph.GraphRect().right);
    EXPECT_TRUE(Tagged(g.list, "curve:B").empty()) << "a series without values draws nothing";
  }
}

TEST(LineGraphTest, ManyValuesSpreadOverTheWholePlot)
{
  Graph g;
  g.series = {std::vector<double>(1000, 2.0)};
  g.graph.SetPlots({TLegend("A", "a", true)});
  g.graph.SetXValues(1000, {"0", "1"});
  g.graph.SetDimensions(760, 300);
  g.graph.SetYValues(0, 5, 0);
  g.graph.DrawOutline(false);
  g.graph.DrawGraph();
  const auto pieces = Tagged(g.list, "curve:A");
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_EQ(pieces[0]->points.front().x, g.graph.GraphRect().left);
  EXPECT_EQ(pieces[0]->points.back().x, g.graph.GraphRect().right);
}

TEST(LineGraphTest, AnEmptyScaleOrATinyBoxDrawsNoCurveAndNoBadNumber)
{
  for (auto [w, h] : {std::pair{400, 300}, std::pair{20, 15}}) {
    for (bool bEmptyScale : {true, false}) {
      Graph g;
      g.series = {{1, 2, 3}};
      g.graph.SetBorder(12);
      g.graph.SetPlots({TLegend("A", "a", true)});
      g.graph.SetXValues(3, {"0", "1", "2"});
      g.graph.SetGraphTitle("T");
      g.graph.SetDimensions(w, h);
      g.graph.SetYValues(bEmptyScale ? 2 : 0, 2, 0);
      g.graph.AddExtraPoint(50, 2, "p", true, "point:p");
      g.graph.DrawOutline(true);
      g.graph.DrawGraph();
      if (bEmptyScale || w < 100) {
        EXPECT_TRUE(Tagged(g.list, "curve:A").empty());
        EXPECT_TRUE(Tagged(g.list, "point:p").empty());
      }
      for (const DLPrimitive& p : g.list.items)
        EXPECT_EQ(p.text.find("nan"), std::string::npos);
    }
  }
}

// One series of two values on a Y scale of 0 … 5.
void OneSeries(Graph& g, int nWidth, int nHeight)
{
  g.series = {{1, 2}};
  g.graph.SetPlots({TLegend("A", "a", true)});
  g.graph.SetXValues(2, {"0", "1"});
  g.graph.SetDimensions(nWidth, nHeight);
  g.graph.SetYValues(0, 5, 0);
}

TEST(LineGraphTest, ExtraPointsOutsideThePlotAreLeftOut)
{
  Graph g;
  OneSeries(g, 400, 300);
  g.graph.AddExtraPoint(50, 2, "in", true, "point:in");
  g.graph.AddExtraPoint(150, 2, "right", true, "point:right");
  g.graph.AddExtraPoint(50, 9, "above", true, "point:above");
  g.graph.DrawOutline(false);
  g.graph.DrawGraph();
  EXPECT_TRUE(g.list.Find("point:in"));
  EXPECT_FALSE(g.list.Find("point:right"));
  EXPECT_FALSE(g.list.Find("point:above"));
  const auto& r = g.graph.GraphRect();
  test::ExpectDrawingInside(g.list, {r.left, r.top, r.right, r.bottom}, "point:");
}

// The fan graph's four points: supply and its ducting at one airflow, exhaust
// and its ducting at another, both ducting points at the same pressure.
TEST(LineGraphTest, PointLabelsDoNotOverlap)
{
  Graph g;
  OneSeries(g, 640, 480);
  g.graph.AddExtraPoint(70, 3.8, "Supply: [529.7 CFM, 0.76 inH2O]", true, "point:a");
  g.graph.AddExtraPoint(70, 3, "Supply ducting: [0.60 inH2O + 0.16 inH2O]", true, "point:b");
  g.graph.AddExtraPoint(40, 4, "Exhaust: [423.8 CFM, 0.80 inH2O]", true, "point:c");
  g.graph.AddExtraPoint(40, 3, "Exhaust ducting: [0.60 inH2O + 0.20 inH2O]", true, "point:d");
  g.graph.DrawOutline(false);
  g.graph.DrawGraph();
  std::vector<TVirtGraph::Rect> labels;
  for (const DLPrimitive& p : g.list.items)
    if (p.kind == DLKind::Text && p.text.find(": [") != std::string::npos)
      labels.push_back({p.points[0].x, p.points[0].y, p.points[0].x + g.metrics.TextWidth(p.font, p.text),
                        p.points[0].y + g.metrics.TextHeight(p.font, p.text)});
  ASSERT_EQ(labels.size(), 4u);
  for (std::size_t i = 0; i < labels.size(); ++i)
    for (std::size_t j = i + 1; j < labels.size(); ++j) {
      const auto &a = labels[i], &b = labels[j];
      EXPECT_FALSE(a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom)
        << "labels " << i << " and " << j;
    }
}

TEST(LegendTest, PaletteOrderAndBadStoredColours)
{
  TLegend::ResetColor();
  std::vector<TLegend> legends;
  for (int i = 0; i < 33; ++i)
    legends.emplace_back("k", "l", true);
  for (int i : {0, 1, 2, 3})
    EXPECT_EQ(legends[i].GetColor(), TLegend::kPalette[i]);
  EXPECT_EQ(legends[32].GetColor(), TLegend::kPalette[0]);
  TLegend::ResetColor();
  TLegend l("k", "l", true);
  EXPECT_EQ(l.GetColor(), TLegend::kPalette[0]);
  for (long long bad : {-1LL, 0x1000000LL})
    l.SetColor(bad);
  EXPECT_EQ(l.GetColor(), TLegend::kPalette[0]);
  l.SetColor(0x123456);
  EXPECT_EQ(l.GetColor(), 0x123456u);
}

} // namespace
} // namespace aw::charts
