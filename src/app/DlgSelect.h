#pragma once
// The main window: the pages of the selection and its results, the commands
// on the tool bar, and the start-up sequence that runs when it is first shown.

#include "app/StartupSequence.h"
#include "catalogue/CatalogueSession.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>

namespace aw {
class CTSelectionModel;
}

class QAction;
class QCloseEvent;
class QMenu;
class QTabWidget;
class QToolBar;

namespace aw::app {

class ProjectStore;
class TRecentFilesMenu;
class TConfigurationBox;
class TDrawingBox;
class TFraDatabasePage;
class TGraphBox;
class TFraPsychroPage;
class TFraResultsPage;
class TFraSelectionPage;

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
  // Where start-up reads the catalogue from (the one the program carries
  // unless set); set before the start-up runs.
  void UseCatalogueSource(CTCatalogueSource source) { v_catalogueSource = std::move(source); }

  // The project commands' store of inputs; the window keeps using it until
  // another is set (none: the window's own, which cannot save yet).
  void SetProjectStore(ProjectStore* store);
  QString GetProjectFileName() const { return v_projectFileName; }
  // The caption names the project's file.
  void SetProjectFileName(const QString& szFileName);
  bool DataHaveChanged() const { return v_dataHaveChanged; }
  // Every change of an input, the family, a recalculation choice or the options.
  void SetDataHaveChanged() { SetChanged(true); }
  // The catalogue's version text, for the caption and About.
  void SetDatabaseVersion(const QString& szVersion) { v_databaseVersion = szVersion; }
  double DeltaEnthalpy() const { return v_deltaEnthalpy; }

  // Shows the pages of a device family (codes as GetType of the unit).
  void ShowPagesForFamily(int nFamilyCode);
  // Whether a unit is selected in the list of offered units.
  bool UnitSelected() const;
  TFraDatabasePage* DatabasePage() const { return v_databasePage; }
  TFraPsychroPage* PsychroPage() const { return v_psychroPage; }
  TFraSelectionPage* SelectionPage() const { return v_selectionPage; }
  TFraResultsPage* ResultsPage() const { return v_resultsPage; }
  TGraphBox* FanGraph() const { return PB_ESPGraph; }
  TGraphBox* EfficiencyGraph() const { return PB_EffGraph; }
  TGraphBox* CorrectionGraph() const { return PB_EffCorrect; }
  TConfigurationBox* ConfigurationBox() const { return PB_Configuration; }
  // The selection the pages show; none before the catalogue's units are read.
  CTSelectionModel* Model() const { return v_model.get(); }
  // The inputs back to their defaults with a first selection (start-up and New).
  void InitialiseInputs();
  // Shows the model anew on every page (after New or Open).
  void ShowSelection();

  // The tool-bar commands.
  void ACF_NewExecute();
  void ACF_OpenExecute();
  void ACF_SaveExecute();
  void ACF_SaveAsExecute();
  void ACH_AboutExecute();
  // The report of the selected unit (after the unsaved-project question), opened afterwards.
  void ACF_ReportExecute();
  // The distributor data of the reports.
  void ACF_DistributorExecute();
  // Writes the selected unit's material list as a spreadsheet and opens it.
  void ACT_BillOfMaterialsExecute();
  // Runs the Preferences dialog; after OK the window shows the new units and chart.
  void ACF_PreferencesExecute();
  // Runs the save question and closes the window unless the user keeps it.
  void CloseProgram();

  // Shows every visible page in turn and saves it as a PNG in the folder:
  // "01-Tab_Selection.png", ..., then the pages of the Preferences dialog
  // ("07-TFrm_Preferences-Tab_Units.png", ...). Answers false (after saying why on standard
  // error) when a picture could not be written.
  bool SaveScreenshots(const QString& szFolder);

signals:
  // A start-up stage ended the program; the event loop should end with this code.
  void StartupStopped(int nExitCode);

protected:
  void showEvent(QShowEvent* event) override;
  // A close request of the window frame runs CloseProgram.
  void closeEvent(QCloseEvent* event) override;

private:
  bool SaveDialogScreenshots(const QString& szFolder, int nNumber);
  void CreatePages();
  void CreateCommands();
  void CreateToolbar();
  // The menu bar over the same commands; the recent-file menu is shared with
  // the tool bar's Open button.
  void CreateMenuBar();
  void SetCommandIcons();
  void CreateRecentFilesMenu();
  QAction* AddCommand(const char* szObjectName, const QString& szCaption, const QString& szHint);
  void GiveToolButtonItsOwnHint(QAction* action, const QString& szHint);
  void CentreOnScreen();
  void BuildStartupSequence();
  void ReportStartupFailure(const StartupStage& stage, const std::string& szWhat);
  void ConnectCommands();

  // The start-up stages that belong to the window itself.
  StageResult PrepareDialogs();
  StageResult FitWindowSize();
  StageResult AddImperialUnits();
  StageResult SetCaption();
  StageResult SetDeltaEnthalpy();
  StageResult ReadUnitsAndFamilies();
  StageResult InitialiseSelection();
  StageResult OpenProjectOfArguments();
  // Shows why the catalogue cannot be used and stops the program with 1.
  StageResult RefuseCatalogue();
  // Says what the load left out of the catalogue, when it left out anything.
  void WarnAboutLeftOut();
  void SetChanged(bool bChanged);
  // The graphs and the configuration drawing show the selection anew.
  void RefreshDrawings();
  void UpdateCaption();

  // After each change the user made on the Selection page.
  void SelectionChanged();
  // The unit in effect of a dimension changed: every input and result is shown anew.
  void UnitsChanged();
  void ListenToUnitChanges();
  void StopListeningToUnitChanges();

  // Asks message 74 with Yes, No and Cancel when there are unsaved changes;
  // false when the user cancelled, or asked to save and the project was not saved.
  bool AskSaveChanges();
  // Asks message 74 with Yes, No and Cancel when there are unsaved changes;
  // true when the window may close.
  bool ConfirmClose();
  // Saves to the project's file, or through the save dialog when it has none.
  bool SaveCurrentProject();
  bool SaveProjectAs();
  bool SaveTo(const QString& szFileName);
  // Opens a project file (its message shown on failure) and lists it as recent.
  bool OpenProjectFile(const QString& szFileName);
  // The file goes to the top of the recent list; the menu shows the others.
  void RememberRecentFile(const QString& szFileName);
  // An entry of the recent-file menu was chosen.
  void RecentFileClick(const QString& szFileName);
  QString ProjectFolder() const;
  QString ReportFolder() const;
  void Ctl_PagesChange(int nIndex);
  // Builds what a page shows, as changing to it does; false when the page has
  // nothing to show without a selected unit.
  bool FillPageContent(QWidget* page);

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
  QAction* ACF_SaveAs = nullptr;
  QAction* ACF_Exit = nullptr;
  QAction* ACF_Report = nullptr;
  QAction* ACT_BillOfMaterials = nullptr;
  QAction* ACF_Distributor = nullptr;
  QAction* ACF_Preferences = nullptr;
  QAction* ACH_About = nullptr;
  QToolBar* Ctl_Toolbar = nullptr;
  QMenu* Mnu_PopupReopen = nullptr;
  TRecentFilesMenu* v_recentFiles = nullptr;

  TFraDatabasePage* v_databasePage = nullptr;
  TFraPsychroPage* v_psychroPage = nullptr;
  TFraSelectionPage* v_selectionPage = nullptr;
  TFraResultsPage* v_resultsPage = nullptr;
  TGraphBox* PB_ESPGraph = nullptr;
  TGraphBox* PB_EffGraph = nullptr;
  TGraphBox* PB_EffCorrect = nullptr;
  TConfigurationBox* PB_Configuration = nullptr;

  QStringList v_arguments;
  // The project has unsaved changes.
  bool v_dataHaveChanged = false;
  // The user confirmed the close; the next close request goes through.
  bool v_closeConfirmed = false;
  bool v_setPrintOptions = false;
  bool v_converting = false;
  double v_deltaEnthalpy = 0; // kJ/kg
  QString v_projectFileName;
  QString v_databaseVersion;
  QString v_caption; // without the project's file
  std::unique_ptr<ProjectStore> v_ownStore;
  CTCatalogueSource v_catalogueSource = CTCatalogueSource::Embedded();
  std::unique_ptr<CTCatalogueSession> v_catalogue; // the device catalogue, from start-up stage 8 on
  std::unique_ptr<CTSelectionModel> v_model;        // from start-up stage 23 on; uses the catalogue
  bool v_pagesBound = false;
  ProjectStore* v_projectStore = nullptr;

  StartupSequence v_startup;
  bool v_startupScheduled = false;
  bool v_startupFinished = false;
};

} // namespace aw::app
