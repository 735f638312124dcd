// Reads arbitrary bytes as a project file: the reader must accept or refuse,
// never crash, hang or allocate from an unchecked count; what it accepts
// must survive writing and reading again unchanged.

#include "engine/BrisaProjectIO.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static const std::vector<aw::CTProjectOptionKey> options = {{506, 1, 146, 70}, {506, 2, 300, 5}};
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  aw::CTBrisaProjectData read;
  if (!aw::CTBrisaProjectIO::DecodeProjectData(bytes, options, read))
    return 0;
  aw::CTBrisaProjectData again;
  if (!aw::CTBrisaProjectIO::DecodeProjectData(aw::CTBrisaProjectIO::EncodeProjectData(read), options, again) ||
      !(again == read))
    std::abort();
  return 0;
}
