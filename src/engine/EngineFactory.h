#pragma once
// The catalogue factory of the program: the catalogue's schema and entity
// classes, with the ventilation units and their coils created as the
// classes that carry the performance model.

#include "catalogue/Factory.h"

namespace aw {

class CTEngineFactory : public CTFactory
{
public:
  using CTFactory::CTFactory;

  // Cls_Brisa for the ventilation units, Cls_IndoorUnit for the indoor
  // units; every other class as the catalogue creates it.
  CTDbObject* CreateObject(int nClsID, int nObjID) override;
};

} // namespace aw
