#include "render/PdfOutput.h"

#include "docs/SampleDocument.h"
#include "render/PdfSampleFigure.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <memory>
#include <regex>
#include <string>
#include <vector>

namespace aw::render {
namespace {

using namespace aw::docs;

// What the PDF's own objects say: its page objects and their media boxes.
struct PdfFacts
{
  int pages = 0;
  std::vector<std::pair<double, double>> pageSizes; // points
};

PdfFacts ReadPdf(const std::string& pdf)
{
  PdfFacts facts;
  EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
  EXPECT_NE(pdf.find("%%EOF"), std::string::npos);
  static const std::regex page(R"(/Type\s*/Page(?![a-zA-Z]))");
  facts.pages = int(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
  static const std::regex box(R"(/MediaBox\s*\[\s*0\s+0\s+([0-9.]+)\s+([0-9.]+)\s*\])");
  for (auto it = std::sregex_iterator(pdf.begin(), pdf.end(), box); it != std::sregex_iterator(); ++it)
    facts.pageSizes.emplace_back(std::stod((*it)[1]), std::stod((*it)[2]));
  return facts;
}

class PdfOutputTest : public ::testing::Test
{
protected:
  void SetUp() override { EnsureGuiApplication(); }
};

TEST_F(PdfOutputTest, TheSampleDocumentFillsTwoA4Pages)
{
  CTPdfOutput pdf;
  WriteSampleDocument(pdf, std::make_shared<CTSampleFigure>());
  const PdfFacts facts = ReadPdf(pdf.Finish());
  EXPECT_EQ(facts.pages, 2);
  ASSERT_EQ(facts.pageSizes.size(), 2u);
  for (const auto& [width, height] : facts.pageSizes) {
    EXPECT_NEAR(width, 21.0 / 2.54 * 72, 1.0);
    EXPECT_NEAR(height, 29.7 / 2.54 * 72, 1.0);
  }
}

TEST_F(PdfOutputTest, PaperWiderThanHighIsLandscape)
{
  CTPdfOutput pdf;
  pdf.SetPageGeometry(CTPageGeometry::FromCentimetres(29.7, 21.0, 1, 1, 1, 1));
  pdf.TextLeft("landscape");
  const PdfFacts facts = ReadPdf(pdf.Finish());
  ASSERT_EQ(facts.pageSizes.size(), 1u);
  EXPECT_GT(facts.pageSizes[0].first, facts.pageSizes[0].second);
}

TEST_F(PdfOutputTest, AnEmptyDocumentIsOnePage)
{
  CTPdfOutput pdf;
  EXPECT_EQ(ReadPdf(pdf.Finish()).pages, 1);
  EXPECT_EQ(pdf.Finish(), "");
}

TEST_F(PdfOutputTest, LongTextAndTablesBreakPages)
{
  CTPdfOutput pdf;
  pdf.SetPageGeometry(CTPageGeometry::FromCentimetres(21.0, 29.7, 2, 2, 2, 2));
  // About 50 lines of 10-point text fit a page.
  for (int i = 0; i < 60; ++i) pdf.TextLeft("Paragraph " + std::to_string(i));
  CTDocTable table(2, 120, 0, 1);
  for (int r = 0; r < 120; ++r) table.SetText(0, r, "row " + std::to_string(r));
  pdf.PutDocTable(table);
  const int pages = pdf.PageCount();
  EXPECT_GE(pages, 4);
  EXPECT_EQ(ReadPdf(pdf.Finish()).pages, pages);
}

// A picture wider than the page.
class WideFigure : public CTPaintedPicture
{
public:
  int LogicalWidth() const override { return 3000; }
  int LogicalHeight() const override { return 100; }
  void paint(QPainter& painter) const override { painter.fillRect(QRectF(0, 0, 3000, 100), Qt::blue); }
};

TEST_F(PdfOutputTest, PaintedPicturesRenderAtTheAskedScale)
{
  const std::string png = CTSampleFigure().RenderPng(2.0);
  ASSERT_GE(png.size(), 24u);
  auto be32 = [&png](std::size_t at) {
    return (unsigned(static_cast<unsigned char>(png[at])) << 24) | (unsigned(static_cast<unsigned char>(png[at + 1])) << 16) |
           (unsigned(static_cast<unsigned char>(png[at + 2])) << 8) | unsigned(static_cast<unsigned char>(png[at + 3]));
  };
  EXPECT_EQ(png.substr(1, 3), "PNG");
  EXPECT_EQ(be32(16), 640u);
  EXPECT_EQ(be32(20), 360u);
  // A picture too wide for the page still makes a one-page document.
  CTPdfOutput pdf;
  pdf.PutGraphic(1.0, WideFigure(), HorAlign::Left, true);
  EXPECT_EQ(ReadPdf(pdf.Finish()).pages, 1);
}

} // namespace
} // namespace aw::render
