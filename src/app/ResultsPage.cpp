#include "app/PageLayout.h"
#include "app/ResultsPage.h"

#include "app/AirConditionPanel.h"
#include "app/BaseMsgDialog.h"
#include "app/InterfaceLanguage.h"
#include "app/ResultPanels.h"
#include "air/ValueFormatting.h"
#include "engine/SelectionView.h"
#include "engine/FamilyTraits.h"
#include "engine/SelectionModel.h"
#include "i18n/BaseMsgMan.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace aw::app {
namespace {

template <class T> T* Named(T* widget, const char* szName)
{
  widget->setObjectName(QString::fromLatin1(szName));
  return widget;
}

QTreeWidget* OptionList(QWidget* parent, const char* szName, const QStringList& columns)
{
  auto* list = Named(new QTreeWidget(parent), szName);
  list->setRootIsDecorated(false);
  list->setHeaderLabels(columns);
  list->setMinimumHeight(120);
  return list;
}

} // namespace

TFraResultsPage::TFraResultsPage(QWidget* parent) : QWidget(parent)
{
  QWidget* content = ScrollingContent(this);
  auto* layout = new QVBoxLayout(content);

  auto* selected = new QHBoxLayout;
  selected->addWidget(new QLabel(QStringLiteral("Selected device"), content));
  Txt_ResultSelectedDevice = Named(new QLabel(content), "Txt_ResultSelectedDevice");
  selected->addWidget(Txt_ResultSelectedDevice, 1);
  layout->addLayout(selected);
  layout->addWidget(BuildSelectionFigures(content));

  // Cooling and heating side by side where both fit, else heating under
  // cooling; within each, the results beside the air states or under them.
  auto* modes = new TFlowLayout(nullptr, 2);
  layout->addLayout(modes);
  const auto mode = [&](const QString& szCaption, const char* szName, TFrm_AirConditions*& air,
                        TFrm_ResultData*& results) {
    auto* box = Named(new QGroupBox(szCaption, content), szName);
    auto* row = new TFlowLayout(box, 2);
    air = new TFrm_AirConditions(box);
    results = new TFrm_ResultData(box);
    row->addWidget(air);
    row->addWidget(results);
    modes->addWidget(box);
  };
  mode(QStringLiteral("Cooling"), "Box_Cooling", Frm_CoolAirConditions, Frm_CoolResults);
  Frm_CoolAirConditions->setObjectName(QStringLiteral("Frm_CoolAirConditions"));
  Frm_CoolResults->setObjectName(QStringLiteral("Frm_CoolResults"));
  mode(QStringLiteral("Heating"), "Box_Heating", Frm_HeatAirConditions, Frm_HeatResults);
  Frm_HeatAirConditions->setObjectName(QStringLiteral("Frm_HeatAirConditions"));
  Frm_HeatResults->setObjectName(QStringLiteral("Frm_HeatResults"));

  Frm_WrightProps = Named(new TFrm_WrightProps(content), "Frm_WrightProps");
  layout->addWidget(Frm_WrightProps);

  auto* options = Named(new QGroupBox(QStringLiteral("Options"), content), "Box_Options");
  auto* grid = new QGridLayout(options);
  Lvw_AvailOptions = OptionList(options, "Lvw_AvailOptions", {QStringLiteral("Available option"), QStringLiteral("Type")});
  Lvw_UsedOptions = OptionList(options, "Lvw_UsedOptions",
                               {QStringLiteral("Used option"), QStringLiteral("Quantity"), QStringLiteral("Type")});
  Btn_Select = Named(new QPushButton(QStringLiteral(">"), options), "Btn_Select");
  Btn_Deselect = Named(new QPushButton(QStringLiteral("<"), options), "Btn_Deselect");
  auto* buttons = new QVBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(Btn_Select);
  buttons->addWidget(Btn_Deselect);
  buttons->addStretch(1);
  grid->addWidget(Lvw_AvailOptions, 0, 0);
  grid->addLayout(buttons, 0, 1);
  grid->addWidget(Lvw_UsedOptions, 0, 2);
  layout->addWidget(options);
  layout->addStretch(1);

  Btn_Select->setEnabled(false);
  Btn_Deselect->setEnabled(false);
  connect(Lvw_AvailOptions, &QTreeWidget::itemSelectionChanged, this,
          [this] { Btn_Select->setEnabled(!Lvw_AvailOptions->selectedItems().isEmpty()); });
  connect(Lvw_UsedOptions, &QTreeWidget::itemSelectionChanged, this,
          [this] { Btn_Deselect->setEnabled(!Lvw_UsedOptions->selectedItems().isEmpty()); });
  connect(Lvw_AvailOptions, &QTreeWidget::itemDoubleClicked, this, &TFraResultsPage::Btn_SelectClick);
  connect(Lvw_UsedOptions, &QTreeWidget::itemDoubleClicked, this, &TFraResultsPage::Btn_DeselectClick);
  connect(Btn_Select, &QPushButton::clicked, this, &TFraResultsPage::Btn_SelectClick);
  connect(Btn_Deselect, &QPushButton::clicked, this, &TFraResultsPage::Btn_DeselectClick);
}

// The airflows the search used and what the picked unit's fans have left, in two columns.
QWidget* TFraResultsPage::BuildSelectionFigures(QWidget* parent)
{
  auto* panel = Named(new QWidget(parent), "Pnl_SelectionFigures");
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(0, 0, 0, 0);
  const std::pair<const char*, QString> figures[] = {
    {"Txt_ResRequiredSupply", QStringLiteral("Required supply airflow")},
    {"Txt_ResRequiredExhaust", QStringLiteral("Required exhaust airflow")},
    {"Txt_ResAirflowShare", QStringLiteral("Airflow share")},
    {"Txt_ResAvailableSupply", QStringLiteral("Available supply ESP")},
    {"Txt_ResAvailableExhaust", QStringLiteral("Available exhaust ESP")},
    {"Txt_ResPowerInput", QStringLiteral("Power input")},
    {"Txt_ResSpecificFanPower", QStringLiteral("Specific fan power")},
  };
  int i = 0;
  for (const auto& [name, caption] : figures) {
    const int row = i / 2, column = (i % 2) * 2;
    auto* label = new QLabel(caption, panel);
    label->setObjectName(QStringLiteral("Lbl_") + QString::fromLatin1(name));
    grid->addWidget(label, row, column);
    grid->addWidget(Named(new QLabel(panel), name), row, column + 1, Qt::AlignRight);
    ++i;
  }
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  return panel;
}

QLabel* TFraResultsPage::Figure(const char* szName) const
{
  return findChild<QLabel*>(QString::fromLatin1(szName));
}

void TFraResultsPage::ShowSelectionFigures()
{
  const CTSelectionFigures f = v_model->Figures();
  const auto show = [this](const char* name, const std::string& text, bool visible = true) {
    Figure(name)->setText(QString::fromStdString(text));
    Figure(name)->setVisible(visible);
    findChild<QLabel*>(QStringLiteral("Lbl_") + QString::fromLatin1(name))->setVisible(visible);
  };
  const auto picked = [&f](double value) { return f.bPicked ? std::optional<double>(value) : std::nullopt; };
  show("Txt_ResRequiredSupply", FormatAirflow(f.RequiredSupply_ls));
  show("Txt_ResRequiredExhaust", FormatAirflow(f.RequiredExhaust_ls), f.bHasExhaust);
  show("Txt_ResAirflowShare", FormatPercent(picked(f.AirflowShare_pct)));
  show("Txt_ResAvailableSupply", FormatComputedPressure(picked(f.SupplyAvailable_Pa)));
  show("Txt_ResAvailableExhaust", FormatComputedPressure(picked(f.ExhaustAvailable_Pa)), f.bHasExhaust);
  show("Txt_ResPowerInput", FormatComputedPower(f.PowerInput_kW), f.PowerInput_kW.has_value());
  show("Txt_ResSpecificFanPower", FormatSpecificFanPower(f.SpecificFanPower_Wm3s), f.SpecificFanPower_Wm3s.has_value());
}

// A mode that failed says why in its own panel.
void TFraResultsPage::ShowModeMessages()
{
  const auto text = [](const CTModeResults& r) {
    return r.Message ? QString::fromStdString(i18n::GetUnicodeString(r.Message->nMsgNo, r.Message->params)) : QString();
  };
  Frm_CoolResults->ShowMessage(text(v_model->CoolingResults()));
  Frm_HeatResults->ShowMessage(text(v_model->HeatingResults()));
}

void TFraResultsPage::SetupWindow(CTSelectionModel* pModel, std::function<void()> OptionsChanged)
{
  v_model = pModel;
  v_OptionsChanged = std::move(OptionsChanged);
}

void TFraResultsPage::ClearResults()
{
  Txt_ResultSelectedDevice->clear();
  Frm_CoolAirConditions->ClearFields();
  Frm_HeatAirConditions->ClearFields();
  Frm_CoolResults->ClearFields();
  Frm_HeatResults->ClearFields();
  Frm_WrightProps->ClearFields();
  Frm_CoolResults->ShowMessage({});
  Frm_HeatResults->ShowMessage({});
}

void TFraResultsPage::ShowResults()
{
  ClearResults();
  if (!v_model)
    return;
  const int family = v_model->Family();
  const bool humidifier = v_model->HasHumidifier();
  Frm_CoolResults->SetupWindow(family, false, true);
  Frm_HeatResults->SetupWindow(family, humidifier, false);
  const CTFamilyTraits& traits = FamilyTraits(family);
  Frm_WrightProps->setVisible(traits.bCapacities);
  if (traits.bCapacities)
    Frm_WrightProps->SetupWindow(QString::fromLatin1(traits.CapacitiesTitle()), !traits.bSensibleCapacity);

  ShowSelectionFigures();
  ShowModeMessages();
  // Without a unit the family's states show with blank values.
  const CTSelectionView view(*v_model);
  Frm_CoolAirConditions->ShowBlocks(view.AirStates(true));
  Frm_HeatAirConditions->ShowBlocks(view.AirStates(false));
  Cls_Brisa* unit = v_model->CurrentBrisa();
  if (!unit)
    return;
  Txt_ResultSelectedDevice->setText(QString::fromStdString(unit->GetQualifiedName()));
  if (const auto capacities = view.Capacities())
    Frm_WrightProps->ShowBlocks(*capacities);
  if (v_model->CoolingResults().bComputed)
    Frm_CoolResults->ShowBlocks(view.Results(true));
  if (v_model->HeatingResults().bComputed)
    Frm_HeatResults->ShowBlocks(view.Results(false));
}

void TFraResultsPage::FillOptions()
{
  if (v_model)
    v_model->FillOptions();
  ShowOptionRows();
}

void TFraResultsPage::ShowOptionRows()
{
  Lvw_AvailOptions->clear();
  Lvw_UsedOptions->clear();
  Btn_Select->setEnabled(false);
  Btn_Deselect->setEnabled(false);
  if (!v_model)
    return;
  // The option type as the report names it.
  const auto type = [](const CTOptionRow& row) { return TranslatedText(QString::fromStdString(OptionTypeText(row.nType))); };
  for (const CTOptionRow& row : v_model->UsedOptions())
    new QTreeWidgetItem(Lvw_UsedOptions, {QString::fromStdString(row.szName), QString::number(row.nQuantity), type(row)});
  for (const CTOptionRow& row : v_model->AvailOptions())
    new QTreeWidgetItem(Lvw_AvailOptions, {QString::fromStdString(row.szName), type(row)});
  for (QTreeWidget* list : {Lvw_AvailOptions, Lvw_UsedOptions})
    for (int c = 0; c < list->columnCount(); ++c)
      list->resizeColumnToContents(c);
}

void TFraResultsPage::Btn_SelectClick()
{
  QTreeWidgetItem* item = Lvw_AvailOptions->currentItem();
  if (!v_model || !item)
    return;
  v_model->SelectOption(Lvw_AvailOptions->indexOfTopLevelItem(item));
  ShowOptionRows();
  if (v_OptionsChanged)
    v_OptionsChanged();
}

void TFraResultsPage::Btn_DeselectClick()
{
  QTreeWidgetItem* item = Lvw_UsedOptions->currentItem();
  if (!v_model || !item)
    return;
  if (!v_model->DeselectOption(Lvw_UsedOptions->indexOfTopLevelItem(item))) {
    TBaseMsg::DisplayError(this, kMsgCannotDeselectStandard);
    Btn_Deselect->setEnabled(false);
    return;
  }
  ShowOptionRows();
  if (v_OptionsChanged)
    v_OptionsChanged();
}

} // namespace aw::app
