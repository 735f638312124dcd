#pragma once
// The message dialog: a numbered message shown as an error, warning, hint or
// question with a chosen set of buttons, or a text-entry dialog. The class
// operations show them through the current UserPrompts, so that tests answer
// them without a modal window.

#include "app/BasicDialog.h"
#include "app/UserPrompts.h"

#include <QStringList>

#include <array>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace aw::app {

class TBaseMsg : public TBasicDialog
{
  Q_OBJECT

public:
  // A message dialog.
  TBaseMsg(QWidget* owner, const MessageRequest& request);
  // A text-entry dialog.
  TBaseMsg(QWidget* owner, const EditRequest& request);

  QPushButton* Button(i18n::DialogButton button) const;
  QString MessageText() const;
  QString EditedText() const;
  QLineEdit* EditField() const { return Txt_Edit; }
  QLabel* Icon() const { return Img_Icon; }

  static void DisplayError(QWidget* parent, int nMessage, const i18n::MessageParams& params = {});
  static void DisplayWarning(QWidget* parent, int nMessage, const i18n::MessageParams& params = {});
  static void DisplayHint(QWidget* parent, int nMessage, const i18n::MessageParams& params = {});
  // Literal text: one line, or one line per item.
  static void DisplayError(QWidget* parent, const QString& szText);
  static void DisplayError(QWidget* parent, const QStringList& lines);
  static void DisplayWarning(QWidget* parent, const QString& szText);
  static void DisplayWarning(QWidget* parent, const QStringList& lines);
  static void DisplayHint(QWidget* parent, const QString& szText);
  static void DisplayHint(QWidget* parent, const QStringList& lines);
  // Answers the return code of the button chosen.
  static int DisplayQuestion(QWidget* parent, int nMessage, i18n::DialogButtons buttons);
  static int DisplayQuestion(QWidget* parent, int nMessage, const i18n::MessageParams& params,
                             i18n::DialogButtons buttons);
  static int DisplayQuestion(QWidget* parent, const QString& szText, i18n::DialogButtons buttons);
  static int DisplayQuestion(QWidget* parent, const QStringList& lines, i18n::DialogButtons buttons);
  // The trimmed text when closed with OK, else nothing.
  static std::optional<QString> DisplayEditString(const EditRequest& request);

protected:
  void InitDialog() override;
  bool ValidateOK(int nCode) override;
  void reject() override;

private:
  void CreateControls();
  void LayOutMessageMode();
  void LayOutEditMode();
  void PlaceButtons();
  void EditChanged();

  QLineEdit* Txt_Edit = nullptr;
  QLabel* Img_Icon = nullptr;
  QWidget* Sbx_Bottom = nullptr;
  std::array<QPushButton*, i18n::kDialogButtonCount> v_buttons{};
  QPlainTextEdit* Txt_Message = nullptr;

  int v_captionMsgNr = 0;
  i18n::MessageParams v_captionParams;
  int v_msgNr = 0;
  i18n::MessageParams v_params;
  QString v_defaultValue;
  bool v_forEdit = false;
  i18n::DialogKind v_dlgType = i18n::DialogKind::None;
  i18n::DialogButtons v_dlgBtns;
  i18n::EditRules v_rules;
};

} // namespace aw::app
