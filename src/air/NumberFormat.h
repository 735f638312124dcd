#pragma once
// Numbers as the user reads and types them: written with the user's decimal
// separator, read with "." and "," alike. Independent of the C and C++ locales,
// so that a separator setting never leaks into files or other threads.

#include <optional>
#include <string>
#include <string_view>

namespace aw {

// General format with nPrecision significant digits (1 … 17): fixed notation
// while the value has no more integer digits than that and is at least 1E-5,
// otherwise scientific with at least two exponent digits ("1.5E-07", "1E20").
// Trailing zeros are dropped. Non-finite values give "NAN", "INF", "-INF".
std::string Number2Str(double value, int nPrecision, char cDecimalSeparator = '.');

// Fixed notation with nDigits decimals, right-aligned in at least nWidth
// characters; a negative nDigits gives scientific notation with -nDigits
// significant digits. A zero never shows a minus sign ("-0.0" reads "0.0").
std::string Number2FmtStr(double value, int nWidth, int nDigits, char cDecimalSeparator = '.');

// Reads a number typed by the user: surrounding and inner blanks are dropped
// ("1 000" is 1000, as the number-field filter shows it), and "." and ","
// both act as the decimal separator. Nothing when the text is no (finite)
// decimal number. The one parser of number text: the window, the dialogs and
// the command line all read through it.
std::optional<double> ParseNumber(std::string_view szText);

// ParseNumber, with 0 for a text that is no number.
double Str2Number(std::string_view szText);

} // namespace aw
