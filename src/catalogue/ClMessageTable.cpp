#include "catalogue/ClMessageTable.h"

#include <stdexcept>

namespace aw {

OwningObjectList<Cls_MsgCombination> Cls_MessageTable::GetAllMsgCombination()
{
  return RelatedOf<Cls_MsgCombination>(*this, Cls_MsgCombination::ixMessageTable);
}

bool Cls_MessageTable::Remove()
{
  try {
    for (Cls_MsgCombination* combination : GetAllMsgCombination()) {
      try {
        combination->Remove();
      } catch (const std::exception&) {
        // the note goes even when one of its combinations cannot
      }
    }
  } catch (const std::exception&) {
  }
  return CTDbObject::Remove();
}

void Cls_MsgCombination::SetMessageReferrer(const CTDbObject& pObj)
{
  SetDevice_CLS_REF(pObj.TableIndex());
  SetDevice_OBJ_REF(pObj.GetID());
}

bool Cls_MsgCombination::SeqNrLT(const Cls_MsgCombination* pA, const Cls_MsgCombination* pB)
{
  return pA->GetSeqNr() < pB->GetSeqNr();
}

OwningObjectList<Cls_MsgCombination> Cls_MsgCombination::CombinationsOf(const CTDbObject& pOwner)
{
  CTBaseFactory* factory = pOwner.GetFactory();
  if (!factory || !pOwner.IsStored())
    return {};
  Cls_MsgCombination example(0, factory);
  example.SetMessageReferrer(pOwner);
  return TakeAs<Cls_MsgCombination>(example.SelectByExample());
}

} // namespace aw
