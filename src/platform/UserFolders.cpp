#include "platform/UserFolders.h"

#include <cstdlib>
#include <string>

#include <pwd.h>
#include <unistd.h>

namespace aw::platform {
namespace {

std::optional<std::filesystem::path> AbsoluteFromEnvironment(const char* szVariable)
{
  const char* value = std::getenv(szVariable);
  if (!value || !*value)
    return std::nullopt;
  std::filesystem::path path(value);
  if (!path.is_absolute())
    return std::nullopt;
  return path;
}

std::filesystem::path HomeFolder()
{
  if (auto home = AbsoluteFromEnvironment("HOME"))
    return *home;
  // Without HOME (started from a service), the password database knows it.
  if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir && *entry->pw_dir)
    return entry->pw_dir;
  return std::filesystem::temp_directory_path();
}

} // namespace

std::filesystem::path ConfigHome()
{
  if (auto config = AbsoluteFromEnvironment("XDG_CONFIG_HOME"))
    return *config;
  return HomeFolder() / ".config";
}

std::filesystem::path DataHome()
{
  if (auto data = AbsoluteFromEnvironment("XDG_DATA_HOME"))
    return *data;
  return HomeFolder() / ".local" / "share";
}

std::filesystem::path ProgramConfigFolder()
{
  return ConfigHome() / "airwright";
}

std::optional<std::filesystem::path> RuntimeFolder()
{
  return AbsoluteFromEnvironment("XDG_RUNTIME_DIR");
}

} // namespace aw::platform
