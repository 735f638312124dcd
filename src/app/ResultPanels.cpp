#include "app/ResultPanels.h"

#include "app/InterfaceLanguage.h"
#include "air/NumberFormat.h"
#include "air/SI_Units.h"
#include "app/UserPrompts.h"
#include "air/ValueFormatting.h"
#include "engine/ClBrisa.h"
#include "engine/FamilyTraits.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace aw::app {
namespace {

const char* const kInletHeaterLine =
  "The size of the inlet heater is calculated as the enthalpy difference between the ambient air (OA) and the "
  "ventilation in air (VI) and multiplied by the supply airflow and density.";

// The explanations behind the info buttons of the heater lines.
QStringList ExplanationTopic(int nTopic)
{
  switch (nTopic) {
  case 0:
    return {QStringLiteral("Airwright automatically adds an inlet heater in one of the following three conditions:"),
            QStringLiteral("1. The ambient temperature in heating is below the calculated minimum value."),
            QStringLiteral("2. The ambient temperature in cooling is above the calculated maximum value."),
            QStringLiteral("3. The ventilation in temperature is below the minimum temperature for intermittent "
                           "operation."),
            QString(), QString::fromLatin1(kInletHeaterLine)};
  case 1:
    return {QStringLiteral("Airwright automatically adds an inlet heater when the ambient temperature in heating is "
                           "below the allowable minimum temperature."),
            QString(), QString::fromLatin1(kInletHeaterLine)};
  default:
    return {QStringLiteral("Airwright automatically adds a supply heater if the user defines a minimum supply "
                           "temperature, which is higher than the ventilation out temperature."),
            QString(),
            QStringLiteral("The size of the supply heater is calculated as the enthalpy difference between the "
                           "ventilation out air (VO) and supply air (SA) multiplied by the supply airflow and density.")};
  }
}

} // namespace

TFrm_ResultData::TFrm_ResultData(QWidget* parent) : QWidget(parent)
{
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  Lbl_ModeMessage = new QLabel(this);
  Lbl_ModeMessage->setObjectName(QStringLiteral("Lbl_ModeMessage"));
  Lbl_ModeMessage->setWordWrap(true);
  Lbl_ModeMessage->setStyleSheet(QStringLiteral("color: #b00000;"));
  Lbl_ModeMessage->hide();
  layout->addWidget(Lbl_ModeMessage);
  Box_Efficiencies = AddBox("Box_Efficiencies", QStringLiteral("Efficiencies"));
  AddLine(Box_Efficiencies, "Txt_TempEff", QStringLiteral("Temperature exchange efficiency"));
  AddLine(Box_Efficiencies, "Txt_EnthalpyEff", QStringLiteral("Enthalpy exchange efficiency"));
  Box_Savings = AddBox("Box_Savings", QStringLiteral("Savings over Heat Exchanger"));
  AddLine(Box_Savings, "Txt_LatentSavings", QStringLiteral("Latent heat savings"));
  AddLine(Box_Savings, "Txt_SensibleSavings", QStringLiteral("Sensible heat savings"));
  AddLine(Box_Savings, "Txt_TotalSavings", QStringLiteral("Total heat savings"));
  Box_SupplyTemp = AddBox("Box_SupplyTemp", QStringLiteral("Supply Temperature"));
  AddLine(Box_SupplyTemp, "Txt_SupplyTemp", QStringLiteral("Supply temperature"));
  Box_Humidification = AddBox("Box_Humidification", QStringLiteral("Humidification"));
  AddLine(Box_Humidification, "Txt_Humidification", QStringLiteral("Humidification amount"));
  Box_Heaters = AddBox("Box_Heaters", QStringLiteral("Heaters"));
  AddLine(Box_Heaters, "Txt_InletAmbient", QStringLiteral("Switch on inlet heater above"));
  Lbl_InletAmbient = Box_Heaters->findChild<QLabel*>(QStringLiteral("Lbl_Txt_InletAmbient"));
  v_valueByCaption["Switch on inlet heater below"] = Value("Txt_InletAmbient"); // the heating caption
  AddLine(Box_Heaters, "Txt_InletUser", QStringLiteral("Inlet heater user setting"));
  AddLine(Box_Heaters, "Txt_InletCalc", QStringLiteral("Inlet heater calculated minimum"));
  AddLine(Box_Heaters, "Txt_SupplyUser", QStringLiteral("Supply heater user setting"), &Pnl_SupplyUser);
  AddLine(Box_Heaters, "Txt_SupplyCalc", QStringLiteral("Supply heater calculated minimum"), &Pnl_SupplyCalc);
  for (const char* name : {"Txt_InletCalc", "Txt_SupplyCalc"}) {
    auto* info = new QToolButton(Value(name)->parentWidget());
    info->setObjectName(QStringLiteral("Btn_Info_%1").arg(QString::fromLatin1(name)));
    info->setText(QStringLiteral("i"));
    static_cast<QHBoxLayout*>(Value(name)->parentWidget()->layout())->addWidget(info);
    const bool inlet = QByteArray(name) == "Txt_InletCalc";
    connect(info, &QToolButton::clicked, this, [this, inlet] {
      Explain(inlet ? (Box_Efficiencies->isHidden() ? 1 : 0) : 2);
    });
  }
  layout->addStretch(1);
}

QGroupBox* TFrm_ResultData::AddBox(const char* szName, const QString& szCaption)
{
  auto* box = new QGroupBox(szCaption, this);
  box->setObjectName(QString::fromLatin1(szName));
  new QVBoxLayout(box);
  layout()->addWidget(box);
  return box;
}

QLabel* TFrm_ResultData::AddLine(QGroupBox* box, const char* szName, const QString& szCaption, QWidget** row)
{
  auto* line = new QWidget(box);
  auto* layout = new QHBoxLayout(line);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* caption = new QLabel(szCaption, line);
  caption->setObjectName(QStringLiteral("Lbl_%1").arg(QString::fromLatin1(szName)));
  auto* value = new QLabel(line);
  value->setObjectName(QString::fromLatin1(szName));
  value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  layout->addWidget(caption, 1);
  layout->addWidget(value);
  box->layout()->addWidget(line);
  v_valueByCaption[szCaption.toStdString()] = value;
  if (row)
    *row = line;
  return value;
}

QLabel* TFrm_ResultData::Value(const char* szName) const
{
  return findChild<QLabel*>(QString::fromLatin1(szName));
}

QGroupBox* TFrm_ResultData::Box(const char* szName) const
{
  return findChild<QGroupBox*>(QString::fromLatin1(szName));
}

void TFrm_ResultData::Explain(int nTopic)
{
  UserPrompts::Current().ShowPlainDialog(this, QStringLiteral("Explanation"), ExplanationTopic(nTopic).join('\n'));
}

void TFrm_ResultData::SetupWindow(int Family, bool HasHumidifier, bool IsCooling)
{
  v_family = Family;
  v_isCooling = IsCooling;
  const CTFamilyTraits& traits = FamilyTraits(Family);
  Box_Efficiencies->setVisible(traits.bExchanger);
  Box_Savings->setVisible(traits.bExchanger);
  Box_SupplyTemp->setVisible(traits.ShowsSupplyTemperature());
  Box_Humidification->setVisible(traits.ShowsHumidification(IsCooling, HasHumidifier));
  Lbl_InletAmbient->setText(TranslatedText(IsCooling ? QStringLiteral("Switch on inlet heater above")
                                                     : QStringLiteral("Switch on inlet heater below")));
  const bool supplyLines = traits.ShowsSupplyHeater(IsCooling);
  Pnl_SupplyUser->setVisible(supplyLines);
  Pnl_SupplyCalc->setVisible(supplyLines);
}

void TFrm_ResultData::ClearFields()
{
  for (QLabel* label : findChildren<QLabel*>())
    if (label->objectName().startsWith(QLatin1String("Txt_")))
      label->clear();
}

void TFrm_ResultData::ShowBlocks(const std::vector<CTViewBlock>& blocks)
{
  ClearFields();
  for (const CTViewBlock& block : blocks)
    for (const CTViewPair& pair : block.pairs)
      if (const auto line = v_valueByCaption.find(pair.szLabel); line != v_valueByCaption.end())
        line->second->setText(QString::fromStdString(pair.szValue));
}

void TFrm_ResultData::ShowMessage(const QString& szMessage)
{
  Lbl_ModeMessage->setText(szMessage);
  Lbl_ModeMessage->setVisible(!szMessage.isEmpty());
}

std::vector<QStringList> TFrm_ResultData::GetResultsStrings() const
{
  std::vector<QStringList> lists;
  for (const QGroupBox* box : {Box_Efficiencies, Box_Savings, Box_SupplyTemp, Box_Humidification, Box_Heaters}) {
    if (box->isHidden())
      continue;
    QStringList list{box->title()};
    for (const QLabel* label : box->findChildren<QLabel*>())
      if (label->objectName().startsWith(QLatin1String("Txt_")) && !label->parentWidget()->isHidden())
        list << box->findChild<QLabel*>(QStringLiteral("Lbl_") + label->objectName())->text() << label->text();
    lists.push_back(list);
  }
  return lists;
}

TFrm_WrightProps::TFrm_WrightProps(QWidget* parent) : QWidget(parent)
{
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  Box_Selection = new QGroupBox(this);
  Box_Selection->setObjectName(QStringLiteral("Box_Selection"));
  outer->addWidget(Box_Selection);
  auto* layout = new QHBoxLayout(Box_Selection);
  Box_Cooling = new QGroupBox(QStringLiteral("Cooling Data for Tessel / Web Wright Input"), Box_Selection);
  Box_Heating = new QGroupBox(QStringLiteral("Heating Data for Tessel / Web Wright Input"), Box_Selection);
  auto* cooling = new QFormLayout(Box_Cooling);
  auto* heating = new QFormLayout(Box_Heating);
  Txt_TotalCool = new QLabel(Box_Cooling);
  Txt_SensibleCool = new QLabel(Box_Cooling);
  Lbl_SensibleCool = new QLabel(QStringLiteral("Sensible cooling capacity"), Box_Cooling);
  Txt_Heat = new QLabel(Box_Heating);
  cooling->addRow(QStringLiteral("Total cooling capacity"), Txt_TotalCool);
  cooling->addRow(Lbl_SensibleCool, Txt_SensibleCool);
  heating->addRow(QStringLiteral("Heating capacity"), Txt_Heat);
  layout->addWidget(Box_Cooling);
  layout->addWidget(Box_Heating);
}

void TFrm_WrightProps::SetupWindow(const QString& szTitle, bool HideSensible)
{
  Box_Selection->setTitle(szTitle);
  ClearFields();
  Lbl_SensibleCool->setVisible(!HideSensible);
  Txt_SensibleCool->setVisible(!HideSensible);
}

void TFrm_WrightProps::ClearFields()
{
  Txt_TotalCool->clear();
  Txt_SensibleCool->clear();
  Txt_Heat->clear();
}

void TFrm_WrightProps::ShowBlocks(const std::pair<CTViewBlock, CTViewBlock>& blocks)
{
  const auto value = [](const CTViewBlock& block, std::size_t i) {
    return i < block.pairs.size() ? QString::fromStdString(block.pairs[i].szValue) : QString();
  };
  Txt_TotalCool->setText(value(blocks.first, 0));
  Txt_SensibleCool->setText(value(blocks.first, 1));
  Txt_Heat->setText(value(blocks.second, 0));
}

std::vector<QStringList> TFrm_WrightProps::GetWrightStrings() const
{
  QStringList cooling{Box_Cooling->title(), QStringLiteral("Total cooling capacity"), Txt_TotalCool->text()};
  if (!Txt_SensibleCool->isHidden())
    cooling << Lbl_SensibleCool->text() << Txt_SensibleCool->text();
  return {cooling, {Box_Heating->title(), QStringLiteral("Heating capacity"), Txt_Heat->text()}};
}

} // namespace aw::app
