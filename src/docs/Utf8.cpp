#include "docs/Utf8.h"

namespace aw::docs {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

int SequenceLength(unsigned char lead)
{
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

} // namespace

std::u32string DecodeUtf8(std::string_view szUtf8)
{
  std::u32string out;
  out.reserve(szUtf8.size());
  for (std::size_t i = 0; i < szUtf8.size();) {
    const auto lead = static_cast<unsigned char>(szUtf8[i]);
    const int len = SequenceLength(lead);
    if (len == 0 || i + std::size_t(len) > szUtf8.size()) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    char32_t cp = len == 1 ? lead : char32_t(lead & (0x7F >> len));
    bool valid = true;
    for (int k = 1; k < len; ++k) {
      const auto next = static_cast<unsigned char>(szUtf8[i + std::size_t(k)]);
      valid = valid && (next & 0xC0) == 0x80;
      cp = (cp << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are malformed.
    const char32_t minimum = len == 2 ? 0x80 : len == 3 ? 0x800 : len == 4 ? 0x10000 : 0;
    if (!valid || cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    out.push_back(cp);
    i += std::size_t(len);
  }
  return out;
}

} // namespace aw::docs
