#pragma once
// CTDbObject: the base of every persistent entity. An object carries its own
// typed value list laid out on its table's fields (value 0 is the object
// id) and a status. Values change in memory only, until Update, Insert or a
// relation operation reaches the engine. Every query returns new instances
// owned by the caller; two instances of one stored object are independent.

#include "db/BaseFactory.h"
#include "db/DbEngine.h"
#include "db/DbException.h"
#include "db/GlobalLock.h"
#include "db/TableInfo.h"
#include "foundation/ObjList.h"
#include "foundation/ValueList.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace aw {

// The form a dialog validates against: component captions, titles and hints
// by component name. The user interface implements it.
class CTFormResource
{
public:
  virtual ~CTFormResource() = default;
  // The string property of the named component; nothing when there is no
  // such component, an empty text when it lacks the property.
  virtual std::optional<std::string> ComponentProperty(const std::string& szComponent,
                                                       const std::string& szProperty) const = 0;
};

// Shows the object database's numbered validation messages. The message
// layer installs the real one; without it the messages are dropped.
using CTDbMessageSink = std::function<void(const CTFormResource* pParent, int nMsgNo, const std::string& szParam)>;

using CTDbObjectGetRefIDsProc = std::function<void(int& nClsID, int& nObjID)>;

enum CTDbObjectStatus : int
{
  dbsNew = 0,
  dbsStored = 1,
  dbsRemoved = 2,
  dbsDestroying = 16,
};

class CTDbObject
{
public:
  // nObjID below 1: a new object with every field at its default (status new).
  // nObjID 1 or more: the stored values are read (status stored, also when the
  // engine has no such object: use SafeCreateObject or ObjectExists to know).
  // pFactory none: the default factory.
  explicit CTDbObject(int nClsID, int nObjID = 0, CTBaseFactory* pFactory = nullptr);
  virtual ~CTDbObject();
  CTDbObject(const CTDbObject&) = delete;
  CTDbObject& operator=(const CTDbObject&) = delete;

  // Virtual properties that entity classes override.
  virtual std::string GetName() const { return {}; }
  virtual void SetName(const std::string&) {}
  virtual bool ChkName(const CTFormResource* pResource) const;
  virtual std::string GetDescriptiveName() const { return GetName(); }
  virtual std::string GetQualifier() const { return v_tableInfo->ModelClassName(); }
  virtual std::string GetQualifiedName() const { return GetQualifier() + " " + GetName(); }
  virtual std::string GetDescription() const { return {}; }
  virtual void SetDescription(const std::string&) {}
  virtual bool ChkDescription(const CTFormResource*) const { return true; }
  virtual bool GetDeleted() const { return false; }
  virtual void SetDeleted(bool) {}
  virtual bool ChkDeleted(const CTFormResource*) const { return true; }
  virtual int TableIndex() const { return v_tableInfo->GetTableIndex(); }
  virtual std::string InventUniqueName();
  virtual bool ValidateClassConstraints(const CTFormResource*) const { return true; }
  virtual std::string NamePrefix() const;

  // Persistence. Engine errors are swallowed; the answer tells whether the
  // engine did the work, and a failed Insert, Update or Remove leaves the
  // status as it was.
  virtual bool Insert();
  bool InsertWithID(int nID);
  virtual bool InsertTemp();
  virtual bool Update();
  virtual bool Read();
  virtual bool Remove();

  // Values by field index.
  bool GetBooleanValue(int nIx) const { return v_values.GetBooleanValue(nIx); }
  std::int32_t GetIntegerValue(int nIx) const { return v_values.GetIntegerValue(nIx); }
  double GetDoubleValue(int nIx) const { return v_values.GetDoubleValue(nIx); }
  std::int64_t GetCurrencyValue(int nIx) const { return v_values.GetCurrencyValue(nIx); }
  double GetTDateTimeValue(int nIx) const { return v_values.GetTDateTimeValue(nIx); }
  const TGUID& GetTGUIDValue(int nIx) const { return v_values.GetTGUIDValue(nIx); }
  void GetRefValues(int nIx, std::int32_t& nClsID, std::int32_t& nObjID) const { v_values.GetRefValues(nIx, nClsID, nObjID); }
  // The stored text translated through the engine's glossary, when there is a translation.
  std::string GetTranslatedStringValue(int nIx) const;
  const std::string& GetUntranslatedStringValue(int nIx) const { return v_values.GetUnicodeStringValue(nIx); }
  void SetBooleanValue(int nIx, bool b) { v_values.SetBooleanValue(nIx, b); }
  void SetIntegerValue(int nIx, std::int32_t n) { v_values.SetIntegerValue(nIx, n); }
  void SetDoubleValue(int nIx, double d) { v_values.SetDoubleValue(nIx, d); }
  void SetUnicodeStringValue(int nIx, std::string s) { v_values.SetUnicodeStringValue(nIx, std::move(s)); }
  void SetCurrencyValue(int nIx, std::int64_t n) { v_values.SetCurrencyValue(nIx, n); }
  void SetTDateTimeValue(int nIx, double d) { v_values.SetTDateTimeValue(nIx, d); }
  void SetTGUIDValue(int nIx, const TGUID& g) { v_values.SetTGUIDValue(nIx, g); }
  void GenerateTGUIDValue(int nIx);
  void ClearTGUIDValue(int nIx) { SetTGUIDValue(nIx, TGUID{}); }
  static bool IsClearTGUID(const TGUID& nGUID);
  static bool CompareTGUID(const TGUID& nGUID1, const TGUID& nGUID2);

  // Binary values go to and from the engine at once; they are never part of Update.
  bool GetBinaryValue(int nIx, ByteArray& out);
  bool SetBinaryValue(int nIx, std::span<const std::byte> bytes);

  CTValueList& Values() { return v_values; }
  const CTValueList& Values() const { return v_values; }
  const CTFieldList& Descriptors() const { return v_tableInfo->GetFieldInfo(); }
  CTTableInfo* DatabaseTable() const { return v_tableInfo; }

  int GetID() const { return v_values.GetIntegerValue(0); }
  void SetID(int nVal) { v_values.SetIntegerValue(0, nVal); }
  int GetStatus() const { return v_status; }
  void SetStatus(int n) { v_status = n; }
  bool IsStored() const { return (v_status & dbsStored) != 0; }
  bool IsOfClass(int nClsID) const { return v_tableInfo->IsOfClass(nClsID); }
  CTBaseFactory* GetFactory() const;
  void CopyData(const CTDbObject& pFromObj, bool bAlsoRelations, int nStartIx = 1);

  // Relations by the index of the reference field.
  void SetRelationByIx(int nFieldIx, CTDbObject* pRelObj);
  void DropRelationByIx(int nFieldIx);
  CTDbObject* GetRelationByIx(int nFieldIx);
  CTDbObjectList GetRelatedByIx(int nClsID, int nFieldIx, const CTFieldList* pSortKeys = nullptr,
                                const CTValueFilter* pFilter = nullptr);
  CTDbObject* GetSingleRelatedByIx(int nClsID, int nFieldIx);
  bool HasRelations(const std::vector<int>& arExcludeClsIDs = {});

  // Queries with this object as the example: its non-default values are the
  // criteria. An engine's failure raises CTDbException, never a partial answer.
  CTDbObjectList SelectByExample(const std::vector<std::string>* pOrderFields = nullptr,
                                 const CTDbObjectProgressIndicator& pCallback = {});
  CTDbObjectList SelectLikeExample(int nMaxItems, const std::vector<std::string>* pOrderFields = nullptr,
                                   const CTDbObjectProgressIndicator& pCallback = {});
  int CountByExample();
  void RemoveByExample();
  // True when no other stored object of the table holds szVal in field nFieldIx.
  bool IsUnique(int nFieldIx, const std::string& szVal);

  // Class-wide operations, by class id.
  static CTDbObjectList GetAllRecords(int nClsID, bool bAlsoDerived, CTBaseFactory* pFactory = nullptr,
                                      const CTDbObjectProgressIndicator& pCallback = {});
  static int CountAllRecords(int nClsID, bool bAlsoDerived, CTBaseFactory* pFactory = nullptr);
  // The only object of the class's own table; none (or excRecNotFound) for none or several.
  static CTDbObject* GetUniqueRecord(int nClsID, bool bMustExist, CTBaseFactory* pFactory = nullptr);
  static void PurgeTable(int nClsID, CTBaseFactory* pFactory = nullptr);
  static void SetDefaultFactory(CTBaseFactory* pFactory);
  static CTBaseFactory* GetDefaultFactory();
  // Declares field 0 of a table: the Integer ID field.
  static void Initialize(CTTableInfo* pTblInfo, const std::string& szIDFieldName);

  // Sorting and searching helpers for object lists.
  static void SortOnFields(ObjectList<CTDbObject>& pLst, const std::vector<std::string>& names);
  static bool SortOnName(const CTDbObject* p1, const CTDbObject* p2);
  static bool SortOnQualifiedName(const CTDbObject* p1, const CTDbObject* p2);
  static bool SortOnDescriptiveName(const CTDbObject* p1, const CTDbObject* p2);
  static CTDbObject* SearchID(const ObjectList<CTDbObject>& pLst, int nID);
  static CTDbObject* SearchID2(const ObjectList<CTDbObject>& pLst, int nClsID, int nObjID);
  static CTDbObject* SearchIDByProc(const ObjectList<CTDbObject>& pLst, const CTDbObjectGetRefIDsProc& pProc);

  // The caption of a field on a form: its label, else its input's title or hint, else the field name.
  static std::string CaptionForValue(const CTFormResource* pRsc, const std::string& szFieldName);
  static void ErrorUnique(const CTFormResource* pParent, const std::string& szFldName);
  static void ErrorRequired(const CTFormResource* pParent, const std::string& szFldName);
  static void ErrorLB(const CTFormResource* pParent, const std::string& szFldName, const std::string& szChkValue,
                      bool bEqAllowed);
  static void ErrorUB(const CTFormResource* pParent, const std::string& szFldName, const std::string& szChkValue,
                      bool bEqAllowed);
  static void SetMessageSink(CTDbMessageSink pSink);
  // Shows a numbered message of the object database through the sink.
  static void ShowDbMessage(const CTFormResource* pParent, int nMsgNo, const std::string& szParam);

protected:
  // The engine of the object's table; raises excDbStructure when the table is not connected.
  CTDbEngine& Engine() const;
  // Runs an engine call, swallowing what the engine raises; answers whether it ran through.
  template <class F>
  static bool Guarded(F&& call);

private:
  static CTBaseFactory* ChooseFactory(CTBaseFactory* pFactory);
  static CTTableInfo* LookupTable(int nClsID, CTBaseFactory* pFactory);
  void RequireStored() const;
  std::vector<CTDbEngine*> FactoryEngines() const;
  // Gathers a selection engine by engine, sorting on pOrderFields when an engine asks for it.
  template <class Select>
  CTDbObjectList SelectFromEngines(const std::vector<std::string>* pOrderFields, Select&& select);

  int v_status = dbsNew;
  CTBaseFactory* v_factory; // also for objects of abstract tables, which have no engine
  CTTableInfo* v_tableInfo;
  CTValueList v_values;
};

} // namespace aw
