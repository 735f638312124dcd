#include "db/DbFileFormat.h"

#include "db/BaseFactory.h"
#include "db/DbException.h"
#include "db/DbNameMapping.h"
#include "db/DbObject.h"
#include "foundation/Utf8.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace aw {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr int kStringCode = 5; // names in the structure, and a second code for strings

bool IsBlank(std::uint8_t c) { return c >= 1 && c <= 32; }
bool IsDigit(std::uint8_t c) { return c >= '0' && c <= '9'; }

int HexValue(std::uint8_t c)
{
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  return -1;
}

bool NeedsEscape(std::uint8_t c) { return c < 32 || c > 126 || c == '\\'; }

void AppendEscaped(std::string& out, std::string_view bytes, bool bEscapeAll)
{
  for (unsigned char c : bytes) {
    if (bEscapeAll || NeedsEscape(c)) {
      out += '\\';
      out += kHexDigits[c >> 4];
      out += kHexDigits[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
}

std::string GuidToText(const TGUID& g)
{
  std::string text = "{";
  auto hex = [&text](std::uint64_t v, int nDigits) {
    for (int i = nDigits - 1; i >= 0; --i)
      text += kHexDigits[(v >> (4 * i)) & 15];
  };
  hex(g.D1, 8);
  text += '-';
  hex(g.D2, 4);
  text += '-';
  hex(g.D3, 4);
  text += '-';
  hex(g.D4[0], 2);
  hex(g.D4[1], 2);
  text += '-';
  for (int i = 2; i < 8; ++i)
    hex(g.D4[i], 2);
  return text + "}";
}

// The braced text form; all zero when the text is not a GUID.
TGUID GuidFromText(std::string_view text)
{
  static constexpr int kDashes[] = {9, 14, 19, 24};
  if (text.size() != 38 || text.front() != '{' || text.back() != '}')
    return {};
  std::string hex;
  for (int i = 1; i < 37; ++i) {
    const bool dash = std::find(std::begin(kDashes), std::end(kDashes), i) != std::end(kDashes);
    if (dash != (text[i] == '-'))
      return {};
    if (!dash) {
      if (HexValue(static_cast<std::uint8_t>(text[i])) < 0)
        return {};
      hex += text[i];
    }
  }
  auto take = [&hex](int from, int count) {
    std::uint64_t v = 0;
    for (int i = 0; i < count; ++i)
      v = v * 16 + static_cast<std::uint64_t>(HexValue(static_cast<std::uint8_t>(hex[from + i])));
    return v;
  };
  TGUID g;
  g.D1 = static_cast<std::uint32_t>(take(0, 8));
  g.D2 = static_cast<std::uint16_t>(take(8, 4));
  g.D3 = static_cast<std::uint16_t>(take(12, 4));
  for (int i = 0; i < 8; ++i)
    g.D4[i] = static_cast<std::uint8_t>(take(16 + 2 * i, 2));
  return g;
}

std::string Latin1ToUtf8(std::string_view bytes)
{
  std::string text;
  for (unsigned char c : bytes) {
    if (c < 0x80) {
      text += static_cast<char>(c);
    } else {
      text += static_cast<char>(0xC0 | (c >> 6));
      text += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return text;
}

// Whether a field of this type may hold a column of the file's type code.
bool TypesCompatible(CTFieldType fieldType, int nFileType)
{
  switch (fieldType) {
  case ftBoolean: return nFileType == ftBoolean;
  case ftGUID: return nFileType == ftGUID;
  case ftInteger:
  case ftDouble:
  case ftCurrency:
  case ftDateTime:
    return nFileType == ftInteger || nFileType == ftDouble || nFileType == ftCurrency || nFileType == ftDateTime;
  case ftBinary: return nFileType == kStringCode || nFileType == ftBinary || nFileType == ftUnicodeString;
  case ftUnicodeString:
    return nFileType == ftInteger || nFileType == kStringCode || nFileType == ftBinary || nFileType == ftUnicodeString;
  }
  return false;
}

// The position of the first byte that breaks UTF-8 (overlong forms and
// surrogates included), or nothing for well-formed text.
std::optional<std::size_t> FirstBadUtf8(std::string_view bytes)
{
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t start = pos;
    if (!NextCodePoint(bytes, pos))
      return start;
  }
  return std::nullopt;
}

// The text with each byte that breaks UTF-8 replaced by U+FFFD, so that what
// an auto-corrected load keeps is written back as text a strict load accepts.
std::string MendedUtf8(std::string_view bytes)
{
  std::string text;
  for (std::size_t pos = 0; pos < bytes.size();)
    AppendUtf8(text, NextCodePoint(bytes, pos).value_or(U'\uFFFD'));
  return text;
}

// Whether a double can stand for a measured quantity: overflowing text reads
// as the largest double, which counts as not finite too.
bool IsUsableNumber(double d) { return std::isfinite(d) && std::fabs(d) < std::numeric_limits<double>::max(); }

bool IsKnownTypeCode(int n)
{
  return n == 0 || n == 2 || n == 4 || n == 5 || n == 6 || n == 7 || n == 8 || n == 9 || n == 10;
}

} // namespace

CTEdiFormatError::CTEdiFormatError(const std::string& szWhat, std::int64_t nOffset, int nLine)
  : std::runtime_error(szWhat + " (line " + std::to_string(nLine) + ", byte " + std::to_string(nOffset) + ")"),
    v_reason(szWhat), v_offset(nOffset), v_line(nLine)
{
}

void CTEdiReadReport::Note(std::string szLine)
{
  constexpr std::size_t kMaxNotes = 20;
  if (notes.size() < kMaxNotes)
    notes.push_back(std::move(szLine));
}

std::string FormatEdiDouble(double d)
{
  if (std::isnan(d))
    return "NAN";
  if (std::isinf(d))
    return d > 0 ? "INF" : "-INF";
  if (d == 0)
    return "0";
  std::array<char, 64> buf;
  const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), d, std::chars_format::scientific);
  const std::string_view sci(buf.data(), static_cast<std::size_t>(result.ptr - buf.data()));
  // sci is [-]d[.ddd]e±xx: split it into sign, digits and decimal exponent.
  const std::size_t e = sci.find('e');
  std::string digits;
  for (char c : sci.substr(0, e))
    if (c >= '0' && c <= '9')
      digits += c;
  int exponent = 0;
  const std::string_view expText = sci.substr(e + 1);
  std::from_chars(expText.data() + (expText[0] == '+' ? 1 : 0), expText.data() + expText.size(), exponent);
  while (digits.size() > 1 && digits.back() == '0')
    digits.pop_back();

  // Appended piece by piece: one text, no temporaries.
  std::string text = d < 0 ? "-" : "";
  constexpr int kPrecision = 15;
  const std::string_view all(digits);
  if (exponent < -4 || exponent >= kPrecision) {
    text += all.substr(0, 1);
    if (all.size() > 1) {
      text += '.';
      text += all.substr(1);
    }
    text += 'E';
    text += std::to_string(exponent);
  } else if (exponent < 0) {
    text += "0.";
    text.append(static_cast<std::size_t>(-exponent - 1), '0');
    text += all;
  } else {
    const std::size_t intLen = static_cast<std::size_t>(exponent) + 1;
    text += all.substr(0, std::min(intLen, all.size()));
    if (all.size() <= intLen) {
      text.append(intLen - all.size(), '0');
    } else {
      text += '.';
      text += all.substr(intLen);
    }
  }
  return text;
}

std::optional<double> ParseEdiDouble(std::string_view text)
{
  if (!text.empty() && text.front() == '+')
    text.remove_prefix(1);
  if (text.empty())
    return std::nullopt;
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (end != text.data() + text.size())
    return std::nullopt;
  if (ec == std::errc::result_out_of_range) {
    // Too large in magnitude gives the largest double, too small gives zero.
    const std::size_t e = text.find_first_of("eE");
    const bool tiny = e != std::string_view::npos && e + 1 < text.size() && text[e + 1] == '-';
    const bool negative = text.front() == '-';
    const double magnitude = tiny ? 0.0 : std::numeric_limits<double>::max();
    return negative ? -magnitude : magnitude;
  }
  if (ec != std::errc())
    return std::nullopt;
  return value;
}

// ---- writer -------------------------------------------------------------

CTEdiWriter::CTEdiWriter(CTStream& pOut, const CTBaseFactory& pFactory) : v_out(pOut), v_factory(pFactory)
{
  v_buffer.reserve(1 << 16);
}

void CTEdiWriter::Put(std::string_view text)
{
  v_buffer += text;
  if (v_buffer.size() >= (1 << 16))
    Flush();
}

void CTEdiWriter::PutInt(std::int64_t n)
{
  std::array<char, 24> buf;
  const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), n);
  Put(std::string_view(buf.data(), static_cast<std::size_t>(result.ptr - buf.data())));
}

void CTEdiWriter::PutDouble(double d)
{
  Put(" ");
  Put(FormatEdiDouble(d));
}

void CTEdiWriter::Flush()
{
  if (!v_buffer.empty())
    v_out.WriteBuffer(v_buffer.data(), v_buffer.size());
  v_buffer.clear();
}

void CTEdiWriter::Write(const CTTransactionLayer& pLayer)
{
  Put(v_factory.GetSignature());
  Put("\r\n");
  for (int clsID = 0; clsID < pLayer.MapCount(); ++clsID)
    if (const CTElemDbObjectMap* map = pLayer.Map(clsID))
      WriteStructure(*map);
  Put("0\r\n");
  for (int clsID = 0; clsID < pLayer.MapCount(); ++clsID)
    if (const CTElemDbObjectMap* map = pLayer.Map(clsID))
      WriteData(*map);
  Put("0\r\n");
  for (int clsID = 0; clsID < pLayer.MapCount(); ++clsID)
    if (const CTElemDbObjectMap* map = pLayer.Map(clsID))
      WriteExtendedStructure(*map);
  Put("0\r\n");
  Flush();
}

void CTEdiWriter::WriteStructure(const CTElemDbObjectMap& map)
{
  const CTTableInfo& table = *map.TblInfo();
  Put("5 ");
  PutInt(static_cast<std::int64_t>(table.TableName().size()));
  Put(" ");
  Put(table.TableName());
  Put(" ");
  PutInt(table.GetTableIndex());
  Put("\r\n");
  for (const CTFieldInfo* field : table.GetFieldInfo()) {
    if (!field)
      continue;
    Put("5 ");
    PutInt(static_cast<std::int64_t>(field->GetName().size()));
    Put(" ");
    Put(field->GetName());
    Put(" ");
    PutInt(field->GetType());
    Put("\r\n");
  }
  Put("0\r\n");
}

void CTEdiWriter::WriteData(const CTElemDbObjectMap& map)
{
  std::vector<CTElemDbObject*> elements = map.Elements();
  std::erase_if(elements, [](const CTElemDbObject* e) { return e->IsDeleted(); });
  if (elements.empty())
    return;
  Put("2 ");
  PutInt(map.TblInfo()->GetTableIndex());
  Put(" 2 0 2 ");
  PutInt(static_cast<std::int64_t>(elements.size()));
  Put(" 2 ");
  PutInt(map.GetMaxID());
  Put("\r\n");
  for (const CTElemDbObject* elem : elements)
    WriteRecord(elem->Values());
}

void CTEdiWriter::WriteRecord(const CTValueList& values)
{
  const CTFieldList& fields = *values.Model();
  std::string escaped;
  for (int ix = 0; ix < static_cast<int>(fields.size()); ++ix) {
    const CTFieldInfo* field = fields[ix];
    if (!field)
      continue;
    PutInt(field->GetType());
    Put(" ");
    switch (field->GetType()) {
    case ftBoolean: Put(values.GetBooleanValue(ix) ? "1" : "0"); break;
    case ftInteger: PutInt(values.GetIntegerValue(ix)); break;
    case ftDouble:
    case ftDateTime: Put(FormatEdiDouble(values.GetDoubleValue(ix))); break;
    case ftCurrency: Put(FormatEdiDouble(static_cast<double>(values.GetCurrencyValue(ix)) / 10000.0)); break;
    case ftBinary: {
      const ByteArray& bytes = values.GetBinaryValue(ix);
      escaped.clear();
      AppendEscaped(escaped, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), true);
      PutInt(static_cast<std::int64_t>(escaped.size()));
      Put(" ");
      Put(escaped);
      break;
    }
    case ftGUID:
      Put("38 ");
      Put(GuidToText(values.GetTGUIDValue(ix)));
      break;
    case ftUnicodeString:
      escaped.clear();
      AppendEscaped(escaped, values.GetUnicodeStringValue(ix), false);
      PutInt(static_cast<std::int64_t>(escaped.size()));
      Put(" ");
      Put(escaped);
      break;
    }
    Put(" ");
  }
  Put("\r\n");
}

void CTEdiWriter::WriteExtendedStructure(const CTElemDbObjectMap& map)
{
  const CTTableInfo& table = *map.TblInfo();
  Put("2 ");
  PutInt(table.GetTableIndex());
  Put(" 2 ");
  PutInt(table.ParentID());
  Put("\r\n");
  for (const CTFieldInfo* field : table.GetFieldInfo())
    if (field)
      WriteExtendedField(*field);
  Put("0\r\n");
}

void CTEdiWriter::WriteExtendedField(const CTFieldInfo& field)
{
  Put("2 ");
  PutInt(field.GetType());
  switch (field.GetType()) {
  case ftBoolean:
    Put(field.GetBooleanDftValue() ? " 1" : " 0");
    break;
  case ftInteger: {
    Put(" ");
    PutInt(field.GetIntegerDftValue());
    const CTTableLink* link = field.GetReferenceTo();
    Put(link ? " 0 1 2 " : " 0 0");
    if (link) {
      PutInt(link->GetFromTable() ? link->GetFromTable()->GetTableIndex() : -1);
      for (bool flag : {link->RefIntegrity(), link->CascadeDelete(), link->OneToOne(), link->IsOrdered()})
        Put(flag ? " 0 1" : " 0 0");
    }
    break;
  }
  case ftDouble: PutDouble(field.GetDoubleDftValue()); break;
  case ftDateTime: PutDouble(field.GetTDateTimeDftValue()); break;
  case ftCurrency: PutDouble(static_cast<double>(field.GetCurrencyDftValue()) / 10000.0); break;
  case ftBinary:
  case ftGUID: break;
  case ftUnicodeString: {
    std::string escaped;
    AppendEscaped(escaped, field.GetUnicodeStringDftValue(), false);
    Put(" ");
    PutInt(static_cast<std::int64_t>(escaped.size()));
    Put(" ");
    Put(escaped);
    Put(field.GetMultilingual() ? " 0 1" : " 0 0");
    break;
  }
  }
  Put("\r\n");
}

// ---- reader -------------------------------------------------------------

// One column of a table block: the model field it feeds, or none.
struct CTEdiReader::Column
{
  int nTargetIx = -1;
  int nFileType = 0;
};

struct CTEdiReader::FileTable
{
  std::string szName;
  CTTableInfo* pModel = nullptr; // none for a table the engine does not serve
  std::vector<Column> columns;
};

// The token reader over the buffered byte reader. The end of the data (or a
// 0 byte) in the middle of a section is a format error, never a 0 token.
class CTEdiReader::Tokens
{
public:
  explicit Tokens(CTStreamIO& io) : v_io(io) {}

  std::uint8_t Next()
  {
    const std::uint8_t c = v_io.ReadChar();
    if (c) {
      ++v_offset;
      if (c == '\n')
        ++v_line;
    }
    return c;
  }

  [[noreturn]] void Fail(const std::string& szWhat) const { throw CTEdiFormatError(szWhat, v_offset, v_line); }
  std::int64_t Offset() const { return v_offset; }
  int Line() const { return v_line; }

  std::int32_t ReadAnInt()
  {
    std::uint8_t c = SkipBlanks();
    const bool negative = c == '-';
    if (negative)
      c = Next();
    if (!IsDigit(c))
      Fail(c ? "a number was expected" : "the data ends too early");
    std::int64_t value = 0;
    while (IsDigit(c)) {
      value = value * 10 + (c - '0');
      if (value > 2147483648LL)
        Fail("a number is too large");
      c = Next();
    }
    if (c > 32)
      Fail("a number was expected");
    if (negative)
      value = -value;
    if (value > std::numeric_limits<std::int32_t>::max())
      Fail("a number is too large");
    return static_cast<std::int32_t>(value);
  }

  double ReadADouble()
  {
    std::uint8_t c = SkipBlanks();
    if (!c)
      Fail("the data ends too early");
    char text[64];
    std::size_t len = 0;
    while (c > 32) {
      if (len == 63)
        Fail("a number is too long");
      text[len++] = static_cast<char>(c);
      c = Next();
    }
    const std::optional<double> value = ParseEdiDouble(std::string_view(text, len));
    if (!value)
      Fail("'" + PrintableBytes(std::string_view(text, len)) + "' is not a number");
    return *value;
  }

  // A counted text: its length, a blank, then that many characters, with
  // "\XX" escapes of one byte each when bEscapes.
  std::string ReadCounted(bool bEscapes)
  {
    const std::int32_t length = ReadAnInt();
    if (length < 0)
      Fail("a negative text length");
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(std::min(length, 4096)));
    std::int32_t left = length;
    while (left > 0) {
      const std::uint8_t c = Next();
      if (!c)
        Fail("the data ends inside a text");
      if (c == '\\' && bEscapes && left >= 3) {
        const int high = HexValue(Next()), low = HexValue(Next());
        if (high < 0 || low < 0)
          Fail("a bad escape in a text");
        bytes += static_cast<char>(high * 16 + low);
        left -= 3;
      } else {
        bytes += static_cast<char>(c);
        --left;
      }
    }
    return bytes;
  }

  // Reads through the next CR; the end of the data is an error.
  void SkipLine()
  {
    for (std::uint8_t c = Next(); c != '\r'; c = Next())
      if (!c)
        Fail("the data ends inside a record");
  }

  std::string ReadSignatureLine()
  {
    std::string line;
    for (std::uint8_t c = Next(); c && c != '\r' && line.size() < 256; c = Next())
      line += static_cast<char>(c);
    return line;
  }

private:
  std::uint8_t SkipBlanks()
  {
    std::uint8_t c = Next();
    while (IsBlank(c))
      c = Next();
    return c;
  }

  CTStreamIO& v_io;
  std::int64_t v_offset = 0;
  int v_line = 1;
};

CTEdiReader::CTEdiReader(CTStreamIO& pIO, CTBaseFactory& pFactory, const CTTransactionLayer::TableList& pTables,
                         const CTMappingTable* pMapping, bool bAutoCorrect, CTEdiRecordRule recordRule)
  : v_tokens(std::make_unique<Tokens>(pIO)), v_factory(pFactory), v_tables(pTables), v_mapping(pMapping),
    v_autoCorrect(bAutoCorrect), v_recordRule(std::move(recordRule))
{
}

CTEdiReader::~CTEdiReader() = default;

void CTEdiReader::ReadInto(CTTransactionLayer& pLayer)
{
  ReadSignature();
  ReadStructure();
  ReadData(pLayer);
  CheckIntegrity(pLayer);
}

void CTEdiReader::ReadSignature()
{
  const std::string signature = v_tokens->ReadSignatureLine();
  if (!v_factory.CheckSignature(signature))
    v_tokens->Fail("the signature '" + PrintableBytes(signature) + "' is not that of " + v_factory.GetSignature());
}

CTTableInfo* CTEdiReader::MatchTable(const std::string& szName, int nFileNumber) const
{
  CTTableInfo* table = v_factory.GetTableNamed(szName);
  if (!table && v_mapping)
    if (const CTNameMapping* mapping = v_mapping->FindMapping(szName, false, nFileNumber))
      table = v_factory.GetTableNamed(mapping->NewName());
  // Only the tables this engine serves are read; others count as unknown.
  if (!table || table->IsAbstract())
    return nullptr;
  const int clsID = table->GetTableIndex();
  if (clsID >= static_cast<int>(v_tables.size()) || v_tables[clsID] != table)
    return nullptr;
  return table;
}

void CTEdiReader::ReadStructure()
{
  for (;;) {
    const std::int32_t code = v_tokens->ReadAnInt();
    if (code == 0)
      return;
    if (code != kStringCode && code != ftUnicodeString)
      v_tokens->Fail("a table block was expected");
    ReadTableBlock();
  }
}

void CTEdiReader::ReadTableBlock()
{
  FileTable table;
  table.szName = v_tokens->ReadCounted(false);
  const std::int32_t number = v_tokens->ReadAnInt();
  if (number < 0)
    v_tokens->Fail("a negative table number");
  table.pModel = MatchTable(table.szName, number);
  if (auto earlier = v_fileTables.find(number); earlier != v_fileTables.end() && earlier->second.pModel)
    v_tokens->Fail("table number " + std::to_string(number) + " is used twice");

  const CTNameMapping* tableMapping = v_mapping ? v_mapping->FindMapping(table.szName, false, number) : nullptr;
  for (;;) {
    const std::int32_t code = v_tokens->ReadAnInt();
    if (code == 0)
      break;
    if (code != kStringCode && code != ftUnicodeString)
      v_tokens->Fail("a field line was expected in " + PrintableBytes(table.szName));
    const std::string fieldName = v_tokens->ReadCounted(false);
    const std::int32_t fileType = v_tokens->ReadAnInt();
    if (!IsKnownTypeCode(fileType))
      v_tokens->Fail("unknown type code " + std::to_string(fileType) + " of " + PrintableBytes(fieldName));
    Column column{-1, fileType};
    if (table.pModel) {
      column.nTargetIx = table.pModel->IndexOfField(fieldName);
      if (column.nTargetIx < 0 && tableMapping && tableMapping->SubTableIfAny()) {
        const std::string renamed =
          tableMapping->SubTableIfAny()->FindNewName(fieldName, false, table.pModel->FieldCount(), fileType);
        if (!renamed.empty())
          column.nTargetIx = table.pModel->IndexOfField(renamed);
      }
      if (column.nTargetIx >= 0 && !TypesCompatible(table.pModel->Field(column.nTargetIx)->GetType(), fileType))
        v_tokens->Fail("column " + PrintableBytes(fieldName) + " of type " + std::to_string(fileType) + " does not fit field " +
                       table.pModel->Field(column.nTargetIx)->GetName());
    }
    table.columns.push_back(column);
  }
  v_fileTables[number] = std::move(table);
}

void CTEdiReader::ReadData(CTTransactionLayer& pLayer)
{
  std::vector<bool> tableRead(pLayer.MapCount(), false);
  for (;;) {
    const std::int32_t code = v_tokens->ReadAnInt();
    if (code <= 0)
      return;
    if (code != ftInteger)
      v_tokens->Fail("a data block was expected");
    const std::int32_t number = v_tokens->ReadAnInt();
    if (number < 0)
      v_tokens->Fail("a negative table number");
    if (v_tokens->ReadAnInt() != ftInteger)
      v_tokens->Fail("a bad data block header");
    std::int32_t count = v_tokens->ReadAnInt();
    std::int32_t maxID = 0;
    if (count == 0) {
      if (v_tokens->ReadAnInt() != ftInteger)
        v_tokens->Fail("a bad data block header");
      count = v_tokens->ReadAnInt();
      if (count <= 0)
        v_tokens->Fail("a data block without objects");
      if (v_tokens->ReadAnInt() != ftInteger)
        v_tokens->Fail("a bad data block header");
      maxID = v_tokens->ReadAnInt();
    } else if (count < 0) {
      v_tokens->Fail("a negative object count");
    }

    auto known = v_fileTables.find(number);
    if (known == v_fileTables.end() || !known->second.pModel) {
      for (std::int32_t i = 0; i < count; ++i)
        v_tokens->SkipLine();
      ++v_report.skippedTables;
      const std::string name =
        known == v_fileTables.end() ? "number " + std::to_string(number) : PrintableBytes(known->second.szName);
      v_report.Note("table " + name + " (" + std::to_string(count) + " objects) is not one of the program's");
      continue;
    }
    const FileTable& table = known->second;
    const int clsID = table.pModel->GetTableIndex();
    if (tableRead[clsID])
      v_tokens->Fail("a second data block for " + PrintableBytes(table.szName));
    tableRead[clsID] = true;
    CTElemDbObjectMap* map = pLayer.Map(clsID);
    map->RemoveAll();
    map->SetMaxID(maxID);
    for (std::int32_t i = 0; i < count; ++i) {
      auto elem = std::make_unique<CTElemDbObject>(table.pModel);
      v_valueFault.reset();
      ReadRecord(table, elem->Values());
      const int endLine = v_tokens->Line(); // the end of the record, still on its line
      const std::int64_t endOffset = v_tokens->Offset();
      const int id = elem->Values().GetIntegerValue(0);
      if (id < 1)
        v_tokens->Fail("an object of " + PrintableBytes(table.szName) + " without an id");
      if (const std::optional<std::string> fault = v_valueFault ? v_valueFault : RecordFault(table, elem->Values())) {
        const std::string which = PrintableBytes(table.szName) + " id " + std::to_string(id) + ": " + *fault;
        if (!v_autoCorrect)
          v_tokens->Fail(which);
        ++v_report.skippedObjects;
        v_report.Note(which);
        continue;
      }
      elem->SetID(id);
      if (!map->AddLoaded(std::move(elem)))
        v_tokens->Fail("id " + std::to_string(id) + " is used twice in " + PrintableBytes(table.szName));
      // The strict check names the record of a broken reference, found only
      // once every table is read.
      if (!v_autoCorrect)
        v_recordPlaces[clsID].push_back({id, endLine, endOffset});
    }
  }
}

void CTEdiReader::ValueFault(const std::string& szWhat)
{
  if (!v_autoCorrect)
    v_tokens->Fail(szWhat);
  if (!v_valueFault)
    v_valueFault = szWhat;
}

std::optional<std::string> CTEdiReader::ReferenceFault(const CTFieldInfo& field, int nFieldIx,
                                                       const CTValueList& values) const
{
  std::int32_t fileNumber, objID;
  values.GetRefValues(nFieldIx, fileNumber, objID);
  if (fileNumber < 0 || objID <= 0)
    return std::nullopt;
  const auto file = v_fileTables.find(fileNumber);
  if (file == v_fileTables.end())
    return "field " + field.GetName() + " refers into table number " + std::to_string(fileNumber) +
           ", which the file does not declare";
  const CTTableInfo* target = file->second.pModel;
  if (!target) {
    // A table of another engine is not checked here; one the schema lacks leads nowhere.
    const CTTableInfo* known = v_factory.GetTableNamed(file->second.szName);
    if (known && !known->IsAbstract())
      return std::nullopt;
    return "field " + field.GetName() + " refers into table " + PrintableBytes(file->second.szName) +
           ", which is not one of the program's";
  }
  const CTTableInfo* wanted = field.GetReferenceTo()->GetFromTable();
  for (const CTTableInfo* t = target; t; t = t->GetParent())
    if (t == wanted)
      return std::nullopt;
  return "field " + field.GetName() + " refers into " + target->TableName() + " instead of " +
         (wanted ? wanted->TableName() : std::string("nothing"));
}

std::optional<std::string> CTEdiReader::RecordFault(const FileTable& table, const CTValueList& values) const
{
  const CTFieldList& fields = table.pModel->GetFieldInfo();
  for (int ix = 1; ix < static_cast<int>(fields.size()); ++ix)
    if (fields[ix] && fields[ix]->GetReferenceTo())
      if (std::optional<std::string> fault = ReferenceFault(*fields[ix], ix, values))
        return fault;
  if (v_recordRule)
    return v_recordRule(*table.pModel, values);
  return std::nullopt;
}

void CTEdiReader::ReadRecord(const FileTable& table, CTValueList& values)
{
  for (const Column& column : table.columns) {
    const std::int32_t code = v_tokens->ReadAnInt();
    const CTFieldInfo* target = column.nTargetIx >= 0 ? table.pModel->Field(column.nTargetIx) : nullptr;
    ReadValue(code, target, column.nTargetIx, values);
  }
}

void CTEdiReader::ReadValue(int nCode, const CTFieldInfo* pTarget, int nTargetIx, CTValueList& values)
{
  const CTFieldType type = pTarget ? pTarget->GetType() : ftInteger;
  auto misfit = [&] {
    v_tokens->Fail("a value of type " + std::to_string(nCode) + " does not fit field " + pTarget->GetName());
  };
  switch (nCode) {
  case ftBoolean: {
    const std::int32_t n = v_tokens->ReadAnInt();
    if (!pTarget)
      return;
    if (type != ftBoolean)
      misfit();
    values.SetBooleanValue(nTargetIx, n != 0);
    return;
  }
  case ftInteger: {
    const std::int32_t n = v_tokens->ReadAnInt();
    if (!pTarget)
      return;
    switch (type) {
    case ftInteger: values.SetIntegerValue(nTargetIx, n); return;
    case ftDouble:
    case ftDateTime: values.SetDoubleValue(nTargetIx, n); return;
    case ftCurrency: values.SetCurrencyValue(nTargetIx, static_cast<std::int64_t>(n) * 10000); return;
    case ftUnicodeString: values.SetUnicodeStringValue(nTargetIx, std::to_string(n)); return;
    default: misfit();
    }
    return;
  }
  case ftDouble:
  case ftCurrency:
  case ftDateTime: {
    const double d = v_tokens->ReadADouble();
    if (!pTarget)
      return;
    switch (type) {
    case ftInteger: {
      const double rounded = std::nearbyint(d);
      if (!(rounded >= std::numeric_limits<std::int32_t>::min() && rounded <= std::numeric_limits<std::int32_t>::max()))
        v_tokens->Fail("a number does not fit the integer field " + pTarget->GetName());
      values.SetIntegerValue(nTargetIx, static_cast<std::int32_t>(rounded));
      return;
    }
    case ftDouble:
    case ftDateTime:
      if (!IsUsableNumber(d))
        ValueFault("field " + pTarget->GetName() + " is not a finite number");
      values.SetDoubleValue(nTargetIx, d);
      return;
    case ftCurrency:
      if (!(std::fabs(d) < 9.2e14))
        v_tokens->Fail("an amount does not fit the currency field " + pTarget->GetName());
      values.SetCurrencyValue(nTargetIx, std::llrint(d * 10000.0));
      return;
    default: misfit();
    }
    return;
  }
  case kStringCode:
  case ftUnicodeString: {
    std::string text = v_tokens->ReadCounted(true);
    if (!pTarget)
      return;
    if (type == ftGUID) {
      values.SetTGUIDValue(nTargetIx, text.empty() ? TGUID{} : GuidFromText(text));
    } else if (type == ftUnicodeString) {
      // Kept under auto-correction, with a replacement character for each bad byte.
      if (const std::optional<std::size_t> bad = FirstBadUtf8(text)) {
        if (!v_autoCorrect)
          v_tokens->Fail("the text of field " + pTarget->GetName() + " is not UTF-8 from its byte " +
                         std::to_string(*bad + 1) + " on");
        text = MendedUtf8(text);
        ++v_report.mendedTexts;
        v_report.Note("the text of field " + pTarget->GetName() + " is not UTF-8 from its byte " +
                      std::to_string(*bad + 1) + " on: kept with U+FFFD");
      }
      values.SetUnicodeStringValue(nTargetIx, std::move(text));
    } else {
      misfit();
    }
    return;
  }
  case ftBinary: {
    const std::string bytes = v_tokens->ReadCounted(true);
    if (!pTarget)
      return; // an unmatched binary column is skipped like any other
    if (type != ftBinary)
      misfit();
    values.SetBinaryValue(nTargetIx, std::as_bytes(std::span(bytes.data(), bytes.size())));
    return;
  }
  case ftGUID: {
    const std::string text = v_tokens->ReadCounted(true);
    if (!pTarget)
      return;
    if (type == ftGUID)
      values.SetTGUIDValue(nTargetIx, GuidFromText(text));
    else if (type == ftUnicodeString)
      values.SetUnicodeStringValue(nTargetIx, Latin1ToUtf8(text));
    else
      misfit();
    return;
  }
  default:
    v_tokens->Fail("unknown type code " + std::to_string(nCode) + " in a record");
  }
}

void CTEdiReader::CheckIntegrity(CTTransactionLayer& pLayer)
{
  // Only tables with reference fields take part.
  struct LinkedTable
  {
    int clsID;
    CTElemDbObjectMap* map;
    std::vector<int> linkFields;
  };
  std::vector<LinkedTable> linked;
  for (int clsID = 0; clsID < pLayer.MapCount(); ++clsID) {
    CTElemDbObjectMap* map = pLayer.Map(clsID);
    if (!map || map->IsEmpty())
      continue;
    const CTFieldList& fields = map->TblInfo()->GetFieldInfo();
    LinkedTable table{clsID, map, {}};
    for (int ix = 1; ix < static_cast<int>(fields.size()); ++ix)
      if (fields[ix] && fields[ix]->GetReferenceTo())
        table.linkFields.push_back(ix);
    if (!table.linkFields.empty())
      linked.push_back(std::move(table));
  }

  // References name tables by their number in the file: translate them to class ids once.
  for (const LinkedTable& table : linked)
    table.map->ForEach([&](CTElemDbObject& elem) {
      for (int ix : table.linkFields) {
        auto file = v_fileTables.find(elem.Values().GetIntegerValue(ix));
        if (file != v_fileTables.end() && file->second.pModel)
          elem.Values().SetIntegerValue(ix, file->second.pModel->GetTableIndex());
      }
    });
  // Dropping an element can break the references to it: repeat until nothing more is dropped.
  for (bool dropped = true; dropped;) {
    dropped = false;
    for (const LinkedTable& table : linked) {
      std::vector<int> broken;
      table.map->ForEach([&](CTElemDbObject& elem) {
        const auto intact = [&] { return pLayer.CheckIntegrity(table.clsID, elem.ID(), elem.Values(), true); };
        if (!CheckReferences(pLayer, table.clsID, elem, intact))
          broken.push_back(elem.ID());
      });
      for (int id : broken) {
        table.map->Take(id);
        ++v_report.droppedObjects;
        v_report.Note(table.map->TblInfo()->TableName() + " id " + std::to_string(id) +
                      ": a reference leads to no object");
      }
      dropped = dropped || !broken.empty();
    }
  }
  // Register the references in id order, the order in which related objects
  // are then found; a one-to-one link may be used by one referrer only.
  for (const LinkedTable& table : linked)
    for (CTElemDbObject* elem : table.map->Elements())
      CheckReferences(pLayer, table.clsID, *elem, [&] {
        pLayer.CheckIntegrity(table.clsID, elem->ID(), elem->Values(), v_autoCorrect);
        pLayer.StoreReferencesAtRead(table.clsID, elem->Values());
        return true;
      });
}

bool CTEdiReader::CheckReferences(const CTTransactionLayer& pLayer, int nClsID, const CTElemDbObject& elem,
                                  const std::function<bool()>& check) const
{
  const std::string which = elem.DatabaseTable()->TableName() + " id " + std::to_string(elem.ID()) + ": ";
  bool intact;
  try {
    intact = check();
  } catch (const CTDbException& e) {
    if (v_autoCorrect)
      throw;
    FailAtRecord(nClsID, elem.ID(), which + e.Reason());
  }
  if (!intact && !v_autoCorrect)
    FailAtRecord(nClsID, elem.ID(), which + MissingTarget(pLayer, elem));
  return intact;
}

std::string CTEdiReader::MissingTarget(const CTTransactionLayer& pLayer, const CTElemDbObject& elem)
{
  const CTValueList& values = elem.Values();
  const CTFieldList& fields = *values.Model();
  for (int ix = 1; ix < static_cast<int>(fields.size()); ++ix) {
    const CTFieldInfo* field = fields[ix];
    if (!field || !field->GetReferenceTo())
      continue;
    std::int32_t clsID, objID;
    values.GetRefValues(ix, clsID, objID);
    const CTElemDbObjectMap* map = clsID >= 0 ? pLayer.Map(clsID) : nullptr;
    if (map && !pLayer.FindObject(clsID, objID))
      return "field " + field->GetName() + " refers to " + map->TblInfo()->TableName() + " id " +
             std::to_string(objID) + ", which is not there";
  }
  return "a reference leads to no object";
}

void CTEdiReader::FailAtRecord(int nClsID, int nObjID, const std::string& szWhat) const
{
  const auto places = v_recordPlaces.find(nClsID);
  if (places != v_recordPlaces.end())
    for (const RecordPlace& place : places->second)
      if (place.nObjID == nObjID)
        throw CTEdiFormatError(szWhat, place.nOffset, place.nLine);
  v_tokens->Fail(szWhat);
}

} // namespace aw
