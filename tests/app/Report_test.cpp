// The window's report command and the print parameters: the save dialog in
// the report folder after the unsaved-project question, the file opened
// with the desktop's application, a failed save; the logo size limit and
// the stored distributor lines; and the window's result lists equal to the
// selection view's.

#include "app/DlgPrintParams.h"
#include "app/AirConditionPanel.h"
#include "app/DlgSelect.h"
#include "app/ProjectStore.h"
#include "app/ResultPanels.h"
#include "app/ResultsPage.h"
#include "engine/SelectionModel.h"
#include "engine/SelectionView.h"
#include "platform/SettingsRoots.h"
#include "platform/SettingsStore.h"

#include "RecordingPrompts.h"
#include "support/TempDir.h"
#include "TestApplication.h"
#include "engine/Preferences.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>

namespace aw::app {
namespace {

constexpr int kNo = 7;

class NoProjectStore : public ProjectStore
{
public:
  bool SaveProject(const QString&) override { return true; }
  bool OpenProject(const QString&) override { return true; }
  void InitialiseInputs() override {}
};

class ReportWindowTest : public ::testing::Test
{
protected:
  ReportWindowTest()
  {
    v_window.SetProjectStore(&v_store);
    v_window.show();
    QApplication::processEvents(); // the start-up
  }
  void Trigger(const char* szCommand) { v_window.findChild<QAction*>(szCommand)->trigger(); }

  QApplication& v_application = test::TestApplication();
  test::RecordingPrompts v_prompts;
  ScopedUserPrompts v_scoped{v_prompts};
  NoProjectStore v_store;
  TDlgSelect v_window;
  test::TempDir v_dir;
};

TEST_F(ReportWindowTest, ReportAsksAboutTheProjectThenSavesInTheReportFolderAndOpensTheFile)
{
  ASSERT_TRUE(v_window.UnitSelected());
  CurrentPreferences().szReportPath = v_dir.Path().string();
  v_window.SetDataHaveChanged();
  v_prompts.answers = {kNo};
  const QString file = QString::fromStdString((v_dir / "report.rtf").string());
  v_prompts.saveAnswer = file;
  Trigger("ACF_Report");
  ASSERT_EQ(v_prompts.questions.size(), 1u);
  EXPECT_EQ(v_prompts.questions[0].nMessage, 74);
  ASSERT_EQ(v_prompts.saveRequests.size(), 1u);
  EXPECT_EQ(v_prompts.saveRequests[0].szFilter, "Report files (*.rtf)|*.rtf|All files (*.*)|*.*");
  EXPECT_EQ(v_prompts.saveRequests[0].szDefaultExtension, "rtf");
  EXPECT_EQ(v_prompts.saveRequests[0].szFolder.toStdString(), v_dir.Path().string());
  EXPECT_EQ(test::ReadFileBytes(v_dir / "report.rtf").rfind("{\\rtf1", 0), 0u);
  EXPECT_EQ(v_prompts.opened, QStringList{file});

  // A folder that is gone: the dialog starts in its default folder. A save
  // that fails says -3, keeps the file that was there and opens nothing.
  CurrentPreferences().szReportPath = (v_dir / "gone").string();
  std::filesystem::create_directories(v_dir / "taken.rtf" / "inside");
  v_prompts.saveAnswer = QString::fromStdString((v_dir / "taken.rtf").string());
  v_prompts.answers = {kNo}; // the project is still unsaved
  Trigger("ACF_Report");
  ASSERT_EQ(v_prompts.saveRequests.size(), 2u);
  EXPECT_TRUE(v_prompts.saveRequests[1].szFolder.isEmpty());
  ASSERT_EQ(v_prompts.questions.size(), 3u);
  EXPECT_EQ(v_prompts.questions[2].nMessage, -3);
  EXPECT_TRUE(std::filesystem::is_directory(v_dir / "taken.rtf" / "inside"));
  EXPECT_EQ(v_prompts.opened.size(), 1);
  CurrentPreferences().szReportPath.clear();
}

TEST_F(ReportWindowTest, PrintParametersRefuseALogoAbove590By236AndStoreTrimmedLines)
{
  platform::SettingsStore store(v_dir / "settings.ini");
  struct Case
  {
    int w, h;
    bool accepted;
  };
  for (const Case c : {Case{591, 100, false}, Case{590, 236, true}}) {
    SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
    const QString logo = QString::fromStdString((v_dir / ("logo" + std::to_string(c.w) + ".png")).string());
    QImage image(c.w, c.h, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(logo));
    test::RecordingPrompts prompts;
    ScopedUserPrompts scoped(prompts);
    TDlgPrintParams dialog(&v_window, store);
    dialog.Loaded();
    dialog.Line(0)->setText("  Air & Co  ");
    dialog.SetLogoFile(logo);
    EXPECT_TRUE(dialog.ClearButton()->isEnabled());
    dialog.Btn_OKClick();
    EXPECT_EQ(dialog.ReturnCode() == i18n::kReturnOK, c.accepted);
    if (c.accepted) {
      EXPECT_TRUE(prompts.questions.empty());
      EXPECT_EQ(TDlgPrintParams::GetLine1(store), "Air & Co");
      EXPECT_EQ(TDlgPrintParams::GetLogoFile(store), logo.toStdString());
    } else {
      ASSERT_EQ(prompts.questions.size(), 1u);
      EXPECT_EQ(prompts.questions[0].nMessage, 41);
      EXPECT_EQ(prompts.questions[0].params, (i18n::MessageParams{"590", "236"}));
      EXPECT_EQ(TDlgPrintParams::GetLogoFile(store), "");
    }
  }
}

// The window's lists and the view's blocks as lists: title, then caption and value.
QStringList AsList(const CTViewBlock& block)
{
  QStringList list{QString::fromStdString(block.szTitle)};
  for (const CTViewPair& pair : block.pairs)
    list << QString::fromStdString(pair.szLabel) << QString::fromStdString(pair.szValue);
  return list;
}

TEST_F(ReportWindowTest, ResultListsOfTheWindowEqualTheView)
{
  CTSelectionModel& model = *v_window.Model();
  for (int family : {0, 1, 2}) {
    SCOPED_TRACE("family " + std::to_string(family));
    model.SetFamily(family);
    v_window.ShowSelection();
    const CTSelectionView view(model);
    for (const bool cooling : {true, false}) {
      const TFraResultsPage* page = v_window.ResultsPage();
      const auto* results = page->findChild<TFrm_ResultData*>(cooling ? "Frm_CoolResults" : "Frm_HeatResults");
      ASSERT_TRUE(results);
      std::vector<QStringList> expected;
      for (const CTViewBlock& block : view.Results(cooling)) expected.push_back(AsList(block));
      EXPECT_EQ(results->GetResultsStrings(), expected) << (cooling ? "cooling" : "heating");
    }
    for (const bool cooling : {true, false}) {
      const TFraResultsPage* page = v_window.ResultsPage();
      std::vector<QStringList> expected;
      for (const auto& block : view.AirStates(cooling))
        if (block)
          expected.push_back(AsList(*block));
      EXPECT_FALSE(expected.empty());
      EXPECT_EQ((cooling ? page->CoolAirConditions() : page->HeatAirConditions())->GetPsychroStrings(), expected)
        << (cooling ? "cooling" : "heating");
    }
    const auto* wright = v_window.ResultsPage()->findChild<TFrm_WrightProps*>("Frm_WrightProps");
    ASSERT_TRUE(wright);
    if (const auto capacities = view.Capacities()) {
      EXPECT_EQ(wright->GetWrightStrings(), (std::vector<QStringList>{AsList(capacities->first), AsList(capacities->second)}));
    }
  }
}

} // namespace
} // namespace aw::app
