#include "app/UserPrompts.h"

#include "app/BaseMsgDialog.h"
#include "app/FrmLocaleChoice.h"
#include "app/InterfaceLanguage.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace aw::app {
namespace {

// The nearest window of the parent, else none (the application).
QWidget* OwnerOf(QWidget* parent)
{
  return parent ? parent->window() : nullptr;
}

class DialogPrompts : public UserPrompts
{
public:
  void ShowMessage(const QString& szText) override
  {
    QMessageBox::information(nullptr, QApplication::applicationName(), TranslatedText(szText));
  }

  int ShowNumberedMessage(const MessageRequest& request) override
  {
    // The screen is brought up to date before the dialog comes up.
    QApplication::processEvents();
    TBaseMsg dialog(OwnerOf(request.parent), request);
    return dialog.Execute();
  }

  std::optional<QString> EditString(const EditRequest& request) override
  {
    QApplication::processEvents();
    TBaseMsg dialog(OwnerOf(request.parent), request);
    if (dialog.Execute() != i18n::kReturnOK)
      return std::nullopt;
    return dialog.EditedText();
  }

  QString ChooseOpenFile(const FileRequest& request) override
  {
    QFileDialog dialog(OwnerOf(request.parent), TranslatedText(request.szTitle), request.szFolder,
                       QtFileFilter(TranslatedText(request.szFilter)));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.szDefaultExtension);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().front()
                                                                                     : QString();
  }

  QString ChooseSaveFile(const FileRequest& request) override
  {
    QFileDialog dialog(OwnerOf(request.parent), TranslatedText(request.szTitle), request.szFolder,
                       QtFileFilter(TranslatedText(request.szFilter)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.szDefaultExtension);
    if (!request.szFileName.isEmpty())
      dialog.selectFile(request.szFileName);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().front()
                                                                                     : QString();
  }

  QString ChooseFolder(const FileRequest& request) override
  {
    return QFileDialog::getExistingDirectory(OwnerOf(request.parent), TranslatedText(request.szTitle),
                                             request.szFolder);
  }

  void ShowPlainDialog(QWidget* parent, const QString& szCaption, const QString& szText) override
  {
    // Each line is a text of its own in the glossary.
    QStringList lines = szText.split(QLatin1Char('\n'));
    for (QString& line : lines)
      line = TranslatedText(line);
    QMessageBox box(QMessageBox::NoIcon, TranslatedText(szCaption), lines.join(QLatin1Char('\n')), QMessageBox::Ok,
                    OwnerOf(parent));
    box.exec();
  }

  void OpenWithApplication(const QString& szPathOrUrl) override
  {
    const QUrl url = QUrl::fromUserInput(szPathOrUrl);
    QDesktopServices::openUrl(url);
  }

  std::optional<LocaleChoice> ChooseLocale(const LocaleRequest& request) override
  {
    QApplication::processEvents();
    TFrmLocaleChoice dialog(OwnerOf(request.parent), request);
    if (dialog.Execute() != i18n::kReturnOK)
      return std::nullopt;
    return dialog.Choice();
  }

  std::optional<QColor> ChooseColour(QWidget* parent, const QColor& current, const QString& szTitle) override
  {
    const QColor colour = QColorDialog::getColor(current, OwnerOf(parent), szTitle);
    return colour.isValid() ? std::optional<QColor>(colour) : std::nullopt;
  }
};

UserPrompts*& Installed()
{
  static UserPrompts* installed = nullptr;
  return installed;
}

} // namespace

UserPrompts& UserPrompts::Current()
{
  static DialogPrompts dialogs;
  UserPrompts* installed = Installed();
  return installed ? *installed : dialogs;
}

ScopedUserPrompts::ScopedUserPrompts(UserPrompts& prompts) : v_previous(Installed())
{
  Installed() = &prompts;
}

ScopedUserPrompts::~ScopedUserPrompts()
{
  Installed() = v_previous;
}

QString QtFileFilter(const QString& szFilter)
{
  // Pairs of caption and pattern; Qt reads the patterns from the caption.
  const QStringList parts = szFilter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    filters << parts[i];
  if (parts.size() % 2 == 1 && !parts.back().isEmpty())
    filters << parts.back();
  return filters.join(QStringLiteral(";;"));
}

} // namespace aw::app
