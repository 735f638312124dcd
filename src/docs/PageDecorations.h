#pragma once
// What every page carries besides the flow: up to three zones at the top and
// three at the bottom (text lines, a picture or the page number) and an
// optional header line and footer line.

#include "docs/DocPicture.h"

#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace aw::docs {

struct CTTextZone
{
  std::vector<std::string> lines;
};

struct CTPictureZone
{
  std::shared_ptr<const CTDocPicture> picture;
};

// The page number with its caption, e.g. "Page $1": the number takes the
// place of "$1"; a caption without it is followed by the number.
struct CTPageNrZone
{
  std::string caption;
};

using CTPageZone = std::variant<CTTextZone, CTPictureZone, CTPageNrZone>;

// The caption split around the page number.
struct CTPageNrCaption
{
  std::string before, after;
};
CTPageNrCaption SplitPageNrCaption(const std::string& szCaption);

class CTDecorationDefinition
{
public:
  static constexpr std::size_t kMaxZones = 3;

  // A list already holding three zones ignores a further one.
  void AddTopZone(CTPageZone zone) { Add(v_topZones, std::move(zone)); }
  void AddBottomZone(CTPageZone zone) { Add(v_botZones, std::move(zone)); }
  const std::vector<CTPageZone>& TopZones() const { return v_topZones; }
  const std::vector<CTPageZone>& BottomZones() const { return v_botZones; }

  bool v_mustPrintDecorations = true;
  bool v_mustPrintHeaderLine = true;
  bool v_mustPrintFooterLine = false;
  std::string v_headerLine, v_footerLine;

  bool PrintsHeaderLine() const { return v_mustPrintHeaderLine && !v_headerLine.empty(); }
  bool PrintsFooterLine() const { return v_mustPrintFooterLine && !v_footerLine.empty(); }

private:
  static void Add(std::vector<CTPageZone>& zones, CTPageZone zone)
  {
    if (zones.size() < kMaxZones) zones.push_back(std::move(zone));
  }

  std::vector<CTPageZone> v_topZones, v_botZones;
};

// The zones of a list by position: the first at the left, the last at the
// right when there are two or more, the second in the centre of three.
struct CTZonePlaces
{
  const CTPageZone* left = nullptr;
  const CTPageZone* centre = nullptr;
  const CTPageZone* right = nullptr;
};
CTZonePlaces PlaceZones(const std::vector<CTPageZone>& zones);

} // namespace aw::docs
