#include "foundation/PrintableBytes.h"

namespace aw {

std::string PrintableBytes(std::string_view bytes, std::size_t nMaxBytes)
{
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  std::string text;
  for (std::size_t i = 0; i < bytes.size() && i < nMaxBytes; ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c >= 32 && c < 127 && c != '\\') {
      text += static_cast<char>(c);
    } else {
      text += "\\x";
      text += kHexDigits[c >> 4];
      text += kHexDigits[c & 15];
    }
  }
  if (bytes.size() > nMaxBytes)
    text += "...";
  return text;
}

} // namespace aw
