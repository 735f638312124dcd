#include "docs/DocTextMeasure.h"

#include "docs/Utf8.h"

#include <cmath>

namespace aw::docs {
namespace {

double EmPixels(const CTDocFont& font) { return font.sizePt * 96.0 / 72.0; }

bool IsWide(char32_t c) { return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFF60); }

} // namespace

int CTApproxTextMeasure::TextWidth(std::string_view szUtf8, const CTDocFont& font) const
{
  double ems = 0;
  for (char32_t c : DecodeUtf8(szUtf8)) ems += IsWide(c) ? 1.0 : 0.55;
  if (font.styles & kBold) ems *= 1.07;
  return int(std::lround(ems * EmPixels(font)));
}

int CTApproxTextMeasure::LineHeight(const CTDocFont& font) const { return int(std::lround(EmPixels(font) * 1.15)); }

const CTApproxTextMeasure& CTApproxTextMeasure::Instance()
{
  static const CTApproxTextMeasure measure;
  return measure;
}

} // namespace aw::docs
