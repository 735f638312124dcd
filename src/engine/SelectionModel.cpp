#include "engine/SelectionModel.h"

#include "air/NumberFormat.h"
#include "catalogue/CatalogueText.h"
#include "engine/FamilyTraits.h"
#include "db/DbObject.h"
#include "platform/CaseFolding.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace aw {

namespace {

bool SameObject(const CTDbObject* pA, const CTDbObject* pB)
{
  return pA && pB && pA->TableIndex() == pB->TableIndex() && pA->GetID() == pB->GetID();
}

// The catalogue unit a solution was found on (its caches are loaded).
Cls_Brisa& SearchedUnit(Cls_Brisa& pSolution)
{
  return pSolution.v_searchedUnit ? *pSolution.v_searchedUnit : pSolution;
}

// A value of an input as its field shows it, with the unit text. A relative
// humidity is a percentage in every unit system.
std::string InputValueText(const CTUnitInput& input, double value)
{
  const int resolution = input.Resolution();
  int decimals = resolution == 1 ? 0 : resolution == 10 ? 1 : resolution == 100 ? 2 : 3;
  if (input.Unit() == U_Humidity)
    return Number2FmtStr(value, 1, decimals, TU_Form::GetDecimalSeparator()) + " %";
  if (input.Unit() == U_None)
    return Number2FmtStr(value, 1, decimals, TU_Form::GetDecimalSeparator());
  const int index = TU_Form::GetNewIndex(input.Unit());
  if (index != 0)
    decimals = std::min(decimals, TU_Form::GetDigits(input.Unit(), index));
  const double shown = TU_Form::ConvertValue(value, input.Unit(), 0, index, true);
  return Number2FmtStr(shown, 1, decimals, TU_Form::GetDecimalSeparator()) + " " +
         TU_Form::GetCurrentString(input.Unit());
}

} // namespace

CTSelectionMessage NoticeMessage(const CTInputNotice& notice, const std::string& szCaption)
{
  const int number = notice.Reason == TLimitReason::Requirement ? kMsgInputChanged : kMsgInputLimited;
  return {0, number,
          {szCaption.empty() ? notice.szCaption : szCaption, InputValueText(*notice.pInput, notice.Typed),
           InputValueText(*notice.pInput, notice.Used)}};
}

CTSelectionModel::CTSelectionModel(CTBaseFactory* pFactory)
  : v_factory(pFactory ? pFactory : CTDbObject::GetDefaultFactory())
{
  if (v_factory) {
    v_devices = AllRecordsOf<Cls_Brisa>(false, v_factory);
    v_devices.Sort(Cls_Brisa::CompareBrisas);
    v_options = AllRecordsOf<Cls_DeviceOption>(true, v_factory);
  }
  InitialiseInputs();
  v_dataHaveChanged = false;
}

CTSelectionModel::~CTSelectionModel()
{
  // Solutions refer to the speeds of the catalogue units: they go first.
  v_usedOptionRows.clear();
  v_availOptionRows.clear();
  v_selectionList.ClearAndDestroy();
}

void CTSelectionModel::InitialiseInputs()
{
  v_converting = true;
  v_minAirflow = 1;
  v_maxAirflow = 8889;
  v_airflowPerPerson.SetupWindow(U_Airflow, 1, 30, 5, 10);
  v_roomSurface.SetupWindow(U_Surface, 1, 1000, 100, 1);
  v_areaPerPerson.SetupWindow(U_Surface, 1, 20, 5, 10);
  v_numberOfPersons.SetupWindow(U_None, 1, 100, 20, 1);
  v_totalSupply.SetupWindow(U_Airflow, 1, 8889, 100, 1);
  v_totalExhaust.SetupWindow(U_Airflow, 1, 8889, 100, 1);
  v_altitude.SetupWindow(U_Length, -500, 2000, 0, 1);
  v_designSupplyESP.SetupWindow(U_Pressure, 0, 350, 150, 10);
  v_designExhaustESP.SetupWindow(U_Pressure, 0, 350, 150, 10);
  v_requirement = TRequirement::AreaPerPerson;
  v_airflowPerPerson.EnableIt(true);
  v_roomSurface.EnableIt(true);
  v_areaPerPerson.EnableIt(true);
  v_numberOfPersons.EnableIt(false);
  v_totalSupplyTicked = v_totalExhaustTicked = false;
  v_totalSupply.EnableIt(false);
  v_totalExhaust.EnableIt(false);
  v_supplyFilter = v_exhaustFilter = 0;
  v_cooling.InitFields();
  v_heating.InitFields();
  v_cooling.SetFamily(v_family);
  v_heating.SetFamily(v_family);
  v_converting = false;
  CalcSupply();
}

void CTSelectionModel::BeginBulkChange()
{
  ++v_bulkDepth;
  v_converting = true;
}

void CTSelectionModel::EndBulkChange()
{
  if (v_bulkDepth > 0 && --v_bulkDepth > 0)
    return;
  v_converting = false;
  CalcSupply();
}

// ---- choices and handlers -----------------------------------------------------

void CTSelectionModel::SetSupplyFilter(int nIndex)
{
  v_supplyFilter = std::clamp(nIndex, 0, 3);
  SimpleRecalculation();
}

void CTSelectionModel::SetExhaustFilter(int nIndex)
{
  v_exhaustFilter = std::clamp(nIndex, 0, 3);
  SimpleRecalculation();
}

void CTSelectionModel::SetPlenum(int nChoice)
{
  v_plenum = nChoice == Cls_Brisa::kPlenumOAEA || nChoice == Cls_Brisa::kPlenumAll ? nChoice : 0;
  SimpleRecalculation();
}

void CTSelectionModel::SetMaxSpeed(int nIndex)
{
  if (nIndex >= 0 && nIndex < v_speedTypes.Count()) {
    v_maxSpeedIndex = nIndex;
    v_maxSpeedName = v_speedTypes[nIndex]->GetName();
  }
  SimpleRecalculation();
}

void CTSelectionModel::SetMaxSpeedName(const std::string& szName)
{
  v_maxSpeedName = szName;
  for (int i = 0; i < v_speedTypes.Count(); ++i)
    if (platform::EqualsIgnoreCase(v_speedTypes[i]->GetName(), szName))
      v_maxSpeedIndex = i;
  SimpleRecalculation();
}

std::string CTSelectionModel::MaxSpeedName() const
{
  return v_maxSpeedIndex >= 0 && v_maxSpeedIndex < v_speedTypes.Count() ? v_speedTypes[v_maxSpeedIndex]->GetName()
                                                                          : std::string();
}

void CTSelectionModel::SetUpsideDown(bool bTicked)
{
  v_upsideDown = bTicked;
  SimpleRecalculation();
}

void CTSelectionModel::SetConditions(CTTempConditions& conditions, const CTConditionSelection& selection)
{
  v_air.SetAltitude(v_altitude.GetVal());
  conditions.SetSelection(selection, v_air);
  EfficiencyCallBack();
}

void CTSelectionModel::CapacityCallBack()
{
  MarkChanged();
  CalcSupply();
}

int CTSelectionModel::EspResolution()
{
  constexpr int kInH2O = 3;
  return TU_Form::GetNewIndex(U_Pressure) == kInH2O ? 100 : 10;
}

void CTSelectionModel::PressureUnitChanged()
{
  bool bMoved = false;
  for (CTUnitInput* esp : {&v_designSupplyESP, &v_designExhaustESP}) {
    const double before = esp->GetVal();
    esp->ShowIn(TU_Form::GetNewIndex(U_Pressure), EspResolution());
    bMoved = bMoved || esp->GetVal() != before;
  }
  if (bMoved && !v_converting)
    CalcSupply();
}

void CTSelectionModel::AltitudeCallBack()
{
  MarkChanged();
  SelectedDevicesClick(v_selectedRow);
}

void CTSelectionModel::EfficiencyCallBack()
{
  MarkChanged();
  SelectedDevicesClick(v_selectedRow);
}

void CTSelectionModel::SimpleRecalculation()
{
  MarkChanged();
  if (!v_converting)
    SelectDevices();
}

void CTSelectionModel::AreaPerPersonClick()
{
  v_requirement = TRequirement::AreaPerPerson;
  v_areaPerPerson.EnableIt(true);
  const double persons = v_numberOfPersons.GetVal();
  v_numberOfPersons.EnableIt(false);
  v_roomSurface.EnableIt(true);
  v_roomSurface.SetVal(catalogue::RoundHalfEven(persons * 5));
  MarkChanged();
  CalcSupply();
}

void CTSelectionModel::NumberOfPersonsClick()
{
  v_requirement = TRequirement::NumberOfPersons;
  const double area = v_areaPerPerson.GetVal() == 0 ? 5 : v_areaPerPerson.GetVal();
  const double surface = v_roomSurface.GetVal() == 0 ? 100 : v_roomSurface.GetVal();
  v_areaPerPerson.EnableIt(false);
  v_roomSurface.EnableIt(false);
  v_numberOfPersons.EnableIt(true);
  v_numberOfPersons.SetVal(catalogue::RoundHalfEven(surface / area));
  MarkChanged();
  CalcSupply();
}

void CTSelectionModel::TotalSupplyClick(bool bTicked)
{
  v_totalSupplyTicked = bTicked;
  v_airflowPerPerson.EnableIt(!bTicked);
  v_roomSurface.EnableIt(!bTicked);
  if (bTicked) {
    v_areaPerPerson.EnableIt(false);
    v_numberOfPersons.EnableIt(false);
    v_totalSupply.EnableIt(true);
  } else {
    v_totalSupply.EnableIt(false);
    CTUnitInput& modeInput =
      v_requirement == TRequirement::NumberOfPersons ? v_numberOfPersons : v_areaPerPerson;
    modeInput.EnableIt(true);
    modeInput.SetVal(v_requirement == TRequirement::NumberOfPersons ? 20 : 5);
  }
  MarkChanged();
  CalcSupply();
}

void CTSelectionModel::TotalExhaustClick(bool bTicked)
{
  v_totalExhaustTicked = bTicked;
  v_totalExhaust.EnableIt(bTicked);
  MarkChanged();
  CalcSupply();
}

void CTSelectionModel::SetFamily(int nFamily)
{
  v_family = nFamily;
  if (!v_converting)
    FamilyChange();
}

void CTSelectionModel::SetRequirementMode(TRequirement mode)
{
  if (mode == TRequirement::NumberOfPersons)
    NumberOfPersonsClick();
  else
    AreaPerPersonClick();
}

void CTSelectionModel::SetTotalSupply(double Q)
{
  if (!v_totalSupplyTicked)
    TotalSupplyClick(true);
  v_totalSupply.SetVal(Q);
  CapacityCallBack();
}

void CTSelectionModel::SetTotalExhaust(double Q)
{
  if (!v_totalExhaustTicked)
    TotalExhaustClick(true);
  v_totalExhaust.SetVal(Q);
  CapacityCallBack();
}

void CTSelectionModel::Pick(int nRow)
{
  SelectedDevicesClick(nRow);
}

void CTSelectionModel::SelectedDevicesClick(int nRow)
{
  v_selectedRow = nRow;
  if (v_converting)
    return;
  v_message.reset();
  ComputeResults();
}

// ---- required airflows and the family ------------------------------------------

void CTSelectionModel::CalcSupply()
{
  if (v_converting)
    return;
  double Q = 0; // l/s
  const double perPerson = v_airflowPerPerson.GetVal();
  if (v_totalSupplyTicked) {
    Q = v_totalSupply.GetVal();
  } else if (v_requirement == TRequirement::AreaPerPerson) {
    Q = perPerson * v_roomSurface.GetVal() / v_areaPerPerson.GetVal();
    if (Q < v_minAirflow || Q > v_maxAirflow) {
      Q = std::clamp(Q, v_minAirflow, v_maxAirflow);
      v_areaPerPerson.Limit(perPerson * v_roomSurface.GetVal() / Q, TLimitReason::Requirement);
    }
  } else {
    Q = perPerson * v_numberOfPersons.GetVal();
    if (Q < v_minAirflow || Q > v_maxAirflow) {
      Q = std::clamp(Q, v_minAirflow, v_maxAirflow);
      v_numberOfPersons.Limit(catalogue::RoundHalfEven(Q / perPerson), TLimitReason::Requirement);
    }
  }
  // A typed total stays as typed; a derived one takes the input's resolution.
  if (!v_totalSupplyTicked)
    v_totalSupply.SetVal(Q);
  if (!v_totalExhaustTicked || v_totalExhaust.GetVal() == 0)
    v_totalExhaust.SetStoredVal(v_totalSupply.GetVal());
  FamilyChange();
}

void CTSelectionModel::FamilyChange()
{
  MarkChanged();
  v_cooling.SetFamily(v_family);
  v_heating.SetFamily(v_family);
  v_baseDevices.Clear();
  for (Cls_Brisa* unit : v_devices)
    if (unit->GetType() == v_family)
      v_baseDevices.Add(unit);
  v_speedTypes = Cls_Brisa::AvailableSpeedTypes(v_baseDevices);

  if (!v_baseDevices.IsEmpty()) {
    double minAirflow = 0, maxAirflow = 0, maxEsp = 0;
    Cls_Brisa::GetRanges(v_baseDevices, minAirflow, maxAirflow, maxEsp);
    // Whole l/s inside the units' range, so that the extreme inputs are offered.
    const double low = std::ceil(minAirflow / kAirflowFactor - 1e-9);
    const double high = std::max(low, std::floor(maxAirflow / kAirflowFactor + 1e-9));
    if (low != v_minAirflow || high != v_maxAirflow) {
      v_converting = true;
      const int resolution = EspResolution();
      const double espMax = catalogue::RoundHalfEven(maxEsp);
      // What the user asked for stays asked for: a value the new range cannot hold is reported.
      for (CTUnitInput* esp : {&v_designSupplyESP, &v_designExhaustESP}) {
        const double asked = esp->Requested().value_or(esp->GetVal());
        esp->SetupWindow(U_Pressure, 0, espMax, catalogue::RoundHalfEven(esp->GetVal()), resolution);
        esp->KeepRequested(asked, TLimitReason::Range);
      }
      v_minAirflow = low;
      v_maxAirflow = high;
      for (CTUnitInput* total : {&v_totalSupply, &v_totalExhaust}) {
        const double asked = total->Requested().value_or(total->GetVal());
        const bool enabled = total->Enabled();
        total->SetupWindow(U_Airflow, low, high, catalogue::RoundHalfEven(std::clamp(total->GetVal(), low, high)), 1);
        if (enabled)
          total->KeepRequested(asked, TLimitReason::Range);
      }
      v_converting = false;
      CalcSupply(); // comes back here with the range unchanged and selects
      return;
    }
  }
  // The chosen maximum speed is kept by name; a family without it offers its highest speed type.
  v_maxSpeedIndex = v_speedTypes.Count() - 1;
  for (int i = 0; i < v_speedTypes.Count(); ++i)
    if (!v_maxSpeedName.empty() && platform::EqualsIgnoreCase(v_speedTypes[i]->GetName(), v_maxSpeedName))
      v_maxSpeedIndex = i;
  SelectDevices();
}

// ---- the offered solutions -------------------------------------------------------

int CTSelectionModel::SearchFilter(int nIndex) const
{
  // The filter choice is offered for Brisa units only.
  return v_family == Cls_Brisa::kFamilyBrisa ? nIndex : 0;
}

void CTSelectionModel::SelectDevices()
{
  v_message.reset();
  const Cls_BrisaSpType* maxSpeed =
    v_maxSpeedIndex >= 0 && v_maxSpeedIndex < v_speedTypes.Count() ? v_speedTypes[v_maxSpeedIndex] : nullptr;
  if (v_family == Cls_Brisa::kFamilyPelmarMF) {
    v_totalExhaust.SetStoredVal(v_totalSupply.GetVal());
    v_designExhaustESP.SetStoredVal(v_designSupplyESP.GetVal());
  }
  v_supplyAir = v_totalSupply.GetVal() * kAirflowFactor;
  v_exhaustAir = v_totalExhaust.GetVal() * kAirflowFactor;
  const double supplyESP = v_designSupplyESP.GetVal(), exhaustESP = v_designExhaustESP.GetVal();

  v_currBrisa = nullptr;
  v_selectedRow = -1;
  v_usedOptionRows.clear();
  v_availOptionRows.clear();
  v_selectionList.ClearAndDestroy();
  v_plenumAvailable = false;
  v_rejections.clear();
  int code = 0;
  for (int plenum = Cls_Brisa::kPlenumNone; plenum <= Cls_Brisa::kPlenumAll; ++plenum) {
    int runCode = 0;
    std::vector<CTUnitRejection> rejections;
    OwningObjectList<Cls_Brisa> list =
      Cls_Brisa::SelectedDevices(v_baseDevices, maxSpeed, v_supplyAir, v_exhaustAir, supplyESP, exhaustESP,
                                 SearchFilter(v_supplyFilter), SearchFilter(v_exhaustFilter), plenum, runCode,
                                 &rejections);
    for (Cls_Brisa* solution : list)
      if (SearchedUnit(*solution).GetPlenumOption())
        v_plenumAvailable = true;
    if (plenum == v_plenum) {
      code = runCode;
      v_selectionList = std::move(list);
      v_rejections = std::move(rejections);
    }
  }
  if (v_selectionList.IsEmpty()) {
    ClearResults();
    ShowSelectionError(code);
  }
  v_selectedRow = v_selectionList.IsEmpty() ? -1 : 0;
  ComputeResults();
}

std::vector<CTSolutionRow> CTSelectionModel::SolutionRows() const
{
  std::vector<CTSolutionRow> rows;
  for (Cls_Brisa* solution : v_selectionList) {
    CTSolutionRow row;
    row.szUnit = solution->GetName();
    if (v_family != Cls_Brisa::kFamilyPelmarMF)
      solution->GetSpeedNames(row.szSupplySpeed, row.szExhaustSpeed);
    row.bHasPlenum = SearchedUnit(*solution).GetPlenumOption() != nullptr;
    row.SelKey = solution->v_selKey;
    row.AirflowShare_pct = AirflowShare(*solution);
    const auto [supply, exhaust] = EspOf(*solution);
    row.SupplyAvailable_Pa = supply.Available();
    row.ExhaustAvailable_Pa = exhaust.Available();
    row.bHasExhaust = FamilyTraits(v_family).bHasExhaust;
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<std::pair<std::string, int>> CTSelectionModel::Families() const
{
  std::uint16_t bits = 0;
  for (const Cls_Brisa* unit : v_devices)
    if (unit->GetType() >= 0 && unit->GetType() < 16)
      bits = static_cast<std::uint16_t>(bits | (1u << unit->GetType()));
  std::vector<std::pair<std::string, int>> families;
  Cls_Brisa::FillFamily(bits, families);
  return families;
}

// ---- results ---------------------------------------------------------------------

void CTSelectionModel::ClearResults()
{
  v_coolingResults = {};
  v_heatingResults = {};
  v_supplyEsp = {};
  v_exhaustEsp = {};
  v_cooling.ClearCalculatedHeaters();
  v_heating.ClearCalculatedHeaters();
}

bool CTSelectionModel::UpsideDownVisible() const
{
  return v_currBrisa && v_currBrisa->GetCanBeUpsideDown();
}

bool CTSelectionModel::HasHumidifier() const
{
  return v_currBrisa && v_currBrisa->GetNomHumidity() > 0;
}

double CTSelectionModel::ExhaustSupplyRatio() const
{
  return v_supplyAir > 0 ? v_exhaustAir / v_supplyAir : 0;
}

double CTSelectionModel::SupplyNominalRatio() const
{
  const double nominal = v_currBrisa ? v_currBrisa->GetNomAirflow() : 0;
  return nominal > 0 ? v_supplyAir / nominal : 0;
}

void CTSelectionModel::ShowSelectionError(int nCode)
{
  if (v_message)
    return; // one message per recalculation: the first one
  if (nCode == 0)
    ShowMessage({0, kMsgNoSolution, {}});
  else
    ShowMessage(SelectionErrorMessage(nCode, v_currBrisa, v_heating.Discharge().GetVal(), v_supplyAir, v_exhaustAir));
}

void CTSelectionModel::ComputeResults()
{
  ClearResults();
  // The message stays with the mode whose input was corrected.
  auto inputError = [this](CTModeResults& mode, int nMsgNo) {
    mode.Message = CTSelectionMessage{0, nMsgNo, {}};
    if (!v_message)
      ShowMessage(*mode.Message);
  };
  if (v_cooling.CheckCooling())
    return inputError(v_coolingResults, kMsgCoolingAmbientBelowRoom);
  if (v_heating.CheckHeating())
    return inputError(v_heatingResults, kMsgHeatingAmbientAboveRoom);
  if (v_cooling.CheckWBTemp())
    return inputError(v_coolingResults, kMsgWetBulbAboveDryBulb);
  if (v_heating.CheckWBTemp())
    return inputError(v_heatingResults, kMsgWetBulbAboveDryBulb);
  if (v_selectedRow < 0 || v_selectedRow >= v_selectionList.Count()) {
    v_currBrisa = nullptr;
    return;
  }
  v_currBrisa = v_selectionList[v_selectedRow];
  const bool upsideDown = UpsideDownVisible() && v_upsideDown;
  v_air.SetAltitude(v_altitude.GetVal());
  FillEsp();
  if (ComputeCooling(upsideDown))
    ComputeHeating(upsideDown);
}

void CTSelectionModel::FillEsp()
{
  std::tie(v_supplyEsp, v_exhaustEsp) = EspOf(*v_currBrisa);
}

std::pair<CTEspData, CTEspData> CTSelectionModel::EspOf(Cls_Brisa& solution) const
{
  Cls_Brisa& unit = SearchedUnit(solution);
  double plenumSupply = 0, plenumExhaust = 0;
  unit.GetPlenumESP(v_plenum, v_supplyAir, v_exhaustAir, plenumSupply, plenumExhaust);
  auto side = [&](const Cls_BrisaSpeed* speed, double airflow, double design, int filter, double plenum) {
    CTEspData esp;
    esp.PlenumDrop = plenum;
    esp.FilterDrop = unit.GetFilterESP(SearchFilter(filter), airflow);
    esp.FanPressure = speed ? speed->Evaluate(airflow) : 0;
    esp.AdditionalResistance = esp.FanPressure - design - esp.FilterDrop - esp.PlenumDrop;
    return esp;
  };
  std::pair<CTEspData, CTEspData> sides;
  sides.first = side(solution.GetSupplySpeed(), v_supplyAir, v_designSupplyESP.GetVal(), v_supplyFilter,
                     plenumSupply);
  if (FamilyTraits(v_family).bHasExhaust)
    sides.second = side(solution.GetExhaustSpeed(), v_exhaustAir, v_designExhaustESP.GetVal(), v_exhaustFilter,
                        plenumExhaust);
  return sides;
}

double CTSelectionModel::AirflowShare(const Cls_Brisa& solution) const
{
  const double maxAirflow = solution.GetMaxAirflow();
  const double required = FamilyTraits(v_family).bHasExhaust ? std::max(v_supplyAir, v_exhaustAir) : v_supplyAir;
  return maxAirflow > 0 ? required / maxAirflow * 100 : 0;
}

CTSelectionFigures CTSelectionModel::Figures() const
{
  CTSelectionFigures f;
  f.bHasExhaust = FamilyTraits(v_family).bHasExhaust;
  f.RequiredSupply_ls = v_supplyAir / kAirflowFactor;
  f.RequiredExhaust_ls = v_exhaustAir / kAirflowFactor;
  if (!v_currBrisa)
    return f;
  f.bPicked = true;
  f.AirflowShare_pct = AirflowShare(*v_currBrisa);
  f.SupplyAvailable_Pa = v_supplyEsp.Available();
  f.ExhaustAvailable_Pa = v_exhaustEsp.Available();
  // A speed's power input (W) is that of the unit running at that speed; with
  // two speeds the unit runs each fan at its own, so it draws their mean.
  const Cls_BrisaSpeed* supply = v_currBrisa->GetSupplySpeed();
  const Cls_BrisaSpeed* exhaust = f.bHasExhaust ? v_currBrisa->GetExhaustSpeed() : supply;
  if (!supply || !exhaust || !(supply->GetPowerInput() > 0) || !(exhaust->GetPowerInput() > 0))
    return f;
  const double power_W = (supply->GetPowerInput() + exhaust->GetPowerInput()) / 2;
  f.PowerInput_kW = power_W / 1000;
  const double airflow_m3s = (f.bHasExhaust ? std::max(v_supplyAir, v_exhaustAir) : v_supplyAir) / 3600;
  if (airflow_m3s > 0)
    f.SpecificFanPower_Wm3s = power_W / airflow_m3s;
  return f;
}

std::vector<CTInputNotice> CTSelectionModel::Notices() const
{
  const CTTempConditions::NamedInput inputs[] = {
    {&v_airflowPerPerson, "airflowPerPerson", "Airflow per person"},
    {&v_roomSurface, "roomSurface", "Room surface"},
    {&v_areaPerPerson, "areaPerPerson", "Area per person"},
    {&v_numberOfPersons, "numberOfPersons", "Number of persons"},
    {&v_totalSupply, "totalSupply", "Total supply"},
    {&v_totalExhaust, "totalExhaust", "Total exhaust"},
    {&v_altitude, "altitude", "Altitude"},
    {&v_designSupplyESP, "designSupplyESP", "Design supply ESP"},
    {&v_designExhaustESP, "designExhaustESP", "Design exhaust ESP"},
  };
  std::vector<CTInputNotice> notices;
  auto add = [&](const CTUnitInput& input, std::string key, std::string caption) {
    if (input.Requested())
      notices.push_back({&input, std::move(key), std::move(caption), *input.Requested(), input.GetVal(),
                         input.LimitReason()});
  };
  for (const CTTempConditions::NamedInput& n : inputs)
    add(*n.pInput, n.szKey, n.szCaption);
  for (const CTTempConditions* c : {&v_cooling, &v_heating}) {
    const std::string mode = c->IsCooling() ? "cooling" : "heating";
    const std::string title = c->IsCooling() ? "Cooling" : "Heating";
    for (const CTTempConditions::NamedInput& n : c->Inputs())
      add(*n.pInput, mode + "." + n.szKey, title + ": " + n.szCaption);
  }
  return notices;
}

// Computes a mode with the panel's selection; with "Calculated inlet" and a
// heater option that covers the heater just calculated, once more with that
// option, so that the result depends on this unit and these inputs only.
template <class Compute>
int CTSelectionModel::ComputeMode(CTTempConditions& conditions, CTModeResults& r, Compute compute)
{
  conditions.SetupInlet(SearchedUnit(*v_currBrisa).GetHeaterOptions());
  int code = compute(conditions.GetSelection(v_air));
  if (code == 0 && conditions.FitInletOption(r.InletHeater.CalcHeater))
    code = compute(conditions.GetSelection(v_air));
  if (code == 0)
    code = conditions.CheckHeaters(r.InletHeater.CalcHeater, r.SupplyHeater.CalcHeater);
  if (code != 0) {
    r.nCode = code;
    r.Message = SelectionErrorMessage(code, v_currBrisa, v_heating.Discharge().GetVal(), v_supplyAir, v_exhaustAir);
    ShowSelectionError(code);
    return code;
  }
  // Pelmar-MF shows the supply temperature the air reaches.
  r.SupplyTemp = v_family == Cls_Brisa::kFamilyPelmarMF ? r.States.SA.DBT : kNoValue;
  r.bComputed = true;
  return 0;
}

bool CTSelectionModel::ComputeCooling(bool bUpsideDown)
{
  Cls_Brisa& unit = *v_currBrisa;
  CTModeResults& r = v_coolingResults;
  if (v_family == Cls_Brisa::kFamilyPelmarMF) {
    int low = 0, high = 0;
    unit.GetCoolDischargeRange(low, high);
    v_cooling.SetDischarge(low, high);
  }
  const int code = ComputeMode(v_cooling, r, [&](const CTConditionSelection& sel) {
    r = {};
    r.InletHeater = {sel.UserInletHeater, 0};
    return unit.SelectForCooling(sel.IndoorDBT, sel.IndoorRH, sel.AmbientDBT, sel.AmbientRH, v_supplyAir,
                                 v_exhaustAir, v_air, EvaporatingTemp(), sel.Discharge, bUpsideDown, r.States,
                                 r.TotalCap, r.SensibleCap, r.TemperatureEff, r.EnthalpyEff, r.AmbientLimit,
                                 r.InletHeater);
  });
  if (code != 0)
    return false;
  unit.CalcCoolSavings(r.States, v_supplyAir, v_air, r.LatentSavings, r.SensibleSavings);
  return true;
}

bool CTSelectionModel::ComputeHeating(bool bUpsideDown)
{
  Cls_Brisa& unit = *v_currBrisa;
  CTModeResults& r = v_heatingResults;
  if (v_family == Cls_Brisa::kFamilyPelmarMF) {
    int low = 0, high = 0;
    unit.GetHeatDischargeRange(low, high);
    v_heating.SetDischarge(low, high);
  }
  const int code = ComputeMode(v_heating, r, [&](const CTConditionSelection& sel) {
    r = {};
    r.InletHeater = {sel.UserInletHeater, 0};
    r.SupplyHeater = {sel.UserSupplyHeater, 0};
    return unit.SelectForHeating(sel.IndoorDBT, sel.IndoorRH, sel.AmbientDBT, sel.AmbientRH, v_supplyAir,
                                 v_exhaustAir, v_air, sel.UserSupplyTemp, bUpsideDown, r.States, r.HeatCap,
                                 r.TemperatureEff, r.EnthalpyEff, r.AmbientLimit, r.Humidification, r.InletHeater,
                                 r.SupplyHeater);
  });
  if (code != 0)
    return false;
  unit.CalcHeatSavings(r.States, v_supplyAir, v_air, r.LatentSavings, r.SensibleSavings);
  return true;
}

// ---- options -----------------------------------------------------------------------

void CTSelectionModel::FillOptions()
{
  v_usedOptionRows.clear();
  v_availOptionRows.clear();
  if (!v_currBrisa)
    return;
  Cls_Brisa& unit = SearchedUnit(*v_currBrisa);
  const Cls_DeviceOption* coolHeater = v_cooling.GetSelectedHeaterOption();
  const Cls_DeviceOption* heatHeater = v_heating.GetSelectedHeaterOption();
  const Cls_DeviceOption* supplyFilter = unit.GetFilterOption(SearchFilter(v_supplyFilter));
  const Cls_DeviceOption* exhaustFilter = unit.GetFilterOption(SearchFilter(v_exhaustFilter));
  const Cls_DeviceOption* plenum = unit.GetPlenumOption();

  for (Cls_DevOptCombination* combination : v_currBrisa->GetOptionCombinationsForBrisa().Release()) {
    CTOptionRow row;
    row.pCombination.reset(combination);
    std::int32_t clsID = 0, objID = 0;
    combination->GetDeviceOption_REF(clsID, objID);
    const Cls_DeviceOption* option = nullptr;
    for (const Cls_DeviceOption* candidate : v_options)
      if (candidate->TableIndex() == clsID && candidate->GetID() == objID)
        option = candidate;
    if (!option)
      continue;
    bool used = combination->GetIsStandard() || combination->GetIsPreferred();
    for (const Cls_DevOptCombination* stored : v_currBrisa->GetUsedOptions())
      used = used || SameObject(stored, combination);
    row.bStandard = combination->GetIsStandard();
    row.szName = option->GetName();
    row.nType = option->GetType();
    row.nQuantity = combination->v_nbSelected;
    int count = -1; // the quantity the selection itself asks for
    if (row.nType == Cls_DeviceOption::kTypeHeater)
      count = (SameObject(coolHeater, option) ? 1 : 0) + (SameObject(heatHeater, option) ? 1 : 0);
    else if (row.nType == Cls_DeviceOption::kTypeFilter)
      count = (SameObject(supplyFilter, option) ? 1 : 0) + (SameObject(exhaustFilter, option) ? 1 : 0);
    else if (row.nType == Cls_DeviceOption::kTypePlenum) {
      const int half = (combination->GetNrRequired() + 1) / 2;
      count = !SameObject(plenum, option) ? 0 : v_plenum == Cls_Brisa::kPlenumOAEA ? half
                                              : v_plenum == Cls_Brisa::kPlenumAll  ? half * 2
                                                                                    : 0;
    }
    if (count == 0)
      continue;
    if (count > 0) {
      row.bStandard = used = true;
      row.nQuantity = combination->v_nbSelected = count;
    }
    (used ? v_usedOptionRows : v_availOptionRows).push_back(std::move(row));
  }
  UpdateUsedOptions();
}

void CTSelectionModel::RestoreUsedOptions(const std::vector<std::pair<int, int>>& options)
{
  if (!v_currBrisa)
    return;
  OwningObjectList<Cls_DevOptCombination> used;
  for (Cls_DevOptCombination* combination : v_currBrisa->GetOptionCombinationsForBrisa().Release()) {
    std::int32_t clsID = 0, objID = 0;
    combination->GetDeviceOption_REF(clsID, objID);
    if (std::find(options.begin(), options.end(), std::pair<int, int>{clsID, objID}) != options.end())
      used.Add(combination);
    else
      delete combination;
  }
  v_currBrisa->StoreUsedOptions(std::move(used));
  FillOptions();
}

void CTSelectionModel::SelectOption(int nAvailRow)
{
  if (nAvailRow < 0 || nAvailRow >= static_cast<int>(v_availOptionRows.size()))
    return;
  v_usedOptionRows.push_back(std::move(v_availOptionRows[static_cast<std::size_t>(nAvailRow)]));
  v_availOptionRows.erase(v_availOptionRows.begin() + nAvailRow);
  UpdateUsedOptions();
}

bool CTSelectionModel::DeselectOption(int nUsedRow)
{
  if (nUsedRow < 0 || nUsedRow >= static_cast<int>(v_usedOptionRows.size()))
    return false;
  if (v_usedOptionRows[static_cast<std::size_t>(nUsedRow)].bStandard) {
    v_message = CTSelectionMessage{0, kMsgCannotDeselectStandard, {}};
    return false;
  }
  v_availOptionRows.push_back(std::move(v_usedOptionRows[static_cast<std::size_t>(nUsedRow)]));
  v_usedOptionRows.erase(v_usedOptionRows.begin() + nUsedRow);
  UpdateUsedOptions();
  return true;
}

void CTSelectionModel::UpdateUsedOptions()
{
  if (!v_currBrisa)
    return;
  OwningObjectList<Cls_DevOptCombination> used;
  for (const CTOptionRow& row : v_usedOptionRows) {
    auto copy = TakeAs<Cls_DevOptCombination>(
      v_factory->CreateObject(Cls_DevOptCombination::kClassID, row.pCombination->GetID()));
    if (!copy)
      continue;
    copy->v_nbSelected = row.nQuantity;
    used.Add(copy.release());
  }
  v_currBrisa->StoreUsedOptions(std::move(used));
}

} // namespace aw
