#include "i18n/UnicodeGlossary.h"

#include <gtest/gtest.h>

namespace aw::i18n {
namespace {

using Strings = std::vector<std::string>;

TEST(UnicodeGlossary, FoldsOnlyTheBucketNotTheTerm)
{
  CTUnicodeGlossary glossary;
  glossary.AddTermNoNonsense("apply", "anwenden");
  glossary.AddTermNoNonsense("Apply", "Anwenden");
  EXPECT_EQ(glossary.AllLetterEntries().size(), 1u);
  EXPECT_EQ(glossary.AllLetterEntries().begin()->first, u'A');
  EXPECT_EQ(glossary.FindTranslationFor("apply"), "anwenden");
  EXPECT_EQ(glossary.FindTranslationFor("Apply"), "Anwenden");
  EXPECT_EQ(glossary.FindTranslationFor("APPLY"), "");
  EXPECT_EQ(glossary.FindTranslationFor(""), "");
  // Beyond the BMP the bucket is the first UTF-16 code unit, the high surrogate.
  EXPECT_EQ(CTUnicodeGlossary::BucketOf("\U0001F600 smile"), char16_t(0xD83D));
  EXPECT_EQ(CTUnicodeGlossary::BucketOf("\u00e9t\u00e9"), char16_t(0xE9));
}

TEST(UnicodeGlossary, TranslatesFormsOnlyWithExactlyOneTranslation)
{
  CTUnicodeGlossary glossary;
  glossary.AddTermNoNonsense("Save", "Sichern");
  glossary.AddTermNoNonsense("Save", "Speichern");
  glossary.AddTermNoNonsense("Open", "\u00d6ffnen");
  glossary.AddTermNoNonsense("Exit", "");
  EXPECT_EQ(glossary.TranslationsFor("Save"), (Strings{"Sichern", "Speichern"}));
  EXPECT_EQ(glossary.FindTranslationFor("Save"), "Sichern"); // catalogue texts take the first
  EXPECT_FALSE(glossary.UniqueTranslationFor("Save"));       // forms keep ambiguous texts English
  EXPECT_EQ(glossary.UniqueTranslationFor("Open"), "\u00d6ffnen");
  EXPECT_FALSE(glossary.UniqueTranslationFor("Exit"));
  EXPECT_TRUE(glossary.HasUntranslatedTerms());
  glossary.RemoveUntranslatedTerms();
  EXPECT_FALSE(glossary.HasUntranslatedTerms());
  EXPECT_EQ(glossary.Count(), 3u);
}

TEST(UnicodeGlossary, AddsWithoutNonsense)
{
  CTUnicodeGlossary glossary;
  glossary.AddTermNoNonsense("Save", "Sichern");
  glossary.AddTermNoNonsense("Save", "Sichern");   // the same pair: nothing
  glossary.AddTermNoNonsense("Save", "");          // an empty translation of a known term: nothing
  glossary.AddTermNoNonsense("", "Leer");          // no term: nothing
  glossary.AddTermNoNonsense("Save", "Speichern"); // another translation: a second entry
  EXPECT_EQ(glossary.Count(), 2u);
  EXPECT_TRUE(glossary.Changed());

  const auto two = glossary.TermExists("Save", "Sichern");
  EXPECT_TRUE(two.bExists);
  EXPECT_FALSE(two.bIdentical);
  glossary.AddTermNoNonsense("Open", "\u00d6ffnen");
  EXPECT_TRUE(glossary.TermExists("Open", "\u00d6ffnen").bIdentical);
  EXPECT_FALSE(glossary.TermExists("Close", "").bExists);
}

TEST(UnicodeGlossary, AddTermAndTranslationTrimsAndRefusesRepeats)
{
  CTUnicodeGlossary glossary;
  const auto added = glossary.AddTermAndTranslation("  Save\t", " Sichern\r\n");
  ASSERT_TRUE(added.bAdded);
  EXPECT_EQ(added.pEntry->v_term, "Save");
  EXPECT_EQ(added.pEntry->v_translation, "Sichern");
  EXPECT_FALSE(glossary.AddTermAndTranslation("Save", "Sichern").bAdded);
  EXPECT_TRUE(glossary.AddTermAndTranslation("Save", "Sichern", true).bAdded); // part of a list
  EXPECT_FALSE(glossary.AddTermAndTranslation("Save", " ").bAdded);
  EXPECT_EQ(glossary.Count(), 1u);
}

TEST(UnicodeGlossary, UsesTranslationsFromAnother)
{
  CTUnicodeGlossary other;
  other.AddTermNoNonsense("Open", "\u00d6ffnen");
  other.AddTermNoNonsense("Save", "Speichern");

  CTUnicodeGlossary mine;
  mine.AddTermNoNonsense("Open", "");
  mine.AddTermNoNonsense("Save", "Sichern");
  mine.AddTermNoNonsense("Exit", "");
  CTUnicodeGlossary onlyEmpty;
  onlyEmpty.TakeEntriesOf(mine);

  mine.UseTranslationsFrom(other, true, false);
  EXPECT_EQ(mine.FindTranslationFor("Open"), "\u00d6ffnen");
  EXPECT_EQ(mine.FindTranslationFor("Save"), "Speichern");
  EXPECT_TRUE(mine.TranslationsFor("Exit").empty()); // unknown to other: deleted

  onlyEmpty.UseTranslationsFrom(other, false, true);
  EXPECT_EQ(onlyEmpty.FindTranslationFor("Open"), "\u00d6ffnen");
  EXPECT_EQ(onlyEmpty.FindTranslationFor("Save"), "Sichern");
  EXPECT_EQ(onlyEmpty.TranslationsFor("Exit"), Strings{""});
}

TEST(UnicodeGlossary, SortsBucketsAndPurges)
{
  CTUnicodeGlossary glossary;
  glossary.SetTargetLanguage(1031);
  for (const char* term : {"beta", "Alpha", "Beta", "alpha"})
    glossary.AddTermNoNonsense(term, "x");
  glossary.Sort();
  Strings order;
  for (const auto& [nBucket, bucket] : glossary.AllLetterEntries())
    for (const auto& entry : bucket)
      order.push_back(entry->v_term);
  EXPECT_EQ(order, (Strings{"Alpha", "alpha", "Beta", "beta"}));

  glossary.SetChangedDate(20261210);
  EXPECT_EQ(glossary.GetChangedDate(), 20261210);
  glossary.SetLanguageNameOrChangedDate("German");
  EXPECT_EQ(glossary.GetChangedDate(), 0);

  glossary.Purge();
  EXPECT_EQ(glossary.Count(), 0u);
  EXPECT_EQ(glossary.TargetLanguage(), 0u);
  EXPECT_FALSE(glossary.Changed());
}

} // namespace
} // namespace aw::i18n
