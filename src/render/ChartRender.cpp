#include "render/ChartRender.h"

#include "render/QtColour.h"

#include "charts/SvgWriter.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>

#include <cmath>
#include <numbers>

namespace aw::render {
namespace {

using charts::DLKind;
using charts::DLPrimitive;

Qt::PenStyle ToQtStyle(charts::PenStyle style)
{
  switch (style) {
  case charts::PenStyle::Solid: return Qt::SolidLine;
  case charts::PenStyle::Dash: return Qt::DashLine;
  case charts::PenStyle::Dot: return Qt::DotLine;
  case charts::PenStyle::DashDot: return Qt::DashDotLine;
  case charts::PenStyle::DashDotDot: return Qt::DashDotDotLine;
  case charts::PenStyle::Clear: return Qt::NoPen;
  }
  return Qt::SolidLine;
}

// A thin pen with flat caps leaves out the last pixel of a line, as the
// recorded drawing expects; wider pens get round ends.
QPen ToQPen(const charts::DLPen& pen)
{
  QPen qpen(toQColor(pen.colour));
  qpen.setStyle(ToQtStyle(pen.style));
  qpen.setWidth(std::max(pen.width, 1) == 1 ? 0 : pen.width);
  qpen.setCapStyle(pen.width <= 1 ? Qt::FlatCap : Qt::RoundCap);
  qpen.setJoinStyle(Qt::RoundJoin);
  return qpen;
}

QBrush ToQBrush(const charts::DLBrush& brush)
{
  return brush.style == charts::BrushStyle::Solid ? QBrush(toQColor(brush.colour)) : QBrush(Qt::NoBrush);
}

QPoint Q(const charts::DLPoint& p) { return {p.x, p.y}; }

bool HasPen(const DLPrimitive& p) { return p.pen.style != charts::PenStyle::Clear; }

// The pixels (x1, y1) … (x2 - 1, y2 - 1) as QPainter's outline rectangle,
// which covers one pixel more than its width and height.
QRect OutlineRect(const DLPrimitive& p)
{
  const QRect box = QRect(Q(p.points[0]), Q(p.points[1])).normalized();
  return {box.left(), box.top(), box.width() - 2, box.height() - 2};
}

// Degrees (counter-clockwise on screen, 0 at three o'clock) of a radial point,
// in the frame of the ellipse inscribed in the box.
double RadialAngle(const QRectF& box, const charts::DLPoint& p)
{
  const double rx = box.width() / 2, ry = box.height() / 2;
  if (rx <= 0 || ry <= 0)
    return 0;
  const QPointF c = box.center();
  return std::atan2(-(p.y - c.y()) / ry, (p.x - c.x()) / rx) * 180 / std::numbers::pi;
}

void DrawArc(QPainter& painter, const DLPrimitive& p)
{
  const QRect box = OutlineRect(p);
  const double start = RadialAngle(box, p.points[2]);
  double span = RadialAngle(box, p.points[3]) - start;
  while (span <= 0)
    span += 360;
  painter.drawArc(box, int(std::lround(start * 16)), int(std::lround(span * 16)));
}

void DrawBezier(QPainter& painter, const DLPrimitive& p)
{
  QPainterPath path(Q(p.points[0]));
  for (std::size_t i = 1; i + 2 < p.points.size(); i += 3)
    path.cubicTo(Q(p.points[i]), Q(p.points[i + 1]), Q(p.points[i + 2]));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(path);
}

void DrawText(QPainter& painter, const DLPrimitive& p)
{
  const QFont font = toQFont(p.font);
  const QFontMetrics metrics(font, painter.device());
  const QString text = QString::fromUtf8(p.text.data(), qsizetype(p.text.size()));
  const QPoint topLeft = Q(p.points[0]);
  if (p.brush.style == charts::BrushStyle::Solid)
    painter.fillRect(QRect(topLeft, QSize(metrics.horizontalAdvance(text), metrics.height())),
                     toQColor(p.brush.colour));
  painter.setFont(font);
  painter.setPen(toQColor(p.font.colour));
  // QPainter anchors text at its baseline; the list anchors the cell's top-left.
  painter.drawText(topLeft + QPoint(0, metrics.ascent()), text);
}

void DrawOne(QPainter& painter, const DLPrimitive& p)
{
  if (p.points.empty())
    return;
  painter.setPen(ToQPen(p.pen));
  painter.setBrush(ToQBrush(p.brush));
  switch (p.kind) {
  case DLKind::PolyLine: {
    std::vector<QPoint> points;
    points.reserve(p.points.size());
    for (const charts::DLPoint& point : p.points)
      points.push_back(Q(point));
    painter.drawPolyline(points.data(), int(points.size()));
    break;
  }
  case DLKind::Polygon: {
    std::vector<QPoint> points;
    for (const charts::DLPoint& point : p.points)
      points.push_back(Q(point));
    painter.drawPolygon(points.data(), int(points.size()));
    break;
  }
  case DLKind::Rectangle:
    if (p.points.size() < 2)
      break;
    if (HasPen(p))
      painter.drawRect(OutlineRect(p));
    else // without an outline the fill is one pixel smaller each way
      painter.fillRect(OutlineRect(p), ToQBrush(p.brush));
    break;
  case DLKind::RoundRect:
    if (p.points.size() >= 2)
      painter.drawRoundedRect(OutlineRect(p), p.corner.x / 2.0, p.corner.y / 2.0, Qt::AbsoluteSize);
    break;
  case DLKind::Ellipse:
    if (p.points.size() >= 2)
      painter.drawEllipse(OutlineRect(p));
    break;
  case DLKind::Arc:
    if (p.points.size() >= 4)
      DrawArc(painter, p);
    break;
  case DLKind::Bezier: DrawBezier(painter, p); break;
  case DLKind::Text: DrawText(painter, p); break;
  }
}

} // namespace

QFont toQFont(const charts::DLFont& font)
{
  QFont qfont(QString::fromStdString(font.name));
  qfont.setPixelSize(std::max(font.pixelSize, 1));
  qfont.setBold(font.bold);
  qfont.setItalic(font.italic);
  qfont.setUnderline(font.underline);
  qfont.setStrikeOut(font.strikeOut);
  qfont.setStyleHint(QFont::SansSerif);
  return qfont;
}

void replay(QPainter& painter, const charts::DisplayList& list)
{
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  for (const DLPrimitive& p : list.items)
    DrawOne(painter, p);
  painter.restore();
}

QImage renderImage(const charts::DisplayList& list, double scale)
{
  const QSize size(std::max(1, int(std::lround(list.width * scale))), std::max(1, int(std::lround(list.height * scale))));
  QImage image(size, QImage::Format_RGB32);
  image.fill(toQColor(list.background));
  QPainter painter(&image);
  painter.scale(scale, scale);
  replay(painter, list);
  return image;
}

std::vector<std::uint8_t> renderPng(const charts::DisplayList& list, double scale)
{
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!renderImage(list, scale).save(&buffer, "PNG"))
    return {};
  return {bytes.begin(), bytes.end()};
}

std::vector<std::uint8_t> renderPdf(const charts::DisplayList& list)
{
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(96);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setPageSize(QPageSize(QSizeF(list.width * 72.0 / 96, list.height * 72.0 / 96), QPageSize::Point));
    QPainter painter(&writer);
    painter.fillRect(QRect(0, 0, list.width, list.height), toQColor(list.background));
    replay(painter, list);
  }
  return {bytes.begin(), bytes.end()};
}

std::string chartFileBytes(const charts::DisplayList& list, std::string_view szFormat)
{
  if (szFormat == "svg")
    return charts::WriteSvg(list);
  std::vector<std::uint8_t> bytes;
  if (szFormat == "png")
    bytes = renderPng(list, 2.0);
  else if (szFormat == "pdf")
    bytes = renderPdf(list);
  return {bytes.begin(), bytes.end()};
}

int QtTextMetrics::TextWidth(const charts::DLFont& font, std::string_view szText) const
{
  return QFontMetrics(toQFont(font)).horizontalAdvance(QString::fromUtf8(szText.data(), qsizetype(szText.size())));
}

int QtTextMetrics::TextHeight(const charts::DLFont& font, std::string_view) const
{
  return QFontMetrics(toQFont(font)).height();
}

} // namespace aw::render
