#include "docs/XMLMatListSettings.h"

#include "platform/SettingsRoots.h"

namespace aw::docs {
namespace {

constexpr std::string_view kSubKey = "XMLMatList";

void ReadBoolean(const platform::SettingsStore& store, std::string_view szKey, std::string_view szName, bool& bValue)
{
  if (const std::optional<std::int32_t> value = store.ReadInteger(szKey, szName))
    bValue = *value != 0;
}

std::string_view TrimmedBlanks(std::string_view sz)
{
  const std::size_t first = sz.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos)
    return {};
  return sz.substr(first, sz.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

CTXMLMatListSettings& CTXMLMatListSettings::Current()
{
  static CTXMLMatListSettings settings;
  return settings;
}

std::string CTXMLMatListSettings::RegistryKey(std::string_view szRegRoot)
{
  return std::string(szRegRoot.empty() ? platform::kMakerRoot : szRegRoot) + "\\" + std::string(kSubKey);
}

void CTXMLMatListSettings::ReadFromRegistry(std::string_view szRegRoot, const platform::SettingsStore& store)
{
  const std::string key = RegistryKey(szRegRoot);
  ReadBoolean(store, key, "SAPCRM", bSAPCRM);
  ReadBoolean(store, key, "SC_USE_HEADER", bUseSectionHeader);
  if (std::optional<std::string> header = store.ReadString(key, "SC_HEADER"))
    szSectionHeader = std::move(*header);
  ReadBoolean(store, key, "CUST_ALL", bCustAll);
  bCustPerSystem = !bCustAll;
  ReadBoolean(store, key, "CUST_PER_SYSTEM", bCustPerSystem);
  ReadBoolean(store, key, "CUST_PIPING", bCustPiping);
}

void CTXMLMatListSettings::WriteTo(platform::SettingsKey& root, std::string_view szRegRoot) const
{
  platform::SettingsKey& values = root.Ensure(RegistryKey(szRegRoot));
  values.SetValue("SAPCRM", std::int32_t{bSAPCRM});
  values.SetValue("SC_USE_HEADER", std::int32_t{bUseSectionHeader});
  values.SetValue("SC_HEADER", szSectionHeader);
  values.SetValue("CUST_ALL", std::int32_t{bCustAll});
  values.SetValue("CUST_PER_SYSTEM", std::int32_t{bCustPerSystem});
  values.SetValue("CUST_PIPING", std::int32_t{bCustPiping});
}

bool CTXMLMatListSettings::WriteToRegistry(std::string_view szRegRoot, platform::SettingsStore& store) const
{
  return store.WriteBatch([&](platform::SettingsKey& root) {
    WriteTo(root, szRegRoot);
    return true;
  });
}

std::string CTXMLMatListSettings::SectionHeader() const
{
  return bUseSectionHeader ? std::string(TrimmedBlanks(szSectionHeader)) : std::string();
}

} // namespace aw::docs
