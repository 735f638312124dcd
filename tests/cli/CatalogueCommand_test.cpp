// Runs the built airwright-cli (path in AW_CLI) with its "catalogue" subcommands.

#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

namespace aw {
namespace {

class CatalogueCommandTest : public ::testing::Test
{
protected:
  using Run = test::CliRun;
  Run Cli(const std::string& args) { return test::RunCli(v_dir.Path(), args); }

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
  EXPECT_EQ(info["dataVersion"], "Demo 2025.1");
  // The demonstration catalogue: nine Brisa, three Dorsa and three Pelmar-MF units.
  EXPECT_EQ(info["tables"]["Tbl_Brisa"], 15);
  ASSERT_EQ(info["families"].size(), 3u);
  const std::pair<const char*, std::size_t> families[] = {{"Brisa", 9}, {"Dorsa", 3}, {"Pelmar-MF", 3}};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(info["families"][i]["family"], families[i].first);
    EXPECT_EQ(info["families"][i]["units"].size(), families[i].second);
  }
  EXPECT_EQ(info["families"][0]["units"][0],
            nlohmann::json::parse(R"({"name": "Brisa 250", "minAirflow_m3h": 90.0, "maxAirflow_m3h": 250.0})"));

  const Run text = Cli("catalogue info");
  ASSERT_EQ(text.exitCode, 0) << text.err;
  EXPECT_NE(text.out.find("structure version 14.3"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("Pelmar-MF 2000"), std::string::npos) << text.out;
}

TEST_F(CatalogueCommandTest, InfoListsTheUnitsOfEachFamilyWithTheirAirflowRange)
{
  const Run run = Cli("--catalogue '" + std::string(AW_TEST_DATA_DIR) + "/catalogue_sample.edi' catalogue info --json");
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
  const Run bad = Cli("--catalogue '" + (v_dir / "bad.edi").string() + "' catalogue info");
  EXPECT_NE(bad.exitCode, 0);
  EXPECT_NE(bad.err.find("bad.edi: line 1, byte 7: the signature"), std::string::npos) << bad.err;
  EXPECT_NE(Cli("catalogue").exitCode, 0);
  EXPECT_NE(Cli("--catalogue '" + (v_dir / "missing.edi").string() + "' catalogue info").exitCode, 0);
}

TEST_F(CatalogueCommandTest, CheckReportsWhereACatalogueIsDamaged)
{
  const std::string sample = std::string(AW_TEST_DATA_DIR) + "/catalogue_sample.edi";
  const Run good = Cli("catalogue check " + test::Quoted(sample));
  EXPECT_EQ(good.exitCode, 0) << good.err;
  EXPECT_NE(good.out.find("objects, structure version matches"), std::string::npos) << good.out;

  const std::string text = test::ReadFileBytes(sample);
  test::WriteFileBytes(v_dir / "cut.edi", text.substr(0, text.size() / 2));
  const Run cut = Cli("catalogue check " + test::Quoted(v_dir / "cut.edi"));
  EXPECT_NE(cut.exitCode, 0);
  EXPECT_NE(cut.err.find("cut.edi: line "), std::string::npos) << "the error says where: " << cut.err;

  // A reference the program would drop silently is an error for check.
  const std::string dangling = "EDI100\r\n5 18 TBL_DdbVersionInfo 101\r\n5 6 DVI_ID 2\r\n5 13 DVI_DbVersion 10\r\n0\r\n"
                               "5 14 Tbl_BrisaSpeed 147\r\n5 6 VSP_ID 2\r\n5 17 VSP_Brisa_CLS_REF 2\r\n5 17 VSP_Brisa_OBJ_REF 2\r\n0\r\n0\r\n"
                               "2 101 2 1\r\n2 1 10 4 14.3 \r\n2 147 2 1\r\n2 1 2 144 2 99 \r\n0\r\n";
  test::WriteFileBytes(v_dir / "dangling.edi", dangling);
  const Run strict = Cli("catalogue check " + test::Quoted(v_dir / "dangling.edi"));
  EXPECT_NE(strict.exitCode, 0) << strict.out;
}

TEST_F(CatalogueCommandTest, ConvertWritesTheSameCatalogueCompressedOrPlain)
{
  const std::string sample = std::string(AW_TEST_DATA_DIR) + "/catalogue_sample.edi";
  ASSERT_EQ(Cli("catalogue convert --compress " + test::Quoted(sample) + " " + test::Quoted(v_dir / "packed.edi")).exitCode, 0);
  EXPECT_EQ(test::ReadFileBytes(v_dir / "packed.edi").substr(0, 3), "Q7R");
  ASSERT_EQ(Cli("catalogue convert " + test::Quoted(v_dir / "packed.edi") + " " + test::Quoted(v_dir / "plain.edi")).exitCode, 0);
  const Run original = Cli("--catalogue " + test::Quoted(sample) + " catalogue info --json");
  const Run converted = Cli("--catalogue " + test::Quoted(v_dir / "plain.edi") + " catalogue info --json");
  ASSERT_EQ(converted.exitCode, 0) << converted.err;
  EXPECT_EQ(converted.out, original.out);
  EXPECT_EQ(test::ReadFileBytes(v_dir / "plain.edi").substr(0, 8), "EDI100\r\n");
}

} // namespace
} // namespace aw
