#pragma once
// Bytes that came from a file or an input line, made safe to show in a
// one-line message: no control sequences reach the terminal.

#include <cstddef>
#include <string>
#include <string_view>

namespace aw {

// Printable ASCII as it is, every other byte (and "\") as \xHH; cut after
// nMaxBytes with "...".
std::string PrintableBytes(std::string_view bytes, std::size_t nMaxBytes = 64);

} // namespace aw
