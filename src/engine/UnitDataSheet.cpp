#include "engine/UnitDataSheet.h"

#include "air/NumberFormat.h"
#include "air/SI_Units.h"
#include "air/ValueFormatting.h"

#include "catalogue/ClDocumentation.h"
#include "catalogue/ClPolynomial.h"
#include "catalogue/ClPowerSupply.h"
#include "engine/ClBrisa.h"
#include "engine/SelectionModel.h"
#include "engine/FamilyTraits.h"

#include <charconv>
#include <memory>

namespace aw {
namespace {

// The number a stored text starts with ("230V" gives 230); 0 when there is none.
double LeadingNumber(const std::string& szText)
{
  const char* first = szText.data();
  const char* last = first + szText.size();
  while (first != last && *first == ' ')
    ++first;
  double value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  return error == std::errc() && end != first ? value : 0;
}

// The first documentation record that refers to the unit (class and object number).
void ReadDocumentation(Cls_Brisa& pUnit, CTUnitDataSheet& data)
{
  for (Cls_BrisaDocumentation* doc : AllRecordsOf<Cls_BrisaDocumentation>(false, pUnit.GetFactory())) {
    std::int32_t clsID = 0, objID = 0;
    doc->GetDevice_REF(clsID, objID);
    if (clsID != pUnit.TableIndex() || objID != pUnit.GetID())
      continue;
    data.width = doc->GetWidth();
    data.height = doc->GetHeight();
    data.depth = doc->GetDepth();
    data.weight = doc->GetWeight();
    return;
  }
}

void ReadElectricalData(Cls_Brisa& pUnit, CTUnitDataSheet& data)
{
  std::unique_ptr<Cls_PowerSupply> supply;
  std::unique_ptr<Cls_DevPSAllowed> allowance;
  pUnit.GetStandardPSData(supply, allowance);
  if (supply) {
    data.szPowerSupply = supply->GetName();
    data.szFrequency = Cls_PowerSupply::FrequencyString(supply->GetFrequencyKind());
    data.szPhases = supply->GetPhases();
    data.voltage = LeadingNumber(supply->GetVoltage());
  }
  if (allowance) {
    data.minVoltage = LeadingNumber(allowance->GetMinVolts());
    data.maxVoltage = LeadingNumber(allowance->GetMaxVolts());
    data.mca = allowance->GetMCA();
    data.mfa = allowance->GetMFA();
    data.rla = allowance->GetRLA();
    data.fla = allowance->GetFLA();
  }
}

void ReadSupplySpeed(const Cls_Brisa& pUnit, CTUnitDataSheet& data)
{
  const Cls_BrisaSpeed* speed = pUnit.GetSupplySpeed();
  if (!speed)
    return;
  data.szSoundLevel = speed->GetSoundLevel();
  data.szCurrent = speed->GetCurrent();
  data.powerInput = speed->GetPowerInput() / 1000; // stored in W
}

void ReadRanges(const Cls_Brisa& pUnit, CTUnitDataSheet& data)
{
  const bool pelmar = FamilyTraits(pUnit.GetType()).bFanOnlyLimits;
  data.ambient = {pUnit.GetOAMinTemp(), pUnit.GetOAMaxTemp()};
  data.room = {pUnit.GetRAMinTemp(), pUnit.GetRAMaxTemp()};
  // Only the lower limit of the air entering the exchanger is stored; above,
  // the outdoor-air limit applies.
  data.ventilationIn = {pUnit.GetVIMinTemp(), pUnit.GetOAMaxTemp()};
  data.maxAmbientRH = pUnit.GetOAMaxRH();
  // Pelmar-MF keeps its minimum humidity in heating in the room maximum's field.
  data.maxRoomRH = pelmar ? 0 : pUnit.GetRAMaxRH();
  data.maxExchangerRH = pUnit.GetVOMaxRH();
  if (pUnit.GetCanBeUpsideDown()) {
    // Installed upside down, the inlet and room limits stay; the exchanger's
    // own limit applies when it is set.
    data.maxAmbientRHUpsideDown = data.maxAmbientRH;
    data.maxRoomRHUpsideDown = data.maxRoomRH;
    data.maxExchangerRHUpsideDown =
      pUnit.GetVOMaxRHUpsideDown() > 0 ? pUnit.GetVOMaxRHUpsideDown() : data.maxExchangerRH;
  }
  if (pelmar) {
    data.fanOnly = {pUnit.GetMinTempFanOnly(), pUnit.GetMaxTempFanOnly()};
    data.minCoolingRH = pUnit.GetMinCoolRH();
    data.minHeatingRH = pUnit.GetMinHeatRH();
  }
}

// The options of the unit's combinations, in the combinations' order.
void ReadOptions(Cls_Brisa& pUnit, CTUnitDataSheet& data)
{
  for (Cls_DevOptCombination* combination : pUnit.GetOptionCombinationsForBrisa()) {
    const std::unique_ptr<Cls_DeviceOption> option = combination->GetDeviceOption();
    if (!option)
      continue;
    data.options.push_back({option->GetName(), option->GetDescription(), option->GetWidth(), option->GetHeight(),
                            option->GetDepth(), option->GetMCA()});
  }
}

std::string Number(double value, int nDigits)
{
  return value == 0 ? std::string() : Number2FmtStr(value, 1, nDigits, TU_Form::GetDecimalSeparator());
}

std::string WithUnit(const std::string& szNumber, const char* szUnit)
{
  return szNumber.empty() ? szNumber : szNumber + szUnit;
}

std::string Percent(double value)
{
  return WithUnit(Number(value, 0), "%");
}

std::string Range(const CTTemperatureRange& range)
{
  return FormatTemperature(range.min, false) + " .. " + FormatTemperature(range.max, true);
}

CTDataSheetSection Dimensions(const CTUnitDataSheet& d)
{
  return {"Box_Dimensions",
          "Dimensions",
          true,
          {{"Txt_WHD", "W×H×D", FormatWHD(d.width, d.height, d.depth)},
           {"Txt_Weight", "Weight", FormatMass(d.weight)},
           {"Txt_DuctDiameter", "Duct diameter", FormatShortLength(d.ductDiameter, true)},
           {"Txt_NominalAirflow", "Nominal airflow", FormatAirflow(d.nominalAirflow)},
           {"Txt_NominalHumidity", "Nominal humidity", WithUnit(Number(d.nominalHumidity, 1), " kg/h")}}};
}

CTDataSheetSection Electrical(const CTUnitDataSheet& d)
{
  const bool range = d.minVoltage != 0 || d.maxVoltage != 0;
  return {"Box_Electrical",
          "Electrical data",
          true,
          {{"Txt_PowerSupply", "Power supply", d.szPowerSupply},
           {"Txt_Frequency", "Frequency", d.szFrequency},
           {"Txt_Phases", "Phases", d.szPhases},
           {"Txt_Voltage", "Voltage", WithUnit(Number(d.voltage, 0), " V")},
           {"Txt_VoltageRange", "Voltage range",
            range ? Number(d.minVoltage, 0) + "~" + Number(d.maxVoltage, 0) + " V" : std::string()},
           {"Txt_MCA", "MCA", WithUnit(Number(d.mca, 2), " A")},
           {"Txt_MFA", "MFA", WithUnit(Number(d.mfa, 2), " A")},
           {"Txt_RLA", "RLA", WithUnit(Number(d.rla, 2), " A")},
           {"Txt_FLA", "FLA", WithUnit(Number(d.fla, 2), " A")}}};
}

CTDataSheetSection SupplySpeed(const CTUnitDataSheet& d)
{
  return {"Box_Speed",
          "Supply speed",
          true,
          {{"Txt_SoundLevel", "Sound level", d.szSoundLevel},
           {"Txt_Current", "Current", d.szCurrent},
           {"Txt_PowerInput", "Power input", FormatPower(d.powerInput)}}};
}

CTDataSheetSection Ranges(const CTUnitDataSheet& d)
{
  return {"Box_Ranges",
          "Operating ranges",
          true,
          {{"Txt_AmbientRange", "Ambient temperature", Range(d.ambient)},
           {"Txt_RoomRange", "Room temperature", Range(d.room)},
           {"Txt_VentInRange", "Ventilation in temperature", Range(d.ventilationIn)},
           {"Txt_MaxAmbientRH", "Maximum ambient humidity", Percent(d.maxAmbientRH)},
           {"Txt_MaxRoomRH", "Maximum room humidity", Percent(d.maxRoomRH)},
           {"Txt_MaxExchangerRH", "Maximum exchanger humidity", Percent(d.maxExchangerRH)}}};
}

CTDataSheetSection UpsideDown(const CTUnitDataSheet& d)
{
  return {"Box_UpsideDown",
          "Installed upside down",
          d.maxAmbientRHUpsideDown || d.maxRoomRHUpsideDown || d.maxExchangerRHUpsideDown,
          {{"Txt_MaxAmbientRHUD", "Maximum ambient humidity", Percent(d.maxAmbientRHUpsideDown.value_or(0))},
           {"Txt_MaxRoomRHUD", "Maximum room humidity", Percent(d.maxRoomRHUpsideDown.value_or(0))},
           {"Txt_MaxExchangerRHUD", "Maximum exchanger humidity", Percent(d.maxExchangerRHUpsideDown.value_or(0))}}};
}

CTDataSheetSection FanOnly(const CTUnitDataSheet& d)
{
  return {"Box_FanOnly",
          "Fan only",
          FamilyTraits(d.nFamily).bFanOnlyLimits,
          {{"Txt_FanOnlyRange", "Temperature range", Range(d.fanOnly)},
           {"Txt_MinCoolingRH", "Minimum humidity in cooling", Percent(d.minCoolingRH)},
           {"Txt_MinHeatingRH", "Minimum humidity in heating", Percent(d.minHeatingRH)}}};
}

} // namespace

std::string FormatWHD(double width, double height, double depth)
{
  return FormatShortLength(width, false) + "×" + FormatShortLength(height, false) + "×" +
         FormatShortLength(depth, true);
}

std::vector<CTDataSheetSection> DataSheetSections(const CTUnitDataSheet& data)
{
  return {Dimensions(data), Electrical(data), SupplySpeed(data), Ranges(data), UpsideDown(data), FanOnly(data)};
}

CTUnitDataSheet GetUnitDataSheet(Cls_Brisa& pUnit)
{
  CTUnitDataSheet data;
  data.szQualifiedName = pUnit.GetQualifiedName();
  data.nFamily = pUnit.GetType();
  ReadDocumentation(pUnit, data);
  data.ductDiameter = pUnit.GetDuctDiam();
  data.nominalAirflow = pUnit.GetNomAirflow() / CTSelectionModel::kAirflowFactor; // m³/h to l/s
  data.nominalHumidity = pUnit.GetNomHumidity() > 0 ? pUnit.GetNomHumidity() : 0;
  ReadElectricalData(pUnit, data);
  ReadSupplySpeed(pUnit, data);
  ReadRanges(pUnit, data);
  ReadOptions(pUnit, data);
  return data;
}

} // namespace aw
