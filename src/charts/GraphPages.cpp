#include "charts/GraphPages.h"

#include "air/NumberFormat.h"
#include "air/SI_Units.h"
#include "air/ValueFormatting.h"
#include "engine/BrisaRatioCorr.h"
#include "engine/ClBrisa.h"
#include "platform/SettingsRoots.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace aw::charts {
namespace {

constexpr int kFanValues = 1000, kEfficiencyValues = 200, kCorrectionValues = 51;

// m³/h to the airflow unit in effect, and back.
double ToAirflowUnit(double q) { return TU_Form::ConvertValue(q / 3.6, U_Airflow, 0, TU_Form::GetNewIndex(U_Airflow), true); }
double FromAirflowUnit(double a) { return TU_Form::ConvertValue(a, U_Airflow, TU_Form::GetNewIndex(U_Airflow), 0, true) * 3.6; }
// Pa to the pressure unit in effect.
double ToPressureUnit(double p) { return TU_Form::ConvertValue(p, U_Pressure, 0, TU_Form::GetNewIndex(U_Pressure), true); }

std::string Percent(double v) { return Number2FmtStr(v, 0, 1); }

int RoundInt(double v) { return static_cast<int>(std::lround(v)); }

bool HasRange(const Cls_Polynomial& c) { return c.GetArgumentLow() != 0 || c.GetArgumentHigh() != 0; }

} // namespace

double FanPressureTop(double limit)
{
  if (!(limit > 0) || !std::isfinite(limit))
    return 1;
  const double v = std::nearbyint(limit);
  double top = v;
  for (const double step : {50.0, 10.0, 5.0, 2.0})
    if (v > step) {
      top = std::floor(std::nearbyint(v + step) / step) * step;
      break;
    }
  if (top >= limit && top > 0)
    return top;
  // Small limits in large units: the next round number above the limit.
  const double decade = std::pow(10.0, std::floor(std::log10(limit)));
  for (const double m : {1.0, 1.5, 2.0, 2.5, 5.0, 10.0})
    if (m * decade >= limit)
      return m * decade;
  return 10 * decade;
}

// Everything one graph is drawn from; the series values are asked from `value`.
struct CTGraphPage::Setup
{
  struct Point
  {
    double x = 0, y = 0; // world, display units
    std::string label, tag;
  };
  std::vector<TLegend> legend;
  std::vector<std::string> labels;
  int nValues = 0;
  double xStart = 0, xSpan = 0; // the values run from xStart to xStart + xSpan
  double yLow = 0, yHigh = 0;
  int yDecimals = 0;
  std::string title, xTitle, yTitle, xUnit, yUnit;
  std::function<double(int Row, int Column)> value = [](int, int) { return kMissingValue; };
  std::vector<Point> points;

  double XOf(int Column) const { return xStart + Column * xSpan / (nValues - 1); }
  // The X axis from Low to High (display units) with the labels of its steps.
  void SetAxis(int Low, int High)
  {
    int count = 0, step = 0;
    GetAxisSteps(Low, High, count, step);
    labels.clear();
    for (int i = 0; i <= count; ++i)
      labels.push_back(std::to_string(Low + i * step));
    xStart = Low;
    xSpan = static_cast<double>(count) * step;
  }
};

void TranslateGraphTexts(CTGraphTexts& t, const std::function<std::string(const std::string&)>& translate)
{
  for (std::string* text : {&t.Airflow, &t.Efficiency, &t.Esp, &t.EffCorrect1, &t.EffCorrect2, &t.CoolEnthalpy,
                            &t.HeatEnthalpy, &t.Temperature, &t.SupplySpeed, &t.ExhaustSpeed, &t.Ducting, &t.Supply,
                            &t.SupplyDucting, &t.Exhaust, &t.ExhaustDucting})
    *text = translate(*text);
}

CTGraphPage::CTGraphPage(const CTSelectionModel& model, CTGraphTexts texts, const platform::SettingsStore* pStore)
  : v_model(model), v_texts(std::move(texts)), v_store(pStore)
{
}

std::vector<TLegend> CTGraphPage::LegendOf(TGraphKind kind, const CTGraphTexts& texts,
                                           const platform::SettingsStore* pStore)
{
  TLegend::ResetColor();
  std::vector<TLegend> legend;
  if (kind == TGraphKind::Efficiency)
    legend = {TLegend("EffC", texts.CoolEnthalpy, true), TLegend("EffH", texts.HeatEnthalpy, true),
              TLegend("EffT", texts.Temperature, true)};
  else if (kind == TGraphKind::Fan)
    legend = {TLegend("Supply", texts.SupplySpeed, true), TLegend("Exhaust", texts.ExhaustSpeed, true)};
  else
    legend = {TLegend("1", "", true)};
  // The fan curves read their colours too, so that a colour chosen on the
  // graph outlives its next drawing.
  if (pStore && kind != TGraphKind::Correction)
    TLegend::LoadLegendFromIniFile(legend, platform::kPreferencesKey, true, true, *pStore);
  return legend;
}

bool CTGraphPage::LegendClick(TGraphKind kind, const CTGraphDrawing& drawing, int X, int Y,
                              platform::SettingsStore& store, const TChooseColour& chooseColour)
{
  using Part = TVirtGraph::LegendLayout::Part;
  const TVirtGraph::LegendLayout::Hit hit = drawing.legend.HitAt(X, Y);
  std::vector<TLegend> legend = LegendOf(kind, {}, &store);
  if (hit.part == Part::None || hit.entry >= static_cast<int>(legend.size()))
    return false;
  TLegend& l = legend[static_cast<std::size_t>(hit.entry)];
  if (hit.part == Part::Swatch) {
    const std::optional<Colour> colour = chooseColour ? chooseColour(l) : std::nullopt;
    if (!colour || *colour == l.GetColor())
      return false;
    l.SetColor(*colour);
  } else {
    l.SetDisplay(!l.MustDisplay());
  }
  TLegend::SaveLegendToIniFile(legend, platform::kPreferencesKey, store);
  return true;
}

CTGraphPage::Setup CTGraphPage::Efficiency() const
{
  Setup s;
  s.legend = LegendOf(TGraphKind::Efficiency, v_texts, v_store);
  s.nValues = kEfficiencyValues;
  s.xUnit = TU_Form::GetCurrentString(U_Airflow);
  s.xTitle = v_texts.Airflow + " (" + s.xUnit + ")";
  s.yTitle = v_texts.Efficiency;
  s.yUnit = "%";
  s.yLow = 0, s.yHigh = 100, s.yDecimals = 1;
  Cls_Brisa* unit = v_model.CurrentBrisa();
  if (!unit)
    return s;
  s.title = unit->GetQualifiedName();
  const Cls_BrisaPolynomial* temp = unit->GetTempExhangeEfficiency();
  if (!temp)
    return s; // frame only
  const Cls_BrisaPolynomial* curves[3] = {unit->GetCoolEnthalpyExhangeEfficiency(),
                                          unit->GetHeatEnthalpyExhangeEfficiency(), temp};
  // A curve without a range (0 to 0) holds everywhere: the unit's airflow range is shown then.
  const bool bLimited = HasRange(*temp);
  s.SetAxis(RoundInt(ToAirflowUnit(bLimited ? temp->GetArgumentLow() : unit->GetMinAirflow())),
            RoundInt(ToAirflowUnit(bLimited ? temp->GetArgumentHigh() : unit->GetMaxAirflow())));
  s.value = [curves, start = s.xStart, step = s.xSpan / (s.nValues - 1)](int Row, int Column) {
    const Cls_BrisaPolynomial* c = curves[std::clamp(Row, 0, 2)];
    if (!c)
      return kMissingValue;
    const double a = FromAirflowUnit(start + Column * step);
    return !HasRange(*c) || a <= std::nearbyint(c->GetArgumentHigh()) ? c->Evaluate(a) : kMissingValue;
  };
  const double supply = v_model.SupplyAir();
  if (supply > 0) {
    const std::string prefix = " (" + FormatAirflow(supply / 3.6) + ", ";
    const char* tags[3] = {"point:EffC", "point:EffH", "point:EffT"};
    for (int row : {2, 0, 1})
      if (curves[row]) {
        const double eff = curves[row]->Evaluate(supply);
        s.points.push_back({ToAirflowUnit(supply), eff, prefix + Percent(eff) + "%)", tags[row]});
      }
  }
  return s;
}

CTGraphPage::Setup CTGraphPage::Correction() const
{
  Setup s;
  s.legend = LegendOf(TGraphKind::Correction, v_texts, v_store);
  s.nValues = kCorrectionValues;
  for (int v = 40; v <= 90; v += 10)
    s.labels.push_back(std::to_string(v));
  s.xStart = 40, s.xSpan = 50;
  s.xUnit = s.yUnit = "%";
  s.xTitle = v_texts.EffCorrect1;
  s.yTitle = v_texts.EffCorrect2;
  s.yLow = 30, s.yHigh = 100, s.yDecimals = 0;
  Cls_Brisa* unit = v_model.CurrentBrisa();
  if (unit)
    s.title = unit->GetQualifiedName();
  const double supply = v_model.SupplyAir();
  if (!unit || !(supply > 0))
    return s; // no airflow ratio: no curve and no points
  const double ratio = v_model.ExhaustAir() / supply;
  // The curve and its points come from the one correction the selection uses.
  const auto corrected = [ratio](double efficiency) { return TBrisaRatioCorr::GetEfficiencyCorrection(ratio, efficiency); };
  s.value = [corrected](int, int Column) { return corrected(40 + Column); };
  const Cls_BrisaPolynomial* curves[3] = {unit->GetTempExhangeEfficiency(), unit->GetCoolEnthalpyExhangeEfficiency(),
                                          unit->GetHeatEnthalpyExhangeEfficiency()};
  if (!curves[0])
    return s;
  const std::string captions[3] = {v_texts.Temperature, v_texts.CoolEnthalpy, v_texts.HeatEnthalpy};
  const char* tags[3] = {"point:CorrT", "point:CorrC", "point:CorrH"};
  for (int i = 0; i < 3; ++i)
    if (curves[i]) {
      const double eff = curves[i]->Evaluate(supply), corr = corrected(eff);
      s.points.push_back({eff, corr, captions[i] + " (" + Percent(eff) + "%, " + Percent(corr) + "%)", tags[i]});
    }
  return s;
}

CTGraphPage::Setup CTGraphPage::Fan() const
{
  Setup s;
  s.legend = LegendOf(TGraphKind::Fan, v_texts, v_store);
  s.nValues = kFanValues;
  s.xUnit = TU_Form::GetCurrentString(U_Airflow);
  s.yUnit = TU_Form::GetCurrentString(U_Pressure);
  s.xTitle = v_texts.Airflow + " (" + s.xUnit + ")";
  s.yTitle = v_texts.Esp + " (" + s.yUnit + ")";
  s.yDecimals = 1;
  Cls_Brisa* unit = v_model.CurrentBrisa();
  if (!unit)
    return s;
  s.title = unit->GetQualifiedName();
  const Cls_BrisaSpeed* sup = unit->GetSupplySpeed();
  const Cls_BrisaSpeed* exh = unit->GetExhaustSpeed();
  const auto limitOf = [](const Cls_BrisaSpeed* c) { return c ? c->GetEspLimit() : 0.0; };
  const auto highOf = [unit](const Cls_BrisaSpeed* c) {
    return !c ? 0.0 : HasRange(*c) ? c->GetArgumentHigh() : unit->GetMaxAirflow();
  };
  const double limit = std::max(limitOf(sup), limitOf(exh));
  if (!(limit > 0))
    return s; // speeds without a pressure limit: the frame only
  s.yHigh = FanPressureTop(ToPressureUnit(limit));
  s.SetAxis(RoundInt(ToAirflowUnit(unit->GetMinAirflow())), RoundInt(ToAirflowUnit(std::max(highOf(sup), highOf(exh)))));
  s.value = [sup, exh, start = s.xStart, step = s.xSpan / (s.nValues - 1)](int Row, int Column) {
    const Cls_BrisaSpeed* c = Row != 0 ? exh : sup;
    if (!c)
      return kMissingValue; // no curve: no line at all, not one along the axis
    const double a = FromAirflowUnit(start + Column * step);
    return HasRange(*c) && a > std::nearbyint(c->GetArgumentHigh()) ? kMissingValue : ToPressureUnit(c->Evaluate(a));
  };

  const double supply = v_model.SupplyAir(), exhaust = v_model.ExhaustAir();
  if (!sup || !(supply > 0))
    return s;
  const bool bSingle = supply == exhaust &&
                       (sup == exh || (exh && std::fabs(sup->Evaluate(supply) - exh->Evaluate(exhaust)) < 1e-6));
  const auto addFanPoint = [&](const Cls_BrisaSpeed* c, double q, double design, const std::string& prefix,
                               const std::string& damperPrefix, const std::string& tag) {
    const double p = c->Evaluate(q);
    s.points.push_back({ToAirflowUnit(q), ToPressureUnit(p), prefix + FormatAirflow(q / 3.6) + ", " + FormatPressure(p) + "]",
                        "point:" + tag});
    const double surplus = p - design; // taken up in the ducting
    if (std::nearbyint(surplus) > 0)
      s.points.push_back({ToAirflowUnit(q), ToPressureUnit(design),
                          damperPrefix + FormatPressure(design) + " + " + FormatPressure(surplus) + "]",
                          "point:" + tag + "Ducting"});
  };
  CTSelectionModel& inputs = const_cast<CTSelectionModel&>(v_model); // the inputs have no const access
  if (bSingle)
    addFanPoint(sup, supply, inputs.DesignSupplyESP().GetVal(), " [", " " + v_texts.Ducting + ": [", "Supply");
  else
    addFanPoint(sup, supply, inputs.DesignSupplyESP().GetVal(), " " + v_texts.Supply + ": [",
                " " + v_texts.SupplyDucting + ": [", "Supply");
  if (!bSingle && exh && exhaust > 0)
    addFanPoint(exh, exhaust, inputs.DesignExhaustESP().GetVal(), " " + v_texts.Exhaust + ": [",
                " " + v_texts.ExhaustDucting + ": [", "Exhaust");
  return s;
}

CTGraphDrawing CTGraphPage::Draw(TGraphKind kind, DisplayList& list, const CTTextMetrics& metrics, int nWidth,
                                 int nHeight, int nBorder, bool bLegend, bool bChecks) const
{
  const Setup s = kind == TGraphKind::Fan ? Fan() : kind == TGraphKind::Efficiency ? Efficiency() : Correction();
  list.items.clear();
  TVirtLineGraph graph(list, metrics, s.value);
  graph.SetBorder(nBorder);
  graph.SetGraphTitle(s.title);
  graph.SetPlots(s.legend);
  graph.SetXValues(s.nValues, s.labels);
  graph.SetXTitle(s.xTitle);
  graph.SetYTitle(s.yTitle);
  graph.SetDimensions(nWidth, nHeight);
  graph.SetYValues(s.yLow, s.yHigh, s.yDecimals);
  const bool bHasX = s.xSpan > 0 && s.nValues >= 2;
  if (bHasX)
    for (const Setup::Point& p : s.points)
      graph.AddExtraPoint((p.x - s.xStart) / s.xSpan * 100, p.y, p.label, true, p.tag);
  graph.DrawOutline(bLegend && kind != TGraphKind::Correction, bChecks && kind == TGraphKind::Efficiency);
  graph.DrawGraph();

  CTGraphDrawing out;
  out.legend = graph.Legend();
  out.x = {s.xStart, s.xStart + s.xSpan, s.xUnit};
  out.y = {graph.MinY(), graph.MaxY(), s.yUnit};
  out.plot = graph.GraphRect();
  if (!bHasX || !graph.HasPlot())
    return out;
  for (std::size_t row = 0; row < s.legend.size(); ++row) {
    if (!s.legend[row].MustDisplay())
      continue;
    CTGraphCurve curve{"curve:" + s.legend[row].RegistryKey(), {}, {}};
    for (int j = 0; j < s.nValues; ++j) {
      const double v = s.value(static_cast<int>(row), j);
      if (v == kMissingValue || !std::isfinite(v))
        continue;
      const double y = std::clamp(v, graph.MinY(), graph.MaxY());
      curve.world.push_back({s.XOf(j), y});
      curve.device.push_back({graph.ValueToDeviceX(j), graph.ValueToDeviceY(y)});
    }
    if (!curve.world.empty())
      out.curves.push_back(std::move(curve));
  }
  for (const TExtraPoint& p : graph.ExtraPoints())
    if (list.Find(p.v_Tag)) // drawn, that is inside the plot
      out.points.push_back({p.v_Tag, p.v_Name, {s.xStart + p.v_XPercentage / 100 * s.xSpan, p.v_Y},
                            {graph.PercentToDeviceX(p.v_XPercentage), graph.ValueToDeviceY(p.v_Y)}});
  return out;
}

} // namespace aw::charts
