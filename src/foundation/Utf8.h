#pragma once
// Reading UTF-8 text code point by code point, and writing code points as UTF-8.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace aw {

// The code point that starts at pos, and moves pos past it. A byte that does
// not start a well-formed sequence (overlong, surrogate, beyond U+10FFFF,
// truncated) gives nothing and pos moves past that one byte.
std::optional<char32_t> NextCodePoint(std::string_view sz, std::size_t& pos);

// Appends a code point (at most U+10FFFF, no surrogate) as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);

} // namespace aw
