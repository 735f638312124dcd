#pragma once
// Schema descriptions of the object database: links between tables,
// back-references, and tables with their fields, links and object cache.

#include "foundation/FieldInfo.h"
#include "foundation/ObjList.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace aw {

class CTDbEngine;
class CTDbObject;
class CTTableInfo;

// A link: objects of one table (the referencing side, v_toClsID) refer to
// objects of the table that declares the link (v_fromTable). The reference
// is a pair of Integer fields, class id at v_toFieldIx and object id after
// it; an ordered link adds the order index as a third field.
class CTTableLink
{
public:
  CTTableLink(CTTableInfo* pFromTable, int nAssociationID, std::string szAssociationName, std::string szFromRole,
              std::string szToRole, int nToClsID, int nToFieldIx, bool bOneToOne, bool bRefIntegr, bool bCascDel,
              bool bIsOrdered);

  int GetAssociationID() const { return v_associationID; }
  const std::string& GetAssociationName() const { return v_associationName; }
  const std::string& GetFromRole() const { return v_fromRole; }
  const std::string& GetToRole() const { return v_toRole; }
  int ToClsID() const { return v_toClsID; }
  int ToFieldIx() const { return v_toFieldIx; }
  bool OneToOne() const { return v_oneToOne; }
  bool RefIntegrity() const { return v_refIntegr; }
  bool CascadeDelete() const { return v_cascDel; }
  bool IsOrdered() const { return v_isOrdered; }
  CTTableInfo* GetFromTable() const { return v_fromTable; }
  CTTableInfo* GetToTable() const { return v_toTable; }
  CTFieldInfo* GetFromField() const { return v_fromField; }
  CTFieldInfo* GetToField() const { return v_toField; }

private:
  friend class CTBaseFactory; // fills the resolved ends
  int v_associationID;
  std::string v_associationName, v_fromRole, v_toRole;
  int v_toClsID;
  int v_toFieldIx;
  bool v_oneToOne, v_refIntegr, v_cascDel, v_isOrdered;
  CTTableInfo* v_fromTable;
  CTTableInfo* v_toTable = nullptr;
  CTFieldInfo* v_fromField = nullptr;
  CTFieldInfo* v_toField = nullptr;
};

// One back-reference of a stored element: who refers to it through which link.
struct CTDbRelation
{
  const CTTableLink* v_model = nullptr;
  int v_refClsID = 0;
  int v_refObjID = 0;
};

class CTTableInfo
{
public:
  CTTableInfo(int nClsID, int nDbID, std::string szModelClassName, int nParentID, bool bAbstract, bool bNameRequired);
  CTTableInfo(const CTTableInfo&) = delete;
  CTTableInfo& operator=(const CTTableInfo&) = delete;
  ~CTTableInfo();

  int GetTableIndex() const { return v_clsID; }
  int GetDbID() const { return v_dbID; }
  int ParentID() const { return v_parentID; }
  CTTableInfo* GetParent() const { return v_parent; }
  CTTableInfo* ParentTable() const { return v_parent; }
  const std::string& TableName() const { return v_tblName; }
  const std::string& ModelClassName() const { return v_modelClassName; }
  int NameFieldIndex() const { return v_nameIx; }
  bool IsNameRequired() const { return v_nameRequired; }
  bool IsAbstract() const { return v_abstract; }
  CTDbEngine* GetDbEngine() const { return v_engine; }
  CTDbEngine* DbEngine() const { return v_engine; }
  void SetDbEngine(CTDbEngine* pEngine) { v_engine = pEngine; }

  const CTFieldList& GetFieldInfo() const { return v_allFieldInfo; }
  CTFieldInfo* Field(int nIx) const { return nIx >= 0 && nIx < FieldCount() ? v_allFieldInfo[nIx] : nullptr; }
  int FieldCount() const { return static_cast<int>(v_allFieldInfo.size()); }
  // Grows the field list to nFieldIx + 1 when needed and puts pInfo there.
  void AddFieldInfo(int nFieldIx, CTFieldInfo* pInfo, bool bIsNameField = false);
  // First index from nStartIx on whose field has that name (without case); -1 when none.
  int IndexOfField(std::string_view szFldName, int nStartIx = 0) const;
  std::string GetIDFieldName() const;

  // The links in which this table is the referenced side, inherited ones included.
  const std::vector<CTTableLink*>& GetReferences() const { return v_refs; }
  void AddReference(CTTableLink* pInfo) { v_refs.push_back(pInfo); }

  // True for the table's own class id and those of all its ancestors.
  bool IsOfClass(int nClsID) const;

  // The shared cached instance of a stored object (owned by the cache), or none.
  CTDbObject* GetCachedObject(int nID);
  const ObjectList<CTDbObject>& GetCachedObjects() const { return v_cachedObjects; }
  void SetCustomCacheCleanupProc(std::function<void()> pProc) { v_customCacheCleanupProc = std::move(pProc); }
  void CleanupCache();

private:
  friend class CTBaseFactory; // resolves the parent and inherits fields
  CTTableInfo* v_parent = nullptr;
  int v_clsID;
  int v_parentID;
  int v_dbID;
  CTDbEngine* v_engine = nullptr;
  std::string v_tblName;
  std::string v_modelClassName;
  bool v_abstract;
  bool v_nameRequired;
  CTFieldList v_allFieldInfo;
  int v_nameIx = -1;
  std::vector<CTTableLink*> v_refs;
  OwningObjectList<CTDbObject> v_cachedObjects;
  std::function<void()> v_customCacheCleanupProc;
};

} // namespace aw
