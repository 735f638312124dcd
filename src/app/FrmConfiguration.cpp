#include "app/FrmConfiguration.h"

#include "app/FrameBottomPanelExt.h"
#include "app/GraphPage.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace aw::app {

TFrm_Configuration::TFrm_Configuration(QWidget* owner, const CTSelectionModel* model) : TBasicDialog(owner)
{
  setObjectName(QStringLiteral("TFrm_Configuration"));
  setWindowTitle(QStringLiteral("Configuration Conventions"));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  // A tool window of the main window stays above it.
  setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  auto* layout = new QVBoxLayout(this);
  Pbx_Config = new TConfigurationBox(this, false);
  Pbx_Config->setObjectName(QStringLiteral("Pbx_Config"));
  Pbx_Config->SetModel(model);
  layout->addWidget(Pbx_Config, 1);
  Pnl_Bottom = new TFraBottomPanelExt(this);
  Pnl_Bottom->UseOKOnly(true);
  layout->addWidget(Pnl_Bottom);
  resize(640, 480);
}

void TFrm_Configuration::Redraw() { Pbx_Config->Invalidate(); }

QPushButton* TFrm_Configuration::CloseButton() const { return Pnl_Bottom->OKButton(); }

} // namespace aw::app
