#pragma once
// Numbered messages: a registry of number ranges, each with a function that
// gives the text of a number in it, and the resolution of a number with its
// "$1", "$2", ... parameters into the text shown to the user. Also the
// helpers that read and write numbers as the user types and reads them.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace aw::i18n {

using MessageParams = std::vector<std::string>;
// The source text of one number of a range.
using ObtainStringFunc = std::function<std::string(int nNumber)>;
// Turns a source text into the user's language (the interface glossary).
using MessageTranslator = std::function<std::string(const std::string& szText)>;

struct CTStringObtain
{
  int nLowest;
  int nHighest;
  ObtainStringFunc obtain;
};

class CTMessageRanges
{
public:
  // Registers a range in front of the others. A range that is empty
  // (lowest > highest) or overlaps one already registered is ignored;
  // answers whether the range was taken.
  bool AddObtainStringFunc(ObtainStringFunc obtain, int nLowest, int nHighest);
  // The source text of a number; empty when no range holds it.
  std::string Obtain(int nNumber) const;
  const std::vector<CTStringObtain>& Ranges() const { return v_ranges; }

private:
  std::vector<CTStringObtain> v_ranges; // searched from the front
};

// The process-wide registry. It starts with the manager's own range -12 ... -1.
CTMessageRanges& MessageRanges();
// Registers the program's message ranges (0 ... 124, 5000 ... 5021 and the
// online-services range). Registering again changes nothing.
void RegisterProgramMessages();

// The translator applied to every registered text; none translates nothing.
void SetMessageTranslator(MessageTranslator translate);
// A text of the program (a caption, a column title) in the user's language;
// the text itself when there is no translator or no translation.
std::string TranslatedText(const std::string& szText);

// Replaces "$<i>" by the i-th parameter (1-based) in one left-to-right pass:
// inserted parameters are never scanned again, "$" takes all the digits that
// follow it, and a number without a parameter stays as it is.
std::string ReplacePlaceholders(std::string_view szText, const MessageParams& params);

// The text of a message: for -100 the parameters joined as lines with CR LF
// (no placeholders); otherwise the registered text, translated, with its
// placeholders replaced. Never fails: an unknown number gives an empty text.
std::string GetUnicodeString(int nNumber, const MessageParams& params = {});
// Resolution against another registry (tests, tools).
std::string GetUnicodeString(const CTMessageRanges& ranges, int nNumber, const MessageParams& params);

// The number-field filter, applied to a field's text at every change: blanks
// are dropped, the sign is accepted only at the start and after an exponent
// mark, one decimal separator (written as cDecimalSeparator) and one exponent
// mark "E" are accepted, every other character becomes "0".
std::string CheckNumber(std::string_view szText, char cDecimalSeparator);
std::string CheckNumber(std::string_view szText); // with the user's separator

// Whether the trimmed text is an integer: an optional sign and decimal digits.
bool IsIntegerText(std::string_view szText);

// Number text (Number2Str, Number2FmtStr, Str2Number) has its home in
// air/NumberFormat; the user's decimal separator is TU_Form's.

// A shortened path for labels: a path of at most 30 characters or without "/"
// stays; otherwise the first folder (and the next one when there is one), then
// ".../" and the file name: "/home/me/Projects/Ventilation/hall.awr" gives
// "/home/.../hall.awr". A path that would not get shorter stays as it is.
std::string ReducedFileName(std::string_view szPath);

} // namespace aw::i18n
