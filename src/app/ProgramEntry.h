#pragma once
// The program entry: a display to show the window on, one instance per user,
// the main window and the event loop.

#include <QIcon>
#include <QStringList>

#include <optional>

namespace aw::platform {
class SingleInstanceLock;
}

namespace aw::app {

class UserPrompts;

// Whether Qt has a display to open windows on: DISPLAY or WAYLAND_DISPLAY is
// set, or QT_QPA_PLATFORM or a "-platform" argument names a platform.
bool DisplayAvailable(int argc, char** argv);

// What the second instance tells the user before it ends.
QString SecondInstanceMessage(const QStringList& arguments);

// Takes the instance lock. When another instance holds it, tells the user and
// answers false; the program then ends with exit code 0. A lock that cannot be
// taken at all (no writable folder) is reported on standard error and does
// not keep the user from working.
bool EnterSingleInstance(platform::SingleInstanceLock& lock, const QStringList& arguments, UserPrompts& prompts);

// Removes the hidden option "--screenshots DIR" from the arguments and
// answers its folder (empty when the folder is missing).
std::optional<QString> TakeScreenshotOption(QStringList& arguments);

// The program's icon: the desktop theme's, else the one the program carries.
QIcon ProgramIcon();

// The whole program; answers the process's exit code.
int RunProgram(int argc, char** argv);

} // namespace aw::app
