#include "catalogue/ClDocumentation.h"

#include "catalogue/CatalogueText.h"
#include "catalogue/ClDevice.h"
#include "platform/CaseFolding.h"

namespace aw {

std::string Cls_BrisaDocumentation::WebLinkForBrisaFC()
{
  return std::string(kWebHost) + "/en_us/" + catalogue::MessageText(catalogue::msgSeasonalEfficiencyPath);
}

OwningObjectList<Cls_StaticURL> Cls_StaticURL::GetStaticURLs(const std::string& LookupSeries, bool bHaldenDownloadLinks,
                                                               int nClassID, CTBaseFactory* pFactory)
{
  OwningObjectList<Cls_StaticURL> kept;
  for (Cls_StaticURL* link : AllRecordsOf<Cls_StaticURL>(false, pFactory).Release()) {
    std::unique_ptr<Cls_StaticURL> owned(link);
    const std::string series = catalogue::Trim(link->GetLookupSeries());
    if (link->GetIsHaldenDownload() == bHaldenDownloadLinks && (nClassID <= 0 || nClassID == link->GetDeviceClass()) &&
        (series.empty() || platform::EqualsIgnoreCase(series, LookupSeries)))
      kept.Add(owned.release());
  }
  return kept;
}

} // namespace aw
