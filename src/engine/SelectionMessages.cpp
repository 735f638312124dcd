#include "engine/SelectionMessages.h"

#include "air/SI_Units.h"
#include "catalogue/CatalogueText.h"
#include "engine/ClBrisa.h"
#include "engine/ResultCodes.h"

namespace aw {

namespace {

struct CodeMessage
{
  int nCode;
  int nMsgNo;
};

// Every code has its message; the supply heater below its minimum has no
// message of its own and shows the general one.
constexpr CodeMessage kMessages[] = {
  {rcSupplyAirflowTooSmall, 68}, {rcSupplyAirflowTooLarge, 67}, {rcExhaustAirflowTooSmall, 46},
  {rcExhaustAirflowTooLarge, 45}, {rcSupplyEspTooSmall, 70},     {rcSupplyEspTooLarge, 69},
  {rcExhaustEspTooSmall, 48},    {rcExhaustEspTooLarge, 47},     {rcRoomRH, 62},
  {rcAmbientRH, 60},             {rcRoomTemp, 61},               {rcAmbientTemp, 59},
  {rcInletTemp, 63},             {rcAirflow, kMsgAirflowOutsideUnitRange},
  {rcNoCoolCapacity, 44},        {rcNoHeatCapacity, 49},         {rcDischargeTooLow, 50},
  {rcMinCoolRH, 53},             {rcMinHeatRH, 54},              {rcInletHeaterTooLarge, 51},
  {rcSupplyHeaterTooLarge, 71},  {rcInletHeaterTooSmall, 52},    {rcSupplyHeaterTooSmall, kMsgOtherError},
};

std::string Percent(double value)
{
  return std::to_string(catalogue::RoundToInt(value));
}

std::string Temperature(double value)
{
  return TU_Form::PutFmtDimensionedValue(value, U_Temperature, 0, true) + " " + TU_Form::GetCurrentString(U_Temperature);
}

// An airflow in m³/h, written in the unit in effect (l/s base).
std::string Airflow(double Airflow_m3h)
{
  constexpr double kM3hPerLs = 3.6;
  return TU_Form::PutFmtDimensionedValue(Airflow_m3h / kM3hPerLs, U_Airflow, 0, true) + " " +
         TU_Form::GetCurrentString(U_Airflow);
}

} // namespace

int SelectionErrorMessageNr(int nCode)
{
  for (const CodeMessage& entry : kMessages)
    if (entry.nCode == nCode)
      return entry.nMsgNo;
  return kMsgOtherError;
}

CTSelectionMessage SelectionErrorMessage(int nCode, Cls_Brisa* pUnit, double HeatingDischarge, double SupplyAir,
                                         double ExhaustAir)
{
  CTSelectionMessage message{nCode, SelectionErrorMessageNr(nCode), {}};
  auto limit = [pUnit](double (Cls_BrisaData::*get)() const) { return pUnit ? (pUnit->*get)() : 0.0; };
  switch (nCode) {
  case Cls_Brisa::rcRoomRH: message.params = {Percent(limit(&Cls_BrisaData::GetRAMaxRH))}; break;
  case Cls_Brisa::rcAmbientRH: message.params = {Percent(limit(&Cls_BrisaData::GetOAMaxRH))}; break;
  case Cls_Brisa::rcRoomTemp:
    message.params = {Temperature(limit(&Cls_BrisaData::GetRAMinTemp)), Temperature(limit(&Cls_BrisaData::GetRAMaxTemp))};
    break;
  case Cls_Brisa::rcAmbientTemp:
  case Cls_Brisa::rcInletTemp:
    message.params = {Temperature(limit(&Cls_BrisaData::GetOAMinTemp)), Temperature(limit(&Cls_BrisaData::GetOAMaxTemp))};
    break;
  case rcAirflow: {
    const double low = limit(&Cls_BrisaData::GetMinAirflow), high = limit(&Cls_BrisaData::GetMaxAirflow);
    const bool supplyInside = SupplyAir >= low && SupplyAir <= high;
    message.params = {Airflow(supplyInside ? ExhaustAir : SupplyAir), Airflow(low), Airflow(high)};
    break;
  }
  case Cls_Brisa::rcDischargeTooLow: message.params = {Temperature(HeatingDischarge)}; break;
  case Cls_Brisa::rcMinCoolRH: message.params = {Percent(limit(&Cls_BrisaData::GetMinCoolRH))}; break;
  case Cls_Brisa::rcMinHeatRH: message.params = {Percent(limit(&Cls_BrisaData::GetMinHeatRH))}; break;
  default: break;
  }
  return message;
}

} // namespace aw
