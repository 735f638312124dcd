#include "platform/DesktopIntegration.h"

#include "platform/AtomicFile.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace aw::platform {
namespace {

namespace fs = std::filesystem;

constexpr const char* kEntryName = "airwright.desktop";
constexpr const char* kMimePackageName = "airwright.xml";
constexpr const char* kIconName = "airwright";

std::string DesktopEntry(const fs::path& programFile)
{
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Airwright\n"
         "GenericName=Ventilation Unit Selection\n"
         "Comment=Selects heat-recovery ventilation units for a room and documents the choice\n"
         "Exec=" + DesktopExecArgument(programFile.string()) + " %f\n"
         "Icon=" + std::string(kIconName) + "\n"
         "Terminal=false\n"
         "Categories=Science;Engineering;\n"
         "MimeType=" + std::string(kProjectMimeType) + ";\n"
         "StartupNotify=true\n";
}

std::string MimePackage()
{
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
         "  <mime-type type=\"" + std::string(kProjectMimeType) + "\">\n"
         "    <comment>Airwright Project File</comment>\n"
         "    <icon name=\"" + std::string(kIconName) + "\"/>\n"
         "    <glob pattern=\"*.awr\"/>\n"
         "    <magic priority=\"50\">\n"
         "      <match type=\"string\" offset=\"0\" value=\"AWR00\"/>\n"
         "    </magic>\n"
         "  </mime-type>\n"
         "</mime-info>\n";
}

// A ventilation unit: a casing with the two air streams crossing in it.
std::string IconSvg()
{
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" viewBox=\"0 0 64 64\">\n"
         "  <rect x=\"6\" y=\"14\" width=\"52\" height=\"36\" rx=\"5\" fill=\"#e8eef4\" stroke=\"#2f4f6f\" stroke-width=\"3\"/>\n"
         "  <path d=\"M14 42 L50 22\" stroke=\"#2a7fd4\" stroke-width=\"5\" stroke-linecap=\"round\"/>\n"
         "  <path d=\"M14 22 L50 42\" stroke=\"#d4552a\" stroke-width=\"5\" stroke-linecap=\"round\"/>\n"
         "  <path d=\"M44 18 L52 21 L46 28 Z\" fill=\"#2a7fd4\"/>\n"
         "  <path d=\"M44 46 L52 43 L46 36 Z\" fill=\"#d4552a\"/>\n"
         "</svg>\n";
}

bool HoldsContents(const fs::path& file, const std::string& contents)
{
  std::ifstream in(file, std::ios::binary);
  if (!in)
    return false;
  const std::string current((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return current == contents;
}

// Runs a desktop tool, quietly; false when it is missing or fails.
bool RunTool(const std::string& szTool, const fs::path& folder)
{
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::string tool = szTool;
  std::string argument = folder.string();
  char* argv[] = {tool.data(), argument.data(), nullptr};
  pid_t pid = 0;
  const int error = posix_spawnp(&pid, tool.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0)
    return false;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

std::string DesktopExecArgument(const std::string& szPath)
{
  std::string quoted = "\"";
  for (char c : szPath) {
    // Escaped for the quoting, then that backslash (and a literal one) once
    // more for the string value: "$" becomes \\$, a backslash four of them.
    if (c == '"' || c == '`' || c == '$')
      quoted += "\\\\";
    else if (c == '\\')
      quoted += "\\\\\\";
    else if (c == '%')
      quoted += '%';
    quoted += c;
  }
  return quoted + "\"";
}

std::vector<DesktopFile> DesktopFilesForUser(const fs::path& dataHome, const fs::path& programFile)
{
  return {
    {dataHome / "applications" / kEntryName, DesktopEntry(programFile)},
    {dataHome / "mime" / "packages" / kMimePackageName, MimePackage()},
    {dataHome / "icons" / "hicolor" / "scalable" / "apps" / (std::string(kIconName) + ".svg"), IconSvg()},
  };
}

bool RunsFromInstalledPackage(const fs::path& programFile)
{
  std::error_code ec;
  const fs::path prefix = fs::weakly_canonical(programFile, ec).parent_path().parent_path();
  if (ec)
    return false;
  return fs::is_regular_file(prefix / "share" / "applications" / kEntryName, ec) &&
         fs::is_regular_file(prefix / "share" / "mime" / "packages" / kMimePackageName, ec);
}

DesktopRegistration RegisterForUser(const fs::path& dataHome, const fs::path& programFile)
{
  DesktopRegistration result;
  if (RunsFromInstalledPackage(programFile)) {
    result.bSkipped = true;
    return result;
  }
  if (programFile.string().find_first_of("\n\r") != std::string::npos) {
    result.problems.push_back("the program's path " + programFile.string() + " cannot stand in a desktop entry");
    return result;
  }
  for (const DesktopFile& file : DesktopFilesForUser(dataHome, programFile)) {
    if (HoldsContents(file.file, file.contents))
      continue;
    std::string szError;
    if (WriteFileAtomically(file.file, file.contents, szError))
      result.written.push_back(file.file);
    else
      result.problems.push_back(szError);
  }
  if (result.written.empty())
    return result;
  // The databases are caches of the files; without their tools the desktop
  // reads the files as they stand at its next start.
  if (!RunTool("update-mime-database", dataHome / "mime"))
    result.problems.push_back("update-mime-database did not run on " + (dataHome / "mime").string());
  RunTool("update-desktop-database", dataHome / "applications");
  return result;
}

fs::path RunningProgramFile()
{
  std::error_code ec;
  fs::path file = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : file;
}

} // namespace aw::platform
