#pragma once
// A value as the command line takes it: a decimal number with an optional
// unit of its dimension ("1200m3/h", "-10C", "0.6inH2O"). Units are matched
// by their captions with "³"/"²" as digits, "°" and blanks dropped and ASCII
// case folded, so that "m3/h" finds "m³/h".

#include "air/SI_Units.h"

#include <string>
#include <string_view>

namespace aw {

enum class TypedValueFault { None, NoNumber, UnknownUnit };

struct CTTypedValue
{
  double number = 0;  // finite whenever fault is None
  int nUnitIndex = 0; // the unit's index in the dimension; 0 (the base unit) without a unit
  TypedValueFault fault = TypedValueFault::None;
};

CTTypedValue ParseTypedValue(std::string_view szText, U_RepUnit TheUnit);

// A unit caption in the form ParseTypedValue compares: "m³/h" gives "m3/h", "°C" gives "c".
std::string NormalisedUnit(std::string_view szCaption);

// The dimension's unit captions, joined by ", " (for a message about an unknown unit).
std::string KnownUnits(U_RepUnit TheUnit);

} // namespace aw
