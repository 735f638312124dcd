#include "docs/DocOutput.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace aw::docs {
namespace {

bool SameFaceName(const std::string& a, const std::string& b)
{
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

constexpr int kDefaultMarginTwips = 1797;

} // namespace

int CTPageGeometry::CmToTwips(double dCm) { return int(std::lround(dCm * 1440.0 / 2.54)); }

CTPageGeometry CTPageGeometry::FromCentimetres(double dPaperW, double dPaperH, double dMarginL, double dMarginR, double dMarginT, double dMarginB)
{
  return {CmToTwips(dPaperW), CmToTwips(dPaperH), CmToTwips(dMarginL), CmToTwips(dMarginR), CmToTwips(dMarginT), CmToTwips(dMarginB)};
}

int CTPageGeometry::UsableWidth() const
{
  return paperW - (marginL ? marginL : kDefaultMarginTwips) - (marginR ? marginR : kDefaultMarginTwips);
}

CTDocOutput::CTDocOutput() : v_fontNames{"Arial", "Tahoma", "Verdana", "Courier New", "Segoe UI", "MS Sans Serif"}
{
  auto set = [this](DocFontRole role, int nSizePt, FontStyles styles) { v_fonts[std::size_t(role)] = CTDocFont{"Arial", nSizePt, styles}; };
  set(DocFontRole::Normal, 10, 0);
  set(DocFontRole::Title, 12, kBold);
  set(DocFontRole::SubTitle, 10, kBold);
  set(DocFontRole::Heading0, 20, kBold);
  set(DocFontRole::Heading1, 18, kBold);
  set(DocFontRole::Heading2, 16, kBold | kItalic);
  set(DocFontRole::Heading3, 14, kBold);
  set(DocFontRole::Heading4, 12, kBold | kItalic);
}

void CTDocOutput::SetFont(DocFontRole role, const CTDocFont& font)
{
  v_fonts[std::size_t(role)] = font;
  AddFontName(font.name);
}

void CTDocOutput::AddFontName(const std::string& szName)
{
  if (FontNumber(szName) < 0) v_fontNames.push_back(szName);
}

int CTDocOutput::FontNumber(const std::string& szName) const
{
  for (std::size_t i = 0; i < v_fontNames.size(); ++i)
    if (SameFaceName(v_fontNames[i], szName)) return int(i);
  return -1;
}

int CTDocOutput::OutlineLevel(DocFontRole role)
{
  switch (role) {
  case DocFontRole::Heading0:
  case DocFontRole::Heading1: return 0;
  case DocFontRole::Heading2: return 1;
  case DocFontRole::Heading3: return 2;
  case DocFontRole::Heading4: return 3;
  default: return -1;
  }
}

} // namespace aw::docs

namespace aw::docs {

std::string CTHeadingNumbers::Next(int nLevel)
{
  nLevel = std::clamp(nLevel, 0, int(v_counts.size()) - 1);
  ++v_counts[std::size_t(nLevel)];
  std::fill(v_counts.begin() + nLevel + 1, v_counts.end(), 0);
  std::string number;
  for (int level = 0; level <= nLevel; ++level) number += std::to_string(v_counts[std::size_t(level)]) + ".";
  return number;
}

} // namespace aw::docs
