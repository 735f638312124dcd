#include "docs/DocTableToXML.h"

#include "foundation/ExcelXML2003.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

namespace aw::docs {
namespace {

constexpr double kScreenPixelsPerInch = 96;
constexpr double kPointsPerInch = 72;
constexpr int kSignificantDigits = 15;

const std::string kBaseStyle =
  "<Style ss:ID=\"cs0\"><Borders><Border ss:Position=\"Left\" ss:LineStyle=\"Continuous\"/><Border "
  "ss:Position=\"Right\" ss:LineStyle=\"Continuous\"/><Border ss:Position=\"Top\" ss:LineStyle=\"Continuous\"/>"
  "<Border ss:Position=\"Bottom\" ss:LineStyle=\"Continuous\"/></Borders></Style>";

std::string_view Trimmed(std::string_view sz)
{
  const std::size_t first = sz.find_first_not_of(" \t");
  if (first == std::string_view::npos)
    return {};
  return sz.substr(first, sz.find_last_not_of(" \t") - first + 1);
}

std::size_t SkipDigits(std::string_view sz, std::size_t pos)
{
  while (pos < sz.size() && sz[pos] >= '0' && sz[pos] <= '9')
    ++pos;
  return pos;
}

// The number a decimal text stands for, without a leading '+' (which the
// spreadsheet's number parser may not take).
std::string_view NumberText(std::string_view szText)
{
  const std::string_view number = Trimmed(szText);
  return number.starts_with('+') ? number.substr(1) : number;
}

// "45%" (or "45 %") as the fraction it stands for, "0.45"; none for other texts.
std::optional<std::string> PercentageFraction(std::string_view szText)
{
  std::string_view text = Trimmed(szText);
  if (!text.ends_with('%'))
    return std::nullopt;
  text.remove_suffix(1);
  if (!IsDecimalNumber(text))
    return std::nullopt;
  double value = 0;
  const std::string_view number = NumberText(text);
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (ec != std::errc() || !std::isfinite(value / 100))
    return std::nullopt;
  // Fifteen significant digits hide the binary rounding of the division (33.3 / 100).
  char buffer[32];
  const auto written =
    std::to_chars(buffer, buffer + sizeof buffer, value / 100, std::chars_format::general, kSignificantDigits);
  return std::string(buffer, written.ptr);
}

struct CTCellValue
{
  std::string szType = "String";
  std::string szValue;
  std::string szFormula; // the attribute, when a formula cell
  bool bPercentage = false;
};

CTCellValue ValueOf(const CTDocTable& table, int nColumn, int nRow)
{
  CTCellValue cell;
  if (table.GetIsMerged(nColumn, nRow))
    return cell;
  const std::string text = table.GetText(nColumn, nRow);
  cell.szValue = CTExcelXML2003::XMLSafeString(text);
  if (table.GetHorAlign(nColumn, nRow) != HorAlign::Right)
    return cell;
  if (const auto* formula = dynamic_cast<const CTExcelXMLFormula*>(table.GetData(nColumn, nRow))) {
    cell.szFormula = " ss:Formula=\"" + CTExcelXML2003::XMLSafeString(formula->v_formula) + "\"";
    cell.bPercentage = text == "%";
    cell.szValue.clear();
  } else if (IsDecimalNumber(text)) {
    cell.szType = "Number";
    cell.szValue = NumberText(text);
  } else if (const std::optional<std::string> fraction = PercentageFraction(text)) {
    cell.szType = "Number";
    cell.szValue = *fraction;
    cell.bPercentage = true;
  }
  return cell;
}

std::string StyleAttribute(const CTCellValue& cell, DocColor background, const std::vector<LTColorEntry>* pColorEntries)
{
  if (pColorEntries) {
    const auto entry = std::find_if(pColorEntries->begin(), pColorEntries->end(),
                                    [background](const LTColorEntry& e) { return e.v_color == background; });
    if (entry != pColorEntries->end()) {
      const std::string number = std::to_string(entry - pColorEntries->begin() + 1);
      return " ss:StyleID=\"" + std::string(cell.bPercentage ? "csp" : "cs") + number + "\"";
    }
  }
  return cell.bPercentage ? " ss:StyleID=\"Percent\"" : "";
}

int ColumnWidthPt(int nPixels)
{
  return static_cast<int>(std::lround(nPixels / kScreenPixelsPerInch * kPointsPerInch));
}

} // namespace

bool IsDecimalNumber(std::string_view szText)
{
  const std::string_view text = Trimmed(szText);
  std::size_t pos = text.starts_with('+') || text.starts_with('-') ? 1 : 0;
  const std::size_t integerEnd = SkipDigits(text, pos);
  std::size_t end = integerEnd;
  bool bDigits = integerEnd > pos;
  if (end < text.size() && text[end] == '.') {
    const std::size_t fractionEnd = SkipDigits(text, end + 1);
    bDigits = bDigits || fractionEnd > end + 1;
    end = fractionEnd;
  }
  if (!bDigits)
    return false;
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    std::size_t exponent = end + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
      ++exponent;
    end = SkipDigits(text, exponent);
    if (end == exponent)
      return false;
  }
  return end == text.size();
}

std::string LTColorEntry::RGBString() const
{
  const DocColor color = ResolveColor(v_color);
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", RedOf(color), GreenOf(color), BlueOf(color));
  return buffer;
}

std::shared_ptr<const CTExcelXMLFormula> CTExcelXMLFormula::Create(std::string szFormula)
{
  return std::make_shared<const CTExcelXMLFormula>(std::move(szFormula));
}

void CTDocTableToXML::GatherColorEntries(const CTDocTable& table, std::vector<LTColorEntry>& colorEntries,
                                         std::vector<std::string>& colorStyles)
{
  if (colorStyles.empty())
    colorStyles.push_back(kBaseStyle);
  for (int r = 0; r < table.NbRows(); ++r)
    for (int c = 0; c < table.NbColumns(); ++c) {
      const DocColor background = table.GetBgColor(c, r);
      if (background == kWhite || background == kWindowTextColor ||
          std::any_of(colorEntries.begin(), colorEntries.end(),
                      [background](const LTColorEntry& e) { return e.v_color == background; }))
        continue;
      colorEntries.push_back(LTColorEntry{background});
      const std::string number = std::to_string(colorEntries.size());
      const std::string interior =
        "<Interior ss:Color=\"" + colorEntries.back().RGBString() + "\" ss:Pattern=\"Solid\"/>";
      colorStyles.push_back("<Style ss:ID=\"cs" + number + "\" ss:Parent=\"cs0\">" + interior + "</Style>");
      colorStyles.push_back("<Style ss:ID=\"csp" + number + "\" ss:Parent=\"cs0\">" + interior +
                            "<NumberFormat ss:Format=\"0%\"/></Style>");
    }
}

void CTDocTableToXML::ExportDocTableAsWorksheet(std::string& out, const CTDocTable& table,
                                                std::string_view szSheetName,
                                                const std::vector<LTColorEntry>* pColorEntries)
{
  CTExcelXML2003::StartWorksheet(out, table.NbColumns(), table.NbRows(), szSheetName);
  for (int c = 0; c < table.NbColumns(); ++c)
    CTExcelXML2003::WriteStringAndNewLine(
      out, "<Column ss:Width=\"" + std::to_string(ColumnWidthPt(table.GetColumnWidth(c))) + "\"/>");
  for (int r = 0; r < table.NbRows(); ++r) {
    CTExcelXML2003::WriteStringAndNewLine(out, "<Row>");
    for (int c = 0; c < table.NbColumns(); ++c) {
      const CTCellValue cell = ValueOf(table, c, r);
      CTExcelXML2003::WriteStringAndNewLine(out, "<Cell" + cell.szFormula +
                                                   StyleAttribute(cell, table.GetBgColor(c, r), pColorEntries) +
                                                   "><Data ss:Type=\"" + cell.szType + "\">" + cell.szValue +
                                                   "</Data></Cell>");
    }
    CTExcelXML2003::WriteStringAndNewLine(out, "</Row>");
  }
  CTExcelXML2003::EndWorksheet(out);
}

void CTDocTableToXML::ExportDocTableAsWorkbook(std::string& out, const CTDocTable& table)
{
  std::vector<LTColorEntry> colorEntries;
  std::vector<std::string> colorStyles;
  GatherColorEntries(table, colorEntries, colorStyles);
  CTExcelXML2003::GlobalStart(out, colorStyles);
  ExportDocTableAsWorksheet(out, table, "", &colorEntries);
  CTExcelXML2003::GlobalEnd(out);
}

} // namespace aw::docs
