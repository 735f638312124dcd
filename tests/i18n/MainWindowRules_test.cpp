#include "i18n/MainWindowRules.h"

#include "i18n/BaseMsgMan.h"

#include <gtest/gtest.h>

namespace aw {
namespace {

TEST(WindowSizeRuleTest, GrowsToTheFirstCandidateBetweenWindowAndScreen)
{
  struct Case
  {
    WindowSize window, screen;
    std::optional<WindowSize> grown;
  };
  const std::vector<Case> cases = {
    {{1024, 720}, {1920, 1080}, WindowSize{1440, 900}},
    {{1024, 720}, {1440, 900}, WindowSize{1152, 864}}, // a candidate must be smaller than the screen
    {{1000, 700}, {1280, 800}, WindowSize{1024, 768}},
    {{1024, 720}, {1153, 865}, WindowSize{1152, 864}},
    {{1024, 720}, {1152, 864}, std::nullopt},          // 1024 × 768 is no wider than the window
    {{1440, 600}, {1920, 1080}, std::nullopt},         // as wide as 1440 × 900: never that one, others narrower
    {{800, 900}, {1920, 1080}, std::nullopt},          // as high as 1440 × 900
    {{800, 600}, {1920, 1080}, WindowSize{1440, 900}},
    {{800, 600}, {1100, 800}, WindowSize{1024, 768}},
    {{1920, 700}, {1920, 1080}, std::nullopt},         // as wide as the screen
    {{2000, 1200}, {1920, 1080}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.window.nWidth) + "x" + std::to_string(c.window.nHeight) + " on " +
                 std::to_string(c.screen.nWidth) + "x" + std::to_string(c.screen.nHeight));
    EXPECT_EQ(GrownWindowSize(c.window, c.screen), c.grown);
  }
}

TEST(WindowSizeRuleTest, OnAScreenTooSmallForTheDesignSizeTheWindowTakesTheWorkArea)
{
  struct Case
  {
    WindowSize window, screen, workArea;
    std::optional<WindowSize> size;
  };
  const std::vector<Case> cases = {
    {{1024, 720}, {1920, 1080}, {1920, 1040}, WindowSize{1440, 900}}, // the grown size where there is one
    {{1024, 720}, {1366, 768}, {1366, 740}, WindowSize{1366, 740}},   // a laptop: no candidate fits
    {{1024, 720}, {960, 540}, {960, 540}, WindowSize{960, 540}},      // full HD at scale 2
    {{1366, 740}, {1366, 768}, {1366, 740}, std::nullopt},            // already filling it
    {{1440, 600}, {1920, 1080}, {1920, 1040}, std::nullopt},          // a large screen: only the growing rule
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.screen.nWidth) + "x" + std::to_string(c.screen.nHeight));
    EXPECT_EQ(StartupWindowSize(c.window, c.screen, c.workArea), c.size);
  }
}

TEST(MainWindowTextsTest, CaptionAboutAndFamilyNames)
{
  EXPECT_EQ(MainWindowCaption("Airwright", "DB 3.1", ""), "Airwright 7.2.0 - DB 3.1");
  EXPECT_EQ(MainWindowCaption("Airwright", "DB 3.1", "Demo"), "Airwright 7.2.0 - DB 3.1 Demo");
  EXPECT_EQ(MainWindowCaption("Airwright", "", ""), "Airwright 7.2.0");
  EXPECT_EQ(ApplicationTitle("Airwright"), "Airwright 7.2.0");
  EXPECT_EQ(AboutText("Airwright", "", ""), "Airwright\nVersion 7.2.0\nDatabase version unknown");

  i18n::RegisterProgramMessages();
  const std::vector<std::pair<int, std::string>> names = {{0, "Brisa"},   {1, "Dorsa"},   {2, "Pelmar-MF"},
                                                          {3, "AHU"},     {4, "Corvane"}, {5, "Wendrix"},
                                                          {6, "Wendrix"}, {7, "Plug and Play"}, {8, "Plug and Play"}};
  // The name messages of the family codes 0 … 8 (the engine's family traits).
  const int numbers[] = {114, 115, 95, 88, 78, 94, 94, 98, 98};
  for (const auto& [code, name] : names)
    EXPECT_EQ(i18n::GetUnicodeString(numbers[code]), name) << code;
}

} // namespace
} // namespace aw
