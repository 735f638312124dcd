#pragma once
// The rules of the message dialogs that do not depend on the windowing
// toolkit: the buttons with their return codes and order, the dialog kinds,
// the placement of the button row, the input rules of a text-entry dialog
// and the progress window's bar.

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace aw::i18n {

// The return code a dialog starts with, and has when closed without a button.
inline constexpr int kReturnCancel = 2;
inline constexpr int kReturnOK = 1;

// The ten buttons, by their bit in a button set.
enum class DialogButton : int {
  Yes = 0,
  No = 1,
  OK = 2,
  Cancel = 3,
  Abort = 4,
  Retry = 5,
  Ignore = 6,
  All = 7,
  NoToAll = 8,
  YesToAll = 9,
};
inline constexpr int kDialogButtonCount = 10;

class DialogButtons
{
public:
  constexpr DialogButtons() = default;
  constexpr DialogButtons(std::initializer_list<DialogButton> buttons)
  {
    for (DialogButton b : buttons)
      v_bits |= Bit(b);
  }
  constexpr bool Has(DialogButton b) const { return (v_bits & Bit(b)) != 0; }
  constexpr unsigned Bits() const { return v_bits; }
  constexpr bool operator==(const DialogButtons&) const = default;

private:
  static constexpr unsigned Bit(DialogButton b) { return 1u << static_cast<int>(b); }
  unsigned v_bits = 0;
};

struct ButtonInfo
{
  DialogButton button;
  const char* szName;    // "Btn_Yes", ...
  const char* szCaption; // with "&" before the access key
  int nReturnCode;
  bool bEnter; // answers Enter
  bool bEscape; // answers Esc
};
const ButtonInfo& Info(DialogButton button);

// The visible buttons as they read from left to right:
// OK, Yes, Yes to All, No, No to All, All, Abort, Retry, Ignore, Cancel.
std::vector<DialogButton> ButtonsLeftToRight(DialogButtons buttons);
// The button that answers Enter: the leftmost Enter button. Esc: the rightmost
// Esc button. Nothing when no such button is shown.
std::optional<DialogButton> EnterButton(DialogButtons buttons);
std::optional<DialogButton> EscapeButton(DialogButtons buttons);

// The button row, right-aligned with the margin, a gap of twice the margin
// between buttons; when the row does not fit, the dialog is widened so that
// the leftmost button starts at 8.
struct ButtonRow
{
  int nClientWidth;
  std::vector<std::pair<DialogButton, int>> lefts; // left to right
};
ButtonRow LayOutButtonRow(DialogButtons buttons, int nClientWidth, int nMargin, int nButtonWidth);

// The dialog kinds, by the values of the system's message-box icon flags.
enum class DialogKind : int { None = 0, Error = 16, Question = 32, Warning = 48, Information = 64 };
// The message number of the kind's caption (21 "Error", ...); none for None.
std::optional<int> CaptionMessage(DialogKind kind);

// The input rules of a text-entry dialog.
struct EditRules
{
  bool bAllowEmpty = true;
  bool bNumericOnly = false;
  bool bIntegerOnly = false;
  bool bAllowNegative = true;
  bool bAllowZero = true;
};
// A refusal: the error message and its parameter.
struct EditRefusal
{
  int nMessage;
  std::string szParam;
};
// Whether the text may close the dialog with OK. An integer field refuses a
// text that is no integer (-6); a numeric field refuses a negative number
// (-7, or -8 when zero is not allowed either) and a zero it does not allow (-8).
// An empty text is accepted when empty input is allowed.
std::optional<EditRefusal> ValidateEditText(std::string_view szText, const EditRules& rules);

// The progress window's count of actions.
class ProgressState
{
public:
  // A total of 0 or less keeps the previous total and count.
  void SetTotalActions(int nTotal);
  // Counts one more action, never beyond the total.
  void IncActionNr();
  int Total() const { return v_total; }
  int ActionNr() const { return v_actionNr; }
  // Action number × 100 div total: 3 of 8 gives 37.
  int Percentage() const;
  std::string PercentageText() const;
  // Width of the filled part of a bar nBoxWidth wide, rounded half to even.
  int BarWidth(int nBoxWidth) const;

private:
  int v_total = 100;
  int v_actionNr = 0;
};

} // namespace aw::i18n
