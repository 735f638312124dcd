// airwright-cli select: the whole selection without a window. The options
// are the Selection page's inputs (defaults as in the window); the output is
// the required airflows, the sorted solutions and the cooling and heating
// results of the picked solution, as a table or as JSON.

#include "cli/Commands.h"
#include "cli/SelectOptions.h"

#include "air/NumberFormat.h"
#include "air/SI_Units.h"
#include "air/TypedValue.h"
#include "air/ValueFormatting.h"
#include "catalogue/CatalogueSession.h"
#include "catalogue/CatalogueText.h"
#include "docs/Utf8.h"
#include "engine/EngineFactory.h"
#include "engine/FamilyTraits.h"
#include "engine/SelectionModel.h"
#include "engine/SelectionProject.h"
#include "engine/UnitDataSheet.h"
#include "foundation/PrintableBytes.h"
#include "i18n/BaseMsgMan.h"
#include "platform/CaseFolding.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace aw::cli {

namespace {

using Json = nlohmann::ordered_json;


// A number as typed and the index of its unit in the dimension (0: the base unit).
struct TypedValue
{
  double number = 0;
  int nUnitIndex = 0;
};

// A value with an optional unit of its dimension; a bare number is in the base unit.
TypedValue ParseValue(const std::string& szText, U_RepUnit TheUnit, const std::string& szOption)
{
  const CTTypedValue typed = ParseTypedValue(szText, TheUnit);
  if (typed.fault == TypedValueFault::NoNumber)
    throw CommandError(szOption + ": \"" + PrintableBytes(szText, 40) + "\" is no number");
  if (typed.fault == TypedValueFault::UnknownUnit)
    throw CommandError(szOption + ": unknown unit in \"" + PrintableBytes(szText, 40) + "\" (known: " +
                       KnownUnits(TheUnit) + ")");
  return {typed.number, typed.nUnitIndex};
}

// Enters a value as the user types it into the input: rounded once, in its
// unit. A value the input limits is taken as the window takes it; the
// model's notices say so.
void Enter(CTUnitInput& input, const std::string& szText, const std::string& szOption)
{
  const TypedValue typed = ParseValue(szText, input.Unit(), szOption);
  input.SetTypedVal(typed.number, typed.nUnitIndex);
}

// "T,RH": a temperature with an optional unit and a relative humidity in %.
std::pair<std::string, double> ParseCondition(const std::string& szText, const std::string& szOption)
{
  const std::size_t comma = szText.find(',');
  if (comma == std::string::npos)
    throw CommandError(szOption + " needs T,RH, e.g. 27,50");
  std::string rh = szText.substr(comma + 1);
  if (!rh.empty() && rh.back() == '%')
    rh.pop_back();
  // A second comma is a third field, not a decimal comma of the humidity.
  const std::optional<double> humidity = rh.find(',') == std::string::npos ? ParseNumber(rh) : std::nullopt;
  if (!humidity || *humidity < 0 || *humidity > 100)
    throw CommandError(szOption + ": \"" + PrintableBytes(szText.substr(comma + 1), 40) +
                       "\" is no relative humidity in % (the value is T,RH)");
  return {szText.substr(0, comma), *humidity};
}

int Choice(const std::string& szText, const std::vector<std::string>& names, const std::string& szOption)
{
  for (std::size_t i = 0; i < names.size(); ++i)
    if (platform::EqualsIgnoreCase(szText, names[i]))
      return static_cast<int>(i);
  std::string known;
  for (const std::string& name : names)
    known += (known.empty() ? "" : "|") + name;
  throw CommandError(szOption + ": \"" + szText + "\" is not one of " + known);
}

void ApplyConditions(CTTempConditions& c, const std::optional<std::string>& room,
                     const std::optional<std::string>& ambient, const std::optional<std::string>& discharge,
                     const std::optional<std::string>& inletHeater, const std::string& szMode)
{
  if (room) {
    const auto [t, rh] = ParseCondition(*room, "--" + szMode + "-room");
    c.SetRoom(c.RoomDBT().GetVal(), rh, false);
    Enter(c.RoomDBT(), t, "--" + szMode + "-room");
  }
  if (ambient) {
    const auto [t, rh] = ParseCondition(*ambient, "--" + szMode + "-ambient");
    c.SetAmbient(c.AmbientDBT().GetVal(), rh, false);
    Enter(c.AmbientDBT(), t, "--" + szMode + "-ambient");
  }
  if (discharge)
    Enter(c.Discharge(), *discharge, "--" + szMode + "-discharge");
  if (inletHeater) {
    Enter(c.InletHeaterInput(), *inletHeater, "--" + szMode + "-inlet-heater");
    c.SetInletChoice(TInletChoice::UserDefined);
  }
}

int FamilyCode(const std::string& szFamily)
{
  static const std::vector<std::string> kFamilies = {"brisa", "dorsa", "pelmar-mf"};
  return Choice(szFamily, kFamilies, "--family");
}

// The options given (but the family), as the user would enter them on the
// Selection page once the family and its ranges are in place; runs inside a bulk change.
void ApplyInputs(CTSelectionModel& model, const SelectOptions& o)
{
  static const std::vector<std::string> kFilters = {"none", "F6", "F7", "F8"};
  static const std::vector<std::string> kPlenums = {"none", "oa-ea", "all"};
  if (o.persons) {
    model.SetRequirementMode(CTSelectionModel::TRequirement::NumberOfPersons);
    model.NumberOfPersons().SetTypedVal(*o.persons, 0); // as typed: a value beyond the range is a notice
  } else if (o.areaPerPerson || o.roomSurface) {
    if (model.Requirement() != CTSelectionModel::TRequirement::AreaPerPerson)
      model.SetRequirementMode(CTSelectionModel::TRequirement::AreaPerPerson);
  }
  if (o.airflowPerPerson)
    Enter(model.AirflowPerPerson(), *o.airflowPerPerson, "--airflow-per-person");
  if (o.roomSurface)
    Enter(model.RoomSurface(), *o.roomSurface, "--room-surface");
  if (o.areaPerPerson)
    Enter(model.AreaPerPerson(), *o.areaPerPerson, "--area-per-person");
  if (o.supply) {
    if (!model.TotalSupplyTicked())
      model.TotalSupplyClick(true);
    Enter(model.TotalSupply(), *o.supply, "--supply");
  }
  if (o.exhaust) {
    if (!model.TotalExhaustTicked())
      model.TotalExhaustClick(true);
    Enter(model.TotalExhaust(), *o.exhaust, "--exhaust");
  }
  if (o.altitude)
    Enter(model.Altitude(), *o.altitude, "--altitude");
  if (o.espSupply)
    Enter(model.DesignSupplyESP(), *o.espSupply, "--esp-supply");
  if (o.espExhaust)
    Enter(model.DesignExhaustESP(), *o.espExhaust, "--esp-exhaust");
  if (o.supplyFilter)
    model.SetSupplyFilter(Choice(*o.supplyFilter, kFilters, "--supply-filter"));
  if (o.exhaustFilter)
    model.SetExhaustFilter(Choice(*o.exhaustFilter, kFilters, "--exhaust-filter"));
  if (o.plenum)
    model.SetPlenum(Choice(*o.plenum, kPlenums, "--plenum"));
  if (o.upsideDown)
    model.SetUpsideDown(true);
  ApplyConditions(model.Cooling(), o.coolingRoom, o.coolingAmbient, o.coolingDischarge, o.coolingInletHeater,
                  "cooling");
  ApplyConditions(model.Heating(), o.heatingRoom, o.heatingAmbient, o.heatingDischarge, o.heatingInletHeater,
                  "heating");
  if (o.supplyTemp) {
    model.Heating().SetSupplyTempTicked(true);
    Enter(model.Heating().SupplyTempInput(), *o.supplyTemp, "--supply-temp");
  }
  if (o.supplyHeater) {
    Enter(model.Heating().SupplyHeaterInput(), *o.supplyHeater, "--supply-heater");
    model.Heating().SetSupplyChoice(TSupplyChoice::UserDefined);
  }
  if (o.maxSpeed)
    model.SetMaxSpeedName(*o.maxSpeed);
}

// The speed types are those of the family's units, known once the family change has run.
void CheckMaxSpeed(const CTSelectionModel& model, const SelectOptions& o)
{
  if (!o.maxSpeed)
    return;
  std::vector<std::string> names;
  for (const Cls_BrisaSpType* type : model.MaxSpeedTypes())
    names.push_back(type->GetName());
  Choice(*o.maxSpeed, names, "--max-speed");
}

void Pick(CTSelectionModel& model, const SelectOptions& o)
{
  if (!o.pick)
    return;
  if (*o.pick < 1 || *o.pick > model.Solutions().Count())
    throw CommandError("--pick " + std::to_string(*o.pick) + ": there are " +
                       std::to_string(model.Solutions().Count()) + " solutions");
  model.Pick(*o.pick - 1);
}

std::string MessageText(const CTProjectFileMessage& message)
{
  return i18n::GetUnicodeString(message.nMsgNo, {message.szParam});
}

void OpenProject(CTSelectionModel& model, const SelectOptions& o, CTBaseFactory& factory)
{
  CTBrisaProjectData data;
  if (const auto failure =
        CTBrisaProjectIO::LoadProjectFile(*o.project, CTBrisaProjectIO::CatalogueOptions(&factory), data))
    throw CommandError(*o.project + ": " + MessageText(*failure));
  if (o.family)
    data.v_intfV0.v_family = FamilyCode(*o.family);
  ApplyProject(model, data, [&] { ApplyInputs(model, o); });
}

void SaveProject(CTSelectionModel& model, const std::string& szFile)
{
  const std::optional<CTBrisaProjectData> data = ProjectOfSelection(model);
  if (!data)
    throw CommandError(MessageText({CTBrisaProjectIO::kMsgNoSelectedDevice, {}}));
  if (const auto failure = CTBrisaProjectIO::SaveProjectFile(szFile, *data))
    throw CommandError(MessageText(*failure));
}

void Apply(CTSelectionModel& model, const SelectOptions& o, CTBaseFactory& factory)
{
  if (o.project) {
    OpenProject(model, o, factory);
  } else {
    if (o.family)
      model.SetFamily(FamilyCode(*o.family));
    model.BeginBulkChange();
    ApplyInputs(model, o);
    model.EndBulkChange();
  }
  CheckMaxSpeed(model, o);
  Pick(model, o);
}

// ---- output --------------------------------------------------------------------

Json Number(double value)
{
  return std::isfinite(value) && value > kNoValue ? Json(value) : Json(nullptr);
}

Json MessageJson(const CTSelectionMessage& message)
{
  return {{"code", message.nCode}, {"number", message.nMsgNo},
          {"text", i18n::GetUnicodeString(message.nMsgNo, message.params)}};
}

Json StateJson(const RepPsychroPoint& p)
{
  return {{"DBT", Number(p.DBT)}, {"RH", Number(p.RH)}, {"AH", Number(p.AH)}, {"e", Number(p.e)}};
}

Json HeaterJson(const AWHeaterSet& heater)
{
  return {{"user_kW", Number(heater.UserHeater)}, {"calculated_kW", Number(heater.CalcHeater)}};
}

Json RangeJson(const CTTemperatureRange& range)
{
  return {{"min_C", range.min}, {"max_C", range.max}};
}

Json OptionalJson(const std::optional<double>& value)
{
  return value ? Json(*value) : Json(nullptr);
}

// The unit's data sheet in base units (mm, kg, V, A, kW, l/s, °C, %, kg/h).
Json DataSheetJson(const CTUnitDataSheet& d)
{
  Json options = Json::array();
  for (const CTDataSheetOption& o : d.options)
    options.push_back({{"name", o.szName}, {"description", o.szDescription}, {"width_mm", o.width},
                       {"height_mm", o.height}, {"depth_mm", o.depth}, {"mca", o.szMCA}});
  return {
    {"name", d.szQualifiedName},
    {"family", d.nFamily},
    {"dimensions", {{"width_mm", d.width}, {"height_mm", d.height}, {"depth_mm", d.depth}, {"weight_kg", d.weight},
                    {"ductDiameter_mm", d.ductDiameter}, {"nominalAirflow_ls", d.nominalAirflow},
                    {"nominalHumidity_kgh", d.nominalHumidity}}},
    {"electrical", {{"powerSupply", d.szPowerSupply}, {"frequency", d.szFrequency}, {"phases", d.szPhases},
                    {"voltage_V", d.voltage}, {"minVoltage_V", d.minVoltage}, {"maxVoltage_V", d.maxVoltage},
                    {"mca_A", d.mca}, {"mfa_A", d.mfa}, {"rla_A", d.rla}, {"fla_A", d.fla}}},
    {"supplySpeed", {{"soundLevel", d.szSoundLevel}, {"current", d.szCurrent}, {"powerInput_kW", d.powerInput}}},
    {"limits", {{"ambient", RangeJson(d.ambient)}, {"room", RangeJson(d.room)},
                {"ventilationIn", RangeJson(d.ventilationIn)}, {"maxAmbientRH_pct", d.maxAmbientRH},
                {"maxRoomRH_pct", d.maxRoomRH}, {"maxExchangerRH_pct", d.maxExchangerRH},
                {"upsideDown", {{"maxAmbientRH_pct", OptionalJson(d.maxAmbientRHUpsideDown)},
                                {"maxRoomRH_pct", OptionalJson(d.maxRoomRHUpsideDown)},
                                {"maxExchangerRH_pct", OptionalJson(d.maxExchangerRHUpsideDown)}}},
                {"fanOnly", FamilyTraits(d.nFamily).bFanOnlyLimits
                              ? Json{{"range", RangeJson(d.fanOnly)}, {"minCoolingRH_pct", d.minCoolingRH},
                                     {"minHeatingRH_pct", d.minHeatingRH}}
                              : Json(nullptr)}}},
    {"options", options},
  };
}

Json ModeJson(const CTModeResults& r, bool bCooling)
{
  if (!r.bComputed && !r.Message)
    return {{"computed", false}};
  Json mode = {{"computed", r.bComputed}, {"code", r.nCode}};
  mode["message"] = r.Message ? MessageJson(*r.Message) : Json(nullptr);
  if (!r.bComputed)
    return mode;
  const AWPsychroSet& s = r.States;
  mode["states"] = {{"RA", StateJson(s.RA)}, {"OA", StateJson(s.OA)}, {"EA", StateJson(s.EA)},
                    {"SA", StateJson(s.SA)}, {"VI", StateJson(s.VI)}, {"VO", StateJson(s.VO)},
                    {"CI", StateJson(s.CI)}, {"HI", StateJson(s.HI)}};
  mode["temperatureEfficiency_pct"] = Number(r.TemperatureEff);
  mode["enthalpyEfficiency_pct"] = Number(r.EnthalpyEff);
  mode["heaters"] = {{"inlet", HeaterJson(r.InletHeater)}, {"supply", HeaterJson(r.SupplyHeater)},
                     {"inletSwitchTemp_C", r.AmbientLimit == kNoTemperature ? Json(nullptr) : Number(r.AmbientLimit)}};
  if (bCooling)
    mode["capacities"] = {{"total_kW", Number(r.TotalCap)}, {"sensible_kW", Number(r.SensibleCap)}};
  else
    mode["capacities"] = {{"heating_kW", Number(r.HeatCap)}};
  mode["savings"] = {{"latent_kW", Number(r.LatentSavings)},
                     {"sensible_kW", Number(r.SensibleSavings)},
                     {"total_kW", Number(r.LatentSavings + r.SensibleSavings)}};
  mode["humidification_kgh"] = Number(r.Humidification);
  mode["supplyTemp_C"] = Number(r.SupplyTemp);
  return mode;
}

Json EspJson(const CTEspData& esp)
{
  return {{"fan_Pa", esp.FanPressure}, {"filter_Pa", esp.FilterDrop}, {"plenum_Pa", esp.PlenumDrop},
          {"available_Pa", esp.Available()}, {"additionalResistance_Pa", esp.AdditionalResistance}};
}

// The inputs that hold another value than asked for, in base units.
Json NoticesJson(const CTSelectionModel& model)
{
  Json notices = Json::array();
  for (const CTInputNotice& notice : model.Notices())
    notices.push_back({{"input", notice.szInput},
                       {"typed", notice.Typed},
                       {"used", notice.Used},
                       {"reason", notice.Reason == TLimitReason::Requirement ? "requirement" : "range"},
                       {"text", MessageJson(NoticeMessage(notice))["text"]}});
  return notices;
}

// Why each unit of the family offered no solution.
Json RejectionsJson(const CTSelectionModel& model)
{
  Json rejections = Json::array();
  for (const CTUnitRejection& r : model.Rejections()) {
    const CTSelectionMessage message = r.bNoFilter   ? CTSelectionMessage{0, kMsgNoFilterOfClass, {}}
                                       : r.nCode == 0 ? CTSelectionMessage{0, kMsgNoSolution, {}}
                                                      : SelectionErrorMessage(r.nCode, nullptr, 0);
    rejections.push_back({{"unit", r.szUnit}, {"code", r.nCode}, {"message", MessageJson(message)["text"]}});
  }
  return rejections;
}

Json ResultJson(CTSelectionModel& model)
{
  Json out;
  out["family"] = {{"code", model.Family()}, {"name", Cls_BrisaData::Family2Str(model.Family())}};
  out["inputs"] = {{"supply_ls", model.TotalSupply().GetVal()},
                   {"exhaust_ls", model.TotalExhaust().GetVal()},
                   {"espSupply_Pa", model.DesignSupplyESP().GetVal()},
                   {"espExhaust_Pa", model.DesignExhaustESP().GetVal()},
                   {"altitude_m", model.Altitude().GetVal()},
                   {"familyAirflowRange_ls", {model.MinAirflow(), model.MaxAirflow()}}};
  const CTSelectionFigures figures = model.Figures();
  out["requiredAirflow"] = {{"supply_m3h", model.SupplyAir()}, {"exhaust_m3h", model.ExhaustAir()},
                            {"supply_ls", figures.RequiredSupply_ls}, {"exhaust_ls", figures.RequiredExhaust_ls}};
  out["notices"] = NoticesJson(model);
  out["message"] = model.Message() ? MessageJson(*model.Message()) : Json(nullptr);
  out["rejections"] = RejectionsJson(model);
  Json solutions = Json::array();
  for (const CTSolutionRow& row : model.SolutionRows())
    solutions.push_back({{"unit", row.szUnit}, {"supplySpeed", row.szSupplySpeed},
                         {"exhaustSpeed", row.szExhaustSpeed}, {"sortKey", row.SelKey}, {"plenum", row.bHasPlenum},
                         {"airflowShare_pct", row.AirflowShare_pct}, {"availableSupply_Pa", row.SupplyAvailable_Pa},
                         {"availableExhaust_Pa", row.bHasExhaust ? Json(row.ExhaustAvailable_Pa) : Json(nullptr)}});
  out["solutions"] = solutions;
  Cls_Brisa* unit = model.CurrentBrisa();
  if (!unit) {
    out["picked"] = nullptr;
    return out;
  }
  Json picked = {{"index", model.SelectedRow() + 1}, {"name", unit->GetQualifiedName()}};
  picked["esp"] = {{"supply", EspJson(model.SupplyEsp())}, {"exhaust", EspJson(model.ExhaustEsp())}};
  picked["exhaustSupplyRatio"] = model.ExhaustSupplyRatio();
  picked["airflowShare_pct"] = figures.AirflowShare_pct;
  picked["powerInput_kW"] = OptionalJson(figures.PowerInput_kW);
  picked["specificFanPower_Wm3s"] = OptionalJson(figures.SpecificFanPower_Wm3s);
  picked["cooling"] = ModeJson(model.CoolingResults(), true);
  picked["heating"] = ModeJson(model.HeatingResults(), false);
  model.FillOptions();
  Json options = Json::array();
  for (const CTOptionRow& row : model.UsedOptions())
    options.push_back({{"name", row.szName}, {"type", row.nType}, {"quantity", row.nQuantity}, {"standard", row.bStandard}});
  picked["usedOptions"] = options;
  picked["datasheet"] = DataSheetJson(GetUnitDataSheet(*unit));
  out["picked"] = picked;
  return out;
}

// ---- text output: the window's captions in the user's language, values in the units in effect ----

std::string Tr(const char* szText) { return i18n::TranslatedText(szText); }

// A value of the JSON (in the base unit) in the unit in effect, without its unit; "-" for none.
std::string Cell(const Json& value, U_RepUnit unit, double offset = 0)
{
  return value.is_number() ? TU_Form::PutFmtDimensionedValue(value.get<double>() + offset, unit, 1, true) : "-";
}

std::string Shown(const Json& value, U_RepUnit unit, double offset = 0)
{
  return value.is_number() ? Cell(value, unit, offset) + " " + TU_Form::GetCurrentString(unit) : "-";
}

std::string Fixed(const Json& value, int nDigits)
{
  return value.is_number() ? Number2FmtStr(value.get<double>(), 0, nDigits) : "-";
}

std::size_t CharCount(const std::string& text)
{
  return docs::DecodeUtf8(text).size(); // characters, not bytes
}

// Columns as wide as their widest cell or title: the first nLeftColumns
// left-aligned, the others (numbers) right-aligned.
class TextTable
{
public:
  TextTable(std::vector<std::string> titles, std::size_t nLeftColumns) : v_leftColumns(nLeftColumns)
  {
    Add(std::move(titles));
  }
  void Add(std::vector<std::string> cells) { v_rows.push_back(std::move(cells)); }
  void Print() const
  {
    std::vector<std::size_t> widths;
    for (const std::vector<std::string>& row : v_rows)
      for (std::size_t i = 0; i < row.size(); ++i) {
        widths.resize(std::max(widths.size(), i + 1), 0);
        widths[i] = std::max(widths[i], CharCount(row[i]));
      }
    for (const std::vector<std::string>& row : v_rows) {
      std::string line = " ";
      for (std::size_t i = 0; i < row.size(); ++i) {
        const std::string pad(widths[i] - CharCount(row[i]), ' ');
        line += "  " + (i < v_leftColumns ? row[i] + pad : pad + row[i]);
      }
      while (!line.empty() && line.back() == ' ')
        line.pop_back();
      std::cout << line << '\n';
    }
  }

private:
  std::size_t v_leftColumns;
  std::vector<std::vector<std::string>> v_rows;
};

void PrintLine(const std::string& szCaption, const std::string& szValue, const char* szIndent = "  ")
{
  std::cout << szIndent << szCaption << ": " << szValue << '\n';
}

void PrintStates(const Json& states)
{
  const auto unit = [](U_RepUnit u) { return " " + TU_Form::GetCurrentString(u); };
  TextTable table({Tr("State"), Tr("Dry bulb") + unit(U_Temperature), Tr("Relative humidity") + " %",
                   Tr("Absolute humidity") + unit(U_Humidity), Tr("Enthalpy") + unit(U_Enthalpy)},
                  1);
  const double enthalpyOffset = DeltaEnthalpy(TU_Form::GetNewIndex(U_Temperature)); // imperial counts from 0 °F
  for (const auto& [name, s] : states.items())
    table.Add({name, Cell(s["DBT"], U_Temperature), Fixed(s["RH"], 1), Cell(s["AH"], U_Humidity),
               Cell(s["e"], U_Enthalpy, enthalpyOffset)});
  table.Print();
}

void PrintMode(bool bCooling, const Json& mode)
{
  std::cout << '\n' << Tr(bCooling ? "Cooling" : "Heating") << '\n';
  if (mode.contains("message") && !mode["message"].is_null())
    PrintLine(Tr("Error") + " " + std::to_string(mode["code"].get<int>()), mode["message"]["text"].get<std::string>());
  if (!mode.value("computed", false)) {
    std::cout << "  " << Tr("Not computed") << '\n';
    return;
  }
  PrintStates(mode["states"]);
  PrintLine(Tr("Temperature exchange efficiency"), Fixed(mode["temperatureEfficiency_pct"], 1) + " %");
  PrintLine(Tr("Enthalpy exchange efficiency"), Fixed(mode["enthalpyEfficiency_pct"], 1) + " %");
  const Json& capacities = mode["capacities"];
  if (bCooling) {
    PrintLine(Tr("Total cooling capacity"), Shown(capacities["total_kW"], U_Power));
    PrintLine(Tr("Sensible cooling capacity"), Shown(capacities["sensible_kW"], U_Power));
  } else {
    PrintLine(Tr("Heating capacity"), Shown(capacities["heating_kW"], U_Power));
  }
  PrintLine(Tr("Latent heat savings"), Shown(mode["savings"]["latent_kW"], U_Power));
  PrintLine(Tr("Sensible heat savings"), Shown(mode["savings"]["sensible_kW"], U_Power));
  PrintLine(Tr("Total heat savings"), Shown(mode["savings"]["total_kW"], U_Power));
  const Json& heaters = mode["heaters"];
  PrintLine(Tr("Inlet heater user setting"), Shown(heaters["inlet"]["user_kW"], U_Power));
  PrintLine(Tr("Inlet heater calculated minimum"), Shown(heaters["inlet"]["calculated_kW"], U_Power));
  PrintLine(Tr(bCooling ? "Switch on inlet heater above" : "Switch on inlet heater below"),
            Shown(heaters["inletSwitchTemp_C"], U_Temperature));
  PrintLine(Tr("Supply heater user setting"), Shown(heaters["supply"]["user_kW"], U_Power));
  PrintLine(Tr("Supply heater calculated minimum"), Shown(heaters["supply"]["calculated_kW"], U_Power));
  if (mode["humidification_kgh"].is_number() && mode["humidification_kgh"].get<double>() > 0)
    PrintLine(Tr("Humidification amount"), Fixed(mode["humidification_kgh"], 1) + " kg/h");
  if (mode["supplyTemp_C"].is_number())
    PrintLine(Tr("Supply temperature"), Shown(mode["supplyTemp_C"], U_Temperature));
}

void PrintSolutions(const Json& solutions)
{
  std::cout << '\n' << Tr("Solutions") << '\n';
  TextTable table({"#", Tr("Device"), Tr("Supply speed"), Tr("Exhaust speed"), Tr("Sort key")}, 4);
  int n = 0;
  for (const Json& s : solutions)
    table.Add({std::to_string(++n), s["unit"].get<std::string>() + (s["plenum"].get<bool>() ? " ✔" : ""),
               s["supplySpeed"].get<std::string>(), s["exhaustSpeed"].get<std::string>(), Fixed(s["sortKey"], 1)});
  table.Print();
}

void PrintText(const Json& out)
{
  PrintLine(Tr("Family"), out["family"]["name"].get<std::string>(), "");
  // The required airflows are m³/h in the JSON; the airflow unit's base is l/s.
  const auto airflow = [](const Json& m3h) { return m3h.is_number() ? Json(m3h.get<double>() / 3.6) : m3h; };
  PrintLine(Tr("Total supply airflow"), Shown(airflow(out["requiredAirflow"]["supply_m3h"]), U_Airflow), "");
  PrintLine(Tr("Total exhaust airflow"), Shown(airflow(out["requiredAirflow"]["exhaust_m3h"]), U_Airflow), "");
  if (!out["message"].is_null())
    PrintLine(Tr("Message") + " " + std::to_string(out["message"]["number"].get<int>()),
              out["message"]["text"].get<std::string>(), "");
  PrintSolutions(out["solutions"]);
  if (out["picked"].is_null())
    return;
  const Json& picked = out["picked"];
  std::cout << '\n';
  PrintLine(Tr("Selected unit") + " " + std::to_string(picked["index"].get<int>()), picked["name"].get<std::string>(), "");
  for (const bool bSupply : {true, false}) {
    const Json& esp = picked["esp"][bSupply ? "supply" : "exhaust"];
    PrintLine(Tr(bSupply ? "Supply" : "Exhaust"),
              Tr("Fan pressure") + " " + Shown(esp["fan_Pa"], U_Pressure) + ", " + Tr("Filter pressure drop") + " " +
                Shown(esp["filter_Pa"], U_Pressure) + ", " + Tr("Plenum pressure drop") + " " +
                Shown(esp["plenum_Pa"], U_Pressure) + ", " + Tr("Additional resistance") + " " +
                Shown(esp["additionalResistance_Pa"], U_Pressure));
  }
  PrintMode(true, picked["cooling"]);
  PrintMode(false, picked["heating"]);
}

} // namespace

void ApplySelectOptions(CTSelectionModel& model, const SelectOptions& o, CTBaseFactory& factory)
{
  Apply(model, o, factory);
  // Every input that holds another value than asked for is said once.
  for (const Json& notice : NoticesJson(model))
    std::cerr << "notice: " << notice["text"].get<std::string>() << '\n';
}

void EndWithSelectionMessage(const CTSelectionModel& model)
{
  if (model.Message())
    throw CommandError(i18n::GetUnicodeString(model.Message()->nMsgNo, model.Message()->params), 2);
}

void UseProgramUnits()
{
  for (int index = 0; index < TU_Form::DimensionCount(U_Pressure); ++index)
    if (NormalisedUnit(TU_Form::GetSpecificString(U_Pressure, index)) == "inh2o")
      return;
  TU_Form::AddImperialUnits();
}

void UseUnitSystem(bool bImperial)
{
  UseProgramUnits();
  static const std::pair<U_RepUnit, const char*> kImperial[] = {
    {U_Temperature, "f"}, {U_Humidity, "gpp"}, {U_Enthalpy, "btu/lbs"}, {U_Airflow, "cfm"},
    {U_Length, "ft"},     {U_Surface, "ft2"},  {U_Pressure, "inh2o"},   {U_Power, "btu/h"}};
  for (const auto& [group, caption] : kImperial) {
    int index = 0;
    for (int i = 0; bImperial && i < TU_Form::DimensionCount(group); ++i)
      if (NormalisedUnit(TU_Form::GetSpecificString(group, i)) == caption)
        index = i;
    TU_Form::SetNewIndex(group, index, false);
  }
}

namespace {

void Run(const SelectOptions& o, const CommonOptions& common)
{
  i18n::RegisterProgramMessages();
  UseProgramUnits();
  const auto session = OpenProgramCatalogue(common, std::make_unique<CTEngineFactory>());
  CTSelectionModel model(&session->Factory());
  ApplySelectOptions(model, o, session->Factory());
  if (o.saveProject)
    SaveProject(model, *o.saveProject);
  const Json out = ResultJson(model);
  if (o.json)
    std::cout << out.dump(2) << '\n';
  else
    PrintText(out);
  std::cout.flush();
  if (model.Message())
    throw CommandError(out["message"]["text"].get<std::string>(), 2);
}

} // namespace

void AddSelectOptions(CLI::App& cmd, SelectOptions& o)
{
  cmd.add_option("--family", o.family, "brisa|dorsa|pelmar-mf (default brisa)");
  cmd.add_option("--airflow-per-person", o.airflowPerPerson, "Airflow per person (default 5 l/s)");
  cmd.add_option("--room-surface", o.roomSurface, "Room surface (default 100 m²)");
  auto* area = cmd.add_option("--area-per-person", o.areaPerPerson, "Area per person (default 5 m²)");
  cmd.add_option("--persons", o.persons, "Number of persons: the requirement by persons")->excludes(area);
  cmd.add_option("--supply", o.supply, "Total supply airflow, entered directly");
  cmd.add_option("--exhaust", o.exhaust, "Total exhaust airflow, entered directly");
  cmd.add_option("--altitude", o.altitude, "Site altitude (default 0 m)");
  cmd.add_option("--esp-supply", o.espSupply, "Design supply ESP (default 150 Pa)");
  cmd.add_option("--esp-exhaust", o.espExhaust, "Design exhaust ESP (default 150 Pa)");
  cmd.add_option("--supply-filter", o.supplyFilter, "none|F6|F7|F8 (Brisa only)");
  cmd.add_option("--exhaust-filter", o.exhaustFilter, "none|F6|F7|F8 (Brisa only)");
  cmd.add_option("--plenum", o.plenum, "none|oa-ea|all");
  cmd.add_option("--max-speed", o.maxSpeed, "Highest speed type allowed (default the family's highest)");
  cmd.add_flag("--upside-down", o.upsideDown, "Upside-down installation (where the unit allows it)");
  cmd.add_option("--cooling-room", o.coolingRoom, "Cooling room air T,RH (default 27 °C, wet bulb 19 °C)");
  cmd.add_option("--cooling-ambient", o.coolingAmbient, "Cooling ambient air T,RH (default 35,50)");
  cmd.add_option("--heating-room", o.heatingRoom, "Heating room air T,RH (default 20,50)");
  cmd.add_option("--heating-ambient", o.heatingAmbient, "Heating ambient air T,RH (default 7,50)");
  cmd.add_option("--cooling-discharge", o.coolingDischarge, "Pelmar-MF discharge in cooling (default 18 °C)");
  cmd.add_option("--heating-discharge", o.heatingDischarge, "Pelmar-MF discharge in heating (default 25 °C)");
  cmd.add_option("--supply-temp", o.supplyTemp, "Brisa: minimum supply temperature in heating");
  cmd.add_option("--cooling-inlet-heater", o.coolingInletHeater, "User inlet heater in cooling, kW");
  cmd.add_option("--heating-inlet-heater", o.heatingInletHeater, "User inlet heater in heating, kW");
  cmd.add_option("--supply-heater", o.supplyHeater, "Brisa: user supply heater in heating, kW");
  cmd.add_option("--pick", o.pick, "The solution whose results are computed (default 1, the first)");
  cmd.add_option("--project", o.project,
                  "Opens a project file as the window does; the other options given override its values")
    ->check(CLI::ExistingFile);
}

void AddSelectCommand(CLI::App& app, const CommonOptions& common)
{
  auto* cmd = app.add_subcommand(
    "select", "Selects units for a room: required airflows, sorted solutions, cooling and heating results. "
              "Values take a unit suffix (1200m3/h, 333l/s, 700cfm, 150Pa, 0.6inH2O, -10C, 14F); a bare "
              "number is in the base unit (l/s, m², m, Pa, °C, kW). Exit code 2: a selection message.");
  auto o = std::make_shared<SelectOptions>();
  AddSelectOptions(*cmd, *o);
  cmd->add_option("--save-project", o->saveProject, "Writes the selection (picked solution, options) as a project file");
  cmd->add_flag("--json", o->json, "Prints the result as JSON");
  cmd->callback([o, &common] { Run(*o, common); });
}

} // namespace aw::cli
