// Cls_Brisa: loading of speeds, curves, options and coil; names and the
// pressure operations the unit search uses. The performance model is in
// BrisaPerformance.cpp, the unit search in UnitSearch.cpp.

#include "engine/ClBrisa.h"

#include "catalogue/CatalogueText.h"
#include "catalogue/Factory.h"
#include "engine/ClIndoorUnit.h"

#include <algorithm>
#include <limits>

namespace aw {

Cls_Brisa::Cls_Brisa(int nObjID, CTBaseFactory* pFactory) : Cls_BrisaData(kClassID, nObjID, pFactory) {}

Cls_Brisa::~Cls_Brisa()
{
  ClearCache();
}

void Cls_Brisa::ClearCache()
{
  v_speeds.reset();
  v_tempExEff.reset();
  v_cEnthalpyExEff.reset();
  v_hEnthalpyExEff.reset();
  v_totalCapCorr.reset();
  v_sensibleCapCorr.reset();
  v_coolCaps.ClearAndDestroy();
  v_maxCoolCaps.ClearAndDestroy();
  v_heatCaps.ClearAndDestroy();
  v_maxHeatCaps.ClearAndDestroy();
  v_curvesLoaded = false;
  v_filterCurves.clear();
  v_availHeaterOptions.ClearAndDestroy();
  v_availFilterOptions.ClearAndDestroy();
  v_plenumOption.reset();
  v_optionsLoaded = false;
  v_usedOptions.ClearAndDestroy();
  v_indoor.reset();
  v_coilLoaded = false;
}

// ---- curves -----------------------------------------------------------------

void Cls_Brisa::EnsureCurves()
{
  if (v_curvesLoaded)
    return;
  v_curvesLoaded = true;
  const bool pelmar = GetType() == kFamilyPelmarMF;
  for (Cls_BrisaPolynomial* curve : GetAllBrisaPolynomial().Release()) {
    std::unique_ptr<Cls_BrisaPolynomial> owned(curve);
    const int type = curve->GetType();
    if (type >= ctTempExEff && type <= ctSensibleCapCorr) {
      std::unique_ptr<Cls_BrisaPolynomial>* single[] = {&v_tempExEff, &v_cEnthalpyExEff, &v_hEnthalpyExEff,
                                                        &v_totalCapCorr, &v_sensibleCapCorr};
      *single[type] = std::move(owned); // the last one in stored order wins
    } else if (pelmar && type >= ctCoolCaps && type <= ctMaxHeatCaps) {
      CapacityList(type)->Add(owned.release());
    }
  }
  if (pelmar)
    for (int type = ctCoolCaps; type <= ctMaxHeatCaps; ++type)
      CapacityList(type)->Sort(Cls_BrisaPolynomial::CompareBrisaPolynomials);
}

Cls_BrisaPolynomial* Cls_Brisa::Curve(int nType)
{
  EnsureCurves();
  switch (nType) {
  case ctTempExEff: return v_tempExEff.get();
  case ctCoolEnthalpyExEff: return v_cEnthalpyExEff.get();
  case ctHeatEnthalpyExEff: return v_hEnthalpyExEff.get();
  case ctTotalCapCorr: return v_totalCapCorr.get();
  case ctSensibleCapCorr: return v_sensibleCapCorr.get();
  default: return nullptr;
  }
}

ObjectList<Cls_BrisaPolynomial>* Cls_Brisa::CapacityList(int nType)
{
  switch (nType) {
  case ctCoolCaps: return &v_coolCaps;
  case ctMaxCoolCaps: return &v_maxCoolCaps;
  case ctHeatCaps: return &v_heatCaps;
  case ctMaxHeatCaps: return &v_maxHeatCaps;
  default: return nullptr;
  }
}

Cls_BrisaPolynomial* Cls_Brisa::GetTempExhangeEfficiency() { return Curve(ctTempExEff); }
Cls_BrisaPolynomial* Cls_Brisa::GetCoolEnthalpyExhangeEfficiency() { return Curve(ctCoolEnthalpyExEff); }
Cls_BrisaPolynomial* Cls_Brisa::GetHeatEnthalpyExhangeEfficiency() { return Curve(ctHeatEnthalpyExEff); }
Cls_BrisaPolynomial* Cls_Brisa::GetTotalCapCorrection() { return Curve(ctTotalCapCorr); }
Cls_BrisaPolynomial* Cls_Brisa::GetSensibleCapCorrection() { return Curve(ctSensibleCapCorr); }

const ObjectList<Cls_BrisaPolynomial>* Cls_Brisa::GetCapacities(int TableType, double& MinAmb, double& MaxAmb)
{
  MinAmb = MaxAmb = kNoTemperature;
  EnsureCurves();
  const ObjectList<Cls_BrisaPolynomial>* list = CapacityList(TableType);
  if (!list || list->IsEmpty())
    return list;
  double low = std::numeric_limits<double>::max(), high = std::numeric_limits<double>::lowest();
  for (const Cls_BrisaPolynomial* curve : *list) {
    low = std::min(low, curve->GetArgumentLow());
    high = std::max(high, curve->GetArgumentHigh());
  }
  if (high != 0) {
    MinAmb = low;
    MaxAmb = high;
  }
  return list;
}

namespace {

void DischargeRange(const ObjectList<Cls_BrisaPolynomial>& pList, int& MinDischarge, int& MaxDischarge)
{
  MinDischarge = MaxDischarge = 0;
  if (pList.IsEmpty())
    return;
  MinDischarge = catalogue::RoundToInt(pList.First()->GetSelect2());
  MaxDischarge = catalogue::RoundToInt(pList.Last()->GetSelect2());
}

} // namespace

void Cls_Brisa::GetCoolDischargeRange(int& MinDischarge, int& MaxDischarge)
{
  EnsureCurves();
  DischargeRange(v_coolCaps, MinDischarge, MaxDischarge);
}

void Cls_Brisa::GetHeatDischargeRange(int& MinDischarge, int& MaxDischarge)
{
  EnsureCurves();
  DischargeRange(v_heatCaps, MinDischarge, MaxDischarge);
}

double Cls_Brisa::GetCoolSupplyTemp()
{
  EnsureCurves();
  return v_coolCaps.IsEmpty() ? kNoTemperature : v_coolCaps.Last()->GetSelect2();
}

double Cls_Brisa::GetHeatSupplyTemp()
{
  EnsureCurves();
  return v_heatCaps.IsEmpty() ? kNoTemperature : v_heatCaps.Last()->GetSelect2();
}

Cls_IndoorUnit* Cls_Brisa::GetIndoorUnit()
{
  if (!v_coilLoaded) {
    v_coilLoaded = true;
    // The factory that creates this class creates the coil's model class too.
    v_indoor = TakeAs<Cls_IndoorUnit>(GetTheIndoorUnit().release());
  }
  return v_indoor.get();
}

// ---- options ----------------------------------------------------------------

OwningObjectList<Cls_DevOptCombination> Cls_Brisa::GetOptionCombinationsForBrisa()
{
  if (Cls_IndoorUnit* coil = GetIndoorUnit())
    return coil->GetAllDevOptCombination();
  return GetAllDevOptCombination();
}

void Cls_Brisa::EnsureOptions()
{
  if (v_optionsLoaded)
    return;
  v_optionsLoaded = true;
  for (Cls_DevOptCombination* combination : GetOptionCombinationsForBrisa()) {
    std::unique_ptr<Cls_DeviceOption> option = combination->GetDeviceOption();
    if (!option)
      continue;
    switch (option->GetType()) {
    case Cls_DeviceOption::kTypeHeater: v_availHeaterOptions.Add(option.release()); break;
    case Cls_DeviceOption::kTypeFilter: v_availFilterOptions.Add(option.release()); break;
    case Cls_DeviceOption::kTypePlenum:
      if (!v_plenumOption)
        v_plenumOption = std::move(option);
      break;
    default: break;
    }
  }
}

const ObjectList<Cls_DeviceOption>& Cls_Brisa::GetHeaterOptions()
{
  EnsureOptions();
  return v_availHeaterOptions;
}

const ObjectList<Cls_DeviceOption>& Cls_Brisa::GetFilterOptions()
{
  EnsureOptions();
  return v_availFilterOptions;
}

Cls_DeviceOption* Cls_Brisa::GetPlenumOption()
{
  EnsureOptions();
  return v_plenumOption.get();
}

Cls_DeviceOption* Cls_Brisa::GetFilterOption(int FilterClass)
{
  for (Cls_DeviceOption* option : GetFilterOptions())
    if (catalogue::RoundToInt(option->GetValue()) == FilterClass)
      return option;
  return nullptr;
}

Cls_BrisaFilter* Cls_Brisa::FilterCurve(Cls_DeviceOption* pOption)
{
  auto found = v_filterCurves.find(pOption);
  if (found == v_filterCurves.end()) {
    auto* tessel = dynamic_cast<Cls_TesselDeviceOption*>(pOption);
    found = v_filterCurves.emplace(pOption, tessel ? tessel->GetTheBrisaFilter() : nullptr).first;
  }
  return found->second.get();
}

double Cls_Brisa::GetFilterESP(int nFilterClass, double nAirflow)
{
  Cls_DeviceOption* option = GetFilterOption(nFilterClass);
  Cls_BrisaFilter* curve = option ? FilterCurve(option) : nullptr;
  return curve ? curve->Evaluate(nAirflow) : 0;
}

void Cls_Brisa::GetPlenumESP(int nSelPlenum, double nAflSupply, double nAflExhaust, double& nESPSupply,
                             double& nESPExhaust)
{
  nESPSupply = nESPExhaust = 0;
  Cls_DeviceOption* plenum = nSelPlenum == kPlenumNone ? nullptr : GetPlenumOption();
  if (!plenum)
    return;
  if (nSelPlenum == kPlenumOAEA) {
    nESPSupply = plenum->EvaluatePolynomial(1, nAflSupply);
    nESPExhaust = plenum->EvaluatePolynomial(2, nAflExhaust);
  } else if (nSelPlenum == kPlenumAll) {
    nESPSupply = plenum->EvaluatePolynomial(3, nAflSupply);
    nESPExhaust = plenum->EvaluatePolynomial(3, nAflExhaust);
  }
}

void Cls_Brisa::StoreUsedOptions(OwningObjectList<Cls_DevOptCombination> OptionList)
{
  v_usedOptions = std::move(OptionList);
}

// ---- speeds -----------------------------------------------------------------

const ObjectList<Cls_BrisaSpeed>& Cls_Brisa::GetSpeeds()
{
  if (!v_speeds) {
    v_speeds = std::make_unique<OwningObjectList<Cls_BrisaSpeed>>(GetAllBrisaSpeed());
    v_speeds->Sort(Cls_BrisaSpeed::CompareSpeeds);
  }
  return *v_speeds;
}

Cls_BrisaSpeed* Cls_Brisa::GetSpeed(int SpeedId)
{
  for (Cls_BrisaSpeed* speed : GetSpeeds())
    if (speed->GetID() == SpeedId)
      return speed;
  return nullptr;
}

std::string Cls_Brisa::GetSpeedName(const Cls_BrisaSpeed* TheSpeed) const
{
  if (!TheSpeed)
    return {};
  std::int32_t clsID = 0, objID = 0;
  TheSpeed->GetBrisaSpType_REF(clsID, objID);
  std::string name;
  for (const Cls_BrisaSpType* type : Cls_BrisaSpType::OrderedBrisaSpTypes(GetFactory()))
    if (type->TableIndex() == clsID && type->GetID() == objID) {
      name = type->GetName();
      break;
    }
  if (TheSpeed->GetSelect1() > 0)
    name += " " + std::to_string(catalogue::RoundToInt(TheSpeed->GetSelect1()));
  return name;
}

void Cls_Brisa::GetSpeedNames(std::string& SupplySpeed, std::string& ExhaustSpeed) const
{
  SupplySpeed = GetSpeedName(v_supplySpeed);
  ExhaustSpeed = GetSpeedName(v_exhaustSpeed);
}

void Cls_Brisa::GetSpeedIds(int& SupplySpeedId, int& ExhaustSpeedId) const
{
  SupplySpeedId = ExhaustSpeedId = 0;
  if (!v_supplySpeed)
    return;
  SupplySpeedId = v_supplySpeed->GetID();
  ExhaustSpeedId = v_exhaustSpeed ? v_exhaustSpeed->GetID() : 0;
}

bool Cls_Brisa::HasSpeeds(int SupplySpeedId, int ExhaustSpeedId) const
{
  return v_supplySpeed && v_exhaustSpeed && v_supplySpeed->GetID() == SupplySpeedId &&
         v_exhaustSpeed->GetID() == ExhaustSpeedId;
}

std::string Cls_Brisa::GetQualifiedName() const
{
  int supplyID = 0, exhaustID = 0;
  GetSpeedIds(supplyID, exhaustID);
  return GetQualifiedNameFor(supplyID, exhaustID);
}

std::string Cls_Brisa::GetQualifiedNameFor(int nSupSpeedID, int nExtSpeedID) const
{
  std::string name = GetName();
  if (GetType() == kFamilyPelmarMF)
    return name;
  // The names come from the speed list, which a const query may load.
  auto& self = const_cast<Cls_Brisa&>(*this);
  const std::string supply = GetSpeedName(self.GetSpeed(nSupSpeedID));
  if (!supply.empty())
    name += ", " + supply;
  if (nExtSpeedID != 0 && nExtSpeedID != nSupSpeedID) {
    const std::string exhaust = GetSpeedName(self.GetSpeed(nExtSpeedID));
    if (!exhaust.empty())
      name += " + " + exhaust;
  }
  return name;
}

double Cls_Brisa::CalcSupplyESP(int SupplySpeedId, double SupplyAir)
{
  const Cls_BrisaSpeed* speed = GetSpeed(SupplySpeedId);
  return speed && SupplyAir > 0 ? speed->Evaluate(SupplyAir) : 0;
}

double Cls_Brisa::CalcExhaustESP(int ExhaustSpeedId, double ExhaustAir)
{
  return CalcSupplyESP(ExhaustSpeedId, ExhaustAir);
}

// ---- families ---------------------------------------------------------------

void Cls_Brisa::FillFamily(std::uint16_t nFamilies, std::vector<std::pair<std::string, int>>& pList)
{
  constexpr int kLastFamilyCode = 8;
  for (int code = 0; code <= kLastFamilyCode; ++code) {
    if (!(nFamilies & (1u << code)))
      continue;
    std::string name = Family2Str(code);
    const bool listed =
      std::any_of(pList.begin(), pList.end(), [&](const auto& entry) { return entry.first == name; });
    if (!listed)
      pList.emplace_back(std::move(name), code);
  }
}

} // namespace aw
