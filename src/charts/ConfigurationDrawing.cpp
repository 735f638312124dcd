#include "charts/ConfigurationDrawing.h"

#include "air/NumberFormat.h"
#include "air/ValueFormatting.h"
#include "charts/VirtCanv.h"
#include "engine/ClBrisa.h"
#include "engine/FamilyTraits.h"
#include "engine/SelectionModel.h"

#include <algorithm>
#include <cmath>

namespace aw::charts {
namespace {

constexpr Colour kSupplyColour = 0xC06000;  // blue
constexpr Colour kExtractColour = 0x2040B0; // brick red
constexpr Colour kUnitFill = 0xF4F4F4;
constexpr Colour kLimitFill = 0xFAFFFD;
constexpr Colour kHeaterFill = 0xD8E8FF;
constexpr int kMargin = 8;

std::string Substitute(std::string text, const std::string& v1, const std::string& v2 = {})
{
  for (const auto& [mark, value] : {std::pair<std::string, const std::string&>{"$1", v1}, {"$2", v2}})
    if (const std::size_t at = text.find(mark); at != std::string::npos)
      text.replace(at, mark.size(), value);
  return text;
}

std::string Temperature(double t) { return FormatTemperature(t, true); }

// The drawing of one unit on one canvas.
class LTConfigurationPainter
{
public:
  LTConfigurationPainter(DisplayList& list, const CTTextMetrics& metrics, int nWidth, int nHeight,
                         const CTConfigData& data, const CTConfigurationTexts& texts)
    : v_canvas(list, metrics), v_data(data), v_texts(texts), v_width(nWidth), v_height(nHeight)
  {
    list.width = nWidth, list.height = nHeight;
    list.items.clear();
    v_canvas.SetVCTextSize(std::clamp(std::min(nWidth, nHeight) / 45, 11, 21)); // at most 16 pt
    v_canvas.SetVCBrushStyle(BrushStyle::Clear);
    v_H = v_canvas.DeviceTextHeight();
  }

  CTConfigurationDrawing Draw(bool bShowLimits)
  {
    if (v_data.nFamily < 0)
      return {};
    PrepareLimitLines(bShowLimits);
    Layout();
    DrawUnit();
    DrawPaths();
    DrawTopCaptions();
    DrawBottomColumn(true);
    DrawBottomColumn(false);
    for (const Box& b : v_limits)
      DrawLimitBox(b);
    DrawNote();
    return std::move(v_out);
  }

private:
  struct Box
  {
    std::string tag;
    std::vector<std::string> lines; // the first is the title
    int width = 0, height = 0;
    double x = 0, y = 0;
  };

  // ---- texts ----
  int Width(const std::string& s) const { return v_canvas.DeviceTextWidth(s); }
  void Label(double x, double y, const std::string& text, const std::string& tag)
  {
    v_canvas.SetTag(tag);
    v_canvas.DeviceTextOut(x, y, text);
    v_canvas.SetTag("");
    const int l = static_cast<int>(std::lround(x)), t = static_cast<int>(std::lround(y));
    v_out.labels.push_back({tag, text, {l, t, l + Width(text), t + v_H}});
  }
  void CentredLabel(double cx, double y, const std::string& text, const std::string& tag)
  {
    const double x = std::clamp(cx - Width(text) / 2.0, double(kMargin), double(v_width - kMargin - Width(text)));
    Label(x, y, text, tag);
  }

  // ---- limits ----
  Box LimitBox(std::string tag, const std::string& title, const CTConfigLimit& limit) const
  {
    Box b{std::move(tag), {title, Substitute(v_texts.MaxRH, Number2FmtStr(std::nearbyint(limit.MaxRH), 0, 0))}};
    if (limit.bTempRange)
      b.lines.push_back(Substitute(v_texts.TempRange, Temperature(limit.MinTemp), Temperature(limit.MaxTemp)));
    for (const std::string& line : b.lines)
      b.width = std::max(b.width, Width(line));
    b.width += 16;
    b.height = static_cast<int>(b.lines.size()) * v_H + 8;
    return b;
  }
  void PrepareLimitLines(bool bShowLimits)
  {
    if (!bShowLimits)
      return;
    if (v_data.bHasExhaust) {
      v_exchanger = LimitBox("limits:exchanger", v_texts.ExchangerLimits, v_data.Exchanger);
      v_exhaust = LimitBox("limits:exhaust", v_texts.ExhaustLimits, v_data.Exhaust);
      v_room = LimitBox("limits:room", v_texts.RoomLimits, v_data.Room);
    }
    v_ventIn = LimitBox("limits:ventIn", v_texts.VentInLimits, v_data.VentIn);
    v_ventOut = LimitBox("limits:ventOut", v_texts.VentOutLimits, v_data.VentOut);
  }

  // The bytes of the longest run of whole UTF-8 characters of the text that
  // fits the room; the first character at least.
  std::size_t FittingPrefix(const std::string& text, int room) const
  {
    const auto nextBoundary = [&text](std::size_t at) {
      do
        ++at;
      while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80);
      return at;
    };
    std::size_t cut = nextBoundary(0);
    while (cut < text.size()) {
      const std::size_t next = nextBoundary(cut);
      if (Width(text.substr(0, next)) > room)
        break;
      cut = next;
    }
    return cut;
  }

  // ---- layout, top to bottom ----
  std::vector<std::string> NoteLines() const
  {
    if (!v_data.bHasExhaust)
      return {};
    const std::string note =
      Substitute(v_texts.MinVentIn, Temperature(v_data.AmbientMinTemp), Temperature(v_data.VentInMinTemp));
    // Wrapped at the last blank that lets each line fit.
    std::vector<std::string> lines;
    std::string rest = note;
    const int room = v_width - 2 * kMargin;
    while (!rest.empty()) {
      std::size_t cut = rest.size();
      while (Width(rest.substr(0, cut)) > room) {
        const std::size_t blank = rest.rfind(' ', cut - 1);
        if (blank == std::string::npos || blank == 0)
          break;
        cut = blank;
      }
      // A word wider than the room is broken between its characters, never
      // drawn past the edge; each line keeps at least one character.
      const bool bBroken = Width(rest.substr(0, cut)) > room;
      if (bBroken)
        cut = FittingPrefix(rest.substr(0, cut), room);
      lines.push_back(rest.substr(0, cut));
      const bool bAtBlank = !bBroken && cut < rest.size();
      rest = cut < rest.size() ? rest.substr(cut + (bAtBlank ? 1 : 0)) : std::string();
    }
    return lines;
  }

  // The exchanger box centred at the top, the exhaust box at the left and the
  // room box at the right: on one row where they fit, else on two.
  double PlaceTopBoxes(double y)
  {
    if (v_exchanger.height == 0)
      return y;
    v_exchanger.x = (v_width - v_exchanger.width) / 2.0, v_exchanger.y = y;
    v_exhaust.x = kMargin;
    v_room.x = v_width - kMargin - 4 - v_room.width;
    const bool bOneRow = v_exhaust.x + v_exhaust.width + 12 <= v_exchanger.x &&
                         v_exchanger.x + v_exchanger.width + 12 <= v_room.x;
    if (!bOneRow)
      y += v_exchanger.height + 12;
    v_exhaust.y = v_room.y = y;
    v_limits.push_back(v_exchanger);
    v_limits.push_back(v_exhaust);
    v_limits.push_back(v_room);
    const int rowHeight = std::max({bOneRow ? v_exchanger.height : 0, v_exhaust.height, v_room.height});
    return y + rowHeight + 12;
  }

  void Layout()
  {
    v_note = NoteLines();
    v_arrow = std::clamp(v_height / 18, 16, 40);
    v_uL = std::max(v_width / 5, kMargin);
    v_uR = std::max(v_width - v_uL, v_uL + 2 * kInset + 20);
    v_xL = v_uL + kInset, v_xR = v_uR - kInset;

    double y = PlaceTopBoxes(kMargin);
    if (v_data.bHasExhaust) {
      v_topCaptionY = y;
      y += v_H + 4 + v_arrow;
    }
    v_uTop = y;
    // Below the unit: arrow, VI/VO caption, heater, OA/SA caption, limit boxes, the note.
    const int heater = (v_data.bInletHeater || v_data.bSupplyHeater) ? 2 * v_H + 8 : 0;
    int lowerBoxes = std::max(v_ventIn.height, v_ventOut.height);
    v_stackLowerBoxes = v_xL + v_ventIn.width / 2.0 + 12 > v_xR - v_ventOut.width / 2.0;
    if (v_stackLowerBoxes)
      lowerBoxes = v_ventIn.height + 12 + v_ventOut.height;
    const int below = v_arrow + 2 + v_H + 4 + heater + v_H + (lowerBoxes > 0 ? 10 + lowerBoxes : 0) + 8 +
                      static_cast<int>(v_note.size()) * v_H + kMargin;
    v_uBottom = std::max(v_uTop + 60.0, double(v_height - below));
  }

  // ---- the schematic ----
  void DrawUnit()
  {
    v_canvas.SetTag("unit");
    v_canvas.SetVCBrushStyle(BrushStyle::Solid);
    v_canvas.SetVCBrushColor(kUnitFill);
    v_canvas.SetVCPenColor(kBlack);
    v_canvas.SetVCPenWidth(2);
    v_canvas.DeviceRectangle(v_uL, v_uTop, v_uR, v_uBottom);
    v_out.unit = {static_cast<int>(v_uL), static_cast<int>(v_uTop), static_cast<int>(std::ceil(v_uR)),
                  static_cast<int>(std::ceil(v_uBottom))};
    v_canvas.SetVCPenWidth(1);
    v_canvas.SetVCBrushStyle(BrushStyle::Clear);
    v_canvas.SetTag("");
    v_canvas.SetVCTextBold(true);
    CentredLabel((v_uL + v_uR) / 2.0, v_uTop + 4, v_data.szTitle, "title");
    v_canvas.SetVCTextBold(false);
  }

  void Block(double cx, double cy, double halfW, double halfH, Colour fill, const std::string& tag, bool bCross)
  {
    v_canvas.SetTag(tag);
    v_canvas.SetVCBrushStyle(BrushStyle::Solid);
    v_canvas.SetVCBrushColor(fill);
    v_canvas.SetVCPenColor(kBlack);
    v_canvas.DeviceRectangle(cx - halfW, cy - halfH, cx + halfW, cy + halfH);
    v_canvas.SetVCBrushStyle(BrushStyle::Clear);
    if (bCross) {
      v_canvas.DeviceMoveTo(cx - halfW, cy - halfH);
      v_canvas.DeviceLineTo(cx + halfW, cy + halfH);
      v_canvas.DeviceMoveTo(cx + halfW, cy - halfH);
      v_canvas.DeviceLineTo(cx - halfW, cy + halfH);
    }
    v_canvas.SetTag("");
  }

  void ArrowHead(double x, double y, double dx, double dy, Colour colour)
  {
    const double s = 6;
    std::vector<CTWorldPoint> head = {{x, y}, {x - dx * 2 * s - dy * s, y - dy * 2 * s - dx * s},
                                      {x - dx * 2 * s + dy * s, y - dy * 2 * s + dx * s}};
    v_canvas.SetVCBrushStyle(BrushStyle::Solid);
    v_canvas.SetVCBrushColor(colour);
    v_canvas.DrawPolygon(head);
    v_canvas.SetVCBrushStyle(BrushStyle::Clear);
  }

  // A polyline in the path's colour with an arrow head at its end.
  void Path(const std::vector<CTWorldPoint>& points, Colour colour, const std::string& tag)
  {
    v_canvas.SetTag(tag);
    v_canvas.SetVCPenColor(colour);
    v_canvas.SetVCPenWidth(2);
    v_canvas.DeviceMoveTo(points[0].x, points[0].y);
    for (std::size_t i = 1; i < points.size(); ++i)
      v_canvas.DeviceLineTo(points[i].x, points[i].y);
    v_canvas.SetVCPenWidth(1);
    const CTWorldPoint &a = points[points.size() - 2], &b = points.back();
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    if (len > 0)
      ArrowHead(b.x, b.y, (b.x - a.x) / len, (b.y - a.y) / len, colour);
    v_canvas.SetVCPenColor(kBlack);
    v_canvas.SetTag("");
  }

  // The rows of captions under the coil and the humidifier: one where both fit
  // side by side, else HI under CI.
  int CoilCaptionRows() const
  {
    if (!v_data.bHasCoil)
      return 0;
    if (!v_data.bHasHumidifier)
      return 1;
    return (Width(v_texts.CI) + Width(v_texts.HI)) / 2.0 + 8 <= HumidifierCaptionX() - CoilX() ? 1 : 2;
  }
  double CoilX() const { return v_uL + (v_uR - v_uL) * 0.6; }
  double HumidifierX() const { return CoilX() + (v_uR - v_uL) / 6; }
  double HumidifierCaptionX() const { return std::min(HumidifierX(), v_uR - 4 - Width(v_texts.HI) / 2.0); }

  void DrawPaths()
  {
    const double uw = v_uR - v_uL, uh = v_uBottom - v_uTop;
    const double cy = (v_uTop + v_uBottom) / 2.0 + v_H / 2.0;
    const int captionRows = CoilCaptionRows();
    // The blocks reach 0.6 s below the supply path (s / 2 below the centre), the captions under them stay inside.
    const double captionRoom = v_uBottom - 6 - captionRows * (v_H + 2.0) - cy;
    const double s = std::max(10.0, std::min({uw / 7, uh / 4, captionRows > 0 ? captionRoom / 1.1 : uh}));
    const double exX = v_data.bHasCoil ? v_uL + uw * 0.38 : (v_uL + v_uR) / 2.0;
    const double supplyY = v_data.bHasExhaust ? cy + s / 2 : cy, extractY = cy - s / 2;
    // Outdoor air comes up at the left, leaves the unit down at the right.
    Path({{v_xL, v_uBottom + v_arrow}, {v_xL, supplyY}, {v_xR, supplyY}, {v_xR, v_uBottom + v_arrow}}, kSupplyColour,
         "path:supply");
    if (v_data.bHasExhaust) {
      // Room air comes down at the right, leaves the unit up at the left.
      Path({{v_xR, v_uTop - v_arrow}, {v_xR, extractY}, {v_xL, extractY}, {v_xL, v_uTop - v_arrow}}, kExtractColour,
           "path:extract");
      Block(exX, cy, s, s, kWhite, "exchanger", true);
    } else {
      Block(exX, cy, s * 0.6, s * 0.8, kWhite, "coil", false); // the outdoor-air unit's coil
    }
    double captionY = supplyY + s * 0.6 + 4;
    if (v_data.bHasCoil) {
      const double coilX = CoilX();
      Block(coilX, supplyY, s * 0.3, s * 0.6, 0xE0E0E0, "coil", false);
      CentredLabel(coilX, captionY, v_texts.CI, "caption:CI");
      if (captionRows == 2)
        captionY += v_H + 2;
      if (v_data.bHasHumidifier) {
        Block(HumidifierX(), supplyY, s * 0.2, s * 0.6, 0xF0D0A0, "humidifier", false);
        CentredLabel(HumidifierCaptionX(), captionY, v_texts.HI, "caption:HI");
      }
    }
  }

  void DrawTopCaptions()
  {
    if (!v_data.bHasExhaust)
      return;
    CentredLabel(v_xL, v_topCaptionY, v_texts.EA, "caption:EA");
    CentredLabel(v_xR, v_topCaptionY, v_texts.RA, "caption:RA");
  }

  // The column under the unit where outdoor air enters (left) or supply air leaves (right).
  void DrawBottomColumn(bool bLeft)
  {
    const double x = bLeft ? v_xL : v_xR;
    double y = v_uBottom + v_arrow + 2;
    CentredLabel(x, y, bLeft ? v_texts.VI : v_texts.VO, bLeft ? "caption:VI" : "caption:VO");
    y += v_H + 4;
    if (bLeft ? v_data.bInletHeater : v_data.bSupplyHeater) {
      const std::string& caption = bLeft ? v_texts.InletHeater : v_texts.SupplyHeater;
      const std::string tag = bLeft ? "heater:Inlet" : "heater:Supply";
      const double halfW = Width(caption) / 2.0 + 6;
      const double cx = std::clamp(x, kMargin + halfW, v_width - kMargin - halfW);
      Block(cx, y + v_H + 2, halfW, v_H + 2, kHeaterFill, tag, false);
      v_out.boxes.push_back({tag, "", {int(cx - halfW), int(y), int(std::ceil(cx + halfW)), int(y + 2 * v_H + 4)}});
      CentredLabel(cx, y + v_H / 2.0 + 2, caption, tag + ":caption");
      y += 2 * v_H + 8;
    }
    CentredLabel(x, y, bLeft ? v_texts.OA : v_texts.SA, bLeft ? "caption:OA" : "caption:SA");
    y += v_H + 10;
    Box& box = bLeft ? v_ventIn : v_ventOut;
    if (box.height == 0)
      return;
    box.x = std::clamp(x - box.width / 2.0, double(kMargin), double(v_width - kMargin - 4 - box.width));
    box.y = y;
    if (!bLeft && v_stackLowerBoxes)
      box.y = v_ventIn.y + v_ventIn.height + 12;
    v_limits.push_back(box);
  }

  void DrawLimitBox(const Box& b)
  {
    v_canvas.SetTag(b.tag);
    v_canvas.SetVCBrushStyle(BrushStyle::Solid);
    v_canvas.SetVCPenColor(kBlack);
    v_canvas.SetVCBrushColor(kBlack); // the shadow
    v_canvas.DeviceRectangle(b.x + 4, b.y + 4, b.x + b.width + 4, b.y + b.height + 4);
    v_canvas.SetVCBrushColor(kLimitFill);
    v_canvas.DeviceRectangle(b.x, b.y, b.x + b.width, b.y + b.height);
    v_canvas.SetVCBrushStyle(BrushStyle::Clear);
    const int l = static_cast<int>(std::floor(b.x)), t = static_cast<int>(std::floor(b.y));
    v_out.boxes.push_back({b.tag, "", {l, t, l + b.width + 5, t + b.height + 5}});
    for (std::size_t i = 0; i < b.lines.size(); ++i) {
      v_canvas.SetVCTextBold(i == 0);
      v_canvas.SetVCTextColor(i == 0 ? kBlue : kBlack);
      Label(b.x + 8, b.y + 4 + static_cast<double>(i) * v_H, b.lines[i], b.tag + ":" + std::to_string(i));
    }
    v_canvas.SetVCTextBold(false);
    v_canvas.SetVCTextColor(kBlack);
  }

  void DrawNote()
  {
    v_canvas.SetVCTextColor(kRed);
    double y = v_height - kMargin - static_cast<double>(v_note.size()) * v_H;
    for (const std::string& line : v_note) {
      Label(kMargin / 2.0, y, line, "note");
      y += v_H;
    }
    v_canvas.SetVCTextColor(kBlack);
  }

  static constexpr int kInset = 30; // the arrows inside the unit's edges

  CTVirtualCanvas v_canvas;
  const CTConfigData& v_data;
  const CTConfigurationTexts& v_texts;
  int v_width, v_height, v_H = 0, v_arrow = 0;
  bool v_stackLowerBoxes = false;
  double v_uL = 0, v_uR = 0, v_uTop = 0, v_uBottom = 0, v_xL = 0, v_xR = 0, v_topCaptionY = 0;
  Box v_exchanger, v_exhaust, v_room, v_ventIn, v_ventOut;
  std::vector<Box> v_limits;
  std::vector<std::string> v_note;
  CTConfigurationDrawing v_out;
};

CTConfigLimit Limit(double MaxRH) { return {MaxRH, false, 0, 0}; }
CTConfigLimit Limit(double MaxRH, double MinTemp, double MaxTemp) { return {MaxRH, true, MinTemp, MaxTemp}; }

bool UsesHeater(const AWHeaterSet& h) { return h.UserHeater > 0 || h.CalcHeater > 0; }

} // namespace

void TranslateConfigurationTexts(CTConfigurationTexts& t,
                                 const std::function<std::string(const std::string&)>& translate)
{
  for (std::string* text : {&t.RA, &t.EA, &t.OA, &t.SA, &t.VI, &t.VO, &t.CI, &t.HI, &t.InletHeater, &t.SupplyHeater,
                            &t.ExhaustLimits, &t.ExchangerLimits, &t.RoomLimits, &t.VentInLimits, &t.VentOutLimits,
                            &t.MaxRH, &t.TempRange, &t.MinVentIn})
    *text = translate(*text);
}

CTConfigData ConfigDataFor(const CTSelectionModel& model)
{
  CTConfigData d;
  Cls_Brisa* unit = model.CurrentBrisa();
  if (!unit)
    return d;
  const CTFamilyTraits& traits = FamilyTraits(unit->GetType());
  d.nFamily = unit->GetType();
  d.szTitle = unit->GetQualifiedName();
  d.bHasExhaust = traits.bHasExhaust;
  d.bHasCoil = traits.bHasCoil;
  d.bHasHumidifier = traits.bHasHumidifier && model.HasHumidifier();
  const CTModeResults &cool = model.CoolingResults(), &heat = model.HeatingResults();
  d.bInletHeater = (cool.bComputed && UsesHeater(cool.InletHeater)) || (heat.bComputed && UsesHeater(heat.InletHeater));
  d.bSupplyHeater = heat.bComputed && UsesHeater(heat.SupplyHeater);
  const Cls_Brisa::ExchangeLimits limits = unit->LimitsFor(model.UpsideDown() && unit->GetCanBeUpsideDown());
  d.Exhaust = Limit(limits.rhoE);
  d.Room = Limit(unit->GetRAMaxRH(), unit->GetRAMinTemp(), unit->GetRAMaxTemp());
  d.Exchanger = d.Room;
  d.VentIn = Limit(unit->GetOAMaxRH(), unit->GetOAMinTemp(), unit->GetOAMaxTemp());
  d.VentOut = Limit(limits.rhoV);
  d.AmbientMinTemp = unit->GetOAMinTemp();
  d.VentInMinTemp = limits.tV;
  return d;
}

CTConfigurationDrawing DrawConfiguration(DisplayList& list, const CTTextMetrics& metrics, int nWidth, int nHeight,
                                         const CTConfigData& data, bool bShowLimits, const CTConfigurationTexts& texts)
{
  LTConfigurationPainter painter(list, metrics, nWidth, nHeight, data, texts);
  return painter.Draw(bShowLimits);
}

} // namespace aw::charts
