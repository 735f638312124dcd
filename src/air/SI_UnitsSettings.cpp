// Persistence of the units in effect, kept apart so that programs which never
// store settings do not pull in the settings store.

#include "air/SI_Units.h"

#include <cstdint>
#include <string>

namespace aw {

namespace {

std::string ValueName(int nGroup)
{
  return "Units" + std::to_string(nGroup);
}

} // namespace

void TU_Form::WriteSettingsTo(platform::SettingsKey& key, const std::array<int, kUnitGroupCount>& unitIndex)
{
  for (int g = U_Airflow; g < kUnitGroupCount; ++g)
    key.SetValue(ValueName(g), static_cast<std::int32_t>(unitIndex[g]));
}

bool TU_Form::SaveSettingsToRegistry(std::string_view szRegRoot, platform::SettingsStore& store)
{
  // One write for all groups: a failure never leaves some groups stored anew.
  std::array<int, kUnitGroupCount> unitIndex{};
  for (int g = 0; g < kUnitGroupCount; ++g)
    unitIndex[g] = GetNewIndex(static_cast<U_RepUnit>(g));
  return store.WriteBatch([&](platform::SettingsKey& root) {
    WriteSettingsTo(root.Ensure(szRegRoot), unitIndex);
    return true;
  });
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
