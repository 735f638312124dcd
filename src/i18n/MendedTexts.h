#pragma once
// Texts whose earlier wording had a plain typo. A glossary written for an
// earlier version carries the old wording as its term; when it is loaded,
// the mended wording gets the old one's translation, so that a translator's
// file keeps translating the mended texts.

#include "i18n/UnicodeGlossary.h"

#include <span>
#include <string_view>

namespace aw::i18n {

struct CTMendedText
{
  std::string_view szOld;
  std::string_view szNew;
};

std::span<const CTMendedText> MendedTexts();

// For each mended text the glossary knows only by its old wording, adds the
// mended wording with the old one's translation.
void AddMendedTerms(CTUnicodeGlossary& glossary);

} // namespace aw::i18n
