#pragma once
// The database text format "EDI": a signature line, the structure of the
// tables (names, numbers, fields and types), the data (one record line per
// object) and an extended structure (defaults and links) that this program
// writes but does not read. Files name their tables and fields, so a file
// maps onto the running schema by name: unknown tables and columns are
// skipped, fields missing from the file keep their defaults.

#include "db/TransactionLayer.h"
#include "foundation/PrintableBytes.h"
#include "foundation/StreamIO.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace aw {

class CTBaseFactory;
class CTMappingTable;

// A damaged or foreign database text; the message says what and where.
class CTEdiFormatError : public std::runtime_error
{
public:
  CTEdiFormatError(const std::string& szWhat, std::int64_t nOffset, int nLine);
  // What is wrong, without the place.
  const std::string& Reason() const { return v_reason; }
  std::int64_t Offset() const { return v_offset; }
  int Line() const { return v_line; }

private:
  std::string v_reason;
  std::int64_t v_offset;
  int v_line;
};

// A rule of the schema's owner on one record (values that must be positive,
// ranges that must be ordered): what is wrong with the record, or nothing.
using CTEdiRecordRule = std::function<std::optional<std::string>(const CTTableInfo& table, const CTValueList& values)>;

// How an engine reads its database: compression behind a signature, whether
// broken records are left out (auto-correction) or refused, and the owner's
// record rule.
struct CTDbLoadOptions
{
  bool compression = false;
  std::string signature;
  bool autoCorrect = false;
  CTEdiRecordRule recordRule;
};

// What a read left out. Only an auto-correcting read leaves anything out; a
// strict one refuses the text instead.
struct CTEdiReadReport
{
  int skippedTables = 0;  // tables of the file with data that the schema does not serve
  int skippedObjects = 0; // records with values that are not finite or break the record rule
  int droppedObjects = 0; // objects whose references lead nowhere
  int mendedTexts = 0;    // texts kept with U+FFFD for bytes that are not UTF-8
  // One line per record left out, the first few only: table, id and why.
  std::vector<std::string> notes;

  bool LeftOutAnything() const { return skippedTables + skippedObjects + droppedObjects > 0; }
  bool ChangedAnything() const { return LeftOutAnything() || mendedTexts > 0; }
  void Note(std::string szLine);
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
              const CTMappingTable* pMapping, bool bAutoCorrect, CTEdiRecordRule recordRule = {});
  ~CTEdiReader();
  // Raises CTEdiFormatError for a damaged text and CTDbException for broken
  // integrity (without auto-correction); what was read stays in the layer.
  // Without auto-correction a value that is not finite, a text that is not
  // UTF-8, a reference into a table that is missing or of the wrong kind and
  // a record against the record rule are format errors; with it, such a
  // record is left out and counted in the report (a text that is not UTF-8
  // is kept with U+FFFD for each bad byte, and counted).
  void ReadInto(CTTransactionLayer& pLayer);
  const CTEdiReadReport& Report() const { return v_report; }

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
  // Runs an integrity check of one element; without auto-correction a
  // failure is a format error at the element's record.
  bool CheckReferences(const CTTransactionLayer& pLayer, int nClsID, const CTElemDbObject& elem,
                       const std::function<bool()>& check) const;
  static std::string MissingTarget(const CTTransactionLayer& pLayer, const CTElemDbObject& elem);
  [[noreturn]] void FailAtRecord(int nClsID, int nObjID, const std::string& szWhat) const;
  // What makes a record unusable, or nothing.
  std::optional<std::string> RecordFault(const FileTable& table, const CTValueList& values) const;
  std::optional<std::string> ReferenceFault(const CTFieldInfo& field, int nFieldIx, const CTValueList& values) const;
  // A value the schema cannot use: a format error without auto-correction,
  // else the record is left out after it has been read.
  void ValueFault(const std::string& szWhat);
  CTTableInfo* MatchTable(const std::string& szName, int nFileNumber) const;

  std::unique_ptr<Tokens> v_tokens;
  CTBaseFactory& v_factory;
  const CTTransactionLayer::TableList& v_tables;
  const CTMappingTable* v_mapping;
  bool v_autoCorrect;
  CTEdiRecordRule v_recordRule;
  std::map<int, FileTable> v_fileTables; // by the file's table number
  CTEdiReadReport v_report;
  std::optional<std::string> v_valueFault; // the first unusable value of the record being read
  // Where each record ended, by class id (kept without auto-correction only).
  struct RecordPlace
  {
    int nObjID;
    int nLine;
    std::int64_t nOffset;
  };
  std::map<int, std::vector<RecordPlace>> v_recordPlaces;
};

} // namespace aw
