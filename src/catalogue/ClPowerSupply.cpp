#include "catalogue/ClPowerSupply.h"

#include "catalogue/CatalogueText.h"
#include "catalogue/ClDevice.h"

namespace aw {

std::string Cls_PowerSupply::GetDescriptiveName() const
{
  return GetPhases() + "\u00D7" + GetVoltage() + ", " + FrequencyString(GetFrequencyKind()) + " (" + GetName() + ")";
}

OwningObjectList<Cls_DevPSAllowed> Cls_PowerSupply::GetAllDevPSAllowed()
{
  return RelatedOf<Cls_DevPSAllowed>(*this, Cls_DevPSAllowed::ixPowerSupply);
}

std::string Cls_PowerSupply::FrequencyString(int nFrequencyKind)
{
  switch (nFrequencyKind) {
  case kFrequency50Hz: return catalogue::MessageText(catalogue::msg50Hz);
  case kFrequency60Hz: return catalogue::MessageText(catalogue::msg60Hz);
  case kFrequency50Hz | kFrequency60Hz: return catalogue::MessageText(catalogue::msg50_60Hz);
  default: return {};
  }
}

} // namespace aw
