#pragma once
// Everything the user would otherwise answer in a modal window (message
// boxes, numbered messages, file choosers) and every hand-over to another
// application goes through the current UserPrompts, so that tests put a
// recorder in its place and never wait on a modal dialog.

#include "i18n/BaseMsgMan.h"
#include "i18n/BasicDlg.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

class QWidget;

namespace aw::app {

// A numbered message to show: its kind, buttons, number and parameters.
struct MessageRequest
{
  QWidget* parent = nullptr;
  i18n::DialogKind kind = i18n::DialogKind::None;
  i18n::DialogButtons buttons;
  int nMessage = 0;
  i18n::MessageParams params;
};

// A text-entry dialog: caption and message numbers, default value, input rules.
struct EditRequest
{
  QWidget* parent = nullptr;
  int nCaption = 0;
  i18n::MessageParams captionParams;
  int nMessage = 0;
  i18n::MessageParams params;
  QString szDefault;
  i18n::EditRules rules;
};

// An open or save dialog. The filter is in the form "Name (*.ext)|*.ext|...".
struct FileRequest
{
  QWidget* parent = nullptr;
  QString szTitle;
  QString szFilter;
  QString szDefaultExtension;
  QString szFolder;   // where the dialog starts; empty for its default folder
  QString szFileName; // proposed name (save dialog)
};

// The locale choice of the first start: the stored country and language to
// preselect (own numeric country code, language id; 0 for none).
struct LocaleRequest
{
  QWidget* parent = nullptr;
  QString szAppTitle;    // "Welcome to the $1 program"; empty hides that line
  QString szWindowTitle; // replaces the caption "Welcome" when given
  int nCountry = 0;
  std::uint32_t nLanguage = 0;
};
struct LocaleChoice
{
  int nCountry;
  std::uint32_t nLanguage;
};

class UserPrompts
{
public:
  virtual ~UserPrompts() = default;

  // A plain message with an OK button, titled with the application's title.
  virtual void ShowMessage(const QString& szText) = 0;
  // A numbered message dialog; answers the return code of the button chosen
  // (2 when it was closed without a button).
  virtual int ShowNumberedMessage(const MessageRequest& request) = 0;
  // The trimmed text when closed with OK, else nothing.
  virtual std::optional<QString> EditString(const EditRequest& request) = 0;
  // The chosen file; empty when the user cancelled. The open dialog accepts
  // only existing files; the save dialog asks before overwriting.
  virtual QString ChooseOpenFile(const FileRequest& request) = 0;
  virtual QString ChooseSaveFile(const FileRequest& request) = 0;
  // An existing folder, starting at the request's folder; empty when cancelled.
  virtual QString ChooseFolder(const FileRequest& request) = 0;
  // A plain dialog with a caption and a text (About).
  virtual void ShowPlainDialog(QWidget* parent, const QString& szCaption, const QString& szText) = 0;
  // Opens a document or address with the application the desktop associates with it.
  virtual void OpenWithApplication(const QString& szPathOrUrl) = 0;
  // The locale-choice dialog; nothing when the user cancels.
  virtual std::optional<LocaleChoice> ChooseLocale(const LocaleRequest& request) = 0;
  // A colour dialog that starts at the colour; nothing when the user cancels.
  virtual std::optional<QColor> ChooseColour(QWidget* parent, const QColor& current, const QString& szTitle) = 0;

  // The real dialogs, unless a test has put other prompts in their place.
  static UserPrompts& Current();
};

// Puts other prompts in place for the lifetime of this object.
class ScopedUserPrompts
{
public:
  explicit ScopedUserPrompts(UserPrompts& prompts);
  ~ScopedUserPrompts();
  ScopedUserPrompts(const ScopedUserPrompts&) = delete;
  ScopedUserPrompts& operator=(const ScopedUserPrompts&) = delete;

private:
  UserPrompts* v_previous;
};

// "Name (*.ext)|*.ext|All files (*.*)|*.*" as Qt's ";;"-separated filter.
QString QtFileFilter(const QString& szFilter);

} // namespace aw::app
