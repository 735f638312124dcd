#include "db/BaseFactory.h"

#include "db/DbObject.h"
#include "platform/AtomicFile.h"
#include "platform/CaseFolding.h"

#include <algorithm>
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

// ---- logical databases and the connection ---------------------------------

namespace aw {
namespace {

struct RegisteredEngine
{
  std::string szEngineClass;
  CTCreateEngineFunc pFunc;
};

std::vector<RegisteredEngine>& Registry()
{
  static std::vector<RegisteredEngine> registry;
  return registry;
}

bool& ErrorsFlaggedSwitch()
{
  static bool flagged = true;
  return flagged;
}

constexpr int kMsgNoEngineAccepts = 5007;
constexpr int kMsgVerifying = 5000;
constexpr int kMsgCannotCreate = -3;

} // namespace

int CTBaseFactory::AddDatabase(const std::string& szLogicalName)
{
  LTDbInfo info;
  info.v_logicalName = szLogicalName;
  v_allDbInfo.push_back(std::move(info));
  return DatabaseCount() - 1;
}

LTDbInfo& CTBaseFactory::DbInfo(int nDbIx)
{
  return v_allDbInfo.at(static_cast<std::size_t>(nDbIx));
}

const LTDbInfo& CTBaseFactory::DbInfo(int nDbIx) const
{
  return v_allDbInfo.at(static_cast<std::size_t>(nDbIx));
}

void CTBaseFactory::SetDatabaseName(int nDbIx, const std::string& sz)
{
  LTDbInfo& info = DbInfo(nDbIx);
  info.v_databaseName = sz;
  info.v_createNew = sz.empty();
}

void CTBaseFactory::SetModifiedProc(int nDbIx, std::function<void(bool)> pProc)
{
  DbInfo(nDbIx).v_modifiedProc = std::move(pProc);
  DbInfo(nDbIx).v_modifiedProcEx = nullptr;
}

void CTBaseFactory::SetModifiedProc(int nDbIx, CTModifiedProcEx pProc)
{
  DbInfo(nDbIx).v_modifiedProcEx = std::move(pProc);
  DbInfo(nDbIx).v_modifiedProc = nullptr;
}

bool CTBaseFactory::SetSilentMode(bool bSilent)
{
  const bool wasSilent = !ErrorsFlaggedSwitch();
  ErrorsFlaggedSwitch() = !bSilent;
  return wasSilent;
}

bool CTBaseFactory::ErrorsFlagged()
{
  return ErrorsFlaggedSwitch();
}

void CTBaseFactory::RegisterEngine(const std::string& szEngineClass, CTCreateEngineFunc pFunc)
{
  Registry().push_back({szEngineClass, std::move(pFunc)});
}

void CTBaseFactory::UnregisterAllEngines()
{
  Registry().clear();
}

int CTBaseFactory::RegisteredEngineCount()
{
  return static_cast<int>(Registry().size());
}

bool CTBaseFactory::HasCapability(int nDbIx, int nCap) const
{
  const CTDbEngine* engine = GetDbEngine(nDbIx);
  return engine && engine->HasCapability(nCap);
}

std::unique_ptr<CTDbEngine> CTBaseFactory::CreateTestEngine(int nDbIx, bool bUpdate)
{
  if (Registry().empty())
    CTDbException::RaiseExc(excNoEngines);
  LTDbInfo& info = DbInfo(nDbIx);
  CTEngineRequest request{this,
                          info.v_logicalName,
                          info.v_databaseName,
                          info.v_requiresLogin,
                          info.v_requiredEngineType,
                          info.v_engineSpecificInfo,
                          info.v_readOnly,
                          nDbIx,
                          bUpdate};
  for (const RegisteredEngine& entry : Registry()) {
    if (std::unique_ptr<CTDbEngine> engine = entry.pFunc(request)) {
      info.v_databaseName = request.szDatabaseName;
      return engine;
    }
  }
  if (ErrorsFlagged())
    CTDbObject::ShowDbMessage(nullptr, kMsgNoEngineAccepts, info.v_logicalName);
  return nullptr;
}

std::unique_ptr<CTDbEngine> CTBaseFactory::OpenDatabase(int nDbIx)
{
  std::unique_ptr<CTDbEngine> engine = CreateTestEngine(nDbIx, !DbInfo(nDbIx).v_createNew);
  if (!engine)
    return nullptr;
  const LTDbInfo& info = DbInfo(nDbIx);
  if (info.v_modifiedProcEx) {
    engine->SetModifiedProc(info.v_modifiedProcEx);
  } else if (info.v_modifiedProc) {
    auto plain = info.v_modifiedProc;
    engine->SetModifiedProc([plain](bool b, int, int, const std::string&, int) { plain(b); });
  }
  engine->SetEngineGlossary(info.v_glossary);
  engine->SetMappingTable(info.v_mappingTable);
  if (info.v_modifiedProcEx || info.v_modifiedProc) {
    engine->EnableModifiedProc(true);
    engine->NotifyOpened();
  }
  return engine;
}

void CTBaseFactory::BindTables()
{
  for (auto& table : v_tableInfo) {
    if (!table || table->IsAbstract())
      continue;
    CTDbEngine* engine = GetDbEngine(table->GetDbID());
    if (table->GetDbID() < 0 || table->GetDbID() >= DatabaseCount())
      CTDbException::RaiseExc(excDbStructure);
    table->SetDbEngine(engine);
  }
}

bool CTBaseFactory::CreateEngines()
{
  v_allDbEngine.clear();
  v_allDbEngine.resize(v_allDbInfo.size());
  try {
    for (int ix = 0; ix < DatabaseCount(); ++ix) {
      v_allDbEngine[ix] = OpenDatabase(ix);
      if (!v_allDbEngine[ix])
        throw std::runtime_error("no engine");
    }
    BindTables();
    return true;
  } catch (const CTDbException& e) {
    Disconnect();
    if (e.Code() == excNoEngines)
      throw;
    return false;
  } catch (const std::exception&) {
    Disconnect();
    return false;
  }
}

bool CTBaseFactory::ConnectEngines()
{
  // Logon for the first database that asks for one and has no user name yet.
  std::string userName, password;
  for (int ix = 0; ix < DatabaseCount(); ++ix) {
    const LTDbInfo& info = DbInfo(ix);
    if (info.v_requiresLogin && info.v_userName.empty() && v_allDbEngine[ix]->NeedsLogon()) {
      if (!v_connectionUI || !v_connectionUI->Logon(userName, password))
        return false;
      break;
    }
  }
  for (int ix = 0; ix < DatabaseCount(); ++ix) {
    LTDbInfo& info = DbInfo(ix);
    if (info.v_userName.empty()) {
      info.v_userName = userName;
      info.v_password = password;
    }
    if (!v_allDbEngine[ix]->Connect(info.v_userName, info.v_password, ErrorsFlagged()))
      return false;
  }
  return true;
}

bool CTBaseFactory::TestTables(bool bShowProgress)
{
  int filled = 0;
  for (const auto& table : v_tableInfo)
    filled += table ? 1 : 0;
  CTConnectionUI* progress = bShowProgress ? v_connectionUI : nullptr;
  if (progress)
    progress->ProgressStart("Progress", kMsgVerifying, filled);
  bool ok = true;
  for (const auto& table : v_tableInfo) {
    if (!table)
      continue;
    if (!table->IsAbstract()) {
      const bool thorough = v_thoroughTableTest;
      ok = table->GetDbEngine()->TestTable(table.get(), thorough, thorough && ErrorsFlagged());
    }
    if (progress)
      progress->ProgressStep();
    if (!ok)
      break;
  }
  if (progress)
    progress->ProgressEnd();
  return ok;
}

bool CTBaseFactory::Connect(bool bShowProgress)
{
  if (v_connected)
    throw LTBseFactExc("Database already connected");
  Disconnect();
  if (!CreateEngines())
    return false;
  return ConnectCreatedEngines(bShowProgress);
}

bool CTBaseFactory::ConnectWith(std::vector<std::unique_ptr<CTDbEngine>> engines, bool bShowProgress)
{
  if (v_connected)
    throw LTBseFactExc("Database already connected");
  Disconnect();
  if (engines.size() != v_allDbInfo.size() || std::find(engines.begin(), engines.end(), nullptr) != engines.end())
    return false;
  v_allDbEngine = std::move(engines);
  // The caller made the engines; what the logical databases declare still applies.
  for (std::size_t i = 0; i < v_allDbEngine.size(); ++i) {
    const LTDbInfo& info = DbInfo(static_cast<int>(i));
    v_allDbEngine[i]->SetEngineGlossary(info.v_glossary);
    if (info.v_mappingTable)
      v_allDbEngine[i]->SetMappingTable(info.v_mappingTable);
  }
  try {
    BindTables();
  } catch (const std::exception&) {
    Disconnect();
    return false;
  }
  return ConnectCreatedEngines(bShowProgress);
}

bool CTBaseFactory::ConnectCreatedEngines(bool bShowProgress)
{
  v_connected = true;
  bool ok = false;
  try {
    // An engine that raises while it connects fails the connection like one that answers false.
    CTWriteGuard write;
    ok = ConnectEngines() && TestTables(bShowProgress);
  } catch (const std::exception&) {
    ok = false;
  }
  if (!ok)
    Disconnect();
  return ok;
}

void CTBaseFactory::Disconnect()
{
  v_connected = false;
  for (auto& engine : v_allDbEngine)
    if (engine)
      engine->DoClose();
  for (auto& table : v_tableInfo)
    if (table)
      table->SetDbEngine(nullptr);
  v_allDbEngine.clear();
}

void CTBaseFactory::ConnectDatabase(int nDbIx)
{
  if (!v_connected)
    throw LTBseFactExc("Database not connected");
  if (GetDbEngine(nDbIx))
    throw LTBseFactExc("Database already connected");
  std::unique_ptr<CTDbEngine> engine = OpenDatabase(nDbIx);
  if (!engine)
    return;
  if (static_cast<std::size_t>(nDbIx) >= v_allDbEngine.size())
    v_allDbEngine.resize(static_cast<std::size_t>(nDbIx) + 1);
  v_allDbEngine[nDbIx] = std::move(engine);
  BindTables();
}

void CTBaseFactory::DisconnectDatabase(int nDbIx)
{
  RemoveDbEngine(nDbIx);
}

bool CTBaseFactory::SaveFile(int nDbIx, bool bFlagErrors)
{
  const std::string& fileName = GetDatabaseName(nDbIx);
  CTDbEngine* engine = GetDbEngine(nDbIx);
  if (fileName.empty() || !engine)
    return false;
  std::string error;
  try {
    CTMemoryStream text;
    {
      CTReadGuard read;
      engine->WriteToStream(text);
    }
    if (platform::WriteFileAtomically(fileName, text.Text(), error))
      return true;
  } catch (const std::exception& e) {
    error = e.what();
  }
  if (bFlagErrors)
    CTDbObject::ShowDbMessage(nullptr, kMsgCannotCreate, fileName);
  return false;
}

void CTBaseFactory::FlagStartBackup()
{
  CTGlobalLock::Instance().BeginWrite();
}

void CTBaseFactory::FlagEndBackup()
{
  CTGlobalLock::Instance().EndWrite();
}

} // namespace aw
