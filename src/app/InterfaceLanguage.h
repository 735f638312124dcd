#pragma once
// The language of the window: which glossaries the program loads, how the
// interface glossary reaches every form and message, and the locale check of
// the first start. The language is the one given with "--language de|fr|en",
// else the one stored by the locale choice, else English.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

class QWidget;

namespace aw {
class CTFactory;
}
namespace aw::i18n {
class CTUnicodeGlossary;
}

namespace aw::app {

// Removes "--language CODE" from the arguments and makes it the language of
// this run; false (after saying why on standard error) for an unknown code.
bool TakeLanguageOption(QStringList& arguments);
// The language given on the command line, if any (tests set it too).
void SetLanguageOption(std::optional<std::uint32_t> nLanguage);
std::uint32_t ChosenLanguage();

// Loads the interface glossary of the chosen language (a file beside the
// program wins) and installs the loaded hook through which every dialog is
// adapted and translated, and the message translator. A glossary that cannot
// be read is reported naming the file; the program then stays English.
void InstallInterfaceGlossary();
const i18n::CTUnicodeGlossary* InterfaceGlossary();

// Loads the catalogue glossary of the chosen language and gives it to the
// factory, which then reads its stored texts translated.
void AttachCatalogueGlossary(CTFactory& factory);

// The locale check of the start-up: when no country and language are stored
// (and none was given on the command line) the locale choice is asked through
// the prompts and stored. A new language takes effect at once: the window is
// translated and the factory (not yet connected) gets its catalogue glossary.
// False when the user cancels.
bool CheckDefaultLocale(QWidget* window, CTFactory& factory, const QString& szAppTitle);

// A text of the program in the interface language (file-dialog titles and filters).
QString TranslatedText(const QString& szText);

} // namespace aw::app
