// Starting the window registers the program on the user's desktop, and
// "--uninstall" takes it off again.

#include "app/DlgSelect.h"
#include "platform/DesktopIntegration.h"

#include "RecordingPrompts.h"
#include "TestApplication.h"
#include "platform/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace aw::app {
namespace {

TEST(DesktopRegistrationTest, StartUpWritesTheDesktopFilesForTheRunningProgram)
{
  test::TestApplication();
  test::RecordingPrompts prompts;
  ScopedUserPrompts scoped(prompts);
  test::TempDir dir;
  test::ScopedEnvironment data("XDG_DATA_HOME", dir.Path().c_str());
  TDlgSelect window;
  window.RunStartup();
  ASSERT_TRUE(window.StartupFinished());
  for (const platform::DesktopFile& file : platform::DesktopFilesForUser(dir.Path(), platform::RunningProgramFile()))
    EXPECT_EQ(test::ReadFileBytes(file.file), file.contents) << file.file;
}

class UninstallTest : public ::testing::Test
{
protected:
  UninstallTest()
  {
    test::TestApplication();
    platform::RegisterForUser(v_dir.Path(), platform::RunningProgramFile());
  }

  // Starts the window with "--uninstall", answering the question with answer;
  // answers the exit code the start-up stopped with.
  std::optional<int> StartUninstall(i18n::DialogButton answer)
  {
    v_prompts.answers = {i18n::Info(answer).nReturnCode};
    ScopedUserPrompts scoped(v_prompts);
    TDlgSelect window({"--uninstall"});
    std::optional<int> stopped;
    QObject::connect(&window, &TDlgSelect::StartupStopped, [&stopped](int nExitCode) { stopped = nExitCode; });
    window.RunStartup();
    return stopped;
  }

  std::vector<platform::DesktopFile> Files() const
  {
    return platform::DesktopFilesForUser(v_dir.Path(), platform::RunningProgramFile());
  }

  test::TempDir v_dir;
  test::ScopedEnvironment v_data{"XDG_DATA_HOME", v_dir.Path().c_str()};
  // Settings of its own: a language other tests store meanwhile would translate the report.
  test::ScopedEnvironment v_config{"XDG_CONFIG_HOME", (v_dir / "config").c_str()};
  test::RecordingPrompts v_prompts;
};

TEST_F(UninstallTest, NoEndsTheProgramWithoutRemovingAnything)
{
  EXPECT_EQ(StartUninstall(i18n::DialogButton::No), 0);
  ASSERT_EQ(v_prompts.questions.size(), 1u);
  EXPECT_EQ(v_prompts.questions[0].nMessage, 75);
  EXPECT_EQ(v_prompts.questions[0].buttons, (i18n::DialogButtons{i18n::DialogButton::Yes, i18n::DialogButton::No}));
  for (const platform::DesktopFile& file : Files())
    EXPECT_TRUE(std::filesystem::exists(file.file)) << file.file;
}

TEST_F(UninstallTest, YesRemovesTheFilesAndSaysWhichOnlyThenSuccessfully)
{
  EXPECT_EQ(StartUninstall(i18n::DialogButton::Yes), 0);
  ASSERT_EQ(v_prompts.questions.size(), 2u);
  const MessageRequest& report = v_prompts.questions[1];
  EXPECT_EQ(report.kind, i18n::DialogKind::Information);
  i18n::MessageParams expected = {"Airwright is successfully uninstalled."};
  for (const platform::DesktopFile& file : Files()) {
    EXPECT_FALSE(std::filesystem::exists(file.file)) << file.file;
    expected.push_back("Removed: " + file.file.string());
  }
  EXPECT_EQ(report.params, expected);
}

TEST_F(UninstallTest, AFileThatStaysIsListedAndNoSuccessIsClaimed)
{
  const std::filesystem::path entry = Files().front().file;
  std::filesystem::remove(entry);
  std::filesystem::create_directories(entry / "inside");

  EXPECT_EQ(StartUninstall(i18n::DialogButton::Yes), 0);
  ASSERT_EQ(v_prompts.questions.size(), 2u);
  const MessageRequest& report = v_prompts.questions[1];
  EXPECT_EQ(report.kind, i18n::DialogKind::Warning);
  ASSERT_EQ(report.params.size(), 4u);
  EXPECT_EQ(report.params.front(), "Airwright is not completely uninstalled.");
  EXPECT_EQ(report.params.back(), "Not removed: " + entry.string() + ": a folder, not a file the program wrote");
}

} // namespace
} // namespace aw::app
