#include "i18n/LangSupport.h"
#include "i18n/LocalizationSupport.h"

#include "platform/SettingsRoots.h"
#include "platform/SettingsStore.h"

#include <gtest/gtest.h>

namespace aw::i18n {
namespace {

TEST(LanguageTable, HoldsTheInterfaceLanguagesInTheirOrder)
{
  const auto& languages = CTLanguageDefinition::All();
  ASSERT_EQ(languages.size(), 37u);
  EXPECT_EQ(languages.front().v_iso_englishName, "Albanian");
  EXPECT_EQ(languages.back().v_iso_englishName, "Vietnamese");

  struct Case
  {
    std::uint32_t nId;
    const char* szCode;
    const char* szName;
    const char* szExtension;
  };
  for (const Case& c : {Case{1031, "de", "German", "DEU"}, Case{1036, "fr", "French", "FRA"},
                        Case{1033, "en", "English", "ENU"}, Case{2057, "en", "English (United Kingdom)", "ENG"},
                        Case{2052, "zh", "Chinese (Simplified)", "CHS"}, Case{1044, "nb", "Norwegian, Bokm\u00e5l", "NOR"}}) {
    SCOPED_TRACE(c.szName);
    const CTLanguageDefinition* language = CTLanguageDefinition::FindLanguage(c.nId);
    ASSERT_NE(language, nullptr);
    EXPECT_EQ(language->v_iso_2letterCode, c.szCode);
    EXPECT_EQ(CTLangSupport::ID2String(c.nId), c.szName);
    EXPECT_EQ(CTLangSupport::String2ID(c.szName), c.nId);
    EXPECT_EQ(CTLangSupport::ID2FileExtension(c.nId), c.szExtension);
  }
  // The first of the three English entries answers "EN".
  EXPECT_EQ(CTLanguageDefinition::FindLanguageByCode("EN")->v_windowsCode, 1033u);
  EXPECT_EQ(CTLangSupport::FileExtension2ID("deu"), 1031u);
  EXPECT_EQ(CTLangSupport::ID2String(9999), "");
  EXPECT_EQ(CTLangSupport::String2ID("Klingon"), 0u);
  EXPECT_EQ(CTLangSupport::FileExtension2ID("XYZ"), 0u);
  EXPECT_EQ(CTLanguageDefinition::FindLanguageByCode("xx"), nullptr);
}

TEST(LanguageTable, KnowsWhichScriptsNeedAUnicodeFont)
{
  for (std::uint32_t nId : {1041u, 2052u, 1028u, 1032u, 1054u, 1025u})
    EXPECT_TRUE(CTLangSupport::UseUnicodeFont(nId)) << nId;
  for (std::uint32_t nId : {1031u, 1033u, 1036u, 1049u})
    EXPECT_FALSE(CTLangSupport::UseUnicodeFont(nId)) << nId;
}

TEST(CountryTable, HoldsTheCountriesInAlphabeticalOrder)
{
  const auto& countries = CTCountryDefinition::All();
  ASSERT_EQ(countries.size(), 250u);
  EXPECT_EQ(countries.front().v_iso_englishName, "Afghanistan");
  EXPECT_EQ(countries.back().v_iso_englishName, "Zimbabwe");
}

TEST(CountryTable, LooksCountriesUpByTheirOwnCodes)
{
  struct Case
  {
    const char* szAlpha3;
    int nOwnCode;
    const char* szAlpha2;
    const char* szName;
    std::uint32_t nMainLanguage;
  };
  for (const Case& c : {
         Case{"AFG", 136, "AF", "Afghanistan", 1033},
         Case{"DEU", 2152, "DE", "Germany", 1031},
         Case{"GBR", 4099, "GB", "United Kingdom", 1033},
         Case{"USA", 13988, "US", "United States of America", 1033},
         Case{"FRA", OwnNumericCode("FRA"), "FR", "France", 1036},
         Case{"BEL", OwnNumericCode("BEL"), "BE", "Belgium", 1033},
         Case{"CHE", OwnNumericCode("CHE"), "CH", "Switzerland", 1033},
         Case{"XKX", OwnNumericCode("XKX"), "XK", "Kosovo", 1050},
         Case{"ROU", 11868, "RO", "Romania", 1048}, // the own code comes from "ROM"
       }) {
    SCOPED_TRACE(c.szName);
    EXPECT_EQ(CTLangSupport::EnglishCountryName(c.nOwnCode), c.szName);
    EXPECT_EQ(CTLangSupport::TwoLetterCountryName(c.nOwnCode), c.szAlpha2);
    EXPECT_EQ(CTLangSupport::MainLanguageFor(c.nOwnCode), c.nMainLanguage);
    EXPECT_EQ(CTCountryDefinition::FindCountry(c.nOwnCode)->v_iso_3letterCode, c.szAlpha3);
  }
  EXPECT_EQ(CTCountryDefinition::FindCountry(OwnNumericCode("XKX"))->v_iso_numericCode, 0);
  EXPECT_EQ(CTCountryDefinition::FindCountry(11876), nullptr); // "ROU" is not Romania's code
  EXPECT_EQ(CTLangSupport::EnglishCountryName(-5), "");
  EXPECT_EQ(CTLangSupport::MainLanguageFor(-5), 1033u);
  EXPECT_EQ(CTCountryDefinition::FindACountryWithLanguage(1031)->v_iso_englishName, "Austria");
}

TEST(CountryTable, ListsFindEntriesByCountryCode)
{
  const CTLangSupport::CountryList list = CTLangSupport::FillUniqueCountries();
  const int nGermany = CTLangSupport::FindCountryCode(list, 2152);
  ASSERT_GE(nGermany, 0);
  EXPECT_EQ(list[nGermany].first, "Germany");
  EXPECT_EQ(CTLangSupport::ItemCountryCode(list, nGermany), 2152);
  EXPECT_EQ(CTLangSupport::FindCountryCode(list, -1), -1);
  EXPECT_EQ(CTLangSupport::ItemCountryCode(list, 250), 0);
}

TEST(LocaleData, IsPresentOnlyWithCountryAndLanguage)
{
  platform::SettingsStore& store = platform::SettingsStore::User();
  const std::string key = std::string(platform::kMakerRoot) + "\\Locale";
  store.DeleteKey(key);
  LocaleData none = GetLocaleData();
  EXPECT_FALSE(none.bPresent);
  EXPECT_EQ(none.nCountry, 0);
  EXPECT_EQ(none.nLanguage, 1033u);

  store.WriteInteger(key, "Country", 2152);
  EXPECT_FALSE(GetLocaleData().bPresent);

  ASSERT_TRUE(SetLocaleData(4099, 1036));
  const LocaleData stored = GetLocaleData();
  EXPECT_TRUE(stored.bPresent);
  EXPECT_EQ(stored.nCountry, 4099);
  EXPECT_EQ(stored.nLanguage, 1036u);
  store.DeleteKey(key);
}

} // namespace
} // namespace aw::i18n
