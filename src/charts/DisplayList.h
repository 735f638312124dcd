#pragma once
// A recorded drawing: device primitives in the order they were drawn, each
// with the pen, brush and font in effect, on a logical page measured in
// pixels at 96 dpi. Charts draw into it once; the window, PNG, PDF and SVG
// writers, the hover hit-test and the tests all read the same list.
//
// Device coordinates are whole pixels and follow the raster rules the charts
// were designed for:
//  - a polyline leaves out the pixel of its last point;
//  - a rectangle or ellipse (x1, y1)-(x2, y2) covers x1 … x2 - 1 and
//    y1 … y2 - 1 (the right and bottom edge pixels are left out);
//  - round-rectangle corners are given as diameters;
//  - an arc runs counter-clockwise (on screen) from the radial point
//    `points[2]` to the radial point `points[3]` on the ellipse inscribed
//    in `points[0]`-`points[1]`;
//  - text is anchored at the top-left corner of its cell;
//  - colours are 0x00BBGGRR (red in the low byte); antialiasing is off.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace aw::charts {

using Colour = std::uint32_t; // 0x00BBGGRR

inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kBlue = 0xFF0000;

enum class PenStyle : std::uint8_t { Solid, Dash, Dot, DashDot, DashDotDot, Clear };
enum class BrushStyle : std::uint8_t { Solid, Clear };

struct DLPen
{
  Colour colour = kBlack;
  int width = 1; // px
  PenStyle style = PenStyle::Solid;
  bool operator==(const DLPen&) const = default;
};

struct DLBrush
{
  Colour colour = kWhite;
  BrushStyle style = BrushStyle::Solid;
  bool operator==(const DLBrush&) const = default;
};

struct DLFont
{
  std::string name = "Arial";
  int pixelSize = 12; // px at 96 dpi (9 pt)
  Colour colour = kBlack;
  bool bold = false, italic = false, underline = false, strikeOut = false;
  bool operator==(const DLFont&) const = default;
};

struct DLPoint
{
  int x = 0, y = 0;
  bool operator==(const DLPoint&) const = default;
};

// The air state a vertex stands for, when the drawing knows it.
struct DLWorldPoint
{
  double DBT = 0; // °C
  double AH = 0;  // kg/kg
};

enum class DLKind : std::uint8_t {
  PolyLine,  // open, through points; the last pixel left out
  Polygon,   // closed, outlined with the pen and filled with the brush
  Rectangle, // points[0], points[1]
  RoundRect, // points[0], points[1]; corner diameters in `corner`
  Ellipse,   // bounding box points[0], points[1]
  Arc,       // box points[0], points[1]; radial start points[2], end points[3]
  Bezier,    // cubic chain: points[0], then three points per segment
  Text,      // points[0] = top-left of the cell; background = brush when solid
};

struct DLPrimitive
{
  DLKind kind = DLKind::PolyLine;
  std::vector<DLPoint> points;
  DLPen pen;
  DLBrush brush;
  DLFont font;
  std::string text;  // Text only, UTF-8
  DLPoint corner;    // RoundRect only: corner diameters (x, y)
  std::string tag;   // world meaning ("rh:100", "h:50", "process:VI-VO", "state:SA"); may be empty
  std::vector<DLWorldPoint> world; // empty, or one air state per point
};

struct DisplayList
{
  int width = 0, height = 0; // logical size, px at 96 dpi
  Colour background = kWhite;
  std::vector<DLPrimitive> items;

  // The first primitive with the tag, or none.
  const DLPrimitive* Find(std::string_view szTag) const
  {
    for (const DLPrimitive& p : items)
      if (p.tag == szTag)
        return &p;
    return nullptr;
  }
};

// Text measuring, injected: the window measures with its real fonts, the
// command line and the tests with a fixed table (FixedTextMetrics).
class CTTextMetrics
{
public:
  virtual ~CTTextMetrics() = default;
  virtual int TextWidth(const DLFont& font, std::string_view szText) const = 0; // px
  virtual int TextHeight(const DLFont& font, std::string_view szText) const = 0; // px, of the cell
};

// A deterministic metric without any font files: per-character advance
// widths of a proportional sans-serif face in 1/1000 of the pixel size.
class FixedTextMetrics : public CTTextMetrics
{
public:
  int TextWidth(const DLFont& font, std::string_view szText) const override;
  int TextHeight(const DLFont& font, std::string_view szText) const override;
};

} // namespace aw::charts
