#pragma once
// The complete description of one air state, as the command line and the
// benchmarks report it.

#include "air/Air.h"

namespace aw {

struct CTAirState
{
  double P_Pa = 0;     // barometric pressure
  double ps_Pa = 0;    // saturation vapour pressure at the dry bulb
  double x_kgkg = 0;   // absolute humidity
  double h_kJkg = 0;   // enthalpy
  double tdp_C = 0;    // dew point; NaN for dry air
  double twb_C = 0;    // wet bulb on the line of constant enthalpy
  double rh_pct = 0;   // relative humidity
  double rho_kgm3 = 0; // density of the humid air
};

// The state of air at DryBulbTemp (°C) and RelHumidity (%).
CTAirState AirStateFromDbRh(const TAir& air, double DryBulbTemp, double RelHumidity);

} // namespace aw
