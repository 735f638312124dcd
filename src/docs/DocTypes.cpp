#include "docs/DocTypes.h"

namespace aw::docs {

DocColor ResolveColor(DocColor color)
{
  if ((color & 0xFF000000u) != 0xFF000000u) return color & 0x00FFFFFFu;
  switch (color & 0xFFu) {
  case 5: return kWhite;     // window background
  case 15: return 0xF0F0F0u; // button face
  default: return kBlack;    // window text, button text and the rest
  }
}

} // namespace aw::docs
