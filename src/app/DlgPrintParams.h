#pragma once
// The print parameters ("Distributor"): the distributor's three address
// lines and logo that every report prints in its footer and header. A logo
// larger than the report's header allows is refused with message 41.

#include "app/BasicDialog.h"
#include "docs/SelectionReport.h"

#include <QImage>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace aw::platform {
class SettingsStore;
}

namespace aw::app {

class TFraBottomPanelExt;

class TDlgPrintParams : public TBasicDialog
{
  Q_OBJECT

public:
  TDlgPrintParams(QWidget* owner, platform::SettingsStore& store);

  // The stored settings, read anew each time (the report reads them this way too).
  static docs::CTDistributorSettings Settings(const platform::SettingsStore& store);
  static std::string GetLine1(const platform::SettingsStore& store) { return Settings(store).lines[0]; }
  static std::string GetLine2(const platform::SettingsStore& store) { return Settings(store).lines[1]; }
  static std::string GetLine3(const platform::SettingsStore& store) { return Settings(store).lines[2]; }
  static std::string GetLogoFile(const platform::SettingsStore& store) { return Settings(store).szLogoFile; }

  // Chooses a logo file (Browse) or none (Clear) and shows it.
  void SetLogoFile(const QString& szFile);
  QLineEdit* Line(int nIndex) const { return v_lines[std::size_t(nIndex)]; }
  QLabel* FileNameLabel() const { return Lbl_FileName; }
  QPushButton* ClearButton() const { return Btn_Clear; }

protected:
  void InitDialog() override;
  // OK saves the trimmed lines and the logo unless the logo is too large (message 41).
  bool ValidateOK(int nCode) override;

private:
  void BrowseClick();
  void ShowLogo();
  QString LogoFolder() const;

  platform::SettingsStore& v_store;
  QString v_logoFile;
  QImage v_logo;
  std::array<QLineEdit*, 3> v_lines{};
  QGroupBox* Grb_Distrib = nullptr;
  QGroupBox* Grb_Logo = nullptr;
  QLabel* Pbx_Logo = nullptr;
  QLabel* Lbl_FileName = nullptr;
  QLabel* Lbl_Width = nullptr;
  QLabel* Lbl_Height = nullptr;
  QPushButton* Btn_Browse = nullptr;
  QPushButton* Btn_Clear = nullptr;
  TFraBottomPanelExt* Fra_BottomPanel = nullptr;
};

} // namespace aw::app
