#include "foundation/ValueList.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace aw {
namespace {

bool IsDoubleSlot(CTFieldType t) { return t == ftDouble || t == ftCurrency || t == ftDateTime; }
bool IsHolderSlot(CTFieldType t) { return t == ftBinary || t == ftGUID || t == ftUnicodeString; }

CTPooledValue* ObtainHolder(CTFieldType t)
{
  switch (t) {
  case ftBinary: return CTPooledBinary::ObtainValue();
  case ftGUID: return CTPooledGUID::ObtainValue();
  default: return CTPooledString::ObtainValue();
  }
}

} // namespace

CTValueList::CTValueList(const CTFieldList* pModel, bool bNoInitValues) : v_model(pModel)
{
  const CTFieldList& model = *pModel;
  v_intValues.resize(model.size(), 0);
  for (std::size_t ix = 0; ix < model.size(); ++ix) {
    const CTFieldInfo* field = model[ix];
    const CTFieldType type = field ? field->GetType() : ftInteger;
    if (IsDoubleSlot(type)) {
      v_intValues[ix] = static_cast<std::int32_t>(v_dblValues.size());
      v_dblValues.push_back(0);
    } else if (IsHolderSlot(type)) {
      v_intValues[ix] = static_cast<std::int32_t>(v_ptrValues.size());
      v_ptrValues.push_back(ObtainHolder(type));
    }
    if (bNoInitValues || !field)
      continue;
    const int nIx = static_cast<int>(ix);
    switch (type) {
    case ftBoolean: SetBooleanValue(nIx, field->GetBooleanDftValue()); break;
    case ftInteger: SetIntegerValue(nIx, field->GetIntegerDftValue()); break;
    case ftDouble: SetDoubleValue(nIx, field->GetDoubleDftValue()); break;
    case ftCurrency: SetCurrencyValue(nIx, field->GetCurrencyDftValue()); break;
    case ftDateTime: SetTDateTimeValue(nIx, field->GetTDateTimeDftValue()); break;
    case ftUnicodeString: SetUnicodeStringValue(nIx, field->GetUnicodeStringDftValue()); break;
    default: break; // GUIDs start all zero, byte arrays empty
    }
  }
}

CTValueList::~CTValueList()
{
  for (CTPooledValue* holder : v_ptrValues)
    holder->Recycle();
}

std::size_t CTValueList::CheckedIndex(int nIx) const
{
  if (nIx < 0 || nIx >= NumberOfValues())
    throw std::out_of_range("Value index out of bounds (" + std::to_string(nIx) + ")");
  return static_cast<std::size_t>(nIx);
}

CTFieldType CTValueList::TypeOf(int nIx) const
{
  const CTFieldInfo* field = (*v_model)[CheckedIndex(nIx)];
  return field ? field->GetType() : ftInteger;
}

void CTValueList::GetRefValues(int nIx, std::int32_t& nClsID, std::int32_t& nObjID) const
{
  nClsID = IntSlot(nIx);
  nObjID = IntSlot(nIx + 1);
}

std::int64_t CTValueList::GetCurrencyValue(int nIx) const
{
  // llrint rounds in the default mode, to nearest with ties to even.
  return std::llrint(GetDoubleValue(nIx) * 10000.0);
}

void CTValueList::SetCurrencyValue(int nIx, std::int64_t nCount)
{
  SetDoubleValue(nIx, static_cast<double>(nCount) / 10000.0);
}

void CTValueList::SetBinaryValue(int nIx, std::span<const std::byte> bytes)
{
  if (bytes.empty())
    return;
  Holder<CTPooledBinary>(nIx).SetValue(ByteArray(bytes.begin(), bytes.end()));
}

void CTValueList::CopyValues(const CTValueList& pFromList, int nFromIx, bool bAlsoRelations, bool bBinariesAlso)
{
  int end = NumberOfValues();
  if (v_model != pFromList.v_model) {
    end = std::min(NumberOfValues(), pFromList.NumberOfValues());
    for (int i = 0; i < end; ++i)
      if (TypeOf(i) != pFromList.TypeOf(i))
        return;
  }
  for (int i = std::max(nFromIx, 0); i < end; ++i) {
    const CTFieldInfo* field = (*v_model)[i];
    if (!bAlsoRelations && field && field->GetReferenceTo()) {
      ++i; // the object id of the pair; an ordered link's order field follows and is copied
      continue;
    }
    CopyOne(pFromList, i, bBinariesAlso);
  }
}

void CTValueList::CopyOne(const CTValueList& from, int nIx, bool bBinariesAlso)
{
  switch (TypeOf(nIx)) {
  case ftBoolean:
  case ftInteger: SetIntegerValue(nIx, from.GetIntegerValue(nIx)); break;
  case ftDouble:
  case ftCurrency:
  case ftDateTime: SetDoubleValue(nIx, from.GetDoubleValue(nIx)); break;
  case ftBinary:
    if (bBinariesAlso)
      Holder<CTPooledBinary>(nIx).SetValue(from.GetBinaryValue(nIx));
    break;
  case ftGUID: SetTGUIDValue(nIx, from.GetTGUIDValue(nIx)); break;
  case ftUnicodeString: SetUnicodeStringValue(nIx, from.GetUnicodeStringValue(nIx)); break;
  }
}

} // namespace aw
