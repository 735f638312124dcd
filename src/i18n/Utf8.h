#pragma once
// Reading UTF-8 text code point by code point (the foundation's reader).

#include "foundation/Utf8.h"

namespace aw::i18n {

using aw::NextCodePoint;

} // namespace aw::i18n
