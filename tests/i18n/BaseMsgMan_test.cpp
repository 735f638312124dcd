#include "i18n/BaseMsgMan.h"

#include "i18n/MessageTexts.h"

#include <gtest/gtest.h>

namespace aw::i18n {
namespace {

class MessageResolutionTest : public ::testing::Test
{
protected:
  MessageResolutionTest() { RegisterProgramMessages(); }
};

TEST_F(MessageResolutionTest, ResolvesNumbersWithTheirParameters)
{
  struct Case
  {
    int nr;
    MessageParams params;
    std::string expected;
  };
  const std::vector<Case> cases = {
    {5, {}, "Room air limits"},
    {6, {"10", "30"}, "Temperature range: 10 .. 30"},
    {-1, {"a.awr"}, "File a.awr not found"},
    {-12, {"X"}, "You need administrator rights to uninstall X. Only the user preferences are removed"},
    {74, {}, "Your project has not been saved. Save it now?"},
    {119, {}, "There are no printers defined in Windows"},
    {5002, {"cat", "7"}, "Database error in 'cat', code = 7."},
    {5021, {}, "SQL server: Error executing select statement"},
    // A parameter is inserted as it stands, never scanned again.
    {6, {"$2", "30"}, "Temperature range: $2 .. 30"},
    {41, {"$1", "$$2"}, "Maximum bitmap size is $1x$$2 pixels"},
    // A placeholder without a parameter stays.
    {6, {"10"}, "Temperature range: 10 .. $2"},
    {120, {"400 l/s", "50 l/s", "300 l/s"}, "The airflow 400 l/s is outside the unit's range 50 l/s – 300 l/s."},
    {124, {"cat.edi", "left out 1 table"}, "The catalogue cat.edi was read in part: left out 1 table."},
    // Numbers outside every range give an empty text.
    {-13, {"x"}, ""},
    {125, {}, ""},
    {4999, {}, ""},
    {5022, {}, ""},
    {20001, {}, ""},
    // The literal lines of -100, with no placeholder replaced.
    {kMsgLines, {"a", "b"}, "a\r\nb"},
    {kMsgLines, {"cost $1"}, "cost $1"},
    {kMsgLines, {}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.nr);
    EXPECT_EQ(GetUnicodeString(c.nr, c.params), c.expected);
  }
}

TEST_F(MessageResolutionTest, EveryNumberedMessageOfTheProgramResolves)
{
  const std::vector<std::pair<int, int>> ranges = {{-12, -1}, {2, 31}, {33, 123}, {5000, 5021}};
  for (const auto& [low, high] : ranges)
    for (int nr = low; nr <= high; ++nr)
      EXPECT_FALSE(GetUnicodeString(nr).empty()) << nr;
}

TEST_F(MessageResolutionTest, TranslatorTurnsSourceTextsBeforeTheirPlaceholders)
{
  SetMessageTranslator([](const std::string& text) {
    return text == "Temperature range: $1 .. $2" ? std::string("Plage: $1 à $2") : text;
  });
  EXPECT_EQ(GetUnicodeString(6, {"10", "30"}), "Plage: 10 à 30");
  EXPECT_EQ(GetUnicodeString(kMsgLines, {"Temperature range: $1 .. $2"}), "Temperature range: $1 .. $2");
  SetMessageTranslator({});
}

TEST(PlaceholderTest, TakesAllDigitsOfANumber)
{
  MessageParams params;
  for (int i = 1; i <= 10; ++i)
    params.push_back("p" + std::to_string(i));
  EXPECT_EQ(ReplacePlaceholders("$10|$1|$1$2|$0|$11|$|$x", params), "p10|p1|p1p2|$0|$11|$|$x");
  EXPECT_EQ(ReplacePlaceholders("$10", {"one"}), "$10");
  EXPECT_EQ(ReplacePlaceholders("$99999999999999999999999", {"one"}), "$99999999999999999999999");
}

TEST(MessageRangesTest, OverlappingRangesAreIgnoredAndNewRangesSearchedFirst)
{
  CTMessageRanges ranges;
  auto text = [](const std::string& s) { return [s](int n) { return s + std::to_string(n); }; };
  EXPECT_TRUE(ranges.AddObtainStringFunc(text("a"), 0, 119));
  EXPECT_FALSE(ranges.AddObtainStringFunc(text("b"), 100, 200)); // lowest inside
  EXPECT_FALSE(ranges.AddObtainStringFunc(text("b"), -5, 0));    // highest on a bound
  EXPECT_FALSE(ranges.AddObtainStringFunc(text("b"), -5, 500));  // encloses 0 ... 119
  EXPECT_FALSE(ranges.AddObtainStringFunc(text("b"), 300, 200)); // empty
  EXPECT_TRUE(ranges.AddObtainStringFunc(text("c"), 200, 300));
  ASSERT_EQ(ranges.Ranges().size(), 2u);
  EXPECT_EQ(ranges.Ranges().front().nLowest, 200);
  EXPECT_EQ(GetUnicodeString(ranges, 100, {}), "a100");
  EXPECT_EQ(GetUnicodeString(ranges, 250, {}), "c250");
  EXPECT_EQ(GetUnicodeString(ranges, 150, {}), "");
}

TEST(MessageRangesTest, ProgramMessagesRegisterOnce)
{
  RegisterProgramMessages();
  const std::size_t count = MessageRanges().Ranges().size();
  RegisterProgramMessages();
  EXPECT_EQ(MessageRanges().Ranges().size(), count);
  EXPECT_EQ(MessageRanges().Ranges().back().nLowest, -12); // the manager's range came first
}

TEST(CheckNumberTest, FiltersTypedTextForBothSeparators)
{
  struct Case
  {
    const char* text;
    char separator;
    const char* expected;
  };
  const std::vector<Case> cases = {
    {"1a2", '.', "102"},          {"-1.5e-3", '.', "-1.5E-3"}, {"1.2.3", '.', "1.203"},
    {"e5", '.', "05"},            {"--1", '.', "-01"},         {"1 000", '.', "1000"},
    {"1,5", '.', "1.5"},          {"1.5", ',', "1,5"},         {"1,5", ',', "1,5"},
    {"1,2.3", ',', "1,203"},      {"2d+4", '.', "2E+4"},       {"1e2.5", '.', "1E205"},
    {"1e2e3", '.', "1E203"},      {"+-2", '.', "+02"},         {"", '.', ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CheckNumber(c.text, c.separator), c.expected) << c.text << " with " << c.separator;
}

TEST(NumberTextTest, IntegerTextIsASignAndDigits)
{
  EXPECT_TRUE(IsIntegerText(" -12 "));
  EXPECT_FALSE(IsIntegerText("1,0"));
  EXPECT_FALSE(IsIntegerText("-"));
}

TEST(ReducedFileNameTest, ShortensLongPathsForLabels)
{
  const std::vector<std::pair<std::string, std::string>> cases = {
    {"/home/me/Projects/Ventilation/Offices/hall.awr", "/home/.../hall.awr"},
    {"data/Projects/Ventilation/Offices/hall.awr", "data/Projects/.../hall.awr"},
    {"/short/hall.awr", "/short/hall.awr"},                       // at most 30 characters
    {"a_file_name_without_any_folder_part.awr", "a_file_name_without_any_folder_part.awr"},
    {"/averyveryverylongfoldername/hall.awr", "/averyveryverylongfoldername/hall.awr"}, // nothing to leave out
    {"/home/ünïcødé/ä/ö/hall.awr", "/home/ünïcødé/ä/ö/hall.awr"}, // 26 characters, more bytes
  };
  for (const auto& [path, expected] : cases)
    EXPECT_EQ(ReducedFileName(path), expected) << path;
}

} // namespace
} // namespace aw::i18n
