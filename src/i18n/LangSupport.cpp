#include "i18n/LangSupport.h"

#include "platform/CaseFolding.h"

namespace aw::i18n {

std::string CTLangSupport::ID2String(std::uint32_t nLanguageId)
{
  const CTLanguageDefinition* language = CTLanguageDefinition::FindLanguage(nLanguageId);
  return language ? std::string(language->v_iso_englishName) : std::string();
}

std::uint32_t CTLangSupport::String2ID(std::string_view szName)
{
  for (const CTLanguageDefinition& language : CTLanguageDefinition::All())
    if (language.v_iso_englishName == szName)
      return language.v_windowsCode;
  return 0;
}

std::string CTLangSupport::EnglishCountryName(int nCountry)
{
  const CTCountryDefinition* country = CTCountryDefinition::FindCountry(nCountry);
  return country ? std::string(country->v_iso_englishName) : std::string();
}

std::string CTLangSupport::TwoLetterCountryName(int nCountry)
{
  const CTCountryDefinition* country = CTCountryDefinition::FindCountry(nCountry);
  return country ? std::string(country->v_iso_2letterCode) : std::string();
}

std::uint32_t CTLangSupport::MainLanguageFor(int nCountry)
{
  const CTCountryDefinition* country = CTCountryDefinition::FindCountry(nCountry);
  return country && country->v_language ? country->v_language->v_windowsCode : kLangEnglish;
}

std::string CTLangSupport::ID2FileExtension(std::uint32_t nLanguageId)
{
  const CTLanguageDefinition* language = CTLanguageDefinition::FindLanguage(nLanguageId);
  return language ? std::string(language->v_fileExtension) : std::string();
}

std::uint32_t CTLangSupport::FileExtension2ID(std::string_view szExtension)
{
  for (const CTLanguageDefinition& language : CTLanguageDefinition::All())
    if (platform::EqualsIgnoreCase(language.v_fileExtension, szExtension))
      return language.v_windowsCode;
  return 0;
}

bool CTLangSupport::UseUnicodeFont(std::uint32_t nLanguageId)
{
  switch (nLanguageId & 1023) {
  case 1:  // Arabic
  case 4:  // Chinese
  case 8:  // Greek
  case 13: // Hebrew
  case 17: // Japanese
  case 18: // Korean
  case 30: // Thai
  case 41: // Persian
    return true;
  default:
    return false;
  }
}

std::vector<std::pair<std::string, const CTLanguageDefinition*>> CTLangSupport::FillStrings()
{
  std::vector<std::pair<std::string, const CTLanguageDefinition*>> list;
  for (const CTLanguageDefinition& language : CTLanguageDefinition::All())
    list.emplace_back(std::string(language.v_iso_englishName), &language);
  return list;
}

CTLangSupport::CountryList CTLangSupport::FillUniqueCountries()
{
  CountryList list;
  for (const CTCountryDefinition& country : CTCountryDefinition::All())
    list.emplace_back(std::string(country.v_iso_englishName), &country);
  return list;
}

int CTLangSupport::FindCountryCode(const CountryList& list, int nCountry)
{
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i].second && list[i].second->v_ownNumericCode == nCountry)
      return static_cast<int>(i);
  return -1;
}

int CTLangSupport::ItemCountryCode(const CountryList& list, int nIndex)
{
  if (nIndex < 0 || static_cast<std::size_t>(nIndex) >= list.size() || !list[nIndex].second)
    return 0;
  return list[nIndex].second->v_ownNumericCode;
}

} // namespace aw::i18n
