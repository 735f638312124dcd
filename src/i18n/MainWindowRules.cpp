#include "i18n/MainWindowRules.h"

#include "foundation/VersionInfo.h"

#include <array>

namespace aw {
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

std::optional<WindowSize> StartupWindowSize(WindowSize window, WindowSize screen, WindowSize workArea)
{
  if (const std::optional<WindowSize> grown = GrownWindowSize(window, screen))
    return grown;
  constexpr WindowSize kDesignSize{1440, 900};
  const bool bSmallScreen = screen.nWidth < kDesignSize.nWidth || screen.nHeight < kDesignSize.nHeight;
  if (!bSmallScreen || window == workArea)
    return std::nullopt;
  return workArea;
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

} // namespace aw
