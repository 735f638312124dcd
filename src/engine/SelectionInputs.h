#pragma once
// The values the selection works on, as the input panels hold them: a
// numeric input with its dimension, limits, initial value and resolution,
// and the cooling or heating design conditions with the heater choices.
// The window binds its controls to these; the checks and conversions that
// decide what the performance model receives live here.

#include "air/Air.h"
#include "air/SI_Units.h"
#include "engine/FamilyTraits.h"
#include "engine/ClBrisa.h"

#include <optional>
#include <string>
#include <vector>

namespace aw {

// Why an input holds another value than the one asked for.
enum class TLimitReason {
  Range,       // the value asked for lay outside the input's range (its own or the family's)
  Requirement, // the program rewrote it so that the required airflow lies in the family's range
};

// One numeric input. The value is held in the base unit of its dimension,
// clamped to the limits. A value the program sets is rounded to the
// resolution (steps per unit: 10 keeps one decimal); a value typed in
// another unit is rounded once, in that unit, and kept exactly as typed.
// Shown in another unit, the value is rounded once more, from the value
// first set or typed, so that going back to that unit gives it back.
class CTUnitInput
{
public:
  CTUnitInput() = default;
  CTUnitInput(U_RepUnit TheUnit, double Min, double Max, double InitVal, int Resolution)
  {
    SetupWindow(TheUnit, Min, Max, InitVal, Resolution);
  }

  void SetupWindow(U_RepUnit TheUnit, double Min, double Max, double InitVal, int Resolution);
  // Ignores the absent marker; otherwise clamps and rounds.
  void SetVal(double TheVal);
  // A value typed in the unit nUnitIndex of the dimension: rounded to the
  // resolution and clamped to the limits in that unit, then converted.
  void SetTypedVal(double TypedVal, int nUnitIndex);
  // A value that was this input's before (a project): clamped, not rounded again.
  void SetStoredVal(double TheVal);
  // The unit nUnitIndex of the dimension is shown from now on, with the given
  // resolution in it: the value becomes the set or typed value rounded to
  // that resolution in that unit, within the limits.
  void ShowIn(int nUnitIndex, int Resolution);
  // The scroll position of a base value shown in unit nUnitIndex (value × resolution, rounded).
  double StepOf(double TheVal, int nUnitIndex) const;
  double GetVal() const { return v_value; }
  // Enabling sets the initial value; a disabled input keeps its value.
  void EnableIt(bool bEnable);
  bool Enabled() const { return v_enabled; }

  // The value the user asked for when the input holds another one (a typed
  // value beyond the limits, a value the program had to change), else none.
  // A value set by the program or typed within the limits asks for nothing.
  const std::optional<double>& Requested() const { return v_requested; }
  TLimitReason LimitReason() const { return v_limitReason; }
  // The program replaces the value; what was asked for before stays asked for.
  void Limit(double TheVal, TLimitReason Reason);
  // After the limits changed (SetupWindow): Asked, when the value now differs from it, is what was asked for.
  void KeepRequested(double Asked, TLimitReason Reason);

  U_RepUnit Unit() const { return v_unit; }
  double GetMinVal() const { return v_min; }
  double GetMaxVal() const { return v_max; }
  double InitVal() const { return v_initVal; }
  int Resolution() const { return v_resolution; }

private:
  // A step of unit nUnitIndex clamped to the steps that lie within the limits.
  double ClampedStep(double Step, int nUnitIndex) const;
  // A value in unit nUnitIndex, rounded to the resolution and clamped.
  void SetShownVal(double Shown, int nUnitIndex);
  double ToBase(double Shown, int nUnitIndex) const;
  void SetOrigin(int nUnitIndex, double Shown);

  U_RepUnit v_unit = U_None;
  double v_min = 0, v_max = 0, v_initVal = 0, v_value = 0;
  int v_resolution = 1;
  // The value as last set (base unit, index 0) or typed (in its unit).
  int v_originIndex = 0;
  double v_originVal = 0;
  bool v_enabled = true;
  std::optional<double> v_requested;
  TLimitReason v_limitReason = TLimitReason::Range;
};

// The choice of the inlet heater and of the supply heater.
enum class TInletChoice { Calculated, UserDefined, Option };
enum class TSupplyChoice { Calculated, UserDefined };

// What the conditions hand to the performance model (°C, %, kW), with
// kNoValue for a heater or supply temperature that the user did not set.
struct CTConditionSelection
{
  double IndoorDBT = 0, IndoorRH = 0, AmbientDBT = 0, AmbientRH = 0, Discharge = 0;
  double UserInletHeater = kNoValue, UserSupplyTemp = kNoValue, UserSupplyHeater = kNoValue;
};

// The cooling or heating design conditions of one mode.
class CTTempConditions
{
public:
  explicit CTTempConditions(bool IsCooling = true);

  // Back to the initial values of the mode.
  void InitFields();
  void SetFamily(int DeviceFamily) { v_family = DeviceFamily; }
  bool IsCooling() const { return v_IsCooling; }

  // Room and ambient air; the humidity is a wet bulb (°C) or a relative humidity (%).
  void SetRoom(double DBT, double Humidity, bool bWetBulb);
  void SetAmbient(double DBT, double Humidity, bool bWetBulb);
  // Switches a humidity input between wet bulb and relative humidity,
  // converting its value at the current dry bulb.
  void SetRoomWetBulb(bool bWetBulb, const TAir& Air);
  void SetAmbientWetBulb(bool bWetBulb, const TAir& Air);

  CTUnitInput& RoomDBT() { return v_roomDBT; }
  CTUnitInput& RoomHumidity() { return v_roomHumidity; }
  CTUnitInput& AmbientDBT() { return v_ambientDBT; }
  CTUnitInput& AmbientHumidity() { return v_ambientHumidity; }
  CTUnitInput& Discharge() { return v_discharge; }
  CTUnitInput& InletHeaterInput() { return v_inletHeater; }
  CTUnitInput& SupplyHeaterInput() { return v_supplyHeater; }
  CTUnitInput& SupplyTempInput() { return v_supplyTemp; }
  // Every input with its key and English caption, in panel order.
  struct NamedInput
  {
    const CTUnitInput* pInput;
    const char* szKey;
    const char* szCaption;
  };
  std::vector<NamedInput> Inputs() const;
  bool RoomIsWetBulb() const { return v_roomWetBulb; }
  bool AmbientIsWetBulb() const { return v_ambientWetBulb; }

  // Visibility of the parts that depend on the family and the mode.
  bool DischargeVisible() const { return FamilyTraits(v_family).bHasDischarge; }
  bool SupplyLinesVisible() const { return FamilyTraits(v_family).ShowsSupplyHeater(v_IsCooling); }

  // Heater choices.
  void SetInletChoice(TInletChoice Choice);
  TInletChoice InletChoice() const { return v_inletChoice; }
  void SetSupplyChoice(TSupplyChoice Choice);
  TSupplyChoice SupplyChoice() const { return v_supplyChoice; }
  // Ticking copies the room dry bulb into the supply temperature.
  void SetSupplyTempTicked(bool bTicked);
  bool SupplyTempTicked() const { return v_supplyTempTicked; }

  // The unit's heater options (not owned). The user's inlet choice is kept;
  // an option taken for a calculated heater is dropped.
  void SetupInlet(const ObjectList<Cls_DeviceOption>& HeaterOptions);
  const ObjectList<Cls_DeviceOption>& HeaterOptions() const { return v_heaterOptions; }
  void SetHeaterOption(int nIndex);
  // With "Calculated inlet": takes the smallest option not below the heater
  // just calculated (CalcInlet > 0); true when one was taken, so that the
  // caller computes once more with it.
  bool FitInletOption(double CalcInlet);
  // The choice in effect: "Inlet heater option" when an option was fitted to the calculated heater.
  TInletChoice EffectiveInletChoice() const;
  // The option in effect (chosen or fitted), none otherwise.
  Cls_DeviceOption* GetSelectedHeaterOption() const;
  int SelectedHeaterOptionIndex() const;
  // Re-sets the discharge input when its limits differ; a value within the
  // new limits is kept, another becomes max.
  void SetDischarge(double MinDischarge, double MaxDischarge);

  CTConditionSelection GetSelection(const TAir& Air) const;
  // Puts stored values back: the four conditions (a relative humidity that
  // the wet-bulb input cannot hold exactly switches that input to relative
  // humidity), the heaters and, for Brisa heating, the supply temperature.
  // For Pelmar-MF the supply temperature is the discharge, which the caller
  // applies once the unit's discharge range is known.
  void SetSelection(const CTConditionSelection& Selection, const TAir& Air);

  // Corrections before a calculation; true when the input was corrected.
  bool CheckCooling();  // room above ambient: ambient := room
  bool CheckHeating();  // room below ambient: ambient := room
  bool CheckWBTemp();   // a wet bulb above its dry bulb: wet bulb := dry bulb
  // Against the calculated heaters: rcInletHeaterTooSmall, rcSupplyHeaterTooSmall or rcOK.
  int CheckHeaters(double CalcInlet, double CalcSupply);
  double CalculatedInletHeater() const { return v_InletHeater; }
  double CalculatedSupplyHeater() const { return v_SupplyHeater; }
  // The calculated heaters of the current computation; none until it calculated them.
  std::optional<double> ComputedInletHeater() const;
  std::optional<double> ComputedSupplyHeater() const;
  // A new computation starts: no heater is calculated yet.
  void ClearCalculatedHeaters() { v_heatersComputed = false; }

private:
  double UserInletValue() const;

  bool v_IsCooling;
  int v_family = Cls_Brisa::kFamilyBrisa;
  CTUnitInput v_roomDBT, v_roomHumidity, v_ambientDBT, v_ambientHumidity, v_discharge;
  CTUnitInput v_inletHeater, v_supplyHeater, v_supplyTemp;
  bool v_roomWetBulb = false, v_ambientWetBulb = false;
  TInletChoice v_inletChoice = TInletChoice::Calculated;
  TSupplyChoice v_supplyChoice = TSupplyChoice::Calculated;
  bool v_supplyTempTicked = false;
  ObjectList<Cls_DeviceOption> v_heaterOptions;
  int v_heaterOptionIndex = -1;
  int v_fittedOptionIndex = -1; // taken for the calculated heater of this computation
  double v_InletHeater = 0, v_SupplyHeater = 0; // kW, the last calculated heaters
  bool v_heatersComputed = false;
};

} // namespace aw
