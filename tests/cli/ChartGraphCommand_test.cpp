// airwright-cli chart fan|efficiency|correction|configuration on the small
// engine catalogue: the JSON shape, the units shown, and the written pictures.

#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <set>
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
                     {"chart fan --json --units imperial", "CFM", "inH2O"}, // after the command too
                     {"chart efficiency --json", "l/s", "%"},
                     {"chart correction --json --family dorsa", "%", "%"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const test::CliRun run = Run(c.args);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto out = nlohmann::json::parse(run.out);
    EXPECT_EQ(run.out.find("99999999"), std::string::npos) << "values to 12 significant digits";
    EXPECT_EQ(run.out.find("00000001"), std::string::npos) << "values to 12 significant digits";
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

std::string FileText(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The big-endian number at a PNG's offset (the header's width and height).
std::uint32_t PngNumber(const std::string& png, std::size_t offset)
{
  std::uint32_t n = 0;
  for (std::size_t i = offset; i < offset + 4; ++i)
    n = n << 8 | static_cast<unsigned char>(png[i]);
  return n;
}

TEST_F(ChartGraphCommandTest, WritesSvgPngAndPdf)
{
  struct Case
  {
    const char *args, *name, *start;
  } const cases[] = {{"chart fan", "fan.svg", "<"},
                     {"--units imperial chart fan", "fan-imperial.png", "\x89PNG"},
                     {"chart efficiency", "efficiency.png", "\x89PNG"},
                     {"chart correction", "correction.pdf", "%PDF"},
                     {"chart configuration --family dorsa", "configuration.svg", "<"},
                     {"chart configuration --size 640x480", "configuration.png", "\x89PNG"},
                     {"chart configuration --family pelmar-mf", "configuration.pdf", "%PDF"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const std::string path = (v_dir.Path() / c.name).string();
    const test::CliRun run = Run(std::string(c.args) + " --out '" + path + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string bytes = FileText(path);
    EXPECT_TRUE(bytes.starts_with(c.start)) << bytes.substr(0, 8);
    EXPECT_GT(bytes.size(), 2000u) << "a picture with nothing drawn";
    if (std::string(c.start) == "\x89PNG") { // PNG at twice the size
      const bool bSmall = std::string(c.args).find("640x480") != std::string::npos;
      EXPECT_EQ(PngNumber(bytes, 16), bSmall ? 1280u : 1600u);
      EXPECT_EQ(PngNumber(bytes, 20), bSmall ? 960u : 1200u);
    }
  }
  const std::string svg = FileText((v_dir.Path() / "configuration.svg").string());
  for (const char* caption : {"Room Air (RA)", "Coil In (CI)", "Ventilation Out (VO)"})
    EXPECT_NE(svg.find(caption), std::string::npos) << caption;
}

// Pictures speak the language chosen; the JSON keeps the English texts.
TEST_F(ChartGraphCommandTest, PicturesAreInTheLanguageChosen)
{
  struct Case
  {
    const char *args, *german;
  } const cases[] = {{"chart configuration", "Raumluft (RA)"},
                     {"chart configuration", "Maximale relative Feuchte"},
                     {"chart fan", "Volumenstrom"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const std::string path = (v_dir.Path() / "de.svg").string();
    const test::CliRun run = Run(std::string("--language de ") + c.args + " --out '" + path + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(FileText(path).find(c.german), std::string::npos) << c.german;
  }
  const test::CliRun json = Run("--language de chart configuration --json");
  ASSERT_EQ(json.exitCode, 0) << json.err;
  EXPECT_NE(json.out.find("Room Air (RA)"), std::string::npos);
}

// The drawing's labels and boxes with their places, per family.
TEST_F(ChartGraphCommandTest, ConfigurationJsonHasTheFamilysCaptionsAndBoxesOnTheCanvas)
{
  struct Case
  {
    const char* family;
    bool bExhaust, bCoil;
  } const cases[] = {{"brisa", true, false}, {"dorsa", true, true}, {"pelmar-mf", false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.family);
    const test::CliRun run = Run(std::string("chart configuration --json --size 900x650 --family ") + c.family);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto out = nlohmann::json::parse(run.out);
    EXPECT_EQ(out["width"], 900);
    EXPECT_EQ(out["height"], 650);
    const auto onCanvas = [](const nlohmann::json& r) {
      return r.size() == 4 && r[0] >= 0 && r[1] >= 0 && r[0] < r[2] && r[1] < r[3] && r[2] <= 900 && r[3] <= 650;
    };
    EXPECT_TRUE(onCanvas(out["unit"])) << out["unit"].dump();
    std::set<std::string> tags;
    for (const auto& label : out["labels"]) {
      tags.insert(label["tag"].get<std::string>());
      EXPECT_FALSE(label["text"].get<std::string>().empty()) << label["tag"];
      EXPECT_TRUE(onCanvas(label["device"])) << label.dump();
    }
    for (const auto& box : out["boxes"]) {
      tags.insert(box["tag"].get<std::string>());
      EXPECT_TRUE(onCanvas(box["device"])) << box.dump();
    }
    for (const char* tag : {"title", "caption:VI", "caption:VO", "caption:OA", "caption:SA", "limits:ventIn",
                            "limits:ventOut"})
      EXPECT_TRUE(tags.contains(tag)) << tag;
    for (const char* tag : {"caption:RA", "caption:EA", "limits:exhaust", "limits:room", "limits:exchanger", "note"})
      EXPECT_EQ(tags.contains(tag), c.bExhaust) << tag;
    EXPECT_EQ(tags.contains("caption:CI"), c.bCoil);
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
