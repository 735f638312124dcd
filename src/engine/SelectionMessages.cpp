#include "engine/SelectionMessages.h"

#include "air/SI_Units.h"
#include "catalogue/CatalogueText.h"
#include "engine/ClBrisa.h"

namespace aw {

namespace {

struct CodeMessage
{
  int nCode;
  int nMsgNo;
};

constexpr CodeMessage kMessages[] = {
  {1, 68},  {2, 67},  {3, 46},  {4, 45},  {5, 70},  {6, 69},  {7, 48},  {8, 47},  {9, 62},  {10, 60},
  {11, 61}, {12, 59}, {13, 63}, {15, 44}, {16, 49}, {17, 50}, {18, 53}, {19, 54}, {20, 51}, {21, 71},
  {22, 52},
};

std::string Percent(double value)
{
  return std::to_string(catalogue::RoundToInt(value));
}

std::string Temperature(double value)
{
  return TU_Form::PutFmtDimensionedValue(value, U_Temperature, 0, true) + " " + TU_Form::GetCurrentString(U_Temperature);
}

} // namespace

int SelectionErrorMessageNr(int nCode)
{
  for (const CodeMessage& entry : kMessages)
    if (entry.nCode == nCode)
      return entry.nMsgNo;
  return kMsgOtherError;
}

CTSelectionMessage SelectionErrorMessage(int nCode, Cls_Brisa* pUnit, double HeatingDischarge)
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
  case Cls_Brisa::rcDischargeTooLow: message.params = {Temperature(HeatingDischarge)}; break;
  case Cls_Brisa::rcMinCoolRH: message.params = {Percent(limit(&Cls_BrisaData::GetMinCoolRH))}; break;
  case Cls_Brisa::rcMinHeatRH: message.params = {Percent(limit(&Cls_BrisaData::GetMinHeatRH))}; break;
  default: break;
  }
  return message;
}

} // namespace aw
