#include "app/UnattendedPrompts.h"

#include <iostream>

namespace aw::app {
namespace {

constexpr int kUnitedKingdom = 4099;
constexpr std::uint32_t kEnglish = 1033;

void Say(const std::string& szText)
{
  std::cerr << "airwright: " << szText << '\n';
}

} // namespace

void UnattendedPrompts::ShowMessage(const QString& szText)
{
  Say(szText.toStdString());
}

int UnattendedPrompts::ShowNumberedMessage(const MessageRequest& request)
{
  Say(i18n::GetUnicodeString(request.nMessage, request.params));
  const std::optional<i18n::DialogButton> enter = i18n::EnterButton(request.buttons);
  return enter ? i18n::Info(*enter).nReturnCode : i18n::kReturnCancel;
}

std::optional<QString> UnattendedPrompts::EditString(const EditRequest& request)
{
  Say(i18n::GetUnicodeString(request.nMessage, request.params));
  return std::nullopt;
}

QString UnattendedPrompts::ChooseOpenFile(const FileRequest&)
{
  return {};
}

QString UnattendedPrompts::ChooseSaveFile(const FileRequest&)
{
  return {};
}

QString UnattendedPrompts::ChooseFolder(const FileRequest&)
{
  return {};
}

void UnattendedPrompts::ShowPlainDialog(QWidget*, const QString& szCaption, const QString& szText)
{
  Say((szCaption + ": " + szText).toStdString());
}

void UnattendedPrompts::OpenWithApplication(const QString&) {}

std::optional<LocaleChoice> UnattendedPrompts::ChooseLocale(const LocaleRequest& request)
{
  return LocaleChoice{request.nCountry ? request.nCountry : kUnitedKingdom,
                      request.nLanguage ? request.nLanguage : kEnglish};
}

std::optional<QColor> UnattendedPrompts::ChooseColour(QWidget*, const QColor&, const QString&)
{
  return std::nullopt; // the colour stays
}

} // namespace aw::app
