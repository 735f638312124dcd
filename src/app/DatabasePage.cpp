#include "app/DatabasePage.h"

#include "app/PageLayout.h"

#include "engine/UnitDataSheet.h"
#include "i18n/BaseMsgMan.h"

#include <algorithm>

#include <QFormLayout>
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
  QWidget* content = ScrollingContent(this);
  auto* page = new QVBoxLayout(content);

  Txt_DeviceName = new QLabel(content);
  Txt_DeviceName->setObjectName(QStringLiteral("Txt_DeviceName"));
  QFont bold = Txt_DeviceName->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.3);
  Txt_DeviceName->setFont(bold);
  page->addWidget(Txt_DeviceName);

  // The boxes and lines of the core's data sheet, in its order: the first two
  // down the first column, the others down the second one, the options in
  // the third; the columns wrap on a narrow page.
  auto* columns = new TFlowLayout(nullptr, 3);
  page->addLayout(columns);
  page->addStretch(1);
  QVBoxLayout* column[2] = {};
  for (int c = 0; c < 2; ++c) {
    auto* holder = new QWidget(content);
    column[c] = new QVBoxLayout(holder);
    column[c]->setContentsMargins(0, 0, 0, 0);
    columns->addWidget(holder);
  }
  const std::vector<CTDataSheetSection> sections = DataSheetSections(CTUnitDataSheet{});
  for (std::size_t i = 0; i < sections.size(); ++i) {
    auto* box = new QGroupBox(Q(sections[i].szCaption), content);
    box->setObjectName(Q(sections[i].szKey));
    for (const CTDataSheetRow& row : sections[i].rows)
      AddValue(box, row.szKey.c_str(), Q(row.szCaption));
    column[i < 2 ? 0 : 1]->addWidget(box);
    v_boxes.push_back(box);
  }
  for (QVBoxLayout* c : column)
    c->addStretch(1);

  auto* options = new QGroupBox(QString::fromStdString(i18n::GetUnicodeString(96)), content);
  options->setObjectName(QStringLiteral("Box_DBOptions"));
  options->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  auto* optionColumn = new QVBoxLayout(options);
  Lvw_DBOptions = new QTreeWidget(options);
  Lvw_DBOptions->setObjectName(QStringLiteral("Lvw_DBOptions"));
  Lvw_DBOptions->setRootIsDecorated(false);
  Lvw_DBOptions->setHeaderLabels({QString::fromStdString(i18n::GetUnicodeString(97))});
  Txt_ODescription = new QPlainTextEdit(options);
  Txt_ODescription->setObjectName(QStringLiteral("Txt_ODescription"));
  Txt_ODescription->setReadOnly(true);
  Txt_ODescription->setMaximumHeight(90);
  // Read, not typed into: no tab stop that would show no focus.
  Txt_ODescription->setFocusPolicy(Qt::ClickFocus);
  auto* optionData = new QFormLayout;
  Txt_OptWHD = new QLabel(options);
  Txt_OptWHD->setObjectName(QStringLiteral("Txt_OptWHD"));
  Txt_OMCA = new QLabel(options);
  Txt_OMCA->setObjectName(QStringLiteral("Txt_OMCA"));
  optionData->addRow(QStringLiteral("W×H×D"), Txt_OptWHD);
  optionData->addRow(QStringLiteral("MCA"), Txt_OMCA);
  optionColumn->addWidget(Lvw_DBOptions);
  optionColumn->addWidget(Txt_ODescription);
  optionColumn->addLayout(optionData);
  columns->addWidget(options);

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
