#include "catalogue/ClDevice.h"

#include "catalogue/CatalogueText.h"
#include "catalogue/ClDocumentation.h"
#include "catalogue/ClMessageTable.h"
#include "catalogue/ClPolynomial.h"
#include "catalogue/ClPowerSupply.h"
#include "platform/CaseFolding.h"

#include <charconv>
#include <stdexcept>

namespace aw {

namespace {

// Runs one step of a removal cascade; a failing step does not stop the cascade.
template <class F>
void CascadeStep(F&& step)
{
  try {
    step();
  } catch (const std::exception&) {
  }
}

// The power supply of the reference pair at nFieldIx of pObj, from the factory's cache.
Cls_PowerSupply* CachedPowerSupplyOf(const CTDbObject& pObj, int nFieldIx, CTBaseFactory* pFactory)
{
  std::int32_t clsID = 0, objID = 0;
  pObj.GetRefValues(nFieldIx, clsID, objID);
  if (!pFactory || clsID == 0 || objID < 1)
    return nullptr;
  return dynamic_cast<Cls_PowerSupply*>(pFactory->GetCachedObject(clsID, objID));
}

std::string PhasesOf(const Cls_PowerSupply* pPS)
{
  if (!pPS || pPS->GetPhases().empty())
    return {};
  return pPS->GetPhases() + catalogue::MessageText(catalogue::msgPhases);
}

} // namespace

// ---- Cls_ReleasableElement ------------------------------------------------

OwningObjectList<Cls_ReleasableElement> Cls_ReleasableElement::GetAllReplacedElement()
{
  return RelatedOf<Cls_ReleasableElement>(*this, ixFollowUpElement);
}

// ---- Cls_DeviceGrouping, Cls_IndFamily, Cls_SeriesMapping -----------------

Cls_DeviceGrouping::Cls_DeviceGrouping(int nClsID, int nObjID, CTBaseFactory* pFactory)
  : Cls_ReleasableElement(nClsID, nObjID, pFactory)
{
  if (GetStatus() == dbsNew)
    SetReleaseStatus(kNewReleaseStatus);
}

std::string Cls_IndFamily::GetDescriptiveName() const
{
  std::string result = catalogue::Trim(GetShort());
  const std::string name = catalogue::Trim(GetName());
  if (!name.empty())
    result += " - " + name;
  const std::string product = catalogue::Trim(GetProductName());
  if (!product.empty())
    result = product + " " + result;
  return result;
}

OwningObjectList<Cls_MsgCombination> Cls_IndFamily::GetAllMsgCombination()
{
  return Cls_MsgCombination::CombinationsOf(*this);
}

Cls_IndFamily* Cls_IndFamily::CachedIndFamily(const std::string& szShortName)
{
  CTBaseFactory* factory = CTDbObject::GetDefaultFactory();
  const ObjectList<CTDbObject>* cached = factory ? factory->GetCachedObjects(kClassID) : nullptr;
  if (!cached)
    return nullptr;
  for (CTDbObject* obj : *cached) {
    auto* family = dynamic_cast<Cls_IndFamily*>(obj);
    if (family && platform::EqualsIgnoreCase(family->GetShort(), szShortName))
      return family;
  }
  return nullptr;
}

OwningObjectList<Cls_MsgCombination> Cls_SeriesMapping::GetAllMsgCombination()
{
  return Cls_MsgCombination::CombinationsOf(*this);
}

// ---- Cls_Device -----------------------------------------------------------

Cls_Device::Cls_Device(int nClsID, int nObjID, CTBaseFactory* pFactory)
  : Cls_ReleasableElement(nClsID, nObjID, pFactory)
{
}

Cls_Device::~Cls_Device() = default;

std::string Cls_Device::GetDescriptiveName() const
{
  std::string result = CTDbObject::GetDescriptiveName();
  const std::string product = catalogue::Trim(GetProductName());
  if (!product.empty() && product != result)
    result += " [" + product + "]";
  return result;
}

OwningObjectList<Cls_DevOptCombination> Cls_Device::GetAllDevOptCombination()
{
  return RelatedOf<Cls_DevOptCombination>(*this, Cls_DevOptCombination::ixDevice);
}

OwningObjectList<Cls_DevPSAllowed> Cls_Device::GetAllDevPSAllowed()
{
  return RelatedOf<Cls_DevPSAllowed>(*this, Cls_DevPSAllowed::ixDevice);
}

std::unique_ptr<Cls_DeviceDocumentation> Cls_Device::GetTheDeviceDocumentation()
{
  return SingleRelatedOf<Cls_DeviceDocumentation>(*this, Cls_DeviceDocumentation::ixDevice);
}

OwningObjectList<Cls_MsgCombination> Cls_Device::GetAllMsgCombination()
{
  return Cls_MsgCombination::CombinationsOf(*this);
}

void Cls_Device::GetStandardPSData(std::unique_ptr<Cls_PowerSupply>& PS,
                                   std::unique_ptr<Cls_DevPSAllowed>& ElectricalData)
{
  PS.reset();
  ElectricalData.reset();
  OwningObjectList<Cls_DevPSAllowed> records = GetAllDevPSAllowed();
  if (!records.IsEmpty()) {
    ElectricalData.reset(records.First());
    records.Delete(0);
    PS = ElectricalData->GetPowerSupply();
    return;
  }
  for (Cls_PowerSupply* supply : AllRecordsOf<Cls_PowerSupply>(false, GetFactory()).Release()) {
    std::unique_ptr<Cls_PowerSupply> owned(supply);
    if (!PS && owned->GetDefault())
      PS = std::move(owned);
  }
}

const Cls_Device::ElectricalCache& Cls_Device::Electrical()
{
  if (v_electrical.v_loaded)
    return v_electrical;
  v_electrical.v_loaded = true;
  for (Cls_DevPSAllowed* record : GetAllDevPSAllowed()) {
    v_electrical.v_powerSupply = CachedPowerSupplyOf(*record, Cls_DevPSAllowed::ixPowerSupply, GetFactory());
    v_electrical.v_MCA = record->GetMCA();
    v_electrical.v_MFA = record->GetMFA();
    v_electrical.v_RLA = record->GetRLA();
    v_electrical.v_FLA = record->GetFLA();
    v_electrical.v_fuses = record->GetFuses();
    if (v_electrical.v_powerSupply && v_electrical.v_powerSupply->GetDefault())
      break;
  }
  return v_electrical;
}

double Cls_Device::GetMCA()
{
  return Electrical().v_MCA;
}

double Cls_Device::GetMFA()
{
  return Electrical().v_MFA;
}

double Cls_Device::GetRLA()
{
  return Electrical().v_RLA;
}

double Cls_Device::GetFLA()
{
  return Electrical().v_FLA;
}

std::string Cls_Device::GetFuses()
{
  return Electrical().v_fuses;
}

Cls_PowerSupply* Cls_Device::PowerSupply()
{
  return Electrical().v_powerSupply;
}

std::string Cls_Device::PhasesString()
{
  return PhasesOf(PowerSupply());
}

std::string Cls_Device::PhaseNamesString()
{
  return PowerSupply() ? PowerSupply()->GetPhaseNames() : std::string();
}

std::string Cls_Device::PowerSupplyDescription()
{
  if (!PowerSupply())
    return {};
  return PowerSupply()->GetVoltage() + " " + PhasesString();
}

Cls_DeviceDocumentation* Cls_Device::GetDocumentation()
{
  if (!v_documentationLoaded) {
    v_documentationLoaded = true;
    v_documentation = GetTheDeviceDocumentation();
  }
  return v_documentation.get();
}

std::unique_ptr<Cls_DeviceDocumentation> Cls_Device::GetDocumentationObject(bool bCreateIfNeeded)
{
  std::unique_ptr<Cls_DeviceDocumentation> documentation = GetTheDeviceDocumentation();
  if (!documentation && bCreateIfNeeded)
    documentation = CreateDocumentation();
  return documentation;
}

void Cls_Device::GetDimensions(double& nW, double& nH, double& nD, double& nWeight)
{
  nW = nH = nD = nWeight = 0;
  if (const Cls_DeviceDocumentation* documentation = GetDocumentation()) {
    nW = documentation->GetWidth();
    nH = documentation->GetHeight();
    nD = documentation->GetDepth();
    nWeight = documentation->GetWeight();
  }
}

std::unique_ptr<Cls_DeviceDocumentation> Cls_Device::CreateDocumentation()
{
  return nullptr;
}

void Cls_Device::GetProductLinkInfo(std::string&, std::string&)
{
  throw std::logic_error("GetProductLinkInfo is not available for " + GetQualifier());
}

bool Cls_Device::Remove()
{
  CascadeStep([&] {
    for (Cls_MsgCombination* combination : GetAllMsgCombination())
      CascadeStep([&] { combination->Remove(); });
  });
  CascadeStep([&] {
    std::unique_ptr<Cls_PowerSupply> supply; // a default power supply is only released
    std::unique_ptr<Cls_DevPSAllowed> record;
    GetStandardPSData(supply, record);
    if (record)
      record->Remove();
  });
  CascadeStep([&] {
    if (auto documentation = GetTheDeviceDocumentation())
      documentation->Remove();
  });
  return Cls_ReleasableElement::Remove();
}

// ---- Cls_DeviceOption -----------------------------------------------------

Cls_DeviceOption::Cls_DeviceOption(int nClsID, int nObjID, CTBaseFactory* pFactory)
  : Cls_ReleasableElement(nClsID, nObjID, pFactory)
{
}

Cls_DeviceOption::~Cls_DeviceOption() = default;

std::string Cls_DeviceOption::GetQualifiedName() const
{
  return GetName() + " (" + GetDescription() + ")";
}

OwningObjectList<Cls_DevOptCombination> Cls_DeviceOption::GetAllDevOptCombination()
{
  return RelatedOf<Cls_DevOptCombination>(*this, Cls_DevOptCombination::ixDeviceOption);
}

OwningObjectList<Cls_OptionGenericValue> Cls_DeviceOption::GetAllOptionGenericValue()
{
  return RelatedOf<Cls_OptionGenericValue>(*this, Cls_OptionGenericValue::ixDeviceOption);
}

OwningObjectList<Cls_DeviceOptionPolynomial> Cls_DeviceOption::GetAllDeviceOptionPolynomial()
{
  return RelatedOf<Cls_DeviceOptionPolynomial>(*this, Cls_DeviceOptionPolynomial::ixDeviceOption);
}

double Cls_DeviceOption::EvaluatePolynomial(int nPolType, double nArgument)
{
  if (!v_polynomials)
    v_polynomials = std::make_unique<OwningObjectList<Cls_DeviceOptionPolynomial>>(GetAllDeviceOptionPolynomial());
  for (const Cls_DeviceOptionPolynomial* polynomial : *v_polynomials)
    if (polynomial->GetType() == nPolType)
      return polynomial->Evaluate(nArgument);
  return 0;
}

Cls_PowerSupply* Cls_DeviceOption::CachedPowerSupply()
{
  if (!v_powerSupplyLoaded) {
    v_powerSupplyLoaded = true;
    v_powerSupply = CachedPowerSupplyOf(*this, ixPowerSupply, GetFactory());
  }
  return v_powerSupply;
}

std::string Cls_DeviceOption::PhasesString()
{
  return PhasesOf(CachedPowerSupply());
}

std::string Cls_DeviceOption::PhaseNamesString()
{
  return CachedPowerSupply() ? CachedPowerSupply()->GetPhaseNames() : std::string();
}

const OwningObjectList<Cls_OptionGenericValue>& Cls_DeviceOption::GenericValues()
{
  if (!v_genericValues)
    v_genericValues = std::make_unique<OwningObjectList<Cls_OptionGenericValue>>(GetAllOptionGenericValue());
  return *v_genericValues;
}

bool Cls_DeviceOption::HasConfiguration(const std::string& szName) const
{
  for (const std::string& configuration : v_configurations)
    if (platform::EqualsIgnoreCase(configuration, szName))
      return true;
  return false;
}

void Cls_DeviceOption::AddNamedOptions(const std::string& szNames, ObjectList<Cls_DeviceOption>& pList)
{
  std::vector<std::string> names;
  Cls_OptionGenericValue::AddStringValuesToStringList(names, szNames);
  CTBaseFactory* factory = GetFactory();
  const ObjectList<CTDbObject>* cached = factory ? factory->GetCachedObjects(TableIndex()) : nullptr;
  if (!cached)
    return;
  for (const std::string& name : names)
    for (CTDbObject* obj : *cached) {
      auto* option = dynamic_cast<Cls_DeviceOption*>(obj);
      if (option && option->GetID() != GetID() && !pList.Contains(option) &&
          platform::EqualsIgnoreCase(option->GetName(), name))
        pList.Add(option);
    }
}

void Cls_DeviceOption::ResolveReferences(bool& bHasLanguagePrefs)
{
  // The last value of each type wins.
  const Cls_OptionGenericValue* byType[Cls_OptionGenericValue::kDefaultConfigurationFor + 1] = {};
  for (const Cls_OptionGenericValue* value : GenericValues()) {
    const int type = value->GetValueType();
    if (type >= Cls_OptionGenericValue::kLanguages && type <= Cls_OptionGenericValue::kDefaultConfigurationFor)
      byType[type] = value;
  }
  if (const auto* languages = byType[Cls_OptionGenericValue::kLanguages]) {
    Cls_OptionGenericValue::AddStringValuesToIntegerList(v_languages, languages->GetValue());
    bHasLanguagePrefs = true;
  }
  if (const auto* defaultFor = byType[Cls_OptionGenericValue::kDefaultLanguageFor])
    AddNamedOptions(defaultFor->GetValue(), v_defaultLanguageFor);
  if (const auto* configurations = byType[Cls_OptionGenericValue::kConfigurations])
    Cls_OptionGenericValue::AddStringValuesToStringList(v_configurations, configurations->GetValue());
  if (const auto* defaultFor = byType[Cls_OptionGenericValue::kDefaultConfigurationFor])
    AddNamedOptions(defaultFor->GetValue(), v_defaultConfigurationFor);
}

bool Cls_DeviceOption::Remove()
{
  CascadeStep([&] {
    for (Cls_DevOptCombination* combination : GetAllDevOptCombination())
      CascadeStep([&] { combination->Remove(); });
  });
  CascadeStep([&] {
    for (Cls_DeviceOptionPolynomial* polynomial : GetAllDeviceOptionPolynomial())
      CascadeStep([&] { polynomial->Remove(); });
  });
  return Cls_ReleasableElement::Remove();
}

// ---- Cls_TesselDeviceOption -----------------------------------------------

std::unique_ptr<Cls_BrisaFilter> Cls_TesselDeviceOption::GetTheBrisaFilter()
{
  return SingleRelatedOf<Cls_BrisaFilter>(*this, Cls_BrisaFilter::ixTesselDeviceOption);
}

void Cls_TesselDeviceOption::ResolveReferences(bool& bHasLanguagePrefs)
{
  Cls_DeviceOption::ResolveReferences(bHasLanguagePrefs);
  for (const Cls_OptionGenericValue* value : GenericValues())
    if (value->GetValueType() == Cls_OptionGenericValue::kCondenserInfluencesTotalLength)
      v_condenserInfluencesTotalLength = true;
}

void Cls_TesselDeviceOption::SetCondenserDiameters(double nGas, double nLiquid)
{
  using catalogue::RoundHalfEven;
  SetValue(RoundHalfEven(nGas * 10) + RoundHalfEven(nLiquid * 10000));
}

void Cls_TesselDeviceOption::GetCondenserDiameters(double& nGas, double& nLiquid) const
{
  const int v = catalogue::RoundToInt(GetValue());
  nGas = (v % 1000) / 10.0;
  nLiquid = ((v / 1000) % 1000) / 10.0;
}

void Cls_TesselDeviceOption::SetHeatExchangerDiameters(double nGas, double nLiquid, double nWater)
{
  using catalogue::RoundHalfEven;
  SetValue(RoundHalfEven(nLiquid * 10) + RoundHalfEven(nGas * 10) * 256 + RoundHalfEven(nWater * 10) * 65536);
}

void Cls_TesselDeviceOption::GetHeatExchangerDiameters(double& nGas, double& nLiquid, double& nWater) const
{
  const int v = catalogue::RoundToInt(GetValue());
  nLiquid = (v % 256) / 10.0;
  nGas = ((v >> 8) & 255) / 10.0;
  nWater = ((v >> 16) & 65535) / 10.0;
}

// ---- Cls_OptionGenericValue -----------------------------------------------

void Cls_OptionGenericValue::AddStringValuesToIntegerList(std::vector<int>& pVals, const std::string& szStr)
{
  std::string_view rest = szStr;
  // An item ends at "$"; a "$" at the very start ends the list.
  for (std::size_t end = rest.find('$'); end != std::string_view::npos && end > 0; end = rest.find('$')) {
    const std::string_view item = rest.substr(0, end);
    int value = 0;
    const auto [ptr, ec] = std::from_chars(item.data(), item.data() + item.size(), value);
    if (ec == std::errc() && ptr == item.data() + item.size())
      pVals.push_back(value);
    rest.remove_prefix(end + 1);
  }
}

std::string Cls_OptionGenericValue::IntegerListToString(const std::vector<int>& pVals)
{
  std::string result;
  for (int value : pVals)
    result += std::to_string(value) + "$";
  return result;
}

void Cls_OptionGenericValue::AddStringValuesToStringList(std::vector<std::string>& pVals, const std::string& szStr)
{
  std::string_view rest = szStr;
  for (std::size_t end = rest.find(','); end != std::string_view::npos && end > 0; end = rest.find(',')) {
    pVals.emplace_back(rest.substr(0, end));
    rest.remove_prefix(end + 1);
  }
  if (!rest.empty())
    pVals.emplace_back(rest);
}

} // namespace aw
