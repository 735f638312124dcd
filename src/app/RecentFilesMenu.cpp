#include "app/RecentFilesMenu.h"

#include "app/FormTranslation.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>

namespace aw::app {
namespace {

// Marks the actions the list made, so that other items of the menu stay.
const char* const kFileProperty = "recentFile";

} // namespace

TRecentFilesMenu::TRecentFilesMenu(QMenu* menu, CTRecentList list)
  : QObject(menu), v_menu(menu), v_list(std::move(list))
{
  v_menu->setToolTipsVisible(true);
  UpdateMenu();
}

QString TRecentFilesMenu::FileNameFromAction(const QAction* action)
{
  return action ? action->property(kFileProperty).toString() : QString();
}

// Also the menu's own item, so that a sub-menu shows greyed as well.
void TRecentFilesMenu::SetEnabledByEntries()
{
  const bool bEnabled = !v_menu->actions().isEmpty();
  v_menu->setEnabled(bEnabled);
  v_menu->menuAction()->setEnabled(bEnabled);
}

void TRecentFilesMenu::ClearMenu()
{
  for (QAction* action : v_menu->actions())
    if (!FileNameFromAction(action).isEmpty()) {
      v_menu->removeAction(action);
      delete action;
    }
  SetEnabledByEntries();
}

void TRecentFilesMenu::UpdateMenu(const QString& szExcludeFile)
{
  ClearMenu();
  const QFontMetrics metrics(v_menu->font());
  for (const CTRecentMenuEntry& entry : v_list.MenuEntries(szExcludeFile.toStdString())) {
    const QString file = QString::fromStdString(entry.szFile);
    const QString shown = metrics.elidedText(file, Qt::ElideMiddle, kPathWidth);
    auto* action = new QAction(QString::fromStdString(RecentMenuCaption(entry.nNumber, shown.toStdString())), v_menu);
    action->setProperty(kFileProperty, file);
    KeepUntranslated(action);
    action->setToolTip(file);
    action->setStatusTip(file);
    connect(action, &QAction::triggered, this, [this, file] { emit FileChosen(file); });
    v_menu->addAction(action);
  }
  SetEnabledByEntries();
}

} // namespace aw::app
