#pragma once
// CTBaseFactory: the schema (tables indexed by class id, their fields and
// links), the engines of the logical databases and the object caches. The
// application's factory declares its tables, calls ResolveSchema once, and
// maps class ids onto its entity classes in CreateObject.

#include "db/DbEngine.h"
#include "db/TableInfo.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace aw {

class CTDbObject;

class CTBaseFactory
{
public:
  CTBaseFactory(std::string szName, int nVerMul100, int nMinVerMul100);
  virtual ~CTBaseFactory();
  CTBaseFactory(const CTBaseFactory&) = delete;
  CTBaseFactory& operator=(const CTBaseFactory&) = delete;

  // A new instance of the entity class of nClsID, or none for ids without a class.
  virtual CTDbObject* CreateObject(int nClsID, int nObjID) = 0;

  const std::string& GetName() const { return v_name; }
  int VerMul100() const { return v_verMul100; }
  int MinVerMul100() const { return v_minVerMul100; }
  bool ThoroughTableTest() const { return v_thoroughTableTest; }
  void SetThoroughTableTest(bool b) { v_thoroughTableTest = b; }
  bool IsConnected() const { return v_connected; }

  // Schema declaration: tables are owned by the factory and indexed by class id.
  CTTableInfo* AddTableInfo(std::unique_ptr<CTTableInfo> pTable);
  void AddLinkInfo(std::unique_ptr<CTTableLink> pInf);
  // Takes ownership of the field infos, resolves parents and inherited
  // fields, the ends of every link and the links inherited by descendants.
  void ResolveSchema();

  CTTableInfo* GetTableInfo(int nClsID) const;
  CTTableInfo* GetTableNamed(std::string_view szTblName) const;
  int TableCount() const { return static_cast<int>(v_tableInfo.size()); }
  const std::vector<std::unique_ptr<CTTableLink>>& Links() const { return v_allLinkInfo; }

  // "EDI100" for the factory EDI of version 100.
  std::string GetSignature() const;
  bool CheckSignature(std::string_view szSig) const;

  // Engines of the logical databases, indexed by database index. Setting one
  // points every table of that database at it; removing closes it.
  void SetDbEngine(int nDbIx, std::unique_ptr<CTDbEngine> pEngine);
  void RemoveDbEngine(int nDbIx);
  CTDbEngine* GetDbEngine(int nDbIx) const;
  // The engines present, in database order.
  std::vector<CTDbEngine*> Engines() const;

  CTDbObject* GetCachedObject(int nClsID, int nObjID);
  CTDbObject* GetCachedObjectByProc(const std::function<void(int& nClsID, int& nObjID)>& pProc);
  const ObjectList<CTDbObject>* GetCachedObjects(int nClsID) const;
  // CreateObject, but only for a stored object of a concrete table.
  CTDbObject* SafeCreateObject(int nClsID, int nObjID);

protected:
  void SetConnected(bool b) { v_connected = b; }

private:
  std::vector<std::unique_ptr<CTTableInfo>> v_tableInfo;
  std::vector<std::unique_ptr<CTDbEngine>> v_allDbEngine;
  std::vector<std::unique_ptr<CTFieldInfo>> v_allFieldInfo;
  std::vector<std::unique_ptr<CTTableLink>> v_allLinkInfo;
  std::string v_name;
  int v_verMul100;
  int v_minVerMul100;
  bool v_connected = false;
  bool v_thoroughTableTest = true;
  bool v_resolved = false;
};

} // namespace aw
