#pragma once
// CTMemDbEngine: the storage engine that keeps every stored object of its
// logical database in memory. It loads the whole database from a file in
// the EDI text format (optionally LZSS-compressed behind a signature) when
// it connects, answers every object operation from memory, keeps the
// back-references that relations, integrity and cascades need, and writes
// the whole database back on request.

#include "db/BaseFactory.h"
#include "db/DbEngine.h"
#include "db/DbFileFormat.h"
#include "db/TransactionLayer.h"
#include "foundation/StreamIO.h"

#include <functional>
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

  // The table map of a class in the top layer, for tools and tests.
  const CTElemDbObjectMap* TableMap(int nClsID) const { return v_transactionTop->Map(nClsID); }

protected:
  int EngineIndex() const { return v_engineIndex; }
  const CTTransactionLayer::TableList& Tables() const { return v_tables; }

private:
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
  std::string v_lastError;
  CTDbLoadError v_lastLoadError;
  CTEdiReadReport v_lastReadReport;
  std::optional<CTDbLoadOptions> v_loadOptions;
};

} // namespace aw
