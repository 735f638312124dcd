#include "platform/DesktopIntegration.h"

#include "platform/AtomicFile.h"
#include "platform/CaseFolding.h"
#include "platform/Resources.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

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
constexpr const char* kIconFileName = "airwright.svg";

// The shipped files are the program's resources, the same that the package
// installs; only the entry's command names this program file.
std::string ResourceText(std::string_view szName)
{
  const std::optional<ResourceBytes> bytes = Resources::Find(szName);
  return bytes ? std::string(reinterpret_cast<const char*>(bytes->data()), bytes->size()) : std::string();
}

std::string DesktopEntry(const fs::path& programFile)
{
  std::string entry = ResourceText(kEntryResource);
  const std::string szExec = "\nExec=";
  const std::size_t at = entry.find(szExec);
  if (at == std::string::npos)
    return std::string();
  const std::size_t end = entry.find('\n', at + szExec.size());
  entry.replace(at + szExec.size(), end - at - szExec.size(), DesktopExecArgument(programFile.string()) + " %f");
  return entry;
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
    {dataHome / "mime" / "packages" / kMimePackageName, ResourceText(kMimePackageResource)},
    {dataHome / "icons" / "hicolor" / "scalable" / "apps" / kIconFileName, ResourceText(kIconResource)},
  };
}

namespace {

// The share folder of the package the program runs from; empty when it runs from elsewhere.
fs::path PackageShareFolder(const fs::path& programFile)
{
  std::error_code ec;
  const fs::path share = fs::weakly_canonical(programFile, ec).parent_path().parent_path() / "share";
  if (ec)
    return fs::path();
  const bool bInstalled = fs::is_regular_file(share / "applications" / kEntryName, ec) &&
                          fs::is_regular_file(share / "mime" / "packages" / kMimePackageName, ec);
  return bInstalled ? share : fs::path();
}

} // namespace

bool RunsFromInstalledPackage(const fs::path& programFile)
{
  return !PackageShareFolder(programFile).empty();
}

DesktopRegistration RegisterForUser(const fs::path& dataHome, const fs::path& programFile)
{
  DesktopRegistration result;
  if (RunsFromInstalledPackage(programFile)) {
    result.bSkipped = true;
    DesktopRemoval removal = UnregisterForUser(dataHome, programFile);
    result.removed = std::move(removal.removed);
    result.problems = std::move(removal.left);
    return result;
  }
  if (programFile.string().find_first_of("\n\r") != std::string::npos) {
    result.problems.push_back("the program's path " + programFile.string() + " cannot stand in a desktop entry");
    return result;
  }
  for (const DesktopFile& file : DesktopFilesForUser(dataHome, programFile)) {
    if (file.contents.empty()) {
      result.problems.push_back("the program carries no contents for " + file.file.string());
      continue;
    }
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

DesktopRemoval UnregisterForUser(const fs::path& dataHome, const fs::path& programFile)
{
  DesktopRemoval result;
  const fs::path share = PackageShareFolder(programFile);
  std::error_code ecShare;
  if (!share.empty() && fs::equivalent(share, dataHome, ecShare))
    return result;
  for (const DesktopFile& file : DesktopFilesForUser(dataHome, fs::path())) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(file.file, ec);
    if (!fs::exists(status))
      continue;
    if (fs::is_directory(status)) {
      result.left.push_back(file.file.string() + ": a folder, not a file the program wrote");
      continue;
    }
    if (fs::remove(file.file, ec))
      result.removed.push_back(file.file);
    else
      result.left.push_back(file.file.string() + ": " + ec.message());
  }
  if (result.removed.empty())
    return result;
  // The cache would still name the type (and the entry as its program) until
  // the tool rebuilds it.
  const fs::path mimeCache = dataHome / "mime" / "mime.cache";
  std::error_code ec;
  if (!RunTool("update-mime-database", dataHome / "mime") && fs::exists(mimeCache, ec))
    result.left.push_back(mimeCache.string() + ": update-mime-database did not run, the file type stays known");
  RunTool("update-desktop-database", dataHome / "applications");
  return result;
}

bool IsUninstallRequest(const std::vector<std::string>& arguments)
{
  return arguments.size() == 1 &&
         (EqualsIgnoreCase(arguments.front(), "/uninstall") || EqualsIgnoreCase(arguments.front(), "--uninstall"));
}

bool IsDeletingCopyRequest(const std::vector<std::string>& arguments)
{
  const auto contains = [&arguments](const char* szTag) {
    for (const std::string& argument : arguments)
      if (argument.find(szTag) != std::string::npos)
        return true;
    return false;
  };
  return contains("PID:") && contains("EXE:");
}

fs::path RunningProgramFile()
{
  std::error_code ec;
  fs::path file = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : file;
}

} // namespace aw::platform
