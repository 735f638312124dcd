#include "platform/SettingsIni.h"

#include <charconv>
#include <stdexcept>

namespace aw::platform {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

// Thrown inside the parser only; ParseSettingsIni turns it into its error text.
struct SyntaxError : std::runtime_error
{
  using std::runtime_error::runtime_error;
};

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

bool MustEscapeInName(unsigned char c)
{
  switch (c) {
  case '%': case '=': case '[': case ']': case '\\': case ';': case '#':
    return true;
  default:
    return IsControl(c);
  }
}

bool MustEscapeInText(unsigned char c) { return c == '%' || IsControl(c); }

template <class MustEscape>
void AppendEscaped(std::string& out, std::string_view text, MustEscape mustEscape)
{
  for (char ch : text) {
    auto c = static_cast<unsigned char>(ch);
    if (mustEscape(c)) {
      out += '%';
      out += kHexDigits[c >> 4];
      out += kHexDigits[c & 0x0F];
    } else {
      out += ch;
    }
  }
}

int HexValue(char c)
{
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

std::string Unescape(std::string_view text)
{
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    bool complete = i + 2 < text.size();
    int high = complete ? HexValue(text[i + 1]) : -1;
    int low = complete ? HexValue(text[i + 2]) : -1;
    if (high < 0 || low < 0)
      throw SyntaxError("a \"%\" is not followed by two hexadecimal digits");
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

void AppendValue(std::string& out, const SettingsValue& value)
{
  AppendEscaped(out, value.name, MustEscapeInName);
  out += '=';
  if (auto* number = std::get_if<std::int32_t>(&value.data)) {
    out += "i:" + std::to_string(*number);
  } else if (auto* text = std::get_if<std::string>(&value.data)) {
    out += "s:";
    AppendEscaped(out, *text, MustEscapeInText);
  } else {
    out += "b:";
    for (std::byte b : std::get<std::vector<std::byte>>(value.data)) {
      auto c = std::to_integer<unsigned>(b);
      out += kHexDigits[c >> 4];
      out += kHexDigits[c & 0x0F];
    }
  }
  out += '\n';
}

// Keys with values, and leaf keys (which would otherwise vanish), get a
// section; keys that only hold sub-keys come back through their sub-keys.
void AppendKey(std::string& out, const SettingsKey& key, const std::string& szPath)
{
  if (!szPath.empty() && (!key.Values().empty() || key.SubKeys().empty())) {
    out += "\n[" + szPath + "]\n";
    for (const SettingsValue& value : key.Values())
      AppendValue(out, value);
  }
  for (const SettingsKey& sub : key.SubKeys()) {
    std::string path = szPath;
    if (!path.empty())
      path += '\\';
    AppendEscaped(path, sub.Name(), MustEscapeInName);
    AppendKey(out, sub, path);
  }
}

SettingsKey& ParseSection(SettingsKey& root, std::string_view line)
{
  if (line.back() != ']')
    throw SyntaxError("a section name lacks its closing \"]\"");
  SettingsKey* key = &root;
  std::string_view inner = line.substr(1, line.size() - 2);
  if (inner.find_first_of("[]") != std::string_view::npos)
    throw SyntaxError("a section name holds an unescaped bracket");
  for (std::string_view segment : SplitKeyPath(inner))
    key = &key->Ensure(Unescape(segment));
  return *key;
}

std::int32_t ParseInteger(std::string_view text)
{
  std::int32_t number = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty())
    throw SyntaxError("\"" + std::string(text) + "\" is not a 32-bit integer");
  return number;
}

std::vector<std::byte> ParseBytes(std::string_view text)
{
  if (text.size() % 2 != 0)
    throw SyntaxError("binary data has an odd number of hexadecimal digits");
  std::vector<std::byte> bytes;
  bytes.reserve(text.size() / 2);
  for (std::size_t i = 0; i < text.size(); i += 2) {
    int high = HexValue(text[i]);
    int low = HexValue(text[i + 1]);
    if (high < 0 || low < 0)
      throw SyntaxError("binary data holds a character that is not a hexadecimal digit");
    bytes.push_back(static_cast<std::byte>(high * 16 + low));
  }
  return bytes;
}

void ParseValue(SettingsKey* key, std::string_view line)
{
  std::size_t eq = line.find('=');
  if (eq == std::string_view::npos)
    throw SyntaxError("the line is neither a section, a value nor a comment");
  if (!key)
    throw SyntaxError("a value stands before the first section");
  std::string name = Unescape(line.substr(0, eq));
  std::string_view rest = line.substr(eq + 1);
  if (key->FindValue(name))
    throw SyntaxError("the value \"" + name + "\" appears twice in its section");
  if (rest.size() < 2 || rest[1] != ':')
    throw SyntaxError("the value \"" + name + "\" has no type mark (i:, s: or b:)");
  std::string_view data = rest.substr(2);
  switch (rest[0]) {
  case 'i': key->SetValue(name, ParseInteger(data)); break;
  case 's': key->SetValue(name, Unescape(data)); break;
  case 'b': key->SetValue(name, ParseBytes(data)); break;
  default: throw SyntaxError("the value \"" + name + "\" has an unknown type mark");
  }
}

} // namespace

std::string FormatSettingsIni(const SettingsKey& root)
{
  std::string out = "; Airwright settings: i: integer, s: text with %XX escapes, b: bytes in hex\n";
  if (!root.Values().empty()) {
    out += "\n[]\n";
    for (const SettingsValue& value : root.Values())
      AppendValue(out, value);
  }
  AppendKey(out, root, {});
  return out;
}

SettingsParseResult ParseSettingsIni(std::string_view szText)
{
  SettingsParseResult result;
  SettingsKey* section = nullptr;
  std::size_t nLine = 0;
  try {
    while (!szText.empty()) {
      ++nLine;
      std::size_t cut = szText.find('\n');
      std::string_view line = szText.substr(0, cut);
      szText.remove_prefix(cut == std::string_view::npos ? szText.size() : cut + 1);
      if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
      if (line.empty() || line.front() == ';' || line.front() == '#')
        continue;
      if (line.front() == '[')
        section = &ParseSection(result.root, line);
      else
        ParseValue(section, line);
    }
  } catch (const SyntaxError& e) {
    result.root = SettingsKey();
    result.szError = "line " + std::to_string(nLine) + ": " + e.what();
  }
  return result;
}

} // namespace aw::platform
