// The command line's value parser ("1200m3/h", "-10C", "0.6inH2O") on
// arbitrary text, in the dimensions the options take. An accepted value is
// finite, and its number written back with its unit's caption reads as the
// same number in the same unit.
#include "air/SI_Units.h"
#include "air/TypedValue.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool PrepareUnits()
{
  aw::TU_Form::InitializeUnits();
  aw::TU_Form::AddImperialUnits();
  return true;
}

// The shortest fixed text that reads back as the same double.
std::string FixedText(double value)
{
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return std::string(buffer, result.ptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static const bool prepared = PrepareUnits();
  (void)prepared;
  if (size > 256) // option values are short; long ones only slow the run down
    return 0;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const aw::U_RepUnit unit : {aw::U_Airflow, aw::U_Pressure, aw::U_Temperature, aw::U_Length, aw::U_Surface}) {
    const aw::CTTypedValue typed = aw::ParseTypedValue(text, unit);
    if (typed.fault != aw::TypedValueFault::None)
      continue;
    if (!std::isfinite(typed.number) || typed.nUnitIndex < 0 || typed.nUnitIndex >= aw::TU_Form::DimensionCount(unit))
      std::abort();
    const std::string written = FixedText(typed.number) + aw::TU_Form::GetSpecificString(unit, typed.nUnitIndex);
    const aw::CTTypedValue again = aw::ParseTypedValue(written, unit);
    if (again.fault != aw::TypedValueFault::None || again.number != typed.number ||
        again.nUnitIndex != typed.nUnitIndex)
      std::abort();
  }
  return 0;
}
