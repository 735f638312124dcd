#include "app/BaseMsgDialog.h"
#include "app/DatabasePage.h"
#include "app/DlgSelect.h"
#include "app/ResultsPage.h"
#include "engine/SelectionModel.h"
#include "app/ProjectStore.h"
#include "platform/SettingsRoots.h"
#include "platform/SettingsStore.h"

#include "air/SI_Units.h"
#include "RecordingPrompts.h"
#include "support/TempDir.h"
#include "TestApplication.h"
#include "engine/Preferences.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace aw::app {
namespace {

constexpr int kYes = 6, kNo = 7, kCancel = 2;

class RecordingStore : public ProjectStore
{
public:
  bool SaveProject(const QString& szFileName) override
  {
    saved.push_back(szFileName);
    return saveSucceeds;
  }
  bool OpenProject(const QString& szFileName) override
  {
    opened.push_back(szFileName);
    return openSucceeds;
  }
  void InitialiseInputs() override { ++initialised; }

  QStringList saved, opened;
  bool saveSucceeds = true, openSucceeds = true;
  int initialised = 0;
};

class DlgSelectCommandsTest : public ::testing::Test
{
protected:
  DlgSelectCommandsTest()
  {
    v_window.SetProjectStore(&v_store);
    v_window.show();
    QApplication::processEvents(); // the start-up
  }

  void Trigger(const char* szCommand) { v_window.findChild<QAction*>(szCommand)->trigger(); }
  QTabWidget* Pages() { return v_window.findChild<QTabWidget*>("Ctl_Pages"); }
  const MessageRequest& OnlyQuestion()
  {
    EXPECT_EQ(v_prompts.questions.size(), 1u);
    return v_prompts.questions.front();
  }

  QApplication& v_application = test::TestApplication();
  test::RecordingPrompts v_prompts;
  ScopedUserPrompts v_scoped{v_prompts};
  RecordingStore v_store;
  TDlgSelect v_window;
};

TEST_F(DlgSelectCommandsTest, StartupSetsCaptionUnitsAndLeavesTheProjectUnchanged)
{
  ASSERT_TRUE(v_window.StartupFinished());
  EXPECT_TRUE(v_window.windowTitle().startsWith("Airwright 7.2.0")) << v_window.windowTitle().toStdString();
  EXPECT_EQ(TU_Form::GetSpecificString(U_Airflow, TU_Form::DimensionCount(U_Airflow) - 1), "CFM");
  EXPECT_FALSE(v_window.DataHaveChanged());
  EXPECT_TRUE(v_prompts.questions.empty());
  EXPECT_TRUE(v_prompts.messages.isEmpty());
}

TEST_F(DlgSelectCommandsTest, CloseWithChangesAsksToSaveAndFollowsTheAnswer)
{
  struct Case
  {
    const char* name;
    std::deque<int> answers;
    QString saveAnswer;
    bool saveSucceeds;
    bool closes;
    int saves;
  };
  const std::vector<Case> cases = {
    {"cancel keeps the window", {kCancel}, {}, true, false, 0},
    {"no closes without saving", {kNo}, {}, true, true, 0},
    {"yes with a cancelled save dialog keeps the window", {kYes}, {}, true, false, 0},
    {"yes with a failed save keeps the window", {kYes}, "/tmp/p.awr", false, false, 1},
    {"yes with a saved project closes", {kYes}, "/tmp/p.awr", true, true, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::RecordingPrompts prompts;
    ScopedUserPrompts scoped(prompts);
    RecordingStore store;
    TDlgSelect window;
    window.SetProjectStore(&store);
    window.show();
    QApplication::processEvents();
    window.SetDataHaveChanged();
    prompts.answers = c.answers;
    prompts.saveAnswer = c.saveAnswer;
    store.saveSucceeds = c.saveSucceeds;

    window.close(); // as the window frame asks
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0].nMessage, 74);
    EXPECT_EQ(prompts.questions[0].buttons,
              (i18n::DialogButtons{i18n::DialogButton::Yes, i18n::DialogButton::No, i18n::DialogButton::Cancel}));
    EXPECT_EQ(window.isVisible(), !c.closes);
    EXPECT_EQ(store.saved.size(), c.saves);
    EXPECT_EQ(window.DataHaveChanged(), !(c.saves > 0 && c.saveSucceeds));
  }
}

TEST_F(DlgSelectCommandsTest, ExitWithoutChangesClosesWithoutAsking)
{
  Trigger("ACF_Exit");
  EXPECT_FALSE(v_window.isVisible());
  EXPECT_TRUE(v_prompts.questions.empty());
}

TEST_F(DlgSelectCommandsTest, SaveProposesTheProjectFileAndClearsChangesOnlyWhenSaved)
{
  v_window.SetProjectFileName("/tmp/current.awr");
  v_window.SetDataHaveChanged();
  Trigger("ACF_SaveAs"); // dialog cancelled
  ASSERT_EQ(v_prompts.saveRequests.size(), 1u);
  EXPECT_EQ(v_prompts.saveRequests[0].szFileName, "/tmp/current.awr");
  EXPECT_EQ(v_prompts.saveRequests[0].szDefaultExtension, "awr");
  EXPECT_EQ(v_prompts.saveRequests[0].szTitle, "Enter a file name to save the current Airwright data");
  EXPECT_TRUE(v_window.DataHaveChanged());

  v_prompts.saveAnswer = "/tmp/other.awr";
  v_store.saveSucceeds = false;
  Trigger("ACF_SaveAs");
  EXPECT_TRUE(v_window.DataHaveChanged());
  EXPECT_EQ(v_window.GetProjectFileName(), "/tmp/current.awr");

  v_store.saveSucceeds = true;
  Trigger("ACF_SaveAs");
  EXPECT_FALSE(v_window.DataHaveChanged());
  EXPECT_EQ(v_window.GetProjectFileName(), "/tmp/other.awr");
  EXPECT_TRUE(v_window.windowTitle().startsWith("other.awr[*] - Airwright")) << v_window.windowTitle().toStdString();

  // Save keeps the project's file and asks nothing.
  v_window.SetDataHaveChanged();
  EXPECT_TRUE(v_window.isWindowModified());
  Trigger("ACF_Save");
  EXPECT_EQ(v_prompts.saveRequests.size(), 3u);
  EXPECT_EQ(v_store.saved.back(), "/tmp/other.awr");
  EXPECT_FALSE(v_window.isWindowModified());
  for (const auto& [command, keys] : {std::pair{"ACF_Open", "Ctrl+O"}, std::pair{"ACF_Save", "Ctrl+S"},
                                      std::pair{"ACF_SaveAs", "Ctrl+Shift+S"}})
    EXPECT_EQ(v_window.findChild<QAction*>(command)->shortcut().toString(), keys) << command;
}

TEST_F(DlgSelectCommandsTest, OpenClearsChangesOnlyWhenAFileWasRead)
{
  v_window.SetDataHaveChanged();
  v_prompts.answers = {kNo, kNo, kNo};
  Trigger("ACF_Open"); // dialog cancelled
  EXPECT_TRUE(v_window.DataHaveChanged());
  EXPECT_EQ(v_prompts.openRequests.at(0).szTitle, "Enter a file name to load project data from");

  v_prompts.openAnswer = "/tmp/in.awr";
  v_store.openSucceeds = false;
  Trigger("ACF_Open");
  EXPECT_TRUE(v_window.DataHaveChanged());
  EXPECT_EQ(v_window.GetProjectFileName(), "");

  v_store.openSucceeds = true;
  Trigger("ACF_Open");
  EXPECT_FALSE(v_window.DataHaveChanged());
  EXPECT_EQ(v_window.GetProjectFileName(), "/tmp/in.awr");
  EXPECT_EQ(v_store.opened.size(), 2);
}

TEST_F(DlgSelectCommandsTest, NewAsksToSaveAndStartsAFreshProject)
{
  v_window.SetProjectFileName("/tmp/old.awr");
  v_window.SetDataHaveChanged();
  Pages()->setCurrentIndex(1);
  v_prompts.answers = {kYes}; // saved to its own file
  Trigger("ACF_New");
  EXPECT_EQ(OnlyQuestion().nMessage, 74);
  EXPECT_EQ(OnlyQuestion().buttons,
            (i18n::DialogButtons{i18n::DialogButton::Yes, i18n::DialogButton::No, i18n::DialogButton::Cancel}));
  EXPECT_EQ(v_store.saved, QStringList{"/tmp/old.awr"});
  EXPECT_EQ(v_store.initialised, 1);
  EXPECT_EQ(v_window.GetProjectFileName(), "");
  EXPECT_FALSE(v_window.DataHaveChanged());
  EXPECT_EQ(Pages()->currentIndex(), 0);

  // A save that did not happen keeps the project as it is.
  v_window.SetDataHaveChanged();
  v_store.saveSucceeds = false;
  v_prompts.answers = {kYes};
  v_prompts.saveAnswer = "/tmp/x.awr";
  Trigger("ACF_New");
  EXPECT_EQ(v_store.initialised, 1);
  EXPECT_TRUE(v_window.DataHaveChanged());
}

// The real question dialog, answered with Escape as a reflexive user does.
class EscapePressingPrompts : public test::RecordingPrompts
{
public:
  int ShowNumberedMessage(const MessageRequest& request) override
  {
    questions.push_back(request);
    TBaseMsg dialog(nullptr, request);
    dialog.show();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &escape);
    return dialog.ReturnCode();
  }
};

TEST_F(DlgSelectCommandsTest, EscapeOnTheSaveQuestionStopsNewAndOpen)
{
  EscapePressingPrompts prompts;
  ScopedUserPrompts scoped(prompts);
  v_window.SetProjectFileName("/tmp/work.awr");
  v_window.SetDataHaveChanged();
  prompts.openAnswer = "/tmp/other.awr";
  for (const char* command : {"ACF_New", "ACF_Open"}) {
    SCOPED_TRACE(command);
    Trigger(command);
    EXPECT_EQ(prompts.questions.back().nMessage, 74);
    EXPECT_TRUE(v_window.DataHaveChanged());
    EXPECT_EQ(v_window.GetProjectFileName(), "/tmp/work.awr");
  }
  EXPECT_EQ(v_store.initialised, 0);
  EXPECT_TRUE(prompts.openRequests.empty());
  EXPECT_TRUE(v_store.saved.isEmpty());
}

TEST_F(DlgSelectCommandsTest, AboutShowsProgramVersionAndCatalogueVersion)
{
  v_window.SetDatabaseVersion("DB 3.1");
  Trigger("ACH_About");
  ASSERT_EQ(v_prompts.plainDialogs.size(), 1u);
  EXPECT_EQ(v_prompts.plainDialogs[0].first, "About");
  EXPECT_EQ(v_prompts.plainDialogs[0].second, "Airwright\nVersion 7.2.0\nDatabase version DB 3.1");
}

TEST_F(DlgSelectCommandsTest, ShowsThePagesOfEachFamily)
{
  struct Case
  {
    int family;
    bool efficiencies, configuration;
  };
  const std::vector<Case> cases = {{0, true, true},   {1, true, true},   {2, false, true},
                                   {3, false, false}, {5, false, false}, {8, false, false}};
  QTabWidget* pages = Pages();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.family);
    v_window.ShowPagesForFamily(c.family);
    for (int i = 0; i < 5; ++i)
      EXPECT_TRUE(pages->isTabVisible(i)) << i;
    EXPECT_EQ(pages->isTabVisible(5), c.efficiencies);
    EXPECT_EQ(pages->isTabVisible(6), c.efficiencies);
    EXPECT_EQ(pages->isTabVisible(7), c.configuration);
  }
}

TEST_F(DlgSelectCommandsTest, WithoutASelectedUnitOnlyTheChartPageCanBeShown)
{
  v_window.Model()->SelectedDevicesClick(-1); // the first selection picked a unit: pick none
  ASSERT_FALSE(v_window.UnitSelected());
  QTabWidget* pages = Pages();
  pages->setCurrentIndex(3); // Database
  EXPECT_EQ(pages->currentIndex(), 0);
  pages->setCurrentIndex(1); // Psychrometrics: an empty chart
  EXPECT_EQ(pages->currentIndex(), 1);
}

TEST_F(DlgSelectCommandsTest, ScreenshotsSaveAPictureOfEveryVisiblePage)
{
  test::TempDir dir;
  v_window.ShowPagesForFamily(2);
  ASSERT_TRUE(v_window.SaveScreenshots(QString::fromStdString((dir / "shots").string())));
  const QStringList files = QDir(QString::fromStdString((dir / "shots").string())).entryList({"*.png"});
  EXPECT_EQ(files, (QStringList{"01-Tab_Selection.png", "02-Tab_Psychrometrics.png", "03-Tab_Results.png",
                                "04-Tab_Database.png", "05-Tab_Fan.png", "06-Tab_Configuration.png",
                                "07-TFrm_Preferences-Tab_Units.png", "08-TFrm_Preferences-Tab_Diagrams.png",
                                "09-TFrm_Preferences-Tab_Reports.png", "10-TFrm_Preferences-Tab_Language.png",
                                "11-TFrm_Configuration.png"}));
  const QImage picture(QString::fromStdString((dir / "shots" / "04-Tab_Database.png").string()));
  EXPECT_EQ(picture.size(), v_window.size());
  // Each page was filled as changing to it fills it: the Database page holds
  // the unit's data, the Results page its options.
  const Cls_Brisa* unit = v_window.Model()->CurrentBrisa();
  ASSERT_TRUE(unit);
  EXPECT_EQ(v_window.DatabasePage()->Value("Txt_DeviceName"), QString::fromStdString(unit->GetQualifiedName()));
  EXPECT_FALSE(v_window.DatabasePage()->Value("Txt_WHD").isEmpty());
  EXPECT_GT(v_window.ResultsPage()->AvailOptions()->topLevelItemCount() +
              v_window.ResultsPage()->UsedOptions()->topLevelItemCount(),
            0);
}

TEST_F(DlgSelectCommandsTest, DatabasePageShowsTheUnitsDataAndItsOptions)
{
  CTUnitDataSheet data;
  data.szQualifiedName = "Brisa 350 FC";
  data.nFamily = 2;
  data.width = 1100;
  data.height = 300;
  data.depth = 850;
  data.minVoltage = 198;
  data.maxVoltage = 264;
  data.mca = 1.5;
  data.ambient = {-15, 50};
  data.maxAmbientRHUpsideDown = 80;
  data.options = {{"Filter", "A fine filter", 0, 0, 0, "0.1 A"}, {"Heater", "Duct heater", 400, 200, 300, "5 A"}};
  TFraDatabasePage* page = v_window.DatabasePage();
  page->FillDatabasePage(data);

  EXPECT_EQ(page->Value("Txt_DeviceName"), "Brisa 350 FC");
  EXPECT_EQ(page->Value("Txt_WHD"), "1100×300×850 mm");
  EXPECT_EQ(page->Value("Txt_VoltageRange"), "198~264 V");
  EXPECT_EQ(page->Value("Txt_MCA"), "1.50 A");
  EXPECT_EQ(page->Value("Txt_AmbientRange"), "-15.0 .. 50.0 °C");
  EXPECT_EQ(page->Value("Txt_Weight"), ""); // no value
  EXPECT_FALSE(page->findChild<QWidget*>("Box_FanOnly")->isHidden());
  EXPECT_FALSE(page->findChild<QWidget*>("Box_UpsideDown")->isHidden());

  auto* options = page->findChild<QTreeWidget*>("Lvw_DBOptions");
  ASSERT_EQ(options->topLevelItemCount(), 2);
  options->setCurrentItem(options->topLevelItem(1));
  EXPECT_EQ(page->findChild<QPlainTextEdit*>("Txt_ODescription")->toPlainText(), "Duct heater");
  EXPECT_EQ(page->Value("Txt_OptWHD"), "400×200×300 mm");
  options->setCurrentItem(options->topLevelItem(0));
  EXPECT_EQ(page->Value("Txt_OptWHD"), ""); // no dimensions
  EXPECT_EQ(page->Value("Txt_OMCA"), "0.1 A");

  data.nFamily = 0;
  data.maxAmbientRHUpsideDown.reset();
  page->FillDatabasePage(data);
  EXPECT_TRUE(page->findChild<QWidget*>("Box_FanOnly")->isHidden());
  EXPECT_TRUE(page->findChild<QWidget*>("Box_UpsideDown")->isHidden());
}

TEST_F(DlgSelectCommandsTest, MaterialListAsksToSaveThenWritesTheUnitsListAndOpensIt)
{
  ASSERT_TRUE(v_window.UnitSelected());
  test::TempDir dir;
  CurrentPreferences().szReportPath = dir.Path().string();
  v_window.SetDataHaveChanged();
  v_prompts.answers = {kNo};
  v_prompts.saveAnswer = QString::fromStdString((dir / "list.xml").string());
  Trigger("ACT_BillOfMaterials");
  EXPECT_EQ(OnlyQuestion().nMessage, 74);
  ASSERT_EQ(v_prompts.saveRequests.size(), 1u);
  const FileRequest& request = v_prompts.saveRequests.front();
  EXPECT_EQ(request.szTitle, "Material List XML Export");
  EXPECT_EQ(request.szFilter, "XML Spreadsheet 2003 files (*.xml)|*.xml|All files (*.*)|*.*");
  EXPECT_EQ(request.szDefaultExtension, "xml");
  EXPECT_EQ(request.szFolder.toStdString(), dir.Path().string());
  const std::string xml = test::ReadFileBytes(dir / "list.xml");
  EXPECT_NE(xml.find("<Worksheet ss:Name=\"All\">"), std::string::npos);
  EXPECT_NE(xml.find(">" + v_window.Model()->CurrentBrisa()->GetName() + "</Data>"), std::string::npos) << xml;
  EXPECT_EQ(v_prompts.opened, QStringList{v_prompts.saveAnswer});

  // Cancelled: nothing written or opened. A folder in the way: message -3, nothing opened.
  v_prompts.questions.clear();
  v_prompts.answers = {kNo, kNo};
  v_prompts.saveAnswer.clear();
  Trigger("ACT_BillOfMaterials");
  std::filesystem::create_directories(dir / "taken.xml" / "inside");
  v_prompts.saveAnswer = QString::fromStdString((dir / "taken.xml").string());
  Trigger("ACT_BillOfMaterials");
  ASSERT_EQ(v_prompts.questions.size(), 3u);
  EXPECT_EQ(v_prompts.questions[2].nMessage, -3);
  EXPECT_EQ(v_prompts.questions[2].params.at(0), (dir / "taken.xml").string());
  EXPECT_EQ(v_prompts.opened.size(), 1);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "taken.xml" / "inside"));
  CurrentPreferences().szReportPath.clear();
}

} // namespace
} // namespace aw::app
