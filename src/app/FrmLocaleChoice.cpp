#include "app/FrmLocaleChoice.h"

#include "app/FrameBottomPanelExt.h"
#include "i18n/LangSupport.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace aw::app {
namespace {

QLabel* AddLabel(QLayout* layout, QWidget* parent, const char* szName, const QString& szText)
{
  auto* label = new QLabel(szText, parent);
  label->setObjectName(QString::fromLatin1(szName));
  label->setWordWrap(true);
  layout->addWidget(label);
  return label;
}

QListWidget* AddList(QGridLayout* layout, QWidget* parent, const char* szName, const QString& szCaption,
                     const QString& szHint, int nColumn)
{
  auto* caption = new QLabel(szCaption, parent);
  auto* list = new QListWidget(parent);
  list->setObjectName(QString::fromLatin1(szName));
  list->setToolTip(szHint);
  list->setStatusTip(szHint);
  list->setSortingEnabled(true);
  caption->setBuddy(list);
  layout->addWidget(caption, 0, nColumn);
  layout->addWidget(list, 1, nColumn);
  return list;
}

// Selects the entry whose data is the value; none when absent.
void SelectByData(QListWidget* list, int nValue)
{
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->data(Qt::UserRole).toInt() == nValue) {
      list->setCurrentRow(i);
      return;
    }
}

int SelectedData(const QListWidget* list)
{
  const QListWidgetItem* item = list->currentItem();
  return item && item->isSelected() ? item->data(Qt::UserRole).toInt() : 0;
}

} // namespace

TFrmLocaleChoice::TFrmLocaleChoice(QWidget* owner, const LocaleRequest& request)
  : TBasicDialog(owner), v_request(request)
{
  setObjectName(QStringLiteral("TFrmLocaleChoice"));
  setWindowTitle(QStringLiteral("Welcome"));
  auto* layout = new QVBoxLayout(this);
  Lbl_Welcome = AddLabel(layout, this, "Lbl_Welcome", QStringLiteral("Welcome to the $1 program"));
  AddLabel(layout, this, "Lbl_AllPrograms", QStringLiteral("These settings will be used by all Korvath programs"));
  auto* lists = new QGridLayout;
  layout->addLayout(lists, 1);
  Lbx_Country = AddList(lists, this, "Lbx_Country", QStringLiteral("Country"),
                        QStringLiteral("Please select your country"), 0);
  Lbx_Language = AddList(lists, this, "Lbx_Language", QStringLiteral("Language"),
                         QStringLiteral("Please select your preferred user interface language"), 1);
  AddLabel(layout, this, "Lbl_Availability",
           QStringLiteral("Depending on your country some configurations and device models may or may not be "
                          "available"));
  Fra_BottomPanel = new TFraBottomPanelExt(this);
  layout->addWidget(Fra_BottomPanel);
  resize(560, 420);
  connect(Lbx_Country, &QListWidget::itemSelectionChanged, this, &TFrmLocaleChoice::CheckOK);
  connect(Lbx_Language, &QListWidget::itemSelectionChanged, this, &TFrmLocaleChoice::CheckOK);
}

void TFrmLocaleChoice::InitDialog()
{
  if (!v_request.szWindowTitle.isEmpty())
    setWindowTitle(v_request.szWindowTitle);
  // The caption has been translated with its placeholder; the title goes in now.
  Lbl_Welcome->setText(Lbl_Welcome->text().replace(QStringLiteral("$1"), v_request.szAppTitle));
  Lbl_Welcome->setVisible(!v_request.szAppTitle.isEmpty());
  FillLocaleLists(Lbx_Country, Lbx_Language, v_request.nCountry, v_request.nLanguage);
  CheckOK();
  TBasicDialog::InitDialog();
}

void TFrmLocaleChoice::FillLocaleLists(QListWidget* countries, QListWidget* languages, int nCountry,
                                       std::uint32_t nLanguage)
{
  for (const auto& [szName, country] : i18n::CTLangSupport::FillUniqueCountries()) {
    auto* item = new QListWidgetItem(QString::fromStdString(szName), countries);
    item->setData(Qt::UserRole, country->v_ownNumericCode);
  }
  for (const auto& [szName, language] : i18n::CTLangSupport::FillStrings()) {
    auto* item = new QListWidgetItem(QString::fromStdString(szName), languages);
    item->setData(Qt::UserRole, static_cast<int>(language->v_windowsCode));
  }
  SelectByData(countries, nCountry);
  if (nLanguage > 0)
    SelectByData(languages, static_cast<int>(nLanguage));
}

std::optional<LocaleChoice> TFrmLocaleChoice::SelectedLocale(const QListWidget* countries,
                                                             const QListWidget* languages)
{
  const int nCountry = SelectedData(countries);
  const int nLanguage = SelectedData(languages);
  if (nCountry == 0 && countries->selectedItems().isEmpty())
    return std::nullopt;
  if (nLanguage == 0)
    return std::nullopt;
  return LocaleChoice{nCountry, static_cast<std::uint32_t>(nLanguage)};
}

std::optional<LocaleChoice> TFrmLocaleChoice::Choice() const
{
  return SelectedLocale(Lbx_Country, Lbx_Language);
}

void TFrmLocaleChoice::CheckOK()
{
  Fra_BottomPanel->OKButton()->setEnabled(!Lbx_Country->selectedItems().isEmpty() &&
                                          !Lbx_Language->selectedItems().isEmpty());
}

} // namespace aw::app
