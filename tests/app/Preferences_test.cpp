// The Preferences dialog offscreen: OK stores every page in one write and
// only then makes it the program's, Cancel changes nothing, Restore Defaults
// shows the defaults, folders come from the folder prompt, and a store that
// cannot be written is reported with everything left as it was.

#include "app/Preferences.h"
#include "app/XMLMatListSettings.h"
#include "docs/XMLMatListSettings.h"

#include "RecordingPrompts.h"
#include "app/DlgSelect.h"
#include "app/UnitTextScroll.h"
#include "TestApplication.h"
#include "i18n/BasicDlg.h"
#include "i18n/LocalizationSupport.h"
#include "platform/SettingsRoots.h"
#include "platform/SettingsStore.h"
#include "support/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace aw::app {
namespace {

constexpr int kInH2O = 3;
const std::string kUnitsKey = std::string(platform::kPreferencesKey) + "\\Units";

class PreferencesDialogTest : public ::testing::Test
{
protected:
  PreferencesDialogTest()
  {
    TU_Form::InitializeUnits();
    TU_Form::AddImperialUnits();
    CurrentPreferences() = CTPreferences::InEffect(v_dir.Path().string());
    charts::CTDiagramSettings::Current() = charts::CTDiagramSettings();
    std::filesystem::create_directories(v_dir / "reports");
  }
  ~PreferencesDialogTest() override
  {
    TU_Form::InitializeUnits();
    CurrentPreferences() = CTPreferences::InEffect();
    charts::CTDiagramSettings::Current() = charts::CTDiagramSettings();
  }

  // Changes something on every page.
  void ChangeEveryPage(TFrm_Preferences& dialog)
  {
    dialog.UnitGroup(U_Pressure)->SetItemIndex(kInH2O);
    dialog.MollierButton()->setChecked(true);
    v_prompts.colourAnswer = QColor(255, 0, 0);
    dialog.ColourButton(2)->click();
    v_prompts.folderAnswer = QString::fromStdString((v_dir / "reports").string());
    dialog.findChild<QPushButton*>(QStringLiteral("Btn_BrowseReportPath"))->click();
    dialog.ProjectClearButton()->click();
    const QList<QListWidgetItem*> french = dialog.LanguageList()->findItems(QStringLiteral("French"), Qt::MatchExactly);
    ASSERT_EQ(french.size(), 1);
    dialog.LanguageList()->setCurrentItem(french.front());
    auto* matList = dialog.findChild<TFrmXMLMatListSettings*>(QStringLiteral("Frm_MatListSettings"));
    ASSERT_TRUE(matList);
    matList->UseSectionHeaderBox()->setChecked(true);
    matList->SectionHeaderField()->setText(QStringLiteral("Level 2 & <roof>"));
  }

  QApplication& v_application = test::TestApplication();
  test::RecordingPrompts v_prompts;
  ScopedUserPrompts v_scoped{v_prompts};
  test::TempDir v_dir;
};

TEST_F(PreferencesDialogTest, OKStoresEveryPageAndCancelChangesNothing)
{
  for (const int code : {i18n::kReturnCancel, i18n::kReturnOK}) {
    const bool ok = code == i18n::kReturnOK;
    platform::SettingsStore store(v_dir / (ok ? "ok" : "cancel") / "settings.ini");
    store.WriteInteger(std::string(platform::kMakerRoot) + "\\Locale", "Country", 2152);
    store.WriteInteger(std::string(platform::kMakerRoot) + "\\Locale", "Language", 1031);
    TFrm_Preferences dialog(nullptr, store);
    dialog.Loaded();
    ChangeEveryPage(dialog);
    ASSERT_FALSE(HasFatalFailure());
    dialog.DoCloseWindow(code);
    EXPECT_EQ(dialog.ReturnCode(), code);

    const std::string key(platform::kPreferencesKey);
    EXPECT_EQ(store.ValueExists(key, "REPORT_PATH"), ok) << "Cancel writes nothing";
    EXPECT_EQ(TU_Form::GetNewIndex(U_Pressure), ok ? kInH2O : 0);
    EXPECT_EQ(charts::CTDiagramSettings::Current().DiagramType, !ok);
    EXPECT_EQ(charts::CTDiagramSettings::Current().Colors[2],
              ok ? 0x0000FFu : charts::CTDiagramSettings::kDefaultColorRH);
    EXPECT_EQ(CurrentPreferences().szReportPath, ok ? (v_dir / "reports").string() : "");
    EXPECT_EQ(CurrentPreferences().szProjectPath, ok ? "" : v_dir.Path().string());
    EXPECT_EQ(dialog.LanguageChanged(), ok);
    if (!ok)
      continue;
    EXPECT_EQ(store.ReadString(key, "REPORT_PATH"), (v_dir / "reports").string());
    EXPECT_EQ(store.ReadString(key, "PROJECT_PATH"), "");
    EXPECT_EQ(store.ReadInteger(kUnitsKey, "Units13"), kInH2O);
    EXPECT_EQ(store.ReadInteger(key, "DiagramType"), 0) << "the chart settings are written by the preferences";
    EXPECT_EQ(store.ReadInteger(key, "ColorRH"), 0x0000FF);
    EXPECT_EQ(i18n::GetLocaleData(store).nLanguage, 1036u);
    EXPECT_EQ(i18n::GetLocaleData(store).nCountry, 2152) << "the country stays";
    EXPECT_EQ(store.ReadString(docs::CTXMLMatListSettings::RegistryKey(""), "SC_HEADER"), "Level 2 & <roof>")
      << "the material-list settings join the same write";
    EXPECT_EQ(docs::CTXMLMatListSettings::Current().SectionHeader(), "Level 2 & <roof>");
  }
}

TEST_F(PreferencesDialogTest, RestoreDefaultsShowsTheDefaultsAndOnlyOKMakesThemTheProgramsOwn)
{
  TU_Form::SetNewIndex(U_Pressure, kInH2O, false);
  TU_Form::SetNewIndex(U_Temperature, 1, false);
  charts::CTDiagramSettings::Current().DiagramType = false;
  charts::CTDiagramSettings::Current().Colors[0] = 0x123456;
  platform::SettingsStore store(v_dir / "settings.ini");
  TFrm_Preferences dialog(nullptr, store);
  dialog.Loaded();
  EXPECT_EQ(dialog.UnitGroup(U_Pressure)->ItemIndex(), kInH2O) << "shows the units in effect";
  EXPECT_TRUE(dialog.MollierButton()->isChecked());

  dialog.DefaultsButton()->click();
  for (const CTPreferenceUnitGroup& group : PreferenceUnitGroups())
    EXPECT_EQ(dialog.UnitGroup(group.unit)->ItemIndex(), 0) << group.szCaption;
  EXPECT_TRUE(dialog.PsychroButton()->isChecked());
  EXPECT_EQ(dialog.EditedDiagram().Colors[0], charts::CTDiagramSettings::kDefaultColorDBT);
  EXPECT_EQ(TU_Form::GetNewIndex(U_Pressure), kInH2O) << "nothing changes before OK";
  EXPECT_FALSE(charts::CTDiagramSettings::Current().DiagramType);

  dialog.DoCloseWindow(i18n::kReturnOK);
  EXPECT_EQ(TU_Form::GetNewIndex(U_Pressure), 0);
  EXPECT_EQ(TU_Form::GetNewIndex(U_Temperature), 0);
  EXPECT_TRUE(charts::CTDiagramSettings::Current().DiagramType);
  EXPECT_EQ(store.ReadInteger(platform::kPreferencesKey, "ColorDBT"),
            static_cast<std::int32_t>(charts::CTDiagramSettings::kDefaultColorDBT));
}

TEST_F(PreferencesDialogTest, FoldersComeFromTheFolderPromptAndAMissingOneIsShownAsNone)
{
  CurrentPreferences().szProjectPath = (v_dir / "gone").string();
  platform::SettingsStore store(v_dir / "settings.ini");
  TFrm_Preferences dialog(nullptr, store);
  dialog.Loaded();
  EXPECT_EQ(dialog.ProjectPathLabel()->text(), dialog.ProjectBrowseButton()->toolTip());
  EXPECT_EQ(dialog.ProjectBrowseButton()->toolTip(), QStringLiteral("Choose a directory for saving projects"));
  EXPECT_EQ(dialog.Edited().szProjectPath, "") << "stored back as none";

  v_prompts.folderAnswer = QString(); // the user cancels the chooser
  dialog.ProjectBrowseButton()->click();
  EXPECT_EQ(dialog.Edited().szProjectPath, "");
  v_prompts.folderAnswer = QString::fromStdString((v_dir / "reports").string());
  dialog.ProjectBrowseButton()->click();
  ASSERT_EQ(v_prompts.folderRequests.size(), 2u);
  EXPECT_EQ(v_prompts.folderRequests[0].szTitle, dialog.ProjectBrowseButton()->toolTip());
  EXPECT_EQ(dialog.Edited().szProjectPath, (v_dir / "reports").string());
  EXPECT_EQ(dialog.ProjectPathLabel()->toolTip(), v_prompts.folderAnswer) << "the full path as hint";
  dialog.ProjectBrowseButton()->click();
  EXPECT_EQ(v_prompts.folderRequests[2].szFolder, v_prompts.folderAnswer) << "starts at the current folder";
}

TEST_F(PreferencesDialogTest, AStoreThatCannotBeWrittenIsReportedAndChangesNothing)
{
  // The settings folder is a file: no write can reach it, whoever runs the test.
  test::WriteFileBytes(v_dir / "airwright", "not a folder");
  platform::SettingsStore store(v_dir / "airwright" / "settings.ini");
  TFrm_Preferences dialog(nullptr, store);
  dialog.Loaded();
  ChangeEveryPage(dialog);
  ASSERT_FALSE(HasFatalFailure());
  dialog.DoCloseWindow(i18n::kReturnOK);

  ASSERT_EQ(v_prompts.messages.size(), 1);
  EXPECT_TRUE(v_prompts.messages[0].contains(QString::fromStdString(store.File().string())))
    << v_prompts.messages[0].toStdString();
  EXPECT_NE(dialog.ReturnCode(), i18n::kReturnOK) << "the dialog stays open";
  EXPECT_EQ(TU_Form::GetNewIndex(U_Pressure), 0);
  EXPECT_TRUE(charts::CTDiagramSettings::Current().DiagramType);
  EXPECT_EQ(CurrentPreferences().szProjectPath, v_dir.Path().string());
  EXPECT_EQ(CurrentPreferences().szReportPath, "");
  EXPECT_EQ(test::ReadFileBytes(v_dir / "airwright"), "not a folder");
}

TEST_F(PreferencesDialogTest, TheWindowsCommandOpensTheDialogAndShowsTheNewUnitsAfterOK)
{
  TDlgSelect window;
  window.RunStartup();
  ASSERT_TRUE(window.StartupFinished());
  auto* esp = window.findChild<TFrm_UnitTextScroll*>(QStringLiteral("Frm_DesignSupplyESP"));
  ASSERT_TRUE(esp);
  EXPECT_EQ(esp->Edit()->text(), QStringLiteral("150.0"));

  bool bShown = false;
  QTimer::singleShot(0, [&bShown] {
    auto* dialog = qobject_cast<TFrm_Preferences*>(QApplication::activeModalWidget());
    if (!dialog)
      return;
    bShown = true;
    dialog->UnitGroup(U_Pressure)->SetItemIndex(kInH2O);
    dialog->DoCloseWindow(i18n::kReturnOK);
  });
  window.findChild<QAction*>(QStringLiteral("ACF_Preferences"))->trigger();
  ASSERT_TRUE(bShown);
  EXPECT_EQ(esp->Edit()->text(), QStringLiteral("0.60"));
  EXPECT_EQ(platform::SettingsStore::User().ReadInteger(kUnitsKey, "Units13"), kInH2O);
  platform::SettingsStore::User().DeleteKey(platform::kPreferencesKey);
}

} // namespace
} // namespace aw::app
