#include "i18n/UnicodeGlossary.h"

#include "catalogue/CatalogueText.h"
#include "i18n/Utf8.h"

#include <algorithm>
#include <charconv>

namespace aw::i18n {

bool CTUnicodeGlosTerm::GetTranslationIfEqualsTerm(std::string& szText) const
{
  if (szText != v_term)
    return false;
  szText = v_translation;
  return true;
}

char16_t CTUnicodeGlossary::BucketOf(const std::string& szTerm)
{
  std::size_t pos = 0;
  const char32_t cp = NextCodePoint(szTerm, pos).value_or(0xFFFD);
  if (cp >= U'a' && cp <= U'z')
    return static_cast<char16_t>(cp - 32);
  // Beyond the BMP the first UTF-16 code unit is the high surrogate.
  if (cp > 0xFFFF)
    return static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
  return static_cast<char16_t>(cp);
}

void CTUnicodeGlossary::SetTargetLanguage(std::uint32_t nLanguageId)
{
  if (nLanguageId != v_targetLanguage)
    v_changed = true;
  v_targetLanguage = nLanguageId;
}

void CTUnicodeGlossary::SetLanguageNameOrChangedDate(std::string sz)
{
  if (sz != v_languageNameOrChangedDate)
    v_changed = true;
  v_languageNameOrChangedDate = std::move(sz);
}

int CTUnicodeGlossary::GetChangedDate() const
{
  const std::string& sz = v_languageNameOrChangedDate;
  int nDate = 0;
  const auto [end, ec] = std::from_chars(sz.data(), sz.data() + sz.size(), nDate);
  return ec == std::errc() && end == sz.data() + sz.size() ? nDate : 0;
}

void CTUnicodeGlossary::SetChangedDate(int nDate)
{
  SetLanguageNameOrChangedDate(std::to_string(nDate));
}

std::size_t CTUnicodeGlossary::Count() const
{
  std::size_t n = 0;
  for (const auto& [nCodeUnit, bucket] : v_letterEntries)
    n += bucket.size();
  return n;
}

const CTUnicodeGlossary::Bucket* CTUnicodeGlossary::FindBucket(const std::string& szTerm) const
{
  if (szTerm.empty())
    return nullptr;
  const auto it = v_letterEntries.find(BucketOf(szTerm));
  return it == v_letterEntries.end() ? nullptr : &it->second;
}

std::vector<std::string> CTUnicodeGlossary::TranslationsFor(const std::string& szTerm) const
{
  std::vector<std::string> translations;
  if (const Bucket* bucket = FindBucket(szTerm))
    for (const auto& entry : *bucket)
      if (entry->v_term == szTerm)
        translations.push_back(entry->v_translation);
  return translations;
}

std::string CTUnicodeGlossary::FindTranslationFor(const std::string& szTerm) const
{
  if (const Bucket* bucket = FindBucket(szTerm))
    for (const auto& entry : *bucket)
      if (entry->v_term == szTerm)
        return entry->v_translation;
  return {};
}

std::optional<std::string> CTUnicodeGlossary::UniqueTranslationFor(const std::string& szTerm) const
{
  std::vector<std::string> translations = TranslationsFor(szTerm);
  if (translations.size() != 1 || translations.front().empty())
    return std::nullopt;
  return std::move(translations.front());
}

CTUnicodeGlossary::Added CTUnicodeGlossary::AddTermAndTranslation(const std::string& szTerm,
                                                                  const std::string& szTranslation, bool bPartOfList)
{
  std::string term = catalogue::Trim(szTerm);
  std::string translation = catalogue::Trim(szTranslation);
  if (term.empty() || translation.empty())
    return {bPartOfList, nullptr};
  const std::vector<std::string> existing = TranslationsFor(term);
  if (std::find(existing.begin(), existing.end(), translation) != existing.end())
    return {bPartOfList, nullptr};
  Bucket& bucket = GetLetterEntry(BucketOf(term));
  bucket.push_back(std::make_unique<CTUnicodeGlosTerm>(CTUnicodeGlosTerm{std::move(term), std::move(translation)}));
  v_changed = true;
  return {true, bucket.back().get()};
}

void CTUnicodeGlossary::AddTermNoNonsense(const std::string& szTerm, const std::string& szTranslation)
{
  if (szTerm.empty())
    return;
  const std::vector<std::string> existing = TranslationsFor(szTerm);
  if (!existing.empty() && szTranslation.empty())
    return;
  if (std::find(existing.begin(), existing.end(), szTranslation) != existing.end())
    return;
  GetLetterEntry(BucketOf(szTerm)).push_back(std::make_unique<CTUnicodeGlosTerm>(CTUnicodeGlosTerm{szTerm, szTranslation}));
  v_changed = true;
}

CTUnicodeGlossary::Existence CTUnicodeGlossary::TermExists(const std::string& szTerm,
                                                           const std::string& szTranslation) const
{
  const std::vector<std::string> translations = TranslationsFor(szTerm);
  return {!translations.empty(), translations.size() == 1 && translations.front() == szTranslation};
}

void CTUnicodeGlossary::UseTranslationsFrom(const CTUnicodeGlossary& other, bool bDeleteEmpty, bool bOnlyIfEmpty)
{
  for (auto& [nCodeUnit, bucket] : v_letterEntries) {
    std::erase_if(bucket, [&](std::unique_ptr<CTUnicodeGlosTerm>& entry) {
      if (bOnlyIfEmpty && !entry->v_translation.empty())
        return false;
      const std::vector<std::string> translations = other.TranslationsFor(entry->v_term);
      if (translations.empty()) {
        v_changed = v_changed || bDeleteEmpty;
        return bDeleteEmpty;
      }
      if (entry->v_translation != translations.front()) {
        entry->v_translation = translations.front();
        v_changed = true;
      }
      return false;
    });
  }
}

bool CTUnicodeGlossary::HasUntranslatedTerms() const
{
  for (const auto& [nCodeUnit, bucket] : v_letterEntries)
    for (const auto& entry : bucket)
      if (entry->v_translation.empty())
        return true;
  return false;
}

void CTUnicodeGlossary::RemoveUntranslatedTerms()
{
  for (auto& [nCodeUnit, bucket] : v_letterEntries)
    if (std::erase_if(bucket, [](const auto& entry) { return entry->v_translation.empty(); }) > 0)
      v_changed = true;
}

void CTUnicodeGlossary::Sort()
{
  for (auto& [nCodeUnit, bucket] : v_letterEntries)
    std::stable_sort(bucket.begin(), bucket.end(),
                     [](const auto& a, const auto& b) { return a->v_term < b->v_term; });
}

void CTUnicodeGlossary::Purge()
{
  v_letterEntries.clear();
  v_targetLanguage = 0;
  v_languageNameOrChangedDate.clear();
  v_changed = false;
}

void CTUnicodeGlossary::TakeEntriesOf(const CTUnicodeGlossary& other)
{
  SetTargetLanguage(other.TargetLanguage());
  SetLanguageNameOrChangedDate(other.LanguageNameOrChangedDate());
  for (const auto& [nCodeUnit, bucket] : other.AllLetterEntries())
    for (const auto& entry : bucket)
      AddTermNoNonsense(entry->v_term, entry->v_translation);
}

} // namespace aw::i18n
