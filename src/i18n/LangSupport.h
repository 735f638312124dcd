#pragma once
// The facade over the language and country tables: names, codes and the
// lists the locale choice and the preferences offer.

#include "i18n/LocalizationSupport.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace aw::i18n {

class CTLangSupport
{
public:
  // The English name of a language; empty when unknown.
  static std::string ID2String(std::uint32_t nLanguageId);
  static std::string EnglishLanguageName(std::uint32_t nLanguageId) { return ID2String(nLanguageId); }
  // The language of an English name (exact); 0 when unknown.
  static std::uint32_t String2ID(std::string_view szName);
  // Name and ISO alpha-2 code of a country (own numeric code); empty when unknown.
  static std::string EnglishCountryName(int nCountry);
  static std::string TwoLetterCountryName(int nCountry);
  // The country's main language; English (1033) when the country or its language is unknown.
  static std::uint32_t MainLanguageFor(int nCountry);
  // The language file extension ("DEU") and back (without regard to case); empty or 0 when unknown.
  static std::string ID2FileExtension(std::uint32_t nLanguageId);
  static std::uint32_t FileExtension2ID(std::string_view szExtension);
  // Whether the language's script needs a Unicode font (by its primary language).
  static bool UseUnicodeFont(std::uint32_t nLanguageId);

  // Every language with its English name, in table order.
  static std::vector<std::pair<std::string, const CTLanguageDefinition*>> FillStrings();
  // Every country with its English name, in table order.
  static std::vector<std::pair<std::string, const CTCountryDefinition*>> FillUniqueCountries();
  using CountryList = std::vector<std::pair<std::string, const CTCountryDefinition*>>;
  // The index of the entry with the country code, -1 when none; the code of an entry, 0 when out of range.
  static int FindCountryCode(const CountryList& list, int nCountry);
  static int ItemCountryCode(const CountryList& list, int nIndex);
};

} // namespace aw::i18n
