#include "charts/DisplayList.h"

#include <cmath>

namespace aw::charts {
namespace {

// Advance widths in 1/1000 of the pixel size, roughly those of a common
// sans-serif face; characters outside ASCII count as one average letter.
int AdvanceOf(unsigned char c)
{
  static constexpr int kWidths[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278, // ' ' … '/'
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556,                               // '0' … '9'
    278, 278, 584, 584, 584, 556, 1015,                                             // ':' … '@'
    667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778, 667, // 'A' … 'P'
    778, 722, 667, 611, 722, 667, 944, 667, 667, 611,                               // 'Q' … 'Z'
    278, 278, 278, 469, 556, 333,                                                   // '[' … '`'
    556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556, 556, // 'a' … 'p'
    556, 333, 500, 278, 556, 500, 722, 500, 500, 500,                               // 'q' … 'z'
    334, 260, 334, 584};                                                            // '{' … '~'
  if (c >= 32 && c < 127)
    return kWidths[c - 32];
  return 556;
}

} // namespace

int FixedTextMetrics::TextWidth(const DLFont& font, std::string_view szText) const
{
  long units = 0;
  for (std::size_t i = 0; i < szText.size(); ++i) {
    const auto c = static_cast<unsigned char>(szText[i]);
    if ((c & 0xC0) == 0x80)
      continue; // a UTF-8 continuation byte belongs to the character before it
    units += AdvanceOf(c);
  }
  if (font.bold)
    units += units / 10;
  return static_cast<int>(std::lround(double(units) * font.pixelSize / 1000.0));
}

int FixedTextMetrics::TextHeight(const DLFont& font, std::string_view) const
{
  return static_cast<int>(std::lround(font.pixelSize * 1.15));
}

} // namespace aw::charts
