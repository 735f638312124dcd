// The unit search: which units of a family, with which pair of supply and
// exhaust fan speeds, deliver the required airflows against the required
// external static pressures, with the filters' and plenums' pressure drops
// added, and in which order they are offered.

#include "engine/ClBrisa.h"

#include "catalogue/Factory.h"
#include "platform/CaseFolding.h"

#include <algorithm>
#include <limits>

namespace aw {

namespace {


bool SameObject(const CTDbObject& pObj, std::int32_t nClsID, std::int32_t nObjID)
{
  return pObj.TableIndex() == nClsID && pObj.GetID() == nObjID;
}

ObjectList<Cls_BrisaSpeed> SpeedsOfType(const ObjectList<Cls_BrisaSpeed>& pSpeeds, const Cls_BrisaSpType& pType)
{
  ObjectList<Cls_BrisaSpeed> result;
  for (Cls_BrisaSpeed* speed : pSpeeds) {
    std::int32_t clsID = 0, objID = 0;
    speed->GetBrisaSpType_REF(clsID, objID);
    if (SameObject(pType, clsID, objID))
      result.Add(speed);
  }
  return result;
}

// The best speed of one side: the one with the smallest positive pressure
// margin (Pa) over the required ESP plus the filter and plenum drops.
struct SideChoice
{
  bool inRange = false, strongEnough = false, withinLimit = false;
  Cls_BrisaSpeed* best = nullptr;
  double margin = 2147483647;
};

SideChoice ChooseSpeed(const ObjectList<Cls_BrisaSpeed>& pSpeeds, double Q, double P, double filterDrop,
                       double plenumDrop)
{
  SideChoice side;
  for (Cls_BrisaSpeed* speed : pSpeeds) {
    const double low = speed->GetArgumentLow(), high = speed->GetArgumentHigh();
    const bool unlimited = low == 0 && high == 0;
    if (!unlimited && Q > high)
      continue;
    side.inRange = true;
    const double available = speed->Evaluate(Q);
    if (P > speed->Evaluate(low) || P + filterDrop + plenumDrop > available)
      continue;
    side.strongEnough = true;
    if (available > speed->GetEspLimit())
      continue;
    side.withinLimit = true;
    const double margin = available - P - filterDrop - plenumDrop;
    if (margin > 0 && margin < side.margin) {
      side.best = speed;
      side.margin = margin;
    }
  }
  return side;
}

// The side's code when it has no speed to offer, else 0. A side whose
// speeds all deliver exactly the requirement (no surplus) is not strong enough.
int SideCode(const SideChoice& side, int nTooLarge, int nEspTooLarge, int nEspTooSmall)
{
  if (!side.inRange)
    return nTooLarge;
  if (!side.strongEnough)
    return nEspTooLarge;
  if (!side.withinLimit)
    return nEspTooSmall;
  return side.best ? 0 : nEspTooLarge;
}

} // namespace

struct Cls_Brisa::SearchRequest
{
  double Qs, Qe; // m³/h
  double Ps, Pe; // Pa
  int fs, fe;    // filter classes, 0: none
  int nPlenum;
};

bool Cls_Brisa::EvaluatePair(const SearchRequest& R, const ObjectList<Cls_BrisaSpeed>& A,
                             const ObjectList<Cls_BrisaSpeed>& B, OwningObjectList<Cls_Brisa>& pSolutions,
                             int& ErrorCode)
{
  const double minAirflow = GetMinAirflow(), maxAirflow = GetMaxAirflow();
  if (minAirflow > R.Qs) {
    ErrorCode = rcSupplyAirflowTooSmall;
    return true;
  }
  if (maxAirflow < R.Qs) {
    ErrorCode = rcSupplyAirflowTooLarge;
    return true;
  }
  if (minAirflow > R.Qe) {
    ErrorCode = rcExhaustAirflowTooSmall;
    return true;
  }
  if (maxAirflow < R.Qe) {
    ErrorCode = rcExhaustAirflowTooLarge;
    return true;
  }
  double plenumSupply = 0, plenumExhaust = 0;
  GetPlenumESP(R.nPlenum, R.Qs, R.Qe, plenumSupply, plenumExhaust);
  // A unit without the requested filter class is left out without a code.
  if ((R.fs > 0 && !GetFilterOption(R.fs)) || (R.fe > 0 && !GetFilterOption(R.fe)))
    return false;
  const double filterSupply = R.fs > 0 ? GetFilterESP(R.fs, R.Qs) : 0;
  const double filterExhaust = R.fe > 0 ? GetFilterESP(R.fe, R.Qe) : 0;

  const SideChoice supply = ChooseSpeed(A, R.Qs, R.Ps, filterSupply, plenumSupply);
  if (const int code = SideCode(supply, rcSupplyAirflowTooLarge, rcSupplyEspTooLarge, rcSupplyEspTooSmall)) {
    ErrorCode = code;
    return true;
  }
  const SideChoice exhaust = ChooseSpeed(B, R.Qe, R.Pe, filterExhaust, plenumExhaust);
  if (const int code = SideCode(exhaust, rcExhaustAirflowTooLarge, rcExhaustEspTooLarge, rcExhaustEspTooSmall)) {
    ErrorCode = code;
    return true;
  }
  std::unique_ptr<Cls_Brisa> solution = TakeAs<Cls_Brisa>(GetFactory()->CreateObject(kClassID, GetID()));
  if (!solution)
    return true;
  solution->v_supplySpeed = supply.best;
  solution->v_exhaustSpeed = exhaust.best;
  solution->v_searchedUnit = this;
  solution->v_selKey = maxAirflow * 10000 + supply.margin * 100 + exhaust.margin;
  pSolutions.Add(solution.release());
  return true;
}

OwningObjectList<Cls_Brisa> Cls_Brisa::SelectedDevices(const ObjectList<Cls_Brisa>& pUnits,
                                                       const Cls_BrisaSpType* pMaxSpeedType, double Qs, double Qe,
                                                       double Ps, double Pe, int fs, int fe, int nPlenum,
                                                       int& ErrorCode, std::vector<CTUnitRejection>* pRejections)
{
  OwningObjectList<Cls_Brisa> solutions;
  if (!(Qs > 0))
    ErrorCode = rcSupplyAirflowTooSmall;
  else if (!(Qe > 0))
    ErrorCode = rcExhaustAirflowTooSmall;
  else if (!(Ps > 0))
    ErrorCode = rcSupplyEspTooSmall;
  else if (!(Pe > 0))
    ErrorCode = rcExhaustEspTooSmall;
  else
    ErrorCode = 0;
  if (ErrorCode != 0 || pUnits.IsEmpty())
    return solutions;

  // The speed types from the lowest up to the highest one allowed.
  ObjectList<Cls_BrisaSpType> window;
  for (Cls_BrisaSpType* type : Cls_BrisaSpType::OrderedBrisaSpTypes(pUnits.First()->GetFactory())) {
    window.Add(type);
    if (pMaxSpeedType && SameObject(*type, pMaxSpeedType->TableIndex(), pMaxSpeedType->GetID()))
      break;
  }

  const SearchRequest request{Qs, Qe, Ps, Pe, fs, fe, nPlenum};
  int coveringCode = 0; // of the last unit whose airflow range holds both airflows
  for (Cls_Brisa* unit : pUnits) {
    const int found = solutions.Count();
    int unitCode = 0;
    bool hasFilters = true;
    const auto evaluate = [&](const ObjectList<Cls_BrisaSpeed>& A, const ObjectList<Cls_BrisaSpeed>& B) {
      hasFilters = unit->EvaluatePair(request, A, B, solutions, unitCode) && hasFilters;
    };
    // Equal speed types on both sides, or types one step apart.
    ObjectList<Cls_BrisaSpeed> previous;
    for (const Cls_BrisaSpType* type : window) {
      ObjectList<Cls_BrisaSpeed> current = SpeedsOfType(unit->GetSpeeds(), *type);
      if (current.IsEmpty())
        continue;
      evaluate(current, current);
      if (!previous.IsEmpty()) {
        evaluate(current, previous);
        evaluate(previous, current);
      }
      previous = std::move(current);
    }
    if (unitCode != 0)
      ErrorCode = unitCode;
    const bool covers = unit->GetMinAirflow() <= std::min(Qs, Qe) && unit->GetMaxAirflow() >= std::max(Qs, Qe);
    if (covers && unitCode != 0)
      coveringCode = unitCode;
    if (pRejections && solutions.Count() == found)
      pRejections->push_back({unit->GetName(), unitCode, !hasFilters && unitCode == 0});
  }
  if (coveringCode != 0)
    ErrorCode = coveringCode;
  if (!solutions.IsEmpty())
    ErrorCode = 0;
  solutions.Sort(CompareSolution);
  return solutions;
}

ObjectList<Cls_BrisaSpType> Cls_Brisa::AvailableSpeedTypes(const ObjectList<Cls_Brisa>& pUnits)
{
  ObjectList<Cls_BrisaSpType> result;
  if (pUnits.IsEmpty())
    return result;
  for (Cls_BrisaSpType* type : Cls_BrisaSpType::OrderedBrisaSpTypes(pUnits.First()->GetFactory()))
    for (Cls_Brisa* unit : pUnits)
      if (!SpeedsOfType(unit->GetSpeeds(), *type).IsEmpty()) {
        result.Add(type);
        break;
      }
  return result;
}

void Cls_Brisa::GetRanges(const ObjectList<Cls_Brisa>& pUnits, double& MinAirflow, double& MaxAirflow,
                          double& MaxEsp)
{
  MinAirflow = 2147483647;
  MaxAirflow = 0;
  MaxEsp = 0;
  for (Cls_Brisa* unit : pUnits) {
    MinAirflow = std::min(MinAirflow, unit->GetMinAirflow());
    MaxAirflow = std::max(MaxAirflow, unit->GetMaxAirflow());
    for (const Cls_BrisaSpeed* speed : unit->GetSpeeds())
      MaxEsp = std::max(MaxEsp, speed->GetEspLimit());
  }
  if (MinAirflow > MaxAirflow)
    MaxAirflow = MinAirflow;
}

bool Cls_Brisa::CompareBrisas(const Cls_Brisa* pA, const Cls_Brisa* pB)
{
  const double a = pA->GetMaxAirflow(), b = pB->GetMaxAirflow();
  if (a <= 0 || b <= 0)
    return platform::FoldCase(pA->GetName()) < platform::FoldCase(pB->GetName());
  return a < b;
}

bool Cls_Brisa::CompareSolution(const Cls_Brisa* pA, const Cls_Brisa* pB)
{
  return pA->v_selKey < pB->v_selKey;
}

} // namespace aw
