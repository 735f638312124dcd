#include "app/XMLMatListSettings.h"

#include "docs/XMLMatListSettings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace aw::app {
namespace {

constexpr int kPanelIndent_px = 20;

template <class Control>
Control* AddControl(QLayout* layout, QWidget* parent, const char* szName, const QString& szCaption)
{
  auto* control = new Control(szCaption, parent);
  control->setObjectName(QString::fromLatin1(szName));
  layout->addWidget(control);
  return control;
}

QWidget* AddPanel(QLayout* layout, QWidget* parent, const char* szName)
{
  auto* panel = new QWidget(parent);
  panel->setObjectName(QString::fromLatin1(szName));
  layout->addWidget(panel);
  return panel;
}

docs::CTXMLMatListSettings& Values()
{
  return docs::CTXMLMatListSettings::Current();
}

} // namespace

TFrmXMLMatListSettings::TFrmXMLMatListSettings(QWidget* parent) : QWidget(parent)
{
  setObjectName(QStringLiteral("TFrmXMLMatListSettings"));
  CreateControls();
  Initialize({}, false);
}

void TFrmXMLMatListSettings::CreateControls()
{
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  Rbn_SAPCRM = AddControl<QRadioButton>(layout, this, "Rbn_SAPCRM", QStringLiteral("Compliant with TALO SAP CRM system"));
  Pnl_SectHeader = AddPanel(layout, this, "Pnl_SectHeader");
  auto* header = new QHBoxLayout(Pnl_SectHeader);
  header->setContentsMargins(kPanelIndent_px, 0, 0, 0);
  Chb_UseSectHeader = AddControl<QCheckBox>(header, Pnl_SectHeader, "Chb_UseSectHeader", QStringLiteral("Use section header"));
  Txt_SectHeader = new QLineEdit(Pnl_SectHeader);
  Txt_SectHeader->setObjectName(QStringLiteral("Txt_SectHeader"));
  header->addWidget(Txt_SectHeader);

  Rbn_Custom = AddControl<QRadioButton>(layout, this, "Rbn_Custom", QStringLiteral("Custom"));
  Pnl_Custom = AddPanel(layout, this, "Pnl_Custom");
  auto* custom = new QVBoxLayout(Pnl_Custom);
  custom->setContentsMargins(kPanelIndent_px, 0, 0, 0);
  Rbn_CustAll = AddControl<QRadioButton>(custom, Pnl_Custom, "Rbn_CustAll", QStringLiteral("Make one list containing all materials"));
  Rbn_CustPerSystem = AddControl<QRadioButton>(custom, Pnl_Custom, "Rbn_CustPerSystem", QStringLiteral("Make separate list for each system"));
  Rbn_CustBoth = AddControl<QRadioButton>(custom, Pnl_Custom, "Rbn_CustBoth", QStringLiteral("Do both"));
  Chb_CustPiping = AddControl<QCheckBox>(custom, Pnl_Custom, "Chb_CustPiping", QStringLiteral("Include refrigerant and piping"));

  // The two choices and the three custom lists are each one group of alternatives.
  auto* choices = new QButtonGroup(this);
  choices->addButton(Rbn_SAPCRM);
  choices->addButton(Rbn_Custom);
  auto* lists = new QButtonGroup(this);
  for (QRadioButton* button : {Rbn_CustAll, Rbn_CustPerSystem, Rbn_CustBoth})
    lists->addButton(button);

  connect(Rbn_SAPCRM, &QRadioButton::toggled, this, &TFrmXMLMatListSettings::Rbn_SAPCRMClick);
  connect(Chb_UseSectHeader, &QCheckBox::toggled, this, &TFrmXMLMatListSettings::Chb_UseSectHeaderClick);
  for (QWidget* control : findChildren<QWidget*>())
    control->installEventFilter(this);
}

void TFrmXMLMatListSettings::ReadFromRegistry(std::string_view szRegRoot)
{
  Values().ReadFromRegistry(szRegRoot);
}

void TFrmXMLMatListSettings::WriteToRegistry(std::string_view szRegRoot)
{
  Values().WriteToRegistry(szRegRoot);
}

void TFrmXMLMatListSettings::Initialize(OnEnter pOnEnter, bool bApplicationHasPiping)
{
  v_onEnter = std::move(pOnEnter);
  v_hasPiping = bApplicationHasPiping;
  const docs::CTXMLMatListSettings& values = Values();
  (values.bSAPCRM ? Rbn_SAPCRM : Rbn_Custom)->setChecked(true);
  Chb_UseSectHeader->setChecked(values.bUseSectionHeader);
  Txt_SectHeader->setText(QString::fromStdString(values.szSectionHeader));
  QRadioButton* list = values.bCustAll && values.bCustPerSystem ? Rbn_CustBoth
                       : values.bCustAll                        ? Rbn_CustAll
                                                                : Rbn_CustPerSystem;
  list->setChecked(true);
  Chb_CustPiping->setChecked(values.bCustPiping);
  Chb_CustPiping->setVisible(bApplicationHasPiping);
  UpdateEnabling();
}

void TFrmXMLMatListSettings::StoreSettings()
{
  Values() = Edited(Values());
}

docs::CTXMLMatListSettings TFrmXMLMatListSettings::Edited(docs::CTXMLMatListSettings values) const
{
  values.bSAPCRM = Rbn_SAPCRM->isChecked();
  if (values.bSAPCRM) {
    values.bUseSectionHeader = Chb_UseSectHeader->isChecked();
    if (values.bUseSectionHeader)
      values.szSectionHeader = Txt_SectHeader->text().toStdString();
    return values;
  }
  values.bCustAll = Rbn_CustAll->isChecked() || Rbn_CustBoth->isChecked();
  values.bCustPerSystem = Rbn_CustPerSystem->isChecked() || Rbn_CustBoth->isChecked();
  if (v_hasPiping)
    values.bCustPiping = Chb_CustPiping->isChecked();
  return values;
}

void TFrmXMLMatListSettings::SetChoicesVisible(bool bVisible)
{
  Rbn_SAPCRM->setVisible(bVisible);
  Rbn_Custom->setVisible(bVisible);
  Pnl_Custom->setVisible(bVisible);
  UpdateEnabling();
}

void TFrmXMLMatListSettings::Rbn_SAPCRMClick()
{
  UpdateEnabling();
}

void TFrmXMLMatListSettings::Chb_UseSectHeaderClick()
{
  UpdateEnabling();
}

void TFrmXMLMatListSettings::UpdateEnabling()
{
  Pnl_SectHeader->setEnabled(Rbn_SAPCRM->isChecked());
  Pnl_Custom->setEnabled(Rbn_Custom->isChecked() || Rbn_Custom->isHidden());
  Txt_SectHeader->setEnabled(Pnl_SectHeader->isEnabled() && Chb_UseSectHeader->isChecked());
}

bool TFrmXMLMatListSettings::eventFilter(QObject* watched, QEvent* event)
{
  if (event->type() == QEvent::FocusIn)
    if (auto* control = qobject_cast<QWidget*>(watched))
      GlobalOnEnter(control);
  return QWidget::eventFilter(watched, event);
}

void TFrmXMLMatListSettings::GlobalOnEnter(QWidget* control)
{
  if (v_onEnter)
    v_onEnter(control);
}

} // namespace aw::app
