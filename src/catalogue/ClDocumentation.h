#pragma once
// Dimensional documentation of devices and the static web links of a series.

#include "catalogue/CatalogueProperties.h"

#include <string>

namespace aw {

class Cls_Device;

class Cls_DeviceDocumentation : public CTDbObject
{
public:
  static constexpr int kClassID = 166;
  enum : int { ixDepth = 1, ixWeight, ixWidth, ixHeight, ixDevice };

  explicit Cls_DeviceDocumentation(int nObjID = 0, CTBaseFactory* pFactory = nullptr)
    : Cls_DeviceDocumentation(kClassID, nObjID, pFactory)
  {
  }

  AW_DOUBLE_PROPERTY(Depth, ixDepth)
  AW_DOUBLE_PROPERTY(Weight, ixWeight)
  AW_DOUBLE_PROPERTY(Width, ixWidth)
  AW_DOUBLE_PROPERTY(Height, ixHeight)
  AW_REFERENCE_PROPERTY(Device, Cls_Device, ixDevice)

protected:
  Cls_DeviceDocumentation(int nClsID, int nObjID, CTBaseFactory* pFactory) : CTDbObject(nClsID, nObjID, pFactory) {}
};

class Cls_BrisaDocumentation : public Cls_DeviceDocumentation
{
public:
  static constexpr int kClassID = 145;

  explicit Cls_BrisaDocumentation(int nObjID = 0, CTBaseFactory* pFactory = nullptr)
    : Cls_DeviceDocumentation(kClassID, nObjID, pFactory)
  {
  }

  // The maker's page on seasonal efficiency.
  static std::string WebLinkForBrisaFC();
  // The address the link starts with (a configured base address may replace it).
  static constexpr const char* kWebHost = "https://www.korvath.com";
};

// A web link of a series.
class Cls_StaticURL : public CTDbObject
{
public:
  static constexpr int kClassID = 387;
  enum : int { ixTitle = 1, ixURL, ixLookupSeries, ixDeviceClass, ixIsHaldenDownload };

  explicit Cls_StaticURL(int nObjID = 0, CTBaseFactory* pFactory = nullptr) : CTDbObject(kClassID, nObjID, pFactory) {}

  AW_STRING_PROPERTY(Title, ixTitle)
  AW_STRING_PROPERTY(URL, ixURL)
  // Blank: the link belongs to every series.
  AW_STRING_PROPERTY(LookupSeries, ixLookupSeries)
  AW_INTEGER_PROPERTY(DeviceClass, ixDeviceClass)
  AW_BOOLEAN_PROPERTY(IsHaldenDownload, ixIsHaldenDownload)

  // The links of a series, in stored order: downloads or not as asked, of
  // the class nClassID (any class for 0 or less), of the series or of every series.
  static OwningObjectList<Cls_StaticURL> GetStaticURLs(const std::string& LookupSeries, bool bHaldenDownloadLinks,
                                                        int nClassID, CTBaseFactory* pFactory = nullptr);
};

} // namespace aw
