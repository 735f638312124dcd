#pragma once
// Rules of the main window that need no window: its size on a screen, its
// caption and the About text.

#include <optional>
#include <string>
#include <string_view>

namespace aw {

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
// The start-up size on any screen: the grown size when there is one; else,
// on a screen too small for 1440 × 900 (a laptop's 1366 × 768, a scaled
// full-HD screen), the whole work area, so that the pages get all the room
// the screen has; nothing when the window stays as it is.
std::optional<WindowSize> StartupWindowSize(WindowSize window, WindowSize screen, WindowSize workArea);

// "<title> <version> - <database version> <configuration>", without trailing
// blanks, and without " - " while there is no database version.
std::string MainWindowCaption(std::string_view szTitle, std::string_view szDatabaseVersion,
                              std::string_view szConfiguration);
// "<title> <version>".
std::string ApplicationTitle(std::string_view szTitle);
// The About text: program name, version and catalogue version.
std::string AboutText(std::string_view szProgramName, std::string_view szDatabaseVersion,
                      std::string_view szConfiguration);

} // namespace aw
