// The embedded demonstration catalogue with the engine: its coil and
// capacity tables follow the models they were made from (checked with the
// moist-air model), and the selection procedure finds solutions over every
// family's airflow range and computes plausible results at the defaults.

#include "air/Air.h"
#include "catalogue/ClBrisaData.h"
#include "catalogue/ClPolynomial.h"
#include "db/MemDB.h"
#include "db/ResDB.h"
#include "engine/BrisaRatioCorr.h"
#include "engine/ClBrisa.h"
#include "engine/EngineFactory.h"
#include "engine/SelectionModel.h"
#include "foundation/LZSS.h"

#include "support/CatalogueQueries.h"
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace aw {
namespace {

// The program's own catalogue, loaded as the program loads it, with the engine's factory.
class DemoCatalogueEngineTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    static const bool registered = (CTResDbEngine::RegisterEngine(), true);
    (void)registered;
    v_wasCompressing = CTMemDbEngine::UseCompression(true);
    v_signature = CTMemDbEngine::CompressionSignature();
    CTMemDbEngine::SetCompressionSignature(std::string(kLZSSDatabaseSignature));
    factory.SetReadOnly(CTFactory::kDbIx, true);
    ASSERT_TRUE(factory.Connect(false));
    CTDbObject::SetDefaultFactory(&factory);
    TBrisaRatioCorr::ReleaseShared();
  }
  void TearDown() override
  {
    v_units.ClearAndDestroy();
    TBrisaRatioCorr::ReleaseShared();
    CTDbObject::SetDefaultFactory(nullptr);
    factory.Disconnect();
    CTMemDbEngine::UseCompression(v_wasCompressing);
    CTMemDbEngine::SetCompressionSignature(v_signature);
  }

  // The units of one family, ascending by maximum airflow.
  std::vector<Cls_BrisaData*> Family(int nCode)
  {
    if (v_units.Count() == 0)
      v_units = AllRecordsOf<Cls_BrisaData>(false, &factory);
    return test::UnitsOfFamily(v_units, nCode);
  }
  static std::vector<Cls_BrisaPolynomial*> CurvesOfType(OwningObjectList<Cls_BrisaPolynomial>& curves, int nType)
  {
    return test::CurvesOfType(curves, nType);
  }

  CTEngineFactory factory;
  OwningObjectList<Cls_BrisaData> v_units;
  TAir v_air{0};

private:
  bool v_wasCompressing = false;
  std::string v_signature;
};

// The coil table of a Dorsa unit is the one of a bypass-factor coil: back from
// each column's total and sensible capacity, the coil line meets saturation
// at one apparatus dew point above the evaporating temperature with one bypass factor.
TEST_F(DemoCatalogueEngineTest, DorsaCoilTablesFollowABypassFactorModel)
{
    for (Cls_BrisaData* unit : Family(Cls_BrisaData::kFamilyDorsa)) {
    SCOPED_TRACE(unit->GetName());
    EXPECT_GT(unit->GetNomHumidity(), 0);
    std::unique_ptr<Cls_IndoorUnitData> coil = unit->GetTheIndoorUnit();
    ASSERT_TRUE(coil);
    std::map<int, Cls_Tabular::Row> rows;
    double te = 0;
    for (Cls_IndTabularCap* row : coil->GetAllIndTabularCap()) {
      if (row->GetType() == 2)
        te = row->GetTe();
      if (!rows.contains(row->GetType()) || row->GetType() == 2 || row->GetType() == 8)
        rows[row->GetType()] = row->GetDataRow();
    }
    ASSERT_EQ(te, 6);
    for (int type : {0, 10, 1, 2, 8, 5, 11, 12})
      EXPECT_TRUE(rows.contains(type)) << type;
    const double mass = coil->GetHighFan() / 3600 * 1.2, fan = coil->GetPIFanMotor() / 1000;
    ASSERT_EQ(coil->GetFanPosition(), 0) << "the fan heat enters the coil";
    for (std::size_t k = 0; k < Cls_Tabular::kColumns; ++k) {
      SCOPED_TRACE(k);
      const double db = rows[10][k], wb = rows[0][k], total = rows[2][k], sensible = rows[8][k];
      EXPECT_LE(sensible, total);
      if (k > 0) {
        EXPECT_GT(total, rows[2][k - 1]) << "capacity rises with the wet bulb";
      }
      const double h = v_air.Enthalpy(v_air.AbsoluteHumidity(100, wb), wb);
      const double x = v_air.HumidityRatio(h, db), cp = 1.006 + 1.84 * x;
      const double tIn = db + fan / (mass * cp), hIn = h + fan / mass;
      const double hOut = hIn - (total + fan) / mass, tOut = tIn - (sensible + fan) / (mass * cp);
      // Where the line through inlet and outlet reaches saturation.
      double lo = 0, hi = tOut;
      for (int i = 0; i < 60; ++i) {
        const double t = (lo + hi) / 2;
        const double hLine = hIn + (t - tIn) * (hIn - hOut) / (tIn - tOut);
        (v_air.RelativeHumidity(v_air.HumidityRatio(hLine, t), t) > 100 ? lo : hi) = t;
      }
      EXPECT_NEAR(lo, te + 3, 0.2) << "apparatus dew point";
      EXPECT_NEAR((tOut - lo) / (tIn - lo), 0.12, 0.01) << "bypass factor";
    }
    for (std::size_t k = 1; k < Cls_Tabular::kColumns; ++k)
      EXPECT_LT(rows[5][k], rows[5][k - 1]) << "heating falls with the inlet temperature";
    OwningObjectList<Cls_BrisaPolynomial> curves = unit->GetAllBrisaPolynomial();
    for (int type : {3, 4}) {
      const auto correction = CurvesOfType(curves, type);
      ASSERT_EQ(correction.size(), 1u);
      EXPECT_NEAR(correction[0]->Evaluate(1.0), 1.0, 0.005);
      EXPECT_LT(correction[0]->Evaluate(0.5), correction[0]->Evaluate(0.8));
      EXPECT_LE(correction[0]->GetArgumentLow(), unit->GetMinAirflow() / unit->GetNomAirflow());
    }
  }
}

// Pelmar-MF: the cooling curve of a discharge temperature brings the design
// outdoor air along the coil line to that temperature, within the maximum
// capacity; heating reaches its discharge temperature within the maximum.
TEST_F(DemoCatalogueEngineTest, PelmarCapacityCurvesReachTheirDischargeTemperature)
{
    for (Cls_BrisaData* unit : Family(Cls_BrisaData::kFamilyPelmarMF)) {
    SCOPED_TRACE(unit->GetName());
    OwningObjectList<Cls_BrisaPolynomial> curves = unit->GetAllBrisaPolynomial();
    const double mass = unit->GetNomAirflow() / 3600 * 1.2;
    auto find = [&](int type, double s1, double s2) -> const Cls_BrisaPolynomial* {
      for (const Cls_BrisaPolynomial* c : curves)
        if (c->GetType() == type && c->GetSelect1() == s1 && c->GetSelect2() == s2)
          return c;
      return nullptr;
    };
    std::map<int, std::pair<double, double>> discharge; // type -> range of Select2
    for (const Cls_BrisaPolynomial* c : curves)
      if (c->GetType() == 5 || c->GetType() == 7) {
        auto [it, fresh] = discharge.try_emplace(c->GetType(), c->GetSelect2(), c->GetSelect2());
        it->second.first = std::min(it->second.first, c->GetSelect2());
        it->second.second = std::max(it->second.second, c->GetSelect2());
      }
    EXPECT_EQ(discharge[5], std::make_pair(10.0, 18.0));
    EXPECT_EQ(discharge[7], std::make_pair(18.0, 28.0));

    const double wb = v_air.ConvertDBRH2WB(35, 50), h = v_air.Enthalpy(v_air.AbsoluteHumidity(50, 35), 35);
    for (double d : {12.0, 18.0}) {
      const Cls_BrisaPolynomial* cooling = find(5, 35, d);
      ASSERT_TRUE(cooling);
      const double c = cooling->Evaluate(wb);
      const double hOut = h - c / mass;
      EXPECT_NEAR(11 + (35 - 11) / (h - 31.724) * (hOut - 31.724), d, 0.5);
      const Cls_BrisaPolynomial* maximum = find(6, 35, 0);
      ASSERT_TRUE(maximum);
      EXPECT_GT(maximum->Evaluate(wb), 0.5 * c);
    }
    const Cls_BrisaPolynomial* heating = find(7, 5, 28);
    const Cls_BrisaPolynomial* maximum = find(8, 5, 0);
    ASSERT_TRUE(heating && maximum);
    EXPECT_NEAR(7 + heating->Evaluate(7) / (mass * 1.0115), 28, 0.2);
    EXPECT_GT(maximum->Evaluate(7), heating->Evaluate(7));
    EXPECT_LT(maximum->Evaluate(-15), maximum->Evaluate(7)) << "a heat pump loses capacity in the cold";
  }
}

// The humidifier's dryness factor has no jump anywhere between saturated
// inlet air and the driest the inputs allow: dry air at 80 °C (the hottest
// the moist-air model holds) at the highest site, 2000 m.
TEST_F(DemoCatalogueEngineTest, TheHumidifierOutputIsContinuousOverEveryInletDryness)
{
  const TAir highest(2000);
  const double driest = 80 - highest.ConvertDBRH2WB(80, 0); // K
  ASSERT_GT(driest, 50);
  constexpr double kStep = 0.05; // K
  double previous = TBrisaRatioCorr::GetTempHumidification(0);
  for (double dryness = kStep; dryness <= driest + kStep; dryness += kStep) {
    const double factor = TBrisaRatioCorr::GetTempHumidification(dryness);
    EXPECT_GT(factor, 0) << dryness << " K";
    EXPECT_NEAR(factor, previous, 0.01) << dryness << " K";
    previous = factor;
  }
}

// At the design conditions (27 °C room, 35 °C / 50 % outdoors) every
// Pelmar-MF unit brings the outdoor air to each discharge temperature within
// 0.5 K at 0, 1000 and 2000 m, over its airflow range, wherever its maximum
// capacity allows it; where it does not, asking for colder air gains nothing.
TEST_F(DemoCatalogueEngineTest, PelmarCoolingReachesItsDischargeAtAltitude)
{
  OwningObjectList<Cls_Brisa> units = AllRecordsOf<Cls_Brisa>(false, &factory);
  int reached = 0;
  for (Cls_Brisa* unit : units) {
    if (unit->GetType() != Cls_Brisa::kFamilyPelmarMF)
      continue;
    int lowest = 0, highest = 0;
    unit->GetCoolDischargeRange(lowest, highest);
    ASSERT_LT(lowest, highest);
    for (double altitude : {0.0, 1000.0, 2000.0})
      for (double airflow : {unit->GetMinAirflow(), unit->GetNomAirflow(), unit->GetMaxAirflow()})
        for (int discharge = lowest; discharge <= highest; ++discharge) {
          SCOPED_TRACE(unit->GetName() + " at " + std::to_string(altitude) + " m, " + std::to_string(airflow) +
                       " m3/h, " + std::to_string(discharge) + " °C");
          const TAir air(altitude);
          auto cool = [&](double d, AWPsychroSet& P) {
            double total = 0, sensible = 0, tempEff = 0, enthalpyEff = 0, limit = 0;
            AWHeaterSet inlet{kNoValue, 0};
            EXPECT_EQ(unit->SelectForCooling(27, 50, 35, 50, airflow, airflow, air, 6, d, false, P, total, sensible,
                                             tempEff, enthalpyEff, limit, inlet),
                      0);
            return total;
          };
          AWPsychroSet P, colder;
          const double capacity = cool(discharge, P);
          EXPECT_GT(P.SA.DBT, discharge - 0.5);
          if (P.SA.DBT < discharge + 0.5)
            ++reached;
          else
            EXPECT_NEAR(cool(discharge - 1, colder), capacity, 1e-9) << "only the maximum stops it";
        }
  }
  EXPECT_GT(reached, 0);
}

// Every required airflow from the family's minimum to its maximum, in steps
// of 10 l/s, at 150 Pa supply and exhaust ESP, is offered at least one unit.
TEST_F(DemoCatalogueEngineTest, EveryAirflowOfEachFamilyHasASolutionAt150Pa)
{
  CTSelectionModel model(&factory);
  model.TotalSupplyClick(true);
  for (int family : {0, 1, 2}) {
    model.SetFamily(family);
    ASSERT_EQ(model.DesignSupplyESP().GetVal(), 150);
    ASSERT_EQ(model.DesignExhaustESP().GetVal(), 150);
    const double from = std::ceil(model.MinAirflow()), to = std::floor(model.MaxAirflow());
    ASSERT_LT(from, to);
    for (double q = from; q <= to; q += 10) {
      model.TotalSupply().SetVal(q);
      model.CapacityCallBack();
      EXPECT_GT(model.Solutions().Count(), 0) << "family " << family << " at " << q << " l/s: message "
                                              << (model.Message() ? model.Message()->nMsgNo : 0);
    }
  }
}

// At the default inputs of the Selection page every family offers units and
// the first solution's cooling and heating succeed: no state supersaturated,
// exchanger efficiencies between 40 and 95 %.
TEST_F(DemoCatalogueEngineTest, TheDefaultsGivePlausibleResultsForEveryFamily)
{
  CTSelectionModel model(&factory);
  for (int family : {0, 1, 2}) {
    SCOPED_TRACE(family);
    model.SetFamily(family);
    ASSERT_GT(model.Solutions().Count(), 0);
    EXPECT_FALSE(model.Message()) << model.Message()->nMsgNo;
    ASSERT_TRUE(model.CurrentBrisa());
    for (const CTModeResults* r : {&model.CoolingResults(), &model.HeatingResults()}) {
      EXPECT_EQ(r->nCode, 0);
      EXPECT_TRUE(r->bComputed);
      const AWPsychroSet& s = r->States;
      for (const RepPsychroPoint* p : {&s.RA, &s.OA, &s.EA, &s.SA, &s.VI, &s.VO, &s.CI, &s.HI})
        EXPECT_LE(p->RH, 100.0 + 1e-6);
      if (family != 2) {
        for (double eff : {r->TemperatureEff, r->EnthalpyEff}) {
          EXPECT_GE(eff, 40);
          EXPECT_LE(eff, 95);
        }
      }
    }
    if (family == 1) {
      EXPECT_GT(model.CoolingResults().TotalCap, 0);
      EXPECT_GT(model.CoolingResults().SensibleCap, 0);
      EXPECT_GT(model.HeatingResults().HeatCap, 0);
      EXPECT_GT(model.HeatingResults().Humidification, 0);
      EXPECT_LT(model.CoolingResults().States.SA.DBT, model.CoolingResults().States.CI.DBT);
    }
    if (family == 2) {
      EXPECT_GT(model.CoolingResults().TotalCap, 0);
      EXPECT_GT(model.HeatingResults().HeatCap, 0);
      EXPECT_NEAR(model.CoolingResults().States.SA.DBT, model.Cooling().Discharge().GetVal(), 1.0);
    }
  }
}

} // namespace
} // namespace aw
