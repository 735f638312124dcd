#include "TestSchema.h"

#include <gtest/gtest.h>

namespace aw {
namespace {

using namespace aw::test;

TEST(Schema, DescendantsShareTheFieldsOfTheirAncestorsButOwnTheirIdField)
{
  TestFactory factory;
  const CTTableInfo* device = factory.GetTableInfo(kDevice);
  const CTTableInfo* brisa = factory.GetTableInfo(kBrisa);
  ASSERT_EQ(brisa->GetParent(), device);
  EXPECT_EQ(brisa->FieldCount(), 6);
  EXPECT_EQ(brisa->Field(DEV_Name), device->Field(DEV_Name));
  EXPECT_EQ(brisa->GetIDFieldName(), "BRI_ID");
  EXPECT_EQ(brisa->NameFieldIndex(), DEV_Name) << "the name field is inherited";
  EXPECT_TRUE(brisa->IsOfClass(kDevice));
  EXPECT_FALSE(device->IsOfClass(kBrisa));
  EXPECT_EQ(device->GetDbID(), -1) << "abstract tables belong to no database";
}

TEST(Schema, NamesMatchWithoutRegardToCase)
{
  TestFactory factory;
  const CTTableInfo* brisa = factory.GetTableInfo(kBrisa);
  EXPECT_EQ(brisa->IndexOfField("bri_id"), 0);
  EXPECT_EQ(brisa->IndexOfField("DEV_WEIGHT"), DEV_Weight);
  EXPECT_EQ(brisa->IndexOfField("BRI_ID", 1), -1) << "the search starts at the given index";
  EXPECT_EQ(brisa->IndexOfField("DEV_Name", 99), -1);
  EXPECT_EQ(factory.GetTableNamed("TBL_brisa"), brisa);
  EXPECT_EQ(factory.GetTableNamed("Brisa"), nullptr) << "table names carry the Tbl_ prefix";
  EXPECT_EQ(factory.GetTableInfo(-1), nullptr);
  EXPECT_EQ(factory.GetTableInfo(99), nullptr);
}

TEST(Schema, LinksAreResolvedAndInheritedByDescendantsOfTheReferencedTable)
{
  TestFactory factory;
  const CTTableInfo* family = factory.GetTableInfo(kFamily);
  const CTTableInfo* brisa = factory.GetTableInfo(kBrisa);
  const CTTableInfo* option = factory.GetTableInfo(kOption);

  ASSERT_EQ(family->GetReferences().size(), 1u);
  const CTTableLink* familyLink = family->GetReferences()[0];
  EXPECT_EQ(familyLink->GetToTable(), brisa);
  EXPECT_EQ(familyLink->GetFromField(), family->Field(0));
  EXPECT_EQ(familyLink->GetToField(), brisa->Field(BRI_Family));
  EXPECT_EQ(brisa->Field(BRI_Family)->GetReferenceTo(), familyLink);
  EXPECT_EQ(brisa->Field(BRI_Family + 1)->GetReferenceTo(), nullptr) << "only the class-id field carries the link";

  // The options link is declared on the abstract Device: Brisa has it after its own plenum link.
  ASSERT_EQ(brisa->GetReferences().size(), 2u);
  EXPECT_EQ(brisa->GetReferences()[0]->GetToTable(), factory.GetTableInfo(kPlenum));
  EXPECT_EQ(brisa->GetReferences()[1]->GetToTable(), option);
  EXPECT_EQ(option->Field(OPT_Device)->GetReferenceTo(), brisa->GetReferences()[1]);
}

TEST(Schema, ReferenceToIsSetOnce)
{
  std::unique_ptr<CTFieldInfo> field(CTFieldInfo::CreateInteger("X_CLS_REF", 0));
  CTTableLink first(nullptr, 1, "", "", "", 0, 0, false, false, false, false);
  CTTableLink second(nullptr, 2, "", "", "", 0, 0, false, false, false, false);
  field->SetReferenceTo(&first);
  field->SetReferenceTo(&second);
  EXPECT_EQ(field->GetReferenceTo(), &first);
}

TEST(Schema, SignatureAcceptsOnlyTheFactoryNameWithAVersionInRange)
{
  TestFactory factory;
  EXPECT_EQ(factory.GetSignature(), "EDI100");
  const struct
  {
    const char* sig;
    bool accepted;
  } cases[] = {{"EDI100", true}, {"EDI101", false}, {"EDI099", false}, {"EDI1000", false},
               {"edi100", false}, {"EDIabc", false}, {"EDI10", false}, {"", false}};
  for (const auto& c : cases)
    EXPECT_EQ(factory.CheckSignature(c.sig), c.accepted) << c.sig;
}

TEST(DbException, CodesHaveTheirTexts)
{
  const struct
  {
    int code;
    const char* extra;
    const char* message;
  } cases[] = {
    {excRecNotFound, "", "CTDbException: Record not found"},
    {excRelRequired, "Tbl_Family", "CTDbException: Related record required in table Tbl_Family"},
    {excDbStructure, "ignored", "CTDbException: Error in database structure "},
    {excCapable, "Live data", "CTDbException: Database has the capability 'Live data'"},
    {excNotCapable, "Undo", "CTDbException: Database does not have the capability 'Undo'"},
    {excNoEngines, "", "CTDbException: There are no registed CTDbEngine classes"},
    {excReadOnly, "Tbl_Brisa", "CTDbException: Database table 'Tbl_Brisa' is read-only"},
    {excIDUsed, "12", "CTDbException: ID 12 is already used"},
    {42, "", "CTDbException: Unknown exception code 42"},
  };
  for (const auto& c : cases) {
    try {
      CTDbException::RaiseExc(c.code, c.extra);
      FAIL() << "RaiseExc returned";
    } catch (const CTDbException& e) {
      EXPECT_EQ(e.Code(), c.code);
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

TEST(DbEngine, CapabilitiesAndTheirTexts)
{
  TestFactory factory;
  FakeEngine engine(&factory);
  EXPECT_TRUE(engine.HasCapability(dbcInsertWithID));
  EXPECT_FALSE(engine.HasCapability(dbcUndo));
  EXPECT_FALSE(engine.HasCapability(16));
  EXPECT_FALSE(engine.HasCapability(-1));
  EXPECT_EQ(CTDbEngine::CapabilityString(dbcSelectLikeExample), "Select like example");
  EXPECT_EQ(CTDbEngine::CapabilityString(dbcInsertWithID), "Insert with ID");
  EXPECT_EQ(CTDbEngine::CapabilityString(dbcChooseDb), "*** Unknown CTDbEngine capability ***");
  EXPECT_EQ(CTDbEngine::CapabilityString(dbcPreparedQuery), "*** Unknown CTDbEngine capability ***");
  int msg = -1;
  EXPECT_THROW(engine.CanUndo(msg), CTDbException);
  EXPECT_THROW(engine.DoRemoveByExample(nullptr), CTDbException);
}

} // namespace
} // namespace aw
