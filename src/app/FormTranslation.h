#pragma once
// Translating a form when it is created: one walk over everything the top
// widget owns (widgets, actions, menus), first every hint, then every
// caption: window titles, button, label and group captions, tab captions,
// the items of combo boxes and lists, column titles and the lines of
// read-only memos. A text is replaced only when the translator gives it a
// translation; the rule which texts to translate is the glossary's.

#include <QString>

#include <functional>
#include <optional>

class QObject;

namespace aw::i18n {
class CTUnicodeGlossary;
}

namespace aw::app {

// The translation of one text, or nothing to keep it.
using FormTextTranslator = std::function<std::optional<QString>(const QString& szText)>;

// Marks an object whose texts are data (a file's path, ...): the walk leaves
// it and what it owns as they stand.
void KeepUntranslated(QObject* object);

// Translates the texts of the top object and everything it owns.
void TranslateForm(QObject* top, const FormTextTranslator& translate);
// With a glossary: only texts with exactly one, non-empty translation change.
void TranslateFormAtRuntime(QObject* top, const i18n::CTUnicodeGlossary& glossary);

} // namespace aw::app
