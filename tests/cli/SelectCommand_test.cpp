// Runs the built airwright-cli select on the small engine catalogue
// (tests/data/engine_catalogue.edi): the JSON shape for each family, values
// with units, and failures with a non-zero exit code.

#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace aw {
namespace {

class SelectCommandTest : public ::testing::Test
{
protected:
  test::CliRun Select(const std::string& args, const std::string& globalOptions = "")
  {
    return test::RunCli(v_dir.Path(), globalOptions + " --catalogue '" + std::string(AW_TEST_DATA_DIR) +
                                        "/engine_catalogue.edi' select " + args);
  }
  test::TempDir v_dir;
};

TEST_F(SelectCommandTest, EachFamilyGivesSortedSolutionsAndCompleteResults)
{
  for (const char* family : {"brisa", "dorsa", "pelmar-mf"}) {
    const test::CliRun run = Select(std::string("--json --family ") + family);
    ASSERT_EQ(run.exitCode, 0) << family << ": " << run.err;
    const auto out = nlohmann::json::parse(run.out);
    EXPECT_DOUBLE_EQ(out["requiredAirflow"]["supply_m3h"].get<double>(), 360) << "the window's defaults";
    EXPECT_TRUE(out["message"].is_null());
    const auto& solutions = out["solutions"];
    ASSERT_FALSE(solutions.empty()) << family;
    for (std::size_t i = 1; i < solutions.size(); ++i)
      EXPECT_LE(solutions[i - 1]["sortKey"].get<double>(), solutions[i]["sortKey"].get<double>());
    for (const char* key : {"unit", "supplySpeed", "exhaustSpeed", "sortKey"})
      EXPECT_TRUE(solutions[0].contains(key)) << key;
    const auto& picked = out["picked"];
    EXPECT_EQ(picked["index"], 1);
    for (const char* mode : {"cooling", "heating"}) {
      const auto& m = picked[mode];
      EXPECT_EQ(m["code"], 0) << family << " " << mode;
      EXPECT_TRUE(m["message"].is_null());
      for (const char* state : {"RA", "OA", "EA", "SA", "VI", "VO", "CI", "HI"})
        for (const char* field : {"DBT", "RH", "AH", "e"})
          EXPECT_TRUE(m["states"][state][field].is_number()) << mode << " " << state << "." << field;
      for (const char* key : {"temperatureEfficiency_pct", "enthalpyEfficiency_pct", "heaters", "capacities", "savings"})
        EXPECT_TRUE(m.contains(key)) << key;
      EXPECT_TRUE(m["heaters"]["inlet"].contains("calculated_kW"));
    }
  }
}

TEST_F(SelectCommandTest, ValuesTakeUnitsOfTheirDimension)
{
  const test::CliRun run =
    Select("--json --supply 300cfm --exhaust 540m3/h --esp-supply 0.5inH2O --heating-ambient 14F,80");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const auto out = nlohmann::json::parse(run.out);
  EXPECT_NEAR(out["inputs"]["supply_ls"].get<double>(), 141.584, 0.001) << "300 cfm as typed, not rounded to whole l/s";
  EXPECT_EQ(out["inputs"]["exhaust_ls"], 150);
  EXPECT_NEAR(out["inputs"]["espSupply_Pa"].get<double>(), 124.5, 0.05);
  EXPECT_NEAR(out["picked"]["heating"]["states"]["OA"]["DBT"].get<double>(), -10, 1e-9);
  EXPECT_NEAR(out["picked"]["heating"]["states"]["OA"]["RH"].get<double>(), 80, 1e-9);
}

TEST_F(SelectCommandTest, TheJsonShowsWhatTheSelectionRestsOn)
{
  const test::CliRun run = Select("--json --plenum oa-ea --supply-filter F6");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const auto out = nlohmann::json::parse(run.out);
  EXPECT_TRUE(out["notices"].empty());
  EXPECT_EQ(out["requiredAirflow"]["supply_ls"], 100);
  const auto& picked = out["picked"];
  for (const char* side : {"supply", "exhaust"}) {
    const auto& esp = picked["esp"][side];
    EXPECT_NEAR(esp["available_Pa"].get<double>(),
                esp["fan_Pa"].get<double>() - esp["filter_Pa"].get<double>() - esp["plenum_Pa"].get<double>(), 1e-9)
      << side;
  }
  EXPECT_GT(picked["esp"]["supply"]["filter_Pa"].get<double>(), 0);
  EXPECT_GT(picked["airflowShare_pct"].get<double>(), 0);
  EXPECT_TRUE(picked.contains("powerInput_kW") && picked.contains("specificFanPower_Wm3s"));
  EXPECT_EQ(out["solutions"][0]["availableSupply_Pa"], picked["esp"]["supply"]["available_Pa"]);
  EXPECT_EQ(out["solutions"][0]["airflowShare_pct"], picked["airflowShare_pct"]);
}

TEST_F(SelectCommandTest, ALimitedInputIsANoticeAndAFailedSearchGivesEveryUnitsReason)
{
  // 200 m³/h: BR-500 holds it but not 290 Pa of exhaust ESP; BR-800 starts at 300 m³/h.
  const test::CliRun run = Select("--json --supply 200m3/h --esp-supply 100 --esp-exhaust 290 --altitude 3000");
  EXPECT_EQ(run.exitCode, 2) << run.err;
  const auto out = nlohmann::json::parse(run.out);
  ASSERT_EQ(out["notices"].size(), 1u) << out["notices"].dump();
  EXPECT_EQ(out["notices"][0]["input"], "altitude");
  EXPECT_EQ(out["notices"][0]["typed"], 3000);
  EXPECT_EQ(out["notices"][0]["used"], 2000);
  EXPECT_NE(run.err.find("notice: Altitude was held to its range: 3000 m asked for, 2000 m used."), std::string::npos)
    << run.err;
  EXPECT_EQ(out["message"]["code"], 8) << "the reason of the unit that covers the airflow";
  ASSERT_EQ(out["rejections"].size(), 2u);
  EXPECT_EQ(out["rejections"][0]["unit"], "BR-500");
  EXPECT_EQ(out["rejections"][0]["code"], 8);
  EXPECT_EQ(out["rejections"][1]["code"], 1);
  EXPECT_NE(out["rejections"][1]["message"].get<std::string>().find("supply airflow is too small"), std::string::npos);
}

TEST_F(SelectCommandTest, TheReadableTableNamesSolutionsAndModes)
{
  const test::CliRun run = Select("--family dorsa --max-speed medium");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  for (const char* text : {"Solutions", "DR-650", "Cooling", "Heating", "Humidification"})
    EXPECT_NE(run.out.find(text), std::string::npos) << text;
  EXPECT_EQ(run.out.find("High"), std::string::npos) << "no speed above the maximum";
}

// The table follows --units and --language: the room air of the cooling
// default (27 °C, 47.4 %) in the unit in effect, the captions in the language.
TEST_F(SelectCommandTest, TheTableFollowsTheUnitSystemAndTheLanguage)
{
  struct Case
  {
    const char* globalOptions;
    std::vector<std::string> texts;
  };
  const Case cases[] = {
    {"", {"Total supply airflow: 100.0 l/s", "Dry bulb °C", "Enthalpy kJ/kg", " 27.0 ", "Fan pressure", "Solutions"}},
    {"--units imperial", {"Total supply airflow: 211.9 CFM", "Dry bulb °F", "Absolute humidity GPP",
                          "Enthalpy BTU/lbs", " 80.6 ", " 30.9", "inH2O"}},
    {"--language de", {"Gesamter Zuluftvolumenstrom: 100.0 l/s", "L\u00f6sungen", "K\u00fchlen", "Heizen",
                       "Zustand", "Trockenkugel °C", "Ventilatordruck", "Gew\u00e4hltes Ger\u00e4t 1"}},
    {"--language fr --units imperial", {"Solutions", "Chauffage", "80.6", "CFM"}},
  };
  for (const Case& c : cases) {
    const test::CliRun run = Select("", c.globalOptions);
    ASSERT_EQ(run.exitCode, 0) << c.globalOptions << ": " << run.err;
    for (const std::string& text : c.texts)
      EXPECT_NE(run.out.find(text), std::string::npos) << c.globalOptions << ": \"" << text << "\"\n" << run.out;
  }
  const test::CliRun german = Select("", "--language de");
  for (const char* english : {"Solutions", "Cooling", "Dry bulb", "Selected unit"})
    EXPECT_EQ(german.out.find(english), std::string::npos) << english;
  const auto json = nlohmann::json::parse(Select("--json", "--language de --units imperial").out);
  EXPECT_DOUBLE_EQ(json["picked"]["cooling"]["states"]["RA"]["DBT"].get<double>(), 27) << "JSON stays in base units";
}

TEST_F(SelectCommandTest, FailuresExitWithACodeAndSayWhy)
{
  struct Case
  {
    const char* args;
    int exitCode;
    const char* text;
  };
  const Case cases[] = {
    {"--esp-supply 0 --json", 2, "The supply ESP is too small"},
    {"--heating-room 20,95 --json", 2, "The room air relative humidity is larger than 80%."},
    {"--family corvane", 1, "--family"},
    {"--supply 12parsecs", 1, "unknown unit"},
    {"--pick 99", 1, "--pick"},
    {"--max-speed turbo", 1, "Low|Medium|High"},
  };
  for (const Case& c : cases) {
    const test::CliRun run = Select(c.args);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.args << ": " << run.err;
    EXPECT_NE((run.err + run.out).find(c.text), std::string::npos) << c.args << ": " << run.err;
  }
  const test::CliRun json = Select("--esp-supply 0 --json");
  const auto out = nlohmann::json::parse(json.out);
  EXPECT_EQ(out["message"]["number"], 70);
  EXPECT_TRUE(out["solutions"].empty());
  EXPECT_TRUE(out["picked"].is_null());
}

} // namespace
} // namespace aw
