#pragma once
// The Preferences dialog: the unit of each dimension group, the chart kind
// and colours, the folders for projects and reports, and the interface
// language with the user's country. It shows the preferences in effect and on
// OK stores them in one write; only when that write succeeded do they take
// effect. A store that cannot be written is reported, the dialog stays open
// and nothing changes.

#include "app/BasicDialog.h"
#include "app/UserPrompts.h"
#include "charts/PsychroGraph.h"
#include "engine/Preferences.h"

#include <QGroupBox>

#include <array>
#include <optional>
#include <vector>

class QButtonGroup;
class QGridLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace aw::platform {
class SettingsStore;
}

namespace aw::app {

class TFraBottomPanelExt;
class TFrmXMLMatListSettings;

// A radio group offering the units of one dimension group.
class TUnitRadioGroup : public QGroupBox, public CTUnitChoice
{
public:
  explicit TUnitRadioGroup(QWidget* parent);
  void SetCaption(const std::string& szCaption) override;
  void SetItems(const std::vector<std::string>& items) override;
  void SetItemIndex(int nIndex) override;
  int ItemIndex() const override;

private:
  QButtonGroup* v_buttons = nullptr;
};

class TFrm_Preferences : public TBasicDialog
{
  Q_OBJECT

public:
  TFrm_Preferences(QWidget* owner, platform::SettingsStore& store);

  // The preferences and the chart settings as the dialog shows them now.
  CTPreferences Edited() const;
  charts::CTDiagramSettings EditedDiagram() const;
  // The country and language chosen on the Language page; nothing while either is missing.
  std::optional<LocaleChoice> ChosenLocale() const;
  // After OK: whether another interface language was stored, which the next start uses.
  bool LanguageChanged() const { return v_languageChanged; }

  QTabWidget* Pages() const { return Ctl_Pages; }
  TUnitRadioGroup* UnitGroup(U_RepUnit unit) const;
  QRadioButton* PsychroButton() const { return RB_Psychro; }
  QRadioButton* MollierButton() const { return RB_Mollier; }
  QPushButton* ColourButton(int nEntry) const { return v_colourButtons[nEntry]; }
  QLabel* ProjectPathLabel() const { return v_project.label; }
  QLabel* ReportPathLabel() const { return v_report.label; }
  QPushButton* ProjectBrowseButton() const { return v_project.browse; }
  QPushButton* ProjectClearButton() const { return v_project.clear; }
  QListWidget* LanguageList() const { return Lbx_Language; }
  QPushButton* DefaultsButton() const { return Btn_Defaults; }
  TFraBottomPanelExt* BottomPanel() const { return Fra_BottomPanel; }

  void Btn_DefaultsClick();

protected:
  void InitDialog() override;
  bool ValidateOK(int nCode) override;

private:
  // One folder row of the Reports page: its label shows the folder, which it keeps in full.
  struct FolderRow
  {
    QLabel* label = nullptr;
    QPushButton* browse = nullptr;
    QPushButton* clear = nullptr;
    QString szPath;
  };

  QWidget* CreateUnitsPage();
  QWidget* CreateDiagramsPage();
  QWidget* CreateReportsPage();
  QWidget* CreateLanguagePage();
  QWidget* CreateBottomPanel();
  // The material-list settings frame joins the Reports page; its values are
  // one more section of the write in ValidateOK.
  void AddMaterialListSettings(QGridLayout* reportsLayout, int nRow);
  void AddFolderRow(QGridLayout* layout, int nRow, FolderRow& row, const QString& szCaption, const char* szName,
                    const QString& szBrowseHint);
  void ShowFolder(FolderRow& row, const QString& szPath);
  void BrowseFolder(FolderRow& row);
  void ShowDiagram(const charts::CTDiagramSettings& settings);
  void ShowColour(int nEntry);
  void ChooseColour(int nEntry);
  // The stored values take effect.
  void Apply(const CTPreferences& preferences, const charts::CTDiagramSettings& diagram);

  platform::SettingsStore& v_store;
  QTabWidget* Ctl_Pages = nullptr;
  std::vector<TUnitRadioGroup*> v_unitGroups; // in the order of PreferenceUnitGroups()
  QRadioButton* RB_Mollier = nullptr;
  QRadioButton* RB_Psychro = nullptr;
  std::array<QPushButton*, 4> v_colourButtons{};
  std::array<charts::Colour, 4> v_colours{};
  FolderRow v_project;
  FolderRow v_report;
  TFrmXMLMatListSettings* Frm_MatListSettings = nullptr;
  QListWidget* Lbx_Country = nullptr;
  QListWidget* Lbx_Language = nullptr;
  QPushButton* Btn_Defaults = nullptr;
  TFraBottomPanelExt* Fra_BottomPanel = nullptr;
  bool v_languageChanged = false;
};

} // namespace aw::app
