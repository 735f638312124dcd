// The canvas: rounding after the transform, dropped primitives, clipping,
// snapshots, smooth curves and path replay, read from the display list.

#include "charts/SvgWriter.h"
#include "charts/VirtCanv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace aw::charts {
namespace {

class CanvasTest : public ::testing::Test
{
protected:
  DisplayList list;
  FixedTextMetrics metrics;
  CTVirtualCanvas canvas{list, metrics};

  const DLPrimitive& Last() const { return list.items.back(); }
};

TEST(DeviceRoundTest, HalvesGoToTheEvenNeighbourAndNonsenseIsRefused)
{
  const std::pair<double, int> table[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {2.49, 2}, {0.5, 0}, {1e6, 1000000}};
  for (const auto& [value, expected] : table)
    EXPECT_EQ(DeviceRound(value), expected) << value;
  for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 2e7, -2e7})
    EXPECT_FALSE(DeviceRound(bad)) << bad;
}

TEST_F(CanvasTest, PointsAreRoundedAfterTheTransformInDeviceUnits)
{
  canvas.SetScaleX(4);
  canvas.SetScaleY(-4);
  canvas.SetOffsetX(0.5);
  canvas.SetOffsetY(300);
  std::vector<CTWorldPoint> points = {{0.25, 0.5}, {0.5, 0.75}, {0.75, 0.125}};
  canvas.DrawPolyLine(points);
  ASSERT_EQ(list.items.size(), 1u);
  EXPECT_EQ(Last().points, (std::vector<DLPoint>{{2, 298}, {2, 297}, {4, 300}})); // 1.5 → 2, 2.5 → 2, 3.5 → 4
  EXPECT_EQ(points[2].x, 4); // the caller's points hold device units afterwards
  EXPECT_EQ(points[2].y, 300);
  // A world in kg/kg: rounding before the transform would put every point at 0.
  canvas.SetScale(10000);
  canvas.SetOffsetX(0);
  canvas.SetOffsetY(0);
  canvas.DrawEllipse(0.0123, 0.0011, 0.0124, 0.0012);
  EXPECT_EQ(Last().points, (std::vector<DLPoint>{{123, 11}, {124, 12}}));
}

TEST_F(CanvasTest, APrimitiveWithANonFiniteOrFarOutCoordinateIsDropped)
{
  const double nan = std::numeric_limits<double>::quiet_NaN();
  canvas.DrawRectangle(0, 0, nan, 10);
  canvas.DrawEllipse(0, 0, 1e9, 10);
  canvas.TextOut(nan, 0, "x");
  canvas.MoveTo(0, 0);
  canvas.LineTo(nan, 5); // nothing, and the pen position is lost
  canvas.LineTo(5, 5);   // so this only moves
  canvas.LineTo(9, 5);
  ASSERT_EQ(list.items.size(), 1u);
  EXPECT_EQ(Last().points, (std::vector<DLPoint>{{5, 5}, {9, 5}}));
}

TEST_F(CanvasTest, ConsecutiveLinesMakeOnePolylineAndAPenChangeStartsANewOne)
{
  canvas.MoveTo(0, 0);
  canvas.LineTo(10, 0);
  canvas.LineTo(10, 10);
  canvas.SetVCPenWidth(2.5); // rounds to 2
  canvas.LineTo(0, 10);
  ASSERT_EQ(list.items.size(), 2u);
  EXPECT_EQ(list.items[0].points.size(), 3u);
  EXPECT_EQ(list.items[1].pen.width, 2);
  EXPECT_EQ(list.items[1].points, (std::vector<DLPoint>{{10, 10}, {0, 10}}));
}

TEST_F(CanvasTest, LinesAreCutToTheClipRectangleWithTheAirStatesInterpolated)
{
  canvas.SetLineClip(0, 0, 100, 100);
  const DLWorldPoint a{0, 0}, b{20, 0.02};
  canvas.MoveTo(-100, 50, &a);
  canvas.LineTo(100, 50, &b);
  canvas.MoveTo(-10, -10);
  canvas.LineTo(-5, 200); // wholly outside
  ASSERT_EQ(list.items.size(), 1u);
  EXPECT_EQ(Last().points, (std::vector<DLPoint>{{0, 50}, {100, 50}}));
  ASSERT_EQ(Last().world.size(), 2u);
  EXPECT_DOUBLE_EQ(Last().world[0].DBT, 10);
  EXPECT_DOUBLE_EQ(Last().world[0].AH, 0.01);
}

TEST_F(CanvasTest, RestorePropertiesBringsBackTheTransformAndTheDrawingState)
{
  canvas.SetScaleX(3);
  canvas.SetOffsetY(7);
  canvas.SetVCPenColor(kRed);
  canvas.SaveProperties();
  canvas.SetScale(-1);
  canvas.SetOffsetY(0);
  canvas.SetVCPenColor(kBlue);
  canvas.SetVCTextSize(20);
  canvas.RestoreProperties();
  EXPECT_EQ(canvas.GetScaleX(), 3);
  EXPECT_EQ(canvas.GetScaleY(), 1);
  EXPECT_EQ(canvas.GetOffsetY(), 7);
  EXPECT_EQ(canvas.VCPenColor(), kRed);
  EXPECT_EQ(canvas.VCTextSize(), 12);
}

TEST_F(CanvasTest, ShapesKeepTheirDeviceRulesInTheList)
{
  canvas.SetScaleY(2);
  canvas.DrawRoundedRectangle(0, 0, 10, 10, 3); // -1: the x diameter for both, times the y scale
  EXPECT_EQ(Last().kind, DLKind::RoundRect);
  EXPECT_EQ(Last().corner, (DLPoint{6, 6}));
  canvas.DrawCrossFixed(10, 10, 2);
  ASSERT_GE(list.items.size(), 3u);
  EXPECT_EQ(list.items[list.items.size() - 2].points, (std::vector<DLPoint>{{8, 20}, {13, 20}})); // end pixel kept
  EXPECT_EQ(Last().points, (std::vector<DLPoint>{{10, 18}, {10, 23}}));
  canvas.SetScale(-1);
  EXPECT_LT(canvas.TextHeight(), 0);
}

TEST_F(CanvasTest, SmoothCurvesFollowTheirPointCount)
{
  canvas.DrawCurve({{1, 1}});
  EXPECT_TRUE(list.items.empty());
  canvas.DrawCurve({{0, 0}, {4, 4}});
  EXPECT_EQ(Last().kind, DLKind::PolyLine);
  canvas.DrawCurve({{0, 0}, {2, 8}, {6, 8}});
  EXPECT_EQ(Last().points, (std::vector<DLPoint>{{0, 0}, {2, 8}, {6, 8}, {6, 8}}));
  canvas.DrawCurve({{0, 0}, {2, 2}, {4, 4}, {6, 6}});
  EXPECT_EQ(Last().points, (std::vector<DLPoint>{{0, 0}, {2, 2}, {4, 4}, {6, 6}}));
  canvas.DrawCurve({{0, 0}, {2, 2}, {4, 4}, {8, 6}, {10, 0}});
  ASSERT_EQ(Last().points.size(), 7u);
  EXPECT_EQ(Last().points[3], (DLPoint{6, 5})); // the joint: midpoint of P2 and P3
}

TEST_F(CanvasTest, AClosedPathReturnsToItsStartEvenWhenTheStartMovedAfterwards)
{
  CTVirtualPath path;
  path.AddMoveTo(1, 1);
  path.AddLineTo(5, 1);
  path.AddVLineTo(4, true);
  path.AddClose();
  path.Nodes().front()->v_x = 2;
  canvas.DrawPath(path, 10, 20);
  ASSERT_EQ(list.items.size(), 1u);
  EXPECT_EQ(Last().points, (std::vector<DLPoint>{{12, 21}, {15, 21}, {15, 25}, {12, 21}}));
}

// Arcs: a zero radius or equal end points give a straight line; radii too
// small for the chord grow to half an ellipse; a NaN end neither hangs nor
// reaches the list.
TEST_F(CanvasTest, EllipticArcsAreTracedInTheirOwnFrameWithACountedLoop)
{
  struct Case
  {
    double rx, ry, rot, ex, ey;
    bool large;
    std::size_t minPoints, maxPoints;
  };
  const Case cases[] = {
    {0, 10, 0, 20, 0, false, 2, 2},    // zero radius
    {10, 10, 0, 0, 0, false, 1, 2},    // start = end
    {1, 1, 0, 100, 0, false, 36, 40},  // enlarged: half a circle, 5° steps
    {50, 20, 30, 100, 0, true, 20, 80}, // rotated, large arc
  };
  for (const Case& c : cases) {
    list.items.clear();
    CTVirtualPath path;
    path.AddMoveTo(0, 0);
    path.AddEllipticArc(c.rx, c.ry, c.rot, c.large, true, c.ex, c.ey);
    canvas.DrawPath(path, 0, 0);
    const std::size_t n = list.items.empty() ? 0 : Last().points.size();
    EXPECT_GE(n, c.minPoints) << c.rx << " " << c.rot;
    EXPECT_LE(n, c.maxPoints) << c.rx << " " << c.rot;
    if (n) {
      EXPECT_EQ(Last().points.back(), (DLPoint{int(c.ex), int(c.ey)}));
    }
  }
  // Half a circle of radius 50 about (50, 0): every vertex on the circle.
  list.items.clear();
  CTVirtualPath half;
  half.AddMoveTo(0, 0);
  half.AddEllipticArc(1, 1, 0, false, true, 100, 0);
  canvas.DrawPath(half, 0, 0);
  for (const DLPoint& p : Last().points)
    EXPECT_NEAR(std::hypot(p.x - 50.0, p.y), 50, 0.75);

  list.items.clear();
  CTVirtualPath bad;
  bad.AddMoveTo(0, 0);
  bad.AddEllipticArc(10, 10, 0, false, true, std::numeric_limits<double>::quiet_NaN(), 0);
  canvas.DrawPath(bad, 0, 0);
  for (const DLPrimitive& p : list.items)
    EXPECT_LE(p.points.size(), 2u);
}

TEST_F(CanvasTest, SvgIsTheSameTextForTheSameListAndCarriesTheTags)
{
  canvas.SetTag("rh:100");
  canvas.MoveTo(0, 0);
  canvas.LineTo(10, 10);
  canvas.SetTag("state:SA");
  canvas.DrawEllipse(1, 1, 5, 5);
  canvas.SetTag({});
  canvas.TextOut(2, 2, "a<b");
  list.width = 20;
  list.height = 20;
  const std::string svg = WriteSvg(list);
  EXPECT_EQ(svg, WriteSvg(list));
  EXPECT_NE(svg.find("data-tag=\"rh:100\""), std::string::npos);
  EXPECT_NE(svg.find("data-tag=\"state:SA\""), std::string::npos);
  EXPECT_NE(svg.find("a&lt;b"), std::string::npos);
}

} // namespace
} // namespace aw::charts
