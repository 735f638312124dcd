#pragma once
// A small schema and an in-memory engine for the object-database tests.
//
//   1 Device (abstract)   DEV_ID, DEV_Name (name), DEV_Weight
//   2 Brisa : Device      BRI_ID, ..., BRI_Family_CLS_REF, BRI_Family_OBJ_REF, BRI_Family_ORDER
//   3 Family              FAM_ID, FAM_Name (name, required)
//   4 Option              OPT_ID, OPT_Device_CLS_REF, OPT_Device_OBJ_REF, OPT_Code
// Links: Family <- Brisa.BRI_Family (ordered); Device <- Option.OPT_Device (declared on the abstract Device).

#include "db/DbObject.h"

#include <map>
#include <memory>

namespace aw::test {

enum : int { kDevice = 1, kBrisa = 2, kFamily = 3, kOption = 4 };
enum : int { DEV_Name = 1, DEV_Weight = 2, BRI_Family = 3, FAM_Name = 1, OPT_Device = 1, OPT_Code = 3 };

class TestFactory : public CTBaseFactory
{
public:
  TestFactory() : CTBaseFactory("EDI", 100, 100)
  {
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

    auto* option = AddTableInfo(std::make_unique<CTTableInfo>(kOption, 0, "Option", -1, false, false));
    CTDbObject::Initialize(option, "OPT_ID");
    option->AddFieldInfo(OPT_Device, CTFieldInfo::CreateInteger("OPT_Device_CLS_REF", 0));
    option->AddFieldInfo(OPT_Device + 1, CTFieldInfo::CreateInteger("OPT_Device_OBJ_REF", 0));
    option->AddFieldInfo(OPT_Code, CTFieldInfo::CreateInteger("OPT_Code", 0));

    AddLinkInfo(std::make_unique<CTTableLink>(family, 1, "FamilyOfBrisa", "", "", kBrisa, BRI_Family, false, false,
                                              false, true));
    AddLinkInfo(std::make_unique<CTTableLink>(device, 2, "OptionsOfDevice", "", "", kOption, OPT_Device, false, false,
                                              true, false));
    ResolveSchema();
  }

  CTDbObject* CreateObject(int nClsID, int nObjID) override
  {
    CTTableInfo* table = GetTableInfo(nClsID);
    return table && !table->IsAbstract() ? new CTDbObject(nClsID, nObjID, this) : nullptr;
  }
};

// Keeps copies of the value lists of stored objects, per class and id.
// With v_failing every change raises as a read-only database does.
class FakeEngine : public CTDbEngine
{
public:
  explicit FakeEngine(CTBaseFactory* pFactory) : CTDbEngine(pFactory, "Test", "Test", false)
  {
    SetCapabilities((1u << dbcInsertWithID) | (1u << dbcSelectByExample));
    SetConnected(true);
  }
  ~FakeEngine() override { DoClose(); }

  bool v_failing = false;

  bool Connect(const std::string&, const std::string&, bool) override { return true; }
  std::string GetTypeString() const override { return "Fake"; }
  bool ObjectExists(int nClsID, int nObjID) override { return Find(nClsID, nObjID) != nullptr; }
  void GetBinaryValue(CTDbObject*, int, ByteArray&) override {}
  void SetBinaryValue(CTDbObject*, int, std::span<const std::byte>) override { FailWhenAsked(); }

  CTDbObjectList AllObjects(int nClsID, const CTDbObjectProgressIndicator&) override
  {
    CTDbObjectList all;
    for (auto& [id, values] : v_rows[nClsID])
      all.Add(GetFactory()->CreateObject(nClsID, id));
    return all;
  }
  void PurgeTable(int nClsID) override
  {
    FailWhenAsked();
    v_rows.erase(nClsID);
  }

  void DoRead(CTDbObject* pObj) override
  {
    const CTValueList* stored = Find(pObj->TableIndex(), pObj->GetID());
    if (!stored)
      CTDbException::RaiseExc(excRecNotFound);
    pObj->Values().CopyValues(*stored, 1, true, false);
  }
  void DoInsert(CTDbObject* pObj) override
  {
    FailWhenAsked();
    auto& rows = v_rows[pObj->TableIndex()];
    if (pObj->GetID() < 1)
      pObj->SetID(rows.empty() ? 1 : rows.rbegin()->first + 1);
    else if (rows.count(pObj->GetID()))
      CTDbException::RaiseExc(excIDUsed, std::to_string(pObj->GetID()));
    Store(pObj);
  }
  void DoRemove(CTDbObject* pObj) override
  {
    FailWhenAsked();
    v_rows[pObj->TableIndex()].erase(pObj->GetID());
  }
  void DoUpdate(CTDbObject* pObj) override
  {
    FailWhenAsked();
    if (!Find(pObj->TableIndex(), pObj->GetID()))
      CTDbException::RaiseExc(excRecNotFound);
    Store(pObj);
  }
  void DoUpdateRef(CTDbObject* pObj, int nFieldIx, int nToClsID, int nToObjID) override
  {
    FailWhenAsked();
    CTValueList* stored = Find(pObj->TableIndex(), pObj->GetID());
    if (!stored)
      CTDbException::RaiseExc(excRecNotFound);
    stored->SetIntegerValue(nFieldIx, nToClsID);
    stored->SetIntegerValue(nFieldIx + 1, nToObjID);
  }
  bool DoIsUnique(CTDbObject* pObj, int nFieldIx, const std::string& szVal, bool) override
  {
    for (auto& [id, values] : v_rows[pObj->TableIndex()])
      if (id != pObj->GetID() && values->GetUnicodeStringValue(nFieldIx) == szVal)
        return false;
    return true;
  }
  CTDbObject* DoGetRelation(CTDbObject* pObj, int nFieldIx) override
  {
    std::int32_t clsID, objID;
    pObj->GetRefValues(nFieldIx, clsID, objID);
    return GetFactory()->SafeCreateObject(clsID, objID);
  }
  CTDbObjectList DoGetRelated(CTDbObject* pObj, int nClsID, int nFieldIx, const CTFieldList*, const CTValueFilter* pFilter,
                              bool, bool& bMustSort) override
  {
    bMustSort = true; // rows come in id order
    CTDbObjectList related;
    for (int clsID = 0; clsID < GetFactory()->TableCount(); ++clsID) {
      const CTTableInfo* table = GetFactory()->GetTableInfo(clsID);
      if (!table || !table->IsOfClass(nClsID))
        continue;
      for (auto& [id, values] : v_rows[clsID]) {
        std::int32_t refCls, refObj;
        values->GetRefValues(nFieldIx, refCls, refObj);
        if (refCls == pObj->TableIndex() && refObj == pObj->GetID() && (!pFilter || (*pFilter)(*values)))
          related.Add(GetFactory()->CreateObject(clsID, id));
      }
    }
    return related;
  }

private:
  void FailWhenAsked() const
  {
    if (v_failing)
      CTDbException::RaiseExc(excReadOnly, "Test");
  }
  CTValueList* Find(int nClsID, int nObjID)
  {
    auto table = v_rows.find(nClsID);
    if (table == v_rows.end())
      return nullptr;
    auto row = table->second.find(nObjID);
    return row == table->second.end() ? nullptr : row->second.get();
  }
  void Store(CTDbObject* pObj)
  {
    auto copy = std::make_unique<CTValueList>(&pObj->Descriptors(), true);
    copy->CopyValues(pObj->Values(), 0, true, false);
    v_rows[pObj->TableIndex()][pObj->GetID()] = std::move(copy);
  }

  std::map<int, std::map<int, std::unique_ptr<CTValueList>>> v_rows;
};

// A factory connected to one fake engine, made the default factory for the test.
struct ConnectedFactory
{
  TestFactory factory;
  FakeEngine* engine;
  ConnectedFactory()
  {
    auto owned = std::make_unique<FakeEngine>(&factory);
    engine = owned.get();
    factory.SetDbEngine(0, std::move(owned));
    CTDbObject::SetDefaultFactory(&factory);
  }
  ~ConnectedFactory() { CTDbObject::SetDefaultFactory(nullptr); }
};

} // namespace aw::test
