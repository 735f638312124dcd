// Values as the program shows them, in the unit in effect of their dimension.

#include "air/ValueFormatting.h"

#include "air/SI_Units.h"

#include <gtest/gtest.h>

namespace aw {
namespace {

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

TEST_F(ValueFormattingTest, AComputedZeroShowsAsZeroAndOnlyANotComputedValueIsBlank)
{
  EXPECT_EQ(FormatComputedPower(0.0), "0.000 kW");
  EXPECT_EQ(FormatComputedPower(1.25), "1.250 kW");
  EXPECT_EQ(FormatComputedPressure(0.0), "0.0 Pa");
  EXPECT_EQ(FormatComputedPressure(-12.5), "-12.5 Pa") << "a deficit is a result too";
  EXPECT_EQ(FormatPercent(0.0), "0.0%");
  EXPECT_EQ(FormatSpecificFanPower(1234.4), "1234 W/(m³/s)");
  for (const std::optional<double> absent : {std::optional<double>(), std::optional<double>(-2147483647.0)}) {
    EXPECT_EQ(FormatComputedPower(absent), "");
    EXPECT_EQ(FormatComputedPressure(absent), "");
    EXPECT_EQ(FormatPercent(absent), "");
    EXPECT_EQ(FormatSpecificFanPower(absent), "");
  }
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
} // namespace aw
