#include "i18n/BasicDlg.h"

#include "air/NumberFormat.h"
#include "i18n/BaseMsgMan.h"
#include "i18n/MessageTexts.h"

#include <array>
#include <cmath>

namespace aw::i18n {
namespace {

constexpr std::array<ButtonInfo, kDialogButtonCount> kButtons = {{
  {DialogButton::Yes, "Btn_Yes", "&Yes", 6, true, false},
  {DialogButton::No, "Btn_No", "&No", 7, false, true},
  {DialogButton::OK, "Btn_OK", "&OK", 1, true, false},
  {DialogButton::Cancel, "Btn_Cancel", "&Cancel", 2, false, true},
  {DialogButton::Abort, "Btn_Abort", "&Abort", 3, false, true},
  {DialogButton::Retry, "Btn_Retry", "&Retry", 4, true, false},
  {DialogButton::Ignore, "Btn_Ignore", "&Ignore", 5, false, false},
  {DialogButton::All, "Btn_All", "&All", 12, false, false},
  {DialogButton::NoToAll, "Btn_NoToAll", "No to All", 13, false, false},
  {DialogButton::YesToAll, "Btn_YesToAll", "Yes to All", 14, false, false},
}};

// The order in which the row is filled from the right.
constexpr std::array kRightToLeft = {
  DialogButton::Cancel, DialogButton::Ignore,   DialogButton::Retry, DialogButton::Abort, DialogButton::All,
  DialogButton::NoToAll, DialogButton::No,      DialogButton::YesToAll, DialogButton::Yes, DialogButton::OK,
};

} // namespace

const ButtonInfo& Info(DialogButton button)
{
  return kButtons[static_cast<std::size_t>(button)];
}

std::vector<DialogButton> ButtonsLeftToRight(DialogButtons buttons)
{
  std::vector<DialogButton> row;
  for (auto it = kRightToLeft.rbegin(); it != kRightToLeft.rend(); ++it)
    if (buttons.Has(*it))
      row.push_back(*it);
  return row;
}

std::optional<DialogButton> EnterButton(DialogButtons buttons)
{
  for (DialogButton b : ButtonsLeftToRight(buttons))
    if (Info(b).bEnter)
      return b;
  return std::nullopt;
}

std::optional<DialogButton> EscapeButton(DialogButtons buttons)
{
  const std::vector<DialogButton> row = ButtonsLeftToRight(buttons);
  for (auto it = row.rbegin(); it != row.rend(); ++it)
    if (Info(*it).bEscape)
      return *it;
  return std::nullopt;
}

ButtonRow LayOutButtonRow(DialogButtons buttons, int nClientWidth, int nMargin, int nButtonWidth)
{
  const std::vector<DialogButton> row = ButtonsLeftToRight(buttons);
  ButtonRow layout{nClientWidth, {}};
  if (row.empty())
    return layout;
  const int rowWidth = static_cast<int>(row.size()) * nButtonWidth + (static_cast<int>(row.size()) - 1) * 2 * nMargin;
  int left = nClientWidth - nMargin - rowWidth;
  if (left <= 0) {
    layout.nClientWidth += 8 - left;
    left = 8;
  }
  for (DialogButton b : row) {
    layout.lefts.emplace_back(b, left);
    left += nButtonWidth + 2 * nMargin;
  }
  return layout;
}

std::optional<int> CaptionMessage(DialogKind kind)
{
  switch (kind) {
  case DialogKind::Error:
    return kMsgError;
  case DialogKind::Question:
    return kMsgConfirm;
  case DialogKind::Warning:
    return kMsgWarning;
  case DialogKind::Information:
    return kMsgInformation;
  case DialogKind::None:
    break;
  }
  return std::nullopt;
}

std::optional<EditRefusal> ValidateEditText(std::string_view szText, const EditRules& rules)
{
  const std::string text(szText);
  if (rules.bAllowEmpty && text.find_first_not_of(" \t") == std::string::npos)
    return std::nullopt;
  if (rules.bNumericOnly && rules.bIntegerOnly && !IsIntegerText(text))
    return EditRefusal{kMsgNotAnInteger, text};
  if (!rules.bNumericOnly)
    return std::nullopt;
  const double value = Str2Number(text);
  if (!rules.bAllowNegative && value < 0)
    return EditRefusal{rules.bAllowZero ? kMsgNotNonNegative : kMsgNotPositive, text};
  if (!rules.bAllowZero && value == 0)
    return EditRefusal{kMsgNotPositive, text};
  return std::nullopt;
}

void ProgressState::SetTotalActions(int nTotal)
{
  if (nTotal <= 0)
    return;
  v_total = nTotal;
  v_actionNr = 0;
}

void ProgressState::IncActionNr()
{
  if (v_actionNr < v_total)
    ++v_actionNr;
}

int ProgressState::Percentage() const
{
  return v_actionNr * 100 / v_total;
}

std::string ProgressState::PercentageText() const
{
  return std::to_string(Percentage()) + "%";
}

int ProgressState::BarWidth(int nBoxWidth) const
{
  const double width = static_cast<double>(nBoxWidth) / v_total * v_actionNr;
  // Halves go to the even neighbour.
  const double down = std::floor(width);
  const double rest = width - down;
  double rounded = rest > 0.5 ? down + 1 : down;
  if (rest == 0.5)
    rounded = std::fmod(down, 2.0) == 0 ? down : down + 1;
  return static_cast<int>(rounded);
}

} // namespace aw::i18n
