#pragma once
// The design conditions of one mode (cooling or heating): room and outdoor
// air with the choice between relative humidity and wet bulb, the discharge
// temperature of Pelmar-MF units and the heater choices. The panel shows the
// model's CTTempConditions and tells its owner about each change the user
// makes; it never notifies while it rewrites its own controls.

#include <QGroupBox>
#include <QStringList>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;

namespace aw {
class CTTempConditions;
class TAir;
} // namespace aw

namespace aw::app {

class TFrm_UnitTextScroll;

class TFrm_TempConditions : public QGroupBox
{
  Q_OBJECT

public:
  explicit TFrm_TempConditions(QWidget* parent = nullptr);

  // Binds the conditions of one mode; Air gives the window's moist-air
  // calculator for the humidity conversions.
  void SetupWindow(CTTempConditions* pConditions, std::function<const TAir&()> Air,
                   std::function<void()> HandleChanges);
  // Shows the model's conditions again (family, unit system, corrected values, heaters).
  void ConvertFields();

  // The conditions as the report lists them: room air, outdoor air,
  // discharge and heaters (no heater list when there is nothing to say).
  struct ConditionStrings
  {
    QStringList RA, OA, Discharge, Heaters;
  };
  ConditionStrings GetConditionStrings() const;

  TFrm_UnitTextScroll* RoomDBT() const { return Frm_RoomDBT; }
  TFrm_UnitTextScroll* RoomRH() const { return Frm_RoomRH; }
  TFrm_UnitTextScroll* AmbientDBT() const { return Frm_AmbientDbt; }
  TFrm_UnitTextScroll* AmbientRH() const { return Frm_AmbientRH; }
  TFrm_UnitTextScroll* Discharge() const { return Frm_Discharge; }
  TFrm_UnitTextScroll* InletHeater() const { return Frm_InletHeater; }
  TFrm_UnitTextScroll* SupplyHeater() const { return Frm_SupplyHeater; }
  TFrm_UnitTextScroll* SupplyTemp() const { return Frm_SupplyTemp; }
  QComboBox* RoomHumidityChoice() const { return Lbl_RoomRH; }
  QComboBox* AmbientHumidityChoice() const { return Lbl_AmbientRH; }
  QComboBox* InletChoice() const { return Lbl_Inletheater; }
  QComboBox* HeaterOptions() const { return Txt_HeaterOptions; }
  QComboBox* SupplyChoice() const { return Lbl_SupplyHeater; }
  QCheckBox* SupplyTempCheck() const { return Chk_SupplyTemp; }
  QGroupBox* DischargeBox() const { return Box_Discharge; }
  QLabel* CalculatedInlet() const { return Txt_CalcInlet; }
  QLabel* CalculatedSupply() const { return Txt_CalcSupply; }

private:
  void BuildControls();
  void Changed();
  void RoomHumidityChosen(int nIndex);
  void AmbientHumidityChosen(int nIndex);
  void InletChosen(int nIndex);
  void HeaterOptionChosen(int nIndex);
  void SupplyChosen(int nIndex);
  void SupplyTempClicked(bool bChecked);
  void FillInletChoice();

  CTTempConditions* v_conditions = nullptr;
  std::function<const TAir&()> v_Air;
  std::function<void()> v_HandleChanges;
  bool v_InTreatment = false;

  QGroupBox* Box_Room = nullptr;
  QGroupBox* Box_Ambient = nullptr;
  QGroupBox* Box_Discharge = nullptr;
  QGroupBox* Box_Heaters = nullptr;
  TFrm_UnitTextScroll* Frm_RoomDBT = nullptr;
  QComboBox* Lbl_RoomRH = nullptr;
  TFrm_UnitTextScroll* Frm_RoomRH = nullptr;
  TFrm_UnitTextScroll* Frm_AmbientDbt = nullptr;
  QComboBox* Lbl_AmbientRH = nullptr;
  TFrm_UnitTextScroll* Frm_AmbientRH = nullptr;
  TFrm_UnitTextScroll* Frm_Discharge = nullptr;
  QComboBox* Lbl_Inletheater = nullptr;
  QComboBox* Txt_HeaterOptions = nullptr;
  TFrm_UnitTextScroll* Frm_InletHeater = nullptr;
  QLabel* Txt_CalcInlet = nullptr;
  QWidget* Pnl_Supply = nullptr;
  QCheckBox* Chk_SupplyTemp = nullptr;
  TFrm_UnitTextScroll* Frm_SupplyTemp = nullptr;
  QComboBox* Lbl_SupplyHeater = nullptr;
  TFrm_UnitTextScroll* Frm_SupplyHeater = nullptr;
  QLabel* Txt_CalcSupply = nullptr;
};

} // namespace aw::app
