// The main window's menu bar, its command icons and the recent-file menu.

#include "app/DlgSelect.h"

#include "app/BaseMsgDialog.h"
#include "app/FrmApproveTranslation.h"
#include "app/RecentFilesMenu.h"
#include "foundation/VersionInfo.h"
#include "i18n/MessageTexts.h"
#include "platform/SettingsStore.h"

#include <QAction>
#include <QFileInfo>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>

namespace aw::app {

void TDlgSelect::SetCommandIcons()
{
  // The desktop's icon theme first; the style's own pictures where the theme
  // has none.
  const struct
  {
    QAction* action;
    const char* szThemeName;
    QStyle::StandardPixmap fallback;
  } icons[] = {
    {ACF_New, "document-new", QStyle::SP_FileIcon},
    {ACF_Open, "document-open", QStyle::SP_DialogOpenButton},
    {ACF_Save, "document-save", QStyle::SP_DialogSaveButton},
    {ACF_SaveAs, "document-save-as", QStyle::SP_DialogSaveButton},
    {ACF_Exit, "application-exit", QStyle::SP_DialogCloseButton},
    {ACF_Report, "x-office-document", QStyle::SP_FileDialogDetailedView},
    {ACT_BillOfMaterials, "x-office-spreadsheet", QStyle::SP_FileDialogListView},
    {ACF_Distributor, "contact-new", QStyle::SP_DirHomeIcon},
    {ACF_Preferences, "preferences-system", QStyle::SP_FileDialogInfoView},
    {ACH_About, "help-about", QStyle::SP_MessageBoxInformation},
  };
  for (const auto& icon : icons)
    icon.action->setIcon(QIcon::fromTheme(QString::fromLatin1(icon.szThemeName), style()->standardIcon(icon.fallback)));
}

void TDlgSelect::CreateMenuBar()
{
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("Ctl_MenuBar"));

  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("Mnu_File"));
  file->addAction(ACF_New);
  file->addAction(ACF_Open);
  CreateRecentFilesMenu();
  file->addMenu(Mnu_PopupReopen);
  file->addSeparator();
  file->addAction(ACF_Save);
  file->addAction(ACF_SaveAs);
  file->addSeparator();
  file->addAction(ACF_Report);
  file->addAction(ACT_BillOfMaterials);
  file->addSeparator();
  file->addAction(ACF_Exit);

  QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
  edit->setObjectName(QStringLiteral("Mnu_Edit"));
  edit->addAction(ACF_Preferences);

  QMenu* help = bar->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("Mnu_Help"));
  help->addAction(ACH_About);
  if (CTVersionUtils::IsApprovalVersion()) // a build handed out for translation approval
    help->addAction(QStringLiteral("Approve Translation..."), this, [this] { TFrmApproveTranslation(this).Execute(); });
}

void TDlgSelect::CreateRecentFilesMenu()
{
  Mnu_PopupReopen->setTitle(QStringLiteral("Open &Recent"));
  Mnu_PopupReopen->setIcon(QIcon::fromTheme(QStringLiteral("document-open-recent"), ACF_Open->icon()));
  v_recentFiles = new TRecentFilesMenu(Mnu_PopupReopen, CTRecentList(platform::SettingsStore::User()));
  connect(v_recentFiles, &TRecentFilesMenu::FileChosen, this, &TDlgSelect::RecentFileClick);
}

void TDlgSelect::RememberRecentFile(const QString& szFileName)
{
  v_recentFiles->List().Add(szFileName.toStdString());
  v_recentFiles->UpdateMenu(szFileName);
}

void TDlgSelect::RecentFileClick(const QString& szFileName)
{
  if (!AskSaveChanges())
    return;
  if (QFileInfo(szFileName).isFile()) {
    OpenProjectFile(szFileName);
    return;
  }
  TBaseMsg::DisplayError(this, i18n::kMsgUnableToOpenFile, {szFileName.toStdString()});
  v_recentFiles->List().Remove(szFileName.toStdString());
  v_recentFiles->UpdateMenu(GetProjectFileName());
}

} // namespace aw::app
