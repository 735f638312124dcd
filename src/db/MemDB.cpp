#include "db/MemDB.h"

#include "db/DbFileFormat.h"
#include "db/DbObject.h"
#include "foundation/FileStream.h"
#include "foundation/LZSS.h"
#include "platform/CaseFolding.h"

#include <algorithm>
#include <map>
#include <ostream>

namespace aw {
namespace {

struct EngineSettings
{
  bool compression = false;
  std::string signature;
  bool autoCorrect = false;
  int maxUndoDepth = 5;
};

EngineSettings& Settings()
{
  static EngineSettings settings;
  return settings;
}

// Update codes sent with the modification notifications.
constexpr int kInserted = 11;
constexpr int kUpdated = 3;
constexpr int kRemoved = 23;

// Message numbers of the connection's errors.
constexpr int kMsgCannotOpen = -2;
constexpr int kMsgInvalidStructure = 5004;

constexpr int kDefaultUndoDepth = 5;
constexpr int kLargestUndoDepth = 20;

const CTTableLink* LinkOfField(const CTTableInfo& table, int nFieldIx)
{
  const CTFieldInfo* field = table.Field(nFieldIx);
  return field ? field->GetReferenceTo() : nullptr;
}

} // namespace

CTMemDbEngine::CTMemDbEngine(CTBaseFactory* pFactory, std::string szLogicalName, std::string szDatabaseName,
                             bool bReadOnly, int nEngineIndex)
  : CTDbEngine(pFactory, std::move(szLogicalName), std::move(szDatabaseName), bReadOnly), v_engineIndex(nEngineIndex)
{
  v_tables.resize(static_cast<std::size_t>(pFactory->TableCount()), nullptr);
  for (int clsID = 0; clsID < pFactory->TableCount(); ++clsID) {
    CTTableInfo* table = pFactory->GetTableInfo(clsID);
    if (table && !table->IsAbstract() && table->GetDbID() == nEngineIndex)
      v_tables[clsID] = table;
  }
  v_transactionTop = CTTransactionLayer::CreateSimple(v_tables);
  SetCapabilities((1u << dbcSelectByExample) | (1u << dbcRemoveByExample) | (1u << dbcInheritance) | (1u << dbcUndo) |
                  (1u << dbcRedo) | (1u << dbcChooseDb) | (1u << dbcInsertWithID));
}

CTMemDbEngine::~CTMemDbEngine()
{
  DoClose();
}

void CTMemDbEngine::RegisterEngine()
{
  // A database file is served when the connection names this engine kind;
  // there is no store of data sources to look an unnamed kind up in.
  CTBaseFactory::RegisterEngine("CTMemDbEngine", [](CTEngineRequest& r) -> std::unique_ptr<CTDbEngine> {
    if (!platform::EqualsIgnoreCase(r.szRequiredEngineType, "CTMemDbEngine"))
      return nullptr;
    return std::make_unique<CTMemDbEngine>(r.pFactory, r.szLogicalName, r.szDatabaseName, r.bReadOnly, r.nEngineIndex);
  });
}

bool CTMemDbEngine::UseCompression(bool bUse)
{
  const bool previous = Settings().compression;
  Settings().compression = bUse;
  return previous;
}

bool CTMemDbEngine::CompressionOn() { return Settings().compression; }
void CTMemDbEngine::SetCompressionSignature(const std::string& szSig) { Settings().signature = szSig; }
const std::string& CTMemDbEngine::CompressionSignature() { return Settings().signature; }
bool CTMemDbEngine::GetAutoCorrect() { return Settings().autoCorrect; }
void CTMemDbEngine::SetAutoCorrect(bool b) { Settings().autoCorrect = b; }
int CTMemDbEngine::GetMaxUndoDepth() { return Settings().maxUndoDepth; }

void CTMemDbEngine::SetMaxUndoDepth(int n)
{
  Settings().maxUndoDepth = n >= 0 && n <= kLargestUndoDepth ? n : kDefaultUndoDepth;
}

// ---- transactions, undo and redo ---------------------------------------

void CTMemDbEngine::PrepareChange()
{
  if (v_nestedTransactions > 0)
    return;
  v_transactionTop->Fold();
  v_redoTop.reset();
}

void CTMemDbEngine::PushLayer(int nMsgID, int nAppUpdateCode, bool bCanRedo, int nSingleClsID, int nSingleObjID)
{
  v_transactionTop = CTTransactionLayer::Create(v_tables, std::move(v_transactionTop), nMsgID, nAppUpdateCode,
                                                bCanRedo, nSingleClsID, nSingleObjID);
}

void CTMemDbEngine::LimitUndoDepth()
{
  CTTransactionLayer* layer = v_transactionTop.get();
  for (int distance = 0; layer && distance < GetMaxUndoDepth(); ++distance)
    layer = layer->GetParent();
  if (layer)
    layer->Fold();
}

void CTMemDbEngine::DropTopLayer()
{
  if (std::unique_ptr<CTTransactionLayer> below = v_transactionTop->TakeParent())
    v_transactionTop = std::move(below);
}

void CTMemDbEngine::StartTransaction(int nMsgID, int nAppUpdateCode, bool bCanRedo, int nUpdateClsID,
                                     int nUpdateObjID)
{
  if (v_nestedTransactions > 0) {
    v_transactionTop->SetAppUpdateCode(v_transactionTop->GetAppUpdateCode() | nAppUpdateCode);
  } else {
    const bool mergesWithTop = nUpdateObjID != 0 && v_transactionTop->SingleClsID() == nUpdateClsID &&
                               v_transactionTop->SingleObjID() == nUpdateObjID &&
                               v_transactionTop->GetAppUpdateCode() == nAppUpdateCode;
    if (!mergesWithTop)
      PushLayer(nMsgID, nAppUpdateCode, bCanRedo, nUpdateClsID, nUpdateObjID);
  }
  ++v_nestedTransactions;
  v_redoTop.reset();
}

void CTMemDbEngine::EndTransaction()
{
  if (v_nestedTransactions == 0)
    return;
  if (--v_nestedTransactions == 0)
    EndOutermostTransaction();
}

void CTMemDbEngine::StartNullTransaction()
{
  if (v_nestedTransactions == 0) {
    PushLayer(0, 0, true, 0, 0);
    v_nullTransactionOpen = true;
  }
  ++v_nestedTransactions;
}

void CTMemDbEngine::EndNullTransaction()
{
  EndTransaction();
}

void CTMemDbEngine::EndOutermostTransaction()
{
  // What the outermost start opened decides, whichever end closes it.
  const bool discard = v_nullTransactionOpen;
  v_nullTransactionOpen = false;
  if (!v_transactionTop->GetParent())
    return; // folded meanwhile (by the depth limit or a write): nothing to take back
  // A null layer only ever changed itself, so dropping it restores the data
  // and the back-references below; an empty step leaves no undo step. Only
  // a step that stays pushes the oldest one out of reach.
  if (discard || !v_transactionTop->Optimize(false))
    DropTopLayer();
  else
    LimitUndoDepth();
}

bool CTMemDbEngine::CanUndo(int& nMsgID)
{
  nMsgID = 0;
  if (IsReadOnly() || v_nestedTransactions > 0 || !v_transactionTop->GetParent())
    return false;
  nMsgID = v_transactionTop->GetDescription();
  return true;
}

bool CTMemDbEngine::CanRedo(int& nMsgID)
{
  nMsgID = 0;
  if (IsReadOnly() || v_nestedTransactions > 0 || !v_redoTop)
    return false;
  nMsgID = v_redoTop->GetDescription();
  return true;
}

int CTMemDbEngine::Undo()
{
  // Not while a transaction is open: its changes would land in the step below.
  int msg = 0;
  if (!CanUndo(msg))
    return 0;
  std::unique_ptr<CTTransactionLayer> undone = std::move(v_transactionTop);
  v_transactionTop = undone->TakeParent();
  const int code = undone->GetAppUpdateCode();
  const bool canRedo = undone->CanRedo();
  undone->SetParent(std::move(v_redoTop));
  v_redoTop = std::move(undone);
  if (!canRedo)
    v_redoTop.reset();
  return code;
}

int CTMemDbEngine::Redo()
{
  int msg = 0;
  if (!CanRedo(msg))
    return 0;
  std::unique_ptr<CTTransactionLayer> redone = std::move(v_redoTop);
  v_redoTop = redone->TakeParent();
  redone->SetParent(std::move(v_transactionTop));
  v_transactionTop = std::move(redone);
  return v_transactionTop->GetAppUpdateCode();
}

int CTMemDbEngine::UndoSteps() const
{
  int steps = 0;
  for (const CTTransactionLayer* layer = v_transactionTop.get(); layer->GetParent(); layer = layer->GetParent())
    ++steps;
  return steps;
}

int CTMemDbEngine::RedoSteps() const
{
  int steps = 0;
  for (const CTTransactionLayer* layer = v_redoTop.get(); layer; layer = layer->GetParent())
    ++steps;
  return steps;
}

void CTMemDbEngine::DebugDump(std::ostream& out) const
{
  out << "TRANSACTION STACK\n=================\n";
  v_transactionTop->DebugDump(out);
  if (v_redoTop) {
    out << "\nREDO STACK\n==========\n";
    v_redoTop->DebugDump(out);
  }
}

CTDbLoadOptions CTMemDbEngine::LoadOptions() const
{
  if (v_loadOptions)
    return *v_loadOptions;
  return {Settings().compression, Settings().signature, Settings().autoCorrect, {}};
}

// ---- loading and writing ------------------------------------------------

bool CTMemDbEngine::Connect(const std::string&, const std::string&, bool bMustFlagErrors)
{
  if (GetDatabaseName().empty()) {
    SetConnected(true);
    return true;
  }
  std::unique_ptr<CTBufferedFileStream> file;
  try {
    file = std::make_unique<CTMyFileStream>(GetDatabaseName(), fmReadDenyWrite);
  } catch (const std::exception& e) {
    v_lastError = e.what();
    if (bMustFlagErrors)
      CTDbObject::ShowDbMessage(nullptr, kMsgCannotOpen, GetDatabaseName());
    return false;
  }
  const bool loaded = LoadFromStream(*file);
  if (!loaded && bMustFlagErrors)
    CTDbObject::ShowDbMessage(nullptr, kMsgInvalidStructure, GetDatabaseName());
  SetConnected(loaded);
  return loaded;
}

bool CTMemDbEngine::LoadFromStream(CTStream& pStream)
{
  const CTDbLoadOptions options = LoadOptions();
  try {
    if (options.compression) {
      CTLZSSAutoExpandStream source(pStream, options.signature);
      CTStreamIO io(source);
      return ReadFrom(io) == 0;
    }
    CTStreamIO io(pStream);
    return ReadFrom(io) == 0;
  } catch (const std::exception& e) {
    v_lastError = e.what();
    v_lastLoadError = {e.what()};
    return false;
  }
}

int CTMemDbEngine::ReadFrom(CTStreamIO& pIO)
{
  PrepareChange(); // what is read replaces tables of the committed data
  v_lastLoadError = {};
  v_lastReadReport = {};
  try {
    const CTDbLoadOptions options = LoadOptions();
    CTEdiReader reader(pIO, *GetFactory(), v_tables, MappingTable(), options.autoCorrect, options.recordRule);
    reader.ReadInto(*v_transactionTop);
    v_lastReadReport = reader.Report();
    v_lastError.clear();
    return 0;
  } catch (const CTEdiFormatError& e) {
    v_lastError = e.what();
    v_lastLoadError = {e.Reason(), e.Line(), e.Offset()};
  } catch (const CTDbException& e) {
    v_lastError = e.what();
    v_lastLoadError = {e.what()};
  } catch (const CTStreamError& e) {
    v_lastError = e.what();
    v_lastLoadError = {e.what()};
  }
  return -1;
}

void CTMemDbEngine::WriteToStream(CTStream& pStream)
{
  // Writing commits: the stack is folded into one layer. The scratch layer
  // of an open null transaction stays on top, unwritten, to be discarded.
  CTTransactionLayer& written = v_nullTransactionOpen && v_transactionTop->GetParent()
                                  ? *v_transactionTop->GetParent()
                                  : *v_transactionTop;
  written.Fold();
  written.Optimize(true);
  if (const CTDbLoadOptions options = LoadOptions(); options.compression) {
    CTLZSSCompressorStream compressor(pStream, options.signature);
    CTEdiWriter(compressor, *GetFactory()).Write(written);
    compressor.Finish();
  } else {
    CTEdiWriter(pStream, *GetFactory()).Write(written);
  }
  v_redoTop.reset();
  NotifyModified(false, 0, 0, {}, 0);
}

// ---- object operations --------------------------------------------------

bool CTMemDbEngine::Serves(int nClsID) const
{
  return nClsID >= 0 && nClsID < static_cast<int>(v_tables.size()) && v_tables[nClsID];
}

void CTMemDbEngine::RequireWritable(int nClsID) const
{
  if (IsReadOnly()) {
    const CTTableInfo* table = GetFactory()->GetTableInfo(nClsID);
    CTDbException::RaiseExc(excReadOnly, table ? table->TableName() : std::string());
  }
}

CTElemDbObject& CTMemDbEngine::ElementOf(const CTDbObject* pObj) const
{
  CTElemDbObject* elem = v_transactionTop->FindObject(pObj->TableIndex(), pObj->GetID());
  if (!elem)
    CTDbException::RaiseExc(excRecNotFound);
  return *elem;
}

bool CTMemDbEngine::ObjectExists(int nClsID, int nObjID)
{
  return v_transactionTop->FindObject(nClsID, nObjID) != nullptr;
}

void CTMemDbEngine::DoRead(CTDbObject* pObj)
{
  pObj->Values().CopyValues(ElementOf(pObj).Values(), 1, true, false);
}

void CTMemDbEngine::GetBinaryValue(CTDbObject* pObj, int nFieldIx, ByteArray& out)
{
  const ByteArray& bytes = ElementOf(pObj).Values().GetBinaryValue(nFieldIx);
  out.insert(out.end(), bytes.begin(), bytes.end());
}

void CTMemDbEngine::SetBinaryValue(CTDbObject* pObj, int nFieldIx, std::span<const std::byte> bytes)
{
  RequireWritable(pObj->TableIndex());
  PrepareChange();
  if (!v_transactionTop->UpdateBinary(pObj->TableIndex(), pObj->GetID(), nFieldIx, bytes))
    CTDbException::RaiseExc(excRecNotFound);
  NotifyModified(true, pObj->TableIndex(), pObj->GetID(), pObj->GetName(), kUpdated);
}

void CTMemDbEngine::DoInsert(CTDbObject* pObj)
{
  const int clsID = pObj->TableIndex();
  RequireWritable(clsID);
  if (pObj->GetID() != 0 && v_transactionTop->FindObject(clsID, pObj->GetID()))
    CTDbException::RaiseExc(excIDUsed, std::to_string(pObj->GetID()));
  PrepareChange();
  CTElemDbObject* elem = v_transactionTop->InsertObject(clsID, pObj->Values(), GetAutoCorrect());
  if (!elem) // refused under auto-correction: a referenced object is missing
    CTDbException::RaiseExc(excRelRequired, pObj->DatabaseTable()->TableName());
  NotifyModified(true, clsID, elem->ID(), pObj->GetName(), kInserted);
}

void CTMemDbEngine::DoUpdate(CTDbObject* pObj)
{
  RequireWritable(pObj->TableIndex());
  PrepareChange();
  if (!v_transactionTop->UpdateObject(pObj->TableIndex(), pObj->GetID(), pObj->Values(), GetAutoCorrect()))
    CTDbException::RaiseExc(excRecNotFound);
  NotifyModified(true, pObj->TableIndex(), pObj->GetID(), pObj->GetName(), kUpdated);
}

void CTMemDbEngine::DoUpdateRef(CTDbObject* pObj, int nFieldIx, int nToClsID, int nToObjID)
{
  RequireWritable(pObj->TableIndex());
  PrepareChange();
  if (!v_transactionTop->UpdateObjectREF(pObj->TableIndex(), pObj->GetID(), nFieldIx, nToClsID, nToObjID,
                                         GetAutoCorrect()))
    CTDbException::RaiseExc(excRecNotFound);
  NotifyModified(true, pObj->TableIndex(), pObj->GetID(), pObj->GetName(), kUpdated);
}

void CTMemDbEngine::DoRemove(CTDbObject* pObj)
{
  RequireWritable(pObj->TableIndex());
  CTElemDbObject* elem = v_transactionTop->FindObject(pObj->TableIndex(), pObj->GetID());
  if (!elem)
    return;
  PrepareChange(); // living elements keep their addresses through a fold
  RemoveWithDependents({elem}, true);
}

void CTMemDbEngine::RemoveWithDependents(std::vector<CTElemDbObject*> roots, bool bNotify)
{
  // The removal set, one list per class id, each in the order it was found.
  std::map<int, std::vector<CTElemDbObject*>> removal;
  auto inSet = [&removal](int nClsID, int nObjID) {
    auto it = removal.find(nClsID);
    return it != removal.end() &&
           std::any_of(it->second.begin(), it->second.end(), [&](const CTElemDbObject* e) { return e->ID() == nObjID; });
  };
  std::vector<CTElemDbObject*> pending = std::move(roots);
  while (!pending.empty()) {
    CTElemDbObject* elem = pending.front();
    pending.erase(pending.begin());
    if (inSet(elem->TableIndex(), elem->ID()))
      continue;
    removal[elem->TableIndex()].push_back(elem);
    for (const CTDbRelation& r : elem->Refs())
      if (r.v_model->CascadeDelete())
        if (CTElemDbObject* dependent = v_transactionTop->FindObject(r.v_refClsID, r.v_refObjID))
          pending.push_back(dependent);
  }
  // An object that stays and requires one of these would be left dangling.
  for (const auto& [clsID, elements] : removal)
    for (CTElemDbObject* elem : elements)
      for (const CTDbRelation& r : elem->Refs())
        if (r.v_model->RefIntegrity() && !inSet(r.v_refClsID, r.v_refObjID) &&
            v_transactionTop->FindObject(r.v_refClsID, r.v_refObjID))
          CTDbException::RaiseExc(excRelRequired, elem->DatabaseTable()->TableName());

  for (const auto& [clsID, elements] : removal)
    for (CTElemDbObject* elem : elements) {
      const int id = elem->ID();
      if (bNotify)
        NotifyModified(true, clsID, id, {}, kRemoved);
      v_transactionTop->RemoveObject(clsID, id);
    }
}

CTDbObjectList CTMemDbEngine::AllObjects(int nClsID, const CTDbObjectProgressIndicator& pCallback)
{
  CTDbObjectList all;
  if (!Serves(nClsID))
    return all;
  for (const CTElemDbObject* elem : v_transactionTop->AddObjectsOfClass(nClsID)) {
    if (CTDbObject* obj = GetFactory()->CreateObject(nClsID, elem->ID()))
      all.Add(obj);
    if (pCallback)
      pCallback();
  }
  return all;
}

int CTMemDbEngine::CountObjects(int nClsID)
{
  return v_transactionTop->CountObjectsOfClass(nClsID);
}

void CTMemDbEngine::PurgeTable(int nClsID)
{
  RequireWritable(nClsID);
  if (!Serves(nClsID))
    return;
  PrepareChange();
  std::vector<CTElemDbObject*> all = v_transactionTop->AddObjectsOfClass(nClsID);
  if (!all.empty())
    RemoveWithDependents(std::move(all), true);
  // Above the bottom the removal marks must stay: they hide the versions below.
  v_transactionTop->Optimize(!v_transactionTop->GetParent());
  int largestID = 0;
  for (const CTElemDbObject* elem : v_transactionTop->AddObjectsOfClass(nClsID))
    largestID = std::max(largestID, elem->ID());
  v_transactionTop->Map(nClsID)->SetMaxID(largestID);
}

bool CTMemDbEngine::DoIsUnique(CTDbObject* pObj, int nFieldIx, const std::string& szVal, bool bIgnoreCase)
{
  for (const CTElemDbObject* elem : v_transactionTop->AddObjectsOfClass(pObj->TableIndex())) {
    if (elem->ID() == pObj->GetID())
      continue;
    const std::string& value = elem->Values().GetUnicodeStringValue(nFieldIx);
    if (bIgnoreCase ? platform::EqualsIgnoreCase(value, szVal) : value == szVal)
      return false;
  }
  return true;
}

CTDbObject* CTMemDbEngine::DoGetRelation(CTDbObject* pObj, int nFieldIx)
{
  const CTElemDbObject& elem = ElementOf(pObj);
  const CTTableLink* link = LinkOfField(*elem.DatabaseTable(), nFieldIx);
  if (!link)
    CTDbException::RaiseExc(excDbStructure);
  std::int32_t clsID, objID;
  elem.Values().GetRefValues(nFieldIx, clsID, objID);
  if (objID < 1)
    return nullptr;
  CTDbObject* related = GetFactory()->SafeCreateObject(clsID, objID);
  if (!related && link->RefIntegrity())
    CTDbException::RaiseExc(excRecNotFound);
  return related;
}

const CTTableLink& CTMemDbEngine::LinkFor(const CTDbObject* pObj, int nClsID, int nFieldIx) const
{
  const CTTableInfo* referring = GetFactory()->GetTableInfo(nClsID);
  if (referring)
    for (const CTTableLink* link : pObj->DatabaseTable()->GetReferences())
      if (referring->IsOfClass(link->ToClsID()) && link->ToFieldIx() == nFieldIx)
        return *link;
  CTDbException::RaiseExc(excDbStructure);
}

void CTMemDbEngine::VisitReferrers(CTDbObject* pObj, int nClsID, int nFieldIx,
                                   const std::function<bool(const CTElemDbObject&)>& visit)
{
  const CTTableLink& link = LinkFor(pObj, nClsID, nFieldIx);
  std::vector<CTDbRelation>& referrers = ElementOf(pObj).Refs();
  for (std::size_t i = 0; i < referrers.size();) {
    const CTDbRelation r = referrers[i];
    const CTTableInfo* refTable = GetFactory()->GetTableInfo(r.v_refClsID);
    if (r.v_model != &link || !refTable || !refTable->IsOfClass(nClsID)) {
      ++i;
      continue;
    }
    const CTElemDbObject* elem = v_transactionTop->FindObject(r.v_refClsID, r.v_refObjID);
    if (!elem) {
      referrers.erase(referrers.begin() + static_cast<std::ptrdiff_t>(i)); // a stale referrer, met lazily
      continue;
    }
    ++i;
    if (!visit(*elem))
      return;
  }
}

CTDbObjectList CTMemDbEngine::DoGetRelated(CTDbObject* pObj, int nClsID, int nFieldIx, const CTFieldList*,
                                           const CTValueFilter* pFilter, bool bSingle, bool& bMustSort)
{
  bMustSort = true;
  CTDbObjectList related;
  auto accept = [&](const CTElemDbObject& elem) { return !pFilter || (*pFilter)(elem.Values()); };
  if (Serves(pObj->TableIndex())) {
    VisitReferrers(pObj, nClsID, nFieldIx, [&](const CTElemDbObject& elem) {
      if (!accept(elem))
        return true;
      related.Add(GetFactory()->CreateObject(elem.TableIndex(), elem.ID()));
      return !bSingle;
    });
    return related;
  }
  // pObj lives in another engine: scan the referring tables of this one.
  for (int clsID = 0; clsID < static_cast<int>(v_tables.size()); ++clsID) {
    if (!v_tables[clsID] || !v_tables[clsID]->IsOfClass(nClsID))
      continue;
    for (const CTElemDbObject* elem : v_transactionTop->AddObjectsOfClass(clsID)) {
      std::int32_t refCls, refObj;
      elem->Values().GetRefValues(nFieldIx, refCls, refObj);
      if (refCls != pObj->TableIndex() || refObj != pObj->GetID() || !accept(*elem))
        continue;
      related.Add(GetFactory()->CreateObject(clsID, elem->ID()));
      if (bSingle)
        return related;
    }
  }
  return related;
}

int CTMemDbEngine::DoGetMaxOrder(CTDbObject* pObj, int nClsID, int nFieldIx)
{
  if (!Serves(pObj->TableIndex()))
    return CTDbEngine::DoGetMaxOrder(pObj, nClsID, nFieldIx);
  int maxOrder = -1;
  VisitReferrers(pObj, nClsID, nFieldIx, [&](const CTElemDbObject& elem) {
    maxOrder = std::max(maxOrder, elem.Values().GetIntegerValue(nFieldIx + 2));
    return true;
  });
  return maxOrder;
}

CTDbObjectList CTMemDbEngine::DoSelectByExample(CTDbObject* pObj, const std::vector<std::string>*, bool& bMustSort,
                                                const CTDbObjectProgressIndicator& pCallback)
{
  bMustSort = true;
  CTDbObjectList selected;
  for (int clsID = 0; clsID < static_cast<int>(v_tables.size()); ++clsID) {
    if (!v_tables[clsID] || !v_tables[clsID]->IsOfClass(pObj->TableIndex()))
      continue;
    for (const CTElemDbObject* elem : v_transactionTop->ObjectsMatching(clsID, pObj->Values())) {
      selected.Add(GetFactory()->CreateObject(clsID, elem->ID()));
      if (pCallback)
        pCallback();
    }
  }
  return selected;
}

void CTMemDbEngine::DoRemoveByExample(CTDbObject* pObj)
{
  std::vector<CTElemDbObject*> matching;
  for (int clsID = 0; clsID < static_cast<int>(v_tables.size()); ++clsID)
    if (v_tables[clsID] && v_tables[clsID]->IsOfClass(pObj->TableIndex()))
      for (CTElemDbObject* elem : v_transactionTop->ObjectsMatching(clsID, pObj->Values()))
        matching.push_back(elem);
  if (matching.empty())
    return;
  PrepareChange();
  RemoveWithDependents(std::move(matching), true);
}

void CTMemDbEngine::RemoveOrphans()
{
  std::vector<CTElemDbObject*> orphans;
  for (int clsID = 0; clsID < static_cast<int>(v_tables.size()); ++clsID)
    if (v_tables[clsID])
      for (CTElemDbObject* elem : v_transactionTop->AddOrphans(clsID))
        orphans.push_back(elem);
  if (orphans.empty())
    return;
  PrepareChange();
  RemoveWithDependents(std::move(orphans), false);
}

} // namespace aw
