#include "charts/VirtCanv.h"

#include "catalogue/CatalogueText.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace aw::charts {

namespace {
constexpr double kMaxDevice = 1e7; // px; anything further out is no drawing
constexpr double kDegree = std::numbers::pi / 180;

void PushPoint(DLPrimitive& p, DLPoint point, const DLWorldPoint* air)
{
  if (air && p.world.size() == p.points.size())
    p.world.push_back(*air);
  p.points.push_back(point);
}

DLWorldPoint Between(const DLWorldPoint& a, const DLWorldPoint& b, double t)
{
  return {a.DBT + (b.DBT - a.DBT) * t, a.AH + (b.AH - a.AH) * t};
}
} // namespace

std::optional<int> DeviceRound(double value)
{
  if (!std::isfinite(value) || std::fabs(value) > kMaxDevice)
    return std::nullopt;
  return static_cast<int>(catalogue::RoundHalfEven(value));
}

CTVirtualCanvas::CTVirtualCanvas(DisplayList& pList, const CTTextMetrics& pMetrics, bool bToPrinter)
  : v_list(&pList), v_metrics(&pMetrics), v_toPrinter(bToPrinter)
{
  SaveProperties();
}

void CTVirtualCanvas::SetVCPenWidth(double w)
{
  if (const auto px = DeviceRound(w))
    v_pen.width = std::max(*px, 0);
}

void CTVirtualCanvas::SetVCTextSize(double nPixels)
{
  if (const auto px = DeviceRound(nPixels))
    v_font.pixelSize = std::max(*px, 1);
}

void CTVirtualCanvas::SetLineClip(double left, double top, double right, double bottom)
{
  v_clip = Clip{left, top, right, bottom};
}

void CTVirtualCanvas::SaveProperties()
{
  v_saved = {v_pen, v_brush, v_font, v_lineOpacity, v_fillOpacity, v_offsetX, v_offsetY, v_scaleX, v_scaleY,
             v_labelScale};
}

void CTVirtualCanvas::RestoreProperties()
{
  v_pen = v_saved.pen;
  v_brush = v_saved.brush;
  v_font = v_saved.font;
  v_lineOpacity = v_saved.lineOpacity;
  v_fillOpacity = v_saved.fillOpacity;
  v_offsetX = v_saved.offsetX;
  v_offsetY = v_saved.offsetY;
  v_scaleX = v_saved.scaleX;
  v_scaleY = v_saved.scaleY;
  v_labelScale = v_saved.labelScale;
}

DLPrimitive& CTVirtualCanvas::Begin(DLKind kind)
{
  DLPrimitive& p = v_list->items.emplace_back();
  p.kind = kind;
  p.pen = v_pen;
  p.brush = v_brush;
  p.font = v_font;
  p.tag = v_tag;
  v_lineOpen = false;
  return p;
}

// ---- lines -------------------------------------------------------------------

void CTVirtualCanvas::MoveTo(double x, double y, const DLWorldPoint* air) { DeviceMoveTo(DeviceX(x), DeviceY(y), air); }
void CTVirtualCanvas::LineTo(double x, double y, const DLWorldPoint* air) { DeviceLineTo(DeviceX(x), DeviceY(y), air); }

void CTVirtualCanvas::DeviceMoveTo(double X, double Y, const DLWorldPoint* air)
{
  v_lineOpen = false;
  if (DeviceRound(X) && DeviceRound(Y))
    v_penPos = CTWorldPoint{X, Y};
  else
    v_penPos.reset();
  v_penAir = air ? std::optional<DLWorldPoint>(*air) : std::nullopt;
}

void CTVirtualCanvas::DeviceLineTo(double X, double Y, const DLWorldPoint* air)
{
  const std::optional<CTWorldPoint> from = v_penPos;
  const std::optional<DLWorldPoint> fromAir = v_penAir;
  const bool bOpen = v_lineOpen;
  DeviceMoveTo(X, Y, air); // the pen moves even when the line is not drawn
  if (!from || !v_penPos)
    return;
  v_lineOpen = bOpen;
  AppendLine(from->x, from->y, X, Y, fromAir ? &*fromAir : nullptr, air);
}

// Liang-Barsky: the part t0 … t1 of the segment inside the clip rectangle.
bool CTVirtualCanvas::ClipSegment(double& X0, double& Y0, double& X1, double& Y1, double& t0, double& t1) const
{
  t0 = 0;
  t1 = 1;
  if (!v_clip)
    return true;
  const double dx = X1 - X0, dy = Y1 - Y0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {X0 - v_clip->left, v_clip->right - X0, Y0 - v_clip->top, v_clip->bottom - Y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0)
        return false;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0)
      t0 = std::max(t0, r);
    else
      t1 = std::min(t1, r);
  }
  if (t0 > t1)
    return false;
  const double sx = X0, sy = Y0;
  X0 = sx + dx * t0;
  Y0 = sy + dy * t0;
  X1 = sx + dx * t1;
  Y1 = sy + dy * t1;
  return true;
}

void CTVirtualCanvas::AppendLine(double X0, double Y0, double X1, double Y1, const DLWorldPoint* air0,
                                 const DLWorldPoint* air1)
{
  double t0 = 0, t1 = 1;
  if (!ClipSegment(X0, Y0, X1, Y1, t0, t1)) {
    v_lineOpen = false;
    return;
  }
  std::optional<DLWorldPoint> a0, a1;
  if (air0 && air1) {
    a0 = t0 > 0 ? Between(*air0, *air1, t0) : *air0;
    a1 = t1 < 1 ? Between(*air0, *air1, t1) : *air1;
  }
  const DLPoint start{*DeviceRound(X0), *DeviceRound(Y0)};
  const DLPoint end{*DeviceRound(X1), *DeviceRound(Y1)};
  DLPrimitive* line = nullptr;
  if (v_lineOpen && t0 == 0 && !v_list->items.empty()) {
    DLPrimitive& last = v_list->items.back();
    if (last.kind == DLKind::PolyLine && last.pen == v_pen && last.tag == v_tag && last.points.back() == start)
      line = &last;
  }
  if (!line) {
    line = &Begin(DLKind::PolyLine);
    PushPoint(*line, start, a0 ? &*a0 : nullptr);
  }
  PushPoint(*line, end, a1 ? &*a1 : nullptr);
  v_lineOpen = t1 == 1;
}

void CTVirtualCanvas::ScalePoints(std::vector<CTWorldPoint>& points) const
{
  for (CTWorldPoint& p : points) {
    p.x = DeviceRound(DeviceX(p.x)).value_or(0);
    p.y = DeviceRound(DeviceY(p.y)).value_or(0);
  }
}

void CTVirtualCanvas::DrawPolyLine(std::vector<CTWorldPoint>& points)
{
  for (std::size_t i = 0; i < points.size(); ++i)
    i == 0 ? MoveTo(points[i].x, points[i].y) : LineTo(points[i].x, points[i].y);
  ScalePoints(points);
}

void CTVirtualCanvas::DrawPolygon(std::vector<CTWorldPoint>& points)
{
  DLPrimitive p;
  for (const CTWorldPoint& w : points) {
    const auto X = DeviceRound(DeviceX(w.x)), Y = DeviceRound(DeviceY(w.y));
    if (!X || !Y)
      return;
    p.points.push_back({*X, *Y});
  }
  Begin(DLKind::Polygon).points = std::move(p.points);
  ScalePoints(points);
}

// ---- shapes --------------------------------------------------------------------

bool CTVirtualCanvas::AddBox(DLKind kind, double X1, double Y1, double X2, double Y2)
{
  const auto x1 = DeviceRound(X1), y1 = DeviceRound(Y1), x2 = DeviceRound(X2), y2 = DeviceRound(Y2);
  if (!x1 || !y1 || !x2 || !y2)
    return false;
  Begin(kind).points = {{*x1, *y1}, {*x2, *y2}};
  return true;
}

void CTVirtualCanvas::DrawRectangle(double x1, double y1, double x2, double y2)
{
  AddBox(DLKind::Rectangle, DeviceX(x1), DeviceY(y1), DeviceX(x2), DeviceY(y2));
}

void CTVirtualCanvas::DeviceRectangle(double X1, double Y1, double X2, double Y2)
{
  AddBox(DLKind::Rectangle, X1, Y1, X2, Y2);
}

void CTVirtualCanvas::DrawRoundedRectangle(double x1, double y1, double x2, double y2, double nRndDiamX,
                                           double nRndDiamY)
{
  if (nRndDiamY == -1)
    nRndDiamY = nRndDiamX;
  const auto dx = DeviceRound(nRndDiamX * std::fabs(v_scaleY)), dy = DeviceRound(nRndDiamY * std::fabs(v_scaleY));
  if (!dx || !dy || !AddBox(DLKind::RoundRect, DeviceX(x1), DeviceY(y1), DeviceX(x2), DeviceY(y2)))
    return;
  v_list->items.back().corner = {*dx, *dy};
}

void CTVirtualCanvas::DrawSquareFixed(double x, double y, double s)
{
  const double X = DeviceX(x), Y = DeviceY(y);
  AddBox(DLKind::Rectangle, X - s, Y - s, X + s, Y + s);
}

void CTVirtualCanvas::DrawCrossFixed(double x, double y, double a)
{
  const double X = DeviceX(x), Y = DeviceY(y);
  // The "+ 1" makes the arm's end pixel part of the cross.
  DeviceMoveTo(X - a, Y);
  DeviceLineTo(X + a + 1, Y);
  DeviceMoveTo(X, Y - a);
  DeviceLineTo(X, Y + a + 1);
}

void CTVirtualCanvas::DrawEllipse(double x1, double y1, double x2, double y2)
{
  AddBox(DLKind::Ellipse, DeviceX(x1), DeviceY(y1), DeviceX(x2), DeviceY(y2));
}

void CTVirtualCanvas::DeviceEllipse(double X1, double Y1, double X2, double Y2)
{
  AddBox(DLKind::Ellipse, X1, Y1, X2, Y2);
}

void CTVirtualCanvas::DrawArc(double x1, double y1, double x2, double y2, double x3, double y3, double x4, double y4)
{
  const double xs[4] = {x1, x2, x3, x4}, ys[4] = {y1, y2, y3, y4};
  DLPrimitive p;
  for (int i = 0; i < 4; ++i) {
    const auto X = DeviceRound(DeviceX(xs[i])), Y = DeviceRound(DeviceY(ys[i]));
    if (!X || !Y)
      return;
    p.points.push_back({*X, *Y});
  }
  Begin(DLKind::Arc).points = std::move(p.points);
}

// ---- curves --------------------------------------------------------------------

void CTVirtualCanvas::DeviceBezier(const std::vector<CTWorldPoint>& devicePoints)
{
  DLPrimitive p;
  for (const CTWorldPoint& d : devicePoints) {
    const auto X = DeviceRound(d.x), Y = DeviceRound(d.y);
    if (!X || !Y)
      return;
    p.points.push_back({*X, *Y});
  }
  Begin(DLKind::Bezier).points = std::move(p.points);
}

void CTVirtualCanvas::DrawCurve(const std::vector<CTWorldPoint>& P)
{
  const std::size_t N = P.size();
  if (N < 2)
    return;
  if (N == 2) {
    MoveTo(P[0].x, P[0].y);
    LineTo(P[1].x, P[1].y);
    return;
  }
  const std::size_t n = (N - 1) / 2;
  std::vector<CTWorldPoint> B(3 * n + 1);
  B[0] = P[0];
  B[3 * n] = P[N - 1];
  for (std::size_t i = 0; i + 2 <= n; ++i) {
    B[3 * i + 1] = P[2 * i + 1];
    B[3 * i + 2] = P[2 * i + 2];
    B[3 * i + 3] = {(P[2 * i + 2].x + P[2 * i + 3].x) / 2, (P[2 * i + 2].y + P[2 * i + 3].y) / 2};
  }
  B[3 * n - 2] = N % 2 ? P[N - 2] : P[N - 3];
  B[3 * n - 1] = N % 2 ? P[N - 1] : P[N - 2];
  for (CTWorldPoint& b : B)
    b = {DeviceX(b.x), DeviceY(b.y)};
  DeviceBezier(B);
}

// ---- text ----------------------------------------------------------------------

void CTVirtualCanvas::TextOut(double x, double y, const std::string& szStr) { DeviceTextOut(DeviceX(x), DeviceY(y), szStr); }

void CTVirtualCanvas::DeviceTextOut(double X, double Y, const std::string& szStr)
{
  const auto x = DeviceRound(X), y = DeviceRound(Y);
  if (!x || !y || szStr.empty())
    return;
  DLPrimitive& p = Begin(DLKind::Text);
  p.points = {{*x, *y}};
  p.text = szStr;
}

double CTVirtualCanvas::TextHeight() const { return DeviceTextHeight("A") / v_scaleY; }
double CTVirtualCanvas::TextWidth(const std::string& szStr) const { return DeviceTextWidth(szStr) / v_scaleX; }

void CTVirtualCanvas::DrawPath(const CTVirtualPath& pPath, double x, double y) { pPath.DrawOn(*this, x, y); }

// ---- paths -----------------------------------------------------------------------

void LTVirtualPathNodeMoveTo::DrawNode(CTVirtualCanvas& c, const LTVirtualPathNode*, CTWorldPoint o, CTWorldPoint& p)
{
  p = End(p);
  c.MoveTo(p.x + o.x, p.y + o.y);
}

void LTVirtualPathNodeLineTo::DrawNode(CTVirtualCanvas& c, const LTVirtualPathNode*, CTWorldPoint o, CTWorldPoint& p)
{
  p = End(p);
  c.LineTo(p.x + o.x, p.y + o.y);
}

void LTVirtualPathNodeHLineTo::DrawNode(CTVirtualCanvas& c, const LTVirtualPathNode*, CTWorldPoint o, CTWorldPoint& p)
{
  p.x = v_relative ? p.x + v_x : v_x;
  c.LineTo(p.x + o.x, p.y + o.y);
}

void LTVirtualPathNodeVLineTo::DrawNode(CTVirtualCanvas& c, const LTVirtualPathNode*, CTWorldPoint o, CTWorldPoint& p)
{
  p.y = v_relative ? p.y + v_y : v_y;
  c.LineTo(p.x + o.x, p.y + o.y);
}

void LTVirtualPathNodeClose::DrawNode(CTVirtualCanvas& c, const LTVirtualPathNode*, CTWorldPoint o, CTWorldPoint& p)
{
  p = {v_x, v_y};
  c.LineTo(p.x + o.x, p.y + o.y);
}

namespace {
CTWorldPoint Offset(CTWorldPoint a, CTWorldPoint b) { return {a.x + b.x, a.y + b.y}; }

// One cubic segment; the points are rounded once, after the transform.
void DrawCubic(CTVirtualCanvas& c, CTWorldPoint o, CTWorldPoint p0, CTWorldPoint c1, CTWorldPoint c2, CTWorldPoint e)
{
  c.DrawCurve({Offset(p0, o), Offset(c1, o), Offset(c2, o), Offset(e, o)});
}
} // namespace

CTWorldPoint LTVirtualPathNodeCubicBezier::FirstControl(const LTVirtualPathNode*, CTWorldPoint p) const
{
  return v_relative ? CTWorldPoint{p.x + v_cp1X, p.y + v_cp1Y} : CTWorldPoint{v_cp1X, v_cp1Y};
}

CTWorldPoint LTVirtualPathNodeCubicBezierNext::FirstControl(const LTVirtualPathNode* prev, CTWorldPoint p) const
{
  if (const auto* cubic = dynamic_cast<const LTVirtualPathNodeCubicBezier*>(prev))
    return {2 * p.x - cubic->v_absCp2X, 2 * p.y - cubic->v_absCp2Y};
  return p;
}

void LTVirtualPathNodeCubicBezier::DrawNode(CTVirtualCanvas& c, const LTVirtualPathNode* prev, CTWorldPoint o,
                                            CTWorldPoint& p)
{
  const CTWorldPoint c1 = FirstControl(prev, p);
  const CTWorldPoint c2 = v_relative ? CTWorldPoint{p.x + v_cp2X, p.y + v_cp2Y} : CTWorldPoint{v_cp2X, v_cp2Y};
  const CTWorldPoint e = End(p);
  v_absCp2X = c2.x;
  v_absCp2Y = c2.y;
  DrawCubic(c, o, p, c1, c2, e);
  p = e;
}

CTWorldPoint LTVirtualPathNodeQuadraticBezier::Control(const LTVirtualPathNode*, CTWorldPoint p) const
{
  return v_relative ? CTWorldPoint{p.x + v_cpX, p.y + v_cpY} : CTWorldPoint{v_cpX, v_cpY};
}

CTWorldPoint LTVirtualPathNodeQuadraticBezierNext::Control(const LTVirtualPathNode* prev, CTWorldPoint p) const
{
  if (const auto* quad = dynamic_cast<const LTVirtualPathNodeQuadraticBezier*>(prev))
    return {2 * p.x - quad->v_absCpX, 2 * p.y - quad->v_absCpY};
  return p;
}

void LTVirtualPathNodeQuadraticBezier::DrawNode(CTVirtualCanvas& c, const LTVirtualPathNode* prev, CTWorldPoint o,
                                                CTWorldPoint& p)
{
  const CTWorldPoint q = Control(prev, p);
  const CTWorldPoint e = End(p);
  v_absCpX = q.x;
  v_absCpY = q.y;
  DrawCubic(c, o, p, {(2 * q.x + p.x) / 3, (2 * q.y + p.y) / 3}, {(2 * q.x + e.x) / 3, (2 * q.y + e.y) / 3}, e);
  p = e;
}

// The arc is traced in 5-degree steps. Angles are taken in the ellipse's own
// (unrotated, unit-circle) frame and the steps are counted beforehand, so
// that no input can make the loop endless.
void LTVirtualPathNodeEllipticArc::DrawNode(CTVirtualCanvas& c, const LTVirtualPathNode*, CTWorldPoint o,
                                            CTWorldPoint& p)
{
  const CTWorldPoint e = End(p);
  double rx = std::fabs(v_radiusX), ry = std::fabs(v_radiusY);
  const double phi = v_xRotation * kDegree, cphi = std::cos(phi), sphi = std::sin(phi);
  const double dx = (p.x - e.x) / 2, dy = (p.y - e.y) / 2;
  const double x1 = cphi * dx + sphi * dy, y1 = -sphi * dx + cphi * dy;
  const auto straight = [&] {
    c.LineTo(e.x + o.x, e.y + o.y);
    p = e;
  };
  if (rx == 0 || ry == 0 || !std::isfinite(rx) || !std::isfinite(ry))
    return straight();
  const double lambda = (x1 / rx) * (x1 / rx) + (y1 / ry) * (y1 / ry);
  if (lambda > 1) {
    rx *= std::sqrt(lambda);
    ry *= std::sqrt(lambda);
  }
  const double num = std::max(0.0, rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1);
  const double den = rx * rx * y1 * y1 + ry * ry * x1 * x1;
  if (den == 0 || !std::isfinite(den))
    return straight();
  double k = std::sqrt(num / den);
  if (v_largeArcFlag == v_sweepFlag)
    k = -k;
  const double cx1 = k * rx * y1 / ry, cy1 = -k * ry * x1 / rx;
  const double cx = cphi * cx1 - sphi * cy1 + (p.x + e.x) / 2, cy = sphi * cx1 + cphi * cy1 + (p.y + e.y) / 2;
  const auto angle = [&](CTWorldPoint q) {
    const double u = cphi * (q.x - cx) + sphi * (q.y - cy), v = -sphi * (q.x - cx) + cphi * (q.y - cy);
    return std::atan2(v / ry, u / rx) / kDegree;
  };
  double ts = angle(p), te = angle(e);
  if (ts < 0)
    ts += 360;
  while (te < ts)
    te += 360;
  const double sweep = te - ts;
  const double step = (v_largeArcFlag && sweep < 180) || (!v_largeArcFlag && sweep > 180) ? -5.0 : 5.0;
  const double span = step < 0 ? 360 - sweep : sweep;
  const long steps = std::isfinite(span) && span > 2.5 ? static_cast<long>((span - 2.5) / 5) : 0;
  c.LineTo(p.x + o.x, p.y + o.y);
  for (long i = 1; i <= steps; ++i) {
    const double t = (ts + i * step) * kDegree;
    c.LineTo(cphi * rx * std::cos(t) - sphi * ry * std::sin(t) + cx + o.x,
             sphi * rx * std::cos(t) + cphi * ry * std::sin(t) + cy + o.y);
  }
  straight();
}

template <class Node>
Node& CTVirtualPath::Add(double x, double y, bool bRelative)
{
  auto node = std::make_unique<Node>();
  node->v_x = x;
  node->v_y = y;
  node->v_relative = bRelative;
  Node& ref = *node;
  v_nodes.push_back(std::move(node));
  return ref;
}

void CTVirtualPath::AddMoveTo(double x, double y, bool r) { Add<LTVirtualPathNodeMoveTo>(x, y, r); }
void CTVirtualPath::AddLineTo(double x, double y, bool r) { Add<LTVirtualPathNodeLineTo>(x, y, r); }
void CTVirtualPath::AddHLineTo(double x, bool r) { Add<LTVirtualPathNodeHLineTo>(x, 0, r); }
void CTVirtualPath::AddVLineTo(double y, bool r) { Add<LTVirtualPathNodeVLineTo>(0, y, r); }
void CTVirtualPath::AddClose() { Add<LTVirtualPathNodeClose>(0, 0, false); }

void CTVirtualPath::AddCubicBezier(double c1x, double c1y, double c2x, double c2y, double ex, double ey, bool r)
{
  auto& node = Add<LTVirtualPathNodeCubicBezier>(ex, ey, r);
  node.v_cp1X = c1x;
  node.v_cp1Y = c1y;
  node.v_cp2X = c2x;
  node.v_cp2Y = c2y;
}

void CTVirtualPath::AddCubicBezierNext(double cx, double cy, double ex, double ey, bool r)
{
  auto& node = Add<LTVirtualPathNodeCubicBezierNext>(ex, ey, r);
  node.v_cp2X = cx;
  node.v_cp2Y = cy;
}

void CTVirtualPath::AddQuadraticBezier(double cx, double cy, double ex, double ey, bool r)
{
  auto& node = Add<LTVirtualPathNodeQuadraticBezier>(ex, ey, r);
  node.v_cpX = cx;
  node.v_cpY = cy;
}

void CTVirtualPath::AddQuadraticBezierNext(double ex, double ey, bool r) { Add<LTVirtualPathNodeQuadraticBezierNext>(ex, ey, r); }

void CTVirtualPath::AddEllipticArc(double rx, double ry, double rot, bool large, bool sweep, double ex, double ey,
                                   bool r)
{
  auto& node = Add<LTVirtualPathNodeEllipticArc>(ex, ey, r);
  node.v_radiusX = rx;
  node.v_radiusY = ry;
  node.v_xRotation = rot;
  node.v_largeArcFlag = large;
  node.v_sweepFlag = sweep;
}

void CTVirtualPath::DrawOn(CTVirtualCanvas& pCanv, double nX, double nY) const
{
  if (v_nodes.empty())
    return;
  CTWorldPoint start{0, 0};
  if (dynamic_cast<const LTVirtualPathNodeMoveTo*>(v_nodes.front().get()))
    start = {v_nodes.front()->v_x, v_nodes.front()->v_y};
  if (auto* close = dynamic_cast<LTVirtualPathNodeClose*>(v_nodes.back().get())) {
    close->v_x = start.x;
    close->v_y = start.y;
  }
  CTWorldPoint current = start;
  const LTVirtualPathNode* previous = nullptr;
  for (const auto& node : v_nodes) {
    node->DrawNode(pCanv, previous, {nX, nY}, current);
    previous = node.get();
  }
}

} // namespace aw::charts
