#pragma once
// The small value types every document part shares: colours, font styles,
// alignments and a paragraph font.

#include <cstdint>
#include <string>

namespace aw::docs {

// Colours are 0x00BBGGRR; a value whose high byte is 0xFF names a system
// colour by its index in the low byte.
using DocColor = std::uint32_t;
inline constexpr DocColor kWindowTextColor = 0xFF000008u; // the system's window-text colour
inline constexpr DocColor kWhite = 0xFFFFFFu;
inline constexpr DocColor kBlack = 0x000000u;

// The plain 0x00BBGGRR value of a colour: system colours resolve to the
// values of a light desktop theme (documents are printed on white paper).
DocColor ResolveColor(DocColor color);
inline int RedOf(DocColor c) { return int(c & 0xFFu); }
inline int GreenOf(DocColor c) { return int((c >> 8) & 0xFFu); }
inline int BlueOf(DocColor c) { return int((c >> 16) & 0xFFu); }

// A set of font styles as bits.
using FontStyles = unsigned;
inline constexpr FontStyles kBold = 1, kItalic = 2, kUnderline = 4, kStrikeOut = 8;

enum class HorAlign { Left = 0, Right = 1, Center = 2 };
enum class VerAlign { Top = 0, Bottom = 1, Center = 2 };

struct CTDocFont
{
  std::string name = "Arial";
  int sizePt = 10;
  FontStyles styles = 0;
  DocColor color = kWindowTextColor;
  bool operator==(const CTDocFont&) const = default;
};

} // namespace aw::docs
