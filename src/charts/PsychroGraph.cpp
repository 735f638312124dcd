#include "charts/PsychroGraph.h"

#include "air/NumberFormat.h"
#include "air/SI_Units.h"
#include "catalogue/CatalogueText.h"
#include "engine/FamilyTraits.h"

#include <algorithm>
#include <cmath>

namespace aw::charts {

namespace {

constexpr const char* kColourNames[4] = {"ColorDBT", "ColorAH", "ColorRH", "ColorE"};
constexpr double kZeroFahrenheit = -160.0 / 9.0; // °C
constexpr double kSnapDBT = 0.5;                  // K
constexpr double kSnapAH = 0.0005;                // kg/kg

int RoundInt(double v) { return catalogue::RoundToInt(v); }

// Integer division truncating toward zero, then times five.
int DownToFive(double v) { return (RoundInt(v) / 5) * 5; }

std::string TagNumber(double v) { return Number2Str(v, 6); }

bool SameState(const TPointType& a, const TPointType& b) { return a.v_Dbt == b.v_Dbt && a.v_AH == b.v_AH; }

// Closer than the pointer can tell apart.
bool Coincide(double t1, double x1, double t2, double x2)
{
  return std::fabs(t1 - t2) <= kSnapDBT && std::fabs(x1 - x2) <= kSnapAH;
}

bool Coincide(const TPointType& a, const TPointType& b) { return Coincide(a.v_Dbt, a.v_AH, b.v_Dbt, b.v_AH); }

constexpr double kArrowLength = 9;    // px, tip to base
constexpr double kArrowHalfWidth = 4; // px

} // namespace

// ---- class-wide settings --------------------------------------------------------

CTDiagramSettings& CTDiagramSettings::Current()
{
  static CTDiagramSettings settings;
  return settings;
}

void CTDiagramSettings::ChooseDiagramType(bool bPsychro)
{
  DiagramType = bPsychro;
  v_typeChosen = true;
}

void CTDiagramSettings::ChooseColor(int nEntry, Colour colour)
{
  if (nEntry < 0 || nEntry > 3)
    return;
  Colors[nEntry] = colour;
  v_colorChosen[nEntry] = true;
}

void CTDiagramSettings::WriteTo(platform::SettingsKey& root, std::string_view szRegRoot) const
{
  platform::SettingsKey& key = root.Ensure(szRegRoot);
  key.SetValue("DiagramType", static_cast<std::int32_t>(DiagramType ? 1 : 0));
  for (int i = 0; i < 4; ++i)
    key.SetValue(kColourNames[i], static_cast<std::int32_t>(Colors[i]));
}

bool CTDiagramSettings::LegendToRegistry(std::string_view szRegRoot, platform::SettingsStore& store) const
{
  return store.WriteBatch([&](platform::SettingsKey& root) {
    WriteTo(root, szRegRoot);
    return true;
  });
}

void CTDiagramSettings::LoadLegendFromRegistry(std::string_view szRegRoot, const platform::SettingsStore& store)
{
  if (const auto type = store.ReadInteger(szRegRoot, "DiagramType"); type && !v_typeChosen)
    DiagramType = *type != 0;
  for (int i = 0; i < 4; ++i)
    if (const auto colour = store.ReadInteger(szRegRoot, kColourNames[i]); colour && !v_colorChosen[i])
      Colors[i] = static_cast<Colour>(*colour);
}

void CTDiagramSettings::RestoreRegistryDefaults() { *this = CTDiagramSettings(); }

// ---- the diagram ------------------------------------------------------------------

std::unique_ptr<TAirPropDiagram> TAirPropDiagram::Create(DisplayList& list, const CTTextMetrics& metrics,
                                                         bool bToPrinter)
{
  if (CTDiagramSettings::Current().DiagramType)
    return std::make_unique<TPsychroDiagram>(list, metrics, bToPrinter);
  return std::make_unique<TMollierDiagram>(list, metrics, bToPrinter);
}

TAirPropDiagram::TAirPropDiagram(DisplayList& list, const CTTextMetrics& metrics, bool bToPrinter)
  : CTVirtualCanvas(list, metrics, bToPrinter)
{
  for (int i = 0; i < 4; ++i)
    v_LabelTitles[i].v_Color = CTDiagramSettings::Current().Colors[i];
}

void TAirPropDiagram::SetDimensions(int TheWidth, int TheHeight)
{
  v_Width = std::max(TheWidth, 0);
  v_Height = std::max(TheHeight, 0);
}

void TAirPropDiagram::AddPoint(int PointIndex, std::string Name, double Dbt, double AH, int LineToIndex,
                               bool ShowHairlines)
{
  v_Points.push_back({ShowHairlines, PointIndex, LineToIndex, Dbt, AH, std::move(Name)});
}

void TAirPropDiagram::UpdatePoint(int PointIndex, double Dbt, double AH)
{
  for (TPointType& p : v_Points)
    if (p.v_PointIndex == PointIndex) {
      p.v_Dbt = Dbt;
      p.v_AH = AH;
    }
}

void TAirPropDiagram::RemovePoint(int PointIndex)
{
  const auto it = std::find_if(v_Points.begin(), v_Points.end(),
                               [PointIndex](const TPointType& p) { return p.v_PointIndex == PointIndex; });
  if (it != v_Points.end())
    v_Points.erase(it);
  v_SelectPoint.reset();
}

const TPointType* TAirPropDiagram::FindPoint(int nIndex) const
{
  for (const TPointType& p : v_Points)
    if (p.v_PointIndex == nIndex)
      return &p;
  return nullptr;
}

void TAirPropDiagram::CalcLayout()
{
  v_TextHeight = DeviceTextHeight("W");
  v_CharWidth = DeviceTextWidth("W");
  v_CurrDBTUnit = TU_Form::GetNewIndex(U_Temperature);
  v_CurrAHUnit = TU_Form::GetNewIndex(U_Humidity);
  v_CurrEUnit = TU_Form::GetNewIndex(U_Enthalpy);
  v_MinDBT = DownToFive(TU_Form::ConvertValue(kChartMinDBT, U_Temperature, 0, v_CurrDBTUnit, true));
  // With °F the enthalpy scale starts at dry air of 0 °F.
  v_DeltaEnthalpy = v_CurrDBTUnit != 0 ? std::fabs(v_Air.Enthalpy(0, kZeroFahrenheit)) : 0;
  v_MinE = DownToFive(TU_Form::ConvertValue(v_DeltaEnthalpy - 20, U_Enthalpy, 0, v_CurrEUnit, true));
}

bool TAirPropDiagram::InChartRange(double t, double x) const
{
  return t >= kChartMinDBT && t <= kChartMaxDBT && x >= 0 && x <= kChartMaxAH;
}

void TAirPropDiagram::AirMoveTo(double t, double x)
{
  const CTWorldPoint w = ToWorld(t, x);
  const DLWorldPoint air{t, x};
  MoveTo(w.x, w.y, &air);
}

void TAirPropDiagram::AirLineTo(double t, double x)
{
  const CTWorldPoint w = ToWorld(t, x);
  const DLWorldPoint air{t, x};
  LineTo(w.x, w.y, &air);
}

void TAirPropDiagram::ClipToPlot()
{
  SetLineClip(v_GraphRect.left, v_GraphRect.top, v_GraphRect.right, v_GraphRect.bottom);
}

void TAirPropDiagram::BoldText(double X, double Y, const std::string& sz)
{
  SetVCTextBold(true);
  DeviceTextOut(X, Y, sz);
  SetVCTextBold(false);
}

int TAirPropDiagram::BoldTextWidth(const std::string& sz)
{
  SetVCTextBold(true);
  const int w = DeviceTextWidth(sz);
  SetVCTextBold(false);
  return w;
}

void TAirPropDiagram::DrawFrameAndTitle(double cornerX, double cornerY, double titleY)
{
  const Rect& r = v_GraphRect;
  DeviceMoveTo(r.left, r.bottom);
  DeviceLineTo(cornerX, cornerY);
  DeviceLineTo(r.right, r.top);
  DeviceTextOut(r.left + (r.right - r.left - DeviceTextWidth(v_DiagramTitle)) / 2.0, titleY, v_DiagramTitle);
}

void TAirPropDiagram::ApplyTransform()
{
  SetOffsetX(v_GraphRect.left);
  SetOffsetY(v_GraphRect.top);
  SetScaleX(v_ScaleX);
  SetScaleY(v_ScaleY);
}

CTWorldPoint TAirPropDiagram::AirToDevice(double Dbt, double AH) const
{
  const CTWorldPoint w = ToWorld(Dbt, AH);
  return {v_GraphRect.left + w.x * v_ScaleX, v_GraphRect.top + w.y * v_ScaleY};
}

void TAirPropDiagram::DrawDryBulbLine(double t)
{
  AirMoveTo(t, 0);
  AirLineTo(t, std::min(Sat(t), kChartMaxAH));
}

void TAirPropDiagram::DrawAbsHumidityLine(double x)
{
  AirMoveTo(kChartMaxDBT, x);
  AirLineTo(std::max(v_Air.DewPoint(x), kChartMinDBT), x);
}

std::optional<DLWorldPoint> TAirPropDiagram::TraceEnthalpyLine(double h)
{
  const double t0 = v_Air.DryBulbTemp(h, 0);
  if (!(t0 >= kChartMinDBT))
    return std::nullopt;
  const double tw = v_Air.WetBulbTemp(t0, h), xs = Sat(tw);
  AirMoveTo(tw, xs);
  if (t0 > kChartMaxDBT)
    AirLineTo(kChartMaxDBT, v_Air.HumidityRatio(h, kChartMaxDBT)); // on the enthalpy, not a straight cut
  else
    AirLineTo(t0, 0);
  SetTag({});
  return DLWorldPoint{tw, xs};
}

std::string TAirPropDiagram::WetBulbLabel(double tw) const
{
  return TU_Form::PutFmtDimensionedValue(tw, U_Temperature, 1, true) + " " + TU_Form::GetCurrentString(U_Temperature);
}

void TAirPropDiagram::WetBulbText(double X, double Y, double tw, int label)
{
  // In this model the wet bulb lies on the constant-enthalpy line, at its saturation end.
  SetTag("wb:" + IntText(label));
  DeviceTextOut(X, Y, WetBulbLabel(tw));
  SetTag({});
}

void TAirPropDiagram::DrawProcessSegment(const TPointType& p, const TPointType& from)
{
  SetVCPenWidth(2);
  AirMoveTo(from.v_Dbt, from.v_AH);
  AirLineTo(p.v_Dbt, p.v_AH);
  SetVCPenWidth(1);
  DrawDirectionArrow(p, from);
}

void TAirPropDiagram::DrawDirectionArrow(const TPointType& p, const TPointType& from)
{
  const CTWorldPoint a = AirToDevice(from.v_Dbt, from.v_AH), b = AirToDevice(p.v_Dbt, p.v_AH);
  const double dx = b.x - a.x, dy = b.y - a.y, length = std::hypot(dx, dy);
  if (!(length >= 4 * kArrowLength) || !std::isfinite(length))
    return; // a short line: its two discs say enough
  const double ux = dx / length, uy = dy / length;
  const CTWorldPoint tip{(a.x + b.x + ux * kArrowLength) / 2, (a.y + b.y + uy * kArrowLength) / 2};
  const CTWorldPoint base{tip.x - ux * kArrowLength, tip.y - uy * kArrowLength};
  const Rect& r = v_GraphRect;
  if (tip.x < r.left || tip.x > r.right || tip.y < r.top || tip.y > r.bottom || base.x < r.left ||
      base.x > r.right || base.y < r.top || base.y > r.bottom)
    return;
  // The canvas takes world points: device back through the plot's transform.
  const auto world = [this](double X, double Y) {
    return CTWorldPoint{(X - v_GraphRect.left) / v_ScaleX, (Y - v_GraphRect.top) / v_ScaleY};
  };
  std::vector<CTWorldPoint> head = {world(tip.x, tip.y),
                                    world(base.x - uy * kArrowHalfWidth, base.y + ux * kArrowHalfWidth),
                                    world(base.x + uy * kArrowHalfWidth, base.y - ux * kArrowHalfWidth)};
  SetTag("arrow:" + from.v_Name + "-" + p.v_Name);
  SetVCBrushStyle(BrushStyle::Solid);
  SetVCBrushColor(VCPenColor());
  DrawPolygon(head);
  SetVCBrushStyle(BrushStyle::Clear);
}

std::string TAirPropDiagram::UnitTitle(int nEntry, const std::string& szUnit) const
{
  return v_LabelTitles[nEntry].v_Title + " (" + szUnit + ")";
}

std::string TAirPropDiagram::HumidityText(double x) const { return TU_Form::PutFmtDimensionedValue(x, U_Humidity, 1, true); }

DLWorldPoint TAirPropDiagram::TraceRelHumidityCurve(double phi, bool bPsychro)
{
  double t = kChartMinDBT, x = v_Air.AbsoluteHumidity(phi, t), step = 1;
  AirMoveTo(t, x);
  while (t + step <= kChartMaxDBT + 1e-9) {
    const double tn = t + step, xn = v_Air.AbsoluteHumidity(phi, tn);
    const bool outside = !(xn < kChartMaxAH) || (bPsychro && !(tn + 40 < 100));
    if (outside) {
      step /= 10;
      if (step < 0.01)
        break;
      continue;
    }
    AirLineTo(tn, xn);
    t = tn;
    x = xn;
  }
  return {t, x};
}

void TAirPropDiagram::DrawDiagram(bool AddLegend)
{
  DisplayList& list = DrawingCanvas();
  list.items.clear();
  list.width = v_Width;
  list.height = v_Height;
  list.background = kWhite;
  v_LegendVisible = AddLegend;
  SaveProperties();
  CalcLayout();
  SetVCBrushStyle(BrushStyle::Clear);
  if (!HasPlot()) {
    RestoreProperties();
    return;
  }
  ClipToPlot();

  SetVCPenColor(v_LabelTitles[0].v_Color);
  const double t0 = TU_Form::ConvertValue(v_MinDBT, U_Temperature, v_CurrDBTUnit, 0, true);
  const double dt = TU_Form::ConvertValue(1, U_Temperature, v_CurrDBTUnit, 0, false);
  for (int i = 0; t0 + i * dt < kChartMaxDBT - 1e-9; ++i) {
    SetTag("dbt:" + std::to_string(v_MinDBT + i));
    DrawDryBulbLine(t0 + i * dt);
  }

  SetVCPenColor(v_LabelTitles[1].v_Color);
  for (int i = 1; i * 0.001 < kChartMaxAH; ++i) {
    SetTag("ah:" + TagNumber(i * 0.001));
    DrawAbsHumidityLine(i * 0.001);
  }

  SetVCPenColor(v_LabelTitles[2].v_Color);
  SetVCTextColor(v_LabelTitles[2].v_Color);
  for (int phi = 10; phi <= 100; phi += 10) {
    SetTag("rh:" + std::to_string(phi));
    DrawRelHumidityCurve(phi);
  }

  SetVCPenColor(v_LabelTitles[3].v_Color);
  SetVCTextColor(v_LabelTitles[3].v_Color);
  const bool bSIEnthalpy = v_CurrEUnit == 0;
  const int labelStep = bSIEnthalpy ? 10 : 5;
  const double hStep = bSIEnthalpy ? 10 : TU_Form::ConvertValue(5, U_Enthalpy, v_CurrEUnit, 0, false);
  const double h0 = TU_Form::ConvertValue(v_MinE, U_Enthalpy, v_CurrEUnit, 0, true) - v_DeltaEnthalpy;
  for (int i = 0; h0 + i * hStep <= 150 + 1e-9; ++i) {
    const int label = v_MinE + i * labelStep;
    SetTag("h:" + std::to_string(label));
    DrawEnthalpyLine(h0 + i * hStep, label);
  }

  SetTag({});
  SetVCPenColor(kBlack);
  SetVCTextColor(kBlack);
  DrawPoints();
  ClearLineClip();
  SetTag({});
  SetVCPenColor(kBlack);
  SetVCTextColor(kBlack);
  DrawAxes();
  DrawConditions();
  if (AddLegend)
    DrawLegend();
  SetTag({});
  RestoreProperties();
}

void TAirPropDiagram::DrawPoints()
{
  if (v_Points.empty())
    return;
  SetVCPenColor(kRed);
  for (const TPointType& p : v_Points)
    if (const TPointType* from = FindPoint(p.v_RelIndex); from && !SameState(p, *from)) {
      SetTag("process:" + from->v_Name + "-" + p.v_Name);
      DrawProcessLine(p, *from);
    }
  SetVCTextColor(kBlue);
  const auto marked = [this](const TPointType& p) {
    const TPointType* from = FindPoint(p.v_RelIndex);
    return !from || !SameState(p, *from);
  };
  for (std::size_t i = 0; i < v_Points.size(); ++i) {
    const TPointType& p = v_Points[i];
    if (!marked(p))
      continue;
    // The first marked state of a place carries the label of all states there.
    bool bLabelled = true;
    for (std::size_t j = 0; j < i && bLabelled; ++j)
      bLabelled = !(marked(v_Points[j]) && Coincide(v_Points[j], p));
    SetTag("state:" + p.v_Name);
    DrawStatePoint(p, bLabelled ? CoincidingNames(p) : std::string());
  }
  SetTag({});
  SetVCTextColor(kBlack);
  SetVCPenColor(kBlack);
}

std::string TAirPropDiagram::CoincidingNames(const TPointType& p) const
{
  std::string names;
  for (const TPointType& q : v_Points)
    if (Coincide(p, q) && !q.v_Name.empty())
      names += (names.empty() ? "" : " = ") + q.v_Name;
  return names;
}

void TAirPropDiagram::DrawConditions()
{
  // The altitude in whole units, as it is entered.
  const double altitude = TU_Form::ConvertValue(v_Altitude, U_Length, 0, TU_Form::GetNewIndex(U_Length), true);
  const std::string text = v_AltitudeTitle + " " + Number2FmtStr(altitude, 0, 0, TU_Form::GetDecimalSeparator()) +
                           " " + TU_Form::GetCurrentString(U_Length) + ", " + v_PressureTitle + " " +
                           TU_Form::PutFmtDimensionedValue(v_Air.GetTotalPressure(), U_Pressure, 1, true) + " " +
                           TU_Form::GetCurrentString(U_Pressure);
  const CTWorldPoint at = ConditionsPosition(DeviceTextWidth(text));
  SetTag("conditions");
  DeviceTextOut(at.x, at.y, text);
  SetTag({});
}

void TAirPropDiagram::DrawStateDisc(const TPointType& p, const std::string& szLabel, double labelShiftX)
{
  const CTWorldPoint d = AirToDevice(p.v_Dbt, p.v_AH);
  if (p.v_HairLines) {
    SetVCPenStyle(PenStyle::Dot);
    const bool psychro = IsPsychro();
    DeviceMoveTo(d.x, d.y);
    DeviceLineTo(psychro ? d.x : v_GraphRect.left, psychro ? v_GraphRect.bottom : d.y);
    DeviceMoveTo(d.x, d.y);
    DeviceLineTo(psychro ? v_GraphRect.right : d.x, psychro ? d.y : v_GraphRect.top);
    SetVCPenStyle(PenStyle::Solid);
  }
  SetVCBrushStyle(BrushStyle::Solid);
  SetVCBrushColor(VCPenColor());
  const auto X = DeviceRound(d.x), Y = DeviceRound(d.y);
  if (X && Y) {
    DeviceEllipse(*X - 3, *Y - 3, *X + 4, *Y + 4);
    DrawingCanvas().items.back().world = {{p.v_Dbt, p.v_AH}};
  }
  if (!szLabel.empty()) {
    // Without a background: an opaque label box would hide the end of the
    // process line that arrives at the state from its upper right.
    SetVCBrushStyle(BrushStyle::Clear);
    BoldText(d.x + labelShiftX, d.y - (v_TextHeight + 3), szLabel);
  }
  SetVCBrushStyle(BrushStyle::Clear);
}

double TAirPropDiagram::LegendSwatchInset() const
{
  // Twice the ratio of the surface's resolution to the screen's; lists are at 96 dpi.
  return 2;
}

void TAirPropDiagram::DrawLegend()
{
  const double b = LegendSwatchInset();
  int widest = 0;
  for (const TGraphLineType& entry : v_LabelTitles)
    widest = std::max(widest, DeviceTextWidth(entry.v_Title));
  v_MaxLegendItem = widest + v_TextHeight + v_CharWidth;
  double x = v_GraphRect.left;
  const double y = v_GraphRect.bottom + v_LegendOffset;
  for (int i = 0; i < 4; ++i) {
    SetTag("legend:" + std::to_string(i));
    SetVCPenColor(kBlack);
    SetVCBrushStyle(BrushStyle::Solid);
    SetVCBrushColor(v_LabelTitles[i].v_Color);
    DeviceRectangle(x, y + b, x + v_TextHeight - 2 * b, y + v_TextHeight - b);
    SetVCBrushStyle(BrushStyle::Clear);
    DeviceTextOut(x + v_TextHeight, y, v_LabelTitles[i].v_Title);
    x += v_MaxLegendItem;
  }
}

int TAirPropDiagram::SwatchAt(int X, int Y) const
{
  if (!v_LegendVisible || v_MaxLegendItem <= 0 || Y <= v_GraphRect.bottom + v_LegendOffset || X < v_GraphRect.left ||
      X > v_GraphRect.right)
    return -2; // not in the legend area
  const int i = (X - v_GraphRect.left) / v_MaxLegendItem;
  if (i < 0 || i > 3)
    return -1;
  return X - v_GraphRect.left - i * v_MaxLegendItem < v_TextHeight - 2 * LegendSwatchInset() ? i : -1;
}

CTHoverInfo TAirPropDiagram::OnHoover(int X, int Y)
{
  v_SelectPoint.reset();
  v_Swatch = -1;
  CTHoverInfo info;
  if (!HasPlot()) {
    if (v_OnGraphHoover)
      v_OnGraphHoover(info.Dbt, info.AH);
    return info;
  }
  const int swatch = SwatchAt(X, Y);
  if (swatch != -2) {
    v_Swatch = info.nSwatch = swatch;
    return info;
  }
  if (const std::optional<DLWorldPoint> air = DeviceToAir(X, Y)) {
    info.bInPlot = true;
    info.Dbt = air->DBT;
    info.AH = air->AH;
    for (std::size_t i = 0; i < v_Points.size(); ++i) {
      const TPointType& p = v_Points[i];
      if (std::fabs(air->DBT - p.v_Dbt) <= kSnapDBT && std::fabs(air->AH - p.v_AH) <= kSnapAH) {
        v_SelectPoint = int(i);
        info.Dbt = p.v_Dbt;
        info.AH = p.v_AH;
        info.szSnapped = CoincidingNames(p);
        break;
      }
    }
  }
  if (v_OnGraphHoover)
    v_OnGraphHoover(info.Dbt, info.AH);
  return info;
}

void TAirPropDiagram::OnClick(int X, int Y)
{
  const int swatch = HasPlot() ? SwatchAt(X, Y) : -2;
  if (swatch != -2 && v_OnLegendClick) {
    if (swatch < 0)
      return;
    if (v_OnLegendColourChoice)
      if (const std::optional<Colour> colour = v_OnLegendColourChoice(swatch, v_LabelTitles[swatch].v_Color))
        SetLegendColor(swatch, *colour);
    v_OnLegendClick(); // also after a cancelled choice
    return;
  }
  if (!v_OnGraphClick)
    return;
  const std::optional<DLWorldPoint> air = HasPlot() ? DeviceToAir(X, Y) : std::nullopt;
  if (!air)
    return v_OnGraphClick(kNoChartValue, kNoChartValue, {});
  for (const TPointType& p : v_Points)
    if (std::fabs(air->DBT - p.v_Dbt) <= kSnapDBT && std::fabs(air->AH - p.v_AH) <= kSnapAH)
      return v_OnGraphClick(p.v_Dbt, p.v_AH, p.v_Name);
  v_OnGraphClick(air->DBT, air->AH, {});
}

DisplayList TAirPropDiagram::HoverMarks() const
{
  DisplayList marks;
  marks.width = v_Width;
  marks.height = v_Height;
  DLPrimitive mark;
  mark.pen = {kBlack, 3, PenStyle::Solid};
  mark.brush.style = BrushStyle::Clear;
  if (v_Swatch >= 0) {
    const int b = int(LegendSwatchInset());
    const int x = v_GraphRect.left + v_Swatch * v_MaxLegendItem, y = v_GraphRect.bottom + v_LegendOffset;
    mark.kind = DLKind::Rectangle;
    mark.points = {{x, y + b}, {x + v_TextHeight - 2 * b, y + v_TextHeight - b}};
    marks.items.push_back(mark);
  } else if (v_SelectPoint) {
    const TPointType& p = v_Points[std::size_t(*v_SelectPoint)];
    const CTWorldPoint d = AirToDevice(p.v_Dbt, p.v_AH);
    const auto X = DeviceRound(d.x), Y = DeviceRound(d.y);
    if (!X || !Y)
      return marks;
    mark.kind = DLKind::Ellipse;
    mark.tag = "hover:" + p.v_Name;
    mark.points = {{*X - 6, *Y - 6}, {*X + 7, *Y + 7}};
    if (!IsPsychro()) // a filled mark, the state inverted in its middle
      mark.brush = {kBlack, BrushStyle::Solid};
    marks.items.push_back(mark);
    if (!IsPsychro()) {
      mark.pen.width = 1;
      mark.brush = {0xFFFF00, BrushStyle::Solid};
      mark.points = {{*X - 3, *Y - 3}, {*X + 4, *Y + 4}};
      marks.items.push_back(mark);
    }
  }
  return marks;
}

// ---- psychrometric chart ---------------------------------------------------------

void TPsychroDiagram::CalcLayout()
{
  TAirPropDiagram::CalcLayout();
  const int th = v_TextHeight, legend = v_LegendVisible ? 1 : 0;
  v_LegendOffset = 3 * th;
  v_GraphRect.left = DeviceTextWidth(IntText(v_MinDBT)) / 2 + v_Border;
  v_GraphRect.right = v_Width - v_Border - v_CharWidth - DeviceTextWidth(HumidityText(kChartMaxAH));
  v_GraphRect.top = v_Border + 2 * th + 4;
  v_GraphRect.bottom = v_Height - v_Border / 2 - v_LegendOffset - legend * th;
  v_ScaleX = (v_GraphRect.right - v_GraphRect.left) / 100.0;
  v_ScaleY = catalogue::RoundHalfEven(double(v_GraphRect.bottom - v_GraphRect.top) * 100000000.0 / 451) / 10000;
  ApplyTransform();
}

std::optional<DLWorldPoint> TPsychroDiagram::DeviceToAir(double X, double Y) const
{
  if (!HasPlot() || X < v_GraphRect.left || X > v_GraphRect.right || Y < v_GraphRect.top || Y > v_GraphRect.bottom)
    return std::nullopt;
  const double x = kChartMaxAH - (Y - v_GraphRect.top) / v_ScaleY;
  const double t = (X - v_GraphRect.left) / v_ScaleX - 40;
  if (!(x > 0 && x <= Sat(t)))
    return std::nullopt;
  return DLWorldPoint{t, x};
}

void TPsychroDiagram::DrawRelHumidityCurve(double phi)
{
  const DLWorldPoint end = TraceRelHumidityCurve(phi, true);
  const CTWorldPoint d = AirToDevice(end.DBT, end.AH);
  const std::string label = IntText(RoundInt(phi));
  const int th = v_TextHeight;
  SetTag({});
  if (end.DBT >= kChartMaxDBT - 0.1 && v_Air.AbsoluteHumidity(phi, kChartMaxDBT) < kChartMaxAH) {
    DeviceTextOut(v_GraphRect.right - (DeviceTextWidth(label) + th / 2.0), d.y - th, label);
    return;
  }
  const double y = d.y - (th + 2);
  if (phi >= 100) {
    DeviceTextOut(d.x - DeviceTextWidth(label), y, label);
    const std::string title = UnitTitle(2, "%");
    BoldText(d.x - BoldTextWidth(title + "WW"), y, title);
  } else {
    DeviceTextOut(d.x - DeviceTextWidth(label) / 2.0, y, label);
  }
}

void TPsychroDiagram::DrawEnthalpyLine(double h, int label)
{
  const std::optional<DLWorldPoint> saturation = TraceEnthalpyLine(h);
  if (!saturation)
    return;
  const CTWorldPoint d = AirToDevice(saturation->DBT, saturation->AH);
  const std::string text = IntText(label);
  if (saturation->AH < 0.0444) {
    DeviceTextOut(d.x - DeviceTextWidth(text), d.y - v_TextHeight, text);
    // Above the enthalpy, in the empty space beyond saturation, where that is inside the plot.
    if (d.y - 2 * v_TextHeight >= v_GraphRect.top)
      WetBulbText(d.x - DeviceTextWidth(text), d.y - 2 * v_TextHeight, saturation->DBT, label);
  }
  if (label == v_MinE)
    BoldText(v_GraphRect.left, d.y - v_TextHeight, UnitTitle(3, TU_Form::GetCurrentString(U_Enthalpy)));
}

void TPsychroDiagram::DrawProcessLine(const TPointType& p, const TPointType& from) { DrawProcessSegment(p, from); }

void TPsychroDiagram::DrawStatePoint(const TPointType& p, const std::string& szLabel)
{
  if (InChartRange(p.v_Dbt, p.v_AH))
    DrawStateDisc(p, szLabel, 0);
}

CTWorldPoint TPsychroDiagram::ConditionsPosition(int) const
{
  // The upper left corner lies beyond saturation, where nothing else is drawn.
  return {v_GraphRect.left + v_CharWidth / 2.0, v_GraphRect.top + v_TextHeight / 2.0};
}

void TPsychroDiagram::DrawAxes()
{
  const Rect& r = v_GraphRect;
  const int th = v_TextHeight;
  const double titleY = r.top - (2 * th + 4);
  DrawFrameAndTitle(r.right, r.bottom, titleY);
  const double maxShown = TU_Form::ConvertValue(kChartMaxDBT, U_Temperature, 0, v_CurrDBTUnit, true);
  for (int v = v_MinDBT; v <= maxShown + 1e-9; v += 5) {
    const double X = AirToDevice(TU_Form::ConvertValue(v, U_Temperature, v_CurrDBTUnit, 0, true), 0).x;
    DeviceMoveTo(X, r.bottom);
    DeviceLineTo(X, r.bottom + th / 2.0);
    DeviceTextOut(X - DeviceTextWidth(IntText(v)) / 2.0, r.bottom + th / 2.0, IntText(v));
  }
  BoldText(r.left, r.bottom + th / 2.0 + th, UnitTitle(0, TU_Form::GetCurrentString(U_Temperature)));
  for (int i = 0; i <= 9; ++i) {
    const double x = i * 0.005, Y = AirToDevice(0, x).y;
    DeviceMoveTo(r.right, Y);
    DeviceLineTo(r.right + th / 2.0, Y);
    DeviceTextOut(r.right + th / 2.0 + 2, Y - th / 2.0, HumidityText(x));
  }
  const std::string ahTitle = UnitTitle(1, TU_Form::GetCurrentString(U_Humidity));
  BoldText(r.right - BoldTextWidth(ahTitle), titleY, ahTitle);
}

// ---- Mollier chart -----------------------------------------------------------------

void TMollierDiagram::CalcLayout()
{
  TAirPropDiagram::CalcLayout();
  const int th = v_TextHeight, legend = v_LegendVisible ? 1 : 0;
  v_LegendOffset = th / 2;
  v_GraphRect.left = v_Border + v_CharWidth + DeviceTextWidth(IntText(v_MinDBT));
  v_GraphRect.right = v_Width - v_Border - DeviceTextWidth("100") - th / 2;
  v_GraphRect.top = v_Border + 2 * th + 4 + th / 2;
  v_GraphRect.bottom = v_Height - v_Border / 2 - v_LegendOffset - legend * th;
  v_ScaleX = catalogue::RoundHalfEven(double(v_GraphRect.right - v_GraphRect.left) * 100000000.0 / 451) / 10000;
  v_ScaleY = (v_GraphRect.bottom - v_GraphRect.top) / 100.0;
  ApplyTransform();
}

std::optional<DLWorldPoint> TMollierDiagram::DeviceToAir(double X, double Y) const
{
  if (!HasPlot() || X < v_GraphRect.left || X > v_GraphRect.right || Y < v_GraphRect.top || Y > v_GraphRect.bottom)
    return std::nullopt;
  const double t = 60 - (Y - v_GraphRect.top) / v_ScaleY;
  const double x = (X - v_GraphRect.left) / v_ScaleX;
  if (!(x <= Sat(t)))
    return std::nullopt;
  return DLWorldPoint{t, x};
}

void TMollierDiagram::DrawRelHumidityCurve(double phi)
{
  const DLWorldPoint end = TraceRelHumidityCurve(phi, false);
  const CTWorldPoint d = AirToDevice(end.DBT, end.AH);
  const int th = v_TextHeight;
  SetTag({});
  if (v_Air.AbsoluteHumidity(phi, kChartMaxDBT) < kChartMaxAH) {
    DeviceTextOut(d.x, v_GraphRect.top, IntText(RoundInt(phi)));
    return;
  }
  const std::string label = (phi < 100 ? " " : "") + IntText(RoundInt(phi));
  DeviceTextOut(v_GraphRect.right + th / 2.0, d.y - (th / 2 + (80 - phi) / 10), label);
  if (phi >= 100) {
    const std::string title = UnitTitle(2, "%");
    BoldText(v_GraphRect.right + DeviceTextWidth(" 100") - BoldTextWidth(title), d.y + 2 * th, title);
  }
}

void TMollierDiagram::DrawEnthalpyLine(double h, int label)
{
  const std::optional<DLWorldPoint> saturation = TraceEnthalpyLine(h);
  if (!saturation)
    return;
  const CTWorldPoint d = AirToDevice(saturation->DBT, saturation->AH);
  if (saturation->AH < 0.0444) {
    const std::string text = IntText(label);
    DeviceTextOut(d.x, d.y, text);
    // After the enthalpy, in the empty space beyond saturation, where that is inside the plot.
    // Left of the relative-humidity title, which lies beyond the right edge.
    const double X = d.x + DeviceTextWidth(text + " ");
    const int titleLeft =
      v_GraphRect.right + DeviceTextWidth(" 100") - BoldTextWidth(UnitTitle(2, "%"));
    if (X + DeviceTextWidth(WetBulbLabel(saturation->DBT)) <= std::min(v_GraphRect.right, titleLeft))
      WetBulbText(X, d.y, saturation->DBT, label);
  }
  if (label == v_MinE)
    BoldText(d.x, d.y + v_TextHeight, UnitTitle(3, TU_Form::GetCurrentString(U_Enthalpy)));
}

void TMollierDiagram::DrawProcessLine(const TPointType& p, const TPointType& from)
{
  if (InChartRange(p.v_Dbt, p.v_AH))
    DrawProcessSegment(p, from);
}

void TMollierDiagram::DrawStatePoint(const TPointType& p, const std::string& szLabel)
{
  if (InChartRange(p.v_Dbt, p.v_AH))
    DrawStateDisc(p, szLabel, v_TextHeight / 2.0);
}

CTWorldPoint TMollierDiagram::ConditionsPosition(int nTextWidth) const
{
  // The lower right corner lies beyond saturation, where nothing else is drawn.
  return {v_GraphRect.right - v_CharWidth / 2.0 - nTextWidth, v_GraphRect.bottom - 1.5 * v_TextHeight};
}

void TMollierDiagram::DrawAxes()
{
  const Rect& r = v_GraphRect;
  const int th = v_TextHeight;
  const double titleY = r.top - (2 * th + th / 2 + 4);
  DrawFrameAndTitle(r.left, r.top, titleY);
  const double maxShown = TU_Form::ConvertValue(kChartMaxDBT, U_Temperature, 0, v_CurrDBTUnit, true);
  for (int v = v_MinDBT; v <= maxShown + 1e-9; v += 5) {
    const double Y = AirToDevice(TU_Form::ConvertValue(v, U_Temperature, v_CurrDBTUnit, 0, true), 0).y;
    DeviceMoveTo(r.left - th / 2.0, Y);
    DeviceLineTo(r.left, Y);
    DeviceTextOut(r.left - th - DeviceTextWidth(IntText(v)), Y - th / 2.0, IntText(v));
  }
  BoldText(r.left - (DeviceTextWidth("-40") + v_CharWidth), titleY,
           UnitTitle(0, TU_Form::GetCurrentString(U_Temperature)));
  for (int i = 0; i <= 9; ++i) {
    const double x = i * 0.005, X = AirToDevice(0, x).x;
    DeviceMoveTo(X, r.top - th / 2.0);
    DeviceLineTo(X, r.top);
    const std::string text = HumidityText(x);
    DeviceTextOut(X - DeviceTextWidth(text) / 2.0, r.top - th / 2.0 - 2 - th, text);
  }
  const std::string ahTitle = UnitTitle(1, TU_Form::GetCurrentString(U_Humidity));
  BoldText(r.right - BoldTextWidth(ahTitle), titleY, ahTitle);
}

// ---- the unit's states ----------------------------------------------------------------

void AddPsychroPoints(TAirPropDiagram& chart, int nFamily, const AWPsychroSet& s, const CTStateLabels& l)
{
  chart.AddPoint(1, l.RA, s.RA.DBT, s.RA.AH, 0, false);
  chart.AddPoint(3, l.OA, s.OA.DBT, s.OA.AH, 0, false);
  chart.AddPoint(4, l.VI, s.VI.DBT, s.VI.AH, 3, false);
  // The supply path: through the coil and the humidifier's place where the
  // family has a coil, else through the exchanger's outlet where it has an
  // exhaust side, else straight from ventilation-in.
  const CTFamilyTraits& traits = FamilyTraits(nFamily);
  if (traits.bHasExhaust)
    chart.AddPoint(2, l.EA, s.EA.DBT, s.EA.AH, 1, false);
  int saFrom = 4;
  if (traits.bHasCoil) {
    chart.AddPoint(5, l.CI, s.CI.DBT, s.CI.AH, 4, false);
    chart.AddPoint(6, l.HI, s.HI.DBT, s.HI.AH, 5, false);
    saFrom = 6;
  } else if (traits.bHasExhaust) {
    chart.AddPoint(7, l.VO, s.VO.DBT, s.VO.AH, 4, false);
    saFrom = 7;
  }
  chart.AddPoint(8, l.SA, s.SA.DBT, s.SA.AH, saFrom, false);
}

void UpdatePsychroPoints(TAirPropDiagram& chart, const AWPsychroSet& s)
{
  const RepPsychroPoint* states[8] = {&s.RA, &s.EA, &s.OA, &s.VI, &s.CI, &s.HI, &s.VO, &s.SA};
  for (int i = 0; i < 8; ++i)
    chart.UpdatePoint(i + 1, states[i]->DBT, states[i]->AH);
}


void TranslateChartTexts(CTChartRequest& request, const std::function<std::string(const std::string&)>& translate)
{
  CTStateLabels& l = request.Labels;
  for (std::string* text : {&request.szDBTitle, &request.szAHTitle, &request.szRHTitle, &request.szETitle,
                            &request.szAltitudeTitle, &request.szPressureTitle, &l.RA, &l.OA, &l.EA, &l.SA, &l.VI,
                            &l.VO, &l.CI, &l.HI})
    *text = translate(*text);
}

CTChartRequest ChartRequestFor(const CTSelectionModel& model, bool bCooling)
{
  CTChartRequest request;
  request.bPsychro = CTDiagramSettings::Current().DiagramType;
  request.Altitude = const_cast<CTSelectionModel&>(model).Altitude().GetVal(); // the inputs have no const access
  const Cls_Brisa* unit = model.CurrentBrisa();
  if (!unit)
    return request;
  request.szTitle = unit->GetQualifiedName();
  const CTModeResults& results = bCooling ? model.CoolingResults() : model.HeatingResults();
  if (results.bComputed) {
    request.nFamily = unit->GetType();
    request.States = results.States;
  }
  return request;
}

std::unique_ptr<TAirPropDiagram> DrawUnitChart(DisplayList& list, const CTTextMetrics& metrics,
                                               const CTChartRequest& request, bool bToPrinter)
{
  std::unique_ptr<TAirPropDiagram> chart;
  if (request.bPsychro)
    chart = std::make_unique<TPsychroDiagram>(list, metrics, bToPrinter);
  else
    chart = std::make_unique<TMollierDiagram>(list, metrics, bToPrinter);
  chart->SetAltitude(request.Altitude);
  chart->SetBorder(request.nBorder);
  chart->SetDiagramTitle(request.szTitle);
  chart->SetDBTempTitle(request.szDBTitle);
  chart->SetAHTitle(request.szAHTitle);
  chart->SetRHTitle(request.szRHTitle);
  chart->SetETitle(request.szETitle);
  chart->SetConditionsTitles(request.szAltitudeTitle, request.szPressureTitle);
  if (request.nFamily >= 0)
    AddPsychroPoints(*chart, request.nFamily, request.States, request.Labels);
  chart->SetDimensions(request.nWidth, request.nHeight);
  chart->DrawDiagram(request.bLegend);
  return chart;
}

// ---- read-out ------------------------------------------------------------------------------

std::vector<CTReadOutField> ReadOut(const TAir& air, double t, double x, double deltaEnthalpy)
{
  std::vector<CTReadOutField> fields = {{"Dry bulb", {}},         {"Wet bulb", {}},  {"Dew point", {}},
                                        {"Relative humidity", {}}, {"Absolute humidity", {}}, {"Enthalpy", {}},
                                        {"Specific volume", {}},  {"Density", {}},   {"Pressure", {}}};
  if (t == kNoChartValue || x == kNoChartValue || !std::isfinite(t) || !std::isfinite(x))
    return fields;
  const auto value = [](double v, U_RepUnit unit) {
    return TU_Form::PutFmtDimensionedValue(v, unit, 1, true) + " " + TU_Form::GetCurrentString(unit);
  };
  const double h = air.Enthalpy(x, t), rh = air.RelativeHumidity(x, t);
  fields[0].szValue = value(t, U_Temperature);
  fields[1].szValue = value(air.WetBulbTemp(t, h), U_Temperature);
  const double dew = air.DewPoint(x);
  if (std::isfinite(dew))
    fields[2].szValue = value(dew, U_Temperature);
  fields[3].szValue = Number2FmtStr(rh, 1, 1, TU_Form::GetDecimalSeparator()) + "%";
  fields[4].szValue = value(x, U_Humidity);
  fields[5].szValue = value(h + deltaEnthalpy, U_Enthalpy);
  fields[6].szValue = Number2FmtStr(air.SpecificVolume(rh, t), 1, 3, TU_Form::GetDecimalSeparator()) + " m³/kg";
  fields[7].szValue = value(air.AirDensity(rh, t), U_Density);
  fields[8].szValue = value(air.GetTotalPressure(), U_Pressure);
  return fields;
}

} // namespace aw::charts
