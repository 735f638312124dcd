// The translation-approval dialog: the person's data from the maker's
// settings, a refused address, and the record written into a file of its
// own, named in the message.

#include "app/FrmApproveTranslation.h"

#include "RecordingPrompts.h"
#include "support/TempDir.h"
#include "TestApplication.h"
#include "app/FrameBottomPanelExt.h"
#include "i18n/GlossaryLoading.h"
#include "platform/SettingsRoots.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>

namespace aw::app {
namespace {

class ApproveTranslationTest : public ::testing::Test
{
protected:
  ApproveTranslationTest()
  {
    // A data folder of its own: the tests run side by side, and one of them
    // puts a file where the other's records go.
    const char* previous = std::getenv("XDG_DATA_HOME");
    v_previousDataHome = previous ? std::optional<std::string>(previous) : std::nullopt;
    setenv("XDG_DATA_HOME", v_dataHome.Path().c_str(), 1);
    platform::SettingsStore& store = platform::SettingsStore::User();
    store.WriteString(platform::kMakerRoot, "First Name", "Anna");
    store.WriteString(platform::kMakerRoot, "Last Name", "Berg");
    store.DeleteValue(platform::kMakerRoot, "Email");
  }

  ~ApproveTranslationTest() override
  {
    if (v_previousDataHome)
      setenv("XDG_DATA_HOME", v_previousDataHome->c_str(), 1);
    else
      unsetenv("XDG_DATA_HOME");
  }

  test::TempDir v_dataHome;
  std::optional<std::string> v_previousDataHome;
  QApplication& v_application = test::TestApplication();
  test::RecordingPrompts v_prompts;
  ScopedUserPrompts v_scoped{v_prompts};
};

TEST_F(ApproveTranslationTest, ARefusedAddressKeepsTheDialogOpenAndAValidOneWritesTheRecord)
{
  TFrmApproveTranslation dialog(nullptr);
  dialog.Loaded();
  EXPECT_EQ(dialog.FirstName()->text(), QStringLiteral("Anna"));
  EXPECT_EQ(dialog.LastName()->text(), QStringLiteral("Berg"));
  EXPECT_TRUE(dialog.Email()->text().isEmpty()) << "a missing value gives an empty field";
  EXPECT_EQ(dialog.BottomPanel()->OKButton()->text(), QStringLiteral("Approve"));

  const auto recordsBefore = std::filesystem::exists(TFrmApproveTranslation::ApprovalFolder()) ? 1 : 0;
  dialog.Email()->setText(QStringLiteral(" anna@korvath "));
  dialog.Btn_OKClick();
  ASSERT_EQ(v_prompts.messages.size(), 1);
  EXPECT_EQ(v_prompts.messages[0], QStringLiteral("'anna@korvath' does not appear to be a valid e-mail address"));
  EXPECT_NE(dialog.ReturnCode(), i18n::kReturnOK);
  EXPECT_FALSE(std::filesystem::exists(TFrmApproveTranslation::ApprovalFolder()) && !std::filesystem::is_empty(TFrmApproveTranslation::ApprovalFolder()) && recordsBefore == 0)
      << "a refused address writes no record";

  dialog.FirstName()->setText(QStringLiteral(" Anna "));
  dialog.Email()->setText(QStringLiteral("anna@korvath.example"));
  dialog.Btn_OKClick();
  EXPECT_EQ(dialog.ReturnCode(), i18n::kReturnOK);
  const std::filesystem::path file = dialog.RecordFile();
  ASSERT_EQ(file.parent_path(), TFrmApproveTranslation::ApprovalFolder());
  std::ifstream in(file, std::ios::binary);
  std::stringstream record;
  record << in.rdbuf();
  EXPECT_NE(record.str().find("\" language=\"1033\" firstname=\"Anna\" lastname=\"Berg\" email=\"anna@korvath.example\" />\r\n"),
            std::string::npos)
    << record.str();
  ASSERT_EQ(v_prompts.messages.size(), 2);
  EXPECT_TRUE(v_prompts.messages[1].contains(QString::fromStdString(file.string()))) << "says where the record is";
  EXPECT_EQ(platform::SettingsStore::User().ReadString(platform::kMakerRoot, "Email"), "anna@korvath.example");
}

TEST_F(ApproveTranslationTest, ARecordThatCannotBeWrittenIsReportedAndTheNamesAreKeptAnyway)
{
  std::filesystem::create_directories(TFrmApproveTranslation::ApprovalFolder().parent_path());
  std::ofstream(TFrmApproveTranslation::ApprovalFolder()) << "not a folder";
  TFrmApproveTranslation dialog(nullptr);
  dialog.Loaded();
  dialog.Email()->setText(QStringLiteral("anna@korvath.example"));
  dialog.Btn_OKClick();
  EXPECT_NE(dialog.ReturnCode(), i18n::kReturnOK);
  ASSERT_EQ(v_prompts.messages.size(), 1);
  EXPECT_TRUE(v_prompts.messages[0].startsWith(QStringLiteral("Unable to prepare approval for sending")));
  EXPECT_EQ(platform::SettingsStore::User().ReadString(platform::kMakerRoot, "Email"), "anna@korvath.example");
  std::filesystem::remove(TFrmApproveTranslation::ApprovalFolder());
}

} // namespace
} // namespace aw::app
