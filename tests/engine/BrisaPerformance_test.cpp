// The performance model of the ventilation units, checked against physics:
// energy balances of the exchanger, heaters and coil, the reset on failure,
// and each result code from a case built to trigger it.

#include "EngineCatalogue.h"

#include "engine/ClBrisa.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace aw {
namespace {

constexpr double kAirflow = 360; // m³/h

// The inputs of one calculation and everything it returns.
struct Calc
{
  double RATemp = 27, RARelH = 50, OATemp = 35, OARelH = 50;
  double SupplyAir = kAirflow, ExhaustAir = kAirflow;
  double Discharge = 18, SupplyTemp = kNoValue;
  bool bUpsideDown = false;
  AWPsychroSet P;
  double TotalCap = 0, SensibleCap = 0, HeatCap = 0, TempEff = 0, EnthEff = 0, Limit = 0, Humidification = 0;
  AWHeaterSet Inlet{kNoValue, 0}, Supply{kNoValue, 0};
  int code = -1;
};

class BrisaPerformanceTest : public ::testing::Test
{
protected:
  explicit BrisaPerformanceTest(const std::vector<test::UnitRating>& specs = test::SmallCatalogueUnits())
    : db{test::BuildCatalogue(specs)}
  {
  }

  test::EngineCatalogue db;
  OwningObjectList<Cls_Brisa> units;
  TAir air;

  void SetUp() override
  {
    ASSERT_TRUE(db.Connected());
    units = AllRecordsOf<Cls_Brisa>(false, &db.factory);
  }
  Cls_Brisa& Unit(const std::string& name)
  {
    for (Cls_Brisa* unit : units)
      if (unit->GetName() == name)
        return *unit;
    throw std::runtime_error("no unit " + name);
  }
  void Cool(Cls_Brisa& u, Calc& r)
  {
    r.code = u.SelectForCooling(r.RATemp, r.RARelH, r.OATemp, r.OARelH, r.SupplyAir, r.ExhaustAir, air, 6,
                                r.Discharge, r.bUpsideDown, r.P, r.TotalCap, r.SensibleCap, r.TempEff, r.EnthEff,
                                r.Limit, r.Inlet);
  }
  void Heat(Cls_Brisa& u, Calc& r)
  {
    r.code = u.SelectForHeating(r.RATemp, r.RARelH, r.OATemp, r.OARelH, r.SupplyAir, r.ExhaustAir, air,
                                r.SupplyTemp, r.bUpsideDown, r.P, r.HeatCap, r.TempEff, r.EnthEff, r.Limit,
                                r.Humidification, r.Inlet, r.Supply);
  }
  static Calc Heating(double RATemp = 20, double OATemp = 0)
  {
    Calc r;
    r.RATemp = RATemp;
    r.OATemp = OATemp;
    return r;
  }
  // The supply mass flows (kg/s): the model's fixed density, and the outdoor air's.
  static double MassFlow(double airflow) { return airflow * 1.2 / 3600; }
  double OutdoorMassFlow(const Calc& r) const { return r.SupplyAir * air.DryAirDensity(r.P.OA.DBT) / 3600; }

  void ExpectConsistent(const RepPsychroPoint& p, const char* name) const
  {
    EXPECT_NEAR(p.e, air.Enthalpy(p.AH, p.DBT), 1e-6) << name;
    EXPECT_NEAR(p.RH, air.RelativeHumidity(p.AH, p.DBT), 1e-6) << name;
  }
  static bool Between(double x, double a, double b) { return x >= std::min(a, b) - 1e-9 && x <= std::max(a, b) + 1e-9; }
  void ExpectReset(const Calc& r) const
  {
    EXPECT_EQ(r.TempEff, 0);
    EXPECT_EQ(r.EnthEff, 0);
    EXPECT_EQ(r.TotalCap + r.SensibleCap + r.HeatCap + r.Humidification, 0);
    EXPECT_EQ(r.Limit, kNoTemperature);
    EXPECT_EQ(r.Inlet.CalcHeater, 0);
    EXPECT_EQ(r.Supply.CalcHeater, 0);
    EXPECT_DOUBLE_EQ(r.P.EA.e, r.P.RA.e);
    for (const RepPsychroPoint* p : {&r.P.VI, &r.P.VO, &r.P.CI, &r.P.SA}) {
      EXPECT_DOUBLE_EQ(p->DBT, r.P.OA.DBT);
      EXPECT_DOUBLE_EQ(p->AH, r.P.OA.AH);
    }
  }
};

TEST_F(BrisaPerformanceTest, WithEqualAirflowsTheExchangerBalancesInBothModes)
{
  for (bool cooling : {true, false}) {
    Calc r = cooling ? Calc{} : Heating(20, 5);
    cooling ? Cool(Unit("BR-500"), r) : Heat(Unit("BR-500"), r);
    ASSERT_EQ(r.code, 0);
    EXPECT_DOUBLE_EQ(r.TempEff, 80) << "balanced airflows leave the catalogued efficiency";
    const AWPsychroSet& P = r.P;
    EXPECT_NEAR(P.CI.DBT + P.EA.DBT, P.VI.DBT + P.RA.DBT, 1e-9);
    EXPECT_NEAR(P.CI.e + P.EA.e, P.VI.e + P.RA.e, 1e-9);
    EXPECT_TRUE(Between(P.CI.DBT, P.VI.DBT, P.RA.DBT) && Between(P.EA.DBT, P.VI.DBT, P.RA.DBT));
    EXPECT_TRUE(Between(P.CI.e, P.VI.e, P.RA.e) && Between(P.EA.e, P.VI.e, P.RA.e));
    for (const auto& [p, name] : {std::pair{&P.RA, "RA"}, {&P.OA, "OA"}, {&P.EA, "EA"}, {&P.SA, "SA"},
                                  {&P.VI, "VI"}, {&P.VO, "VO"}, {&P.CI, "CI"}})
      ExpectConsistent(*p, name);
  }
}

TEST_F(BrisaPerformanceTest, UnbalancedAirflowsCorrectTheEfficiencyByTheRatio)
{
  Calc low = Heating(), high = Heating();
  low.ExhaustAir = kAirflow / 2;
  high.ExhaustAir = kAirflow * 1.25; // halfway between the curves at 1.0 and 1.5
  Heat(Unit("BR-500"), low);
  Heat(Unit("BR-500"), high);
  ASSERT_EQ(low.code, 0);
  ASSERT_EQ(high.code, 0);
  EXPECT_NEAR(low.TempEff, 72, 1e-9);
  EXPECT_NEAR(high.TempEff, 84, 1e-9);
  EXPECT_NEAR(high.EnthEff, 65 * 1.05, 1e-9);
}

TEST_F(BrisaPerformanceTest, AnInletHeaterKeepsTheHumidityAndDeliversItsEnthalpyRise)
{
  // Cold air entering the exchanger below its lowest temperature (−10 °C) needs a heater.
  Calc r = Heating(20, -14);
  Heat(Unit("BR-500"), r);
  ASSERT_EQ(r.code, 0);
  EXPECT_GT(r.Inlet.CalcHeater, 0);
  EXPECT_GE(r.P.VI.DBT, -10);
  EXPECT_DOUBLE_EQ(r.P.VI.AH, r.P.OA.AH);
  EXPECT_NEAR(r.Inlet.CalcHeater, OutdoorMassFlow(r) * (r.P.VI.e - r.P.OA.e), 5e-4);
  EXPECT_DOUBLE_EQ(r.Inlet.UserHeater, r.Inlet.CalcHeater) << "no user heater: raised to the calculated one";
  EXPECT_NEAR(r.P.CI.e + r.P.EA.e, r.P.VI.e + r.P.RA.e, 1e-9) << "the exchange starts from the heated air";

  // A larger user heater is applied instead and recalculates the exchange.
  Calc user = Heating(20, -14);
  user.Inlet.UserHeater = r.Inlet.CalcHeater + 1;
  Heat(Unit("BR-500"), user);
  ASSERT_EQ(user.code, 0);
  EXPECT_NEAR(user.P.VI.e - user.P.OA.e, user.Inlet.UserHeater / OutdoorMassFlow(user), 1e-9);
  EXPECT_GT(user.P.CI.DBT, r.P.CI.DBT);
}

TEST_F(BrisaPerformanceTest, WhenNoOutdoorTemperatureIsSafeTheHeaterSearchDecides)
{
  // An exhaust limit no outdoor temperature meets: the limit is −273 and the
  // inlet heater is sized instead of the case being reported as too humid.
  Cls_Brisa& unit = Unit("BR-500");
  unit.SetEAMaxRH(45);
  Calc r = Heating(20, 5);
  Heat(unit, r);
  ASSERT_EQ(r.code, 0);
  EXPECT_EQ(r.Limit, kNoTemperature);
  EXPECT_GT(r.Inlet.CalcHeater, 0);
  EXPECT_LE(r.P.EA.RH, 45);
}

TEST_F(BrisaPerformanceTest, UnreachableHumidityLimitsEndTheHeaterSearchWithAFailure)
{
  Cls_Brisa& unit = Unit("BR-500");
  unit.SetEAMaxRH(0.1);
  Calc r = Heating(20, 5);
  Heat(unit, r);
  EXPECT_EQ(r.code, Cls_Brisa::rcInletTemp);
  ExpectReset(r);
}

TEST_F(BrisaPerformanceTest, TheSupplyHeaterReachesTheRequiredSupplyTemperature)
{
  Calc r = Heating(20, 5);
  r.SupplyTemp = 24;
  Heat(Unit("BR-500"), r);
  ASSERT_EQ(r.code, 0);
  EXPECT_DOUBLE_EQ(r.P.SA.DBT, 24);
  EXPECT_DOUBLE_EQ(r.P.SA.AH, r.P.VO.AH);
  ExpectConsistent(r.P.SA, "SA");
  EXPECT_NEAR(r.Supply.CalcHeater, MassFlow(kAirflow) * (r.P.SA.e - r.P.VO.e), 5e-4);

  Calc none = Heating(20, 5); // no supply temperature asked for
  Heat(Unit("BR-500"), none);
  EXPECT_EQ(none.Supply.CalcHeater, 0);
  EXPECT_DOUBLE_EQ(none.P.SA.DBT, none.P.VO.DBT);
}

TEST_F(BrisaPerformanceTest, HeatersAtTheSixtyDegreeBound)
{
  struct Case
  {
    const char* what;
    bool inlet;
    double targetTemp; // °C the user's heater brings the air to
    int code;
  };
  const Case cases[] = {
    {"inlet to exactly 60 °C is accepted", true, 60, 0},
    {"inlet above 60 °C", true, 60.5, Cls_Brisa::rcInletHeaterTooLarge},
    {"supply to exactly 60 °C", false, 60, Cls_Brisa::rcSupplyHeaterTooLarge},
    {"supply below 60 °C", false, 59.5, 0},
  };
  for (const Case& c : cases) {
    Calc probe = Heating(20, 5);
    Heat(Unit("BR-500"), probe);
    // Both heaters are applied with the outdoor air's mass flow.
    const RepPsychroPoint& from = c.inlet ? probe.P.OA : probe.P.VO;
    const double Q = OutdoorMassFlow(probe) * (air.Enthalpy(from.AH, c.targetTemp) - from.e);
    Calc r = Heating(20, 5);
    // Exactly 60 °C: just below for the inlet (accepted), just above for the supply (refused).
    (c.inlet ? r.Inlet : r.Supply).UserHeater = Q * (c.inlet ? 1 - 1e-12 : 1 + 1e-12);
    Heat(Unit("BR-500"), r);
    EXPECT_EQ(r.code, c.code) << c.what;
    if (c.code != 0)
      ExpectReset(r);
  }
}

TEST_F(BrisaPerformanceTest, TheDorsaCoilTakesItsCapacityAndTheSavingsExcludeIt)
{
  Calc r;
  Cls_Brisa& dorsa = Unit("DR-650");
  Cool(dorsa, r);
  ASSERT_EQ(r.code, 0);
  EXPECT_GT(r.TotalCap, 0);
  EXPECT_LE(r.SensibleCap, r.TotalCap);
  EXPECT_GT(r.SensibleCap, 0);
  const double m = MassFlow(kAirflow);
  EXPECT_NEAR(r.TotalCap, m * (r.P.CI.e - r.P.VO.e), 1e-9);
  EXPECT_LT(r.P.VO.DBT, r.P.CI.DBT);
  EXPECT_LE(r.P.VO.RH, 100 + 1e-9);
  // The sensible part lowers the temperature by Qs ÷ (m · cp of the moist air).
  EXPECT_NEAR(r.P.CI.DBT - r.P.VO.DBT, r.SensibleCap / m / (1.006 + 1.84 * r.P.CI.AH), 1e-9);

  double latent = 0, sensible = 0;
  dorsa.CalcCoolSavings(r.P, kAirflow, air, latent, sensible);
  const double k = kAirflow * air.DryAirDensity(r.P.CI.DBT) / 3600;
  EXPECT_NEAR(latent + sensible, k * std::fabs(r.P.VI.e - r.P.CI.e), 1e-9) << "exchanger only";
  EXPECT_LT(latent + sensible, r.TotalCap);
}

// The exchanger's savings split its enthalpy change into the humidity change
// at the warmer state's temperature (latent) and the temperature change at
// the drier state's humidity (sensible).
TEST_F(BrisaPerformanceTest, TheSavingsSplitIntoTheHumidityAndTheTemperatureChange)
{
  Cls_Brisa& unit = Unit("BR-500");
  for (bool cooling : {true, false}) {
    SCOPED_TRACE(cooling ? "cooling" : "heating");
    Calc r = cooling ? Calc{} : Heating(20, 5);
    cooling ? Cool(unit, r) : Heat(unit, r);
    ASSERT_EQ(r.code, 0);
    double latent = 0, sensible = 0;
    if (cooling)
      unit.CalcCoolSavings(r.P, kAirflow, air, latent, sensible);
    else
      unit.CalcHeatSavings(r.P, kAirflow, air, latent, sensible);
    const RepPsychroPoint &in = r.P.VI, &out = r.P.CI;
    const RepPsychroPoint& warmer = in.DBT > out.DBT ? in : out;
    const RepPsychroPoint& drier = in.AH < out.AH ? in : out;
    const double k = kAirflow * air.DryAirDensity(out.DBT) / 3600;
    EXPECT_NEAR(latent, k * std::fabs(in.AH - out.AH) * (2501 + 1.84 * warmer.DBT), 1e-9);
    EXPECT_NEAR(sensible, k * (1.006 + 1.84 * drier.AH) * std::fabs(in.DBT - out.DBT), 1e-9);
    EXPECT_GT(std::fabs(latent - sensible), 0.1) << "the two parts tell apart";
  }
}

TEST_F(BrisaPerformanceTest, TheDorsaHumidifierAddsWaterAtConstantEnthalpy)
{
  Calc r = Heating(20, 5);
  Heat(Unit("DR-650"), r);
  ASSERT_EQ(r.code, 0);
  EXPECT_GT(r.HeatCap, 0);
  EXPECT_NEAR(r.HeatCap, MassFlow(kAirflow) * (r.P.HI.e - r.P.CI.e), 1e-9) << "coil heats from CI to HI";
  EXPECT_DOUBLE_EQ(r.Humidification, 2.5) << "nominal output with unit factors";
  EXPECT_NEAR(r.P.VO.AH - r.P.HI.AH, 2.5 / (kAirflow * 1.2), 1e-12);
  EXPECT_DOUBLE_EQ(r.P.VO.e, r.P.HI.e);
  ExpectConsistent(r.P.VO, "VO");
}

TEST_F(BrisaPerformanceTest, ACoilWithoutCapacityRowsIsAFailureNotZeroKilowatts)
{
  auto specs = test::SmallCatalogueUnits();
  specs[2].coilRows = false;
  units.ClearAndDestroy();
  test::EngineCatalogue other{test::BuildCatalogue(specs)};
  auto dorsa = TakeAs<Cls_Brisa>(other.factory.SafeCreateObject(Cls_Brisa::kClassID, 3));
  ASSERT_NE(dorsa, nullptr);
  ASSERT_EQ(dorsa->GetName(), "DR-650");
  Calc cooling, heating = Heating(20, 5);
  Cool(*dorsa, cooling);
  Heat(*dorsa, heating);
  EXPECT_EQ(cooling.code, Cls_Brisa::rcNoCoolCapacity);
  EXPECT_EQ(heating.code, Cls_Brisa::rcNoHeatCapacity);
  ExpectReset(cooling);
  ExpectReset(heating);
}

// The compressor modulates to the discharge temperature at any site: along
// the coil line, whose end at 11 °C keeps its humidity relative to
// saturation, or at constant humidity for dry air.
TEST_F(BrisaPerformanceTest, PelmarCoolingDeliversItsDischargeTemperatureAtAltitude)
{
  Cls_Brisa& mf = Unit("MF-1000");
  const TAir seaLevel(0);
  const double endHumidity = seaLevel.HumidityRatio(31.724, 11) / seaLevel.AbsoluteHumidity(100, 11);
  for (double altitude : {0.0, 1000.0, 2000.0}) {
    air.SetAltitude(altitude);
    const double endEnthalpy = air.Enthalpy(endHumidity * air.AbsoluteHumidity(100, 11), 11);
    for (double discharge : {12.0, 14.0, 18.0})
      for (bool humid : {true, false}) {
        SCOPED_TRACE(std::to_string(altitude) + " m, " + std::to_string(discharge) + (humid ? " humid" : " dry"));
        Calc r;
        r.Discharge = discharge;
        if (!humid) {
          r.OATemp = 30;
          r.OARelH = 20;
        }
        Cool(mf, r);
        ASSERT_EQ(r.code, 0);
        const AWPsychroSet& P = r.P;
        EXPECT_NEAR(P.SA.DBT, discharge, 1e-9);
        EXPECT_NEAR(r.TotalCap, MassFlow(kAirflow) * (P.OA.e - P.VO.e), 1e-9);
        ExpectConsistent(P.VO, "VO");
        if (humid)
          EXPECT_NEAR((P.VO.DBT - 11) * (P.OA.e - endEnthalpy), (P.OA.DBT - 11) * (P.VO.e - endEnthalpy), 1e-9);
        else
          EXPECT_DOUBLE_EQ(P.VO.AH, P.OA.AH);
      }
  }
}

TEST_F(BrisaPerformanceTest, PelmarCoolingStopsAtItsMaximumCapacity)
{
  Cls_Brisa& mf = Unit("MF-1000");
  auto cool = [&](double discharge) {
    Calc r;
    r.OARelH = 60;
    r.SupplyAir = r.ExhaustAir = 1000;
    r.Discharge = discharge;
    Cool(mf, r);
    EXPECT_EQ(r.code, 0);
    return r;
  };
  // The maximum at 35 °C lies between the breakpoints 25 and 40 °C, at the rounded outdoor wet bulb.
  const double wb = std::round(air.ConvertDBRH2WB(35, 60) * 100) / 100;
  const double at25 = 12 + 0.1 * wb, at40 = 15 + 0.1 * wb;
  const double maximum = at25 + (35.0 - 25) / 15 * (at40 - at25);
  const Calc reachable = cool(16), capped = cool(10);
  EXPECT_LT(reachable.TotalCap, maximum);
  EXPECT_NEAR(reachable.P.SA.DBT, 16, 1e-9);
  EXPECT_NEAR(capped.TotalCap, maximum, 1e-9);
  EXPECT_GT(capped.P.SA.DBT, 10.2) << "the capped capacity leaves the air warmer";
  EXPECT_LT(capped.P.SA.DBT, 16);
  EXPECT_NEAR(capped.TotalCap, MassFlow(1000) * (capped.P.OA.e - capped.P.VO.e), 1e-9);
  EXPECT_NEAR((capped.P.VO.DBT - 11) * (capped.P.OA.e - 31.724), (capped.P.OA.DBT - 11) * (capped.P.VO.e - 31.724),
              1e-6)
    << "on the coil line";

  // Outdoor air already below the discharge temperature passes uncooled.
  Calc warm;
  warm.RATemp = 26;
  warm.OATemp = 28;
  warm.Discharge = 30;
  Cool(mf, warm);
  EXPECT_EQ(warm.code, 0);
  EXPECT_EQ(warm.TotalCap, 0);
  EXPECT_DOUBLE_EQ(warm.P.SA.DBT, 28);
}

TEST_F(BrisaPerformanceTest, PelmarHeatingRaisesTheTemperatureByTheCapacity)
{
  Calc r = Heating(20, 5);
  r.SupplyTemp = 25;
  Heat(Unit("MF-1000"), r);
  ASSERT_EQ(r.code, 0);
  EXPECT_DOUBLE_EQ(r.P.VO.AH, r.P.VI.AH);
  const double m = MassFlow(kAirflow);
  EXPECT_NEAR(r.P.VO.DBT - r.P.VI.DBT, r.HeatCap / m / (1.006 + 1.84 * r.P.VI.AH), 1e-9);
  EXPECT_NEAR(r.HeatCap, m * (r.P.VO.e - r.P.VI.e), 1e-9 + 1e-3 * r.HeatCap) << "enthalpy and capacity agree";
}

TEST_F(BrisaPerformanceTest, EachResultCodeFromACaseThatTriggersIt)
{
  struct Case
  {
    const char* unit;
    bool cooling;
    std::function<void(Calc&)> set;
    int code;
  };
  const Case cases[] = {
    {"BR-500", true, [](Calc& r) { r.RARelH = 85; }, Cls_Brisa::rcRoomRH},
    {"BR-500", true, [](Calc& r) { r.OATemp = 38; r.OARelH = 96; }, Cls_Brisa::rcAmbientRH},
    {"BR-500", false, [](Calc& r) { r.RATemp = 45; }, Cls_Brisa::rcRoomTemp},
    {"MF-1000", true, [](Calc& r) { r.OATemp = 47; }, Cls_Brisa::rcAmbientTemp},
    {"BR-500", true, [](Calc& r) { r.OATemp = 41; r.OARelH = 30; }, Cls_Brisa::rcInletTemp},
    {"BR-500", true, [](Calc& r) { r.SupplyAir = 50; }, Cls_Brisa::rcAirflow},
    {"BR-500", true, [](Calc& r) { r.SupplyAir = 0; r.ExhaustAir = 0; }, Cls_Brisa::rcAirflow},
    {"BR-500", true, [](Calc& r) { r.ExhaustAir = std::nan(""); }, Cls_Brisa::rcAirflow},
    {"MF-1000", true, [](Calc& r) { r.OATemp = 45; r.OARelH = 30; }, Cls_Brisa::rcNoCoolCapacity},
    {"MF-1000", false, [](Calc& r) { r.OATemp = 17; r.SupplyTemp = 25; }, Cls_Brisa::rcNoHeatCapacity},
    {"MF-1000", false, [](Calc& r) { r.SupplyTemp = 18; }, Cls_Brisa::rcDischargeTooLow},
    {"MF-1000", true, [](Calc& r) { r.OARelH = 10; }, Cls_Brisa::rcMinCoolRH},
    {"MF-1000", false, [](Calc& r) { r.OARelH = 10; r.SupplyTemp = 25; }, Cls_Brisa::rcMinHeatRH},
    {"BR-500", false, [](Calc& r) { r.Inlet.UserHeater = 30; }, Cls_Brisa::rcInletHeaterTooLarge},
    {"BR-500", false, [](Calc& r) { r.Supply.UserHeater = 30; }, Cls_Brisa::rcSupplyHeaterTooLarge},
  };
  for (const Case& c : cases) {
    Calc r = c.cooling ? Calc{} : Heating(20, 5);
    c.set(r);
    c.cooling ? Cool(Unit(c.unit), r) : Heat(Unit(c.unit), r);
    EXPECT_EQ(r.code, c.code) << c.unit << (c.cooling ? " cooling" : " heating");
    if (r.code == c.code && std::isfinite(r.ExhaustAir))
      ExpectReset(r);
  }
}

TEST_F(BrisaPerformanceTest, AModeThatDoesNotApplySucceedsWithTheResetValues)
{
  Calc heating = Heating(20, 25), cooling;
  cooling.OATemp = 20;
  Heat(Unit("BR-500"), heating);
  Cool(Unit("BR-500"), cooling);
  for (const Calc* r : {&heating, &cooling}) {
    EXPECT_EQ(r->code, 0);
    ExpectReset(*r);
  }
}

TEST_F(BrisaPerformanceTest, UpsideDownUsesItsOwnLowestInletTemperature)
{
  // Upside down the lowest exchanger inlet is 5 °C instead of −10 °C.
  Calc normal = Heating(20, 4), upsideDown = Heating(20, 4);
  upsideDown.bUpsideDown = true;
  Heat(Unit("BR-500"), normal);
  Heat(Unit("BR-500"), upsideDown);
  ASSERT_EQ(normal.code, 0);
  ASSERT_EQ(upsideDown.code, 0);
  EXPECT_EQ(normal.Inlet.CalcHeater, 0);
  // The humidity limits hold at 5 °C, so the heater warms the air just to it, not a step beyond.
  EXPECT_DOUBLE_EQ(upsideDown.P.VI.DBT, 5);
  EXPECT_NEAR(upsideDown.Inlet.CalcHeater,
              OutdoorMassFlow(upsideDown) * (air.Enthalpy(upsideDown.P.OA.AH, 5) - upsideDown.P.OA.e), 5e-4);
}

TEST_F(BrisaPerformanceTest, QualifiedNamesAndFamilies)
{
  Cls_Brisa& unit = Unit("BR-500");
  const ObjectList<Cls_BrisaSpeed>& speeds = unit.GetSpeeds();
  ASSERT_EQ(speeds.Count(), 3);
  int high = 0, low = 0;
  for (const Cls_BrisaSpeed* speed : speeds)
    if (unit.GetSpeedName(speed) == "High")
      high = speed->GetID();
    else if (unit.GetSpeedName(speed) == "Low")
      low = speed->GetID();
  ASSERT_NE(high, low);
  EXPECT_EQ(unit.GetQualifiedNameFor(high, high), "BR-500, High") << "equal speeds are named once";
  EXPECT_EQ(unit.GetQualifiedNameFor(high, low), "BR-500, High + Low");
  EXPECT_EQ(Unit("MF-1000").GetQualifiedNameFor(high, low), "MF-1000");
  std::vector<std::pair<std::string, int>> families;
  Cls_Brisa::FillFamily((1 << 0) | (1 << 5) | (1 << 6), families);
  ASSERT_EQ(families.size(), 2u) << "codes 5 and 6 share a name";
  EXPECT_EQ(families[0], (std::pair<std::string, int>{"Brisa", 0}));
  EXPECT_EQ(families[1].second, 5);
}

// One unit of each exchanger family over a wide airflow range, so that one
// supply airflow meets exhaust airflows from half to twice its value.
class ExchangerBalanceTest : public BrisaPerformanceTest
{
protected:
  ExchangerBalanceTest() : BrisaPerformanceTest(WideUnits()) {}

  static std::vector<test::UnitRating> WideUnits()
  {
    return {{"BR-W", Cls_BrisaData::kFamilyBrisa, 100, 1000, false, false, true},
            {"DR-W", Cls_BrisaData::kFamilyDorsa, 100, 1000, false, false, true},
            {"OT-W", 3, 100, 1000, false, false, true}};
  }

  // Cooling, heating, and heating cold enough for an inlet heater.
  struct Condition
  {
    const char* what;
    bool cooling;
    double OATemp;
  };
  static constexpr Condition kConditions[] = {{"cooling", true, 35}, {"heating", false, 5}, {"cold", false, -14}};
  static constexpr double kSupply = 400; // m³/h

  Calc Run(const std::string& unit, const Condition& c, double ratio)
  {
    Calc r = c.cooling ? Calc{} : Heating(20, c.OATemp);
    r.SupplyAir = kSupply;
    r.ExhaustAir = kSupply * ratio;
    c.cooling ? Cool(Unit(unit), r) : Heat(Unit(unit), r);
    return r;
  }
};

// The supply side keeps its catalogued (ratio-corrected) efficiency; the
// exhaust side gives up exactly what the supply side takes up, per kilogram
// of its own mass flow, and never leaves colder or warmer than the incoming
// supply air.
TEST_F(ExchangerBalanceTest, TheExchangerConservesEnergyAtEveryAirflowRatio)
{
  const double ratios[] = {0.5, 0.6, 0.7, 0.8, 0.9, 1.0, 1.1, 1.25, 1.5, 1.75, 2.0};
  for (const char* unit : {"BR-W", "DR-W", "OT-W"})
    for (const Condition& c : kConditions)
      for (double ratio : ratios) {
        SCOPED_TRACE(std::string(unit) + " " + c.what + " at " + std::to_string(ratio));
        const Calc r = Run(unit, c, ratio);
        ASSERT_EQ(r.code, 0);
        const AWPsychroSet& P = r.P;
        const double ms = MassFlow(r.SupplyAir), me = MassFlow(r.ExhaustAir);
        EXPECT_NEAR(ms * (P.CI.DBT - P.VI.DBT), me * (P.RA.DBT - P.EA.DBT), 1e-9);
        EXPECT_NEAR(ms * (P.CI.e - P.VI.e), me * (P.RA.e - P.EA.e), 1e-9);
        EXPECT_TRUE(Between(P.EA.DBT, P.VI.DBT, P.RA.DBT) && Between(P.EA.e, P.VI.e, P.RA.e));
        // Where the exhaust side is not at its limit the supply side takes the efficiency.
        const double a = r.TempEff / 100, b = r.EnthEff / 100;
        if (a * ms / me <= 1)
          EXPECT_NEAR(P.CI.DBT - P.VI.DBT, a * (P.RA.DBT - P.VI.DBT), 1e-9);
        else
          EXPECT_NEAR(P.EA.DBT, P.VI.DBT, 1e-9);
        if (b * ms / me <= 1)
          EXPECT_NEAR(P.CI.e - P.VI.e, b * (P.RA.e - P.VI.e), 1e-9);
        else
          EXPECT_NEAR(P.EA.e, P.VI.e, 1e-9);
        ExpectConsistent(P.EA, "EA");
        ExpectConsistent(P.CI, "CI");
      }
}

TEST_F(ExchangerBalanceTest, BalancedAirflowsKeepTheEarlierResults)
{
  // Results of the exchanger before the exhaust side followed the balance.
  struct Row
  {
    const char* unit;
    const char* condition;
    double EAt, EAh, CIt, CIh, SAt, SAh, limit, heater;
  };
  const Row rows[] = {
      {"BR-W", "cooling", 33.399999999999999, 70.708586586707384, 28.600000000000001, 65.668888202283412, 28.600000000000001, 65.668888202283412, 54.5, 0},
      {"BR-W", "heating", 8, 21.150096816008432, 17, 29.180734909522673, 17, 29.180734909522673, 1, 0},
      {"BR-W", "cold", 2.3999999999999986, 13.088275911873716, 15.600000000000001, 24.839754422680908, 15.600000000000001, 24.839754422680908, 1, 1.829},
      {"DR-W", "cooling", 33.399999999999999, 70.708586586707384, 28.600000000000001, 65.668888202283412, 8.224944453407609, 31.856138446619248, 54.5, 0},
      {"DR-W", "heating", 8, 21.150096816008432, 17, 29.180734909522673, 28.00451070474837, 53.642273371061137, 1, 0},
      {"DR-W", "cold", 2.3999999999999986, 13.088275911873716, 15.600000000000001, 24.839754422680908, 27.272600330462666, 49.947446730373215, 1, 1.829},
      {"OT-W", "cooling", 33.399999999999999, 70.708586586707384, 28.600000000000001, 65.668888202283412, 28.600000000000001, 65.668888202283412, 54.5, 0},
      {"OT-W", "heating", 8, 21.150096816008432, 17, 29.180734909522673, 17, 29.180734909522673, 1, 0},
      {"OT-W", "cold", 2.3999999999999986, 13.088275911873716, 15.600000000000001, 24.839754422680908, 15.600000000000001, 24.839754422680908, 1, 1.829},
  };
  for (const Row& row : rows)
    for (const Condition& c : kConditions)
      if (std::string(c.what) == row.condition) {
        SCOPED_TRACE(std::string(row.unit) + " " + row.condition);
        const Calc r = Run(row.unit, c, 1.0);
        ASSERT_EQ(r.code, 0);
        EXPECT_DOUBLE_EQ(r.P.EA.DBT, row.EAt);
        EXPECT_DOUBLE_EQ(r.P.EA.e, row.EAh);
        EXPECT_DOUBLE_EQ(r.P.CI.DBT, row.CIt);
        EXPECT_DOUBLE_EQ(r.P.CI.e, row.CIh);
        EXPECT_DOUBLE_EQ(r.P.SA.DBT, row.SAt);
        EXPECT_DOUBLE_EQ(r.P.SA.e, row.SAh);
        EXPECT_DOUBLE_EQ(r.Limit, row.limit);
        EXPECT_DOUBLE_EQ(r.Inlet.CalcHeater, row.heater);
      }
}

} // namespace
} // namespace aw
