#pragma once
// The sample document's picture: a small fan-curve figure with axes,
// a curve, an operating point and labels, drawn as vectors.

#include "render/PdfPaintedPicture.h"

namespace aw::render {

class CTSampleFigure : public CTPaintedPicture
{
public:
  int LogicalWidth() const override { return 320; }
  int LogicalHeight() const override { return 180; }
  void paint(QPainter& painter) const override;
};

} // namespace aw::render
