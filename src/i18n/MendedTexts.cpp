#include "i18n/MendedTexts.h"

#include <array>
#include <string>

namespace aw::i18n {
namespace {

constexpr std::array kMended = {
  CTMendedText{"Opens a Airwright project file", "Opens an Airwright project file"},
  CTMendedText{"Saves a VAirwright project file", "Saves an Airwright project file"},
  CTMendedText{"Saves a Airwright project file", "Saves an Airwright project file"},
  CTMendedText{"The size of the inlet heater is calculated as the enthalpy difference between the ambient air (OA) "
               "and the ventilation in air (VI) and multipied by the supply airflow and density.",
               "The size of the inlet heater is calculated as the enthalpy difference between the ambient air (OA) "
               "and the ventilation in air (VI) and multiplied by the supply airflow and density."},
  CTMendedText{"The size of the supply heater is calculated as the enthalpy difference between the the ventilation "
               "out air (VI) and supply air (SA) multipied by the supply airflow and density.",
               "The size of the supply heater is calculated as the enthalpy difference between the ventilation out "
               "air (VO) and supply air (SA) multiplied by the supply airflow and density."},
};

} // namespace

std::span<const CTMendedText> MendedTexts()
{
  return kMended;
}

void AddMendedTerms(CTUnicodeGlossary& glossary)
{
  for (const CTMendedText& text : kMended) {
    const std::string mended(text.szNew);
    if (!glossary.TranslationsFor(mended).empty())
      continue; // the glossary translates the mended wording itself
    const std::string translation = glossary.FindTranslationFor(std::string(text.szOld));
    if (!translation.empty())
      glossary.AddTermAndTranslation(mended, translation);
  }
}

} // namespace aw::i18n
