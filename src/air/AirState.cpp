#include "air/AirState.h"

namespace aw {

CTAirState AirStateFromDbRh(const TAir& air, double DryBulbTemp, double RelHumidity)
{
  CTAirState s;
  s.P_Pa = air.GetTotalPressure();
  s.ps_Pa = air.StaticPressure(DryBulbTemp);
  s.x_kgkg = air.AbsoluteHumidity(RelHumidity, DryBulbTemp);
  s.h_kJkg = air.Enthalpy(s.x_kgkg, DryBulbTemp);
  s.tdp_C = air.DewPoint(s.x_kgkg);
  s.twb_C = air.WetBulbTemp(DryBulbTemp, s.h_kJkg);
  s.rh_pct = air.RelativeHumidity(s.x_kgkg, DryBulbTemp);
  s.rho_kgm3 = air.AirDensity(RelHumidity, DryBulbTemp);
  return s;
}

} // namespace aw
