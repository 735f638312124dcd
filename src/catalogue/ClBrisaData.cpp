#include "catalogue/ClBrisaData.h"

#include "catalogue/CatalogueText.h"
#include "catalogue/ClPolynomial.h"

#include <iterator>

namespace aw {

namespace {

// The series, and the product-range key: the device's own, else the lookup
// series of the series' family, else the series itself.
void ProductLinkInfo(const Cls_Device& pDevice, const std::string& szSeries, std::string& szSeriesName,
                     std::string& szPRV)
{
  szSeriesName = catalogue::Trim(szSeries);
  szPRV = catalogue::Trim(pDevice.GetProductRangeKey());
  if (szPRV.empty())
    if (const Cls_IndFamily* family = Cls_IndFamily::CachedIndFamily(szSeriesName))
      szPRV = catalogue::Trim(family->GetLookupSeries());
  if (szPRV.empty())
    szPRV = szSeriesName;
}

} // namespace

OwningObjectList<Cls_BrisaSpeed> Cls_BrisaData::GetAllBrisaSpeed()
{
  return RelatedOf<Cls_BrisaSpeed>(*this, Cls_BrisaSpeed::ixBrisa);
}

OwningObjectList<Cls_BrisaPolynomial> Cls_BrisaData::GetAllBrisaPolynomial()
{
  return RelatedOf<Cls_BrisaPolynomial>(*this, Cls_BrisaPolynomial::ixBrisa);
}

std::unique_ptr<Cls_IndoorUnitData> Cls_BrisaData::GetTheIndoorUnit()
{
  return SingleRelatedOf<Cls_IndoorUnitData>(*this, Cls_IndoorUnitData::ixBrisa);
}

void Cls_BrisaData::GetProductLinkInfo(std::string& szSeriesName, std::string& szPRV)
{
  ProductLinkInfo(*this, GetSeries(), szSeriesName, szPRV);
}

std::string Cls_BrisaData::Family2Str(int TheFamily)
{
  using namespace catalogue;
  static constexpr int kMessageOfFamily[] = {msgFamilyBrisa,  msgFamilyDorsa,   msgFamilyPelmarMF, msgFamilyAHU,
                                             msgFamilyCorvane, msgFamilyWendrix, msgFamilyWendrix};
  const bool named = TheFamily >= 0 && TheFamily < static_cast<int>(std::size(kMessageOfFamily));
  return MessageText(named ? kMessageOfFamily[TheFamily] : msgFamilyPlugAndPlay);
}

OwningObjectList<Cls_IndTabularCap> Cls_IndoorUnitData::GetAllIndTabularCap()
{
  return RelatedOf<Cls_IndTabularCap>(*this, Cls_IndTabularCap::ixIndoorUnit);
}

std::string Cls_IndoorUnitData::GetQualifier() const
{
  return catalogue::MessageText(catalogue::msgIndoorUnit);
}

void Cls_IndoorUnitData::GetProductLinkInfo(std::string& szSeriesName, std::string& szPRV)
{
  ProductLinkInfo(*this, GetFamily(), szSeriesName, szPRV);
}

} // namespace aw
