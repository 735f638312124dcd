// Persistence of the units in effect, kept apart so that programs which never
// store settings do not pull in the settings store.

#include "air/SI_Units.h"

#include <string>

namespace aw {

namespace {

std::string ValueName(int nGroup)
{
  return "Units" + std::to_string(nGroup);
}

} // namespace

bool TU_Form::SaveSettingsToRegistry(std::string_view szRegRoot, platform::SettingsStore& store)
{
  if (!store.CreateKey(szRegRoot))
    return false;
  bool bAllWritten = true;
  for (int g = U_Airflow; g < kUnitGroupCount; ++g)
    bAllWritten = store.WriteInteger(szRegRoot, ValueName(g), GetNewIndex(static_cast<U_RepUnit>(g))) && bAllWritten;
  return bAllWritten;
}

void TU_Form::LoadSettingsFromRegistry(std::string_view szRegRoot, platform::SettingsStore& store)
{
  if (!store.KeyExists(szRegRoot))
    return;
  for (int g = U_Airflow; g < kUnitGroupCount; ++g) {
    const auto unit = static_cast<U_RepUnit>(g);
    // SetNewIndex ignores a value outside the group's units.
    SetNewIndex(unit, store.ReadInteger(szRegRoot, ValueName(g)).value_or(0), false);
  }
}

} // namespace aw
