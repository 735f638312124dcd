#include "app/TempConditionsPanel.h"

#include "app/InterfaceLanguage.h"
#include "app/UnitTextScroll.h"
#include "air/ValueFormatting.h"
#include "engine/SelectionInputs.h"
#include "i18n/BaseMsgMan.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace aw::app {
namespace {

constexpr int kMsgCalculatedInlet = 28, kMsgUserDefinedInlet = 39, kMsgInletHeaterOption = 34;
constexpr int kMsgInletHeater = 33, kMsgSupplyHeater = 36;

QString Msg(int nMessage)
{
  return QString::fromStdString(i18n::GetUnicodeString(nMessage));
}

QComboBox* HumidityChoice(QWidget* parent, const char* szName)
{
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(szName));
  box->addItems({QStringLiteral("Relative humidity"), QStringLiteral("Wet bulb temperature")});
  return box;
}

template <class T> T* Named(T* widget, const char* szName)
{
  widget->setObjectName(QString::fromLatin1(szName));
  return widget;
}

} // namespace

TFrm_TempConditions::TFrm_TempConditions(QWidget* parent) : QGroupBox(parent)
{
  BuildControls();
}

void TFrm_TempConditions::BuildControls()
{
  auto* layout = new QVBoxLayout(this);

  Box_Room = Named(new QGroupBox(QStringLiteral("Room Air (RA)"), this), "Box_Room");
  auto* room = new QVBoxLayout(Box_Room);
  Frm_RoomDBT = Named(new TFrm_UnitTextScroll(QStringLiteral("Dry bulb temperature"), Box_Room), "Frm_RoomDBT");
  Lbl_RoomRH = HumidityChoice(Box_Room, "Lbl_RoomRH");
  Frm_RoomRH = Named(new TFrm_UnitTextScroll(QString(), Box_Room), "Frm_RoomRH");
  room->addWidget(Frm_RoomDBT);
  room->addWidget(Lbl_RoomRH);
  room->addWidget(Frm_RoomRH);
  layout->addWidget(Box_Room);

  Box_Ambient = Named(new QGroupBox(QStringLiteral("Outdoor Air (OA)"), this), "Box_Ambient");
  auto* ambient = new QVBoxLayout(Box_Ambient);
  Frm_AmbientDbt = Named(new TFrm_UnitTextScroll(QStringLiteral("Dry bulb temperature"), Box_Ambient),
                         "Frm_AmbientDbt");
  Lbl_AmbientRH = HumidityChoice(Box_Ambient, "Lbl_AmbientRH");
  Frm_AmbientRH = Named(new TFrm_UnitTextScroll(QString(), Box_Ambient), "Frm_AmbientRH");
  ambient->addWidget(Frm_AmbientDbt);
  ambient->addWidget(Lbl_AmbientRH);
  ambient->addWidget(Frm_AmbientRH);
  layout->addWidget(Box_Ambient);

  Box_Discharge = Named(new QGroupBox(QStringLiteral("Discharge"), this), "Box_Discharge");
  auto* discharge = new QVBoxLayout(Box_Discharge);
  Frm_Discharge = Named(new TFrm_UnitTextScroll(QStringLiteral("Discharge temperature"), Box_Discharge),
                        "Frm_Discharge");
  discharge->addWidget(Frm_Discharge);
  layout->addWidget(Box_Discharge);

  Box_Heaters = Named(new QGroupBox(QStringLiteral("Heaters"), this), "Box_Heaters");
  auto* heaters = new QVBoxLayout(Box_Heaters);
  Lbl_Inletheater = Named(new QComboBox(Box_Heaters), "Lbl_Inletheater");
  Txt_HeaterOptions = Named(new QComboBox(Box_Heaters), "Txt_HeaterOptions");
  Frm_InletHeater = Named(new TFrm_UnitTextScroll(QStringLiteral("Inlet heater"), Box_Heaters), "Frm_InletHeater");
  auto* calcInlet = new QFormLayout;
  Txt_CalcInlet = Named(new QLabel(Box_Heaters), "Txt_CalcInlet");
  calcInlet->addRow(QStringLiteral("Calculated inlet heater"), Txt_CalcInlet);
  heaters->addWidget(Lbl_Inletheater);
  heaters->addWidget(Txt_HeaterOptions);
  heaters->addWidget(Frm_InletHeater);
  heaters->addLayout(calcInlet);

  Pnl_Supply = Named(new QWidget(Box_Heaters), "Pnl_Supply");
  auto* supply = new QVBoxLayout(Pnl_Supply);
  supply->setContentsMargins(0, 0, 0, 0);
  Chk_SupplyTemp = Named(new QCheckBox(QStringLiteral("Supply temp."), Pnl_Supply), "Chk_SupplyTemp");
  Frm_SupplyTemp = Named(new TFrm_UnitTextScroll(QStringLiteral("Minimum supply temperature"), Pnl_Supply),
                         "Frm_SupplyTemp");
  Lbl_SupplyHeater = Named(new QComboBox(Pnl_Supply), "Lbl_SupplyHeater");
  Lbl_SupplyHeater->addItems({QStringLiteral("Calculated supply"), QStringLiteral("User defined supply")});
  Frm_SupplyHeater = Named(new TFrm_UnitTextScroll(QStringLiteral("Supply heater"), Pnl_Supply), "Frm_SupplyHeater");
  auto* calcSupply = new QFormLayout;
  Txt_CalcSupply = Named(new QLabel(Pnl_Supply), "Txt_CalcSupply");
  calcSupply->addRow(QStringLiteral("Calculated supply heater"), Txt_CalcSupply);
  supply->addWidget(Chk_SupplyTemp);
  supply->addWidget(Frm_SupplyTemp);
  supply->addWidget(Lbl_SupplyHeater);
  supply->addWidget(Frm_SupplyHeater);
  supply->addLayout(calcSupply);
  heaters->addWidget(Pnl_Supply);
  layout->addWidget(Box_Heaters);

  connect(Lbl_RoomRH, &QComboBox::currentIndexChanged, this, &TFrm_TempConditions::RoomHumidityChosen);
  connect(Lbl_AmbientRH, &QComboBox::currentIndexChanged, this, &TFrm_TempConditions::AmbientHumidityChosen);
  connect(Lbl_Inletheater, &QComboBox::currentIndexChanged, this, &TFrm_TempConditions::InletChosen);
  connect(Txt_HeaterOptions, &QComboBox::currentIndexChanged, this, &TFrm_TempConditions::HeaterOptionChosen);
  connect(Lbl_SupplyHeater, &QComboBox::currentIndexChanged, this, &TFrm_TempConditions::SupplyChosen);
  connect(Chk_SupplyTemp, &QCheckBox::clicked, this, &TFrm_TempConditions::SupplyTempClicked);
}

void TFrm_TempConditions::SetupWindow(CTTempConditions* pConditions, std::function<const TAir&()> Air,
                                      std::function<void()> HandleChanges)
{
  v_conditions = pConditions;
  v_Air = std::move(Air);
  v_HandleChanges = std::move(HandleChanges);
  setTitle(TranslatedText(pConditions->IsCooling() ? QStringLiteral("Cooling") : QStringLiteral("Heating")));
  const auto changed = [this] { Changed(); };
  Frm_RoomDBT->SetupWindow(&pConditions->RoomDBT(), changed);
  Frm_RoomRH->SetupWindow(&pConditions->RoomHumidity(), changed);
  Frm_AmbientDbt->SetupWindow(&pConditions->AmbientDBT(), changed);
  Frm_AmbientRH->SetupWindow(&pConditions->AmbientHumidity(), changed);
  Frm_Discharge->SetupWindow(&pConditions->Discharge(), changed);
  Frm_InletHeater->SetupWindow(&pConditions->InletHeaterInput(), changed);
  Frm_SupplyHeater->SetupWindow(&pConditions->SupplyHeaterInput(), changed);
  Frm_SupplyTemp->SetupWindow(&pConditions->SupplyTempInput(), changed);
  ConvertFields();
}

void TFrm_TempConditions::Changed()
{
  if (!v_InTreatment && v_HandleChanges)
    v_HandleChanges();
}

void TFrm_TempConditions::FillInletChoice()
{
  Lbl_Inletheater->clear();
  Lbl_Inletheater->addItems({Msg(kMsgCalculatedInlet), Msg(kMsgUserDefinedInlet)});
  const ObjectList<Cls_DeviceOption>& options = v_conditions->HeaterOptions();
  if (!options.IsEmpty())
    Lbl_Inletheater->addItem(Msg(kMsgInletHeaterOption));
  Txt_HeaterOptions->clear();
  int selected = -1;
  for (int i = 0; i < options.Count(); ++i) {
    const Cls_DeviceOption* option = options[i];
    Txt_HeaterOptions->addItem(QString::fromStdString(option->GetName() + " (" + FormatPower(option->GetValue()) + ")"));
    if (option == v_conditions->GetSelectedHeaterOption())
      selected = i;
  }
  Txt_HeaterOptions->setCurrentIndex(selected >= 0 ? selected : (options.IsEmpty() ? -1 : 0));
  Lbl_Inletheater->setCurrentIndex(static_cast<int>(v_conditions->EffectiveInletChoice()));
}

void TFrm_TempConditions::ConvertFields()
{
  if (!v_conditions)
    return;
  v_InTreatment = true;
  {
    const QSignalBlocker b1(Lbl_RoomRH), b2(Lbl_AmbientRH), b3(Lbl_Inletheater), b4(Txt_HeaterOptions),
      b5(Lbl_SupplyHeater), b6(Chk_SupplyTemp);
    Lbl_RoomRH->setCurrentIndex(v_conditions->RoomIsWetBulb() ? 1 : 0);
    Lbl_AmbientRH->setCurrentIndex(v_conditions->AmbientIsWetBulb() ? 1 : 0);
    FillInletChoice();
    Lbl_SupplyHeater->setCurrentIndex(static_cast<int>(v_conditions->SupplyChoice()));
    Chk_SupplyTemp->setChecked(v_conditions->SupplyTempTicked());
  }
  Box_Discharge->setVisible(v_conditions->DischargeVisible());
  Pnl_Supply->setVisible(v_conditions->SupplyLinesVisible());
  const TInletChoice inlet = v_conditions->EffectiveInletChoice();
  Frm_InletHeater->setVisible(inlet == TInletChoice::UserDefined);
  Txt_HeaterOptions->setVisible(inlet == TInletChoice::Option);
  Frm_SupplyHeater->setVisible(v_conditions->SupplyChoice() == TSupplyChoice::UserDefined);
  // A relative humidity is a percentage in every unit system.
  for (auto [field, wetBulb] : {std::pair{Frm_RoomRH, v_conditions->RoomIsWetBulb()},
                                std::pair{Frm_AmbientRH, v_conditions->AmbientIsWetBulb()}}) {
    if (wetBulb)
      field->ClearDim();
    else
      field->SetDim(QStringLiteral("%"));
  }
  for (TFrm_UnitTextScroll* field : {Frm_RoomDBT, Frm_RoomRH, Frm_AmbientDbt, Frm_AmbientRH, Frm_Discharge,
                                     Frm_InletHeater, Frm_SupplyHeater, Frm_SupplyTemp})
    field->ConvertUnit();
  // Blank until the heaters are calculated; a calculated zero reads as one.
  Txt_CalcInlet->setText(QString::fromStdString(FormatComputedPower(v_conditions->ComputedInletHeater())));
  Txt_CalcSupply->setText(QString::fromStdString(FormatComputedPower(v_conditions->ComputedSupplyHeater())));
  v_InTreatment = false;
}

TFrm_TempConditions::ConditionStrings TFrm_TempConditions::GetConditionStrings() const
{
  ConditionStrings strings;
  strings.RA = {Box_Room->title(), Frm_RoomDBT->Caption()->text(), Frm_RoomDBT->GetString(),
                Lbl_RoomRH->currentText(), Frm_RoomRH->GetString()};
  strings.OA = {Box_Ambient->title(), Frm_AmbientDbt->Caption()->text(), Frm_AmbientDbt->GetString(),
                Lbl_AmbientRH->currentText(), Frm_AmbientRH->GetString()};
  strings.Discharge = {Box_Discharge->title(), Frm_Discharge->Caption()->text(), Frm_Discharge->GetString()};
  const bool supplyLines = !Pnl_Supply->isHidden();
  const bool supplyTemp = supplyLines && Chk_SupplyTemp->isChecked();
  const bool inlet = Lbl_Inletheater->currentIndex() > 0;
  const bool supply = supplyLines && Lbl_SupplyHeater->currentIndex() > 0;
  if (Box_Heaters->isHidden() || !(inlet || supply || supplyTemp))
    return strings;
  strings.Heaters << Box_Heaters->title();
  if (inlet)
    strings.Heaters << Msg(kMsgInletHeater)
                    << (Txt_HeaterOptions->isHidden() ? Frm_InletHeater->GetString() : Txt_HeaterOptions->currentText());
  if (supplyTemp)
    strings.Heaters << Chk_SupplyTemp->text() << Frm_SupplyTemp->GetString();
  if (supply)
    strings.Heaters << Msg(kMsgSupplyHeater) << Frm_SupplyHeater->GetString();
  return strings;
}

void TFrm_TempConditions::RoomHumidityChosen(int nIndex)
{
  if (v_InTreatment || nIndex < 0)
    return;
  v_conditions->SetRoomWetBulb(nIndex == 1, v_Air());
  ConvertFields();
  Changed();
}

void TFrm_TempConditions::AmbientHumidityChosen(int nIndex)
{
  if (v_InTreatment || nIndex < 0)
    return;
  v_conditions->SetAmbientWetBulb(nIndex == 1, v_Air());
  ConvertFields();
  Changed();
}

void TFrm_TempConditions::InletChosen(int nIndex)
{
  if (v_InTreatment || nIndex < 0)
    return;
  v_conditions->SetInletChoice(static_cast<TInletChoice>(nIndex));
  if (nIndex == static_cast<int>(TInletChoice::Option))
    v_conditions->SetHeaterOption(std::max(0, Txt_HeaterOptions->currentIndex()));
  ConvertFields();
  Changed();
}

void TFrm_TempConditions::HeaterOptionChosen(int nIndex)
{
  if (v_InTreatment || nIndex < 0)
    return;
  v_conditions->SetHeaterOption(nIndex);
  ConvertFields();
  Changed();
}

void TFrm_TempConditions::SupplyChosen(int nIndex)
{
  if (v_InTreatment || nIndex < 0)
    return;
  v_conditions->SetSupplyChoice(static_cast<TSupplyChoice>(nIndex));
  ConvertFields();
  Changed();
}

void TFrm_TempConditions::SupplyTempClicked(bool bChecked)
{
  if (v_InTreatment)
    return;
  v_conditions->SetSupplyTempTicked(bChecked);
  ConvertFields();
  Changed();
}

} // namespace aw::app
