#include "engine/SelectionInputs.h"

#include "catalogue/CatalogueText.h"

#include <algorithm>
#include <cmath>

namespace aw {

// ---- CTUnitInput ------------------------------------------------------------

void CTUnitInput::SetupWindow(U_RepUnit TheUnit, double Min, double Max, double InitVal, int Resolution)
{
  v_unit = TheUnit;
  v_min = Min;
  v_max = std::max(Min, Max);
  v_initVal = InitVal;
  v_resolution = Resolution > 0 ? Resolution : 1;
  v_value = v_min;
  SetVal(InitVal);
}

void CTUnitInput::SetVal(double TheVal)
{
  if (!(TheVal > kNoValue) || !std::isfinite(TheVal))
    return;
  const double stepped = catalogue::RoundHalfEven(TheVal * v_resolution) / v_resolution;
  v_value = std::clamp(stepped, v_min, v_max);
  v_requested.reset();
  SetOrigin(0, v_value);
}

void CTUnitInput::SetOrigin(int nUnitIndex, double Shown)
{
  v_originIndex = nUnitIndex;
  v_originVal = Shown;
}

void CTUnitInput::KeepRequested(double Asked, TLimitReason Reason)
{
  // Differences below half a step are the rounding of the shown value, not a limit.
  if (std::fabs(Asked - v_value) * v_resolution < 0.5) {
    v_requested.reset();
    return;
  }
  v_requested = Asked;
  v_limitReason = Reason;
}

void CTUnitInput::Limit(double TheVal, TLimitReason Reason)
{
  const double asked = v_requested.value_or(v_value);
  const TLimitReason reason = v_requested ? v_limitReason : Reason;
  SetVal(TheVal);
  KeepRequested(asked, reason);
}

double CTUnitInput::StepOf(double TheVal, int nUnitIndex) const
{
  const bool converts = v_unit != U_None && nUnitIndex != 0;
  const double shown = converts ? TU_Form::ConvertValue(TheVal, v_unit, 0, nUnitIndex, true) : TheVal;
  return catalogue::RoundHalfEven(shown * v_resolution);
}

double CTUnitInput::ToBase(double Shown, int nUnitIndex) const
{
  const bool converts = v_unit != U_None && nUnitIndex != 0;
  return converts ? TU_Form::ConvertValue(Shown, v_unit, nUnitIndex, 0, true) : Shown;
}

double CTUnitInput::ClampedStep(double Step, int nUnitIndex) const
{
  const auto toBase = [&](double step) { return ToBase(step / v_resolution, nUnitIndex); };
  // The steps of the shown unit that lie within the limits.
  double low = StepOf(v_min, nUnitIndex), high = StepOf(v_max, nUnitIndex);
  if (toBase(low) < v_min)
    ++low;
  if (toBase(high) > v_max)
    --high;
  return std::clamp(Step, low, std::max(low, high));
}

void CTUnitInput::SetShownVal(double Shown, int nUnitIndex)
{
  const double step = ClampedStep(catalogue::RoundHalfEven(Shown * v_resolution), nUnitIndex);
  v_value = ToBase(step / v_resolution, nUnitIndex);
  SetOrigin(nUnitIndex, step / v_resolution);
}

void CTUnitInput::SetTypedVal(double TypedVal, int nUnitIndex)
{
  if (!std::isfinite(TypedVal))
    return;
  SetShownVal(TypedVal, nUnitIndex);
  // A typed value beyond the limits is kept as asked, so that it can be said.
  const double typedStep = catalogue::RoundHalfEven(TypedVal * v_resolution);
  v_requested.reset();
  if (ClampedStep(typedStep, nUnitIndex) != typedStep) {
    v_requested = ToBase(typedStep / v_resolution, nUnitIndex);
    v_limitReason = TLimitReason::Range;
  }
}

void CTUnitInput::ShowIn(int nUnitIndex, int Resolution)
{
  v_resolution = Resolution > 0 ? Resolution : 1;
  const bool converts = v_unit != U_None && nUnitIndex != v_originIndex;
  const double shown =
    converts ? TU_Form::ConvertValue(v_originVal, v_unit, v_originIndex, nUnitIndex, true) : v_originVal;
  // The origin stays, so that every later unit starts from it again.
  const int originIndex = v_originIndex;
  const double originVal = v_originVal;
  SetShownVal(shown, nUnitIndex);
  SetOrigin(originIndex, originVal);
}

void CTUnitInput::SetStoredVal(double TheVal)
{
  if (!(TheVal > kNoValue) || !std::isfinite(TheVal))
    return;
  v_value = std::clamp(TheVal, v_min, v_max);
  v_requested.reset();
  SetOrigin(0, v_value);
}

void CTUnitInput::EnableIt(bool bEnable)
{
  v_enabled = bEnable;
  v_requested.reset();
  if (bEnable)
    SetVal(v_initVal);
}

// ---- CTTempConditions -------------------------------------------------------

namespace {

constexpr double kMinRoomDBT = 16, kMaxRoomDBT = 32;       // °C
constexpr double kMinAmbientDBT = -40, kMaxAmbientDBT = 60; // °C
constexpr double kMinRoomWB = 6;                           // °C
constexpr double kMinRH = 15, kMaxRH = 100;                // %
constexpr double kMaxHeater = 30;                          // kW
constexpr double kMaxSupplyTemp = 43;                      // °C

void SetupHumidity(CTUnitInput& input, bool bWetBulb, bool bRoom, double InitVal)
{
  if (bWetBulb)
    input.SetupWindow(U_Temperature, bRoom ? kMinRoomWB : kMinAmbientDBT, bRoom ? kMaxRoomDBT : kMaxAmbientDBT,
                      InitVal, 10);
  else
    input.SetupWindow(U_Humidity, kMinRH, kMaxRH, InitVal, 1);
}

void SwitchHumidity(CTUnitInput& input, bool& bIsWetBulb, bool bWetBulb, bool bRoom, double DBT, const TAir& Air)
{
  if (bIsWetBulb == bWetBulb)
    return;
  const double value = input.GetVal();
  const double converted = bWetBulb ? Air.ConvertDBRH2WB(DBT, value) : Air.ConvertDBWB2RH(DBT, value);
  bIsWetBulb = bWetBulb;
  SetupHumidity(input, bWetBulb, bRoom, catalogue::RoundHalfEven(converted));
}

double RelativeHumidityOf(const CTUnitInput& DBT, const CTUnitInput& Humidity, bool bWetBulb, const TAir& Air)
{
  if (!bWetBulb)
    return Humidity.GetVal();
  return std::min(Air.ConvertDBWB2RH(DBT.GetVal(), Humidity.GetVal()), kMaxRH);
}

} // namespace

CTTempConditions::CTTempConditions(bool IsCooling) : v_IsCooling(IsCooling)
{
  InitFields();
}

void CTTempConditions::InitFields()
{
  v_roomDBT.SetupWindow(U_Temperature, kMinRoomDBT, kMaxRoomDBT, v_IsCooling ? 27 : 20, 10);
  v_roomWetBulb = v_IsCooling;
  SetupHumidity(v_roomHumidity, v_roomWetBulb, true, v_IsCooling ? 19 : 50);
  v_ambientDBT.SetupWindow(U_Temperature, kMinAmbientDBT, kMaxAmbientDBT, v_IsCooling ? 35 : 7, 10);
  v_ambientWetBulb = false;
  SetupHumidity(v_ambientHumidity, false, false, 50);
  v_discharge.SetupWindow(U_Temperature, v_IsCooling ? 10 : 18, v_IsCooling ? 18 : 28, v_IsCooling ? 18 : 25, 10);
  v_inletHeater.SetupWindow(U_Power, 0, kMaxHeater, 0, 1000);
  v_supplyHeater.SetupWindow(U_Power, 0, kMaxHeater, 0, 1000);
  v_supplyTemp.SetupWindow(U_Temperature, 0, kMaxSupplyTemp, 20, 10);
  v_supplyTemp.EnableIt(false);
  v_inletChoice = TInletChoice::Calculated;
  v_supplyChoice = TSupplyChoice::Calculated;
  v_supplyTempTicked = false;
  v_heaterOptionIndex = v_fittedOptionIndex = -1;
  v_InletHeater = v_SupplyHeater = 0;
  v_heatersComputed = false;
}

std::vector<CTTempConditions::NamedInput> CTTempConditions::Inputs() const
{
  return {{&v_roomDBT, "roomDBT", "room dry bulb temperature"},
          {&v_roomHumidity, "roomHumidity", "room humidity"},
          {&v_ambientDBT, "ambientDBT", "ambient dry bulb temperature"},
          {&v_ambientHumidity, "ambientHumidity", "ambient humidity"},
          {&v_discharge, "discharge", "discharge temperature"},
          {&v_inletHeater, "inletHeater", "inlet heater"},
          {&v_supplyHeater, "supplyHeater", "supply heater"},
          {&v_supplyTemp, "supplyTemp", "minimum supply temperature"}};
}

void CTTempConditions::SetRoom(double DBT, double Humidity, bool bWetBulb)
{
  v_roomDBT.SetVal(DBT);
  if (v_roomWetBulb != bWetBulb) {
    v_roomWetBulb = bWetBulb;
    SetupHumidity(v_roomHumidity, bWetBulb, true, Humidity);
  }
  v_roomHumidity.SetVal(Humidity);
}

void CTTempConditions::SetAmbient(double DBT, double Humidity, bool bWetBulb)
{
  v_ambientDBT.SetVal(DBT);
  if (v_ambientWetBulb != bWetBulb) {
    v_ambientWetBulb = bWetBulb;
    SetupHumidity(v_ambientHumidity, bWetBulb, false, Humidity);
  }
  v_ambientHumidity.SetVal(Humidity);
}

void CTTempConditions::SetRoomWetBulb(bool bWetBulb, const TAir& Air)
{
  SwitchHumidity(v_roomHumidity, v_roomWetBulb, bWetBulb, true, v_roomDBT.GetVal(), Air);
}

void CTTempConditions::SetAmbientWetBulb(bool bWetBulb, const TAir& Air)
{
  SwitchHumidity(v_ambientHumidity, v_ambientWetBulb, bWetBulb, false, v_ambientDBT.GetVal(), Air);
}

void CTTempConditions::SetInletChoice(TInletChoice Choice)
{
  if (Choice == TInletChoice::Option && v_heaterOptions.IsEmpty())
    Choice = TInletChoice::UserDefined;
  v_inletChoice = Choice;
  // A user input that reads 0 starts from the calculated heater.
  if (Choice == TInletChoice::UserDefined && v_inletHeater.GetVal() == 0)
    v_inletHeater.SetVal(v_InletHeater);
}

void CTTempConditions::SetSupplyChoice(TSupplyChoice Choice)
{
  v_supplyChoice = Choice;
  if (Choice == TSupplyChoice::UserDefined && v_supplyHeater.GetVal() == 0)
    v_supplyHeater.SetVal(v_SupplyHeater);
}

void CTTempConditions::SetSupplyTempTicked(bool bTicked)
{
  v_supplyTempTicked = bTicked;
  v_supplyTemp.EnableIt(bTicked);
  if (bTicked)
    v_supplyTemp.SetVal(v_roomDBT.GetVal());
}

void CTTempConditions::SetupInlet(const ObjectList<Cls_DeviceOption>& HeaterOptions)
{
  v_heaterOptions = HeaterOptions;
  v_fittedOptionIndex = -1;
  if (v_heaterOptionIndex < 0 || v_heaterOptionIndex >= v_heaterOptions.Count())
    v_heaterOptionIndex = v_heaterOptions.IsEmpty() ? -1 : 0;
  // The remembered choice stays; without options its entry is gone and the
  // last entry of the choice, "User defined inlet", applies.
  if (v_inletChoice == TInletChoice::Option && v_heaterOptions.IsEmpty())
    v_inletChoice = TInletChoice::UserDefined;
}

bool CTTempConditions::FitInletOption(double CalcInlet)
{
  if (v_inletChoice != TInletChoice::Calculated || !(CalcInlet > 0))
    return false;
  int fitting = -1;
  for (int i = 0; i < v_heaterOptions.Count(); ++i) {
    const double power = v_heaterOptions[i]->GetValue();
    if (power >= CalcInlet && (fitting < 0 || power < v_heaterOptions[fitting]->GetValue()))
      fitting = i;
  }
  v_fittedOptionIndex = fitting;
  return fitting >= 0;
}

TInletChoice CTTempConditions::EffectiveInletChoice() const
{
  return v_fittedOptionIndex >= 0 ? TInletChoice::Option : v_inletChoice;
}

void CTTempConditions::SetHeaterOption(int nIndex)
{
  if (nIndex >= 0 && nIndex < v_heaterOptions.Count()) {
    v_heaterOptionIndex = nIndex;
    v_fittedOptionIndex = -1;
    v_inletChoice = TInletChoice::Option;
  }
}

int CTTempConditions::SelectedHeaterOptionIndex() const
{
  switch (EffectiveInletChoice()) {
  case TInletChoice::Option: return v_fittedOptionIndex >= 0 ? v_fittedOptionIndex : v_heaterOptionIndex;
  default: return -1;
  }
}

Cls_DeviceOption* CTTempConditions::GetSelectedHeaterOption() const
{
  const int index = SelectedHeaterOptionIndex();
  return index >= 0 && index < v_heaterOptions.Count() ? v_heaterOptions[index] : nullptr;
}

void CTTempConditions::SetDischarge(double MinDischarge, double MaxDischarge)
{
  if (MinDischarge == v_discharge.GetMinVal() && MaxDischarge == v_discharge.GetMaxVal())
    return;
  const double current = v_discharge.GetVal();
  const bool keep = current >= MinDischarge && current <= MaxDischarge;
  const std::optional<double> asked = v_discharge.Requested();
  v_discharge.SetupWindow(U_Temperature, MinDischarge, MaxDischarge, MaxDischarge, 10);
  if (keep)
    v_discharge.SetStoredVal(current);
  v_discharge.KeepRequested(asked.value_or(current), TLimitReason::Range);
}

double CTTempConditions::UserInletValue() const
{
  switch (EffectiveInletChoice()) {
  case TInletChoice::UserDefined: return v_inletHeater.GetVal();
  case TInletChoice::Option: {
    const Cls_DeviceOption* option = GetSelectedHeaterOption();
    return option ? option->GetValue() : kNoValue;
  }
  default: return kNoValue;
  }
}

CTConditionSelection CTTempConditions::GetSelection(const TAir& Air) const
{
  CTConditionSelection s;
  s.IndoorDBT = v_roomDBT.GetVal();
  s.IndoorRH = RelativeHumidityOf(v_roomDBT, v_roomHumidity, v_roomWetBulb, Air);
  s.AmbientDBT = v_ambientDBT.GetVal();
  s.AmbientRH = RelativeHumidityOf(v_ambientDBT, v_ambientHumidity, v_ambientWetBulb, Air);
  s.Discharge = v_discharge.GetVal();
  s.UserInletHeater = UserInletValue();
  if (v_supplyTempTicked && SupplyLinesVisible())
    s.UserSupplyTemp = v_supplyTemp.GetVal();
  else if (DischargeVisible())
    s.UserSupplyTemp = v_discharge.GetVal();
  if (SupplyLinesVisible() && v_supplyChoice == TSupplyChoice::UserDefined)
    s.UserSupplyHeater = v_supplyHeater.GetVal();
  return s;
}

namespace {

// A stored relative humidity into a humidity input: in wet bulb when the
// rounded wet bulb gives the same relative humidity back, else as relative humidity.
void SetStoredHumidity(CTUnitInput& DBT, CTUnitInput& Humidity, bool& bWetBulb, bool bRoom, double RH, const TAir& Air)
{
  if (bWetBulb) {
    CTUnitInput probe = Humidity;
    probe.SetVal(Air.ConvertDBRH2WB(DBT.GetVal(), RH));
    if (RelativeHumidityOf(DBT, probe, true, Air) == RH) {
      Humidity = probe;
      return;
    }
    bWetBulb = false;
    SetupHumidity(Humidity, false, bRoom, RH);
  }
  Humidity.SetStoredVal(RH);
}

} // namespace

void CTTempConditions::SetSelection(const CTConditionSelection& Selection, const TAir& Air)
{
  v_roomDBT.SetStoredVal(Selection.IndoorDBT);
  SetStoredHumidity(v_roomDBT, v_roomHumidity, v_roomWetBulb, true, Selection.IndoorRH, Air);
  v_ambientDBT.SetStoredVal(Selection.AmbientDBT);
  SetStoredHumidity(v_ambientDBT, v_ambientHumidity, v_ambientWetBulb, false, Selection.AmbientRH, Air);
  v_fittedOptionIndex = -1;
  if (Selection.UserInletHeater > 0) {
    v_inletChoice = TInletChoice::UserDefined;
    v_inletHeater.SetStoredVal(Selection.UserInletHeater);
  } else {
    v_inletChoice = TInletChoice::Calculated;
  }
  // For Pelmar-MF the stored supply temperature is the discharge: it must
  // not tick the (hidden) box, or it would reach a later Brisa selection.
  const bool supplyTemp = Selection.UserSupplyTemp > 0 && !DischargeVisible();
  v_supplyTempTicked = supplyTemp;
  v_supplyTemp.EnableIt(supplyTemp);
  if (supplyTemp)
    v_supplyTemp.SetStoredVal(Selection.UserSupplyTemp);
  if (Selection.UserSupplyHeater > 0) {
    v_supplyChoice = TSupplyChoice::UserDefined;
    v_supplyHeater.SetStoredVal(Selection.UserSupplyHeater);
  } else {
    v_supplyChoice = TSupplyChoice::Calculated;
  }
}

bool CTTempConditions::CheckCooling()
{
  if (!(v_roomDBT.GetVal() > v_ambientDBT.GetVal()))
    return false;
  v_ambientDBT.SetVal(v_roomDBT.GetVal());
  return true;
}

bool CTTempConditions::CheckHeating()
{
  if (!(v_roomDBT.GetVal() < v_ambientDBT.GetVal()))
    return false;
  v_ambientDBT.SetVal(v_roomDBT.GetVal());
  return true;
}

bool CTTempConditions::CheckWBTemp()
{
  if (v_roomWetBulb && v_roomHumidity.GetVal() > v_roomDBT.GetVal()) {
    v_roomHumidity.SetVal(v_roomDBT.GetVal());
    return true;
  }
  if (v_ambientWetBulb && v_ambientHumidity.GetVal() > v_ambientDBT.GetVal()) {
    v_ambientHumidity.SetVal(v_ambientDBT.GetVal());
    return true;
  }
  return false;
}

std::optional<double> CTTempConditions::ComputedInletHeater() const
{
  return v_heatersComputed ? std::optional<double>(v_InletHeater) : std::nullopt;
}

std::optional<double> CTTempConditions::ComputedSupplyHeater() const
{
  return v_heatersComputed ? std::optional<double>(v_SupplyHeater) : std::nullopt;
}

int CTTempConditions::CheckHeaters(double CalcInlet, double CalcSupply)
{
  v_InletHeater = CalcInlet;
  v_SupplyHeater = CalcSupply;
  v_heatersComputed = true;
  if (CalcInlet > 0 && v_inletChoice != TInletChoice::Calculated && UserInletValue() < CalcInlet)
    return rcInletHeaterTooSmall;
  if (CalcSupply > 0 && v_supplyChoice == TSupplyChoice::UserDefined && SupplyLinesVisible() &&
      v_supplyHeater.GetVal() < CalcSupply)
    return rcSupplyHeaterTooSmall;
  return rcOK;
}

} // namespace aw
