// A glossary of an earlier version knows the texts mended since by their old
// wording; loaded, it translates the mended wording with the same words.

#include "i18n/MendedTexts.h"

#include "i18n/GlossaryLoading.h"
#include "i18n/LocalizationSupport.h"
#include "i18n/XMLGlossaryIO.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace aw::i18n {
namespace {

TEST(MendedTexts, AGlossaryWithTheOldWordingTranslatesTheMendedOne)
{
  CTUnicodeGlossary old;
  old.SetTargetLanguage(kLangGerman);
  int n = 0;
  for (const CTMendedText& text : MendedTexts())
    old.AddTermAndTranslation(std::string(text.szOld), "Alt " + std::to_string(++n));
  // A translator who already knows the mended wording keeps their own words.
  old.AddTermAndTranslation("Opens an Airwright project file", "Neu");
  test::TempDir dir;
  std::string szError;
  ASSERT_TRUE(CTExcelXMLGlossaryIO().SaveGlossaryToFile(dir / "airwright.xml", old, false, szError)) << szError;

  const GlossaryLoad load = LoadInterfaceGlossary(kLangGerman, dir / "airwright.xml");
  ASSERT_TRUE(load.glossary) << load.szError;
  const CTUnicodeGlossary& glossary = *load.glossary;
  EXPECT_EQ(glossary.UniqueTranslationFor("Opens an Airwright project file"), "Neu");
  EXPECT_EQ(glossary.UniqueTranslationFor("Saves an Airwright project file"), "Alt 2"); // the first old wording
  EXPECT_EQ(glossary.UniqueTranslationFor("The size of the supply heater is calculated as the enthalpy difference "
                                          "between the ventilation out air (VO) and supply air (SA) multiplied by "
                                          "the supply airflow and density."),
            "Alt 5");
  EXPECT_EQ(glossary.FindTranslationFor("Opens a Airwright project file"), "Alt 1"); // the old one stays
}

TEST(MendedTexts, TheShippedGlossariesTranslateTheMendedWording)
{
  for (std::uint32_t nLanguage : {kLangGerman, kLangFrench}) {
    const GlossaryLoad load = LoadInterfaceGlossary(nLanguage, {});
    ASSERT_TRUE(load.glossary) << load.szError;
    for (const CTMendedText& text : MendedTexts())
      EXPECT_TRUE(load.glossary->UniqueTranslationFor(std::string(text.szNew))) << nLanguage << ": " << text.szNew;
  }
}

} // namespace
} // namespace aw::i18n
