#include "i18n/BasicDlg.h"

#include "i18n/MessageTexts.h"

#include <gtest/gtest.h>

namespace aw::i18n {
namespace {

using B = DialogButton;

TEST(DialogButtonsTest, ReadLeftToRightInTheirFixedOrderWithTheirReturnCodes)
{
  const DialogButtons all = {B::Cancel, B::Ignore, B::Retry, B::Abort, B::All,
                             B::NoToAll, B::No, B::YesToAll, B::Yes, B::OK};
  EXPECT_EQ(ButtonsLeftToRight(all), (std::vector<B>{B::OK, B::Yes, B::YesToAll, B::No, B::NoToAll, B::All,
                                                     B::Abort, B::Retry, B::Ignore, B::Cancel}));
  EXPECT_EQ(ButtonsLeftToRight({B::Cancel, B::No, B::Yes}), (std::vector<B>{B::Yes, B::No, B::Cancel}));

  const std::vector<std::pair<B, int>> codes = {{B::Yes, 6},  {B::No, 7},       {B::OK, 1},       {B::Cancel, 2},
                                                {B::Abort, 3}, {B::Retry, 4},   {B::Ignore, 5},   {B::All, 12},
                                                {B::NoToAll, 13}, {B::YesToAll, 14}};
  for (const auto& [button, code] : codes)
    EXPECT_EQ(Info(button).nReturnCode, code) << Info(button).szName;
}

TEST(DialogButtonsTest, EnterAndEscapeGoToTheLeftmostEnterAndRightmostEscapeButton)
{
  struct Case
  {
    DialogButtons buttons;
    std::optional<B> enter, escape;
  };
  const std::vector<Case> cases = {
    {{B::Yes, B::No, B::Cancel}, B::Yes, B::Cancel},
    {{B::Yes, B::No}, B::Yes, B::No},
    {{B::OK}, B::OK, std::nullopt},
    {{B::Abort, B::Retry, B::Ignore}, B::Retry, B::Abort},
    {{B::All, B::Ignore}, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EnterButton(c.buttons), c.enter);
    EXPECT_EQ(EscapeButton(c.buttons), c.escape);
  }
}

TEST(DialogButtonsTest, RowIsRightAlignedAndWidensTheDialogWhenItDoesNotFit)
{
  const ButtonRow three = LayOutButtonRow({B::Yes, B::No, B::Cancel}, 394, 8, 88);
  EXPECT_EQ(three.nClientWidth, 394);
  // From the right: 394 - 8 - 88 = 298, then 298 - 16 - 88 = 194, then 90.
  EXPECT_EQ(three.lefts, (std::vector<std::pair<B, int>>{{B::Yes, 90}, {B::No, 194}, {B::Cancel, 298}}));

  const ButtonRow all = LayOutButtonRow({B::Cancel, B::Ignore, B::Retry, B::Abort, B::All, B::NoToAll, B::No,
                                         B::YesToAll, B::Yes, B::OK},
                                        394, 8, 88);
  ASSERT_EQ(all.lefts.size(), 10u);
  EXPECT_EQ(all.lefts.front().second, 8);
  EXPECT_EQ(all.lefts.back().second + 88 + 8, all.nClientWidth);
}

TEST(EditRulesTest, RefusesWhatTheRulesForbidWithTheirMessages)
{
  EditRules integer;
  integer.bNumericOnly = integer.bIntegerOnly = true;
  integer.bAllowEmpty = false;
  EditRules nonNegative = integer;
  nonNegative.bAllowNegative = false;
  EditRules positive = nonNegative;
  positive.bAllowZero = false;
  EditRules decimalPositive = positive;
  decimalPositive.bIntegerOnly = false;

  struct Case
  {
    const char* text;
    EditRules rules;
    std::optional<int> refusal;
  };
  const std::vector<Case> cases = {
    {"abc", EditRules{}, std::nullopt},
    {"12", integer, std::nullopt},
    {"1.5", integer, kMsgNotAnInteger},
    {"-3", integer, std::nullopt},
    {"-3", nonNegative, kMsgNotNonNegative},
    {"0", nonNegative, std::nullopt},
    {"-3", positive, kMsgNotPositive},
    {"0", positive, kMsgNotPositive},
    {"2", positive, std::nullopt},
    {"-0,5", decimalPositive, kMsgNotPositive},
    {"0,5", decimalPositive, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<EditRefusal> refusal = ValidateEditText(c.text, c.rules);
    ASSERT_EQ(refusal.has_value(), c.refusal.has_value());
    if (refusal) {
      EXPECT_EQ(refusal->nMessage, *c.refusal);
      EXPECT_EQ(refusal->szParam, c.text);
    }
  }
}

TEST(ProgressStateTest, CountsActionsAndShowsTheirPercentage)
{
  ProgressState progress;
  EXPECT_EQ(progress.Total(), 100);
  progress.SetTotalActions(8);
  for (int i = 0; i < 3; ++i)
    progress.IncActionNr();
  EXPECT_EQ(progress.PercentageText(), "37%");
  EXPECT_EQ(progress.BarWidth(200), 75);
  EXPECT_EQ(progress.BarWidth(4), 2); // 1.5 rounds to 2
  progress.IncActionNr();
  EXPECT_EQ(progress.BarWidth(5), 2); // 2.5 rounds to 2

  progress.SetTotalActions(0); // ignored
  EXPECT_EQ(progress.Total(), 8);
  for (int i = 0; i < 20; ++i)
    progress.IncActionNr();
  EXPECT_EQ(progress.ActionNr(), 8);
  EXPECT_EQ(progress.PercentageText(), "100%");
  progress.SetTotalActions(3);
  EXPECT_EQ(progress.ActionNr(), 0);
}

} // namespace
} // namespace aw::i18n
