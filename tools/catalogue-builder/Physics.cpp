#include "Physics.h"

#include <cmath>
#include <stdexcept>

namespace aw::catalogue_builder {
namespace {

constexpr double kDensity = 1.2; // kg/m³, the fixed density of the coil and humidifier models

double Cp(double x) { return 1.006 + 1.84 * x; }

} // namespace

FanLaw::FanLaw(double nShutoff, double nRated, double nTopAirflow)
  : shutoff(nShutoff), k((nShutoff - nRated) / (nTopAirflow * nTopAirflow)), topAirflow(nTopAirflow)
{
  if (!(nShutoff > nRated && nRated > 0 && nTopAirflow > 0))
    throw std::runtime_error("fan law: the shut-off pressure must exceed the rated ESP");
}

double CounterFlowEffectiveness(double ntu, double cr)
{
  if (std::abs(1 - cr) < 1e-9)
    return ntu / (1 + ntu);
  const double e = std::exp(-ntu * (1 - cr));
  return (1 - e) / (1 - cr * e);
}

double UnbalancedSupplyEfficiency(double e0, double nRatio)
{
  // NTU of the balanced exchanger, w.r.t. the supply capacity rate; UA stays.
  const double ntu0 = e0 / (1 - e0);
  if (std::abs(nRatio - 1) < 1e-9)
    return e0;
  if (nRatio < 1) // the exhaust side is the smaller capacity rate
    return CounterFlowEffectiveness(ntu0 / nRatio, nRatio) * nRatio;
  return CounterFlowEffectiveness(ntu0, 1 / nRatio);
}

Exchanger::Exchanger(const Params& p, double nMinAirflow, double nMaxAirflow) : v_p(p), v_minAirflow(nMinAirflow)
{
  if (!(p.effAtMin > p.effAtMax && p.effAtMax > 0 && p.effAtMin < 1 && nMaxAirflow > nMinAirflow))
    throw std::runtime_error("exchanger: the efficiency must fall from the smallest to the largest airflow");
  v_ntuAtMin = p.effAtMin / (1 - p.effAtMin);
  const double ntuAtMax = p.effAtMax / (1 - p.effAtMax);
  v_exponent = std::log(v_ntuAtMin / ntuAtMax) / std::log(nMaxAirflow / nMinAirflow);
}

double Exchanger::Ntu(double nAirflow) const { return v_ntuAtMin * std::pow(nAirflow / v_minAirflow, -v_exponent); }

double Exchanger::TemperatureEff(double nAirflow) const { return 100 * CounterFlowEffectiveness(Ntu(nAirflow), 1); }

double Exchanger::EnthalpyEff(double nAirflow, bool bCooling) const
{
  const double sensible = CounterFlowEffectiveness(Ntu(nAirflow), 1);
  const double latent =
    CounterFlowEffectiveness(Ntu(nAirflow) * (bCooling ? v_p.latentNtuRatioCooling : v_p.latentNtuRatioHeating), 1);
  const double share = bCooling ? v_p.sensibleShareCooling : v_p.sensibleShareHeating;
  return 100 * (share * sensible + (1 - share) * latent);
}

BypassCoil::BypassCoil(const TAir& air, double nAirflow, double nBypass, double nFanPower_kW, bool bFanUpstream,
                       double nApproach)
  : v_air(air), v_mass(nAirflow / 3600 * kDensity), v_bypass(nBypass), v_fan(nFanPower_kW),
    v_fanUpstream(bFanUpstream), v_approach(nApproach)
{
}

BypassCoil::Rating BypassCoil::Cooling(double db, double wb, double te) const
{
  const double h = WetBulbEnthalpy(v_air, wb);
  const double x = v_air.HumidityRatio(h, db);
  const double cp = Cp(x);
  const double tIn = v_fanUpstream ? db + v_fan / (v_mass * cp) : db;
  const double hIn = v_fanUpstream ? h + v_fan / v_mass : h;
  const double tAdp = te + v_approach;
  const double xAdp = v_air.AbsoluteHumidity(100, tAdp);
  const double hAdp = v_air.Enthalpy(xAdp, tAdp);
  const double sensible = v_mass * cp * (1 - v_bypass) * (tIn - tAdp);
  // A wet coil also condenses: the outlet lies on the line to the saturated ADP.
  const double total = x > xAdp ? v_mass * (1 - v_bypass) * (hIn - hAdp) : sensible;
  return {total - v_fan, sensible - v_fan};
}

double BypassCoil::Heating(double db, double ts) const
{
  return v_mass * Cp(0.005) * (1 - v_bypass) * (ts - db);
}

double BypassCoil::CapacityFactor(double nRatio, double nNtuExponent) const
{
  const double ntu = -std::log(v_bypass) * std::pow(nRatio, -nNtuExponent);
  return nRatio * (1 - std::exp(-ntu)) / (1 - v_bypass);
}

double WetBulbEnthalpy(const TAir& air, double wb) { return air.Enthalpy(air.AbsoluteHumidity(100, wb), wb); }

double OutdoorAirCooling(const TAir& air, double db, double wb, double nDischarge, double nMass)
{
  // The coil line of the unit runs from the outdoor state to 11 °C at
  // 31.724 kJ/kg; dry outdoor air is cooled at constant humidity.
  constexpr double kLineTemp = 11, kLineEnthalpy = 31.724, kDryLimit = 0.00816;
  const double h = WetBulbEnthalpy(air, wb);
  const double x = air.HumidityRatio(h, db);
  const double target = x > kDryLimit ? kLineEnthalpy + (nDischarge - kLineTemp) * (h - kLineEnthalpy) / (db - kLineTemp)
                                      : air.Enthalpy(x, nDischarge);
  return nMass * (h - target);
}

} // namespace aw::catalogue_builder
