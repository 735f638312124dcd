#pragma once
// The catalogue as the program opens it: from a source (the bytes the
// program carries, or a file) with its load options, into a read-only
// factory that is the default factory while the session lives. The window
// and the command line open it the same way; a failure comes back as one
// typed error that the front shows in its own way.

#include "catalogue/Factory.h"
#include "db/DbFileFormat.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace aw {

// Where a catalogue comes from.
class CTCatalogueSource
{
public:
  // The catalogue resource the program carries.
  static CTCatalogueSource Embedded() { return CTCatalogueSource(std::nullopt); }
  static CTCatalogueSource File(std::filesystem::path file) { return CTCatalogueSource(std::move(file)); }

  bool IsEmbedded() const { return !v_file; }
  const std::optional<std::filesystem::path>& FilePath() const { return v_file; }
  // The name messages give it: the file, or the catalogue the program carries.
  std::string DisplayName() const;

private:
  explicit CTCatalogueSource(std::optional<std::filesystem::path> file) : v_file(std::move(file)) {}
  std::optional<std::filesystem::path> v_file;
};

// How a catalogue is read. The program reads it compressed behind "Q7R" and
// auto-correcting; a strict read (catalogue check and convert) refuses what
// the normal one would leave out.
struct CTCatalogueLoadOptions
{
  bool compression = true;
  std::string signature = "Q7R";
  bool autoCorrect = true;
  // A file larger than this is refused before it is read.
  std::uint64_t maxFileBytes = std::uint64_t{1} << 30;

  static CTCatalogueLoadOptions Strict()
  {
    CTCatalogueLoadOptions options;
    options.autoCorrect = false;
    return options;
  }
};

// Why a catalogue cannot be used, with its place in the file when it has one.
struct CTCatalogueError
{
  std::string file; // the source's display name
  int line = 0;     // 0: no place in the text
  std::int64_t offset = -1;
  std::string reason;   // what is wrong, in words (file bytes escaped)
  int msgNo = 0;        // the program's message for it (5004, 5007, 5014, ...)
  std::string msgParam; // that message's parameter

  // One line: "FILE: line L, byte B: REASON" (the place only when known).
  std::string Text() const;
};

// The program's message on a catalogue that was read in part: $1 names the
// catalogue, $2 what was left out or mended.
constexpr int kMsgCatalogueReadInPart = 124;

class CTCatalogueSession
{
public:
  // Once per process, before any factory connects: registers the resource
  // engine and sizes the object maps.
  static void PrepareObjectDatabase();
  // The glossary every session created from now on gives its factory, so that
  // stored texts are read translated; none reads them as stored. Not owned.
  static void UseGlossary(const CTTranslationSource* pGlossary);

  // The catalogue the program carries, read as the program reads it.
  CTCatalogueSession();
  explicit CTCatalogueSession(std::unique_ptr<CTFactory> pFactory);
  CTCatalogueSession(CTCatalogueSource source, CTCatalogueLoadOptions options,
                     std::unique_ptr<CTFactory> pFactory = std::make_unique<CTFactory>());
  ~CTCatalogueSession();
  CTCatalogueSession(const CTCatalogueSession&) = delete;
  CTCatalogueSession& operator=(const CTCatalogueSession&) = delete;

  // Loads the catalogue; shows nothing. On failure Error() says why and where.
  bool Connect();
  // Checks the loaded catalogue's structure version against the reference
  // (message 5014 in Error() on a mismatch; shown too with bFlagErrors).
  bool CheckVersion(bool bFlagErrors);
  // Whether the loaded catalogue has a unit of any family (message 5004 in
  // Error() otherwise).
  bool CheckHasUnits();
  // What a front that works with the units needs: Connect, CheckVersion
  // (without showing) and CheckHasUnits.
  bool Open();

  CTFactory& Factory() { return *v_factory; }
  const CTCatalogueSource& Source() const { return v_source; }
  const std::optional<CTCatalogueError>& Error() const { return v_error; }
  // Error()'s text, or empty.
  std::string LastError() const { return v_error ? v_error->Text() : std::string(); }
  // What the auto-correcting load left out, and that in one line.
  const CTEdiReadReport& ReadReport() const { return v_report; }
  static std::string DescribeLeftOut(const CTEdiReadReport& report);

private:
  bool Fail(std::string szReason, int nMsgNo, std::string szParam, int nLine = 0, std::int64_t nOffset = -1);
  // Size and signature, before anything is read whole.
  bool CheckFileBeforeReading(const std::filesystem::path& file);

  CTCatalogueSource v_source;
  CTCatalogueLoadOptions v_options;
  std::unique_ptr<CTFactory> v_factory;
  std::optional<CTCatalogueError> v_error;
  CTEdiReadReport v_report;
};

// The record rules of the catalogue that the file format cannot know: the
// airflow range of a unit is positive and ordered.
std::optional<std::string> CatalogueRecordFault(const CTTableInfo& table, const CTValueList& values);

} // namespace aw
