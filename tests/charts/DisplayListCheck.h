#pragma once
// One check for every chart and graph drawing: every coordinate lies inside
// the drawing, and everything tagged as content lies inside the plot.

#include "charts/DisplayList.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace aw::test {

struct PlotBox
{
  int left = 0, top = 0, right = 0, bottom = 0;
};

inline void ExpectDrawingInside(const charts::DisplayList& list, const PlotBox& plot, std::string_view contentPrefix)
{
  for (const charts::DLPrimitive& p : list.items) {
    const bool bContent = !contentPrefix.empty() && p.tag.starts_with(contentPrefix);
    for (const charts::DLPoint& d : p.points) {
      EXPECT_TRUE(d.x >= 0 && d.x <= list.width && d.y >= 0 && d.y <= list.height)
        << p.tag << " " << p.text << " at " << d.x << ", " << d.y;
      if (bContent) {
        EXPECT_TRUE(d.x >= plot.left && d.x <= plot.right && d.y >= plot.top && d.y <= plot.bottom)
          << p.tag << " at " << d.x << ", " << d.y;
      }
    }
    if (p.kind == charts::DLKind::Text) {
      EXPECT_EQ(p.text.find("nan"), std::string::npos) << p.text;
    }
  }
}

} // namespace aw::test
