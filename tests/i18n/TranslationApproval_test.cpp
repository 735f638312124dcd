// The approval of a translation: which addresses pass and the record line.

#include "i18n/TranslationApproval.h"

#include <gtest/gtest.h>

namespace aw::i18n {
namespace {

TEST(TranslationApprovalTest, AnAddressNeedsTextBeforeTheAtAndADotInsideTheRest)
{
  const std::pair<const char*, bool> cases[] = {
    {"a@b.c", true},         {"anna.berg@korvath.example.com", true}, {"@b.c", false}, {"a@b", false},
    {"a@.c", false},         {"a@b.", false},                         {"", false},     {"a.b.c", false},
    {"a@b.c@d", true}, // only the first "@" and the first "." after it count
  };
  for (const auto& [address, valid] : cases)
    EXPECT_EQ(IsValidApprovalEmail(address), valid) << address;
}

TEST(TranslationApprovalTest, TheRecordIsOneEscapedLine)
{
  CTTranslationApproval approval{"airwright", "2.1.0", 1031, "Zoë", "O\"Brien & <Co>", "z@k.example"};
  EXPECT_EQ(ApprovalRecord(approval),
            "<approval program=\"airwright\" nr=\"2.1.0\" language=\"1031\" firstname=\"Zo&#235;\" "
            "lastname=\"O&#34;Brien &#38; &#60;Co&#62;\" email=\"z@k.example\" />\r\n");
}

} // namespace
} // namespace aw::i18n
