#pragma once
// A small RTF reader for checking what the writers produce: it tokenizes
// the whole document, insists on balanced braces and well-formed control
// words from the set the program writes, and collects the document's text
// (body, header and footer; not fonts, styles, lists or pictures) as UTF-8.
// Like the common readers it does not carry "\uc" into header and footer
// groups, so an escape there without its own "\uc0" is reported.

#include <cctype>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace aw::test {

struct RtfCheckResult
{
  std::string error; // empty when the document is well formed
  std::string text;  // "\par" and "\cell" as LF, "\tab" as TAB
  int pictures = 0;
  std::vector<std::string> words; // control words in order, with their parameters
};

namespace rtf_detail {

inline const std::set<std::string, std::less<>>& KnownWords()
{
  static const std::set<std::string, std::less<>> words = {
    "rtf", "ansi", "ansicpg", "uc", "u", "deff", "deflang", "deflangfe", "fonttbl", "f", "fnil", "fcharset", "fprq", "colortbl",
    "red", "green", "blue", "stylesheet", "nowidctlpar", "widctlpar", "adjustright", "fs", "cgrid", "snext", "s", "sb", "sa",
    "keepn", "tx", "ls", "ilvl", "outlinelevel", "sbasedon", "cs", "additive", "b", "i", "ul", "strike", "cf", "listtable",
    "list", "listtemplateid", "listlevel", "levelnfc", "leveljc", "levelfollow", "levelstartat", "levelspace", "levelindent",
    "leveltext", "levelnumbers", "fi", "li", "jclisttab", "listname", "listid", "listoverridetable", "listoverride",
    "listoverridecount", "widowctrl", "ftnbj", "aenddoc", "formshade", "viewkind", "viewscale", "pgbrdrhead", "pgbrdrfoot",
    "paperw", "paperh", "margl", "margr", "margt", "margb", "deftab", "fet", "sectd", "noxlattoyen", "lndscpsxn", "linex",
    "endnhere", "sectdefaultcl", "header", "footer", "pard", "plain", "trowd", "trgaph", "trrh", "trpaddft", "trpaddt",
    "trpaddfb", "trpaddb", "trpaddfl", "trpaddl", "trpaddfr", "trpaddr", "trhdr", "clvertalt", "clvertalb", "clvertalc",
    "clbrdrt", "clbrdrb", "clbrdrl", "clbrdrr", "brdrs", "brdrw", "brdrcf", "clcbpat", "clshdng", "cltxlrtb", "clpadfr",
    "clpadr", "cellx", "intbl", "ql", "qr", "qc", "cell", "row", "par", "page", "tab", "field", "fldinst", "fldrslt", "lang",
    "pnseclvl", "pnucrm", "pnucltr", "pndec", "pnlcltr", "pnlcrm", "pnstart", "pnindent", "pnhang", "pntxta", "pntxtb",
    "listtext", "hich", "af", "dbch", "loch", "shppict", "pict", "pngblip", "picscalex", "picscaley", "picw", "pich",
    "picwgoal", "pichgoal"};
  return words;
}

// Destinations whose contents are no document text.
inline bool SkippedDestination(std::string_view word)
{
  static const std::set<std::string, std::less<>> skipped = {"fonttbl", "colortbl", "stylesheet", "listtable", "listoverridetable",
                                                             "fldinst", "listtext", "pict", "pnseclvl", "shppict"};
  return skipped.count(word) > 0;
}

inline void AppendUtf8(std::string& out, char32_t c)
{
  if (c < 0x80) {
    out.push_back(char(c));
  } else if (c < 0x800) {
    out.push_back(char(0xC0 | (c >> 6)));
    out.push_back(char(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(char(0xE0 | (c >> 12)));
    out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(char(0x80 | (c & 0x3F)));
  } else {
    out.push_back(char(0xF0 | (c >> 18)));
    out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(char(0x80 | (c & 0x3F)));
  }
}

struct GroupState
{
  int uc = 1;
  bool skip = false;
  bool picture = false;
  bool first = true; // no token yet in this group
};

} // namespace rtf_detail

inline RtfCheckResult CheckRtf(std::string_view rtf)
{
  using namespace rtf_detail;
  RtfCheckResult result;
  std::vector<GroupState> groups;
  char16_t pendingHigh = 0;
  std::size_t hexDigits = 0;
  auto fail = [&result](std::size_t at, const std::string& what) {
    if (result.error.empty()) result.error = what + " at byte " + std::to_string(at);
  };
  auto emit = [&](char32_t c) {
    if (!groups.empty() && !groups.back().skip) AppendUtf8(result.text, c);
  };
  if (rtf.substr(0, 6) != "{\\rtf1") fail(0, "no RTF header");
  std::size_t i = 0;
  for (; i < rtf.size() && result.error.empty(); ++i) {
    const char ch = rtf[i];
    if (groups.empty() && ch != '{') {
      if (ch != '\r' && ch != '\n') fail(i, "text after the document");
      continue;
    }
    if (ch == '{') {
      GroupState state = groups.empty() ? GroupState{} : groups.back();
      state.first = true;
      groups.push_back(state);
      continue;
    }
    if (ch == '}') {
      if (groups.back().picture && hexDigits % 2) fail(i, "odd number of picture hex digits");
      groups.pop_back();
      continue;
    }
    if (ch == '\r' || ch == '\n') continue;
    GroupState& group = groups.back();
    const bool first = group.first;
    group.first = false;
    if (ch != '\\') {
      if (static_cast<unsigned char>(ch) < 0x20) fail(i, "control character in text");
      if (group.picture) {
        if (!std::isxdigit(static_cast<unsigned char>(ch))) fail(i, "picture data that is not hex");
        ++hexDigits;
        continue;
      }
      emit(char32_t(static_cast<unsigned char>(ch)));
      continue;
    }
    if (i + 1 >= rtf.size()) {
      fail(i, "backslash at the end");
      break;
    }
    const char next = rtf[i + 1];
    if (!std::isalpha(static_cast<unsigned char>(next))) {
      ++i;
      if (next == '*') {
        group.skip = true;
        group.first = first;
      } else if (next == '\'') {
        if (i + 2 >= rtf.size() || !std::isxdigit(static_cast<unsigned char>(rtf[i + 1])) || !std::isxdigit(static_cast<unsigned char>(rtf[i + 2])))
          fail(i, "bad hex escape");
        else if (!group.skip) emit(char32_t(std::stoi(std::string(rtf.substr(i + 1, 2)), nullptr, 16)));
        i += 2;
      } else if (next != '\\' && next != '{' && next != '}' && next != '~' && next != '-' && next != '_') {
        fail(i, "unknown control symbol");
      }
      continue;
    }
    std::size_t end = i + 1;
    while (end < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[end]))) ++end;
    const std::string word(rtf.substr(i + 1, end - i - 1));
    std::size_t numEnd = end;
    if (numEnd < rtf.size() && rtf[numEnd] == '-') ++numEnd;
    while (numEnd < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[numEnd]))) ++numEnd;
    const std::string param(rtf.substr(end, numEnd - end));
    if (param == "-" || param.size() > 11) fail(i, "bad parameter of \\" + word);
    if (!KnownWords().count(word)) fail(i, "unknown control word \\" + word);
    result.words.push_back(word + param);
    i = numEnd < rtf.size() && rtf[numEnd] == ' ' ? numEnd : numEnd - 1;
    if (!result.error.empty()) break;
    const int value = param.empty() || param == "-" ? 0 : std::stoi(param);
    if (word == "uc") group.uc = value;
    else if (word == "header" || word == "footer") {
      if (!first) fail(i, "\\" + word + " inside a group");
      group.uc = 1; // readers start these groups afresh
    } else if (word == "pict") {
      group.picture = true;
      hexDigits = 0;
      ++result.pictures;
    } else if (first && SkippedDestination(word)) group.skip = true;
    else if (word == "par" || word == "cell") emit('\n');
    else if (word == "tab") emit('\t');
    else if (word == "u") {
      if (value < -32768 || value > 32767) fail(i, "\\u out of range");
      if (group.uc != 0) fail(i, "\\u without \\uc0 in force");
      const char16_t unit = char16_t(value < 0 ? value + 65536 : value);
      if (unit >= 0xD800 && unit < 0xDC00) pendingHigh = unit;
      else if (unit >= 0xDC00 && unit < 0xE000) {
        emit(0x10000 + ((char32_t(pendingHigh) - 0xD800) << 10) + (unit - 0xDC00));
        pendingHigh = 0;
      } else emit(unit);
    }
  }
  if (result.error.empty() && !groups.empty()) fail(i, "unclosed group");
  return result;
}

} // namespace aw::test
