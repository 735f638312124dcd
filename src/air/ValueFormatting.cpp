#include "air/ValueFormatting.h"

#include "air/Air.h"
#include "air/NumberFormat.h"
#include "air/SI_Units.h"

#include <cmath>

namespace aw {
namespace {

std::string Format(double value, U_RepUnit unit, int nMinWidth, bool bWithUnit)
{
  std::string text = TU_Form::PutFmtDimensionedValue(value, unit, nMinWidth, true);
  if (bWithUnit)
    text += " " + TU_Form::GetCurrentString(unit);
  return text;
}

// A value of exactly 0 is no value and shows nothing.
std::string FormatOrEmpty(double value, U_RepUnit unit, int nMinWidth, bool bWithUnit)
{
  return value == 0 ? std::string() : Format(value, unit, nMinWidth, bWithUnit);
}

// No value: not computed, or the absent marker of the panels.
bool Absent(const std::optional<double>& value)
{
  constexpr double kAbsent = -2147483647;
  return !value || !std::isfinite(*value) || *value <= kAbsent;
}

} // namespace

std::string FormatTemperature(double value, bool bWithUnit)
{
  return Format(value, U_Temperature, 1, bWithUnit);
}

std::string FormatHumidity(double value)
{
  return FormatOrEmpty(value, U_Humidity, 1, true);
}

std::string FormatEnthalpy(double value, double deltaEnthalpy)
{
  return Format(value + deltaEnthalpy, U_Enthalpy, 1, true);
}

std::string FormatAirflow(double value)
{
  return Format(value, U_Airflow, 1, true);
}

std::string FormatPressure(double value)
{
  return FormatOrEmpty(value, U_Pressure, 1, true);
}

std::string FormatShortLength(double value, bool bWithUnit)
{
  return FormatOrEmpty(value, U_ShortLength, 1, bWithUnit);
}

std::string FormatMass(double value)
{
  return FormatOrEmpty(value, U_Mass, 1, true);
}

std::string FormatPower(double value)
{
  return FormatOrEmpty(value, U_Power, 3, true);
}

std::string FormatComputedPower(std::optional<double> value)
{
  return Absent(value) ? std::string() : Format(*value, U_Power, 3, true);
}

std::string FormatComputedPressure(std::optional<double> value, bool bWithUnit)
{
  return Absent(value) ? std::string() : Format(*value, U_Pressure, 1, bWithUnit);
}

std::string FormatPercent(std::optional<double> value)
{
  return Absent(value) ? std::string() : Number2FmtStr(*value, 1, 1, TU_Form::GetDecimalSeparator()) + "%";
}

std::string FormatSpecificFanPower(std::optional<double> value)
{
  return Absent(value) ? std::string() : Number2FmtStr(*value, 1, 0, TU_Form::GetDecimalSeparator()) + " W/(m³/s)";
}

double DeltaEnthalpy(int nTemperatureUnitIndex)
{
  if (nTemperatureUnitIndex == 0)
    return 0;
  constexpr double kZeroFahrenheit = -17.77777777777778; // °C
  return std::fabs(TAir(0).Enthalpy(0, kZeroFahrenheit));
}

} // namespace aw
