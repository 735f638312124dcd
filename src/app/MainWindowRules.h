#pragma once
// Rules of the main window that need no window: its size on a screen, its
// caption, the pages each device family shows, the family names and the
// enthalpy offset of the temperature unit.

#include <optional>
#include <string>
#include <string_view>

namespace aw::app {

struct WindowSize
{
  int nWidth = 0;
  int nHeight = 0;
  bool operator==(const WindowSize&) const = default;
};

// The size the window grows to at start-up: the first of 1440 × 900,
// 1152 × 864 and 1024 × 768 larger than the window and smaller than the
// screen in both directions; nothing when the window stays as it is.
std::optional<WindowSize> GrownWindowSize(WindowSize window, WindowSize screen);

// "<title> <version> - <database version> <configuration>", without trailing
// blanks, and without " - " while there is no database version.
std::string MainWindowCaption(std::string_view szTitle, std::string_view szDatabaseVersion,
                              std::string_view szConfiguration);
// "<title> <version>".
std::string ApplicationTitle(std::string_view szTitle);
// The About text: program name, version and catalogue version.
std::string AboutText(std::string_view szProgramName, std::string_view szDatabaseVersion,
                      std::string_view szConfiguration);

// The family codes of the units (GetType of the unit).
inline constexpr int kFamilyBrisa = 0;
inline constexpr int kFamilyDorsa = 1;
inline constexpr int kFamilyPelmar = 2;

// The pages that depend on the family: the exchange-efficiency and
// efficiency-correction pages, and the configuration page.
struct FamilyPages
{
  bool bEfficiencies = false;
  bool bConfiguration = false;
  bool operator==(const FamilyPages&) const = default;
};
FamilyPages PagesForFamily(int nFamilyCode);

// The message that names a family (114 "Brisa", ...); nothing for codes
// without a name.
std::optional<int> FamilyNameMessage(int nFamilyCode);

// The offset added to every enthalpy shown (kJ/kg): 0 with the first
// temperature unit, else the size of the enthalpy of dry air at 0 °F, so that
// imperial enthalpies count from their own zero.
double DeltaEnthalpy(int nTemperatureUnitIndex);

} // namespace aw::app
