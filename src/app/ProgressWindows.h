#pragma once
// The small windows of long operations: the progress window with its bar and
// percentage, the wait window with one message, and the logon dialog that
// asks a database's credentials.

#include "app/BasicDialog.h"
#include "i18n/BasicDlg.h"

#include <memory>
#include <string>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace aw::app {

class TFrm_Busy : public TBasicDialog
{
  Q_OBJECT

public:
  explicit TFrm_Busy(QWidget* owner);

  // A total of 0 or less is ignored; otherwise the count starts again at 0.
  void SetTotalActions(int nTotal);
  void IncActionNr();
  void SetActionString(const QString& szText);

  const i18n::ProgressState& Progress() const { return v_progress; }
  QString PercentageText() const;
  QString ActionText() const;
  // Width of the bar's filled part, in pixels.
  int FilledWidth() const;

protected:
  void InitDialog() override;

private:
  void Repaint();

  QWidget* Pnl_Progress = nullptr;
  QWidget* Pbx_Progress = nullptr;
  QLabel* Lbl_Percentage = nullptr;
  QPlainTextEdit* Txt_Msg = nullptr;
  i18n::ProgressState v_progress;
  int v_boxW = 0;
  int v_boxH = 0;
};

class TFrm_WaitFor : public QDialog
{
  Q_OBJECT

public:
  explicit TFrm_WaitFor(QWidget* owner);

  // Shows the window, without blocking, with the text of message nMessage;
  // the caller closes it by releasing it when the wait is over.
  static std::unique_ptr<TFrm_WaitFor> CreateForMessageID(QWidget* owner, int nMessage,
                                                          const std::string& szParam = {});
  QString Message() const;

private:
  QLabel* Lbl_Msg = nullptr;
};

class TFrm_Logon : public TBasicDialog
{
  Q_OBJECT

public:
  explicit TFrm_Logon(QWidget* owner);

  // Asks for the name and password; true when closed with OK.
  bool LogOn();
  bool LoggedOn() const { return v_loggedOn; }
  // The texts entered, when logged on; else empty.
  QString GetName() const;
  QString GetPassword() const;

  QLineEdit* NameField() const { return Ed_Name; }
  QLineEdit* PasswordField() const { return Ed_Password; }
  QPushButton* OKButton() const { return Btn_OK; }
  QPushButton* CancelButton() const { return Btn_Cancel; }

private:
  QLineEdit* Ed_Name = nullptr;
  QLineEdit* Ed_Password = nullptr;
  QPushButton* Btn_OK = nullptr;
  QPushButton* Btn_Cancel = nullptr;
  bool v_loggedOn = false;
};

} // namespace aw::app
