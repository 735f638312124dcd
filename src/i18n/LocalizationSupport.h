#pragma once
// The interface languages the program knows and the countries of the world,
// with the user's country and preferred language, which are stored once for
// all programs of the maker (settings key "Software\Korvath\Locale").

#include "platform/SettingsStore.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace aw::i18n {

// Windows language identifiers the program names in code.
inline constexpr std::uint32_t kLangEnglish = 1033;
inline constexpr std::uint32_t kLangEnglishUK = 2057;
inline constexpr std::uint32_t kLangFrench = 1036;
inline constexpr std::uint32_t kLangGerman = 1031;

struct CTLanguageDefinition
{
  std::string_view v_iso_2letterCode; // ISO 639-1
  std::string_view v_iso_englishName;
  std::uint32_t v_windowsCode;        // Windows language identifier
  std::string_view v_fileExtension;   // the language's three-letter file extension ("DEU")

  // The table in its fixed order (37 languages).
  static const std::vector<CTLanguageDefinition>& All();
  static const CTLanguageDefinition* FindLanguage(std::uint32_t nLanguageId);
  // The first language with the two-letter code, compared without regard to case.
  static const CTLanguageDefinition* FindLanguageByCode(std::string_view szCode);
};

struct CTCountryDefinition
{
  std::string_view v_iso_2letterCode;
  std::string_view v_iso_3letterCode;
  std::string_view v_iso_englishName;
  int v_iso_numericCode;
  int v_ownNumericCode;                      // the code stored in the settings
  const CTLanguageDefinition* v_language;    // main language; none counts as English

  // The 250 countries in alphabetical order of their English names.
  static const std::vector<CTCountryDefinition>& All();
  static const CTCountryDefinition* FindCountry(int nOwnNumericCode);
  // The first country, in table order, whose main language has the id.
  static const CTCountryDefinition* FindACountryWithLanguage(std::uint32_t nLanguageId);
};

// A three-letter code read as a base-26 number, A = 0 ... Z = 25 ("DEU" 2152).
int OwnNumericCode(std::string_view szLetters);

// The user's country (own numeric code) and language, from the settings.
struct LocaleData
{
  int nCountry = 0;
  std::uint32_t nLanguage = kLangEnglish;
  bool bPresent = false; // both values are stored
};
LocaleData GetLocaleData();
LocaleData GetLocaleData(const platform::SettingsStore& store);
// Writes both values; false when the settings could not be written.
bool SetLocaleData(int nCountry, std::uint32_t nLanguage);
// Puts both values into a settings tree, for a write that holds more.
void WriteLocaleData(platform::SettingsKey& root, int nCountry, std::uint32_t nLanguage);

} // namespace aw::i18n
