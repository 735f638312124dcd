// The window's project files on the embedded catalogue: Save, New and Open
// give back the selection, and a project named on the command line is
// opened at start-up.

#include "app/DlgSelect.h"
#include "engine/SelectionModel.h"

#include "RecordingPrompts.h"
#include "support/TempDir.h"
#include "TestApplication.h"

#include <QAction>
#include <QApplication>

#include <gtest/gtest.h>

namespace aw::app {
namespace {

std::string Shown(CTSelectionModel& m)
{
  return m.CurrentBrisa()->GetQualifiedName() + " " + std::to_string(m.DesignSupplyESP().GetVal()) + " " +
         std::to_string(m.HeatingResults().HeatCap);
}

TEST(ProjectFilesTest, SaveNewOpenRestoresTheSelectionAndAFileArgumentStartsOnIt)
{
  QApplication& application = test::TestApplication();
  (void)application;
  test::RecordingPrompts prompts;
  ScopedUserPrompts scoped(prompts);
  test::TempDir dir;
  const QString file = QString::fromStdString((dir / "room.awr").string());
  std::string saved;
  {
    TDlgSelect window;
    window.RunStartup();
    window.Model()->DesignSupplyESP().SetVal(120);
    window.Model()->CapacityCallBack();
    ASSERT_TRUE(window.Model()->CurrentBrisa());
    saved = Shown(*window.Model());
    prompts.saveAnswer = file;
    window.findChild<QAction*>("ACF_SaveAs")->trigger();
    EXPECT_EQ(window.GetProjectFileName(), file);
    EXPECT_FALSE(window.DataHaveChanged());
    window.findChild<QAction*>("ACF_New")->trigger();
    EXPECT_EQ(window.Model()->DesignSupplyESP().GetVal(), 150);
    prompts.openAnswer = file;
    window.findChild<QAction*>("ACF_Open")->trigger();
    EXPECT_EQ(Shown(*window.Model()), saved);
    EXPECT_EQ(window.GetProjectFileName(), file);
    EXPECT_FALSE(window.DataHaveChanged());
  }
  TDlgSelect window(QStringList{file});
  window.RunStartup();
  EXPECT_EQ(window.GetProjectFileName(), file);
  ASSERT_TRUE(window.Model()->CurrentBrisa());
  EXPECT_EQ(Shown(*window.Model()), saved);
  EXPECT_FALSE(window.DataHaveChanged());
  EXPECT_TRUE(window.windowTitle().startsWith("room.awr")) << window.windowTitle().toStdString();
}

} // namespace
} // namespace aw::app
