// Runs the built airwright-cli (path in AW_CLI) with its "document" subcommand.

#include "docs/RtfCheck.h"
#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace aw {
namespace {

class DocumentCommandTest : public ::testing::Test
{
protected:
  test::CliRun Cli(const std::string& args) { return test::RunCli(dir.Path(), args); }
  test::TempDir dir;
};

TEST_F(DocumentCommandTest, WritesTheSampleAsRtfAndPdf)
{
  const test::CliRun rtf = Cli("document sample --out " + test::Quoted(dir / "sample.rtf"));
  ASSERT_EQ(rtf.exitCode, 0) << rtf.err;
  const test::RtfCheckResult check = test::CheckRtf(test::ReadFileBytes(dir / "sample.rtf"));
  EXPECT_EQ(check.error, "");
  EXPECT_EQ(check.pictures, 1);
  EXPECT_NE(check.text.find("é ł 日本 ✔ { } \\"), std::string::npos);

  const test::CliRun pdf = Cli("document sample --out " + test::Quoted(dir / "sample.PDF"));
  ASSERT_EQ(pdf.exitCode, 0) << pdf.err;
  EXPECT_EQ(test::ReadFileBytes(dir / "sample.PDF").rfind("%PDF-", 0), 0u);
}

TEST_F(DocumentCommandTest, RefusesOtherFormatsAndReportsAFailedSave)
{
  const test::CliRun odd = Cli("document sample --out " + test::Quoted(dir / "sample.doc"));
  EXPECT_NE(odd.exitCode, 0);
  EXPECT_NE(odd.err.find(".rtf or .pdf"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "sample.doc"));

  // A folder in the way: message -3 names the file, the folder stays.
  std::filesystem::create_directories(dir / "taken.rtf" / "inside");
  const test::CliRun taken = Cli("document sample --out " + test::Quoted(dir / "taken.rtf"));
  EXPECT_NE(taken.exitCode, 0);
  EXPECT_NE(taken.err.find("Unable to create file " + (dir / "taken.rtf").string()), std::string::npos) << taken.err;
  EXPECT_TRUE(std::filesystem::is_directory(dir / "taken.rtf" / "inside"));
}

} // namespace
} // namespace aw
