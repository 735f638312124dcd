#include "foundation/VersionInfo.h"

namespace aw {

std::string CTVersionUtils::VersionString(int nVersion)
{
  return std::to_string(nVersion / 100) + "." + std::to_string((nVersion / 10) % 10) + "." +
         std::to_string(nVersion % 10);
}

std::string CTVersionUtils::GetVersionStringEx(const std::string& szPreSuffix)
{
  const std::string suffix = VersionSuffix();
  return suffix.empty() ? GetVersionString() : GetVersionString() + szPreSuffix + suffix;
}

} // namespace aw
