#pragma once
// The material-list settings frame of the preferences: "Compliant with TALO
// SAP CRM system" (with its section-header options) or "Custom" (one list,
// a list per system or both, optionally with piping). The frame edits the
// program-wide values (docs::CTXMLMatListSettings::Current()).

#include "docs/XMLMatListSettings.h"

#include <QWidget>

#include <functional>
#include <string_view>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace aw::app {

class TFrmXMLMatListSettings : public QWidget
{
  Q_OBJECT

public:
  // Told about every control of the frame that takes the focus (the hosting
  // dialog shows its hint).
  using OnEnter = std::function<void(QWidget* control)>;

  explicit TFrmXMLMatListSettings(QWidget* parent = nullptr);

  // The program-wide values from and to "<root>\XMLMatList" of the user's
  // settings; an empty root is the maker's key. Failures are ignored.
  static void ReadFromRegistry(std::string_view szRegRoot);
  static void WriteToRegistry(std::string_view szRegRoot);

  // Fills the controls from the program-wide values; the piping check box is
  // shown only for an application that has piping.
  void Initialize(OnEnter pOnEnter, bool bApplicationHasPiping);
  // The controls into the program-wide values.
  void StoreSettings();
  // The given values with what the controls hold.
  docs::CTXMLMatListSettings Edited(docs::CTXMLMatListSettings values) const;
  // Without the two choices only the section-header options are shown.
  void SetChoicesVisible(bool bVisible);

  void Rbn_SAPCRMClick();
  void Chb_UseSectHeaderClick();

  QRadioButton* SAPCRMButton() const { return Rbn_SAPCRM; }
  QRadioButton* CustomButton() const { return Rbn_Custom; }
  QCheckBox* UseSectionHeaderBox() const { return Chb_UseSectHeader; }
  QLineEdit* SectionHeaderField() const { return Txt_SectHeader; }
  QWidget* SectionHeaderPanel() const { return Pnl_SectHeader; }
  QWidget* CustomPanel() const { return Pnl_Custom; }
  QRadioButton* CustAllButton() const { return Rbn_CustAll; }
  QRadioButton* CustPerSystemButton() const { return Rbn_CustPerSystem; }
  QRadioButton* CustBothButton() const { return Rbn_CustBoth; }
  QCheckBox* PipingBox() const { return Chb_CustPiping; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void CreateControls();
  void UpdateEnabling();
  void GlobalOnEnter(QWidget* control);

  QRadioButton* Rbn_SAPCRM = nullptr;
  QWidget* Pnl_SectHeader = nullptr;
  QCheckBox* Chb_UseSectHeader = nullptr;
  QLineEdit* Txt_SectHeader = nullptr;
  QRadioButton* Rbn_Custom = nullptr;
  QWidget* Pnl_Custom = nullptr;
  QRadioButton* Rbn_CustAll = nullptr;
  QRadioButton* Rbn_CustPerSystem = nullptr;
  QRadioButton* Rbn_CustBoth = nullptr;
  QCheckBox* Chb_CustPiping = nullptr;
  OnEnter v_onEnter;
  bool v_hasPiping = false;
};

} // namespace aw::app
