// The window's screenshot mode has nobody to answer its dialogs: a start-up
// message goes to stderr and the program ends with the window's exit code
// instead of waiting on a dialog nobody sees.

#ifdef AW_APP_PATH

#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

namespace aw {
namespace {

TEST(ScreenshotMode, ADamagedCatalogueEndsWithItsMessageInsteadOfWaiting)
{
  test::TempDir dir;
  test::WriteFileBytes(dir.Path() / "damaged.edi", "EDI100\r\n5 garbage");
  // timeout ends a program that waits on a dialog with 124.
  const std::string command = "timeout 30 " + test::Quoted(AW_APP_PATH) + " --catalogue " +
                              test::Quoted(dir.Path() / "damaged.edi") + " --screenshots " +
                              test::Quoted(dir.Path() / "shots") + " >/dev/null 2>" + test::Quoted(dir.Path() / "err");
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  const std::string err = test::ReadFileBytes(dir.Path() / "err");
  EXPECT_NE(err.find("airwright: "), std::string::npos) << err;
}

// Runs the window's screenshot mode; answers its exit code (124: it waited).
int Shoot(const test::TempDir& dir, const std::string& szArguments)
{
  const std::string command = "timeout 60 " + test::Quoted(AW_APP_PATH) + " --language en --screenshots " +
                              test::Quoted(dir.Path() / "shots") + " " + szArguments + " >/dev/null 2>" +
                              test::Quoted(dir.Path() / "err");
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ScreenshotMode, ShootsTheStateOfAProjectFileAndRefusesOneItCannotOpen)
{
  test::TempDir dir;
  const test::CliRun saved =
    test::RunCli(dir.Path(), "select --family dorsa --save-project " + test::Quoted(dir.Path() / "dorsa.awr"));
  ASSERT_EQ(saved.exitCode, 0) << saved.err;
  ASSERT_EQ(Shoot(dir, test::Quoted(dir.Path() / "dorsa.awr")), 0) << test::ReadFileBytes(dir.Path() / "err");
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "shots" / "04-Tab_Database.png"));

  EXPECT_EQ(Shoot(dir, test::Quoted(dir.Path() / "missing.awr")), 1);
  EXPECT_NE(test::ReadFileBytes(dir.Path() / "err").find("missing.awr could not be opened"), std::string::npos);
}

} // namespace
} // namespace aw

#endif
