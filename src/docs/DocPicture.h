#pragma once
// A picture a document embeds. Its size is given in logical pixels at
// 96 per inch, so that the printed size does not depend on the screen the
// program runs on; each writer renders it at the resolution it needs.

#include <string>

namespace aw::docs {

inline constexpr int kLogicalPixelsPerInch = 96;
inline constexpr int kTwipsPerLogicalPixel = 1440 / kLogicalPixelsPerInch;

class CTDocPicture
{
public:
  virtual ~CTDocPicture() = default;
  virtual int LogicalWidth() const = 0;
  virtual int LogicalHeight() const = 0;
  // The picture as PNG bytes, dScale device pixels per logical pixel;
  // empty when it cannot be rendered.
  virtual std::string RenderPng(double dScale) const = 0;
};

} // namespace aw::docs
