// The demonstration catalogue the program embeds as "Device_Database": it
// loads whole, keeps the schema's rules, and its curves follow the physics
// the engine relies on (read through the catalogue classes). The coil and
// capacity tables, which need the moist-air model, and the selection on
// this catalogue are tested in tests/engine/DemoCatalogue_test.cpp.

#include "LoadedCatalogue.h"

#include "../../tools/catalogue-builder/CatalogueRules.h"

#include "catalogue/ClBrisaData.h"
#include "catalogue/ClDdbVersionInfo.h"
#include "catalogue/ClDevice.h"
#include "catalogue/ClDocumentation.h"
#include "catalogue/ClPolynomial.h"
#include "catalogue/ClPowerSupply.h"
#include "foundation/LZSS.h"
#include "foundation/StreamIO.h"

#include "support/CatalogueQueries.h"
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

namespace aw {
namespace {

using test::LoadedCatalogue;

class DemoCatalogueTest : public ::testing::Test
{
protected:
  // The units of one family, ascending by maximum airflow.
  std::vector<Cls_BrisaData*> Family(int nCode) { return test::UnitsOfFamily(v_units, nCode); }
  static std::vector<Cls_BrisaPolynomial*> CurvesOfType(OwningObjectList<Cls_BrisaPolynomial>& curves, int nType)
  {
    return test::CurvesOfType(curves, nType);
  }

  LoadedCatalogue v_db;
  OwningObjectList<Cls_BrisaData> v_units = AllRecordsOf<Cls_BrisaData>(false);
};

TEST_F(DemoCatalogueTest, LoadsWholeWithAndWithoutAutoCorrectionAndPassesTheVersionCheck)
{
  ASSERT_TRUE(v_db.Connected()) << "a strict load: no reference is broken";
  EXPECT_TRUE(Cls_DdbVersionInfo::CheckStartupVersion(&v_db.factory));
  EXPECT_FALSE(Cls_DdbVersionInfo::GetKorvathVersion(&v_db.factory).empty());
  const std::map<int, int> strict = catalogue_rules::CountObjects(v_db.factory);

  const bool wasCorrecting = CTMemDbEngine::GetAutoCorrect();
  CTMemDbEngine::SetAutoCorrect(true);
  {
    CTFactory corrected;
    ASSERT_TRUE(corrected.Connect(false));
    EXPECT_EQ(catalogue_rules::CountObjects(corrected), strict) << "auto-correction drops nothing";
    corrected.Disconnect();
  }
  CTMemDbEngine::SetAutoCorrect(wasCorrecting);
  CTDbObject::SetDefaultFactory(&v_db.factory);

  EXPECT_EQ(Family(Cls_BrisaData::kFamilyBrisa).size(), 9u);
  EXPECT_EQ(Family(Cls_BrisaData::kFamilyDorsa).size(), 3u);
  EXPECT_EQ(Family(Cls_BrisaData::kFamilyPelmarMF).size(), 3u);
  EXPECT_EQ(strict.at(Cls_IndoorUnitData::kClassID), 3);
  EXPECT_EQ(strict.at(Cls_BrisaDocumentation::kClassID), 15);
}

TEST_F(DemoCatalogueTest, KeepsTheRulesOfTheSchema)
{
  ASSERT_TRUE(v_db.Connected());
  EXPECT_EQ(catalogue_rules::CheckObjects(v_db.factory), catalogue_rules::Violations{});

  CTResourceStream resource(CTFactory::kLogicalName);
  CTLZSSAutoExpandStream expanded(resource, kLZSSDatabaseSignature);
  ASSERT_TRUE(expanded.IsCompressed() || resource.Size() > 0);
  std::string text;
  char buffer[4096];
  for (std::size_t n; (n = expanded.Read(buffer, sizeof buffer)) > 0;)
    text.append(buffer, n);
  ASSERT_TRUE(text.starts_with("EDI100"));
  EXPECT_EQ(catalogue_rules::CheckIdFieldNames(text, v_db.factory), catalogue_rules::Violations{});

  // The Dorsa coils carry the unit's options; every unit has its documentation and electrical data.
  for (Cls_BrisaData* unit : v_units) {
    SCOPED_TRACE(unit->GetName());
    EXPECT_TRUE(unit->GetTheDeviceDocumentation());
    EXPECT_EQ(unit->GetAllDevPSAllowed().Count(), 1);
    std::unique_ptr<Cls_IndoorUnitData> coil = unit->GetTheIndoorUnit();
    EXPECT_EQ(coil != nullptr, unit->GetType() == Cls_BrisaData::kFamilyDorsa);
    EXPECT_GT((coil ? coil->GetAllDevOptCombination() : unit->GetAllDevOptCombination()).Count(), 0);
  }
}

// Fan laws: ESP falls with the square of the airflow, faster speeds lie above
// slower ones, the fastest gives 150 to 200 Pa at its top airflow, which lies
// above the unit's largest airflow, and the limit lies just above the curve.
TEST_F(DemoCatalogueTest, FanCurvesFollowTheFanLaws)
{
  ASSERT_TRUE(v_db.Connected());
  for (Cls_BrisaData* unit : v_units) {
    SCOPED_TRACE(unit->GetName());
    OwningObjectList<Cls_BrisaSpeed> speeds = unit->GetAllBrisaSpeed();
    ASSERT_GT(speeds.Count(), 0);
    const Cls_BrisaSpeed* fastest = nullptr;
    for (Cls_BrisaSpeed* s : speeds) {
      EXPECT_LE(s->GetArgumentLow(), unit->GetMinAirflow());
      EXPECT_GT(s->GetEspLimit(), s->Evaluate(s->GetArgumentLow()));
      EXPECT_LT(s->GetEspLimit(), s->Evaluate(s->GetArgumentLow()) + 20);
      EXPECT_EQ(s->GetA1(), 0);
      EXPECT_LT(s->GetA2(), 0);
      EXPECT_GT(s->Evaluate(s->GetArgumentHigh()), 0);
      if (!fastest || s->GetArgumentHigh() > fastest->GetArgumentHigh())
        fastest = s;
    }
    for (Cls_BrisaSpeed* s : speeds)
      if (s != fastest) {
        const double q = s->GetArgumentHigh();
        EXPECT_GT(fastest->Evaluate(q), s->Evaluate(q)) << "the fastest speed lies above the others";
      }
    EXPECT_GE(fastest->GetArgumentHigh(), unit->GetMaxAirflow());
    EXPECT_GE(fastest->Evaluate(fastest->GetArgumentHigh()), 150);
    EXPECT_LE(fastest->Evaluate(fastest->GetArgumentHigh()), 200);
  }
}

// Every airflow of a family's range, in steps of 10 l/s, is met by some unit
// whose fastest speed gives more than 150 Pa there.
TEST_F(DemoCatalogueTest, EachFamilyCoversItsAirflowRangeAt150Pa)
{
  ASSERT_TRUE(v_db.Connected());
  for (int family : {0, 1, 2}) {
    std::vector<Cls_BrisaData*> units = Family(family);
    ASSERT_FALSE(units.empty());
    const double from = units.front()->GetMinAirflow(), to = units.back()->GetMaxAirflow();
    for (double q = from; q <= to; q += 36) {
      const bool met = std::any_of(units.begin(), units.end(), [&](Cls_BrisaData* u) {
        if (q < u->GetMinAirflow() || q > u->GetMaxAirflow())
          return false;
        OwningObjectList<Cls_BrisaSpeed> speeds = u->GetAllBrisaSpeed();
        return std::any_of(speeds.begin(), speeds.end(), [&](Cls_BrisaSpeed* s) {
          return s->Evaluate(q) > 150 && s->Evaluate(q) <= s->GetEspLimit() && s->Evaluate(s->GetArgumentLow()) >= 150;
        });
      });
      EXPECT_TRUE(met) << "family " << family << " at " << q << " m3/h";
    }
  }
}

// Temperature efficiency about 82 % at the smallest and 75 % at the largest
// airflow, falling in between; enthalpy efficiencies below it; ranges with a margin.
TEST_F(DemoCatalogueTest, ExchangerEfficienciesFallWithTheAirflow)
{
  ASSERT_TRUE(v_db.Connected());
  for (Cls_BrisaData* unit : v_units) {
    if (unit->GetType() == Cls_BrisaData::kFamilyPelmarMF)
      continue;
    SCOPED_TRACE(unit->GetName());
    OwningObjectList<Cls_BrisaPolynomial> curves = unit->GetAllBrisaPolynomial();
    const auto temperature = CurvesOfType(curves, 0), cooling = CurvesOfType(curves, 1), heating = CurvesOfType(curves, 2);
    ASSERT_EQ(temperature.size(), 1u);
    ASSERT_EQ(cooling.size(), 1u);
    ASSERT_EQ(heating.size(), 1u);
    const double lo = unit->GetMinAirflow(), hi = unit->GetMaxAirflow();
    EXPECT_NEAR(temperature[0]->Evaluate(lo), 82, 1.5);
    EXPECT_NEAR(temperature[0]->Evaluate(hi), 75, 1.5);
    for (const Cls_BrisaPolynomial* c : {temperature[0], cooling[0], heating[0]}) {
      EXPECT_LT(c->GetArgumentLow(), lo);
      EXPECT_GT(c->GetArgumentHigh(), hi);
    }
    double previous = 100;
    for (double q = lo; q <= hi; q += (hi - lo) / 20) {
      const double t = temperature[0]->Evaluate(q);
      EXPECT_LT(t, previous);
      previous = t;
      for (const Cls_BrisaPolynomial* enthalpy : {cooling[0], heating[0]}) {
        EXPECT_LT(enthalpy->Evaluate(q), t);
        EXPECT_GT(enthalpy->Evaluate(q), 55);
      }
    }
  }
}

// Counter-flow ε-NTU: no correction at equal airflows, more exhaust air
// raises the supply-side efficiency, less lowers it, and never beyond 100 %.
TEST_F(DemoCatalogueTest, RatioCorrectionsBehaveLikeACounterFlowExchanger)
{
  ASSERT_TRUE(v_db.Connected());
  std::vector<Cls_BrisaCorrection*> byRatio;
  OwningObjectList<Cls_BrisaCorrection> all = AllRecordsOf<Cls_BrisaCorrection>(false);
  int humidification = 0;
  for (Cls_BrisaCorrection* c : all)
    if (c->GetType() == 1)
      byRatio.push_back(c);
    else if (c->GetType() == 2 || c->GetType() == 3)
      ++humidification;
  EXPECT_EQ(humidification, 2);
  std::sort(byRatio.begin(), byRatio.end(), [](auto* a, auto* b) { return a->GetSelect1() < b->GetSelect1(); });
  ASSERT_GE(byRatio.size(), 5u);
  for (double e : {40.0, 60.0, 75.0, 82.0, 90.0}) {
    SCOPED_TRACE(e);
    double previous = 0;
    for (const Cls_BrisaCorrection* c : byRatio) {
      const double corrected = c->Evaluate(e);
      if (c->GetSelect1() == 1.0) {
        EXPECT_NEAR(corrected, e, 0.01);
      }
      EXPECT_GT(corrected, previous);
      EXPECT_LT(corrected, 100);
      previous = corrected;
    }
    EXPECT_LE(byRatio.front()->Evaluate(e), 100 * byRatio.front()->GetSelect1() + 0.5) << "limited by the exhaust side";
  }
}

// Filters of 50, 75 and 100 Pa at the nominal airflow, rising with it;
// plenum drops on the stacked units only.
TEST_F(DemoCatalogueTest, FilterAndPlenumDropsAreOfTheCataloguedOrder)
{
  ASSERT_TRUE(v_db.Connected());
  for (Cls_BrisaData* unit : Family(Cls_BrisaData::kFamilyBrisa)) {
    SCOPED_TRACE(unit->GetName());
    std::map<int, double> dropAtNominal;
    int plenums = 0;
    for (Cls_DevOptCombination* combination : unit->GetAllDevOptCombination()) {
      auto option = combination->GetDeviceOption<Cls_TesselDeviceOption>();
      ASSERT_TRUE(option);
      if (option->GetType() == Cls_DeviceOption::kTypeFilter) {
        std::unique_ptr<Cls_BrisaFilter> curve = option->GetTheBrisaFilter();
        ASSERT_TRUE(curve);
        EXPECT_LT(curve->Evaluate(unit->GetMinAirflow()), curve->Evaluate(unit->GetMaxAirflow()));
        dropAtNominal[static_cast<int>(std::lround(option->GetValue()))] = curve->Evaluate(unit->GetNomAirflow());
      }
      if (option->GetType() == Cls_DeviceOption::kTypePlenum) {
        ++plenums;
        for (int side : {1, 2, 3})
          EXPECT_GT(option->EvaluatePolynomial(side, unit->GetNomAirflow()), 10);
      }
    }
    EXPECT_EQ(dropAtNominal, (std::map<int, double>{{1, 50}, {2, 75}, {3, 100}}));
    EXPECT_EQ(plenums, unit->GetMaxAirflow() >= 1500 ? 1 : 0);
  }
}

} // namespace
} // namespace aw
