#pragma once
// The database text format "EDI": a signature line, the structure of the
// tables (names, numbers, fields and types), the data (one record line per
// object) and an extended structure (defaults and links) that this program
// writes but does not read. Files name their tables and fields, so a file
// maps onto the running schema by name: unknown tables and columns are
// skipped, fields missing from the file keep their defaults.

#include "db/TransactionLayer.h"
#include "foundation/StreamIO.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace aw {

class CTBaseFactory;
class CTMappingTable;

// A damaged or foreign database text; the message says what and where.
class CTEdiFormatError : public std::runtime_error
{
public:
  CTEdiFormatError(const std::string& szWhat, std::int64_t nOffset, int nLine);
  std::int64_t Offset() const { return v_offset; }
  int Line() const { return v_line; }

private:
  std::int64_t v_offset;
  int v_line;
};

// Doubles in the general format with the shortest digits that read back to
// the same value: "14.3", "0.5", "1E20", "1.5E-7".
std::string FormatEdiDouble(double d);
// Parses that format (and plain decimal text); nothing for text that is no number.
std::optional<double> ParseEdiDouble(std::string_view text);

// Writes the tables of an engine's layer as a database text.
class CTEdiWriter
{
public:
  CTEdiWriter(CTStream& pOut, const CTBaseFactory& pFactory);
  // Elements marked deleted are left out.
  void Write(const CTTransactionLayer& pLayer);

private:
  void WriteStructure(const CTElemDbObjectMap& map);
  void WriteData(const CTElemDbObjectMap& map);
  void WriteExtendedStructure(const CTElemDbObjectMap& map);
  void WriteRecord(const CTValueList& values);
  void WriteExtendedField(const CTFieldInfo& field);
  void Put(std::string_view text);
  void PutInt(std::int64_t n);
  // A blank and the number.
  void PutDouble(double d);
  void Flush();

  CTStream& v_out;
  const CTBaseFactory& v_factory;
  std::string v_buffer;
};

// Reads a database text into a layer of the engine that serves pTables.
class CTEdiReader
{
public:
  CTEdiReader(CTStreamIO& pIO, CTBaseFactory& pFactory, const CTTransactionLayer::TableList& pTables,
              const CTMappingTable* pMapping, bool bAutoCorrect);
  ~CTEdiReader();
  // Raises CTEdiFormatError for a damaged text and CTDbException for broken
  // integrity (without auto-correction); what was read stays in the layer.
  void ReadInto(CTTransactionLayer& pLayer);

private:
  struct Column;
  struct FileTable;
  class Tokens;

  void ReadSignature();
  void ReadStructure();
  void ReadTableBlock();
  void ReadData(CTTransactionLayer& pLayer);
  void ReadRecord(const FileTable& table, CTValueList& values);
  void ReadValue(int nCode, const CTFieldInfo* pTarget, int nTargetIx, CTValueList& values);
  void CheckIntegrity(CTTransactionLayer& pLayer);
  CTTableInfo* MatchTable(const std::string& szName, int nFileNumber) const;

  std::unique_ptr<Tokens> v_tokens;
  CTBaseFactory& v_factory;
  const CTTransactionLayer::TableList& v_tables;
  const CTMappingTable* v_mapping;
  bool v_autoCorrect;
  std::map<int, FileTable> v_fileTables; // by the file's table number
};

} // namespace aw
