// The Selection and Results pages on the embedded catalogue: what the start-up
// offers, what typing into the inputs does, the family switch, the unit
// system, selection errors and picking another solution.

#include "app/AirConditionPanel.h"
#include "app/DlgSelect.h"
#include "app/ResultPanels.h"
#include "app/ResultsPage.h"
#include "app/SelectionPage.h"
#include "app/TempConditionsPanel.h"
#include "app/UnitTextScroll.h"
#include "air/ValueFormatting.h"

#include "RecordingPrompts.h"
#include "TestApplication.h"
#include "air/SI_Units.h"
#include "engine/SelectionModel.h"

#include <QAction>
#include <QHeaderView>
#include <QStatusBar>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace aw::app {
namespace {

int UnitIndexOf(U_RepUnit unit, const std::string& caption)
{
  for (int i = 0; i < TU_Form::DimensionCount(unit); ++i)
    if (TU_Form::GetSpecificString(unit, i) == caption)
      return i;
  ADD_FAILURE() << "no unit " << caption;
  return 0;
}

class SelectionPageTest : public ::testing::Test
{
protected:
  SelectionPageTest()
  {
    v_window.RunStartup();
    v_prompts.questions.clear();
  }
  ~SelectionPageTest() override { TU_Form::InitializeUnits(); }

  TFraSelectionPage& Page() { return *v_window.SelectionPage(); }
  TFraResultsPage& Results() { return *v_window.ResultsPage(); }
  CTSelectionModel& Model() { return *v_window.Model(); }
  TFrm_UnitTextScroll& Field(const char* name) { return *Page().Field(name); }

  // Types into a field as the user does and leaves it.
  static void Type(TFrm_UnitTextScroll& field, const QString& text)
  {
    field.Edit()->setText(text);
    field.Edit()->setModified(true);
    emit field.Edit()->editingFinished();
  }
  void Tick(const char* name)
  {
    auto* box = Page().findChild<QCheckBox*>(QString::fromLatin1(name));
    ASSERT_TRUE(box);
    box->click();
  }
  QStringList Rows()
  {
    QStringList rows;
    QTreeWidget* list = Page().SelectedDevices();
    for (int i = 0; i < list->topLevelItemCount(); ++i)
      rows << list->topLevelItem(i)->text(0) + " " + list->topLevelItem(i)->text(1) + " " +
                list->topLevelItem(i)->text(2);
    return rows;
  }
  std::vector<int> Messages() const
  {
    std::vector<int> numbers;
    for (const MessageRequest& request : v_prompts.questions)
      numbers.push_back(request.nMessage);
    return numbers;
  }
  // Shown on its page, whichever page is in front.
  bool Shown(const QWidget* widget)
  {
    const QWidget* page = Results().isAncestorOf(widget) ? static_cast<QWidget*>(&Results()) : &Page();
    return widget && widget->isVisibleTo(page);
  }
  bool TabShown(const char* name)
  {
    auto* pages = v_window.findChild<QTabWidget*>(QStringLiteral("Ctl_Pages"));
    return pages->isTabVisible(pages->indexOf(v_window.findChild<QWidget*>(QString::fromLatin1(name))));
  }
  void ChooseFamily(const QString& name)
  {
    const int index = Page().Family()->findText(name);
    ASSERT_GE(index, 0) << name.toStdString();
    Page().Family()->setCurrentIndex(index);
  }
  QString CoolValue(const char* name) { return Results().CoolResults()->Value(name)->text(); }
  QString Notice(const char* field)
  {
    QLabel* label = Page().NoticeLabel(&Field(field));
    return label && label->isVisibleTo(&Page()) ? label->text() : QString();
  }
  // The notices the status bar keeps beside its passing hints.
  QString StatusBar()
  {
    const auto* label = v_window.statusBar()->findChild<QLabel*>(QStringLiteral("Lbl_StatusNotices"));
    return label && !label->isHidden() ? label->text() : QString();
  }

  QApplication& v_application = test::TestApplication();
  test::RecordingPrompts v_prompts;
  ScopedUserPrompts v_scoped{v_prompts};
  TDlgSelect v_window;
};

TEST_F(SelectionPageTest, AtStartUpBrisaUnitsAreOfferedAndTheFirstOnesResultsShown)
{
  EXPECT_EQ(Page().Family()->currentText(), QStringLiteral("Brisa"));
  ASSERT_FALSE(Rows().isEmpty());
  EXPECT_EQ(Page().SelectedDevices()->currentItem(), Page().SelectedDevices()->topLevelItem(0));
  EXPECT_TRUE(Results().SelectedDevice()->text().startsWith(Rows().front().section(' ', 0, 1)));
  EXPECT_EQ(Results().CoolAirConditions()->Props(TFrm_AirConditions::RA)->FieldText(0), QStringLiteral("27.0 °C"));
  EXPECT_EQ(Results().HeatAirConditions()->Props(TFrm_AirConditions::RA)->FieldText(0), QStringLiteral("20.0 °C"));
  EXPECT_TRUE(CoolValue("Txt_TempEff").endsWith('%'));
  EXPECT_FALSE(Results().HeatResults()->Value("Txt_TotalSavings")->text().isEmpty());
  EXPECT_FALSE(Page().ResultLabel("Txt_ESAirflowRatio")->text().isEmpty());
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(v_window.DataHaveChanged());
}

TEST_F(SelectionPageTest, ATotalSupplyAboveTheFamilysMaximumIsClampedAndRefreshesTheList)
{
  Tick("Chk_TotalSupply");
  const QStringList before = Rows();
  TFrm_UnitTextScroll& supply = Field("Frm_TotalSupply");
  Type(supply, QStringLiteral("40000"));
  EXPECT_EQ(supply.Text().toDouble(), Model().MaxAirflow());
  EXPECT_EQ(Model().TotalSupply().GetVal(), Model().MaxAirflow());
  EXPECT_LT(Model().MaxAirflow(), 40000);
  EXPECT_NE(Rows(), before);
  EXPECT_TRUE(v_window.DataHaveChanged());

  // Emptying a field counts as 0, which the minimum replaces.
  Type(supply, QString());
  EXPECT_EQ(supply.Text().toDouble(), Model().MinAirflow());
}

TEST_F(SelectionPageTest, TheRequiredAirflowsAreShownInTheCurrentUnitAndFollowTheInputs)
{
  const auto required = [this] { return Page().ResultLabel("Txt_RequiredSupply")->text(); };
  EXPECT_EQ(required(), QStringLiteral("100.0 l/s")); // 5 l/s × 100 m² ÷ 5 m²
  EXPECT_EQ(Results().Figure("Txt_ResRequiredSupply")->text(), required());
  EXPECT_EQ(Page().ResultLabel("Txt_RequiredExhaust")->text(), QStringLiteral("100.0 l/s"));
  Type(Field("Frm_Airflow"), QStringLiteral("8"));
  EXPECT_EQ(required(), QStringLiteral("160.0 l/s"));
  EXPECT_EQ(Results().Figure("Txt_ResRequiredSupply")->text(), required());
  TU_Form::SetNewIndex(U_Airflow, UnitIndexOf(U_Airflow, "CFM"), true);
  EXPECT_TRUE(required().endsWith(QStringLiteral("CFM"))) << required().toStdString();
}

TEST_F(SelectionPageTest, ALimitedInputSaysSoBesideItAndInTheStatusBarAndEveryFieldShowsTheValueInUse)
{
  Tick("Chk_TotalSupply");
  Type(Field("Frm_TotalSupply"), QStringLiteral("40000"));
  const QString limited = Notice("Frm_TotalSupply");
  EXPECT_TRUE(limited.contains(QStringLiteral("40000 l/s"))) << limited.toStdString();
  EXPECT_TRUE(limited.contains(Field("Frm_TotalSupply").Text() + QStringLiteral(" l/s"))) << limited.toStdString();
  EXPECT_TRUE(StatusBar().contains(limited));
  v_window.statusBar()->showMessage(QStringLiteral("a hint while the pointer passes"));
  EXPECT_TRUE(StatusBar().contains(limited)) << "a hint wiped out the notice";

  // Another family with a narrower range: the field shows what the unit is computed with.
  ChooseFamily(QStringLiteral("Dorsa"));
  EXPECT_EQ(Field("Frm_TotalSupply").Text().toDouble(), Model().TotalSupply().GetVal());
  EXPECT_DOUBLE_EQ(Model().SupplyAir(), Model().TotalSupply().GetVal() * 3.6);
  EXPECT_EQ(Model().TotalSupply().GetVal(), Model().MaxAirflow());
  EXPECT_TRUE(Notice("Frm_TotalSupply").contains(Field("Frm_TotalSupply").Text())) << Notice("Frm_TotalSupply").toStdString();

  // A value within the range ends the notice.
  Type(Field("Frm_TotalSupply"), QStringLiteral("100"));
  EXPECT_TRUE(Notice("Frm_TotalSupply").isEmpty());
  EXPECT_TRUE(StatusBar().isEmpty());

  Type(Field("Frm_Altitude"), QStringLiteral("3000"));
  EXPECT_TRUE(Notice("Frm_Altitude").contains(QStringLiteral("2000 m")));
  EXPECT_EQ(Field("Frm_Altitude").Text(), QStringLiteral("2000"));
}

TEST_F(SelectionPageTest, AComputedZeroShowsAsZeroAndANotComputedValueIsBlank)
{
  // The first Brisa unit at the defaults: no filter, no plenum, no heater needed.
  const struct
  {
    const char* what;
    std::function<QLabel*()> label;
    const char* zero;
  } cases[] = {
    {"supply filter drop", [this] { return Page().ResultLabel("Txt_FilterSupply"); }, "0.0 Pa"},
    {"exhaust plenum drop", [this] { return Page().ResultLabel("Lbl_ResPlenumExhaust"); }, "0.0 Pa"},
    {"cooling calculated inlet heater", [this] { return Results().CoolResults()->Value("Txt_InletCalc"); }, "0.000 kW"},
    {"heating calculated supply heater", [this] { return Results().HeatResults()->Value("Txt_SupplyCalc"); }, "0.000 kW"},
    {"Calculated inlet heater of the heating conditions", [this] { return Page().HeatConditions()->CalculatedInlet(); },
     "0.000 kW"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.label()->text().toStdString(), c.zero) << c.what;
  Type(Field("Frm_DesignSupplyESP"), QStringLiteral("0")); // no unit, nothing computed
  for (const auto& c : cases)
    EXPECT_TRUE(c.label()->text().isEmpty()) << c.what;
}

TEST_F(SelectionPageTest, AFailedModeKeepsItsMessageInItsOwnPanel)
{
  TFrm_TempConditions& heating = *Page().HeatConditions();
  Type(*heating.RoomRH(), QStringLiteral("95"));
  ASSERT_FALSE(Model().HeatingResults().bComputed);
  QLabel* heat = Results().HeatResults()->Message();
  EXPECT_TRUE(heat->isVisibleTo(Results().HeatResults()));
  EXPECT_TRUE(heat->text().contains(QStringLiteral("relative humidity"))) << heat->text().toStdString();
  EXPECT_FALSE(Results().CoolResults()->Message()->isVisibleTo(Results().CoolResults()));
  Type(*heating.RoomRH(), QStringLiteral("50"));
  EXPECT_FALSE(heat->isVisibleTo(Results().HeatResults()));
}

TEST_F(SelectionPageTest, TheSolutionListShowsShareAndAvailablePressuresAndSortsByThem)
{
  QTreeWidget* list = Page().SelectedDevices();
  ASSERT_GE(list->topLevelItemCount(), 2);
  EXPECT_EQ(list->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  const int share = 4, supplyEsp = 5;
  EXPECT_EQ(list->headerItem()->text(supplyEsp), QStringLiteral("Available supply ESP"));
  EXPECT_TRUE(list->topLevelItem(0)->text(share).endsWith('%'));
  EXPECT_TRUE(list->topLevelItem(0)->text(supplyEsp).endsWith(QStringLiteral(" Pa")));
  // No caption is cut while the view has room left: the cells stay whole
  // and the columns take the view's width.
  v_window.show();
  v_window.resize(1800, 1000);
  for (int round = 0; round < 4; ++round)
    QApplication::processEvents();
  const QFontMetrics metrics(list->header()->font());
  int used = 0;
  bool bCut = false;
  for (int c = 0; c < list->columnCount(); ++c)
    if (!list->isColumnHidden(c)) {
      used += list->header()->sectionSize(c);
      bCut = bCut || list->header()->sectionSize(c) < metrics.horizontalAdvance(list->headerItem()->text(c));
      for (int i = 0; i < list->topLevelItemCount(); ++i)
        EXPECT_GE(list->header()->sectionSize(c), list->fontMetrics().horizontalAdvance(list->topLevelItem(i)->text(c)));
    }
  EXPECT_LE(used, list->viewport()->width());
  if (bCut) {
    EXPECT_GE(used, list->viewport()->width() - list->columnCount()) << "a caption is cut while room is left";
  }
  emit list->header()->sectionClicked(supplyEsp);
  for (int i = 1; i < list->topLevelItemCount(); ++i)
    EXPECT_LE(list->topLevelItem(i - 1)->data(supplyEsp, Qt::UserRole + 1).toDouble(),
              list->topLevelItem(i)->data(supplyEsp, Qt::UserRole + 1).toDouble());
  // A sorted row still picks its own solution.
  QTreeWidgetItem* last = list->topLevelItem(list->topLevelItemCount() - 1);
  const QString lastPressure = last->text(supplyEsp);
  list->setCurrentItem(last); // the list is shown again, in the same order
  const CTSolutionRow row = Model().SolutionRows()[static_cast<std::size_t>(Model().SelectedRow())];
  EXPECT_EQ(lastPressure.toStdString(), FormatComputedPressure(row.SupplyAvailable_Pa));
  EXPECT_EQ(list->currentItem(), list->topLevelItem(list->topLevelItemCount() - 1)) << "the sort is kept";
  EXPECT_EQ(Results().SelectedDevice()->text().toStdString(), Model().CurrentBrisa()->GetQualifiedName());
  EXPECT_NEAR(Model().SupplyEsp().Available(), row.SupplyAvailable_Pa, 1e-9);
}

TEST_F(SelectionPageTest, AFieldIsNotLimitedInLengthAndTakesBothSeparators)
{
  TU_Form::SetNewIndex(U_Power, UnitIndexOf(U_Power, "BTU/h"), true);
  TFrm_TempConditions& heating = *Page().HeatConditions();
  heating.InletChoice()->setCurrentIndex(1); // "User defined inlet"
  Type(*heating.InletHeater(), QStringLiteral("100000"));
  EXPECT_EQ(heating.InletHeater()->Text(), QStringLiteral("100000"));
  EXPECT_NEAR(Model().Heating().InletHeaterInput().GetVal(), 29.307, 0.001);

  for (const QString& typed : {QStringLiteral("7,5"), QStringLiteral("7.5")}) {
    Type(Field("Frm_Airflow"), typed);
    EXPECT_DOUBLE_EQ(Model().AirflowPerPerson().GetVal(), 7.5) << typed.toStdString();
  }
}

TEST_F(SelectionPageTest, MovingTheScrollBarChangesTheValueAndRecalculates)
{
  TFrm_UnitTextScroll& perPerson = Field("Frm_Airflow");
  perPerson.ScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(perPerson.Text(), QStringLiteral("5.1"));
  EXPECT_DOUBLE_EQ(Model().AirflowPerPerson().GetVal(), 5.1);
  EXPECT_DOUBLE_EQ(Model().TotalSupply().GetVal(), 102); // 5.1 l/s × 100 m² ÷ 5 m²
  EXPECT_TRUE(v_window.DataHaveChanged());
}

TEST_F(SelectionPageTest, NewPutsTheInputsBackAndSelectsAgain)
{
  Type(Field("Frm_Airflow"), QStringLiteral("12"));
  const QStringList changed = Rows();
  v_prompts.answers = {i18n::Info(i18n::DialogButton::No).nReturnCode}; // do not save
  v_window.findChild<QAction*>(QStringLiteral("ACF_New"))->trigger();
  EXPECT_EQ(Field("Frm_Airflow").Text(), QStringLiteral("5.0"));
  EXPECT_NE(Rows(), changed);
  EXPECT_FALSE(Rows().isEmpty());
  EXPECT_FALSE(v_window.DataHaveChanged());
}

TEST_F(SelectionPageTest, TheResultsPageListsTheOptionsAndMovesThem)
{
  auto* pages = v_window.findChild<QTabWidget*>(QStringLiteral("Ctl_Pages"));
  pages->setCurrentWidget(v_window.findChild<QWidget*>(QStringLiteral("Tab_Results")));
  ASSERT_EQ(pages->currentWidget()->objectName(), QStringLiteral("Tab_Results"));
  QTreeWidget* avail = Results().AvailOptions();
  QTreeWidget* used = Results().UsedOptions();
  EXPECT_EQ(avail->topLevelItemCount(), static_cast<int>(Model().AvailOptions().size()));
  EXPECT_EQ(used->topLevelItemCount(), static_cast<int>(Model().UsedOptions().size()));
  ASSERT_GT(avail->topLevelItemCount() + used->topLevelItemCount(), 0) << "the unit has no options";
  for (QTreeWidget* list : {avail, used})
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      const QString type = list->topLevelItem(i)->text(list->columnCount() - 1);
      EXPECT_FALSE(type.isEmpty() || type.front().isDigit()) << "the type is named: " << type.toStdString();
    }
  if (avail->topLevelItemCount() > 0) {
    const QString name = avail->topLevelItem(0)->text(0);
    avail->setCurrentItem(avail->topLevelItem(0));
    Results().Btn_SelectClick();
    EXPECT_EQ(used->topLevelItem(used->topLevelItemCount() - 1)->text(0), name);
    EXPECT_TRUE(v_window.DataHaveChanged());
  }
  for (int i = 0; i < used->topLevelItemCount(); ++i)
    if (Model().UsedOptions()[static_cast<std::size_t>(i)].bStandard) {
      const int count = used->topLevelItemCount();
      used->setCurrentItem(used->topLevelItem(i));
      Results().Btn_DeselectClick();
      EXPECT_EQ(Messages(), std::vector<int>{66});
      EXPECT_EQ(used->topLevelItemCount(), count);
      break;
    }
}

TEST_F(SelectionPageTest, SwitchingFamilyChangesTheVisiblePagesAndPanels)
{
  const struct
  {
    const char* family;
    bool efficiencies, exhaust, filters, discharge, capacities, coilIn, speeds;
  } cases[] = {
    {"Dorsa", true, true, false, false, true, true, true},
    {"Pelmar-MF", false, false, false, true, true, false, false},
    {"Brisa", true, true, true, false, false, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.family);
    ChooseFamily(QString::fromLatin1(c.family));
    EXPECT_EQ(Model().Family(), Page().Family()->currentData().toInt());
    EXPECT_EQ(TabShown("Tab_Efficiencies"), c.efficiencies);
    EXPECT_EQ(TabShown("Tab_EffCorrect"), c.efficiencies);
    EXPECT_EQ(Shown(Page().findChild<QWidget*>(QStringLiteral("Pnl_ExhaustData"))), c.exhaust);
    EXPECT_EQ(Shown(Page().findChild<QWidget*>(QStringLiteral("Pnl_Filters"))), c.filters);
    EXPECT_EQ(Shown(Page().CoolConditions()->DischargeBox()), c.discharge);
    EXPECT_EQ(Shown(Results().WrightProps()), c.capacities);
    EXPECT_EQ(Shown(Results().CoolAirConditions()->Props(TFrm_AirConditions::CI)), c.coilIn);
    EXPECT_EQ(Shown(Results().CoolResults()->Box("Box_SupplyTemp")), c.discharge);
    // The maximum speed keeps its entry across families: the highest speed
    // offers units in every family.
    Page().MaxSpeed()->setCurrentIndex(Page().MaxSpeed()->count() - 1);
    EXPECT_FALSE(Rows().isEmpty());
    // The solution list shows the speed columns only where its units have speed steps.
    const int supplySpeed = 1, exhaustSpeed = 2;
    EXPECT_EQ(!Page().SelectedDevices()->isColumnHidden(supplySpeed), c.speeds);
    EXPECT_EQ(!Page().SelectedDevices()->isColumnHidden(exhaustSpeed), c.speeds && c.exhaust);
    v_prompts.questions.clear();
  }
}

TEST_F(SelectionPageTest, AValueTypedInImperialUnitsReadsBackUnchangedInSI)
{
  Tick("Chk_TotalSupply");
  const struct
  {
    const char* field;
    U_RepUnit unit;
    const char* imperial;
    const char* typed;
    const char* si;
  } cases[] = {
    {"Frm_TotalSupply", U_Airflow, "CFM", "400", "189"},
    {"Frm_Altitude", U_Length, "ft", "1000", "305"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    TU_Form::SetNewIndex(c.unit, UnitIndexOf(c.unit, c.imperial), true);
    TFrm_UnitTextScroll& field = Field(c.field);
    EXPECT_EQ(field.UnitLabel()->text().toStdString(), c.imperial);
    EXPECT_EQ(field.ScrollBar()->maximum(),
              std::lround(TU_Form::ConvertValue(field.Input()->GetMaxVal(), c.unit, 0, TU_Form::GetNewIndex(c.unit), true)));
    Type(field, QString::fromLatin1(c.typed));
    EXPECT_EQ(field.Text().toStdString(), c.typed); // the user's value stays as typed
    const double held = field.Input()->GetVal();
    TU_Form::SetNewIndex(c.unit, 0, true);
    EXPECT_EQ(field.Text().toStdString(), c.si);
    EXPECT_EQ(field.Input()->GetVal(), held); // switching units changes no value
  }

  // Pressures in inH2O are shown and typed in hundredths.
  TFrm_UnitTextScroll& esp = Field("Frm_DesignSupplyESP");
  TU_Form::SetNewIndex(U_Pressure, UnitIndexOf(U_Pressure, "inH2O"), true);
  EXPECT_EQ(esp.Text(), QStringLiteral("0.60"));
  Type(esp, QStringLiteral("1,25"));
  EXPECT_EQ(esp.Text(), QStringLiteral("1.25"));
  TU_Form::SetNewIndex(U_Pressure, 0, true);
  EXPECT_EQ(esp.Text(), QStringLiteral("311.4"));

  // Results switch too: temperatures in °F, without recomputing.
  const double roomDBT = Model().CoolingResults().States.RA.DBT;
  TU_Form::SetNewIndex(U_Temperature, UnitIndexOf(U_Temperature, "°F"), true);
  EXPECT_EQ(Results().CoolAirConditions()->Props(TFrm_AirConditions::RA)->FieldText(0), QStringLiteral("80.6 °F"));
  EXPECT_EQ(Page().CoolConditions()->RoomDBT()->Text(), QStringLiteral("80.6"));
  EXPECT_EQ(Model().CoolingResults().States.RA.DBT, roomDBT);
  EXPECT_EQ(Page().CoolConditions()->AmbientRH()->UnitLabel()->text(), QStringLiteral("%"));
}

TEST_F(SelectionPageTest, ADesignConditionNoUnitCanMeetShowsItsMessageAndEmptiesTheList)
{
  Type(Field("Frm_DesignSupplyESP"), QStringLiteral("0"));
  EXPECT_EQ(Messages(), std::vector<int>{70});
  EXPECT_TRUE(Rows().isEmpty());
  EXPECT_TRUE(Results().SelectedDevice()->text().isEmpty());
  EXPECT_TRUE(CoolValue("Txt_TempEff").isEmpty());

  // Without a unit only the Selection and chart pages can be shown.
  auto* pages = v_window.findChild<QTabWidget*>(QStringLiteral("Ctl_Pages"));
  pages->setCurrentWidget(v_window.findChild<QWidget*>(QStringLiteral("Tab_Results")));
  EXPECT_EQ(pages->currentWidget()->objectName(), QStringLiteral("Tab_Selection"));

  // A second attempt with a sound value offers units again, without a message.
  v_prompts.questions.clear();
  Type(Field("Frm_DesignSupplyESP"), QStringLiteral("150"));
  EXPECT_FALSE(Rows().isEmpty());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SelectionPageTest, AnInputCheckCorrectsTheConditionAndShowsItsMessage)
{
  TFrm_TempConditions& cooling = *Page().CoolConditions();
  Type(*cooling.AmbientDBT(), QStringLiteral("20"));
  EXPECT_EQ(Messages(), std::vector<int>{55});
  EXPECT_EQ(cooling.AmbientDBT()->Text(), QStringLiteral("27.0")); // set to the room temperature
  EXPECT_TRUE(CoolValue("Txt_TempEff").isEmpty());
  EXPECT_FALSE(Rows().isEmpty()); // the offered list is kept
}

TEST_F(SelectionPageTest, ACalculatedInletHeaterIsShownAndTakesTheFittingHeaterOption)
{
  TFrm_TempConditions& heating = *Page().HeatConditions();
  EXPECT_EQ(heating.CalculatedInlet()->text(), QStringLiteral("0.000 kW")) << "calculated: none needed";
  Type(*heating.AmbientDBT(), QStringLiteral("-20"));
  ASSERT_FALSE(heating.CalculatedInlet()->text().isEmpty()) << "no inlet heater at -20 °C";
  EXPECT_EQ(Results().HeatResults()->Value("Txt_InletCalc")->text(), heating.CalculatedInlet()->text());
  // The unit's heater options are offered as a third choice, each with its power.
  ASSERT_EQ(heating.InletChoice()->count(), 3) << "the unit has no heater option";
  heating.InletChoice()->setCurrentIndex(2);
  EXPECT_EQ(heating.InletChoice()->currentText(), QStringLiteral("Inlet heater option"));
  EXPECT_TRUE(Shown(heating.HeaterOptions()));
  EXPECT_FALSE(Shown(heating.InletHeater()));
  const Cls_DeviceOption* option = Model().Heating().GetSelectedHeaterOption();
  ASSERT_TRUE(option);
  EXPECT_EQ(heating.HeaterOptions()->currentText().toStdString(),
            option->GetName() + " (" + FormatPower(option->GetValue()) + ")");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SelectionPageTest, PickingAnotherSolutionChangesTheResultsPage)
{
  QTreeWidget* list = Page().SelectedDevices();
  ASSERT_GE(list->topLevelItemCount(), 2);
  const QString first = Results().SelectedDevice()->text();
  int other = 1;
  while (other < list->topLevelItemCount() &&
         list->topLevelItem(other)->text(0) == list->topLevelItem(0)->text(0))
    ++other;
  ASSERT_LT(other, list->topLevelItemCount()) << "all solutions are of one unit";
  list->setCurrentItem(list->topLevelItem(other));
  EXPECT_EQ(Model().SelectedRow(), other);
  EXPECT_NE(Results().SelectedDevice()->text(), first);
  EXPECT_EQ(Results().SelectedDevice()->text().toStdString(), Model().CurrentBrisa()->GetQualifiedName());
  EXPECT_TRUE(Results().SelectedDevice()->text().startsWith(list->topLevelItem(other)->text(0)));
  EXPECT_FALSE(CoolValue("Txt_TempEff").isEmpty());
  EXPECT_TRUE(v_window.DataHaveChanged());
}

} // namespace
} // namespace aw::app
