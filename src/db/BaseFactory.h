#pragma once
// CTBaseFactory: the schema (tables indexed by class id, their fields and
// links), the engines of the logical databases and the object caches. The
// application's factory declares its tables, calls ResolveSchema once, and
// maps class ids onto its entity classes in CreateObject.

#include "db/DbEngine.h"
#include "db/TableInfo.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace aw {

class CTDbObject;
class CTBaseFactory;
class CTMappingTable;

// Settings of one logical database; they take effect at the next connection.
struct LTDbInfo
{
  std::string v_requiredEngineType; // a registered engine's class name, empty for any
  std::string v_logicalName;
  std::string v_databaseName;
  std::string v_engineSpecificInfo;
  bool v_readOnly = false;
  bool v_requiresLogin = false;
  std::string v_userName;
  std::string v_password;
  std::function<void(bool)> v_modifiedProc;
  CTModifiedProcEx v_modifiedProcEx;
  const CTTranslationSource* v_glossary = nullptr; // not owned
  const CTMappingTable* v_mappingTable = nullptr;  // not owned
  bool v_createNew = false;
};

// Raised by the connection with "Database already connected" or "Database not connected".
class LTBseFactExc : public std::runtime_error
{
public:
  using std::runtime_error::runtime_error;
};

// The arguments an engine kind gets to decide whether it serves a database.
struct CTEngineRequest
{
  CTBaseFactory* pFactory = nullptr;
  std::string szLogicalName;
  std::string szDatabaseName; // the creation function may rewrite it
  bool bNeedsLogon = false;
  std::string szRequiredEngineType;
  std::string szEngineSpecificInfo;
  bool bReadOnly = false;
  int nEngineIndex = 0;
  bool bUpdateDatabaseName = false;
};
// Answers a new engine when this engine kind accepts the database, else none.
using CTCreateEngineFunc = std::function<std::unique_ptr<CTDbEngine>(CTEngineRequest& request)>;

// What the connection asks of the user interface: a logon and a progress window.
class CTConnectionUI
{
public:
  virtual ~CTConnectionUI() = default;
  // Asks for a user name and password; false when the user cancels.
  virtual bool Logon(std::string& szUserName, std::string& szPassword) = 0;
  // szCaption is the window's caption, nActionMsgNo the numbered message it shows.
  virtual void ProgressStart(const std::string& szCaption, int nActionMsgNo, int nSteps) = 0;
  virtual void ProgressStep() = 0;
  virtual void ProgressEnd() = 0;
};

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
  // Takes the link over and adds it to the references of its referenced
  // (declaring) table: one call declares a link.
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

  // Logical databases, indexed from 0 in the order they are added.
  int AddDatabase(const std::string& szLogicalName);
  int DatabaseCount() const { return static_cast<int>(v_allDbInfo.size()); }
  // The settings of a database; raises std::out_of_range for a bad index.
  LTDbInfo& DbInfo(int nDbIx);
  const LTDbInfo& DbInfo(int nDbIx) const;
  const std::string& GetLogicalName(int nDbIx) const { return DbInfo(nDbIx).v_logicalName; }
  void SetLogicalName(int nDbIx, const std::string& sz) { DbInfo(nDbIx).v_logicalName = sz; }
  const std::string& GetDatabaseName(int nDbIx) const { return DbInfo(nDbIx).v_databaseName; }
  // An empty name marks the database for creation; any other name clears the mark.
  void SetDatabaseName(int nDbIx, const std::string& sz);
  const std::string& GetRequiredEngineType(int nDbIx) const { return DbInfo(nDbIx).v_requiredEngineType; }
  void SetRequiredEngineType(int nDbIx, const std::string& sz) { DbInfo(nDbIx).v_requiredEngineType = sz; }
  const std::string& GetEngineSpecificInfo(int nDbIx) const { return DbInfo(nDbIx).v_engineSpecificInfo; }
  void SetEngineSpecificInfo(int nDbIx, const std::string& sz) { DbInfo(nDbIx).v_engineSpecificInfo = sz; }
  bool GetReadOnly(int nDbIx) const { return DbInfo(nDbIx).v_readOnly; }
  void SetReadOnly(int nDbIx, bool b) { DbInfo(nDbIx).v_readOnly = b; }
  bool GetRequiresLogin(int nDbIx) const { return DbInfo(nDbIx).v_requiresLogin; }
  void SetRequiresLogin(int nDbIx, bool b) { DbInfo(nDbIx).v_requiresLogin = b; }
  const std::string& GetUserName(int nDbIx) const { return DbInfo(nDbIx).v_userName; }
  void SetUserName(int nDbIx, const std::string& sz) { DbInfo(nDbIx).v_userName = sz; }
  const std::string& GetPassword(int nDbIx) const { return DbInfo(nDbIx).v_password; }
  void SetPassword(int nDbIx, const std::string& sz) { DbInfo(nDbIx).v_password = sz; }
  const CTTranslationSource* GetGlossary(int nDbIx) const { return DbInfo(nDbIx).v_glossary; }
  void SetGlossary(int nDbIx, const CTTranslationSource* p) { DbInfo(nDbIx).v_glossary = p; }
  const CTMappingTable* GetNameMapping(int nDbIx) const { return DbInfo(nDbIx).v_mappingTable; }
  void SetNameMapping(int nDbIx, const CTMappingTable* p) { DbInfo(nDbIx).v_mappingTable = p; }
  // A plain procedure clears the extended one and vice versa.
  void SetModifiedProc(int nDbIx, std::function<void(bool)> pProc);
  void SetModifiedProc(int nDbIx, CTModifiedProcEx pProc);

  // Creates, opens and binds an engine per database through the engine
  // registry, logs on when needed and tests the tables. False (and no
  // engines) on any failure; raises LTBseFactExc when already connected.
  virtual bool Connect(bool bShowProgress);
  // Connect with engines the caller made (one per database, in database
  // order) instead of the registry's: for a database whose source the caller
  // holds. The same logon, table tests and failure rules as Connect.
  bool ConnectWith(std::vector<std::unique_ptr<CTDbEngine>> engines, bool bShowProgress);
  void Disconnect();
  void ConnectDatabase(int nDbIx);
  void DisconnectDatabase(int nDbIx);
  bool DatabaseConnected(int nDbIx) const { return GetDbEngine(nDbIx) != nullptr; }
  bool HasCapability(int nDbIx, int nCap) const;
  // The engine the registry gives for a database (not bound to the tables).
  std::unique_ptr<CTDbEngine> CreateTestEngine(int nDbIx, bool bUpdate);
  // Writes the database into its file: a temporary file renamed over the
  // target, so that a failed write leaves the old file as it was.
  bool SaveFile(int nDbIx, bool bFlagErrors);
  void FlagStartBackup();
  void FlagEndBackup();
  void SetConnectionUI(CTConnectionUI* pUI) { v_connectionUI = pUI; }

  // Whether connection and file errors are shown; answers whether the factory was silent before.
  static bool SetSilentMode(bool bSilent);
  static bool ErrorsFlagged();
  static void RegisterEngine(const std::string& szEngineClass, CTCreateEngineFunc pFunc);
  static void UnregisterAllEngines();
  static int RegisteredEngineCount();

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
  std::unique_ptr<CTDbEngine> OpenDatabase(int nDbIx);
  bool CreateEngines();
  bool ConnectEngines();
  bool ConnectCreatedEngines(bool bShowProgress);
  bool TestTables(bool bShowProgress);
  void BindTables();

  std::vector<std::unique_ptr<CTTableInfo>> v_tableInfo;
  std::vector<LTDbInfo> v_allDbInfo;
  CTConnectionUI* v_connectionUI = nullptr;
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
