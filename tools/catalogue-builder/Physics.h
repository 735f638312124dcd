#pragma once
// The physical models the demonstration catalogue is made from: fan laws,
// counter-flow heat and moisture exchange (epsilon-NTU), a bypass-factor
// direct-expansion coil, an evaporative humidifier and the capacities of an
// outdoor-air coil. Airflow in m³/h, pressure in Pa, temperature in °C,
// enthalpy in kJ/kg, humidity ratio in kg/kg, power in kW.

#include "air/Air.h"

namespace aw::catalogue_builder {

// Fan curve family of one unit: at speed fraction n the fan delivers
// n² × shutoff − k × Q² (similar operating points scale Q with n and the
// pressure with n²), so that the fastest speed gives the rated ESP at its top airflow.
struct FanLaw
{
  double shutoff = 0;    // Pa at zero airflow, fastest speed
  double k = 0;          // Pa / (m³/h)²
  double topAirflow = 0; // m³/h, top of the fastest speed's curve

  FanLaw(double nShutoff, double nRated, double nTopAirflow);
  double Esp(double nFraction, double nAirflow) const { return nFraction * nFraction * shutoff - k * nAirflow * nAirflow; }
  double Top(double nFraction) const { return nFraction * topAirflow; }
};

// Effectiveness (fraction) of a counter-flow exchanger: NTU w.r.t. the
// smaller capacity rate, cr = Cmin / Cmax.
double CounterFlowEffectiveness(double ntu, double cr);

// The supply-side efficiency (fraction) of an exchanger whose balanced
// efficiency is e0 when the exhaust airflow is nRatio times the supply airflow.
double UnbalancedSupplyEfficiency(double e0, double nRatio);

// A plate exchanger with an enthalpy membrane, given by its balanced
// temperature efficiency at the unit's smallest and largest airflow.
class Exchanger
{
public:
  struct Params
  {
    double effAtMin = 0.82, effAtMax = 0.75; // fractions
    double latentNtuRatioCooling = 0.5, latentNtuRatioHeating = 0.65;
    double sensibleShareCooling = 0.3, sensibleShareHeating = 0.55;
  };
  Exchanger(const Params& p, double nMinAirflow, double nMaxAirflow);

  double Ntu(double nAirflow) const;
  double TemperatureEff(double nAirflow) const; // %
  double EnthalpyEff(double nAirflow, bool bCooling) const; // %

private:
  Params v_p;
  double v_minAirflow, v_ntuAtMin, v_exponent;
};

// A direct-expansion coil by the bypass-factor method: the outlet lies on
// the straight line from the inlet to the apparatus dew point (ADP) at the
// bypass factor. Capacities are net of the fan heat.
class BypassCoil
{
public:
  struct Rating
  {
    double total = 0, sensible = 0; // kW
  };
  BypassCoil(const TAir& air, double nAirflow, double nBypass, double nFanPower_kW, bool bFanUpstream,
             double nApproach);

  // Entering air of dry bulb db and wet bulb wb, evaporating temperature te.
  Rating Cooling(double db, double wb, double te) const;
  // Entering dry bulb db, coil surface temperature ts.
  double Heating(double db, double ts) const;
  // The factor on both capacities at nRatio times the rated airflow: the
  // mass flow grows, the bypass factor with it (NTU ∝ airflow^-exponent).
  double CapacityFactor(double nRatio, double nNtuExponent) const;

private:
  const TAir& v_air;
  double v_mass; // kg/s, with the fixed density 1.2 kg/m³
  double v_bypass, v_fan;
  bool v_fanUpstream;
  double v_approach;
};

// The enthalpy of saturated air at the wet bulb wb: the enthalpy of every state with that wet bulb.
double WetBulbEnthalpy(const TAir& air, double wb);

// Outdoor-air coil (Pelmar-MF): the cooling capacity (kW) that brings outdoor
// air (db, wb) to the discharge temperature at a mass flow of nMass kg/s.
double OutdoorAirCooling(const TAir& air, double db, double wb, double nDischarge, double nMass);

} // namespace aw::catalogue_builder
