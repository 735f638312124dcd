#include "render/PdfOutput.h"

#include "render/PdfPaintedPicture.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace aw::render {
namespace {

using namespace aw::docs;

constexpr int kTwipsPerInch = 1440;
constexpr int kA4WidthTwips = 11906, kA4HeightTwips = 16838;
constexpr int kDefaultSideMargin = 1797, kDefaultTopBottomMargin = 1440;
constexpr double kHeaderDistance = 720, kFooterDistance = 720; // from the paper's edge
constexpr double kCellPadX = 60, kCellPadTop = 40, kCellPadBottom = 10;
constexpr double kBorderWidth = 10;
constexpr double kHeadingSpaceBefore = 240, kHeadingSpaceAfter = 60;

QColor PrintColor(DocColor color)
{
  const DocColor c = ResolveColor(color);
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

QFont MakeQFont(const CTDocFont& font, double dPointSize)
{
  QFont f(QString::fromStdString(font.name));
  f.setPointSizeF(dPointSize);
  f.setBold(font.styles & kBold);
  f.setItalic(font.styles & kItalic);
  f.setUnderline(font.styles & kUnderline);
  f.setStrikeOut(font.styles & kStrikeOut);
  // No ligatures: text copied or searched in the PDF reads as written.
  f.setStyleStrategy(QFont::PreferNoShaping);
  return f;
}

// One piece of a run: a word with the blanks that follow it.
struct Piece
{
  QString text;
  QFont font;
  QColor color;
  double width = 0, trailing = 0;
  bool breakAfter = false;
};

struct Line
{
  std::vector<Piece> pieces;
  double width = 0, height = 0, ascent = 0;
};

double PieceWidth(const QFontMetricsF& metrics, const QString& text) { return metrics.horizontalAdvance(text); }

} // namespace

int CTQtTextMeasure::TextWidth(std::string_view szUtf8, const CTDocFont& font) const
{
  QFont f = MakeQFont(font, font.sizePt);
  f.setPixelSize(int(std::lround(font.sizePt * 96.0 / 72.0)));
  return int(std::ceil(QFontMetricsF(f).horizontalAdvance(QString::fromUtf8(szUtf8.data(), qsizetype(szUtf8.size())))));
}

int CTQtTextMeasure::LineHeight(const CTDocFont& font) const
{
  QFont f = MakeQFont(font, font.sizePt);
  f.setPixelSize(int(std::lround(font.sizePt * 96.0 / 72.0)));
  return int(std::ceil(QFontMetricsF(f).height()));
}

void EnsureGuiApplication()
{
  if (QCoreApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "airwright";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}

CTPdfOutput::CTPdfOutput() : v_buffer(&v_bytes) {}

CTPdfOutput::~CTPdfOutput()
{
  if (v_painter && v_painter->isActive()) v_painter->end();
}

QFont CTPdfOutput::ToQFont(const CTDocFont& font) const { return MakeQFont(font, font.sizePt); }

CTPdfOutput::Run CTPdfOutput::MakeRun(const std::string& szText, const CTDocFont& font) const
{
  return Run{QString::fromStdString(szText), ToQFont(font), PrintColor(font.color)};
}

bool CTPdfOutput::Started()
{
  if (v_finished || v_failed) return false;
  if (v_painter) return true;
  EnsureGuiApplication();
  CTPageGeometry page = PageGeometry();
  if (page.paperW <= 0 || page.paperH <= 0) {
    page.paperW = kA4WidthTwips;
    page.paperH = kA4HeightTwips;
  }
  const auto margin = [](int nValue, int nDefault) { return double(nValue ? nValue : nDefault); };
  v_area = Area{margin(page.marginL, kDefaultSideMargin), margin(page.marginT, kDefaultTopBottomMargin),
                page.paperW - margin(page.marginR, kDefaultSideMargin), page.paperH - margin(page.marginB, kDefaultTopBottomMargin)};
  if (!v_buffer.open(QIODevice::WriteOnly)) {
    v_failed = true;
    return false;
  }
  v_writer = std::make_unique<QPdfWriter>(&v_buffer);
  v_writer->setResolution(kTwipsPerInch);
  v_writer->setCreator("Airwright");
  const bool landscape = page.paperW > page.paperH;
  const QSizeF portrait(std::min(page.paperW, page.paperH) / 20.0, std::max(page.paperW, page.paperH) / 20.0);
  v_writer->setPageLayout(QPageLayout(QPageSize(portrait, QPageSize::Point), landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF()));
  v_painter = std::make_unique<QPainter>();
  if (!v_painter->begin(v_writer.get())) {
    v_failed = true;
    return false;
  }
  v_paperH = page.paperH;
  StartPage();
  return true;
}

void CTPdfOutput::StartPage()
{
  if (v_page > 0) v_writer->newPage();
  ++v_page;
  v_y = v_area.top;
  DrawDecorations();
}

void CTPdfOutput::EnsureSpace(double dHeight)
{
  if (v_y + dHeight > v_area.bottom && v_y > v_area.top) StartPage();
}

// Breaks runs into lines of at most dWidth twips at blanks and line ends; a
// word wider than the line stands on a line of its own.
static std::vector<Line> BreakLines(const std::vector<Piece>& pieces, double dWidth, QPaintDevice* device, const QFont& emptyFont)
{
  std::vector<Line> lines(1);
  for (const Piece& piece : pieces) {
    Line& line = lines.back();
    if (!line.pieces.empty() && line.width + piece.width - piece.trailing > dWidth) lines.emplace_back();
    Line& target = lines.back();
    target.pieces.push_back(piece);
    target.width += piece.width;
    if (piece.breakAfter) lines.emplace_back();
  }
  for (Line& line : lines) {
    const QFontMetricsF empty(emptyFont, device);
    line.height = empty.lineSpacing();
    line.ascent = empty.ascent();
    for (const Piece& piece : line.pieces) {
      const QFontMetricsF metrics(piece.font, device);
      line.height = std::max(line.height, metrics.lineSpacing());
      line.ascent = std::max(line.ascent, metrics.ascent());
    }
    if (!line.pieces.empty()) line.width -= line.pieces.back().trailing;
  }
  return lines;
}

void CTPdfOutput::TextStyle(const std::string& szText, FontStyles extraStyles, DocColor color, int nTabIndex)
{
  if (!Started()) return;
  CTDocFont font = Font(DocFontRole::Normal);
  font.styles |= extraStyles;
  font.color = color;
  v_paragraph.push_back(MakeRun(std::string(std::size_t(std::max(nTabIndex, 0)) * 4, ' ') + szText, font));
}

void CTPdfOutput::TextWriteln()
{
  if (Started()) FlushParagraph(HorAlign::Left);
}

void CTPdfOutput::TextLeft(const std::string& szText, FontStyles extraStyles, DocColor color)
{
  TextStyle(szText, extraStyles, color, 0);
  if (Started()) FlushParagraph(HorAlign::Left);
}

void CTPdfOutput::TextCenter(const std::string& szText, FontStyles extraStyles, DocColor color)
{
  TextStyle(szText, extraStyles, color, 0);
  if (Started()) FlushParagraph(HorAlign::Center);
}

void CTPdfOutput::TextRight(const std::string& szText, FontStyles extraStyles, DocColor color)
{
  TextStyle(szText, extraStyles, color, 0);
  if (Started()) FlushParagraph(HorAlign::Right);
}

void CTPdfOutput::NewPage()
{
  if (!Started()) return;
  if (!v_paragraph.empty()) FlushParagraph(HorAlign::Left);
  StartPage();
}

namespace {

std::vector<Piece> PiecesOf(const QString& text, const QFont& font, const QColor& color, QPaintDevice* device)
{
  const QFontMetricsF metrics(font, device);
  std::vector<Piece> pieces;
  QString word;
  auto flush = [&](bool bBreak) {
    if (word.isEmpty() && !bBreak) return;
    qsizetype blanks = 0;
    while (blanks < word.size() && word[word.size() - 1 - blanks] == QLatin1Char(' ')) ++blanks;
    pieces.push_back(Piece{word, font, color, PieceWidth(metrics, word), PieceWidth(metrics, word.right(blanks)), bBreak});
    word.clear();
  };
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar ch = text[i];
    if (ch == QLatin1Char('\r')) continue;
    if (ch == QLatin1Char('\n')) {
      flush(true);
      continue;
    }
    if (ch != QLatin1Char(' ') && !word.isEmpty() && word.back() == QLatin1Char(' ')) flush(false);
    word += ch;
  }
  flush(false);
  return pieces;
}

} // namespace

double CTPdfOutput::LayoutRuns(const std::vector<Run>& runs, double dWidth, HorAlign align, double dLeft, double dTop, bool bDraw)
{
  std::vector<Piece> pieces;
  for (const Run& run : runs) {
    std::vector<Piece> more = PiecesOf(run.text, run.font, run.color, v_writer.get());
    pieces.insert(pieces.end(), more.begin(), more.end());
  }
  const QFont emptyFont = runs.empty() ? ToQFont(Font(DocFontRole::Normal)) : runs.front().font;
  const std::vector<Line> lines = BreakLines(pieces, dWidth, v_writer.get(), emptyFont);
  double y = dTop;
  for (const Line& line : lines) {
    if (bDraw && dTop < 0) {
      // Flowing text: each line finds room on the page.
      EnsureSpace(line.height);
      y = v_y;
    }
    if (bDraw) {
      double x = dLeft;
      if (align == HorAlign::Right) x += dWidth - line.width;
      if (align == HorAlign::Center) x += (dWidth - line.width) / 2;
      for (const Piece& piece : line.pieces) {
        v_painter->setFont(piece.font);
        v_painter->setPen(piece.color);
        v_painter->drawText(QPointF(x, y + line.ascent), piece.text);
        x += piece.width;
      }
    }
    y += line.height;
    if (bDraw && dTop < 0) v_y = y;
  }
  return y - (dTop < 0 ? 0 : dTop);
}

void CTPdfOutput::FlushParagraph(HorAlign align)
{
  LayoutRuns(v_paragraph, v_area.right - v_area.left, align, v_area.left, -1, true);
  v_paragraph.clear();
}

void CTPdfOutput::TextHeading(DocFontRole role, const std::string& szText, bool bIndexEntry)
{
  if (!Started()) return;
  if (!v_paragraph.empty()) FlushParagraph(HorAlign::Left);
  const int level = OutlineLevel(role);
  const std::string number = bIndexEntry && level >= 0 ? v_headingNumbers.Next(level) + " " : std::string();
  const Run heading = MakeRun(number + szText, Font(role));
  // A heading keeps with the line that follows it.
  const double height = QFontMetricsF(heading.font, v_writer.get()).lineSpacing();
  const double next = QFontMetricsF(ToQFont(Font(DocFontRole::Normal)), v_writer.get()).lineSpacing();
  EnsureSpace(kHeadingSpaceBefore + height + kHeadingSpaceAfter + next);
  if (v_y > v_area.top) v_y += kHeadingSpaceBefore;
  LayoutRuns({heading}, v_area.right - v_area.left, HorAlign::Left, v_area.left, -1, true);
  v_y += kHeadingSpaceAfter;
}

void CTPdfOutput::PutGraphic(double dScale, const CTDocPicture& picture, HorAlign align, bool)
{
  if (picture.LogicalWidth() <= 0 || picture.LogicalHeight() <= 0 || dScale <= 0 || !Started()) return;
  if (!v_paragraph.empty()) FlushParagraph(HorAlign::Left);
  const double usable = v_area.right - v_area.left;
  double width = dScale * picture.LogicalWidth() * kTwipsPerLogicalPixel;
  double height = dScale * picture.LogicalHeight() * kTwipsPerLogicalPixel;
  if (width > usable) {
    height *= usable / width;
    width = usable;
  }
  EnsureSpace(height);
  double x = v_area.left;
  if (align == HorAlign::Right) x = v_area.right - width;
  if (align == HorAlign::Center) x = v_area.left + (usable - width) / 2;
  DrawPicture(picture, QRectF(x, v_y, width, height));
  v_y += height;
}

void CTPdfOutput::DrawPicture(const CTDocPicture& picture, const QRectF& rect)
{
  v_painter->save();
  if (const auto* painted = dynamic_cast<const CTPaintedPicture*>(&picture)) {
    v_painter->translate(rect.topLeft());
    v_painter->scale(rect.width() / picture.LogicalWidth(), rect.height() / picture.LogicalHeight());
    v_painter->setClipRect(QRectF(0, 0, picture.LogicalWidth(), picture.LogicalHeight()));
    painted->paint(*v_painter);
  } else {
    // Other pictures come as PNG at twice the printed screen resolution.
    const std::string png = picture.RenderPng(2.0 * rect.width() / (double(picture.LogicalWidth()) * kTwipsPerLogicalPixel));
    const QImage image = QImage::fromData(reinterpret_cast<const uchar*>(png.data()), int(png.size()), "PNG");
    if (!image.isNull()) v_painter->drawImage(rect, image);
  }
  v_painter->restore();
}

void CTPdfOutput::PutDocTable(CTDocTable& table)
{
  if (!Started()) return;
  if (!v_paragraph.empty()) FlushParagraph(HorAlign::Left);
  table.CalculatePixelSizes(0, CTQtTextMeasure());
  const double usable = v_area.right - v_area.left;
  const double total = double(table.GetTotalPixelWidth()) * kTwipsPerLogicalPixel;
  const double shrink = total > usable ? usable / total : 1.0;
  std::vector<double> edges{v_area.left};
  for (int c = 0; c < table.NbColumns(); ++c) edges.push_back(edges.back() + table.GetColumnWidth(c) * kTwipsPerLogicalPixel * shrink);
  for (int r = 0; r < table.NbRows(); ++r) {
    const double height = RowHeight(table, r, edges);
    if (v_y + height > v_area.bottom && v_y > v_area.top) {
      StartPage();
      // Title rows repeat on every page the table runs over.
      for (int t = 0; t < table.NbTitleRows() && r >= table.NbTitleRows(); ++t) DrawRow(table, t, edges, RowHeight(table, t, edges));
    }
    DrawRow(table, r, edges, height);
  }
}

namespace {

std::vector<Piece> CellPieces(const CTDocTable& table, int nColumn, int nRow, QPaintDevice* device)
{
  const CTDocTableCell& cell = *table.Cell(nColumn, nRow);
  const CTDocFont base = table.CellFont(nColumn, nRow);
  std::vector<Piece> pieces;
  for (std::size_t i = 0; i < cell.lines.size(); ++i) {
    CTDocFont font = base;
    font.styles = cell.lines[i].attributes.fontStyles.value_or(base.styles);
    font.color = cell.lines[i].attributes.fontColor.value_or(base.color);
    const bool last = i + 1 == cell.lines.size();
    const QString text = QString::fromStdString(cell.lines[i].text) + (last ? QString() : QStringLiteral("\n"));
    std::vector<Piece> more = PiecesOf(text, MakeQFont(font, font.sizePt), PrintColor(font.color), device);
    if (more.empty() && !last) more.push_back(Piece{QString(), MakeQFont(font, font.sizePt), PrintColor(font.color), 0, 0, true});
    pieces.insert(pieces.end(), more.begin(), more.end());
  }
  return pieces;
}

double PictureHeight(const CTDocTableCell& cell, double dWidth)
{
  if (!cell.graphic || cell.graphic->LogicalWidth() <= 0) return 0;
  const double width = std::min(dWidth, cell.graphicScale * cell.graphic->LogicalWidth() * kTwipsPerLogicalPixel);
  return width * cell.graphic->LogicalHeight() / cell.graphic->LogicalWidth();
}

} // namespace

double CTPdfOutput::RowHeight(const CTDocTable& table, int nRow, const std::vector<double>& edges)
{
  double height = table.GetRowHeight(nRow) * kTwipsPerLogicalPixel;
  for (int c = 0; c < table.NbColumns(); c += table.GetColumnSpan(c, nRow)) {
    const double width = edges[std::size_t(c + table.GetColumnSpan(c, nRow))] - edges[std::size_t(c)] - 2 * kCellPadX;
    const QFont font = MakeQFont(table.CellFont(c, nRow), table.GetFontSize(c, nRow));
    double content = 0;
    for (const Line& line : BreakLines(CellPieces(table, c, nRow, v_writer.get()), width, v_writer.get(), font)) content += line.height;
    content += PictureHeight(*table.Cell(c, nRow), width);
    height = std::max(height, content + kCellPadTop + kCellPadBottom);
  }
  return height;
}

void CTPdfOutput::DrawRow(const CTDocTable& table, int nRow, const std::vector<double>& edges, double dHeight)
{
  const double top = v_y;
  for (int c = 0; c < table.NbColumns(); c += table.GetColumnSpan(c, nRow)) {
    const int span = table.GetColumnSpan(c, nRow);
    const QRectF rect(QPointF(edges[std::size_t(c)], top), QPointF(edges[std::size_t(c + span)], top + dHeight));
    const DocColor bg = ResolveColor(table.GetBgColor(c, nRow));
    if (bg != kWhite) v_painter->fillRect(rect, PrintColor(bg));
    const CTDocTableCell& cell = *table.Cell(c, nRow);
    const double width = rect.width() - 2 * kCellPadX;
    const QFont font = MakeQFont(table.CellFont(c, nRow), table.GetFontSize(c, nRow));
    const std::vector<Line> lines = BreakLines(CellPieces(table, c, nRow, v_writer.get()), width, v_writer.get(), font);
    const double pictureHeight = PictureHeight(cell, width);
    double content = pictureHeight;
    for (const Line& line : lines) content += line.height;
    const double free = dHeight - kCellPadTop - kCellPadBottom - content;
    double y = top + kCellPadTop;
    if (table.GetVerAlign(c, nRow) == VerAlign::Bottom) y += free;
    if (table.GetVerAlign(c, nRow) == VerAlign::Center) y += free / 2;
    const HorAlign align = table.GetHorAlign(c, nRow);
    if (cell.graphic && pictureHeight > 0) {
      const double pictureWidth = pictureHeight * cell.graphic->LogicalWidth() / cell.graphic->LogicalHeight();
      const double pictureY = cell.graphicAboveText ? y : y + content - pictureHeight;
      DrawPicture(*cell.graphic, QRectF(rect.left() + kCellPadX, pictureY, pictureWidth, pictureHeight));
      if (cell.graphicAboveText) y += pictureHeight;
    }
    for (const Line& line : lines) {
      double x = rect.left() + kCellPadX;
      if (align == HorAlign::Right) x += width - line.width;
      if (align == HorAlign::Center) x += (width - line.width) / 2;
      for (const Piece& piece : line.pieces) {
        v_painter->setFont(piece.font);
        v_painter->setPen(piece.color);
        v_painter->drawText(QPointF(x, y + line.ascent), piece.text);
        x += piece.width;
      }
      y += line.height;
    }
    DocColor color = 0;
    const auto border = [&](bool bDrawn, QPointF from, QPointF to) {
      if (!bDrawn) return;
      v_painter->setPen(QPen(PrintColor(color), kBorderWidth));
      v_painter->drawLine(from, to);
    };
    border(table.HasTopBorderColor(c, nRow, color), rect.topLeft(), rect.topRight());
    border(table.HasBottomBorderColor(c, nRow, color), rect.bottomLeft(), rect.bottomRight());
    border(table.HasLeftBorderColor(c, nRow, color), rect.topLeft(), rect.bottomLeft());
    border(table.HasRightBorderColor(c, nRow, color), rect.topRight(), rect.bottomRight());
  }
  v_y = top + dHeight;
}

void CTPdfOutput::DrawDecorations()
{
  if (!v_decorations || !v_decorations->v_mustPrintDecorations) return;
  const CTDecorationDefinition& def = *v_decorations;
  const double width = v_area.right - v_area.left;
  double y = kHeaderDistance;
  if (!def.TopZones().empty()) y += LayoutZones(def.TopZones(), y, false);
  if (def.PrintsHeaderLine()) {
    CTDocFont font = Font(DocFontRole::Normal);
    font.sizePt = int(std::lround(0.8 * font.sizePt));
    LayoutRuns({MakeRun(def.v_headerLine, font)}, width, HorAlign::Left, v_area.left, y, true);
  }
  double bottom = v_paperH - kFooterDistance;
  if (!def.BottomZones().empty()) bottom -= LayoutZones(def.BottomZones(), bottom, true);
  if (def.PrintsFooterLine()) {
    CTDocFont font = Font(DocFontRole::Normal);
    font.sizePt = int(std::lround(0.66 * font.sizePt));
    const std::vector<Run> runs{MakeRun(def.v_footerLine, font)};
    const double height = LayoutRuns(runs, width, HorAlign::Left, v_area.left, 0, false);
    LayoutRuns(runs, width, HorAlign::Left, v_area.left, bottom - height, true);
  }
}

double CTPdfOutput::LayoutZones(const std::vector<CTPageZone>& zones, double dEdge, bool bBottom)
{
  const CTZonePlaces places = PlaceZones(zones);
  const CTPageZone* cells[3] = {places.left, places.centre, places.right};
  constexpr HorAlign kAlign[3] = {HorAlign::Left, HorAlign::Center, HorAlign::Right};
  const double third = (v_area.right - v_area.left) / 3;
  const CTDocFont font = Font(DocFontRole::Normal);
  // Measure first, so that footer zones stand on the footer line.
  std::vector<Run> runs[3];
  const CTDocPicture* pictures[3] = {};
  double heights[3] = {};
  for (int i = 0; i < 3; ++i) {
    if (!cells[i]) continue;
    if (const auto* pageNr = std::get_if<CTPageNrZone>(cells[i])) {
      const CTPageNrCaption caption = SplitPageNrCaption(pageNr->caption);
      runs[i].push_back(MakeRun(caption.before + std::to_string(v_page) + caption.after, font));
    } else if (const auto* text = std::get_if<CTTextZone>(cells[i])) {
      std::string joined;
      for (std::size_t k = 0; k < text->lines.size(); ++k) joined += (k ? "\n" : "") + text->lines[k];
      runs[i].push_back(MakeRun(joined, font));
    } else if (const auto* picture = std::get_if<CTPictureZone>(cells[i]); picture && picture->picture) {
      pictures[i] = picture->picture.get();
    }
    if (pictures[i] && pictures[i]->LogicalWidth() > 0)
      heights[i] = std::min(third, double(pictures[i]->LogicalWidth()) * kTwipsPerLogicalPixel) * pictures[i]->LogicalHeight() / pictures[i]->LogicalWidth();
    else if (!runs[i].empty())
      heights[i] = LayoutRuns(runs[i], third, kAlign[i], 0, 0, false);
  }
  const double height = *std::max_element(std::begin(heights), std::end(heights));
  const double top = bBottom ? dEdge - height : dEdge;
  for (int i = 0; i < 3; ++i) {
    const double left = v_area.left + i * third;
    const double y = bBottom ? top + height - heights[i] : top;
    if (pictures[i] && heights[i] > 0) {
      const double pictureWidth = heights[i] * pictures[i]->LogicalWidth() / pictures[i]->LogicalHeight();
      DrawPicture(*pictures[i], QRectF(left, y, pictureWidth, heights[i]));
    } else if (!runs[i].empty()) {
      LayoutRuns(runs[i], third, kAlign[i], left, y, true);
    }
  }
  return height;
}

std::string CTPdfOutput::Finish()
{
  if (v_finished) return {};
  if (Started() && !v_paragraph.empty()) FlushParagraph(HorAlign::Left);
  v_finished = true;
  if (v_failed || !v_painter) return {};
  if (!v_painter->end()) return {};
  v_writer.reset();
  v_buffer.close();
  return v_bytes.toStdString();
}

} // namespace aw::render
