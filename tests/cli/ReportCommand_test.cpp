// Runs the built airwright-cli with its "report" subcommand: the report of
// the selected unit as RTF and PDF, and a save that fails.

#include "docs/RtfCheck.h"
#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace aw {
namespace {

class ReportCommandTest : public ::testing::Test
{
protected:
  test::CliRun Cli(const std::string& args) { return test::RunCli(dir.Path(), args); }
  test::TempDir dir;
};

TEST_F(ReportCommandTest, WritesEverySectionWithItsPicturesAsRtfAndPdf)
{
  const test::CliRun rtf = Cli("report --family dorsa --out " + test::Quoted(dir / "dorsa.rtf"));
  ASSERT_EQ(rtf.exitCode, 0) << rtf.err;
  const test::RtfCheckResult check = test::CheckRtf(test::ReadFileBytes(dir / "dorsa.rtf"));
  EXPECT_EQ(check.error, "");
  std::size_t at = 0;
  for (const char* heading : {"Specification Data", "Selected ventilation device: Dorsa", "Selection Data",
                              "Selected option data", "Commissioning parameters", "Technical data",
                              "Selection parameters for use in Tessel_Wright", "Psychrometric Points",
                              "Psychrometric Diagram", "Fan Characteristics", "Efficiency Data",
                              "Corrected Efficiency Data", "Configuration Data"}) {
    const std::size_t found = check.text.find(heading, at);
    EXPECT_NE(found, std::string::npos) << heading;
    if (found != std::string::npos) at = found;
  }
  EXPECT_NE(check.text.find("Page "), std::string::npos);
  // The maker's logo, two charts, three graphs and the configuration drawing.
  EXPECT_EQ(check.pictures, 7);

  const test::CliRun pdf = Cli("report --family pelmar-mf --out " + test::Quoted(dir / "pelmar.PDF"));
  ASSERT_EQ(pdf.exitCode, 0) << pdf.err;
  EXPECT_EQ(test::ReadFileBytes(dir / "pelmar.PDF").rfind("%PDF-", 0), 0u);
}

TEST_F(ReportCommandTest, RefusesOtherFormatsAndReportsAFailedSave)
{
  const test::CliRun odd = Cli("report --out " + test::Quoted(dir / "report.doc"));
  EXPECT_NE(odd.exitCode, 0);
  EXPECT_NE(odd.err.find(".rtf or .pdf"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "report.doc"));

  // A folder in the way: message -3 names the file, the folder stays.
  std::filesystem::create_directories(dir / "taken.rtf" / "inside");
  const test::CliRun taken = Cli("report --out " + test::Quoted(dir / "taken.rtf"));
  EXPECT_NE(taken.exitCode, 0);
  EXPECT_NE(taken.err.find("Unable to create file " + (dir / "taken.rtf").string()), std::string::npos) << taken.err;
  EXPECT_TRUE(std::filesystem::is_directory(dir / "taken.rtf" / "inside"));
}

} // namespace
} // namespace aw
