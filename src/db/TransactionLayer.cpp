#include "db/TransactionLayer.h"

#include "db/DbException.h"
#include "db/DbObject.h"

#include <algorithm>
#include <cmath>
#include <ostream>

namespace aw {
namespace {

bool IsValidPair(std::int32_t nClsID, std::int32_t nObjID) { return nClsID >= 0 && nObjID > 0; }

// The link of a reference field, or none.
const CTTableLink* LinkOf(const CTFieldInfo* pField) { return pField ? pField->GetReferenceTo() : nullptr; }

// Whether an example value counts as a criterion, and whether the element matches it.
bool MatchesExample(const CTFieldInfo& field, int nIx, const CTValueList& example, const CTValueList& values)
{
  switch (field.GetType()) {
  case ftBoolean:
    return example.GetBooleanValue(nIx) == field.GetBooleanDftValue() ||
           values.GetBooleanValue(nIx) == example.GetBooleanValue(nIx);
  case ftInteger:
    return example.GetIntegerValue(nIx) == field.GetIntegerDftValue() ||
           values.GetIntegerValue(nIx) == example.GetIntegerValue(nIx);
  case ftDouble:
    return example.GetDoubleValue(nIx) == field.GetDoubleDftValue() ||
           values.GetDoubleValue(nIx) == example.GetDoubleValue(nIx);
  case ftCurrency:
    return example.GetCurrencyValue(nIx) == field.GetCurrencyDftValue() ||
           values.GetCurrencyValue(nIx) == example.GetCurrencyValue(nIx);
  case ftDateTime:
    return example.GetTDateTimeValue(nIx) == field.GetTDateTimeDftValue() ||
           values.GetTDateTimeValue(nIx) == example.GetTDateTimeValue(nIx);
  case ftUnicodeString:
    return example.GetUnicodeStringValue(nIx) == field.GetUnicodeStringDftValue() ||
           values.GetUnicodeStringValue(nIx) == example.GetUnicodeStringValue(nIx);
  case ftGUID:
    return CTDbObject::IsClearTGUID(example.GetTGUIDValue(nIx)) ||
           CTDbObject::CompareTGUID(example.GetTGUIDValue(nIx), values.GetTGUIDValue(nIx));
  case ftBinary:
    return true; // never compared
  }
  return true;
}

} // namespace

std::unique_ptr<CTTransactionLayer> CTTransactionLayer::CreateSimple(const TableList& pTblInfo)
{
  return std::make_unique<CTTransactionLayer>(pTblInfo, nullptr);
}

std::unique_ptr<CTTransactionLayer> CTTransactionLayer::Create(const TableList& pTblInfo,
                                                               std::unique_ptr<CTTransactionLayer> pParLayer,
                                                               int nMsgID, int nAppUpdateCode, bool bCanRedo,
                                                               int nSingleClsID, int nSingleObjID)
{
  auto layer = std::make_unique<CTTransactionLayer>(pTblInfo, std::move(pParLayer));
  layer->v_description = nMsgID;
  layer->v_updateCode = nAppUpdateCode;
  layer->v_canRedo = bCanRedo;
  layer->v_singleClsID = nSingleClsID;
  layer->v_singleObjID = nSingleObjID;
  return layer;
}

CTTransactionLayer::CTTransactionLayer(const TableList& pTblInfo, std::unique_ptr<CTTransactionLayer> pParLayer)
  : v_parentLayer(std::move(pParLayer))
{
  v_maps.resize(pTblInfo.size());
  for (std::size_t clsID = 0; clsID < pTblInfo.size(); ++clsID) {
    if (!pTblInfo[clsID])
      continue;
    v_maps[clsID] = std::make_unique<CTElemDbObjectMap>(pTblInfo[clsID], !v_parentLayer);
    if (const CTElemDbObjectMap* below = v_parentLayer ? v_parentLayer->Map(static_cast<int>(clsID)) : nullptr)
      v_maps[clsID]->SetMaxID(below->GetMaxID());
  }
}

CTTransactionLayer::~CTTransactionLayer() = default;

int CTTransactionLayer::ElementCount() const
{
  int count = 0;
  for (const auto& map : v_maps)
    count += map ? map->Count() : 0;
  return count;
}

void CTTransactionLayer::Fold()
{
  ClearSingleObject();
  if (!v_parentLayer)
    return;
  v_parentLayer->Fold();
  MergeInto(*v_parentLayer);
  v_parentLayer.reset();
}

void CTTransactionLayer::MergeInto(CTTransactionLayer& pBottom)
{
  // The bottom layer is usually the big one: moving this layer's few
  // elements down and taking its maps costs only this layer's size.
  for (std::size_t clsID = 0; clsID < v_maps.size() && clsID < pBottom.v_maps.size(); ++clsID) {
    CTElemDbObjectMap* mine = v_maps[clsID].get();
    CTElemDbObjectMap* below = pBottom.v_maps[clsID].get();
    if (!mine || !below)
      continue;
    for (std::unique_ptr<CTElemDbObject>& elem : mine->TakeAll()) {
      if (elem->IsDeleted())
        below->Take(elem->ID()); // nothing below the bottom to hide: both versions go
      else
        below->Put(std::move(elem));
    }
    below->SetMaxID(mine->GetMaxID());
  }
  std::swap(v_maps, pBottom.v_maps);
}

CTElemDbObjectMap* CTTransactionLayer::Map(int nClsID) const
{
  if (nClsID < 0 || nClsID >= MapCount())
    return nullptr;
  return v_maps[nClsID].get();
}

CTElemDbObject* CTTransactionLayer::OwnElement(int nClsID, int nObjID) const
{
  const CTElemDbObjectMap* map = Map(nClsID);
  return map ? map->FindObject(nObjID) : nullptr;
}

CTElemDbObject* CTTransactionLayer::FindObject(int nClsID, int nObjID) const
{
  const CTElemDbObjectMap* map = Map(nClsID);
  if (!map)
    return nullptr;
  if (CTElemDbObject* elem = map->FindObject(nObjID))
    return elem->IsDeleted() ? nullptr : elem;
  return v_parentLayer ? v_parentLayer->FindObject(nClsID, nObjID) : nullptr;
}

std::vector<CTElemDbObject*> CTTransactionLayer::AddObjectsOfClass(int nClsID) const
{
  const CTElemDbObjectMap* map = Map(nClsID);
  if (!map)
    return {};
  std::vector<CTElemDbObject*> result = v_parentLayer ? v_parentLayer->AddObjectsOfClass(nClsID) : std::vector<CTElemDbObject*>{};
  // This layer's versions replace those below; its deleted marks take elements out.
  if (!result.empty()) {
    std::vector<CTElemDbObject*> merged;
    merged.reserve(result.size());
    for (CTElemDbObject* below : result) {
      CTElemDbObject* here = map->FindObject(below->ID());
      if (!here)
        merged.push_back(below);
      else if (!here->IsDeleted())
        merged.push_back(here);
    }
    result.swap(merged);
  }
  for (CTElemDbObject* here : map->Elements()) {
    if (here->IsDeleted())
      continue;
    const bool replaced = v_parentLayer && v_parentLayer->FindObject(nClsID, here->ID());
    if (!replaced)
      result.push_back(here);
  }
  return result;
}

int CTTransactionLayer::CountObjectsOfClass(int nClsID) const
{
  if (!v_parentLayer) {
    const CTElemDbObjectMap* map = Map(nClsID);
    if (!map)
      return 0;
    int count = 0;
    map->ForEach([&count](const CTElemDbObject& elem) { count += elem.IsDeleted() ? 0 : 1; });
    return count;
  }
  return static_cast<int>(AddObjectsOfClass(nClsID).size());
}

std::vector<CTElemDbObject*> CTTransactionLayer::ObjectsMatching(int nClsID, const CTValueList& pValues) const
{
  std::vector<CTElemDbObject*> matching;
  for (CTElemDbObject* elem : AddObjectsOfClass(nClsID)) {
    const CTFieldList& fields = elem->DatabaseTable()->GetFieldInfo();
    bool matches = true;
    for (int ix = 1; matches && ix < static_cast<int>(fields.size()) && ix < pValues.NumberOfValues(); ++ix)
      matches = !fields[ix] || MatchesExample(*fields[ix], ix, pValues, elem->Values());
    if (matches)
      matching.push_back(elem);
  }
  return matching;
}

std::vector<CTElemDbObject*> CTTransactionLayer::AddOrphans(int nClsID) const
{
  std::vector<CTElemDbObject*> orphans;
  for (CTElemDbObject* elem : AddObjectsOfClass(nClsID)) {
    const CTFieldList& fields = elem->DatabaseTable()->GetFieldInfo();
    for (int ix = 1; ix < static_cast<int>(fields.size()); ++ix) {
      const CTTableLink* link = LinkOf(fields[ix]);
      if (!link || !link->RefIntegrity())
        continue;
      std::int32_t clsID, objID;
      elem->Values().GetRefValues(ix, clsID, objID);
      if (objID > 0 && clsID >= 0 && !HasMapFor(clsID)) {
        orphans.push_back(elem);
        break;
      }
    }
  }
  return orphans;
}

CTElemDbObject* CTTransactionLayer::MakeWritable(int nClsID, int nObjID)
{
  CTElemDbObjectMap* map = Map(nClsID);
  if (!map)
    return nullptr;
  if (CTElemDbObject* own = map->FindObject(nObjID))
    return own->IsDeleted() ? nullptr : own;
  const CTElemDbObject* below = v_parentLayer ? v_parentLayer->FindObject(nClsID, nObjID) : nullptr;
  if (!below)
    return nullptr;
  // The marks of a copy say what changed in this layer: nothing yet.
  auto copy = std::make_unique<CTElemDbObject>(*below);
  copy->SetStatus(0);
  CTElemDbObject* raw = copy.get();
  map->Put(std::move(copy));
  return raw;
}

CTElemDbObject* CTTransactionLayer::InsertObject(int nClsID, CTValueList& pValues, bool bAutoCorrect)
{
  CTElemDbObjectMap* map = Map(nClsID);
  if (!map)
    CTDbException::RaiseExc(excDbStructure);
  // The check comes first, so that a refused element never enters the map.
  const int tryID = pValues.GetIntegerValue(0);
  if (!CheckIntegrity(nClsID, tryID, pValues, bAutoCorrect))
    return nullptr;
  // An explicit id may take the place of an element this layer removed from
  // below: the new element then replaces that version rather than being new
  // to the stack, so that removing it again keeps the old one hidden.
  const CTElemDbObject* removed = tryID != 0 ? map->FindObject(tryID) : nullptr;
  const bool replacesBelow = removed && v_parentLayer && !(removed->Status() & elemInserted);
  CTElemDbObject* elem = map->NewObject(tryID);
  elem->Mark(replacesBelow ? elemUpdated : elemInserted);
  elem->Values().CopyValues(pValues, 1, true, false);
  pValues.SetIntegerValue(0, elem->ID());
  StoreReferences(nClsID, elem->Values(), nullptr);
  ClearSingleObject();
  return elem;
}

bool CTTransactionLayer::UpdateObject(int nClsID, int nObjID, const CTValueList& pValuesNoBinaries, bool bAutoCorrect)
{
  // Checked before anything is copied, so that a refusal leaves the layer as it was.
  if (!FindObject(nClsID, nObjID))
    return false;
  if (!CheckIntegrity(nClsID, nObjID, pValuesNoBinaries, bAutoCorrect))
    return true; // refused under auto-correction: nothing changes
  CTElemDbObject* elem = MakeWritable(nClsID, nObjID);
  StoreReferences(nClsID, pValuesNoBinaries, &elem->Values());
  elem->Values().CopyValues(pValuesNoBinaries, 1, true, false);
  elem->Mark(elemUpdated);
  if (nClsID != v_singleClsID || nObjID != v_singleObjID)
    ClearSingleObject();
  return true;
}

bool CTTransactionLayer::UpdateObjectREF(int nClsID, int nObjID, int nFieldIx, int nToClsID, int nToObjID,
                                         bool bAutoCorrect)
{
  const CTElemDbObject* current = FindObject(nClsID, nObjID);
  if (!current)
    return false;
  const CTTableLink* link = LinkOf(current->DatabaseTable()->Field(nFieldIx));
  if (!link)
    CTDbException::RaiseExc(excDbStructure);
  CTValueList newVals(&current->DatabaseTable()->GetFieldInfo(), true);
  newVals.CopyValues(current->Values(), 0, true, false);
  newVals.SetIntegerValue(nFieldIx, nToClsID);
  newVals.SetIntegerValue(nFieldIx + 1, nToObjID);
  // Checked before anything is copied, so that a refusal leaves the layer as it was.
  if (link->RefIntegrity() && !CheckIntegrity1Field(nClsID, nObjID, newVals, link, nFieldIx, bAutoCorrect))
    return true;
  CTElemDbObject* elem = MakeWritable(nClsID, nObjID);
  StoreReference1Field(nClsID, nObjID, newVals, &elem->Values(), link, nFieldIx);
  elem->Values().SetIntegerValue(nFieldIx, nToClsID);
  elem->Values().SetIntegerValue(nFieldIx + 1, nToObjID);
  elem->Mark(elemUpdated);
  ClearSingleObject();
  return true;
}

bool CTTransactionLayer::UpdateBinary(int nClsID, int nObjID, int nFieldIx, std::span<const std::byte> bytes)
{
  CTElemDbObject* elem = MakeWritable(nClsID, nObjID);
  if (!elem)
    return false;
  elem->Values().SetBinaryValue(nFieldIx, bytes);
  elem->Mark(elemUpdated);
  ClearSingleObject();
  return true;
}

bool CTTransactionLayer::RemoveObject(int nClsID, int nObjID)
{
  CTElemDbObject* elem = MakeWritable(nClsID, nObjID);
  if (!elem)
    return false;
  elem->RemoveReferences(*this);
  elem->Mark(elemDeleted);
  ClearSingleObject();
  return true;
}

bool CTTransactionLayer::IsUnchangedCopy(const CTElemDbObject& elem) const
{
  if (elem.Status() != 0 || !v_parentLayer)
    return false;
  const CTElemDbObject* below = v_parentLayer->FindObject(elem.TableIndex(), elem.ID());
  if (!below)
    return false;
  const auto sameRelation = [](const CTDbRelation& a, const CTDbRelation& b) {
    return a.v_model == b.v_model && a.v_refClsID == b.v_refClsID && a.v_refObjID == b.v_refObjID;
  };
  const std::vector<CTDbRelation>& mine = const_cast<CTElemDbObject&>(elem).Refs();
  const std::vector<CTDbRelation>& theirs = const_cast<CTElemDbObject*>(below)->Refs();
  return std::equal(mine.begin(), mine.end(), theirs.begin(), theirs.end(), sameRelation);
}

bool CTTransactionLayer::Optimize(bool bRemoveDeleted)
{
  // A removed element's references were taken away when it was removed.
  bool remains = false;
  for (auto& map : v_maps) {
    if (!map)
      continue;
    std::vector<int> dropped;
    map->ForEach([&](const CTElemDbObject& elem) {
      const bool freed = elem.IsDeleted() ? bRemoveDeleted || (elem.Status() & elemInserted) : IsUnchangedCopy(elem);
      if (freed)
        dropped.push_back(elem.ID());
      else
        remains = true;
    });
    for (int id : dropped)
      map->Take(id);
  }
  return remains;
}

void CTTransactionLayer::DebugDump(std::ostream& out) const
{
  out << "LAYER\n";
  for (const auto& map : v_maps)
    if (map && !map->IsEmpty())
      map->Dump(out);
  out << "END LAYER\n";
  if (v_parentLayer) {
    out << "PREVIOUS ";
    v_parentLayer->DebugDump(out);
  }
}

bool CTTransactionLayer::CheckIntegrity(int nMyCls, int nMyID, const CTValueList& pVals, bool bAutoCorrect) const
{
  const CTFieldList& fields = *pVals.Model();
  for (int ix = 1; ix < static_cast<int>(fields.size()); ++ix) {
    const CTTableLink* link = LinkOf(fields[ix]);
    if (link && link->RefIntegrity() && !CheckIntegrity1Field(nMyCls, nMyID, pVals, link, ix, bAutoCorrect))
      return false;
  }
  return true;
}

bool CTTransactionLayer::CheckIntegrity1Field(int nMyCls, int nMyID, const CTValueList& pNewVals,
                                              const CTTableLink* pLink, int nFieldIx, bool bAutoCorrect) const
{
  std::int32_t clsID, objID;
  pNewVals.GetRefValues(nFieldIx, clsID, objID);
  // Empty references and references into other engines' tables pass untested.
  if (clsID >= 0 && !HasMapFor(clsID))
    return true;
  const CTElemDbObject* target = FindObject(clsID, objID);
  const std::string& tableName = pLink->GetFromTable() ? pLink->GetFromTable()->TableName() : std::string();
  if (!target) {
    if (bAutoCorrect)
      return false;
    CTDbException::RaiseExc(excRelRequired, tableName);
  }
  if (pLink->OneToOne())
    for (const CTDbRelation& r : const_cast<CTElemDbObject*>(target)->Refs())
      if (r.v_model == pLink && !(r.v_refClsID == nMyCls && r.v_refObjID == nMyID))
        CTDbException::RaiseExc(excOneToOne, tableName);
  return true;
}

void CTTransactionLayer::StoreReferences(int nMyCls, const CTValueList& pNewVals, const CTValueList* pOldVals)
{
  const CTFieldList& fields = *pNewVals.Model();
  const int myID = pNewVals.GetIntegerValue(0);
  for (int ix = 1; ix < static_cast<int>(fields.size()); ++ix)
    if (const CTTableLink* link = LinkOf(fields[ix]))
      StoreReference1Field(nMyCls, myID, pNewVals, pOldVals, link, ix);
}

void CTTransactionLayer::StoreReference1Field(int nMyCls, int nMyID, const CTValueList& pNewVals,
                                              const CTValueList* pOldVals, const CTTableLink* pLink, int nFieldIx)
{
  std::int32_t newCls, newObj, oldCls = -1, oldObj = -1;
  pNewVals.GetRefValues(nFieldIx, newCls, newObj);
  if (pOldVals)
    pOldVals->GetRefValues(nFieldIx, oldCls, oldObj);
  if (newCls == oldCls && newObj == oldObj)
    return;
  if (IsValidPair(oldCls, oldObj))
    if (const CTElemDbObject* old = FindObject(oldCls, oldObj); old && old->HasReferrer(pLink, nMyCls, nMyID))
      MakeWritable(oldCls, oldObj)->RemoveReferrers(pLink, nMyCls, nMyID);
  if (IsValidPair(newCls, newObj) && FindObject(newCls, newObj))
    if (CTElemDbObject* target = MakeWritable(newCls, newObj); !target->HasReferrer(pLink, nMyCls, nMyID))
      target->AddReferrer(pLink, nMyCls, nMyID);
}

void CTTransactionLayer::StoreReferencesAtRead(int nMyCls, const CTValueList& pNewVals)
{
  const CTFieldList& fields = *pNewVals.Model();
  const int myID = pNewVals.GetIntegerValue(0);
  for (int ix = 1; ix < static_cast<int>(fields.size()); ++ix) {
    const CTTableLink* link = LinkOf(fields[ix]);
    if (!link)
      continue;
    std::int32_t clsID, objID;
    pNewVals.GetRefValues(ix, clsID, objID);
    if (!IsValidPair(clsID, objID))
      continue;
    if (CTElemDbObject* target = FindObject(clsID, objID))
      target->AddReferrer(link, nMyCls, myID);
  }
}

} // namespace aw
