#pragma once
// The preferences the Preferences dialog edits: the folders proposed for
// projects and reports, the unit of each dimension group it offers, and their
// stored form under the preferences key. The chart settings and the locale
// belong to their own modules; they join the same write as sections, so that
// one OK is one atomic write and a failed write leaves every stored value and
// every value in effect as it was.

#include "air/SI_Units.h"
#include "platform/SettingsStore.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace aw {

inline constexpr std::string_view kProjectPathName = "PROJECT_PATH";
inline constexpr std::string_view kReportPathName = "REPORT_PATH";
// The project folder's name in earlier builds, read when the current one is missing.
inline constexpr std::string_view kEarlierProjectPathName = "ProjectFolder";
// The sub-key of the preferences key that holds the unit choices.
inline constexpr std::string_view kUnitsKeyName = "Units";
// The build's server identifier of the regional variant, which has its own unit defaults.
inline constexpr int kRegionalServerId = 2;

// A unit group of the Units page, in the page's order.
struct CTPreferenceUnitGroup
{
  U_RepUnit unit;
  std::string_view szControlName; // the radio group: "Grb_Temperature", ...
  std::string_view szCaption;
  int nRegionalDefault; // the entry the regional variant chooses
};
const std::vector<CTPreferenceUnitGroup>& PreferenceUnitGroups();

// Another module's part of the same write: it puts its values into the
// settings tree of the batch and answers false to write nothing at all.
using CTSettingsSection = std::function<bool(platform::SettingsKey& root)>;

struct CTPreferences
{
  std::string szProjectPath;
  std::string szReportPath;
  std::array<int, kUnitGroupCount> unitIndex{}; // by U_RepUnit

  // The units in effect with the given folders.
  static CTPreferences InEffect(std::string szProjectPath = {}, std::string szReportPath = {});
  // The entry each group of the Units page takes on Restore Defaults.
  static int DefaultUnitIndex(const CTPreferenceUnitGroup& group, int nServerId);
  void RestoreDefaultUnits(int nServerId);

  // The preferences and the sections in one atomic write; false (store and
  // file as they were) when a section declines or the file cannot be written.
  bool Store(platform::SettingsStore& store, const std::vector<CTSettingsSection>& sections = {}) const;
  // Puts the folders and the units into a settings tree.
  void WriteTo(platform::SettingsKey& root) const;

  // Makes the units those in effect; the listeners are told when asked.
  void ApplyUnits(bool bTellListeners) const;
};

// The process-wide preferences: read at start-up, replaced by the dialog's OK.
CTPreferences& CurrentPreferences();

// The start-up reading: each stored folder replaces the current one, the
// stored units take effect; without stored units the regional variant
// takes its defaults and stores them at once.
void ReadPreferences(platform::SettingsStore& store, int nServerId);

// A folder that names an existing directory, else empty.
std::string ExistingFolder(const std::string& szFolder);

} // namespace aw
