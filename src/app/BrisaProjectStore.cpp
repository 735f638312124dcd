#include "app/BrisaProjectStore.h"

#include "app/BaseMsgDialog.h"
#include "app/DlgSelect.h"
#include "engine/SelectionModel.h"
#include "engine/SelectionProject.h"

namespace aw::app {

namespace {

bool Failed(TDlgSelect& window, const std::optional<CTProjectFileMessage>& failure)
{
  if (failure)
    TBaseMsg::DisplayError(&window, failure->nMsgNo, {failure->szParam});
  return bool(failure);
}

} // namespace

bool BrisaProjectStore::SaveProject(const QString& szFileName)
{
  CTSelectionModel* model = v_window.Model();
  const std::optional<CTBrisaProjectData> data = model ? ProjectOfSelection(*model) : std::nullopt;
  if (!data) {
    TBaseMsg::DisplayError(&v_window, CTBrisaProjectIO::kMsgNoSelectedDevice);
    return false;
  }
  return !Failed(v_window, CTBrisaProjectIO::SaveProjectFile(szFileName.toStdString(), *data));
}

bool BrisaProjectStore::OpenProject(const QString& szFileName)
{
  CTSelectionModel* model = v_window.Model();
  if (!model)
    return false;
  CTBrisaProjectData data;
  if (Failed(v_window, CTBrisaProjectIO::LoadProjectFile(szFileName.toStdString(),
                                                         CTBrisaProjectIO::CatalogueOptions(model->Factory()), data)))
    return false;
  ApplyProject(*model, data);
  v_window.ShowSelection();
  return true;
}

} // namespace aw::app
