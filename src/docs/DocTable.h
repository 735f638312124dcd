#pragma once
// The device-independent table every tabular part of a document is written
// from: a rectangle of cells with title rows at the top and title columns at
// the left. Each formatting attribute has a table-wide default for title
// rows, title columns and ordinary cells that a cell may override; cells may
// span columns, hold several lines (each with its own colour and styles) and
// a picture. The table measures itself in screen pixels (96 per inch) and
// decides which cell borders are drawn in which colour.
//
// Writes to a cell outside the table grow it when auto-expansion is on and
// are ignored otherwise (and always for negative indexes); reads outside the
// table answer neutral values and never grow it.

#include "docs/DocPicture.h"
#include "docs/DocTextMeasure.h"
#include "docs/DocTypes.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace aw::docs {

// A text line's own colour and styles, each used only when set.
struct CTDocTableTextAttributes
{
  std::optional<DocColor> fontColor;
  std::optional<FontStyles> fontStyles;
};

struct CTDocTableLine
{
  std::string text;
  CTDocTableTextAttributes attributes;
};

// What a caller attaches to a cell for a writer (a spreadsheet formula, for instance).
class CTDocCellData
{
public:
  virtual ~CTDocCellData() = default;
};

// One cell; an attribute without a value falls back to the table's defaults.
struct CTDocTableCell
{
  std::vector<CTDocTableLine> lines{CTDocTableLine{}};
  std::shared_ptr<const CTDocCellData> data;
  std::optional<FontStyles> styles;
  std::optional<HorAlign> horAlign;
  std::optional<VerAlign> verAlign;
  std::optional<int> fontSizePt;
  std::optional<DocColor> fontColor;
  std::optional<DocColor> bgColor;
  std::shared_ptr<const CTDocPicture> graphic;
  double graphicScale = 1.0;
  bool graphicAboveText = true;
  bool isMerged = false; // covered by the span of a cell to its left
  int columnSpan = 1;
  int pixelWidth = 0, pixelHeight = 0;
  // Explicit border switches; each overrides the table's border rules.
  std::optional<bool> drawBorderLeft, drawBorderTop, drawBorderRight, drawBorderBottom;

  bool HasText() const { return lines.size() > 1 || !lines.front().text.empty(); }
};

// The table-wide defaults of one area (title rows, title columns or cells).
struct CTDocTableAreaDefaults
{
  int fontSizePt = 10;
  DocColor bgColor = kWhite;
  DocColor fontColor = kWindowTextColor;
  FontStyles styles = 0;
  HorAlign horAlign = HorAlign::Left;
  VerAlign verAlign = VerAlign::Top;
};

struct CTDocTableBorders
{
  bool hasTableBorders = true;
  bool hasHorzTitleBorders = true, hasVertTitleBorders = true;
  bool suppressTitleBordersAboveEmptyCells = true;
  bool hasHorzCellBorders = true, hasVertCellBorders = true;
  DocColor tableBorderColor = 0x000000u;
  DocColor titleBorderColor = 0x808080u, cellBorderColor = 0x808080u;

  void SetAll(bool b) { hasTableBorders = hasHorzTitleBorders = hasVertTitleBorders = hasHorzCellBorders = hasVertCellBorders = b; }
};

class CTDocTable
{
public:
  CTDocTable(int nNbColumns = 1, int nNbRows = 1, int nNbTitleColumns = 0, int nNbTitleRows = 0, bool bAutoExpand = true);

  // Gives the table a new shape with reset cells; the table-wide settings stay.
  void InitDimensions(int nNbColumns, int nNbRows, int nNbTitleColumns, int nNbTitleRows, bool bAutoExpand);
  // A count of 0 or less becomes 1; shrinking below a title count lowers it.
  void SetNbColumns(int n);
  void SetNbRows(int n);
  void SetNbTitleColumns(int n); // clipped to 0 ... columns
  void SetNbTitleRows(int n);
  int NbColumns() const { return int(v_columnWidths.size()); }
  int NbRows() const { return int(v_rowHeights.size()); }
  int NbTitleColumns() const { return v_nbTitleColumns; }
  int NbTitleRows() const { return v_nbTitleRows; }
  bool IsTitleRow(int nRow) const { return nRow < v_nbTitleRows; }
  bool IsTitleColumn(int nColumn) const { return nColumn < v_nbTitleColumns; }
  void ClearCells(); // resets every cell and every measured size

  // Table-wide settings.
  std::string v_fontName = "Arial";
  CTDocTableAreaDefaults v_titleRowDefaults{10, 0xE0E0E0u};
  CTDocTableAreaDefaults v_titleColumnDefaults{10, 0xE0E0E0u};
  CTDocTableAreaDefaults v_cellDefaults;
  CTDocTableBorders v_borders;
  void SetAllDefaultFontSize(int nSizePt);

  // Text: CR LF and lone CR become LF and the text is split at each LF, so
  // "a" followed by a line end gives the lines "a" and "".
  void SetText(int nColumn, int nRow, const std::string& szText);
  void SetText(int nColumn, int nRow, const std::string& szText, FontStyles styles);
  std::string GetText(int nColumn, int nRow) const; // lines joined with CR LF
  // An empty list gives one empty line.
  void SetLines(int nColumn, int nRow, std::vector<CTDocTableLine> lines);
  void SetData(int nColumn, int nRow, std::shared_ptr<const CTDocCellData> data);
  const CTDocCellData* GetData(int nColumn, int nRow) const; // none outside the table

  void SetFontSize(int nColumn, int nRow, int nSizePt);
  void SetFontColor(int nColumn, int nRow, DocColor color);
  void SetBgColor(int nColumn, int nRow, DocColor color);
  void SetStyles(int nColumn, int nRow, FontStyles styles);
  void SetHorAlign(int nColumn, int nRow, HorAlign align);
  void SetVerAlign(int nColumn, int nRow, VerAlign align);
  void SetDrawBorders(int nColumn, int nRow, std::optional<bool> left, std::optional<bool> top, std::optional<bool> right, std::optional<bool> bottom);
  void SetGraphic(int nColumn, int nRow, std::shared_ptr<const CTDocPicture> picture, double dScale = 1.0, bool bAboveText = true);

  // Resolved attributes: the cell's own value, else the title-row default in
  // a title row, else the title-column default in a title column, else the
  // cell default. Outside the table: the cell default.
  int GetFontSize(int nColumn, int nRow) const;
  DocColor GetFontColor(int nColumn, int nRow) const;
  DocColor GetBgColor(int nColumn, int nRow) const;
  FontStyles GetStyles(int nColumn, int nRow) const;
  HorAlign GetHorAlign(int nColumn, int nRow) const;
  VerAlign GetVerAlign(int nColumn, int nRow) const;

  // A row-wide, column-wide or title-wide loop over one of the cell setters
  // above, e.g. SetForRow(&CTDocTable::SetBgColor, 0, 0xE0E0E0u). A row or
  // column outside the table is ignored.
  template <class Value, class Arg>
  void SetForRow(void (CTDocTable::*setter)(int, int, Value), int nRow, Arg value);
  template <class Value, class Arg>
  void SetForColumn(void (CTDocTable::*setter)(int, int, Value), int nColumn, Arg value);
  template <class Value, class Arg>
  void SetForTitleRows(void (CTDocTable::*setter)(int, int, Value), Arg value);
  template <class Value, class Arg>
  void SetForTitleColumns(void (CTDocTable::*setter)(int, int, Value), Arg value);

  // nColumnSpan -1 spans to the last column; the span is clipped to the
  // columns there are and the covered cells are marked merged. Cells a
  // shorter span no longer covers are no longer merged.
  void SetColumnSpan(int nColumn, int nRow, int nColumnSpan);
  int GetColumnSpan(int nColumn, int nRow) const; // 1 outside the table
  bool GetIsMerged(int nColumn, int nRow) const;
  // The cell itself, or none outside the table.
  const CTDocTableCell* Cell(int nColumn, int nRow) const;

  // Whether a border of the cell is drawn, and in which colour.
  bool HasLeftBorderColor(int nColumn, int nRow, DocColor& color) const;
  bool HasTopBorderColor(int nColumn, int nRow, DocColor& color) const;
  bool HasRightBorderColor(int nColumn, int nRow, DocColor& color) const;
  bool HasBottomBorderColor(int nColumn, int nRow, DocColor& color) const;

  // Sizes in screen pixels.
  void SetColumnWidth(int nColumn, int nPixels);
  void SetRowHeight(int nRow, int nPixels);
  int GetColumnWidth(int nColumn) const;
  int GetRowHeight(int nRow) const;
  int GetCellWidth(int nColumn, int nRow) const; // 0 when merged, else the spanned widths
  int GetTotalPixelWidth() const;
  int GetTotalPixelHeight() const;
  // Measures every cell in its resolved font and sizes rows and columns to
  // hold them; nApplExtraWidth is added to every cell's width.
  void CalculatePixelSizes(int nApplExtraWidth, const CTDocTextMeasure& measure = CTApproxTextMeasure::Instance());
  // The font a cell's text is written in (face of the table, resolved size,
  // styles and colour).
  CTDocFont CellFont(int nColumn, int nRow) const;

private:
  bool EnsureCell(int nColumn, int nRow);
  CTDocTableCell* MutableCell(int nColumn, int nRow);
  const CTDocTableAreaDefaults& AreaDefaults(int nColumn, int nRow) const;
  template <class T, class Field>
  T Resolve(int nColumn, int nRow, Field cellField, T CTDocTableAreaDefaults::*defaultField) const;
  int LastSpannedColumn(int nColumn, int nRow) const;
  void MeasureCell(int nColumn, int nRow, const CTDocTextMeasure& measure, int nMargin, int nDigitWidth, int nApplExtraWidth);

  std::vector<std::vector<CTDocTableCell>> v_rows; // row-major; every row has NbColumns cells
  std::vector<int> v_columnWidths, v_rowHeights;
  int v_nbTitleColumns = 0, v_nbTitleRows = 0;
  bool v_autoExpand = true;
};

template <class Value, class Arg>
void CTDocTable::SetForRow(void (CTDocTable::*setter)(int, int, Value), int nRow, Arg value)
{
  if (nRow < 0 || nRow >= NbRows()) return;
  for (int c = 0; c < NbColumns(); ++c) (this->*setter)(c, nRow, value);
}

template <class Value, class Arg>
void CTDocTable::SetForColumn(void (CTDocTable::*setter)(int, int, Value), int nColumn, Arg value)
{
  if (nColumn < 0 || nColumn >= NbColumns()) return;
  for (int r = 0; r < NbRows(); ++r) (this->*setter)(nColumn, r, value);
}

template <class Value, class Arg>
void CTDocTable::SetForTitleRows(void (CTDocTable::*setter)(int, int, Value), Arg value)
{
  for (int r = 0; r < v_nbTitleRows; ++r) SetForRow(setter, r, value);
}

template <class Value, class Arg>
void CTDocTable::SetForTitleColumns(void (CTDocTable::*setter)(int, int, Value), Arg value)
{
  for (int c = 0; c < v_nbTitleColumns; ++c) SetForColumn(setter, c, value);
}

} // namespace aw::docs
