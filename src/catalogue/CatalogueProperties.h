#pragma once
// Building blocks of the catalogue entities: the Get/Set/Chk accessor
// triples of stored properties, the readers of references and of one-to-many
// links, and the typed hand-over of the object lists the database returns.
//
// Every stored property X of an entity has GetX, SetX and ChkX; ChkX is the
// validation hook and accepts every value. A reference Y has GetY (a new
// instance owned by the caller, or none), GetY_REF (the two numbers, without
// loading), SetY and DropY.

#include "db/DbObject.h"

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>

namespace aw {

// The objects of pList that are of class T move into the result; any other
// object (there should be none) is freed.
template <class T>
OwningObjectList<T> TakeAs(CTDbObjectList&& pList)
{
  OwningObjectList<T> result;
  for (CTDbObject* obj : pList.Release()) {
    if (T* typed = dynamic_cast<T*>(obj))
      result.Add(typed);
    else
      delete obj;
  }
  return result;
}

template <class T>
std::unique_ptr<T> TakeAs(CTDbObject* pObj)
{
  std::unique_ptr<CTDbObject> owned(pObj);
  if (T* typed = dynamic_cast<T*>(owned.get())) {
    owned.release();
    return std::unique_ptr<T>(typed);
  }
  return nullptr;
}

// The objects of class T (and its descendants) whose reference field nFieldIx
// refers to pOwner. A new object has no referrers yet.
template <class T>
OwningObjectList<T> RelatedOf(CTDbObject& pOwner, int nFieldIx)
{
  if (!pOwner.IsStored())
    return {};
  return TakeAs<T>(pOwner.GetRelatedByIx(T::kClassID, nFieldIx));
}

// The one object of class T that refers to pOwner through nFieldIx, or none.
template <class T>
std::unique_ptr<T> SingleRelatedOf(CTDbObject& pOwner, int nFieldIx)
{
  if (!pOwner.IsStored())
    return nullptr;
  return TakeAs<T>(pOwner.GetSingleRelatedByIx(T::kClassID, nFieldIx));
}

// The object that pObj's reference at nFieldIx names, or none when the
// reference is empty or pObj is not stored.
template <class T>
std::unique_ptr<T> ReferencedBy(CTDbObject& pObj, int nFieldIx)
{
  std::int32_t clsID = 0, objID = 0;
  pObj.GetRefValues(nFieldIx, clsID, objID);
  if (clsID == 0 || objID < 1 || !pObj.IsStored())
    return nullptr;
  return TakeAs<T>(pObj.GetRelationByIx(nFieldIx));
}

// Every stored object of class T, with its descendants when bAlsoDerived.
template <class T>
OwningObjectList<T> AllRecordsOf(bool bAlsoDerived, CTBaseFactory* pFactory = nullptr)
{
  return TakeAs<T>(CTDbObject::GetAllRecords(T::kClassID, bAlsoDerived, pFactory));
}

} // namespace aw

// Accessor triples, by value type. IX is the field index in the table.
#define AW_CHK_PROPERTY(X) \
  bool Chk##X(const ::aw::CTFormResource* = nullptr) const { return true; }

#define AW_INTEGER_PROPERTY(X, IX) \
  std::int32_t Get##X() const { return GetIntegerValue(IX); } \
  void Set##X(std::int32_t nVal) { SetIntegerValue(IX, nVal); } \
  AW_CHK_PROPERTY(X)

#define AW_BOOLEAN_PROPERTY(X, IX) \
  bool Get##X() const { return GetBooleanValue(IX); } \
  void Set##X(bool bVal) { SetBooleanValue(IX, bVal); } \
  AW_CHK_PROPERTY(X)

#define AW_DOUBLE_PROPERTY(X, IX) \
  double Get##X() const { return GetDoubleValue(IX); } \
  void Set##X(double nVal) { SetDoubleValue(IX, nVal); } \
  AW_CHK_PROPERTY(X)

#define AW_DATETIME_PROPERTY(X, IX) \
  double Get##X() const { return GetTDateTimeValue(IX); } \
  void Set##X(double nVal) { SetTDateTimeValue(IX, nVal); } \
  AW_CHK_PROPERTY(X)

// A text returned as stored.
#define AW_STRING_PROPERTY(X, IX) \
  std::string Get##X() const { return GetUntranslatedStringValue(IX); } \
  void Set##X(std::string szVal) { SetUnicodeStringValue(IX, std::move(szVal)); } \
  AW_CHK_PROPERTY(X)

// A text passed through the catalogue glossary when read.
#define AW_TRANSLATED_PROPERTY(X, IX) \
  std::string Get##X() const { return GetTranslatedStringValue(IX); } \
  void Set##X(std::string szVal) { SetUnicodeStringValue(IX, std::move(szVal)); } \
  AW_CHK_PROPERTY(X)

// A reference to an entity of class T; the pair starts at IX. The readers
// are templates so that T need only be complete where they are used.
#define AW_REFERENCE_PROPERTY(X, T, IX) \
  template <class U = T> \
  std::unique_ptr<U> Get##X() \
  { \
    return ::aw::ReferencedBy<U>(*this, IX); \
  } \
  void Get##X##_REF(std::int32_t& nClsID, std::int32_t& nObjID) const { GetRefValues(IX, nClsID, nObjID); } \
  template <class U> \
    requires std::is_base_of_v<T, U> \
  void Set##X(U* pObj) \
  { \
    SetRelationByIx(IX, pObj); \
  } \
  void Drop##X() { DropRelationByIx(IX); } \
  AW_CHK_PROPERTY(X)
