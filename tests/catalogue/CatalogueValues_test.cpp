// Computations of the catalogue entities on values alone: curves, table
// rows, packed diameters, value syntaxes and version numbers.

#include "catalogue/ClBrisaData.h"
#include "catalogue/ClDdbVersionInfo.h"
#include "catalogue/ClDevice.h"
#include "catalogue/ClDocumentation.h"
#include "catalogue/ClPolynomial.h"
#include "catalogue/ClPowerSupply.h"
#include "catalogue/Factory.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace aw {
namespace {

class CatalogueValuesTest : public ::testing::Test
{
protected:
  CTFactory factory;
};

TEST_F(CatalogueValuesTest, PolynomialEvaluatesInsideAndOnItsRangeAndGivesZeroOutside)
{
  struct Case
  {
    double low, high, x, expected;
  };
  // y = 2 + 3x - 0.5x², in Horner form.
  const Case cases[] = {
    {100, 300, 100, 2 + 300 - 5000},      // on the lower bound
    {100, 300, 300, 2 + 900 - 45000},     // on the upper bound
    {100, 300, 200, 2 + 600 - 20000},     // inside
    {100, 300, 99.9, 0},                  // just below
    {100, 300, 300.1, 0},                 // just above
    {0, 0, -4, 2 - 12 - 8},               // no range: any argument, negative ones too
    {0, 0, 1e6, 2 + 3e6 - 0.5e12},        // no range, far out
    {-10, 0, -10, 2 - 30 - 50},           // a range ending at 0 is still a range
    {-10, 0, 0.5, 0},
  };
  Cls_BrisaFilter curve(0, &factory);
  curve.SetA0(2);
  curve.SetA1(3);
  curve.SetA2(-0.5);
  for (const Case& c : cases) {
    curve.SetArgumentLow(c.low);
    curve.SetArgumentHigh(c.high);
    EXPECT_DOUBLE_EQ(curve.Evaluate(c.x), c.expected) << "range " << c.low << ".." << c.high << " at " << c.x;
  }
}

TEST_F(CatalogueValuesTest, EveryCoefficientHasItsPowerDespiteTheFieldOrder)
{
  Cls_BrisaSpeed curve(0, &factory);
  for (int power = 0; power <= Cls_Polynomial::kDegree; ++power) {
    for (int p = 0; p <= Cls_Polynomial::kDegree; ++p)
      curve.SetCoefficient(p, p == power ? 1.5 : 0);
    EXPECT_DOUBLE_EQ(curve.Evaluate(2), 1.5 * std::pow(2, power)) << "x^" << power;
  }
  curve.SetA7(1);
  EXPECT_DOUBLE_EQ(curve.GetCoefficient(7), 1);
  EXPECT_THROW(curve.SetCoefficient(8, 1), std::out_of_range);

  Cls_BrisaSpeed zero(0, &factory);
  EXPECT_EQ(zero.Evaluate(-123), 0) << "no coefficients, no range";
  Cls_BrisaSpeed huge(0, &factory);
  huge.SetA7(1e300);
  EXPECT_EQ(huge.Evaluate(1e10), 0) << "an overflow gives 0";
  EXPECT_EQ(huge.Evaluate(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST_F(CatalogueValuesTest, SpeedsAndCurvesOrderAsTheSearchExpects)
{
  Cls_BrisaSpeed low(0, &factory), high(0, &factory);
  low.SetSelect1(1);
  high.SetSelect1(3);
  EXPECT_TRUE(Cls_BrisaSpeed::CompareSpeeds(&high, &low));
  EXPECT_FALSE(Cls_BrisaSpeed::CompareSpeeds(&low, &high));
  high.SetPowerInput(210);
  EXPECT_DOUBLE_EQ(high.GetSelect2(), 210);

  Cls_BrisaPolynomial a(0, &factory), b(0, &factory), c(0, &factory);
  a.SetSelect2(14), a.SetSelect1(35);
  b.SetSelect2(14), b.SetSelect1(20);
  c.SetSelect2(12), c.SetSelect1(40);
  ObjectList<Cls_BrisaPolynomial> curves{&a, &b, &c};
  curves.Sort(Cls_BrisaPolynomial::CompareBrisaPolynomials);
  EXPECT_EQ(curves[0], &c);
  EXPECT_EQ(curves[1], &b);
  EXPECT_EQ(curves[2], &a);
}

TEST_F(CatalogueValuesTest, TabularRowsInterpolateBetweenHeaderColumns)
{
  Cls_IndTabularCap header(0, &factory), row(0, &factory);
  header.SetType(Cls_Tabular::kHeaderCoolWB);
  header.SetSelect(3);
  header.SetCol1(15), header.SetCol2(19), header.SetCol3(22), header.SetCol4(99);
  row.SetType(2);
  row.SetCol1(5), row.SetCol2(7), row.SetCol3(9), row.SetCol4(50);

  int limit = -1;
  Cls_Tabular::Row temps{};
  header.GetTempRow(limit, temps);
  ASSERT_EQ(limit, 3);
  EXPECT_EQ(temps, (Cls_Tabular::Row{15, 19, 22, 99, 0, 0, 0}));

  struct Case
  {
    double temp, expected;
  };
  for (const Case& c : {Case{19, 7}, Case{17, 6}, Case{15, 5}, Case{20.5, 8}, Case{22, 9}, Case{22.5, 0},
                        Case{14.9, 0}, Case{99, 0}})
    EXPECT_DOUBLE_EQ(row.GetValAt(c.temp, limit, temps), c.expected) << c.temp;
  EXPECT_DOUBLE_EQ(row.GetValAt(30, 99, temps), 9 + (50 - 9) * (30 - 22) / 77.0) << "a limit past seven columns is capped";

  int rowLimit = -1;
  Cls_Tabular::Row rowTemps{1};
  row.GetTempRow(rowLimit, rowTemps);
  EXPECT_EQ(rowLimit, 0) << "a capacity row is no header";
  EXPECT_EQ(rowTemps, Cls_Tabular::Row{});

  header.SetSelect(2.5);
  header.GetTempRow(limit, temps);
  EXPECT_EQ(limit, 2) << "halfway rounds to even";

  EXPECT_EQ(row.GetDataRow(), (Cls_Tabular::Row{5, 7, 9, 50, 0, 0, 0}));
  EXPECT_EQ(row.GetDataVal(0), 0);
  EXPECT_EQ(row.GetDataVal(8), 0);
  row.SetCol7(7.5);
  EXPECT_EQ(row.GetDataVal(7), 7.5);
}

TEST_F(CatalogueValuesTest, IntegerAndStringListsFollowTheirSyntax)
{
  struct IntCase
  {
    std::string text;
    std::vector<int> expected;
  };
  for (const IntCase& c : {IntCase{"12$x$7$", {12, 7}}, IntCase{"$5$", {}}, IntCase{"1033$1031$", {1033, 1031}},
                           IntCase{"4$$9$", {4}}, IntCase{"8", {}}, IntCase{"-3$99999999999$2$", {-3, 2}},
                           IntCase{"", {}}}) {
    std::vector<int> values{42};
    Cls_OptionGenericValue::AddStringValuesToIntegerList(values, c.text);
    std::vector<int> expected{42};
    expected.insert(expected.end(), c.expected.begin(), c.expected.end());
    EXPECT_EQ(values, expected) << c.text;
  }
  EXPECT_EQ(Cls_OptionGenericValue::IntegerListToString({1033, -1, 0}), "1033$-1$0$");
  EXPECT_EQ(Cls_OptionGenericValue::IntegerListToString({}), "");

  struct StringCase
  {
    std::string text;
    std::vector<std::string> expected;
  };
  for (const StringCase& c : {StringCase{"A,B,,C", {"A", "B", ",C"}}, StringCase{",A", {",A"}},
                              StringCase{"Basic", {"Basic"}}, StringCase{"A,", {"A"}}, StringCase{"", {}}}) {
    std::vector<std::string> values;
    Cls_OptionGenericValue::AddStringValuesToStringList(values, c.text);
    EXPECT_EQ(values, c.expected) << c.text;
  }
}

TEST_F(CatalogueValuesTest, PipeDiametersPackIntoTheOptionValueInTenths)
{
  Cls_TesselDeviceOption option(0, &factory);
  option.SetCondenserDiameters(15.9, 9.5);
  EXPECT_DOUBLE_EQ(option.GetValue(), 95159);
  double gas = 0, liquid = 0, water = 0;
  option.GetCondenserDiameters(gas, liquid);
  EXPECT_DOUBLE_EQ(gas, 15.9);
  EXPECT_DOUBLE_EQ(liquid, 9.5);

  option.SetHeatExchangerDiameters(22.2, 12.7, 35);
  EXPECT_DOUBLE_EQ(option.GetValue(), 127 + 222 * 256 + 350 * 65536);
  option.GetHeatExchangerDiameters(gas, liquid, water);
  EXPECT_DOUBLE_EQ(gas, 22.2);
  EXPECT_DOUBLE_EQ(liquid, 12.7);
  EXPECT_DOUBLE_EQ(water, 35);
}

TEST_F(CatalogueValuesTest, NamesOfDevicesOptionsAndPowerSupplies)
{
  Cls_IndFamily family(0, &factory);
  family.SetShort(" VAM ");
  EXPECT_EQ(family.GetDescriptiveName(), "VAM");
  family.SetName("Heat recovery");
  family.SetProductName("Brisa ");
  EXPECT_EQ(family.GetDescriptiveName(), "Brisa VAM - Heat recovery");

  Cls_TesselDeviceOption option(0, &factory);
  option.SetName("FLT-F7");
  option.SetDescription("Filter F7");
  EXPECT_EQ(option.GetQualifiedName(), "FLT-F7 (Filter F7)");

  Cls_PowerSupply supply(0, &factory);
  supply.SetName("Y1"), supply.SetPhases("3N"), supply.SetVoltage("400"), supply.SetFrequencyKind(3);
  EXPECT_EQ(supply.GetDescriptiveName(), "3N\u00D7400, 50/60Hz (Y1)");
  for (auto [kind, text] : {std::pair{0, ""}, std::pair{1, "50Hz"}, std::pair{2, "60Hz"}, std::pair{3, "50/60Hz"},
                            std::pair{4, ""}})
    EXPECT_EQ(Cls_PowerSupply::FrequencyString(kind), text) << kind;

  EXPECT_EQ(Cls_BrisaDocumentation::WebLinkForBrisaFC(),
            "https://www.korvath.com/en_us/about/korvath-innovations/seasonal-efficiency.html");
  EXPECT_EQ(Cls_BrisaData::Family2Str(0), "Brisa");
  EXPECT_EQ(Cls_BrisaData::Family2Str(6), "Wendrix");
  EXPECT_EQ(Cls_BrisaData::Family2Str(8), "Plug and Play");
  EXPECT_EQ(Cls_BrisaData::Family2Str(-1), "Plug and Play");
}

TEST(CatalogueVersion, VersionTextsAreNumbersWithoutTheirDots)
{
  struct Case
  {
    const char* text;
    int number;
    const char* written;
  };
  for (const Case& c : {Case{"14.3", 143, "1.4.3"}, Case{"1.4.3", 143, "1.4.3"}, Case{"143", 143, "1.4.3"},
                        Case{"1.4", 14, "0.1.4"}, Case{"150", 150, "1.5.0"}, Case{"abc", 0, "0.0.0"},
                        Case{"", 0, "0.0.0"}, Case{"1.4.3b", 0, "0.0.0"}, Case{"99999999999", 0, "0.0.0"}}) {
    EXPECT_EQ(Cls_DdbVersionInfo::VersionNumber(c.text), c.number) << c.text;
    EXPECT_EQ(Cls_DdbVersionInfo::VersionText(Cls_DdbVersionInfo::VersionNumber(c.text)), c.written) << c.text;
  }
}

TEST(CatalogueVersion, TheReferenceVersionIsReadFromTheDatabaseText)
{
  const std::string example = "EDI100\r\n5 18 TBL_DdbVersionInfo 101\r\n5 6 DVI_ID 2\r\n5 13 DVI_DbVersion 10\r\n"
                              "0\r\n0\r\n2 101 2 0 2 1 2 1\r\n2 1 10 5 1.4.3 \r\n0\r\n";
  EXPECT_EQ(Cls_DdbVersionInfo::ReadVersionText(example), "1.4.3");
  // Another table first, a short data header, and an escaped text.
  const std::string other = "EDI100\r\n5 9 Tbl_Other 7\r\n5 2 ID 2\r\n5 4 Text 10\r\n0\r\n"
                            "5 18 Tbl_DdbVersionInfo 101\r\n5 15 DVI_DataVersion 10\r\n5 13 DVI_DbVersion 10\r\n"
                            "5 6 DVI_ID 2\r\n0\r\n0\r\n2 7 2 1\r\n2 1 10 3 a b \r\n2 101 2 1\r\n"
                            "10 4 R\\31 10 4 14.3 2 1 \r\n0\r\n";
  EXPECT_EQ(Cls_DdbVersionInfo::ReadVersionText(other), "14.3");
  EXPECT_EQ(Cls_DdbVersionInfo::ReadVersionText(""), std::nullopt);
  EXPECT_EQ(Cls_DdbVersionInfo::ReadVersionText("EDI100\r\n0\r\n0\r\n"), std::nullopt);
  EXPECT_EQ(Cls_DdbVersionInfo::ReadVersionText(example.substr(0, example.size() - 12)), std::nullopt)
    << "a cut-off text";
  EXPECT_EQ(Cls_DdbVersionInfo::ReadVersionText("Q7R\x01\x02"), std::nullopt) << "broken compressed data";
  EXPECT_EQ(Cls_DdbVersionInfo::ReferenceVersionText(), "1.4.3") << "the program's own resource";
}

} // namespace
} // namespace aw
