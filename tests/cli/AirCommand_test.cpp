// Runs the built airwright-cli (path in AW_CLI) with its "air" subcommand.

#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace aw {
namespace {

using test::CliRun;

class AirCommandTest : public ::testing::Test
{
protected:
  CliRun Cli(const std::string& args, const std::string& input = "") { return test::RunCli(v_dir.Path(), args, input); }

  test::TempDir v_dir;
};

std::vector<std::string> Split(const std::string& text, char separator)
{
  std::vector<std::string> parts;
  std::stringstream ss(text);
  for (std::string part; std::getline(ss, part, separator);)
    parts.push_back(part);
  if (!text.empty() && text.back() == separator)
    parts.push_back("");
  return parts;
}

TEST_F(AirCommandTest, OneStateAsTextAndJson)
{
  const CliRun text = Cli("air --altitude 0 --dbt 20 --rh 50");
  ASSERT_EQ(text.exitCode, 0) << text.err;
  for (const char* line : {"pressure", "saturation pressure", "humidity ratio", "enthalpy", "dew point", "wet bulb",
                           "relative humidity", "density"})
    EXPECT_NE(text.out.find(line), std::string::npos) << line;
  EXPECT_NE(text.out.find("101325.0 Pa"), std::string::npos) << text.out;

  // 20 °C, 50 % at sea level, against the independent ASHRAE figures and their bands.
  const CliRun run = Cli("air --altitude 0 --dbt 20 --rh 50 --json");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const auto j = nlohmann::json::parse(run.out);
  EXPECT_NEAR(j.at("P_Pa").get<double>(), 101325, 0.01);
  EXPECT_NEAR(j.at("x_kgkg").get<double>() / 0.007261737207462574, 1, 2e-4);
  EXPECT_NEAR(j.at("h_kJkg").get<double>(), 38.55174137998151, 0.15);
  EXPECT_NEAR(j.at("tdp_C").get<double>(), 9.272392288187499, 0.05);
  EXPECT_NEAR(j.at("twb_C").get<double>(), 13.783369664318617 - 0.17, 0.18);
  EXPECT_NEAR(j.at("rh_pct").get<double>(), 50, 1e-9);
  EXPECT_NEAR(j.at("rho_kgm3").get<double>() / 1.1988979666684412, 1, 1e-4);
  EXPECT_GT(j.at("ps_Pa").get<double>(), 2330);

  // The wet bulb given instead of the humidity leads back to the same state.
  const double twb = j.at("twb_C").get<double>();
  const CliRun back = Cli("air --altitude 0 --dbt 20 --wb " + std::to_string(twb) + " --json");
  ASSERT_EQ(back.exitCode, 0) << back.err;
  EXPECT_NEAR(nlohmann::json::parse(back.out).at("rh_pct").get<double>(), 50, 0.01);
}

TEST_F(AirCommandTest, DryAirHasNoDewPoint)
{
  const CliRun run = Cli("air --altitude 1000 --dbt 10 --rh 0 --json");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const auto j = nlohmann::json::parse(run.out);
  EXPECT_TRUE(j.at("tdp_C").is_null());
  EXPECT_LT(j.at("twb_C").get<double>(), 10);
  EXPECT_NE(Cli("air --dbt 10 --rh 0").out.find("none"), std::string::npos);
}

TEST_F(AirCommandTest, BatchFromStandardInput)
{
  const CliRun run = Cli("air --csv", "# states\nalt_m,tdb_C,rh_pct\n0,20,50\r\n\n2500,-10,0\n1000,oops,5\n1000,30,101\n");
  EXPECT_NE(run.exitCode, 0);
  EXPECT_NE(run.err.find("line 6"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("line 7"), std::string::npos) << run.err;
  const std::vector<std::string> lines = Split(run.out, '\n');
  ASSERT_EQ(lines.size(), 4u) << run.out; // header, two states, final newline
  EXPECT_EQ(lines[0], "alt_m,tdb_C,rh_pct,P_Pa,ps_Pa,x_kgkg,h_kJkg,tdp_C,twb_C,rho_kgm3");
  const std::vector<std::string> first = Split(lines[1], ',');
  ASSERT_EQ(first.size(), 10u);
  EXPECT_EQ(first[0] + "," + first[1] + "," + first[2], "0,20,50");
  EXPECT_EQ(first[3], "101325");
  EXPECT_NEAR(std::stod(first[6]), 38.55, 0.15);
  const std::vector<std::string> dry = Split(lines[2], ',');
  ASSERT_EQ(dry.size(), 10u);
  EXPECT_EQ(dry[7], "") << "no dew point for dry air";

  const CliRun clean = Cli("air --csv", "0,25,40\n");
  EXPECT_EQ(clean.exitCode, 0) << clean.err;
  EXPECT_EQ(Split(clean.out, '\n').size(), 3u);
}

TEST_F(AirCommandTest, RefusesWhatDescribesNoAir)
{
  const struct { const char* args; const char* message; } cases[] = {
      {"air --rh 50", "--dbt"},
      {"air --dbt 20", "--rh or --wb"},
      {"air --dbt 20 --rh 120", "--rh"},
      {"air --dbt 20 --rh 50 --wb 10", "--wb"},
      {"air --dbt 20 --wb 25", "above the dry bulb"},
      {"air --dbt 20 --wb -10", "below that of dry air"},
      {"air --altitude 12000 --dbt 20 --rh 50", "--altitude"},
      {"air --csv --dbt 20", "--csv"},
  };
  for (const auto& c : cases) {
    const CliRun run = Cli(c.args);
    EXPECT_NE(run.exitCode, 0) << c.args;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.args << ": " << run.err;
    EXPECT_TRUE(run.out.empty()) << c.args;
  }
}

} // namespace
} // namespace aw
