#pragma once
// The Selection page: the room's requirement, altitude, external static
// pressures, filters and plenums, the family and maximum speed, the cooling
// and heating design conditions, and the list of offered units with the
// pressure balance of the chosen one. Every control is bound to the
// selection model; each user change calls the model's handler, shows the
// model's message, if any, and shows the model's state again.

#include <QWidget>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QTreeWidget;

namespace aw {
class CTSelectionModel;
}

namespace aw::app {

class TFrm_TempConditions;
class TFrm_UnitTextScroll;

class TFraSelectionPage : public QWidget
{
  Q_OBJECT

public:
  explicit TFraSelectionPage(QWidget* parent = nullptr);

  // Binds the page to the model. AfterUserChange runs after every change the
  // user made (the window marks the project changed and refreshes its other pages).
  void SetupWindow(CTSelectionModel* pModel, std::function<void()> AfterUserChange);
  // The families of the catalogue into Txt_Family.
  void FillFamilies();
  // The filter classes into both filter lists, "None" in angle brackets.
  void FillFilterLists();
  // Shows the model's inputs, choices, offered units and pressure balance again.
  void ShowModel();
  // The unit in effect of a dimension changed: the pressure inputs take
  // their steps of the new unit, and everything is shown again.
  void UnitsChanged();

  // The controls, for the window's rules and for tests.
  TFrm_UnitTextScroll* Field(const char* szName) const;
  TFrm_TempConditions* CoolConditions() const { return Frm_CoolConditions; }
  TFrm_TempConditions* HeatConditions() const { return Frm_HeatConditions; }
  QComboBox* Family() const { return Txt_Family; }
  QComboBox* MaxSpeed() const { return Txt_MaxSpeed; }
  QComboBox* SupplyFilter() const { return Txt_SupplyFilter; }
  QComboBox* ExhaustFilter() const { return Txt_ExhaustFilter; }
  QTreeWidget* SelectedDevices() const { return LV_SelectedDevices; }
  QCheckBox* UpsideDown() const { return Chb_UpsideDown; }
  QLabel* ResultLabel(const char* szName) const;
  // The notice beside a field, none while the field holds the value asked for.
  QLabel* NoticeLabel(const TFrm_UnitTextScroll* field) const;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void BuildControls();
  QWidget* BuildRequirementColumn();
  QWidget* BuildDeviceColumn();
  TFrm_UnitTextScroll* AddField(QWidget* parent, const char* szName, const QString& szCaption);
  // Runs a handler of the model for a change the user made.
  void UserChange(const std::function<void()>& handler);
  void ShowMessage();
  void ShowSolutions();
  void ShowPressureBalance();
  void ShowMaxSpeeds();
  void AddRequiredAirflows(QGroupBox* box);
  void ShowRequiredAirflows();
  void ShowNotices();
  void ShowNoticesInStatusBar(const QStringList& texts);
  void SetupSolutionList();
  void SortSolutions(int nColumn);

  CTSelectionModel* v_model = nullptr;
  std::function<void()> v_AfterUserChange;
  // Set while the page writes the model's state into its controls: no
  // control change then reaches the model.
  bool v_converting = false;
  // The column the user sorted the offered units by (-1: the model's order).
  int v_sortColumn = -1;
  bool v_sortDescending = false;

  QGroupBox* Box_RoomConditions = nullptr;
  QRadioButton* RB_AreaPerPerson = nullptr;
  QRadioButton* RB_NumberOfPersons = nullptr;
  QCheckBox* Chk_TotalSupply = nullptr;
  QCheckBox* Chk_TotalExhaust = nullptr;
  QWidget* Pnl_ExhaustData = nullptr;
  QGroupBox* Box_ESP = nullptr;
  QWidget* Pnl_ExhaustESP = nullptr;
  QWidget* Pnl_Filters = nullptr;
  QComboBox* Txt_SupplyFilter = nullptr;
  QComboBox* Txt_ExhaustFilter = nullptr;
  QWidget* Pnl_SelPlenum = nullptr;
  QButtonGroup* v_plenumGroup = nullptr;
  QComboBox* Txt_Family = nullptr;
  QWidget* Pnl_MaxSpeed = nullptr;
  QComboBox* Txt_MaxSpeed = nullptr;
  QCheckBox* Chb_UpsideDown = nullptr;
  QTreeWidget* LV_SelectedDevices = nullptr;
  QGroupBox* Box_Ratios = nullptr;
  QWidget* Pnl_SNDorsaRatio = nullptr;
  QGroupBox* Box_RequiredDampers = nullptr;
  QWidget* Pnl_ExhaustDampers = nullptr;
  QWidget* Pnl_FilterLines = nullptr;
  TFrm_TempConditions* Frm_CoolConditions = nullptr;
  TFrm_TempConditions* Frm_HeatConditions = nullptr;
};

} // namespace aw::app
