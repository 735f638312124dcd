#include "engine/EngineFactory.h"

#include "engine/ClBrisa.h"
#include "engine/ClIndoorUnit.h"

namespace aw {

CTDbObject* CTEngineFactory::CreateObject(int nClsID, int nObjID)
{
  switch (nClsID) {
  case Cls_BrisaData::kClassID: return new Cls_Brisa(nObjID, this);
  case Cls_IndoorUnitData::kClassID: return new Cls_IndoorUnit(nObjID, this);
  default: return CTFactory::CreateObject(nClsID, nObjID);
  }
}

} // namespace aw
