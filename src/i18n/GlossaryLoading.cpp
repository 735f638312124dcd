#include "i18n/GlossaryLoading.h"

#include "catalogue/CatalogueText.h"
#include "i18n/BaseMsgMan.h"
#include "i18n/LocalizationSupport.h"
#include "i18n/MendedTexts.h"
#include "i18n/XMLGlossaryIO.h"
#include "platform/Resources.h"

#include <system_error>

namespace aw::i18n {
namespace {

std::uint32_t& CurrentInterfaceLanguage()
{
  static std::uint32_t nLanguage = kLangEnglish;
  return nLanguage;
}

GlossaryLoad Loaded(bool bOk, std::unique_ptr<CTUnicodeGlossary> glossary, std::string szError)
{
  GlossaryLoad load;
  if (bOk) {
    AddMendedTerms(*glossary); // a glossary of an earlier version keeps translating
    load.glossary = std::move(glossary);
  }
  else
    load.szError = std::move(szError);
  return load;
}

} // namespace

std::uint32_t InterfaceLanguage()
{
  return CurrentInterfaceLanguage();
}

void SetInterfaceLanguage(std::uint32_t nLanguageId)
{
  CurrentInterfaceLanguage() = nLanguageId;
}

std::string GlossaryResourceName(std::string_view szBaseName, std::uint32_t nLanguageId)
{
  const CTLanguageDefinition* language = CTLanguageDefinition::FindLanguage(nLanguageId);
  if (!language)
    return std::string(szBaseName);
  return std::string(szBaseName) + "." + std::string(language->v_iso_2letterCode);
}

GlossaryLoad LoadGlossaryResource(std::string_view szName)
{
  const std::optional<platform::ResourceBytes> bytes = platform::Resources::Find(szName);
  if (!bytes || bytes->empty())
    return {};
  auto glossary = std::make_unique<CTUnicodeGlossary>();
  std::string szWhere;
  const bool bOk = CTExcelXMLGlossaryIO().LoadGlossary(
    std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), *glossary, szWhere);
  return Loaded(bOk, std::move(glossary), "the glossary resource " + std::string(szName) + ": " + szWhere);
}

GlossaryLoad LoadInterfaceGlossary(std::uint32_t nLanguageId, const std::filesystem::path& besideProgram)
{
  std::error_code ec;
  if (!besideProgram.empty() && std::filesystem::exists(besideProgram, ec)) {
    auto glossary = std::make_unique<CTUnicodeGlossary>();
    std::string szError;
    const bool bOk = CTExcelXMLGlossaryIO().LoadGlossaryFromFile(besideProgram, *glossary, szError);
    return Loaded(bOk, std::move(glossary), "the glossary file " + szError);
  }
  return LoadGlossaryResource(GlossaryResourceName(kInterfaceGlossaryResource, nLanguageId));
}

GlossaryLoad LoadCatalogueGlossary(std::uint32_t nLanguageId)
{
  return LoadGlossaryResource(GlossaryResourceName(kCatalogueGlossaryResource, nLanguageId));
}

void UseInterfaceGlossary(const CTUnicodeGlossary* pGlossary)
{
  if (!pGlossary) {
    SetMessageTranslator({});
    catalogue::SetMessageTextSource({});
    SetInterfaceLanguage(kLangEnglish);
    return;
  }
  SetMessageTranslator([pGlossary](const std::string& szText) {
    const std::string translation = pGlossary->FindTranslationFor(szText);
    return translation.empty() ? szText : translation;
  });
  // The catalogue's numbered texts (units, frequencies) are program messages.
  RegisterProgramMessages();
  catalogue::SetMessageTextSource([](int nMsgNo) { return GetUnicodeString(nMsgNo); });
  SetInterfaceLanguage(pGlossary->TargetLanguage() != 0 ? pGlossary->TargetLanguage() : kLangEnglish);
}

} // namespace aw::i18n
