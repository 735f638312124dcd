#pragma once
// "Approve Translation": an affiliate of the maker confirms that the
// translation in use may be published. The names and the address are kept in
// the maker's settings for the next approval. The upload belongs to the
// online services, which this program does not have: the approval record is
// written into a file of its own, and the dialog says where.

#include "app/BasicDialog.h"

#include <filesystem>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTabWidget;

namespace aw::app {

class TFraBottomPanelExt;

class TFrmApproveTranslation : public TBasicDialog
{
  Q_OBJECT

public:
  explicit TFrmApproveTranslation(QWidget* owner);

  // The folder the approval records are written to.
  static std::filesystem::path ApprovalFolder();
  // The record written by the last approval; empty before.
  const std::filesystem::path& RecordFile() const { return v_recordFile; }
  QLineEdit* FirstName() const { return Txt_TrFirstName; }
  QLineEdit* LastName() const { return Txt_TrLastName; }
  QLineEdit* Email() const { return Txt_TrEmail; }
  TFraBottomPanelExt* BottomPanel() const { return Fra_BottomPanel; }

protected:
  void InitDialog() override;
  bool ValidateOK(int nCode) override;

private:
  bool WriteApproval(const QString& szFirst, const QString& szLast, const QString& szEmail);
  QLabel* HiddenText(const char* szName, const QString& szText);

  QTabWidget* Tab_Pages = nullptr;
  QWidget* Tab_Approve = nullptr;
  QPlainTextEdit* Mmo_Text = nullptr;
  QListWidget* Lbx_Text = nullptr;
  QLabel* Lbl_ProjectName = nullptr;
  QLabel* Lbl_Language = nullptr;
  QLineEdit* Txt_TrFirstName = nullptr;
  QLineEdit* Txt_TrLastName = nullptr;
  QLineEdit* Txt_TrEmail = nullptr;
  QLabel* Lbl_Approve = nullptr;
  QLabel* Lbl_ErrInvalidEmail = nullptr;
  QLabel* Lbl_ErrFileErr = nullptr;
  QLabel* Lbl_HinSaved = nullptr;
  TFraBottomPanelExt* Fra_BottomPanel = nullptr;
  std::filesystem::path v_recordFile;
};

} // namespace aw::app
