#pragma once
// Measuring text in screen pixels (96 per inch) for sizing table columns.
// The core has no font engine: writers with one pass their own measure,
// everything else uses the approximation, which is close enough for the
// RTF writer since the reader lays the text out again.

#include "docs/DocTypes.h"

#include <string_view>

namespace aw::docs {

class CTDocTextMeasure
{
public:
  virtual ~CTDocTextMeasure() = default;
  virtual int TextWidth(std::string_view szUtf8, const CTDocFont& font) const = 0;
  virtual int LineHeight(const CTDocFont& font) const = 0;
};

// Average glyph widths of a sans-serif face: half an em for most
// characters, a full em for East Asian ones, a little more in bold.
class CTApproxTextMeasure : public CTDocTextMeasure
{
public:
  int TextWidth(std::string_view szUtf8, const CTDocFont& font) const override;
  int LineHeight(const CTDocFont& font) const override;
  static const CTApproxTextMeasure& Instance();
};

} // namespace aw::docs
