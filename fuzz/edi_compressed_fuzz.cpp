// The catalogue reader behind the compression signature: the input is the
// LZSS stream that follows "Q7R", so the expander and the reader are fuzzed together.
#include "EdiFuzzTarget.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  std::vector<std::uint8_t> framed{'Q', '7', 'R'};
  framed.insert(framed.end(), data, data + size);
  aw::fuzz::LoadCatalogueText(framed.data(), framed.size(), true);
  return 0;
}
