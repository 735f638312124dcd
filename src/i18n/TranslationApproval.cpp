#include "i18n/TranslationApproval.h"

#include "foundation/ExcelXML2003.h"

namespace aw::i18n {

bool IsValidApprovalEmail(std::string_view szAddress)
{
  const std::size_t at = szAddress.find('@');
  if (at == std::string_view::npos || at == 0)
    return false;
  const std::string_view domain = szAddress.substr(at + 1);
  const std::size_t dot = domain.find('.');
  return dot != std::string_view::npos && dot != 0 && dot + 1 != domain.size();
}

std::string ApprovalRecord(const CTTranslationApproval& a)
{
  const auto safe = [](const std::string& sz) { return CTExcelXML2003::XMLSafeString(sz); };
  return "<approval program=\"" + safe(a.szProgram) + "\" nr=\"" + a.szVersion + "\" language=\"" +
         std::to_string(a.nLanguage) + "\" firstname=\"" + safe(a.szFirstName) + "\" lastname=\"" +
         safe(a.szLastName) + "\" email=\"" + safe(a.szEmail) + "\" />\r\n";
}

} // namespace aw::i18n
