#include "render/QtColour.h"

#include <QGuiApplication>
#include <QPalette>

namespace aw::render {
namespace {

constexpr std::uint32_t kSystemColourFlag = 0xFF000000u;

// The system colour indexes the catalogue and the settings use, mapped onto
// the palette roles that play the same part on this desktop.
QColor systemColour(std::uint32_t index) {
  const QPalette palette = QGuiApplication::palette();
  switch (index) {
  case 5: return palette.color(QPalette::Base);        // window background
  case 8: return palette.color(QPalette::Text);        // window text
  case 15: return palette.color(QPalette::Button);     // button face
  case 18: return palette.color(QPalette::ButtonText); // button text
  default: return QColor(Qt::black);
  }
}

} // namespace

QColor toQColor(std::uint32_t colour) {
  if ((colour & kSystemColourFlag) == kSystemColourFlag) return systemColour(colour & 0x00FFFFFFu);
  return QColor(int(colour & 0xFFu), int((colour >> 8) & 0xFFu), int((colour >> 16) & 0xFFu));
}

std::uint32_t fromQColor(const QColor &colour) {
  const QColor rgb = colour.toRgb();
  return std::uint32_t(rgb.red()) | (std::uint32_t(rgb.green()) << 8) | (std::uint32_t(rgb.blue()) << 16);
}

} // namespace aw::render
