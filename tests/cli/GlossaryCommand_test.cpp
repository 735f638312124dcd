// Runs the built airwright-cli (path in AW_CLI) with "glossary" and the global --language.

#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace aw {
namespace {

class GlossaryCommandTest : public ::testing::Test
{
protected:
  test::CliRun Cli(const std::string& args) { return test::RunCli(dir.Path(), args); }
  std::string Quoted(const std::string& name) const { return test::Quoted(dir / name); }

  test::TempDir dir;
};

TEST_F(GlossaryCommandTest, ExportsTheShippedGlossariesAndChecksThemBack)
{
  struct Case
  {
    const char* szArgs;
    const char* szChecked;
    const char* szContains;
  };
  for (const Case& c : {
         Case{"--language de", "1031 German: ", "<Data ss:Type=\"String\">Ergebnisse</Data>"},
         Case{"--language fr", "1036 French: ", "<Data ss:Type=\"String\">R&#233;sultats</Data>"},
         Case{"--language de --catalogue-texts", "1031 German: ", "F7-Filtersatz f&#252;r Brisa 500"},
       }) {
    SCOPED_TRACE(c.szArgs);
    const test::CliRun exported = Cli(std::string("glossary export ") + c.szArgs + " --out " + Quoted("g.xml"));
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_NE(test::ReadFileBytes(dir / "g.xml").find(c.szContains), std::string::npos);
    const test::CliRun checked = Cli("glossary check " + Quoted("g.xml"));
    ASSERT_EQ(checked.exitCode, 0) << checked.err;
    EXPECT_EQ(checked.out.rfind(c.szChecked, 0), 0u) << checked.out;
    EXPECT_TRUE(checked.out.ends_with(" entries\n")) << checked.out;
  }
}

TEST_F(GlossaryCommandTest, RefusesAnUnreadableFileNamingThePlace)
{
  test::WriteFileBytes(dir / "bad.xml", "<?xml version=\"1.0\"?>\r\n<Workbook>\r\n<Row>");
  const test::CliRun run = Cli("glossary check " + Quoted("bad.xml"));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find((dir / "bad.xml").string() + ": line 3"), std::string::npos) << run.err;
  EXPECT_EQ(Cli("glossary check " + Quoted("missing.xml")).exitCode, 1);
  EXPECT_NE(Cli("glossary export --language it --out " + Quoted("g.xml")).exitCode, 0);
}

TEST_F(GlossaryCommandTest, LanguageMakesMessagesAndCatalogueTextsFollow)
{
  const test::CliRun german = Cli("--language de select --esp-supply 5000Pa");
  EXPECT_EQ(german.exitCode, 2);
  EXPECT_NE(german.err.find("verf\u00fcgbaren L\u00fcftungsger\u00e4te"), std::string::npos) << german.err;
  const test::CliRun french = Cli("--language fr select");
  ASSERT_EQ(french.exitCode, 0) << french.err;
  EXPECT_NE(french.out.find("Tr\u00e8s grande vitesse"), std::string::npos);
  const test::CliRun english = Cli("--language en select");
  EXPECT_NE(english.out.find("Ultra-high"), std::string::npos);
  // JSON keys stay English.
  const test::CliRun json = Cli("--language de select --json");
  EXPECT_NE(json.out.find("\"solutions\""), std::string::npos) << json.out.substr(0, 300);
  EXPECT_NE(Cli("--language xx version").exitCode, 0);
}

} // namespace
} // namespace aw
