#pragma once
// Moist air at one site altitude: humidity, enthalpy, dew point, wet bulb and
// density, and the conversions between them.
//
// Units: temperatures °C, relative humidity % (0 … 100), absolute humidity
// (humidity ratio) kg water per kg dry air, enthalpy kJ per kg dry air,
// pressures Pa, altitude m, density kg/m³, specific volume m³ per kg dry air.
//
// All operations are pure functions of their arguments and of the barometric
// pressure; they allocate nothing, so they can be called in tight loops.

namespace aw {

// One air state as the performance engine, the panels and the charts pass it on.
struct RepPsychroPoint
{
  double DBT = 0; // dry-bulb temperature, °C
  double RH = 0;  // relative humidity, %
  double AH = 0;  // absolute humidity, kg/kg
  double e = 0;   // enthalpy, kJ/kg
};

namespace air {
inline constexpr double kSeaLevelPressure = 101325;       // Pa
inline constexpr double kAltitudeCoefficient = 2.25577e-5; // per m
inline constexpr double kAltitudeExponent = 5.2559;
inline constexpr double kMinAltitude = -500;   // m
inline constexpr double kMaxAltitude = 10000;  // m
inline constexpr double kKelvinOffset = 273.15;
inline constexpr double kMolarMassRatio = 0.6219779385109357;   // water / dry air
inline constexpr double kDryAirGasConstant = 287.0551882476825; // J/(kg·K)
inline constexpr double kCpDryAir = 1.006;                      // kJ/(kg·K)
inline constexpr double kCpVapour = 1.84;                       // kJ/(kg·K)
inline constexpr double kLatentHeat0 = 2501;                    // kJ/kg at 0 °C
inline constexpr double kDefaultDensity = 1.2040965530889476;   // kg/m³
inline constexpr double kMinClampTemp = -80;  // °C, range of the clamped formulas
inline constexpr double kMaxClampTemp = 80;   // °C
// The wet-bulb and dry-bulb searches never go below this temperature (°C):
// the saturation equation over ice holds down to it.
inline constexpr double kMinSearchTemp = -100;
} // namespace air

class TAir
{
public:
  explicit TAir(double TheAltitude = 0);

  // Moves the calculator to another altitude (m), limited to -500 … 10000 m.
  void SetAltitude(double TheAltitude);
  double GetTotalPressure() const { return v_TotalPressure; } // Pa

  // Saturation vapour pressure over water (t ≥ 0) or ice (t < 0), Pa; t not clamped.
  double StaticPressure(double DryBulbTemp) const;
  double AbsoluteHumidity(double RelHumidity, double DryBulbTemp) const;
  // Not limited to 100: a supersaturated humidity gives more.
  double RelativeHumidity(double AbsHumidity, double DryBulbTemp) const;
  double SpecificVolume(double RelHumidity, double DryBulbTemp) const;
  double DryAirDensity(double DryBulbTemp) const;
  double AirDensity(double RelHumidity, double DryBulbTemp) const;

  double Enthalpy(double AbsHumidity, double DryBulbTemp) const;
  double DryBulbTemp(double Enthalpy, double AbsHumidity) const;
  double HumidityRatio(double Enthalpy, double DryBulbTemp) const;

  // NaN for a humidity of 0 or below: such air has no dew point.
  double DewPoint(double AbsHumidity) const;
  // Where the line of constant enthalpy through (t, h) reaches saturation; never
  // above DryBulbTemp and never below -100 °C; NaN for non-finite input.
  double WetBulbTemp(double DryBulbTemp, double Enthalpy) const;

  double ConvertDBWB2RH(double DryBulbTemp, double WetBulbTemp) const;
  double ConvertDBRH2WB(double DryBulbTemp, double RelHumidity) const;
  // The dry bulb on the enthalpy line of the saturated wet bulb at which the air
  // has RelHumidity (clamped to 0 … 100); NaN for non-finite input.
  double ConvertWBRH2DB(double WetBulbTemp, double RelHumidity) const;

  // Condensation when the air is cooled to DryBulbTemp: Volume in m³/h, H2O in g/h.
  void GetCondensWater(double TotalAbsHumidity, double DryBulbTemp, double Volume, double& RestAbsHumidity,
                       double& H2O) const;
  // Latent heat (W) of a humidity difference in an airflow Volume (m³/h).
  double GetLatentHeat(double DiffAbsHumidity, double DryBulbTemp, double Volume) const;
  double GetCondensflow(double LatentHeat) const;
  double CondensFlowToLatentHeat(double CondensFlow) const;

  // Mixes the added stream into the result stream (airflows in any one volume
  // unit). Streams of no mass in total leave the result state as it was.
  void AdiabaticMix(double& ResultAirflow, double& ResultDbTemp, double& ResultRH, double AddedAirflow,
                    double AddedDbTemp, double AddedRH) const;

  double DynamicViscosity(double DryBulbTemp) const; // Pa·s
  double Conductivity(double DryBulbTemp) const;     // W/(m·K)
  double Prandtl(double DryBulbTemp) const;
  double ThermalExpansion(double DryBulbTemp) const; // 1/K

private:
  double v_TotalPressure = air::kSeaLevelPressure; // Pa
};

} // namespace aw
