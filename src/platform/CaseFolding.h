#pragma once
// Names that the program matches without regard to case (resource names,
// settings keys, table and field names) fold ASCII letters only, as the
// stored names are ASCII; other bytes of UTF-8 text compare as they stand.

#include <string>
#include <string_view>

namespace aw::platform {

constexpr char FoldAscii(char c) noexcept
{
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string FoldCase(std::string_view s)
{
  std::string folded(s);
  for (char& c : folded)
    c = FoldAscii(c);
  return folded;
}

constexpr bool EqualsIgnoreCase(std::string_view a, std::string_view b) noexcept
{
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i]))
      return false;
  return true;
}

} // namespace aw::platform
