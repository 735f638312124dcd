#include "catalogue/ClDdbVersionInfo.h"

#include "catalogue/CatalogueText.h"
#include "foundation/LZSS.h"
#include "platform/CaseFolding.h"
#include "platform/Resources.h"

#include <charconv>
#include <map>
#include <vector>

namespace aw {

// ---- version numbers ------------------------------------------------------

int Cls_DdbVersionInfo::VersionNumber(std::string_view szVersion)
{
  std::string digits;
  for (char c : szVersion)
    if (c != '.')
      digits += c;
  int number = 0;
  const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  return ec == std::errc() && ptr == digits.data() + digits.size() ? number : 0;
}

std::string Cls_DdbVersionInfo::VersionText(int nVersion)
{
  return std::to_string(nVersion / 100) + "." + std::to_string((nVersion / 10) % 10) + "." +
         std::to_string(nVersion % 10);
}

// ---- the record -------------------------------------------------------------

namespace {

// The catalogue is there when the version table is served by an engine.
bool HasCatalogue(CTBaseFactory* pFactory)
{
  const CTTableInfo* table = pFactory ? pFactory->GetTableInfo(Cls_DdbVersionInfo::kClassID) : nullptr;
  return table && table->GetDbEngine();
}

} // namespace

std::unique_ptr<Cls_DdbVersionInfo> Cls_DdbVersionInfo::RecordToWrite(CTBaseFactory* pFactory)
{
  if (!HasCatalogue(pFactory))
    return nullptr;
  return TakeAs<Cls_DdbVersionInfo>(GetUniqueRecord(kClassID, false, pFactory));
}

std::unique_ptr<Cls_DdbVersionInfo> Cls_DdbVersionInfo::RecordToRead(CTBaseFactory* pFactory)
{
  if (!HasCatalogue(pFactory))
    return nullptr;
  std::unique_ptr<Cls_DdbVersionInfo> record = RecordToWrite(pFactory);
  return record ? std::move(record) : std::make_unique<Cls_DdbVersionInfo>(0, pFactory);
}

bool Cls_DdbVersionInfo::CheckVersion(CTBaseFactory* pFactory, const std::string& szVersion, bool bFlagErrors)
{
  const std::unique_ptr<Cls_DdbVersionInfo> record = RecordToRead(pFactory);
  if (!record)
    return false;
  const std::string expected = VersionText(VersionNumber(szVersion));
  const std::string actual = VersionText(VersionNumber(record->GetDbVersion()));
  if (expected == actual)
    return true;
  if (bFlagErrors)
    ShowDbMessage(nullptr, catalogue::msgIncorrectDbVersion, pFactory->GetLogicalName(0) + " " + expected + " <> " + actual);
  return false;
}

std::string Cls_DdbVersionInfo::GetKorvathVersion(CTBaseFactory* pFactory)
{
  const auto record = RecordToRead(pFactory);
  return record ? catalogue::Trim(record->GetDataVersion()) : std::string();
}

void Cls_DdbVersionInfo::GetKorvathVersionEx(CTBaseFactory* pFactory, std::string& szVersion, int& nRegion)
{
  const auto record = RecordToRead(pFactory);
  szVersion = record ? catalogue::Trim(record->GetDataVersion()) : std::string();
  nRegion = record ? record->GetDataRegion() : 0;
}

void Cls_DdbVersionInfo::SetKorvathVersion(CTBaseFactory* pFactory, const std::string& szNewVersion)
{
  if (auto record = RecordToWrite(pFactory)) {
    record->SetDataVersion(catalogue::Trim(szNewVersion));
    record->Update();
  }
}

int Cls_DdbVersionInfo::GetRegion(CTBaseFactory* pFactory)
{
  const auto record = RecordToRead(pFactory);
  return record ? record->GetDataRegion() : 0;
}

int Cls_DdbVersionInfo::GetAppFlags(CTBaseFactory* pFactory)
{
  const auto record = RecordToRead(pFactory);
  return record ? record->GetApplicationFlags() : 0;
}

void Cls_DdbVersionInfo::SetAppFlags(CTBaseFactory* pFactory, int nFlags)
{
  if (auto record = RecordToWrite(pFactory)) {
    record->SetApplicationFlags(nFlags);
    record->Update();
  }
}

int Cls_DdbVersionInfo::GetMinPercOUBasket(CTBaseFactory* pFactory)
{
  const auto record = RecordToRead(pFactory);
  if (!record)
    return kPercOUBasketWithoutDb;
  const int perc = record->GetMinPercentageOUBasket();
  return perc != 0 ? perc : kDefaultMinPercOUBasket;
}

void Cls_DdbVersionInfo::SetMinPercOUBasket(CTBaseFactory* pFactory, int nPerc)
{
  if (auto record = RecordToWrite(pFactory)) {
    record->SetMinPercentageOUBasket(nPerc);
    record->Update();
  }
}

int Cls_DdbVersionInfo::GetMaxPercOUBasket(CTBaseFactory* pFactory)
{
  const auto record = RecordToRead(pFactory);
  if (!record)
    return kPercOUBasketWithoutDb;
  const int perc = record->GetMaxPercentageOUBasket();
  return perc != 0 ? perc : kDefaultMaxPercOUBasket;
}

void Cls_DdbVersionInfo::SetMaxPercOUBasket(CTBaseFactory* pFactory, int nPerc)
{
  if (auto record = RecordToWrite(pFactory)) {
    record->SetMaxPercentageOUBasket(nPerc);
    record->Update();
  }
}

// ---- the reference version, read from a database text ------------------------

namespace {

constexpr std::string_view kCompressionSignature = "Q7R";
constexpr std::string_view kVersionTable = "Tbl_DdbVersionInfo";
constexpr std::string_view kVersionField = "DVI_DbVersion";

// Reads the tokens of a database text: integers, counted strings and bare
// words, with the bytes 1 to 32 between them. Running past the end raises.
class TextTokens
{
public:
  explicit TextTokens(std::string_view text) : v_text(text) {}

  struct End
  {
  };

  void SkipLine()
  {
    while (v_pos < v_text.size() && v_text[v_pos] != '\r' && v_text[v_pos] != '\n')
      ++v_pos;
  }

  int Int()
  {
    SkipBlanks();
    bool negative = false;
    if (Peek() == '-') {
      negative = true;
      ++v_pos;
    }
    long long value = 0;
    while (v_pos < v_text.size() && static_cast<unsigned char>(v_text[v_pos]) >= '0') {
      value = value * 10 + (v_text[v_pos++] - '0');
      if (value > 2147483647LL)
        throw End{}; // no sound database text has such a number
    }
    if (v_pos < v_text.size())
      ++v_pos; // the byte that ended the number
    return static_cast<int>(negative ? -value : value);
  }

  // A name or a value with its length first; values escape bytes as "\" and two hex digits.
  std::string Counted(bool bEscapes)
  {
    int remaining = Int();
    std::string bytes;
    while (remaining > 0) {
      const char c = Next();
      if (bEscapes && c == '\\' && remaining > 2) {
        const int high = HexDigit(Next()), low = HexDigit(Next());
        bytes += static_cast<char>(high * 16 + low);
        remaining -= 3;
      } else {
        bytes += c;
        --remaining;
      }
    }
    return bytes;
  }

  std::string Word()
  {
    SkipBlanks();
    std::string word;
    while (v_pos < v_text.size() && static_cast<unsigned char>(v_text[v_pos]) > 32)
      word += v_text[v_pos++];
    return word;
  }

private:
  static int HexDigit(char c) { return c >= '0' && c <= '9' ? c - '0' : (c - 55) & 15; }
  char Peek() const { return v_pos < v_text.size() ? v_text[v_pos] : '\0'; }
  char Next()
  {
    if (v_pos >= v_text.size())
      throw End{};
    return v_text[v_pos++];
  }
  void SkipBlanks()
  {
    while (v_pos < v_text.size() && v_text[v_pos] >= 1 && static_cast<unsigned char>(v_text[v_pos]) <= 32)
      ++v_pos;
    if (v_pos >= v_text.size() || v_text[v_pos] == '\0')
      throw End{};
  }

  std::string_view v_text;
  std::size_t v_pos = 0;
};

// One record value as text; nothing for values that are not texts or numbers.
std::optional<std::string> ReadValue(TextTokens& tokens)
{
  switch (tokens.Int()) {
  case ftBoolean:
  case ftInteger: return std::to_string(tokens.Int());
  case ftDouble:
  case ftCurrency:
  case ftDateTime: return tokens.Word();
  case 5:
  case ftUnicodeString: return tokens.Counted(true);
  case ftBinary:
  case ftGUID: tokens.Counted(true); return std::nullopt;
  default: throw TextTokens::End{};
  }
}

std::optional<std::string> VersionFromPlainText(std::string_view text)
{
  TextTokens tokens(text);
  tokens.SkipLine(); // the signature
  // Structure: the number of each table's columns, and where the version column is.
  std::map<int, int> columnsOfTable;
  int versionTable = -1, versionColumn = -1;
  for (int code = tokens.Int(); code != 0; code = tokens.Int()) {
    if (code != 5 && code != 10)
      return std::nullopt;
    const std::string tableName = tokens.Counted(false);
    const int tableNumber = tokens.Int();
    int columns = 0;
    for (int fieldCode = tokens.Int(); fieldCode != 0; fieldCode = tokens.Int(), ++columns) {
      if (fieldCode != 5 && fieldCode != 10)
        return std::nullopt;
      const std::string fieldName = tokens.Counted(false);
      tokens.Int(); // the type
      if (versionTable < 0 && platform::EqualsIgnoreCase(tableName, kVersionTable) &&
          platform::EqualsIgnoreCase(fieldName, kVersionField))
        versionColumn = columns;
    }
    if (versionColumn >= 0 && versionTable < 0)
      versionTable = tableNumber;
    columnsOfTable[tableNumber] = columns;
  }
  if (versionTable < 0)
    return std::nullopt;
  // Data: the version column of the first record of the version table.
  for (int code = tokens.Int(); code > 0; code = tokens.Int()) {
    if (code != 2)
      return std::nullopt;
    const int tableNumber = tokens.Int();
    if (tokens.Int() != 2)
      return std::nullopt;
    int count = tokens.Int();
    if (count == 0) {
      tokens.Int();
      count = tokens.Int();
      tokens.Int();
      tokens.Int(); // the maximum id
    }
    const int columns = columnsOfTable.count(tableNumber) ? columnsOfTable[tableNumber] : -1;
    for (int record = 0; record < count; ++record) {
      if (columns < 0) {
        tokens.SkipLine();
        continue;
      }
      for (int column = 0; column < columns; ++column) {
        std::optional<std::string> value = ReadValue(tokens);
        if (tableNumber == versionTable && column == versionColumn)
          return value;
      }
    }
  }
  return std::nullopt;
}

std::string Expanded(std::string_view compressed)
{
  CTMemoryStream in(compressed);
  CTMemoryStream out;
  CTLZSSLogic::Expand(in, out);
  return out.Text();
}

} // namespace

std::optional<std::string> Cls_DdbVersionInfo::ReadVersionText(std::string_view bytes)
{
  try {
    if (bytes.starts_with(kCompressionSignature))
      return VersionFromPlainText(Expanded(bytes.substr(kCompressionSignature.size())));
    return VersionFromPlainText(bytes);
  } catch (const TextTokens::End&) {
    return std::nullopt;
  } catch (const CTStreamError&) {
    return std::nullopt;
  }
}

std::optional<std::string> Cls_DdbVersionInfo::ReferenceVersionText()
{
  for (const char* name : {"Device_Database_Ref", "Device_Database"}) {
    if (const auto resource = platform::Resources::Find(name)) {
      const auto* data = reinterpret_cast<const char*>(resource->data());
      return ReadVersionText(std::string_view(data, resource->size()));
    }
  }
  return std::nullopt;
}

bool Cls_DdbVersionInfo::CheckStartupVersion(CTBaseFactory* pFactory)
{
  if (const std::optional<std::string> expected = ReferenceVersionText())
    return CheckVersion(pFactory, *expected, true);
  // Without a reference version the program cannot vouch for any catalogue.
  if (pFactory)
    ShowDbMessage(nullptr, catalogue::msgIncorrectDbVersion, pFactory->GetLogicalName(0));
  return false;
}

} // namespace aw
