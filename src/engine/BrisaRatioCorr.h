#pragma once
// Catalogue-wide corrections of the performance model: the exchange
// efficiencies catalogued for balanced airflows, corrected for the ratio of
// exhaust to supply airflow, and the humidifier output factors by airflow
// ratio and by the dryness of the air.
//
// The correction curves are Cls_BrisaCorrection polynomials of one table,
// told apart by their Type:
//   1  efficiency at one airflow ratio (Select1 = exhaust ÷ supply airflow):
//      uncorrected efficiency (%) -> corrected efficiency (%)
//   2  humidification factor: supply airflow ÷ nominal airflow -> factor
//   3  humidification factor: dry bulb minus wet bulb of the air entering
//      the humidifier (K) -> factor
// Curves of other types are ignored. Missing curves never fail: no
// efficiency curves leave efficiencies unchanged, no humidification curve
// gives the factor 1.

#include "catalogue/ClPolynomial.h"
#include "foundation/ObjList.h"

#include <memory>
#include <string>
#include <vector>

namespace aw {

class CTBaseFactory;

class TBrisaRatioCorr
{
public:
  enum : int { kTypeEfficiency = 1, kTypeRatioHumidification = 2, kTypeTempHumidification = 3 };

  // Reads from pFactory's catalogue; none: the default factory at the time of loading.
  explicit TBrisaRatioCorr(CTBaseFactory* pFactory = nullptr);
  ~TBrisaRatioCorr();
  TBrisaRatioCorr(const TBrisaRatioCorr&) = delete;
  TBrisaRatioCorr& operator=(const TBrisaRatioCorr&) = delete;

  // Class operations on one shared instance, created on first use. It reads
  // the default factory's catalogue and forgets it when that catalogue's
  // engine closes, so a new connection is read again.
  // Ratio = exhaust ÷ supply airflow; efficiencies in %.
  static double GetEfficiencyCorrection(double Ratio, double Efficiency);
  // Ratio = supply ÷ nominal airflow -> factor; 1 without a type-2 curve.
  static double GetRatioHumidification(double Ratio);
  // TempDiff = dry bulb − wet bulb (K) -> factor; 1 without a type-3 curve.
  static double GetTempHumidification(double TempDiff);
  // Releases the shared instance (the next class call creates it again).
  static void ReleaseShared();

  // Sets the three fields to none.
  void InitAttributes();
  // Releases the curves; the next call reads them again.
  void ClearCache();

  // The instance form of GetEfficiencyCorrection: nearest curve outside the
  // catalogued ratios, linear in the ratio between two of them.
  double CorrectEfficiency(double Ratio, double Efficiency);
  // The variant drawn on the efficiency-correction graph: extrapolates below
  // the first ratio along the first two curves, and leaves nArgument (%)
  // unchanged at and above the last ratio or with fewer than two curves.
  double GetCorrValAt(double Ratio, double nArgument);
  double GetHumidCorrVal(double X);
  double GetHumidTempVal(double X);
  // The Select1 of every efficiency curve in list order, with one decimal and
  // the user's decimal separator.
  std::vector<std::string> GetRatioCorrectionVals();

  // The efficiency curves by Select1 ascending (loading them first).
  const ObjectList<Cls_BrisaCorrection>& Corrections();

private:
  void EnsureLoaded();
  static double Interpolate(const Cls_BrisaCorrection& pLow, const Cls_BrisaCorrection& pHigh, double Ratio,
                            double Efficiency);
  static TBrisaRatioCorr& Shared();

  CTBaseFactory* v_factory;
  bool v_loaded = false;
  bool v_watchesCatalogue = false; // the shared instance forgets a closed catalogue
  OwningObjectList<Cls_BrisaCorrection> v_Corrections;
  std::unique_ptr<Cls_BrisaCorrection> v_RatioHumidification;
  std::unique_ptr<Cls_BrisaCorrection> v_TempHumidification;
};

} // namespace aw
