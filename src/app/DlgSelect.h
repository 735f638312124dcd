#pragma once
// The main window: the pages of the selection and its results, the commands
// on the tool bar, and the start-up sequence that runs when it is first shown.

#include "app/StartupSequence.h"

#include <QMainWindow>
#include <QStringList>

class QAction;
class QMenu;
class QTabWidget;
class QToolBar;

namespace aw::app {

class TDlgSelect : public QMainWindow
{
  Q_OBJECT

public:
  // arguments: the program's command-line arguments without the program name.
  explicit TDlgSelect(QStringList arguments = {}, QWidget* parent = nullptr);
  ~TDlgSelect() override;

  const StartupSequence& Startup() const { return v_startup; }
  bool StartupFinished() const { return v_startupFinished; }
  // Runs the start-up sequence unless it has run; the first show of the
  // window calls it through the event loop.
  void RunStartup();

signals:
  // A start-up stage ended the program; the event loop should end with this code.
  void StartupStopped(int nExitCode);

protected:
  void showEvent(QShowEvent* event) override;

private:
  void CreatePages();
  void CreateCommands();
  void CreateToolbar();
  QAction* AddCommand(const char* szObjectName, const QString& szCaption, const QString& szHint);
  void GiveToolButtonItsOwnHint(QAction* action, const QString& szHint);
  void CentreOnScreen();
  void BuildStartupSequence();
  void ReportStartupFailure(const StartupStage& stage, const std::string& szWhat);

  // Closes the window (the save question joins with the project files).
  void CloseProgram();

  QTabWidget* Ctl_Pages = nullptr;
  QWidget* Tab_Selection = nullptr;
  QWidget* Tab_Psychrometrics = nullptr;
  QWidget* Tab_Results = nullptr;
  QWidget* Tab_Database = nullptr;
  QWidget* Tab_Fan = nullptr;
  QWidget* Tab_Efficiencies = nullptr;
  QWidget* Tab_EffCorrect = nullptr;
  QWidget* Tab_Configuration = nullptr;

  QObject* AM_Commands = nullptr;
  QAction* ACF_New = nullptr;
  QAction* ACF_Open = nullptr;
  QAction* ACF_Save = nullptr;
  QAction* ACF_Exit = nullptr;
  QAction* ACF_Report = nullptr;
  QAction* ACT_BillOfMaterials = nullptr;
  QAction* ACF_Distributor = nullptr;
  QAction* ACF_Preferences = nullptr;
  QAction* ACH_About = nullptr;
  QToolBar* Ctl_Toolbar = nullptr;
  QMenu* Mnu_PopupReopen = nullptr;

  QStringList v_arguments;
  // The project has unsaved changes.
  bool v_dataHaveChanged = false;

  StartupSequence v_startup;
  bool v_startupScheduled = false;
  bool v_startupFinished = false;
};

} // namespace aw::app
