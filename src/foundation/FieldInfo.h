#pragma once
// CTFieldInfo: the description of one column of a persistent table: its
// name, type code, default value and, for reference fields, the link whose
// referencing field it is. Value lists are laid out on lists of them.

#include "foundation/ValuePooling.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace aw {

class CTTableLink; // the object database's link description

// Field type codes; they are part of the database file format.
enum CTFieldType : std::uint8_t
{
  ftBoolean = 0,
  ftInteger = 2,
  ftDouble = 4,
  ftCurrency = 6,
  ftDateTime = 7,
  ftBinary = 8,
  ftGUID = 9,
  ftUnicodeString = 10,
};

// Raised by the default-value accessors when the field is of another type.
// The object database maps it onto its own exception (excTypeError).
class CTFieldTypeError : public std::logic_error
{
public:
  CTFieldTypeError() : std::logic_error("Invalid type conversion") {}
};

class CTFieldInfo
{
public:
  static CTFieldInfo* CreateBoolean(std::string szName, bool bDefaultValue);
  static CTFieldInfo* CreateInteger(std::string szName, std::int32_t nDefaultValue);
  static CTFieldInfo* CreateDouble(std::string szName, double nDefaultValue);
  static CTFieldInfo* CreateUnicodeString(std::string szName, std::string szDefaultValue, bool bMultilingual);
  static CTFieldInfo* CreateCurrency(std::string szName, std::int64_t nDefaultValue);
  static CTFieldInfo* CreateTDateTime(std::string szName, double nDefaultValue);
  static CTFieldInfo* CreateTGUID(std::string szName);
  static CTFieldInfo* CreateBinary(std::string szName);

  CTFieldInfo(const CTFieldInfo&) = delete;
  CTFieldInfo& operator=(const CTFieldInfo&) = delete;
  ~CTFieldInfo() = default;

  const std::string& GetName() const { return v_name; }
  void SetName(std::string szName) { v_name = std::move(szName); }
  CTFieldType GetType() const { return v_type; }
  bool GetMultilingual() const { return v_multilingual; }
  void SetMultilingual(bool b) { v_multilingual = b; }
  // The link whose referencing field this is. Set once: a second link naming
  // the same field does not replace the first.
  CTTableLink* GetReferenceTo() const { return v_refTo; }
  void SetReferenceTo(CTTableLink* pLink)
  {
    if (!v_refTo)
      v_refTo = pLink;
  }
  int SQLFieldIndex() const { return v_SQLFieldIndex; }

  bool GetBooleanDftValue() const;
  void SetBooleanDftValue(bool b);
  std::int32_t GetIntegerDftValue() const;
  void SetIntegerDftValue(std::int32_t n);
  double GetDoubleDftValue() const;
  void SetDoubleDftValue(double d);
  std::int64_t GetCurrencyDftValue() const;
  void SetCurrencyDftValue(std::int64_t n);
  double GetTDateTimeDftValue() const;
  void SetTDateTimeDftValue(double d);
  const std::string& GetUnicodeStringDftValue() const;
  void SetUnicodeStringDftValue(std::string s);

private:
  CTFieldInfo(std::string szName, CTFieldType nType, PooledPtr<CTPooledValue> pDefault);
  template <class H>
  H& Default(CTFieldType nType) const;

  std::string v_name;
  CTFieldType v_type;
  PooledPtr<CTPooledValue> v_defaultValue; // none for Binary and TGUID fields
  bool v_multilingual = false;
  CTTableLink* v_refTo = nullptr;
  int v_SQLFieldIndex = -1;
};

// The fields of one table, indexed by field index; slot 0 is the ID field.
// Not owning: the schema owns the field infos.
using CTFieldList = std::vector<CTFieldInfo*>;

} // namespace aw
