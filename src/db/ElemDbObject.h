#pragma once
// The memory engine's stored objects: an element holds the values of one
// stored object and the back-references of the objects that refer to it;
// an element map is the identity map of one table in one layer.

#include "db/TableInfo.h"
#include "foundation/ValueList.h"

#include <iosfwd>
#include <memory>
#include <unordered_map>
#include <vector>

namespace aw {

class CTTransactionLayer;

enum CTElemStatus : int
{
  elemInserted = 1,
  elemUpdated = 2,
  elemDeleted = 4,
};

class CTElemDbObject
{
public:
  // Status 0, id -1, values at their defaults, no referrers.
  explicit CTElemDbObject(CTTableInfo* pTblInfo);
  // A copy with the same status, table, values (binaries too) and referrers.
  CTElemDbObject(const CTElemDbObject& pObj);
  CTElemDbObject& operator=(const CTElemDbObject&) = delete;

  int ID() const { return v_id; }
  void SetID(int nID);
  CTTableInfo* DatabaseTable() const { return v_tblInfo; }
  int TableIndex() const { return v_tblInfo->GetTableIndex(); }
  CTValueList& Values() { return v_values; }
  const CTValueList& Values() const { return v_values; }
  std::vector<CTDbRelation>& Refs() { return v_referrers; }
  int Status() const { return v_status; }
  void Mark(int nBits) { v_status |= nBits; }
  void SetStatus(int n) { v_status = n; }
  bool IsDeleted() const { return (v_status & elemDeleted) != 0; }

  // Copies all values from index 0, references included, binaries only when
  // asked, and takes the id from value 0.
  void CopyValuesFromList(const CTValueList& pValues, bool bBinariesAlso);
  void AddReferrer(const CTTableLink* pLink, int nClsID, int nObjID);
  void RemoveReferrers(const CTTableLink* pLink, int nClsID, int nObjID);
  bool HasReferrer(const CTTableLink* pLink, int nClsID, int nObjID) const;

  // Removes this element's references from the elements it refers to, as
  // seen from pTopLayer; the referenced elements are copied into it first.
  void RemoveReferences(CTTransactionLayer& pTopLayer);
  // A readable dump: id, marks and referrers.
  void Dump(std::ostream& out) const;

private:
  int v_id = -1;
  CTTableInfo* v_tblInfo;
  CTValueList v_values;
  std::vector<CTDbRelation> v_referrers;
  int v_status = 0;
};

class CTElemDbObjectMap
{
public:
  // bSized: made for the class-level table size (a bottom layer's map);
  // the maps of a step's layer hold few elements and start small.
  explicit CTElemDbObjectMap(CTTableInfo* pTblInfo, bool bSized = true);

  CTTableInfo* TblInfo() const { return v_tblInfo; }
  int GetNbFields() const { return v_nbFields; }
  int GetMaxID() const { return v_maxID; }
  void SetMaxID(int n) { v_maxID = n; }
  int Count() const { return static_cast<int>(v_data.size()); }
  bool IsEmpty() const { return v_data.empty(); }

  CTElemDbObject* FindObject(int nObjID) const;
  // A new element: with nTryObjID 0 the next id; otherwise that id (an
  // element already holding it is replaced) and the maximum id raised to it.
  CTElemDbObject* NewObject(int nTryObjID);
  // Adds an element read from a file; false when its id is already present.
  bool AddLoaded(std::unique_ptr<CTElemDbObject> pElem);
  std::unique_ptr<CTElemDbObject> Take(int nObjID);
  // Takes every element out; the maximum id stays.
  std::vector<std::unique_ptr<CTElemDbObject>> TakeAll();
  void Put(std::unique_ptr<CTElemDbObject> pElem);
  // A readable dump of the elements in id order; nothing when empty.
  void Dump(std::ostream& out) const;
  void RemoveAll();
  int GetLargestID() const;

  // The elements in id order, so that queries and written files do not
  // depend on the hash map's order.
  std::vector<CTElemDbObject*> Elements() const;
  // Visits the elements in the map's own order; the map must not change meanwhile.
  template <class F>
  void ForEach(F&& visit) const
  {
    for (const auto& [id, elem] : v_data)
      visit(*elem);
  }

  // The table size the maps are made for (a hint for the hash map).
  static void SetTableSize(int nSize);
  static int GetTableSize();

private:
  CTTableInfo* v_tblInfo;
  int v_nbFields;
  int v_maxID = 0;
  std::unordered_map<int, std::unique_ptr<CTElemDbObject>> v_data;
};

} // namespace aw
