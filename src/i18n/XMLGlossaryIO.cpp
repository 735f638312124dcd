#include "i18n/XMLGlossaryIO.h"

#include "foundation/ExcelXML2003.h"
#include "i18n/LangSupport.h"
#include "platform/AtomicFile.h"

#include <pugixml.hpp>

#include <charconv>
#include <fstream>
#include <iterator>

namespace aw::i18n {
namespace {

constexpr std::string_view kSpreadsheetNs = "urn:schemas-microsoft-com:office:spreadsheet";

void WriteRow(std::string& out, std::string_view szFirst, std::string_view szSecond)
{
  CTExcelXML2003::WriteStringAndNewLine(out, "<Row>");
  for (std::string_view cell : {szFirst, szSecond}) {
    CTExcelXML2003::WriteString(out, "<Cell><Data ss:Type=\"String\">");
    CTExcelXML2003::WriteString(out, cell);
    CTExcelXML2003::WriteStringAndNewLine(out, "</Data></Cell>");
  }
  CTExcelXML2003::WriteStringAndNewLine(out, "</Row>");
}

// ---- reading ---------------------------------------------------------------

std::string_view LocalName(std::string_view szName)
{
  const std::size_t colon = szName.find(':');
  return colon == std::string_view::npos ? szName : szName.substr(colon + 1);
}

// The namespace a prefix is bound to where the node stands (empty prefix: the default one).
std::string_view NamespaceOfPrefix(pugi::xml_node node, std::string_view szPrefix)
{
  const std::string attribute = szPrefix.empty() ? std::string("xmlns") : "xmlns:" + std::string(szPrefix);
  for (; node; node = node.parent())
    if (const pugi::xml_attribute declaration = node.attribute(attribute.c_str()))
      return declaration.value();
  return {};
}

std::string_view PrefixOf(std::string_view szName)
{
  const std::size_t colon = szName.find(':');
  return colon == std::string_view::npos ? std::string_view() : szName.substr(0, colon);
}

bool IsSpreadsheetElement(pugi::xml_node node, std::string_view szLocalName)
{
  return node.type() == pugi::node_element && LocalName(node.name()) == szLocalName &&
         NamespaceOfPrefix(node, PrefixOf(node.name())) == kSpreadsheetNs;
}

pugi::xml_node FirstSpreadsheetChild(pugi::xml_node parent, std::string_view szLocalName)
{
  for (pugi::xml_node child : parent.children())
    if (IsSpreadsheetElement(child, szLocalName))
      return child;
  return {};
}

// An attribute of the spreadsheet namespace (spreadsheet programs also write it unprefixed).
pugi::xml_attribute SpreadsheetAttribute(pugi::xml_node node, std::string_view szLocalName)
{
  for (pugi::xml_attribute attribute : node.attributes()) {
    const std::string_view name = attribute.name();
    if (LocalName(name) != szLocalName)
      continue;
    const std::string_view prefix = PrefixOf(name);
    if (prefix.empty() || NamespaceOfPrefix(node, prefix) == kSpreadsheetNs)
      return attribute;
  }
  return {};
}

// All text below a node: a cell's rich text is spread over formatting elements.
void AppendText(pugi::xml_node node, std::string& szText)
{
  for (pugi::xml_node child : node.children()) {
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
      szText += child.value();
    else if (child.type() == pugi::node_element)
      AppendText(child, szText);
  }
}

std::optional<long long> ParseInteger(std::string_view sz)
{
  while (!sz.empty() && (sz.front() == ' ' || sz.front() == '\t'))
    sz.remove_prefix(1);
  while (!sz.empty() && (sz.back() == ' ' || sz.back() == '\t'))
    sz.remove_suffix(1);
  if (!sz.empty() && sz.front() == '+')
    sz.remove_prefix(1);
  long long n = 0;
  const auto [end, ec] = std::from_chars(sz.data(), sz.data() + sz.size(), n);
  if (sz.empty() || ec != std::errc() || end != sz.data() + sz.size())
    return std::nullopt;
  return n;
}

// "line L, column C" of a byte offset.
std::string Place(std::string_view bytes, std::ptrdiff_t offset)
{
  const std::size_t end = std::min(bytes.size(), static_cast<std::size_t>(std::max<std::ptrdiff_t>(offset, 0)));
  std::size_t nLine = 1, nLineStart = 0;
  for (std::size_t i = 0; i < end; ++i)
    if (bytes[i] == '\n')
      ++nLine, nLineStart = i + 1;
  return "line " + std::to_string(nLine) + ", column " + std::to_string(end - nLineStart + 1);
}

// The place of an element, for messages about content.
std::string PlaceOf(std::string_view bytes, pugi::xml_node node)
{
  return Place(bytes, node.offset_debug());
}

struct RowCells
{
  std::string szFirst;
  std::string szSecond;
};

// The first two columns of a row; ss:Index places a cell after skipped ones.
RowCells ReadRow(pugi::xml_node row)
{
  RowCells cells;
  long long nColumn = 1;
  for (pugi::xml_node cell : row.children()) {
    if (!IsSpreadsheetElement(cell, "Cell"))
      continue;
    if (const pugi::xml_attribute index = SpreadsheetAttribute(cell, "Index"))
      nColumn = ParseInteger(index.value()).value_or(nColumn);
    std::string szText;
    if (const pugi::xml_node data = FirstSpreadsheetChild(cell, "Data"))
      AppendText(data, szText);
    if (nColumn == 1)
      cells.szFirst = std::move(szText);
    else if (nColumn == 2)
      cells.szSecond = std::move(szText);
    long long nMerged = 0;
    if (const pugi::xml_attribute merge = SpreadsheetAttribute(cell, "MergeAcross"))
      nMerged = std::max(0LL, ParseInteger(merge.value()).value_or(0));
    nColumn += 1 + nMerged;
  }
  return cells;
}

} // namespace

void CTExcelXMLGlossaryIO::WriteStart(std::string& out, int nColumns, int nRows,
                                      const std::vector<std::string>& extraStyles)
{
  CTExcelXML2003::GlobalStart(out, extraStyles);
  CTExcelXML2003::StartWorksheet(out, nColumns, nRows, "");
}

void CTExcelXMLGlossaryIO::WriteEnd(std::string& out)
{
  CTExcelXML2003::EndWorksheet(out);
  CTExcelXML2003::GlobalEnd(out);
}

void CTExcelXMLGlossaryIO::SaveGlossary(std::string& out, const CTUnicodeGlossary& glossary,
                                        bool bSaveChangedDate) const
{
  WriteStart(out, 2, static_cast<int>(glossary.Count()) + 1);
  const std::string& nameOrDate = glossary.LanguageNameOrChangedDate();
  // The glossary's own header text is escaped too: one read from a file may hold any character.
  const std::string header = CTExcelXML2003::XMLSafeString(bSaveChangedDate && !nameOrDate.empty()
                                             ? nameOrDate
                                             : CTLangSupport::EnglishLanguageName(glossary.TargetLanguage()));
  WriteRow(out, std::to_string(glossary.TargetLanguage()), header);
  for (const auto& [nCodeUnit, bucket] : glossary.AllLetterEntries())
    for (const auto& entry : bucket)
      WriteRow(out, CTExcelXML2003::XMLSafeString(entry->v_term),
               CTExcelXML2003::XMLSafeString(entry->v_translation));
  WriteEnd(out);
}

bool CTExcelXMLGlossaryIO::LoadGlossary(std::string_view bytes, CTUnicodeGlossary& glossary,
                                        std::string& szError) const
{
  // No document type processing: entities other than XML's own are never
  // expanded and nothing outside the bytes is fetched.
  constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_ws_pcdata_single;
  pugi::xml_document document;
  const pugi::xml_parse_result parsed =
    document.load_buffer(bytes.data(), bytes.size(), kParseOptions, pugi::encoding_auto);
  if (!parsed) {
    szError = Place(bytes, parsed.offset) + ": " + parsed.description();
    return false;
  }
  const pugi::xml_node workbook = document.document_element();
  if (!IsSpreadsheetElement(workbook, "Workbook")) {
    szError = PlaceOf(bytes, workbook) + ": not a spreadsheet workbook";
    return false;
  }
  const pugi::xml_node worksheet = FirstSpreadsheetChild(workbook, "Worksheet");
  const pugi::xml_node table = worksheet ? FirstSpreadsheetChild(worksheet, "Table") : pugi::xml_node();
  if (!table) {
    szError = PlaceOf(bytes, worksheet ? worksheet : workbook) + ": the workbook has no worksheet with a table";
    return false;
  }
  CTUnicodeGlossary read;
  bool bHeaderRead = false;
  for (pugi::xml_node row : table.children()) {
    if (!IsSpreadsheetElement(row, "Row"))
      continue;
    RowCells cells = ReadRow(row);
    if (bHeaderRead) {
      read.AddTermNoNonsense(cells.szFirst, cells.szSecond);
      continue;
    }
    const std::optional<long long> language = ParseInteger(cells.szFirst);
    if (!language || *language < 0 || *language > 0xFFFFFFFFLL) {
      szError = PlaceOf(bytes, row) + ": the first row does not start with a language id";
      return false;
    }
    read.SetTargetLanguage(static_cast<std::uint32_t>(*language));
    read.SetLanguageNameOrChangedDate(std::move(cells.szSecond));
    bHeaderRead = true;
  }
  if (!bHeaderRead) {
    szError = PlaceOf(bytes, table) + ": the worksheet has no header row";
    return false;
  }
  glossary.TakeEntriesOf(read);
  return true;
}

bool CTXMLGlossaryIO::SaveGlossaryToFile(const std::filesystem::path& file, CTUnicodeGlossary& glossary,
                                         bool bSaveChangedDate, std::string& szError) const
{
  std::string bytes;
  SaveGlossary(bytes, glossary, bSaveChangedDate);
  if (!platform::WriteFileAtomically(file, bytes, szError))
    return false;
  glossary.SetFileName(file.string());
  return true;
}

bool CTXMLGlossaryIO::LoadGlossaryFromFile(const std::filesystem::path& file, CTUnicodeGlossary& glossary,
                                           std::string& szError) const
{
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    szError = file.string() + ": cannot be opened";
    return false;
  }
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) {
    szError = file.string() + ": cannot be read";
    return false;
  }
  std::string szWhere;
  if (!LoadGlossary(bytes, glossary, szWhere)) {
    szError = file.string() + ": " + szWhere;
    return false;
  }
  glossary.SetFileName(file.string());
  return true;
}

} // namespace aw::i18n
