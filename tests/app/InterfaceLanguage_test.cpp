// The window in the user's language: the locale choice of the first start,
// the interface glossary on every form, the catalogue glossary on the
// database, and the texts of the window, every one of which the shipped
// glossaries translate.

#include "app/DlgSelect.h"

#include "RecordingPrompts.h"
#include "TestApplication.h"
#include "app/FormTranslation.h"
#include "app/FrmLocaleChoice.h"
#include "app/InterfaceLanguage.h"
#include "app/FrameBottomPanelExt.h"
#include "app/Preferences.h"
#include "i18n/GlossaryLoading.h"
#include "i18n/LocalizationSupport.h"
#include "platform/SettingsRoots.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <set>

namespace aw::app {
namespace {

const std::string kLocaleKey = std::string(platform::kMakerRoot) + "\\Locale";

class InterfaceLanguageTest : public ::testing::Test
{
protected:
  InterfaceLanguageTest() { platform::SettingsStore::User().DeleteKey(kLocaleKey); }
  ~InterfaceLanguageTest() override
  {
    SetLanguageOption(std::nullopt);
    InstallInterfaceGlossary();
    platform::SettingsStore::User().DeleteKey(kLocaleKey);
  }

  QStringList TabCaptions(const TDlgSelect& window) const
  {
    auto* pages = window.findChild<QTabWidget*>(QStringLiteral("Ctl_Pages"));
    QStringList captions;
    for (int i = 0; pages && i < pages->count(); ++i)
      captions << pages->tabText(i);
    return captions;
  }

  QApplication& v_application = test::TestApplication();
  test::RecordingPrompts v_prompts;
  ScopedUserPrompts v_scoped{v_prompts};
};

TEST_F(InterfaceLanguageTest, TranslatesAFormUnderTheGermanGlossary)
{
  SetLanguageOption(i18n::kLangGerman);
  InstallInterfaceGlossary();
  TFrmLocaleChoice dialog(nullptr, {nullptr, QStringLiteral("Airwright"), QString(), 0, 0});
  auto* extra = new QLabel(QStringLiteral("Korvath KX-9 plate"), &dialog); // no term of the glossary
  dialog.Loaded();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Willkommen"));
  EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("Lbl_Welcome"))->text(),
            QStringLiteral("Willkommen beim Programm Airwright"));
  EXPECT_EQ(dialog.CountryList()->toolTip(), QStringLiteral("Bitte w\u00e4hlen Sie Ihr Land"));
  EXPECT_EQ(dialog.BottomPanel()->CancelButton()->text(), QStringLiteral("&Abbrechen"));
  EXPECT_EQ(extra->text(), QStringLiteral("Korvath KX-9 plate"));
}

// Texts the window sets after it was translated (box titles, list items,
// captions that follow the mode) are translated where they are set.
TEST_F(InterfaceLanguageTest, TextsSetAfterTheFormWasTranslatedFollowTheLanguage)
{
  SetLanguageOption(i18n::kLangGerman);
  InstallInterfaceGlossary();
  TDlgSelect window;
  window.RunStartup();
  ASSERT_TRUE(window.StartupFinished());
  QStringList texts;
  for (const QGroupBox* box : window.findChildren<QGroupBox*>())
    texts << box->title();
  for (const QLabel* label : window.findChildren<QLabel*>())
    texts << label->text();
  for (const QComboBox* combo : window.findChildren<QComboBox*>())
    for (int i = 0; i < combo->count(); ++i)
      texts << combo->itemText(i);
  for (const char* german : {"K\u00fchlen", "Heizen", "<Keine>", "Vorheizregister einschalten \u00fcber",
                             "Vorheizregister einschalten unter"})
    EXPECT_TRUE(texts.contains(QString::fromUtf8(german))) << german;
  for (const char* english : {"Cooling", "Heating", "<None>", "Switch on inlet heater above"})
    EXPECT_FALSE(texts.contains(QString::fromUtf8(english))) << english;
}

TEST_F(InterfaceLanguageTest, KeepsAmbiguousAndUntranslatedTextsAndTheSelectedItem)
{
  i18n::CTUnicodeGlossary glossary;
  glossary.AddTermNoNonsense("Cooling", "K\u00fchlen");
  glossary.AddTermNoNonsense("Heating", "Heizen");
  glossary.AddTermNoNonsense("Save", "Sichern");
  glossary.AddTermNoNonsense("Save", "Speichern");
  glossary.AddTermNoNonsense("Name", "");
  glossary.AddTermNoNonsense("Quantity", "Menge");
  QWidget form;
  auto* combo = new QComboBox(&form);
  combo->addItems({QStringLiteral("Cooling"), QStringLiteral("Heating")});
  combo->setCurrentIndex(1);
  auto* save = new QPushButton(QStringLiteral("Save"), &form);
  save->setToolTip(QStringLiteral("Cooling"));
  auto* list = new QTreeWidget(&form);
  list->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Quantity")});
  TranslateFormAtRuntime(&form, glossary);
  EXPECT_EQ(combo->itemText(0), QStringLiteral("K\u00fchlen"));
  EXPECT_EQ(combo->currentIndex(), 1);
  EXPECT_EQ(combo->currentText(), QStringLiteral("Heizen"));
  EXPECT_EQ(save->text(), QStringLiteral("Save")); // two translations: stays English
  EXPECT_EQ(save->toolTip(), QStringLiteral("K\u00fchlen"));
  EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Name")); // its only translation is empty
  EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("Menge"));
}

TEST_F(InterfaceLanguageTest, FirstStartAsksForTheLocaleAndUsesItAtOnce)
{
  v_prompts.localeAnswer = LocaleChoice{i18n::OwnNumericCode("FRA"), i18n::kLangFrench};
  TDlgSelect window;
  window.RunStartup();
  ASSERT_EQ(v_prompts.localeRequests.size(), 1u);
  EXPECT_EQ(v_prompts.localeRequests.front().szAppTitle, QStringLiteral("Airwright"));
  const i18n::LocaleData stored = i18n::GetLocaleData();
  EXPECT_TRUE(stored.bPresent);
  EXPECT_EQ(stored.nLanguage, i18n::kLangFrench);
  EXPECT_EQ(TabCaptions(window).front(), QStringLiteral("S\u00e9lection"));

  // Stored once, never asked again.
  TDlgSelect second;
  second.RunStartup();
  EXPECT_EQ(v_prompts.localeRequests.size(), 1u);
  EXPECT_EQ(TabCaptions(second).front(), QStringLiteral("S\u00e9lection"));
}

TEST_F(InterfaceLanguageTest, CancellingTheLocaleChoiceEndsTheProgramWithZero)
{
  platform::SettingsStore::User().WriteInteger(kLocaleKey, "Country", 2152); // a country without a language
  v_prompts.localeAnswer = std::nullopt;
  TDlgSelect window;
  std::optional<int> stopped;
  QObject::connect(&window, &TDlgSelect::StartupStopped, [&](int nExitCode) { stopped = nExitCode; });
  window.RunStartup();
  EXPECT_EQ(v_prompts.localeRequests.size(), 1u);
  EXPECT_EQ(stopped, 0);
}

TEST_F(InterfaceLanguageTest, TheLocaleDialogNeedsACountryAndALanguage)
{
  TFrmLocaleChoice dialog(nullptr, {nullptr, QString(), QStringLiteral("Locale"), 2152, 0});
  dialog.Loaded();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Locale"));
  EXPECT_TRUE(dialog.findChild<QLabel*>(QStringLiteral("Lbl_Welcome"))->isHidden());
  EXPECT_EQ(dialog.CountryList()->currentItem()->text(), QStringLiteral("Germany"));
  EXPECT_FALSE(dialog.BottomPanel()->OKButton()->isEnabled());
  EXPECT_FALSE(dialog.Choice());
  const auto french = dialog.LanguageList()->findItems(QStringLiteral("French"), Qt::MatchExactly);
  ASSERT_EQ(french.size(), 1);
  dialog.LanguageList()->setCurrentItem(french.front());
  EXPECT_TRUE(dialog.BottomPanel()->OKButton()->isEnabled());
  ASSERT_TRUE(dialog.Choice());
  EXPECT_EQ(dialog.Choice()->nCountry, 2152);
  EXPECT_EQ(dialog.Choice()->nLanguage, i18n::kLangFrench);
}

// Texts of the window that are no words of a language: numbers with units,
// unit symbols, product and standard names.
bool IsLanguageNeutral(const QString& szText)
{
  static const std::set<QString> neutral = {
    QStringLiteral("Airwright"), QStringLiteral("Brisa"), QStringLiteral("Dorsa"), QStringLiteral("Pelmar-MF"),
    QStringLiteral("F6"), QStringLiteral("F7"), QStringLiteral("F8"), QStringLiteral("MCA"), QStringLiteral("MFA"),
    QStringLiteral("RLA"), QStringLiteral("FLA"), QStringLiteral("OA/EA"), QStringLiteral("W\u00d7H\u00d7D"),
  };
  if (neutral.contains(szText))
    return true;
  // A text without a word is a unit or a sign; one with digits shows data
  // (values, the caption with the versions, catalogue names).
  static const QRegularExpression word(QStringLiteral("[A-Za-z]{3,}"));
  return !word.match(szText).hasMatch() || szText.contains(QRegularExpression(QStringLiteral("[0-9]")));
}

TEST_F(InterfaceLanguageTest, TheShippedGlossariesTranslateEveryTextOfTheWindow)
{
  TDlgSelect window;
  window.RunStartup();
  ASSERT_TRUE(window.StartupFinished());
  std::set<QString> texts;
  const auto collect = [&texts](const QString& szText) -> std::optional<QString> {
    if (!IsLanguageNeutral(szText))
      texts.insert(szText);
    return std::nullopt;
  };
  TranslateForm(&window, collect);
  // The dialogs of the window's commands, as the loaded hook sees them.
  TFrm_Preferences preferences(&window, platform::SettingsStore::User());
  TranslateForm(&preferences, collect);
  ASSERT_GT(texts.size(), 50u);
  for (std::uint32_t nLanguage : {i18n::kLangGerman, i18n::kLangFrench}) {
    const i18n::GlossaryLoad load = i18n::LoadInterfaceGlossary(nLanguage, {});
    ASSERT_TRUE(load.glossary) << load.szError;
    for (const QString& text : texts)
      EXPECT_TRUE(load.glossary->UniqueTranslationFor(text.toStdString()))
        << nLanguage << ": \"" << text.toStdString() << '"';
  }
}

} // namespace
} // namespace aw::app
