#pragma once
// The recent-file list shown in a menu: one numbered entry per file, the path
// shortened in the middle and the full path as its tooltip.

#include "engine/RecentList.h"

#include <QObject>
#include <QString>

class QAction;
class QMenu;

namespace aw::app {

class TRecentFilesMenu : public QObject
{
  Q_OBJECT

public:
  // Width to which a shown path is shortened, in device-independent pixels.
  static constexpr int kPathWidth = 320;

  TRecentFilesMenu(QMenu* menu, CTRecentList list);

  CTRecentList& List() { return v_list; }
  // Shows the list's entries but the excluded file; the menu is enabled
  // exactly when it shows an entry.
  void UpdateMenu(const QString& szExcludeFile = QString());
  void ClearMenu();
  // The file of one of the menu's entries; empty for any other action.
  static QString FileNameFromAction(const QAction* action);

signals:
  void FileChosen(const QString& szFileName);

private:
  void SetEnabledByEntries();

  QMenu* v_menu;
  CTRecentList v_list;
};

} // namespace aw::app
