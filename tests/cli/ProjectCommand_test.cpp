// Project files from the command line: select --save-project and
// select --project give the same JSON, options given with a project
// override it, project show decodes every field, and damaged or unwritable
// files fail with their message.

#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

namespace aw {
namespace {

class ProjectCommandTest : public ::testing::Test
{
protected:
  test::CliRun Cli(const std::string& args)
  {
    return test::RunCli(v_dir.Path(), "--catalogue '" + std::string(AW_TEST_DATA_DIR) + "/engine_catalogue.edi' " + args);
  }
  nlohmann::json Json(const std::string& args)
  {
    const test::CliRun run = Cli(args);
    EXPECT_EQ(run.exitCode, 0) << args << ": " << run.err;
    return run.exitCode == 0 ? nlohmann::json::parse(run.out) : nlohmann::json();
  }
  std::string File(const std::string& name) { return test::Quoted(v_dir / name); }
  test::TempDir v_dir;
};

TEST_F(ProjectCommandTest, SaveThenOpenGivesTheIdenticalSelection)
{
  const char* rows[] = {
    "",
    "--persons 30 --airflow-per-person 7.5",
    "--supply 300cfm --exhaust 540m3/h",
    "--room-surface 140 --area-per-person 6.5 --esp-supply 0.5inH2O --esp-exhaust 95.5",
    "--supply-filter F6 --exhaust-filter F7 --plenum all --upside-down",
    "--plenum oa-ea --altitude 800 --cooling-room 26,55",
    "--heating-ambient -15,50",
    "--heating-ambient -15,50 --heating-inlet-heater 3 --supply-temp 24 --supply-heater 1.5",
    "--family dorsa --pick 2",
    "--family pelmar-mf --cooling-discharge 15.5 --heating-discharge 23",
  };
  for (const char* row : rows) {
    const std::string args = std::string("select --json ") + row;
    const nlohmann::json saved = Json(args + " --save-project " + File("p.awr"));
    ASSERT_FALSE(saved.is_null()) << row;
    EXPECT_EQ(saved, Json(args)) << row << ": saving changes nothing";
    EXPECT_EQ(Json("select --json --project " + File("p.awr")), saved) << row;
  }
}

TEST_F(ProjectCommandTest, ResultsDoNotDependOnWhatWasComputedBefore)
{
  // The maximum speed that leaves the list as it is, and a detour over another pick.
  const nlohmann::json plain = Json("select --json --heating-ambient -15,50");
  EXPECT_EQ(Json("select --json --heating-ambient -15,50 --max-speed High"), plain);
  EXPECT_EQ(Json("select --json --heating-ambient -15,50 --pick 1"), plain);
  const nlohmann::json second = Json("select --json --heating-ambient -15,50 --pick 2");
  EXPECT_EQ(second["picked"]["index"], 2);
  // A user heater stays a user heater.
  const nlohmann::json user = Json("select --json --heating-ambient -15,50 --heating-inlet-heater 6");
  EXPECT_EQ(user["picked"]["heating"]["heaters"]["inlet"]["user_kW"], 6);
}

TEST_F(ProjectCommandTest, OptionsGivenWithAProjectOverrideIt)
{
  Json("select --json --save-project " + File("p.awr"));
  EXPECT_EQ(Json("select --json --project " + File("p.awr") + " --esp-supply 100"),
            Json("select --json --esp-supply 100"));
  EXPECT_EQ(Json("select --json --project " + File("p.awr") + " --family dorsa"), Json("select --json --family dorsa"))
    << "the stored unit is not offered: the first row";
}

TEST_F(ProjectCommandTest, ShowDecodesEveryFieldWithAbsentValuesAsNull)
{
  Json("select --json --persons 24 --plenum all --save-project " + File("p.awr"));
  const nlohmann::json shown = Json("project show --json " + File("p.awr"));
  EXPECT_EQ(shown["layout"], "AWR002");
  EXPECT_EQ(shown["unit"]["clsID"], 144);
  EXPECT_EQ(shown["nrOfPersons"], 24);
  EXPECT_TRUE(shown["areaPerPerson_m2"].is_null());
  EXPECT_TRUE(shown["roomSurface_m2"].is_null());
  EXPECT_TRUE(shown["totalSupply_ls"].is_null());
  EXPECT_TRUE(shown["coolingData"]["userInletHeater_kW"].is_null());
  EXPECT_EQ(shown["plenumSelected"], 2);
  ASSERT_FALSE(shown["options"].empty());
  for (const auto& option : shown["options"])
    EXPECT_EQ(option["quantity"], 1);
  const test::CliRun text = Cli("project show " + File("p.awr"));
  EXPECT_NE(text.out.find("layout: AWR002"), std::string::npos) << text.out;
}

TEST_F(ProjectCommandTest, DamagedAndUnwritableFilesFailWithTheirMessage)
{
  Json("select --json --save-project " + File("p.awr"));
  const std::string good = test::ReadFileBytes(v_dir / "p.awr");
  test::WriteFileBytes(v_dir / "short.awr", good.substr(0, 242));
  for (const std::string& args : {"select --project " + File("short.awr"), "project show " + File("short.awr")}) {
    const test::CliRun run = Cli(args);
    EXPECT_EQ(run.exitCode, 1) << args;
    EXPECT_NE(run.err.find("Cannot read this ventilation project file."), std::string::npos) << run.err;
  }
  test::WriteFileBytes(v_dir / "folder", "a file");
  const test::CliRun run = Cli("select --save-project " + File("folder") + "/p.awr");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("Unable to create file"), std::string::npos) << run.err;
  EXPECT_EQ(test::ReadFileBytes(v_dir / "p.awr"), good);
}

} // namespace
} // namespace aw
