#include "app/InterfaceLanguage.h"

#include "app/BasicDialog.h"
#include "app/FormTranslation.h"
#include "app/UserPrompts.h"
#include "catalogue/Factory.h"
#include "i18n/GlossaryLoading.h"
#include "i18n/LocalizationSupport.h"

#include <QCoreApplication>

#include <iostream>
#include <memory>

namespace aw::app {
namespace {

struct Glossaries
{
  std::optional<std::uint32_t> languageOption;
  std::unique_ptr<i18n::CTUnicodeGlossary> interfaceGlossary;
  std::unique_ptr<i18n::CTUnicodeGlossary> catalogueGlossary;
};

Glossaries& State()
{
  static Glossaries state;
  return state;
}

// The translator's file: the program's own name with ".xml", beside it.
std::filesystem::path GlossaryBesideProgram()
{
  const QString program = QCoreApplication::applicationFilePath();
  if (program.isEmpty())
    return {};
  std::filesystem::path file = program.toStdString();
  file.replace_extension(".xml");
  return file;
}

void ReportUnreadable(const std::string& szError)
{
  UserPrompts::Current().ShowMessage(QString::fromStdString(szError) +
                                     QStringLiteral("\nThe program's texts stay in English."));
}

void LoadedHook(QWidget* top)
{
  TBasicDialog::AdaptListBackground(top);
  if (const i18n::CTUnicodeGlossary* glossary = State().interfaceGlossary.get())
    TranslateFormAtRuntime(top, *glossary);
}

} // namespace

bool TakeLanguageOption(QStringList& arguments)
{
  const qsizetype at = arguments.indexOf(QStringLiteral("--language"));
  if (at < 0)
    return true;
  const QString code = at + 1 < arguments.size() ? arguments[at + 1] : QString();
  arguments.remove(at, at + 1 < arguments.size() ? 2 : 1);
  const i18n::CTLanguageDefinition* language = i18n::CTLanguageDefinition::FindLanguageByCode(code.toStdString());
  if (code.isEmpty() || !language) {
    std::cerr << "airwright: --language needs one of de, fr, en\n";
    return false;
  }
  SetLanguageOption(language->v_windowsCode);
  return true;
}

void SetLanguageOption(std::optional<std::uint32_t> nLanguage)
{
  State().languageOption = nLanguage;
}

std::uint32_t ChosenLanguage()
{
  if (State().languageOption)
    return *State().languageOption;
  const i18n::LocaleData locale = i18n::GetLocaleData();
  return locale.bPresent ? locale.nLanguage : i18n::kLangEnglish;
}

void InstallInterfaceGlossary()
{
  // The previous glossary stays alive until nothing refers to it any more.
  i18n::GlossaryLoad load = i18n::LoadInterfaceGlossary(ChosenLanguage(), GlossaryBesideProgram());
  i18n::UseInterfaceGlossary(load.glossary.get());
  State().interfaceGlossary = std::move(load.glossary);
  TBasicDialog::SetLoadedHook(&LoadedHook);
  if (!load.szError.empty())
    ReportUnreadable(load.szError);
}

const i18n::CTUnicodeGlossary* InterfaceGlossary()
{
  return State().interfaceGlossary.get();
}

void AttachCatalogueGlossary(CTFactory& factory)
{
  i18n::GlossaryLoad load = i18n::LoadCatalogueGlossary(ChosenLanguage());
  factory.SetGlossary(CTFactory::kDbIx, load.glossary.get());
  State().catalogueGlossary = std::move(load.glossary);
  if (!load.szError.empty())
    ReportUnreadable(load.szError);
}

bool CheckDefaultLocale(QWidget* window, CTFactory& factory, const QString& szAppTitle)
{
  const i18n::LocaleData stored = i18n::GetLocaleData();
  if (stored.bPresent || State().languageOption)
    return true;
  const std::optional<LocaleChoice> choice =
    UserPrompts::Current().ChooseLocale({window, szAppTitle, QString(), stored.nCountry, stored.nLanguage});
  if (!choice)
    return false;
  i18n::SetLocaleData(choice->nCountry, choice->nLanguage);
  if (choice->nLanguage != stored.nLanguage || InterfaceGlossary() == nullptr) {
    InstallInterfaceGlossary();
    TBasicDialog::CallLoadedHook(window);
    AttachCatalogueGlossary(factory);
  }
  return true;
}

QString TranslatedText(const QString& szText)
{
  const i18n::CTUnicodeGlossary* glossary = InterfaceGlossary();
  if (!glossary || szText.isEmpty())
    return szText;
  const std::string translation = glossary->FindTranslationFor(szText.toStdString());
  return translation.empty() ? szText : QString::fromStdString(translation);
}

} // namespace aw::app
