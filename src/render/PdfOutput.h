#pragma once
// The PDF writer: lays the document flow out on pages of the document's
// paper size and margins and draws it through QPdfWriter, in twips (the
// writer runs at 1440 dots per inch). Paragraphs wrap at blanks, tables
// break between rows and repeat their title rows, painted pictures stay
// vectors, and every page gets the header and footer zones with its number.
// Finish answers the PDF's bytes; nothing touches a file.

#include "docs/DocOutput.h"

#include <QBuffer>
#include <QColor>
#include <QFont>
#include <QString>

#include <memory>
#include <string>
#include <vector>

class QPainter;
class QPdfWriter;

namespace aw::render {

// Text in a document font measured by Qt at 96 pixels per inch, for sizing
// tables the way they are drawn.
class CTQtTextMeasure : public docs::CTDocTextMeasure
{
public:
  int TextWidth(std::string_view szUtf8, const docs::CTDocFont& font) const override;
  int LineHeight(const docs::CTDocFont& font) const override;
};

// Fonts, printing and PNG rendering need a Gui application; the command
// line creates one (offscreen unless a platform is chosen) on first use.
void EnsureGuiApplication();

class CTPdfOutput : public docs::CTDocOutput
{
public:
  CTPdfOutput();
  ~CTPdfOutput() override;

  void TextStyle(const std::string& szText, docs::FontStyles extraStyles, docs::DocColor color, int nTabIndex) override;
  void TextWriteln() override;
  void TextLeft(const std::string& szText, docs::FontStyles extraStyles = 0, docs::DocColor color = docs::kWindowTextColor) override;
  void TextCenter(const std::string& szText, docs::FontStyles extraStyles = 0, docs::DocColor color = docs::kWindowTextColor) override;
  void TextRight(const std::string& szText, docs::FontStyles extraStyles = 0, docs::DocColor color = docs::kWindowTextColor) override;
  void NewPage() override;
  void TextHeading(docs::DocFontRole role, const std::string& szText, bool bIndexEntry) override;
  void PutDocTable(docs::CTDocTable& table) override;
  void PutGraphic(double dScale, const docs::CTDocPicture& picture, docs::HorAlign align, bool bAddNewLine) override;

  // Ends the last page and answers the PDF; empty when it could not be made.
  std::string Finish();
  int PageCount() const { return v_page; }

private:
  struct Run
  {
    QString text;
    QFont font;
    QColor color;
  };
  struct Area
  {
    double left, top, right, bottom; // twips from the paper's top left
  };

  bool Started();
  void StartPage();
  void EnsureSpace(double dHeight);
  void FlushParagraph(docs::HorAlign align);
  // Lays runs out in a column dWidth wide and answers their height; with a
  // negative dTop they flow at the current position and break pages.
  double LayoutRuns(const std::vector<Run>& runs, double dWidth, docs::HorAlign align, double dLeft, double dTop, bool bDraw);
  void DrawDecorations();
  // Draws one row of zones from dEdge down (or, at the bottom, up to it); answers its height.
  double LayoutZones(const std::vector<docs::CTPageZone>& zones, double dEdge, bool bBottom);
  void DrawPicture(const docs::CTDocPicture& picture, const QRectF& rect);
  double RowHeight(const docs::CTDocTable& table, int nRow, const std::vector<double>& edges);
  void DrawRow(const docs::CTDocTable& table, int nRow, const std::vector<double>& edges, double dHeight);
  QFont ToQFont(const docs::CTDocFont& font) const;
  Run MakeRun(const std::string& szText, const docs::CTDocFont& font) const;

  QByteArray v_bytes;
  QBuffer v_buffer;
  std::unique_ptr<QPdfWriter> v_writer;
  std::unique_ptr<QPainter> v_painter;
  Area v_area{};
  std::vector<Run> v_paragraph;
  docs::CTHeadingNumbers v_headingNumbers;
  double v_y = 0;
  double v_paperH = 0;
  int v_page = 0;
  bool v_failed = false;
  bool v_finished = false;
};

} // namespace aw::render
