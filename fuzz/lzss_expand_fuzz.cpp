// Expands arbitrary bytes with both parameter sets: the expander must end
// with its output or a CTStreamError, never crash, hang or read outside its input.

#include "foundation/LZSS.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  if (size == 0)
    return 0;
  const auto variant = (data[0] & 1) ? aw::CTLZSSVariant::SmallPhrase : aw::CTLZSSVariant::Standard;
  aw::CTMemoryStream input(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  try {
    aw::CTLZSSExpanderStream expander(input, variant);
    char buffer[4096];
    std::size_t total = 0;
    while (std::size_t n = expander.Read(buffer, sizeof buffer)) {
      total += n;
      if (total > (64u << 20))
        break; // a tiny input can describe a long output: stop well before memory runs out
    }
  } catch (const aw::CTStreamError&) {
  }
  return 0;
}
