// The unit search: every solution delivers the airflows against the
// pressures with a positive margin and the list is sorted; stricter
// requirements never add solutions; the search's error codes.

#include "EngineCatalogue.h"

#include "engine/ClBrisa.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace aw {
namespace {

struct Request
{
  double Qs = 360, Qe = 360, Ps = 150, Pe = 150;
  int fs = 0, fe = 0, plenum = 0;
  const Cls_BrisaSpType* maxSpeed = nullptr;
};

using SolutionSet = std::set<std::tuple<int, int, int>>; // unit, supply speed, exhaust speed

class UnitSearchTest : public ::testing::Test
{
protected:
  test::EngineCatalogue db{test::BuildCatalogue(test::SmallCatalogueUnits())};
  OwningObjectList<Cls_Brisa> all;
  ObjectList<Cls_Brisa> brisa;

  void SetUp() override
  {
    ASSERT_TRUE(db.Connected());
    all = AllRecordsOf<Cls_Brisa>(false, &db.factory);
    for (Cls_Brisa* unit : all)
      if (unit->GetType() == Cls_Brisa::kFamilyBrisa)
        brisa.Add(unit);
  }
  OwningObjectList<Cls_Brisa> Search(const Request& r, int& code)
  {
    return Cls_Brisa::SelectedDevices(brisa, r.maxSpeed, r.Qs, r.Qe, r.Ps, r.Pe, r.fs, r.fe, r.plenum, code);
  }
  SolutionSet Set(const Request& r)
  {
    int code = 0;
    SolutionSet set;
    for (const Cls_Brisa* s : Search(r, code))
      set.emplace(s->GetID(), s->GetSupplySpeed()->GetID(), s->GetExhaustSpeed()->GetID());
    return set;
  }
  const Cls_BrisaSpType* SpeedType(const std::string& name)
  {
    for (const Cls_BrisaSpType* t : Cls_BrisaSpType::OrderedBrisaSpTypes(&db.factory))
      if (t->GetName() == name)
        return t;
    return nullptr;
  }
};

TEST_F(UnitSearchTest, EverySolutionDeliversWithAPositiveMarginAndTheListIsSorted)
{
  const Request requests[] = {
    {}, {500, 400, 100, 120}, {360, 360, 100, 100, 1, 2, 0}, {360, 360, 80, 80, 0, 0, 1}, {700, 700, 60, 90},
    {300, 300, 120, 120, 2, 0, 2}, {400, 300, 100, 100, 1, 2, 0}, {300, 450, 100, 100, 0, 2, 1},
  };
  for (const Request& r : requests) {
    int code = -1;
    OwningObjectList<Cls_Brisa> solutions = Search(r, code);
    ASSERT_FALSE(solutions.IsEmpty()) << r.Qs << " m³/h at " << r.Ps << " Pa";
    EXPECT_EQ(code, 0);
    double previousKey = -1;
    for (Cls_Brisa* s : solutions) {
      Cls_Brisa& unit = *s->v_searchedUnit;
      double plenumSupply = 0, plenumExhaust = 0;
      unit.GetPlenumESP(r.plenum, r.Qs, r.Qe, plenumSupply, plenumExhaust);
      const double supplyMargin = s->GetSupplySpeed()->Evaluate(r.Qs) - r.Ps - unit.GetFilterESP(r.fs, r.Qs) - plenumSupply;
      const double exhaustMargin = s->GetExhaustSpeed()->Evaluate(r.Qe) - r.Pe - unit.GetFilterESP(r.fe, r.Qe) - plenumExhaust;
      EXPECT_GT(supplyMargin, 0);
      EXPECT_GT(exhaustMargin, 0);
      EXPECT_LE(unit.GetMinAirflow(), std::min(r.Qs, r.Qe));
      EXPECT_GE(unit.GetMaxAirflow(), std::max(r.Qs, r.Qe));
      EXPECT_NEAR(s->v_selKey, unit.GetMaxAirflow() * 10000 + supplyMargin * 100 + exhaustMargin, 1e-6);
      EXPECT_GE(s->v_selKey, previousKey);
      previousKey = s->v_selKey;
    }
  }
}

TEST_F(UnitSearchTest, StricterRequirementsNeverAddSolutions)
{
  Request r;
  SolutionSet previous = Set(r);
  for (double esp = 160; esp <= 300; esp += 20) {
    r.Ps = r.Pe = esp;
    const SolutionSet current = Set(r);
    EXPECT_TRUE(std::includes(previous.begin(), previous.end(), current.begin(), current.end())) << esp << " Pa";
    previous = current;
  }
  r = Request{};
  r.Ps = r.Pe = 100;
  previous = Set(r);
  for (int filter = 1; filter <= 3; ++filter) {
    r.fs = filter;
    const SolutionSet current = Set(r);
    EXPECT_TRUE(std::includes(previous.begin(), previous.end(), current.begin(), current.end())) << "F" << filter;
    previous = current;
  }
  // The plenum choices nest: all sides ⊆ OA/EA ⊆ none.
  r = Request{};
  r.Ps = r.Pe = 160;
  const SolutionSet none = Set(r);
  r.plenum = Cls_Brisa::kPlenumOAEA;
  const SolutionSet oaea = Set(r);
  r.plenum = Cls_Brisa::kPlenumAll;
  const SolutionSet every = Set(r);
  EXPECT_TRUE(std::includes(none.begin(), none.end(), oaea.begin(), oaea.end()));
  EXPECT_TRUE(std::includes(oaea.begin(), oaea.end(), every.begin(), every.end()));
  EXPECT_LT(every.size(), none.size()) << "the drops matter at this ESP";
}

TEST_F(UnitSearchTest, TheSpeedWindowPairsEqualTypesAndNeighbours)
{
  Request r;
  r.Ps = r.Pe = 40;
  r.Qs = r.Qe = 300;
  r.maxSpeed = SpeedType("Medium");
  ASSERT_NE(r.maxSpeed, nullptr);
  int code = 0;
  OwningObjectList<Cls_Brisa> solutions = Search(r, code);
  std::set<std::pair<std::string, std::string>> pairs;
  for (const Cls_Brisa* s : solutions) {
    std::string supply, exhaust;
    s->GetSpeedNames(supply, exhaust);
    if (s->GetName() == "BR-500")
      pairs.emplace(supply, exhaust);
  }
  EXPECT_EQ(pairs, (std::set<std::pair<std::string, std::string>>{
                     {"Low", "Low"}, {"Medium", "Medium"}, {"Medium", "Low"}, {"Low", "Medium"}}));
}

TEST_F(UnitSearchTest, ErrorCodesOfTheSearch)
{
  // The high speed of BR-800 gives exactly this at 700 m³/h: no surplus, so no solution.
  Cls_Brisa& br800 = *brisa[1];
  ASSERT_EQ(br800.GetName(), "BR-800");
  double exact = 0;
  for (const Cls_BrisaSpeed* speed : br800.GetSpeeds())
    exact = std::max(exact, speed->Evaluate(700));
  struct Case
  {
    const char* what;
    Request r;
    int code;
  };
  const Case cases[] = {
    {"no supply airflow", {0, 360}, 1},
    {"no exhaust airflow", {360, 0}, 3},
    {"no supply ESP: at once", {360, 360, 0, 150}, 5},
    {"no exhaust ESP", {360, 360, 150, 0}, 7},
    {"supply below every unit", {50, 360}, 1},
    {"supply above every unit", {900, 900}, 2},
    {"exhaust above every unit", {700, 900}, 4},
    {"supply ESP too large", {360, 360, 400, 150}, 6},
    {"exhaust ESP too large", {360, 360, 100, 400}, 8},
    {"exactly the available pressure", {700, 700, exact, 50}, 6},
    {"a filter class no unit offers, after no failure", {360, 360, 100, 100, 3}, 0},
  };
  for (const Case& c : cases) {
    int code = -1;
    EXPECT_TRUE(Search(c.r, code).IsEmpty()) << c.what;
    EXPECT_EQ(code, c.code) << c.what;
  }
}

TEST_F(UnitSearchTest, AFailedSearchReportsTheReasonOfTheUnitThatCoversTheAirflowsAndListsEveryUnit)
{
  // BR-500 covers 100 … 500 m³/h, BR-800 300 … 800; their High curves reach
  // 284 Pa (BR-500) at 200 m³/h, 236 and 275 Pa at 400 m³/h.
  using Rejections = std::vector<std::pair<std::string, int>>;
  struct Case
  {
    const char* what;
    Request r;
    int code;
    Rejections rejections;
  };
  const Case cases[] = {
    {"the one covering unit fails on its exhaust ESP, the larger one on the airflow", {200, 200, 100, 290}, 8,
     {{"BR-500", 8}, {"BR-800", 1}}},
    {"both cover: the last one's reason", {400, 400, 170, 280}, 8, {{"BR-500", 6}, {"BR-800", 8}}},
    {"none covers: the last evaluation's reason", {900, 900}, 2, {{"BR-500", 2}, {"BR-800", 2}}},
    {"below every unit", {50, 50}, 1, {{"BR-500", 1}, {"BR-800", 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    int code = -1;
    std::vector<CTUnitRejection> rejections;
    EXPECT_TRUE(Cls_Brisa::SelectedDevices(brisa, nullptr, c.r.Qs, c.r.Qe, c.r.Ps, c.r.Pe, 0, 0, 0, code, &rejections)
                  .IsEmpty());
    EXPECT_EQ(code, c.code);
    Rejections got;
    for (const CTUnitRejection& rejection : rejections)
      got.emplace_back(rejection.szUnit, rejection.nCode);
    EXPECT_EQ(got, c.rejections);
  }

  // A unit left out for want of a filter class says so; one with solutions is no rejection.
  int code = -1;
  std::vector<CTUnitRejection> rejections;
  EXPECT_FALSE(Cls_Brisa::SelectedDevices(brisa, nullptr, 400, 400, 100, 100, 1, 0, 0, code, &rejections).IsEmpty());
  ASSERT_EQ(rejections.size(), 1u);
  EXPECT_EQ(rejections[0].szUnit, "BR-800");
  EXPECT_TRUE(rejections[0].bNoFilter);
  EXPECT_EQ(rejections[0].nCode, 0);
}

TEST_F(UnitSearchTest, FamilyRangesAndSpeedTypes)
{
  double minAirflow = 0, maxAirflow = 0, maxEsp = 0;
  Cls_Brisa::GetRanges(brisa, minAirflow, maxAirflow, maxEsp);
  EXPECT_EQ(minAirflow, 100);
  EXPECT_EQ(maxAirflow, 800);
  EXPECT_EQ(maxEsp, 310);
  ObjectList<Cls_BrisaSpType> types = Cls_Brisa::AvailableSpeedTypes(brisa);
  ASSERT_EQ(types.Count(), 3);
  EXPECT_EQ(types[0]->GetName(), "Low");
  EXPECT_EQ(types[2]->GetName(), "High");
  EXPECT_TRUE(Cls_Brisa::CompareBrisas(brisa[0], brisa[1]));
}

} // namespace
} // namespace aw
