#pragma once
// A document table as a worksheet of an XML Spreadsheet 2003 workbook.
// Right-aligned cells that hold a decimal number become numbers, "45%"
// becomes the number 0.45 shown as a percentage, and a cell whose data is a
// CTExcelXMLFormula becomes a formula; coloured backgrounds become styles
// with borders. The caller measures the table first (CalculatePixelSizes):
// the column widths are taken from it.

#include "docs/DocTable.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace aw::docs {

// A background colour that has a style pair of its own ("cs<n>", "csp<n>").
struct LTColorEntry
{
  DocColor v_color = kWhite;

  // "#RRGGBB" in upper-case hexadecimal, system colours resolved.
  std::string RGBString() const;
};

// Placed as a right-aligned cell's data, turns the cell into a formula cell.
class CTExcelXMLFormula : public CTDocCellData
{
public:
  explicit CTExcelXMLFormula(std::string szFormula) : v_formula(std::move(szFormula)) {}
  static std::shared_ptr<const CTExcelXMLFormula> Create(std::string szFormula);

  std::string v_formula;
};

class CTDocTableToXML
{
public:
  // A whole workbook with one worksheet "Sheet1" and the table's colour styles.
  static void ExportDocTableAsWorkbook(std::string& out, const CTDocTable& table);
  // One worksheet; with colour entries, a cell whose background is entry i
  // (1-based) gets the style "cs<i>" ("csp<i>" for a percentage).
  static void ExportDocTableAsWorksheet(std::string& out, const CTDocTable& table, std::string_view szSheetName,
                                        const std::vector<LTColorEntry>* pColorEntries);
  // Adds an entry and its two styles for every background that is neither
  // white nor the window colour and not yet an entry; an empty style list
  // first gets the bordered base style "cs0".
  static void GatherColorEntries(const CTDocTable& table, std::vector<LTColorEntry>& colorEntries,
                                 std::vector<std::string>& colorStyles);
};

// Whether a text is a decimal number in the usual notation: optional sign,
// digits with '.' as the decimal point, optional exponent, blanks around it
// ignored. A text with a comma is never a number.
bool IsDecimalNumber(std::string_view szText);

} // namespace aw::docs
