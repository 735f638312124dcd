#include "TestSchema.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace aw {
namespace {

using namespace aw::test;

class DbObjectTest : public ::testing::Test
{
protected:
  ConnectedFactory<TestFactory> db;

  // A stored family named szName.
  std::unique_ptr<CTDbObject> StoredFamily(const std::string& szName)
  {
    auto family = std::make_unique<CTDbObject>(kFamily);
    family->SetUnicodeStringValue(FAM_Name, szName);
    EXPECT_TRUE(family->Insert());
    return family;
  }
};

TEST_F(DbObjectTest, NewObjectsHaveDefaultsAndObjectsByIdAreStoredEvenWhenMissing)
{
  CTDbObject fresh(kBrisa);
  EXPECT_EQ(fresh.GetStatus(), dbsNew);
  EXPECT_DOUBLE_EQ(fresh.GetDoubleValue(DEV_Weight), 12.5);

  CTDbObject missing(kBrisa, 77);
  EXPECT_EQ(missing.GetStatus(), dbsStored);
  EXPECT_EQ(missing.GetID(), 77);
  EXPECT_DOUBLE_EQ(missing.GetDoubleValue(DEV_Weight), 0) << "no defaults for objects read by id";
  EXPECT_EQ(db.factory.SafeCreateObject(kBrisa, 77), nullptr);
  EXPECT_EQ(db.factory.SafeCreateObject(kDevice, 1), nullptr) << "abstract tables have no objects";
}

TEST_F(DbObjectTest, StatusFollowsInsertRemoveAndTheirPreconditions)
{
  CTDbObject brisa(kBrisa);
  EXPECT_THROW(brisa.Remove(), CTDbException) << "a new object is not stored";
  EXPECT_THROW(brisa.Update(), CTDbException);
  brisa.SetDoubleValue(DEV_Weight, 48);
  ASSERT_TRUE(brisa.Insert());
  EXPECT_EQ(brisa.GetStatus(), dbsStored);
  EXPECT_EQ(brisa.GetID(), 1);
  EXPECT_THROW(brisa.Insert(), CTDbException);

  std::unique_ptr<CTDbObject> copy(db.factory.SafeCreateObject(kBrisa, 1));
  ASSERT_NE(copy, nullptr);
  EXPECT_DOUBLE_EQ(copy->GetDoubleValue(DEV_Weight), 48);

  ASSERT_TRUE(brisa.Remove());
  EXPECT_EQ(brisa.GetStatus(), dbsRemoved);
  EXPECT_TRUE(brisa.Remove()) << "removing twice does nothing";
  EXPECT_FALSE(db.engine->ObjectExists(kBrisa, 1));
}

TEST_F(DbObjectTest, AFailingEngineLeavesTheStatusAsItWas)
{
  CTDbObject stored(kBrisa);
  ASSERT_TRUE(stored.Insert());
  db.engine->v_failing = true;

  CTDbObject fresh(kBrisa);
  EXPECT_FALSE(fresh.Insert());
  EXPECT_EQ(fresh.GetStatus(), dbsNew);
  EXPECT_FALSE(stored.Update());
  EXPECT_FALSE(stored.Remove());
  EXPECT_EQ(stored.GetStatus(), dbsStored);
  EXPECT_TRUE(db.engine->ObjectExists(kBrisa, stored.GetID()));
}

TEST_F(DbObjectTest, AFailingEngineNeverPassesAPartialListForAComplete)
{
  auto family = StoredFamily("Brisa");
  CTDbObject unit(kBrisa);
  unit.SetRelationByIx(BRI_Family, family.get());
  ASSERT_TRUE(unit.Insert());
  db.engine->v_failingQueries = true;
  EXPECT_THROW(CTDbObject::GetAllRecords(kBrisa, false), CTDbException);
  EXPECT_THROW(family->GetRelatedByIx(kBrisa, BRI_Family), CTDbException);
  CTDbObject example(kBrisa);
  EXPECT_THROW(example.SelectByExample(), CTDbException);
  EXPECT_THROW(example.CountByExample(), CTDbException);
}

TEST_F(DbObjectTest, InsertWithIdNeedsTheCapabilityAndAFreeId)
{
  CTDbObject brisa(kBrisa);
  ASSERT_TRUE(brisa.InsertWithID(40));
  EXPECT_EQ(brisa.GetID(), 40);
  CTDbObject clash(kBrisa);
  EXPECT_FALSE(clash.InsertWithID(40));
  EXPECT_EQ(clash.GetStatus(), dbsNew);
}

TEST_F(DbObjectTest, OrderedRelationsNumberTheReferrersAndComeBackInOrder)
{
  auto family = StoredFamily("Brisa");
  std::vector<std::unique_ptr<CTDbObject>> units;
  for (int i = 0; i < 3; ++i) {
    units.push_back(std::make_unique<CTDbObject>(kBrisa));
    units.back()->SetRelationByIx(BRI_Family, family.get());
    EXPECT_EQ(units.back()->GetIntegerValue(BRI_Family + 2), i) << "order of referrer " << i;
    ASSERT_TRUE(units.back()->Insert());
  }
  // Reorder in storage so that id order and link order differ.
  units[0]->SetIntegerValue(BRI_Family + 2, 5);
  ASSERT_TRUE(units[0]->Update());

  CTDbObjectList related = family->GetRelatedByIx(kBrisa, BRI_Family);
  ASSERT_EQ(related.Count(), 3);
  EXPECT_EQ(related[0]->GetID(), units[1]->GetID());
  EXPECT_EQ(related[2]->GetID(), units[0]->GetID());

  std::unique_ptr<CTDbObject> back(units[1]->GetRelationByIx(BRI_Family));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->GetUntranslatedStringValue(FAM_Name), "Brisa");

  units[1]->SetRelationByIx(BRI_Family, nullptr);
  std::int32_t cls = -1, obj = -1;
  units[1]->GetRefValues(BRI_Family, cls, obj);
  EXPECT_EQ(cls, 0);
  EXPECT_EQ(obj, 0);
  EXPECT_EQ(family->GetRelatedByIx(kBrisa, BRI_Family).Count(), 2) << "the engine was told";
  EXPECT_TRUE(family->HasRelations());
  EXPECT_FALSE(family->HasRelations({kDevice})) << "referrers of excluded classes do not count";

  CTDbObject unstored(kFamily);
  EXPECT_THROW(units[2]->SetRelationByIx(BRI_Family, &unstored), CTDbException);
}

TEST_F(DbObjectTest, ClassQueriesVisitConcreteTablesInClassIdOrder)
{
  auto family = StoredFamily("F");
  CTDbObject option(kOption);
  ASSERT_TRUE(option.Insert());
  CTDbObject brisa(kBrisa);
  ASSERT_TRUE(brisa.Insert());

  EXPECT_EQ(CTDbObject::GetAllRecords(kDevice, false).Count(), 0) << "an abstract own table has no records";
  CTDbObjectList devices = CTDbObject::GetAllRecords(kDevice, true);
  ASSERT_EQ(devices.Count(), 1);
  EXPECT_EQ(devices[0]->TableIndex(), kBrisa);
  EXPECT_EQ(CTDbObject::CountAllRecords(kFamily, false), 1);

  std::unique_ptr<CTDbObject> only(CTDbObject::GetUniqueRecord(kFamily, true));
  ASSERT_NE(only, nullptr);
  StoredFamily("G");
  EXPECT_EQ(CTDbObject::GetUniqueRecord(kFamily, false), nullptr);
  EXPECT_THROW(CTDbObject::GetUniqueRecord(kFamily, true), CTDbException);
}

TEST_F(DbObjectTest, InventUniqueNameAddsUnderscoresUntilTheNameIsFree)
{
  auto taken = StoredFamily("FAM2");
  CTDbObject family(kFamily);
  family.SetID(2);
  EXPECT_EQ(family.InventUniqueName(), "FAM_2");
  family.SetID(3);
  EXPECT_EQ(family.InventUniqueName(), "FAM3");
  CTDbObject option(kOption);
  EXPECT_EQ(option.InventUniqueName(), "") << "no name field";
}

TEST_F(DbObjectTest, RequiredNamesAreReportedWithTheFormCaption)
{
  struct Form : CTFormResource
  {
    std::optional<std::string> ComponentProperty(const std::string& c, const std::string& p) const override
    {
      if (c == "Txt_Name" && p == "Hint")
        return "Family name";
      return c == "Txt_Name" ? std::optional<std::string>("") : std::nullopt;
    }
  } form;
  std::vector<std::pair<int, std::string>> shown;
  CTDbObject::SetMessageSink([&](const CTFormResource*, int n, const std::string& s) { shown.emplace_back(n, s); });

  CTDbObject unnamed(kFamily);
  EXPECT_FALSE(unnamed.ChkName(&form));
  EXPECT_TRUE(CTDbObject(kOption).ChkName(&form));
  CTDbObject::ErrorLB(&form, "Airflow", "100", false);
  CTDbObject::SetMessageSink({});

  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], (std::pair<int, std::string>{5012, "Family name"}));
  EXPECT_EQ(shown[1], (std::pair<int, std::string>{5011, "Airflow <= 100"}));
  EXPECT_EQ(CTDbObject::CaptionForValue(nullptr, "Name"), "Name");
}

TEST_F(DbObjectTest, CachedObjectsAreSharedUntilTheEngineCloses)
{
  auto family = StoredFamily("F");
  CTDbObject* cached = db.factory.GetCachedObject(kFamily, family->GetID());
  ASSERT_NE(cached, nullptr);
  EXPECT_EQ(db.factory.GetCachedObject(kFamily, family->GetID()), cached);
  EXPECT_EQ(db.factory.GetCachedObject(kFamily, 99), nullptr);
  int cleanups = 0;
  db.factory.GetTableInfo(kFamily)->SetCustomCacheCleanupProc([&] { ++cleanups; });
  db.engine->DoClose();
  EXPECT_EQ(cleanups, 1);
  EXPECT_TRUE(db.factory.GetCachedObjects(kFamily)->IsEmpty());
  db.factory.GetTableInfo(kFamily)->SetCustomCacheCleanupProc({});
}

TEST(DbObjectGuid, ClearMeansTheFirstEightBytesAreZero)
{
  TGUID halfClear{};
  halfClear.D4 = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_TRUE(CTDbObject::IsClearTGUID(halfClear));
  EXPECT_FALSE(CTDbObject::CompareTGUID(halfClear, halfClear));
  TGUID set = halfClear;
  set.D3 = 1;
  EXPECT_FALSE(CTDbObject::IsClearTGUID(set));
  EXPECT_TRUE(CTDbObject::CompareTGUID(set, set));
}

TEST(SortOnFields, OrdersByEachFieldInTurn)
{
  ConnectedFactory<TestFactory> db;
  const struct
  {
    const char* name;
    double weight;
  } rows[] = {{"b", 2}, {"a", 2}, {"c", 1}, {"a", 1}, {"B", 3}};
  CTDbObjectList list;
  for (const auto& r : rows) {
    auto* obj = new CTDbObject(kBrisa);
    obj->SetUnicodeStringValue(DEV_Name, r.name);
    obj->SetDoubleValue(DEV_Weight, r.weight);
    list.Add(obj);
  }
  CTDbObject::SortOnFields(list, {"dev_weight", "DEV_Name"});
  std::string order;
  for (const CTDbObject* obj : list)
    order += obj->GetUntranslatedStringValue(DEV_Name);
  EXPECT_EQ(order, "acabB") << "case-sensitive ordinal order of names";
  EXPECT_THROW(CTDbObject::SortOnFields(list, {"NoSuchField"}), std::out_of_range);
}

TEST(GlobalLock, ReadersReenterAndAWriterWaitsForOtherThreadsReaders)
{
  CTGlobalLock& lock = CTGlobalLock::Instance();
  lock.BeginRead();
  lock.BeginRead(); // again on the same thread
  lock.BeginWrite(); // promoted: no other reader
  lock.BeginRead(); // a writer may read
  lock.EndRead();
  lock.EndWrite();

  std::atomic<bool> written{false};
  std::thread writer([&] {
    lock.BeginWrite();
    written = true;
    lock.EndWrite();
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(written) << "the other thread must wait for this thread's read side";
  lock.EndRead();
  EXPECT_FALSE(written);
  lock.EndRead();
  writer.join();
  EXPECT_TRUE(written);
}

TEST(GlobalLock, LongActionsHoldTheReadSideAndShowTheWaitCursor)
{
  std::vector<bool> cursor;
  CTGlobalLock::SetWaitCursorHook([&](bool b) { cursor.push_back(b); });
  CTGlobalLock& lock = CTGlobalLock::Instance();
  lock.StartLongAction();
  EXPECT_TRUE(lock.InLongAction());
  {
    CTWriteGuard write; // a change during the long action, on the same thread
  }
  lock.EndLongAction();
  EXPECT_FALSE(lock.InLongAction());
  CTGlobalLock::SetWaitCursorHook({});
  EXPECT_EQ(cursor, (std::vector<bool>{true, false}));
}

} // namespace
} // namespace aw
