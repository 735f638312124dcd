// Starting the window registers the program on the user's desktop.

#include "app/DlgSelect.h"
#include "platform/DesktopIntegration.h"

#include "RecordingPrompts.h"
#include "TestApplication.h"
#include "platform/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace aw::app
