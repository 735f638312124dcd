#pragma once
// Decoding the UTF-8 text documents carry into code points; a malformed
// sequence gives U+FFFD and decoding goes on with the next byte.

#include <string>
#include <string_view>

namespace aw::docs {

std::u32string DecodeUtf8(std::string_view szUtf8);

} // namespace aw::docs
