#include "docs/DocTable.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace aw::docs {
namespace {

std::vector<CTDocTableLine> SplitLines(const std::string& szText)
{
  std::vector<CTDocTableLine> lines(1);
  for (std::size_t i = 0; i < szText.size(); ++i) {
    const char ch = szText[i];
    if (ch == '\r' || ch == '\n') {
      if (ch == '\r' && i + 1 < szText.size() && szText[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back().text.push_back(ch);
    }
  }
  return lines;
}

} // namespace

CTDocTable::CTDocTable(int nNbColumns, int nNbRows, int nNbTitleColumns, int nNbTitleRows, bool bAutoExpand)
{
  InitDimensions(nNbColumns, nNbRows, nNbTitleColumns, nNbTitleRows, bAutoExpand);
}

void CTDocTable::InitDimensions(int nNbColumns, int nNbRows, int nNbTitleColumns, int nNbTitleRows, bool bAutoExpand)
{
  SetNbColumns(nNbColumns);
  SetNbRows(nNbRows);
  SetNbTitleColumns(nNbTitleColumns);
  SetNbTitleRows(nNbTitleRows);
  v_autoExpand = bAutoExpand;
  ClearCells();
}

void CTDocTable::SetNbColumns(int n)
{
  n = std::max(n, 1);
  v_columnWidths.resize(std::size_t(n), 0);
  for (auto& row : v_rows) row.resize(std::size_t(n));
  v_nbTitleColumns = std::min(v_nbTitleColumns, n);
  // Spans that reached into dropped columns end at the last column.
  for (int r = 0; r < NbRows(); ++r)
    for (int c = 0; c < n; ++c) {
      int& span = v_rows[std::size_t(r)][std::size_t(c)].columnSpan;
      span = std::min(span, n - c);
    }
}

void CTDocTable::SetNbRows(int n)
{
  n = std::max(n, 1);
  v_rowHeights.resize(std::size_t(n), 0);
  v_rows.resize(std::size_t(n), std::vector<CTDocTableCell>(v_columnWidths.size()));
  v_nbTitleRows = std::min(v_nbTitleRows, n);
}

void CTDocTable::SetNbTitleColumns(int n) { v_nbTitleColumns = std::clamp(n, 0, NbColumns()); }
void CTDocTable::SetNbTitleRows(int n) { v_nbTitleRows = std::clamp(n, 0, NbRows()); }

void CTDocTable::ClearCells()
{
  for (auto& row : v_rows)
    for (auto& cell : row) cell = CTDocTableCell{};
  std::fill(v_columnWidths.begin(), v_columnWidths.end(), 0);
  std::fill(v_rowHeights.begin(), v_rowHeights.end(), 0);
}

void CTDocTable::SetAllDefaultFontSize(int nSizePt)
{
  v_titleRowDefaults.fontSizePt = v_titleColumnDefaults.fontSizePt = v_cellDefaults.fontSizePt = nSizePt;
}

bool CTDocTable::EnsureCell(int nColumn, int nRow)
{
  if (nColumn < 0 || nRow < 0) return false;
  if (v_autoExpand) {
    if (nColumn >= NbColumns()) SetNbColumns(nColumn + 1);
    if (nRow >= NbRows()) SetNbRows(nRow + 1);
  }
  return nColumn < NbColumns() && nRow < NbRows();
}

CTDocTableCell* CTDocTable::MutableCell(int nColumn, int nRow)
{
  return EnsureCell(nColumn, nRow) ? &v_rows[std::size_t(nRow)][std::size_t(nColumn)] : nullptr;
}

const CTDocTableCell* CTDocTable::Cell(int nColumn, int nRow) const
{
  if (nColumn < 0 || nRow < 0 || nColumn >= NbColumns() || nRow >= NbRows()) return nullptr;
  return &v_rows[std::size_t(nRow)][std::size_t(nColumn)];
}

void CTDocTable::SetText(int nColumn, int nRow, const std::string& szText) { SetLines(nColumn, nRow, SplitLines(szText)); }

void CTDocTable::SetText(int nColumn, int nRow, const std::string& szText, FontStyles styles)
{
  SetText(nColumn, nRow, szText);
  SetStyles(nColumn, nRow, styles);
}

std::string CTDocTable::GetText(int nColumn, int nRow) const
{
  const CTDocTableCell* cell = Cell(nColumn, nRow);
  if (!cell) return {};
  std::string text;
  for (std::size_t i = 0; i < cell->lines.size(); ++i) text += (i ? "\r\n" : "") + cell->lines[i].text;
  return text;
}

void CTDocTable::SetLines(int nColumn, int nRow, std::vector<CTDocTableLine> lines)
{
  if (CTDocTableCell* cell = MutableCell(nColumn, nRow)) {
    cell->lines = std::move(lines);
    if (cell->lines.empty()) cell->lines.emplace_back();
  }
}

void CTDocTable::SetData(int nColumn, int nRow, std::shared_ptr<const CTDocCellData> data)
{
  if (CTDocTableCell* cell = MutableCell(nColumn, nRow)) cell->data = std::move(data);
}

const CTDocCellData* CTDocTable::GetData(int nColumn, int nRow) const
{
  const CTDocTableCell* cell = Cell(nColumn, nRow);
  return cell ? cell->data.get() : nullptr;
}

void CTDocTable::SetFontSize(int nColumn, int nRow, int nSizePt) { if (auto* c = MutableCell(nColumn, nRow)) c->fontSizePt = nSizePt; }
void CTDocTable::SetFontColor(int nColumn, int nRow, DocColor color) { if (auto* c = MutableCell(nColumn, nRow)) c->fontColor = color; }
void CTDocTable::SetBgColor(int nColumn, int nRow, DocColor color) { if (auto* c = MutableCell(nColumn, nRow)) c->bgColor = color; }
void CTDocTable::SetStyles(int nColumn, int nRow, FontStyles styles) { if (auto* c = MutableCell(nColumn, nRow)) c->styles = styles; }
void CTDocTable::SetHorAlign(int nColumn, int nRow, HorAlign align) { if (auto* c = MutableCell(nColumn, nRow)) c->horAlign = align; }
void CTDocTable::SetVerAlign(int nColumn, int nRow, VerAlign align) { if (auto* c = MutableCell(nColumn, nRow)) c->verAlign = align; }

void CTDocTable::SetDrawBorders(int nColumn, int nRow, std::optional<bool> left, std::optional<bool> top, std::optional<bool> right, std::optional<bool> bottom)
{
  if (auto* c = MutableCell(nColumn, nRow)) {
    c->drawBorderLeft = left;
    c->drawBorderTop = top;
    c->drawBorderRight = right;
    c->drawBorderBottom = bottom;
  }
}

void CTDocTable::SetGraphic(int nColumn, int nRow, std::shared_ptr<const CTDocPicture> picture, double dScale, bool bAboveText)
{
  if (auto* c = MutableCell(nColumn, nRow)) {
    c->graphic = std::move(picture);
    c->graphicScale = dScale;
    c->graphicAboveText = bAboveText;
  }
}

const CTDocTableAreaDefaults& CTDocTable::AreaDefaults(int nColumn, int nRow) const
{
  if (Cell(nColumn, nRow) && IsTitleRow(nRow)) return v_titleRowDefaults;
  if (Cell(nColumn, nRow) && IsTitleColumn(nColumn)) return v_titleColumnDefaults;
  return v_cellDefaults;
}

template <class T, class Field>
T CTDocTable::Resolve(int nColumn, int nRow, Field cellField, T CTDocTableAreaDefaults::*defaultField) const
{
  const CTDocTableCell* cell = Cell(nColumn, nRow);
  if (cell && (cell->*cellField).has_value()) return *(cell->*cellField);
  return AreaDefaults(nColumn, nRow).*defaultField;
}

int CTDocTable::GetFontSize(int nColumn, int nRow) const { return Resolve(nColumn, nRow, &CTDocTableCell::fontSizePt, &CTDocTableAreaDefaults::fontSizePt); }
DocColor CTDocTable::GetFontColor(int nColumn, int nRow) const { return Resolve(nColumn, nRow, &CTDocTableCell::fontColor, &CTDocTableAreaDefaults::fontColor); }
DocColor CTDocTable::GetBgColor(int nColumn, int nRow) const { return Resolve(nColumn, nRow, &CTDocTableCell::bgColor, &CTDocTableAreaDefaults::bgColor); }
FontStyles CTDocTable::GetStyles(int nColumn, int nRow) const { return Resolve(nColumn, nRow, &CTDocTableCell::styles, &CTDocTableAreaDefaults::styles); }
HorAlign CTDocTable::GetHorAlign(int nColumn, int nRow) const { return Resolve(nColumn, nRow, &CTDocTableCell::horAlign, &CTDocTableAreaDefaults::horAlign); }
VerAlign CTDocTable::GetVerAlign(int nColumn, int nRow) const { return Resolve(nColumn, nRow, &CTDocTableCell::verAlign, &CTDocTableAreaDefaults::verAlign); }

CTDocFont CTDocTable::CellFont(int nColumn, int nRow) const
{
  return CTDocFont{v_fontName, GetFontSize(nColumn, nRow), GetStyles(nColumn, nRow), GetFontColor(nColumn, nRow)};
}

void CTDocTable::SetColumnSpan(int nColumn, int nRow, int nColumnSpan)
{
  if (!EnsureCell(nColumn, nRow)) return;
  if (v_autoExpand && nColumnSpan != -1 && !EnsureCell(nColumn + nColumnSpan - 1, nRow)) return;
  const int available = NbColumns() - nColumn;
  const int span = nColumnSpan == -1 ? available : std::clamp(nColumnSpan, 1, available);
  const int previousSpan = GetColumnSpan(nColumn, nRow);
  auto& row = v_rows[std::size_t(nRow)];
  // The cells the previous, wider span covered show their own text again.
  for (int c = nColumn + span; c < nColumn + previousSpan; ++c) row[std::size_t(c)].isMerged = false;
  row[std::size_t(nColumn)].columnSpan = span;
  for (int c = nColumn + 1; c < nColumn + span; ++c) {
    row[std::size_t(c)].columnSpan = 1;
    row[std::size_t(c)].isMerged = true;
  }
}

int CTDocTable::GetColumnSpan(int nColumn, int nRow) const
{
  const CTDocTableCell* cell = Cell(nColumn, nRow);
  return cell ? std::min(cell->columnSpan, NbColumns() - nColumn) : 1;
}

bool CTDocTable::GetIsMerged(int nColumn, int nRow) const
{
  const CTDocTableCell* cell = Cell(nColumn, nRow);
  return cell && cell->isMerged;
}

int CTDocTable::LastSpannedColumn(int nColumn, int nRow) const { return nColumn + GetColumnSpan(nColumn, nRow) - 1; }

// One border query: the colour starts as the default cell background and
// the answer false; the rules may draw the line, the cell's switch decides.
struct CTBorderAnswer
{
  DocColor& color;
  bool drawn = false;
  void Draw(bool bOn, DocColor onColor)
  {
    if (!bOn) return;
    drawn = true;
    color = onColor;
  }
};

bool CTDocTable::HasLeftBorderColor(int nColumn, int nRow, DocColor& color) const
{
  CTBorderAnswer answer{color = v_cellDefaults.bgColor};
  const CTDocTableCell* cell = Cell(nColumn, nRow);
  if (!cell) return false;
  answer.Draw(v_borders.hasTableBorders && nColumn == 0, v_borders.tableBorderColor);
  return cell->drawBorderLeft.value_or(answer.drawn);
}

bool CTDocTable::HasTopBorderColor(int nColumn, int nRow, DocColor& color) const
{
  CTBorderAnswer answer{color = v_cellDefaults.bgColor};
  const CTDocTableCell* cell = Cell(nColumn, nRow);
  if (!cell) return false;
  answer.Draw(v_borders.hasTableBorders && nRow == 0, v_borders.tableBorderColor);
  return cell->drawBorderTop.value_or(answer.drawn);
}

bool CTDocTable::HasRightBorderColor(int nColumn, int nRow, DocColor& color) const
{
  CTBorderAnswer answer{color = v_cellDefaults.bgColor};
  const CTDocTableCell* cell = Cell(nColumn, nRow);
  if (!cell) return false;
  const CTDocTableBorders& b = v_borders;
  const int last = LastSpannedColumn(nColumn, nRow);
  if (last == NbColumns() - 1) answer.Draw(b.hasTableBorders, b.tableBorderColor);
  else if (IsTitleColumn(last) || IsTitleRow(nRow)) answer.Draw(b.hasVertTitleBorders, b.titleBorderColor);
  else answer.Draw(b.hasVertCellBorders, b.cellBorderColor);
  return cell->drawBorderRight.value_or(answer.drawn);
}

bool CTDocTable::HasBottomBorderColor(int nColumn, int nRow, DocColor& color) const
{
  CTBorderAnswer answer{color = v_cellDefaults.bgColor};
  const CTDocTableCell* cell = Cell(nColumn, nRow);
  if (!cell) return false;
  const CTDocTableBorders& b = v_borders;
  if (nRow == NbRows() - 1) answer.Draw(b.hasTableBorders, b.tableBorderColor);
  else if (!IsTitleRow(nRow)) {
    if (IsTitleColumn(nColumn)) answer.Draw(b.hasHorzTitleBorders, b.titleBorderColor);
    else answer.Draw(b.hasHorzCellBorders, b.cellBorderColor);
  } else {
    // A line between two title rows is left out above a cell without text.
    const bool lastTitleRow = nRow == v_nbTitleRows - 1;
    const bool suppressed = b.suppressTitleBordersAboveEmptyCells && !lastTitleRow && !Cell(nColumn, nRow + 1)->HasText();
    answer.Draw(b.hasHorzTitleBorders && !suppressed, b.titleBorderColor);
  }
  return cell->drawBorderBottom.value_or(answer.drawn);
}

void CTDocTable::SetColumnWidth(int nColumn, int nPixels)
{
  if (EnsureCell(nColumn, 0)) v_columnWidths[std::size_t(nColumn)] = nPixels;
}

void CTDocTable::SetRowHeight(int nRow, int nPixels)
{
  if (EnsureCell(0, nRow)) v_rowHeights[std::size_t(nRow)] = nPixels;
}

int CTDocTable::GetColumnWidth(int nColumn) const { return nColumn >= 0 && nColumn < NbColumns() ? v_columnWidths[std::size_t(nColumn)] : 0; }
int CTDocTable::GetRowHeight(int nRow) const { return nRow >= 0 && nRow < NbRows() ? v_rowHeights[std::size_t(nRow)] : 0; }

int CTDocTable::GetCellWidth(int nColumn, int nRow) const
{
  const CTDocTableCell* cell = Cell(nColumn, nRow);
  if (!cell || cell->isMerged) return 0;
  int width = 0;
  for (int c = nColumn; c <= LastSpannedColumn(nColumn, nRow); ++c) width += GetColumnWidth(c);
  return width;
}

int CTDocTable::GetTotalPixelWidth() const { return std::accumulate(v_columnWidths.begin(), v_columnWidths.end(), 0); }
int CTDocTable::GetTotalPixelHeight() const { return std::accumulate(v_rowHeights.begin(), v_rowHeights.end(), 0); }

void CTDocTable::MeasureCell(int nColumn, int nRow, const CTDocTextMeasure& measure, int nMargin, int nDigitWidth, int nApplExtraWidth)
{
  CTDocTableCell& cell = v_rows[std::size_t(nRow)][std::size_t(nColumn)];
  CTDocFont font = CellFont(nColumn, nRow);
  int width = 0;
  for (const CTDocTableLine& line : cell.lines) {
    CTDocFont lineFont = font;
    lineFont.styles = line.attributes.fontStyles.value_or(font.styles);
    width = std::max(width, measure.TextWidth(line.text, lineFont));
  }
  int height = int(cell.lines.size()) * measure.LineHeight(font) + 2;
  if (cell.graphic) {
    const int pictureHeight = int(std::lround(cell.graphicScale * cell.graphic->LogicalHeight()));
    height = cell.HasText() ? height + pictureHeight : std::max(height, pictureHeight + 4);
    width = std::max(width, int(std::lround(cell.graphicScale * cell.graphic->LogicalWidth())));
  }
  if (GetHorAlign(nColumn, nRow) == HorAlign::Right) width += nDigitWidth;
  cell.pixelWidth = width + nMargin + nApplExtraWidth;
  cell.pixelHeight = height;
}

void CTDocTable::CalculatePixelSizes(int nApplExtraWidth, const CTDocTextMeasure& measure)
{
  std::fill(v_columnWidths.begin(), v_columnWidths.end(), 0);
  std::fill(v_rowHeights.begin(), v_rowHeights.end(), 0);
  const CTDocFont base{v_fontName, v_cellDefaults.fontSizePt};
  const int digitWidth = measure.TextWidth("1", base);
  const int margin = measure.TextWidth("W", base) + 2;
  const int minRowHeight = measure.LineHeight(base) + 2;
  // Single cells size their column first; a span then widens only its
  // first column by what the other spanned columns lack.
  for (int pass = 0; pass < 2; ++pass)
    for (int r = 0; r < NbRows(); ++r) {
      int& rowHeight = v_rowHeights[std::size_t(r)];
      rowHeight = std::max(rowHeight, minRowHeight);
      for (int c = 0; c < NbColumns(); ++c) {
        const CTDocTableCell& cell = v_rows[std::size_t(r)][std::size_t(c)];
        const int span = GetColumnSpan(c, r);
        if (cell.isMerged || (pass == 0) != (span == 1)) continue;
        MeasureCell(c, r, measure, margin, digitWidth, nApplExtraWidth);
        rowHeight = std::max(rowHeight, cell.pixelHeight);
        int othersWidth = 0;
        for (int k = c + 1; k < c + span; ++k) othersWidth += v_columnWidths[std::size_t(k)];
        int& columnWidth = v_columnWidths[std::size_t(c)];
        columnWidth = std::max(columnWidth, cell.pixelWidth - othersWidth);
      }
    }
}

} // namespace aw::docs
