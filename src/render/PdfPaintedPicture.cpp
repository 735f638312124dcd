#include "render/PdfPaintedPicture.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <cmath>

namespace aw::render {

std::string CTPaintedPicture::RenderPng(double dScale) const
{
  const int width = int(std::lround(LogicalWidth() * dScale));
  const int height = int(std::lround(LogicalHeight() * dScale));
  if (width <= 0 || height <= 0) return {};
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) return {};
  image.fill(Qt::white);
  image.setDotsPerMeterX(int(std::lround(dScale * docs::kLogicalPixelsPerInch / 0.0254)));
  image.setDotsPerMeterY(image.dotsPerMeterX());
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(double(width) / LogicalWidth(), double(height) / LogicalHeight());
    paint(painter);
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return {};
  return bytes.toStdString();
}

} // namespace aw::render
