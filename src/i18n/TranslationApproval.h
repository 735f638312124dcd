#pragma once
// The approval of a translation by an affiliate of the maker: whether the
// e-mail address given looks like one, and the one-line record of the
// approval.

#include <cstdint>
#include <string>
#include <string_view>

namespace aw::i18n {

struct CTTranslationApproval
{
  std::string szProgram; // the program's file name without folder
  std::string szVersion;
  std::uint32_t nLanguage = 0; // the interface language id
  std::string szFirstName, szLastName, szEmail;
};

// Text before the "@", and after it a "." that is neither the first nor the
// last character of the rest ("a@b.c" passes; "@b.c", "a@b", "a@.c", "a@b." fail).
bool IsValidApprovalEmail(std::string_view szAddress);

// "<approval program=\"…\" nr=\"…\" language=\"…\" firstname=\"…\" lastname=\"…\"
// email=\"…\" />" ended by CR LF; program, names and address escaped as glossary cells.
std::string ApprovalRecord(const CTTranslationApproval& approval);

} // namespace aw::i18n
