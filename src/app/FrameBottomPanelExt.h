#pragma once
// The bottom panel of a dialog: OK and Cancel at the right and a status line
// that shows the hint of the control being entered or pointed at. A read-only
// dialog gets a single "&Close" button in Cancel's place.

#include <QFrame>

class QLabel;
class QObject;
class QPushButton;
class QStatusBar;

namespace aw::app {

class TBasicDialog;

class TFraBottomPanelExt : public QFrame
{
  Q_OBJECT

public:
  // owner: the dialog whose OK and Cancel the buttons call.
  explicit TFraBottomPanelExt(QWidget* owner);

  // Hides Cancel (OK takes its place); with bReplaceCaption OK becomes
  // "&Close" with the hint "Close the window".
  void UseOKOnly(bool bReplaceCaption);
  void SetHintPanelIndex(int nIndex) { v_hintPanelIndex = nIndex; }
  // Puts a button of the dialog at the left end of the row of OK and Cancel.
  void AddLeftButton(QPushButton* button);
  void Btn_OKClick();
  void Btn_CancelClick();
  // Shows the hint of the control entered in the status line.
  void GlobalOnEnter(QObject* sender);

  // Whether later panels' status lines use the system font (true) or the
  // panel's own font.
  static void SetCtlBarSysFont(bool bUseSystemFont);
  // Writes into a status label, or a status bar's message for panel 0.
  static void SetHintText(const QString& szText, QWidget* statusBar, int nPanelIndex);
  // A window or frame without a hint leaves the status line as it is; a
  // control shows its long hint (status tip, else tool tip); anything else clears it.
  static void DoGlobalOnEnter(QObject* sender, QWidget* statusBar, int nPanelIndex);
  // GlobalOnEnter of the first bottom panel of the form.
  static void GlobalOnEnterForForm(QWidget* form, QObject* sender);

  QPushButton* OKButton() const { return Btn_OK; }
  QPushButton* CancelButton() const { return Btn_Cancel; }
  QLabel* StatusLine() const { return Ctl_StatusBar; }

private:
  TBasicDialog* OwnerDialog() const;

  QWidget* Pnl_Buttons = nullptr;
  QPushButton* Btn_OK = nullptr;
  QPushButton* Btn_Cancel = nullptr;
  QLabel* Lbl_RO = nullptr;
  QLabel* Ctl_StatusBar = nullptr;
  int v_hintPanelIndex = 0;
  QWidget* v_owner = nullptr;
};

} // namespace aw::app
