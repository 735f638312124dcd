// The settings file parser on arbitrary text: it must accept or refuse,
// never crash or hang. What it accepts is written and parsed again; the
// second writing equals the first, so no name, text or byte value changes
// on its way through the file.
#include "platform/SettingsIni.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const aw::platform::SettingsParseResult read =
    aw::platform::ParseSettingsIni(std::string_view(reinterpret_cast<const char*>(data), size));
  if (read.szError)
    return 0;
  const std::string once = aw::platform::FormatSettingsIni(read.root);
  const aw::platform::SettingsParseResult again = aw::platform::ParseSettingsIni(once);
  if (again.szError || aw::platform::FormatSettingsIni(again.root) != once)
    std::abort();
  return 0;
}
