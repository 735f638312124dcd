// The selection procedure end to end on a small catalogue: required
// airflows and the family's ranges, the offered list, the results and
// their messages, and the option lists of the picked unit.

#include "EngineCatalogue.h"

#include "engine/SelectionModel.h"

#include <gtest/gtest.h>

#include <optional>

namespace aw {
namespace {

class SelectionModelTest : public ::testing::Test
{
protected:
  test::EngineCatalogue db{test::BuildCatalogue(test::SmallCatalogueUnits())};
  std::unique_ptr<CTSelectionModel> model;
  void SetUp() override
  {
    ASSERT_TRUE(db.Connected());
    model = std::make_unique<CTSelectionModel>(&db.factory);
  }
  int MessageNr() const { return model->Message() ? model->Message()->nMsgNo : -1; }
};

TEST_F(SelectionModelTest, EachFamilyGetsSortedSolutionsAndCompleteResults)
{
  for (int family : {Cls_Brisa::kFamilyBrisa, Cls_Brisa::kFamilyDorsa, Cls_Brisa::kFamilyPelmarMF}) {
    model->SetFamily(family);
    EXPECT_EQ(MessageNr(), -1) << family;
    ASSERT_FALSE(model->Solutions().IsEmpty()) << family;
    EXPECT_DOUBLE_EQ(model->SupplyAir(), 100 * 3.6) << "5 l/s × 100 m² ÷ 5 m²";
    EXPECT_TRUE(model->CoolingResults().bComputed) << family;
    EXPECT_TRUE(model->HeatingResults().bComputed) << family;
    EXPECT_EQ(model->CurrentBrisa(), model->Solutions()[0]);
    const std::vector<CTSolutionRow> rows = model->SolutionRows();
    for (std::size_t i = 1; i < rows.size(); ++i)
      EXPECT_LE(rows[i - 1].SelKey, rows[i].SelKey);
    if (family == Cls_Brisa::kFamilyPelmarMF) {
      EXPECT_TRUE(rows[0].szSupplySpeed.empty() && rows[0].szExhaustSpeed.empty());
      EXPECT_EQ(model->TotalExhaust().GetVal(), model->TotalSupply().GetVal());
    } else {
      EXPECT_FALSE(rows[0].szSupplySpeed.empty());
      EXPECT_NEAR(model->SupplyEsp().AdditionalResistance,
                  model->SupplyEsp().FanPressure - 150 - model->SupplyEsp().FilterDrop - model->SupplyEsp().PlenumDrop,
                  1e-9);
    }
  }
  EXPECT_EQ(model->Families().size(), 3u);
}

TEST_F(SelectionModelTest, TheFamilyRangeIsRoundedInwardsAndItsExtremesAreOffered)
{
  // Brisa units cover 100 … 800 m³/h, i.e. 27.8 … 222.2 l/s.
  EXPECT_EQ(model->MinAirflow(), 28);
  EXPECT_EQ(model->MaxAirflow(), 222);
  model->TotalSupplyClick(true);
  for (double extreme : {28.0, 222.0}) {
    model->TotalSupply().SetVal(extreme);
    model->DesignSupplyESP().SetVal(40);
    model->DesignExhaustESP().SetVal(40);
    model->CapacityCallBack();
    EXPECT_EQ(model->TotalSupply().GetVal(), extreme);
    EXPECT_FALSE(model->Solutions().IsEmpty()) << extreme << " l/s";
  }
  model->TotalSupply().SetVal(5000);
  EXPECT_EQ(model->TotalSupply().GetVal(), 222) << "the input is clamped to the family's range";
}

TEST_F(SelectionModelTest, ARequirementOutsideTheFamilyRangeIsClampedAndRewritten)
{
  model->AreaPerPerson().SetVal(2); // 5 × 100 ÷ 2 = 250 l/s > 222
  model->CapacityCallBack();
  EXPECT_EQ(model->TotalSupply().GetVal(), 222);
  EXPECT_DOUBLE_EQ(model->AreaPerPerson().GetVal(), 2.3) << "5 × 100 ÷ 222, one decimal";

  model->NumberOfPersonsClick();
  EXPECT_EQ(model->NumberOfPersons().GetVal(), 43) << "surface ÷ area per person";
  model->NumberOfPersons().SetVal(2);
  model->AirflowPerPerson().SetVal(3);
  model->CapacityCallBack(); // 6 l/s < 28
  EXPECT_EQ(model->TotalSupply().GetVal(), 28);
  EXPECT_EQ(model->NumberOfPersons().GetVal(), 9) << "28 ÷ 3, rounded";
}

TEST_F(SelectionModelTest, SearchFailuresAreReportedByTheirMessage)
{
  model->DesignSupplyESP().SetVal(0);
  model->CapacityCallBack();
  EXPECT_TRUE(model->Solutions().IsEmpty());
  EXPECT_EQ(MessageNr(), 70) << "supply ESP too small, without a search";
  EXPECT_EQ(model->CurrentBrisa(), nullptr);
  EXPECT_FALSE(model->CoolingResults().bComputed);

  model->DesignSupplyESP().SetVal(150);
  model->CapacityCallBack();
  model->SetSupplyFilter(3); // no unit has an F8 filter and nothing else failed
  EXPECT_TRUE(model->Solutions().IsEmpty());
  EXPECT_EQ(MessageNr(), kMsgNoSolution);
}

TEST_F(SelectionModelTest, AFilterChoiceHiddenForTheFamilyDoesNotFilter)
{
  model->SetSupplyFilter(2);
  model->SetFamily(Cls_Brisa::kFamilyDorsa); // Dorsa units have no filter options
  EXPECT_FALSE(model->Solutions().IsEmpty());
  EXPECT_EQ(model->SupplyEsp().FilterDrop, 0);
}

TEST_F(SelectionModelTest, InputChecksCorrectTheConditionsBeforeTheirMessage)
{
  model->Cooling().SetAmbient(25, 50, false); // below the room's 27 °C
  model->EfficiencyCallBack();
  EXPECT_EQ(MessageNr(), kMsgCoolingAmbientBelowRoom);
  EXPECT_EQ(model->Cooling().AmbientDBT().GetVal(), 27);
  EXPECT_FALSE(model->CoolingResults().bComputed);
  model->EfficiencyCallBack();
  EXPECT_EQ(MessageNr(), -1) << "a second attempt passes";

  model->Cooling().RoomHumidity().SetVal(30); // wet bulb above the dry bulb
  model->EfficiencyCallBack();
  EXPECT_EQ(MessageNr(), kMsgWetBulbAboveDryBulb);
}

TEST_F(SelectionModelTest, AResultFailureKeepsTheListAndShowsTheCodesMessage)
{
  model->Heating().SetRoom(20, 90, false); // above the unit's 80 %
  model->EfficiencyCallBack();
  EXPECT_FALSE(model->Solutions().IsEmpty());
  EXPECT_TRUE(model->CoolingResults().bComputed);
  EXPECT_EQ(model->HeatingResults().nCode, Cls_Brisa::rcRoomRH);
  ASSERT_TRUE(model->Message());
  EXPECT_EQ(model->Message()->nMsgNo, 62);
  EXPECT_EQ(model->Message()->params, (std::vector<std::string>{"80"}));
  // The failed mode keeps its message; the computed one has none.
  ASSERT_TRUE(model->HeatingResults().Message);
  EXPECT_EQ(model->HeatingResults().Message->nMsgNo, 62);
  EXPECT_FALSE(model->CoolingResults().Message);

  // An input check belongs to the mode whose input it corrected.
  model->Heating().SetRoom(20, 50, false);
  model->Cooling().SetAmbient(25, 50, false);
  model->EfficiencyCallBack();
  ASSERT_TRUE(model->CoolingResults().Message);
  EXPECT_EQ(model->CoolingResults().Message->nMsgNo, kMsgCoolingAmbientBelowRoom);
  EXPECT_FALSE(model->HeatingResults().Message);
}

TEST_F(SelectionModelTest, AnInputHeldToItsRangeOrRewrittenIsANoticeUntilTheUserTypesAgain)
{
  auto notice = [this](const std::string& key) -> std::optional<CTInputNotice> {
    for (const CTInputNotice& n : model->Notices())
      if (n.szInput == key)
        return n;
    return std::nullopt;
  };
  EXPECT_TRUE(model->Notices().empty());
  model->TotalSupplyClick(true);
  model->TotalSupply().SetTypedVal(40000, 0);
  model->Altitude().SetTypedVal(3000, 0);
  model->CapacityCallBack();
  ASSERT_TRUE(notice("totalSupply"));
  EXPECT_EQ(notice("totalSupply")->Typed, 40000);
  EXPECT_EQ(notice("totalSupply")->Used, 222);
  EXPECT_EQ(notice("altitude")->Used, 2000);
  const CTSelectionMessage message = NoticeMessage(*notice("totalSupply"));
  EXPECT_EQ(message.nMsgNo, kMsgInputLimited);
  EXPECT_EQ(message.params, (std::vector<std::string>{"Total supply", "40000 l/s", "222 l/s"}));

  // The family's narrower range holds the value the user asked for too.
  model->TotalSupply().SetTypedVal(200, 0);
  model->CapacityCallBack();
  EXPECT_FALSE(notice("totalSupply")) << "typed within the range";
  model->SetFamily(Cls_Brisa::kFamilyDorsa); // 200 … 650 m³/h: at most 180 l/s
  ASSERT_TRUE(notice("totalSupply"));
  EXPECT_EQ(notice("totalSupply")->Typed, 200);
  EXPECT_EQ(model->TotalSupply().GetVal(), 180);
  EXPECT_DOUBLE_EQ(model->SupplyAir(), 180 * 3.6) << "the notice names the value the search uses";

  // A requirement the family cannot meet rewrites the area per person, and says so.
  model->TotalSupplyClick(false);
  EXPECT_FALSE(notice("totalSupply"));
  model->AreaPerPerson().SetTypedVal(2, 0); // 250 l/s
  model->CapacityCallBack();
  ASSERT_TRUE(notice("areaPerPerson"));
  EXPECT_EQ(notice("areaPerPerson")->Typed, 2);
  EXPECT_EQ(notice("areaPerPerson")->Reason, TLimitReason::Requirement);
  EXPECT_EQ(NoticeMessage(*notice("areaPerPerson")).nMsgNo, kMsgInputChanged);
}

TEST_F(SelectionModelTest, EveryErrorCodeHasItsMessage)
{
  const std::pair<int, int> table[] = {{1, 68},  {2, 67},  {3, 46},  {4, 45},  {5, 70},  {6, 69},  {7, 48},
                                       {8, 47},  {9, 62},  {10, 60}, {11, 61}, {12, 59}, {13, 63}, {14, 120},
                                       {15, 44}, {16, 49}, {17, 50}, {18, 53}, {19, 54}, {20, 51}, {21, 71},
                                       {22, 52}, {23, 72}};
  for (const auto& [code, msgNo] : table)
    EXPECT_EQ(SelectionErrorMessageNr(code), msgNo) << code;
  Cls_Brisa& unit = *model->BaseDevices()[0];
  EXPECT_EQ(SelectionErrorMessage(11, &unit, 0).params,
            (std::vector<std::string>{TU_Form::PutFmtDimensionedValue(0, U_Temperature, 0, true) + " °C",
                                      TU_Form::PutFmtDimensionedValue(40, U_Temperature, 0, true) + " °C"}));
  EXPECT_EQ(SelectionErrorMessage(17, &unit, 25).params.size(), 1u);
  EXPECT_EQ(SelectionErrorMessage(13, &unit, 0).params.size(), 2u);
}

TEST_F(SelectionModelTest, TheHeaterCheckRefusesAUserHeaterBelowTheCalculatedOne)
{
  model->Heating().SetAmbient(-14, 50, false); // needs an inlet heater
  model->Heating().SetInletChoice(TInletChoice::UserDefined);
  model->Heating().InletHeaterInput().SetVal(0.001);
  model->EfficiencyCallBack();
  EXPECT_EQ(model->HeatingResults().nCode, 22);
  EXPECT_EQ(MessageNr(), 52);
  model->Heating().SetInletChoice(TInletChoice::Calculated);
  model->EfficiencyCallBack();
  EXPECT_TRUE(model->HeatingResults().bComputed);
  EXPECT_GT(model->HeatingResults().InletHeater.CalcHeater, 0);
}

TEST_F(SelectionModelTest, OptionListsFollowTheFilterAndPlenumChoices)
{
  model->DesignSupplyESP().SetVal(80);
  model->DesignExhaustESP().SetVal(80);
  model->CapacityCallBack();
  model->SetSupplyFilter(2);
  model->SetExhaustFilter(2);
  model->SetPlenum(Cls_Brisa::kPlenumAll);
  ASSERT_NE(model->CurrentBrisa(), nullptr);
  ASSERT_EQ(model->CurrentBrisa()->GetName(), "BR-500");
  model->FillOptions();
  auto find = [](const std::vector<CTOptionRow>& rows, const std::string& name) -> const CTOptionRow* {
    for (const CTOptionRow& row : rows)
      if (row.szName == name)
        return &row;
    return nullptr;
  };
  const CTOptionRow* filter = find(model->UsedOptions(), "FLT-F7");
  ASSERT_NE(filter, nullptr);
  EXPECT_EQ(filter->nQuantity, 2) << "supply and exhaust";
  EXPECT_EQ(find(model->UsedOptions(), "FLT-F6"), nullptr) << "a filter not chosen is not offered";
  const CTOptionRow* plenum = find(model->UsedOptions(), "PLN-BR-500");
  ASSERT_NE(plenum, nullptr);
  EXPECT_EQ(plenum->nQuantity, 2) << "((2 + 1) div 2) × 2 for all sides";
  EXPECT_EQ(model->CurrentBrisa()->GetUsedOptions().Count(), static_cast<int>(model->UsedOptions().size()));
  EXPECT_FALSE(model->DeselectOption(0));
  EXPECT_EQ(MessageNr(), kMsgCannotDeselectStandard);
}

} // namespace
} // namespace aw
