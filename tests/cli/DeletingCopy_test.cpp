// The command line of another platform's deleting copy ("PID:" with "EXE:")
// would make the program delete the file it names: it is refused before the
// window opens, and the file stays.

#ifdef AW_APP_PATH

#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

namespace aw {
namespace {

TEST(DeletingCopy, ItsArgumentsAreRefusedAndNothingIsDeleted)
{
  test::TempDir dir;
  const std::filesystem::path victim = dir.Path() / "room.awr";
  test::WriteFileBytes(victim, "AWR002\r\n");
  // timeout ends a program that went on to open its window with 124.
  const std::string command = "timeout 30 " + test::Quoted(AW_APP_PATH) + " PID:1 " +
                              test::Quoted("EXE:\"" + victim.string() + "\"") + " >/dev/null 2>" +
                              test::Quoted(dir.Path() / "err");
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 2);
  EXPECT_EQ(test::ReadFileBytes(victim), "AWR002\r\n");
  EXPECT_NE(test::ReadFileBytes(dir.Path() / "err").find("not accepted"), std::string::npos);
}

} // namespace
} // namespace aw

#endif
