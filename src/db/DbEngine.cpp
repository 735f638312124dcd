#include "db/DbEngine.h"

#include "db/BaseFactory.h"
#include "db/DbObject.h"

namespace aw {

CTDbEngine::CTDbEngine(CTBaseFactory* pFactory, std::string szLogicalName, std::string szDatabaseName, bool bReadOnly)
  : v_factory(pFactory), v_logicalName(std::move(szLogicalName)), v_databaseName(std::move(szDatabaseName)),
    v_readOnly(bReadOnly)
{
}

CTDbEngine::~CTDbEngine()
{
  CTDbEngine::DoClose();
}

std::string CTDbEngine::CapabilityString(int nCap)
{
  switch (nCap) {
  case dbcSelectByExample: return "Select by example";
  case dbcSelectLikeExample: return "Select like example";
  case dbcRemoveByExample: return "Remove by example";
  case dbcInheritance: return "Inheritance";
  case dbcUndo: return "Undo";
  case dbcRedo: return "Redo";
  case dbcSort: return "Sort";
  case dbcLiveData: return "Live data";
  case dbcInsertWithID: return "Insert with ID";
  default: return "*** Unknown CTDbEngine capability ***";
  }
}

void CTDbEngine::WriteToStream(CTStream&)
{
  CTDbException::RaiseExc(excCapable, CapabilityString(dbcLiveData));
}

bool CTDbEngine::TestTable(CTTableInfo*, bool, bool)
{
  return true;
}

int CTDbEngine::CountObjects(int nClsID)
{
  return AllObjects(nClsID, {}).Count();
}

void CTDbEngine::StartTransaction(int, int, bool, int, int) {}

bool CTDbEngine::CanUndo(int& nMsgID)
{
  nMsgID = 0;
  if (!HasCapability(dbcUndo))
    CTDbException::RaiseExc(excNotCapable, CapabilityString(dbcUndo));
  return false;
}

bool CTDbEngine::CanRedo(int& nMsgID)
{
  nMsgID = 0;
  if (!HasCapability(dbcRedo))
    CTDbException::RaiseExc(excNotCapable, CapabilityString(dbcRedo));
  return false;
}

int CTDbEngine::Undo()
{
  int msg = 0;
  CanUndo(msg);
  return 0;
}

int CTDbEngine::Redo()
{
  int msg = 0;
  CanRedo(msg);
  return 0;
}

void CTDbEngine::SrvrBeginTransAction(const std::string&, const std::string&) {}
void CTDbEngine::SrvrCommitTransAction(const std::string&) {}
void CTDbEngine::SrvrRollBackTransAction(const std::string&) {}

void CTDbEngine::DoClose()
{
  v_connected = false;
  if (!v_factory)
    return;
  for (int clsID = 0; clsID < v_factory->TableCount(); ++clsID)
    if (CTTableInfo* table = v_factory->GetTableInfo(clsID); table && table->GetDbEngine() == this)
      table->CleanupCache();
}

CTDbObject* CTDbEngine::DoGetSingleRelated(CTDbObject* pObj, int nClsID, int nFieldIx)
{
  bool mustSort = false;
  CTDbObjectList related = DoGetRelated(pObj, nClsID, nFieldIx, nullptr, nullptr, true, mustSort);
  if (related.Count() != 1)
    return nullptr;
  return related.Release().First();
}

int CTDbEngine::DoGetMaxOrder(CTDbObject* pObj, int nClsID, int nFieldIx)
{
  if (!pObj || !pObj->IsStored())
    CTDbException::RaiseExc(excRecNotInDB);
  CTTableInfo* table = v_factory->GetTableInfo(nClsID);
  if (!table || !table->Field(nFieldIx + 2))
    CTDbException::RaiseExc(excDbStructure);
  const CTFieldList orderKey{table->Field(nFieldIx + 2)};
  bool mustSort = false;
  CTDbObjectList related = DoGetRelated(pObj, nClsID, nFieldIx, &orderKey, nullptr, false, mustSort);
  if (related.IsEmpty())
    return -1;
  if (mustSort || !HasCapability(dbcSort))
    CTDbObject::SortOnFields(related, {orderKey[0]->GetName()});
  return related.Last()->GetIntegerValue(nFieldIx + 2);
}

CTDbObjectList CTDbEngine::DoSelectByExample(CTDbObject*, const std::vector<std::string>*, bool&,
                                             const CTDbObjectProgressIndicator&)
{
  CTDbException::RaiseExc(excNotCapable, CapabilityString(dbcSelectByExample));
}

CTDbObjectList CTDbEngine::DoSelectLikeExample(CTDbObject*, int, const std::vector<std::string>*, bool&,
                                               const CTDbObjectProgressIndicator&)
{
  CTDbException::RaiseExc(excNotCapable, CapabilityString(dbcSelectLikeExample));
}

int CTDbEngine::DoCountByExample(CTDbObject* pObj)
{
  bool mustSort = false;
  return DoSelectByExample(pObj, nullptr, mustSort, {}).Count();
}

void CTDbEngine::DoRemoveByExample(CTDbObject*)
{
  CTDbException::RaiseExc(excNotCapable, CapabilityString(dbcRemoveByExample));
}

bool CTDbEngine::EnableModifiedProc(bool b)
{
  if (!v_modifiedProc) {
    v_modifiedProcEnabled = false;
    return false;
  }
  const bool previous = v_modifiedProcEnabled;
  v_modifiedProcEnabled = b;
  return previous;
}

void CTDbEngine::NotifyModified(bool b, int nClsID, int nObjID, const std::string& szObjName, int nAppUpdCode)
{
  if (!v_modifiedProc || !v_modifiedProcEnabled)
    return;
  try {
    v_modifiedProc(b, nClsID, nObjID, szObjName, nAppUpdCode);
  } catch (const std::exception&) {
    // The listener's failure is not the engine's.
  }
}

} // namespace aw
