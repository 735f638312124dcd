#pragma once
// Values as the program shows them (window, report, command line): converted from the base unit to the
// unit in effect of their dimension, written with that unit's digits and
// followed by the unit where the window shows it. Some dimensions show a
// value of exactly 0 as an empty text (no value).

#include <optional>
#include <string>

namespace aw {

std::string FormatTemperature(double value, bool bWithUnit);        // °C base
std::string FormatHumidity(double value);                          // kg/kg base; 0 gives ""
std::string FormatEnthalpy(double value, double deltaEnthalpy);     // kJ/kg base, offset added first
std::string FormatAirflow(double value);                           // l/s base
std::string FormatPressure(double value);                          // Pa base; 0 gives ""
std::string FormatShortLength(double value, bool bWithUnit);        // mm base; 0 gives ""
std::string FormatMass(double value);                              // kg base; 0 gives ""
std::string FormatPower(double value);                             // kW base; 0 gives ""

// Results of a computation: a computed zero is a result and shows as a zero
// ("0.000 kW", "0.0 Pa"); only a value that was not computed (none, or the
// absent marker −2147483647) shows as an empty text.
std::string FormatComputedPower(std::optional<double> value);    // kW base
std::string FormatComputedPressure(std::optional<double> value, bool bWithUnit = true); // Pa base
std::string FormatPercent(std::optional<double> value);          // one decimal and "%"
// Specific fan power: electrical power per volume flow, in W/(m³/s), whole numbers.
std::string FormatSpecificFanPower(std::optional<double> value);

// The offset added to every enthalpy shown (kJ/kg): 0 with the first
// temperature unit, else the size of the enthalpy of dry air at 0 °F, so that
// imperial enthalpies count from their own zero.
double DeltaEnthalpy(int nTemperatureUnitIndex);

} // namespace aw
