#pragma once
// A document picture drawn by code on a QPainter: the PDF writer replays it
// as vectors, other writers take its PNG. Any drawing (a chart's display
// list, a figure) becomes a document picture by deriving from this class.

#include "docs/DocPicture.h"

class QPainter;

namespace aw::render {

class CTPaintedPicture : public docs::CTDocPicture
{
public:
  // Draws the picture in logical pixels, from (0, 0) to its logical size.
  virtual void paint(QPainter& painter) const = 0;
  // Renders paint() on a white image of dScale device pixels per logical pixel.
  std::string RenderPng(double dScale) const override;
};

} // namespace aw::render
