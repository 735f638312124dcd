#pragma once
// The moist-air charts: the psychrometric chart (dry bulb across, absolute
// humidity upwards) and the Mollier chart (absolute humidity across, dry bulb
// upwards), both spanning -40 … 60 °C and 0 … 0.0451 kg/kg whatever the
// units shown. TAirPropDiagram holds the state, the points, the legend and
// the pointer handling; the two kinds supply the geometry.
//
// A chart records into a display list. Every line of the chart (the line
// families and the process lines) is cut to the plot rectangle, and the air
// properties, also those of the hover read-out, come from the chart's own
// TAir at the chart's altitude.
//
// Tags of the recorded primitives: "dbt:T", "ah:X", "rh:PHI", "h:LABEL"
// (label in the enthalpy unit shown), "process:FROM-TO", "state:NAME",
// "legend:I", "arrow:FROM-TO" (the direction mark of a process line),
// "wb:LABEL" (the wet bulb at the saturation end of an enthalpy line),
// "conditions" (the altitude and pressure the chart is drawn for); lines
// carry the air state of every vertex.
//
// States closer than the pointer can tell apart (0.5 K, 0.0005 kg/kg) have
// one label naming all of them in list order ("VO = SA").

#include "air/Air.h"
#include "charts/VirtCanv.h"
#include "engine/ClBrisa.h"
#include "engine/SelectionModel.h"
#include "platform/SettingsStore.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace aw::charts {

inline constexpr double kChartMinDBT = -40; // °C
inline constexpr double kChartMaxDBT = 60;  // °C
inline constexpr double kChartMaxAH = 0.0451; // kg/kg
inline constexpr double kNoChartValue = -2147483647; // outside the plot or beyond saturation

struct TGraphLineType
{
  Colour v_Color = kBlack;
  std::string v_Title;
};

struct TPointType
{
  bool v_HairLines = false;
  int v_PointIndex = 0;
  int v_RelIndex = 0; // the point the process line comes from; 0 = none
  double v_Dbt = 0;   // °C
  double v_AH = 0;    // kg/kg
  std::string v_Name;
};

// The class-wide chart settings: the kind and the colours of the four line
// families, kept in the settings store.
struct CTDiagramSettings
{
  static constexpr Colour kDefaultColorDBT = 12632256, kDefaultColorAH = 12632256, kDefaultColorRH = 128,
                          kDefaultColorE = 32768;
  bool DiagramType = true; // true: psychrometric chart, false: Mollier chart
  Colour Colors[4] = {kDefaultColorDBT, kDefaultColorAH, kDefaultColorRH, kDefaultColorE};

  static CTDiagramSettings& Current();
  // A choice made in the program (the page's switch, the preferences): it is
  // kept when the stored settings are loaded afterwards.
  void ChooseDiagramType(bool bPsychro);
  void ChooseColor(int nEntry, Colour colour);

  // The kind and the colours in one write; false when the store could not be written.
  bool LegendToRegistry(std::string_view szRegRoot, platform::SettingsStore& store) const;
  // The same values into a settings tree, for a write that holds more.
  void WriteTo(platform::SettingsKey& root, std::string_view szRegRoot) const;
  // Reads each stored value that exists and was not chosen in the program.
  void LoadLegendFromRegistry(std::string_view szRegRoot, const platform::SettingsStore& store);
  void RestoreRegistryDefaults();

private:
  bool v_typeChosen = false;
  bool v_colorChosen[4] = {false, false, false, false};
};

// What the pointer is over.
struct CTHoverInfo
{
  bool bInPlot = false;      // a valid air state under the pointer
  double Dbt = kNoChartValue; // °C; the snapped state's when snapped
  double AH = kNoChartValue;  // kg/kg
  std::string szSnapped;      // the name of the state it snapped to
  int nSwatch = -1;           // the legend entry whose swatch is under the pointer
};

class TAirPropDiagram : public CTVirtualCanvas
{
public:
  using TGraphHoover = std::function<void(double Dbt, double AH)>;
  using TGraphClick = std::function<void(double Dbt, double AH, const std::string& Name)>;
  using TLegendClick = std::function<void()>;
  // Asks for a new colour of a legend entry; nothing when the user cancels.
  using TLegendColourChoice = std::function<std::optional<Colour>(int nEntry, Colour current)>;

  // The kind of chart the class-wide settings ask for.
  static std::unique_ptr<TAirPropDiagram> Create(DisplayList& list, const CTTextMetrics& metrics,
                                                 bool bToPrinter = false);

  TAirPropDiagram(DisplayList& list, const CTTextMetrics& metrics, bool bToPrinter);

  virtual bool IsPsychro() const = 0;
  void SetAltitude(double Altitude)
  {
    v_Altitude = Altitude;
    v_Air.SetAltitude(Altitude);
  }
  const TAir& Air() const { return v_Air; }
  void SetDimensions(int TheWidth, int TheHeight);
  void SetBorder(int TheBorder) { v_Border = TheBorder; }
  void SetDiagramTitle(std::string Title) { v_DiagramTitle = std::move(Title); }
  void SetDBTempTitle(std::string t) { v_LabelTitles[0].v_Title = std::move(t); }
  void SetAHTitle(std::string t) { v_LabelTitles[1].v_Title = std::move(t); }
  void SetRHTitle(std::string t) { v_LabelTitles[2].v_Title = std::move(t); }
  void SetETitle(std::string t) { v_LabelTitles[3].v_Title = std::move(t); }
  // The captions of the altitude and the pressure printed on the chart.
  void SetConditionsTitles(std::string szAltitude, std::string szPressure)
  {
    v_AltitudeTitle = std::move(szAltitude);
    v_PressureTitle = std::move(szPressure);
  }
  const TGraphLineType& LegendEntry(int i) const { return v_LabelTitles[i]; }
  void SetLegendColor(int i, Colour c) { v_LabelTitles[i].v_Color = c; }
  void SetOnGraphHoover(TGraphHoover h) { v_OnGraphHoover = std::move(h); }
  void SetOnGraphClick(TGraphClick h) { v_OnGraphClick = std::move(h); }
  void SetOnLegendClick(TLegendClick h) { v_OnLegendClick = std::move(h); }
  void SetOnLegendColourChoice(TLegendColourChoice h) { v_OnLegendColourChoice = std::move(h); }

  void AddPoint(int PointIndex, std::string Name, double Dbt, double AH, int LineToIndex, bool ShowHairlines);
  void UpdatePoint(int PointIndex, double Dbt, double AH);
  void RemovePoint(int PointIndex);
  void RemovePoints() { v_Points.clear(); }
  const std::vector<TPointType>& Points() const { return v_Points; }

  // Records the whole chart into the display list (replacing its contents).
  void DrawDiagram(bool AddLegend);

  // The pointer moved: the new hover state (also given to the hover handler).
  CTHoverInfo OnHoover(int X, int Y);
  // The button was released: the click handler; on a swatch the colour choice
  // (an accepted colour becomes the entry's), then the legend handler.
  void OnClick(int X, int Y);
  // The hover marks (a ring or disc around the snapped state, the swatch
  // outline) as their own list, drawn over the chart.
  DisplayList HoverMarks() const;

  // Device position (px) to air state; nothing outside the plot or beyond saturation.
  virtual std::optional<DLWorldPoint> DeviceToAir(double X, double Y) const = 0;
  // Air state to unrounded device position (px), from the layout: drawing ends with the canvas restored.
  CTWorldPoint AirToDevice(double Dbt, double AH) const;
  struct Rect
  {
    int left = 0, top = 0, right = 0, bottom = 0;
  };
  const Rect& GraphRect() const { return v_GraphRect; }
  // The plot has room: a panel smaller than its margins draws its background only.
  bool HasPlot() const { return v_GraphRect.right > v_GraphRect.left && v_GraphRect.bottom > v_GraphRect.top; }
  double DeltaEnthalpy() const { return v_DeltaEnthalpy; }
  // The names of the states that coincide with the point, in list order, joined by " = ".
  std::string CoincidingNames(const TPointType& p) const;

protected:
  virtual void CalcLayout();
  // The dry-bulb and absolute-humidity lines run alike on both kinds, through ToWorld.
  virtual void DrawDryBulbLine(double t);
  virtual void DrawAbsHumidityLine(double x);
  virtual void DrawRelHumidityCurve(double phi) = 0;
  virtual void DrawEnthalpyLine(double h, int label) = 0;
  virtual void DrawProcessLine(const TPointType& p, const TPointType& from) = 0;
  // The disc of a state and its label (empty when another state of the same place has it).
  virtual void DrawStatePoint(const TPointType& p, const std::string& szLabel) = 0;
  virtual void DrawAxes() = 0;
  // Where the text of the altitude and pressure starts (device px).
  virtual CTWorldPoint ConditionsPosition(int nTextWidth) const = 0;
  // World coordinates of an air state.
  virtual CTWorldPoint ToWorld(double Dbt, double AH) const = 0;

  // Helpers of both kinds.
  double Sat(double t) const { return v_Air.AbsoluteHumidity(100, t); }
  void AirMoveTo(double t, double x);
  void AirLineTo(double t, double x);
  // The RH curve from -40 °C to where it leaves the chart; its end state.
  DLWorldPoint TraceRelHumidityCurve(double phi, bool bPsychro);
  bool InChartRange(double t, double x) const;
  void BoldText(double X, double Y, const std::string& sz);
  int BoldTextWidth(const std::string& sz);
  // The two axis lines from the lower left over the corner to the upper right, and the title.
  void DrawFrameAndTitle(double cornerX, double cornerY, double titleY);
  // The plot's offsets and scales given to the canvas.
  void ApplyTransform();
  // The constant-enthalpy line from saturation to dry air (or the 60 °C
  // edge); its saturation end, or nothing when the line lies below -40 °C.
  std::optional<DLWorldPoint> TraceEnthalpyLine(double h);
  // The wet bulb of the saturation end as a label: the temperature in the unit shown.
  std::string WetBulbLabel(double tw) const;
  void WetBulbText(double X, double Y, double tw, int label);
  // The process line (width 2) with a direction mark halfway.
  void DrawProcessSegment(const TPointType& p, const TPointType& from);
  std::string UnitTitle(int nEntry, const std::string& szUnit) const;
  std::string HumidityText(double x) const;
  std::string IntText(int n) const { return std::to_string(n); }
  void DrawStateDisc(const TPointType& p, const std::string& szLabel, double labelShiftX);
  void ClipToPlot();
  double LegendSwatchInset() const;

  TAir v_Air;
  double v_Altitude = 0; // m
  std::string v_AltitudeTitle = "Altitude", v_PressureTitle = "Pressure";
  bool v_LegendVisible = false;
  int v_CurrDBTUnit = 0, v_CurrAHUnit = 0, v_CurrEUnit = 0;
  int v_Border = 0, v_Width = 0, v_Height = 0;
  int v_MaxLegendItem = 0, v_TextHeight = 0, v_CharWidth = 0, v_LegendOffset = 0;
  int v_MinDBT = 0, v_MinE = 0;
  Rect v_GraphRect;
  TGraphLineType v_LabelTitles[4];
  std::vector<TPointType> v_Points;
  double v_ScaleX = 0, v_ScaleY = 0;
  double v_DeltaEnthalpy = 0;
  std::string v_DiagramTitle;
  TGraphHoover v_OnGraphHoover;
  TGraphClick v_OnGraphClick;
  TLegendClick v_OnLegendClick;
  TLegendColourChoice v_OnLegendColourChoice;
  std::optional<int> v_SelectPoint; // index into v_Points of the snapped state
  int v_Swatch = -1;                // highlighted legend swatch

private:
  const TPointType* FindPoint(int nIndex) const;
  void DrawPoints();
  void DrawDirectionArrow(const TPointType& p, const TPointType& from);
  void DrawConditions();
  void DrawLegend();
  int SwatchAt(int X, int Y) const;
};

class TPsychroDiagram : public TAirPropDiagram
{
public:
  using TAirPropDiagram::TAirPropDiagram;
  bool IsPsychro() const override { return true; }
  std::optional<DLWorldPoint> DeviceToAir(double X, double Y) const override;

protected:
  void CalcLayout() override;
  void DrawRelHumidityCurve(double phi) override;
  void DrawEnthalpyLine(double h, int label) override;
  void DrawProcessLine(const TPointType& p, const TPointType& from) override;
  void DrawStatePoint(const TPointType& p, const std::string& szLabel) override;
  void DrawAxes() override;
  CTWorldPoint ConditionsPosition(int nTextWidth) const override;
  CTWorldPoint ToWorld(double Dbt, double AH) const override { return {Dbt + 40, kChartMaxAH - AH}; }
};

class TMollierDiagram : public TAirPropDiagram
{
public:
  using TAirPropDiagram::TAirPropDiagram;
  bool IsPsychro() const override { return false; }
  std::optional<DLWorldPoint> DeviceToAir(double X, double Y) const override;

protected:
  void CalcLayout() override;
  void DrawRelHumidityCurve(double phi) override;
  void DrawEnthalpyLine(double h, int label) override;
  void DrawProcessLine(const TPointType& p, const TPointType& from) override;
  void DrawStatePoint(const TPointType& p, const std::string& szLabel) override;
  void DrawAxes() override;
  CTWorldPoint ConditionsPosition(int nTextWidth) const override;
  CTWorldPoint ToWorld(double Dbt, double AH) const override { return {AH, 60 - Dbt}; }
};

// ---- the selected unit's states on a chart -----------------------------------------

// The labels of the eight states, in the order RA, OA, EA, SA, VI, VO, CI, HI.
struct CTStateLabels
{
  std::string RA = "RA", OA = "OA", EA = "EA", SA = "SA", VI = "VI", VO = "VO", CI = "CI", HI = "HI";
};

// Adds the points of a unit of the family with their process lines.
void AddPsychroPoints(TAirPropDiagram& chart, int nFamily, const AWPsychroSet& set, const CTStateLabels& labels = {});
// Moves the points 1 … 8 to the states of the set.
void UpdatePsychroPoints(TAirPropDiagram& chart, const AWPsychroSet& set);

// Everything a chart of the selected unit is drawn from.
struct CTChartRequest
{
  bool bPsychro = true;
  int nWidth = 800, nHeight = 600; // px
  int nBorder = 12;                // px at 96 dpi
  bool bLegend = true;
  double Altitude = 0; // m
  std::string szTitle; // the unit's qualified name; empty without a unit
  int nFamily = -1;    // -1: no unit, no points
  AWPsychroSet States;
  std::string szDBTitle = "Dry bulb temperature", szAHTitle = "Absolute humidity", szRHTitle = "Relative humidity",
              szETitle = "Enthalpy", szAltitudeTitle = "Altitude", szPressureTitle = "Pressure";
  CTStateLabels Labels;
};

// Puts the request's own texts (legend and axis titles, state labels, the
// captions of altitude and pressure) into the user's language.
void TranslateChartTexts(CTChartRequest& request, const std::function<std::string(const std::string&)>& translate);

// The request for the model's selected unit in one mode (no points when no
// unit is selected or the mode was not computed).
CTChartRequest ChartRequestFor(const CTSelectionModel& model, bool bCooling);

// Creates the chart of the request's kind and records it into the list.
std::unique_ptr<TAirPropDiagram> DrawUnitChart(DisplayList& list, const CTTextMetrics& metrics,
                                               const CTChartRequest& request, bool bToPrinter = false);

// One line of the read-out of an air state: its caption and formatted value.
struct CTReadOutField
{
  std::string szCaption;
  std::string szValue;
};

// The read-out of the state (t °C, x kg/kg) with the chart's air: dry bulb,
// wet bulb, dew point (empty for dry air), relative humidity, absolute
// humidity, enthalpy, specific volume, density and pressure, in the units in
// effect. Empty values when the state is absent (kNoChartValue).
std::vector<CTReadOutField> ReadOut(const TAir& air, double t, double x, double deltaEnthalpy);

} // namespace aw::charts
