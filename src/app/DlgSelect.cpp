#include "app/DlgSelect.h"

#include "app/BaseMsgDialog.h"
#include "app/BrisaProjectStore.h"
#include "app/BasicDialog.h"
#include "app/DatabasePage.h"
#include "app/FrmConfiguration.h"
#include "app/GraphPage.h"
#include "i18n/MainWindowRules.h"
#include "app/InterfaceLanguage.h"
#include "app/PageLayout.h"
#include "app/Preferences.h"
#include "app/ProjectStore.h"
#include "app/RecentFilesMenu.h"
#include "app/PsychroPage.h"
#include "app/ResultsPage.h"
#include "app/SelectionPage.h"
#include "app/UserPrompts.h"
#include "air/ValueFormatting.h"
#include "engine/FamilyTraits.h"
#include "engine/SelectionModel.h"
#include "engine/UnitDataSheet.h"
#include "foundation/VersionInfo.h"
#include "i18n/BaseMsgMan.h"
#include "i18n/MessageTexts.h"
#include "platform/SettingsRoots.h"
#include "platform/SettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QVBoxLayout>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <iostream>

namespace aw::app {
namespace {

using i18n::DialogButton;

const QString kOpenFilter = QStringLiteral("Airwright Project Files (*.awr)|*.awr");
const QString kSaveFilter = QStringLiteral("Airwright Project files (*.awr)|*.awr|All files (*.*)|*.*");

QWidget* AddPage(QTabWidget* pages, const char* szObjectName, const QString& szCaption)
{
  auto* page = new QWidget(pages);
  page->setObjectName(QString::fromLatin1(szObjectName));
  pages->addTab(page, szCaption);
  return page;
}

// Fills a page with its frame, which takes the whole page.
template <class Frame>
Frame* FillPage(QWidget* page)
{
  auto* layout = new QVBoxLayout(page);
  auto* frame = new Frame(page);
  layout->addWidget(frame);
  return frame;
}

// Fills a page with a paint box of that name, which takes the whole page.
template <class Box, class... Args>
Box* FillPageWithBox(QWidget* page, const char* szObjectName, Args... args)
{
  auto* layout = new QVBoxLayout(page);
  auto* box = new Box(page, args...);
  box->setObjectName(QString::fromLatin1(szObjectName));
  layout->addWidget(box);
  return box;
}

} // namespace

TDlgSelect::TDlgSelect(QStringList arguments, QWidget* parent)
  : QMainWindow(parent), v_arguments(std::move(arguments))
{
  setObjectName(QStringLiteral("TDlgSelect"));
  setWindowTitle(QStringLiteral("Airwright"));
  // The window's texts are numbered messages; registering again changes nothing.
  i18n::RegisterProgramMessages();
  v_ownStore = std::make_unique<BrisaProjectStore>(*this);
  v_projectStore = v_ownStore.get();
  CreatePages();
  CreateCommands();
  CreateToolbar();
  CreateMenuBar();
  statusBar()->setObjectName(QStringLiteral("Ctl_StatusBar"));
  ConnectCommands();
  FrameFocusedLists(this);

  // The loaded hook tints the lists and translates every form with the interface glossary.
  InstallInterfaceGlossary();
  SetChanged(false);
  resize(1024, 720);
  CentreOnScreen();
  BuildStartupSequence();
}

TDlgSelect::~TDlgSelect()
{
  StopListeningToUnitChanges();
  // The pages refer to the model's inputs: they go before the model does.
  delete Ctl_Pages;
  Ctl_Pages = nullptr;
}

void TDlgSelect::CreatePages()
{
  Ctl_Pages = new QTabWidget(this);
  Ctl_Pages->setObjectName(QStringLiteral("Ctl_Pages"));
  Tab_Selection = AddPage(Ctl_Pages, "Tab_Selection", QStringLiteral("Selection"));
  v_selectionPage = FillPage<TFraSelectionPage>(Tab_Selection);
  Tab_Psychrometrics = AddPage(Ctl_Pages, "Tab_Psychrometrics", QStringLiteral("Psychrometrics"));
  v_psychroPage = FillPage<TFraPsychroPage>(Tab_Psychrometrics);
  Tab_Results = AddPage(Ctl_Pages, "Tab_Results", QStringLiteral("Results"));
  v_resultsPage = FillPage<TFraResultsPage>(Tab_Results);
  Tab_Database = AddPage(Ctl_Pages, "Tab_Database", QStringLiteral("Database"));
  v_databasePage = FillPage<TFraDatabasePage>(Tab_Database);
  Tab_Fan = AddPage(Ctl_Pages, "Tab_Fan", QStringLiteral("Fan Characteristics"));
  PB_ESPGraph = FillPageWithBox<TGraphBox>(Tab_Fan, "PB_ESPGraph", charts::TGraphKind::Fan);
  Tab_Efficiencies = AddPage(Ctl_Pages, "Tab_Efficiencies", QStringLiteral("Exchange Efficiencies"));
  PB_EffGraph = FillPageWithBox<TGraphBox>(Tab_Efficiencies, "PB_EffGraph", charts::TGraphKind::Efficiency);
  Tab_EffCorrect = AddPage(Ctl_Pages, "Tab_EffCorrect", QStringLiteral("Efficiency Corrections"));
  PB_EffCorrect = FillPageWithBox<TGraphBox>(Tab_EffCorrect, "PB_EffCorrect", charts::TGraphKind::Correction);
  Tab_Configuration = AddPage(Ctl_Pages, "Tab_Configuration", QStringLiteral("Configuration"));
  PB_Configuration = FillPageWithBox<TConfigurationBox>(Tab_Configuration, "PB_Configuration");
  setCentralWidget(Ctl_Pages);
  connect(Ctl_Pages, &QTabWidget::currentChanged, this, &TDlgSelect::Ctl_PagesChange);
}

QAction* TDlgSelect::AddCommand(const char* szObjectName, const QString& szCaption, const QString& szHint)
{
  auto* action = new QAction(szCaption, AM_Commands);
  action->setObjectName(QString::fromLatin1(szObjectName));
  if (!szHint.isEmpty()) {
    action->setStatusTip(szHint);
    action->setToolTip(szHint);
  }
  // Each command is enabled once its handler exists.
  action->setEnabled(false);
  return action;
}

void TDlgSelect::CreateCommands()
{
  AM_Commands = new QObject(this);
  AM_Commands->setObjectName(QStringLiteral("AM_Commands"));
  ACF_New = AddCommand("ACF_New", QStringLiteral("New"), QStringLiteral("Creates a new Airwright project"));
  ACF_Open = AddCommand("ACF_Open", QStringLiteral("Open..."), QStringLiteral("Opens an Airwright project file"));
  ACF_Save = AddCommand("ACF_Save", QStringLiteral("Save..."), QStringLiteral("Saves an Airwright project file"));
  ACF_SaveAs = AddCommand("ACF_SaveAs", QStringLiteral("Save As..."), QStringLiteral("Saves the project under another name"));
  ACF_New->setShortcut(QKeySequence::New);
  ACF_Open->setShortcut(QKeySequence::Open);
  ACF_Save->setShortcut(QKeySequence::Save);
  ACF_SaveAs->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));
  addAction(ACF_SaveAs); // not on the tool bar: its shortcut works through the window
  ACF_Exit = AddCommand("ACF_Exit", QStringLiteral("Exit"), QStringLiteral("Quits the Airwright selection program"));
  ACF_Report = AddCommand("ACF_Report", QStringLiteral("Report..."),
                          QStringLiteral("Creates a report about the selected ventilation device"));
  ACT_BillOfMaterials = AddCommand("ACT_BillOfMaterials", QStringLiteral("Material List XML Export..."),
                                   QStringLiteral("Material List XML Export"));
  ACF_Distributor = AddCommand("ACF_Distributor", QStringLiteral("Distributor"),
                               QStringLiteral("Defines the distributor data"));
  ACF_Preferences = AddCommand("ACF_Preferences", QStringLiteral("Preferences"),
                               QStringLiteral("Defines the preferences"));
  ACH_About = AddCommand("ACH_About", QStringLiteral("About"), QString());
  ACF_Report->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
  ACF_Exit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
  ACH_About->setShortcut(QKeySequence(Qt::Key_F1));
  SetCommandIcons();
}

void TDlgSelect::ConnectCommands()
{
  const std::pair<QAction*, void (TDlgSelect::*)()> handlers[] = {
    {ACF_New, &TDlgSelect::ACF_NewExecute},   {ACF_Open, &TDlgSelect::ACF_OpenExecute},
    {ACF_Save, &TDlgSelect::ACF_SaveExecute}, {ACF_SaveAs, &TDlgSelect::ACF_SaveAsExecute},
    {ACF_Exit, &TDlgSelect::CloseProgram},
    {ACF_Preferences, &TDlgSelect::ACF_PreferencesExecute},
    {ACH_About, &TDlgSelect::ACH_AboutExecute},
    {ACF_Report, &TDlgSelect::ACF_ReportExecute},
    {ACF_Distributor, &TDlgSelect::ACF_DistributorExecute},
    {ACT_BillOfMaterials, &TDlgSelect::ACT_BillOfMaterialsExecute},
  };
  for (const auto& [action, handler] : handlers) {
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, handler);
  }
}

void TDlgSelect::CreateToolbar()
{
  Ctl_Toolbar = addToolBar(QStringLiteral("Commands"));
  Ctl_Toolbar->setObjectName(QStringLiteral("Ctl_Toolbar"));
  Ctl_Toolbar->setMovable(false);
  Ctl_Toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  for (QAction* action : {ACF_New, ACF_Open, ACF_Save, ACF_Exit, ACF_Report, ACT_BillOfMaterials, ACF_Distributor,
                          ACF_Preferences, ACH_About})
    Ctl_Toolbar->addAction(action);

  // The recent-file list fills this menu.
  Mnu_PopupReopen = new QMenu(this);
  Mnu_PopupReopen->setObjectName(QStringLiteral("Mnu_PopupReopen"));
  if (auto* openButton = qobject_cast<QToolButton*>(Ctl_Toolbar->widgetForAction(ACF_Open))) {
    openButton->setMenu(Mnu_PopupReopen);
    openButton->setPopupMode(QToolButton::MenuButtonPopup);
  }

  GiveToolButtonItsOwnHint(ACF_Save, QStringLiteral("Saves an Airwright project file"));
  GiveToolButtonItsOwnHint(ACF_Exit, QStringLiteral("Quits the Airwright  selection program"));
}

// A tool button copies its action's hint whenever the action changes (enabled,
// caption, ...), so the button's own hint is put back after every change.
void TDlgSelect::GiveToolButtonItsOwnHint(QAction* action, const QString& szHint)
{
  QWidget* button = Ctl_Toolbar->widgetForAction(action);
  if (!button)
    return;
  auto apply = [button, szHint] {
    button->setToolTip(szHint);
    button->setStatusTip(szHint);
  };
  apply();
  connect(action, &QAction::changed, button, apply);
}

void TDlgSelect::CentreOnScreen()
{
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen)
    return;
  const QRect area = screen->geometry();
  const int top = std::max(0, (area.height() - height()) / 2);
  const int left = (area.width() - width()) / 2;
  move(area.left() + left, area.top() + top);
}

void TDlgSelect::showEvent(QShowEvent* event)
{
  QMainWindow::showEvent(event);
  if (!v_startupScheduled) {
    v_startupScheduled = true;
    // Queued, so that the window is on screen before the start-up works and
    // an end of the program reaches a running event loop.
    QTimer::singleShot(0, this, &TDlgSelect::RunStartup);
  }
}

void TDlgSelect::RunStartup()
{
  if (v_startupFinished)
    return;
  v_startupScheduled = true;
  v_startupFinished = true;
  std::optional<int> stop =
    v_startup.Run([this](const StartupStage& stage, const std::string& szWhat) { ReportStartupFailure(stage, szWhat); });
  if (stop)
    emit StartupStopped(*stop);
}

void TDlgSelect::ReportStartupFailure(const StartupStage& stage, const std::string& szWhat)
{
  UserPrompts::Current().ShowMessage(QStringLiteral("Airwright cannot start: %1 failed (%2).")
                                       .arg(QString::fromStdString(stage.szName), QString::fromStdString(szWhat)));
}

void TDlgSelect::SetProjectStore(ProjectStore* store)
{
  v_projectStore = store ? store : v_ownStore.get();
}

void TDlgSelect::ShowPagesForFamily(int nFamilyCode)
{
  const CTFamilyTraits& traits = FamilyTraits(nFamilyCode);
  Ctl_Pages->setTabVisible(Ctl_Pages->indexOf(Tab_Efficiencies), traits.bExchanger);
  Ctl_Pages->setTabVisible(Ctl_Pages->indexOf(Tab_EffCorrect), traits.bExchanger);
  Ctl_Pages->setTabVisible(Ctl_Pages->indexOf(Tab_Configuration), traits.bConfigurationPage);
}

bool TDlgSelect::UnitSelected() const
{
  return v_model && v_model->CurrentBrisa();
}

void TDlgSelect::Ctl_PagesChange(int nIndex)
{
  v_psychroPage->PageShown(Ctl_Pages->widget(nIndex) == Tab_Psychrometrics);
  // Without a unit only the (empty) chart page can be shown.
  if (!FillPageContent(Ctl_Pages->widget(nIndex)))
    Ctl_Pages->setCurrentWidget(Tab_Selection);
}

bool TDlgSelect::FillPageContent(QWidget* page)
{
  if (page == Tab_Psychrometrics) // with or without a unit (then an empty chart)
    v_psychroPage->RebuildPsychroChart();
  if (UnitSelected()) {
    if (page == Tab_Results)
      v_resultsPage->FillOptions();
    else if (page == Tab_Database)
      v_databasePage->FillDatabasePage(GetUnitDataSheet(*v_model->CurrentBrisa()));
    else
      RefreshDrawings();
    return true;
  }
  return page == Tab_Selection || page == Tab_Psychrometrics;
}

QString TDlgSelect::ProjectFolder() const
{
  // The project folder of the preferences, when it names an existing folder.
  return QString::fromStdString(ExistingFolder(CurrentPreferences().szProjectPath));
}

QString TDlgSelect::ReportFolder() const
{
  return QString::fromStdString(ExistingFolder(CurrentPreferences().szReportPath));
}

bool TDlgSelect::SaveTo(const QString& szFileName)
{
  if (!v_projectStore->SaveProject(szFileName))
    return false;
  SetProjectFileName(szFileName);
  SetChanged(false);
  RememberRecentFile(szFileName);
  return true;
}

bool TDlgSelect::OpenProjectFile(const QString& szFileName)
{
  Ctl_Pages->setCurrentWidget(Tab_Selection);
  if (!v_projectStore->OpenProject(szFileName))
    return false;
  SetProjectFileName(szFileName);
  SetChanged(false);
  RememberRecentFile(szFileName);
  return true;
}

bool TDlgSelect::SaveProjectAs()
{
  FileRequest request;
  request.parent = this;
  request.szTitle = QStringLiteral("Enter a file name to save the current Airwright data");
  request.szFilter = kSaveFilter;
  request.szDefaultExtension = QStringLiteral("awr");
  request.szFolder = ProjectFolder();
  request.szFileName = GetProjectFileName();
  const QString file = UserPrompts::Current().ChooseSaveFile(request);
  return !file.isEmpty() && SaveTo(file);
}

bool TDlgSelect::SaveCurrentProject()
{
  return GetProjectFileName().isEmpty() ? SaveProjectAs() : SaveTo(GetProjectFileName());
}

bool TDlgSelect::AskSaveChanges()
{
  if (!v_dataHaveChanged)
    return true;
  // With Cancel, as on closing: Escape answers Cancel and stops the command,
  // so that a reflexive Escape never counts as No and loses the work.
  const int answer = TBaseMsg::DisplayQuestion(this, i18n::kMsgProjectNotSaved,
                                               {DialogButton::Yes, DialogButton::No, DialogButton::Cancel});
  if (answer == i18n::Info(DialogButton::No).nReturnCode)
    return true;
  // Yes: go on only when the project was saved, so that no answer loses it.
  return answer == i18n::Info(DialogButton::Yes).nReturnCode && SaveCurrentProject();
}

void TDlgSelect::ACF_NewExecute()
{
  if (!AskSaveChanges())
    return;
  SetProjectFileName(QString());
  Ctl_Pages->setCurrentWidget(Tab_Selection);
  Ctl_Pages->setFocus(Qt::OtherFocusReason);
  InitialiseInputs();
  v_projectStore->InitialiseInputs();
  SetChanged(false);
  v_recentFiles->UpdateMenu();
}

void TDlgSelect::ACF_OpenExecute()
{
  if (!AskSaveChanges())
    return;
  FileRequest request;
  request.parent = this;
  request.szTitle = QStringLiteral("Enter a file name to load project data from");
  request.szFilter = kOpenFilter;
  request.szDefaultExtension = QStringLiteral("awr");
  request.szFolder = ProjectFolder();
  const QString file = UserPrompts::Current().ChooseOpenFile(request);
  if (!file.isEmpty())
    OpenProjectFile(file);
}

// Save keeps the project's file when it has one; Save As always asks.
void TDlgSelect::ACF_SaveExecute()
{
  SaveCurrentProject();
}

void TDlgSelect::ACF_SaveAsExecute()
{
  SaveProjectAs();
}

void TDlgSelect::SetProjectFileName(const QString& szFileName)
{
  v_projectFileName = szFileName;
  UpdateCaption();
}

void TDlgSelect::SetChanged(bool bChanged)
{
  v_dataHaveChanged = bChanged;
  setWindowModified(bChanged);
  if (bChanged)
    RefreshDrawings();
}

void TDlgSelect::RefreshDrawings()
{
  for (TDrawingBox* box : std::initializer_list<TDrawingBox*>{PB_ESPGraph, PB_EffGraph, PB_EffCorrect, PB_Configuration})
    if (box)
      box->Invalidate();
}

void TDlgSelect::UpdateCaption()
{
  const QString caption = v_caption.isEmpty() ? QStringLiteral("Airwright") : v_caption;
  // "[*]" is where the desktop marks unsaved changes.
  setWindowTitle(v_projectFileName.isEmpty()
                   ? caption + QStringLiteral("[*]")
                   : QFileInfo(v_projectFileName).fileName() + QStringLiteral("[*] - ") + caption);
}

void TDlgSelect::ACF_PreferencesExecute()
{
  // The dialog's units take effect one group after the other; the window
  // follows once, after all of them.
  v_converting = true;
  TFrm_Preferences dialog(this, platform::SettingsStore::User());
  const int code = dialog.Execute();
  v_converting = false;
  if (code == i18n::kReturnOK)
    UnitsChanged();
}

void TDlgSelect::ACH_AboutExecute()
{
  const std::string text = AboutText(i18n::GetUnicodeString(i18n::kMsgProgramName), v_databaseVersion.toStdString(),
                                     CTVersionUtils::ConfigurationName());
  UserPrompts::Current().ShowPlainDialog(this, QStringLiteral("About"), QString::fromStdString(text));
}

bool TDlgSelect::ConfirmClose()
{
  if (!v_dataHaveChanged)
    return true;
  const int answer = TBaseMsg::DisplayQuestion(this, i18n::kMsgProjectNotSaved,
                                               {DialogButton::Yes, DialogButton::No, DialogButton::Cancel});
  if (answer == i18n::Info(DialogButton::Yes).nReturnCode)
    return SaveCurrentProject(); // a save that was cancelled or failed keeps the window open
  return answer == i18n::Info(DialogButton::No).nReturnCode;
}

void TDlgSelect::CloseProgram()
{
  if (!ConfirmClose())
    return;
  // Only now that the close is confirmed may the window give up its glossary
  // and its recent-file menu.
  v_closeConfirmed = true;
  close();
}

void TDlgSelect::closeEvent(QCloseEvent* event)
{
  // A close request of the window frame asks as Exit does (Qt ignores a
  // close() from inside this handler, so the answer decides here).
  if (!v_closeConfirmed && !ConfirmClose()) {
    event->ignore();
    return;
  }
  v_closeConfirmed = true;
  event->accept();
}

namespace {

// FOLDER/NN-NAME.png of the widget as it is painted.
bool SavePicture(QWidget& widget, const QString& szFolder, int nNumber, const QString& szName)
{
  const QString file =
    QDir(szFolder).filePath(QStringLiteral("%1-%2.png").arg(nNumber, 2, 10, QLatin1Char('0')).arg(szName));
  if (widget.grab().save(file, "PNG"))
    return true;
  std::cerr << "airwright: cannot write " << file.toStdString() << "\n";
  return false;
}

} // namespace

bool TDlgSelect::SaveScreenshots(const QString& szFolder)
{
  if (!QDir().mkpath(szFolder)) {
    std::cerr << "airwright: cannot create the folder " << szFolder.toStdString() << "\n";
    return false;
  }
  const int current = Ctl_Pages->currentIndex();
  bool ok = true;
  int number = 0;
  for (int i = 0; i < Ctl_Pages->count(); ++i) {
    if (!Ctl_Pages->isTabVisible(i))
      continue;
    // Each page is filled as a page change fills it, but shown even without
    // a unit: the picture then shows what the page holds without one.
    {
      const QSignalBlocker blocker(Ctl_Pages);
      Ctl_Pages->setCurrentIndex(i);
    }
    FillPageContent(Ctl_Pages->widget(i));
    // Each nested layout asks its parent to lay out again in an event of its
    // own: a few rounds let the filled texts reach the page's geometry.
    for (int round = 0; round < 4; ++round)
      QApplication::processEvents();
    ok = SavePicture(*this, szFolder, ++number, Ctl_Pages->widget(i)->objectName()) && ok;
  }
  {
    const QSignalBlocker blocker(Ctl_Pages);
    Ctl_Pages->setCurrentIndex(current);
  }
  return SaveDialogScreenshots(szFolder, number) && ok;
}

bool TDlgSelect::SaveDialogScreenshots(const QString& szFolder, int nNumber)
{
  // The Preferences dialog as the command shows it, each page; it closes without storing.
  TFrm_Preferences dialog(this, platform::SettingsStore::User());
  dialog.Loaded();
  dialog.show();
  bool ok = true;
  for (int i = 0; i < dialog.Pages()->count(); ++i) {
    dialog.Pages()->setCurrentIndex(i);
    for (int round = 0; round < 4; ++round)
      QApplication::processEvents();
    ok = SavePicture(dialog, szFolder, ++nNumber, dialog.objectName() + "-" + dialog.Pages()->widget(i)->objectName()) &&
         ok;
  }
  dialog.Btn_CancelClick();

  // The floating configuration window over the chart page.
  v_psychroPage->Btn_ConfigurationClick();
  TFrm_Configuration* config = v_psychroPage->ConfigurationWindow();
  for (int round = 0; round < 4; ++round)
    QApplication::processEvents();
  ok = SavePicture(*config, szFolder, ++nNumber, config->objectName()) && ok;
  config->close();
  return ok;
}

} // namespace aw::app
