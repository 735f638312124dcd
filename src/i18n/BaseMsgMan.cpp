#include "i18n/BaseMsgMan.h"

#include "air/NumberFormat.h"
#include "air/SI_Units.h"
#include "i18n/MessageTexts.h"

#include <cctype>

namespace aw::i18n {
namespace {

// A text function over one of the built-in tables, whose first item is message nFirst.
ObtainStringFunc FromTable(std::span<const std::string_view> table, int nFirst)
{
  return [table, nFirst](int nNumber) -> std::string {
    const long index = static_cast<long>(nNumber) - nFirst;
    if (index < 0 || index >= static_cast<long>(table.size()))
      return {};
    return std::string(table[static_cast<std::size_t>(index)]);
  };
}

int LastOf(std::span<const std::string_view> table, int nFirst)
{
  return nFirst + static_cast<int>(table.size()) - 1;
}

MessageTranslator& Translator()
{
  static MessageTranslator translate;
  return translate;
}

bool IsDigit(char c)
{
  return c >= '0' && c <= '9';
}

std::string_view Trimmed(std::string_view s)
{
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
    s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
    s.remove_suffix(1);
  return s;
}

// Characters, not bytes, of a UTF-8 text.
std::size_t CharacterCount(std::string_view s)
{
  std::size_t n = 0;
  for (char c : s)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
      ++n;
  return n;
}

} // namespace

bool CTMessageRanges::AddObtainStringFunc(ObtainStringFunc obtain, int nLowest, int nHighest)
{
  if (!obtain || nLowest > nHighest)
    return false;
  for (const CTStringObtain& range : v_ranges)
    if (nLowest <= range.nHighest && range.nLowest <= nHighest)
      return false;
  v_ranges.insert(v_ranges.begin(), {nLowest, nHighest, std::move(obtain)});
  return true;
}

std::string CTMessageRanges::Obtain(int nNumber) const
{
  for (const CTStringObtain& range : v_ranges)
    if (range.nLowest <= nNumber && nNumber <= range.nHighest)
      return range.obtain(nNumber);
  return {};
}

CTMessageRanges& MessageRanges()
{
  static CTMessageRanges ranges = [] {
    CTMessageRanges r;
    // Message n is item -n - 1 of the manager's list.
    r.AddObtainStringFunc(
      [](int nNumber) { return FromTable(ManagerMessages(), 0)(-nNumber - 1); }, kFirstManagerMessage, -1);
    return r;
  }();
  return ranges;
}

void RegisterProgramMessages()
{
  CTMessageRanges& ranges = MessageRanges();
  ranges.AddObtainStringFunc(FromTable(ProgramMessages(), kFirstProgramMessage), kFirstProgramMessage,
                             LastOf(ProgramMessages(), kFirstProgramMessage));
  ranges.AddObtainStringFunc(FromTable(DatabaseMessages(), kFirstDatabaseMessage), kFirstDatabaseMessage,
                             LastOf(DatabaseMessages(), kFirstDatabaseMessage));
  ranges.AddObtainStringFunc(FromTable(OnlineServiceMessages(), kFirstOnlineServiceMessage),
                             kFirstOnlineServiceMessage,
                             LastOf(OnlineServiceMessages(), kFirstOnlineServiceMessage));
}

void SetMessageTranslator(MessageTranslator translate)
{
  Translator() = std::move(translate);
}

std::string TranslateText(const std::string& szText)
{
  return szText.empty() || !Translator() ? szText : Translator()(szText);
}

std::string ReplacePlaceholders(std::string_view szText, const MessageParams& params)
{
  std::string result;
  result.reserve(szText.size());
  std::size_t i = 0;
  while (i < szText.size()) {
    if (szText[i] != '$' || i + 1 >= szText.size() || !IsDigit(szText[i + 1])) {
      result += szText[i++];
      continue;
    }
    std::size_t end = i + 1;
    std::size_t index = 0;
    bool tooLarge = false;
    while (end < szText.size() && IsDigit(szText[end])) {
      index = index * 10 + static_cast<std::size_t>(szText[end] - '0');
      tooLarge = tooLarge || index > params.size();
      ++end;
    }
    if (!tooLarge && index >= 1 && index <= params.size())
      result += params[index - 1];
    else
      result.append(szText.substr(i, end - i));
    i = end;
  }
  return result;
}

std::string GetUnicodeString(const CTMessageRanges& ranges, int nNumber, const MessageParams& params)
{
  if (nNumber == kMsgLines) {
    std::string lines;
    for (std::size_t i = 0; i < params.size(); ++i) {
      if (i > 0)
        lines += "\r\n";
      lines += params[i];
    }
    return lines;
  }
  std::string text = ranges.Obtain(nNumber);
  if (!text.empty() && Translator())
    text = Translator()(text);
  return ReplacePlaceholders(text, params);
}

std::string GetUnicodeString(int nNumber, const MessageParams& params)
{
  return GetUnicodeString(MessageRanges(), nNumber, params);
}

std::string CheckNumber(std::string_view szText, char cDecimalSeparator)
{
  std::string out;
  out.reserve(szText.size());
  bool passedSinceMark = false; // a digit, separator or sign since the start or the exponent mark
  bool hadSeparator = false;
  bool hadExponent = false;
  for (char c : szText) {
    if (c == ' ')
      continue;
    if (c == cDecimalSeparator)
      c = '.';
    if (c == '+' || c == '-') {
      out += passedSinceMark ? '0' : c;
    } else if (IsDigit(c)) {
      out += c;
    } else if (c == '.' || c == ',') {
      const bool accept = !hadSeparator && !hadExponent;
      out += accept ? cDecimalSeparator : '0';
      hadSeparator = hadSeparator || accept;
    } else if (c == 'E' || c == 'e' || c == 'D' || c == 'd') {
      if (!hadExponent && !out.empty()) {
        out += 'E';
        hadExponent = true;
        passedSinceMark = false;
        continue;
      }
      out += '0';
    } else {
      out += '0';
    }
    passedSinceMark = true;
  }
  return out;
}

std::string CheckNumber(std::string_view szText)
{
  return CheckNumber(szText, TU_Form::GetDecimalSeparator());
}

double Str2Number(std::string_view szText)
{
  std::string compact;
  for (char c : Trimmed(szText))
    if (c != ' ')
      compact += c;
  return aw::Str2Number(compact);
}

bool IsIntegerText(std::string_view szText)
{
  std::string_view s = Trimmed(szText);
  if (!s.empty() && (s.front() == '+' || s.front() == '-'))
    s.remove_prefix(1);
  if (s.empty())
    return false;
  for (char c : s)
    if (!IsDigit(c))
      return false;
  return true;
}

std::string Number2Str(double value, int nPrecision)
{
  return aw::Number2Str(value, nPrecision, TU_Form::GetDecimalSeparator());
}

std::string Number2FmtStr(double value, int nWidth, int nDigits)
{
  return aw::Number2FmtStr(value, nWidth, nDigits, TU_Form::GetDecimalSeparator());
}

std::string ReducedFileName(std::string_view szPath)
{
  const std::size_t first = szPath.find('/');
  const std::size_t last = szPath.rfind('/');
  if (CharacterCount(szPath) <= 30 || first == std::string_view::npos)
    return std::string(szPath);
  std::size_t keep = first + 1;
  if (const std::size_t second = szPath.find('/', keep); second != std::string_view::npos)
    keep = second + 1;
  // Nothing would be left out between the kept folders and the file name.
  if (keep > last)
    return std::string(szPath);
  return std::string(szPath.substr(0, keep)) + ".../" + std::string(szPath.substr(last + 1));
}

} // namespace aw::i18n
