#include "app/PsychroPage.h"

#include "app/InterfaceLanguage.h"
#include "app/FrmConfiguration.h"
#include "app/GraphPage.h"
#include "app/UserPrompts.h"
#include "engine/SelectionModel.h"
#include "platform/AtomicFile.h"
#include "platform/SettingsRoots.h"
#include "platform/SettingsStore.h"
#include "render/QtColour.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <string>

namespace aw::app {
namespace {

// The object names of the read-out fields, in the order of the core's read-out.
constexpr const char* kReadOutNames[] = {"Txt_DryBulb", "Txt_WetBulb", "Txt_DewPoint",  "Txt_RH",      "Txt_AH",
                                         "Txt_e",       "Txt_SpecVol", "Txt_Density", "Txt_Pressure"};

const QString kChartFilter =
  QStringLiteral("PNG image (*.png)|*.png|SVG drawing (*.svg)|*.svg|PDF document (*.pdf)|*.pdf");

QRadioButton* AddChoice(QHBoxLayout* row, QButtonGroup* group, const char* szName, const QString& szCaption)
{
  auto* button = new QRadioButton(szCaption);
  button->setObjectName(QString::fromLatin1(szName));
  group->addButton(button);
  row->addWidget(button);
  return button;
}

} // namespace

// ---- the paint box ---------------------------------------------------------------------

TPsyGraphBox::TPsyGraphBox(QWidget* parent) : QWidget(parent)
{
  setObjectName(QStringLiteral("PsyGraphBox"));
  setMouseTracking(true);
  setMinimumSize(320, 240);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TPsyGraphBox::Invalidate()
{
  v_stale = true;
  update();
}

const charts::DisplayList& TPsyGraphBox::Chart()
{
  if (v_stale || !v_chart || v_list.width != width() || v_list.height != height())
    RebuildPsychroChart();
  return v_list;
}

const charts::TAirPropDiagram& TPsyGraphBox::Diagram()
{
  Chart();
  return *v_chart;
}

void TPsyGraphBox::RebuildPsychroChart()
{
  charts::CTChartRequest request;
  if (v_model)
    request = charts::ChartRequestFor(*v_model, v_cooling);
  request.bPsychro = charts::CTDiagramSettings::Current().DiagramType;
  request.nWidth = width();
  request.nHeight = height();
  request.nBorder = logicalDpiX() * 12 / 96;
  charts::TranslateChartTexts(
    request, [](const std::string& szText) { return TranslatedText(QString::fromStdString(szText)).toStdString(); });
  v_chart = charts::DrawUnitChart(v_list, v_metrics, request);
  v_chart->SetOnLegendColourChoice(
    [this](int nEntry, charts::Colour current) { return ChooseLegendColour(nEntry, current); });
  v_chart->SetOnLegendClick([this] { Invalidate(); });
  v_image = {};
  v_stale = false;
  // The hover marks and the read-out belong to the chart that was replaced.
  v_marks = {};
  if (v_onHover)
    v_onHover({});
}

charts::CTHoverInfo TPsyGraphBox::HoverAt(QPoint pos)
{
  Chart();
  const charts::CTHoverInfo info = v_chart->OnHoover(pos.x(), pos.y());
  v_marks = v_chart->HoverMarks();
  update();
  if (v_onHover)
    v_onHover(info);
  return info;
}

void TPsyGraphBox::ClickAt(QPoint pos)
{
  Chart();
  v_chart->OnClick(pos.x(), pos.y());
}

std::optional<charts::Colour> TPsyGraphBox::ChooseLegendColour(int nEntry, charts::Colour current)
{
  const QString szTitle = QString::fromStdString(v_chart->LegendEntry(nEntry).v_Title);
  const std::optional<QColor> colour = UserPrompts::Current().ChooseColour(this, render::toQColor(current), szTitle);
  if (!colour)
    return std::nullopt;
  // Kept for every later chart, as the preferences keep it.
  charts::CTDiagramSettings& settings = charts::CTDiagramSettings::Current();
  settings.ChooseColor(nEntry, render::fromQColor(*colour));
  settings.LegendToRegistry(platform::kPreferencesKey, platform::SettingsStore::User());
  return settings.Colors[nEntry];
}

void TPsyGraphBox::paintEvent(QPaintEvent*)
{
  const charts::DisplayList& list = Chart();
  QPainter painter(this);
  PaintCachedList(painter, *this, list, v_image);
  render::replay(painter, v_marks);
}

void TPsyGraphBox::mouseMoveEvent(QMouseEvent* event)
{
  HoverAt(event->position().toPoint());
}

void TPsyGraphBox::mouseReleaseEvent(QMouseEvent* event)
{
  ClickAt(event->position().toPoint());
}

void TPsyGraphBox::leaveEvent(QEvent*)
{
  v_marks = {};
  update();
  if (v_onHover)
    v_onHover({});
}

// ---- the page ------------------------------------------------------------------------------

TFraPsychroPage::TFraPsychroPage(QWidget* parent) : QWidget(parent)
{
  setObjectName(QStringLiteral("TFraPsychroPage"));
  auto* choices = new QHBoxLayout;
  auto* kinds = new QButtonGroup(this);
  RB_Psychro = AddChoice(choices, kinds, "RB_Psychro", QStringLiteral("Psychrometric chart"));
  RB_Mollier = AddChoice(choices, kinds, "RB_Mollier", QStringLiteral("Mollier chart"));
  choices->addSpacing(24);
  auto* modes = new QButtonGroup(this);
  RB_Cooling = AddChoice(choices, modes, "RB_Cooling", QStringLiteral("Cooling"));
  RB_Heating = AddChoice(choices, modes, "RB_Heating", QStringLiteral("Heating"));
  RB_Cooling->setChecked(true);
  choices->addStretch(1);
  Btn_Configuration = new QPushButton(QStringLiteral("Configuration Screen..."));
  Btn_Configuration->setObjectName(QStringLiteral("Btn_Configuration"));
  choices->addWidget(Btn_Configuration);
  Btn_SaveChart = new QPushButton(QIcon::fromTheme(QStringLiteral("document-save-as")), QStringLiteral("Save chart as…"));
  Btn_SaveChart->setObjectName(QStringLiteral("Btn_SaveChart"));
  choices->addWidget(Btn_SaveChart);

  PsyGraphBox = new TPsyGraphBox(this);
  PsyGraphBox->SetOnHover([this](const charts::CTHoverInfo& info) { ShowPointData(info); });
  auto* body = new QHBoxLayout;
  body->addWidget(PsyGraphBox, 1);
  body->addWidget(CreateReadOut(), 0, Qt::AlignTop);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(choices);
  layout->addLayout(body, 1);

  connect(RB_Psychro, &QRadioButton::toggled, this, [this](bool bOn) {
    if (bOn != charts::CTDiagramSettings::Current().DiagramType)
      ChooseKind(bOn);
  });
  connect(RB_Cooling, &QRadioButton::toggled, this, [this] { RebuildPsychroChart(); });
  connect(Btn_SaveChart, &QPushButton::clicked, this, &TFraPsychroPage::SaveChartAs);
  connect(Btn_Configuration, &QPushButton::clicked, this, &TFraPsychroPage::Btn_ConfigurationClick);
  RebuildPsychroChart();
}

QWidget* TFraPsychroPage::CreateReadOut()
{
  auto* box = new QGroupBox(QStringLiteral("Point data"));
  box->setObjectName(QStringLiteral("Box_PointData"));
  auto* form = new QFormLayout(box);
  Txt_State = new QLabel;
  Txt_State->setObjectName(QStringLiteral("Txt_State"));
  form->addRow(QStringLiteral("State"), Txt_State);
  const std::vector<charts::CTReadOutField> fields = charts::ReadOut(TAir(), charts::kNoChartValue, charts::kNoChartValue, 0);
  for (std::size_t i = 0; i < fields.size() && i < std::size(kReadOutNames); ++i) {
    auto* value = new QLabel;
    value->setObjectName(QString::fromLatin1(kReadOutNames[i]));
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("-000.0 kJ/kg")));
    form->addRow(QString::fromStdString(fields[i].szCaption), value);
    v_readOut.push_back(value);
  }
  return box;
}

void TFraPsychroPage::SetModel(CTSelectionModel* model)
{
  v_model = model;
  PsyGraphBox->SetModel(model);
  RebuildPsychroChart();
}

void TFraPsychroPage::RebuildPsychroChart()
{
  charts::CTDiagramSettings& settings = charts::CTDiagramSettings::Current();
  settings.LoadLegendFromRegistry(platform::kPreferencesKey, platform::SettingsStore::User());
  const QSignalBlocker blocker(RB_Psychro);
  const bool bPsychro = settings.DiagramType;
  RB_Psychro->setChecked(bPsychro);
  RB_Mollier->setChecked(!bPsychro);
  PsyGraphBox->SetCooling(RB_Cooling->isChecked());
  PsyGraphBox->Invalidate();
  ShowPointData({});
  if (v_configForm)
    v_configForm->Redraw();
}

void TFraPsychroPage::Btn_ConfigurationClick()
{
  if (!v_configForm)
    v_configForm = new TFrm_Configuration(this, v_model);
  v_configForm->show();
  v_configForm->raise();
}

TFrm_Configuration* TFraPsychroPage::ConfigurationWindow() const { return v_configForm; }

void TFraPsychroPage::PageShown(bool bShown)
{
  if (!v_configForm)
    return;
  v_configForm->setVisible(bShown);
  if (bShown)
    v_configForm->Redraw();
}

void TFraPsychroPage::ChooseKind(bool bPsychro)
{
  charts::CTDiagramSettings& settings = charts::CTDiagramSettings::Current();
  settings.ChooseDiagramType(bPsychro);
  settings.LegendToRegistry(platform::kPreferencesKey, platform::SettingsStore::User());
  RebuildPsychroChart();
}

void TFraPsychroPage::ShowPointData(const charts::CTHoverInfo& info)
{
  const charts::TAirPropDiagram* chart = nullptr;
  if (info.bInPlot)
    chart = &PsyGraphBox->Diagram();
  const std::vector<charts::CTReadOutField> fields =
    chart ? charts::ReadOut(chart->Air(), info.Dbt, info.AH, chart->DeltaEnthalpy())
          : charts::ReadOut(TAir(), charts::kNoChartValue, charts::kNoChartValue, 0);
  for (std::size_t i = 0; i < v_readOut.size() && i < fields.size(); ++i)
    v_readOut[i]->setText(QString::fromStdString(fields[i].szValue));
  Txt_State->setText(QString::fromStdString(info.szSnapped));
}

QString TFraPsychroPage::Value(const QString& szField) const
{
  const auto* label = findChild<QLabel*>(szField);
  return label ? label->text() : QString();
}

void TFraPsychroPage::SaveChartAs()
{
  FileRequest request;
  request.parent = this;
  request.szTitle = QStringLiteral("Save chart as");
  request.szFilter = kChartFilter;
  request.szDefaultExtension = QStringLiteral("png");
  const QString szFile = UserPrompts::Current().ChooseSaveFile(request);
  if (szFile.isEmpty())
    return;
  const QString szFormat = QFileInfo(szFile).suffix().toLower();
  if (szFormat != QLatin1String("png") && szFormat != QLatin1String("svg") && szFormat != QLatin1String("pdf")) {
    UserPrompts::Current().ShowMessage(
      QStringLiteral("%1: a chart is saved as .png, .svg or .pdf").arg(szFile));
    return;
  }
  const std::string bytes = render::chartFileBytes(PsyGraphBox->Chart(), szFormat.toStdString());
  std::string szError = "the chart could not be encoded as " + szFormat.toStdString();
  if (bytes.empty() || !platform::WriteFileAtomically(szFile.toStdString(), bytes, szError))
    UserPrompts::Current().ShowMessage(
      QStringLiteral("The chart could not be saved to %1: %2").arg(szFile, QString::fromStdString(szError)));
}

} // namespace aw::app
