#include "charts/SvgWriter.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <sstream>

namespace aw::charts {
namespace {

std::string Hex(Colour c)
{
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", unsigned(c & 0xFF), unsigned((c >> 8) & 0xFF),
                unsigned((c >> 16) & 0xFF));
  return buf;
}

std::string Escaped(const std::string& text)
{
  std::string out;
  for (char ch : text) {
    switch (ch) {
    case '&': out += "&amp;"; break;
    case '<': out += "&lt;"; break;
    case '>': out += "&gt;"; break;
    case '"': out += "&quot;"; break;
    default: out += ch;
    }
  }
  return out;
}

std::string Dashes(PenStyle style)
{
  switch (style) {
  case PenStyle::Dash: return " stroke-dasharray=\"6 2\"";
  case PenStyle::Dot: return " stroke-dasharray=\"1 1\"";
  case PenStyle::DashDot: return " stroke-dasharray=\"6 2 1 2\"";
  case PenStyle::DashDotDot: return " stroke-dasharray=\"6 2 1 2 1 2\"";
  default: return {};
  }
}

std::string Stroke(const DLPen& pen)
{
  if (pen.style == PenStyle::Clear)
    return " stroke=\"none\"";
  return " stroke=\"" + Hex(pen.colour) + "\" stroke-width=\"" + std::to_string(std::max(pen.width, 1)) + "\"" +
         Dashes(pen.style) + (pen.width > 1 ? " stroke-linecap=\"round\" stroke-linejoin=\"round\"" : "");
}

std::string Fill(const DLBrush& brush)
{
  return brush.style == BrushStyle::Solid ? " fill=\"" + Hex(brush.colour) + "\"" : " fill=\"none\"";
}

// Odd pen widths sit on pixel centres.
std::string Coord(int v, const DLPen& pen)
{
  return std::max(pen.width, 1) % 2 ? std::to_string(v) + ".5" : std::to_string(v);
}

std::string Points(const DLPrimitive& p)
{
  std::string out;
  for (const DLPoint& pt : p.points)
    out += (out.empty() ? "" : " ") + Coord(pt.x, p.pen) + "," + Coord(pt.y, p.pen);
  return out;
}

std::string TagAttr(const DLPrimitive& p) { return p.tag.empty() ? "" : " data-tag=\"" + Escaped(p.tag) + "\""; }

// The box (x1, y1)-(x2, y2) covers x1 … x2 - 1: an outline through the centres of its edge pixels.
void Box(std::ostringstream& os, const DLPrimitive& p, const char* element)
{
  const int x1 = std::min(p.points[0].x, p.points[1].x), x2 = std::max(p.points[0].x, p.points[1].x);
  const int y1 = std::min(p.points[0].y, p.points[1].y), y2 = std::max(p.points[0].y, p.points[1].y);
  const double w = std::max(0, x2 - x1 - 1), h = std::max(0, y2 - y1 - 1);
  if (std::string(element) == "ellipse")
    os << "<ellipse cx=\"" << x1 + 0.5 + w / 2 << "\" cy=\"" << y1 + 0.5 + h / 2 << "\" rx=\"" << w / 2 << "\" ry=\""
       << h / 2 << "\"";
  else
    os << "<rect x=\"" << x1 + 0.5 << "\" y=\"" << y1 + 0.5 << "\" width=\"" << w << "\" height=\"" << h << "\"";
  if (p.kind == DLKind::RoundRect)
    os << " rx=\"" << p.corner.x / 2.0 << "\" ry=\"" << p.corner.y / 2.0 << "\"";
  os << Stroke(p.pen) << Fill(p.brush) << TagAttr(p) << "/>\n";
}

void Arc(std::ostringstream& os, const DLPrimitive& p)
{
  const double x1 = std::min(p.points[0].x, p.points[1].x), x2 = std::max(p.points[0].x, p.points[1].x);
  const double y1 = std::min(p.points[0].y, p.points[1].y), y2 = std::max(p.points[0].y, p.points[1].y);
  const double cx = (x1 + x2) / 2, cy = (y1 + y2) / 2, rx = (x2 - x1) / 2, ry = (y2 - y1) / 2;
  if (rx <= 0 || ry <= 0)
    return;
  const auto at = [&](const DLPoint& r) { return std::atan2((r.y - cy) / ry, (r.x - cx) / rx); };
  const double a0 = at(p.points[2]), a1 = at(p.points[3]);
  double span = a0 - a1; // counter-clockwise on screen is decreasing angle with y down
  while (span <= 0)
    span += 2 * std::numbers::pi;
  os << "<path d=\"M" << cx + rx * std::cos(a0) << "," << cy + ry * std::sin(a0) << " A" << rx << "," << ry << " 0 "
     << (span > std::numbers::pi ? 1 : 0) << ",0 " << cx + rx * std::cos(a1) << "," << cy + ry * std::sin(a1) << "\""
     << Stroke(p.pen) << " fill=\"none\"" << TagAttr(p) << "/>\n";
}

void Text(std::ostringstream& os, const DLPrimitive& p)
{
  // The cell's top-left is the anchor: "hanging" puts the text below it.
  os << "<text x=\"" << p.points[0].x << "\" y=\"" << p.points[0].y << "\" dominant-baseline=\"text-before-edge\""
     << " font-family=\"" << Escaped(p.font.name) << ", sans-serif\" font-size=\"" << p.font.pixelSize << "px\""
     << (p.font.bold ? " font-weight=\"bold\"" : "") << (p.font.italic ? " font-style=\"italic\"" : "") << " fill=\""
     << Hex(p.font.colour) << "\"" << TagAttr(p) << ">" << Escaped(p.text) << "</text>\n";
}

} // namespace

std::string WriteSvg(const DisplayList& list)
{
  std::ostringstream os;
  os << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
     << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << list.width << "\" height=\"" << list.height
     << "\" viewBox=\"0 0 " << list.width << " " << list.height << "\" shape-rendering=\"crispEdges\">\n"
     << "<rect width=\"100%\" height=\"100%\" fill=\"" << Hex(list.background) << "\"/>\n";
  for (const DLPrimitive& p : list.items) {
    if (p.points.empty())
      continue;
    switch (p.kind) {
    case DLKind::PolyLine:
      os << "<polyline points=\"" << Points(p) << "\"" << Stroke(p.pen) << " fill=\"none\"" << TagAttr(p) << "/>\n";
      break;
    case DLKind::Polygon:
      os << "<polygon points=\"" << Points(p) << "\"" << Stroke(p.pen) << Fill(p.brush) << TagAttr(p) << "/>\n";
      break;
    case DLKind::Rectangle:
    case DLKind::RoundRect:
      if (p.points.size() >= 2)
        Box(os, p, "rect");
      break;
    case DLKind::Ellipse:
      if (p.points.size() >= 2)
        Box(os, p, "ellipse");
      break;
    case DLKind::Arc:
      if (p.points.size() >= 4)
        Arc(os, p);
      break;
    case DLKind::Bezier: {
      os << "<path d=\"M" << p.points[0].x << "," << p.points[0].y;
      for (std::size_t i = 1; i + 2 < p.points.size(); i += 3)
        os << " C" << p.points[i].x << "," << p.points[i].y << " " << p.points[i + 1].x << "," << p.points[i + 1].y
           << " " << p.points[i + 2].x << "," << p.points[i + 2].y;
      os << "\"" << Stroke(p.pen) << " fill=\"none\"" << TagAttr(p) << "/>\n";
      break;
    }
    case DLKind::Text: Text(os, p); break;
    }
  }
  os << "</svg>\n";
  return os.str();
}

} // namespace aw::charts
