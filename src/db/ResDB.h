#pragma once
// CTResDbEngine: the memory engine with the program's data resources as its
// source. It loads the database named by the logical name from the resource
// of that name (plain or compressed), and is the only engine the program
// registers: the catalogue "Device_Database" is served by it, read-only.

#include "db/MemDB.h"

namespace aw {

class CTResDbEngine : public CTMemDbEngine
{
public:
  CTResDbEngine(CTBaseFactory* pFactory, std::string szLogicalName, std::string szDatabaseName, bool bReadOnly,
                int nEngineIndex);

  // Registers the engine kind: it accepts a database whose logical name is a resource of the program.
  static void RegisterEngine();

  // Reads the resource of the logical name; an empty resource is an empty
  // database. Shows nothing: the failure makes the connection fail.
  bool Connect(const std::string& szUserName, const std::string& szPassword, bool bMustFlagErrors) override;
  std::string GetTypeString() const override { return "Resource"; }
};

} // namespace aw
