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

// A catalogue of the expected structure version without any unit.
const char* const kNoUnits = "EDI100\r\n5 18 TBL_DdbVersionInfo 101\r\n5 6 DVI_ID 2\r\n5 13 DVI_DbVersion 10\r\n"
                             "0\r\n0\r\n2 101 2 0 2 1 2 1\r\n2 1 10 4 14.3 \r\n0\r\n";

TEST(ScreenshotMode, AnUnusableCatalogueEndsWithOneLineNamingTheFileInsteadOfWaiting)
{
  const struct
  {
    const char* what;
    std::string bytes;
    const char* place; // what the line says after the file name
  } cases[] = {
    {"damaged", "EDI100\r\n5 garbage", ": line 2, byte "},
    {"empty", "", ": the file is empty"},
    {"without units", kNoUnits, ": the catalogue has no units"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempDir dir;
    const auto file = dir.Path() / "catalogue.edi";
    test::WriteFileBytes(file, c.bytes);
    // timeout ends a program that waits on a dialog with 124.
    const std::string command = "timeout 120 " + test::Quoted(AW_APP_PATH) + " --catalogue " + test::Quoted(file) +
                                " --screenshots " + test::Quoted(dir.Path() / "shots") + " >/dev/null 2>" +
                                test::Quoted(dir.Path() / "err");
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    const std::string err = test::ReadFileBytes(dir.Path() / "err");
    EXPECT_NE(err.find("airwright: " + file.string() + c.place), std::string::npos) << err;
    EXPECT_EQ(err.find("Device_Database"), std::string::npos) << "names the resource: " << err;
  }
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
