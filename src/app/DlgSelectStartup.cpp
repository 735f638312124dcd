// The start-up sequence of the main window, in the order the program starts.
// Each row names the module that does the work; a module that is not built yet
// is StartupSequence::Pending. When a module arrives, its row calls it in place.

#include "app/DlgSelect.h"

#include "air/ValueFormatting.h"

#include "app/BaseMsgDialog.h"
#include "catalogue/CatalogueSession.h"
#include "catalogue/ClDdbVersionInfo.h"
#include "db/DbObject.h"
#include "engine/EngineFactory.h"
#include "engine/Preferences.h"

#include "air/SI_Units.h"
#include "app/BasicDialog.h"
#include "app/FrameBottomPanelExt.h"
#include "app/InterfaceLanguage.h"
#include "app/ProjectStore.h"
#include "i18n/MainWindowRules.h"
#include "app/SelectionPage.h"
#include "app/Uninstall.h"
#include "foundation/VersionInfo.h"
#include "i18n/BaseMsgMan.h"
#include "i18n/MessageTexts.h"
#include "platform/DesktopIntegration.h"
#include "platform/SettingsStore.h"
#include "platform/UserFolders.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include <iostream>

namespace aw::app {

namespace {

// Best effort: the program works without its desktop entry and file type.
StageResult RegisterOnDesktop()
{
  const platform::DesktopRegistration registration =
    platform::RegisterForUser(platform::DataHome(), platform::RunningProgramFile());
  for (const std::string& szProblem : registration.problems)
    std::cerr << "airwright: desktop integration: " << szProblem << '\n';
  return StageResult::Continue();
}

} // namespace

void TDlgSelect::BuildStartupSequence()
{
  using S = StartupSequence;
  StartupSequence& s = v_startup;

  // Desktop integration. An uninstall ends the program, whatever the answer.
  s.Add(1, "uninstall request", "desktop integration", [this] {
    if (!IsUninstallRequest(v_arguments))
      return StageResult::Continue();
    RunUninstall(this, platform::DataHome(), platform::RunningProgramFile());
    return StageResult::Stop(0);
  });
  // A deleting copy of an uninstall is never started on this platform, and
  // the program entry refuses its arguments.
  s.Add(2, "self-deletion of an uninstall", "desktop integration", [] { return StageResult::Continue(); });
  s.Add(3, "project file type", "desktop integration", [] { return RegisterOnDesktop(); });
  // The desktop entry written with the file type is the program's menu entry.
  s.Add(4, "program-group shortcuts", "desktop integration", [] { return StageResult::Continue(); });
  // The package manager removes an installed package; a program run from
  // elsewhere is removed with "--uninstall" (step 1). No other entry is written.
  s.Add(5, "uninstall entry", "desktop integration", [] { return StageResult::Continue(); });
  s.Add(6, "translation hook, fonts and hints", "message dialogs", [this] { return PrepareDialogs(); });

  // The catalogue.
  s.Add(7, "database engines", "object database", [] {
    // The object database's messages (a missing or damaged catalogue, ...) are error dialogs.
    CTDbObject::SetMessageSink([](const CTFormResource*, int nMsgNo, const std::string& szParam) {
      TBaseMsg::DisplayError(nullptr, nMsgNo, {szParam});
    });
    CTCatalogueSession::PrepareObjectDatabase();
    return StageResult::Continue();
  });
  s.Add(8, "catalogue factory", "device catalogue", [this] {
    // The engine's factory, so that the units carry their performance model.
    v_catalogue = std::make_unique<CTCatalogueSession>(v_catalogueSource, CTCatalogueLoadOptions{},
                                                       std::make_unique<CTEngineFactory>());
    return StageResult::Continue();
  });
  s.Add(9, "catalogue glossary", "translation", [this] {
    AttachCatalogueGlossary(v_catalogue->Factory());
    return StageResult::Continue();
  });
  // The settings roots are constants (platform/SettingsRoots.h), there before any stage.
  s.Add(10, "settings roots", "settings store", [] { return StageResult::Continue(); });
  // Cancelling the locale choice ends the program as the user's choice (exit code 0).
  s.Add(11, "locale check", "languages and countries", [this] {
    const QString title = QString::fromStdString(i18n::GetUnicodeString(i18n::kMsgProgramName));
    return CheckDefaultLocale(this, v_catalogue->Factory(), title) ? StageResult::Continue() : StageResult::Stop(0);
  });
  // A catalogue that cannot be loaded, has another structure or no units is
  // a failure of the program's installation: its message is shown, the
  // program ends with 1.
  s.Add(12, "catalogue connection", "object database", [this] {
    return v_catalogue->Connect() ? StageResult::Continue() : RefuseCatalogue();
  });
  // The online services have no subsystem on this platform: their configuration
  // check and the disclaimer pass.
  s.Add(13, "online-services configuration check", "online services", [] { return StageResult::Continue(); });
  s.Add(14, "database version check", "device catalogue", [this] {
    if (!v_catalogue->CheckVersion(false) || !v_catalogue->CheckHasUnits())
      return RefuseCatalogue();
    WarnAboutLeftOut();
    return StageResult::Continue();
  });
  s.Add(15, "run identifier", "device catalogue", [this] {
    SetDatabaseVersion(QString::fromStdString(Cls_DdbVersionInfo::GetKorvathVersion(&v_catalogue->Factory())));
    return StageResult::Continue();
  });
  s.Add(16, "online-services start-up and disclaimer", "online services", [] { return StageResult::Continue(); });

  // The window and the units.
  s.Add(17, "window size", "main window", [this] { return FitWindowSize(); });
  s.Add(18, "imperial units", "units of measure", [this] { return AddImperialUnits(); });
  s.Add(19, "graph and chart reset", "graph pages", [] { return S::Pending(); });
  s.Add(20, "window caption", "main window", [this] { return SetCaption(); });
  s.Add(21, "filter lists", "input panels", [this] {
    v_selectionPage->FillFilterLists();
    return StageResult::Continue();
  });

  // The catalogue's lists and the first selection.
  // The current unit and the air states belong to the selection model, which
  // starts without them.
  s.Add(22, "current unit and air states", "selection", [] { return StageResult::Continue(); });
  s.Add(23, "units and family list", "selection", [this] { return ReadUnitsAndFamilies(); });
  s.Add(24, "documentation and option lists", "device catalogue", [] { return S::Pending(); });
  s.Add(25, "family cache", "device catalogue", [] { return S::Pending(); });
  s.Add(26, "preferences", "preferences", [] {
    ReadPreferences(platform::SettingsStore::User(), CTVersionUtils::HaldenServerID());
    return StageResult::Continue();
  });
  s.Add(27, "enthalpy offset", "main window", [this] { return SetDeltaEnthalpy(); });
  s.Add(28, "inputs and first selection", "selection", [this] { return InitialiseSelection(); });
  s.Add(29, "ratio correction", "ratio corrections", [] { return S::Pending(); });
  s.Add(30, "efficiency-correction graph", "graph pages", [] { return S::Pending(); });
  s.Add(31, "recent-file list", "recent files", [] { return S::Pending(); });
  s.Add(32, "project named on the command line", "project files", [this] { return OpenProjectOfArguments(); });
  s.Add(33, "standards notice", "reports", [] { return S::Pending(); });
  s.Add(34, "page layout", "main window", [] { return S::Pending(); });
  s.Add(35, "project unchanged", "main window", [this] {
    SetChanged(false);
    return StageResult::Continue();
  });
}

StageResult TDlgSelect::OpenProjectOfArguments()
{
  // A file that cannot be read has shown its message; the program goes on without it.
  if (v_arguments.isEmpty() || !QFileInfo(v_arguments.first()).isFile())
    return StageResult::Continue();
  OpenProjectFile(v_arguments.first());
  return StageResult::Continue();
}

StageResult TDlgSelect::RefuseCatalogue()
{
  // The catalogue the program carries is named by its numbered message; a
  // catalogue file by the session's one line with the file and the place.
  const CTCatalogueError& error = *v_catalogue->Error();
  if (v_catalogue->Source().IsEmbedded())
    TBaseMsg::DisplayError(nullptr, error.msgNo, {error.msgParam});
  else
    TBaseMsg::DisplayError(nullptr, QString::fromStdString(error.Text()));
  return StageResult::Stop(1);
}

void TDlgSelect::WarnAboutLeftOut()
{
  // A catalogue the auto-correcting load had to repair is usable, but the
  // engineer must know that units or options may be missing from it.
  const CTEdiReadReport& report = v_catalogue->ReadReport();
  if (report.ChangedAnything())
    TBaseMsg::DisplayWarning(nullptr, kMsgCatalogueReadInPart,
                             {v_catalogue->Source().DisplayName(), CTCatalogueSession::DescribeLeftOut(report)});
}

StageResult TDlgSelect::PrepareDialogs()
{
  TBasicDialog::CallLoadedHook(this);
  TFraBottomPanelExt::SetCtlBarSysFont(false);
  TBasicDialog::InitMouseHints(this);
  TBasicDialog::AdaptFormToAvailableWorkArea(this);
  return StageResult::Continue();
}

StageResult TDlgSelect::FitWindowSize()
{
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (!screen)
    return StageResult::Continue();
  const QSize area = screen->geometry().size();
  const QSize work = screen->availableGeometry().size();
  const QSize frame = frameGeometry().size();
  if (const std::optional<WindowSize> size = StartupWindowSize(
        {frame.width(), frame.height()}, {area.width(), area.height()}, {work.width(), work.height()})) {
    resize(size->nWidth - (frame.width() - width()), size->nHeight - (frame.height() - height()));
    if (size->nWidth == work.width() && size->nHeight == work.height())
      move(screen->availableGeometry().topLeft());
  }
  TBasicDialog::AdaptFormToAvailableWorkArea(this);
  return StageResult::Continue();
}

StageResult TDlgSelect::AddImperialUnits()
{
  v_converting = true;
  // From the built-in units, so that a second window of the same process
  // (the tests) does not add the imperial units twice.
  TU_Form::InitializeUnits();
  TU_Form::AddImperialUnits();
  v_converting = false;
  v_setPrintOptions = true;
  return StageResult::Continue();
}

StageResult TDlgSelect::SetCaption()
{
  const std::string title = i18n::GetUnicodeString(i18n::kMsgProgramName);
  v_caption = QString::fromStdString(
    MainWindowCaption(title, v_databaseVersion.toStdString(), CTVersionUtils::ConfigurationName()));
  UpdateCaption();
  // The application title with the version is not given to Qt: as display
  // name it would be appended to every window caption by the desktop.
  return StageResult::Continue();
}

StageResult TDlgSelect::SetDeltaEnthalpy()
{
  v_deltaEnthalpy = aw::DeltaEnthalpy(TU_Form::GetNewIndex(U_Temperature));
  return StageResult::Continue();
}

} // namespace aw::app
