#include "app/DlgSelect.h"

#include "TestApplication.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace aw::app {
namespace {

struct Command
{
  const char* name;
  const char* caption;
  const char* hint;
};

class DlgSelectTest : public ::testing::Test
{
protected:
  // The application must exist before the window.
  QApplication& v_application = test::TestApplication();
  TDlgSelect v_window;
};

TEST_F(DlgSelectTest, ShowsItsPagesInOrderWithTheirCaptions)
{
  const std::vector<std::pair<QString, QString>> expected = {
    {"Tab_Selection", "Selection"},
    {"Tab_Psychrometrics", "Psychrometrics"},
    {"Tab_Results", "Results"},
    {"Tab_Database", "Database"},
    {"Tab_Fan", "Fan Characteristics"},
    {"Tab_Efficiencies", "Exchange Efficiencies"},
    {"Tab_EffCorrect", "Efficiency Corrections"},
    {"Tab_Configuration", "Configuration"},
  };
  auto* pages = v_window.findChild<QTabWidget*>("Ctl_Pages");
  ASSERT_TRUE(pages);
  ASSERT_EQ(pages->count(), static_cast<int>(expected.size()));
  for (int i = 0; i < pages->count(); ++i) {
    EXPECT_EQ(pages->widget(i)->objectName(), expected[i].first) << i;
    EXPECT_EQ(pages->tabText(i), expected[i].second) << i;
  }
  EXPECT_EQ(v_window.windowTitle(), "Airwright");
}

TEST_F(DlgSelectTest, ToolbarCarriesTheCommandsInOrderWithCaptionsAndHints)
{
  const std::vector<Command> expected = {
    {"ACF_New", "New", "Creates a new Airwright project"},
    {"ACF_Open", "Open...", "Opens an Airwright project file"},
    {"ACF_Save", "Save...", "Saves an Airwright project file"},
    {"ACF_Exit", "Exit", "Quits the Airwright selection program"},
    {"ACF_Report", "Report...", "Creates a report about the selected ventilation device"},
    {"ACT_BillOfMaterials", "Material List XML Export...", "Material List XML Export"},
    {"ACF_Distributor", "Distributor", "Defines the distributor data"},
    {"ACF_Preferences", "Preferences", "Defines the preferences"},
    {"ACH_About", "About", ""},
  };
  auto* toolbar = v_window.findChild<QToolBar*>("Ctl_Toolbar");
  ASSERT_TRUE(toolbar);
  const QList<QAction*> actions = toolbar->actions();
  ASSERT_EQ(actions.size(), static_cast<qsizetype>(expected.size()));
  for (qsizetype i = 0; i < actions.size(); ++i) {
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(actions[i]->objectName(), expected[i].name);
    EXPECT_EQ(actions[i]->text(), expected[i].caption);
    EXPECT_EQ(actions[i]->statusTip(), expected[i].hint);
    EXPECT_TRUE(toolbar->widgetForAction(actions[i]));
    // The commands whose handlers exist.
    const QStringList handled = {"ACF_New", "ACF_Open", "ACF_Save", "ACF_Exit", "ACF_Report", "ACF_Distributor", "ACT_BillOfMaterials", "ACF_Preferences", "ACH_About"};
    EXPECT_EQ(actions[i]->isEnabled(), handled.contains(actions[i]->objectName()));
  }

  auto* open = qobject_cast<QToolButton*>(toolbar->widgetForAction(actions[1]));
  ASSERT_TRUE(open && open->menu());
  EXPECT_EQ(open->menu()->objectName(), "Mnu_PopupReopen");
}

// The Save and Exit buttons have hints of their own, which must outlive
// later changes of their commands (enabling them, for instance).
TEST_F(DlgSelectTest, SaveAndExitButtonsKeepTheirOwnHints)
{
  auto* toolbar = v_window.findChild<QToolBar*>("Ctl_Toolbar");
  const std::vector<std::pair<QString, QString>> buttons = {
    {"ACF_Save", "Saves an Airwright project file"},
    {"ACF_Exit", "Quits the Airwright  selection program"},
  };
  for (const auto& [name, hint] : buttons) {
    SCOPED_TRACE(name.toStdString());
    auto* action = v_window.findChild<QAction*>(name);
    ASSERT_TRUE(action);
    QWidget* button = toolbar->widgetForAction(action);
    ASSERT_TRUE(button);
    action->setEnabled(!action->isEnabled());
    EXPECT_EQ(button->toolTip(), hint);
    EXPECT_EQ(button->statusTip(), hint);
  }
}

TEST_F(DlgSelectTest, StartupHasEveryStageOnceInOrderAndRunsOnceOnFirstShow)
{
  const std::vector<StartupStage>& stages = v_window.Startup().Stages();
  ASSERT_EQ(stages.size(), 35u);
  for (std::size_t i = 0; i < stages.size(); ++i) {
    EXPECT_EQ(stages[i].nStep, static_cast<int>(i) + 1);
    EXPECT_FALSE(stages[i].szName.empty());
    EXPECT_FALSE(stages[i].szOwner.empty());
  }

  int stopped = 0;
  QObject::connect(&v_window, &TDlgSelect::StartupStopped, [&](int) { ++stopped; });
  EXPECT_FALSE(v_window.StartupFinished());
  v_window.show();
  QApplication::processEvents();
  EXPECT_TRUE(v_window.StartupFinished());
  EXPECT_EQ(stopped, 0);
}

TEST_F(DlgSelectTest, ExitClosesTheWindow)
{
  v_window.show();
  QApplication::processEvents();
  ASSERT_TRUE(v_window.isVisible());
  v_window.findChild<QAction*>("ACF_Exit")->trigger();
  EXPECT_FALSE(v_window.isVisible());
}

} // namespace
} // namespace aw::app
