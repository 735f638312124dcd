// The main window's side of the selection: the model that holds the inputs
// and results, the Selection and Results pages bound to it, and the unit
// system's changes shown on both pages.

#include "app/DlgSelect.h"

#include "air/ValueFormatting.h"

#include "air/SI_Units.h"
#include "app/BaseMsgDialog.h"
#include "app/GraphPage.h"
#include "i18n/MainWindowRules.h"
#include "app/PsychroPage.h"
#include "app/ResultsPage.h"
#include "app/SelectionPage.h"
#include "engine/SelectionModel.h"

#include <QTabWidget>

namespace aw::app {
namespace {

// The dimensions of every value the Selection and Results pages show.
constexpr U_RepUnit kShownDimensions[] = {U_Airflow, U_Surface,  U_Length,   U_Pressure,
                                          U_Temperature, U_Humidity, U_Enthalpy, U_Power};

} // namespace

StageResult TDlgSelect::ReadUnitsAndFamilies()
{
  v_model = std::make_unique<CTSelectionModel>(&v_catalogue->Factory());
  Ctl_Pages->setCurrentWidget(Tab_Selection);
  v_selectionPage->SetupWindow(v_model.get(), [this] { SelectionChanged(); });
  v_resultsPage->SetupWindow(v_model.get(), [this] { SetDataHaveChanged(); });
  v_psychroPage->SetModel(v_model.get());
  for (TDrawingBox* box : std::initializer_list<TDrawingBox*>{PB_ESPGraph, PB_EffGraph, PB_EffCorrect, PB_Configuration})
    box->SetModel(v_model.get());
  v_pagesBound = true;
  v_selectionPage->FillFamilies();
  return StageResult::Continue();
}

StageResult TDlgSelect::InitialiseSelection()
{
  ListenToUnitChanges();
  InitialiseInputs();
  return StageResult::Continue();
}

void TDlgSelect::InitialiseInputs()
{
  if (!v_model)
    return;
  v_converting = true;
  v_model->InitialiseInputs();
  v_converting = false;
  ShowSelection();
}

void TDlgSelect::ShowSelection()
{
  v_selectionPage->FillFilterLists();
  v_selectionPage->ShowModel();
  v_resultsPage->ShowResults();
  v_psychroPage->RebuildPsychroChart();
  RefreshDrawings();
  ShowPagesForFamily(v_model->Family());
  if (const std::optional<CTSelectionMessage>& message = v_model->Message())
    TBaseMsg::DisplayError(this, message->nMsgNo, message->params);
}

void TDlgSelect::SelectionChanged()
{
  SetDataHaveChanged();
  v_resultsPage->ShowResults();
  v_psychroPage->RebuildPsychroChart();
  ShowPagesForFamily(v_model->Family());
}

void TDlgSelect::UnitsChanged()
{
  if (!v_model || v_converting)
    return;
  v_deltaEnthalpy = aw::DeltaEnthalpy(TU_Form::GetNewIndex(U_Temperature));
  v_selectionPage->UnitsChanged();
  v_resultsPage->ShowResults();
  v_psychroPage->RebuildPsychroChart();
  RefreshDrawings();
}

void TDlgSelect::ListenToUnitChanges()
{
  for (U_RepUnit unit : kShownDimensions)
    TU_Form::RegisterDimChange(this, [this](int, const std::string&, int, const std::string&) { UnitsChanged(); },
                               unit);
}

void TDlgSelect::StopListeningToUnitChanges()
{
  for (U_RepUnit unit : kShownDimensions)
    TU_Form::UnregisterDimChange(this, unit);
}

} // namespace aw::app
