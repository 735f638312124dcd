#include "db/BaseFactory.h"

#include "db/DbObject.h"
#include "platform/CaseFolding.h"

#include <charconv>
#include <unordered_set>

namespace aw {

CTBaseFactory::CTBaseFactory(std::string szName, int nVerMul100, int nMinVerMul100)
  : v_name(std::move(szName)), v_verMul100(nVerMul100), v_minVerMul100(nMinVerMul100)
{
}

CTBaseFactory::~CTBaseFactory()
{
  // Engines first: closing them empties the caches, whose objects refer to the tables.
  for (std::size_t ix = 0; ix < v_allDbEngine.size(); ++ix)
    RemoveDbEngine(static_cast<int>(ix));
  for (auto& table : v_tableInfo)
    if (table)
      table->CleanupCache();
  if (!v_resolved) {
    // Field infos still belong to their tables' lists: take them over once each.
    std::unordered_set<CTFieldInfo*> owned;
    for (auto& table : v_tableInfo)
      if (table)
        for (CTFieldInfo* field : table->GetFieldInfo())
          if (field && owned.insert(field).second)
            v_allFieldInfo.emplace_back(field);
  }
}

CTTableInfo* CTBaseFactory::AddTableInfo(std::unique_ptr<CTTableInfo> pTable)
{
  const int clsID = pTable->GetTableIndex();
  if (clsID < 0)
    CTDbException::RaiseExc(excDbStructure);
  if (clsID >= TableCount())
    v_tableInfo.resize(static_cast<std::size_t>(clsID) + 1);
  if (v_tableInfo[clsID])
    CTDbException::RaiseExc(excDbStructure);
  v_tableInfo[clsID] = std::move(pTable);
  return v_tableInfo[clsID].get();
}

void CTBaseFactory::AddLinkInfo(std::unique_ptr<CTTableLink> pInf)
{
  CTTableLink* link = pInf.get();
  v_allLinkInfo.push_back(std::move(pInf));
  if (link->GetFromTable())
    link->GetFromTable()->AddReference(link);
}

CTTableInfo* CTBaseFactory::GetTableInfo(int nClsID) const
{
  if (nClsID < 0 || nClsID >= TableCount())
    return nullptr;
  return v_tableInfo[nClsID].get();
}

CTTableInfo* CTBaseFactory::GetTableNamed(std::string_view szTblName) const
{
  for (const auto& table : v_tableInfo)
    if (table && platform::EqualsIgnoreCase(table->TableName(), szTblName))
      return table.get();
  return nullptr;
}

void CTBaseFactory::ResolveSchema()
{
  if (v_resolved)
    return;
  v_resolved = true;

  // 1. The factory owns every field info from now on (inherited ones are added later, so each is taken once).
  for (auto& table : v_tableInfo)
    if (table)
      for (CTFieldInfo* field : table->GetFieldInfo())
        if (field)
          v_allFieldInfo.emplace_back(field);

  // 2. Parents, repeated until a pass changes nothing: a table inherits once its parent is resolved.
  auto isResolved = [](const CTTableInfo* t) { return t->ParentID() < 0 || t->GetParent() != nullptr; };
  for (bool changed = true; changed;) {
    changed = false;
    for (auto& table : v_tableInfo) {
      if (!table || table->ParentID() < 0 || table->v_parent)
        continue;
      CTTableInfo* parent = GetTableInfo(table->ParentID());
      if (!parent || !isResolved(parent))
        continue;
      table->v_parent = parent;
      if (table->FieldCount() < parent->FieldCount())
        table->v_allFieldInfo.resize(parent->v_allFieldInfo.size(), nullptr);
      for (int ix = 1; ix < parent->FieldCount(); ++ix)
        table->v_allFieldInfo[ix] = parent->v_allFieldInfo[ix];
      if (table->v_nameIx < 0)
        table->v_nameIx = parent->v_nameIx;
      changed = true;
    }
  }

  // 3. The ends of each declared link.
  for (auto& table : v_tableInfo) {
    if (!table)
      continue;
    for (CTTableLink* link : table->GetReferences()) {
      link->v_toTable = GetTableInfo(link->ToClsID());
      link->v_fromField = table->Field(0);
      link->v_toField = link->v_toTable ? link->v_toTable->Field(link->ToFieldIx()) : nullptr;
      if (link->v_toField)
        link->v_toField->SetReferenceTo(link);
    }
  }

  // 4. Links declared on an ancestor are links of its descendants too.
  for (auto& table : v_tableInfo) {
    if (!table)
      continue;
    for (const auto& link : v_allLinkInfo) {
      CTTableInfo* referenced = link->GetFromTable();
      if (referenced && referenced != table.get() && table->IsOfClass(referenced->GetTableIndex()))
        table->AddReference(link.get());
    }
  }
}

std::string CTBaseFactory::GetSignature() const
{
  return v_name + std::to_string(v_verMul100);
}

bool CTBaseFactory::CheckSignature(std::string_view szSig) const
{
  if (szSig.size() != v_name.size() + 3 || szSig.substr(0, v_name.size()) != v_name)
    return false;
  const std::string_view digits = szSig.substr(v_name.size());
  int version = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), version);
  if (ec != std::errc() || end != digits.data() + digits.size())
    return false; // not an integer: counts as too large
  return v_minVerMul100 <= version && version <= v_verMul100;
}

void CTBaseFactory::SetDbEngine(int nDbIx, std::unique_ptr<CTDbEngine> pEngine)
{
  if (nDbIx < 0)
    CTDbException::RaiseExc(excDbStructure);
  RemoveDbEngine(nDbIx);
  if (static_cast<std::size_t>(nDbIx) >= v_allDbEngine.size())
    v_allDbEngine.resize(static_cast<std::size_t>(nDbIx) + 1);
  v_allDbEngine[nDbIx] = std::move(pEngine);
  for (auto& table : v_tableInfo)
    if (table && table->GetDbID() == nDbIx)
      table->SetDbEngine(v_allDbEngine[nDbIx].get());
}

void CTBaseFactory::RemoveDbEngine(int nDbIx)
{
  CTDbEngine* engine = GetDbEngine(nDbIx);
  if (!engine)
    return;
  engine->DoClose();
  for (auto& table : v_tableInfo)
    if (table && table->GetDbEngine() == engine)
      table->SetDbEngine(nullptr);
  v_allDbEngine[nDbIx].reset();
}

CTDbEngine* CTBaseFactory::GetDbEngine(int nDbIx) const
{
  if (nDbIx < 0 || static_cast<std::size_t>(nDbIx) >= v_allDbEngine.size())
    return nullptr;
  return v_allDbEngine[nDbIx].get();
}

std::vector<CTDbEngine*> CTBaseFactory::Engines() const
{
  std::vector<CTDbEngine*> engines;
  for (const auto& engine : v_allDbEngine)
    if (engine)
      engines.push_back(engine.get());
  return engines;
}

CTDbObject* CTBaseFactory::GetCachedObject(int nClsID, int nObjID)
{
  CTTableInfo* table = GetTableInfo(nClsID);
  return table ? table->GetCachedObject(nObjID) : nullptr;
}

CTDbObject* CTBaseFactory::GetCachedObjectByProc(const std::function<void(int& nClsID, int& nObjID)>& pProc)
{
  int clsID = 0, objID = 0;
  if (pProc)
    pProc(clsID, objID);
  return GetCachedObject(clsID, objID);
}

const ObjectList<CTDbObject>* CTBaseFactory::GetCachedObjects(int nClsID) const
{
  const CTTableInfo* table = GetTableInfo(nClsID);
  return table ? &table->GetCachedObjects() : nullptr;
}

CTDbObject* CTBaseFactory::SafeCreateObject(int nClsID, int nObjID)
{
  CTTableInfo* table = GetTableInfo(nClsID);
  if (nObjID < 1 || !table || table->IsAbstract() || !table->GetDbEngine())
    return nullptr;
  bool exists = false;
  {
    CTReadGuard read;
    try {
      exists = table->GetDbEngine()->ObjectExists(nClsID, nObjID);
    } catch (const std::exception&) {
      exists = false;
    }
  }
  return exists ? CreateObject(nClsID, nObjID) : nullptr;
}

} // namespace aw
