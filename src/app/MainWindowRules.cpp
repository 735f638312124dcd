#include "app/MainWindowRules.h"

#include "air/Air.h"
#include "foundation/VersionInfo.h"

#include <array>
#include <cmath>

namespace aw::app {
namespace {

std::string TrimmedRight(std::string s)
{
  while (!s.empty() && s.back() == ' ')
    s.pop_back();
  return s;
}

} // namespace

std::optional<WindowSize> GrownWindowSize(WindowSize window, WindowSize screen)
{
  if (window.nWidth >= screen.nWidth || window.nHeight >= screen.nHeight)
    return std::nullopt;
  static constexpr std::array<WindowSize, 3> kCandidates = {{{1440, 900}, {1152, 864}, {1024, 768}}};
  for (const WindowSize& c : kCandidates)
    if (c.nWidth > window.nWidth && c.nHeight > window.nHeight && c.nWidth < screen.nWidth &&
        c.nHeight < screen.nHeight)
      return c;
  return std::nullopt;
}

std::string MainWindowCaption(std::string_view szTitle, std::string_view szDatabaseVersion,
                              std::string_view szConfiguration)
{
  std::string caption = std::string(szTitle) + " " + CTVersionUtils::GetVersionStringEx(" - ");
  // Before the catalogue is read there is no database version to show.
  if (!szDatabaseVersion.empty())
    caption += " - " + std::string(szDatabaseVersion);
  return TrimmedRight(caption + " " + std::string(szConfiguration));
}

std::string ApplicationTitle(std::string_view szTitle)
{
  return std::string(szTitle) + " " + CTVersionUtils::GetVersionStringEx(" - ");
}

std::string AboutText(std::string_view szProgramName, std::string_view szDatabaseVersion,
                      std::string_view szConfiguration)
{
  std::string text = std::string(szProgramName) + "\nVersion " + CTVersionUtils::GetVersionStringEx(" - ");
  const std::string data = TrimmedRight(std::string(szDatabaseVersion) + " " + std::string(szConfiguration));
  text += "\nDatabase version " + (data.empty() ? std::string("unknown") : data);
  return text;
}

FamilyPages PagesForFamily(int nFamilyCode)
{
  return {nFamilyCode == kFamilyBrisa || nFamilyCode == kFamilyDorsa,
          nFamilyCode == kFamilyBrisa || nFamilyCode == kFamilyDorsa || nFamilyCode == kFamilyPelmar};
}

std::optional<int> FamilyNameMessage(int nFamilyCode)
{
  static constexpr std::array<int, 9> kNames = {114, 115, 95, 88, 78, 94, 94, 98, 98};
  if (nFamilyCode < 0 || nFamilyCode >= static_cast<int>(kNames.size()))
    return std::nullopt;
  return kNames[static_cast<std::size_t>(nFamilyCode)];
}

double DeltaEnthalpy(int nTemperatureUnitIndex)
{
  if (nTemperatureUnitIndex == 0)
    return 0;
  constexpr double kZeroFahrenheit = -17.77777777777778; // °C
  return std::fabs(TAir(0).Enthalpy(0, kZeroFahrenheit));
}

} // namespace aw::app
