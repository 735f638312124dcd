#pragma once
// The locale choice of the first start ("Welcome"): the user's country and
// preferred interface language, kept for all programs of the maker.

#include "app/BasicDialog.h"
#include "app/UserPrompts.h"

class QLabel;
class QListWidget;

namespace aw::app {

class TFraBottomPanelExt;

class TFrmLocaleChoice : public TBasicDialog
{
  Q_OBJECT

public:
  TFrmLocaleChoice(QWidget* owner, const LocaleRequest& request);

  // The selected country and language; nothing while either is missing.
  std::optional<LocaleChoice> Choice() const;
  QListWidget* CountryList() const { return Lbx_Country; }
  QListWidget* LanguageList() const { return Lbx_Language; }
  TFraBottomPanelExt* BottomPanel() const { return Fra_BottomPanel; }

  // Fills the two lists (countries and languages, each item's data its code)
  // and selects the given ones; the Preferences' Language page shares them.
  static void FillLocaleLists(QListWidget* countries, QListWidget* languages, int nCountry, std::uint32_t nLanguage);
  static std::optional<LocaleChoice> SelectedLocale(const QListWidget* countries, const QListWidget* languages);

protected:
  void InitDialog() override;

private:
  void CheckOK();

  LocaleRequest v_request;
  QLabel* Lbl_Welcome = nullptr;
  QListWidget* Lbx_Country = nullptr;
  QListWidget* Lbx_Language = nullptr;
  TFraBottomPanelExt* Fra_BottomPanel = nullptr;
};

} // namespace aw::app
