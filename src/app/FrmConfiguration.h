#pragma once
// The floating window "Configuration Conventions": the configuration drawing
// of the selected unit without its limits, kept on top of the main window
// while the Psychrometrics page is shown, so that the state names of the
// chart can be read against the unit's air paths.

#include "app/BasicDialog.h"

class QPushButton;

namespace aw {
class CTSelectionModel;
}

namespace aw::app {

class TConfigurationBox;
class TFraBottomPanelExt;

class TFrm_Configuration : public TBasicDialog
{
  Q_OBJECT

public:
  // The window deletes itself when closed.
  TFrm_Configuration(QWidget* owner, const CTSelectionModel* model);

  // The unit, its heaters or the texts changed.
  void Redraw();
  TConfigurationBox* Drawing() const { return Pbx_Config; }
  QPushButton* CloseButton() const;

private:
  TConfigurationBox* Pbx_Config = nullptr;
  TFraBottomPanelExt* Pnl_Bottom = nullptr;
};

} // namespace aw::app
