#pragma once
// The answers given when nobody is there to answer (screenshot mode): every
// message goes to standard error, a question takes the button that Enter
// would press, a file chooser is cancelled, and the locale choice takes the
// preselected locale (else English in the United Kingdom), so that the
// program never waits on a dialog nobody sees.

#include "app/UserPrompts.h"

namespace aw::app {

class UnattendedPrompts : public UserPrompts
{
public:
  void ShowMessage(const QString& szText) override;
  int ShowNumberedMessage(const MessageRequest& request) override;
  std::optional<QString> EditString(const EditRequest& request) override;
  QString ChooseOpenFile(const FileRequest& request) override;
  QString ChooseSaveFile(const FileRequest& request) override;
  QString ChooseFolder(const FileRequest& request) override;
  void ShowPlainDialog(QWidget* parent, const QString& szCaption, const QString& szText) override;
  void OpenWithApplication(const QString& szPathOrUrl) override;
  std::optional<LocaleChoice> ChooseLocale(const LocaleRequest& request) override;
  std::optional<QColor> ChooseColour(QWidget* parent, const QColor& current, const QString& szTitle) override;
};

} // namespace aw::app
