// The Database page on the embedded catalogue: what it shows of the selected
// unit, read back from the catalogue's own records, and which boxes each
// family shows.

#include "app/DatabasePage.h"
#include "app/DlgSelect.h"
#include "app/SelectionPage.h"

#include "RecordingPrompts.h"
#include "TestApplication.h"
#include "catalogue/ClDocumentation.h"
#include "catalogue/ClPolynomial.h"
#include "catalogue/ClPowerSupply.h"
#include "engine/SelectionModel.h"
#include "engine/UnitDataSheet.h"
#include "air/NumberFormat.h"
#include "air/SI_Units.h"
#include "i18n/BaseMsgMan.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace aw::app {
namespace {

QString Q(const std::string& s)
{
  return QString::fromStdString(s);
}

QString Amperes(double value)
{
  return Q(Number2FmtStr(value, 1, 2, TU_Form::GetDecimalSeparator())) + " A";
}

class DatabasePageTest : public ::testing::Test
{
protected:
  DatabasePageTest() { v_window.RunStartup(); }

  TFraDatabasePage& Page() { return *v_window.DatabasePage(); }
  Cls_Brisa& Unit()
  {
    Cls_Brisa* unit = v_window.Model()->CurrentBrisa();
    EXPECT_TRUE(unit) << "no unit selected";
    return *unit;
  }
  void ShowPage(const char* name)
  {
    auto* pages = v_window.findChild<QTabWidget*>(QStringLiteral("Ctl_Pages"));
    pages->setCurrentWidget(v_window.findChild<QWidget*>(QString::fromLatin1(name)));
    ASSERT_EQ(pages->currentWidget()->objectName(), QString::fromLatin1(name));
  }
  bool BoxShown(const char* name) { return !Page().findChild<QGroupBox*>(QString::fromLatin1(name))->isHidden(); }

  QApplication& v_application = test::TestApplication();
  test::RecordingPrompts v_prompts;
  ScopedUserPrompts v_scoped{v_prompts};
  TDlgSelect v_window;
};

TEST_F(DatabasePageTest, ShowsTheSelectedUnitsCatalogueDataAndTheChosenOptionsDescription)
{
  ShowPage("Tab_Database");
  Cls_Brisa& unit = Unit();
  EXPECT_EQ(Page().Value("Txt_DeviceName"), Q(unit.GetQualifiedName()));

  double width = 0, height = 0, depth = 0, weight = 0;
  unit.GetDimensions(width, height, depth, weight);
  ASSERT_GT(width * height * depth, 0) << "the unit has no documentation";
  EXPECT_EQ(Page().Value("Txt_WHD"), Q(FormatWHD(width, height, depth)));
  EXPECT_FALSE(Page().Value("Txt_Weight").isEmpty());

  std::unique_ptr<Cls_PowerSupply> supply;
  std::unique_ptr<Cls_DevPSAllowed> allowance;
  unit.GetStandardPSData(supply, allowance);
  ASSERT_TRUE(supply && allowance);
  EXPECT_EQ(Page().Value("Txt_PowerSupply"), Q(supply->GetName()));
  EXPECT_EQ(Page().Value("Txt_Frequency"), Q(Cls_PowerSupply::FrequencyString(supply->GetFrequencyKind())));
  EXPECT_EQ(Page().Value("Txt_Phases"), Q(supply->GetPhases()));
  EXPECT_TRUE(Page().Value("Txt_Voltage").startsWith(Q(supply->GetVoltage()).remove('V')));
  EXPECT_EQ(Page().Value("Txt_VoltageRange"), Q(allowance->GetMinVolts() + "~" + allowance->GetMaxVolts() + " V"));
  EXPECT_EQ(Page().Value("Txt_MCA"), Amperes(allowance->GetMCA()));
  EXPECT_EQ(Page().Value("Txt_FLA"), Amperes(allowance->GetFLA()));

  const Cls_BrisaSpeed* speed = unit.GetSupplySpeed();
  ASSERT_TRUE(speed);
  EXPECT_EQ(Page().Value("Txt_SoundLevel"), Q(speed->GetSoundLevel()));
  EXPECT_EQ(Page().Value("Txt_Current"), Q(speed->GetCurrent()));
  EXPECT_FALSE(Page().Value("Txt_PowerInput").isEmpty());

  // The list holds the options of the unit's combinations, in their order.
  QStringList expected;
  std::unique_ptr<Cls_DeviceOption> last;
  for (Cls_DevOptCombination* combination : unit.GetOptionCombinationsForBrisa())
    if ((last = combination->GetDeviceOption()))
      expected << Q(last->GetName());
  auto* options = Page().findChild<QTreeWidget*>(QStringLiteral("Lvw_DBOptions"));
  QStringList shown;
  for (int i = 0; i < options->topLevelItemCount(); ++i)
    shown << options->topLevelItem(i)->text(0);
  ASSERT_FALSE(expected.isEmpty()) << "the unit has no options";
  EXPECT_EQ(shown, expected);

  options->setCurrentItem(options->topLevelItem(options->topLevelItemCount() - 1));
  EXPECT_EQ(Page().findChild<QPlainTextEdit*>(QStringLiteral("Txt_ODescription"))->toPlainText(),
            Q(last->GetDescription()));
  EXPECT_EQ(Page().Value("Txt_OMCA"), Q(last->GetMCA()));
}

TEST_F(DatabasePageTest, EachFamilyShowsOnlyTheBoxesThatApplyToIt)
{
  const auto families = v_window.Model()->Families();
  ASSERT_GE(families.size(), 3u);
  for (const auto& [name, code] : families) {
    SCOPED_TRACE(name);
    ShowPage("Tab_Selection");
    QComboBox* family = v_window.SelectionPage()->Family();
    family->setCurrentIndex(family->findText(Q(name)));
    ShowPage("Tab_Database");
    Cls_Brisa& unit = Unit();
    EXPECT_EQ(Page().Value("Txt_DeviceName"), Q(unit.GetQualifiedName()));
    EXPECT_EQ(BoxShown("Box_FanOnly"), code == Cls_BrisaData::kFamilyPelmarMF);
    EXPECT_EQ(BoxShown("Box_UpsideDown"), unit.GetCanBeUpsideDown());
    // Pelmar-MF keeps minimum humidities where the others keep maxima.
    EXPECT_EQ(Page().Value("Txt_MaxRoomRH").isEmpty(), code == Cls_BrisaData::kFamilyPelmarMF);
  }
}

} // namespace
} // namespace aw::app
