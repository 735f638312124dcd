#pragma once
// The keys under which the program keeps its settings. They are constants, so
// every layer can use them before and after start-up alike.

#include <string_view>

namespace aw::platform {

// The maker's key: locale, distributor lines, material-list settings ("XMLMatList").
inline constexpr std::string_view kMakerRoot = "Software\\Korvath";
// The program's key: the recent-file list.
inline constexpr std::string_view kProgramRoot = "Software\\Korvath\\Quillon Selection\\Airwright";
// The preferences, chart legends and unit settings.
inline constexpr std::string_view kPreferencesKey = "Software\\Korvath\\Quillon Selection\\Airwright\\Preferences";

} // namespace aw::platform
