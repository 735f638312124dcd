#pragma once
// A small schema and an in-memory engine for the object-database tests.
//
//   1 Device (abstract)   DEV_ID, DEV_Name (name), DEV_Weight
//   2 Brisa : Device      BRI_ID, ..., BRI_Family_CLS_REF, BRI_Family_OBJ_REF, BRI_Family_ORDER
//   3 Family              FAM_ID, FAM_Name (name, required)
//   4 Option              OPT_ID, OPT_Device_CLS_REF, OPT_Device_OBJ_REF, OPT_Code
//   5 Plenum              PLN_ID, PLN_Brisa_CLS_REF, PLN_Brisa_OBJ_REF
//   101 DdbVersionInfo    the catalogue's version record (DVI_DbVersion is field 4)
// Family also has a field of every other type: FAM_Flag, FAM_Price, FAM_Date, FAM_Key, FAM_Blob,
// and a reference to an option.
// Links, all required: Family <- Brisa.BRI_Family (ordered); Device <- Option.OPT_Device (declared
// on the abstract Device, cascading); Brisa <- Plenum.PLN_Brisa (one-to-one); Option <- Family.FAM_Option.

#include "db/DbObject.h"
#include "support/FakeDbEngine.h"

#include <memory>

namespace aw::test {

enum : int { kDevice = 1, kBrisa = 2, kFamily = 3, kOption = 4, kPlenum = 5, kVersion = 101 };
enum : int { DEV_Name = 1, DEV_Weight = 2, BRI_Family = 3, OPT_Device = 1, OPT_Code = 3, PLN_Brisa = 1 };
enum : int { FAM_Name = 1, FAM_Flag, FAM_Price, FAM_Date, FAM_Key, FAM_Blob, FAM_Option };
enum : int { DVI_DbVersion = 4, DVI_MaxPercentageOUBasket = 7 };

class TestFactory : public CTBaseFactory
{
public:
  TestFactory() : CTBaseFactory("EDI", 100, 100)
  {
    AddDatabase("Test_Database");
    auto* device = AddTableInfo(std::make_unique<CTTableInfo>(kDevice, 0, "Device", -1, true, false));
    CTDbObject::Initialize(device, "DEV_ID");
    device->AddFieldInfo(DEV_Name, CTFieldInfo::CreateUnicodeString("DEV_Name", "", true), true);
    device->AddFieldInfo(DEV_Weight, CTFieldInfo::CreateDouble("DEV_Weight", 12.5));

    auto* brisa = AddTableInfo(std::make_unique<CTTableInfo>(kBrisa, 0, "Brisa", kDevice, false, false));
    CTDbObject::Initialize(brisa, "BRI_ID");
    brisa->AddFieldInfo(BRI_Family, CTFieldInfo::CreateInteger("BRI_Family_CLS_REF", 0));
    brisa->AddFieldInfo(BRI_Family + 1, CTFieldInfo::CreateInteger("BRI_Family_OBJ_REF", 0));
    brisa->AddFieldInfo(BRI_Family + 2, CTFieldInfo::CreateInteger("BRI_Family_ORDER", 0));

    auto* family = AddTableInfo(std::make_unique<CTTableInfo>(kFamily, 0, "Family", -1, false, true));
    CTDbObject::Initialize(family, "FAM_ID");
    family->AddFieldInfo(FAM_Name, CTFieldInfo::CreateUnicodeString("FAM_Name", "", false), true);
    family->AddFieldInfo(FAM_Flag, CTFieldInfo::CreateBoolean("FAM_Flag", true));
    family->AddFieldInfo(FAM_Price, CTFieldInfo::CreateCurrency("FAM_Price", 0));
    family->AddFieldInfo(FAM_Date, CTFieldInfo::CreateTDateTime("FAM_Date", 0));
    family->AddFieldInfo(FAM_Key, CTFieldInfo::CreateTGUID("FAM_Key"));
    family->AddFieldInfo(FAM_Blob, CTFieldInfo::CreateBinary("FAM_Blob"));
    family->AddFieldInfo(FAM_Option, CTFieldInfo::CreateInteger("FAM_Option_CLS_REF", 0));
    family->AddFieldInfo(FAM_Option + 1, CTFieldInfo::CreateInteger("FAM_Option_OBJ_REF", 0));

    auto* option = AddTableInfo(std::make_unique<CTTableInfo>(kOption, 0, "Option", -1, false, false));
    CTDbObject::Initialize(option, "OPT_ID");
    option->AddFieldInfo(OPT_Device, CTFieldInfo::CreateInteger("OPT_Device_CLS_REF", 0));
    option->AddFieldInfo(OPT_Device + 1, CTFieldInfo::CreateInteger("OPT_Device_OBJ_REF", 0));
    option->AddFieldInfo(OPT_Code, CTFieldInfo::CreateInteger("OPT_Code", 0));

    auto* plenum = AddTableInfo(std::make_unique<CTTableInfo>(kPlenum, 0, "Plenum", -1, false, false));
    CTDbObject::Initialize(plenum, "PLN_ID");
    plenum->AddFieldInfo(PLN_Brisa, CTFieldInfo::CreateInteger("PLN_Brisa_CLS_REF", 0));
    plenum->AddFieldInfo(PLN_Brisa + 1, CTFieldInfo::CreateInteger("PLN_Brisa_OBJ_REF", 0));

    auto* version = AddTableInfo(std::make_unique<CTTableInfo>(kVersion, 0, "DdbVersionInfo", -1, false, false));
    CTDbObject::Initialize(version, "DVI_ID");
    version->AddFieldInfo(1, CTFieldInfo::CreateInteger("DVI_ExpiryAction", 0));
    version->AddFieldInfo(2, CTFieldInfo::CreateInteger("DVI_DataRegion", 0));
    version->AddFieldInfo(3, CTFieldInfo::CreateTDateTime("DVI_DbDate", 0));
    version->AddFieldInfo(DVI_DbVersion, CTFieldInfo::CreateUnicodeString("DVI_DbVersion", "", false));
    version->AddFieldInfo(5, CTFieldInfo::CreateUnicodeString("DVI_DataVersion", "", false));
    version->AddFieldInfo(6, CTFieldInfo::CreateInteger("DVI_ApplicationFlags", 0));
    version->AddFieldInfo(DVI_MaxPercentageOUBasket, CTFieldInfo::CreateInteger("DVI_MaxPercentageOUBasket", 120));

    AddLinkInfo(std::make_unique<CTTableLink>(family, 1, "FamilyOfBrisa", "", "", kBrisa, BRI_Family, false, true,
                                              false, true));
    AddLinkInfo(std::make_unique<CTTableLink>(device, 2, "OptionsOfDevice", "", "", kOption, OPT_Device, false, true,
                                              true, false));
    AddLinkInfo(std::make_unique<CTTableLink>(brisa, 3, "PlenumOfBrisa", "", "", kPlenum, PLN_Brisa, true, true, false,
                                              false));
    AddLinkInfo(std::make_unique<CTTableLink>(option, 4, "OptionOfFamily", "", "", kFamily, FAM_Option, false, true,
                                              false, false));
    ResolveSchema();
  }

  CTDbObject* CreateObject(int nClsID, int nObjID) override
  {
    CTTableInfo* table = GetTableInfo(nClsID);
    return table && !table->IsAbstract() ? new CTDbObject(nClsID, nObjID, this) : nullptr;
  }
};

} // namespace aw::test
