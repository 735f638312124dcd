#include "catalogue/ClPolynomial.h"

#include "catalogue/CatalogueText.h"
#include "catalogue/ClBrisaData.h"
#include "catalogue/Factory.h"

#include <cmath>

namespace aw {

// ---- Cls_Polynomial -------------------------------------------------------

int Cls_Polynomial::CoefficientIndex(int nPower)
{
  static constexpr int kIndexOfPower[kDegree + 1] = {ixA0, ixA1, ixA2, ixA3, ixA4, ixA5, ixA6, ixA7};
  if (nPower < 0 || nPower > kDegree)
    throw std::out_of_range("Polynomial coefficient " + std::to_string(nPower));
  return kIndexOfPower[nPower];
}

double Cls_Polynomial::Evaluate(double nArgument) const
{
  const double low = GetArgumentLow(), high = GetArgumentHigh();
  const bool limited = low != 0 || high != 0;
  if (limited && !(low <= nArgument && nArgument <= high))
    return 0;
  double value = 0;
  for (int power = kDegree; power >= 0; --power)
    value = value * nArgument + GetCoefficient(power);
  // An overflow or an undefined result counts as a failed evaluation.
  return std::isfinite(value) ? value : 0;
}

bool Cls_BrisaSpeed::CompareSpeeds(const Cls_BrisaSpeed* pA, const Cls_BrisaSpeed* pB)
{
  return pA->GetSelect1() > pB->GetSelect1();
}

bool Cls_BrisaPolynomial::CompareBrisaPolynomials(const Cls_BrisaPolynomial* pA, const Cls_BrisaPolynomial* pB)
{
  if (pA->GetSelect2() != pB->GetSelect2())
    return pA->GetSelect2() < pB->GetSelect2();
  return pA->GetSelect1() < pB->GetSelect1();
}

// ---- Cls_Tabular ----------------------------------------------------------

namespace {

constexpr int kColumnIndex[Cls_Tabular::kColumns] = {
  Cls_Tabular::ixCol1, Cls_Tabular::ixCol2, Cls_Tabular::ixCol3, Cls_Tabular::ixCol4,
  Cls_Tabular::ixCol5, Cls_Tabular::ixCol6, Cls_Tabular::ixCol7,
};

} // namespace

double Cls_Tabular::GetDataVal(int TheIndex) const
{
  if (TheIndex < 1 || TheIndex > kColumns)
    return 0;
  return GetDoubleValue(kColumnIndex[TheIndex - 1]);
}

Cls_Tabular::Row Cls_Tabular::GetDataRow() const
{
  Row row{};
  for (int column = 1; column <= kColumns; ++column)
    row[column - 1] = GetDataVal(column);
  return row;
}

bool Cls_Tabular::IsHeaderRow() const
{
  const int type = GetType();
  return type == kHeaderCoolWB || type == kHeaderHeat || type == kHeaderCoolDB;
}

void Cls_Tabular::GetTempRow(int& TempULimit, Row& TempData) const
{
  if (!IsHeaderRow()) {
    TempULimit = 0;
    TempData.fill(0);
    return;
  }
  TempULimit = catalogue::RoundToInt(GetSelect());
  TempData = GetDataRow();
}

double Cls_Tabular::GetValAt(double TheTemp, int ULimit, const Row& TempData) const
{
  // A header can name at most its seven columns.
  ULimit = std::min(ULimit, kColumns);
  if (ULimit < 1 || TheTemp < TempData[0])
    return 0;
  int k = 1;
  while (k <= ULimit && TempData[k - 1] < TheTemp)
    ++k;
  if (k > ULimit)
    return 0;
  if (TheTemp == TempData[k - 1] || k == 1)
    return GetDataVal(k);
  const double h0 = TempData[k - 2], h1 = TempData[k - 1];
  const double c0 = GetDataVal(k - 1), c1 = GetDataVal(k);
  return c0 + (c1 - c0) * (TheTemp - h0) / (h1 - h0);
}

bool Cls_Tabular::CompareTabular(const Cls_Tabular* pA, const Cls_Tabular* pB)
{
  return pA->GetTe() < pB->GetTe();
}

// ---- speed types and settings ---------------------------------------------

OwningObjectList<Cls_BrisaSpeed> Cls_BrisaSpType::GetAllBrisaSpeed()
{
  return RelatedOf<Cls_BrisaSpeed>(*this, Cls_BrisaSpeed::ixBrisaSpType);
}

OwningObjectList<Cls_BrisaSetting> Cls_BrisaSpType::GetAllBrisaSetting()
{
  return RelatedOf<Cls_BrisaSetting>(*this, Cls_BrisaSetting::ixBrisaSpType);
}

OwningObjectList<Cls_BrisaSetting> Cls_BrisaSpType::GetAllBrisaSetting2()
{
  return RelatedOf<Cls_BrisaSetting>(*this, Cls_BrisaSetting::ixBrisaSpType2);
}

bool Cls_BrisaSpType::CompareSpeedTypes(const Cls_BrisaSpType* pA, const Cls_BrisaSpType* pB)
{
  return pA->GetWeight() < pB->GetWeight();
}

const ObjectList<Cls_BrisaSpType>& Cls_BrisaSpType::OrderedBrisaSpTypes(CTBaseFactory* pFactory)
{
  static const ObjectList<Cls_BrisaSpType> kNone;
  auto* factory = dynamic_cast<CTFactory*>(pFactory ? pFactory : CTDbObject::GetDefaultFactory());
  return factory ? factory->OrderedBrisaSpTypes() : kNone;
}

Cls_BrisaSetting::Cls_BrisaSetting(int nObjID, CTBaseFactory* pFactory) : CTDbObject(kClassID, nObjID, pFactory) {}

Cls_BrisaSetting::~Cls_BrisaSetting() = default;

void Cls_BrisaSetting::GetBrisaSpeedTypes(Cls_BrisaSpType*& Speed1, Cls_BrisaSpType*& Speed2)
{
  if (!v_speedTypesLoaded) {
    v_speedTypesLoaded = true;
    v_speedType1 = GetBrisaSpType();
    v_speedType2 = GetBrisaSpType2();
  }
  Speed1 = v_speedType1.get();
  Speed2 = v_speedType2.get();
}

int Cls_BrisaSetting::SortWeight()
{
  Cls_BrisaSpType *supply = nullptr, *exhaust = nullptr;
  GetBrisaSpeedTypes(supply, exhaust);
  return (supply ? supply->GetWeight() : 0) * 100 + (exhaust ? exhaust->GetWeight() : 0);
}

bool Cls_BrisaSetting::CompareBrisaSettings(Cls_BrisaSetting* pA, Cls_BrisaSetting* pB)
{
  return pA->SortWeight() < pB->SortWeight();
}

OwningObjectList<Cls_BrisaSetting> Cls_BrisaSettingScheme::GetAllBrisaSetting()
{
  return RelatedOf<Cls_BrisaSetting>(*this, Cls_BrisaSetting::ixBrisaSettingScheme);
}

} // namespace aw
