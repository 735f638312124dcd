#include "app/DatabasePage.h"

#include "engine/UnitDataSheet.h"
#include "i18n/BaseMsgMan.h"

#include <algorithm>

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

} // namespace

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

  // The boxes and lines of the core's data sheet, in its order: the first two
  // down the left column, the others down the middle one.
  static constexpr int kRow[] = {1, 2, 1, 2, 3, 4}, kColumn[] = {0, 0, 1, 1, 1, 1}, kRowSpan[] = {1, 2, 1, 1, 1, 1};
  const std::vector<CTDataSheetSection> sections = DataSheetSections(CTUnitDataSheet{});
  for (std::size_t i = 0; i < sections.size(); ++i) {
    auto* box = new QGroupBox(Q(sections[i].szCaption), this);
    box->setObjectName(Q(sections[i].szKey));
    for (const CTDataSheetRow& row : sections[i].rows)
      AddValue(box, row.szKey.c_str(), Q(row.szCaption));
    const std::size_t at = std::min(i, std::size(kRow) - 1);
    grid->addWidget(box, kRow[at] + int(i - at), kColumn[at], kRowSpan[at], 1);
    v_boxes.push_back(box);
  }

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
  // Without a unit, only the sections every unit has.
  const std::vector<CTDataSheetSection> sections = DataSheetSections(CTUnitDataSheet{});
  for (std::size_t i = 0; i < v_boxes.size() && i < sections.size(); ++i)
    v_boxes[i]->setVisible(sections[i].bShown);
}

void TFraDatabasePage::FillDatabasePage(const CTUnitDataSheet& data)
{
  Clear();
  Txt_DeviceName->setText(Q(data.szQualifiedName));
  for (const CTDataSheetSection& section : DataSheetSections(data)) {
    if (auto* box = findChild<QGroupBox*>(Q(section.szKey)))
      box->setVisible(section.bShown);
    if (!section.bShown)
      continue;
    for (const CTDataSheetRow& row : section.rows)
      if (auto* label = findChild<QLabel*>(Q(row.szKey)))
        label->setText(Q(row.szText));
  }

  v_options = data.options;
  for (const CTDataSheetOption& option : v_options)
    new QTreeWidgetItem(Lvw_DBOptions, QStringList{Q(option.szName)});
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
  const CTDataSheetOption& option = v_options[static_cast<std::size_t>(index)];
  Txt_ODescription->setPlainText(Q(option.szDescription));
  if (option.width * option.height * option.depth > 0)
    Txt_OptWHD->setText(Q(FormatWHD(option.width, option.height, option.depth)));
  Txt_OMCA->setText(Q(option.szMCA));
}

} // namespace aw::app
