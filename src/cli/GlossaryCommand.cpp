// airwright-cli glossary: exchanges glossary files with translators, and the
// global --language, which makes every command's texts follow a language.
//   glossary export --language de|fr [--catalogue-texts] --out FILE.xml
//       writes the program's interface glossary of the language, with every
//       message text it does not translate yet as an entry without a
//       translation; with --catalogue-texts the catalogue glossary instead,
//       with every text of the catalogue.
//   glossary check FILE
//       reads a glossary file and prints "<language id> <English name>: <N> entries".

#include "cli/Commands.h"

#include "catalogue/CatalogueSession.h"
#include "i18n/BaseMsgMan.h"
#include "i18n/CatalogueTexts.h"
#include "i18n/GlossaryLoading.h"
#include "i18n/LangSupport.h"
#include "i18n/XMLGlossaryIO.h"

#include <iostream>
#include <memory>
#include <string>

namespace aw::cli {
namespace {

const std::vector<std::string> kLanguageCodes = {"de", "fr", "en"};

std::uint32_t LanguageOfCode(const std::string& szCode)
{
  const i18n::CTLanguageDefinition* language = i18n::CTLanguageDefinition::FindLanguageByCode(szCode);
  if (!language)
    throw CommandError("unknown language '" + szCode + "'");
  return language->v_windowsCode;
}

// A shipped glossary of the language, or an empty one of that language.
std::unique_ptr<i18n::CTUnicodeGlossary> ShippedGlossary(i18n::GlossaryLoad load, std::uint32_t nLanguage)
{
  if (!load.szError.empty())
    throw CommandError(load.szError);
  if (!load.glossary)
    load.glossary = std::make_unique<i18n::CTUnicodeGlossary>();
  load.glossary->SetTargetLanguage(nLanguage);
  return std::move(load.glossary);
}

void AddMessageTexts(i18n::CTUnicodeGlossary& glossary)
{
  i18n::RegisterProgramMessages();
  for (const i18n::CTStringObtain& range : i18n::MessageRanges().Ranges())
    for (int n = range.nLowest; n <= range.nHighest; ++n)
      glossary.AddTermNoNonsense(range.obtain(n), "");
}

void AddCatalogueTexts(i18n::CTUnicodeGlossary& glossary)
{
  // The texts as stored: this session reads them untranslated.
  CTCatalogueSession::UseGlossary(nullptr);
  CTCatalogueSession session;
  if (!session.Connect())
    throw CommandError("the catalogue cannot be read: " + session.LastError());
  for (const std::string& text : i18n::MultilingualTexts(session.Factory()))
    glossary.AddTermNoNonsense(text, "");
}

void AddExportCommand(CLI::App& group)
{
  auto* cmd = group.add_subcommand("export", "Writes the program's glossary of a language as a glossary file");
  auto code = std::make_shared<std::string>();
  auto out = std::make_shared<std::string>();
  auto catalogueTexts = std::make_shared<bool>(false);
  cmd->add_option("--language", *code, "The language of the translations")
    ->required()
    ->check(CLI::IsMember({"de", "fr"}));
  cmd->add_flag("--catalogue-texts", *catalogueTexts, "The catalogue glossary instead of the interface glossary");
  cmd->add_option("--out", *out, "The glossary file to write")->required();
  cmd->callback([code, out, catalogueTexts] {
    const std::uint32_t nLanguage = LanguageOfCode(*code);
    std::unique_ptr<i18n::CTUnicodeGlossary> glossary;
    if (*catalogueTexts) {
      glossary = ShippedGlossary(i18n::LoadCatalogueGlossary(nLanguage), nLanguage);
      AddCatalogueTexts(*glossary);
    } else {
      glossary = ShippedGlossary(i18n::LoadInterfaceGlossary(nLanguage, {}), nLanguage);
      AddMessageTexts(*glossary);
    }
    glossary->Sort();
    std::string szError;
    if (!i18n::CTExcelXMLGlossaryIO().SaveGlossaryToFile(*out, *glossary, false, szError))
      throw CommandError(szError);
  });
}

void AddCheckCommand(CLI::App& group)
{
  auto* cmd = group.add_subcommand("check", "Reads a glossary file and prints its language and size");
  auto file = std::make_shared<std::string>();
  cmd->add_option("FILE", *file, "The glossary file")->required();
  cmd->callback([file] {
    i18n::CTUnicodeGlossary glossary;
    std::string szError;
    if (!i18n::CTExcelXMLGlossaryIO().LoadGlossaryFromFile(*file, glossary, szError))
      throw CommandError(szError);
    std::cout << glossary.TargetLanguage() << ' ' << i18n::CTLangSupport::EnglishLanguageName(glossary.TargetLanguage())
              << ": " << glossary.Count() << " entries\n";
  });
}

// The glossaries of the language chosen with --language, for the whole run.
struct LanguageInEffect
{
  std::unique_ptr<i18n::CTUnicodeGlossary> interfaceGlossary;
  std::unique_ptr<i18n::CTUnicodeGlossary> catalogueGlossary;
};

LanguageInEffect& InEffect()
{
  static LanguageInEffect inEffect;
  return inEffect;
}

void UseLanguage(const std::string& szCode)
{
  const std::uint32_t nLanguage = LanguageOfCode(szCode);
  i18n::GlossaryLoad ui = i18n::LoadInterfaceGlossary(nLanguage, {});
  i18n::GlossaryLoad catalogue = i18n::LoadCatalogueGlossary(nLanguage);
  for (const std::string* error : {&ui.szError, &catalogue.szError})
    if (!error->empty())
      throw CommandError(*error);
  InEffect() = {std::move(ui.glossary), std::move(catalogue.glossary)};
  i18n::UseInterfaceGlossary(InEffect().interfaceGlossary.get());
  if (InEffect().interfaceGlossary == nullptr)
    i18n::SetInterfaceLanguage(nLanguage);
  CTCatalogueSession::UseGlossary(InEffect().catalogueGlossary.get());
}

} // namespace

void AddLanguageOption(CLI::App& app)
{
  app.add_option("--language", "The language of the texts and messages (JSON keys stay English)")
    ->check(CLI::IsMember(kLanguageCodes))
    ->each(UseLanguage);
}

void AddGlossaryCommand(CLI::App& app)
{
  auto* glossary = app.add_subcommand("glossary", "Exchanges glossary files with translators");
  glossary->require_subcommand(1);
  AddExportCommand(*glossary);
  AddCheckCommand(*glossary);
}

} // namespace aw::cli
