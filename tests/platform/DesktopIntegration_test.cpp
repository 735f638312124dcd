#include "platform/DesktopIntegration.h"
#include "platform/Resources.h"

#include "ScopedEnvironment.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace aw::platform {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

// Standard output of a shell command (trailing line end removed); exit code in nStatus.
std::string RunShell(const std::string& szCommand, int& nStatus)
{
  std::string output;
  FILE* pipe = ::popen((szCommand + " 2>&1").c_str(), "r");
  if (!pipe) {
    nStatus = -1;
    return output;
  }
  std::array<char, 256> buffer{};
  while (std::fgets(buffer.data(), static_cast<int>(buffer.size()), pipe))
    output += buffer.data();
  nStatus = ::pclose(pipe);
  while (!output.empty() && output.back() == '\n')
    output.pop_back();
  return output;
}

void Put(const fs::path& file, const std::string& bytes)
{
  fs::create_directories(file.parent_path());
  WriteFileBytes(file, bytes);
}

bool ToolInstalled(const std::string& szTool)
{
  int nStatus = 0;
  RunShell("command -v " + szTool, nStatus);
  return nStatus == 0;
}

class DesktopIntegrationTest : public ::testing::Test
{
protected:
  fs::path DataHome() const { return v_dir / "data"; }
  // Somewhere no package lives.
  fs::path Program() const { return v_dir / "build dir" / "bin" / "airwright"; }

  TempDir v_dir;
};

TEST_F(DesktopIntegrationTest, RegistrationWritesValidFilesOnceAndTypesProjectFiles)
{
  const DesktopRegistration first = RegisterForUser(DataHome(), Program());
  EXPECT_FALSE(first.bSkipped);
  ASSERT_EQ(first.written.size(), 3u);
  for (const DesktopFile& file : DesktopFilesForUser(DataHome(), Program()))
    EXPECT_EQ(ReadFileBytes(file.file), file.contents) << file.file;
  // The next start finds everything in place and writes nothing.
  const DesktopRegistration again = RegisterForUser(DataHome(), Program());
  EXPECT_TRUE(again.written.empty());
  EXPECT_TRUE(again.problems.empty());

  const fs::path entry = DataHome() / "applications" / "airwright.desktop";
  EXPECT_NE(ReadFileBytes(entry).find("Exec=\"" + Program().string() + "\" %f\n"), std::string::npos);
  int nStatus = 0;
  if (ToolInstalled("desktop-file-validate")) {
    const std::string output = RunShell("desktop-file-validate '" + entry.string() + "'", nStatus);
    EXPECT_EQ(nStatus, 0) << output;
    EXPECT_EQ(output, "");
  }
  if (!ToolInstalled("update-mime-database") || !ToolInstalled("xdg-mime") || !ToolInstalled("gio")) {
    EXPECT_TRUE(first.problems.empty());
    GTEST_SKIP() << "the desktop's MIME tools are not installed";
  }
  ASSERT_TRUE(first.problems.empty()) << first.problems.front();
  EXPECT_TRUE(fs::exists(DataHome() / "mime" / "mime.cache"));

  // By name, and by content for a file without the extension.
  WriteFileBytes(v_dir / "room.awr", "AWR00\n[Project]\n");
  WriteFileBytes(v_dir / "room-copy", "AWR00\n[Project]\n");
  test::ScopedEnvironment data("XDG_DATA_HOME", DataHome().c_str());
  test::ScopedEnvironment desktop("XDG_CURRENT_DESKTOP", "GNOME");
  for (const char* szName : {"room.awr", "room-copy"})
    EXPECT_EQ(RunShell("xdg-mime query filetype '" + (v_dir / szName).string() + "'", nStatus), kProjectMimeType)
      << szName;
  // Ours is the only program for the type, so it opens project files.
  EXPECT_EQ(RunShell(std::string("xdg-mime query default ") + kProjectMimeType, nStatus), "airwright.desktop");
}

TEST_F(DesktopIntegrationTest, ExecArgumentsAreQuotedAndEscaped)
{
  const struct
  {
    std::string szPath;
    std::string szArgument;
  } cases[] = {
    {"/opt/air wright/bin/airwright", "\"/opt/air wright/bin/airwright\""},
    {"/opt/$HOME/x", "\"/opt/\\\\$HOME/x\""},
    {"/opt/a\"b`c", "\"/opt/a\\\\\"b\\\\`c\""},
    {"/opt/a\\b", "\"/opt/a\\\\\\\\b\""},
    {"/opt/100%/x", "\"/opt/100%%/x\""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DesktopExecArgument(c.szPath), c.szArgument) << c.szPath;
}

TEST_F(DesktopIntegrationTest, AnInstalledPackageIsNotShadowedForTheUser)
{
  const fs::path prefix = v_dir / "usr";
  Put(prefix / "bin" / "airwright", "");
  Put(prefix / "share" / "applications" / "airwright.desktop", "[Desktop Entry]\n");
  EXPECT_FALSE(RunsFromInstalledPackage(prefix / "bin" / "airwright"));
  Put(prefix / "share" / "mime" / "packages" / "airwright.xml", "<mime-info/>\n");
  EXPECT_TRUE(RunsFromInstalledPackage(prefix / "bin" / "airwright"));

  const DesktopRegistration registration = RegisterForUser(DataHome(), prefix / "bin" / "airwright");
  EXPECT_TRUE(registration.bSkipped);
  EXPECT_FALSE(fs::exists(DataHome()));

  // Copies a start from a build folder wrote would shadow the package's entry
  // with theirs: the package's program takes them away.
  RegisterForUser(DataHome(), Program());
  const DesktopRegistration afterBuild = RegisterForUser(DataHome(), prefix / "bin" / "airwright");
  EXPECT_TRUE(afterBuild.bSkipped);
  EXPECT_TRUE(afterBuild.written.empty());
  EXPECT_EQ(afterBuild.removed.size(), 3u);
  for (const DesktopFile& file : DesktopFilesForUser(DataHome(), Program()))
    EXPECT_FALSE(fs::exists(file.file)) << file.file;

  // Installed for the user alone, the package's folder is the user's data
  // folder: its files are the package's, never the program's to remove.
  const DesktopRegistration own = RegisterForUser(prefix / "share", prefix / "bin" / "airwright");
  EXPECT_TRUE(own.removed.empty());
  EXPECT_TRUE(UnregisterForUser(prefix / "share", prefix / "bin" / "airwright").removed.empty());
  EXPECT_TRUE(RunsFromInstalledPackage(prefix / "bin" / "airwright"));
}

TEST_F(DesktopIntegrationTest, TheUserEntryIsThePackagesWithThisProgramAsItsCommand)
{
  const auto shipped = Resources::Find(kEntryResource);
  ASSERT_TRUE(shipped);
  std::string entry(reinterpret_cast<const char*>(shipped->data()), shipped->size());
  const std::string szPackageExec = "\nExec=airwright %f\n";
  ASSERT_NE(entry.find(szPackageExec), std::string::npos);
  entry.replace(entry.find(szPackageExec), szPackageExec.size(),
                "\nExec=" + DesktopExecArgument(Program().string()) + " %f\n");
  EXPECT_EQ(DesktopFilesForUser(DataHome(), Program()).front().contents, entry);
}

TEST_F(DesktopIntegrationTest, UninstallRemovesExactlyTheRegisteredFilesAndTheType)
{
  const bool bMimeTools = ToolInstalled("update-mime-database") && ToolInstalled("xdg-mime") && ToolInstalled("gio");
  RegisterForUser(DataHome(), Program());
  // Files of other programs in the same folders stay.
  const fs::path others[] = {DataHome() / "applications" / "other.desktop",
                             DataHome() / "mime" / "packages" / "other.xml",
                             DataHome() / "icons" / "hicolor" / "scalable" / "apps" / "other.svg"};
  for (const fs::path& other : others)
    Put(other, "someone else's");
  WriteFileBytes(v_dir / "room.awr", "AWR00\n[Project]\n");
  test::ScopedEnvironment data("XDG_DATA_HOME", DataHome().c_str());
  // Without the machine's folders, where an installed package would type the file too.
  fs::create_directories(v_dir / "system");
  test::ScopedEnvironment system("XDG_DATA_DIRS", (v_dir / "system").c_str());
  test::ScopedEnvironment desktop("XDG_CURRENT_DESKTOP", "GNOME");
  const std::string szQuery = "xdg-mime query filetype '" + (v_dir / "room.awr").string() + "'";
  int nStatus = 0;
  if (bMimeTools) {
    ASSERT_EQ(RunShell(szQuery, nStatus), kProjectMimeType);
  }

  const DesktopRemoval removal = UnregisterForUser(DataHome(), Program());
  EXPECT_TRUE(removal.Complete()) << removal.left.front();
  std::vector<fs::path> expected;
  for (const DesktopFile& file : DesktopFilesForUser(DataHome(), Program())) {
    expected.push_back(file.file);
    EXPECT_FALSE(fs::exists(file.file)) << file.file;
  }
  EXPECT_EQ(removal.removed, expected);
  for (const fs::path& other : others)
    EXPECT_EQ(ReadFileBytes(other), "someone else's") << other;
  if (bMimeTools) {
    EXPECT_NE(RunShell(szQuery, nStatus), kProjectMimeType);
  }

  // Again: nothing is there, nothing is left.
  const DesktopRemoval again = UnregisterForUser(DataHome(), Program());
  EXPECT_TRUE(again.removed.empty());
  EXPECT_TRUE(again.Complete());
}

TEST_F(DesktopIntegrationTest, UninstallReportsWhatItCouldNotRemove)
{
  RegisterForUser(DataHome(), Program());
  // Someone's folder where the icon would be is not the program's to remove.
  const fs::path icon = DataHome() / "icons" / "hicolor" / "scalable" / "apps" / "airwright.svg";
  fs::remove(icon);
  fs::create_directories(icon / "inside");

  const DesktopRemoval removal = UnregisterForUser(DataHome(), Program());
  EXPECT_EQ(removal.removed.size(), 2u);
  ASSERT_EQ(removal.left.size(), 1u);
  EXPECT_EQ(removal.left.front(), icon.string() + ": a folder, not a file the program wrote");
  EXPECT_TRUE(fs::exists(icon / "inside"));
}

TEST_F(DesktopIntegrationTest, CommandLinesOfAnUninstallAndOfADeletingCopy)
{
  using Arguments = std::vector<std::string>;
  const struct
  {
    Arguments arguments;
    bool bUninstall;
    bool bDeletingCopy;
  } cases[] = {
    {{"/uninstall"}, true, false},
    {{"/UnInstall"}, true, false},
    {{"--uninstall"}, true, false},
    {{"--UNINSTALL"}, true, false},
    {{"/uninstall", "room.awr"}, false, false},
    {{"uninstall"}, false, false},
    {{}, false, false},
    {{"PID:812", "EXE:\"/usr/bin/airwright\""}, false, true},
    {{"/tmp/DelA1.tmp PID:812 EXE:\"/home/u/room.awr\""}, false, true},
    {{"PID:812"}, false, false},
    {{"room EXE.awr"}, false, false},
  };
  for (const auto& c : cases) {
    std::string szLine;
    for (const std::string& argument : c.arguments)
      szLine += "[" + argument + "]";
    EXPECT_EQ(IsUninstallRequest(c.arguments), c.bUninstall) << szLine;
    EXPECT_EQ(IsDeletingCopyRequest(c.arguments), c.bDeletingCopy) << szLine;
  }
}

TEST_F(DesktopIntegrationTest, AnUnwritableDataFolderIsReportedNotFatal)
{
  WriteFileBytes(DataHome(), "in the way");
  const DesktopRegistration registration = RegisterForUser(DataHome(), Program());
  EXPECT_TRUE(registration.written.empty());
  EXPECT_EQ(registration.problems.size(), 3u);
}

} // namespace
} // namespace aw::platform
