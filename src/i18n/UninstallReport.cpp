#include "i18n/UninstallReport.h"

#include "i18n/BaseMsgMan.h"
#include "i18n/MessageTexts.h"

namespace aw::i18n {

UninstallReport DescribeUninstall(const platform::DesktopRemoval& removal, bool bFromPackage)
{
  UninstallReport report;
  report.bComplete = removal.Complete() && !bFromPackage;
  report.lines.push_back(report.bComplete ? GetUnicodeString(kMsgUninstalled)
                                          : TranslatedText("Airwright is not completely uninstalled."));
  for (const auto& file : removal.removed)
    report.lines.push_back(TranslatedText("Removed:") + " " + file.string());
  for (const std::string& szLeft : removal.left)
    report.lines.push_back(TranslatedText("Not removed:") + " " + szLeft);
  if (bFromPackage)
    report.lines.push_back(TranslatedText("The installed program stays: remove it as it was installed "
                                          "(apt remove airwright for the package)."));
  return report;
}

} // namespace aw::i18n
