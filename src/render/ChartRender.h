#pragma once
// Replays the core's display lists with Qt: onto any QPainter (the window),
// into an image, as PNG bytes, and as a vector PDF page. The raster rules the
// list assumes (left-out end pixels, top-left text anchors, corner diameters,
// no antialiasing) are mapped onto QPainter's here and nowhere else.

#include "charts/DisplayList.h"

#include <QFont>
#include <QImage>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class QPainter;

namespace aw::render {

// Draws the list with its logical pixels as the painter's units; the caller
// sets any scale on the painter first. The background is not painted.
void replay(QPainter& painter, const charts::DisplayList& list);

// The list on its background, at scale × its logical size.
QImage renderImage(const charts::DisplayList& list, double scale);
// renderImage as PNG bytes (empty when encoding fails).
std::vector<std::uint8_t> renderPng(const charts::DisplayList& list, double scale = 2.0);
// One PDF page the size of the list (96 px to the inch), vector drawing.
std::vector<std::uint8_t> renderPdf(const charts::DisplayList& list);

// The list as the contents of a file of the format: "svg", "png" (at twice
// the size) or "pdf". Empty when the format is unknown or encoding fails.
std::string chartFileBytes(const charts::DisplayList& list, std::string_view szFormat);

// The QFont of a list font (pixel size, style flags).
QFont toQFont(const charts::DLFont& font);

// Text measured with Qt's font metrics, for drawings shown in the window.
class QtTextMetrics : public charts::CTTextMetrics
{
public:
  int TextWidth(const charts::DLFont& font, std::string_view szText) const override;
  int TextHeight(const charts::DLFont& font, std::string_view szText) const override;
};

} // namespace aw::render
