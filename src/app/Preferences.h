#pragma once
// The Preferences dialog: the unit of each dimension group, the chart kind,
// the folders for projects and reports, and the interface language with the
// user's country. It shows the preferences in effect and on OK stores them in
// one write; only when that write succeeded do they take effect. A store that
// cannot be written is reported and changes nothing.

#include "app/BasicDialog.h"
#include "app/UserPrompts.h"
#include "engine/Preferences.h"

#include <QGroupBox>

#include <optional>
#include <vector>

class QButtonGroup;
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
  explicit TFrm_Preferences(QWidget* owner, platform::SettingsStore& store);

  // The preferences as the dialog shows them now.
  CTPreferences Edited() const;
  bool PsychroChosen() const;
  // The country and language chosen on the Language page; nothing while either is missing.
  std::optional<LocaleChoice> ChosenLocale() const;
  // After OK: whether the interface language is another one now.
  bool LanguageChanged() const { return v_languageChanged; }

  QTabWidget* Pages() const { return Ctl_Pages; }
  TUnitRadioGroup* UnitGroup(U_RepUnit unit) const;
  QLabel* ProjectPathLabel() const { return v_project.label; }
  QLabel* ReportPathLabel() const { return v_report.label; }
  TFraBottomPanelExt* BottomPanel() const { return Fra_BottomPanel; }

  void Btn_DefaultsClick();

protected:
  void InitDialog() override;
  bool ValidateOK(int nCode) override;

private:
  // One folder row of the Reports page: its label keeps the full path.
  struct FolderRow
  {
    QLabel* label = nullptr;
    QPushButton* browse = nullptr;
    QString szPath;
  };

  QWidget* CreateUnitsPage();
  QWidget* CreateDiagramsPage();
  QWidget* CreateReportsPage();
  QWidget* CreateLanguagePage();
  // The material-list settings frame joins the Reports page here, with its
  // part of the stored preferences as a section of the write in ValidateOK.
  void AddMaterialListSettings(QWidget* reportsPage);
  void AddFolderRow(class QGridLayout* layout, int nRow, FolderRow& row, const QString& szCaption,
                    const char* szName, const QString& szBrowseHint);
  void ShowFolder(FolderRow& row, const QString& szPath);
  void BrowseFolder(FolderRow& row);
  // The chosen values take effect (after they were stored).
  void Apply(const CTPreferences& preferences);

  platform::SettingsStore& v_store;
  QTabWidget* Ctl_Pages = nullptr;
  std::vector<TUnitRadioGroup*> v_unitGroups; // in the order of PreferenceUnitGroups()
  QRadioButton* RB_Mollier = nullptr;
  QRadioButton* RB_Psychro = nullptr;
  FolderRow v_project;
  FolderRow v_report;
  QListWidget* Lbx_Country = nullptr;
  QListWidget* Lbx_Language = nullptr;
  QPushButton* Btn_Defaults = nullptr;
  TFraBottomPanelExt* Fra_BottomPanel = nullptr;
  bool v_languageChanged = false;
};

} // namespace aw::app
