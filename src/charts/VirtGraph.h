#pragma once
// Line graphs on the virtual canvas: a plot area with a title, axis titles,
// a Y scale with tick labels, X labels, an optional legend with colour
// swatches, series drawn as polylines and extra points (operating points) at
// a percentage of the X range. Series values are asked from the owner through
// a callback, so the graph stores none of them.
//
// Tags of the recorded primitives: "curve:KEY" for the pieces of a series,
// "bar:KEY:J" for the bar of a series at value index J, the extra point's own
// tag for its disc, "legend:I" for a swatch.

#include "charts/VirtCanv.h"
#include "platform/SettingsStore.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace aw::charts {

// A series value that does not exist (beyond the curve, no curve).
inline constexpr double kMissingValue = -2147483647;

// The integer division of the X axis from Low to High (display airflow
// units): Count intervals of Step, Count ≥ 5; the labels are Low + i × Step
// for i = 0 … Count.
void GetAxisSteps(int Low, int High, int& Count, int& Step);

// One series: key, caption, colour, visibility and line style. New entries
// take their colours from a palette of 32 shared by every legend of the run.
class TLegend
{
public:
  static constexpr int kPaletteSize = 32;
  static const Colour kPalette[kPaletteSize];

  TLegend(std::string szKey, std::string szLegendEntry, bool bDisplay);

  void SetLegend(std::string NewLegend) { v_Label = std::move(NewLegend); }
  // A colour outside 0 … 0xFFFFFF (a stored value gone bad) is ignored.
  void SetColor(long long NewColor);
  void SetDisplay(bool NewDisplay) { v_DisplayIt = NewDisplay; }
  void SetIsALine(bool DefAsLine, int nPenWidth, PenStyle nPenStyle);
  const std::string& GetLegend() const { return v_Label; }
  const std::string& RegistryKey() const { return v_key; }
  Colour GetColor() const { return v_Color; }
  bool MustDisplay() const { return v_DisplayIt; }
  bool GetIsALine() const { return v_IsALine; }
  int GetPenWidth() const { return v_PenWidth; }
  PenStyle GetPenStyle() const { return v_PenStyle; }

  // The next entry takes the palette's first colour again.
  static void ResetColor() { s_position = 0; }

  // Colour ("Color") and visibility ("Visible") of each entry under
  // szSectionName\key. Loading keeps the current value where one is missing
  // or out of range, and resets the palette when colours were read.
  static void SaveLegendToIniFile(const std::vector<TLegend>& pLegend, std::string_view szSectionName,
                                  platform::SettingsStore& store);
  static void LoadLegendFromIniFile(std::vector<TLegend>& pLegend, std::string_view szSectionName, bool bReadColor,
                                    bool bReadDisplayIt, const platform::SettingsStore& store);

private:
  std::string v_key;
  bool v_IsALine = false;
  bool v_DisplayIt = true;
  int v_PenWidth = 1;
  PenStyle v_PenStyle = PenStyle::Solid;
  Colour v_Color = 0;
  std::string v_Label;
  static int s_position;
};

// An operating point at a percentage of the plot width and a Y value.
struct TExtraPoint
{
  double v_XPercentage = 0; // % of the plot width
  double v_Y = 0;           // Y units
  std::string v_Name;
  bool v_HairLines = false;
  std::string v_Tag; // of the recorded disc
};

class TVirtGraph : public CTVirtualCanvas
{
public:
  // The value of series Row at value index Column; kMissingValue, NaN or
  // infinity for none.
  using TEvaluate = std::function<double(int Row, int Column)>;

  struct Rect
  {
    int left = 0, top = 0, right = 0, bottom = 0;
  };

  TVirtGraph(DisplayList& list, const CTTextMetrics& metrics, TEvaluate OnDrawing);

  // Where the legend entries were drawn: one cell per entry, device px.
  struct LegendLayout
  {
    // The part of a cell: its check box (with check boxes only), its colour
    // swatch or its caption.
    enum class Part { None, Check, Swatch, Caption };
    struct Hit
    {
      int entry = -1;
      Part part = Part::None;
    };

    bool bChecks = false;
    std::vector<Rect> cells;
    // The entry whose cell holds the position; -1 outside every cell.
    int EntryAt(int X, int Y) const;
    // The entry and the part of its cell under the position.
    Hit HitAt(int X, int Y) const;
  };

  void SetBorder(int TheBorder) { SetBorders(TheBorder, TheBorder, TheBorder, TheBorder); }
  void SetBorders(int XLeft, int XRight, int YTop, int YBottom);
  void SetDimensions(int TheWidth, int TheHeight);
  void GetXRange(int& XLeft, int& XRight) const { XLeft = v_GraphRect.left, XRight = v_GraphRect.right; }
  void GetYRange(int& YTop, int& YBottom) const { YTop = v_GraphRect.top, YBottom = v_GraphRect.bottom; }
  const Rect& GraphRect() const { return v_GraphRect; }

  void SetPlots(std::vector<TLegend> TheLegend) { v_Legend = std::move(TheLegend); }
  const std::vector<TLegend>& GetPlots() const { return v_Legend; }
  void SetGraphTitle(std::string t) { v_GraphTitle = std::move(t); }
  void SetXTitle(std::string t) { v_TitleX = std::move(t); }
  void SetYTitle(std::string t) { v_TitleY = std::move(t); }
  void SetXValues(int NrOfValues, std::vector<std::string> LabelsOnX);
  const std::vector<std::string>& LabelsX() const { return v_LabelsX; }
  int ValuesX() const { return v_ValuesX; }

  void AddExtraPoint(double XPercentage, double Y, std::string Name, bool HairLines, std::string Tag = {});
  void ClearExtraPoints() { v_ExtraPoints.clear(); }
  const std::vector<TExtraPoint>& ExtraPoints() const { return v_ExtraPoints; }

  // The explicit scale; nothing happens unless Min < Max.
  void SetYValues(double Min, double Max, double ExactMin, double ExactMax, int NrOfTicks, int Decimals);
  // A scale of round steps covering ExactMin … ExactMax.
  void SetYValues(double ExactMin, double ExactMax, int Decimals);
  double MinY() const { return v_MinY; }
  double MaxY() const { return v_MaxY; }
  int TicksY() const { return v_TicksY; }

  // The plot can be drawn in: a scale and room inside the margins.
  bool HasPlot() const;
  // Device position (unrounded px) of a Y value and of a percentage of the plot width.
  double ValueToDeviceY(double v) const;
  double PercentToDeviceX(double percent) const;

  // AddChecks: the legend entries get check boxes showing their visibility.
  virtual void DrawOutline(bool AddLegend, bool AddChecks = false) = 0;
  virtual void DrawGraph() = 0;

  const LegendLayout& Legend() const { return v_LegendLayout; }
  // A click at a device position: the legend entry under it, -1 for none
  // (no legend drawn, outside the legend, past the last entry).
  int OnClick(int X, int Y) const;

protected:
  void DrawFrame(bool AddLegend, bool AddChecks = false);
  void DrawLegend(bool AddChecks);
  void DrawCheckBox(double x1, double y1, double x2, double y2, bool bChecked);
  // Each X label centred under its tick, the first `first` px right of the Y axis.
  void DrawXLabels(double first, double step);
  void DrawExtraPoints();
  // The top of a label between left and right, moved below the placed labels it would touch.
  double BelowPlacedLabels(const std::vector<Rect>& placed, double left, double right, double top) const;
  void FitYLabel(double value);
  std::string FormatY(double value) const;
  void DrawYTick(double value, bool bBold);
  // The series value, or none when it is missing.
  std::optional<double> ValueAt(int Row, int Column) const;

  TEvaluate v_OnDrawing;
  bool v_LegendVisible = false;
  LegendLayout v_LegendLayout;
  int v_BorderXL = 0, v_BorderXR = 0, v_BorderYT = 0, v_BorderYB = 0;
  int v_Width = 0, v_Height = 0;
  int v_CharWidth = 0, v_TextHeight = 0;
  std::vector<TLegend> v_Legend;
  int v_TicksY = 5, v_DecimalsY = 0, v_ValuesX = 0, v_MaxLegendItem = 0;
  std::vector<std::string> v_LabelsX;
  std::vector<TExtraPoint> v_ExtraPoints;
  Rect v_GraphRect;
  std::string v_GraphTitle, v_TitleY, v_TitleX;
  double v_MinY = 0, v_MaxY = 0, v_ExactMinY = 0, v_ExactMaxY = 0;
};

class TVirtLineGraph : public TVirtGraph
{
public:
  using TVirtGraph::TVirtGraph;
  // The frame and the X labels on their ticks: the first at the Y axis, the last at the right end.
  void DrawOutline(bool AddLegend, bool AddChecks = false) override;
  // The displayed series, the first value at the Y axis and the last at the right end.
  void DrawGraph() override;
  // Device X (unrounded px) of value index j.
  double ValueToDeviceX(int j) const;

protected:
  void DrawLines(double nStep, double nStart);
  void DrawSeries(int nRow, double nStep, double nStart);
};

// Bar graphs: each value index is a group with one bar per displayed series,
// shaded dark at both edges and brightest in the middle. Nothing in the
// program draws bars yet; the class keeps the graph family complete.
class TVirtBarGraph : public TVirtGraph
{
public:
  using TVirtGraph::TVirtGraph;

  struct Bar
  {
    int row = -1, column = -1; // series and value index; -1 for none
    bool operator==(const Bar&) const = default;
  };
  struct BarBox
  {
    Bar bar;
    double left = 0, top = 0, right = 0, bottom = 0; // device px
  };

  // The frame and each X label centred under its group.
  void DrawOutline(bool AddLegend, bool AddChecks = false) override;
  void DrawGraph() override;
  // Values written above bars at least 20 px wide; each bar narrowed by
  // ExtraBarSpace px on both sides.
  void DisplayValues(int Decimals, int ExtraBarSpace);
  // The bars as drawn: groups of the plot width / values, one slot per
  // displayed series, bars at most 45 px wide centred in their slots.
  std::vector<BarBox> Bars() const;
  // Selects the bar under a device position and returns it; a position on
  // no bar clears the selection.
  Bar OnBarClick(int X, int Y);
  Bar Selected() const { return v_Selected; }

private:
  void DrawShadedBar(double x1, double y1, double x2, double y2, Colour fill);

  bool v_DisplayValues = false;
  int v_ValDecimals = 0;
  int v_ExtraBarSpace = 0;
  Bar v_Selected;
};

} // namespace aw::charts
