// Runs the built airwright-cli (path in AW_CLI) with its "catalogue" subcommands.

#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace aw {
namespace {

class CatalogueCommandTest : public ::testing::Test
{
protected:
  struct Run
  {
    int exitCode = -1;
    std::string out, err;
  };

  Run Cli(const std::string& args)
  {
    const char* cli = std::getenv("AW_CLI");
    const std::string program =
      cli ? cli
          : (std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "src/cli/airwright-cli")
              .string();
    const std::string command = "'" + program + "' " + args + " >'" + (v_dir / "out").string() + "' 2>'" +
                                (v_dir / "err").string() + "'";
    const int status = std::system(command.c_str());
    Run run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = test::ReadFileBytes(v_dir / "out");
    run.err = test::ReadFileBytes(v_dir / "err");
    return run;
  }

  test::TempDir v_dir;
};

TEST_F(CatalogueCommandTest, InfoDescribesTheEmbeddedCatalogue)
{
  const Run run = Cli("catalogue info --json");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const auto info = nlohmann::json::parse(run.out);
  EXPECT_EQ(info["version"], "14.3");
  EXPECT_EQ(info["referenceVersion"], "1.4.3");
  EXPECT_EQ(info["versionMatches"], true);
  EXPECT_EQ(info["tables"].size(), 23u) << "every stored table";
  EXPECT_EQ(info["tables"]["Tbl_DdbVersionInfo"], 1);
  EXPECT_EQ(info["tables"]["Tbl_Brisa"], 0);
  EXPECT_TRUE(info["families"].empty());

  const Run text = Cli("catalogue info");
  ASSERT_EQ(text.exitCode, 0) << text.err;
  EXPECT_NE(text.out.find("structure version 14.3"), std::string::npos) << text.out;
}

TEST_F(CatalogueCommandTest, InfoListsTheUnitsOfEachFamilyWithTheirAirflowRange)
{
  const Run run = Cli("catalogue info --json --database '" + std::string(AW_TEST_DATA_DIR) + "/catalogue_sample.edi'");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const auto info = nlohmann::json::parse(run.out);
  EXPECT_EQ(info["dataVersion"], "R2024.1");
  EXPECT_EQ(info["tables"]["Tbl_Brisa"], 4);
  ASSERT_EQ(info["families"].size(), 3u);
  EXPECT_EQ(info["families"][0]["family"], "Brisa");
  EXPECT_EQ(info["families"][0]["code"], 0);
  EXPECT_EQ(info["families"][0]["units"],
            nlohmann::json::parse(R"([{"name": "BR-500", "minAirflow_m3h": 200.0, "maxAirflow_m3h": 500.0},
                                      {"name": "BR-800", "minAirflow_m3h": 300.0, "maxAirflow_m3h": 800.0}])"));
  EXPECT_EQ(info["families"][1]["family"], "Dorsa");
  EXPECT_EQ(info["families"][2]["family"], "Pelmar-MF");
  EXPECT_EQ(info["families"][2]["units"][0]["maxAirflow_m3h"], 1000.0);
}

TEST_F(CatalogueCommandTest, AnUnreadableCatalogueOrAMissingSubcommandFails)
{
  test::WriteFileBytes(v_dir / "bad.edi", "EDI099\r\n0\r\n0\r\n");
  const Run bad = Cli("catalogue info --database '" + (v_dir / "bad.edi").string() + "'");
  EXPECT_NE(bad.exitCode, 0);
  EXPECT_NE(bad.err.find("cannot be read"), std::string::npos) << bad.err;
  EXPECT_NE(Cli("catalogue").exitCode, 0);
  EXPECT_NE(Cli("catalogue info --database '" + (v_dir / "missing.edi").string() + "'").exitCode, 0);
}

} // namespace
} // namespace aw
