#pragma once
// CTDbEngine: the abstract storage engine behind the tables of one logical
// database. The public operations serve the factory and the program; the
// Do... operations are what persistent objects call under the global lock.

#include "db/DbException.h"
#include "foundation/ObjList.h"
#include "foundation/StreamIO.h"
#include "foundation/ValueList.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace aw {

class CTBaseFactory;
class CTDbObject;
class CTMappingTable;
class CTTableInfo;

using CTDbObjectList = OwningObjectList<CTDbObject>;
// Called once per object produced by AllObjects and the selections.
using CTDbObjectProgressIndicator = std::function<void()>;
// Receives a stored value list and answers whether the object is wanted.
using CTValueFilter = std::function<bool(const CTValueList&)>;
// Told about every change of stored data.
using CTModifiedProcEx =
  std::function<void(bool b, int nClsID, int nObjID, const std::string& szObjName, int nAppUpdCode)>;

// Translates stored texts of multilingual fields (the catalogue glossary).
class CTTranslationSource
{
public:
  virtual ~CTTranslationSource() = default;
  // The translation of szText, or an empty string when there is none.
  virtual std::string FindTranslationFor(const std::string& szText) const = 0;
};

enum CTDbCapability : int
{
  dbcSelectByExample = 0,
  dbcSelectLikeExample = 1,
  dbcRemoveByExample = 2,
  dbcInheritance = 3,
  dbcUndo = 4,
  dbcRedo = 5,
  dbcSort = 6,
  dbcLiveData = 7,
  dbcChooseDb = 8,
  dbcInsertWithID = 9,
  dbcPreparedQuery = 10,
};

class CTDbEngine
{
public:
  CTDbEngine(CTBaseFactory* pFactory, std::string szLogicalName, std::string szDatabaseName, bool bReadOnly);
  // Closes with the base behaviour; engines with storage close their own in their destructors.
  virtual ~CTDbEngine();
  CTDbEngine(const CTDbEngine&) = delete;
  CTDbEngine& operator=(const CTDbEngine&) = delete;

  CTBaseFactory* GetFactory() const { return v_factory; }
  const std::string& GetLogicalName() const { return v_logicalName; }
  const std::string& GetDatabaseName() const { return v_databaseName; }
  bool IsReadOnly() const { return v_readOnly; }
  void SetReadOnly(bool b) { v_readOnly = b; }
  bool IsConnected() const { return v_connected; }

  bool HasCapability(int nCap) const { return nCap >= 0 && nCap <= 15 && (v_capabilities >> nCap) & 1u; }
  std::uint16_t Capabilities() const { return v_capabilities; }
  static std::string CapabilityString(int nCap);

  const CTTranslationSource* EngineGlossary() const { return v_glossary; }
  void SetEngineGlossary(const CTTranslationSource* pGlossary) { v_glossary = pGlossary; }
  const CTMappingTable* MappingTable() const { return v_mappingTable; }
  void SetMappingTable(const CTMappingTable* pTable) { v_mappingTable = pTable; }
  void SetModifiedProc(CTModifiedProcEx pProc) { v_modifiedProc = std::move(pProc); }
  // Tells the modification procedure that the database was opened.
  void NotifyOpened() { NotifyModified(false, 0, 0, {}, 0); }
  // Without a procedure: disables and answers false; else answers the previous state.
  bool EnableModifiedProc(bool b);

  // Public operations.
  virtual bool NeedsLogon() { return false; }
  virtual bool Connect(const std::string& szUserName, const std::string& szPassword, bool bMustFlagErrors) = 0;
  virtual bool TestTable(CTTableInfo* pTable, bool bThorough, bool bMustFlagErrors);
  virtual std::string GetTypeString() const = 0;
  // Writes the engine's data as a database file; engines without a file form raise excCapable.
  virtual void WriteToStream(CTStream& pStream);
  virtual bool ObjectExists(int nClsID, int nObjID) = 0;
  // Appends the stored bytes of a binary field to out.
  virtual void GetBinaryValue(CTDbObject* pObj, int nFieldIx, ByteArray& out) = 0;
  virtual void SetBinaryValue(CTDbObject* pObj, int nFieldIx, std::span<const std::byte> bytes) = 0;
  virtual CTDbObjectList AllObjects(int nClsID, const CTDbObjectProgressIndicator& pCallback) = 0;
  virtual int CountObjects(int nClsID);
  virtual void PurgeTable(int nClsID) = 0;
  virtual void StartTransaction(int nMsgID, int nAppUpdateCode, bool bCanRedo, int nUpdateClsID, int nUpdateObjID);
  virtual void EndTransaction() {}
  virtual bool CanUndo(int& nMsgID);
  virtual bool CanRedo(int& nMsgID);
  virtual int Undo();
  virtual int Redo();
  virtual void SrvrBeginTransAction(const std::string& szName, const std::string& szIsolation);
  virtual void SrvrCommitTransAction(const std::string& szName);
  virtual void SrvrRollBackTransAction(const std::string& szName);

  // Operations of persistent objects.
  // Marks the engine unconnected and empties the cache of every table it serves.
  virtual void DoClose();
  virtual void DoRead(CTDbObject* pObj) = 0;
  virtual void DoInsert(CTDbObject* pObj) = 0;
  virtual void DoInsertTemp(CTDbObject* pObj) { DoInsert(pObj); }
  virtual void DoRemove(CTDbObject* pObj) = 0;
  virtual void DoUpdate(CTDbObject* pObj) = 0;
  virtual void DoUpdateRef(CTDbObject* pObj, int nFieldIx, int nToClsID, int nToObjID) = 0;
  virtual bool DoIsUnique(CTDbObject* pObj, int nFieldIx, const std::string& szVal, bool bIgnoreCase) = 0;
  virtual CTDbObject* DoGetRelation(CTDbObject* pObj, int nFieldIx) = 0;
  // The objects of class nClsID whose reference field nFieldIx refers to pObj.
  virtual CTDbObjectList DoGetRelated(CTDbObject* pObj, int nClsID, int nFieldIx, const CTFieldList* pSortKeys,
                                      const CTValueFilter* pFilter, bool bSingle, bool& bMustSort) = 0;
  virtual CTDbObject* DoGetSingleRelated(CTDbObject* pObj, int nClsID, int nFieldIx);
  // The highest order index among the objects referring to pObj through the link of nFieldIx, -1 for none.
  virtual int DoGetMaxOrder(CTDbObject* pObj, int nClsID, int nFieldIx);
  virtual CTDbObjectList DoSelectByExample(CTDbObject* pObj, const std::vector<std::string>* pOrderFields,
                                           bool& bMustSort, const CTDbObjectProgressIndicator& pCallback);
  virtual CTDbObjectList DoSelectLikeExample(CTDbObject* pObj, int nMaxItems,
                                             const std::vector<std::string>* pOrderFields, bool& bMustSort,
                                             const CTDbObjectProgressIndicator& pCallback);
  virtual int DoCountByExample(CTDbObject* pObj);
  virtual void DoRemoveByExample(CTDbObject* pObj);

protected:
  void SetCapabilities(std::uint16_t nSet) { v_capabilities = nSet; }
  void SetConnected(bool b) { v_connected = b; }
  // Tells the modification procedure, when one is set and enabled.
  void NotifyModified(bool b, int nClsID, int nObjID, const std::string& szObjName, int nAppUpdCode);

private:
  CTBaseFactory* v_factory;
  std::string v_logicalName;
  std::string v_databaseName;
  bool v_readOnly;
  bool v_connected = false;
  CTModifiedProcEx v_modifiedProc;
  bool v_modifiedProcEnabled = true;
  std::uint16_t v_capabilities = 0;
  const CTTranslationSource* v_glossary = nullptr;
  const CTMappingTable* v_mappingTable = nullptr;
};

} // namespace aw
