#pragma once
// A glossary maps an English source text (the term: the text itself, not a
// key) to its translation in one language. The interface glossary translates
// forms, dialogs and messages; the catalogue glossary is given to the object
// database, which translates stored texts when they are read.
//
// Entries live in buckets by the first UTF-16 code unit of their term, where
// a to z count as A to Z; terms themselves compare exactly. One term may have
// several entries with different translations.

#include "db/DbEngine.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace aw::i18n {

struct CTUnicodeGlosTerm
{
  std::string v_term;        // the English source text
  std::string v_translation; // empty for an untranslated term

  // Replaces szText by the translation when it equals the term.
  bool GetTranslationIfEqualsTerm(std::string& szText) const;
};

class CTUnicodeGlossary : public CTTranslationSource
{
public:
  using Bucket = std::vector<std::unique_ptr<CTUnicodeGlosTerm>>;
  using Buckets = std::map<char16_t, Bucket>; // by bucket number, ascending

  // The bucket number of a term: its first UTF-16 code unit, a to z folded to A to Z.
  static char16_t BucketOf(const std::string& szTerm);

  std::uint32_t TargetLanguage() const { return v_targetLanguage; }
  void SetTargetLanguage(std::uint32_t nLanguageId);
  // The header text: the language name, or the change date as a decimal integer.
  const std::string& LanguageNameOrChangedDate() const { return v_languageNameOrChangedDate; }
  void SetLanguageNameOrChangedDate(std::string sz);
  int GetChangedDate() const; // 0 when the text is no integer
  void SetChangedDate(int nDate);
  const std::string& FileName() const { return v_fileName; }
  void SetFileName(std::string sz) { v_fileName = std::move(sz); }
  bool Changed() const { return v_changed; }

  const Buckets& AllLetterEntries() const { return v_letterEntries; }
  Bucket& GetLetterEntry(char16_t nCodeUnit) { return v_letterEntries[nCodeUnit]; }
  std::size_t Count() const;

  // Every translation of the term, in stored order; none for an empty term.
  std::vector<std::string> TranslationsFor(const std::string& szTerm) const;
  // The first translation of the term, or empty.
  std::string FindTranslationFor(const std::string& szTerm) const override;
  // The translation forms use: only a term with exactly one translation, and
  // that one not empty, is translated; ambiguous texts stay English.
  std::optional<std::string> UniqueTranslationFor(const std::string& szTerm) const;

  struct Added
  {
    bool bAdded;
    CTUnicodeGlosTerm* pEntry; // the new entry, when one was added
  };
  // Trims both texts; adds the pair unless either is empty or the term has
  // that translation already. bAdded is also true with bPartOfList when
  // nothing was added.
  Added AddTermAndTranslation(const std::string& szTerm, const std::string& szTranslation, bool bPartOfList = false);
  // Adds the pair unless the term is empty, the pair exists, or the term exists
  // and the translation is empty.
  void AddTermNoNonsense(const std::string& szTerm, const std::string& szTranslation);

  struct Existence
  {
    bool bExists;    // the term has at least one translation
    bool bIdentical; // it has exactly one, and that equals the one asked for
  };
  Existence TermExists(const std::string& szTerm, const std::string& szTranslation) const;

  // For every entry (with bOnlyIfEmpty: every untranslated one) takes the first
  // translation of its term in other; with bDeleteEmpty an entry whose term
  // other does not know is deleted.
  void UseTranslationsFrom(const CTUnicodeGlossary& other, bool bDeleteEmpty, bool bOnlyIfEmpty);
  bool HasUntranslatedTerms() const;
  void RemoveUntranslatedTerms();
  // Sorts every bucket by term (ordinal, ascending).
  void Sort();
  // Empty again: no entries, target language 0, not changed.
  void Purge();
  // Adds every entry of other (as AddTermNoNonsense does) and takes its header.
  void TakeEntriesOf(const CTUnicodeGlossary& other);

private:
  const Bucket* FindBucket(const std::string& szTerm) const;

  std::uint32_t v_targetLanguage = 0;
  Buckets v_letterEntries;
  bool v_changed = false;
  std::string v_fileName;
  std::string v_languageNameOrChangedDate;
};

} // namespace aw::i18n
