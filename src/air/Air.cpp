#include "air/Air.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace aw {

using namespace air;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double ClampTemp(double t)
{
  return std::clamp(t, kMinClampTemp, kMaxClampTemp);
}

double ClampRH(double rh)
{
  return std::clamp(rh, 0.0, 100.0);
}

// ln of the saturation vapour pressure (Pa) and its slope d(ln ps)/dt (1/K).
// Hyland–Wexler: over ice below 0 °C, over water from 0 °C on.
struct LnSaturation
{
  double value;
  double slope;
};

LnSaturation LnSaturationPressure(double t)
{
  const double T = t + kKelvinOffset;
  const double lnT = std::log(T);
  if (t < 0) {
    constexpr double C1 = -5674.5359, C2 = 6.3925247, C3 = -0.009677843, C4 = 6.2215701e-7, C5 = 2.0747825e-9,
                     C6 = -9.484024e-13, C7 = 4.1635019;
    return {C1 / T + C2 + T * (C3 + T * (C4 + T * (C5 + T * C6))) + C7 * lnT,
            -C1 / (T * T) + C3 + T * (2 * C4 + T * (3 * C5 + T * 4 * C6)) + C7 / T};
  }
  constexpr double C8 = -5800.2206, C9 = 1.3914993, C10 = -0.048640239, C11 = 4.1764768e-5, C12 = -1.4452093e-8,
                   C13 = 6.5459673;
  return {C8 / T + C9 + T * (C10 + T * (C11 + T * C12)) + C13 * lnT,
          -C8 / (T * T) + C10 + T * (2 * C11 + T * 3 * C12) + C13 / T};
}

// The relative humidity along a line of constant enthalpy, as the dry-bulb
// search of ConvertWBRH2DB sees it.
double RHOnEnthalpyLine(const TAir& a, double h, double x)
{
  return a.RelativeHumidity(x, a.DryBulbTemp(h, x));
}

} // namespace

TAir::TAir(double TheAltitude)
{
  SetAltitude(TheAltitude);
}

void TAir::SetAltitude(double TheAltitude)
{
  const double z = std::clamp(TheAltitude, kMinAltitude, kMaxAltitude);
  v_TotalPressure = kSeaLevelPressure * std::exp(kAltitudeExponent * std::log(1 - kAltitudeCoefficient * z));
}

double TAir::StaticPressure(double DryBulbTemp) const
{
  return std::exp(LnSaturationPressure(DryBulbTemp).value);
}

double TAir::AbsoluteHumidity(double RelHumidity, double DryBulbTemp) const
{
  const double phi = ClampRH(RelHumidity) / 100;
  const double d = v_TotalPressure / StaticPressure(ClampTemp(DryBulbTemp)) - phi;
  return d > 0 ? phi * kMolarMassRatio / d : 0;
}

double TAir::RelativeHumidity(double AbsHumidity, double DryBulbTemp) const
{
  const double x = std::max(AbsHumidity, 0.0);
  return x * (v_TotalPressure / StaticPressure(ClampTemp(DryBulbTemp))) / (x + kMolarMassRatio) * 100;
}

double TAir::SpecificVolume(double RelHumidity, double DryBulbTemp) const
{
  const double t = ClampTemp(DryBulbTemp);
  const double d = v_TotalPressure - StaticPressure(t) * ClampRH(RelHumidity) / 100;
  return d > 0 ? (t + kKelvinOffset) * kDryAirGasConstant / d : 0;
}

double TAir::DryAirDensity(double DryBulbTemp) const
{
  return v_TotalPressure / ((ClampTemp(DryBulbTemp) + kKelvinOffset) * kDryAirGasConstant);
}

double TAir::AirDensity(double RelHumidity, double DryBulbTemp) const
{
  const double v = SpecificVolume(RelHumidity, DryBulbTemp);
  return v > 0 ? (1 + AbsoluteHumidity(RelHumidity, DryBulbTemp)) / v : kDefaultDensity;
}

double TAir::Enthalpy(double AbsHumidity, double DryBulbTemp) const
{
  return kCpDryAir * DryBulbTemp + AbsHumidity * (kLatentHeat0 + kCpVapour * DryBulbTemp);
}

double TAir::DryBulbTemp(double Enthalpy, double AbsHumidity) const
{
  return (Enthalpy - kLatentHeat0 * AbsHumidity) / (kCpDryAir + kCpVapour * AbsHumidity);
}

double TAir::HumidityRatio(double Enthalpy, double DryBulbTemp) const
{
  return (Enthalpy - kCpDryAir * DryBulbTemp) / (kLatentHeat0 + kCpVapour * DryBulbTemp);
}

double TAir::DewPoint(double AbsHumidity) const
{
  if (!(AbsHumidity > 0))
    return kNaN;
  const double pw = AbsHumidity * v_TotalPressure / (AbsHumidity + kMolarMassRatio) / 1000; // kPa
  const double alpha = std::log(pw);
  if (AbsHumidity >= AbsoluteHumidity(100, 0))
    return 6.54 + alpha * (14.526 + alpha * (0.7389 + alpha * 0.09486)) + 0.4569 * std::exp(0.1984 * alpha);
  return 6.09 + alpha * (12.608 + alpha * 0.4959);
}

// Newton steps on hs(t) - h, where hs is the enthalpy of saturated air. hs is
// convex and rising, so steps started above the root approach it from above
// without overshooting; a bracket catches what rounding, the small jump of the
// saturation pressure at 0 °C and temperatures past boiling could still do.
double TAir::WetBulbTemp(double DryBulbTemp, double Enthalpy) const
{
  const double t0 = DryBulbTemp;
  const double h = Enthalpy;
  if (!std::isfinite(t0) || !std::isfinite(h))
    return kNaN;
  if (t0 <= kMinSearchTemp)
    return t0;

  constexpr int kMaxIterations = 60;
  constexpr double kTolerance = 1e-6; // K
  double lo = kMinSearchTemp;         // saturated side once evaluated
  bool bLoEvaluated = false;
  double hi = t0; // unsaturated side
  double t = t0;
  for (int i = 0; i < kMaxIterations; ++i) {
    const LnSaturation lnps = LnSaturationPressure(t);
    const double ps = std::exp(lnps.value);
    double next;
    if (ps >= v_TotalPressure) { // boiling: no saturation humidity, so certainly above the root
      hi = t;
      next = 0.5 * (lo + hi);
    } else {
      const double d = v_TotalPressure - ps;
      const double xs = kMolarMassRatio * ps / d;
      const double latent = kLatentHeat0 + kCpVapour * t;
      const double g = kCpDryAir * t + xs * latent - h;
      if (g <= 0) { // saturated or supersaturated here
        if (t == t0)
          return t0;
        if (t == kMinSearchTemp)
          bLoEvaluated = true;
        lo = t;
      } else {
        if (t == kMinSearchTemp)
          return kMinSearchTemp; // the root lies below the floor
        hi = t;
      }
      const double dxs = kMolarMassRatio * v_TotalPressure * ps * lnps.slope / (d * d);
      const double slope = kCpDryAir + dxs * latent + kCpVapour * xs;
      const double step = g / slope;
      if (std::fabs(step) < kTolerance)
        return std::min(t - step, t0);
      next = t - step;
    }
    if (!(next > lo && next < hi))
      next = (next <= lo && !bLoEvaluated) ? kMinSearchTemp : 0.5 * (lo + hi);
    if (hi - lo < kTolerance)
      return hi;
    t = next;
  }
  return t;
}

double TAir::ConvertDBWB2RH(double DryBulbTemp, double WetBulbTemp) const
{
  const double h = Enthalpy(AbsoluteHumidity(100, WetBulbTemp), WetBulbTemp);
  return RelativeHumidity(HumidityRatio(h, DryBulbTemp), DryBulbTemp);
}

double TAir::ConvertDBRH2WB(double DryBulbTemp, double RelHumidity) const
{
  return WetBulbTemp(DryBulbTemp, Enthalpy(AbsoluteHumidity(RelHumidity, DryBulbTemp), DryBulbTemp));
}

// Along the enthalpy line of the saturated wet bulb the relative humidity rises
// with the humidity ratio, from 0 at x = 0 to 100 at saturation; the humidity
// ratio of the wanted RH is bracketed in between and found by regula falsi
// (Illinois variant, so that neither end sticks).
double TAir::ConvertWBRH2DB(double WetBulbTemp, double RelHumidity) const
{
  if (!std::isfinite(WetBulbTemp) || !std::isfinite(RelHumidity))
    return kNaN;
  const double tw = std::max(WetBulbTemp, kMinSearchTemp);
  const double rh = ClampRH(RelHumidity);
  const double xs = AbsoluteHumidity(100, tw);
  const double h = Enthalpy(xs, tw);

  constexpr int kMaxIterations = 100;
  constexpr double kTolerance = 1e-6; // % RH
  double xLo = 0, gLo = RHOnEnthalpyLine(*this, h, xLo) - rh;
  double xHi = xs, gHi = RHOnEnthalpyLine(*this, h, xHi) - rh;
  if (gLo >= -kTolerance)
    return DryBulbTemp(h, xLo);
  if (gHi <= kTolerance)
    return DryBulbTemp(h, xHi);
  int nSide = 0; // which end moved last: -1 low, +1 high
  for (int i = 0; i < kMaxIterations && xHi - xLo > 1e-15; ++i) {
    const double x = xLo - gLo * (xHi - xLo) / (gHi - gLo);
    const double g = RHOnEnthalpyLine(*this, h, x) - rh;
    if (std::fabs(g) < kTolerance)
      return DryBulbTemp(h, x);
    if (g < 0) {
      xLo = x, gLo = g;
      if (nSide == -1)
        gHi /= 2;
      nSide = -1;
    } else {
      xHi = x, gHi = g;
      if (nSide == 1)
        gLo /= 2;
      nSide = 1;
    }
  }
  return DryBulbTemp(h, 0.5 * (xLo + xHi));
}

void TAir::GetCondensWater(double TotalAbsHumidity, double DryBulbTemp, double Volume, double& RestAbsHumidity,
                           double& H2O) const
{
  const double xs = AbsoluteHumidity(100, DryBulbTemp);
  if (xs < TotalAbsHumidity) {
    RestAbsHumidity = xs;
    H2O = (TotalAbsHumidity - xs) * 1000 * Volume * DryAirDensity(DryBulbTemp);
  } else {
    RestAbsHumidity = TotalAbsHumidity;
    H2O = 0;
  }
}

double TAir::GetLatentHeat(double DiffAbsHumidity, double DryBulbTemp, double Volume) const
{
  return DryAirDensity(DryBulbTemp) * 694.4444444444445 * Volume * DiffAbsHumidity;
}

double TAir::GetCondensflow(double LatentHeat) const
{
  return 1.44 * LatentHeat;
}

double TAir::CondensFlowToLatentHeat(double CondensFlow) const
{
  return 0.6944444444444444 * CondensFlow;
}

void TAir::AdiabaticMix(double& ResultAirflow, double& ResultDbTemp, double& ResultRH, double AddedAirflow,
                        double AddedDbTemp, double AddedRH) const
{
  // Dry-air mass of a stream; a state without a specific volume (vapour
  // pressure at or above the barometric one) falls back to the default density.
  auto mass = [this](double flow, double rh, double t) {
    const double v = SpecificVolume(rh, t);
    return v > 0 ? flow / v : flow * kDefaultDensity;
  };
  const double m1 = mass(ResultAirflow, ResultRH, ResultDbTemp);
  const double m2 = mass(AddedAirflow, AddedRH, AddedDbTemp);
  ResultAirflow += AddedAirflow;
  const double m = m1 + m2;
  if (m == 0)
    return;
  const double x1 = AbsoluteHumidity(ResultRH, ResultDbTemp);
  const double x2 = AbsoluteHumidity(AddedRH, AddedDbTemp);
  const double h1 = Enthalpy(x1, ResultDbTemp);
  const double h2 = Enthalpy(x2, AddedDbTemp);
  const double x = (m1 * x1 + m2 * x2) / m;
  const double h = (m1 * h1 + m2 * h2) / m;
  ResultDbTemp = DryBulbTemp(h, x);
  ResultRH = RelativeHumidity(x, ResultDbTemp);
}

double TAir::DynamicViscosity(double DryBulbTemp) const
{
  const double T = ClampTemp(DryBulbTemp) + kKelvinOffset;
  return 1.814e-5 * 411.15 / (T + 120) * std::exp(1.5 * std::log(T / 291.15));
}

double TAir::Conductivity(double DryBulbTemp) const
{
  const double t = ClampTemp(DryBulbTemp);
  constexpr double c[] = {0.0242540718804684,   7.48984177194912e-5,  -5.10667653787511e-8, -1.74538408040708e-9,
                          -1.00535065285328e-11, 7.31087629560373e-13, 1.26194642617383e-15, -6.89062810479397e-17};
  double k = 0;
  for (int i = 7; i >= 0; --i)
    k = k * t + c[i];
  return k;
}

double TAir::Prandtl(double DryBulbTemp) const
{
  return DynamicViscosity(DryBulbTemp) * 1006 / Conductivity(DryBulbTemp);
}

double TAir::ThermalExpansion(double DryBulbTemp) const
{
  return 1 / (ClampTemp(DryBulbTemp) + kKelvinOffset);
}

} // namespace aw
