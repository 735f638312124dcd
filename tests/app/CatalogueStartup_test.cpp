// The start-up stages that load the catalogue: a catalogue the program
// cannot use shows its message and ends the program with exit code 1.

#include "app/DlgSelect.h"

#include "RecordingPrompts.h"
#include "TestApplication.h"
#include "platform/Resources.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <optional>

namespace aw::app {
namespace {

std::vector<std::byte> Bytes(const std::string& s)
{
  const auto* p = reinterpret_cast<const std::byte*>(s.data());
  return {p, p + s.size()};
}

std::string CatalogueOfVersion(const std::string& version)
{
  return "EDI100\r\n5 18 TBL_DdbVersionInfo 101\r\n5 6 DVI_ID 2\r\n5 13 DVI_DbVersion 10\r\n0\r\n0\r\n"
         "2 101 2 0 2 1 2 1\r\n2 1 10 " +
         std::to_string(version.size()) + " " + version + " \r\n0\r\n";
}

class CatalogueStartupTest : public ::testing::Test
{
protected:
  void TearDown() override { platform::Resources::RestoreEmbedded(); }

  // Runs the start-up of a new window; the exit code when it stopped.
  std::optional<int> StartUp()
  {
    TDlgSelect window;
    std::optional<int> stopped;
    QObject::connect(&window, &TDlgSelect::StartupStopped, [&](int nExitCode) { stopped = nExitCode; });
    window.RunStartup();
    return stopped;
  }

  int ShownMessage() const { return v_prompts.questions.empty() ? 0 : v_prompts.questions.back().nMessage; }

  QApplication& v_application = test::TestApplication();
  test::RecordingPrompts v_prompts;
  ScopedUserPrompts v_scoped{v_prompts};
};

TEST_F(CatalogueStartupTest, TheEmbeddedCatalogueStartsTheProgram)
{
  EXPECT_EQ(StartUp(), std::nullopt);
  EXPECT_TRUE(v_prompts.questions.empty());
}

TEST_F(CatalogueStartupTest, AnUnusableCatalogueShowsItsMessageAndEndsWithOne)
{
  const struct
  {
    const char* what;
    std::optional<std::string> catalogue; // none: the resource is missing
    int message;
  } cases[] = {
    {"missing", std::nullopt, 5007},
    {"damaged", CatalogueOfVersion("14.3").substr(0, 70), 5004},
    {"another structure version", CatalogueOfVersion("15.0"), 5014},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    v_prompts.questions.clear();
    if (c.catalogue)
      platform::Resources::Replace("Device_Database", Bytes(*c.catalogue));
    else
      platform::Resources::Hide("Device_Database");
    EXPECT_EQ(StartUp(), 1);
    EXPECT_EQ(ShownMessage(), c.message);
  }
}

} // namespace
} // namespace aw::app
