// The catalogue text reader on arbitrary plain text.
#include "EdiFuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  aw::fuzz::LoadCatalogueText(data, size, false);
  return 0;
}
