#include "render/PdfSampleFigure.h"

#include <QPainter>
#include <QPainterPath>

namespace aw::render {

void CTSampleFigure::paint(QPainter& painter) const
{
  painter.save();
  painter.setPen(QPen(QColor(0x60, 0x60, 0x60), 1.0));
  painter.setBrush(QColor(0xF4, 0xF8, 0xFC));
  painter.drawRect(QRectF(0.5, 0.5, 319, 179));
  // Axes: airflow to the right, pressure up.
  painter.setPen(QPen(Qt::black, 1.5));
  painter.drawLine(QPointF(40, 150), QPointF(300, 150));
  painter.drawLine(QPointF(40, 150), QPointF(40, 20));
  // A falling fan curve and a rising duct curve meeting at the operating point.
  QPainterPath fan(QPointF(40, 40));
  fan.cubicTo(QPointF(140, 38), QPointF(230, 70), QPointF(290, 145));
  painter.setPen(QPen(QColor(0x00, 0x55, 0xAA), 2.5));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(fan);
  QPainterPath duct(QPointF(40, 150));
  duct.quadTo(QPointF(170, 140), QPointF(260, 60));
  painter.setPen(QPen(QColor(0xCC, 0x33, 0x00), 2.0, Qt::DashLine));
  painter.drawPath(duct);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xCC, 0x33, 0x00));
  painter.drawEllipse(QPointF(228, 90), 5, 5);
  QFont font("DejaVu Sans");
  font.setPixelSize(11);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(QPointF(250, 170), "m³/h");
  painter.drawText(QPointF(8, 16), "Pa");
  painter.restore();
}

} // namespace aw::render
