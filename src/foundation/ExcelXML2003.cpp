#include "foundation/ExcelXML2003.h"

#include "foundation/Utf8.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <utility>

namespace aw {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::size_t kMaxSheetNameLength = 31;

bool CopiedAsItStands(char32_t cp)
{
  return cp >= 32 && cp <= 126 && cp != '"' && cp != '&' && cp != '\'' && cp != '<' && cp != '>';
}

bool AllowedInXml(char32_t cp)
{
  return cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF) || (cp >= 0xE000 && cp <= 0xFFFD) ||
         (cp >= 0x10000 && cp <= 0x10FFFF);
}

// The code point of a numeric reference's digits ("65", "x41"), when XML allows it.
std::optional<char32_t> NumericReference(std::string_view szDigits)
{
  int nBase = 10;
  if (!szDigits.empty() && (szDigits.front() == 'x' || szDigits.front() == 'X')) {
    nBase = 16;
    szDigits.remove_prefix(1);
  }
  std::uint32_t value = 0;
  const auto [end, ec] = std::from_chars(szDigits.data(), szDigits.data() + szDigits.size(), value, nBase);
  if (szDigits.empty() || ec != std::errc() || end != szDigits.data() + szDigits.size() || !AllowedInXml(value))
    return std::nullopt;
  return static_cast<char32_t>(value);
}

// The character of the reference that starts at pos ('&'), and its length.
std::optional<std::pair<char32_t, std::size_t>> ReferenceAt(std::string_view sz, std::size_t pos)
{
  static constexpr std::array<std::pair<std::string_view, char32_t>, 5> kNamed = {
    {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}}};
  const std::string_view rest = sz.substr(pos);
  for (const auto& [name, ch] : kNamed)
    if (rest.starts_with(name))
      return std::pair{ch, name.size()};
  const std::size_t semicolon = rest.find(';');
  if (!rest.starts_with("&#") || semicolon == std::string_view::npos)
    return std::nullopt;
  if (const std::optional<char32_t> cp = NumericReference(rest.substr(2, semicolon - 2)))
    return std::pair{*cp, semicolon + 1};
  return std::nullopt;
}

} // namespace

std::string CTExcelXML2003::XMLSafeString(std::string_view szText)
{
  std::string out;
  out.reserve(szText.size());
  for (std::size_t pos = 0; pos < szText.size();) {
    const std::optional<char32_t> cp = NextCodePoint(szText, pos);
    if (!cp || !AllowedInXml(*cp))
      continue;
    if (CopiedAsItStands(*cp)) {
      out += static_cast<char>(*cp);
    } else {
      out += "&#";
      out += std::to_string(static_cast<std::uint32_t>(*cp));
      out += ';';
    }
  }
  return out;
}

std::string CTExcelXML2003::ReplaceCharacterRefs(std::string_view szText)
{
  std::string out;
  out.reserve(szText.size());
  for (std::size_t pos = 0; pos < szText.size();) {
    if (szText[pos] == '&') {
      if (const auto reference = ReferenceAt(szText, pos)) {
        AppendUtf8(out, reference->first);
        pos += reference->second;
        continue;
      }
    }
    out += szText[pos++];
  }
  return out;
}

void CTExcelXML2003::WriteString(std::string& out, std::string_view szText)
{
  out += szText;
}

void CTExcelXML2003::WriteStringAndNewLine(std::string& out, std::string_view szText)
{
  out += szText;
  out += kCrLf;
}

void CTExcelXML2003::GlobalStart(std::string& out, const std::vector<std::string>& styles)
{
  static constexpr std::string_view kPrologue[] = {
    "<?xml version=\"1.0\"?>",
    "<?mso-application progid=\"Excel.Sheet\"?>",
    "<Workbook",
    "xmlns=\"urn:schemas-microsoft-com:office:spreadsheet\"",
    "xmlns:o=\"urn:schemas-microsoft-com:office:office\"",
    "xmlns:x=\"urn:schemas-microsoft-com:office:excel\"",
    "xmlns:ss=\"urn:schemas-microsoft-com:office:spreadsheet\"",
    "xmlns:html=\"http://www.w3.org/TR/REC-html40\">",
    "<DocumentProperties xmlns=\"urn:schemas-microsoft-com:office:office\" />",
    "<ExcelWorkbook xmlns=\"urn:schemas-microsoft-com:office:excel\">",
    "<ProtectStructure>False</ProtectStructure>",
    "<ProtectWindows>False</ProtectWindows>",
    "</ExcelWorkbook>",
    "<Styles>",
    "<Style ss:ID=\"Default\" ss:Name=\"Normal\"><Font ss:FontName=\"Arial\" ss:Size=\"10\"/> "
    "<Alignment ss:Vertical=\"Top\" ss:WrapText=\"1\"/></Style>",
    "<Style ss:ID=\"Percent\" ss:Name=\"Percent\"><NumberFormat ss:Format=\"0%\"/></Style>",
  };
  for (std::string_view line : kPrologue)
    WriteStringAndNewLine(out, line);
  for (const std::string& style : styles)
    WriteStringAndNewLine(out, style);
  WriteStringAndNewLine(out, "</Styles>");
}

void CTExcelXML2003::GlobalEnd(std::string& out)
{
  WriteStringAndNewLine(out, "</Workbook>");
}

std::string CTExcelXML2003::SheetName(std::string_view szName)
{
  if (szName.empty())
    return "Sheet1";
  std::string name;
  std::size_t nCharacters = 0;
  for (std::size_t pos = 0; pos < szName.size() && nCharacters < kMaxSheetNameLength; ++nCharacters) {
    const std::size_t start = pos;
    NextCodePoint(szName, pos);
    const std::string_view character = szName.substr(start, pos - start);
    const bool bForbidden = character.size() == 1 && std::string_view("*/:?[\\]").find(character[0]) != std::string_view::npos;
    name += bForbidden ? std::string_view("_") : character;
  }
  return name;
}

void CTExcelXML2003::StartWorksheet(std::string& out, int nNbColumns, int nNbRows, std::string_view szSheetName)
{
  WriteStringAndNewLine(out, "<Worksheet ss:Name=\"" + XMLSafeString(SheetName(szSheetName)) + "\">");
  WriteStringAndNewLine(out, "<Table ss:ExpandedColumnCount=\"" + std::to_string(nNbColumns) +
                               "\" ss:ExpandedRowCount=\"" + std::to_string(nNbRows) +
                               "\" x:FullColumns=\"1\" x:FullRows=\"1\">");
}

void CTExcelXML2003::EndWorksheet(std::string& out)
{
  WriteStringAndNewLine(out, "</Table>");
  WriteStringAndNewLine(out, "</Worksheet>");
}

} // namespace aw
