#include "db/ElemDbObject.h"

#include "db/TransactionLayer.h"

#include <algorithm>
#include <ostream>

namespace aw {
namespace {

int& TableSize()
{
  static int size = 499;
  return size;
}

} // namespace

CTElemDbObject::CTElemDbObject(CTTableInfo* pTblInfo)
  : v_tblInfo(pTblInfo), v_values(&pTblInfo->GetFieldInfo(), false)
{
}

CTElemDbObject::CTElemDbObject(const CTElemDbObject& pObj)
  : v_id(pObj.v_id), v_tblInfo(pObj.v_tblInfo), v_values(&pObj.v_tblInfo->GetFieldInfo(), true),
    v_referrers(pObj.v_referrers), v_status(pObj.v_status)
{
  v_values.CopyValues(pObj.v_values, 0, true, true);
}

void CTElemDbObject::SetID(int nID)
{
  v_id = nID;
  v_values.SetIntegerValue(0, nID);
}

void CTElemDbObject::CopyValuesFromList(const CTValueList& pValues, bool bBinariesAlso)
{
  v_values.CopyValues(pValues, 0, true, bBinariesAlso);
  v_id = v_values.GetIntegerValue(0);
}

void CTElemDbObject::AddReferrer(const CTTableLink* pLink, int nClsID, int nObjID)
{
  v_referrers.push_back(CTDbRelation{pLink, nClsID, nObjID});
}

void CTElemDbObject::RemoveReferrers(const CTTableLink* pLink, int nClsID, int nObjID)
{
  std::erase_if(v_referrers, [&](const CTDbRelation& r) {
    return r.v_model == pLink && r.v_refClsID == nClsID && r.v_refObjID == nObjID;
  });
}

bool CTElemDbObject::HasReferrer(const CTTableLink* pLink, int nClsID, int nObjID) const
{
  return std::any_of(v_referrers.begin(), v_referrers.end(), [&](const CTDbRelation& r) {
    return r.v_model == pLink && r.v_refClsID == nClsID && r.v_refObjID == nObjID;
  });
}

void CTElemDbObject::RemoveReferences(CTTransactionLayer& pTopLayer)
{
  const CTFieldList& fields = v_tblInfo->GetFieldInfo();
  for (int ix = 1; ix < static_cast<int>(fields.size()); ++ix) {
    const CTTableLink* link = fields[ix] ? fields[ix]->GetReferenceTo() : nullptr;
    if (!link)
      continue;
    std::int32_t clsID, objID;
    v_values.GetRefValues(ix, clsID, objID);
    if (clsID < 0 || objID < 1)
      continue;
    if (const CTElemDbObject* target = pTopLayer.FindObject(clsID, objID);
        target && target->HasReferrer(link, TableIndex(), v_id))
      pTopLayer.MakeWritable(clsID, objID)->RemoveReferrers(link, TableIndex(), v_id);
  }
}

void CTElemDbObject::Dump(std::ostream& out) const
{
  out << "    OBJECT " << v_id << "\n";
  out << "      status =";
  if (v_status & elemInserted)
    out << " INSERTED";
  if (v_status & elemUpdated)
    out << " UPDATED";
  if (v_status & elemDeleted)
    out << " DELETED";
  out << "\n";
  for (const CTDbRelation& r : v_referrers)
    out << "      referred by (" << r.v_refClsID << ", " << r.v_refObjID << ") - "
        << (r.v_model ? r.v_model->GetAssociationName() : std::string()) << "\n";
  out << "    END OBJECT\n";
}

CTElemDbObjectMap::CTElemDbObjectMap(CTTableInfo* pTblInfo, bool bSized)
  : v_tblInfo(pTblInfo), v_nbFields(pTblInfo->FieldCount())
{
  if (bSized)
    v_data.reserve(static_cast<std::size_t>(GetTableSize()));
}

CTElemDbObject* CTElemDbObjectMap::FindObject(int nObjID) const
{
  auto it = v_data.find(nObjID);
  return it == v_data.end() ? nullptr : it->second.get();
}

CTElemDbObject* CTElemDbObjectMap::NewObject(int nTryObjID)
{
  int id = nTryObjID;
  if (id == 0)
    id = ++v_maxID;
  else
    v_maxID = std::max(v_maxID, id);
  auto elem = std::make_unique<CTElemDbObject>(v_tblInfo);
  elem->SetID(id);
  CTElemDbObject* raw = elem.get();
  v_data[id] = std::move(elem);
  return raw;
}

bool CTElemDbObjectMap::AddLoaded(std::unique_ptr<CTElemDbObject> pElem)
{
  const int id = pElem->ID();
  auto [it, inserted] = v_data.try_emplace(id, std::move(pElem));
  if (inserted)
    v_maxID = std::max(v_maxID, id);
  return inserted;
}

std::unique_ptr<CTElemDbObject> CTElemDbObjectMap::Take(int nObjID)
{
  auto it = v_data.find(nObjID);
  if (it == v_data.end())
    return nullptr;
  std::unique_ptr<CTElemDbObject> elem = std::move(it->second);
  v_data.erase(it);
  return elem;
}

std::vector<std::unique_ptr<CTElemDbObject>> CTElemDbObjectMap::TakeAll()
{
  std::vector<std::unique_ptr<CTElemDbObject>> all;
  all.reserve(v_data.size());
  for (auto& [id, elem] : v_data)
    all.push_back(std::move(elem));
  v_data.clear();
  return all;
}

void CTElemDbObjectMap::Dump(std::ostream& out) const
{
  if (v_data.empty())
    return;
  out << "  MAP " << v_tblInfo->GetTableIndex() << "\n";
  for (const CTElemDbObject* elem : Elements())
    elem->Dump(out);
  out << "  END MAP\n";
}

void CTElemDbObjectMap::Put(std::unique_ptr<CTElemDbObject> pElem)
{
  const int id = pElem->ID();
  v_data[id] = std::move(pElem);
}

void CTElemDbObjectMap::RemoveAll()
{
  v_data.clear();
  v_maxID = 0;
}

int CTElemDbObjectMap::GetLargestID() const
{
  int largest = 0;
  for (const auto& [id, elem] : v_data)
    largest = std::max(largest, id);
  return largest;
}

std::vector<CTElemDbObject*> CTElemDbObjectMap::Elements() const
{
  std::vector<CTElemDbObject*> elements;
  elements.reserve(v_data.size());
  for (const auto& [id, elem] : v_data)
    elements.push_back(elem.get());
  std::sort(elements.begin(), elements.end(), [](const CTElemDbObject* a, const CTElemDbObject* b) { return a->ID() < b->ID(); });
  return elements;
}

void CTElemDbObjectMap::SetTableSize(int nSize)
{
  if (nSize > 8)
    TableSize() = nSize;
}

int CTElemDbObjectMap::GetTableSize()
{
  return TableSize();
}

} // namespace aw
