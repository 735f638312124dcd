#include "app/AirConditionPanel.h"

#include "app/PageLayout.h"

#include <QFormLayout>
#include <QLabel>

namespace aw::app {

TFrm_AirProps::TFrm_AirProps(const QString& szTitle, QWidget* parent) : QGroupBox(szTitle, parent)
{
  static const char* const kCaptions[] = {"Dry bulb temperature", "Wet bulb temperature", "Relative humidity",
                                          "Absolute humidity", "Enthalpy"};
  auto* layout = new QFormLayout(this);
  for (std::size_t i = 0; i < v_values.size(); ++i) {
    v_captions[i] = new QLabel(QString::fromLatin1(kCaptions[i]), this);
    v_values[i] = new QLabel(this);
    v_values[i]->setObjectName(QStringLiteral("Txt_Value%1").arg(i));
    v_values[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addRow(v_captions[i], v_values[i]);
  }
}

void TFrm_AirProps::ClearFields()
{
  for (QLabel* value : v_values)
    value->clear();
}

void TFrm_AirProps::ShowBlock(const CTViewBlock& block)
{
  for (std::size_t i = 0; i < v_values.size(); ++i)
    v_values[i]->setText(i < block.pairs.size() ? QString::fromStdString(block.pairs[i].szValue) : QString());
}

QString TFrm_AirProps::FieldText(int nField) const
{
  return v_values.at(static_cast<std::size_t>(nField))->text();
}

QStringList TFrm_AirProps::GetStrings() const
{
  QStringList strings{title()};
  for (std::size_t i = 0; i < v_values.size(); ++i)
    strings << v_captions[i]->text() << v_values[i]->text();
  return strings;
}

TFrm_AirConditions::TFrm_AirConditions(QWidget* parent) : THeadingBox(QStringLiteral("Psychrometric Points"), parent)
{
  static const char* const kTitles[] = {"Room Air (RA)",       "Outdoor Air (OA)",     "Exhaust Air (EA)",
                                        "Supply Air (SA)",     "Ventilation In (VI)",  "Ventilation Out (VO)",
                                        "Coil In (CI)",        "Humidifier In (HI)"};
  static const char* const kNames[] = {"Frm_RAProps", "Frm_OAProps", "Frm_EAProps", "Frm_SAProps",
                                       "Frm_VIProps", "Frm_VOProps", "Frm_CIProps", "Frm_HIProps"};
  // A heading over the states' frames, not a frame around frames. The
  // states take the width they are given, in columns of one width.
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  auto* layout = new TFlowLayout(this, 2, TFlowLayout::TColumns::Uniform);
  layout->setContentsMargins(0, 0, 0, 0);
  for (int i = 0; i < kPointCount; ++i) {
    v_props[i] = new TFrm_AirProps(QString::fromLatin1(kTitles[i]), this);
    v_props[i]->setObjectName(QString::fromLatin1(kNames[i]));
    layout->addWidget(v_props[i]);
  }
}

void TFrm_AirConditions::ClearFields()
{
  for (TFrm_AirProps* props : v_props)
    props->ClearFields();
}

void TFrm_AirConditions::ShowBlocks(const std::array<std::optional<CTViewBlock>, kPointCount>& blocks)
{
  for (int i = 0; i < kPointCount; ++i) {
    v_props[i]->setVisible(blocks[i].has_value());
    if (blocks[i])
      v_props[i]->ShowBlock(*blocks[i]);
    else
      v_props[i]->ClearFields();
  }
}

std::vector<QStringList> TFrm_AirConditions::GetPsychroStrings() const
{
  std::vector<QStringList> lists;
  for (const TFrm_AirProps* props : v_props)
    if (!props->isHidden())
      lists.push_back(props->GetStrings());
  return lists;
}

} // namespace aw::app
