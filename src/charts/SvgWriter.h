#pragma once
// A display list as SVG text: one element per primitive in drawing order,
// integer coordinates, the same text for the same list on every machine.
// Pixel centres lie at half coordinates, so 1 px lines are offset by 0.5.

#include "charts/DisplayList.h"

#include <string>

namespace aw::charts {

std::string WriteSvg(const DisplayList& list);

} // namespace aw::charts
