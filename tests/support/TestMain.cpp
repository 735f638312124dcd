// The main() of every test program: the run gets its own HOME and XDG
// folders (AW_TEST_HOME, inside the build tree) and the offscreen Qt
// platform before any test starts, so nothing touches the user's own files.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

void UseFolder(const char* szVariable, const std::filesystem::path& folder)
{
  std::filesystem::create_directories(folder);
  setenv(szVariable, folder.c_str(), 1);
}

} // namespace

int main(int argc, char** argv)
{
  const std::filesystem::path home = AW_TEST_HOME;
  UseFolder("HOME", home);
  UseFolder("XDG_CONFIG_HOME", home / "config");
  UseFolder("XDG_DATA_HOME", home / "data");
  UseFolder("XDG_CACHE_HOME", home / "cache");
  UseFolder("XDG_RUNTIME_DIR", home / "runtime");
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
#ifdef AW_CLI_PATH
  setenv("AW_CLI", AW_CLI_PATH, 1);
#endif
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
