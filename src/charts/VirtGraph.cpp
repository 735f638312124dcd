#include "charts/VirtGraph.h"

#include "air/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace aw::charts {

// The margin of a legend's check box and swatch inside their text height, px.
constexpr int kLegendMargin = 2;

void GetAxisSteps(int Low, int High, int& Count, int& Step)
{
  Step = 800;
  do {
    Step /= 4;
    if (Step < 10)
      Step = 10;
    else if (Step < 20)
      Step = 20;
    Count = (High - Low) / Step + 1;
    if (Step == 10 && Count < 5)
      Count = 5;
  } while (Count < 5);
}

// ---- legend ------------------------------------------------------------------------------

const Colour TLegend::kPalette[kPaletteSize] = {
  0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080, 0x000000, 0x0000FF, 0x00FF00, 0x00FFFF,
  0xFF0000, 0xFF00FF, 0xFFFF00, 0xC0C0C0, 0x007FFF, 0xC0DCC0, 0xF0C8A4, 0xFF7F7F, 0xFF7F00, 0xFF007F, 0x7FFF7F,
  0x7FFF00, 0x00FF7F, 0x7F7FFF, 0x7F00FF, 0x007FFF, 0xAF7F7F, 0xAF7F00, 0xAF007F, 0x7FAF7F, 0x7FAF00};
int TLegend::s_position = 0;

TLegend::TLegend(std::string szKey, std::string szLegendEntry, bool bDisplay)
  : v_key(std::move(szKey)), v_DisplayIt(bDisplay), v_Color(kPalette[s_position]), v_Label(std::move(szLegendEntry))
{
  s_position = (s_position + 1) % kPaletteSize;
}

void TLegend::SetColor(long long NewColor)
{
  if (NewColor >= 0 && NewColor <= 0xFFFFFF)
    v_Color = static_cast<Colour>(NewColor);
}

void TLegend::SetIsALine(bool DefAsLine, int nPenWidth, PenStyle nPenStyle)
{
  v_IsALine = DefAsLine;
  v_PenWidth = nPenWidth;
  v_PenStyle = nPenStyle;
}

namespace {
std::string EntryKey(std::string_view szSectionName, const TLegend& l)
{
  return std::string(szSectionName) + "\\" + l.RegistryKey();
}
} // namespace

void TLegend::SaveLegendToIniFile(const std::vector<TLegend>& pLegend, std::string_view szSectionName,
                                  platform::SettingsStore& store)
{
  for (const TLegend& l : pLegend) {
    const std::string key = EntryKey(szSectionName, l);
    store.CreateKey(key);
    store.WriteInteger(key, "Color", static_cast<std::int32_t>(l.GetColor()));
    store.WriteInteger(key, "Visible", l.MustDisplay() ? 1 : 0);
  }
}

void TLegend::LoadLegendFromIniFile(std::vector<TLegend>& pLegend, std::string_view szSectionName, bool bReadColor,
                                    bool bReadDisplayIt, const platform::SettingsStore& store)
{
  for (TLegend& l : pLegend) {
    const std::string key = EntryKey(szSectionName, l);
    if (!store.KeyExists(key))
      continue;
    if (const auto colour = store.ReadInteger(key, "Color"); colour && bReadColor)
      l.SetColor(*colour);
    if (const auto visible = store.ReadInteger(key, "Visible"); visible && bReadDisplayIt)
      l.SetDisplay(*visible != 0);
  }
  if (bReadColor)
    ResetColor();
}

// ---- graph -------------------------------------------------------------------------------

TVirtGraph::TVirtGraph(DisplayList& list, const CTTextMetrics& metrics, TEvaluate OnDrawing)
  : CTVirtualCanvas(list, metrics), v_OnDrawing(std::move(OnDrawing))
{
  v_CharWidth = DeviceTextWidth("W");
  v_TextHeight = DeviceTextHeight("W");
}

void TVirtGraph::SetBorders(int XLeft, int XRight, int YTop, int YBottom)
{
  v_BorderXL = XLeft, v_BorderXR = XRight, v_BorderYT = YTop, v_BorderYB = YBottom;
}

void TVirtGraph::SetDimensions(int TheWidth, int TheHeight)
{
  v_Width = TheWidth, v_Height = TheHeight;
  v_GraphRect.right = TheWidth, v_GraphRect.bottom = TheHeight;
  DrawingCanvas().width = TheWidth;
  DrawingCanvas().height = TheHeight;
}

void TVirtGraph::SetXValues(int NrOfValues, std::vector<std::string> LabelsOnX)
{
  v_ValuesX = std::max(NrOfValues, 0);
  v_LabelsX = std::move(LabelsOnX);
}

void TVirtGraph::AddExtraPoint(double XPercentage, double Y, std::string Name, bool HairLines, std::string Tag)
{
  v_ExtraPoints.push_back({XPercentage, Y, std::move(Name), HairLines, std::move(Tag)});
}

void TVirtGraph::SetYValues(double Min, double Max, double ExactMin, double ExactMax, int NrOfTicks, int Decimals)
{
  if (!(Min < Max) || !std::isfinite(Min) || !std::isfinite(Max) || NrOfTicks < 1)
    return;
  v_TicksY = NrOfTicks, v_DecimalsY = Decimals, v_MinY = Min, v_MaxY = Max;
  const double interval = (Max - Min) / NrOfTicks;
  v_ExactMinY = ExactMin >= Min && ExactMin <= Min + interval ? ExactMin : Min;
  v_ExactMaxY = ExactMax >= Max - interval && ExactMax <= Max ? ExactMax : Max;
  for (double v : {Min, Max, v_ExactMinY, v_ExactMaxY})
    FitYLabel(v);
}

void TVirtGraph::SetYValues(double ExactMin, double ExactMax, int Decimals)
{
  if (!(ExactMin < ExactMax) || !std::isfinite(ExactMin) || !std::isfinite(ExactMax)) {
    SetYValues(v_MinY, v_MaxY, v_ExactMinY, v_ExactMaxY, v_TicksY, Decimals);
    return;
  }
  const double d = ExactMax - ExactMin;
  double a = 1;
  while (d * a < 100)
    a *= 10;
  while (d * a > 1000)
    a /= 10;
  const double s = (d * a < 200 ? 20 : d * a < 500 ? 50 : 100) / a;
  int ticks = 0;
  double min = 0, max = 0;
  if (ExactMin < 0) {
    for (; min > ExactMin; min -= s)
      ++ticks;
    if (ExactMax < 0 && d > s)
      for (; ExactMax < max - s; max -= s)
        --ticks;
  }
  if (ExactMax > 0) {
    for (; max < ExactMax; max += s)
      ++ticks;
    if (ExactMin > 0 && d > s)
      for (; ExactMin > min + s; min += s)
        --ticks;
  }
  if (ticks <= 1)
    ticks = 10;
  SetYValues(min, max, ExactMin, ExactMax, ticks, Decimals);
}

std::string TVirtGraph::FormatY(double value) const { return Number2FmtStr(value, 0, v_DecimalsY); }

void TVirtGraph::FitYLabel(double value)
{
  const int w = DeviceTextWidth(FormatY(value));
  v_GraphRect.left = std::max(v_GraphRect.left, std::max(w, v_BorderXL) + v_CharWidth + v_CharWidth / 2);
}

bool TVirtGraph::HasPlot() const
{
  return v_MinY < v_MaxY && v_GraphRect.right > v_GraphRect.left && v_GraphRect.bottom > v_GraphRect.top;
}

double TVirtGraph::ValueToDeviceY(double v) const
{
  return v_GraphRect.top + (v_MaxY - v) * (v_GraphRect.bottom - v_GraphRect.top) / (v_MaxY - v_MinY);
}

double TVirtGraph::PercentToDeviceX(double percent) const
{
  return v_GraphRect.left + (v_GraphRect.right - v_GraphRect.left) * percent / 100;
}

std::optional<double> TVirtGraph::ValueAt(int Row, int Column) const
{
  const double v = v_OnDrawing(Row, Column);
  if (v == kMissingValue || !std::isfinite(v))
    return std::nullopt;
  return v;
}

void TVirtGraph::DrawYTick(double value, bool bBold)
{
  const double y = ValueToDeviceY(value);
  const int left = v_GraphRect.left;
  DeviceMoveTo(left - v_CharWidth / 2, y);
  DeviceLineTo(left, y);
  SetVCTextBold(bBold);
  const std::string label = FormatY(value);
  DeviceTextOut(left - v_CharWidth - DeviceTextWidth(label), y - v_TextHeight / 2, label);
  SetVCTextBold(false);
}

int TVirtGraph::LegendLayout::EntryAt(int X, int Y) const
{
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const Rect& c = cells[i];
    if (X >= c.left && X < c.right && Y >= c.top && Y < c.bottom)
      return static_cast<int>(i);
  }
  return -1;
}

TVirtGraph::LegendLayout::Hit TVirtGraph::LegendLayout::HitAt(int X, int Y) const
{
  const int entry = EntryAt(X, Y);
  if (entry < 0)
    return {};
  // The box and the swatch are a text height less the margins wide, as drawn;
  // with check boxes the swatch follows one text height in.
  const Rect& c = cells[static_cast<std::size_t>(entry)];
  const int textHeight = c.bottom - c.top, box = textHeight - 2 * kLegendMargin, x = X - c.left;
  if (bChecks && x <= box)
    return {entry, Part::Check};
  if (x <= (bChecks ? textHeight : 0) + box)
    return {entry, Part::Swatch};
  return {entry, Part::Caption};
}

int TVirtGraph::OnClick(int X, int Y) const
{
  return v_LegendVisible ? v_LegendLayout.EntryAt(X, Y) : -1;
}

void TVirtGraph::DrawFrame(bool AddLegend, bool AddChecks)
{
  SaveProperties();
  SetTag("");
  v_LegendVisible = AddLegend;
  v_LegendLayout = {};
  SetVCBrushStyle(BrushStyle::Clear);
  const int titleYWidth = DeviceTextWidth(v_TitleY);
  const double titleYx = titleYWidth / 2 <= v_GraphRect.left - v_BorderXL ? v_GraphRect.left - titleYWidth / 2.0 : v_BorderXL;
  DeviceTextOut(titleYx, v_BorderYT, v_TitleY);
  DeviceTextOut((v_GraphRect.left + v_GraphRect.right - DeviceTextWidth(v_GraphTitle)) / 2.0, v_BorderYT, v_GraphTitle);
  v_GraphRect.top = v_BorderYT + v_TextHeight + v_TextHeight / 2;
  v_GraphRect.bottom = v_Height - v_BorderYB - v_TextHeight - v_TextHeight / 2;
  v_GraphRect.right = v_Width - v_CharWidth - DeviceTextWidth(v_TitleX) - v_BorderXR;
  SetVCPenWidth(1);
  SetVCPenColor(kBlack);
  if (AddLegend)
    DrawLegend(AddChecks);
  const Rect& r = v_GraphRect;
  if (r.right <= r.left || r.bottom <= r.top) {
    RestoreProperties();
    return; // no room inside the margins: the titles only
  }
  DeviceMoveTo(r.left, r.top);
  DeviceLineTo(r.left, r.bottom);
  DeviceLineTo(r.right, r.bottom);
  DeviceTextOut(r.right + v_CharWidth, r.bottom - v_TextHeight / 2, v_TitleX);
  if (HasPlot()) {
    const int h = v_TextHeight / 2;
    DrawYTick(v_ExactMinY, std::fabs(v_ExactMinY - v_MinY) > 1e-9);
    DrawYTick(v_ExactMaxY, std::fabs(v_ExactMaxY - v_MaxY) > 1e-9);
    const double yExactMin = ValueToDeviceY(v_ExactMinY), yExactMax = ValueToDeviceY(v_ExactMaxY);
    for (int k = 0; k <= v_TicksY; ++k) {
      const double v = v_MinY + k * (v_MaxY - v_MinY) / v_TicksY;
      const double y = ValueToDeviceY(v);
      if (std::fabs(y - yExactMin) < h || std::fabs(y - yExactMax) < h)
        continue;
      DrawYTick(v, false);
    }
  }
  RestoreProperties();
}

void TVirtGraph::DrawLegend(bool AddChecks)
{
  int widest = 0;
  for (const TLegend& l : v_Legend)
    widest = std::max(widest, DeviceTextWidth(l.GetLegend()));
  // With check boxes the swatch moves right by one text height.
  const int shift = AddChecks ? v_TextHeight : 0;
  v_MaxLegendItem = widest + (AddChecks ? 4 : 3) * v_CharWidth + shift;
  v_LegendLayout.bChecks = AddChecks;
  const int perRow = std::max(1, (v_Width - v_GraphRect.left + 1) / std::max(1, v_MaxLegendItem));
  const int rows = (static_cast<int>(v_Legend.size()) + perRow - 1) / perRow;
  v_GraphRect.bottom -= rows * v_TextHeight;
  const int b = kLegendMargin;
  for (std::size_t i = 0; i < v_Legend.size(); ++i) {
    const TLegend& l = v_Legend[i];
    const double x = v_GraphRect.left + static_cast<int>(i % perRow) * v_MaxLegendItem;
    const double y = v_GraphRect.bottom + 2 * v_TextHeight - v_TextHeight / 2 + static_cast<int>(i / perRow) * v_TextHeight;
    const int cellX = static_cast<int>(x), cellY = static_cast<int>(y);
    v_LegendLayout.cells.push_back({cellX, cellY, cellX + v_MaxLegendItem, cellY + v_TextHeight});
    if (AddChecks) {
      SetTag("check:" + std::to_string(i));
      DrawCheckBox(x, y + b, x + v_TextHeight - 2 * b, y + v_TextHeight - b, l.MustDisplay());
    }
    SetTag("legend:" + std::to_string(i));
    SetVCBrushStyle(BrushStyle::Solid);
    SetVCBrushColor(l.MustDisplay() ? l.GetColor() : kWhite);
    SetVCPenColor(l.MustDisplay() ? kBlack : 0xC0C0C0);
    DeviceRectangle(x + shift, y + b, x + shift + v_TextHeight - 2 * b, y + v_TextHeight - b);
    SetTag("");
    SetVCBrushStyle(BrushStyle::Clear);
    SetVCTextColor(l.MustDisplay() ? kBlack : 0xC0C0C0);
    DeviceTextOut(x + v_CharWidth + v_CharWidth / 2 + v_TextHeight + shift, y, l.GetLegend());
  }
  SetVCPenColor(kBlack);
  SetVCTextColor(kBlack);
}

void TVirtGraph::DrawCheckBox(double x1, double y1, double x2, double y2, bool bChecked)
{
  SetVCBrushStyle(BrushStyle::Solid);
  SetVCBrushColor(kWhite);
  SetVCPenColor(0xE2EFF1);
  DeviceRectangle(x1, y1, x2, y2);
  SetVCPenColor(0x99A8AC); // the bevel along the top and left edges
  DeviceMoveTo(x1, y2 - 1);
  DeviceLineTo(x1, y1);
  DeviceLineTo(x2, y1);
  SetVCPenColor(0x646F71);
  DeviceMoveTo(x1 + 1, y2 - 2);
  DeviceLineTo(x1 + 1, y1 + 1);
  DeviceLineTo(x2 - 1, y1 + 1);
  if (bChecked) { // a tick of short vertical strokes, rising to the right
    SetVCPenColor(kBlack);
    const int longer = x2 - x1 > 9 ? 1 : 0;
    std::optional<int> d;
    for (int k = 0; k <= x2 - x1; ++k) {
      const double x = x2 - k - 3;
      if (x <= x1 + 2)
        break;
      const int top = d ? *d : k;
      DeviceMoveTo(x, y1 + top + 3);
      DeviceLineTo(x, y1 + top + 5 + longer);
      if (!d && y1 + k + 5 + longer >= y2 - 2)
        d = k - 1;
    }
  }
  SetVCBrushStyle(BrushStyle::Clear);
  SetVCPenColor(kBlack);
}

// A label that would overlap an earlier one further back than the previous
// (two points at one pressure, side by side) moves down below it as well.
double TVirtGraph::BelowPlacedLabels(const std::vector<Rect>& placed, double left, double right, double top) const
{
  for (bool bMoved = true; bMoved;) {
    bMoved = false;
    for (const Rect& q : placed)
      if (left < q.right && q.left < right && top < q.bottom + 5 && q.top < top + v_TextHeight + 5) {
        top = q.bottom + 5;
        bMoved = true;
      }
  }
  return top;
}

void TVirtGraph::DrawExtraPoints()
{
  SaveProperties();
  const Rect& r = v_GraphRect;
  double lastLabelY = -1e9;
  std::vector<Rect> placed; // the labels written so far
  for (const TExtraPoint& p : v_ExtraPoints) {
    const double x = PercentToDeviceX(p.v_XPercentage), y = ValueToDeviceY(p.v_Y);
    if (!std::isfinite(x) || !std::isfinite(y) || x < r.left || x > r.right || y < r.top || y > r.bottom)
      continue; // outside the plot: neither the point nor its lines or label
    if (p.v_HairLines) {
      SetTag("");
      SetVCPenStyle(PenStyle::Dot);
      SetVCPenColor(VCTextColor());
      DeviceMoveTo(x, y);
      DeviceLineTo(x, r.bottom);
      DeviceMoveTo(x, y);
      DeviceLineTo(r.left, y);
      SetVCPenStyle(PenStyle::Solid);
    }
    SetTag(p.v_Tag);
    SetVCBrushStyle(BrushStyle::Solid);
    SetVCPenColor(kWhite);
    SetVCBrushColor(kWhite);
    DeviceEllipse(x - 5, y - 5, x + 5, y + 5);
    SetVCPenColor(VCTextColor());
    SetVCBrushColor(VCTextColor());
    DeviceEllipse(x - 4, y - 4, x + 4, y + 4);
    SetTag("");
    SetVCBrushStyle(BrushStyle::Clear);
    if (!p.v_Name.empty()) {
      const int labelWidth = DeviceTextWidth(p.v_Name);
      const double labelX = std::min<double>(x, v_Width - v_BorderXR - labelWidth);
      double labelY = y - v_TextHeight - 5;
      if (std::fabs(labelY - lastLabelY) < v_TextHeight + 5)
        labelY = lastLabelY + v_TextHeight + 5;
      labelY = BelowPlacedLabels(placed, labelX, labelX + labelWidth, labelY);
      if (labelY >= 0 && labelY + v_TextHeight <= v_Height && labelX >= r.left) {
        DeviceTextOut(labelX, labelY, p.v_Name);
        lastLabelY = labelY;
        placed.push_back({static_cast<int>(std::floor(labelX)), static_cast<int>(std::floor(labelY)),
                          static_cast<int>(std::ceil(labelX)) + labelWidth, static_cast<int>(std::ceil(labelY)) + v_TextHeight});
      }
    }
  }
  RestoreProperties();
}

void TVirtGraph::DrawXLabels(double first, double step)
{
  const Rect& r = v_GraphRect;
  if (r.right <= r.left || r.bottom <= r.top)
    return;
  SaveProperties();
  SetTag("");
  SetVCBrushStyle(BrushStyle::Clear);
  for (std::size_t i = 0; i < v_LabelsX.size(); ++i) {
    const double x = r.left + first + static_cast<double>(i) * step;
    DeviceMoveTo(x, r.bottom);
    DeviceLineTo(x, r.bottom + v_TextHeight / 2);
    DeviceTextOut(x - DeviceTextWidth(v_LabelsX[i]) / 2.0, r.bottom + v_TextHeight / 2, v_LabelsX[i]);
  }
  RestoreProperties();
}

// ---- line graph --------------------------------------------------------------------------

void TVirtLineGraph::DrawOutline(bool AddLegend, bool AddChecks)
{
  DrawFrame(AddLegend, AddChecks);
  const int n = static_cast<int>(v_LabelsX.size());
  if (n >= 2)
    DrawXLabels(0, static_cast<double>(v_GraphRect.right - v_GraphRect.left) / (n - 1));
}

double TVirtLineGraph::ValueToDeviceX(int j) const
{
  return v_GraphRect.left + j * static_cast<double>(v_GraphRect.right - v_GraphRect.left) / (v_ValuesX - 1);
}

void TVirtLineGraph::DrawGraph()
{
  if (v_ValuesX < 2 || !HasPlot() || !v_OnDrawing)
    return;
  DrawLines(static_cast<double>(v_GraphRect.right - v_GraphRect.left) / (v_ValuesX - 1), 0);
}

void TVirtLineGraph::DrawLines(double nStep, double nStart)
{
  SaveProperties();
  if (v_MinY < 0) {
    SetTag("");
    SetVCPenColor(kBlack);
    const double y0 = ValueToDeviceY(0);
    DeviceMoveTo(v_GraphRect.left, y0);
    DeviceLineTo(v_GraphRect.right, y0);
  }
  for (int row = 0; row < static_cast<int>(v_Legend.size()); ++row)
    if (v_Legend[row].MustDisplay())
      DrawSeries(row, nStep, nStart);
  RestoreProperties();
  DrawExtraPoints();
}

void TVirtLineGraph::DrawSeries(int nRow, double nStep, double nStart)
{
  const TLegend& l = v_Legend[nRow];
  SetTag("curve:" + l.RegistryKey());
  SetVCPenColor(l.GetColor());
  SetVCPenWidth(l.GetPenWidth());
  SetVCPenStyle(l.GetPenStyle());
  std::optional<double> previous;
  for (int j = 0; j < v_ValuesX; ++j) {
    const std::optional<double> value = ValueAt(nRow, j);
    const double x = v_GraphRect.left + nStart + j * nStep;
    if (!value) {
      previous.reset();
      continue;
    }
    const double y = ValueToDeviceY(std::clamp(*value, v_MinY, v_MaxY));
    if (previous) {
      DeviceLineTo(x, y);
    } else {
      const bool bAlone = j + 1 == v_ValuesX || !ValueAt(nRow, j + 1);
      if (bAlone) { // a single value: a short dash centred on it
        DeviceMoveTo(x - nStep / 4, y);
        DeviceLineTo(x + nStep / 4, y);
      }
      DeviceMoveTo(x, y);
    }
    previous = value;
  }
  SetTag("");
}

// ---- bar graph ---------------------------------------------------------------------------

void TVirtBarGraph::DrawOutline(bool AddLegend, bool AddChecks)
{
  DrawFrame(AddLegend, AddChecks);
  const int n = static_cast<int>(v_LabelsX.size());
  if (n >= 1) {
    const double c = static_cast<double>(v_GraphRect.right - v_GraphRect.left) / n;
    DrawXLabels(c / 2, c);
  }
}

void TVirtBarGraph::DisplayValues(int Decimals, int ExtraBarSpace)
{
  v_DisplayValues = true;
  v_ValDecimals = Decimals;
  v_ExtraBarSpace = std::max(0, ExtraBarSpace);
}

std::vector<TVirtBarGraph::BarBox> TVirtBarGraph::Bars() const
{
  std::vector<int> shown;
  for (int row = 0; row < static_cast<int>(v_Legend.size()); ++row)
    if (v_Legend[row].MustDisplay())
      shown.push_back(row);
  std::vector<BarBox> bars;
  if (!v_OnDrawing || !HasPlot() || v_ValuesX < 1 || shown.empty())
    return bars;
  const Rect& r = v_GraphRect;
  const double group = static_cast<double>(r.right - r.left) / v_ValuesX;
  const double slot = group / static_cast<double>(shown.size());
  const double width = std::min(45.0, slot);
  for (int j = 0; j < v_ValuesX; ++j)
    for (std::size_t s = 0; s < shown.size(); ++s) {
      const std::optional<double> value = ValueAt(shown[s], j);
      if (!value)
        continue;
      const double left = r.left + j * group + static_cast<double>(s) * slot + (slot - width) / 2;
      const double top = ValueToDeviceY(std::clamp(*value, v_MinY, v_MaxY));
      bars.push_back({{shown[s], j}, left, top, left + width, static_cast<double>(r.bottom)});
    }
  return bars;
}

void TVirtBarGraph::DrawGraph()
{
  const std::vector<BarBox> bars = Bars();
  if (bars.empty())
    return;
  SaveProperties();
  SetVCTextSize(VCTextSize() - 2);
  for (const BarBox& b : bars) {
    const TLegend& l = v_Legend[b.bar.row];
    SetTag("bar:" + l.RegistryKey() + ":" + std::to_string(b.bar.column));
    const bool bSelected = b.bar == v_Selected;
    DrawShadedBar(b.left, b.top, b.right, b.bottom, bSelected ? kBlack : l.GetColor());
    SetVCBrushStyle(BrushStyle::Clear);
    SetVCPenColor(b.right - b.left > 10 ? kBlack : l.GetColor());
    DeviceRectangle(b.left, b.top, b.right, b.bottom);
    SetTag("");
    if (v_DisplayValues && b.right - b.left >= 20) {
      const std::string text = Number2FmtStr(*ValueAt(b.bar.row, b.bar.column), 0, v_ValDecimals);
      DeviceTextOut((b.left + b.right - DeviceTextWidth(text)) / 2, b.top - DeviceTextHeight(text), text);
    }
  }
  RestoreProperties();
  DrawExtraPoints();
}

// Column k from either edge takes the fill scaled by k / n per channel.
void TVirtBarGraph::DrawShadedBar(double x1, double y1, double x2, double y2, Colour fill)
{
  x1 += v_ExtraBarSpace;
  x2 -= v_ExtraBarSpace;
  if (x2 <= x1)
    return;
  const double mid = (x1 + x2) / 2;
  const int n = static_cast<int>(mid - x1) + 1;
  const auto scaled = [fill, n](int k) {
    Colour c = 0;
    for (int shift = 0; shift <= 16; shift += 8)
      c |= static_cast<Colour>(((fill >> shift) & 0xFF) * k / n) << shift;
    return c;
  };
  for (int k = 0; k < n; ++k) {
    SetVCPenColor(scaled(k));
    for (const double x : {x1 + k, x2 - k}) {
      DeviceMoveTo(x, y1);
      DeviceLineTo(x, y2);
    }
  }
}

TVirtBarGraph::Bar TVirtBarGraph::OnBarClick(int X, int Y)
{
  v_Selected = {};
  for (const BarBox& b : Bars())
    if (X >= b.left && X <= b.right && Y >= b.top && Y <= b.bottom) {
      v_Selected = b.bar;
      break;
    }
  return v_Selected;
}

} // namespace aw::charts
