// What each family shows and has, and the message of every result code: the
// facts the window, the command line and the report read from one place.

#include "engine/FamilyTraits.h"
#include "engine/ResultCodes.h"
#include "engine/SelectionMessages.h"

#include <gtest/gtest.h>

namespace aw {
namespace {

TEST(FamilyTraits, PanelsAndPagesPerFamily)
{
  struct Row
  {
    TFamily family;
    bool exhaust, filters, coil, humidifier, discharge, supplyHeater, exchanger, capacities, sensible;
  };
  const Row rows[] = {
    {TFamily::Brisa, true, true, false, false, false, true, true, false, false},
    {TFamily::Dorsa, true, false, true, true, false, false, true, true, true},
    {TFamily::PelmarMF, false, false, false, false, true, false, false, true, false},
  };
  for (const Row& r : rows) {
    const CTFamilyTraits& t = FamilyTraits(r.family);
    SCOPED_TRACE(t.nCode);
    EXPECT_TRUE(t.bHasModel);
    EXPECT_TRUE(t.bConfigurationPage);
    EXPECT_EQ(t.bHasExhaust, r.exhaust);
    EXPECT_EQ(t.bHasFilters, r.filters);
    EXPECT_EQ(t.bHasCoil, r.coil);
    EXPECT_EQ(t.bHasHumidifier, r.humidifier);
    EXPECT_EQ(t.bHasDischarge, r.discharge);
    EXPECT_EQ(t.ShowsSupplyTemperature(), r.discharge);
    EXPECT_EQ(t.ShowsSupplyHeater(false), r.supplyHeater);
    EXPECT_FALSE(t.ShowsSupplyHeater(true));
    EXPECT_EQ(t.bExchanger, r.exchanger);
    EXPECT_EQ(t.bCapacities, r.capacities);
    EXPECT_EQ(t.bSensibleCapacity, r.sensible);
    EXPECT_EQ(*t.CapacitiesTitle() != '\0', r.capacities);
  }
}

TEST(FamilyTraits, AirStatesPerFamilyAndMode)
{
  using S = TAirStateId;
  const auto has = [](TFamily f, S s, bool cooling, bool humidifier) {
    return FamilyTraits(f).HasState(s, cooling, humidifier);
  };
  for (TFamily f : {TFamily::Brisa, TFamily::Dorsa, TFamily::PelmarMF})
    for (S s : {S::RA, S::OA, S::SA, S::VI, S::VO})
      EXPECT_TRUE(has(f, s, true, false));
  EXPECT_TRUE(has(TFamily::Brisa, S::EA, true, false));
  EXPECT_FALSE(has(TFamily::Brisa, S::CI, false, true));
  EXPECT_FALSE(has(TFamily::Brisa, S::HI, false, true));
  EXPECT_TRUE(has(TFamily::Dorsa, S::CI, true, false));
  EXPECT_TRUE(has(TFamily::Dorsa, S::HI, false, true)); // heating with a humidifier only
  EXPECT_FALSE(has(TFamily::Dorsa, S::HI, false, false));
  EXPECT_FALSE(has(TFamily::Dorsa, S::HI, true, true));
  EXPECT_EQ(FamilyTraits(TFamily::Dorsa).ShowsHumidification(false, true), true);
  EXPECT_EQ(FamilyTraits(TFamily::Dorsa).ShowsHumidification(true, true), false);
  for (S s : {S::EA, S::CI, S::HI})
    EXPECT_FALSE(has(TFamily::PelmarMF, s, false, true));
}

TEST(FamilyTraits, NamesOfEveryFamilyCode)
{
  const int names[] = {114, 115, 95, 88, 78, 94, 94, 98, 98};
  for (int code = 0; code < 9; ++code) {
    EXPECT_EQ(FamilyNameMessage(code), names[code]) << code;
    EXPECT_EQ(FamilyTraits(code).bHasModel, code < 3) << code;
  }
  EXPECT_EQ(FamilyNameMessage(9), std::nullopt);
  EXPECT_EQ(FamilyNameMessage(-1), std::nullopt);
  EXPECT_FALSE(FamilyTraits(42).bHasExhaust);
}

TEST(ResultCodes, EveryCodeHasItsOwnMessageButTheSupplyHeater)
{
  for (int code = kFirstResultCode; code <= kLastResultCode; ++code) {
    const int number = SelectionErrorMessageNr(code);
    EXPECT_GT(number, 0) << code;
    EXPECT_EQ(number == kMsgOtherError, code == rcSupplyHeaterTooSmall) << code;
  }
}

TEST(ResultCodes, AirflowOutsideTheRangeNamesTheAirflowThatIsOutside)
{
  // Without a unit the range is 0 … 0, so any positive airflow is outside.
  const CTSelectionMessage supply = SelectionErrorMessage(rcAirflow, nullptr, 0, 360, 0);
  EXPECT_EQ(supply.nMsgNo, kMsgAirflowOutsideUnitRange);
  ASSERT_EQ(supply.params.size(), 3u);
  EXPECT_EQ(supply.params[0].substr(0, 3), "100");
  const CTSelectionMessage exhaust = SelectionErrorMessage(rcAirflow, nullptr, 0, 0, 720);
  EXPECT_EQ(exhaust.params[0].substr(0, 3), "200");
}

} // namespace
} // namespace aw
