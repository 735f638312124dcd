#include "app/DatabasePageData.h"

#include "catalogue/ClDocumentation.h"
#include "catalogue/ClPolynomial.h"
#include "catalogue/ClPowerSupply.h"
#include "engine/ClBrisa.h"
#include "engine/SelectionModel.h"
#include "i18n/BaseMsgMan.h"

#include <charconv>
#include <memory>

namespace aw::app {
namespace {

QString Q(const std::string& s)
{
  return QString::fromStdString(s);
}

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
void ReadDocumentation(Cls_Brisa& pUnit, DatabasePageData& data)
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

void ReadElectricalData(Cls_Brisa& pUnit, DatabasePageData& data)
{
  std::unique_ptr<Cls_PowerSupply> supply;
  std::unique_ptr<Cls_DevPSAllowed> allowance;
  pUnit.GetStandardPSData(supply, allowance);
  if (supply) {
    data.szPowerSupply = Q(supply->GetName());
    data.szFrequency = Q(Cls_PowerSupply::FrequencyString(supply->GetFrequencyKind()));
    data.szPhases = Q(supply->GetPhases());
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

void ReadSupplySpeed(const Cls_Brisa& pUnit, DatabasePageData& data)
{
  const Cls_BrisaSpeed* speed = pUnit.GetSupplySpeed();
  if (!speed)
    return;
  data.szSoundLevel = Q(speed->GetSoundLevel());
  data.szCurrent = Q(speed->GetCurrent());
  data.powerInput = speed->GetPowerInput() / 1000; // stored in W
}

void ReadRanges(const Cls_Brisa& pUnit, DatabasePageData& data)
{
  const bool pelmar = pUnit.GetType() == Cls_BrisaData::kFamilyPelmarMF;
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
void ReadOptions(Cls_Brisa& pUnit, DatabasePageData& data)
{
  for (Cls_DevOptCombination* combination : pUnit.GetOptionCombinationsForBrisa()) {
    const std::unique_ptr<Cls_DeviceOption> option = combination->GetDeviceOption();
    if (!option)
      continue;
    data.options.push_back({Q(option->GetName()), Q(option->GetDescription()), option->GetWidth(),
                            option->GetHeight(), option->GetDepth(), Q(option->GetMCA())});
  }
}

} // namespace

DatabasePageData GetDatabaseData(Cls_Brisa& pUnit)
{
  DatabasePageData data;
  data.szQualifiedName = Q(pUnit.GetQualifiedName());
  data.nFamily = pUnit.GetType();
  ReadDocumentation(pUnit, data);
  data.ductDiameter = pUnit.GetDuctDiam();
  data.nominalAirflow = pUnit.GetNomAirflow() / CTSelectionModel::kAirflowFactor; // m³/h to l/s
  if (pUnit.GetNomHumidity() > 0)
    data.szNominalHumidity = Q(i18n::Number2FmtStr(pUnit.GetNomHumidity(), 1, 1)) + QStringLiteral(" kg/h");
  ReadElectricalData(pUnit, data);
  ReadSupplySpeed(pUnit, data);
  ReadRanges(pUnit, data);
  ReadOptions(pUnit, data);
  return data;
}

} // namespace aw::app
