// The performance model of Cls_Brisa: what a unit with chosen speeds
// delivers in cooling and in heating.
//
// Exchanger units (Brisa, Dorsa and the families without a model of their
// own) pass the outdoor air through an optional inlet heater and the plate
// exchanger; a Dorsa unit then through its coil and humidifier, a Brisa unit
// in heating through an optional supply heater. A Pelmar-MF unit brings the
// outdoor air through its coil to a discharge temperature.
//
// Every failure is a result code, and then the outputs hold their neutral
// reset values. Every search has a stop and every division a guard, so that
// no input gives NaN or an endless loop.

#include "engine/ClBrisa.h"

#include "catalogue/CatalogueText.h"
#include "engine/BrisaRatioCorr.h"
#include "engine/ClIndoorUnit.h"

#include <algorithm>
#include <cmath>

namespace aw {

namespace {

constexpr double kFixedDensity = 1.2;    // kg/m³, of the supply mass flow
constexpr double kMaxHeatedTemp = 60;    // °C, the hottest air a heater may make
constexpr double kSearchStep = 0.5;      // K
constexpr double kHeatingSearchFrom = -20; // °C, the ambient-limit search starts just above
constexpr double kCoolingSearchFrom = 60;  // °C, the ambient-limit search starts just below
constexpr double kCoolingSearchStop = -40; // °C, below it no limit is found (the panels' lowest ambient)
constexpr double kCoilLineTemp = 11;       // °C, end of the Pelmar-MF coil line
constexpr double kCoilLineEnthalpy = 31.724; // kJ/kg, its enthalpy at sea level
constexpr double kCoilLineMinHumidity = 0.00816; // kg/kg at sea level, drier air is cooled at constant humidity

// x rounded to three decimals, halves to even.
double R3(double x)
{
  return catalogue::RoundHalfEven(x * 1000) / 1000;
}

double HeatCapacity(double x)
{
  return air::kCpDryAir + air::kCpVapour * x; // kJ/(kg·K) of moist air
}

// Supply mass flow (kg/s) at the fixed density, and at the outdoor air's.
double MassFlow(double SupplyAir)
{
  return SupplyAir * kFixedDensity / 3600;
}
double OutdoorMassFlow(double SupplyAir, const TAir& Air, const RepPsychroPoint& OA)
{
  return SupplyAir * Air.DryAirDensity(OA.DBT) / 3600;
}

RepPsychroPoint FromTempRH(const TAir& Air, double t, double rh)
{
  RepPsychroPoint p{t, rh, Air.AbsoluteHumidity(rh, t), 0};
  p.e = Air.Enthalpy(p.AH, t);
  return p;
}
RepPsychroPoint FromTempEnthalpy(const TAir& Air, double t, double h)
{
  const double x = Air.HumidityRatio(h, t);
  return {t, Air.RelativeHumidity(x, t), x, h};
}
RepPsychroPoint FromTempHumidity(const TAir& Air, double t, double x)
{
  return {t, Air.RelativeHumidity(x, t), x, Air.Enthalpy(x, t)};
}

bool Finite(const RepPsychroPoint& p)
{
  return std::isfinite(p.DBT) && std::isfinite(p.RH) && std::isfinite(p.AH) && std::isfinite(p.e);
}
bool Finite(const AWPsychroSet& P)
{
  for (const RepPsychroPoint* p : {&P.RA, &P.OA, &P.EA, &P.SA, &P.VI, &P.VO, &P.CI, &P.HI})
    if (!Finite(*p))
      return false;
  return true;
}

void Propagate(AWPsychroSet& P, const RepPsychroPoint& s)
{
  P.CI = P.HI = P.VO = P.SA = s;
}

// The plate exchanger with the supply side's efficiencies a (temperature)
// and b (enthalpy) as fractions. The exhaust side follows from the energy
// balance m_supply·(CI − In) = m_exhaust·(RA − EA) with the mass ratio
// k = m_supply ÷ m_exhaust, so its effectiveness is a·k; where that would
// exceed 1 the exhaust leaves at the incoming supply state and the supply
// side takes only what the exhaust gives up (effectiveness 1 ÷ k).
struct Exchanger
{
  double a, b;
  double k = 1; // supply ÷ exhaust mass flow

  // The effectiveness of the supply side and of the exhaust side for one quantity.
  double SupplySide(double eff) const { return eff * k > 1 ? 1 / k : eff; }
  double ExhaustSide(double eff) const { return std::min(eff * k, 1.0); }

  RepPsychroPoint Exhaust(const TAir& Air, const RepPsychroPoint& RA, const RepPsychroPoint& In) const
  {
    return FromTempEnthalpy(Air, RA.DBT - (RA.DBT - In.DBT) * ExhaustSide(a),
                            RA.e - (RA.e - In.e) * ExhaustSide(b));
  }
  RepPsychroPoint Supply(const TAir& Air, const RepPsychroPoint& RA, const RepPsychroPoint& In) const
  {
    return FromTempEnthalpy(Air, In.DBT - (In.DBT - RA.DBT) * SupplySide(a), In.e - (In.e - RA.e) * SupplySide(b));
  }
  void Exchange(const TAir& Air, AWPsychroSet& P, const RepPsychroPoint& In) const
  {
    P.EA = Exhaust(Air, P.RA, In);
    Propagate(P, Supply(Air, P.RA, In));
  }
};

// ---- capacity look-ups of the Pelmar-MF curves ---------------------------------

// The curves that share the largest discharge temperature not above n (n
// first clamped into the list's discharge range).
ObjectList<Cls_BrisaPolynomial> DischargeGroup(const ObjectList<Cls_BrisaPolynomial>& pList, double n)
{
  ObjectList<Cls_BrisaPolynomial> group;
  if (pList.IsEmpty())
    return group;
  n = std::clamp(n, pList.First()->GetSelect2(), pList.Last()->GetSelect2());
  double chosen = pList.First()->GetSelect2();
  for (const Cls_BrisaPolynomial* curve : pList)
    if (curve->GetSelect2() <= n)
      chosen = curve->GetSelect2();
  for (Cls_BrisaPolynomial* curve : pList)
    if (curve->GetSelect2() == chosen)
      group.Add(curve);
  return group;
}

// The breakpoint interval of t on the list: k is the curve whose Select1 is t,
// or the first one above t (then k − 1 lies below); false when t lies outside.
bool Breakpoints(const ObjectList<Cls_BrisaPolynomial>& pList, double t, int& k, bool& exact)
{
  if (pList.IsEmpty() || !(t >= pList.First()->GetSelect1() && t <= pList.Last()->GetSelect1()))
    return false;
  for (k = 0; k < pList.Count(); ++k) {
    const double s = pList[k]->GetSelect1();
    if (s == t) {
      exact = true;
      return true;
    }
    if (s > t && k > 0) {
      exact = false;
      return true;
    }
  }
  return false;
}

double Line(double x0, double y0, double x1, double y1, double x)
{
  return x1 == x0 ? y0 : y0 + (x - x0) * (y1 - y0) / (x1 - x0);
}

// Heating: the value at t on the breakpoint curves; −1 outside them.
double Value1D(const ObjectList<Cls_BrisaPolynomial>& pList, double t)
{
  int k = 0;
  bool exact = false;
  if (!Breakpoints(pList, t, k, exact))
    return -1;
  if (exact)
    return pList[k]->Evaluate(t);
  // The chord of the lower curve between the two breakpoints.
  const Cls_BrisaPolynomial& lower = *pList[k - 1];
  const double s1 = lower.GetSelect1(), s2 = pList[k]->GetSelect1();
  return Line(s1, lower.Evaluate(s1), s2, lower.Evaluate(s2), t);
}

// Curve k at the wet bulb w, continued beyond its range towards a neighbour
// that is not the first or last curve of the list; 0 where that fails.
double Extended(const ObjectList<Cls_BrisaPolynomial>& pList, int k, double w)
{
  w = catalogue::RoundHalfEven(w * 100) / 100;
  const Cls_BrisaPolynomial& c = *pList[k];
  const double low = c.GetArgumentLow(), high = c.GetArgumentHigh();
  const bool unlimited = low == 0 && high == 0;
  if (unlimited || (w >= low && w <= high))
    return c.Evaluate(w);
  const int count = pList.Count();
  if (w > high) {
    if (k + 1 > count - 2)
      return 0;
    const Cls_BrisaPolynomial& next = *pList[k + 1];
    const double nextHigh = next.GetArgumentHigh();
    return w <= nextHigh ? Line(high, c.Evaluate(high), nextHigh, next.Evaluate(nextHigh), w) : 0;
  }
  if (k - 1 < 1)
    return 0;
  const Cls_BrisaPolynomial& prev = *pList[k - 1];
  const double prevLow = prev.GetArgumentLow();
  return w >= prevLow ? Line(prevLow, prev.Evaluate(prevLow), low, c.Evaluate(low), w) : 0;
}

// Cooling: the value at the dry bulb t and wet bulb w; −1 outside the breakpoints.
double Value2D(const ObjectList<Cls_BrisaPolynomial>& pList, double t, double w)
{
  int k = 0;
  bool exact = false;
  if (!Breakpoints(pList, t, k, exact))
    return -1;
  if (exact)
    return Extended(pList, k, w);
  return Line(pList[k - 1]->GetSelect1(), Extended(pList, k - 1, w), pList[k]->GetSelect1(), Extended(pList, k, w),
              t);
}

// A capacity at discharge d: the group of trunc(d), interpolated towards the next group.
template <class Lookup>
double AtDischarge(const ObjectList<Cls_BrisaPolynomial>& pList, double d, double q, Lookup&& value)
{
  const double n = std::trunc(d);
  double c = value(DischargeGroup(pList, n)) * q;
  if (d != n)
    c += (d - n) * (value(DischargeGroup(pList, n + 1)) * q - c);
  return c;
}

// The Pelmar-MF coil's process line on the temperature–enthalpy plane: a
// straight line from the air entering the coil to an end point at 11 °C,
// just at saturation (31.724 kJ/kg at sea level). At the site the end
// point's humidity and the threshold below which air is cooled at constant
// humidity scale with the saturation humidity at 11 °C, so that the line
// ends at saturation at any pressure.
class PelmarCoilLine
{
public:
  PelmarCoilLine(const TAir& Air, const RepPsychroPoint& In) : v_in(In)
  {
    const double scale = Air.AbsoluteHumidity(100, kCoilLineTemp) / TAir(0).AbsoluteHumidity(100, kCoilLineTemp);
    const double endHumidity = Air.HumidityRatio(kCoilLineEnthalpy, kCoilLineTemp) * scale;
    v_endEnthalpy = Air.Enthalpy(endHumidity, kCoilLineTemp);
    v_alongLine = In.AH > kCoilLineMinHumidity * scale && std::fabs(In.DBT - kCoilLineTemp) > 1e-9 &&
                  std::fabs(In.e - v_endEnthalpy) > 1e-9;
  }

  // The state at the temperature t; condensation limits it to saturation.
  RepPsychroPoint AtTemperature(const TAir& Air, double t, double SupplyAir) const
  {
    double x = v_alongLine ? Air.HumidityRatio(Line(kCoilLineTemp, v_endEnthalpy, v_in.DBT, v_in.e, t), t) : v_in.AH;
    double h2o = 0;
    Air.GetCondensWater(x, t, SupplyAir, x, h2o);
    return FromTempHumidity(Air, t, x);
  }

  // The state at the enthalpy h (kJ/kg); a state below its dew point is lifted to it.
  RepPsychroPoint AtEnthalpy(const TAir& Air, double h) const
  {
    RepPsychroPoint p;
    p.e = h;
    p.DBT = v_alongLine ? Line(v_endEnthalpy, kCoilLineTemp, v_in.e, v_in.DBT, h) : Air.DryBulbTemp(h, v_in.AH);
    p.AH = Air.HumidityRatio(h, p.DBT);
    if (!(p.AH > 0))
      return p;
    p.DBT = std::max(p.DBT, Air.DewPoint(p.AH));
    p.RH = Air.RelativeHumidity(p.AH, p.DBT);
    return p;
  }

private:
  RepPsychroPoint v_in;
  double v_endEnthalpy = kCoilLineEnthalpy; // kJ/kg at 11 °C and the site pressure
  bool v_alongLine = false;
};

} // namespace

Cls_Brisa::ExchangeLimits Cls_Brisa::LimitsFor(bool bUpsideDown) const
{
  auto pick = [bUpsideDown](double upsideDown, double normal) {
    return bUpsideDown && upsideDown > 0 ? upsideDown : normal;
  };
  ExchangeLimits L{};
  L.rhoE = pick(GetEAMaxRHUpsideDown(), GetEAMaxRH());
  L.rhoV = pick(GetVOMaxRHUpsideDown(), GetVOMaxRH());
  L.rhoC = pick(GetCIMaxRHUpsideDown(), GetCIMaxRH());
  if (L.rhoC == 0)
    L.rhoC = L.rhoV;
  L.tV = bUpsideDown ? GetVIMinTempUpsideDown() : GetVIMinTemp();
  return L;
}

void Cls_Brisa::Reset(double RATemp, double RARelH, double OATemp, double OARelH, const TAir& Air,
                      AWPsychroSet& P) const
{
  P.RA = FromTempRH(Air, RATemp, RARelH);
  P.OA = FromTempRH(Air, OATemp, OARelH);
  P.EA = P.RA;
  P.VI = P.VO = P.CI = P.SA = P.OA;
  P.HI = RepPsychroPoint{};
}

int Cls_Brisa::CheckLimits(double RATemp, double RARelH, double OATemp, double OARelH, double SupplyAir,
                           double ExhaustAir) const
{
  auto inRange = [this](double q) { return q > 0 && q >= GetMinAirflow() && q <= GetMaxAirflow(); };
  if (!std::isfinite(SupplyAir) || !std::isfinite(ExhaustAir) || !inRange(SupplyAir) || !inRange(ExhaustAir))
    return rcAirflow;
  const bool pelmar = GetType() == kFamilyPelmarMF;
  if (!std::isfinite(RATemp) || !std::isfinite(RARelH))
    return rcRoomTemp;
  if (!std::isfinite(OATemp) || !std::isfinite(OARelH))
    return pelmar ? rcAmbientTemp : rcInletTemp;
  if (pelmar) {
    if (OARelH > GetOAMaxRH())
      return rcAmbientRH;
    if (OATemp > GetOAMaxTemp())
      return rcAmbientTemp;
    return rcOK;
  }
  if (RARelH > GetRAMaxRH())
    return rcRoomRH;
  if (RATemp < GetRAMinTemp() || RATemp > GetRAMaxTemp())
    return rcRoomTemp;
  return rcOK;
}

int Cls_Brisa::SelectForCooling(double RATemp, double RARelH, double OATemp, double OARelH, double SupplyAir,
                                double ExhaustAir, const TAir& Air, double TETemp, double Discharge,
                                bool bUpsideDown, AWPsychroSet& PsychroPoints, double& TotalCap, double& SensibleCap,
                                double& TemperatureEff, double& EnthalpyEff, double& MaxAmbientTemp,
                                AWHeaterSet& InletHeater)
{
  const double userInlet = InletHeater.UserHeater;
  auto reset = [&] {
    Reset(RATemp, RARelH, OATemp, OARelH, Air, PsychroPoints);
    TotalCap = SensibleCap = TemperatureEff = EnthalpyEff = 0;
    MaxAmbientTemp = kNoTemperature;
    InletHeater = {userInlet, 0};
  };
  reset();
  int code = CheckLimits(RATemp, RARelH, OATemp, OARelH, SupplyAir, ExhaustAir);
  if (code == rcOK && OATemp > RATemp) {
    EnsureCurves();
    if (GetType() == kFamilyPelmarMF) {
      code = PelmarCooling(OARelH, SupplyAir, Air, Discharge, PsychroPoints, TotalCap);
    } else {
      double heatCap = 0, humidification = 0;
      code = ExchangerPath(true, OARelH, SupplyAir, ExhaustAir, Air, TETemp, kNoValue, bUpsideDown,
                           PsychroPoints, TotalCap, SensibleCap, heatCap, TemperatureEff, EnthalpyEff,
                           MaxAmbientTemp, humidification, InletHeater, nullptr);
    }
    const bool finite = Finite(PsychroPoints) && std::isfinite(TotalCap) && std::isfinite(SensibleCap) &&
                        std::isfinite(TemperatureEff) && std::isfinite(EnthalpyEff) &&
                        std::isfinite(InletHeater.CalcHeater);
    if (code == rcOK && !finite)
      code = GetType() == kFamilyBrisa ? rcInletTemp : rcNoCoolCapacity;
  }
  if (code != rcOK)
    reset();
  return code;
}

int Cls_Brisa::SelectForHeating(double RATemp, double RARelH, double OATemp, double OARelH, double SupplyAir,
                                double ExhaustAir, const TAir& Air, double SupplyTemp, bool bUpsideDown,
                                AWPsychroSet& PsychroPoints, double& HeatCap, double& TemperatureEff,
                                double& EnthalpyEff, double& MinAmbientTemp, double& Humidification,
                                AWHeaterSet& InletHeater, AWHeaterSet& SupplyHeater)
{
  const double userInlet = InletHeater.UserHeater, userSupply = SupplyHeater.UserHeater;
  auto reset = [&] {
    Reset(RATemp, RARelH, OATemp, OARelH, Air, PsychroPoints);
    HeatCap = TemperatureEff = EnthalpyEff = Humidification = 0;
    MinAmbientTemp = kNoTemperature;
    InletHeater = {userInlet, 0};
    SupplyHeater = {userSupply, 0};
  };
  reset();
  int code = CheckLimits(RATemp, RARelH, OATemp, OARelH, SupplyAir, ExhaustAir);
  if (code == rcOK && RATemp > OATemp) {
    EnsureCurves();
    if (GetType() == kFamilyPelmarMF) {
      code = PelmarHeating(RATemp, OARelH, SupplyAir, Air, SupplyTemp, bUpsideDown, PsychroPoints, HeatCap,
                           InletHeater);
    } else {
      double totalCap = 0, sensibleCap = 0;
      code = ExchangerPath(false, OARelH, SupplyAir, ExhaustAir, Air, 0, SupplyTemp, bUpsideDown,
                           PsychroPoints, totalCap, sensibleCap, HeatCap, TemperatureEff, EnthalpyEff,
                           MinAmbientTemp, Humidification, InletHeater, &SupplyHeater);
    }
    const bool finite = Finite(PsychroPoints) && std::isfinite(HeatCap) && std::isfinite(TemperatureEff) &&
                        std::isfinite(EnthalpyEff) && std::isfinite(Humidification) &&
                        std::isfinite(InletHeater.CalcHeater) && std::isfinite(SupplyHeater.CalcHeater);
    if (code == rcOK && !finite)
      code = GetType() == kFamilyBrisa ? rcInletTemp : rcNoHeatCapacity;
  }
  if (code != rcOK)
    reset();
  return code;
}

int Cls_Brisa::ExchangerPath(bool bCooling, double OARelH, double SupplyAir, double ExhaustAir,
                             const TAir& Air, double TETemp, double SupplyTemp, bool bUpsideDown, AWPsychroSet& P,
                             double& TotalCap, double& SensibleCap, double& HeatCap, double& TemperatureEff,
                             double& EnthalpyEff, double& AmbientLimit, double& Humidification,
                             AWHeaterSet& InletHeater, AWHeaterSet* SupplyHeater)
{
  // 1. Efficiencies, corrected for the airflow ratio.
  const double ratio = ExhaustAir / SupplyAir;
  const Cls_BrisaPolynomial* tempCurve = Curve(ctTempExEff);
  const Cls_BrisaPolynomial* enthalpyCurve = Curve(bCooling ? ctCoolEnthalpyExEff : ctHeatEnthalpyExEff);
  TemperatureEff = TBrisaRatioCorr::GetEfficiencyCorrection(ratio, tempCurve ? tempCurve->Evaluate(SupplyAir) : 0);
  EnthalpyEff =
    TBrisaRatioCorr::GetEfficiencyCorrection(ratio, enthalpyCurve ? enthalpyCurve->Evaluate(SupplyAir) : 0);
  const Exchanger ex{TemperatureEff / 100, EnthalpyEff / 100, SupplyAir / ExhaustAir};

  // 2. Exchange with the outdoor air at the inlet.
  ex.Exchange(Air, P, P.OA);

  // 3. The ambient temperature beyond which the exchanger needs an inlet heater.
  const ExchangeLimits L = LimitsFor(bUpsideDown);
  AmbientLimit = kNoTemperature;
  if (bCooling) {
    for (double T = kCoolingSearchFrom - kSearchStep; T >= kCoolingSearchStop; T -= kSearchStep)
      if (ex.Supply(Air, P.RA, FromTempRH(Air, T, OARelH)).RH <= L.rhoV) {
        AmbientLimit = T;
        break;
      }
  } else {
    for (double T = kHeatingSearchFrom + kSearchStep; T <= P.RA.DBT; T += kSearchStep)
      if (ex.Exhaust(Air, P.RA, FromTempRH(Air, T, OARelH)).RH <= L.rhoE) {
        AmbientLimit = std::max(T, L.tV);
        break;
      }
  }

  // 4. The calculated inlet heater. A limit of −273 means that no outdoor
  // temperature is safe, so the heater search decides.
  const bool safe =
    AmbientLimit != kNoTemperature && (bCooling ? P.OA.DBT <= AmbientLimit : AmbientLimit <= P.OA.DBT);
  double heater = 0;
  if (!safe)
    if (const int code = InletHeaterSearch(L, ex.a, ex.b, ex.k, SupplyAir, Air, P, heater); code != rcOK)
      return code;
  InletHeater.SetCalculated(heater);

  // 5. A larger user inlet heater is applied instead.
  const double mOA = OutdoorMassFlow(SupplyAir, Air, P.OA);
  if (InletHeater.UserHeater > InletHeater.CalcHeater) {
    const double h = P.OA.e + InletHeater.UserHeater / mOA;
    const double t = Air.DryBulbTemp(h, P.OA.AH);
    if (!(t <= kMaxHeatedTemp))
      return rcInletHeaterTooLarge;
    P.VI = {t, Air.RelativeHumidity(P.OA.AH, t), P.OA.AH, h};
    ex.Exchange(Air, P, P.VI);
  }

  // 6. The air entering the exchanger.
  if (P.VI.RH > GetOAMaxRH())
    return rcAmbientRH;
  if (bCooling ? P.VI.DBT > GetOAMaxTemp() : P.VI.DBT < GetOAMinTemp())
    return rcInletTemp;

  // 7. The supply heater of a Brisa unit reaches the required supply temperature.
  if (SupplyHeater) {
    double supplyHeater = 0;
    if (GetType() == kFamilyBrisa && SupplyTemp > 0 && SupplyTemp > P.VO.DBT) {
      P.SA = FromTempHumidity(Air, SupplyTemp, P.VO.AH);
      supplyHeater = R3(MassFlow(SupplyAir) * std::fabs(P.VO.e - P.SA.e));
    }
    SupplyHeater->SetCalculated(supplyHeater);
  }

  // 8. The coil and humidifier of a Dorsa unit.
  if (GetType() == kFamilyDorsa) {
    const int code = bCooling ? CoilCooling(TETemp, SupplyAir, Air, P, TotalCap, SensibleCap)
                              : CoilHeating(SupplyAir, Air, P, HeatCap, Humidification);
    if (code != rcOK)
      return code;
  }

  // 9. A larger user supply heater is applied instead.
  if (SupplyHeater && SupplyHeater->UserHeater > SupplyHeater->CalcHeater) {
    const double h = P.VO.e + SupplyHeater->UserHeater / mOA;
    const double t = Air.DryBulbTemp(h, P.VO.AH);
    if (!(t < kMaxHeatedTemp))
      return rcSupplyHeaterTooLarge;
    P.SA = {t, Air.RelativeHumidity(P.VO.AH, t), P.VO.AH, h};
  }
  return rcOK;
}

int Cls_Brisa::InletHeaterSearch(const ExchangeLimits& L, double a, double b, double MassRatio, double SupplyAir,
                                 const TAir& Air, AWPsychroSet& P, double& Heater) const
{
  Heater = 0;
  if (P.EA.RH <= L.rhoE && P.CI.RH <= L.rhoC && P.VI.DBT >= L.tV)
    return rcOK;
  const Exchanger ex{a, b, MassRatio};
  RepPsychroPoint vi = P.VI;
  if (vi.DBT < L.tV)
    vi.DBT = L.tV - kSearchStep;
  RepPsychroPoint ea, ci;
  do {
    vi.DBT += kSearchStep;
    // Limits that no heater can reach end the search at the hottest inlet air allowed.
    if (!(vi.DBT <= kMaxHeatedTemp))
      return rcInletTemp;
    vi.e = Air.Enthalpy(vi.AH, vi.DBT);
    ea = ex.Exhaust(Air, P.RA, vi);
    ci = ex.Supply(Air, P.RA, vi);
  } while (!(ea.RH <= L.rhoE && ci.RH <= L.rhoC));
  vi.RH = Air.RelativeHumidity(vi.AH, vi.DBT);
  P.VI = vi;
  P.EA = ea;
  Propagate(P, ci);
  Heater = R3(OutdoorMassFlow(SupplyAir, Air, P.OA) * std::fabs(P.OA.e - P.VI.e));
  return rcOK;
}

namespace {

// The coil takes Qt (total) and Qs (sensible) kW from the air entering it;
// negative values heat. Condensation limits the humidity to saturation.
void CoilProcess(double Qt, double Qs, double SupplyAir, const TAir& Air, AWPsychroSet& P)
{
  const double m = MassFlow(SupplyAir);
  RepPsychroPoint vo;
  vo.e = P.CI.e - Qt / m;
  vo.DBT = P.CI.DBT - (Qs / m) / HeatCapacity(P.CI.AH);
  vo.AH = Qt != Qs ? Air.HumidityRatio(vo.e, vo.DBT) : P.CI.AH;
  double h2o = 0;
  Air.GetCondensWater(vo.AH, vo.DBT, SupplyAir, vo.AH, h2o);
  vo.RH = Air.RelativeHumidity(vo.AH, vo.DBT);
  P.VO = P.SA = vo;
}

} // namespace

int Cls_Brisa::CoilCooling(double TETemp, double SupplyAir, const TAir& Air, AWPsychroSet& P, double& TotalCap,
                           double& SensibleCap)
{
  Cls_IndoorUnit* coil = GetIndoorUnit();
  const double nominal = GetNomAirflow();
  if (!coil || !(nominal > 0))
    return rcNoCoolCapacity;
  const double ratio = SupplyAir / nominal;
  int errTotal = IU_OK, errSensible = IU_OK;
  const double total = coil->GetTCoolCap(TETemp, P.CI.DBT, P.CI.RH, Air, false, errTotal);
  const double sensible = coil->GetSCoolCap(TETemp, P.CI.DBT, P.CI.RH, Air, false, errSensible);
  if (errTotal != IU_OK || errSensible != IU_OK)
    return rcNoCoolCapacity;
  const Cls_BrisaPolynomial* totalCorr = Curve(ctTotalCapCorr);
  const Cls_BrisaPolynomial* sensibleCorr = Curve(ctSensibleCapCorr);
  TotalCap = total * (totalCorr ? totalCorr->Evaluate(ratio) : 0);
  // A coil cannot take more sensible heat than heat in total.
  SensibleCap = std::min(sensible * (sensibleCorr ? sensibleCorr->Evaluate(ratio) : 0), TotalCap);
  CoilProcess(TotalCap, SensibleCap, SupplyAir, Air, P);
  return rcOK;
}

int Cls_Brisa::CoilHeating(double SupplyAir, const TAir& Air, AWPsychroSet& P, double& HeatCap,
                           double& Humidification)
{
  Cls_IndoorUnit* coil = GetIndoorUnit();
  const double nominal = GetNomAirflow();
  if (!coil || !(nominal > 0))
    return rcNoHeatCapacity;
  const double ratio = SupplyAir / nominal;
  int err = IU_OK;
  const double capacity = coil->GetHeatCap(P.CI.DBT, false, err);
  if (err != IU_OK)
    return rcNoHeatCapacity;
  const Cls_BrisaPolynomial* corr = Curve(ctTotalCapCorr);
  HeatCap = capacity * (corr ? corr->Evaluate(ratio) : 0);
  CoilProcess(-HeatCap, -HeatCap, SupplyAir, Air, P);

  // The humidifier adds water at constant enthalpy.
  Humidification = 0;
  if (!(GetNomHumidity() > 0))
    return rcOK;
  P.HI = P.VO;
  const double wetBulb = Air.ConvertDBRH2WB(P.VO.DBT, P.VO.RH);
  const double w = GetNomHumidity() * TBrisaRatioCorr::GetRatioHumidification(ratio) *
                   TBrisaRatioCorr::GetTempHumidification(P.VO.DBT - wetBulb); // kg/h
  P.VO.AH += w / (SupplyAir * kFixedDensity);
  P.VO.DBT = Air.DryBulbTemp(P.VO.e, P.VO.AH);
  P.VO.RH = Air.RelativeHumidity(P.VO.AH, P.VO.DBT);
  P.SA = P.VO;
  Humidification = w;
  return rcOK;
}

int Cls_Brisa::PelmarCooling(double OARelH, double SupplyAir, const TAir& Air, double Discharge, AWPsychroSet& P,
                             double& TotalCap)
{
  if (OARelH <= GetMinCoolRH())
    return rcMinCoolRH;
  const double nominal = GetNomAirflow();
  if (!(nominal > 0) || !std::isfinite(Discharge))
    return rcNoCoolCapacity;
  const double wetBulb = Air.ConvertDBRH2WB(P.OA.DBT, P.OA.RH);
  const double q = SupplyAir / nominal;
  auto at = [&](const ObjectList<Cls_BrisaPolynomial>& list) { return Value2D(list, P.OA.DBT, wetBulb); };
  // The rated curves tell whether the unit is rated for these conditions;
  // out-of-range look-ups give −1, and no capacity at all is no cooling either.
  const double maxCapacity = at(v_maxCoolCaps);
  if (!(std::min(AtDischarge(v_coolCaps, Discharge, q, at), maxCapacity) > 0))
    return rcNoCoolCapacity;

  // The compressor modulates to the discharge temperature, up to its maximum capacity.
  const double m = MassFlow(SupplyAir);
  const PelmarCoilLine line(Air, P.VI);
  RepPsychroPoint vo = line.AtTemperature(Air, Discharge, SupplyAir);
  double capacity = m * (P.VI.e - vo.e);
  if (!(capacity > 0)) {
    // Air already at or below the discharge temperature passes uncooled.
    TotalCap = 0;
    return rcOK;
  }
  if (capacity > maxCapacity) {
    capacity = maxCapacity;
    vo = line.AtEnthalpy(Air, P.VI.e - capacity / m);
    if (!(vo.AH > 0))
      return rcNoCoolCapacity;
  }
  TotalCap = capacity;
  P.VO = P.SA = vo;
  return rcOK;
}

int Cls_Brisa::PelmarHeating(double RATemp, double OARelH, double SupplyAir, const TAir& Air, double SupplyTemp,
                             bool bUpsideDown, AWPsychroSet& P, double& HeatCap, AWHeaterSet& InletHeater)
{
  if (OARelH <= GetMinHeatRH())
    return rcMinHeatRH;
  const double tV = LimitsFor(bUpsideDown).tV;
  double heater = 0;
  if (tV > P.VI.DBT) {
    P.VI = FromTempHumidity(Air, tV, P.VI.AH);
    Propagate(P, P.VI);
    heater = R3(OutdoorMassFlow(SupplyAir, Air, P.OA) * std::fabs(P.OA.e - P.VI.e));
  }
  InletHeater.SetCalculated(heater);
  if (!(SupplyTemp > RATemp))
    return rcDischargeTooLow;
  const double nominal = GetNomAirflow();
  if (!(nominal > 0) || !std::isfinite(SupplyTemp))
    return rcNoHeatCapacity;
  const double q = SupplyAir / nominal;
  auto at = [&](const ObjectList<Cls_BrisaPolynomial>& list) { return Value1D(list, P.VI.DBT); };
  double capacity = AtDischarge(v_heatCaps, SupplyTemp, q, at);
  const double maxCapacity = at(v_maxHeatCaps);
  if (maxCapacity < capacity)
    capacity = maxCapacity;
  HeatCap = capacity;
  if (!(capacity > 0))
    return rcNoHeatCapacity;
  const double dT = (capacity / MassFlow(SupplyAir)) / HeatCapacity(P.VI.AH);
  P.VO = P.SA = FromTempHumidity(Air, P.VI.DBT + dT, P.VI.AH);
  return rcOK;
}

// ---- savings ----------------------------------------------------------------

// The exchanger's savings are taken between the air entering it (VI) and the
// air leaving it on the supply side (CI), so that a Dorsa coil's own
// capacity is not counted as saved.
namespace {

// The exchanger's savings between the air entering it on the outdoor side
// (From) and the air leaving it (To): the latent part at From's temperature,
// the sensible part at To's humidity; k is the supply's dry-air mass flow (kg/s).
void ExchangerSavings(const RepPsychroPoint& From, const RepPsychroPoint& To, double k, const TAir& Air,
                      double& LatentSavings, double& SensibleSavings)
{
  const double h = Air.Enthalpy(To.AH, From.DBT);
  LatentSavings = k * std::fabs(From.e - h);
  SensibleSavings = k * std::fabs(h - To.e);
}

} // namespace

void Cls_Brisa::CalcCoolSavings(const AWPsychroSet& PsychroPoints, double SupplyAir, const TAir& Air,
                                double& LatentSavings, double& SensibleSavings)
{
  LatentSavings = SensibleSavings = 0;
  if (GetType() != kFamilyBrisa && GetType() != kFamilyDorsa)
    return;
  const double k = SupplyAir * Air.DryAirDensity(PsychroPoints.CI.DBT) / 3600;
  ExchangerSavings(PsychroPoints.VI, PsychroPoints.CI, k, Air, LatentSavings, SensibleSavings);
}

// In heating the roles of the two states change: the latent part is taken at CI's temperature.
void Cls_Brisa::CalcHeatSavings(const AWPsychroSet& PsychroPoints, double SupplyAir, const TAir& Air,
                                double& LatentSavings, double& SensibleSavings)
{
  LatentSavings = SensibleSavings = 0;
  if (GetType() != kFamilyBrisa && GetType() != kFamilyDorsa)
    return;
  const double k = SupplyAir * Air.DryAirDensity(PsychroPoints.CI.DBT) / 3600;
  ExchangerSavings(PsychroPoints.CI, PsychroPoints.VI, k, Air, LatentSavings, SensibleSavings);
}

} // namespace aw
