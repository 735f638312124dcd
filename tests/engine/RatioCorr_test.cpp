#include "engine/BrisaRatioCorr.h"

#include "../catalogue/LoadedCatalogue.h"
#include "EdiCatalogueText.h"

#include "air/NumberFormat.h"
#include "air/SI_Units.h"

#include <gtest/gtest.h>

#include <cmath>

namespace aw {
namespace {

using test::EdiCatalogueText;
using test::LoadedCatalogue;

struct Curve
{
  int type;
  double select1;
  double a0, a1; // value = a0 + a1 · argument
  double low = 0, high = 0;
};

std::string CorrectionCatalogue(const std::vector<Curve>& curves)
{
  EdiCatalogueText edi;
  edi.Table("Tbl_BrisaCorrection", Cls_BrisaCorrection::kClassID,
            {{"Fld_ID", test::EdiInt},
             {"POL_A0", test::EdiDouble},
             {"POL_A1", test::EdiDouble},
             {"POL_Select1", test::EdiDouble},
             {"POL_Type", test::EdiInt},
             {"POL_ArgumentLow", test::EdiDouble},
             {"POL_ArgumentHigh", test::EdiDouble}});
  int id = 0;
  for (const Curve& c : curves)
    edi.Row(Cls_BrisaCorrection::kClassID, {++id, c.a0, c.a1, c.select1, c.type, c.low, c.high});
  return edi.Text();
}

// Efficiency curves at the ratios 0.5 (× 0.8), 1.0 (× 1, limited to 0 … 100 %)
// and 1.5 (× 1.1), stored out of order; a curve of another type at ratio 1.2
// that must not take part; two ratio-humidification curves of which the later
// one counts, and one dryness curve.
const std::vector<Curve> kCurves = {
  {1, 1.5, 0, 1.1},
  {4, 1.2, 500, 0},
  {1, 0.5, 0, 0.8},
  {2, 0, 5, 0},
  {1, 1.0, 0, 1.0, 0, 100},
  {2, 0, 0.5, 0.5},
  {3, 0, 1, 0.02},
};

class RatioCorrTest : public ::testing::Test
{
protected:
  void SetUp() override { TBrisaRatioCorr::ReleaseShared(); }
  void TearDown() override { TBrisaRatioCorr::ReleaseShared(); }
};

TEST_F(RatioCorrTest, EfficiencyCorrectionUsesNearestCurveOutsideAndInterpolatesInside)
{
  LoadedCatalogue db{CorrectionCatalogue(kCurves)};
  ASSERT_TRUE(db.Connected());
  TBrisaRatioCorr corr;
  struct Case
  {
    double ratio, efficiency, expected;
  };
  const Case cases[] = {
    {0.3, 60, 48},                // below the first ratio: the 0.5 curve
    {0.5, 60, 48},                // on a catalogued ratio
    {0.75, 60, 54},               // halfway between 0.5 and 1.0
    {1.2, 60, 60 + 0.4 * 6},      // 40 % of the way from the 1.0 curve to the 1.5 curve
    {1.5, 60, 66},                // the last ratio
    {2.0, 60, 66},                // above: the 1.5 curve
    {1.0, 120, 0},                // outside the 1.0 curve's range
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "ratio " << c.ratio << ", efficiency " << c.efficiency);
    EXPECT_NEAR(corr.CorrectEfficiency(c.ratio, c.efficiency), c.expected, 1e-9);
    EXPECT_NEAR(TBrisaRatioCorr::GetEfficiencyCorrection(c.ratio, c.efficiency), c.expected, 1e-9);
  }
}

TEST_F(RatioCorrTest, GraphVariantExtrapolatesBelowAndLeavesTheEfficiencyFromTheLastRatioOn)
{
  LoadedCatalogue db{CorrectionCatalogue(kCurves)};
  TBrisaRatioCorr corr;
  struct Case
  {
    double ratio, expected;
  };
  const Case cases[] = {
    {0.3, 48 - 0.2 * (60 - 48) / 0.5}, // along the line through the 0.5 and 1.0 curves
    {0.75, 54},
    {1.0, 60},
    {1.2, 62.4},
    {1.5, 60}, // uncorrected at and above the last ratio
    {3.0, 60},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(corr.GetCorrValAt(c.ratio, 60), c.expected, 1e-9) << "ratio " << c.ratio;
}

TEST_F(RatioCorrTest, HumidificationFactorsUseTheLastCurveOfTheirType)
{
  LoadedCatalogue db{CorrectionCatalogue(kCurves)};
  TBrisaRatioCorr corr;
  EXPECT_DOUBLE_EQ(corr.GetHumidCorrVal(1.0), 1.0);
  EXPECT_DOUBLE_EQ(corr.GetHumidCorrVal(0.6), 0.8);
  EXPECT_DOUBLE_EQ(corr.GetHumidTempVal(10), 1.2);
  EXPECT_DOUBLE_EQ(TBrisaRatioCorr::GetRatioHumidification(0.6), 0.8);
  EXPECT_DOUBLE_EQ(TBrisaRatioCorr::GetTempHumidification(10), 1.2);
}

TEST_F(RatioCorrTest, RatioListHasOneDecimalPerEfficiencyCurveInRatioOrder)
{
  LoadedCatalogue db{CorrectionCatalogue(kCurves)};
  TBrisaRatioCorr corr;
  const char sep = TU_Form::GetDecimalSeparator();
  const std::vector<std::string> expected = {Number2FmtStr(0.5, 0, 1, sep), Number2FmtStr(1.0, 0, 1, sep),
                                             Number2FmtStr(1.5, 0, 1, sep)};
  EXPECT_EQ(corr.GetRatioCorrectionVals(), expected);
  EXPECT_EQ(expected[1], std::string("1") + sep + "0");
}

TEST_F(RatioCorrTest, MissingCurvesLeaveEfficienciesAndHumidificationUnchanged)
{
  LoadedCatalogue db{CorrectionCatalogue({})};
  ASSERT_TRUE(db.Connected());
  TBrisaRatioCorr corr;
  for (double ratio : {0.3, 1.0, 2.0}) {
    EXPECT_DOUBLE_EQ(corr.CorrectEfficiency(ratio, 70), 70);
    EXPECT_DOUBLE_EQ(corr.GetCorrValAt(ratio, 70), 70);
  }
  EXPECT_DOUBLE_EQ(TBrisaRatioCorr::GetRatioHumidification(0.7), 1);
  EXPECT_DOUBLE_EQ(TBrisaRatioCorr::GetTempHumidification(8), 1);
  EXPECT_TRUE(corr.GetRatioCorrectionVals().empty());
}

TEST_F(RatioCorrTest, SingleCurveIsAlwaysAppliedButNeverOnTheGraph)
{
  LoadedCatalogue db{CorrectionCatalogue({{1, 1.0, 2, 0.9}})};
  TBrisaRatioCorr corr;
  for (double ratio : {0.2, 1.0, 1.8}) {
    EXPECT_DOUBLE_EQ(corr.CorrectEfficiency(ratio, 50), 47);
    EXPECT_DOUBLE_EQ(corr.GetCorrValAt(ratio, 50), 50);
  }
}

TEST_F(RatioCorrTest, NonFiniteRatioGivesNoNaNFromCataloguedCurves)
{
  LoadedCatalogue db{CorrectionCatalogue(kCurves)};
  TBrisaRatioCorr corr;
  EXPECT_TRUE(std::isfinite(corr.CorrectEfficiency(INFINITY, 60)));
  EXPECT_TRUE(std::isfinite(corr.CorrectEfficiency(NAN, 60)));
}

TEST_F(RatioCorrTest, SharedInstanceReadsTheCatalogueOfEachConnection)
{
  {
    LoadedCatalogue db{CorrectionCatalogue(kCurves)};
    EXPECT_DOUBLE_EQ(TBrisaRatioCorr::GetEfficiencyCorrection(0.5, 60), 48);
  }
  LoadedCatalogue other{CorrectionCatalogue({{1, 1.0, 0, 0.5}})};
  EXPECT_DOUBLE_EQ(TBrisaRatioCorr::GetEfficiencyCorrection(0.5, 60), 30);
}

TEST_F(RatioCorrTest, InstanceSeesAChangedCatalogueOnlyAfterClearCache)
{
  auto first = std::make_unique<LoadedCatalogue>(CorrectionCatalogue(kCurves));
  TBrisaRatioCorr corr(&first->factory);
  EXPECT_DOUBLE_EQ(corr.CorrectEfficiency(0.5, 60), 48);
  EXPECT_EQ(corr.Corrections().Count(), 3);
  corr.ClearCache();
  first.reset();
  // Without a connected catalogue there is nothing to read, and nothing is kept.
  TBrisaRatioCorr unconnected(nullptr);
  EXPECT_DOUBLE_EQ(unconnected.CorrectEfficiency(0.5, 60), 60);
  LoadedCatalogue second{CorrectionCatalogue({{1, 1.0, 0, 0.5}})};
  EXPECT_DOUBLE_EQ(unconnected.CorrectEfficiency(0.5, 60), 30);
}

} // namespace
} // namespace aw
