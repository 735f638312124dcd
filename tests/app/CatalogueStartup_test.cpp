// The start-up stages that load the catalogue: a catalogue the program
// cannot use shows its message and ends the program with exit code 1.

#include "app/DlgSelect.h"

#include "RecordingPrompts.h"
#include "TestApplication.h"
#include "platform/Resources.h"
#include "support/TempDir.h"

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
  std::optional<int> StartUp(CTCatalogueSource source = CTCatalogueSource::Embedded())
  {
    TDlgSelect window;
    window.UseCatalogueSource(std::move(source));
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

TEST_F(CatalogueStartupTest, AnUnusableCatalogueFileIsNamedWithThePlaceOfTheFault)
{
  test::TempDir dir;
  const struct
  {
    const char* what;
    std::optional<std::string> bytes; // none: there is no such file
    std::string says;                 // after the file's name
  } cases[] = {
    {"damaged", CatalogueOfVersion("14.3").substr(0, 70), ": line "},
    {"empty", "", ": the file is empty"},
    {"without units", CatalogueOfVersion("14.3"), ": the catalogue has no units"},
    {"another structure version", CatalogueOfVersion("15.0"), ": Incorrect version of database"},
    {"missing", std::nullopt, ": there is no catalogue file of that name"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    v_prompts.questions.clear();
    const auto file = dir.Path() / (std::string(c.what) + ".edi");
    if (c.bytes)
      test::WriteFileBytes(file, *c.bytes);
    EXPECT_EQ(StartUp(CTCatalogueSource::File(file)), 1);
    ASSERT_EQ(v_prompts.questions.size(), 1u);
    const MessageRequest& shown = v_prompts.questions.front();
    ASSERT_EQ(shown.params.size(), 1u);
    EXPECT_EQ(shown.params.front().rfind(file.string() + c.says, 0), 0u) << shown.params.front();
  }
}

TEST_F(CatalogueStartupTest, ACatalogueFileWithUnitsStartsTheProgram)
{
  test::TempDir dir;
  const auto file = dir.Path() / "catalogue.edi";
  const std::optional<platform::ResourceBytes> embedded = platform::Resources::Find("Device_Database");
  ASSERT_TRUE(embedded);
  test::WriteFileBytes(file, std::string(reinterpret_cast<const char*>(embedded->data()), embedded->size()));
  EXPECT_EQ(StartUp(CTCatalogueSource::File(file)), std::nullopt);
  EXPECT_TRUE(v_prompts.questions.empty());
}

// A catalogue the load had to repair starts the program, with a warning
// that says what was left out.
TEST_F(CatalogueStartupTest, ACatalogueReadInPartStartsTheProgramWithAWarning)
{
  test::TempDir dir;
  const auto file = dir.Path() / "nan.edi";
  std::string text = test::ReadFileBytes(std::string(AW_TEST_DATA_DIR) + "/catalogue_sample.edi");
  const std::string airflow = "4 500 10 5  VAM ";
  ASSERT_NE(text.find(airflow), std::string::npos);
  text.replace(text.find(airflow), airflow.size(), "4 nan 10 5  VAM ");
  test::WriteFileBytes(file, text);
  EXPECT_EQ(StartUp(CTCatalogueSource::File(file)), std::nullopt);
  // The small catalogue's first selection raises its own message afterwards.
  ASSERT_FALSE(v_prompts.questions.empty());
  const MessageRequest& shown = v_prompts.questions.front();
  EXPECT_EQ(shown.nMessage, kMsgCatalogueReadInPart);
  EXPECT_EQ(shown.kind, i18n::DialogKind::Warning);
  ASSERT_EQ(shown.params.size(), 2u);
  EXPECT_EQ(shown.params[0], file.string());
  EXPECT_NE(shown.params[1].find("1 object with unusable values"), std::string::npos) << shown.params[1];
}

} // namespace
} // namespace aw::app
