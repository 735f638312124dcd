#include "MemDbFixture.h"

#include <gtest/gtest.h>

namespace aw {
namespace {

using namespace aw::test;

TEST_F(MemDbTest, IdsContinueFromTheMaximumAndExplicitIdsRaiseIt)
{
  ASSERT_TRUE(Load("EDI100\r\n5 10 Tbl_Family 3\r\n5 6 FAM_ID 2\r\n0\r\n0\r\n2 3 2 0 2 1 2 7\r\n2 3 \r\n0\r\n"));
  EXPECT_EQ(Insert(kFamily)->GetID(), 8);
  CTDbObject explicitId(kFamily);
  ASSERT_TRUE(explicitId.InsertWithID(20));
  EXPECT_EQ(Insert(kFamily)->GetID(), 21);
  CTDbObject clash(kFamily);
  EXPECT_FALSE(clash.InsertWithID(8));
  EXPECT_EQ(notifications.size(), 3u);
  EXPECT_EQ(notifications.back(), std::make_tuple(int(kFamily), 21, 11));
}

TEST_F(MemDbTest, RemovingCascadesToDependentsWithANotificationEach)
{
  auto brisa = Insert(kBrisa);
  auto option1 = Insert(kOption, [&](CTDbObject& o) { o.SetRelationByIx(OPT_Device, brisa.get()); });
  auto option2 = Insert(kOption, [&](CTDbObject& o) { o.SetRelationByIx(OPT_Device, brisa.get()); });
  notifications.clear();
  ASSERT_TRUE(brisa->Remove());
  EXPECT_FALSE(engine->ObjectExists(kOption, option1->GetID()));
  EXPECT_FALSE(engine->ObjectExists(kOption, option2->GetID()));
  const std::vector<std::tuple<int, int, int>> expected{
    {kBrisa, brisa->GetID(), 23}, {kOption, option1->GetID(), 23}, {kOption, option2->GetID(), 23}};
  EXPECT_EQ(notifications, expected);
}

TEST_F(MemDbTest, AnObjectThatIsStillRequiredIsNotRemoved)
{
  auto brisa = Insert(kBrisa);
  auto plenum = Insert(kPlenum, [&](CTDbObject& p) { p.SetRelationByIx(PLN_Brisa, brisa.get()); });
  EXPECT_FALSE(brisa->Remove());
  EXPECT_EQ(brisa->GetStatus(), dbsStored);
  EXPECT_TRUE(engine->ObjectExists(kBrisa, brisa->GetID()));
  ASSERT_TRUE(plenum->Remove());
  EXPECT_TRUE(brisa->Remove()) << "once nothing requires it";
}

TEST_F(MemDbTest, IntegrityRulesOfInsertAndUpdate)
{
  CTDbObject dangling(kPlenum);
  dangling.SetIntegerValue(PLN_Brisa, kBrisa);
  dangling.SetIntegerValue(PLN_Brisa + 1, 99);
  EXPECT_FALSE(dangling.Insert()) << "a required object is missing";
  EXPECT_EQ(engine->CountObjects(kPlenum), 0);

  auto brisa = Insert(kBrisa);
  Insert(kPlenum, [&](CTDbObject& p) { p.SetRelationByIx(PLN_Brisa, brisa.get()); });
  CTDbObject second(kPlenum);
  second.SetRelationByIx(PLN_Brisa, brisa.get());
  EXPECT_FALSE(second.Insert()) << "one-to-one";

  CTMemDbEngine::SetAutoCorrect(true);
  EXPECT_FALSE(dangling.Insert()) << "auto-correction refuses silently, and the object stays new";
  EXPECT_EQ(dangling.GetStatus(), dbsNew);
}

TEST_F(MemDbTest, ReadingDropsDanglingObjectsOnlyWithAutoCorrectionAndRepeats)
{
  // Option 1 refers to Brisa 5, which refers to nothing missing; Plenum 1 requires Brisa 6, which is absent.
  const std::string text =
    "EDI100\r\n"
    "5 9 Tbl_Brisa 2\r\n5 6 BRI_ID 2\r\n0\r\n"
    "5 10 Tbl_Plenum 5\r\n5 6 PLN_ID 2\r\n5 17 PLN_Brisa_CLS_REF 2\r\n5 17 PLN_Brisa_OBJ_REF 2\r\n0\r\n"
    "0\r\n"
    "2 2 2 1\r\n2 5 \r\n"
    "2 5 2 2\r\n2 1 2 2 2 6 \r\n2 2 2 2 2 5 \r\n"
    "0\r\n";
  EXPECT_FALSE(Load(text));
  EXPECT_NE(engine->LastError().find("Tbl_Plenum id 1: field PLN_Brisa_CLS_REF refers to Tbl_Brisa id 6, which is "
                                     "not there (line 14, byte 169)"),
            std::string::npos)
    << engine->LastError();

  NewEngine();
  CTMemDbEngine::SetAutoCorrect(true);
  ASSERT_TRUE(Load(text)) << engine->LastError();
  EXPECT_FALSE(engine->ObjectExists(kPlenum, 1));
  EXPECT_TRUE(engine->ObjectExists(kPlenum, 2));
  auto brisa = Stored(kBrisa, 5);
  EXPECT_NE(std::unique_ptr<CTDbObject>(brisa->GetSingleRelatedByIx(kPlenum, PLN_Brisa)), nullptr);

  const std::string twice = text.substr(0, text.find("2 5 2 2")) + "2 5 2 2\r\n2 1 2 2 2 5 \r\n2 2 2 2 2 5 \r\n0\r\n";
  NewEngine();
  EXPECT_FALSE(Load(twice)) << "two plenums on one unit break the one-to-one link";
}

TEST_F(MemDbTest, AutoCorrectionRepeatsUntilNoReferenceDangles)
{
  // Brisa 5 requires Family 7, which requires Option 9, which requires the missing Brisa 6:
  // each drop breaks an object of a lower class id, checked earlier in the pass.
  const std::string text =
    "EDI100\r\n"
    "5 9 Tbl_Brisa 2\r\n5 6 BRI_ID 2\r\n5 18 BRI_Family_CLS_REF 2\r\n5 18 BRI_Family_OBJ_REF 2\r\n0\r\n"
    "5 10 Tbl_Family 3\r\n5 6 FAM_ID 2\r\n5 18 FAM_Option_CLS_REF 2\r\n5 18 FAM_Option_OBJ_REF 2\r\n0\r\n"
    "5 10 Tbl_Option 4\r\n5 6 OPT_ID 2\r\n5 18 OPT_Device_CLS_REF 2\r\n5 18 OPT_Device_OBJ_REF 2\r\n0\r\n"
    "0\r\n"
    "2 2 2 1\r\n2 5 2 3 2 7 \r\n"
    "2 3 2 1\r\n2 7 2 4 2 9 \r\n"
    "2 4 2 1\r\n2 9 2 2 2 6 \r\n"
    "0\r\n";
  CTMemDbEngine::SetAutoCorrect(true);
  ASSERT_TRUE(Load(text)) << engine->LastError();
  EXPECT_EQ(engine->CountObjects(kOption), 0);
  EXPECT_EQ(engine->CountObjects(kFamily), 0);
  EXPECT_EQ(engine->CountObjects(kBrisa), 0);
}

TEST_F(MemDbTest, PurgeResetsTheMaximumIdAndUniquenessIgnoresSelfAndDescendants)
{
  for (int i = 0; i < 3; ++i)
    Insert(kFamily, [i](CTDbObject& f) { f.SetUnicodeStringValue(FAM_Name, "F" + std::to_string(i)); });
  auto same = Stored(kFamily, 1);
  EXPECT_TRUE(same->IsUnique(FAM_Name, "F0")) << "the object itself does not count";
  EXPECT_FALSE(same->IsUnique(FAM_Name, "F1"));
  EXPECT_FALSE(engine->DoIsUnique(same.get(), FAM_Name, "f2", true));

  CTDbObject::PurgeTable(kFamily);
  EXPECT_EQ(engine->CountObjects(kFamily), 0);
  EXPECT_EQ(Insert(kFamily)->GetID(), 1);
}

TEST_F(MemDbTest, QueriesByExampleAndRelations)
{
  auto family = Insert(kFamily);
  auto heavy = Insert(kBrisa, [&](CTDbObject& b) {
    b.SetDoubleValue(DEV_Weight, 80);
    b.SetRelationByIx(BRI_Family, family.get());
  });
  auto light = Insert(kBrisa);

  CTDbObject all(kDevice); // every field at its default: matches everything, descendants too
  EXPECT_EQ(all.SelectByExample().Count(), 2);
  CTDbObject example(kBrisa);
  example.SetDoubleValue(DEV_Weight, 80);
  CTDbObjectList found = example.SelectByExample();
  ASSERT_EQ(found.Count(), 1);
  EXPECT_EQ(found[0]->GetID(), heavy->GetID());
  EXPECT_EQ(example.CountByExample(), 1);

  EXPECT_EQ(std::unique_ptr<CTDbObject>(light->GetRelationByIx(BRI_Family)), nullptr) << "an empty reference";
  std::unique_ptr<CTDbObject> back(heavy->GetRelationByIx(BRI_Family));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->GetID(), family->GetID());

  example.RemoveByExample();
  EXPECT_FALSE(engine->ObjectExists(kBrisa, heavy->GetID()));
  EXPECT_TRUE(engine->ObjectExists(kBrisa, light->GetID()));
}

TEST_F(MemDbTest, AReadOnlyEngineRefusesEveryChange)
{
  ASSERT_TRUE(Load(kWorkedExample));
  factory.GetDbEngine(0)->SetReadOnly(true);
  auto version = Stored(kVersion, 1);
  version->SetUnicodeStringValue(DVI_DbVersion, "99");
  EXPECT_FALSE(version->Update());
  EXPECT_FALSE(version->Remove());
  EXPECT_FALSE(CTDbObject(kVersion).Insert());
  EXPECT_EQ(Stored(kVersion, 1)->GetUntranslatedStringValue(DVI_DbVersion), "14.3");
}

} // namespace
} // namespace aw
