#include "app/Uninstall.h"

#include "app/BaseMsgDialog.h"
#include "i18n/MessageTexts.h"
#include "i18n/UninstallReport.h"
#include "platform/DesktopIntegration.h"

namespace aw::app {
namespace {

std::vector<std::string> ToStd(const QStringList& arguments)
{
  std::vector<std::string> result;
  for (const QString& argument : arguments)
    result.push_back(argument.toStdString());
  return result;
}

QStringList ToQt(const std::vector<std::string>& lines)
{
  QStringList result;
  for (const std::string& szLine : lines)
    result << QString::fromStdString(szLine);
  return result;
}

} // namespace

bool IsUninstallRequest(const QStringList& arguments)
{
  return platform::IsUninstallRequest(ToStd(arguments));
}

bool IsDeletingCopyRequest(const QStringList& arguments)
{
  return platform::IsDeletingCopyRequest(ToStd(arguments));
}

void RunUninstall(QWidget* parent, const std::filesystem::path& dataHome, const std::filesystem::path& programFile)
{
  using i18n::DialogButton;
  const int answer = TBaseMsg::DisplayQuestion(parent, i18n::kMsgConfirmUninstall, {DialogButton::Yes, DialogButton::No});
  if (answer != i18n::Info(DialogButton::Yes).nReturnCode)
    return;
  const i18n::UninstallReport report = i18n::DescribeUninstall(platform::UnregisterForUser(dataHome, programFile),
                                                               platform::RunsFromInstalledPackage(programFile));
  if (report.bComplete)
    TBaseMsg::DisplayHint(parent, ToQt(report.lines));
  else
    TBaseMsg::DisplayWarning(parent, ToQt(report.lines));
}

} // namespace aw::app
