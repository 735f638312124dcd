#include "air/NumberFormat.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

namespace aw {
namespace {

TEST(NumberFormat, GeneralFormatWithSignificantDigits)
{
  const struct { double value; int precision; char separator; const char* text; } cases[] = {
      {1.5, 15, '.', "1.5"},        {1.5, 15, ',', "1,5"},         {14.3, 15, '.', "14.3"},
      {0.5, 15, '.', "0.5"},        {1e20, 15, '.', "1E20"},       {1.5e-7, 15, ',', "1,5E-07"},
      {123, 3, '.', "123"},         {1234, 3, '.', "1.23E03"},     {999.96, 4, '.', "1000"},
      {0.00001, 15, '.', "0.00001"}, {0.000001, 15, '.', "1E-06"}, {-2.25, 2, '.', "-2.2"},
      {360.00000000000006, 15, '.', "360"}, {0, 5, '.', "0"},      {-0.0, 5, '.', "0"},
      {std::numeric_limits<double>::quiet_NaN(), 5, '.', "NAN"},   {-std::numeric_limits<double>::infinity(), 5, '.', "-INF"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Number2Str(c.value, c.precision, c.separator), c.text) << c.value << " /" << c.precision;
}

TEST(NumberFormat, FixedFormatWithWidth)
{
  const struct { double value; int width; int digits; char separator; const char* text; } cases[] = {
      {68, 0, 1, '.', "68.0"},       {3.14159, 8, 2, ',', "    3,14"}, {-0.04, 0, 1, '.', "0.0"},
      {2.5, 0, 0, '.', "2"},         {-12.345, 3, 1, ',', "-12,3"},    {1234.5, 0, -3, '.', "1.23E03"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Number2FmtStr(c.value, c.width, c.digits, c.separator), c.text) << c.value;
  // The largest values still fit, with the decimals limited to 100.
  EXPECT_EQ(Number2FmtStr(1e300, 0, 2).size(), 301u + 1 + 2);
  EXPECT_EQ(Number2FmtStr(-1e300, 0, 500).size(), 1 + 301u + 1 + 100);
}

TEST(NumberFormat, ParsesBothSeparators)
{
  const struct { const char* text; std::optional<double> value; } cases[] = {
      {"1.5", 1.5},   {"1,5", 1.5},     {" 1,5 ", 1.5},    {"-2,25", -2.25}, {"+3", 3.0},      {"1e3", 1000.0},
      {".5", 0.5},    {"1 5", 15.0},    {"abc", {}},       {"", {}},         {"  ", {}},       {"1.2.3", {}},
      {"1,2.3", {}},  {"inf", {}},      {"nan", {}},       {"1e999", {}},    {"12abc", {}},    {"+-1", {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ParseNumber(c.text), c.value) << '"' << c.text << '"';
  EXPECT_EQ(Str2Number("abc"), 0);
  EXPECT_EQ(Str2Number(" 1,5 "), 1.5);
}

TEST(NumberFormat, InnerBlanksAreDroppedAsTheNumberFieldFilterDropsThem)
{
  const struct { const char* text; std::optional<double> value; } cases[] = {
      {"1 000", 1000.0}, {"-2 5,25", -25.25}, {"1 000,5", 1000.5}, {"1.000,5", {}}, {"- 1", -1.0}, {" ", {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ParseNumber(c.text), c.value) << '"' << c.text << '"';
}

} // namespace
} // namespace aw
