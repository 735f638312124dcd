#pragma once
// The texts of a catalogue that its glossary translates: every value of a
// multilingual text field, in every table.

#include <set>
#include <string>

namespace aw {
class CTBaseFactory;
}

namespace aw::i18n {

// The stored (untranslated) texts of the connected factory's multilingual fields.
std::set<std::string> MultilingualTexts(CTBaseFactory& factory);

} // namespace aw::i18n
