#include "docs/PageDecorations.h"

namespace aw::docs {

CTPageNrCaption SplitPageNrCaption(const std::string& szCaption)
{
  const std::size_t at = szCaption.find("$1");
  if (at == std::string::npos) return {szCaption, {}};
  return {szCaption.substr(0, at), szCaption.substr(at + 2)};
}

CTZonePlaces PlaceZones(const std::vector<CTPageZone>& zones)
{
  CTZonePlaces places;
  if (!zones.empty()) places.left = &zones.front();
  if (zones.size() >= 2) places.right = &zones.back();
  if (zones.size() == 3) places.centre = &zones[1];
  return places;
}

} // namespace aw::docs
