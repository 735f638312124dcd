#include "catalogue/ClBrisaData.h"
#include "catalogue/ClDdbVersionInfo.h"
#include "catalogue/ClDocumentation.h"
#include "catalogue/ClMessageTable.h"
#include "catalogue/ClPolynomial.h"
#include "catalogue/ClPowerSupply.h"
#include "catalogue/Factory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace aw {
namespace {

class CatalogueSchemaTest : public ::testing::Test
{
protected:
  CTFactory factory;

  const CTTableInfo& Table(int nClsID)
  {
    const CTTableInfo* table = factory.GetTableInfo(nClsID);
    if (!table)
      throw std::runtime_error("no table " + std::to_string(nClsID));
    return *table;
  }
  std::vector<std::string> FieldNames(int nClsID)
  {
    std::vector<std::string> names;
    for (const CTFieldInfo* field : Table(nClsID).GetFieldInfo())
      names.push_back(field ? field->GetName() : "<none>");
    return names;
  }
  std::vector<int> LinkIDs(int nClsID)
  {
    std::vector<int> ids;
    for (const CTTableLink* link : Table(nClsID).GetReferences())
      ids.push_back(link->GetAssociationID());
    std::sort(ids.begin(), ids.end());
    return ids;
  }
};

TEST_F(CatalogueSchemaTest, DeclaresOneDatabaseWith32TablesOf507SlotsAnd20Links)
{
  EXPECT_EQ(factory.GetSignature(), "EDI100");
  ASSERT_EQ(factory.DatabaseCount(), 1);
  EXPECT_EQ(factory.GetLogicalName(0), "Device_Database");
  EXPECT_EQ(factory.TableCount(), 507);
  int tables = 0, abstract = 0;
  for (int clsID = 0; clsID < factory.TableCount(); ++clsID) {
    const CTTableInfo* table = factory.GetTableInfo(clsID);
    if (!table)
      continue;
    ++tables;
    abstract += table->IsAbstract();
    EXPECT_EQ(table->GetDbID(), table->IsAbstract() ? -1 : 0) << table->TableName();
    EXPECT_EQ(table->TableName(), "Tbl_" + table->ModelClassName());
    for (int ix = 0; ix < table->FieldCount(); ++ix)
      EXPECT_NE(table->Field(ix), nullptr) << table->TableName() << " has a hole at field " << ix;
  }
  EXPECT_EQ(tables, 32);
  EXPECT_EQ(abstract, 9);
  EXPECT_EQ(factory.Links().size(), 20u);
  for (const auto& link : factory.Links())
    EXPECT_FALSE(link->IsOrdered()) << link->GetAssociationID();
}

TEST_F(CatalogueSchemaTest, TablesWithUnusualOrderKeepTheirFieldOrder)
{
  EXPECT_EQ(FieldNames(Cls_Polynomial::kClassID),
            (std::vector<std::string>{"POL_ID", "POL_A4", "POL_Select1", "POL_A3", "POL_A2", "POL_A6", "POL_A7",
                                      "POL_A0", "POL_Type", "POL_Select2", "POL_A5", "POL_A1", "POL_ArgumentLow",
                                      "POL_ArgumentHigh"}));
  EXPECT_EQ(FieldNames(Cls_Tabular::kClassID),
            (std::vector<std::string>{"Fld_ID", "Fld_Type", "Fld_Te", "Fld_Select", "Fld_Generic", "Fld_Col1",
                                      "Fld_Col2", "Fld_Col4", "Fld_Col6", "Fld_Col3", "Fld_Col5", "Fld_Col7"}));
  EXPECT_EQ(FieldNames(Cls_MsgCombination::kClassID),
            (std::vector<std::string>{"Fld_ID", "Fld_SeqNr", "Fld_Device_CLS_REF", "Fld_Device_OBJ_REF",
                                      "Fld_MessageTable_CLS_REF", "Fld_MessageTable_OBJ_REF"}));
  const std::vector<std::string> brisaSpeed = FieldNames(Cls_BrisaSpeed::kClassID);
  EXPECT_EQ(brisaSpeed.front(), "VSP_ID") << "the ID field is the table's own";
  EXPECT_EQ(std::vector<std::string>(brisaSpeed.begin() + 14, brisaSpeed.end()),
            (std::vector<std::string>{"VSP_Current", "VSP_EspLimit", "VSP_SoundLevel", "VSP_BrisaSpType_CLS_REF",
                                      "VSP_BrisaSpType_OBJ_REF", "VSP_Brisa_CLS_REF", "VSP_Brisa_OBJ_REF"}));
  const std::vector<std::string> indoor = FieldNames(Cls_IndoorUnitData::kClassID);
  ASSERT_EQ(indoor.size(), 58u);
  EXPECT_EQ(indoor[0], "IND_ID");
  EXPECT_EQ(indoor[21], "Fld_Series");
  EXPECT_EQ(indoor[38], "IND_Color");
  EXPECT_EQ(indoor[56], "IND_Brisa_CLS_REF");
  EXPECT_EQ(FieldNames(Cls_TesselPSAllowed::kClassID).size(), 12u) << "inherits all, adds nothing";
}

TEST_F(CatalogueSchemaTest, DescendantsShareFieldsAndNameFields)
{
  const CTTableInfo& option = Table(Cls_TesselDeviceOption::kClassID);
  EXPECT_TRUE(option.IsOfClass(Cls_ReleasableElement::kClassID));
  EXPECT_EQ(option.NameFieldIndex(), 8);
  EXPECT_EQ(option.Field(16), Table(Cls_DeviceOption::kClassID).Field(16)) << "shared description";
  EXPECT_EQ(Table(Cls_BrisaData::kClassID).NameFieldIndex(), 6);
  EXPECT_EQ(Table(Cls_IndoorUnitData::kClassID).NameFieldIndex(), 6);
  EXPECT_EQ(Table(Cls_BrisaSpType::kClassID).NameFieldIndex(), 1);
  EXPECT_EQ(Table(Cls_IndFamily::kClassID).NameFieldIndex(), 7);
  EXPECT_EQ(Table(Cls_DdbVersionInfo::kClassID).NameFieldIndex(), -1);
  EXPECT_TRUE(Table(Cls_IndFamily::kClassID).IsNameRequired());
  EXPECT_FALSE(Table(Cls_SeriesMapping::kClassID).IsNameRequired());

  EXPECT_TRUE(Table(Cls_IndFamily::kClassID).Field(7)->GetMultilingual());
  EXPECT_FALSE(Table(Cls_IndFamily::kClassID).Field(6)->GetMultilingual());
  EXPECT_EQ(Table(Cls_DevPSAllowed::kClassID).Field(1)->GetUnicodeStringDftValue(), "Factory Std");
  EXPECT_EQ(Table(Cls_IndoorUnitData::kClassID).Field(38)->GetUnicodeStringDftValue(), " ");
  EXPECT_DOUBLE_EQ(Table(Cls_BrisaData::kClassID).Field(31)->GetDoubleDftValue(), -10);
  EXPECT_EQ(Table(Cls_DdbVersionInfo::kClassID).Field(3)->GetType(), ftDateTime);
  EXPECT_EQ(Table(Cls_DdbVersionInfo::kClassID).Field(7)->GetIntegerDftValue(), 120);
}

TEST_F(CatalogueSchemaTest, LinksBelongToTheDescendantsOfTheReferencedTable)
{
  // Device_Option, Device_Powersupply, Device_Documentation and the self-link of releasable elements.
  EXPECT_EQ(LinkIDs(Cls_Device::kClassID), (std::vector<int>{239, 242, 244, 593}));
  EXPECT_EQ(LinkIDs(Cls_IndoorUnitData::kClassID), (std::vector<int>{239, 242, 244, 444, 593}));
  EXPECT_EQ(LinkIDs(Cls_BrisaData::kClassID), (std::vector<int>{239, 242, 244, 288, 289, 327, 593}));
  EXPECT_EQ(LinkIDs(Cls_TesselDeviceOption::kClassID), (std::vector<int>{240, 557, 593, 608, 609}));
  EXPECT_EQ(LinkIDs(Cls_IndFamily::kClassID), (std::vector<int>{593}));

  // The reference field declared in an abstract table carries its link in every descendant.
  const CTTableLink* deviceLink = Table(Cls_TesselPSAllowed::kClassID).Field(8)->GetReferenceTo();
  ASSERT_NE(deviceLink, nullptr);
  EXPECT_EQ(deviceLink->GetAssociationID(), 242);
  EXPECT_EQ(deviceLink->GetToTable(), &Table(Cls_DevPSAllowed::kClassID));
  EXPECT_TRUE(deviceLink->CascadeDelete());
  const CTTableLink* indoor = Table(Cls_IndoorUnitData::kClassID).Field(56)->GetReferenceTo();
  ASSERT_NE(indoor, nullptr);
  EXPECT_EQ(indoor->GetAssociationName(), "Indoor_Part");
  EXPECT_TRUE(indoor->OneToOne());
  EXPECT_FALSE(indoor->CascadeDelete());
  const CTTableLink* self = Table(Cls_TesselDeviceOption::kClassID).Field(2)->GetReferenceTo();
  ASSERT_NE(self, nullptr);
  EXPECT_EQ(self->GetFromRole(), "followUpElement");
  EXPECT_EQ(self->GetToRole(), "replacedElement");
  EXPECT_EQ(Table(Cls_MsgCombination::kClassID).Field(2)->GetReferenceTo(), nullptr) << "a plain pair of numbers";
}

TEST_F(CatalogueSchemaTest, NamesMatchWithoutRegardToCase)
{
  EXPECT_EQ(factory.GetTableNamed("TBL_DdbVersionInfo"), &Table(Cls_DdbVersionInfo::kClassID));
  EXPECT_EQ(factory.GetTableNamed("tbl_tesseldeviceoption"), &Table(Cls_TesselDeviceOption::kClassID));
  EXPECT_EQ(Table(Cls_DdbVersionInfo::kClassID).IndexOfField("dvi_dbversion"), Cls_DdbVersionInfo::ixDbVersion);
  EXPECT_EQ(Table(Cls_BrisaData::kClassID).IndexOfField("FLD_NAME"), Cls_Device::ixName);
}

TEST_F(CatalogueSchemaTest, CreatesEntityClassesForStoredTablesOnly)
{
  struct Case
  {
    int clsID;
    bool created;
  };
  for (const Case& c : {Case{Cls_Device::kClassID, false}, Case{Cls_Polynomial::kClassID, false}, Case{7, false},
                        Case{-1, false}, Case{507, false}, Case{Cls_BrisaData::kClassID, true}}) {
    std::unique_ptr<CTDbObject> obj(factory.CreateObject(c.clsID, 0));
    EXPECT_EQ(obj != nullptr, c.created) << c.clsID;
  }
  int stored = 0;
  for (int clsID = 0; clsID < factory.TableCount(); ++clsID) {
    const CTTableInfo* table = factory.GetTableInfo(clsID);
    if (!table || table->IsAbstract())
      continue;
    std::unique_ptr<CTDbObject> obj(factory.CreateObject(clsID, 0));
    ASSERT_NE(obj, nullptr) << table->TableName();
    EXPECT_EQ(obj->TableIndex(), clsID);
    ++stored;
  }
  EXPECT_EQ(stored, 23);
  std::unique_ptr<CTDbObject> brisa(factory.CreateObject(Cls_BrisaData::kClassID, 0));
  EXPECT_NE(dynamic_cast<Cls_BrisaData*>(brisa.get()), nullptr);
  std::unique_ptr<CTDbObject> option(factory.CreateObject(Cls_TesselDeviceOption::kClassID, 0));
  EXPECT_NE(dynamic_cast<Cls_TesselDeviceOption*>(option.get()), nullptr);
}

TEST_F(CatalogueSchemaTest, NewObjectsStartWithTheirDefaults)
{
  Cls_IndoorUnitData indoor(0, &factory);
  EXPECT_EQ(indoor.GetDrainPipeSide(), 1);
  EXPECT_TRUE(indoor.GetHasController());
  EXPECT_DOUBLE_EQ(indoor.GetNominalCoolIndTemp(), 27);
  Cls_BrisaData brisa(0, &factory);
  EXPECT_DOUBLE_EQ(brisa.GetOAMinTemp(), -15);
  EXPECT_DOUBLE_EQ(brisa.GetRAMaxTemp(), 40);
  EXPECT_EQ(brisa.GetReleaseStatus(), 0) << "only groupings get a release state when created";
  Cls_IndFamily family(0, &factory);
  EXPECT_EQ(family.GetReleaseStatus(), 65552);
  Cls_DevPSAllowed electrical(0, &factory);
  EXPECT_EQ(electrical.GetFuses(), " ");
  Cls_DevOptCombination combination(0, &factory);
  EXPECT_EQ(combination.GetNrRequired(), 1);
  EXPECT_TRUE(combination.GetOnePerUnit());
  EXPECT_EQ(combination.v_nbSelected, 1);
  Cls_IndTabularCap row(0, &factory);
  EXPECT_DOUBLE_EQ(row.GetTe(), 6);
  Cls_TesselDeviceOption option(0, &factory);
  EXPECT_EQ(option.GetType(), 1);
}

} // namespace
} // namespace aw
