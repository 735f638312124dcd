// The raster rules of the display list, pinned pixel by pixel on Qt's
// offscreen platform.

#include "render/ChartRender.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

namespace aw::render {
namespace {

using namespace aw::charts;

class PixelRules : public ::testing::Test
{
protected:
  static void SetUpTestSuite()
  {
    static int argc = 1;
    static char name[] = "test_render";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance())
      new QGuiApplication(argc, argv);
  }
  DisplayList list{40, 30, kWhite, {}};
  DLPrimitive& Add(DLKind kind, std::vector<DLPoint> points)
  {
    DLPrimitive& p = list.items.emplace_back();
    p.kind = kind;
    p.points = std::move(points);
    p.brush.style = BrushStyle::Clear;
    return p;
  }
  bool Dark(const QImage& image, int x, int y) const { return qGray(image.pixel(x, y)) < 128; }
};

TEST_F(PixelRules, LinesAndBoxesLeaveOutTheirEndPixels)
{
  Add(DLKind::PolyLine, {{2, 2}, {8, 2}});
  Add(DLKind::Rectangle, {{2, 10}, {8, 16}});
  const QImage image = renderImage(list, 1);
  EXPECT_TRUE(Dark(image, 2, 2));
  EXPECT_TRUE(Dark(image, 7, 2));
  EXPECT_FALSE(Dark(image, 8, 2));
  EXPECT_TRUE(Dark(image, 7, 15)); // the box covers 2 … 7 and 10 … 15
  EXPECT_FALSE(Dark(image, 8, 15));
  EXPECT_FALSE(Dark(image, 7, 16));
  EXPECT_TRUE(Dark(image, 2, 10));
}

TEST_F(PixelRules, ColoursAreStoredRedInTheLowByteAndDrawnWithoutAntialiasing)
{
  DLPrimitive& line = Add(DLKind::PolyLine, {{0, 0}, {30, 20}});
  line.pen.colour = kRed;
  const QImage image = renderImage(list, 1);
  int red = 0;
  for (int x = 0; x < 40; ++x)
    for (int y = 0; y < 30; ++y) {
      const QRgb p = image.pixel(x, y);
      EXPECT_TRUE(p == qRgb(255, 0, 0) || p == qRgb(255, 255, 255)) << x << "," << y;
      red += p == qRgb(255, 0, 0);
    }
  EXPECT_EQ(red, 30);
}

TEST_F(PixelRules, TextHangsBelowItsAnchor)
{
  DLPrimitive& text = Add(DLKind::Text, {{5, 10}});
  text.text = "HW";
  text.font.pixelSize = 12;
  const QImage image = renderImage(list, 1);
  int above = 0, below = 0;
  for (int x = 0; x < 40; ++x)
    for (int y = 0; y < 30; ++y)
      if (Dark(image, x, y))
        ++(y < 10 ? above : below);
  EXPECT_EQ(above, 0);
  EXPECT_GT(below, 10);
}

TEST_F(PixelRules, RoundRectangleCornersAreDiametersAndArcsRunBetweenRadialPoints)
{
  DLPrimitive& box = Add(DLKind::RoundRect, {{2, 2}, {22, 22}});
  box.corner = {12, 12};
  Add(DLKind::Arc, {{24, 2}, {38, 16}, {38, 9}, {31, 2}}); // the upper right quarter
  const QImage image = renderImage(list, 1);
  EXPECT_FALSE(Dark(image, 2, 2)); // corner cut by a 6 px radius
  EXPECT_FALSE(Dark(image, 3, 3));
  EXPECT_TRUE(Dark(image, 12, 2));
  EXPECT_TRUE(Dark(image, 2, 12));
  bool upperRight = false, lowerLeft = false;
  for (int x = 24; x < 38; ++x)
    for (int y = 2; y < 16; ++y)
      if (Dark(image, x, y))
        (x >= 30 && y <= 10 ? upperRight : lowerLeft) = true;
  EXPECT_TRUE(upperRight);
  EXPECT_FALSE(lowerLeft);
}

TEST_F(PixelRules, PngIsTwiceTheSizeAndPdfIsAPdf)
{
  Add(DLKind::PolyLine, {{2, 2}, {8, 2}});
  const QImage image = QImage::fromData(QByteArray::fromStdString([&] {
    const auto png = renderPng(list);
    return std::string(png.begin(), png.end());
  }()));
  EXPECT_EQ(image.size(), QSize(80, 60));
  const auto pdf = renderPdf(list);
  ASSERT_GT(pdf.size(), 4u);
  EXPECT_EQ(std::string(pdf.begin(), pdf.begin() + 4), "%PDF");
}

} // namespace
} // namespace aw::render
