#include "app/DlgSelect.h"

#include "app/UserPrompts.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace aw::app {
namespace {

QWidget* AddPage(QTabWidget* pages, const char* szObjectName, const QString& szCaption)
{
  auto* page = new QWidget(pages);
  page->setObjectName(QString::fromLatin1(szObjectName));
  pages->addTab(page, szCaption);
  return page;
}

} // namespace

TDlgSelect::TDlgSelect(QStringList arguments, QWidget* parent)
  : QMainWindow(parent), v_arguments(std::move(arguments))
{
  setObjectName(QStringLiteral("TDlgSelect"));
  setWindowTitle(QStringLiteral("Airwright"));
  CreatePages();
  CreateCommands();
  CreateToolbar();
  statusBar()->setObjectName(QStringLiteral("Ctl_StatusBar"));

  // The interface glossary and the moist-air calculator join here with
  // translation and the air properties.
  v_dataHaveChanged = false;
  resize(1024, 720);
  CentreOnScreen();
  BuildStartupSequence();
}

TDlgSelect::~TDlgSelect() = default;

void TDlgSelect::CreatePages()
{
  Ctl_Pages = new QTabWidget(this);
  Ctl_Pages->setObjectName(QStringLiteral("Ctl_Pages"));
  Tab_Selection = AddPage(Ctl_Pages, "Tab_Selection", QStringLiteral("Selection"));
  Tab_Psychrometrics = AddPage(Ctl_Pages, "Tab_Psychrometrics", QStringLiteral("Psychrometrics"));
  Tab_Results = AddPage(Ctl_Pages, "Tab_Results", QStringLiteral("Results"));
  Tab_Database = AddPage(Ctl_Pages, "Tab_Database", QStringLiteral("Database"));
  Tab_Fan = AddPage(Ctl_Pages, "Tab_Fan", QStringLiteral("Fan Characteristics"));
  Tab_Efficiencies = AddPage(Ctl_Pages, "Tab_Efficiencies", QStringLiteral("Exchange Efficiencies"));
  Tab_EffCorrect = AddPage(Ctl_Pages, "Tab_EffCorrect", QStringLiteral("Efficiency Corrections"));
  Tab_Configuration = AddPage(Ctl_Pages, "Tab_Configuration", QStringLiteral("Configuration"));
  setCentralWidget(Ctl_Pages);
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
  ACF_Open = AddCommand("ACF_Open", QStringLiteral("Open..."), QStringLiteral("Opens a Airwright project file"));
  ACF_Save = AddCommand("ACF_Save", QStringLiteral("Save..."), QStringLiteral("Saves a VAirwright project file"));
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

  ACF_Exit->setEnabled(true);
  connect(ACF_Exit, &QAction::triggered, this, &TDlgSelect::CloseProgram);
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

  GiveToolButtonItsOwnHint(ACF_Save, QStringLiteral("Saves a Airwright project file"));
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

void TDlgSelect::CloseProgram()
{
  close();
}

} // namespace aw::app
