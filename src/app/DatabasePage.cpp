#include "app/DatabasePage.h"

#include "app/MainWindowRules.h"
#include "app/ValueFormatting.h"
#include "i18n/BaseMsgMan.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace aw::app {
namespace {

QString Q(const std::string& s)
{
  return QString::fromStdString(s);
}

QString Number(double value, int nDigits)
{
  return value == 0 ? QString() : Q(i18n::Number2FmtStr(value, 1, nDigits));
}

QString Percent(double value)
{
  return value == 0 ? QString() : Number(value, 0) + "%";
}

QString Range(const TemperatureRange& range)
{
  return Q(FormatTemperature(range.min, false)) + " .. " + Q(FormatTemperature(range.max, true));
}

} // namespace

QString FormatWHD(double width, double height, double depth)
{
  return Q(FormatShortLength(width, false)) + QStringLiteral("×") + Q(FormatShortLength(height, false)) +
         QStringLiteral("×") + Q(FormatShortLength(depth, true));
}

TFraDatabasePage::TFraDatabasePage(QWidget* parent) : QWidget(parent)
{
  setObjectName(QStringLiteral("Pnl_Database"));
  auto* grid = new QGridLayout(this);

  Txt_DeviceName = new QLabel(this);
  Txt_DeviceName->setObjectName(QStringLiteral("Txt_DeviceName"));
  QFont bold = Txt_DeviceName->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.3);
  Txt_DeviceName->setFont(bold);
  grid->addWidget(Txt_DeviceName, 0, 0, 1, 3);

  Box_Dimensions = new QGroupBox(QStringLiteral("Dimensions"), this);
  Box_Dimensions->setObjectName(QStringLiteral("Box_Dimensions"));
  AddValue(Box_Dimensions, "Txt_WHD", QStringLiteral("W×H×D"));
  AddValue(Box_Dimensions, "Txt_Weight", QStringLiteral("Weight"));
  AddValue(Box_Dimensions, "Txt_DuctDiameter", QStringLiteral("Duct diameter"));
  AddValue(Box_Dimensions, "Txt_NominalAirflow", QStringLiteral("Nominal airflow"));
  AddValue(Box_Dimensions, "Txt_NominalHumidity", QStringLiteral("Nominal humidity"));

  Box_Electrical = new QGroupBox(QStringLiteral("Electrical data"), this);
  Box_Electrical->setObjectName(QStringLiteral("Box_Electrical"));
  AddValue(Box_Electrical, "Txt_PowerSupply", QStringLiteral("Power supply"));
  AddValue(Box_Electrical, "Txt_Frequency", QStringLiteral("Frequency"));
  AddValue(Box_Electrical, "Txt_Phases", QStringLiteral("Phases"));
  AddValue(Box_Electrical, "Txt_Voltage", QStringLiteral("Voltage"));
  AddValue(Box_Electrical, "Txt_VoltageRange", QStringLiteral("Voltage range"));
  AddValue(Box_Electrical, "Txt_MCA", QStringLiteral("MCA"));
  AddValue(Box_Electrical, "Txt_MFA", QStringLiteral("MFA"));
  AddValue(Box_Electrical, "Txt_RLA", QStringLiteral("RLA"));
  AddValue(Box_Electrical, "Txt_FLA", QStringLiteral("FLA"));

  Box_Speed = new QGroupBox(QStringLiteral("Supply speed"), this);
  Box_Speed->setObjectName(QStringLiteral("Box_Speed"));
  AddValue(Box_Speed, "Txt_SoundLevel", QStringLiteral("Sound level"));
  AddValue(Box_Speed, "Txt_Current", QStringLiteral("Current"));
  AddValue(Box_Speed, "Txt_PowerInput", QStringLiteral("Power input"));

  Box_Ranges = new QGroupBox(QStringLiteral("Operating ranges"), this);
  Box_Ranges->setObjectName(QStringLiteral("Box_Ranges"));
  AddValue(Box_Ranges, "Txt_AmbientRange", QStringLiteral("Ambient temperature"));
  AddValue(Box_Ranges, "Txt_RoomRange", QStringLiteral("Room temperature"));
  AddValue(Box_Ranges, "Txt_VentInRange", QStringLiteral("Ventilation in temperature"));
  AddValue(Box_Ranges, "Txt_MaxAmbientRH", QStringLiteral("Maximum ambient humidity"));
  AddValue(Box_Ranges, "Txt_MaxRoomRH", QStringLiteral("Maximum room humidity"));
  AddValue(Box_Ranges, "Txt_MaxExchangerRH", QStringLiteral("Maximum exchanger humidity"));

  Box_UpsideDown = new QGroupBox(QStringLiteral("Installed upside down"), this);
  Box_UpsideDown->setObjectName(QStringLiteral("Box_UpsideDown"));
  AddValue(Box_UpsideDown, "Txt_MaxAmbientRHUD", QStringLiteral("Maximum ambient humidity"));
  AddValue(Box_UpsideDown, "Txt_MaxRoomRHUD", QStringLiteral("Maximum room humidity"));
  AddValue(Box_UpsideDown, "Txt_MaxExchangerRHUD", QStringLiteral("Maximum exchanger humidity"));

  Box_FanOnly = new QGroupBox(QStringLiteral("Fan only"), this);
  Box_FanOnly->setObjectName(QStringLiteral("Box_FanOnly"));
  AddValue(Box_FanOnly, "Txt_FanOnlyRange", QStringLiteral("Temperature range"));
  AddValue(Box_FanOnly, "Txt_MinCoolingRH", QStringLiteral("Minimum humidity in cooling"));
  AddValue(Box_FanOnly, "Txt_MinHeatingRH", QStringLiteral("Minimum humidity in heating"));

  grid->addWidget(Box_Dimensions, 1, 0);
  grid->addWidget(Box_Electrical, 2, 0, 2, 1);
  grid->addWidget(Box_Speed, 1, 1);
  grid->addWidget(Box_Ranges, 2, 1);
  grid->addWidget(Box_UpsideDown, 3, 1);
  grid->addWidget(Box_FanOnly, 4, 1);

  auto* options = new QGroupBox(QString::fromStdString(i18n::GetUnicodeString(96)), this);
  options->setObjectName(QStringLiteral("Box_DBOptions"));
  auto* column = new QVBoxLayout(options);
  Lvw_DBOptions = new QTreeWidget(options);
  Lvw_DBOptions->setObjectName(QStringLiteral("Lvw_DBOptions"));
  Lvw_DBOptions->setRootIsDecorated(false);
  Lvw_DBOptions->setHeaderLabels({QString::fromStdString(i18n::GetUnicodeString(97))});
  Txt_ODescription = new QPlainTextEdit(options);
  Txt_ODescription->setObjectName(QStringLiteral("Txt_ODescription"));
  Txt_ODescription->setReadOnly(true);
  Txt_ODescription->setMaximumHeight(90);
  auto* optionData = new QFormLayout;
  Txt_OptWHD = new QLabel(options);
  Txt_OptWHD->setObjectName(QStringLiteral("Txt_OptWHD"));
  Txt_OMCA = new QLabel(options);
  Txt_OMCA->setObjectName(QStringLiteral("Txt_OMCA"));
  optionData->addRow(QStringLiteral("W×H×D"), Txt_OptWHD);
  optionData->addRow(QStringLiteral("MCA"), Txt_OMCA);
  column->addWidget(Lvw_DBOptions);
  column->addWidget(Txt_ODescription);
  column->addLayout(optionData);
  grid->addWidget(options, 1, 2, 4, 1);
  grid->setRowStretch(5, 1);
  grid->setColumnStretch(2, 1);

  connect(Lvw_DBOptions, &QTreeWidget::itemSelectionChanged, this, &TFraDatabasePage::Lvw_DBOptionsChange);
  Clear();
}

QLabel* TFraDatabasePage::AddValue(QGroupBox* box, const char* szName, const QString& szCaption)
{
  auto* form = qobject_cast<QFormLayout*>(box->layout());
  if (!form)
    form = new QFormLayout(box);
  auto* value = new QLabel(box);
  value->setObjectName(QString::fromLatin1(szName));
  value->setTextInteractionFlags(Qt::TextSelectableByMouse);
  form->addRow(szCaption, value);
  return value;
}

QString TFraDatabasePage::Value(const QString& szField) const
{
  const auto* label = findChild<QLabel*>(szField);
  return label ? label->text() : QString();
}

void TFraDatabasePage::Clear()
{
  for (QLabel* label : findChildren<QLabel*>())
    if (label->objectName().startsWith(QStringLiteral("Txt_")))
      label->clear();
  v_options.clear();
  Lvw_DBOptions->clear();
  Txt_ODescription->clear();
  Box_UpsideDown->hide();
  Box_FanOnly->hide();
}

void TFraDatabasePage::FillDatabasePage(const DatabasePageData& data)
{
  Clear();
  auto set = [this](const char* szName, const QString& text) {
    if (auto* label = findChild<QLabel*>(QString::fromLatin1(szName)))
      label->setText(text);
  };
  Txt_DeviceName->setText(data.szQualifiedName);
  set("Txt_WHD", FormatWHD(data.width, data.height, data.depth));
  set("Txt_Weight", Q(FormatMass(data.weight)));
  set("Txt_DuctDiameter", Q(FormatShortLength(data.ductDiameter, true)));
  set("Txt_NominalAirflow", Q(FormatAirflow(data.nominalAirflow)));
  set("Txt_NominalHumidity", data.szNominalHumidity);

  set("Txt_PowerSupply", data.szPowerSupply);
  set("Txt_Frequency", data.szFrequency);
  set("Txt_Phases", data.szPhases);
  set("Txt_Voltage", Number(data.voltage, 0) + (data.voltage != 0 ? " V" : ""));
  if (data.minVoltage != 0 || data.maxVoltage != 0)
    set("Txt_VoltageRange", Number(data.minVoltage, 0) + "~" + Number(data.maxVoltage, 0) + " V");
  const std::pair<const char*, double> amperes[] = {
    {"Txt_MCA", data.mca}, {"Txt_MFA", data.mfa}, {"Txt_RLA", data.rla}, {"Txt_FLA", data.fla}};
  for (const auto& [name, value] : amperes)
    set(name, value != 0 ? Number(value, 2) + " A" : QString());

  set("Txt_SoundLevel", data.szSoundLevel);
  set("Txt_Current", data.szCurrent);
  set("Txt_PowerInput", Q(FormatPower(data.powerInput)));

  set("Txt_AmbientRange", Range(data.ambient));
  set("Txt_RoomRange", Range(data.room));
  set("Txt_VentInRange", Range(data.ventilationIn));
  set("Txt_MaxAmbientRH", Percent(data.maxAmbientRH));
  set("Txt_MaxRoomRH", Percent(data.maxRoomRH));
  set("Txt_MaxExchangerRH", Percent(data.maxExchangerRH));

  const bool upsideDown =
    data.maxAmbientRHUpsideDown || data.maxRoomRHUpsideDown || data.maxExchangerRHUpsideDown;
  Box_UpsideDown->setVisible(upsideDown);
  set("Txt_MaxAmbientRHUD", Percent(data.maxAmbientRHUpsideDown.value_or(0)));
  set("Txt_MaxRoomRHUD", Percent(data.maxRoomRHUpsideDown.value_or(0)));
  set("Txt_MaxExchangerRHUD", Percent(data.maxExchangerRHUpsideDown.value_or(0)));

  Box_FanOnly->setVisible(data.nFamily == kFamilyPelmar);
  if (data.nFamily == kFamilyPelmar) {
    set("Txt_FanOnlyRange", Range(data.fanOnly));
    set("Txt_MinCoolingRH", Percent(data.minCoolingRH));
    set("Txt_MinHeatingRH", Percent(data.minHeatingRH));
  }

  v_options = data.options;
  for (const DatabaseOption& option : v_options)
    new QTreeWidgetItem(Lvw_DBOptions, QStringList{option.szName});
}

void TFraDatabasePage::Lvw_DBOptionsChange()
{
  Txt_ODescription->clear();
  Txt_OptWHD->clear();
  Txt_OMCA->clear();
  const QList<QTreeWidgetItem*> selected = Lvw_DBOptions->selectedItems();
  if (selected.isEmpty())
    return;
  const int index = Lvw_DBOptions->indexOfTopLevelItem(selected.front());
  if (index < 0 || index >= static_cast<int>(v_options.size()))
    return;
  const DatabaseOption& option = v_options[static_cast<std::size_t>(index)];
  Txt_ODescription->setPlainText(option.szDescription);
  if (option.width * option.height * option.depth > 0)
    Txt_OptWHD->setText(FormatWHD(option.width, option.height, option.depth));
  Txt_OMCA->setText(option.szMCA);
}

} // namespace aw::app
