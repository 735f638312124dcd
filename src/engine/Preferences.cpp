#include "engine/Preferences.h"

#include "platform/SettingsRoots.h"

#include <filesystem>
#include <system_error>

namespace aw {
namespace {

std::string UnitsKey()
{
  return std::string(platform::kPreferencesKey) + "\\" + std::string(kUnitsKeyName);
}

} // namespace

const std::vector<CTPreferenceUnitGroup>& PreferenceUnitGroups()
{
  static const std::vector<CTPreferenceUnitGroup> groups = {
    {U_Temperature, "Grb_Temperature", "Temperature", 1},
    {U_Length, "Grb_Lengths", "Lengths", 1},
    {U_Surface, "Grb_Surface", "Surface", 1},
    {U_Mass, "Grb_Weight", "Weight", 1},
    {U_ShortLength, "Grb_Diameters", "Diameters", 1},
    {U_Humidity, "Grb_AbsoluteHumidity", "Absolute humidity", 3},
    {U_Airflow, "Grb_AirFlow", "Airflow", 3},
    {U_Pressure, "Grb_Pressure", "Pressure", 3},
    {U_Enthalpy, "Grb_Enthalpy", "Enthalpy", 2},
    {U_Power, "Grb_Power", "Power", 2},
  };
  return groups;
}

CTPreferences CTPreferences::InEffect(std::string szProjectPath, std::string szReportPath)
{
  CTPreferences preferences;
  preferences.szProjectPath = std::move(szProjectPath);
  preferences.szReportPath = std::move(szReportPath);
  for (int g = 0; g < kUnitGroupCount; ++g)
    preferences.unitIndex[g] = TU_Form::GetNewIndex(static_cast<U_RepUnit>(g));
  return preferences;
}

int CTPreferences::DefaultUnitIndex(const CTPreferenceUnitGroup& group, int nServerId)
{
  return nServerId == kRegionalServerId ? group.nRegionalDefault : 0;
}

void CTPreferences::RestoreDefaultUnits(int nServerId)
{
  for (const CTPreferenceUnitGroup& group : PreferenceUnitGroups()) {
    const int nIndex = DefaultUnitIndex(group, nServerId);
    // A group without that many units keeps its base unit, as SetNewIndex would.
    unitIndex[group.unit] = nIndex < TU_Form::DimensionCount(group.unit) ? nIndex : 0;
  }
}

void CTPreferences::WriteTo(platform::SettingsKey& root) const
{
  platform::SettingsKey& key = root.Ensure(platform::kPreferencesKey);
  key.SetValue(kProjectPathName, szProjectPath);
  key.SetValue(kReportPathName, szReportPath);
  TU_Form::WriteSettingsTo(key.Ensure(kUnitsKeyName), unitIndex);
}

bool CTPreferences::Store(platform::SettingsStore& store, const std::vector<CTSettingsSection>& sections) const
{
  return store.WriteBatch([&](platform::SettingsKey& root) {
    WriteTo(root);
    for (const CTSettingsSection& section : sections)
      if (!section(root))
        return false;
    return true;
  });
}

void CTPreferences::ApplyUnits(bool bTellListeners) const
{
  for (int g = U_Airflow; g < kUnitGroupCount; ++g)
    if (unitIndex[g] != TU_Form::GetNewIndex(static_cast<U_RepUnit>(g)))
      TU_Form::SetNewIndex(static_cast<U_RepUnit>(g), unitIndex[g], bTellListeners);
}

CTPreferences& CurrentPreferences()
{
  static CTPreferences preferences;
  return preferences;
}

void ReadPreferences(platform::SettingsStore& store, int nServerId)
{
  CTPreferences& current = CurrentPreferences();
  if (auto folder = store.ReadString(platform::kPreferencesKey, kProjectPathName))
    current.szProjectPath = *folder;
  else if (auto earlier = store.ReadString(platform::kPreferencesKey, kEarlierProjectPathName))
    current.szProjectPath = *earlier; // written by earlier builds; the next OK stores it anew
  if (auto folder = store.ReadString(platform::kPreferencesKey, kReportPathName))
    current.szReportPath = *folder;
  const bool bUnitsStored = store.KeyExists(UnitsKey());
  TU_Form::LoadSettingsFromRegistry(UnitsKey(), store);
  current.unitIndex = CTPreferences::InEffect().unitIndex;
  if (bUnitsStored || nServerId != kRegionalServerId)
    return;
  current.RestoreDefaultUnits(nServerId);
  current.ApplyUnits(false);
  // Best effort: the defaults are in effect whether or not they could be kept.
  TU_Form::SaveSettingsToRegistry(UnitsKey(), store);
}

std::string ExistingFolder(const std::string& szFolder)
{
  std::error_code ec;
  return !szFolder.empty() && std::filesystem::is_directory(szFolder, ec) ? szFolder : std::string();
}

} // namespace aw
