#pragma once
// Colours of the core are 32-bit values with red in the low byte (0x00BBGGRR);
// a value whose high byte is 0xFF names a system colour by its index.

#include <QColor>
#include <cstdint>

namespace aw::render {

// The QColor of a core colour; a system colour index maps onto the
// application palette's nearest role, or black when it has none.
QColor toQColor(std::uint32_t colour);

// The core colour of an opaque QColor (alpha is dropped).
std::uint32_t fromQColor(const QColor &colour);

} // namespace aw::render
