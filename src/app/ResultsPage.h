#pragma once
// The Results page: the cooling and heating results of the chosen solution
// (air states, efficiencies, savings, heaters, the capacities of Dorsa and
// Pelmar-MF units) and its option lists.

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace aw {
class CTSelectionModel;
}

namespace aw::app {

class TFrm_AirConditions;
class TFrm_ResultData;
class TFrm_WrightProps;

class TFraResultsPage : public QWidget
{
  Q_OBJECT

public:
  explicit TFraResultsPage(QWidget* parent = nullptr);

  // OptionsChanged runs after the user moved an option.
  void SetupWindow(CTSelectionModel* pModel, std::function<void()> OptionsChanged);
  // Shows the model's results of the chosen solution (empty without one).
  void ShowResults();
  // Fills both option lists from the chosen solution's option combinations.
  void FillOptions();

  QLabel* SelectedDevice() const { return Txt_ResultSelectedDevice; }
  // A figure of what the selection rests on (Txt_ResRequiredSupply, Txt_ResAirflowShare, ...).
  QLabel* Figure(const char* szName) const;
  TFrm_AirConditions* CoolAirConditions() const { return Frm_CoolAirConditions; }
  TFrm_AirConditions* HeatAirConditions() const { return Frm_HeatAirConditions; }
  TFrm_ResultData* CoolResults() const { return Frm_CoolResults; }
  TFrm_ResultData* HeatResults() const { return Frm_HeatResults; }
  TFrm_WrightProps* WrightProps() const { return Frm_WrightProps; }
  QTreeWidget* AvailOptions() const { return Lvw_AvailOptions; }
  QTreeWidget* UsedOptions() const { return Lvw_UsedOptions; }
  void Btn_SelectClick();
  void Btn_DeselectClick();

private:
  void ShowOptionRows();
  void ClearResults();
  QWidget* BuildSelectionFigures(QWidget* parent);
  void ShowSelectionFigures();
  void ShowModeMessages();

  CTSelectionModel* v_model = nullptr;
  std::function<void()> v_OptionsChanged;
  QLabel* Txt_ResultSelectedDevice = nullptr;
  TFrm_AirConditions* Frm_CoolAirConditions = nullptr;
  TFrm_AirConditions* Frm_HeatAirConditions = nullptr;
  TFrm_ResultData* Frm_CoolResults = nullptr;
  TFrm_ResultData* Frm_HeatResults = nullptr;
  TFrm_WrightProps* Frm_WrightProps = nullptr;
  QTreeWidget* Lvw_AvailOptions = nullptr;
  QTreeWidget* Lvw_UsedOptions = nullptr;
  QPushButton* Btn_Select = nullptr;
  QPushButton* Btn_Deselect = nullptr;
};

} // namespace aw::app
