#pragma once
// Values as the main window shows them: converted from the base unit to the
// unit in effect of their dimension, written with that unit's digits and
// followed by the unit where the window shows it. Some dimensions show a
// value of exactly 0 as an empty text (no value).

#include <string>

namespace aw::app {

std::string FormatTemperature(double value, bool bWithUnit);        // °C base
std::string FormatHumidity(double value);                          // kg/kg base; 0 gives ""
std::string FormatEnthalpy(double value, double deltaEnthalpy);     // kJ/kg base, offset added first
std::string FormatAirflow(double value);                           // l/s base
std::string FormatPressure(double value);                          // Pa base; 0 gives ""
std::string FormatShortLength(double value, bool bWithUnit);        // mm base; 0 gives ""
std::string FormatMass(double value);                              // kg base; 0 gives ""
std::string FormatPower(double value);                             // kW base; 0 gives ""

} // namespace aw::app
