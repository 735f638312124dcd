// The fan, efficiency and correction graphs of the selected unit on the
// engine catalogue: operating points on their curves, the fan point at the
// selection's fan pressure, SI and imperial units, and graphs without data.

#include "charts/GraphPages.h"
#include "DisplayListCheck.h"
#include "EngineCatalogueTest.h"

#include "air/SI_Units.h"
#include "engine/SelectionModel.h"
#include "platform/SettingsRoots.h"
#include "platform/SettingsStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace aw::charts {
namespace {

constexpr TGraphKind kKinds[] = {TGraphKind::Fan, TGraphKind::Efficiency, TGraphKind::Correction};

class GraphPageTest : public test::EngineCatalogueTest
{
protected:
  struct Drawn
  {
    DisplayList list;
    CTGraphDrawing graph;
  };
  static Drawn Draw(const CTSelectionModel& model, TGraphKind kind)
  {
    Drawn d;
    d.graph = CTGraphPage(model).Draw(kind, d.list, FixedTextMetrics(), 800, 600);
    const auto& r = d.graph.plot;
    test::ExpectDrawingInside(d.list, {r.left, r.top, r.right, r.bottom}, "curve:");
    return d;
  }
};

// The curve's device y at device x, between its two neighbouring values.
double CurveYAt(const CTGraphCurve& c, double x)
{
  for (std::size_t i = 1; i < c.device.size(); ++i)
    if (c.device[i - 1].x <= x && x <= c.device[i].x) {
      const CTWorldPoint &a = c.device[i - 1], &b = c.device[i];
      return b.x == a.x ? a.y : a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x);
    }
  return NAN;
}

std::string CurveOf(const std::string& pointTag)
{
  if (pointTag.starts_with("point:Corr"))
    return "curve:1";
  if (pointTag.ends_with("Ducting"))
    return ""; // the design pressure, off the curve
  return "curve:" + pointTag.substr(6);
}

void ExpectPointsOnCurves(const CTGraphDrawing& g)
{
  for (const CTGraphPoint& p : g.points) {
    const std::string tag = CurveOf(p.tag);
    if (tag.empty())
      continue;
    const CTGraphCurve* curve = nullptr;
    for (const CTGraphCurve& c : g.curves)
      if (c.tag == tag)
        curve = &c;
    ASSERT_TRUE(curve) << p.tag;
    EXPECT_NEAR(CurveYAt(*curve, p.device.x), p.device.y, 1.0) << p.tag << " " << p.label;
  }
}

int UnitIndex(U_RepUnit unit, const std::string& caption)
{
  for (int i = 0; i < TU_Form::DimensionCount(unit); ++i)
    if (TU_Form::GetSpecificString(unit, i) == caption)
      return i;
  return 0;
}

TEST_F(GraphPageTest, OperatingPointsLieOnTheirCurvesInSiAndImperialUnits)
{
  TU_Form::AddImperialUnits();
  CTSelectionModel model(&session->Factory());
  for (bool bImperial : {false, true}) {
    TU_Form::SetNewIndex(U_Airflow, bImperial ? UnitIndex(U_Airflow, "CFM") : 0, false);
    TU_Form::SetNewIndex(U_Pressure, bImperial ? UnitIndex(U_Pressure, "inH2O") : 0, false);
    for (int family : {0, 1, 2}) {
      model.SetFamily(family);
      ASSERT_TRUE(model.CurrentBrisa()) << family;
      for (TGraphKind kind : kKinds) {
        SCOPED_TRACE(std::to_string(family) + " kind " + std::to_string(static_cast<int>(kind)) +
                     (bImperial ? " imperial" : " SI"));
        const Drawn d = Draw(model, kind);
        // Family 2 has no exchanger: no efficiency curves, so neither efficiency nor correction points.
        const bool bExchanger = family != 2;
        EXPECT_EQ(d.graph.curves.empty(), !bExchanger && kind == TGraphKind::Efficiency);
        EXPECT_EQ(d.graph.points.empty(), !bExchanger && kind != TGraphKind::Fan);
        ExpectPointsOnCurves(d.graph);
      }
      // The fan point is the selection's fan pressure at the supply airflow, in the unit shown.
      const Drawn fan = Draw(model, TGraphKind::Fan);
      ASSERT_FALSE(fan.graph.points.empty());
      EXPECT_EQ(fan.graph.points[0].tag, "point:Supply");
      const double pa = model.SupplyEsp().FanPressure;
      EXPECT_NEAR(fan.graph.points[0].world.y,
                  TU_Form::ConvertValue(pa, U_Pressure, 0, TU_Form::GetNewIndex(U_Pressure), true), 1e-9);
      EXPECT_GE(fan.graph.y.max, fan.graph.points[0].world.y);
      EXPECT_EQ(fan.graph.y.unit, bImperial ? "inH2O" : "Pa");
    }
  }
  TU_Form::CleanupUnits();
  TU_Form::InitializeUnits();
}

TEST_F(GraphPageTest, FanPointsAndLabelsFollowTheAirflows)
{
  CTSelectionModel model(&session->Factory());
  model.SetFamily(0);
  ASSERT_EQ(model.SupplyAir(), model.ExhaustAir());
  struct Case
  {
    double exhaust; // l/s; 0: as supplied
    std::vector<std::string> tags, prefixes;
  } const cases[] = {
    {0, {"point:Supply", "point:SupplyDucting"}, {" [", " Ducting: ["}},
    {80, {"point:Supply", "point:SupplyDucting", "point:Exhaust", "point:ExhaustDucting"},
     {" Supply: [", " Supply ducting: [", " Exhaust: [", " Exhaust ducting: ["}}};
  for (const Case& c : cases) {
    if (c.exhaust > 0)
      model.SetTotalExhaust(c.exhaust);
    ASSERT_TRUE(model.CurrentBrisa());
    const Drawn d = Draw(model, TGraphKind::Fan);
    ASSERT_EQ(d.graph.points.size(), c.tags.size()) << c.exhaust;
    for (std::size_t i = 0; i < c.tags.size(); ++i) {
      EXPECT_EQ(d.graph.points[i].tag, c.tags[i]);
      EXPECT_TRUE(d.graph.points[i].label.starts_with(c.prefixes[i])) << d.graph.points[i].label;
    }
    ExpectPointsOnCurves(d.graph);
  }
}

TEST_F(GraphPageTest, CorrectionPointsLieOnTheCurveAtSeveralRatios)
{
  CTSelectionModel model(&session->Factory());
  model.SetFamily(0);
  for (double exhaust : {60.0, 80.0, 100.0, 120.0}) {
    model.SetTotalExhaust(exhaust);
    if (!model.CurrentBrisa())
      continue;
    SCOPED_TRACE(exhaust);
    const Drawn d = Draw(model, TGraphKind::Correction);
    EXPECT_EQ(d.graph.points.size(), 3u);
    ExpectPointsOnCurves(d.graph);
  }
}

TEST_F(GraphPageTest, WithoutAUnitOnlyTheFrameIsDrawn)
{
  CTSelectionModel model(&session->Factory());
  model.SetFamily(0);
  model.SelectedDevicesClick(-1);
  ASSERT_FALSE(model.CurrentBrisa());
  for (TGraphKind kind : kKinds) {
    const Drawn d = Draw(model, kind);
    EXPECT_TRUE(d.graph.curves.empty());
    EXPECT_TRUE(d.graph.points.empty());
    EXPECT_FALSE(d.list.items.empty()) << "the frame";
  }
}

TEST_F(GraphPageTest, TheEfficiencyLegendComesFromTheSettings)
{
  test::TempDir dir;
  platform::SettingsStore store(dir.Path() / "settings.ini");
  TLegend::ResetColor();
  std::vector<TLegend> saved = {TLegend("EffC", "c", false), TLegend("EffH", "h", true)};
  saved[1].SetColor(0x123456);
  TLegend::SaveLegendToIniFile(saved, platform::kPreferencesKey, store);
  store.WriteInteger(std::string(platform::kPreferencesKey) + "\\EffT", "Color", -5); // out of range: ignored

  CTSelectionModel model(&session->Factory());
  model.SetFamily(0);
  DisplayList list;
  const CTGraphDrawing g = CTGraphPage(model, {}, &store).Draw(TGraphKind::Efficiency, list, FixedTextMetrics(), 800, 600);
  std::vector<std::string> tags;
  for (const CTGraphCurve& c : g.curves)
    tags.push_back(c.tag);
  EXPECT_EQ(tags, (std::vector<std::string>{"curve:EffH", "curve:EffT"}));
  EXPECT_EQ(list.Find("curve:EffH")->pen.colour, 0x123456u);
  EXPECT_EQ(list.Find("curve:EffT")->pen.colour, TLegend::kPalette[2]);
}

TEST_F(GraphPageTest, EachGraphKeepsItsLabelsWhateverTheBuildOrder)
{
  CTSelectionModel model(&session->Factory());
  model.SetFamily(0);
  std::vector<std::vector<std::string>> first;
  for (TGraphKind kind : kKinds) {
    std::vector<std::string> texts;
    for (const DLPrimitive& p : Draw(model, kind).list.items)
      texts.push_back(p.text);
    first.push_back(texts);
  }
  for (int k : {2, 0, 1, 2, 1}) {
    std::vector<std::string> texts;
    for (const DLPrimitive& p : Draw(model, kKinds[k]).list.items)
      texts.push_back(p.text);
    EXPECT_EQ(texts, first[k]) << k;
  }
}

// A click on a legend swatch asks for the curve's colour, one on a check box
// or a caption shows or hides the curve; each is kept for the next drawing.
// A click past the last entry or a cancelled choice changes nothing.
TEST_F(GraphPageTest, LegendClicksChooseColoursAndToggleCurves)
{
  using Part = TVirtGraph::LegendLayout::Part;
  CTSelectionModel model(&session->Factory());
  model.SetFamily(0);
  const struct
  {
    TGraphKind kind;
    bool bChecks;
    Part part;
    std::optional<Colour> answer;
    bool bChanged, bShown;
    Colour colour; // of the first curve afterwards; 0: the palette's
  } cases[] = {
    {TGraphKind::Efficiency, true, Part::Swatch, 0x00AA11, true, true, 0x00AA11},
    {TGraphKind::Efficiency, true, Part::Swatch, std::nullopt, false, true, 0},
    {TGraphKind::Efficiency, true, Part::Check, std::nullopt, true, false, 0},
    {TGraphKind::Efficiency, true, Part::Caption, std::nullopt, true, false, 0},
    {TGraphKind::Fan, false, Part::Swatch, 0x3344FF, true, true, 0x3344FF},
    {TGraphKind::Fan, false, Part::Caption, std::nullopt, true, false, 0},
    {TGraphKind::Fan, false, Part::None, 0x3344FF, false, true, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind) * 10 + static_cast<int>(c.part));
    test::TempDir dir;
    platform::SettingsStore store(dir.Path() / "settings.ini");
    DisplayList list;
    const CTGraphDrawing g =
      CTGraphPage(model, {}, &store).Draw(c.kind, list, FixedTextMetrics(), 800, 600, 12, true, c.bChecks);
    ASSERT_GE(g.legend.cells.size(), 2u);
    // A position on the part asked for: past the last cell for none.
    const TVirtGraph::Rect& cell = g.legend.cells[0];
    const int textHeight = cell.bottom - cell.top, y = (cell.top + cell.bottom) / 2;
    int x = cell.left + 1;
    if (c.part == Part::Swatch && c.bChecks)
      x += textHeight;
    else if (c.part == Part::Caption)
      x = cell.right - 2;
    else if (c.part == Part::None)
      x = g.legend.cells.back().right + 10000;
    ASSERT_EQ(g.legend.HitAt(x, y).part, c.part);
    int asked = 0;
    const auto choose = [&](const TLegend&) {
      ++asked;
      return c.answer;
    };
    EXPECT_EQ(CTGraphPage::LegendClick(c.kind, g, x, y, store, choose), c.bChanged);
    EXPECT_EQ(asked, c.part == Part::Swatch ? 1 : 0);

    DisplayList again;
    const CTGraphDrawing redrawn = CTGraphPage(model, {}, &store).Draw(c.kind, again, FixedTextMetrics(), 800, 600);
    const std::string tag = redrawn.curves.empty() ? "" : redrawn.curves.front().tag;
    const std::string first = c.kind == TGraphKind::Fan ? "curve:Supply" : "curve:EffC";
    EXPECT_EQ(again.Find(first) != nullptr, c.bShown);
    if (c.bShown) {
      EXPECT_EQ(again.Find(first)->pen.colour, c.colour ? c.colour : TLegend::kPalette[0]);
    }
  }
}

} // namespace
} // namespace aw::charts
