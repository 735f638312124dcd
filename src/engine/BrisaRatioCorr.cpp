#include "engine/BrisaRatioCorr.h"

#include "air/NumberFormat.h"
#include "air/SI_Units.h"
#include "catalogue/CatalogueProperties.h"
#include "db/BaseFactory.h"
#include "db/TableInfo.h"

namespace aw {

namespace {

// A plain pointer, so that a catalogue closing during the program's exit can
// still test it after the shared instance is gone.
TBrisaRatioCorr* g_shared = nullptr;

// Releases the shared instance when the program ends.
struct SharedRelease
{
  ~SharedRelease() { TBrisaRatioCorr::ReleaseShared(); }
};

bool BySelect1(const Cls_BrisaCorrection* pA, const Cls_BrisaCorrection* pB)
{
  return pA->GetSelect1() < pB->GetSelect1();
}

} // namespace

TBrisaRatioCorr::TBrisaRatioCorr(CTBaseFactory* pFactory) : v_factory(pFactory)
{
  InitAttributes();
}

TBrisaRatioCorr::~TBrisaRatioCorr()
{
  ClearCache();
}

void TBrisaRatioCorr::InitAttributes()
{
  // The fields own what they hold, so setting them to none releases it.
  ClearCache();
}

void TBrisaRatioCorr::ClearCache()
{
  v_Corrections.ClearAndDestroy();
  v_RatioHumidification.reset();
  v_TempHumidification.reset();
  v_loaded = false;
}

void TBrisaRatioCorr::EnsureLoaded()
{
  if (v_loaded)
    return;
  CTBaseFactory* factory = v_factory ? v_factory : CTDbObject::GetDefaultFactory();
  CTTableInfo* table = factory ? factory->GetTableInfo(Cls_BrisaCorrection::kClassID) : nullptr;
  // Without a connected catalogue there is nothing to read yet; the next call tries again.
  if (!table || !table->GetDbEngine())
    return;
  OwningObjectList<Cls_BrisaCorrection> all = AllRecordsOf<Cls_BrisaCorrection>(false, factory);
  for (Cls_BrisaCorrection* curve : all.Release()) {
    switch (curve->GetType()) {
    case kTypeEfficiency:
      v_Corrections.Add(curve);
      break;
    case kTypeRatioHumidification:
      v_RatioHumidification.reset(curve);
      break;
    case kTypeTempHumidification:
      v_TempHumidification.reset(curve);
      break;
    default:
      delete curve;
    }
  }
  v_Corrections.Sort(BySelect1);
  v_loaded = true;
  if (v_watchesCatalogue)
    table->SetCustomCacheCleanupProc([] {
      if (g_shared)
        g_shared->ClearCache();
    });
}

const ObjectList<Cls_BrisaCorrection>& TBrisaRatioCorr::Corrections()
{
  EnsureLoaded();
  return v_Corrections;
}

double TBrisaRatioCorr::Interpolate(const Cls_BrisaCorrection& pLow, const Cls_BrisaCorrection& pHigh, double Ratio,
                                    double Efficiency)
{
  const double s0 = pLow.GetSelect1(), s1 = pHigh.GetSelect1();
  const double c0 = pLow.Evaluate(Efficiency), c1 = pHigh.Evaluate(Efficiency);
  // Two curves catalogued for the same ratio: take the lower one's value.
  if (!(s1 > s0))
    return c0;
  return c0 + (Ratio - s0) * (c1 - c0) / (s1 - s0);
}

double TBrisaRatioCorr::CorrectEfficiency(double Ratio, double Efficiency)
{
  EnsureLoaded();
  const int n = v_Corrections.Count();
  if (n == 0)
    return Efficiency;
  if (Ratio <= v_Corrections.First()->GetSelect1())
    return v_Corrections.First()->Evaluate(Efficiency);
  if (Ratio >= v_Corrections.Last()->GetSelect1())
    return v_Corrections.Last()->Evaluate(Efficiency);
  // A non-finite ratio fails both comparisons above and every one below.
  for (int k = 1; k < n; ++k)
    if (Ratio <= v_Corrections[k]->GetSelect1())
      return Interpolate(*v_Corrections[k - 1], *v_Corrections[k], Ratio, Efficiency);
  return Efficiency;
}

double TBrisaRatioCorr::GetCorrValAt(double Ratio, double nArgument)
{
  EnsureLoaded();
  for (int k = 1; k < v_Corrections.Count(); ++k)
    if (v_Corrections[k]->GetSelect1() > Ratio)
      return Interpolate(*v_Corrections[k - 1], *v_Corrections[k], Ratio, nArgument);
  return nArgument;
}

double TBrisaRatioCorr::GetHumidCorrVal(double X)
{
  EnsureLoaded();
  return v_RatioHumidification ? v_RatioHumidification->Evaluate(X) : 1;
}

double TBrisaRatioCorr::GetHumidTempVal(double X)
{
  EnsureLoaded();
  return v_TempHumidification ? v_TempHumidification->Evaluate(X) : 1;
}

std::vector<std::string> TBrisaRatioCorr::GetRatioCorrectionVals()
{
  EnsureLoaded();
  std::vector<std::string> values;
  for (const Cls_BrisaCorrection* curve : v_Corrections)
    values.push_back(Number2FmtStr(curve->GetSelect1(), 0, 1, TU_Form::GetDecimalSeparator()));
  return values;
}

TBrisaRatioCorr& TBrisaRatioCorr::Shared()
{
  static SharedRelease release;
  if (!g_shared) {
    g_shared = new TBrisaRatioCorr();
    g_shared->v_watchesCatalogue = true;
  }
  return *g_shared;
}

void TBrisaRatioCorr::ReleaseShared()
{
  delete g_shared;
  g_shared = nullptr;
}

double TBrisaRatioCorr::GetEfficiencyCorrection(double Ratio, double Efficiency)
{
  return Shared().CorrectEfficiency(Ratio, Efficiency);
}

double TBrisaRatioCorr::GetRatioHumidification(double Ratio)
{
  return Shared().GetHumidCorrVal(Ratio);
}

double TBrisaRatioCorr::GetTempHumidification(double TempDiff)
{
  return Shared().GetHumidTempVal(TempDiff);
}

} // namespace aw
