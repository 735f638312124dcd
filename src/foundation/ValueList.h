#pragma once
// CTValueList: the typed values of one persistent object, laid out on its
// table's field list. Booleans and integers sit in the integer slots;
// doubles, currencies and dates in a double list reached through the
// integer slot; strings, GUIDs and byte arrays in pooled holders reached the
// same way. The secondary indexes are assigned in field order when the list
// is made and never change. Values must be accessed with the accessor of
// their field's type: the list does not check types.

#include "foundation/FieldInfo.h"
#include "foundation/ValuePooling.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace aw {

class CTValueList
{
public:
  // Builds the slots for the fields of pModel. Without bNoInitValues every
  // value starts at its field's default; with it all are zero or empty.
  explicit CTValueList(const CTFieldList* pModel, bool bNoInitValues = false);
  ~CTValueList();
  CTValueList(const CTValueList&) = delete;
  CTValueList& operator=(const CTValueList&) = delete;

  const CTFieldList* Model() const { return v_model; }
  int NumberOfValues() const { return static_cast<int>(v_intValues.size()); }

  bool GetBooleanValue(int nIx) const { return IntSlot(nIx) != 0; }
  std::int32_t GetIntegerValue(int nIx) const { return IntSlot(nIx); }
  // The class id and object id of the reference pair at nIx, nIx + 1.
  void GetRefValues(int nIx, std::int32_t& nClsID, std::int32_t& nObjID) const;
  double GetDoubleValue(int nIx) const { return v_dblValues.at(SecondaryIndex(nIx)); }
  // The stored double times 10000, rounded half to even, as a 64-bit count.
  std::int64_t GetCurrencyValue(int nIx) const;
  double GetTDateTimeValue(int nIx) const { return GetDoubleValue(nIx); }
  const std::string& GetUnicodeStringValue(int nIx) const { return Holder<CTPooledString>(nIx).Value(); }
  const TGUID& GetTGUIDValue(int nIx) const { return Holder<CTPooledGUID>(nIx).Value(); }
  const ByteArray& GetBinaryValue(int nIx) const { return Holder<CTPooledBinary>(nIx).Value(); }

  void SetBooleanValue(int nIx, bool b) { IntSlot(nIx) = b ? 1 : 0; }
  void SetIntegerValue(int nIx, std::int32_t n) { IntSlot(nIx) = n; }
  void SetDoubleValue(int nIx, double d) { v_dblValues.at(SecondaryIndex(nIx)) = d; }
  // Stores count / 10000.
  void SetCurrencyValue(int nIx, std::int64_t nCount);
  void SetTDateTimeValue(int nIx, double d) { SetDoubleValue(nIx, d); }
  void SetUnicodeStringValue(int nIx, std::string s) { Holder<CTPooledString>(nIx).SetValue(std::move(s)); }
  void SetTGUIDValue(int nIx, const TGUID& g) { Holder<CTPooledGUID>(nIx).SetValue(g); }
  // An empty byte sequence leaves the value unchanged, as an empty source
  // stream does for the object database.
  void SetBinaryValue(int nIx, std::span<const std::byte> bytes);

  // Copies values of pFromList from nFromIx on. When the models differ, the
  // types of the common fields must agree position by position, else nothing
  // is copied. Reference pairs only with bAlsoRelations (an ordered link's
  // order field is copied anyway); byte arrays only with bBinariesAlso.
  void CopyValues(const CTValueList& pFromList, int nFromIx, bool bAlsoRelations, bool bBinariesAlso);

  static void Cleanup() {}

private:
  CTFieldType TypeOf(int nIx) const;
  const std::int32_t& IntSlot(int nIx) const { return v_intValues.at(CheckedIndex(nIx)); }
  std::int32_t& IntSlot(int nIx) { return v_intValues.at(CheckedIndex(nIx)); }
  std::size_t CheckedIndex(int nIx) const;
  std::size_t SecondaryIndex(int nIx) const { return static_cast<std::size_t>(IntSlot(nIx)); }
  template <class H>
  H& Holder(int nIx) const
  {
    return static_cast<H&>(*v_ptrValues.at(SecondaryIndex(nIx)));
  }
  void CopyOne(const CTValueList& from, int nIx, bool bBinariesAlso);

  std::vector<std::int32_t> v_intValues;
  std::vector<double> v_dblValues;
  std::vector<CTPooledValue*> v_ptrValues; // owned; recycled when the list goes
  const CTFieldList* v_model;
};

} // namespace aw
