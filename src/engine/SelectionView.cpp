#include "engine/SelectionView.h"

#include "air/NumberFormat.h"
#include "air/SI_Units.h"
#include "air/ValueFormatting.h"
#include "catalogue/ClPolynomial.h"
#include "engine/FamilyTraits.h"
#include "engine/UnitDataSheet.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace aw {
namespace {

std::string Decimal(double value, int nDigits)
{
  return Number2FmtStr(value, 1, nDigits, TU_Form::GetDecimalSeparator());
}


std::string Trimmed(const std::string& s)
{
  const std::size_t first = s.find_first_not_of(" \t\r\n");
  if (first == std::string::npos)
    return {};
  return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

CTViewBlock Block(std::string szTitle, std::vector<CTViewPair> pairs)
{
  return {std::move(szTitle), std::move(pairs)};
}

bool AllEmpty(const CTViewBlock& block)
{
  return std::all_of(block.pairs.begin(), block.pairs.end(), [](const CTViewPair& p) { return p.szValue.empty(); });
}

CTViewBlock HumidityBlock(const char* szTitle, CTUnitInput& dbt, CTUnitInput& humidity, bool bWetBulb)
{
  return Block(szTitle, {{"Dry bulb temperature", FormatInput(dbt)},
                         {bWetBulb ? "Wet bulb temperature" : "Relative humidity",
                          FormatInput(humidity, bWetBulb ? std::string() : std::string("%"))}});
}

// The speed type of a speed, none without one.
std::int32_t SpeedTypeOf(Cls_BrisaSpeed* pSpeed)
{
  if (!pSpeed)
    return 0;
  std::int32_t cls = 0, obj = 0;
  pSpeed->GetBrisaSpType_REF(cls, obj);
  return obj;
}

std::int32_t RefObject(Cls_BrisaSetting& setting, bool bExhaust)
{
  std::int32_t cls = 0, obj = 0;
  if (bExhaust)
    setting.GetBrisaSpType2_REF(cls, obj);
  else
    setting.GetBrisaSpType_REF(cls, obj);
  return obj;
}

// A fan-curve setting followed by the speed's step (after a blank, since settings end in digits).
std::string FanCurve(const std::string& szCurve, Cls_BrisaSpeed* pSpeed)
{
  const double step = pSpeed ? std::nearbyint(pSpeed->GetSelect1()) : 0;
  return step > 0 ? szCurve + " " + std::to_string(static_cast<long long>(step)) : szCurve;
}

} // namespace

int InputDecimals(const CTUnitInput& input, int nUnitIndex)
{
  int decimals = 3;
  switch (std::max(1, input.Resolution())) {
  case 1: decimals = 0; break;
  case 10: decimals = 1; break;
  case 100: decimals = 2; break;
  default: break;
  }
  // A unit other than the base unit shows no more decimals than it has
  // digits: a heater reads 3.500 kW but 11942 BTU/h.
  if (nUnitIndex != 0)
    decimals = std::min(decimals, TU_Form::GetDigits(input.Unit(), nUnitIndex));
  return decimals;
}

std::string FormatInput(const CTUnitInput& input, const std::string& szFixedUnit)
{
  const bool converts = input.Unit() != U_None && szFixedUnit.empty();
  const int unitIndex = converts ? TU_Form::GetNewIndex(input.Unit()) : 0;
  const double shown = input.StepOf(input.GetVal(), unitIndex) / std::max(1, input.Resolution());
  const std::string unit =
    !szFixedUnit.empty() ? szFixedUnit : (input.Unit() == U_None ? std::string() : TU_Form::GetCurrentString(input.Unit()));
  const std::string text = Decimal(shown, InputDecimals(input, unitIndex));
  return unit.empty() ? text : text + " " + unit;
}

std::string OptionTypeText(int nCode)
{
  static const char* const kTexts[] = {"Other",
                                       "Remote controller",
                                       "Remote controller - wireless",
                                       "Remote sensor",
                                       "Electric heater",
                                       "Drain pump",
                                       "Torel box",
                                       "Electronic circuit",
                                       "Filter",
                                       "QXA415 option board",
                                       "Decoration panel",
                                       "Central option board",
                                       "Close piping kit",
                                       "Joint for connecting to 2 ports",
                                       "RS232-C option board",
                                       "RS485 option board",
                                       "Alternate ports",
                                       "Varnik option",
                                       "BACNet extension",
                                       "Piping",
                                       "Strainer",
                                       "Height difference",
                                       "Function unit",
                                       "Condenser",
                                       "Control box",
                                       "Serpentine heat exchanger",
                                       "DX-coil",
                                       "High efficiency filter",
                                       "Plenum",
                                       "Remote controller - wifi"};
  if (nCode >= 0 && nCode < static_cast<int>(std::size(kTexts)))
    return kTexts[nCode];
  switch (nCode) {
  case 101: return "Gas boiler";
  case 102: return "Wiring center";
  case 103: return "UK tank kit";
  default: return "Unknown option type (" + std::to_string(nCode) + ")";
  }
}

std::string CTSelectionView::UnitName() const
{
  return HasUnit() ? v_model.CurrentBrisa()->GetQualifiedName() : std::string();
}

int CTSelectionView::UnitType() const
{
  return HasUnit() ? v_model.CurrentBrisa()->GetType() : -1;
}

bool CTSelectionView::HasExhaust() const
{
  return FamilyTraits(HasUnit() ? UnitType() : v_model.Family()).bHasExhaust;
}

bool CTSelectionView::IsFCSeries() const
{
  return HasUnit() && v_model.CurrentBrisa()->GetSeries() == "FC";
}

std::optional<std::string> CTSelectionView::UpsideDownCaption() const
{
  if (v_model.UpsideDownVisible() && v_model.UpsideDown())
    return std::string("Upside down installation");
  return std::nullopt;
}

CTViewBlock CTSelectionView::RoomAirflow() const
{
  CTViewBlock block{"Room Airflow Conditions", {{"Total supply airflow", FormatInput(v_model.TotalSupply())}}};
  if (HasExhaust())
    block.Add("Total exhaust airflow", FormatInput(v_model.TotalExhaust()));
  return block;
}

CTViewBlock CTSelectionView::Esp() const
{
  CTViewBlock block{"External Static Pressure", {{"Design supply ESP", FormatInput(v_model.DesignSupplyESP())}}};
  if (HasExhaust())
    block.Add("Design exhaust ESP", FormatInput(v_model.DesignExhaustESP()));
  return block;
}

CTViewBlock CTSelectionView::Altitude() const
{
  return Block("Altitude", {{"Altitude", FormatInput(v_model.Altitude())}});
}

CTConditionBlocks CTSelectionView::Conditions(bool bCooling) const
{
  CTTempConditions& c = bCooling ? v_model.Cooling() : v_model.Heating();
  CTConditionBlocks blocks;
  blocks.RA = HumidityBlock("Room Air (RA)", c.RoomDBT(), c.RoomHumidity(), c.RoomIsWetBulb());
  blocks.OA = HumidityBlock("Outdoor Air (OA)", c.AmbientDBT(), c.AmbientHumidity(), c.AmbientIsWetBulb());
  if (c.DischargeVisible())
    blocks.Discharge = Block("Discharge", {{"Discharge temperature", FormatInput(c.Discharge())}});
  const bool supplyLines = c.SupplyLinesVisible();
  const bool supplyTemp = supplyLines && c.SupplyTempTicked();
  const TInletChoice inlet = c.EffectiveInletChoice();
  const bool supply = supplyLines && c.SupplyChoice() == TSupplyChoice::UserDefined;
  if (inlet == TInletChoice::Calculated && !supply && !supplyTemp)
    return blocks;
  CTViewBlock heaters{"Heaters", {}};
  if (inlet == TInletChoice::Option) {
    const Cls_DeviceOption* option = c.GetSelectedHeaterOption();
    heaters.Add("Inlet heater", option ? option->GetName() + " (" + FormatPower(option->GetValue()) + ")" : std::string());
  } else if (inlet == TInletChoice::UserDefined) {
    heaters.Add("Inlet heater", FormatInput(c.InletHeaterInput()));
  }
  if (supplyTemp)
    heaters.Add("Supply temp.", FormatInput(c.SupplyTempInput()));
  if (supply)
    heaters.Add("Supply heater", FormatInput(c.SupplyHeaterInput()));
  blocks.Heaters = std::move(heaters);
  return blocks;
}

std::vector<CTViewBlock> CTSelectionView::PressureBlocks() const
{
  const CTFamilyTraits& traits = FamilyTraits(v_model.Family());
  const bool exhaust = traits.bHasExhaust;
  const bool unit = HasUnit();
  const bool shown = unit && v_model.CoolingResults().bComputed;
  const auto pressure = [shown](double value) { return shown ? FormatPressure(value) : std::string(); };
  const CTEspData& s = v_model.SupplyEsp();
  const CTEspData& e = v_model.ExhaustEsp();
  std::vector<CTViewBlock> blocks;
  if (exhaust) {
    CTViewBlock ratios{"Ratios", {{"Exhaust / supply airflow", unit ? Decimal(v_model.ExhaustSupplyRatio(), 2) : ""}}};
    if (traits.bHasCoil)
      ratios.Add("Supply / nominal airflow", unit ? Decimal(v_model.SupplyNominalRatio(), 2) : "");
    blocks.push_back(std::move(ratios));
  }
  const auto sides = [&](const char* szTitle, double supply, double exhaustValue) {
    CTViewBlock block{szTitle, {{"Supply", pressure(supply)}}};
    if (exhaust)
      block.Add("Exhaust", pressure(exhaustValue));
    return block;
  };
  blocks.push_back(sides("Additional resistance", s.AdditionalResistance, e.AdditionalResistance));
  if (traits.bHasFilters)
    for (CTViewBlock block : {sides("Filter pressure drop", s.FilterDrop, e.FilterDrop),
                              sides("Plenum pressure drop", s.PlenumDrop, e.PlenumDrop)})
      if (!AllEmpty(block))
        blocks.push_back(std::move(block));
  return blocks;
}

CTViewBlock CTSelectionView::HeaterResults(bool bCooling, const CTModeResults& r) const
{
  const bool shown = HasUnit() && r.bComputed;
  const auto power = [shown](double value) { return shown ? FormatComputedPower(value) : std::string(); };
  CTViewBlock block{"Heaters", {}};
  block.Add(bCooling ? "Switch on inlet heater above" : "Switch on inlet heater below",
            shown && r.AmbientLimit != kNoTemperature ? FormatTemperature(r.AmbientLimit, true) : "");
  block.Add("Inlet heater user setting", power(r.InletHeater.UserHeater));
  block.Add("Inlet heater calculated minimum", power(r.InletHeater.CalcHeater));
  if (FamilyTraits(v_model.Family()).ShowsSupplyHeater(bCooling)) {
    block.Add("Supply heater user setting", power(bCooling ? 0 : r.SupplyHeater.UserHeater));
    block.Add("Supply heater calculated minimum", power(bCooling ? 0 : r.SupplyHeater.CalcHeater));
  }
  return block;
}

std::vector<CTViewBlock> CTSelectionView::Results(bool bCooling) const
{
  const CTFamilyTraits& traits = FamilyTraits(v_model.Family());
  const CTModeResults& r = bCooling ? v_model.CoolingResults() : v_model.HeatingResults();
  const bool shown = HasUnit() && r.bComputed;
  const auto text = [shown](std::string s) { return shown ? s : std::string(); };
  std::vector<CTViewBlock> blocks;
  if (traits.bExchanger) {
    blocks.push_back(Block("Efficiencies", {{"Temperature exchange efficiency", text(FormatPercent(r.TemperatureEff))},
                                            {"Enthalpy exchange efficiency", text(FormatPercent(r.EnthalpyEff))}}));
    blocks.push_back(Block("Savings over Heat Exchanger",
                           {{"Latent heat savings", text(FormatComputedPower(r.LatentSavings))},
                            {"Sensible heat savings", text(FormatComputedPower(r.SensibleSavings))},
                            {"Total heat savings", text(FormatComputedPower(r.LatentSavings + r.SensibleSavings))}}));
  }
  if (traits.ShowsSupplyTemperature())
    blocks.push_back(Block("Supply Temperature", {{"Supply temperature", r.SupplyTemp > kNoValue ? text(FormatTemperature(r.SupplyTemp, true)) : ""}}));
  if (traits.ShowsHumidification(bCooling, v_model.HasHumidifier()))
    blocks.push_back(Block("Humidification", {{"Humidification amount", text(Decimal(r.Humidification, 1) + " kg/h")}}));
  blocks.push_back(HeaterResults(bCooling, r));
  return blocks;
}

std::array<std::optional<CTViewBlock>, 8> CTSelectionView::AirStates(bool bCooling) const
{
  static const char* const kTitles[] = {"Room Air (RA)",       "Outdoor Air (OA)",     "Exhaust Air (EA)",
                                        "Supply Air (SA)",     "Ventilation In (VI)",  "Ventilation Out (VO)",
                                        "Coil In (CI)",        "Humidifier In (HI)"};
  std::array<std::optional<CTViewBlock>, 8> blocks;
  const CTFamilyTraits& traits = FamilyTraits(v_model.Family());
  if (!traits.bHasModel)
    return blocks;
  const CTModeResults& r = bCooling ? v_model.CoolingResults() : v_model.HeatingResults();
  const bool shown = HasUnit() && r.bComputed;
  const AWPsychroSet& set = r.States;
  const RepPsychroPoint* points[] = {&set.RA, &set.OA, &set.EA, &set.SA, &set.VI, &set.VO, &set.CI, &set.HI};
  const double delta = DeltaEnthalpy(TU_Form::GetNewIndex(U_Temperature));
  const TAir& air = v_model.Air();
  for (int i = 0; i < kAirStateCount; ++i) {
    if (!traits.HasState(static_cast<TAirStateId>(i), bCooling, !bCooling && v_model.HasHumidifier()))
      continue;
    const RepPsychroPoint& p = *points[i];
    blocks[i] = Block(kTitles[i], {{"Dry bulb temperature", shown ? FormatTemperature(p.DBT, true) : ""},
                                   {"Wet bulb temperature", shown ? FormatTemperature(air.ConvertDBRH2WB(p.DBT, p.RH), true) : ""},
                                   {"Relative humidity", shown ? FormatPercent(p.RH) : ""},
                                   {"Absolute humidity", shown ? FormatHumidity(p.AH) : ""},
                                   {"Enthalpy", shown ? FormatEnthalpy(p.e, delta) : ""}});
  }
  return blocks;
}

std::optional<std::pair<CTViewBlock, CTViewBlock>> CTSelectionView::Capacities() const
{
  const CTFamilyTraits& traits = FamilyTraits(v_model.Family());
  if (!traits.bCapacities)
    return std::nullopt;
  const CTModeResults& cool = v_model.CoolingResults();
  const CTModeResults& heat = v_model.HeatingResults();
  const bool coolShown = HasUnit() && cool.bComputed;
  const bool heatShown = HasUnit() && heat.bComputed;
  CTViewBlock cooling{"Cooling Data for Tessel / Web Wright Input",
                      {{"Total cooling capacity", coolShown ? FormatComputedPower(cool.TotalCap) : ""}}};
  if (traits.bSensibleCapacity)
    cooling.Add("Sensible cooling capacity", coolShown ? FormatComputedPower(cool.SensibleCap) : "");
  CTViewBlock heating{"Heating Data for Tessel / Web Wright Input",
                      {{"Heating capacity", heatShown ? FormatComputedPower(heat.HeatCap) : ""}}};
  return std::pair{std::move(cooling), std::move(heating)};
}

std::vector<CTViewOption> CTSelectionView::UsedOptions() const
{
  std::vector<CTViewOption> options;
  for (const CTOptionRow& row : v_model.UsedOptions()) {
    const std::unique_ptr<Cls_DeviceOption> option = row.pCombination ? row.pCombination->GetDeviceOption() : nullptr;
    if (!option)
      continue;
    CTViewOption view;
    view.szPlainName = row.szName;
    view.szName = row.nQuantity > 1 ? row.szName + " × " + std::to_string(row.nQuantity) : row.szName;
    view.szType = OptionTypeText(option->GetType());
    view.szDescription = option->GetDescription();
    const double w = std::nearbyint(option->GetWidth()), h = std::nearbyint(option->GetHeight()),
                 d = std::nearbyint(option->GetDepth());
    if (w * h * d > 0)
      view.szWHD = FormatWHD(w, h, d);
    view.szMCA = Trimmed(option->GetMCA());
    options.push_back(std::move(view));
  }
  return options;
}

CTViewCommissioning CTSelectionView::Commissioning() const
{
  CTViewCommissioning c;
  Cls_Brisa* unit = v_model.CurrentBrisa();
  if (!unit)
    return c;
  unit->GetSpeedNames(c.szSupplySpeed, c.szExhaustSpeed);
  const bool shown = v_model.CoolingResults().bComputed;
  c.Dampers = {"Required Additional Resistance",
               {{"Supply", shown ? FormatPressure(v_model.SupplyEsp().AdditionalResistance) : ""}}};
  if (HasExhaust())
    c.Dampers.Add("Exhaust", shown ? FormatPressure(v_model.ExhaustEsp().AdditionalResistance) : "");
  const std::int32_t supplyType = SpeedTypeOf(unit->GetSupplySpeed());
  const std::int32_t exhaustType = SpeedTypeOf(unit->GetExhaustSpeed());
  for (const CTOptionRow& row : v_model.UsedOptions()) {
    const std::unique_ptr<Cls_DeviceOption> option = row.pCombination ? row.pCombination->GetDeviceOption() : nullptr;
    auto* tessel = dynamic_cast<Cls_TesselDeviceOption*>(option.get());
    const std::unique_ptr<Cls_BrisaSettingScheme> scheme = tessel ? tessel->GetBrisaSettingScheme() : nullptr;
    if (!scheme)
      continue;
    CTViewControllerSettings controller{row.szName, {}};
    for (Cls_BrisaSetting* setting : scheme->GetAllBrisaSetting()) {
      if (RefObject(*setting, false) != supplyType || RefObject(*setting, true) != exhaustType)
        continue;
      controller.settings.push_back({setting->GetVentilation(), setting->GetFanspeed(),
                                     FanCurve(setting->GetSupplyFanCurve(), unit->GetSupplySpeed()),
                                     FanCurve(setting->GetExhaustFanCurve(), unit->GetExhaustSpeed()),
                                     setting->GetFreshup(), setting->GetFanOperation()});
    }
    c.controllers.push_back(std::move(controller));
  }
  return c;
}

std::vector<CTViewBlock> CTSelectionView::TechnicalData(bool bLeftColumn) const
{
  std::vector<CTViewBlock> blocks;
  Cls_Brisa* unit = v_model.CurrentBrisa();
  if (!unit)
    return blocks;
  const std::vector<CTDataSheetSection> sections = DataSheetSections(GetUnitDataSheet(*unit));
  for (std::size_t i = 0; i < sections.size(); ++i) {
    // Dimensions, speed and ranges at the left; electrical data and the special limits at the right.
    const bool left = i == 0 || i == 2 || i == 3;
    if (left != bLeftColumn || !sections[i].bShown)
      continue;
    CTViewBlock block{sections[i].szCaption, {}};
    for (const CTDataSheetRow& row : sections[i].rows)
      if (!row.szText.empty())
        block.Add(row.szCaption, row.szText);
    if (!block.pairs.empty())
      blocks.push_back(std::move(block));
  }
  return blocks;
}

} // namespace aw
