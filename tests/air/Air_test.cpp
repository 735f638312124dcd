#include "air/Air.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace aw {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The plain decreasing-step search for the wet bulb: step back along the line
// of constant enthalpy in steps of 10 K, and on every overshoot into
// supersaturation go back and divide the step by 5. Slow, but obviously right;
// the fast search must agree with it within its tolerance of 0.001 % RH.
double StepSearchWetBulb(const TAir& air, double t0, double h)
{
  const double P = air.GetTotalPressure();
  double t = t0, step = 10, rh = 0;
  for (int i = 0; i < 100000; ++i) {
    if (rh > 100) {
      t += step;
      step /= 5;
    }
    t -= step;
    const double x = air.HumidityRatio(h, t);
    rh = x * (P / air.StaticPressure(t)) / (x + air::kMolarMassRatio) * 100;
    if (std::fabs(rh - 100) < 0.001 || step < 1e-12)
      return t;
  }
  return kNaN;
}

TEST(AirPressure, FollowsTheAltitudeWithinItsLimits)
{
  EXPECT_DOUBLE_EQ(TAir(0).GetTotalPressure(), 101325);
  EXPECT_NEAR(TAir(10000).GetTotalPressure(), 26436, 1);
  EXPECT_DOUBLE_EQ(TAir(20000).GetTotalPressure(), TAir(10000).GetTotalPressure());
  EXPECT_DOUBLE_EQ(TAir(-1000).GetTotalPressure(), TAir(-500).GetTotalPressure());
  EXPECT_GT(TAir(-500).GetTotalPressure(), 101325);

  TAir air(0);
  air.SetAltitude(1000);
  EXPECT_NEAR(air.GetTotalPressure(), 89874.52, 0.01);
}

TEST(AirSaturation, UsesWaterFromZeroAndIceBelow)
{
  const TAir air;
  EXPECT_NEAR(air.StaticPressure(0), 611.21, 0.01);      // water branch
  EXPECT_NEAR(air.StaticPressure(-0.001), 611.10, 0.01); // ice branch, a little lower
  EXPECT_NEAR(air.StaticPressure(20), 2339.2, 0.5);
  EXPECT_NEAR(air.StaticPressure(-20), 103.26, 0.05);
  EXPECT_NEAR(air.StaticPressure(100), 101418, 50); // not clamped
}

TEST(AirHumidity, ClampsRelativeHumidityAndTemperature)
{
  const TAir air;
  EXPECT_DOUBLE_EQ(air.AbsoluteHumidity(150, 20), air.AbsoluteHumidity(100, 20));
  EXPECT_DOUBLE_EQ(air.AbsoluteHumidity(50, 120), air.AbsoluteHumidity(50, 80));
  EXPECT_EQ(air.AbsoluteHumidity(-5, 20), 0);
  EXPECT_EQ(TAir(10000).AbsoluteHumidity(100, 80), 0);

  EXPECT_NEAR(air.RelativeHumidity(air.AbsoluteHumidity(37, 25), 25), 37, 1e-9);
  EXPECT_GT(air.RelativeHumidity(1.2 * air.AbsoluteHumidity(100, 20), 20), 100);
  EXPECT_EQ(air.RelativeHumidity(-0.001, 20), 0);
}

TEST(AirEnthalpy, TemperatureAndHumidityRoundTrip)
{
  const TAir air;
  for (double t : {-40.0, -5.0, 0.0, 21.5, 60.0})
    for (double x : {0.0, 0.0008, 0.012, 0.09}) {
      const double h = air.Enthalpy(x, t);
      EXPECT_NEAR(air.DryBulbTemp(h, x), t, 1e-12) << t << " " << x;
      EXPECT_NEAR(air.HumidityRatio(h, t), x, 1e-15) << t << " " << x;
    }
  EXPECT_NEAR(air.Enthalpy(0.01, 20), 1.006 * 20 + 0.01 * (2501 + 1.84 * 20), 1e-12);
}

TEST(AirDewPoint, FollowsSaturationAboveAndBelowZero)
{
  for (double alt : {0.0, 2500.0}) {
    const TAir air(alt);
    for (double t : {-30.0, -10.0, -1.0, 1.0, 10.0, 30.0, 60.0})
      EXPECT_NEAR(air.DewPoint(air.AbsoluteHumidity(100, t)), t, 0.2) << alt << " m, " << t << " °C";
  }
}

TEST(AirDewPoint, DryAirHasNone)
{
  const TAir air;
  EXPECT_TRUE(std::isnan(air.DewPoint(0)));
  EXPECT_TRUE(std::isnan(air.DewPoint(-0.002)));
  EXPECT_TRUE(std::isnan(air.DewPoint(kNaN)));
  EXPECT_TRUE(std::isfinite(air.DewPoint(1e-6)));
}

TEST(AirWetBulb, AgreesWithTheStepSearchEverywhere)
{
  for (double alt : {-500.0, 0.0, 1500.0, 4000.0, 10000.0}) {
    const TAir air(alt);
    for (double t = -40; t <= 60; t += 2.5)
      for (double rh : {0.0, 1.0, 5.0, 20.0, 50.0, 80.0, 99.0, 100.0}) {
        const double h = air.Enthalpy(air.AbsoluteHumidity(rh, t), t);
        EXPECT_NEAR(air.WetBulbTemp(t, h), StepSearchWetBulb(air, t, h), 2e-4) << alt << " m " << t << " °C " << rh;
      }
  }
}

TEST(AirWetBulb, SaturationZeroDegreesAndBelow)
{
  const TAir air;
  for (double t : {-30.0, -5.0, 0.0, 12.0, 45.0}) {
    EXPECT_NEAR(air.ConvertDBRH2WB(t, 100), t, 1e-4) << t;
    EXPECT_NEAR(air.ConvertDBWB2RH(t, t), 100, 1e-9) << t;
  }
  // A supersaturated state is its own wet bulb.
  EXPECT_EQ(air.WetBulbTemp(20, air.Enthalpy(0.03, 20)), 20);
  // Below freezing the wet bulb lies on the ice branch, between dew point and dry bulb.
  const double x = air.AbsoluteHumidity(60, -10);
  const double twb = air.WetBulbTemp(-10, air.Enthalpy(x, -10));
  EXPECT_LT(twb, -10);
  EXPECT_GT(twb, air.DewPoint(x));
  // Enthalpies inside the small step of the saturation curve at 0 °C (ice just
  // below, water from 0 on) have no exact root; the search ends at 0 °C.
  const double hIce = air.Enthalpy(air.AbsoluteHumidity(100, -1e-9), -1e-9);
  const double hWater = air.Enthalpy(air.AbsoluteHumidity(100, 0), 0);
  ASSERT_LT(hIce, hWater);
  EXPECT_NEAR(air.WetBulbTemp(5, 0.5 * (hIce + hWater)), 0, 1e-5);
}

TEST(AirWetBulb, EndsForAnyInput)
{
  const TAir air;
  EXPECT_TRUE(std::isnan(air.WetBulbTemp(kNaN, 40)));
  EXPECT_TRUE(std::isnan(air.WetBulbTemp(20, kNaN)));
  EXPECT_TRUE(std::isnan(air.WetBulbTemp(kInf, 40)));
  EXPECT_TRUE(std::isnan(air.WetBulbTemp(20, -kInf)));
  EXPECT_TRUE(std::isnan(air.ConvertDBRH2WB(kNaN, 50)));

  EXPECT_EQ(air.WetBulbTemp(20, -500), air::kMinSearchTemp) << "the root lies below the floor";
  EXPECT_EQ(air.WetBulbTemp(-150, -150), -150) << "never above the dry bulb";
  const struct { double t, h; } extremes[] = {{150, 100}, {1e6, 50}, {1e300, 1e300}, {30, 1e9}, {-99.9, -1e9}};
  for (const auto& e : extremes) {
    const double twb = air.WetBulbTemp(e.t, e.h);
    EXPECT_TRUE(twb >= air::kMinSearchTemp && twb <= e.t) << e.t << " " << e.h << " -> " << twb;
  }
  // Past boiling at 10000 m (about 66 °C) the search still finds the saturation line.
  const TAir high(10000);
  const double h = high.Enthalpy(0.01, 90);
  EXPECT_NEAR(high.WetBulbTemp(90, h), StepSearchWetBulb(high, 90, h), 2e-4);
}

TEST(AirDryBulbFromWetBulb, InvertsTheWetBulbAndEnds)
{
  for (double alt : {0.0, 2500.0}) {
    const TAir air(alt);
    for (double t : {-20.0, -2.0, 5.0, 20.0, 35.0, 50.0})
      for (double rh : {3.0, 30.0, 70.0, 100.0}) {
        const double tw = air.ConvertDBRH2WB(t, rh);
        EXPECT_NEAR(air.ConvertWBRH2DB(tw, rh), t, 2e-3) << alt << " m " << t << " °C " << rh;
      }
  }
  const TAir air;
  EXPECT_TRUE(std::isnan(air.ConvertWBRH2DB(kNaN, 50)));
  EXPECT_TRUE(std::isnan(air.ConvertWBRH2DB(15, kInf)));
  EXPECT_DOUBLE_EQ(air.ConvertWBRH2DB(15, 130), air.ConvertWBRH2DB(15, 100));
  EXPECT_NEAR(air.ConvertWBRH2DB(15, 100), 15, 1e-9);
  EXPECT_DOUBLE_EQ(air.ConvertWBRH2DB(15, -20), air.ConvertWBRH2DB(15, 0));
  EXPECT_NEAR(air.ConvertWBRH2DB(15, 0), air.Enthalpy(air.AbsoluteHumidity(100, 15), 15) / 1.006, 1e-9);
  EXPECT_TRUE(std::isfinite(air.ConvertWBRH2DB(-500, 50))) << "a wet bulb below the floor counts as the floor";
}

TEST(AirCondensation, OnlyAboveSaturation)
{
  const TAir air;
  double rest = -1, water = -1;
  air.GetCondensWater(0.005, 20, 1000, rest, water);
  EXPECT_EQ(rest, 0.005);
  EXPECT_EQ(water, 0);

  const double xs = air.AbsoluteHumidity(100, 10);
  air.GetCondensWater(xs + 0.002, 10, 1000, rest, water);
  EXPECT_EQ(rest, xs);
  EXPECT_NEAR(water, 0.002 * 1000 * 1000 * air.DryAirDensity(10), 1e-9); // g/h

  EXPECT_NEAR(air.CondensFlowToLatentHeat(air.GetCondensflow(250)), 250, 1e-9);
  EXPECT_NEAR(air.GetLatentHeat(0.001, 20, 3600), air.DryAirDensity(20) * 2500, 1e-9);
}

TEST(AirMixing, MassWeightedAndSafeWithoutMass)
{
  const TAir air;
  double flow = 1000, t = 20, rh = 50;
  air.AdiabaticMix(flow, t, rh, 1000, 20, 50);
  EXPECT_EQ(flow, 2000);
  EXPECT_NEAR(t, 20, 1e-9);
  EXPECT_NEAR(rh, 50, 1e-9);

  flow = 1000, t = 30, rh = 60;
  air.AdiabaticMix(flow, t, rh, 3000, 0, 80);
  const double m1 = 1000 / air.SpecificVolume(60, 30), m2 = 3000 / air.SpecificVolume(80, 0);
  const double x = (m1 * air.AbsoluteHumidity(60, 30) + m2 * air.AbsoluteHumidity(80, 0)) / (m1 + m2);
  const double h = (m1 * air.Enthalpy(air.AbsoluteHumidity(60, 30), 30) + m2 * air.Enthalpy(air.AbsoluteHumidity(80, 0), 0)) / (m1 + m2);
  EXPECT_NEAR(t, air.DryBulbTemp(h, x), 1e-12);
  EXPECT_NEAR(rh, air.RelativeHumidity(x, t), 1e-9);
  EXPECT_GT(t, 0);
  EXPECT_LT(t, 30);

  flow = 0, t = 25, rh = 40;
  air.AdiabaticMix(flow, t, rh, 0, 5, 90);
  EXPECT_EQ(flow, 0);
  EXPECT_EQ(t, 25);
  EXPECT_EQ(rh, 40);
}

TEST(AirTransport, KnownValuesAndClamp)
{
  const TAir air;
  EXPECT_DOUBLE_EQ(air.DynamicViscosity(18), 1.814e-5); // the reference point of Sutherland's law
  EXPECT_NEAR(air.Conductivity(20), 0.02571, 2e-4);
  EXPECT_NEAR(air.Prandtl(20), 0.71, 0.01);
  EXPECT_DOUBLE_EQ(air.ThermalExpansion(20), 1 / 293.15);
  EXPECT_DOUBLE_EQ(air.ThermalExpansion(200), air.ThermalExpansion(80));
  EXPECT_DOUBLE_EQ(air.DynamicViscosity(-200), air.DynamicViscosity(-80));
}

TEST(AirDensity, HumidAirAndFallback)
{
  const TAir air;
  EXPECT_NEAR(air.DryAirDensity(20), 101325 / (293.15 * 287.0551882476825), 1e-12);
  EXPECT_LT(air.AirDensity(100, 30), air.AirDensity(0, 30)); // vapour is lighter than air
  EXPECT_DOUBLE_EQ(air.AirDensity(0, 20), air.DryAirDensity(20));
  EXPECT_EQ(TAir(10000).SpecificVolume(100, 80), 0);
  EXPECT_EQ(TAir(10000).AirDensity(100, 80), air::kDefaultDensity);
}

} // namespace
} // namespace aw
