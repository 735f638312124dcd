#pragma once
// Notes of the catalogue: a note text, and the combinations that attach a
// note at a sequence position to any catalogue object (a device, a family, a
// series mapping) through a plain pair of class and object numbers.

#include "catalogue/CatalogueProperties.h"

#include <string>

namespace aw {

class Cls_MsgCombination;

class Cls_MessageTable : public CTDbObject
{
public:
  static constexpr int kClassID = 401;
  enum : int { ixMessage = 1 };

  explicit Cls_MessageTable(int nObjID = 0, CTBaseFactory* pFactory = nullptr) : CTDbObject(kClassID, nObjID, pFactory) {}

  AW_TRANSLATED_PROPERTY(Message, ixMessage)
  OwningObjectList<Cls_MsgCombination> GetAllMsgCombination();

  // Removes the note's combinations (each failure ignored), then the note.
  bool Remove() override;
};

class Cls_MsgCombination : public CTDbObject
{
public:
  static constexpr int kClassID = 402;
  enum : int { ixSeqNr = 1, ixDevice = 2, ixMessageTable = 4 };

  explicit Cls_MsgCombination(int nObjID = 0, CTBaseFactory* pFactory = nullptr)
    : CTDbObject(kClassID, nObjID, pFactory)
  {
  }

  AW_INTEGER_PROPERTY(SeqNr, ixSeqNr)
  // The owner of the note, as two plain numbers (no declared link).
  AW_INTEGER_PROPERTY(Device_CLS_REF, ixDevice)
  AW_INTEGER_PROPERTY(Device_OBJ_REF, ixDevice + 1)
  AW_REFERENCE_PROPERTY(MessageTable, Cls_MessageTable, ixMessageTable)

  // Makes pObj the owner of the note.
  void SetMessageReferrer(const CTDbObject& pObj);
  static bool SeqNrLT(const Cls_MsgCombination* pA, const Cls_MsgCombination* pB);

  // The combinations owned by pOwner (a new list owned by the caller).
  static OwningObjectList<Cls_MsgCombination> CombinationsOf(const CTDbObject& pOwner);
};

} // namespace aw
