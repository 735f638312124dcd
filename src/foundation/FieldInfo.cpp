#include "foundation/FieldInfo.h"

namespace aw {
namespace {

template <class H>
PooledPtr<CTPooledValue> MakeDefault(typename H::ValueType value)
{
  PooledPtr<CTPooledValue> holder(H::ObtainValue());
  static_cast<H&>(*holder).SetValue(std::move(value));
  return holder;
}

} // namespace

CTFieldInfo::CTFieldInfo(std::string szName, CTFieldType nType, PooledPtr<CTPooledValue> pDefault)
  : v_name(std::move(szName)), v_type(nType), v_defaultValue(std::move(pDefault))
{
}

CTFieldInfo* CTFieldInfo::CreateBoolean(std::string szName, bool bDefaultValue)
{
  return new CTFieldInfo(std::move(szName), ftBoolean, MakeDefault<CTPooledBoolean>(bDefaultValue));
}

CTFieldInfo* CTFieldInfo::CreateInteger(std::string szName, std::int32_t nDefaultValue)
{
  return new CTFieldInfo(std::move(szName), ftInteger, MakeDefault<CTPooledInteger>(nDefaultValue));
}

CTFieldInfo* CTFieldInfo::CreateDouble(std::string szName, double nDefaultValue)
{
  return new CTFieldInfo(std::move(szName), ftDouble, MakeDefault<CTPooledDouble>(nDefaultValue));
}

CTFieldInfo* CTFieldInfo::CreateUnicodeString(std::string szName, std::string szDefaultValue, bool bMultilingual)
{
  auto* info = new CTFieldInfo(std::move(szName), ftUnicodeString, MakeDefault<CTPooledString>(std::move(szDefaultValue)));
  info->v_multilingual = bMultilingual;
  return info;
}

CTFieldInfo* CTFieldInfo::CreateCurrency(std::string szName, std::int64_t nDefaultValue)
{
  return new CTFieldInfo(std::move(szName), ftCurrency, MakeDefault<CTPooledCurrency>(nDefaultValue));
}

CTFieldInfo* CTFieldInfo::CreateTDateTime(std::string szName, double nDefaultValue)
{
  return new CTFieldInfo(std::move(szName), ftDateTime, MakeDefault<CTPooledDateTime>(nDefaultValue));
}

CTFieldInfo* CTFieldInfo::CreateTGUID(std::string szName)
{
  return new CTFieldInfo(std::move(szName), ftGUID, nullptr);
}

CTFieldInfo* CTFieldInfo::CreateBinary(std::string szName)
{
  return new CTFieldInfo(std::move(szName), ftBinary, nullptr);
}

template <class H>
H& CTFieldInfo::Default(CTFieldType nType) const
{
  if (v_type != nType || !v_defaultValue)
    throw CTFieldTypeError();
  return static_cast<H&>(*v_defaultValue);
}

bool CTFieldInfo::GetBooleanDftValue() const { return Default<CTPooledBoolean>(ftBoolean).Value(); }
void CTFieldInfo::SetBooleanDftValue(bool b) { Default<CTPooledBoolean>(ftBoolean).SetValue(b); }
std::int32_t CTFieldInfo::GetIntegerDftValue() const { return Default<CTPooledInteger>(ftInteger).Value(); }
void CTFieldInfo::SetIntegerDftValue(std::int32_t n) { Default<CTPooledInteger>(ftInteger).SetValue(n); }
double CTFieldInfo::GetDoubleDftValue() const { return Default<CTPooledDouble>(ftDouble).Value(); }
void CTFieldInfo::SetDoubleDftValue(double d) { Default<CTPooledDouble>(ftDouble).SetValue(d); }
std::int64_t CTFieldInfo::GetCurrencyDftValue() const { return Default<CTPooledCurrency>(ftCurrency).Value(); }
void CTFieldInfo::SetCurrencyDftValue(std::int64_t n) { Default<CTPooledCurrency>(ftCurrency).SetValue(n); }
double CTFieldInfo::GetTDateTimeDftValue() const { return Default<CTPooledDateTime>(ftDateTime).Value(); }
void CTFieldInfo::SetTDateTimeDftValue(double d) { Default<CTPooledDateTime>(ftDateTime).SetValue(d); }
const std::string& CTFieldInfo::GetUnicodeStringDftValue() const
{
  return Default<CTPooledString>(ftUnicodeString).Value();
}
void CTFieldInfo::SetUnicodeStringDftValue(std::string s)
{
  Default<CTPooledString>(ftUnicodeString).SetValue(std::move(s));
}

} // namespace aw
