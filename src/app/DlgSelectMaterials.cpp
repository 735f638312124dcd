// The main window's material-list command.

#include "app/BaseMsgDialog.h"
#include "app/DlgSelect.h"
#include "app/ResultsPage.h"
#include "app/UserPrompts.h"
#include "docs/MaterialList.h"
#include "docs/XMLMatListSettings.h"

namespace aw::app {

void TDlgSelect::ACT_BillOfMaterialsExecute()
{
  if (!AskSaveChanges() || !UnitSelected())
    return;
  FileRequest request;
  request.parent = this;
  request.szTitle = QStringLiteral("Material List XML Export");
  request.szFilter = QStringLiteral("XML Spreadsheet 2003 files (*.xml)|*.xml|All files (*.*)|*.*");
  request.szDefaultExtension = QStringLiteral("xml");
  request.szFolder = ReportFolder();
  const QString file = UserPrompts::Current().ChooseSaveFile(request);
  if (file.isEmpty())
    return;
  // The list shows the options as the Results page lists them.
  v_resultsPage->FillOptions();
  docs::CTXMLMatListSettings& settings = docs::CTXMLMatListSettings::Current();
  settings.ReadFromRegistry("");
  if (const auto error = docs::SaveMaterialList(file.toStdString(), docs::MaterialListItems(*v_model),
                                                       settings.SectionHeader())) {
    TBaseMsg::DisplayError(this, error->nMsgNo, {error->szFileName});
    return;
  }
  UserPrompts::Current().OpenWithApplication(file);
}

} // namespace aw::app
