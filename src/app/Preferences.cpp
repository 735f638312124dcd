#include "app/Preferences.h"

#include "app/FrameBottomPanelExt.h"
#include "app/FrmLocaleChoice.h"
#include "app/InterfaceLanguage.h"
#include "app/XMLMatListSettings.h"
#include "docs/XMLMatListSettings.h"
#include "foundation/VersionInfo.h"
#include "i18n/LocalizationSupport.h"
#include "platform/SettingsRoots.h"
#include "platform/SettingsStore.h"
#include "render/QtColour.h"

#include <QButtonGroup>
#include <QDir>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace aw::app {
namespace {

// The line families of the chart, in the order of its colours.
const char* const kColourCaptions[] = {"Dry bulb temperature", "Absolute humidity", "Relative humidity", "Enthalpy"};
constexpr int kUnitColumns = 5;

template <class T> T* Named(T* widget, const char* szName)
{
  widget->setObjectName(QString::fromLatin1(szName));
  return widget;
}

QPushButton* HintedButton(const QString& szCaption, const QString& szHint, QWidget* parent, const char* szName)
{
  auto* button = Named(new QPushButton(szCaption, parent), szName);
  button->setToolTip(szHint);
  button->setStatusTip(szHint);
  return button;
}

} // namespace

// ---- TUnitRadioGroup ----------------------------------------------------------

TUnitRadioGroup::TUnitRadioGroup(QWidget* parent) : QGroupBox(parent), v_buttons(new QButtonGroup(this))
{
  new QVBoxLayout(this);
}

void TUnitRadioGroup::SetCaption(const std::string& szCaption)
{
  setTitle(QString::fromStdString(szCaption));
}

void TUnitRadioGroup::SetItems(const std::vector<std::string>& items)
{
  for (QAbstractButton* button : v_buttons->buttons())
    delete button;
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    auto* button = new QRadioButton(QString::fromStdString(items[i]), this);
    v_buttons->addButton(button, i);
    layout()->addWidget(button);
  }
}

void TUnitRadioGroup::SetItemIndex(int nIndex)
{
  if (QAbstractButton* button = v_buttons->button(nIndex))
    button->setChecked(true);
}

int TUnitRadioGroup::ItemIndex() const
{
  return std::max(0, v_buttons->checkedId());
}

// ---- TFrm_Preferences ---------------------------------------------------------

TFrm_Preferences::TFrm_Preferences(QWidget* owner, platform::SettingsStore& store)
  : TBasicDialog(owner), v_store(store)
{
  setObjectName(QStringLiteral("TFrm_Preferences"));
  setWindowTitle(QStringLiteral("Preferences"));
  auto* layout = new QVBoxLayout(this);
  Ctl_Pages = Named(new QTabWidget(this), "Ctl_Pages");
  Ctl_Pages->addTab(CreateUnitsPage(), QStringLiteral("Units"));
  Ctl_Pages->addTab(CreateDiagramsPage(), QStringLiteral("Diagrams"));
  Ctl_Pages->addTab(CreateReportsPage(), QStringLiteral("Reports"));
  Ctl_Pages->addTab(CreateLanguagePage(), QStringLiteral("Language"));
  layout->addWidget(Ctl_Pages, 1);
  layout->addWidget(CreateBottomPanel());

  // The texts are set before the loaded hook translates the dialog.
  const CTPreferences& current = CurrentPreferences();
  for (auto [row, path] : {std::pair{&v_project, &current.szProjectPath}, std::pair{&v_report, &current.szReportPath}}) {
    row->szPath = QString::fromStdString(ExistingFolder(*path));
    row->label->setText(row->browse->toolTip());
  }
  ShowDiagram(charts::CTDiagramSettings::Current());
}

QWidget* TFrm_Preferences::CreateBottomPanel()
{
  // "Restore Defaults" sits level with OK, at the left edge of the pages.
  Fra_BottomPanel = new TFraBottomPanelExt(this);
  Btn_Defaults = HintedButton(QStringLiteral("Restore Defaults"),
                              QStringLiteral("Chooses the default units and chart settings"), this, "Btn_Defaults");
  Fra_BottomPanel->AddLeftButton(Btn_Defaults);
  connect(Btn_Defaults, &QPushButton::clicked, this, &TFrm_Preferences::Btn_DefaultsClick);
  return Fra_BottomPanel;
}

QWidget* TFrm_Preferences::CreateUnitsPage()
{
  auto* page = Named(new QWidget(Ctl_Pages), "Tab_Units");
  auto* grid = new QGridLayout(page);
  const std::vector<CTPreferenceUnitGroup>& groups = PreferenceUnitGroups();
  for (int i = 0; i < static_cast<int>(groups.size()); ++i) {
    auto* group = new TUnitRadioGroup(page);
    group->setObjectName(QString::fromLatin1(groups[i].szControlName.data(), groups[i].szControlName.size()));
    // The unit system's group names are for values; the page names its groups itself.
    group->SetCaption(std::string(groups[i].szCaption));
    grid->addWidget(group, i / kUnitColumns, i % kUnitColumns, Qt::AlignTop);
    v_unitGroups.push_back(group);
  }
  grid->setRowStretch(static_cast<int>(groups.size() + kUnitColumns - 1) / kUnitColumns, 1);
  return page;
}

QWidget* TFrm_Preferences::CreateDiagramsPage()
{
  auto* page = Named(new QWidget(Ctl_Pages), "Tab_Diagrams");
  auto* layout = new QVBoxLayout(page);
  auto* kind = Named(new QGroupBox(QStringLiteral("Chart"), page), "Grb_Diagram");
  auto* kindLayout = new QVBoxLayout(kind);
  RB_Psychro = Named(new QRadioButton(QStringLiteral("Psychrometric diagram"), kind), "RB_Psychro");
  RB_Mollier = Named(new QRadioButton(QStringLiteral("Mollier diagram"), kind), "RB_Mollier");
  kindLayout->addWidget(RB_Psychro);
  kindLayout->addWidget(RB_Mollier);
  layout->addWidget(kind);

  auto* colours = Named(new QGroupBox(QStringLiteral("Line colours"), page), "Grb_Colours");
  auto* grid = new QGridLayout(colours);
  for (int i = 0; i < 4; ++i) {
    const QString caption = QString::fromLatin1(kColourCaptions[i]);
    grid->addWidget(new QLabel(caption, colours), i, 0);
    v_colourButtons[i] = HintedButton(QStringLiteral("Colour..."), QStringLiteral("Chooses the colour of these lines"),
                                      colours, "Btn_Colour");
    v_colourButtons[i]->setObjectName(QStringLiteral("Btn_Colour%1").arg(i));
    grid->addWidget(v_colourButtons[i], i, 1);
    connect(v_colourButtons[i], &QPushButton::clicked, this, [this, i] { ChooseColour(i); });
  }
  grid->setColumnStretch(2, 1);
  layout->addWidget(colours);
  layout->addStretch(1);
  return page;
}

QWidget* TFrm_Preferences::CreateReportsPage()
{
  auto* page = Named(new QWidget(Ctl_Pages), "Tab_Reports");
  auto* layout = new QGridLayout(page);
  auto* paths = Named(new QGroupBox(QStringLiteral("Paths"), page), "Grb_RptPaths");
  auto* grid = new QGridLayout(paths);
  AddFolderRow(grid, 0, v_project, QStringLiteral("Project files"), "Lbl_ProjectPath",
               QStringLiteral("Choose a directory for saving projects"));
  AddFolderRow(grid, 1, v_report, QStringLiteral("Report files"), "Lbl_ReportPath",
               QStringLiteral("Choose a directory for saving reports"));
  grid->setColumnStretch(1, 1);
  layout->addWidget(paths, 0, 0);
  AddMaterialListSettings(layout, 1);
  layout->setRowStretch(2, 1);
  return page;
}

void TFrm_Preferences::AddMaterialListSettings(QGridLayout* reportsLayout, int nRow)
{
  // This program makes the one kind of list: the frame offers its
  // section-header options, not the two choices.
  docs::CTXMLMatListSettings::Current().ReadFromRegistry("", v_store);
  Frm_MatListSettings = Named(new TFrmXMLMatListSettings(reportsLayout->parentWidget()), "Frm_MatListSettings");
  Frm_MatListSettings->Initialize({}, false);
  Frm_MatListSettings->SetChoicesVisible(false);
  reportsLayout->addWidget(Frm_MatListSettings, nRow, 0);
}

void TFrm_Preferences::AddFolderRow(QGridLayout* layout, int nRow, FolderRow& row, const QString& szCaption,
                                    const char* szName, const QString& szBrowseHint)
{
  QWidget* parent = layout->parentWidget();
  layout->addWidget(new QLabel(szCaption, parent), nRow, 0);
  row.label = Named(new QLabel(parent), szName);
  row.label->setMinimumWidth(360);
  row.label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(row.label, nRow, 1);
  row.browse = HintedButton(QStringLiteral("Browse..."), szBrowseHint, parent, "Btn_Browse");
  row.clear = HintedButton(QStringLiteral("Clear"), QStringLiteral("Clears the directory"), parent, "Btn_Clear");
  row.browse->setObjectName(QString::fromLatin1(szName).replace(QStringLiteral("Lbl_"), QStringLiteral("Btn_Browse")));
  row.clear->setObjectName(QString::fromLatin1(szName).replace(QStringLiteral("Lbl_"), QStringLiteral("Btn_Clear")));
  layout->addWidget(row.browse, nRow, 2);
  layout->addWidget(row.clear, nRow, 3);
  connect(row.browse, &QPushButton::clicked, this, [this, &row] { BrowseFolder(row); });
  connect(row.clear, &QPushButton::clicked, this, [this, &row] { ShowFolder(row, QString()); });
}

QWidget* TFrm_Preferences::CreateLanguagePage()
{
  auto* page = Named(new QWidget(Ctl_Pages), "Tab_Language");
  auto* layout = new QGridLayout(page);
  const QString countryHint = QStringLiteral("Please select your country");
  const QString languageHint = QStringLiteral("Please select your preferred user interface language");
  Lbx_Country = Named(new QListWidget(page), "Lbx_Country");
  Lbx_Language = Named(new QListWidget(page), "Lbx_Language");
  for (auto [list, caption, hint] : {std::tuple{Lbx_Country, QStringLiteral("Country"), countryHint},
                                     std::tuple{Lbx_Language, QStringLiteral("Language"), languageHint}}) {
    list->setToolTip(hint);
    list->setStatusTip(hint);
    list->setSortingEnabled(true);
    const int column = list == Lbx_Country ? 0 : 1;
    layout->addWidget(new QLabel(caption, page), 0, column);
    layout->addWidget(list, 1, column);
  }
  auto* note = Named(new QLabel(QStringLiteral("A new language takes effect when Airwright is started again."), page),
                     "Lbl_LanguageRestart");
  note->setWordWrap(true);
  layout->addWidget(note, 2, 0, 1, 2);
  auto* shared = new QLabel(QStringLiteral("These settings will be used by all Korvath programs"), page);
  shared->setWordWrap(true);
  layout->addWidget(shared, 3, 0, 1, 2);
  return page;
}

void TFrm_Preferences::InitDialog()
{
  // Unit symbols, country and language names stay as they are, as everywhere in the window.
  const std::vector<CTPreferenceUnitGroup>& groups = PreferenceUnitGroups();
  for (std::size_t i = 0; i < groups.size(); ++i) {
    std::vector<std::string> units;
    for (int n = 0; n < TU_Form::DimensionCount(groups[i].unit); ++n)
      units.push_back(TU_Form::GetSpecificString(groups[i].unit, n));
    v_unitGroups[i]->SetItems(units);
    v_unitGroups[i]->SetItemIndex(TU_Form::GetNewIndex(groups[i].unit));
  }
  // The folder labels elide their translated texts to the width they have.
  ShowFolder(v_project, v_project.szPath);
  ShowFolder(v_report, v_report.szPath);
  const i18n::LocaleData locale = i18n::GetLocaleData(v_store);
  TFrmLocaleChoice::FillLocaleLists(Lbx_Country, Lbx_Language, locale.nCountry, locale.nLanguage);
  for (QListWidget* list : {Lbx_Country, Lbx_Language})
    if (list->currentItem())
      list->scrollToItem(list->currentItem(), QAbstractItemView::PositionAtCenter);
  resize(sizeHint().expandedTo(QSize(760, 480)));
  TBasicDialog::InitDialog();
}

TUnitRadioGroup* TFrm_Preferences::UnitGroup(U_RepUnit unit) const
{
  const std::vector<CTPreferenceUnitGroup>& groups = PreferenceUnitGroups();
  for (std::size_t i = 0; i < groups.size(); ++i)
    if (groups[i].unit == unit)
      return v_unitGroups[i];
  return nullptr;
}

void TFrm_Preferences::ShowFolder(FolderRow& row, const QString& szPath)
{
  // A folder that is gone is shown as none, and stored as none on OK.
  row.szPath = QString::fromStdString(ExistingFolder(szPath.toStdString()));
  row.label->setToolTip(row.szPath);
  const QString shown = row.szPath.isEmpty() ? row.browse->toolTip() : QDir::toNativeSeparators(row.szPath);
  const int width = std::max(row.label->width(), row.label->minimumWidth());
  row.label->setText(row.label->fontMetrics().elidedText(shown, Qt::ElideMiddle, width));
}

void TFrm_Preferences::BrowseFolder(FolderRow& row)
{
  FileRequest request;
  request.parent = this;
  request.szTitle = row.browse->toolTip();
  request.szFolder = row.szPath;
  const QString folder = UserPrompts::Current().ChooseFolder(request);
  if (!folder.isEmpty())
    ShowFolder(row, folder);
}

void TFrm_Preferences::ShowDiagram(const charts::CTDiagramSettings& settings)
{
  RB_Psychro->setChecked(settings.DiagramType);
  RB_Mollier->setChecked(!settings.DiagramType);
  for (int i = 0; i < 4; ++i) {
    v_colours[i] = settings.Colors[i];
    ShowColour(i);
  }
}

void TFrm_Preferences::ShowColour(int nEntry)
{
  const int side = fontMetrics().height();
  QPixmap swatch(side, side);
  swatch.fill(render::toQColor(v_colours[nEntry]));
  v_colourButtons[nEntry]->setIcon(QIcon(swatch));
}

void TFrm_Preferences::ChooseColour(int nEntry)
{
  const QString title = TranslatedText(QString::fromLatin1(kColourCaptions[nEntry]));
  if (const std::optional<QColor> colour =
        UserPrompts::Current().ChooseColour(this, render::toQColor(v_colours[nEntry]), title)) {
    v_colours[nEntry] = render::fromQColor(*colour);
    ShowColour(nEntry);
  }
}

void TFrm_Preferences::Btn_DefaultsClick()
{
  CTPreferences defaults = Edited();
  defaults.RestoreDefaultUnits(CTVersionUtils::HaldenServerID());
  for (std::size_t i = 0; i < v_unitGroups.size(); ++i)
    v_unitGroups[i]->SetItemIndex(defaults.unitIndex[PreferenceUnitGroups()[i].unit]);
  ShowDiagram(charts::CTDiagramSettings());
}

CTPreferences TFrm_Preferences::Edited() const
{
  CTPreferences edited = CTPreferences::InEffect(v_project.szPath.toStdString(), v_report.szPath.toStdString());
  for (std::size_t i = 0; i < v_unitGroups.size(); ++i)
    edited.unitIndex[PreferenceUnitGroups()[i].unit] = v_unitGroups[i]->ItemIndex();
  return edited;
}

charts::CTDiagramSettings TFrm_Preferences::EditedDiagram() const
{
  charts::CTDiagramSettings diagram;
  diagram.DiagramType = RB_Psychro->isChecked();
  for (int i = 0; i < 4; ++i)
    diagram.Colors[i] = v_colours[i];
  return diagram;
}

std::optional<LocaleChoice> TFrm_Preferences::ChosenLocale() const
{
  return TFrmLocaleChoice::SelectedLocale(Lbx_Country, Lbx_Language);
}

bool TFrm_Preferences::ValidateOK(int nCode)
{
  if (!TBasicDialog::ValidateOK(nCode))
    return false;
  const CTPreferences edited = Edited();
  const charts::CTDiagramSettings diagram = EditedDiagram();
  const std::optional<LocaleChoice> locale = ChosenLocale();
  const std::uint32_t storedLanguage = i18n::GetLocaleData(v_store).nLanguage;
  const docs::CTXMLMatListSettings matList = Frm_MatListSettings->Edited(docs::CTXMLMatListSettings::Current());
  std::vector<CTSettingsSection> sections = {[&diagram](platform::SettingsKey& root) {
                                               diagram.WriteTo(root, platform::kPreferencesKey);
                                               return true;
                                             },
                                             [&matList](platform::SettingsKey& root) {
                                               matList.WriteTo(root, "");
                                               return true;
                                             }};
  // A locale only when both are chosen: the first start's rule that both are stored stays.
  if (locale)
    sections.push_back([&locale](platform::SettingsKey& root) {
      i18n::WriteLocaleData(root, locale->nCountry, locale->nLanguage);
      return true;
    });
  if (!edited.Store(v_store, sections)) {
    const QString text = TranslatedText(QStringLiteral("The preferences could not be saved in $1. Nothing has been "
                                                       "changed."))
                           .replace(QStringLiteral("$1"), QString::fromStdString(v_store.File().string()));
    UserPrompts::Current().ShowMessage(text);
    return false;
  }
  v_languageChanged = locale && locale->nLanguage != storedLanguage;
  docs::CTXMLMatListSettings::Current() = matList;
  Apply(edited, diagram);
  return true;
}

void TFrm_Preferences::Apply(const CTPreferences& preferences, const charts::CTDiagramSettings& diagram)
{
  CurrentPreferences() = preferences;
  preferences.ApplyUnits(true);
  charts::CTDiagramSettings& current = charts::CTDiagramSettings::Current();
  current.ChooseDiagramType(diagram.DiagramType);
  for (int i = 0; i < 4; ++i)
    current.ChooseColor(i, diagram.Colors[i]);
}

} // namespace aw::app
