#include "app/PageLayout.h"
#include "app/SelectionPage.h"

#include "app/InterfaceLanguage.h"
#include "air/NumberFormat.h"
#include "app/BaseMsgDialog.h"
#include "app/TempConditionsPanel.h"
#include "app/UnitTextScroll.h"
#include "air/ValueFormatting.h"
#include "catalogue/CatalogueText.h"
#include "engine/FamilyTraits.h"
#include "engine/SelectionModel.h"
#include "i18n/BaseMsgMan.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QRadioButton>
#include <QStatusBar>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QEvent>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace aw::app {
namespace {

template <class T> T* Named(T* widget, const char* szName)
{
  widget->setObjectName(QString::fromLatin1(szName));
  return widget;
}

QString Text(const std::string& s)
{
  return QString::fromStdString(s);
}

QString Ratio(double value)
{
  return Text(Number2FmtStr(value, 1, 2, TU_Form::GetDecimalSeparator()));
}

// The offered units' list: each row keeps its solution's index in the model,
// each number column the value it sorts by.
constexpr int kRowRole = Qt::UserRole;
constexpr int kSortRole = Qt::UserRole + 1;
enum SolutionColumn : int { colUnit, colSupplySpeed, colExhaustSpeed, colPlenum, colShare, colSupplyEsp, colExhaustEsp };

class SolutionItem : public QTreeWidgetItem
{
public:
  using QTreeWidgetItem::QTreeWidgetItem;
  bool operator<(const QTreeWidgetItem& other) const override
  {
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    const QVariant a = data(column, kSortRole), b = other.data(column, kSortRole);
    if (a.isValid() && b.isValid())
      return a.toDouble() < b.toDouble();
    return QTreeWidgetItem::operator<(other);
  }
};

// A number cell with its unit, right-aligned and sorted by its value.
void SetNumber(QTreeWidgetItem* item, int nColumn, double value, const std::string& szText)
{
  item->setText(nColumn, Text(szText));
  item->setData(nColumn, kSortRole, value);
  item->setTextAlignment(nColumn, Qt::AlignRight | Qt::AlignVCenter);
}

bool AnyCellFilled(const QTreeWidget* list, int nColumn)
{
  for (int i = 0; i < list->topLevelItemCount(); ++i)
    if (!list->topLevelItem(i)->text(nColumn).isEmpty())
      return true;
  return false;
}

// Each shown column as wide as its widest cell and its caption. In a
// narrower view the captions give up room first: the cells stay whole and
// the room left goes to the captions in proportion to what they lack. When
// even the cells do not fit, the text columns give up the same share of
// their width (the figures stay whole), so that no column leaves the view.
void FitColumns(QTreeWidget* list)
{
  const QFontMetrics metrics(list->font());
  const QFontMetrics headerMetrics(list->header()->font());
  QStyle* style = list->style();
  const int padding = 2 * style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 12;
  // A caption has its margins and the sort indicator beside it.
  const int captionPadding =
    3 * style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, list) + style->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, list);
  const std::size_t count = static_cast<std::size_t>(list->columnCount());
  std::vector<int> cells(count, 0), captioned(count, 0);
  int total = 0, captionedTotal = 0, figures = 0;
  for (int c = 0; c < list->columnCount(); ++c) {
    if (list->isColumnHidden(c))
      continue;
    int width = metrics.horizontalAdvance(QStringLiteral("0000"));
    for (int i = 0; i < list->topLevelItemCount(); ++i)
      width = std::max(width, metrics.horizontalAdvance(list->topLevelItem(i)->text(c)));
    const std::size_t k = static_cast<std::size_t>(c);
    cells[k] = width + padding;
    captioned[k] = std::max(cells[k], headerMetrics.horizontalAdvance(list->headerItem()->text(c)) + captionPadding);
    total += cells[k];
    captionedTotal += captioned[k];
    if (c >= colShare)
      figures += cells[k];
  }
  // The list asks for the room its rows need, so that the page gives its
  // column that width (a later column moves below) before names are cut;
  // the cap keeps it within a small screen, where the texts are shortened.
  constexpr int kMostListWidth = 480; // px
  const int chrome = 2 * list->frameWidth() + style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
  list->setMinimumWidth(std::min(total + chrome, kMostListWidth));

  const int available = list->viewport()->width();
  std::vector<int> sections = cells;
  if (total <= available) {
    const int lack = captionedTotal - total;
    const double share = lack > 0 ? std::min(1.0, static_cast<double>(available - total) / lack) : 0.0;
    for (std::size_t k = 0; k < count; ++k)
      sections[k] += static_cast<int>((captioned[k] - cells[k]) * share);
  } else {
    const int texts = total - figures, room = std::max(available - figures, available / 3);
    const double scale = texts > 0 ? std::min(1.0, static_cast<double>(room) / texts) : 1.0;
    for (std::size_t k = 0; k < static_cast<std::size_t>(colShare) && k < count; ++k)
      sections[k] = static_cast<int>(cells[k] * scale);
  }
  for (int c = 0; c < list->columnCount(); ++c)
    if (!list->isColumnHidden(c))
      list->header()->resizeSection(c, sections[static_cast<std::size_t>(c)]);
}

} // namespace

TFraSelectionPage::TFraSelectionPage(QWidget* parent) : QWidget(parent)
{
  BuildControls();
}

TFrm_UnitTextScroll* TFraSelectionPage::AddField(QWidget* parent, const char* szName, const QString& szCaption)
{
  auto* field = Named(new TFrm_UnitTextScroll(szCaption, parent), szName);
  parent->layout()->addWidget(field);
  return field;
}

QWidget* TFraSelectionPage::BuildRequirementColumn()
{
  auto* column = new QWidget(this);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);

  Box_RoomConditions = Named(new QGroupBox(QStringLiteral("Room Airflow Conditions"), column), "Box_RoomConditions");
  auto* room = new QVBoxLayout(Box_RoomConditions);
  AddField(Box_RoomConditions, "Frm_Airflow", QStringLiteral("Airflow per person"));
  RB_AreaPerPerson = Named(new QRadioButton(QStringLiteral("Area per person"), Box_RoomConditions), "RB_AreaPerPerson");
  room->addWidget(RB_AreaPerPerson);
  AddField(Box_RoomConditions, "Frm_RoomSurface", QStringLiteral("Room surface"));
  AddField(Box_RoomConditions, "Frm_AreaPerPerson", QStringLiteral("Area per person"));
  RB_NumberOfPersons =
    Named(new QRadioButton(QStringLiteral("Number of persons"), Box_RoomConditions), "RB_NumberOfPersons");
  room->addWidget(RB_NumberOfPersons);
  AddField(Box_RoomConditions, "Frm_NumberOfPersons", QStringLiteral("Number of persons"));
  Chk_TotalSupply = Named(new QCheckBox(QStringLiteral("Total supply airflow"), Box_RoomConditions), "Chk_TotalSupply");
  room->addWidget(Chk_TotalSupply);
  AddField(Box_RoomConditions, "Frm_TotalSupply", QStringLiteral("Total supply"));
  Pnl_ExhaustData = Named(new QWidget(Box_RoomConditions), "Pnl_ExhaustData");
  auto* exhaust = new QVBoxLayout(Pnl_ExhaustData);
  exhaust->setContentsMargins(0, 0, 0, 0);
  Chk_TotalExhaust = Named(new QCheckBox(QStringLiteral("Total exhaust airflow"), Pnl_ExhaustData), "Chk_TotalExhaust");
  exhaust->addWidget(Chk_TotalExhaust);
  AddField(Pnl_ExhaustData, "Frm_TotalExhaust", QStringLiteral("Total exhaust"));
  room->addWidget(Pnl_ExhaustData);
  AddRequiredAirflows(Box_RoomConditions);
  layout->addWidget(Box_RoomConditions);

  auto* altitude = Named(new QGroupBox(QStringLiteral("Altitude"), column), "Box_Altitude");
  new QVBoxLayout(altitude);
  AddField(altitude, "Frm_Altitude", QStringLiteral("Altitude"));
  layout->addWidget(altitude);

  Box_ESP = Named(new QGroupBox(QStringLiteral("External Static Pressure"), column), "Box_ESP");
  auto* esp = new QVBoxLayout(Box_ESP);
  AddField(Box_ESP, "Frm_DesignSupplyESP", QStringLiteral("Design supply ESP"));
  Pnl_ExhaustESP = Named(new QWidget(Box_ESP), "Pnl_ExhaustESP");
  new QVBoxLayout(Pnl_ExhaustESP);
  Pnl_ExhaustESP->layout()->setContentsMargins(0, 0, 0, 0);
  AddField(Pnl_ExhaustESP, "Frm_DesignExhaustESP", QStringLiteral("Design exhaust ESP"));
  esp->addWidget(Pnl_ExhaustESP);
  Pnl_Filters = Named(new QWidget(Box_ESP), "Pnl_Filters");
  auto* filters = new QGridLayout(Pnl_Filters);
  filters->setContentsMargins(0, 0, 0, 0);
  Txt_SupplyFilter = Named(new QComboBox(Pnl_Filters), "Txt_SupplyFilter");
  Txt_ExhaustFilter = Named(new QComboBox(Pnl_Filters), "Txt_ExhaustFilter");
  filters->addWidget(new QLabel(QStringLiteral("Supply filter"), Pnl_Filters), 0, 0);
  filters->addWidget(Txt_SupplyFilter, 0, 1);
  filters->addWidget(new QLabel(QStringLiteral("Exhaust filter"), Pnl_Filters), 1, 0);
  filters->addWidget(Txt_ExhaustFilter, 1, 1);
  esp->addWidget(Pnl_Filters);
  Pnl_SelPlenum = Named(new QWidget(Box_ESP), "Pnl_SelPlenum");
  auto* plenum = new QHBoxLayout(Pnl_SelPlenum);
  plenum->setContentsMargins(0, 0, 0, 0);
  plenum->addWidget(new QLabel(QStringLiteral("Plenum"), Pnl_SelPlenum));
  v_plenumGroup = new QButtonGroup(Pnl_SelPlenum);
  const std::pair<const char*, QString> plenums[] = {{"Rbn_PlenumNone", QStringLiteral("None")},
                                                     {"Rbn_PlenumOAEA", QStringLiteral("OA/EA")},
                                                     {"Rbn_PlenumAll", QStringLiteral("All")}};
  for (int i = 0; i < 3; ++i) {
    auto* button = Named(new QRadioButton(plenums[i].second, Pnl_SelPlenum), plenums[i].first);
    v_plenumGroup->addButton(button, i);
    plenum->addWidget(button);
  }
  esp->addWidget(Pnl_SelPlenum);
  layout->addWidget(Box_ESP);
  layout->addStretch(1);
  return column;
}

QWidget* TFraSelectionPage::BuildDeviceColumn()
{
  auto* column = new QWidget(this);
  // The list of offered units takes the width the other columns leave.
  column->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);

  auto* device = Named(new QGroupBox(QStringLiteral("Ventilation Device"), column), "Box_Device");
  auto* grid = new QGridLayout(device);
  Txt_Family = Named(new QComboBox(device), "Txt_Family");
  grid->addWidget(new QLabel(QStringLiteral("Family"), device), 0, 0);
  grid->addWidget(Txt_Family, 0, 1);
  Pnl_MaxSpeed = Named(new QWidget(device), "Pnl_MaxSpeed");
  auto* speed = new QHBoxLayout(Pnl_MaxSpeed);
  speed->setContentsMargins(0, 0, 0, 0);
  Txt_MaxSpeed = Named(new QComboBox(Pnl_MaxSpeed), "Txt_MaxSpeed");
  speed->addWidget(new QLabel(QStringLiteral("Maximum speed"), Pnl_MaxSpeed), 1);
  speed->addWidget(Txt_MaxSpeed, 1);
  grid->addWidget(Pnl_MaxSpeed, 1, 0, 1, 2);
  Chb_UpsideDown = Named(new QCheckBox(QStringLiteral("Upside down installation"), device), "Chb_UpsideDown");
  grid->addWidget(Chb_UpsideDown, 2, 0, 1, 2);
  layout->addWidget(device);

  auto* offered = Named(new QGroupBox(QStringLiteral("Selected devices"), column), "Box_SelectedDevices");
  auto* list = new QVBoxLayout(offered);
  LV_SelectedDevices = Named(new QTreeWidget(offered), "LV_SelectedDevices");
  SetupSolutionList();
  list->addWidget(LV_SelectedDevices);
  auto* selected = new QHBoxLayout;
  selected->addWidget(new QLabel(QStringLiteral("Selected device"), offered));
  selected->addWidget(Named(new QLabel(offered), "Txt_SelectedDevice"), 1);
  list->addLayout(selected);
  layout->addWidget(offered, 1);

  Box_Ratios = Named(new QGroupBox(QStringLiteral("Ratios"), column), "Box_Ratios");
  auto* ratios = new QGridLayout(Box_Ratios);
  ratios->addWidget(new QLabel(QStringLiteral("Exhaust / supply airflow"), Box_Ratios), 0, 0);
  ratios->addWidget(Named(new QLabel(Box_Ratios), "Txt_ESAirflowRatio"), 0, 1);
  Pnl_SNDorsaRatio = Named(new QWidget(Box_Ratios), "Pnl_SNDorsaRatio");
  auto* dorsa = new QHBoxLayout(Pnl_SNDorsaRatio);
  dorsa->setContentsMargins(0, 0, 0, 0);
  dorsa->addWidget(new QLabel(QStringLiteral("Supply / nominal airflow"), Pnl_SNDorsaRatio), 1);
  dorsa->addWidget(Named(new QLabel(Pnl_SNDorsaRatio), "Txt_SNAirflowRatio"));
  ratios->addWidget(Pnl_SNDorsaRatio, 1, 0, 1, 2);
  layout->addWidget(Box_Ratios);

  Box_RequiredDampers = Named(new QGroupBox(QStringLiteral("Required Additional Resistance"), column),
                              "Box_RequiredDampers");
  auto* dampers = new QGridLayout(Box_RequiredDampers);
  dampers->addWidget(new QLabel(QStringLiteral("Supply"), Box_RequiredDampers), 0, 1);
  Pnl_ExhaustDampers = Named(new QLabel(QStringLiteral("Exhaust"), Box_RequiredDampers), "Pnl_ExhaustDampers");
  dampers->addWidget(Pnl_ExhaustDampers, 0, 2);
  const struct
  {
    const char* caption;
    const char* supply;
    const char* exhaust;
  } lines[] = {{"Filter pressure drop", "Txt_FilterSupply", "Txt_FilterExhaust"},
               {"Plenum pressure drop", "Lbl_ResPlenumSupply", "Lbl_ResPlenumExhaust"},
               {"Additional resistance", "Txt_SupplyDamper", "Txt_ExhaustDamper"}};
  for (int i = 0; i < 3; ++i) {
    dampers->addWidget(Named(new QLabel(QString::fromLatin1(lines[i].caption), Box_RequiredDampers),
                             i == 0 ? "Lbl_FilterLine" : i == 1 ? "Lbl_PlenumLine" : "Lbl_DamperLine"),
                       i + 1, 0);
    dampers->addWidget(Named(new QLabel(Box_RequiredDampers), lines[i].supply), i + 1, 1);
    dampers->addWidget(Named(new QLabel(Box_RequiredDampers), lines[i].exhaust), i + 1, 2);
  }
  layout->addWidget(Box_RequiredDampers);
  return column;
}

void TFraSelectionPage::BuildControls()
{
  QWidget* content = ScrollingContent(this);
  // Four columns side by side where the page is wide enough; on a narrower
  // page the conditions wrap under the requirement and the device.
  auto* columns = new TFlowLayout(content, 4);
  columns->addWidget(BuildRequirementColumn());
  columns->addWidget(BuildDeviceColumn());
  auto* cool = Named(new QWidget(content), "Pnl_CoolConditions");
  auto* heat = Named(new QWidget(content), "Pnl_HeatConditions");
  Frm_CoolConditions = Named(new TFrm_TempConditions(cool), "Frm_CoolConditions");
  Frm_HeatConditions = Named(new TFrm_TempConditions(heat), "Frm_HeatConditions");
  for (auto [panel, conditions] : {std::pair{cool, Frm_CoolConditions}, std::pair{heat, Frm_HeatConditions}}) {
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(conditions);
    layout->addStretch(1);
    columns->addWidget(panel);
  }
}

// The airflows the search works with, below the requirement inputs.
void TFraSelectionPage::AddRequiredAirflows(QGroupBox* box)
{
  auto* panel = Named(new QWidget(box), "Pnl_RequiredAirflows");
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("Required supply airflow"), panel), 0, 0);
  grid->addWidget(Named(new QLabel(panel), "Txt_RequiredSupply"), 0, 1, Qt::AlignRight);
  grid->addWidget(Named(new QLabel(QStringLiteral("Required exhaust airflow"), panel), "Lbl_RequiredExhaust"), 1, 0);
  grid->addWidget(Named(new QLabel(panel), "Txt_RequiredExhaust"), 1, 1, Qt::AlignRight);
  box->layout()->addWidget(panel);
}

void TFraSelectionPage::SetupSolutionList()
{
  QTreeWidget* list = LV_SelectedDevices;
  list->setRootIsDecorated(false);
  const QStringList headers{QStringLiteral("Device"),        QStringLiteral("Supply speed"),
                            QStringLiteral("Exhaust speed"), QStringLiteral("Plenum"),
                            QStringLiteral("Airflow share"), QStringLiteral("Available supply ESP"),
                            QStringLiteral("Available exhaust ESP")};
  list->setHeaderLabels(headers);
  for (int c = 0; c < headers.size(); ++c)
    list->headerItem()->setToolTip(c, headers[c]);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setMinimumHeight(160);
  // Every column stays in sight: the columns share the width, long captions are elided.
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QHeaderView* header = list->header();
  header->setStretchLastSection(false);
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setMinimumSectionSize(8);
  list->viewport()->installEventFilter(this);
  header->setSectionsClickable(true);
  header->setSortIndicatorShown(true);
  header->setSortIndicator(-1, Qt::AscendingOrder);
  connect(header, &QHeaderView::sectionClicked, this, &TFraSelectionPage::SortSolutions);
}

void TFraSelectionPage::SortSolutions(int nColumn)
{
  v_sortDescending = nColumn == v_sortColumn && !v_sortDescending;
  v_sortColumn = nColumn;
  const QSignalBlocker blocker(LV_SelectedDevices);
  LV_SelectedDevices->sortByColumn(nColumn, v_sortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

bool TFraSelectionPage::eventFilter(QObject* watched, QEvent* event)
{
  if (watched == LV_SelectedDevices->viewport() && event->type() == QEvent::Resize)
    FitColumns(LV_SelectedDevices);
  return QWidget::eventFilter(watched, event);
}

QLabel* TFraSelectionPage::NoticeLabel(const TFrm_UnitTextScroll* field) const
{
  return field ? findChild<QLabel*>(QStringLiteral("Lbl_Notice_") + field->objectName()) : nullptr;
}

TFrm_UnitTextScroll* TFraSelectionPage::Field(const char* szName) const
{
  return findChild<TFrm_UnitTextScroll*>(QString::fromLatin1(szName));
}

QLabel* TFraSelectionPage::ResultLabel(const char* szName) const
{
  return findChild<QLabel*>(QString::fromLatin1(szName));
}

void TFraSelectionPage::SetupWindow(CTSelectionModel* pModel, std::function<void()> AfterUserChange)
{
  v_model = pModel;
  v_AfterUserChange = std::move(AfterUserChange);
  CTSelectionModel& m = *pModel;
  // The focus stays where the user took it (Tab, a click, or Return to the next input).
  const auto capacity = [this] { UserChange([this] { v_model->CapacityCallBack(); }); };
  const std::pair<const char*, CTUnitInput*> capacityInputs[] = {
    {"Frm_Airflow", &m.AirflowPerPerson()},   {"Frm_RoomSurface", &m.RoomSurface()},
    {"Frm_AreaPerPerson", &m.AreaPerPerson()}, {"Frm_NumberOfPersons", &m.NumberOfPersons()},
    {"Frm_TotalSupply", &m.TotalSupply()},     {"Frm_TotalExhaust", &m.TotalExhaust()},
    {"Frm_DesignSupplyESP", &m.DesignSupplyESP()}, {"Frm_DesignExhaustESP", &m.DesignExhaustESP()}};
  for (const auto& [name, input] : capacityInputs)
    Field(name)->SetupWindow(input, capacity);
  Field("Frm_Altitude")->SetupWindow(&m.Altitude(), [this] { UserChange([this] { v_model->AltitudeCallBack(); }); });

  const auto efficiency = [this] { UserChange([this] { v_model->EfficiencyCallBack(); }); };
  const auto air = [this]() -> const TAir& { return v_model->Air(); };
  Frm_CoolConditions->SetupWindow(&m.Cooling(), air, efficiency);
  Frm_HeatConditions->SetupWindow(&m.Heating(), air, efficiency);

  connect(RB_AreaPerPerson, &QRadioButton::clicked, this,
          [this] { UserChange([this] { v_model->AreaPerPersonClick(); }); });
  connect(RB_NumberOfPersons, &QRadioButton::clicked, this,
          [this] { UserChange([this] { v_model->NumberOfPersonsClick(); }); });
  connect(Chk_TotalSupply, &QCheckBox::clicked, this,
          [this](bool b) { UserChange([this, b] { v_model->TotalSupplyClick(b); }); });
  connect(Chk_TotalExhaust, &QCheckBox::clicked, this,
          [this](bool b) { UserChange([this, b] { v_model->TotalExhaustClick(b); }); });
  connect(Txt_Family, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (i >= 0)
      UserChange([this, i] { v_model->SetFamily(Txt_Family->itemData(i).toInt()); });
  });
  connect(Txt_MaxSpeed, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (i >= 0)
      UserChange([this, i] { v_model->SetMaxSpeed(i); });
  });
  connect(Txt_SupplyFilter, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (i >= 0)
      UserChange([this, i] { v_model->SetSupplyFilter(i); });
  });
  connect(Txt_ExhaustFilter, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (i >= 0)
      UserChange([this, i] { v_model->SetExhaustFilter(i); });
  });
  connect(v_plenumGroup, &QButtonGroup::idClicked, this,
          [this](int id) { UserChange([this, id] { v_model->SetPlenum(id); }); });
  connect(Chb_UpsideDown, &QCheckBox::clicked, this,
          [this](bool b) { UserChange([this, b] { v_model->SetUpsideDown(b); }); });
  connect(LV_SelectedDevices, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (item)
      UserChange([this, row = item->data(colUnit, kRowRole).toInt()] { v_model->SelectedDevicesClick(row); });
  });
}

void TFraSelectionPage::FillFamilies()
{
  const QSignalBlocker blocker(Txt_Family);
  Txt_Family->clear();
  if (!v_model)
    return;
  for (const auto& [name, code] : v_model->Families())
    Txt_Family->addItem(Text(name), code);
  Txt_Family->setCurrentIndex(Txt_Family->findData(v_model->Family()));
}

void TFraSelectionPage::FillFilterLists()
{
  const QStringList classes{TranslatedText(QStringLiteral("<None>")), QStringLiteral("F6"), QStringLiteral("F7"),
                            QStringLiteral("F8")};
  for (QComboBox* list : {Txt_SupplyFilter, Txt_ExhaustFilter}) {
    const QSignalBlocker blocker(list);
    list->clear();
    list->addItems(classes);
    list->setCurrentIndex(0);
  }
}

void TFraSelectionPage::UserChange(const std::function<void()>& handler)
{
  if (v_converting || !v_model)
    return;
  handler();
  ShowModel();
  if (v_AfterUserChange)
    v_AfterUserChange();
  ShowMessage();
}

void TFraSelectionPage::ShowMessage()
{
  const std::optional<CTSelectionMessage>& message = v_model->Message();
  if (!message)
    return;
  TBaseMsg::DisplayError(this, message->nMsgNo, message->params);
  // A heater below the calculated minimum: the choice to correct gets the focus.
  for (auto [results, panel] : {std::pair{&v_model->CoolingResults(), Frm_CoolConditions},
                                std::pair{&v_model->HeatingResults(), Frm_HeatConditions}}) {
    if (results->nCode == rcInletHeaterTooSmall)
      panel->InletChoice()->setFocus(Qt::OtherFocusReason);
    else if (results->nCode == rcSupplyHeaterTooSmall)
      panel->SupplyChoice()->setFocus(Qt::OtherFocusReason);
  }
}

void TFraSelectionPage::UnitsChanged()
{
  if (!v_model)
    return;
  v_model->PressureUnitChanged();
  ShowModel();
}

void TFraSelectionPage::ShowMaxSpeeds()
{
  Txt_MaxSpeed->clear();
  for (const Cls_BrisaSpType* type : v_model->MaxSpeedTypes())
    Txt_MaxSpeed->addItem(Text(type->GetName()));
  Txt_MaxSpeed->setCurrentIndex(v_model->MaxSpeed());
  Pnl_MaxSpeed->setVisible(v_model->MaxSpeedTypes().Count() > 1);
}

void TFraSelectionPage::ShowSolutions()
{
  LV_SelectedDevices->clear();
  int index = 0;
  QTreeWidgetItem* current = nullptr;
  for (const CTSolutionRow& row : v_model->SolutionRows()) {
    auto* item = new SolutionItem(LV_SelectedDevices);
    item->setData(colUnit, kRowRole, index);
    item->setData(colUnit, kSortRole, row.SelKey);
    item->setText(colUnit, Text(row.szUnit));
    item->setText(colSupplySpeed, Text(row.szSupplySpeed));
    item->setText(colExhaustSpeed, Text(row.szExhaustSpeed));
    // A narrow list shortens the texts; the tooltip keeps them whole.
    for (const int column : {colUnit, colSupplySpeed, colExhaustSpeed})
      item->setToolTip(column, item->text(column));
    item->setText(colPlenum, row.bHasPlenum ? QStringLiteral("✔") : QString());
    const std::string share = FormatPercent(row.AirflowShare_pct);
    SetNumber(item, colShare, row.AirflowShare_pct, share);
    SetNumber(item, colSupplyEsp, row.SupplyAvailable_Pa, FormatComputedPressure(row.SupplyAvailable_Pa));
    SetNumber(item, colExhaustEsp, row.ExhaustAvailable_Pa, FormatComputedPressure(row.ExhaustAvailable_Pa));
    if (index++ == v_model->SelectedRow())
      current = item;
  }
  if (v_sortColumn >= 0)
    LV_SelectedDevices->sortByColumn(v_sortColumn, v_sortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
  if (current)
    LV_SelectedDevices->setCurrentItem(current);
  // Columns no row fills (no plenum, a unit range without speed steps) give their room to the others.
  for (const int column : {colSupplySpeed, colExhaustSpeed, colPlenum})
    LV_SelectedDevices->setColumnHidden(column, !AnyCellFilled(LV_SelectedDevices, column));
  LV_SelectedDevices->setColumnHidden(colExhaustEsp, !FamilyTraits(v_model->Family()).bHasExhaust);
  FitColumns(LV_SelectedDevices);
}

void TFraSelectionPage::ShowRequiredAirflows()
{
  const CTSelectionFigures figures = v_model->Figures();
  ResultLabel("Txt_RequiredSupply")->setText(Text(FormatAirflow(figures.RequiredSupply_ls)));
  ResultLabel("Txt_RequiredExhaust")->setText(Text(FormatAirflow(figures.RequiredExhaust_ls)));
  ResultLabel("Lbl_RequiredExhaust")->setVisible(figures.bHasExhaust);
  ResultLabel("Txt_RequiredExhaust")->setVisible(figures.bHasExhaust);
}

// Each limited input says so beside its field, all of them in the status bar.
void TFraSelectionPage::ShowNotices()
{
  const std::vector<CTInputNotice> notices = v_model->Notices();
  QStringList texts;
  for (TFrm_UnitTextScroll* field : findChildren<TFrm_UnitTextScroll*>()) {
    const auto notice = std::find_if(notices.begin(), notices.end(),
                                     [field](const CTInputNotice& n) { return n.pInput == field->Input(); });
    QLabel* label = NoticeLabel(field);
    if (notice == notices.end()) {
      if (label)
        label->hide();
      continue;
    }
    const std::string caption = field->Caption()->text().toStdString();
    const CTSelectionMessage message = NoticeMessage(*notice, caption);
    const QString text = Text(i18n::GetUnicodeString(message.nMsgNo, message.params));
    texts << text;
    auto* box = qobject_cast<QBoxLayout*>(field->parentWidget() ? field->parentWidget()->layout() : nullptr);
    if (!label && box) {
      label = new QLabel(field->parentWidget());
      label->setObjectName(QStringLiteral("Lbl_Notice_") + field->objectName());
      label->setWordWrap(true);
      label->setStyleSheet(QStringLiteral("color: #a04000;"));
      box->insertWidget(box->indexOf(field) + 1, label);
    }
    if (label) {
      label->setText(text);
      label->setVisible(!field->isHidden());
    }
  }
  ShowNoticesInStatusBar(texts);
}

void TFraSelectionPage::ShowNoticesInStatusBar(const QStringList& texts)
{
  // A label of its own: the hints that the status bar shows while the
  // pointer moves must not wipe out what the selection rests on.
  auto* main = qobject_cast<QMainWindow*>(window());
  if (!main)
    return;
  auto* label = main->statusBar()->findChild<QLabel*>(QStringLiteral("Lbl_StatusNotices"));
  if (!label) {
    label = new QLabel(main->statusBar());
    label->setObjectName(QStringLiteral("Lbl_StatusNotices"));
    label->setStyleSheet(QStringLiteral("color: #a04000;"));
    main->statusBar()->addPermanentWidget(label);
  }
  label->setText(texts.join(QStringLiteral("  ")));
  label->setToolTip(texts.join(QLatin1Char('\n')));
  label->setVisible(!texts.isEmpty());
}

void TFraSelectionPage::ShowPressureBalance()
{
  const CTFamilyTraits& traits = FamilyTraits(v_model->Family());
  const bool withExhaust = traits.bHasExhaust;
  const bool filters = traits.bHasFilters;
  Cls_Brisa* unit = v_model->CurrentBrisa();
  ResultLabel("Txt_SelectedDevice")->setText(unit ? Text(unit->GetQualifiedName()) : QString());
  Box_Ratios->setVisible(withExhaust);
  Pnl_SNDorsaRatio->setVisible(traits.bHasCoil);
  Pnl_ExhaustDampers->setVisible(withExhaust);
  for (const char* name : {"Lbl_FilterLine", "Txt_FilterSupply", "Txt_FilterExhaust", "Lbl_PlenumLine",
                           "Lbl_ResPlenumSupply", "Lbl_ResPlenumExhaust"})
    ResultLabel(name)->setVisible(filters);
  for (const char* name : {"Txt_FilterExhaust", "Lbl_ResPlenumExhaust", "Txt_ExhaustDamper"})
    ResultLabel(name)->setVisible(withExhaust && (filters || QByteArray(name) == "Txt_ExhaustDamper"));

  // The balance is computed for every picked unit; a zero drop is a result.
  const auto pressure = [unit](double value) {
    return Text(FormatComputedPressure(unit ? std::optional<double>(value) : std::nullopt));
  };
  const CTEspData& supply = v_model->SupplyEsp();
  const CTEspData& exhaust = v_model->ExhaustEsp();
  ResultLabel("Txt_ESAirflowRatio")->setText(unit ? Ratio(v_model->ExhaustSupplyRatio()) : QString());
  ResultLabel("Txt_SNAirflowRatio")->setText(unit ? Ratio(v_model->SupplyNominalRatio()) : QString());
  ResultLabel("Txt_FilterSupply")->setText(pressure(supply.FilterDrop));
  ResultLabel("Txt_SupplyDamper")->setText(pressure(supply.AdditionalResistance));
  ResultLabel("Lbl_ResPlenumSupply")->setText(pressure(supply.PlenumDrop));
  ResultLabel("Txt_FilterExhaust")->setText(pressure(exhaust.FilterDrop));
  ResultLabel("Txt_ExhaustDamper")->setText(pressure(exhaust.AdditionalResistance));
  ResultLabel("Lbl_ResPlenumExhaust")->setText(pressure(exhaust.PlenumDrop));
}

void TFraSelectionPage::ShowModel()
{
  if (!v_model)
    return;
  v_converting = true;
  {
    const QSignalBlocker b1(Txt_Family), b2(Txt_MaxSpeed), b3(Txt_SupplyFilter), b4(Txt_ExhaustFilter),
      b5(LV_SelectedDevices), b6(v_plenumGroup);
    const CTSelectionModel& m = *v_model;
    const int family = m.Family();
    for (TFrm_UnitTextScroll* field : findChildren<TFrm_UnitTextScroll*>())
      field->ConvertUnit();
    RB_AreaPerPerson->setChecked(m.Requirement() == CTSelectionModel::TRequirement::AreaPerPerson);
    RB_NumberOfPersons->setChecked(m.Requirement() == CTSelectionModel::TRequirement::NumberOfPersons);
    RB_AreaPerPerson->setEnabled(!m.TotalSupplyTicked());
    RB_NumberOfPersons->setEnabled(!m.TotalSupplyTicked());
    Chk_TotalSupply->setChecked(m.TotalSupplyTicked());
    Chk_TotalExhaust->setChecked(m.TotalExhaustTicked());
    const CTFamilyTraits& traits = FamilyTraits(family);
    Pnl_ExhaustData->setVisible(traits.bHasExhaust);
    Pnl_ExhaustESP->setVisible(traits.bHasExhaust);
    Pnl_Filters->setVisible(traits.bHasFilters);
    Txt_Family->setCurrentIndex(Txt_Family->findData(family));
    Txt_SupplyFilter->setCurrentIndex(m.SupplyFilter());
    Txt_ExhaustFilter->setCurrentIndex(m.ExhaustFilter());
    if (QAbstractButton* plenum = v_plenumGroup->button(m.Plenum()))
      plenum->setChecked(true);
    Pnl_SelPlenum->setVisible(m.PlenumAvailable());
    ShowMaxSpeeds();
    ShowSolutions();
    Chb_UpsideDown->setVisible(m.UpsideDownVisible());
    Chb_UpsideDown->setChecked(m.UpsideDown());
    ShowPressureBalance();
    ShowRequiredAirflows();
  }
  Frm_CoolConditions->ConvertFields();
  Frm_HeatConditions->ConvertFields();
  ShowNotices();
  v_converting = false;
}

} // namespace aw::app
