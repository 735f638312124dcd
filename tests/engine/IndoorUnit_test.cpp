#include "engine/ClIndoorUnit.h"

#include "../catalogue/LoadedCatalogue.h"
#include "EdiCatalogueText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>

namespace aw {
namespace {

using test::EdiCatalogueText;
using test::LoadedCatalogue;

// Indoor units of the fixture catalogue.
enum Unit : int {
  kNoFan = 1,         // full tables, no fan power
  kFanUpstream,       // full tables, 120 W fan before the coil
  kFanDownstream,     // full tables, 120 W fan after the coil
  kNoAirflow,         // full tables, HighFan 0
  kNoRows,            // no capacity rows at all
  kTotalOnly,         // headers and the standard total row only
  kZeroCapacities,    // headers, zero total, sensible and heating rows
};

// Rated coil-inlet conditions of the three cooling columns, and the heating header (°C).
constexpr double kWetBulb[] = {15, 19, 23};
constexpr double kDryBulb[] = {21, 27, 31};
constexpr double kHeatTemp[] = {15, 20, 25};
// Standard evaporating temperature 6 °C; factor rows at 9 °C.
constexpr double kTotal6[] = {4, 5, 6};
constexpr double kSensible6[] = {3.0, 3.5, 3.4};
constexpr double kTotalFactor9 = 1.1;
constexpr double kSensibleFactor9[] = {1, 1, 2}; // column 3: SHR 0.57 × 2 is above 1
constexpr double kHeat[] = {6, 5, 4};

class IndoorUnitCatalogue
{
public:
  IndoorUnitCatalogue()
  {
    v_edi.Table("Tbl_IndoorUnit", Cls_IndoorUnitData::kClassID,
                {{"IND_ID", test::EdiInt},
                 {"Fld_Name", test::EdiString},
                 {"Fld_HighFan", test::EdiDouble},
                 {"IND_PIFanMotor", test::EdiDouble},
                 {"IND_FanPosition", test::EdiInt}});
    v_edi.Table("Tbl_IndTabularCap", Cls_IndTabularCap::kClassID,
                {{"Fld_ID", test::EdiInt},
                 {"Fld_Type", test::EdiInt},
                 {"Fld_Te", test::EdiDouble},
                 {"Fld_Select", test::EdiDouble},
                 {"Fld_Col1", test::EdiDouble},
                 {"Fld_Col2", test::EdiDouble},
                 {"Fld_Col3", test::EdiDouble},
                 {"Fld_IndoorUnit_CLS_REF", test::EdiInt},
                 {"Fld_IndoorUnit_OBJ_REF", test::EdiInt}});
    AddUnit(kNoFan, 650, 0, 0);
    AddUnit(kFanUpstream, 650, 120, 0);
    AddUnit(kFanDownstream, 650, 120, 1);
    AddUnit(kNoAirflow, 0, 0, 0);
    AddUnit(kNoRows, 650, 0, 0);
    AddUnit(kTotalOnly, 650, 0, 0);
    AddUnit(kZeroCapacities, 650, 0, 0);
    for (int unit : {kNoFan, kFanUpstream, kFanDownstream, kNoAirflow})
      AddFullTables(unit);
    AddHeaders(kTotalOnly);
    AddRow(kTotalOnly, 2, 6, 0, kTotal6);
    AddHeaders(kZeroCapacities);
    constexpr double zeros[] = {0, 0, 0};
    AddRow(kZeroCapacities, 2, 6, 0, zeros);
    AddRow(kZeroCapacities, 8, 6, 0, zeros);
    AddRow(kZeroCapacities, 5, 0, 0, zeros);
  }

  std::string Text() const { return v_edi.Text(); }

private:
  void AddUnit(int nID, double nHighFan, double nFanW, int nFanPosition)
  {
    v_edi.Row(Cls_IndoorUnitData::kClassID, {nID, "DX-" + std::to_string(nID), nHighFan, nFanW, nFanPosition});
  }
  void AddRow(int nUnit, int nType, double nTe, double nSelect, const double (&cols)[3])
  {
    v_edi.Row(Cls_IndTabularCap::kClassID,
              {++v_rowID, nType, nTe, nSelect, cols[0], cols[1], cols[2], Cls_IndoorUnitData::kClassID, nUnit});
  }
  void AddHeaders(int nUnit)
  {
    AddRow(nUnit, Cls_Tabular::kHeaderCoolWB, 0, 3, kWetBulb);
    AddRow(nUnit, Cls_Tabular::kHeaderCoolDB, 0, 3, kDryBulb);
    AddRow(nUnit, Cls_Tabular::kHeaderHeat, 0, 3, kHeatTemp);
  }
  void AddFullTables(int nUnit)
  {
    AddHeaders(nUnit);
    AddRow(nUnit, 12, 9, 0, kSensibleFactor9); // stored before the rows it refers to
    AddRow(nUnit, 11, 9, 0, {kTotalFactor9, kTotalFactor9, kTotalFactor9});
    AddRow(nUnit, 2, 6, 0, kTotal6);
    AddRow(nUnit, 8, 6, 0, kSensible6);
    AddRow(nUnit, 5, 0, 0, kHeat);
  }

  EdiCatalogueText v_edi;
  int v_rowID = 0;
};

class IndoorUnitTest : public ::testing::Test
{
protected:
  IndoorUnitTest() : db(IndoorUnitCatalogue().Text()) {}

  Cls_IndoorUnit& Unit(int nID)
  {
    auto& slot = units[nID];
    if (!slot) {
      slot = std::make_unique<Cls_IndoorUnit>(nID, &db.factory);
      EXPECT_TRUE(slot->Read()) << "indoor unit " << nID;
    }
    return *slot;
  }

  // The relative humidity (%) of air at DryBulb with WetBulb (°C).
  double RH(double DryBulb, double WetBulb) const { return air.ConvertDBWB2RH(DryBulb, WetBulb); }

  LoadedCatalogue db;
  TAir air;
  std::map<int, std::unique_ptr<Cls_IndoorUnit>> units;
};

TEST_F(IndoorUnitTest, TotalCoolingCapacityLooksUpTheWetBulbOverTheHeader)
{
  ASSERT_TRUE(db.Connected());
  struct Case
  {
    double te, wetBulb;
    bool inTable;
    double expected;
  };
  const Case cases[] = {
    {6, 12, false, kTotal6[0]},          // clamped to the first column
    {6, 25, false, kTotal6[2]},          // clamped to the last column
    {6, 15, true, kTotal6[0]},
    {6, 17, false, (kTotal6[0] + kTotal6[1]) / 2},
    {6, 19, true, kTotal6[1]},
    {6, 22, false, kTotal6[1] + 0.75 * (kTotal6[2] - kTotal6[1])},
    {9, 19, false, kTotalFactor9 * kTotal6[1]}, // factors of the standard row
    {9, 21, false, kTotalFactor9 * (kTotal6[1] + kTotal6[2]) / 2},
    {Cls_IndoorUnit::kStandardTE, 19, false, kTotal6[1]},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "TE " << c.te << ", wet bulb " << c.wetBulb);
    int code = -1;
    EXPECT_NEAR(Unit(kNoFan).GetTCoolCap(c.te, c.wetBulb, c.inTable, code), c.expected, 1e-9);
    EXPECT_EQ(code, IU_OK);
  }
}

TEST_F(IndoorUnitTest, DryBulbAndHumidityFormReadsAtTheWetBulbOfThatAir)
{
  for (double db : {20.0, 26.0, 33.0})
    for (double rh : {30.0, 55.0, 80.0}) {
      int code1 = -1, code2 = -1;
      const double byState = Unit(kNoFan).GetTCoolCap(6, db, rh, air, false, code1);
      const double byWetBulb = Unit(kNoFan).GetTCoolCap(6, air.ConvertDBRH2WB(db, rh), false, code2);
      EXPECT_EQ(code1, IU_OK);
      EXPECT_DOUBLE_EQ(byState, byWetBulb) << db << " °C, " << rh << " %";
    }
}

// The bypass factor of a column is derived from its rated total and sensible
// capacities; applied again at the rated inlet state it must give back the
// rated sensible capacity, wherever the fan's heat enters.
TEST_F(IndoorUnitTest, SensibleCapacityAtARatedConditionIsTheRatedSensibleCapacity)
{
  const double sensible9[] = {kTotalFactor9 * kTotal6[0] * kSensible6[0] / kTotal6[0],
                              kTotalFactor9 * kTotal6[1] * kSensible6[1] / kTotal6[1],
                              kTotalFactor9 * kTotal6[2]}; // ratio above 1: cut to the total
  for (int unit : {kNoFan, kFanUpstream, kFanDownstream})
    for (double altitude : {0.0, 1500.0}) {
      const TAir site(altitude);
      for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(testing::Message() << "unit " << unit << ", altitude " << altitude << ", column " << k + 1);
        const double rh = site.ConvertDBWB2RH(kDryBulb[k], kWetBulb[k]);
        int code = -1;
        EXPECT_NEAR(Unit(unit).GetSCoolCap(6, kDryBulb[k], rh, site, false, code), kSensible6[k], 0.01);
        EXPECT_EQ(code, IU_OK);
        EXPECT_NEAR(Unit(unit).GetSCoolCap(9, kDryBulb[k], rh, site, false, code), sensible9[k], 0.01);
        EXPECT_EQ(code, IU_OK);
      }
    }
}

TEST_F(IndoorUnitTest, SensibleCapacityNeverExceedsTheTotal)
{
  bool capped = false;
  for (int unit : {kNoFan, kFanUpstream, kFanDownstream})
    for (double db : {18.0, 24.0, 30.0, 36.0})
      for (double rh : {20.0, 40.0, 60.0, 80.0}) {
        SCOPED_TRACE(testing::Message() << "unit " << unit << ", " << db << " °C, " << rh << " %");
        int codeT = -1, codeS = -1;
        const double total = Unit(unit).GetTCoolCap(6, db, rh, air, false, codeT);
        const double sensible = Unit(unit).GetSCoolCap(6, db, rh, air, false, codeS);
        ASSERT_EQ(codeS, IU_OK);
        EXPECT_TRUE(std::isfinite(sensible));
        EXPECT_LE(sensible, total);
        capped = capped || sensible == total;
      }
  EXPECT_TRUE(capped) << "dry inlet air should reach the total capacity";
}

TEST_F(IndoorUnitTest, HeatingCapacityLooksUpTheInletTemperature)
{
  struct Case
  {
    double temp;
    bool inTable;
    double expected;
  };
  const Case cases[] = {
    {12, false, kHeat[0]}, {15, true, kHeat[0]},   {17.5, false, (kHeat[0] + kHeat[1]) / 2},
    {25, true, kHeat[2]},  {30, false, kHeat[2]},
  };
  for (const Case& c : cases) {
    int code = -1;
    EXPECT_NEAR(Unit(kNoFan).GetHeatCap(c.temp, c.inTable, code), c.expected, 1e-9) << c.temp << " °C";
    EXPECT_EQ(code, IU_OK);
  }
}

TEST_F(IndoorUnitTest, MissingOrUnusableDataGiveAFailureCodeAndNoCapacity)
{
  enum Call { Total, Sensible, Heat };
  struct Case
  {
    const char* what;
    int unit;
    Call call;
    double te, temp, rh;
    bool inTable;
    int code;
  };
  const Case cases[] = {
    {"wet bulb above the header", kNoFan, Total, 6, 30, 60, true, IU_WB_OUTSIDE_TABLE},
    {"wet bulb below the header", kNoFan, Sensible, 6, 14, 40, true, IU_WB_OUTSIDE_TABLE},
    {"no rows for the evaporating temperature", kNoFan, Total, 7, 27, 46, false, IU_NO_TE_ROWS},
    {"no rows for the evaporating temperature", kNoFan, Sensible, 7, 27, 46, false, IU_NO_TE_ROWS},
    {"heating inlet outside the header", kNoFan, Heat, 0, 30, 0, true, IU_NO_HEAT_CAPACITY},
    {"non-finite inlet state", kNoFan, Sensible, 6, NAN, 46, false, IU_NOT_COMPUTABLE},
    {"non-finite inlet state", kNoFan, Heat, 0, NAN, 0, false, IU_NOT_COMPUTABLE},
    {"no airflow", kNoAirflow, Sensible, 6, 27, 46, false, IU_NOT_COMPUTABLE},
    {"no rows", kNoRows, Total, 6, 27, 46, false, IU_NO_ROW},
    {"no rows", kNoRows, Sensible, 6, 27, 46, false, IU_NO_ROW},
    {"no rows", kNoRows, Heat, 0, 20, 0, false, IU_NO_ROW},
    {"no sensible row", kTotalOnly, Sensible, 6, 27, 46, false, IU_NO_ROW},
    {"no heating row", kTotalOnly, Heat, 0, 20, 0, false, IU_NO_ROW},
    {"zero capacities", kZeroCapacities, Sensible, 6, 27, 46, false, IU_NOT_COMPUTABLE},
    {"zero heating capacity", kZeroCapacities, Heat, 0, 20, 0, false, IU_NO_HEAT_CAPACITY},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.what << ", unit " << c.unit);
    int code = -1;
    Cls_IndoorUnit& unit = Unit(c.unit);
    const double value = c.call == Total      ? unit.GetTCoolCap(c.te, c.temp, c.rh, air, c.inTable, code)
                         : c.call == Sensible ? unit.GetSCoolCap(c.te, c.temp, c.rh, air, c.inTable, code)
                                              : unit.GetHeatCap(c.temp, c.inTable, code);
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(value, 0);
  }
  // The same units still give what their tables hold.
  int code = -1;
  EXPECT_DOUBLE_EQ(Unit(kNoAirflow).GetTCoolCap(6, 19.0, false, code), kTotal6[1]);
  EXPECT_EQ(code, IU_OK);
  EXPECT_DOUBLE_EQ(Unit(kTotalOnly).GetTCoolCap(6, 19.0, false, code), kTotal6[1]);
  EXPECT_EQ(code, IU_OK);
}

TEST_F(IndoorUnitTest, ClearCacheReadsTheTablesAgain)
{
  int code = -1;
  Cls_IndoorUnit& unit = Unit(kFanUpstream);
  const double before = unit.GetSCoolCap(9, 27, 46, air, false, code);
  unit.ClearCache();
  EXPECT_DOUBLE_EQ(unit.GetSCoolCap(9, 27, 46, air, false, code), before);
  EXPECT_EQ(code, IU_OK);
  EXPECT_DOUBLE_EQ(unit.GetHeatCap(20, false, code), kHeat[1]);
}

} // namespace
} // namespace aw
