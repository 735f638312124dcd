// A selection kept as a project and reopened gives what was saved, and the
// results of a selection depend on its inputs only, never on what was
// computed before.

#include "EngineCatalogue.h"

#include "engine/SelectionModel.h"
#include "engine/SelectionProject.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <sstream>

namespace aw {
namespace {

// Everything the pages show of a selection, to full precision.
std::string Fingerprint(CTSelectionModel& m)
{
  std::ostringstream out;
  out.precision(17);
  out << "family " << m.Family() << " supply " << m.TotalSupply().GetVal() << " exhaust " << m.TotalExhaust().GetVal()
      << " message " << (m.Message() ? m.Message()->nMsgNo : 0) << '\n';
  for (const CTSolutionRow& row : m.SolutionRows())
    out << row.szUnit << '/' << row.szSupplySpeed << '/' << row.szExhaustSpeed << ' ' << row.SelKey << '\n';
  out << "picked " << m.SelectedRow() << ' ' << (m.CurrentBrisa() ? m.CurrentBrisa()->GetQualifiedName() : "-") << '\n';
  for (const CTModeResults* r : {&m.CoolingResults(), &m.HeatingResults()}) {
    out << r->bComputed << ' ' << r->nCode << ' ' << r->TotalCap << ' ' << r->SensibleCap << ' ' << r->HeatCap << ' '
        << r->TemperatureEff << ' ' << r->EnthalpyEff << ' ' << r->LatentSavings << ' ' << r->SensibleSavings << ' '
        << r->SupplyTemp << ' ' << r->Humidification << ' ' << r->AmbientLimit << ' ' << r->InletHeater.UserHeater
        << ' ' << r->InletHeater.CalcHeater << ' ' << r->SupplyHeater.UserHeater << ' ' << r->SupplyHeater.CalcHeater;
    for (const RepPsychroPoint* p : {&r->States.RA, &r->States.OA, &r->States.SA, &r->States.VI, &r->States.VO})
      out << ' ' << p->DBT << ' ' << p->AH;
    out << '\n';
  }
  m.FillOptions();
  for (const CTOptionRow& row : m.UsedOptions())
    out << "option " << row.szName << " x" << row.nQuantity << '\n';
  return out.str();
}

class SelectionProjectTest : public ::testing::Test
{
protected:
  test::EngineCatalogue db{test::BuildCatalogue(test::SmallCatalogueUnits())};
  void SetUp() override { ASSERT_TRUE(db.Connected()); }

  // Saves the model's selection, reads it back as a file would be, and opens it in a fresh model.
  std::unique_ptr<CTSelectionModel> Reopened(CTSelectionModel& saved)
  {
    const std::optional<CTBrisaProjectData> data = ProjectOfSelection(saved);
    EXPECT_TRUE(data);
    CTBrisaProjectData read;
    EXPECT_TRUE(CTBrisaProjectIO::DecodeProjectData(CTBrisaProjectIO::EncodeProjectData(*data),
                                                    CTBrisaProjectIO::CatalogueOptions(&db.factory), read));
    auto reopened = std::make_unique<CTSelectionModel>(&db.factory);
    ApplyProject(*reopened, read);
    return reopened;
  }
};

TEST_F(SelectionProjectTest, AReopenedProjectGivesTheResultsThatWereSaved)
{
  using Setup = std::function<void(CTSelectionModel&)>;
  struct Case
  {
    const char* what;
    Setup setup;
  };
  const Case cases[] = {
    {"defaults", [](CTSelectionModel&) {}},
    {"persons", [](CTSelectionModel& m) {
       m.SetRequirementMode(CTSelectionModel::TRequirement::NumberOfPersons);
       m.NumberOfPersons().SetVal(30);
       m.CapacityCallBack();
     }},
    {"total supply and exhaust in CFM", [](CTSelectionModel& m) {
       m.SetTotalSupply(100);
       m.TotalSupply().SetTypedVal(301, 1);
       m.SetTotalExhaust(150);
     }},
    {"filters, plenum, upside down", [](CTSelectionModel& m) {
       m.SetSupplyFilter(1);
       m.SetExhaustFilter(2);
       m.SetPlenum(Cls_Brisa::kPlenumAll);
       m.SetUpsideDown(true);
     }},
    {"user heaters and supply temperature", [](CTSelectionModel& m) {
       m.Heating().AmbientDBT().SetVal(-15);
       m.Heating().InletHeaterInput().SetVal(3.25);
       m.Heating().SetInletChoice(TInletChoice::UserDefined);
       m.Heating().SetSupplyTempTicked(true);
       m.Heating().SupplyTempInput().SetVal(24);
       m.Heating().SupplyHeaterInput().SetVal(1.5);
       m.Heating().SetSupplyChoice(TSupplyChoice::UserDefined);
       m.EfficiencyCallBack();
     }},
    {"calculated heater fitted to the option", [](CTSelectionModel& m) {
       m.Heating().AmbientDBT().SetVal(-15);
       m.EfficiencyCallBack();
     }},
    {"the heater option chosen", [](CTSelectionModel& m) {
       m.Heating().SetHeaterOption(0);
       m.EfficiencyCallBack();
     }},
    {"second solution, altitude, relative humidity", [](CTSelectionModel& m) {
       m.Altitude().SetVal(800);
       m.Cooling().SetRoomWetBulb(false, m.Air());
       m.Cooling().RoomHumidity().SetVal(55);
       m.AltitudeCallBack();
       m.Pick(1);
     }},
    {"an option selected", [](CTSelectionModel& m) {
       m.FillOptions();
       if (!m.AvailOptions().empty())
         m.SelectOption(0);
     }},
    {"Dorsa", [](CTSelectionModel& m) { m.SetFamily(Cls_Brisa::kFamilyDorsa); }},
    {"Pelmar-MF with its discharges", [](CTSelectionModel& m) {
       m.SetFamily(Cls_Brisa::kFamilyPelmarMF);
       m.Cooling().Discharge().SetVal(15.5);
       m.Heating().Discharge().SetVal(23);
       m.EfficiencyCallBack();
     }},
  };
  for (const Case& c : cases) {
    CTSelectionModel saved(&db.factory);
    c.setup(saved);
    ASSERT_TRUE(saved.CurrentBrisa()) << c.what;
    const std::string before = Fingerprint(saved);
    std::unique_ptr<CTSelectionModel> reopened = Reopened(saved);
    EXPECT_EQ(Fingerprint(*reopened), before) << c.what;
  }
}

TEST_F(SelectionProjectTest, SavingInPersonsModeStoresTheOtherModeAsAbsent)
{
  CTSelectionModel m(&db.factory);
  m.SetRequirementMode(CTSelectionModel::TRequirement::NumberOfPersons);
  const std::optional<CTBrisaProjectData> data = ProjectOfSelection(m);
  ASSERT_TRUE(data);
  EXPECT_EQ(data->v_intfV0.v_areaPerPerson, kProjectNoValue);
  EXPECT_EQ(data->v_intfV0.v_roomSurface, kProjectNoValue);
  EXPECT_EQ(data->v_intfV0.v_totalSupply, kProjectNoValue);
  EXPECT_EQ(data->v_intfV0.v_nrOfPersons, m.NumberOfPersons().GetVal());
  m.SetPlenum(Cls_Brisa::kPlenumAll); // the plenum option counts 2
  const std::optional<CTBrisaProjectData> withPlenum = ProjectOfSelection(m);
  ASSERT_TRUE(withPlenum && !withPlenum->v_options.empty());
  for (const CTBrisaProjectSelOption& option : withPlenum->v_options)
    EXPECT_EQ(option.v_nbSelected, 1) << "whatever the quantity shown";

  CTSelectionModel reopened(&db.factory);
  ApplyProject(reopened, *data);
  EXPECT_EQ(reopened.Requirement(), CTSelectionModel::TRequirement::NumberOfPersons);

  CTSelectionModel empty(&db.factory);
  empty.DesignSupplyESP().SetVal(0);
  empty.CapacityCallBack();
  EXPECT_FALSE(ProjectOfSelection(empty)) << "no unit picked: message 57, nothing to write";
}

TEST_F(SelectionProjectTest, AUnitNoLongerOfferedLeavesTheFirstRowPicked)
{
  CTSelectionModel m(&db.factory);
  CTBrisaProjectData data = *ProjectOfSelection(m);
  data.v_intfV0.v_brisaObjID = 9999;
  data.v_intfV0.v_family = 77; // a family the catalogue lacks
  CTSelectionModel reopened(&db.factory);
  ApplyProject(reopened, data);
  EXPECT_TRUE(reopened.Solutions().IsEmpty());
  data.v_intfV0.v_family = 0;
  ApplyProject(reopened, data);
  EXPECT_EQ(reopened.SelectedRow(), 0);
}

TEST_F(SelectionProjectTest, ResultsDependOnTheInputsOnly)
{
  CTSelectionModel m(&db.factory);
  m.Heating().AmbientDBT().SetVal(-15); // a calculated inlet heater, below the 2 kW option
  m.EfficiencyCallBack();
  ASSERT_GT(m.HeatingResults().InletHeater.CalcHeater, 0);
  ASSERT_LE(m.HeatingResults().InletHeater.CalcHeater, 2);
  EXPECT_EQ(m.Heating().EffectiveInletChoice(), TInletChoice::Option) << "the fitting option is taken";
  EXPECT_EQ(m.HeatingResults().InletHeater.UserHeater, 2);
  const std::string first = Fingerprint(m);

  m.SelectDevices();
  EXPECT_EQ(Fingerprint(m), first) << "computed twice";
  m.SetMaxSpeed(m.MaxSpeed()); // the list is unchanged
  EXPECT_EQ(Fingerprint(m), first);
  m.Pick(1);
  m.Pick(0);
  EXPECT_EQ(Fingerprint(m), first) << "after another pick";

  CTSelectionModel fresh(&db.factory);
  fresh.Pick(1);
  fresh.Heating().AmbientDBT().SetVal(-15);
  fresh.EfficiencyCallBack();
  fresh.Pick(0);
  EXPECT_EQ(Fingerprint(fresh), first) << "another history, the same inputs";

  // A user inlet heater is kept through every recalculation, so that one
  // below the calculated heater is reported.
  m.Heating().InletHeaterInput().SetVal(0.001);
  m.Heating().SetInletChoice(TInletChoice::UserDefined);
  m.EfficiencyCallBack();
  m.SelectDevices();
  EXPECT_EQ(m.Heating().InletChoice(), TInletChoice::UserDefined);
  EXPECT_EQ(m.HeatingResults().nCode, 22);
}

TEST_F(SelectionProjectTest, ATypedValueIsComputedAsTyped)
{
  CTSelectionModel m(&db.factory);
  m.SetTotalSupply(100);
  TU_Form::InitializeUnits();
  TU_Form::AddImperialUnits();
  const int index = TU_Form::DimensionCount(U_Airflow) - 1; // CFM, added last
  ASSERT_EQ(TU_Form::GetSpecificString(U_Airflow, index), "CFM");
  const double cfm = TU_Form::ConvertValue(1, U_Airflow, index, 0, true); // l/s
  const double typed = TU_Form::ConvertValue(200, U_Airflow, index, 0, true);
  m.TotalSupply().SetTypedVal(200, index);
  EXPECT_EQ(m.TotalSupply().GetVal(), typed) << "94.4 l/s, not rounded again to 94 l/s";
  m.TotalSupply().SetTypedVal(200.04, index);
  EXPECT_EQ(m.TotalSupply().GetVal(), typed) << "whole CFM";
  m.TotalSupply().SetTypedVal(1e6, index);
  EXPECT_LE(m.TotalSupply().GetVal(), m.TotalSupply().GetMaxVal()) << "clamped to a step inside the range";
  EXPECT_GT(m.TotalSupply().GetVal(), m.TotalSupply().GetMaxVal() - cfm);
  TU_Form::InitializeUnits();
}

TEST_F(SelectionProjectTest, AnEspIsRoundedOnceInEachPressureUnitAndComesBackInItsOwn)
{
  TU_Form::InitializeUnits();
  TU_Form::AddImperialUnits();
  constexpr int kPa = 0, kMbar = 1, kMmH2O = 2, kInH2O = 3;
  ASSERT_EQ(TU_Form::GetSpecificString(U_Pressure, kInH2O), "inH2O");
  const auto pa = [](double shown, int unit) { return TU_Form::ConvertValue(shown, U_Pressure, unit, 0, true); };
  const struct
  {
    const char* szCase;
    std::optional<std::pair<double, int>> typed; // else the initial 150 Pa
    std::vector<std::pair<int, double>> steps;   // unit, then the value in effect (Pa)
  } cases[] = {
    {"whole inH2O would give 249 Pa", {}, {{kInH2O, pa(0.60, kInH2O)}, {kPa, 150}}},
    {"whole mbar would give 200 Pa", {}, {{kMbar, 150}, {kPa, 150}}},
    {"each unit from the value set", {}, {{kInH2O, pa(0.60, kInH2O)}, {kMmH2O, pa(15.3, kMmH2O)}, {kPa, 150}}},
    {"typed in inH2O", std::pair{0.75, kInH2O}, {{kPa, 186.8}, {kInH2O, pa(0.75, kInH2O)}}},
  };
  for (const auto& c : cases) {
    TU_Form::SetNewIndex(U_Pressure, kPa, false);
    CTSelectionModel m(&db.factory);
    ASSERT_EQ(m.DesignSupplyESP().GetVal(), 150) << c.szCase;
    if (c.typed) {
      TU_Form::SetNewIndex(U_Pressure, c.typed->second, false);
      m.PressureUnitChanged();
      m.DesignSupplyESP().SetTypedVal(c.typed->first, c.typed->second);
    }
    for (const auto& [unit, expected] : c.steps) {
      TU_Form::SetNewIndex(U_Pressure, unit, false);
      m.PressureUnitChanged();
      EXPECT_DOUBLE_EQ(m.DesignSupplyESP().GetVal(), expected) << c.szCase << ", unit " << unit;
      EXPECT_EQ(m.DesignExhaustESP().GetVal(), c.typed ? m.DesignExhaustESP().GetVal() : expected) << c.szCase;
    }
  }
  TU_Form::InitializeUnits();
}

TEST_F(SelectionProjectTest, TheMaximumSpeedIsKeptByNameAcrossFamilies)
{
  CTSelectionModel m(&db.factory);
  m.SetMaxSpeedName("Medium");
  EXPECT_EQ(m.MaxSpeedName(), "Medium");
  m.SetFamily(Cls_Brisa::kFamilyPelmarMF);
  m.SetFamily(Cls_Brisa::kFamilyBrisa);
  EXPECT_EQ(m.MaxSpeedName(), "Medium");
  EXPECT_FALSE(m.Message());

  CTSelectionModel top(&db.factory);
  top.SetMaxSpeedName("Turbo"); // no family has it: the highest speed type
  EXPECT_EQ(top.MaxSpeedName(), "High");
}

TEST_F(SelectionProjectTest, PelmarMFShowsTheSupplyTemperatureReached)
{
  CTSelectionModel m(&db.factory);
  m.SetFamily(Cls_Brisa::kFamilyPelmarMF);
  for (const CTModeResults* r : {&m.CoolingResults(), &m.HeatingResults()}) {
    ASSERT_TRUE(r->bComputed);
    EXPECT_EQ(r->SupplyTemp, r->States.SA.DBT);
  }
  // The discharge held by the supply temperature does not tick the hidden box.
  const std::optional<CTBrisaProjectData> data = ProjectOfSelection(m);
  ASSERT_TRUE(data);
  EXPECT_EQ(data->v_intfV0.v_heatingData.v_userSupplyTemp, m.Heating().Discharge().GetVal());
  CTSelectionModel reopened(&db.factory);
  ApplyProject(reopened, *data);
  EXPECT_FALSE(reopened.Heating().SupplyTempTicked());
  reopened.SetFamily(Cls_Brisa::kFamilyBrisa);
  EXPECT_EQ(reopened.Heating().GetSelection(reopened.Air()).UserSupplyTemp, kNoValue);
}

} // namespace
} // namespace aw
