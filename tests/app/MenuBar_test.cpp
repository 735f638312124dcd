// The main window's menu bar: the desktop's menus and shortcuts over the tool
// bar's commands, and the recent-file menu that reopens projects.

#include "app/DlgSelect.h"
#include "app/FormTranslation.h"
#include "engine/RecentList.h"
#include "platform/SettingsStore.h"

#include "RecordingPrompts.h"
#include "support/TempDir.h"
#include "TestApplication.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace aw::app {
namespace {

// The captions of a menu's items, "-" for a separator.
QStringList Items(const QMenu* menu)
{
  QStringList items;
  for (const QAction* action : menu->actions())
    items << (action->isSeparator() ? QStringLiteral("-") : action->text());
  return items;
}

QStringList RecentCaptions(const TDlgSelect& window)
{
  return Items(window.findChild<QMenu*>("Mnu_PopupReopen"));
}

// The recent list starts empty for every test.
void ClearRecentList()
{
  platform::SettingsStore::User().DeleteKey(platform::kProgramRoot);
}

TEST(MenuBarTest, MenusFollowTheDesktopWithStandardShortcutsAndIcons)
{
  test::TestApplication();
  ClearRecentList();
  TDlgSelect window;
  const QMenuBar* bar = window.menuBar();
  QStringList titles;
  for (const QAction* action : bar->actions())
    titles << action->text();
  EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&Help"}));

  EXPECT_EQ(Items(window.findChild<QMenu*>("Mnu_File")),
            (QStringList{"New", "Open...", "Open &Recent", "-", "Save...", "Save As...", "-", "Report...",
                         "Material List XML Export...", "-", "Exit"}));
  EXPECT_EQ(Items(window.findChild<QMenu*>("Mnu_Edit")), QStringList{"Preferences"});
  EXPECT_EQ(Items(window.findChild<QMenu*>("Mnu_Help")), QStringList{"About"});

  const std::map<QString, QKeySequence> shortcuts = {
    {"ACF_New", QKeySequence("Ctrl+N")},    {"ACF_Open", QKeySequence("Ctrl+O")},
    {"ACF_Save", QKeySequence("Ctrl+S")},   {"ACF_SaveAs", QKeySequence("Ctrl+Shift+S")},
    {"ACF_Report", QKeySequence("Ctrl+P")}, {"ACF_Exit", QKeySequence("Ctrl+Q")},
    {"ACH_About", QKeySequence("F1")},
  };
  for (const auto& [name, keys] : shortcuts)
    EXPECT_EQ(window.findChild<QAction*>(name)->shortcut(), keys) << name.toStdString();

  // No key sequence belongs to two commands (an ambiguous shortcut does nothing).
  std::map<QString, QString> owners;
  for (const QAction* action : window.findChildren<QAction*>())
    for (const QKeySequence& keys : action->shortcuts()) {
      const auto [it, inserted] = owners.emplace(keys.toString(), action->objectName());
      EXPECT_TRUE(inserted) << keys.toString().toStdString() << ": " << it->second.toStdString() << " and "
                            << action->objectName().toStdString();
    }

  // Every command has its dialog, and an icon.
  for (const char* name : {"ACF_Report", "ACT_BillOfMaterials", "ACF_Preferences"})
    EXPECT_TRUE(window.findChild<QAction*>(name)->isEnabled()) << name;
  for (QAction* action : window.findChild<QMenu*>("Mnu_File")->actions()) {
    if (!action->isSeparator()) {
      EXPECT_FALSE(action->icon().isNull()) << action->text().toStdString();
    }
  }
  // With no recent files the menu is greyed.
  EXPECT_FALSE(window.findChild<QMenu*>("Mnu_PopupReopen")->menuAction()->isEnabled());
}

TEST(MenuBarTest, SavedAndOpenedProjectsAreReopenedFromTheRecentMenu)
{
  test::TestApplication();
  ClearRecentList();
  test::RecordingPrompts prompts;
  ScopedUserPrompts scoped(prompts);
  test::TempDir dir;
  const QString first = QString::fromStdString((dir / "R&D first.awr").string());
  const QString second = QString::fromStdString((dir / "second.awr").string());

  TDlgSelect window;
  window.RunStartup();
  prompts.saveAnswer = first;
  window.findChild<QAction*>("ACF_SaveAs")->trigger();
  // The open project is not offered again.
  EXPECT_TRUE(RecentCaptions(window).isEmpty());
  prompts.saveAnswer = second;
  window.findChild<QAction*>("ACF_SaveAs")->trigger();
  ASSERT_EQ(RecentCaptions(window).size(), 1);
  // The "&" of the path shows as it stands; the digit is the accelerator.
  EXPECT_EQ(RecentCaptions(window).first(), "&1. " + QString(first).replace("&", "&&"));
  const QAction* entry = window.findChild<QMenu*>("Mnu_PopupReopen")->actions().first();
  EXPECT_EQ(entry->toolTip(), first);

  window.findChild<QMenu*>("Mnu_PopupReopen")->actions().first()->trigger();
  EXPECT_EQ(window.GetProjectFileName(), first);
  EXPECT_FALSE(window.DataHaveChanged());
  ASSERT_EQ(RecentCaptions(window).size(), 1);
  EXPECT_TRUE(RecentCaptions(window).first().endsWith("second.awr"));

  // A file gone since is reported, dropped from the list, and the window stays on its project.
  std::filesystem::remove(second.toStdString());
  prompts.questions.clear();
  window.findChild<QMenu*>("Mnu_PopupReopen")->actions().first()->trigger();
  ASSERT_EQ(prompts.questions.size(), 1u);
  EXPECT_EQ(prompts.questions[0].nMessage, -2);
  EXPECT_EQ(prompts.questions[0].params, i18n::MessageParams{second.toStdString()});
  EXPECT_EQ(window.GetProjectFileName(), first);
  EXPECT_TRUE(RecentCaptions(window).isEmpty());
  EXPECT_EQ(CTRecentList(platform::SettingsStore::User()).GetEntries(),
            std::vector<std::string>{first.toStdString()});
}

TEST(MenuBarTest, ALongPathIsShortenedInTheMiddleAndKeptUntranslatedWithTheFullPathAsTooltip)
{
  test::TestApplication();
  ClearRecentList();
  test::TempDir dir;
  const std::filesystem::path folder = dir / std::string(120, 'f');
  std::filesystem::create_directories(folder);
  const std::filesystem::path file = folder / "end.awr";
  test::WriteFileBytes(file, "AWR00");
  ASSERT_TRUE(CTRecentList(platform::SettingsStore::User()).Add(file.string()));

  TDlgSelect window;
  const QAction* entry = window.findChild<QMenu*>("Mnu_PopupReopen")->actions().first();
  const QString full = QString::fromStdString(file.string());
  EXPECT_EQ(entry->toolTip(), full);
  EXPECT_TRUE(entry->text().startsWith("&1. " + full.left(5))) << entry->text().toStdString();
  EXPECT_TRUE(entry->text().endsWith("end.awr")) << entry->text().toStdString();
  EXPECT_TRUE(entry->text().contains(QChar(0x2026))) << entry->text().toStdString();

  // A path is data: translating the window leaves the entries alone.
  const QString caption = entry->text();
  TranslateForm(&window, [](const QString&) -> std::optional<QString> { return QStringLiteral("translated"); });
  EXPECT_EQ(window.findChild<QMenu*>("Mnu_PopupReopen")->title(), "translated");
  EXPECT_EQ(entry->text(), caption);
  EXPECT_EQ(entry->toolTip(), full);
}

} // namespace
} // namespace aw::app
