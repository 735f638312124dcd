#pragma once
// The material-list settings the maker's tools share, kept under
// "<root>\XMLMatList" of the settings store. This program uses the section
// header; the other values are kept so that the tools agree on them.

#include "platform/SettingsStore.h"

#include <string>
#include <string_view>

namespace aw::docs {

struct CTXMLMatListSettings
{
  bool bSAPCRM = true;            // "SAPCRM": lists for the regional sales system
  bool bUseSectionHeader = true;  // "SC_USE_HEADER"
  std::string szSectionHeader = "_.SECTION"; // "SC_HEADER"
  bool bCustAll = false;          // "CUST_ALL": custom mode, one list with all materials
  bool bCustPerSystem = true;     // "CUST_PER_SYSTEM": custom mode, a list per system
  bool bCustPiping = true;        // "CUST_PIPING": custom mode, with refrigerant and piping

  // The values of the program, read with the preferences and written when they are saved.
  static CTXMLMatListSettings& Current();

  // The key of the values: "<root>\XMLMatList"; an empty root is the maker's key.
  static std::string RegistryKey(std::string_view szRegRoot);
  // A missing value keeps the current one, except that a missing
  // "CUST_PER_SYSTEM" is the opposite of "CUST_ALL". Failures are ignored.
  void ReadFromRegistry(std::string_view szRegRoot, const platform::SettingsStore& store = platform::SettingsStore::User());
  // All values into a settings tree, for a write that holds more than them.
  void WriteTo(platform::SettingsKey& root, std::string_view szRegRoot) const;
  // All values in one write; false when the store could not be written.
  bool WriteToRegistry(std::string_view szRegRoot, platform::SettingsStore& store = platform::SettingsStore::User()) const;

  // The section-header text the list starts with, empty for none.
  std::string SectionHeader() const;
};

} // namespace aw::docs
