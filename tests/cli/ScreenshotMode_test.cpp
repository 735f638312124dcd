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

} // namespace
} // namespace aw

#endif
