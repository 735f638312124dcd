#include "app/ProgramEntry.h"

#include "app/UserPrompts.h"
#include "platform/ScopedEnvironment.h"
#include "platform/SingleInstance.h"
#include "RecordingPrompts.h"
#include "support/TempDir.h"
#include "TestApplication.h"

#include <gtest/gtest.h>

namespace aw::app {
namespace {

using test::RecordingPrompts;

class ProgramEntryTest : public ::testing::Test
{
protected:
  ProgramEntryTest() { test::TestApplication(); }

  test::TempDir v_dir;
  std::filesystem::path v_lockFile = v_dir / "airwright.lock";
  RecordingPrompts v_prompts;
};

TEST_F(ProgramEntryTest, FirstInstanceEntersSilently)
{
  platform::SingleInstanceLock lock(v_lockFile);
  EXPECT_TRUE(EnterSingleInstance(lock, {}, v_prompts));
  EXPECT_TRUE(lock.Held());
  EXPECT_TRUE(v_prompts.messages.isEmpty());
}

TEST_F(ProgramEntryTest, SecondInstanceIsToldAndStaysOut)
{
  const std::vector<std::pair<QStringList, QString>> cases = {
    {{}, "Airwright is already running on this machine"},
    {{"project.awr"}, "Airwright is already running on this machine"},
    {{"/uninstall"}, "Airwright is running on this machine, cannot uninstall"},
    {{"/UNINSTALL"}, "Airwright is running on this machine, cannot uninstall"},
    {{"--uninstall"}, "Airwright is running on this machine, cannot uninstall"},
    {{"/uninstall", "more"}, "Airwright is already running on this machine"},
  };
  platform::SingleInstanceLock first(v_lockFile);
  ASSERT_EQ(first.TryAcquire(), platform::SingleInstanceLock::Outcome::Acquired);
  for (const auto& [arguments, message] : cases) {
    SCOPED_TRACE(arguments.join(' ').toStdString());
    RecordingPrompts prompts;
    platform::SingleInstanceLock second(v_lockFile);
    EXPECT_FALSE(EnterSingleInstance(second, arguments, prompts));
    EXPECT_EQ(prompts.messages, QStringList{message});
  }
}

TEST_F(ProgramEntryTest, LockThatCannotBeTakenDoesNotKeepTheUserOut)
{
  test::WriteFileBytes(v_dir / "blocked", "a file, not a folder");
  platform::SingleInstanceLock lock(v_dir / "blocked" / "airwright.lock");
  EXPECT_TRUE(EnterSingleInstance(lock, {}, v_prompts));
  EXPECT_TRUE(v_prompts.messages.isEmpty());
}

// Without a display Qt would abort; the program must say so and end instead.
TEST_F(ProgramEntryTest, MissingDisplayIsDetected)
{
  test::ScopedEnvironment display("DISPLAY", nullptr);
  test::ScopedEnvironment wayland("WAYLAND_DISPLAY", nullptr);
  test::ScopedEnvironment qpa("QT_QPA_PLATFORM", nullptr);
  char program[] = "airwright";
  char platformOption[] = "-platform";
  char offscreen[] = "offscreen";
  char* bare[] = {program, nullptr};
  char* withPlatform[] = {program, platformOption, offscreen, nullptr};

  EXPECT_FALSE(DisplayAvailable(1, bare));
  EXPECT_TRUE(DisplayAvailable(3, withPlatform));
  {
    test::ScopedEnvironment set("WAYLAND_DISPLAY", "wayland-0");
    EXPECT_TRUE(DisplayAvailable(1, bare));
  }
  test::ScopedEnvironment empty("DISPLAY", "");
  EXPECT_FALSE(DisplayAvailable(1, bare));
}

TEST_F(ProgramEntryTest, ScreenshotOptionIsTakenOutOfTheArguments)
{
  QStringList arguments = {"a.awr", "--screenshots", "/tmp/shots"};
  EXPECT_EQ(TakeScreenshotOption(arguments), QString("/tmp/shots"));
  EXPECT_EQ(arguments, QStringList{"a.awr"});
  QStringList missing = {"--screenshots"};
  EXPECT_EQ(TakeScreenshotOption(missing), QString());
  QStringList none = {"a.awr"};
  EXPECT_EQ(TakeScreenshotOption(none), std::nullopt);
}

// The theme has no icon of ours in the test's fresh data folder: the carried
// one is drawn, so the window never goes without.
TEST_F(ProgramEntryTest, TheProgramIconIsThereWithoutTheTheme)
{
  const QIcon icon = ProgramIcon();
  ASSERT_FALSE(icon.isNull());
  const QImage image = icon.pixmap(48, 48).toImage();
  ASSERT_EQ(image.width(), 48);
  // The casing's outline is drawn, not a blank square.
  EXPECT_NE(image.pixelColor(24, 24), image.pixelColor(24, 12));
}

TEST_F(ProgramEntryTest, ScopedPromptsReplaceTheMessageBoxesAndRestoreThem)
{
  UserPrompts& boxes = UserPrompts::Current();
  {
    ScopedUserPrompts scoped(v_prompts);
    EXPECT_EQ(&UserPrompts::Current(), &v_prompts);
  }
  EXPECT_EQ(&UserPrompts::Current(), &boxes);
}

} // namespace
} // namespace aw::app
