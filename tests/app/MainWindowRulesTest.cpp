#include "app/MainWindowRules.h"
#include "app/ValueFormatting.h"

#include "air/SI_Units.h"
#include "i18n/BaseMsgMan.h"

#include <gtest/gtest.h>

namespace aw::app {
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
  for (const auto& [code, name] : names)
    EXPECT_EQ(i18n::GetUnicodeString(FamilyNameMessage(code).value()), name) << code;
  EXPECT_EQ(FamilyNameMessage(9), std::nullopt);
  EXPECT_EQ(FamilyNameMessage(-1), std::nullopt);
}

class ValueFormattingTest : public ::testing::Test
{
protected:
  ValueFormattingTest()
  {
    TU_Form::InitializeUnits();
    TU_Form::AddImperialUnits();
  }
  ~ValueFormattingTest() override { TU_Form::InitializeUnits(); }
};

TEST_F(ValueFormattingTest, WritesValuesInTheUnitInEffect)
{
  EXPECT_EQ(FormatTemperature(21.5, true), "21.5 °C");
  EXPECT_EQ(FormatTemperature(0, false), "0.0");
  EXPECT_EQ(FormatPressure(0), "");
  EXPECT_EQ(FormatPressure(120), "120.0 Pa");
  EXPECT_EQ(FormatPower(0), "");
  EXPECT_EQ(FormatPower(1.25), "1.250 kW");
  EXPECT_EQ(FormatHumidity(0), "");
  EXPECT_EQ(FormatShortLength(250, true), "250 mm");
  EXPECT_EQ(FormatAirflow(0), "0.0 l/s");

  TU_Form::SetNewIndex(U_Temperature, 1, false);
  TU_Form::SetNewIndex(U_Airflow, TU_Form::DimensionCount(U_Airflow) - 1, false);
  EXPECT_EQ(FormatTemperature(0, true), "32.0 °F");
  EXPECT_EQ(FormatAirflow(0.4719474432644405 * 100), "100.0 CFM");
}

TEST_F(ValueFormattingTest, ImperialEnthalpiesCountFromZeroFahrenheit)
{
  EXPECT_EQ(DeltaEnthalpy(0), 0);
  const double delta = DeltaEnthalpy(1);
  EXPECT_NEAR(delta, 1.006 * 17.77777777777778, 1e-6);
  // Dry air at 0 °F shows an enthalpy of 0.
  TU_Form::SetNewIndex(U_Enthalpy, 2, false);
  EXPECT_EQ(FormatEnthalpy(-delta, delta), "0.0 BTU/lbs");
  EXPECT_EQ(FormatEnthalpy(2.326 * 10 - delta, delta), "10.0 BTU/lbs");
}

} // namespace
} // namespace aw::app
