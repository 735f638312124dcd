// The main window's document commands: the report of the selected unit and
// the distributor data it prints.

#include "app/DlgSelect.h"

#include "app/BaseMsgDialog.h"
#include "app/DlgPrintParams.h"
#include "app/ResultsPage.h"
#include "app/UserPrompts.h"
#include "engine/SelectionModel.h"
#include "platform/SettingsStore.h"
#include "render/SelectionReportFile.h"

namespace aw::app {

void TDlgSelect::ACF_ReportExecute()
{
  if (!AskSaveChanges() || !UnitSelected())
    return;
  FileRequest request;
  request.parent = this;
  request.szTitle = QStringLiteral("Report...");
  request.szFilter = QStringLiteral("Report files (*.rtf)|*.rtf|All files (*.*)|*.*");
  request.szDefaultExtension = QStringLiteral("rtf");
  request.szFolder = ReportFolder();
  const QString file = UserPrompts::Current().ChooseSaveFile(request);
  if (file.isEmpty())
    return;
  v_resultsPage->FillOptions(); // the options the report lists are those of the Results page
  const auto distributor = TDlgPrintParams::Settings(platform::SettingsStore::User());
  if (const auto error = render::SaveSelectionReport(*v_model, distributor, file.toStdString())) {
    TBaseMsg::DisplayError(this, error->nMsgNo, {error->szFileName});
    return;
  }
  UserPrompts::Current().OpenWithApplication(file);
}

void TDlgSelect::ACF_DistributorExecute()
{
  TDlgPrintParams dialog(this, platform::SettingsStore::User());
  dialog.Execute();
}

} // namespace aw::app
