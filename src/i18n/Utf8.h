#pragma once
// Reading UTF-8 text code point by code point.

#include <cstddef>
#include <optional>
#include <string_view>

namespace aw::i18n {

// The code point that starts at pos, and moves pos past it. A byte that does
// not start a well-formed sequence (overlong, surrogate, beyond U+10FFFF,
// truncated) gives nothing and pos moves past that one byte.
std::optional<char32_t> NextCodePoint(std::string_view sz, std::size_t& pos);

} // namespace aw::i18n
