#include "foundation/Utf8.h"

namespace aw {

std::optional<char32_t> NextCodePoint(std::string_view sz, std::size_t& pos)
{
  const auto lead = static_cast<unsigned char>(sz[pos++]);
  if (lead < 0x80)
    return lead;
  int nFollowing = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    nFollowing = 1, cp = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    nFollowing = 2, cp = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    nFollowing = 3, cp = lead & 0x07, minimum = 0x10000;
  } else {
    return std::nullopt;
  }
  std::size_t next = pos;
  for (int i = 0; i < nFollowing; ++i, ++next) {
    if (next >= sz.size() || (static_cast<unsigned char>(sz[next]) & 0xC0) != 0x80)
      return std::nullopt;
    cp = (cp << 6) | (static_cast<unsigned char>(sz[next]) & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
    return std::nullopt;
  pos = next;
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp)
{
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

} // namespace aw
