#pragma once
// The writer of XML Spreadsheet 2003 workbooks: the workbook frame with its
// styles, worksheet openings and closings, and cell text escaped as 7-bit
// ASCII. Every line ends with CR LF. The writer keeps no state; the output is
// appended to a string the caller saves. Text in and out is UTF-8.

#include <string>
#include <string_view>
#include <vector>

namespace aw {

class CTExcelXML2003
{
public:
  // Cell or attribute text as 7-bit ASCII: printable characters other than
  // '"', '&', '\'', '<' and '>' stay, every other character becomes one
  // reference to its code point ("&#233;", "&#128512;" for U+1F600).
  // Characters XML does not allow, and bytes that are no UTF-8, are dropped.
  static std::string XMLSafeString(std::string_view szText);
  // The reverse, for reading: "&amp;", "&lt;", "&gt;", "&quot;", "&apos;" and
  // numeric references ("&#65;", "&#x41;") become their characters; a
  // reference that names no character XML allows is kept as it stands.
  static std::string ReplaceCharacterRefs(std::string_view szText);

  static void WriteString(std::string& out, std::string_view szText);
  static void WriteStringAndNewLine(std::string& out, std::string_view szText);

  // The workbook prologue up to the end of the styles, with the given extra
  // style lines after the standard ones ("Default", "Percent").
  static void GlobalStart(std::string& out, const std::vector<std::string>& styles = {});
  static void GlobalEnd(std::string& out);
  // The worksheet and table openings; the name is cleaned (SheetName).
  static void StartWorksheet(std::string& out, int nNbColumns, int nNbRows, std::string_view szSheetName);
  static void EndWorksheet(std::string& out);
  // A name spreadsheet programs accept: "Sheet1" when empty, at most 31
  // characters, and each of * / : ? [ \ ] replaced by '_'.
  static std::string SheetName(std::string_view szName);
};

} // namespace aw
