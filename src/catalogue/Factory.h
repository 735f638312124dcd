#pragma once
// CTFactory: the factory of the device catalogue. It declares the schema
// (one logical database "Device_Database", 32 tables of which 9 are
// abstract, 20 links) and maps the class ids of the stored tables onto the
// entity classes. A factory that brings richer classes for some tables (the
// performance models of the ventilation and indoor units) derives from it,
// overrides CreateObject for their class ids and passes the others on.

#include "db/BaseFactory.h"
#include "foundation/ObjList.h"

#include <memory>
#include <string>

namespace aw {

class Cls_BrisaSpType;

class CTFactory : public CTBaseFactory
{
public:
  static constexpr const char* kLogicalName = "Device_Database";
  static constexpr int kDbIx = 0;
  static constexpr int kTableSlots = 507;
  static constexpr int kTableCount = 32;
  static constexpr int kAbstractTableCount = 9;
  static constexpr int kLinkCount = 20;

  // Start-up creates the factory "EDI" of version 100, accepting only version 100.
  explicit CTFactory(std::string szName = "EDI", int nVerMul100 = 100, int nMinVerMul100 = 100);
  ~CTFactory() override;

  // A new instance of the entity class of a stored table; none for abstract
  // tables, empty slots and ids outside the table list.
  CTDbObject* CreateObject(int nClsID, int nObjID) override;

  // Every speed type by weight, read on first use and dropped when the
  // catalogue's engine closes (so a new connection reads them again).
  const ObjectList<Cls_BrisaSpType>& OrderedBrisaSpTypes();

private:
  void DeclareTables();
  void DeclareLinks();

  std::unique_ptr<OwningObjectList<Cls_BrisaSpType>> v_orderedSpTypes;
};

} // namespace aw
