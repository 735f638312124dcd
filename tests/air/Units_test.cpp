#include "air/SI_Units.h"

#include "platform/SettingsStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace aw {
namespace {

// The unit system is process-wide: every test starts from the built-in units.
class UnitsTest : public ::testing::Test
{
protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }
  static void Reset()
  {
    TU_Form::CleanupUnits();
    TU_Form::InitializeUnits();
    TU_Form::SetDecimalSeparator('.');
  }

  static int IndexOf(U_RepUnit unit, const std::string& caption)
  {
    for (int i = 0; i < TU_Form::DimensionCount(unit); ++i)
      if (TU_Form::GetSpecificString(unit, i) == caption)
        return i;
    ADD_FAILURE() << "no unit " << caption;
    return -1;
  }

  struct Call
  {
    int oldIndex;
    std::string oldCaption;
    int newIndex;
    std::string newCaption;
  };
  // Registers a listener that records its calls.
  void Listen(U_RepUnit unit, const void* object, std::vector<Call>& calls)
  {
    TU_Form::RegisterDimChange(
        object, [&calls](int a, const std::string& b, int c, const std::string& d) { calls.push_back({a, b, c, d}); },
        unit);
  }
};

TEST_F(UnitsTest, BuiltInGroups)
{
  EXPECT_EQ(TU_Form::UnitString(U_HeatTransfer), "Heat Transfer");
  EXPECT_EQ(TU_Form::UnitString(U_ShortMass), "Small Mass");
  EXPECT_EQ(TU_Form::UnitString(U_Appl9), "Appl9");
  EXPECT_EQ(TU_Form::DimensionCount(U_Appl1), 1);
  EXPECT_EQ(TU_Form::GetDefaultString(U_Appl1), "");
  EXPECT_EQ(TU_Form::DimensionCount(U_Airflow), 3);
  EXPECT_EQ(TU_Form::GetSpecificString(U_Airflow, 1), "m³/h");
  EXPECT_EQ(TU_Form::GetSpecificString(U_Temperature, 1), "°F");
  EXPECT_EQ(TU_Form::GetDigits(U_Density, 1), 4);
  EXPECT_EQ(TU_Form::GetSpecificString(U_Airflow, 7), "l/s") << "an invalid index counts as the base unit";
  for (int g = 0; g < kUnitGroupCount; ++g)
    EXPECT_EQ(TU_Form::GetNewIndex(static_cast<U_RepUnit>(g)), 0);

  EXPECT_NEAR(TU_Form::ConvertValue(100, U_Airflow, 0, 1, true), 360, 1e-9);
  EXPECT_NEAR(TU_Form::ConvertValue(3600, U_Airflow, 1, 2, true), 1, 1e-12);
}

TEST_F(UnitsTest, ImperialUnitsOfTheStartUp)
{
  TU_Form::AddImperialUnits();
  const std::vector<std::string> airflow = {"l/s", "m³/h", "CFM"};
  ASSERT_EQ(TU_Form::DimensionCount(U_Airflow), 3);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(TU_Form::GetSpecificString(U_Airflow, i), airflow[i]);
  EXPECT_EQ(TU_Form::GetSpecificString(U_Power, 3), "Ton");
  EXPECT_EQ(TU_Form::GetDigits(U_Power, 0), 3);
  EXPECT_EQ(TU_Form::GetDigits(U_Pressure, 1), 1);
  EXPECT_EQ(TU_Form::GetDigits(U_Pressure, 2), 1);
  EXPECT_EQ(TU_Form::GetDigits(U_Pressure, 3), 2);
  EXPECT_EQ(TU_Form::GetDigits(U_Mass, 1), 1);

  CTImperialCaptions translated;
  translated.Dim_Flow = "pc/min";
  Reset();
  TU_Form::AddImperialUnits(translated);
  EXPECT_EQ(TU_Form::GetSpecificString(U_Airflow, 2), "pc/min");
}

// Every unit against its defining constant, both ways.
TEST_F(UnitsTest, ConversionsAgainstExactConstants)
{
  TU_Form::AddImperialUnits();
  const struct { U_RepUnit unit; const char* caption; double shown; double base; bool absolute; double relTol; } cases[] = {
      {U_Airflow, "CFM", 1, 0.4719474432, true, 1e-12},
      {U_Airflow, "m³/h", 360, 100, true, 1e-12},
      {U_Pressure, "inH2O", 1, 249.08891, true, 1e-12},
      {U_Pressure, "mmH2O", 1, 9.80665, true, 1e-12},
      {U_Pressure, "mBar", 1, 100, true, 1e-12},
      {U_Power, "BTU/h", 1, 0.29307107e-3, true, 1e-8},
      {U_Power, "BTU/h", 12000, 3.51685284, false, 1e-8},
      {U_Power, "Ton", 1, 3.51685284, true, 1e-8},
      {U_Power, "kcal/h", 1, 1.163e-3, true, 1e-12},
      {U_HeatTransfer, "kcal/h m²", 1, 1.163, true, 1e-12},
      {U_Energy, "kcal", 1, 4.1868, true, 1e-12},
      {U_Energy, "kWh", 1, 3600, true, 1e-12},
      {U_Enthalpy, "kcal/kg", 1, 4.1868, false, 1e-12},
      {U_Enthalpy, "BTU/lbs", 1, 2.326, false, 1e-12},
      {U_Mass, "lbs", 1, 0.45359237, true, 1e-12},
      {U_Length, "ft", 1, 0.3048, true, 1e-12},
      {U_Surface, "ft²", 1, 0.09290304, true, 1e-12},
      {U_ShortLength, "inch", 1, 25.4, true, 1e-12},
      {U_Humidity, "GPP", 7000, 1, true, 1e-12},
      {U_Humidity, "g/kg", 1, 0.001, true, 1e-12},
      {U_Speed, "km/h", 3.6, 1, true, 1e-12},
      {U_Density, "kg/l", 1, 1000, true, 1e-12},
      {U_Temperature, "°F", 68, 20, true, 1e-12},
      {U_Temperature, "°F", 36, 20, false, 1e-12},
      {U_Temperature, "°F", -40, -40, true, 1e-12},
      {U_Temperature, "°F", 32, 0, true, 1e-12},
  };
  for (const auto& c : cases) {
    const int i = IndexOf(c.unit, c.caption);
    const double tol = c.relTol * std::fabs(c.base) + 1e-15;
    EXPECT_NEAR(TU_Form::ConvertValue(c.shown, c.unit, i, 0, c.absolute), c.base, tol) << c.caption << " " << c.shown;
    EXPECT_NEAR(TU_Form::ConvertValue(c.base, c.unit, 0, i, c.absolute), c.shown, c.relTol * std::fabs(c.shown) + 1e-12)
        << c.caption << " " << c.shown;
  }
  // Between two units other than the base one, through the base unit.
  EXPECT_NEAR(TU_Form::ConvertValue(1, U_Power, IndexOf(U_Power, "Ton"), IndexOf(U_Power, "BTU/h"), true), 12000, 1e-8);
  // Invalid indices count as the base unit; equal ones change nothing, offset or not.
  EXPECT_EQ(TU_Form::ConvertValue(20, U_Temperature, 5, -1, true), 20);
  EXPECT_EQ(TU_Form::ConvertValue(20, U_Temperature, 1, 1, true), 20);
  EXPECT_NEAR(TU_Form::ConvertValue(20, U_Temperature, -3, 1, true), 68, 1e-12);
}

TEST_F(UnitsTest, ShowsAndReadsInTheUnitInEffect)
{
  TU_Form::SetNewIndex(U_Temperature, 1, false);
  EXPECT_EQ(TU_Form::GetCurrentString(U_Temperature), "°F");
  EXPECT_EQ(TU_Form::PutFmtDimensionedValue(20, U_Temperature, 0, true), "68.0");
  EXPECT_EQ(TU_Form::PutFmtDimensionedValue(20, U_Temperature, 7, false), "   36.0");
  EXPECT_NEAR(TU_Form::GetDimensionedValue("68", U_Temperature, true), 20, 1e-12);
  EXPECT_NEAR(TU_Form::GetDimensionedValue("9", U_Temperature, false), 5, 1e-12);

  TU_Form::SetNewIndex(U_Pressure, 1, false); // mBar, 3 digits
  TU_Form::SetDecimalSeparator(',');
  EXPECT_EQ(TU_Form::PutFmtDimensionedValue(150, U_Pressure, 0, true), "1,500");
  EXPECT_EQ(TU_Form::PutDimensionedValue(150, U_Pressure, 15, true), "1,5");
  EXPECT_NEAR(TU_Form::GetDimensionedValue("1,5", U_Pressure, true), 150, 1e-12);
  EXPECT_NEAR(TU_Form::GetDimensionedValue("1.5", U_Pressure, true), 150, 1e-12);
  EXPECT_EQ(TU_Form::GetDimensionedValue("no number", U_Pressure, true), 0);
  TU_Form::SetDecimalSeparator('.');
  EXPECT_EQ(TU_Form::PutDimensionedValue(150, U_Pressure, 15, true), "1.5");

  TU_Form::SetNewIndex(U_Airflow, 1, false);
  EXPECT_EQ(TU_Form::PutDimensionedValue(100, U_Airflow, 15, true), "360");
}

TEST_F(UnitsTest, ListenersHearChangesInOrder)
{
  std::vector<Call> first, second, other;
  const int a = 0, b = 0, c = 0;
  Listen(U_Airflow, &a, first);
  Listen(U_Airflow, &b, second);
  Listen(U_Airflow, &a, other); // a second registration of the same object keeps the first
  Listen(U_Pressure, &c, other);

  TU_Form::SetNewIndex(U_Airflow, 1, true);
  TU_Form::SetNewIndex(U_Airflow, 1, true); // told even without a change
  TU_Form::SetNewIndex(U_Airflow, 2, false);
  TU_Form::SetNewIndex(U_Airflow, 3, true); // index == count: ignored
  ASSERT_EQ(first.size(), 2u);
  EXPECT_EQ(first[0].oldIndex, 0);
  EXPECT_EQ(first[0].oldCaption, "l/s");
  EXPECT_EQ(first[0].newIndex, 1);
  EXPECT_EQ(first[0].newCaption, "m³/h");
  EXPECT_EQ(first[1].oldIndex, 1);
  EXPECT_EQ(second.size(), 2u);
  EXPECT_TRUE(other.empty());
  EXPECT_EQ(TU_Form::GetNewIndex(U_Airflow), 2);

  TU_Form::UnregisterDimChange(&a, U_Airflow);
  TU_Form::UnregisterDimChange(&c, U_Airflow); // not registered there: nothing happens
  TU_Form::SetNewIndex(U_Airflow, 0, true);
  EXPECT_EQ(first.size(), 2u);
  EXPECT_EQ(second.size(), 3u);
}

TEST_F(UnitsTest, ListenerMayUnregisterWhileBeingTold)
{
  int calls = 0;
  const int a = 0, b = 0;
  TU_Form::RegisterDimChange(
      &a, [&](int, const std::string&, int, const std::string&) { ++calls, TU_Form::UnregisterDimChange(&a, U_Mass); },
      U_Mass);
  TU_Form::RegisterDimChange(&b, [&](int, const std::string&, int, const std::string&) { ++calls; }, U_Mass);
  TU_Form::SetNewIndex(U_Mass, 1, true);
  EXPECT_EQ(calls, 2);
  TU_Form::SetNewIndex(U_Mass, 0, true);
  EXPECT_EQ(calls, 3);
}

TEST_F(UnitsTest, DeletingUnits)
{
  std::vector<Call> calls;
  const int a = 0;
  Listen(U_Airflow, &a, calls);

  // The base unit stays, but the base unit takes effect and the listeners hear it.
  TU_Form::SetNewIndex(U_Airflow, 1, false);
  TU_Form::DeleteDimension(U_Airflow, 0);
  EXPECT_EQ(TU_Form::DimensionCount(U_Airflow), 3);
  EXPECT_EQ(TU_Form::GetNewIndex(U_Airflow), 0);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].oldIndex, 1);
  EXPECT_EQ(calls[0].newIndex, 0);

  // Removing the unit in effect: told with the caption of the unit that went.
  TU_Form::SetNewIndex(U_Airflow, 2, false);
  TU_Form::DeleteDimension(U_Airflow, 2);
  EXPECT_EQ(TU_Form::DimensionCount(U_Airflow), 2);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].oldCaption, "m³/s");
  EXPECT_EQ(calls[1].newCaption, "l/s");

  // Removing a unit after the one in effect, or an index past the end, changes nothing else.
  TU_Form::DeleteDimension(U_Airflow, 5);
  TU_Form::SetNewIndex(U_Temperature, 0, false);
  TU_Form::DeleteDimension(U_Temperature, 1);
  EXPECT_EQ(TU_Form::DimensionCount(U_Airflow), 2);
  EXPECT_EQ(TU_Form::DimensionCount(U_Temperature), 1);
  EXPECT_EQ(calls.size(), 2u);
}

TEST_F(UnitsTest, SettersIgnoreInvalidIndicesAndGroups)
{
  TU_Form::SetDigits(U_Mass, 2, 7);
  TU_Form::SetSpecificString(U_Mass, -1, "x");
  EXPECT_EQ(TU_Form::GetDigits(U_Mass, 0), 3);
  EXPECT_EQ(TU_Form::GetDefaultString(U_Mass), "kg");
  TU_Form::SetSpecificString(U_Mass, 1, "lb");
  EXPECT_EQ(TU_Form::GetSpecificString(U_Mass, 1), "lb");

  const auto bogus = static_cast<U_RepUnit>(99);
  TU_Form::AddDimension(bogus, "x", 1, 2);
  TU_Form::SetNewIndex(bogus, 0, true);
  EXPECT_EQ(TU_Form::DimensionCount(bogus), 0);
  EXPECT_EQ(TU_Form::ConvertValue(5, bogus, 1, 0, true), 5);
  EXPECT_EQ(TU_Form::UnitString(bogus), "");

  // After the clean-up every query is still safe.
  TU_Form::CleanupUnits();
  EXPECT_EQ(TU_Form::DimensionCount(U_Airflow), 0);
  EXPECT_EQ(TU_Form::ConvertValue(5, U_Airflow, 1, 0, true), 5);
  EXPECT_EQ(TU_Form::PutFmtDimensionedValue(5, U_Airflow, 0, true), "5");
  TU_Form::DeleteDimension(U_Airflow, 0);
}

TEST_F(UnitsTest, RedimValueBetweenRelatedGroups)
{
  const struct { U_RepUnit from, to; double in, out; } cases[] = {
      {U_Length, U_ShortLength, 2.5, 2500},   {U_Length, U_MediumLength, 2.5, 250}, {U_MediumLength, U_Length, 250, 2.5},
      {U_MediumLength, U_ShortLength, 3, 30}, {U_ShortLength, U_Length, 250, 0.25}, {U_ShortLength, U_MediumLength, 30, 3},
      {U_Mass, U_ShortMass, 1.5, 1500},       {U_ShortMass, U_Mass, 250, 0.25},      {U_Length, U_Mass, 2.5, 2.5},
      {U_Length, U_Length, 2.5, 2.5},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TU_Form::RedimValue(c.in, c.from, c.to), c.out) << c.from << " -> " << c.to;
}

class FakeChoice : public CTUnitChoice
{
public:
  void SetCaption(const std::string& szCaption) override { caption = szCaption; }
  void SetItems(const std::vector<std::string>& list) override { items = list; }
  void SetItemIndex(int nIndex) override { index = nIndex; }
  int ItemIndex() const override { return index; }

  std::string caption;
  std::vector<std::string> items;
  int index = -1;
};

TEST_F(UnitsTest, UnitChoiceControls)
{
  TU_Form::SetNewIndex(U_Pressure, 2, false);
  FakeChoice choice;
  TU_Form::AssignControl(U_Pressure, choice);
  EXPECT_EQ(choice.caption, "Pressure");
  EXPECT_EQ(choice.items, (std::vector<std::string>{"Pa", "mBar", "mmH2O"}));
  EXPECT_EQ(choice.index, 2);

  std::vector<Call> calls;
  const int a = 0;
  Listen(U_Pressure, &a, calls);
  choice.index = 1;
  TU_Form::DoDimensionChange(U_Pressure, choice);
  EXPECT_EQ(TU_Form::GetNewIndex(U_Pressure), 1);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].newCaption, "mBar");
}

class UnitsSettingsTest : public UnitsTest
{
protected:
  test::TempDir v_dir;
  platform::SettingsStore v_store{v_dir / "settings.ini"};
  const std::string v_root = "Software\\Korvath\\Quillon Selection\\Airwright\\Preferences";
};

TEST_F(UnitsSettingsTest, UnitsInEffectSurviveTheStore)
{
  TU_Form::AddImperialUnits();
  TU_Form::SetNewIndex(U_Airflow, 2, false);
  TU_Form::SetNewIndex(U_Temperature, 1, false);
  TU_Form::SetNewIndex(U_Power, 3, false);
  ASSERT_TRUE(TU_Form::SaveSettingsToRegistry(v_root, v_store));
  EXPECT_EQ(v_store.ReadInteger(v_root, "Units1"), 2);
  EXPECT_EQ(v_store.ReadInteger(v_root, "Units30"), 0);
  EXPECT_FALSE(v_store.ValueExists(v_root, "Units0"));

  Reset();
  TU_Form::AddImperialUnits();
  std::vector<Call> calls;
  const int a = 0;
  Listen(U_Airflow, &a, calls);
  platform::SettingsStore reopened(v_store.File());
  TU_Form::LoadSettingsFromRegistry(v_root, reopened);
  EXPECT_EQ(TU_Form::GetNewIndex(U_Airflow), 2);
  EXPECT_EQ(TU_Form::GetNewIndex(U_Temperature), 1);
  EXPECT_EQ(TU_Form::GetNewIndex(U_Power), 3);
  EXPECT_TRUE(calls.empty()) << "loading tells no listener";
}

TEST_F(UnitsSettingsTest, LoadingSkipsBadValuesAndKeepsUnitsWithoutTheKey)
{
  TU_Form::SetNewIndex(U_Pressure, 1, false);
  TU_Form::SetNewIndex(U_Airflow, 1, false);
  TU_Form::SetNewIndex(U_Mass, 1, false);
  TU_Form::LoadSettingsFromRegistry(v_root, v_store); // no key: nothing changes
  EXPECT_EQ(TU_Form::GetNewIndex(U_Pressure), 1);

  ASSERT_TRUE(v_store.WriteInteger(v_root, "Units13", 9));  // three pressure units: ignored
  ASSERT_TRUE(v_store.WriteInteger(v_root, "Units10", -1)); // ignored
  ASSERT_TRUE(v_store.WriteString(v_root, "Units19", "1")); // unreadable: the base unit
  TU_Form::SetNewIndex(U_Temperature, 1, false);
  TU_Form::LoadSettingsFromRegistry(v_root, v_store);
  EXPECT_EQ(TU_Form::GetNewIndex(U_Pressure), 1);
  EXPECT_EQ(TU_Form::GetNewIndex(U_Mass), 1);
  EXPECT_EQ(TU_Form::GetNewIndex(U_Temperature), 0);
  EXPECT_EQ(TU_Form::GetNewIndex(U_Airflow), 0) << "a missing value selects the base unit";
}

TEST_F(UnitsSettingsTest, TheUserStoreIsTheDefault)
{
  // The user's store of this test only, even when the test runs outside CTest.
  const char* old = std::getenv("XDG_CONFIG_HOME");
  const std::string oldValue = old ? old : "";
  setenv("XDG_CONFIG_HOME", v_dir.Path().c_str(), 1);
  TU_Form::SetNewIndex(U_Enthalpy, 1, false);
  ASSERT_TRUE(TU_Form::SaveSettingsToRegistry(v_root));
  EXPECT_EQ(platform::SettingsStore::User().ReadInteger(v_root, "Units5"), 1);
  Reset();
  TU_Form::LoadSettingsFromRegistry(v_root);
  EXPECT_EQ(TU_Form::GetNewIndex(U_Enthalpy), 1);
  EXPECT_EQ(platform::SettingsStore::UserFile(), v_dir / "airwright" / "settings.ini");
  if (old)
    setenv("XDG_CONFIG_HOME", oldValue.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
}

} // namespace
} // namespace aw
