#include "foundation/ValueList.h"

#include <gtest/gtest.h>

#include <memory>

namespace aw {
namespace {

// A model of every field type, with distinctive defaults.
class ValueListTest : public ::testing::Test
{
protected:
  enum : int { ID, FLAG, COUNT, RATIO, PRICE, WHEN, BLOB, KEY, NAME, NUM_FIELDS };

  std::vector<std::unique_ptr<CTFieldInfo>> owned;
  CTFieldList model;

  void SetUp() override { model = MakeModel(owned); }

  static CTFieldList MakeModel(std::vector<std::unique_ptr<CTFieldInfo>>& store)
  {
    store.emplace_back(CTFieldInfo::CreateInteger("ID", 0));
    store.emplace_back(CTFieldInfo::CreateBoolean("Flag", true));
    store.emplace_back(CTFieldInfo::CreateInteger("Count", 7));
    store.emplace_back(CTFieldInfo::CreateDouble("Ratio", 0.5));
    store.emplace_back(CTFieldInfo::CreateCurrency("Price", 12345));
    store.emplace_back(CTFieldInfo::CreateTDateTime("When", 45000.25));
    store.emplace_back(CTFieldInfo::CreateBinary("Blob"));
    store.emplace_back(CTFieldInfo::CreateTGUID("Key"));
    store.emplace_back(CTFieldInfo::CreateUnicodeString("Name", "Brisa 500", true));
    CTFieldList fields;
    for (auto& f : store)
      fields.push_back(f.get());
    return fields;
  }

  static TGUID SomeGuid() { return TGUID{0x12345678, 0x9abc, 0xdef0, {1, 2, 3, 4, 5, 6, 7, 8}}; }
};

TEST_F(ValueListTest, NewListsTakeDeclaredDefaultsOrZeros)
{
  CTValueList defaults(&model);
  EXPECT_EQ(defaults.NumberOfValues(), NUM_FIELDS);
  EXPECT_TRUE(defaults.GetBooleanValue(FLAG));
  EXPECT_EQ(defaults.GetIntegerValue(COUNT), 7);
  EXPECT_DOUBLE_EQ(defaults.GetDoubleValue(RATIO), 0.5);
  EXPECT_EQ(defaults.GetCurrencyValue(PRICE), 12345);
  EXPECT_DOUBLE_EQ(defaults.GetDoubleValue(PRICE), 1.2345);
  EXPECT_DOUBLE_EQ(defaults.GetTDateTimeValue(WHEN), 45000.25);
  EXPECT_TRUE(defaults.GetBinaryValue(BLOB).empty());
  EXPECT_EQ(defaults.GetTGUIDValue(KEY), TGUID{});
  EXPECT_EQ(defaults.GetUnicodeStringValue(NAME), "Brisa 500");

  CTValueList zeros(&model, true);
  EXPECT_FALSE(zeros.GetBooleanValue(FLAG));
  EXPECT_EQ(zeros.GetIntegerValue(COUNT), 0);
  EXPECT_EQ(zeros.GetCurrencyValue(PRICE), 0);
  EXPECT_EQ(zeros.GetUnicodeStringValue(NAME), "");
}

TEST_F(ValueListTest, CurrencyIsScaledByTenThousandAndRoundsHalfToEven)
{
  CTValueList values(&model);
  const struct
  {
    double stored;
    std::int64_t count;
  } cases[] = {{1.2345, 12345}, {-3.0, -30000}, {0.00005, 0}, {0.00025, 2}, {0.00035, 4}, {-0.00025, -2}, {1e12, 10000000000000000}};
  for (const auto& c : cases) {
    values.SetDoubleValue(PRICE, c.stored);
    EXPECT_EQ(values.GetCurrencyValue(PRICE), c.count) << c.stored;
  }
  values.SetCurrencyValue(PRICE, 12345);
  EXPECT_DOUBLE_EQ(values.GetDoubleValue(PRICE), 1.2345);
}

TEST_F(ValueListTest, IndexesOutsideTheListRaise)
{
  CTValueList values(&model);
  EXPECT_THROW(values.GetIntegerValue(NUM_FIELDS), std::out_of_range);
  EXPECT_THROW(values.SetIntegerValue(-1, 0), std::out_of_range);
  std::int32_t cls, obj;
  EXPECT_THROW(values.GetRefValues(NAME, cls, obj), std::out_of_range);
}

TEST_F(ValueListTest, EmptyBinaryLeavesTheOldBytes)
{
  CTValueList values(&model);
  const std::byte bytes[] = {std::byte{1}, std::byte{2}};
  values.SetBinaryValue(BLOB, bytes);
  values.SetBinaryValue(BLOB, {});
  EXPECT_EQ(values.GetBinaryValue(BLOB).size(), 2u);
}

TEST_F(ValueListTest, CopyValuesOnTheSameModel)
{
  CTValueList from(&model, true);
  from.SetBooleanValue(FLAG, true);
  from.SetIntegerValue(COUNT, 42);
  from.SetCurrencyValue(PRICE, 99);
  const std::byte bytes[] = {std::byte{9}};
  from.SetBinaryValue(BLOB, bytes);
  from.SetTGUIDValue(KEY, SomeGuid());
  from.SetUnicodeStringValue(NAME, "Dorsa");

  CTValueList to(&model, true);
  to.CopyValues(from, COUNT, false, false);
  EXPECT_FALSE(to.GetBooleanValue(FLAG)) << "before the start index";
  EXPECT_EQ(to.GetIntegerValue(COUNT), 42);
  EXPECT_EQ(to.GetCurrencyValue(PRICE), 99);
  EXPECT_TRUE(to.GetBinaryValue(BLOB).empty()) << "binaries only when asked";
  EXPECT_EQ(to.GetTGUIDValue(KEY), SomeGuid());
  EXPECT_EQ(to.GetUnicodeStringValue(NAME), "Dorsa");

  to.CopyValues(from, 0, false, true);
  EXPECT_EQ(to.GetBinaryValue(BLOB).size(), 1u);
}

TEST_F(ValueListTest, CopyValuesBetweenModelsNeedsMatchingTypes)
{
  std::vector<std::unique_ptr<CTFieldInfo>> otherOwned;
  CTFieldList shorter = MakeModel(otherOwned);
  shorter.resize(COUNT + 1); // same types, fewer fields
  CTValueList from(&shorter, true);
  from.SetIntegerValue(COUNT, 5);
  CTValueList to(&model, true);
  to.CopyValues(from, 0, true, true);
  EXPECT_EQ(to.GetIntegerValue(COUNT), 5);

  std::unique_ptr<CTFieldInfo> text(CTFieldInfo::CreateUnicodeString("Flag", "", false));
  CTFieldList clash = shorter;
  clash[FLAG] = text.get(); // a string where the model has a Boolean
  CTValueList clashing(&clash, true);
  clashing.SetIntegerValue(COUNT, 9);
  to.CopyValues(clashing, 0, true, true);
  EXPECT_EQ(to.GetIntegerValue(COUNT), 5) << "nothing at all is copied";
}

TEST(PooledValues, ObtainedHoldersCarryTheirResetValueAndComeFromTheFreeList)
{
  ReleaseAllPools();
  CTPooledString* holder = CTPooledString::ObtainValue();
  holder->SetValue("left over");
  holder->Recycle();
  EXPECT_EQ(PooledFreeCount(CTPooledString::kPoolIndex), 1u);
  CTPooledString* again = CTPooledString::ObtainValue();
  EXPECT_EQ(again, holder) << "recycled holders are reused";
  EXPECT_EQ(again->Value(), "");
  EXPECT_EQ(PooledFreeCount(CTPooledString::kPoolIndex), 0u);
  again->Recycle();
  ReleaseAllPools();
  EXPECT_EQ(PooledFreeCount(CTPooledString::kPoolIndex), 0u);
}

TEST(FieldInfo, DefaultAccessorsCheckTheType)
{
  std::unique_ptr<CTFieldInfo> field(CTFieldInfo::CreateInteger("N", 3));
  EXPECT_EQ(field->GetIntegerDftValue(), 3);
  EXPECT_THROW(field->GetDoubleDftValue(), CTFieldTypeError);
  std::unique_ptr<CTFieldInfo> guid(CTFieldInfo::CreateTGUID("G"));
  EXPECT_THROW(guid->GetIntegerDftValue(), CTFieldTypeError);
  EXPECT_FALSE(field->GetMultilingual());
  EXPECT_EQ(field->SQLFieldIndex(), -1);
}

} // namespace
} // namespace aw
