#include "air/NumberFormat.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace aw {

namespace {

// Large enough for any double in fixed notation with the decimals allowed below.
using Buffer = std::array<char, 512>;
constexpr int kMaxFixedDecimals = 100;

std::string NonFinite(double value)
{
  if (std::isnan(value))
    return "NAN";
  return value < 0 ? "-INF" : "INF";
}

std::string ToChars(double value, std::chars_format format, int nPrecision)
{
  Buffer buf;
  const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), value, format, nPrecision);
  return std::string(buf.data(), result.ptr);
}

// "1.500" -> "1.5", "2.000" -> "2"; texts without "." stay.
void DropTrailingZeros(std::string& s)
{
  if (s.find('.') == std::string::npos)
    return;
  while (!s.empty() && s.back() == '0')
    s.pop_back();
  if (!s.empty() && s.back() == '.')
    s.pop_back();
}

// Scientific text of to_chars ("1.50e-07") in the program's style: mantissa
// as given (trailing zeros dropped when asked), "E", a minus sign only for
// negative exponents, at least two exponent digits.
std::string StyleScientific(const std::string& raw, bool bDropZeros)
{
  const std::size_t e = raw.find('e');
  std::string mantissa = raw.substr(0, e);
  if (bDropZeros)
    DropTrailingZeros(mantissa);
  const int exponent = std::atoi(raw.c_str() + e + 1);
  const std::string digits = std::to_string(std::abs(exponent));
  std::string text = mantissa;
  text += 'E';
  if (exponent < 0)
    text += '-';
  if (digits.size() < 2)
    text += '0';
  text += digits;
  return text;
}

void DropSignOfZero(std::string& s)
{
  if (!s.empty() && s[0] == '-' && s.find_first_of("123456789") == std::string::npos)
    s.erase(0, 1);
}

void UseSeparator(std::string& s, char cDecimalSeparator)
{
  if (const std::size_t dot = s.find('.'); dot != std::string::npos)
    s[dot] = cDecimalSeparator;
}

bool IsBlank(char c)
{
  return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

std::string Number2Str(double value, int nPrecision, char cDecimalSeparator)
{
  if (!std::isfinite(value))
    return NonFinite(value);
  if (value == 0)
    return "0";
  const int precision = std::clamp(nPrecision, 1, 17);
  const std::string scientific = ToChars(value, std::chars_format::scientific, precision - 1);
  // The exponent after rounding to the precision decides the notation.
  const int exponent = std::atoi(scientific.c_str() + scientific.find('e') + 1);
  std::string text;
  if (exponent < precision && exponent >= -5) {
    text = ToChars(value, std::chars_format::fixed, precision - 1 - exponent);
    DropTrailingZeros(text);
  } else {
    text = StyleScientific(scientific, true);
  }
  UseSeparator(text, cDecimalSeparator);
  return text;
}

std::string Number2FmtStr(double value, int nWidth, int nDigits, char cDecimalSeparator)
{
  std::string text;
  if (!std::isfinite(value))
    text = NonFinite(value);
  else if (nDigits >= 0)
    text = ToChars(value, std::chars_format::fixed, std::min(nDigits, kMaxFixedDecimals));
  else
    text = StyleScientific(ToChars(value, std::chars_format::scientific, std::min(-nDigits, 17) - 1), false);
  DropSignOfZero(text);
  UseSeparator(text, cDecimalSeparator);
  if (nWidth > 0 && text.size() < static_cast<std::size_t>(nWidth))
    text.insert(0, static_cast<std::size_t>(nWidth) - text.size(), ' ');
  return text;
}

std::optional<double> ParseNumber(std::string_view szText)
{
  while (!szText.empty() && IsBlank(szText.front()))
    szText.remove_prefix(1);
  while (!szText.empty() && IsBlank(szText.back()))
    szText.remove_suffix(1);
  std::string text;
  for (char c : szText)
    if (c != ' ')
      text += c == ',' ? '.' : c;
  std::size_t start = 0;
  if (!text.empty() && (text[0] == '+' || text[0] == '-'))
    start = 1;
  // Only plain decimal numbers: from_chars would also take "inf" and "nan".
  if (start >= text.size() || !(std::isdigit(static_cast<unsigned char>(text[start])) || text[start] == '.'))
    return std::nullopt;
  double value = 0;
  const char* first = text.data() + (text[0] == '+' ? 1 : 0);
  const char* last = text.data() + text.size();
  const auto result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec != std::errc{} || result.ptr != last || !std::isfinite(value))
    return std::nullopt;
  return value;
}

double Str2Number(std::string_view szText)
{
  return ParseNumber(szText).value_or(0);
}

} // namespace aw
