// airwright-cli chart fan|efficiency|correction on the small engine
// catalogue: the JSON shape, the units shown, and the written pictures.

#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

namespace aw {
namespace {

class ChartGraphCommandTest : public ::testing::Test
{
protected:
  test::CliRun Run(const std::string& args)
  {
    return test::RunCli(v_dir.Path(), "--catalogue '" + std::string(AW_TEST_DATA_DIR) + "/engine_catalogue.edi' " + args);
  }
  test::TempDir v_dir;
};

void ExpectXY(const nlohmann::json& world, const nlohmann::json& device)
{
  EXPECT_TRUE(world["x"].is_number() && world["y"].is_number()) << world.dump();
  ASSERT_TRUE(device.is_array() && device.size() == 2) << device.dump();
  EXPECT_TRUE(device[0].is_number() && device[1].is_number());
}

TEST_F(ChartGraphCommandTest, JsonHasAxesCurvesAndPointsInTheUnitsShown)
{
  struct Case
  {
    const char* args;
    const char *xUnit, *yUnit;
  } const cases[] = {{"chart fan --json", "l/s", "Pa"},
                     {"--units imperial chart fan --json", "CFM", "inH2O"},
                     {"chart efficiency --json", "l/s", "%"},
                     {"chart correction --json --family dorsa", "%", "%"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const test::CliRun run = Run(c.args);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto out = nlohmann::json::parse(run.out);
    for (const char* axis : {"x", "y"}) {
      const auto& a = out["axes"][axis];
      EXPECT_LT(a["min"].get<double>(), a["max"].get<double>()) << axis;
    }
    EXPECT_EQ(out["axes"]["x"]["unit"], c.xUnit);
    EXPECT_EQ(out["axes"]["y"]["unit"], c.yUnit);
    ASSERT_FALSE(out["curves"].empty());
    for (const auto& curve : out["curves"]) {
      EXPECT_TRUE(curve["tag"].get<std::string>().starts_with("curve:"));
      ASSERT_FALSE(curve["points"].empty());
      ExpectXY(curve["points"][0]["world"], curve["points"][0]["device"]);
    }
    ASSERT_FALSE(out["points"].empty());
    for (const auto& point : out["points"]) {
      EXPECT_TRUE(point["tag"].get<std::string>().starts_with("point:"));
      ExpectXY(point["world"], point["device"]);
    }
  }
}

TEST_F(ChartGraphCommandTest, WritesSvgPngAndPdf)
{
  for (const char* name : {"fan.svg", "efficiency.png", "correction.pdf"}) {
    const std::string kind = std::string(name).substr(0, std::string(name).find('.'));
    const std::string path = (v_dir.Path() / name).string();
    const test::CliRun run = Run("chart " + kind + " --out '" + path + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string head = bytes.str().substr(0, 8);
    EXPECT_TRUE(head.find("<") == 0 || head.find("PNG") == 1 || head.find("%PDF") == 0) << name;
  }
}

TEST_F(ChartGraphCommandTest, PsychrometricJsonHasTheDrawnStatesAtTheEndsOfTheProcessLines)
{
  const test::CliRun run = Run("chart psychrometric --json");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const auto out = nlohmann::json::parse(run.out);
  ASSERT_FALSE(out["states"].empty());
  // A state that coincides with another (VI = OA without inlet heater) is drawn once.
  const auto onAState = [&](const nlohmann::json& device) {
    for (const auto& state : out["states"])
      if (std::abs(state["device"][0].get<double>() - device[0].get<double>()) <= 0.5 &&
          std::abs(state["device"][1].get<double>() - device[1].get<double>()) <= 0.5)
        return true;
    return false;
  };
  int processes = 0;
  for (const auto& line : out["lines"]) {
    if (!line["tag"].get<std::string>().starts_with("process:"))
      continue;
    ++processes;
    EXPECT_TRUE(onAState(line["points"].front()["device"])) << line["tag"];
    EXPECT_TRUE(onAState(line["points"].back()["device"])) << line["tag"];
  }
  EXPECT_GT(processes, 0);
}

} // namespace
} // namespace aw
