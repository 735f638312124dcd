#pragma once
// CTMemDbEngine: the storage engine that keeps every stored object of its
// logical database in memory. It loads the whole database from a file in
// the EDI text format (optionally LZSS-compressed behind a signature) when
// it connects, answers every object operation from memory, keeps the
// back-references that relations, integrity and cascades need, and writes
// the whole database back on request.
//
// Changes are grouped into transactions: each outermost transaction puts a
// layer on the data stack, which Undo moves to the redo stack and Redo moves
// back. Changes made while no transaction is open fold the stack into one
// layer first and cannot be undone.

#include "db/BaseFactory.h"
#include "db/DbEngine.h"
#include "db/DbFileFormat.h"
#include "db/TransactionLayer.h"
#include "foundation/StreamIO.h"

#include <functional>
#include <iosfwd>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace aw {

// Why the last load failed: the reason, and for a damaged text its line and
// byte offset (0 and -1 when the failure has no place in the text).
struct CTDbLoadError
{
  std::string reason;
  int line = 0;
  std::int64_t offset = -1;
};

class CTMemDbEngine : public CTDbEngine
{
public:
  CTMemDbEngine(CTBaseFactory* pFactory, std::string szLogicalName, std::string szDatabaseName, bool bReadOnly,
                int nEngineIndex);
  ~CTMemDbEngine() override;

  // Registers the engine kind that serves a database from its file.
  static void RegisterEngine();

  // Process-wide settings, made once at start-up before any engine exists.
  static bool UseCompression(bool bUse); // answers the previous setting
  static bool CompressionOn();
  static void SetCompressionSignature(const std::string& szSig);
  static const std::string& CompressionSignature();
  static bool GetAutoCorrect();
  static void SetAutoCorrect(bool b);
  // The number of steps that stay undoable: 0 to 20, anything else gives 5.
  static void SetMaxUndoDepth(int n);
  static int GetMaxUndoDepth();
  // This engine's reading and writing, instead of the process-wide settings above.
  void SetLoadOptions(const CTDbLoadOptions& options) { v_loadOptions = options; }
  CTDbLoadOptions LoadOptions() const;

  bool Connect(const std::string& szUserName, const std::string& szPassword, bool bMustFlagErrors) override;
  std::string GetTypeString() const override { return "Text"; }

  // Loads a database (plain, or compressed behind the signature) into the
  // top layer. False on any failure; LastError() then says why.
  bool LoadFromStream(CTStream& pStream);
  // Reads a database text; 0 on success, -1 on a format or integrity error.
  int ReadFrom(CTStreamIO& pIO);
  const std::string& LastError() const { return v_lastError; }
  const CTDbLoadError& LastLoadError() const { return v_lastLoadError; }
  // What the last successful read left out (auto-correction only).
  const CTEdiReadReport& LastReadReport() const { return v_lastReadReport; }
  // Writes the database (compressed when switched on).
  void WriteToStream(CTStream& pStream) override;

  bool ObjectExists(int nClsID, int nObjID) override;
  void GetBinaryValue(CTDbObject* pObj, int nFieldIx, ByteArray& out) override;
  void SetBinaryValue(CTDbObject* pObj, int nFieldIx, std::span<const std::byte> bytes) override;
  CTDbObjectList AllObjects(int nClsID, const CTDbObjectProgressIndicator& pCallback) override;
  int CountObjects(int nClsID) override;
  void PurgeTable(int nClsID) override;

  void DoRead(CTDbObject* pObj) override;
  void DoInsert(CTDbObject* pObj) override;
  void DoRemove(CTDbObject* pObj) override;
  void DoUpdate(CTDbObject* pObj) override;
  void DoUpdateRef(CTDbObject* pObj, int nFieldIx, int nToClsID, int nToObjID) override;
  bool DoIsUnique(CTDbObject* pObj, int nFieldIx, const std::string& szVal, bool bIgnoreCase) override;
  CTDbObject* DoGetRelation(CTDbObject* pObj, int nFieldIx) override;
  CTDbObjectList DoGetRelated(CTDbObject* pObj, int nClsID, int nFieldIx, const CTFieldList* pSortKeys,
                              const CTValueFilter* pFilter, bool bSingle, bool& bMustSort) override;
  int DoGetMaxOrder(CTDbObject* pObj, int nClsID, int nFieldIx) override;
  CTDbObjectList DoSelectByExample(CTDbObject* pObj, const std::vector<std::string>* pOrderFields, bool& bMustSort,
                                   const CTDbObjectProgressIndicator& pCallback) override;
  void DoRemoveByExample(CTDbObject* pObj) override;
  // Removes every element that requires a reference into a table this engine does not serve.
  void RemoveOrphans();

  // Transactions nest; only the outermost one makes an undo step. A step
  // started for the same single object and update code as the step on top
  // merges with it. nUpdateClsID/nUpdateObjID name the object the caller is
  // about to update, 0 when the transaction does something else.
  void StartTransaction(int nMsgID, int nAppUpdateCode, bool bCanRedo, int nUpdateClsID, int nUpdateObjID) override;
  void EndTransaction() override;
  // A transaction whose changes are discarded when the outermost one ends.
  void StartNullTransaction();
  void EndNullTransaction();
  int TransactionDepth() const { return v_nestedTransactions; }
  // nMsgID is the message number describing the step.
  bool CanUndo(int& nMsgID) override;
  bool CanRedo(int& nMsgID) override;
  // The update code of the step undone or redone; 0 when there was nothing to do.
  int Undo() override;
  int Redo() override;
  // The layers above the bottom of the data stack (an open transaction's
  // included) and the layers of the redo stack.
  int UndoSteps() const;
  int RedoSteps() const;
  // Writes the data stack and the redo stack in readable form.
  void DebugDump(std::ostream& out) const;

  // The table map of a class in the top layer, for tools and tests.
  const CTElemDbObjectMap* TableMap(int nClsID) const { return v_transactionTop->Map(nClsID); }
  const CTTransactionLayer& TopLayer() const { return *v_transactionTop; }

protected:
  int EngineIndex() const { return v_engineIndex; }
  const CTTransactionLayer::TableList& Tables() const { return v_tables; }

private:
  // Before every change: outside a transaction the stack is folded into one
  // layer and the redo stack discarded.
  void PrepareChange();
  void PushLayer(int nMsgID, int nAppUpdateCode, bool bCanRedo, int nSingleClsID, int nSingleObjID);
  // Folds the layer at the maximum undo depth below the top, if any.
  void LimitUndoDepth();
  // Takes the top layer off the stack and frees it, unless it is the bottom.
  void DropTopLayer();
  void EndOutermostTransaction();
  void RequireWritable(int nClsID) const;
  CTElemDbObject& ElementOf(const CTDbObject* pObj) const;
  // The link of pObj's table through which objects of nClsID refer by field nFieldIx.
  const CTTableLink& LinkFor(const CTDbObject* pObj, int nClsID, int nFieldIx) const;
  bool Serves(int nClsID) const;
  // Visits the living elements that refer to pObj through the link that
  // objects of nClsID use by field nFieldIx, in referrer order, while visit
  // answers true; stale referrers are dropped on the way.
  void VisitReferrers(CTDbObject* pObj, int nClsID, int nFieldIx,
                      const std::function<bool(const CTElemDbObject&)>& visit);
  // Removes the elements and everything that cascades from them, refusing
  // when a remaining object still requires one of them.
  void RemoveWithDependents(std::vector<CTElemDbObject*> roots, bool bNotify);

  int v_engineIndex;
  CTTransactionLayer::TableList v_tables;
  std::unique_ptr<CTTransactionLayer> v_transactionTop;
  std::unique_ptr<CTTransactionLayer> v_redoTop; // linked through the layers' parents
  int v_nestedTransactions = 0;
  // Whether the outermost open transaction is a null one, whose layer is discarded.
  bool v_nullTransactionOpen = false;
  std::string v_lastError;
  CTDbLoadError v_lastLoadError;
  CTEdiReadReport v_lastReadReport;
  std::optional<CTDbLoadOptions> v_loadOptions;
};

} // namespace aw
