#pragma once
// The program's place on the desktop for the current user: a desktop entry
// (the menu entry, which opens project files), the project file type
// application/x-airwright-project ("*.awr", content starting with "AWR00")
// and the program's icon, all under the user's data folder. Written on every
// start, best effort; files that already hold the right contents are left
// alone, so an ordinary start writes nothing. An installed package brings
// the same files for all users: then nothing is written for the user, so the
// user's copies never shadow the package's or outlive its removal. The
// uninstall removes exactly the user's files again.

#include <filesystem>
#include <string>
#include <vector>

namespace aw::platform {

inline constexpr const char* kProjectMimeType = "application/x-airwright-project";

// The program's resources holding the files the package installs.
inline constexpr const char* kEntryResource = "DesktopEntry";
inline constexpr const char* kMimePackageResource = "ProjectMimePackage";
inline constexpr const char* kIconResource = "ProgramIcon";

struct DesktopFile
{
  std::filesystem::path file; // absolute
  std::string contents;
};

// The files that register the program for the user below the data folder
// (normally DataHome()).
std::vector<DesktopFile> DesktopFilesForUser(const std::filesystem::path& dataHome,
                                             const std::filesystem::path& programFile);

// Whether the program runs from an installed package: its prefix (the folder
// above the program's "bin") holds the package's desktop entry and MIME package.
bool RunsFromInstalledPackage(const std::filesystem::path& programFile);

struct DesktopRegistration
{
  bool bSkipped = false;                         // installed package: nothing written
  std::vector<std::filesystem::path> written;    // files created or brought up to date
  std::vector<std::filesystem::path> removed;    // the user's copies an installed package replaces
  std::vector<std::string> problems;             // one line each: what could not be done
};

// Writes the files that differ and refreshes the user's MIME and desktop
// databases when something changed (when their tools are installed). From an
// installed package it writes nothing and removes the user's copies a start
// from elsewhere wrote, which would shadow the package's entry (and name
// another program file) until removed; that start writes them again.
DesktopRegistration RegisterForUser(const std::filesystem::path& dataHome, const std::filesystem::path& programFile);

struct DesktopRemoval
{
  std::vector<std::filesystem::path> removed; // files that were there and are gone
  std::vector<std::string> left;              // one line each: what stays and why
  bool Complete() const { return left.empty(); }
};

// Removes the files RegisterForUser writes, whichever program file wrote
// them, and nothing else; then refreshes the user's databases, so that the
// desktop forgets the file type. When the data folder is the share folder of
// the package programFile runs from (installed with --prefix ~/.local), the
// files are the package's and stay.
DesktopRemoval UnregisterForUser(const std::filesystem::path& dataHome, const std::filesystem::path& programFile);

// The arguments of an uninstall: exactly one, "--uninstall" or "/uninstall"
// in any case.
bool IsUninstallRequest(const std::vector<std::string>& arguments);

// Whether the arguments are those of the deleting copy another platform's
// uninstall starts ("PID:" and "EXE:" both on the command line). Such a copy
// would delete the file it is told to, so the program refuses to start.
bool IsDeletingCopyRequest(const std::vector<std::string>& arguments);

// The running program's file (/proc/self/exe).
std::filesystem::path RunningProgramFile();

// A path as one argument of a desktop entry's Exec line: quoted, with the
// characters the quoting reserves escaped and "%" doubled, then escaped once
// more as the entry's string values require.
std::string DesktopExecArgument(const std::string& szPath);

} // namespace aw::platform
