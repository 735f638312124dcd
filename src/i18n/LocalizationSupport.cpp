#include "i18n/LocalizationSupport.h"

#include "platform/CaseFolding.h"
#include "platform/SettingsRoots.h"
#include "platform/SettingsStore.h"

#include <map>
#include <string>

namespace aw::i18n {
namespace {

const std::vector<CTLanguageDefinition>& LanguageTable()
{
  static const std::vector<CTLanguageDefinition> table = {
    {"sq", "Albanian", 1052, "SQI"},
    {"be", "Belarusian", 1059, "BEL"},
    {"bg", "Bulgarian", 1026, "BGR"},
    {"zh", "Chinese (Traditional)", 1028, "CHT"},
    {"zh", "Chinese (Simplified)", 2052, "CHS"},
    {"hr", "Croatian", 1050, "HRV"},
    {"cs", "Czech", 1029, "CSY"},
    {"da", "Danish", 1030, "DAN"},
    {"nl", "Dutch", 1043, "NLD"},
    {"en", "English", 1033, "ENU"},
    {"en", "English (Australia)", 3081, "ENA"},
    {"en", "English (United Kingdom)", 2057, "ENG"},
    {"et", "Estonian", 1061, "ETI"},
    {"fi", "Finnish", 1035, "FIN"},
    {"fr", "French", 1036, "FRA"},
    {"de", "German", 1031, "DEU"},
    {"el", "Greek", 1032, "ELL"},
    {"hu", "Hungarian", 1038, "HUN"},
    {"id", "Indonesian", 1057, "IND"},
    {"it", "Italian", 1040, "ITA"},
    {"ja", "Japanese", 1041, "JPN"},
    {"lv", "Latvian", 1062, "LVI"},
    {"lt", "Lithuanian", 1063, "LTH"},
    {"mk", "Macedonian", 1071, "MKI"},
    {"nb", "Norwegian, Bokm\u00e5l", 1044, "NOR"},
    {"pl", "Polish", 1045, "PLK"},
    {"pt", "Portuguese", 1046, "PTB"},
    {"ro", "Romanian", 1048, "ROM"},
    {"ru", "Russian", 1049, "RUS"},
    {"sk", "Slovak", 1051, "SKY"},
    {"sl", "Slovenian", 1060, "SLV"},
    {"es", "Spanish", 1034, "ESP"},
    {"sv", "Swedish", 1053, "SVE"},
    {"th", "Thai", 1054, "THA"},
    {"tr", "Turkish", 1055, "TRK"},
    {"uk", "Ukrainian", 1058, "UKR"},
    {"vi", "Vietnamese", 1066, "VIT"},
  };
  return table;
}

struct CountryRow
{
  const char* szAlpha2;
  const char* szAlpha3;
  int nNumeric;
  const char* szName;
};

// ISO 3166-1 with Kosovo, sorted by English name.
constexpr CountryRow kCountries[] = {
  {"AF", "AFG", 4, "Afghanistan"},
  {"AX", "ALA", 248, "Åland Islands"},
  {"AL", "ALB", 8, "Albania"},
  {"DZ", "DZA", 12, "Algeria"},
  {"AS", "ASM", 16, "American Samoa"},
  {"AD", "AND", 20, "Andorra"},
  {"AO", "AGO", 24, "Angola"},
  {"AI", "AIA", 660, "Anguilla"},
  {"AQ", "ATA", 10, "Antarctica"},
  {"AG", "ATG", 28, "Antigua and Barbuda"},
  {"AR", "ARG", 32, "Argentina"},
  {"AM", "ARM", 51, "Armenia"},
  {"AW", "ABW", 533, "Aruba"},
  {"AU", "AUS", 36, "Australia"},
  {"AT", "AUT", 40, "Austria"},
  {"AZ", "AZE", 31, "Azerbaijan"},
  {"BS", "BHS", 44, "Bahamas"},
  {"BH", "BHR", 48, "Bahrain"},
  {"BD", "BGD", 50, "Bangladesh"},
  {"BB", "BRB", 52, "Barbados"},
  {"BY", "BLR", 112, "Belarus"},
  {"BE", "BEL", 56, "Belgium"},
  {"BZ", "BLZ", 84, "Belize"},
  {"BJ", "BEN", 204, "Benin"},
  {"BM", "BMU", 60, "Bermuda"},
  {"BT", "BTN", 64, "Bhutan"},
  {"BO", "BOL", 68, "Bolivia (Plurinational State of)"},
  {"BQ", "BES", 535, "Bonaire (Sint Eustatius and Saba)"},
  {"BA", "BIH", 70, "Bosnia and Herzegovina"},
  {"BW", "BWA", 72, "Botswana"},
  {"BV", "BVT", 74, "Bouvet Island"},
  {"BR", "BRA", 76, "Brazil"},
  {"IO", "IOT", 86, "British Indian Ocean Territory"},
  {"BN", "BRN", 96, "Brunei Darussalam"},
  {"BG", "BGR", 100, "Bulgaria"},
  {"BF", "BFA", 854, "Burkina Faso"},
  {"BI", "BDI", 108, "Burundi"},
  {"CV", "CPV", 132, "Cabo Verde"},
  {"KH", "KHM", 116, "Cambodia"},
  {"CM", "CMR", 120, "Cameroon"},
  {"CA", "CAN", 124, "Canada"},
  {"KY", "CYM", 136, "Cayman Islands"},
  {"CF", "CAF", 140, "Central African Republic"},
  {"TD", "TCD", 148, "Chad"},
  {"CL", "CHL", 152, "Chile"},
  {"CN", "CHN", 156, "China"},
  {"CX", "CXR", 162, "Christmas Island"},
  {"CC", "CCK", 166, "Cocos (Keeling) Islands"},
  {"CO", "COL", 170, "Colombia"},
  {"KM", "COM", 174, "Comoros"},
  {"CG", "COG", 178, "Congo"},
  {"CD", "COD", 180, "Congo (Democratic Republic of the)"},
  {"CK", "COK", 184, "Cook Islands"},
  {"CR", "CRI", 188, "Costa Rica"},
  {"CI", "CIV", 384, "Côte d'Ivoire"},
  {"HR", "HRV", 191, "Croatia"},
  {"CU", "CUB", 192, "Cuba"},
  {"CW", "CUW", 531, "Curaçao"},
  {"CY", "CYP", 196, "Cyprus"},
  {"CZ", "CZE", 203, "Czechia"},
  {"DK", "DNK", 208, "Denmark"},
  {"DJ", "DJI", 262, "Djibouti"},
  {"DM", "DMA", 212, "Dominica"},
  {"DO", "DOM", 214, "Dominican Republic"},
  {"EC", "ECU", 218, "Ecuador"},
  {"EG", "EGY", 818, "Egypt"},
  {"SV", "SLV", 222, "El Salvador"},
  {"GQ", "GNQ", 226, "Equatorial Guinea"},
  {"ER", "ERI", 232, "Eritrea"},
  {"EE", "EST", 233, "Estonia"},
  {"ET", "ETH", 231, "Ethiopia"},
  {"FK", "FLK", 238, "Falkland Islands (Malvinas)"},
  {"FO", "FRO", 234, "Faroe Islands"},
  {"FJ", "FJI", 242, "Fiji"},
  {"FI", "FIN", 246, "Finland"},
  {"FR", "FRA", 250, "France"},
  {"GF", "GUF", 254, "French Guiana"},
  {"PF", "PYF", 258, "French Polynesia"},
  {"TF", "ATF", 260, "French Southern Territories"},
  {"GA", "GAB", 266, "Gabon"},
  {"GM", "GMB", 270, "Gambia"},
  {"GE", "GEO", 268, "Georgia"},
  {"DE", "DEU", 276, "Germany"},
  {"GH", "GHA", 288, "Ghana"},
  {"GI", "GIB", 292, "Gibraltar"},
  {"GR", "GRC", 300, "Greece"},
  {"GL", "GRL", 304, "Greenland"},
  {"GD", "GRD", 308, "Grenada"},
  {"GP", "GLP", 312, "Guadeloupe"},
  {"GU", "GUM", 316, "Guam"},
  {"GT", "GTM", 320, "Guatemala"},
  {"GG", "GGY", 831, "Guernsey"},
  {"GN", "GIN", 324, "Guinea"},
  {"GW", "GNB", 624, "Guinea-Bissau"},
  {"GY", "GUY", 328, "Guyana"},
  {"HT", "HTI", 332, "Haiti"},
  {"HM", "HMD", 334, "Heard Island and McDonald Islands"},
  {"VA", "VAT", 336, "Holy See (Vatican City State)"},
  {"HN", "HND", 340, "Honduras"},
  {"HK", "HKG", 344, "Hong Kong"},
  {"HU", "HUN", 348, "Hungary"},
  {"IS", "ISL", 352, "Iceland"},
  {"IN", "IND", 356, "India"},
  {"ID", "IDN", 360, "Indonesia"},
  {"IR", "IRN", 364, "Iran (Islamic Republic of)"},
  {"IQ", "IRQ", 368, "Iraq"},
  {"IE", "IRL", 372, "Ireland"},
  {"IM", "IMN", 833, "Isle of Man"},
  {"IL", "ISR", 376, "Israel"},
  {"IT", "ITA", 380, "Italy"},
  {"JM", "JAM", 388, "Jamaica"},
  {"JP", "JPN", 392, "Japan"},
  {"JE", "JEY", 832, "Jersey"},
  {"JO", "JOR", 400, "Jordan"},
  {"KZ", "KAZ", 398, "Kazakhstan"},
  {"KE", "KEN", 404, "Kenya"},
  {"KI", "KIR", 296, "Kiribati"},
  {"KP", "PRK", 408, "Korea (Democratic People's Republic of)"},
  {"KR", "KOR", 410, "Korea (Republic of)"},
  {"XK", "XKX", 0, "Kosovo"},
  {"KW", "KWT", 414, "Kuwait"},
  {"KG", "KGZ", 417, "Kyrgyzstan"},
  {"LA", "LAO", 418, "Lao People's Democratic Republic"},
  {"LV", "LVA", 428, "Latvia"},
  {"LB", "LBN", 422, "Lebanon"},
  {"LS", "LSO", 426, "Lesotho"},
  {"LR", "LBR", 430, "Liberia"},
  {"LY", "LBY", 434, "Libya"},
  {"LI", "LIE", 438, "Liechtenstein"},
  {"LT", "LTU", 440, "Lithuania"},
  {"LU", "LUX", 442, "Luxembourg"},
  {"MO", "MAC", 446, "Macao"},
  {"MK", "MKD", 807, "Macedonia (the former Yugoslav Republic of)"},
  {"MG", "MDG", 450, "Madagascar"},
  {"MW", "MWI", 454, "Malawi"},
  {"MY", "MYS", 458, "Malaysia"},
  {"MV", "MDV", 462, "Maldives"},
  {"ML", "MLI", 466, "Mali"},
  {"MT", "MLT", 470, "Malta"},
  {"MH", "MHL", 584, "Marshall Islands"},
  {"MQ", "MTQ", 474, "Martinique"},
  {"MR", "MRT", 478, "Mauritania"},
  {"MU", "MUS", 480, "Mauritius"},
  {"YT", "MYT", 175, "Mayotte"},
  {"MX", "MEX", 484, "Mexico"},
  {"FM", "FSM", 583, "Micronesia (Federated States of)"},
  {"MD", "MDA", 498, "Moldova (Republic of)"},
  {"MC", "MCO", 492, "Monaco"},
  {"MN", "MNG", 496, "Mongolia"},
  {"ME", "MNE", 499, "Montenegro"},
  {"MS", "MSR", 500, "Montserrat"},
  {"MA", "MAR", 504, "Morocco"},
  {"MZ", "MOZ", 508, "Mozambique"},
  {"MM", "MMR", 104, "Myanmar"},
  {"NA", "NAM", 516, "Namibia"},
  {"NR", "NRU", 520, "Nauru"},
  {"NP", "NPL", 524, "Nepal"},
  {"NL", "NLD", 528, "Netherlands"},
  {"NC", "NCL", 540, "New Caledonia"},
  {"NZ", "NZL", 554, "New Zealand"},
  {"NI", "NIC", 558, "Nicaragua"},
  {"NE", "NER", 562, "Niger"},
  {"NG", "NGA", 566, "Nigeria"},
  {"NU", "NIU", 570, "Niue"},
  {"NF", "NFK", 574, "Norfolk Island"},
  {"MP", "MNP", 580, "Northern Mariana Islands"},
  {"NO", "NOR", 578, "Norway"},
  {"OM", "OMN", 512, "Oman"},
  {"PK", "PAK", 586, "Pakistan"},
  {"PW", "PLW", 585, "Palau"},
  {"PS", "PSE", 275, "Palestine (State of)"},
  {"PA", "PAN", 591, "Panama"},
  {"PG", "PNG", 598, "Papua New Guinea"},
  {"PY", "PRY", 600, "Paraguay"},
  {"PE", "PER", 604, "Peru"},
  {"PH", "PHL", 608, "Philippines"},
  {"PN", "PCN", 612, "Pitcairn"},
  {"PL", "POL", 616, "Poland"},
  {"PT", "PRT", 620, "Portugal"},
  {"PR", "PRI", 630, "Puerto Rico"},
  {"QA", "QAT", 634, "Qatar"},
  {"RE", "REU", 638, "Réunion"},
  {"RO", "ROU", 642, "Romania"},
  {"RU", "RUS", 643, "Russian Federation"},
  {"RW", "RWA", 646, "Rwanda"},
  {"BL", "BLM", 652, "Saint Barthélemy"},
  {"SH", "SHN", 654, "Saint Helena (Ascension and Tristan da Cunha)"},
  {"KN", "KNA", 659, "Saint Kitts and Nevis"},
  {"LC", "LCA", 662, "Saint Lucia"},
  {"MF", "MAF", 663, "Saint Martin (French part)"},
  {"PM", "SPM", 666, "Saint Pierre and Miquelon"},
  {"VC", "VCT", 670, "Saint Vincent and the Grenadines"},
  {"WS", "WSM", 882, "Samoa"},
  {"SM", "SMR", 674, "San Marino"},
  {"ST", "STP", 678, "Sao Tome and Principe"},
  {"SA", "SAU", 682, "Saudi Arabia"},
  {"SN", "SEN", 686, "Senegal"},
  {"RS", "SRB", 688, "Serbia"},
  {"SC", "SYC", 690, "Seychelles"},
  {"SL", "SLE", 694, "Sierra Leone"},
  {"SG", "SGP", 702, "Singapore"},
  {"SX", "SXM", 534, "Sint Maarten (Dutch part)"},
  {"SK", "SVK", 703, "Slovakia"},
  {"SI", "SVN", 705, "Slovenia"},
  {"SB", "SLB", 90, "Solomon Islands"},
  {"SO", "SOM", 706, "Somalia"},
  {"ZA", "ZAF", 710, "South Africa"},
  {"GS", "SGS", 239, "South Georgia and the South Sandwich Islands"},
  {"SS", "SSD", 728, "South Sudan"},
  {"ES", "ESP", 724, "Spain"},
  {"LK", "LKA", 144, "Sri Lanka"},
  {"SD", "SDN", 729, "Sudan"},
  {"SR", "SUR", 740, "Suriname"},
  {"SJ", "SJM", 744, "Svalbard and Jan Mayen"},
  {"SZ", "SWZ", 748, "Swaziland"},
  {"SE", "SWE", 752, "Sweden"},
  {"CH", "CHE", 756, "Switzerland"},
  {"SY", "SYR", 760, "Syrian Arab Republic"},
  {"TW", "TWN", 158, "Taiwan"},
  {"TJ", "TJK", 762, "Tajikistan"},
  {"TZ", "TZA", 834, "Tanzania (United Republic of)"},
  {"TH", "THA", 764, "Thailand"},
  {"TL", "TLS", 626, "Timor-Leste"},
  {"TG", "TGO", 768, "Togo"},
  {"TK", "TKL", 772, "Tokelau"},
  {"TO", "TON", 776, "Tonga"},
  {"TT", "TTO", 780, "Trinidad and Tobago"},
  {"TN", "TUN", 788, "Tunisia"},
  {"TR", "TUR", 792, "Türkiye"},
  {"TM", "TKM", 795, "Turkmenistan"},
  {"TC", "TCA", 796, "Turks and Caicos Islands"},
  {"TV", "TUV", 798, "Tuvalu"},
  {"UG", "UGA", 800, "Uganda"},
  {"UA", "UKR", 804, "Ukraine"},
  {"AE", "ARE", 784, "United Arab Emirates"},
  {"GB", "GBR", 826, "United Kingdom"},
  {"UM", "UMI", 581, "United States Minor Outlying Islands"},
  {"US", "USA", 840, "United States of America"},
  {"UY", "URY", 858, "Uruguay"},
  {"UZ", "UZB", 860, "Uzbekistan"},
  {"VU", "VUT", 548, "Vanuatu"},
  {"VE", "VEN", 862, "Venezuela (Bolivarian Republic of)"},
  {"VN", "VNM", 704, "Viet Nam"},
  {"VG", "VGB", 92, "Virgin Islands (British)"},
  {"VI", "VIR", 850, "Virgin Islands (U.S.)"},
  {"WF", "WLF", 876, "Wallis and Futuna"},
  {"EH", "ESH", 732, "Western Sahara"},
  {"YE", "YEM", 887, "Yemen"},
  {"ZM", "ZMB", 894, "Zambia"},
  {"ZW", "ZWE", 716, "Zimbabwe"},
};

// The main language of a country, by its alpha-2 code; a country not listed has none.
const std::map<std::string, std::uint32_t>& MainLanguages()
{
  static const std::map<std::string, std::uint32_t> languages = [] {
    const std::pair<std::uint32_t, const char*> groups[] = {
      {1026, "BG"},
      {1028, "HK TW"},
      {2052, "CN"},
      {1029, "CZ"},
      {1030, "DK FO GL"},
      {1031, "AT DE LI"},
      {1032, "CY GR"},
      {1034, "AD AR BO CV CL CO CR CU DO EC SV GQ GT HN MX NI PA PY PE PR ES UY VE"},
      {1035, "FI"},
      {1036, "DZ BJ BF CM CF TD CG CD CI DJ FR GF PF TF GA GP GN LU MQ MU YT MC NE RE RW BL MF SN"},
      {1038, "HU"},
      {1040, "VA IT SM"},
      {1041, "JP"},
      {1043, "AW BQ NL SX SR"},
      {1044, "NO SJ"},
      {1045, "PL"},
      {1046, "AO BR MZ PT"},
      {1048, "MD RO"},
      {1049, "AM AZ BY EE KZ KG LV LT MN RU TJ TM UA UZ"},
      {1050, "BA HR XK MK RS"},
      {1051, "SK"},
      {1052, "AL"},
      {1053, "AX SE"},
      {1054, "TH"},
      {1055, "TR"},
      {1057, "ID"},
      {1060, "SI"},
      {1066, "VN"},
    };
    std::map<std::string, std::uint32_t> map;
    for (const auto& [nLanguage, szCodes] : groups) {
      const std::string codes = szCodes;
      for (std::size_t i = 0; i + 1 < codes.size(); i += 3)
        map[codes.substr(i, 2)] = nLanguage;
    }
    return map;
  }();
  return languages;
}

const CTLanguageDefinition* MainLanguageOf(const char* szAlpha2)
{
  const auto it = MainLanguages().find(szAlpha2);
  return it == MainLanguages().end() ? nullptr : CTLanguageDefinition::FindLanguage(it->second);
}

constexpr const char* kLocaleKeyName = "Locale";

std::string LocaleKey()
{
  return std::string(platform::kMakerRoot) + "\\" + kLocaleKeyName;
}

} // namespace

const std::vector<CTLanguageDefinition>& CTLanguageDefinition::All()
{
  return LanguageTable();
}

const CTLanguageDefinition* CTLanguageDefinition::FindLanguage(std::uint32_t nLanguageId)
{
  for (const CTLanguageDefinition& language : All())
    if (language.v_windowsCode == nLanguageId)
      return &language;
  return nullptr;
}

const CTLanguageDefinition* CTLanguageDefinition::FindLanguageByCode(std::string_view szCode)
{
  for (const CTLanguageDefinition& language : All())
    if (platform::EqualsIgnoreCase(language.v_iso_2letterCode, szCode))
      return &language;
  return nullptr;
}

int OwnNumericCode(std::string_view szLetters)
{
  int nCode = 0;
  for (char c : szLetters)
    nCode = nCode * 26 + (platform::FoldAscii(c) - 'a');
  return nCode;
}

const std::vector<CTCountryDefinition>& CTCountryDefinition::All()
{
  static const std::vector<CTCountryDefinition> table = [] {
    std::vector<CTCountryDefinition> countries;
    for (const CountryRow& row : kCountries) {
      // Romania keeps the code of its former alpha-3 code "ROM", which stored settings carry.
      const std::string_view letters = std::string_view(row.szAlpha2) == "RO" ? "ROM" : row.szAlpha3;
      countries.push_back({row.szAlpha2, row.szAlpha3, row.szName, row.nNumeric, OwnNumericCode(letters),
                           MainLanguageOf(row.szAlpha2)});
    }
    return countries;
  }();
  return table;
}

const CTCountryDefinition* CTCountryDefinition::FindCountry(int nOwnNumericCode)
{
  for (const CTCountryDefinition& country : All())
    if (country.v_ownNumericCode == nOwnNumericCode)
      return &country;
  return nullptr;
}

const CTCountryDefinition* CTCountryDefinition::FindACountryWithLanguage(std::uint32_t nLanguageId)
{
  for (const CTCountryDefinition& country : All())
    if (country.v_language && country.v_language->v_windowsCode == nLanguageId)
      return &country;
  return nullptr;
}

LocaleData GetLocaleData()
{
  return GetLocaleData(platform::SettingsStore::User());
}

LocaleData GetLocaleData(const platform::SettingsStore& store)
{
  const std::optional<std::int32_t> country = store.ReadInteger(LocaleKey(), "Country");
  const std::optional<std::int32_t> language = store.ReadInteger(LocaleKey(), "Language");
  LocaleData data;
  data.nCountry = country.value_or(0);
  data.nLanguage = language ? static_cast<std::uint32_t>(*language) : kLangEnglish;
  data.bPresent = country && language;
  return data;
}

void WriteLocaleData(platform::SettingsKey& root, int nCountry, std::uint32_t nLanguage)
{
  platform::SettingsKey& key = root.Ensure(LocaleKey());
  key.SetValue("Country", static_cast<std::int32_t>(nCountry));
  key.SetValue("Language", static_cast<std::int32_t>(nLanguage));
}

bool SetLocaleData(int nCountry, std::uint32_t nLanguage)
{
  // Both values in one write, so that a failure never keeps a country without its language.
  return platform::SettingsStore::User().WriteBatch([&](platform::SettingsKey& root) {
    WriteLocaleData(root, nCountry, nLanguage);
    return true;
  });
}

} // namespace aw::i18n
