#pragma once
// The base of every dialog: its return code and read-only mode, the
// process-wide loaded hook through which each dialog is adapted and
// translated, and the steps a dialog overrides. Also the small helpers that
// dialogs share (focusing, fitting texts, lists and combo boxes, keeping a
// window inside the work area).

#include "i18n/BasicDlg.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QTreeWidget;

namespace aw::app {

// Called with the top widget of every dialog when it is loaded.
using CTBasicDialogLoadedHook = std::function<void(QWidget* top)>;

class TBasicDialog : public QDialog
{
  Q_OBJECT

public:
  explicit TBasicDialog(QWidget* owner, bool bReadOnly = false);

  int ReturnCode() const { return v_retCode; }
  void SetReturnCode(int nCode) { v_retCode = nCode; }
  bool ReadOnly() const { return v_readOnly; }

  // The loading steps, once: size constraints, the loaded hook, InitDialog.
  // Execute and the first show run it; tests call it to inspect a dialog.
  void Loaded();
  // Shows the dialog modally and answers its return code.
  int Execute();
  // Closes with the code; OK (1) only when ValidateOK agrees.
  void DoCloseWindow(int nCode);
  void Btn_OKClick() { DoCloseWindow(i18n::kReturnOK); }
  void Btn_CancelClick() { DoCloseWindow(i18n::kReturnCancel); }
  // Change handler of number fields: filters the text typed into the field.
  static void NrFieldChange(QLineEdit* edit);
  // The number-field filter on a field that has the focus; the caret keeps its place.
  static void DoNrFieldChange(QLineEdit* edit);

  static void SetLoadedHook(CTBasicDialogLoadedHook hook);
  static void CallLoadedHook(QWidget* top);

  // Pointing at a control shows its hint in the bottom panel's status line,
  // as entering it does.
  static void InitMouseHints(QWidget* top);
  static void EnableWinControl(QWidget* control, bool bEnable);
  // Focuses a control that may lie on a page of a tab widget: each page on the
  // way becomes the current one; a hidden page ends the walk without focusing.
  static void SafeFocusControl(QWidget* control);
  // Shows the text in a memo whose height fits at most nMaxLines lines.
  static void ShowInMemo(const QString& szText, QPlainTextEdit* memo, int nMaxLines);
  // Fits the columns of a report-style list to their captions and cells;
  // with bCollapseEmpty, a column (not the first) without any text gets width 0.
  static void CalculateListColumnWidths(QTreeWidget* list, int nMaxWidth, bool bCollapseEmpty);
  // Widens a combo box's drop-down list to its widest item (within the window).
  static void CalcComboBoxDropdownWidth(QComboBox* combo, bool bAdaptWidth);
  void CalcComboBoxDropdownWidths();
  // Keeps a window inside the work area of the screen holding its centre.
  static void AdaptFormToAvailableWorkArea(QWidget* form);
  // Tints the background of lists that use the plain base colour.
  static void AdaptListBackground(QWidget* top);

protected:
  // Prepares the dialog after loading; ends with AfterInitDialog.
  virtual void InitDialog();
  // Whether the dialog may close with OK.
  virtual bool ValidateOK(int nCode);
  virtual void AfterInitDialog() {}

  void showEvent(QShowEvent* event) override;
  // Esc and the window's close box: the return code stays as it is.
  void reject() override;

private:
  int v_retCode = i18n::kReturnCancel;
  bool v_readOnly = false;
  bool v_loaded = false;
  TBasicDialog* v_typedSelf = nullptr;
};

} // namespace aw::app
