// The main() of every test program: the run gets its own HOME and XDG
// folders (under AW_TEST_HOME, inside the build tree, one per process) and
// the offscreen Qt platform before any test starts, so nothing touches the
// user's own files and tests run side by side never see each other's
// settings.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

void UseFolder(const char* szVariable, const std::filesystem::path& folder)
{
  std::filesystem::create_directories(folder);
  setenv(szVariable, folder.c_str(), 1);
}

} // namespace

int main(int argc, char** argv)
{
  const std::filesystem::path home = std::filesystem::path(AW_TEST_HOME) / ("run-" + std::to_string(getpid()));
  std::filesystem::remove_all(home);
  UseFolder("HOME", home);
  UseFolder("XDG_CONFIG_HOME", home / "config");
  UseFolder("XDG_DATA_HOME", home / "data");
  UseFolder("XDG_CACHE_HOME", home / "cache");
  UseFolder("XDG_RUNTIME_DIR", home / "runtime");
  std::filesystem::permissions(home / "runtime", std::filesystem::perms::owner_all);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
#ifdef AW_CLI_PATH
  setenv("AW_CLI", AW_CLI_PATH, 1);
#endif
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  std::error_code ignored;
  std::filesystem::remove_all(home, ignored);
  return result;
}
