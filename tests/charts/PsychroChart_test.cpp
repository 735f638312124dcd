// The psychrometric and Mollier charts, read from their display lists and
// checked against the moist-air functions at the chart's altitude.

#include "charts/PsychroGraph.h"
#include "DisplayListCheck.h"
#include "EngineCatalogueTest.h"

#include "air/SI_Units.h"
#include "catalogue/CatalogueSession.h"
#include "engine/EngineFactory.h"
#include "engine/SelectionModel.h"
#include "platform/SettingsStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <map>
#include <set>

namespace aw::charts {
namespace {

constexpr double kHalfPixel = 0.5;

struct Chart
{
  DisplayList list;
  FixedTextMetrics metrics;
  std::unique_ptr<TAirPropDiagram> diagram;

  Chart(bool bPsychro, double altitude, int family = -1, const AWPsychroSet& states = {}, int w = 800, int h = 600)
  {
    CTChartRequest request;
    request.bPsychro = bPsychro;
    request.Altitude = altitude;
    request.nFamily = family;
    request.States = states;
    request.nWidth = w;
    request.nHeight = h;
    diagram = DrawUnitChart(list, metrics, request);
  }
  const TAir& Air() const { return diagram->Air(); }
  bool Inside(const DLPoint& p) const
  {
    const auto& r = diagram->GraphRect();
    return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
  }
  // The device point lies within half a pixel (per axis) of its air state.
  void ExpectOnState(const DLPoint& p, const DLWorldPoint& w) const
  {
    const CTWorldPoint d = diagram->AirToDevice(w.DBT, w.AH);
    EXPECT_LE(std::fabs(p.x - d.x), kHalfPixel) << w.DBT << " " << w.AH;
    EXPECT_LE(std::fabs(p.y - d.y), kHalfPixel) << w.DBT << " " << w.AH;
  }
  std::vector<const DLPrimitive*> Tagged(const std::string& prefix) const
  {
    std::vector<const DLPrimitive*> out;
    for (const DLPrimitive& p : list.items)
      if (p.tag.starts_with(prefix))
        out.push_back(&p);
    return out;
  }
};

class ChartKinds : public ::testing::TestWithParam<bool>
{
};
INSTANTIATE_TEST_SUITE_P(Both, ChartKinds, ::testing::Values(true, false),
                         [](const auto& param) { return param.param ? "Psychrometric" : "Mollier"; });

TEST_P(ChartKinds, TheSaturationCurveIsOneHundredPercentAtTheChartsAltitude)
{
  for (double altitude : {0.0, 1500.0}) {
    const Chart chart(GetParam(), altitude);
    const auto curves = chart.Tagged("rh:100");
    ASSERT_FALSE(curves.empty());
    for (const DLPrimitive* curve : curves) {
      ASSERT_EQ(curve->world.size(), curve->points.size());
      for (std::size_t i = 0; i < curve->points.size(); ++i) {
        EXPECT_NEAR(chart.Air().RelativeHumidity(curve->world[i].AH, curve->world[i].DBT), 100, 0.1);
        chart.ExpectOnState(curve->points[i], curve->world[i]);
      }
    }
  }
}

TEST_P(ChartKinds, RelativeHumidityCurvesRiseAndLieInOrder)
{
  const Chart chart(GetParam(), 0);
  double previousAt20 = 0;
  for (int phi = 10; phi <= 100; phi += 10) {
    const DLPrimitive* curve = chart.list.Find("rh:" + std::to_string(phi));
    ASSERT_TRUE(curve);
    for (std::size_t i = 1; i < curve->world.size(); ++i) {
      EXPECT_GT(curve->world[i].DBT, curve->world[i - 1].DBT);
      EXPECT_GE(curve->world[i].AH, curve->world[i - 1].AH);
    }
    const double at20 = chart.Air().AbsoluteHumidity(phi, 20);
    EXPECT_GT(at20, previousAt20);
    previousAt20 = at20;
  }
}

TEST_P(ChartKinds, EnthalpyLinesHaveTheirEnthalpyAtBothEnds)
{
  const Chart chart(GetParam(), 0);
  const auto lines = chart.Tagged("h:");
  ASSERT_EQ(lines.size(), 18u); // -20 … 150 kJ/kg
  for (const DLPrimitive* line : lines) {
    const double h = std::stod(line->tag.substr(2));
    ASSERT_EQ(line->world.size(), 2u) << line->tag;
    for (const DLWorldPoint& w : line->world)
      EXPECT_NEAR(chart.Air().Enthalpy(w.AH, w.DBT), h, 0.05) << line->tag;
  }
  // The wet bulb written at the saturation end is that end's temperature.
  const auto wetBulbs = chart.Tagged("wb:");
  EXPECT_GE(wetBulbs.size(), 12u);
  for (const DLPrimitive* text : wetBulbs) {
    const DLPrimitive* line = chart.list.Find("h:" + text->tag.substr(3));
    ASSERT_TRUE(line) << text->tag;
    EXPECT_EQ(text->text, TU_Form::PutFmtDimensionedValue(line->world.front().DBT, U_Temperature, 1, true) + " °C");
    EXPECT_TRUE(chart.Inside(text->points.front())) << text->tag;
  }
}

TEST_P(ChartKinds, PrintsTheAltitudeAndPressureItIsDrawnForInsideThePlot)
{
  for (const double altitude : {0.0, 2000.0}) {
    const Chart chart(GetParam(), altitude);
    const DLPrimitive* text = chart.list.Find("conditions");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->text, "Altitude " + std::to_string(int(altitude)) + " m, Pressure " +
                            TU_Form::PutFmtDimensionedValue(TAir(altitude).GetTotalPressure(), U_Pressure, 1, true) +
                            " Pa");
    EXPECT_TRUE(chart.Inside(text->points.front()));
    const int right = text->points.front().x + chart.metrics.TextWidth(text->font, text->text);
    EXPECT_LE(right, chart.diagram->GraphRect().right);
  }
}

TEST_P(ChartKinds, NothingLeavesThePlotAtAltitudeOrWithAnOffChartOutdoorState)
{
  AWPsychroSet states;
  states.RA = {22, 40, 0.0066, 0};
  states.OA = {-45, 80, 0.0001, 0};
  states.VI = states.OA;
  states.EA = {-20, 90, 0.0005, 0};
  states.VO = {15, 20, 0.0021, 0};
  states.SA = states.VO;
  const Chart chart(GetParam(), 3000, Cls_Brisa::kFamilyBrisa, states);
  int checked = 0;
  for (const DLPrimitive& p : chart.list.items)
    if (p.kind == DLKind::PolyLine && !p.world.empty())
      for (const DLPoint& point : p.points) {
        EXPECT_TRUE(chart.Inside(point)) << p.tag << " " << point.x << "," << point.y;
        ++checked;
      }
  EXPECT_GT(checked, 500);
  const auto& r = chart.diagram->GraphRect();
  test::ExpectDrawingInside(chart.list, {r.left, r.top, r.right, r.bottom}, "process:");
  EXPECT_FALSE(chart.list.Find("state:OA")); // off the chart: no mark
}

TEST_P(ChartKinds, PointerToAirAndBackStaysWithinHalfAPixel)
{
  const Chart chart(GetParam(), 800);
  const auto& r = chart.diagram->GraphRect();
  int valid = 0;
  for (int X = r.left; X <= r.right; X += 7)
    for (int Y = r.top; Y <= r.bottom; Y += 7) {
      const auto air = chart.diagram->DeviceToAir(X, Y);
      if (!air)
        continue;
      ++valid;
      EXPECT_LE(chart.Air().RelativeHumidity(air->AH, air->DBT), 100 + 1e-9);
      const CTWorldPoint back = chart.diagram->AirToDevice(air->DBT, air->AH);
      EXPECT_LE(std::fabs(back.x - X), kHalfPixel);
      EXPECT_LE(std::fabs(back.y - Y), kHalfPixel);
    }
  EXPECT_GT(valid, 1000);
  // Beyond saturation and outside the plot nothing is read.
  const CTWorldPoint wet = chart.diagram->AirToDevice(20, 0.03);
  EXPECT_FALSE(chart.diagram->DeviceToAir(wet.x, wet.y));
  EXPECT_FALSE(chart.diagram->DeviceToAir(r.left - 3, r.bottom));
}

// As the window's air at sea level would read it, a pixel on this curve
// shows about 127 %: the read-out must use the chart's own air.
TEST_P(ChartKinds, APixelOnTheDrawnSaturationCurveReadsOneHundredPercentAt2000m)
{
  Chart chart(GetParam(), 2000, -1, {}, 1440, 900);
  const DLPrimitive* curve = chart.list.Find("rh:100");
  ASSERT_TRUE(curve);
  int read = 0;
  for (std::size_t i = 0; i < curve->points.size(); ++i) {
    if (curve->world[i].DBT < 5)
      continue; // where the curve is flat one pixel is a large part of the humidity
    const CTHoverInfo info = chart.diagram->OnHoover(curve->points[i].x, curve->points[i].y);
    if (!info.bInPlot)
      continue; // the pixel rounded beyond saturation
    ++read;
    const auto fields = ReadOut(chart.Air(), info.Dbt, info.AH, 0);
    EXPECT_NEAR(std::stod(fields[3].szValue), 100, 0.5) << curve->world[i].DBT;
  }
  EXPECT_GT(read, 5);
}

TEST_P(ChartKinds, ASmallPanelDrawsItsBackgroundOnlyAndReadsNothing)
{
  Chart chart(GetParam(), 0, -1, {}, 40, 30);
  EXPECT_TRUE(chart.list.items.empty());
  EXPECT_FALSE(chart.diagram->HasPlot());
  EXPECT_FALSE(chart.diagram->OnHoover(20, 15).bInPlot);
}

TEST(ChartHoverTest, OneStateMapsBackFromBothKindsAndSnapsWithItsName)
{
  AWPsychroSet states;
  states.RA = {26, 50, 0.0105, 0};
  states.OA = {33, 40, 0.0128, 0};
  states.VI = states.OA;
  states.EA = {30, 45, 0.0121, 0};
  states.VO = {28, 45, 0.0111, 0};
  states.SA = states.VO;
  for (bool psychro : {true, false}) {
    Chart chart(psychro, 500, Cls_Brisa::kFamilyBrisa, states);
    const CTWorldPoint d = chart.diagram->AirToDevice(states.EA.DBT, states.EA.AH);
    const auto air = chart.diagram->DeviceToAir(d.x, d.y);
    ASSERT_TRUE(air);
    EXPECT_NEAR(air->DBT, states.EA.DBT, 1e-9);
    EXPECT_NEAR(air->AH, states.EA.AH, 1e-12);
    const CTHoverInfo info = chart.diagram->OnHoover(int(std::lround(d.x)), int(std::lround(d.y)) + 1);
    EXPECT_EQ(info.szSnapped, "EA");
    EXPECT_EQ(info.Dbt, states.EA.DBT);
    const DisplayList marks = chart.diagram->HoverMarks();
    ASSERT_FALSE(marks.items.empty());
    EXPECT_EQ(marks.items.front().tag, "hover:EA");
  }
}

// States closer than the pointer tells apart: one label naming them all in
// list order, on the first state drawn there; each keeps its disc.
TEST(ChartStatesTest, StatesAtOnePlaceHaveOneLabelThatNamesThemAll)
{
  AWPsychroSet states;
  states.RA = {26, 50, 0.0105, 0};
  states.OA = {33, 40, 0.0128, 0};
  states.VI = states.OA;                // equal to the state it comes from: no disc of its own
  states.EA = {30, 45, 0.0121, 0};
  states.VO = {28, 45, 0.0111, 0};
  states.SA = {28.3, 45, 0.01113, 0}; // a fan's warming: another state, the same place
  for (bool psychro : {true, false}) {
    SCOPED_TRACE(psychro ? "psychrometric" : "Mollier");
    Chart chart(psychro, 0, Cls_Brisa::kFamilyBrisa, states);
    std::map<std::string, std::string> labels;
    std::set<std::string> discs;
    for (const DLPrimitive& p : chart.list.items) {
      if (p.tag.starts_with("state:") && p.kind == DLKind::Text) {
        EXPECT_TRUE(labels.emplace(p.tag.substr(6), p.text).second) << "two labels for " << p.tag;
      }
      if (p.tag.starts_with("state:") && p.kind == DLKind::Ellipse)
        discs.insert(p.tag.substr(6));
    }
    const std::map<std::string, std::string> expected = {
      {"RA", "RA"}, {"OA", "OA = VI"}, {"EA", "EA"}, {"VO", "VO = SA"}};
    EXPECT_EQ(labels, expected);
    EXPECT_EQ(discs, (std::set<std::string>{"RA", "OA", "EA", "VO", "SA"}));
    const CTWorldPoint sa = chart.diagram->AirToDevice(states.SA.DBT, states.SA.AH);
    EXPECT_EQ(chart.diagram->OnHoover(int(std::lround(sa.x)), int(std::lround(sa.y))).szSnapped, "VO = SA");
  }
}

TEST(ChartLegendTest, ASwatchClickAsksForTheColourAndTheLegendHandlerRunsAlsoAfterACancel)
{
  Chart chart(true, 0);
  std::vector<std::pair<int, Colour>> asked;
  std::optional<Colour> answer = 0x00FF00;
  int nLegendClicks = 0;
  chart.diagram->SetOnLegendColourChoice([&](int nEntry, Colour current) {
    asked.emplace_back(nEntry, current);
    return answer;
  });
  chart.diagram->SetOnLegendClick([&] { ++nLegendClicks; });
  const DLPrimitive* swatch = chart.list.Find("legend:3");
  ASSERT_TRUE(swatch);
  const int X = (swatch->points[0].x + swatch->points[1].x) / 2, Y = (swatch->points[0].y + swatch->points[1].y) / 2;
  chart.diagram->OnClick(X, Y);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], std::make_pair(3, CTDiagramSettings::kDefaultColorE));
  EXPECT_EQ(chart.diagram->LegendEntry(3).v_Color, 0x00FF00u);
  answer.reset();
  chart.diagram->OnClick(X, Y);
  EXPECT_EQ(chart.diagram->LegendEntry(3).v_Color, 0x00FF00u) << "a cancelled choice keeps the colour";
  EXPECT_EQ(nLegendClicks, 2);
  chart.diagram->OnClick(swatch->points[1].x + 2 * chart.metrics.TextWidth({}, "W"), Y); // the title, no swatch
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_EQ(nLegendClicks, 2);
}

// ---- the selected unit's process lines -----------------------------------------------

class UnitChartTest : public test::EngineCatalogueTest
{
};

std::string ProcessTag(const std::string& from, const std::string& to) { return "process:" + from + "-" + to; }

const RepPsychroPoint& StateNamed(const AWPsychroSet& s, const std::string& name)
{
  const std::pair<const char*, const RepPsychroPoint*> all[] = {{"RA", &s.RA}, {"OA", &s.OA}, {"EA", &s.EA},
                                                                {"SA", &s.SA}, {"VI", &s.VI}, {"VO", &s.VO},
                                                                {"CI", &s.CI}, {"HI", &s.HI}};
  for (const auto& [n, p] : all)
    if (name == n)
      return *p;
  return s.RA;
}

TEST_F(UnitChartTest, ProcessLinesFollowTheFamilyAndEndOnTheUnitsStates)
{
  const std::vector<std::pair<std::string, std::string>> segments[3] = {
    {{"OA", "VI"}, {"RA", "EA"}, {"VI", "VO"}, {"VO", "SA"}},
    {{"OA", "VI"}, {"RA", "EA"}, {"VI", "CI"}, {"CI", "HI"}, {"HI", "SA"}},
    {{"OA", "VI"}, {"VI", "SA"}}};
  CTSelectionModel model(&session->Factory());
  for (int family : {0, 1, 2}) {
    model.SetFamily(family);
    ASSERT_TRUE(model.CurrentBrisa()) << family;
    for (bool cooling : {true, false}) {
      SCOPED_TRACE(std::to_string(family) + (cooling ? " cooling" : " heating"));
      CTChartRequest request = ChartRequestFor(model, cooling);
      ASSERT_EQ(request.nFamily, family);
      for (bool psychro : {true, false}) {
        request.bPsychro = psychro;
        DisplayList list;
        FixedTextMetrics metrics;
        const auto chart = DrawUnitChart(list, metrics, request);
        std::set<std::string> expected;
        for (const auto& [from, to] : segments[family]) {
          const RepPsychroPoint &a = StateNamed(request.States, from), &b = StateNamed(request.States, to);
          if (a.DBT == b.DBT && a.AH == b.AH)
            continue; // equal states are neither joined nor marked twice
          expected.insert(ProcessTag(from, to));
          const DLPrimitive* line = list.Find(ProcessTag(from, to));
          ASSERT_TRUE(line) << ProcessTag(from, to);
          EXPECT_EQ(line->pen.width, 2);
          for (std::size_t i : {std::size_t(0), line->points.size() - 1}) {
            const RepPsychroPoint& s = i == 0 ? a : b;
            const CTWorldPoint d = chart->AirToDevice(s.DBT, s.AH);
            EXPECT_LE(std::fabs(line->points[i].x - d.x), kHalfPixel);
            EXPECT_LE(std::fabs(line->points[i].y - d.y), kHalfPixel);
          }
          // A line long enough for it has an arrow halfway, pointing from the first state to the second.
          const CTWorldPoint da = chart->AirToDevice(a.DBT, a.AH), db = chart->AirToDevice(b.DBT, b.AH);
          const DLPrimitive* arrow = list.Find("arrow:" + from + "-" + to);
          if (std::hypot(db.x - da.x, db.y - da.y) < 40)
            continue; // a short line may go without: its discs say enough
          ASSERT_TRUE(arrow) << from << "-" << to;
          ASSERT_EQ(arrow->kind, DLKind::Polygon);
          const DLPoint tip = arrow->points[0];
          const double baseX = (arrow->points[1].x + arrow->points[2].x) / 2.0,
                       baseY = (arrow->points[1].y + arrow->points[2].y) / 2.0;
          EXPECT_GT((tip.x - baseX) * (db.x - da.x) + (tip.y - baseY) * (db.y - da.y), 0) << from << "-" << to;
          EXPECT_LE(std::fabs(tip.x - (da.x + db.x) / 2) + std::fabs(tip.y - (da.y + db.y) / 2), 12);
        }
        std::set<std::string> drawn, arrows;
        for (const DLPrimitive& p : list.items) {
          if (p.tag.starts_with("process:"))
            drawn.insert(p.tag);
          if (p.tag.starts_with("arrow:"))
            arrows.insert("process:" + p.tag.substr(6));
        }
        EXPECT_EQ(drawn, expected);
        EXPECT_TRUE(std::includes(expected.begin(), expected.end(), arrows.begin(), arrows.end()));
        EXPECT_FALSE(arrows.empty());
      }
    }
  }
}

// ---- labels and settings --------------------------------------------------------------

std::set<std::string> Texts(const DisplayList& list)
{
  std::set<std::string> out;
  for (const DLPrimitive& p : list.items)
    if (p.kind == DLKind::Text)
      out.insert(p.text);
  return out;
}

TEST(ChartLabelsTest, SiAndImperialScales)
{
  {
    const Chart chart(true, 0);
    const auto texts = Texts(chart.list);
    for (const char* t : {"-40", "-35", "60", "Dry bulb temperature (°C)", "Enthalpy (kJ/kg)", "Absolute humidity (kg/kg)",
                          "0.0450", "Relative humidity (%)"})
      EXPECT_TRUE(texts.count(t)) << t;
    EXPECT_TRUE(chart.list.Find("h:-20"));
    EXPECT_TRUE(chart.list.Find("h:150"));
    EXPECT_FALSE(chart.list.Find("h:160"));
    EXPECT_TRUE(chart.list.Find("dbt:59"));
  }
  TU_Form::AddImperialUnits();
  TU_Form::SetNewIndex(U_Temperature, 1, false);
  TU_Form::SetNewIndex(U_Enthalpy, TU_Form::DimensionCount(U_Enthalpy) - 1, false);
  TU_Form::SetNewIndex(U_Humidity, TU_Form::DimensionCount(U_Humidity) - 1, false);
  const Chart chart(true, 0);
  const auto texts = Texts(chart.list);
  TU_Form::CleanupUnits();
  TU_Form::InitializeUnits();
  for (const char* t : {"-40", "140", "Dry bulb temperature (°F)", "Enthalpy (BTU/lbs)", "Absolute humidity (GPP)"})
    EXPECT_TRUE(texts.count(t)) << t;
  EXPECT_TRUE(chart.list.Find("dbt:-39")); // a line every 1 °F
  EXPECT_TRUE(chart.list.Find("dbt:139"));
  // The enthalpy scale starts at dry air of 0 °F.
  const DLPrimitive* zero = chart.list.Find("h:0");
  ASSERT_TRUE(zero);
  EXPECT_NEAR(zero->world.back().DBT, -160.0 / 9.0, 0.01);
  EXPECT_EQ(zero->world.back().AH, 0);
}

TEST(ChartSettingsTest, StoredSettingsRoundTripAndAChoiceMadeEarlierIsKept)
{
  test::TempDir dir;
  platform::SettingsStore store(dir.Path() / "settings.ini");
  const std::string key = "Software\\Korvath\\Quillon Selection\\Airwright\\Preferences";
  CTDiagramSettings saved;
  saved.DiagramType = false;
  saved.Colors[2] = 0x123456;
  saved.LegendToRegistry(key, store);

  CTDiagramSettings loaded;
  loaded.LoadLegendFromRegistry(key, store);
  EXPECT_FALSE(loaded.DiagramType);
  EXPECT_EQ(loaded.Colors[2], 0x123456u);
  EXPECT_EQ(loaded.Colors[0], CTDiagramSettings::kDefaultColorDBT);

  CTDiagramSettings chosen;
  chosen.ChooseDiagramType(true);
  chosen.ChooseColor(2, 0xABCDEF);
  chosen.LoadLegendFromRegistry(key, store);
  EXPECT_TRUE(chosen.DiagramType);
  EXPECT_EQ(chosen.Colors[2], 0xABCDEFu);
  chosen.RestoreRegistryDefaults();
  EXPECT_EQ(chosen.Colors[2], CTDiagramSettings::kDefaultColorRH);
}

TEST(ChartReadOutTest, DryAirHasNoDewPointAndAbsentStatesReadEmpty)
{
  const TAir air(0);
  const auto dry = ReadOut(air, 20, 0, 0);
  EXPECT_EQ(dry[2].szValue, "");
  EXPECT_EQ(dry[3].szValue, "0.0%");
  for (const CTReadOutField& f : ReadOut(air, kNoChartValue, kNoChartValue, 0))
    EXPECT_EQ(f.szValue, "");
  const auto moist = ReadOut(TAir(2000), 20, 0.01, 0);
  EXPECT_EQ(moist[0].szValue, "20.0 °C");
  EXPECT_NE(moist[8].szValue.find("79"), std::string::npos); // about 79.5 kPa at 2000 m
}

} // namespace
} // namespace aw::charts
