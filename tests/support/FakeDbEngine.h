#pragma once
// An in-memory engine for tests of code above the object database: it keeps
// copies of the value lists of stored objects, per class and id, and with
// v_failing raises on every change as a read-only database does.

#include "db/DbObject.h"

#include <map>
#include <memory>
#include <string>

namespace aw::test {

class FakeEngine : public CTDbEngine
{
public:
  explicit FakeEngine(CTBaseFactory* pFactory) : CTDbEngine(pFactory, "Test", "Test", false)
  {
    SetCapabilities((1u << dbcInsertWithID) | (1u << dbcSelectByExample));
    SetConnected(true);
  }
  ~FakeEngine() override { DoClose(); }

  void FailQueryWhenAsked() const
  {
    if (v_failingQueries)
      CTDbException::RaiseExc(excDbStructure);
  }

  bool v_failing = false;
  bool v_failingQueries = false; // lists raise as a broken connection does

  bool Connect(const std::string&, const std::string&, bool) override { return true; }
  std::string GetTypeString() const override { return "Fake"; }
  bool ObjectExists(int nClsID, int nObjID) override { return Find(nClsID, nObjID) != nullptr; }
  void GetBinaryValue(CTDbObject*, int, ByteArray&) override {}
  void SetBinaryValue(CTDbObject*, int, std::span<const std::byte>) override { FailWhenAsked(); }

  CTDbObjectList AllObjects(int nClsID, const CTDbObjectProgressIndicator&) override
  {
    FailQueryWhenAsked();
    CTDbObjectList all;
    for (auto& [id, values] : v_rows[nClsID])
      all.Add(GetFactory()->CreateObject(nClsID, id));
    return all;
  }
  // Every stored row of the example's class: the tests need no criteria.
  CTDbObjectList DoSelectByExample(CTDbObject* pObj, const std::vector<std::string>*, bool& bMustSort,
                                   const CTDbObjectProgressIndicator& pCallback) override
  {
    bMustSort = true;
    return AllObjects(pObj->TableIndex(), pCallback);
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
    FailQueryWhenAsked();
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
template <class Factory>
struct ConnectedFactory
{
  Factory factory;
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
