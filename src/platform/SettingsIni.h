#pragma once
// The text form of the settings store, one section per key:
//
//   [Software\Korvath\Quillon Selection\Airwright\Preferences]
//   Decimals=i:2
//   ProjectFolder=s:/home/me/Projects
//   Legend=b:00ff10
//
// Section names are the full key path; "i:" marks a 32-bit integer, "s:" a
// text, "b:" bytes in hexadecimal. Names and texts are UTF-8; a byte that
// would end or split a line or a name ("%", control characters, and in names
// also "=", "[", "]", "\", ";", "#") is written as "%" and two hex digits, so
// any text reads back as it was written. Blank lines and lines starting with
// ";" or "#" are comments.

#include "platform/SettingsTree.h"

#include <optional>
#include <string>
#include <string_view>

namespace aw::platform {

std::string FormatSettingsIni(const SettingsKey& root);

struct SettingsParseResult
{
  SettingsKey root;
  // Set when the text is not in the form above; root is then empty.
  std::optional<std::string> szError;
};

SettingsParseResult ParseSettingsIni(std::string_view szText);

} // namespace aw::platform
