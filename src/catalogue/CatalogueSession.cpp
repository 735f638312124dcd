#include "catalogue/CatalogueSession.h"

#include "catalogue/CatalogueText.h"
#include "catalogue/ClBrisaData.h"
#include "catalogue/ClDdbVersionInfo.h"
#include "db/ElemDbObject.h"
#include "db/ResDB.h"
#include "foundation/FileStream.h"
#include "platform/Resources.h"

#include <cmath>
#include <fstream>
#include <vector>

namespace aw {
namespace {

constexpr const char* kCompressionSignature = "Q7R";
constexpr int kObjectMapSize = 5003;
constexpr int kMsgInvalidStructure = 5004;
constexpr int kMsgNotADatabase = 5007;

// What the engine learnt while it loaded; it lives in the session because a
// failed connection frees the engine.
struct LoadOutcome
{
  CTDbLoadError error;
  CTEdiReadReport report;
};

// The resource engine, reading the session's source with the session's
// options instead of the process-wide resource and settings.
class CTCatalogueEngine final : public CTResDbEngine
{
public:
  CTCatalogueEngine(CTBaseFactory* pFactory, const CTCatalogueSource& source, CTDbLoadOptions options,
                    LoadOutcome& outcome)
    : CTResDbEngine(pFactory, CTFactory::kLogicalName, "", true, CTFactory::kDbIx), v_source(source), v_outcome(outcome)
  {
    SetLoadOptions(options);
  }

  bool Connect(const std::string&, const std::string&, bool) override
  {
    try {
      const bool loaded = LoadFromStream(*OpenSource());
      v_outcome.error = LastLoadError();
      v_outcome.report = LastReadReport();
      SetConnected(loaded);
      return loaded;
    } catch (const std::exception& e) {
      v_outcome.error = {e.what()};
      return false;
    }
  }

private:
  std::unique_ptr<CTStream> OpenSource() const
  {
    if (const auto& file = v_source.FilePath())
      return std::make_unique<CTBufferedFileStream>(file->string(), fmReadDenyWrite);
    return std::make_unique<CTResourceStream>(CTFactory::kLogicalName);
  }

  const CTCatalogueSource& v_source;
  LoadOutcome& v_outcome;
};

std::string WithParameter(std::string text, const std::string& szParam)
{
  if (const std::size_t at = text.find("$1"); at != std::string::npos)
    text.replace(at, 2, szParam);
  return text;
}

std::string Counted(int n, const char* szOne, const char* szMany)
{
  return std::to_string(n) + " " + (n == 1 ? szOne : szMany);
}

const CTTranslationSource*& SessionGlossary()
{
  static const CTTranslationSource* pGlossary = nullptr;
  return pGlossary;
}

} // namespace

std::string CTCatalogueSource::DisplayName() const
{
  return v_file ? v_file->string() : std::string("the catalogue the program carries");
}

std::string CTCatalogueError::Text() const
{
  std::string text = file;
  if (line > 0)
    text += ": line " + std::to_string(line) + ", byte " + std::to_string(offset);
  return text + ": " + reason;
}

std::optional<std::string> CatalogueRecordFault(const CTTableInfo& table, const CTValueList& values)
{
  if (table.GetTableIndex() != Cls_BrisaData::kClassID)
    return std::nullopt;
  const double minAirflow = values.GetDoubleValue(Cls_BrisaData::ixMinAirflow);
  const double maxAirflow = values.GetDoubleValue(Cls_BrisaData::ixMaxAirflow);
  if (!(minAirflow >= 0) || !(maxAirflow > 0) || minAirflow > maxAirflow)
    return "the unit's airflow range " + FormatEdiDouble(minAirflow) + " .. " + FormatEdiDouble(maxAirflow) +
           " m3/h is not a positive range";
  return std::nullopt;
}

void CTCatalogueSession::PrepareObjectDatabase()
{
  static bool prepared = false;
  if (prepared)
    return;
  prepared = true;
  CTResDbEngine::RegisterEngine();
  // The settings of engines the registry makes; a session gives its own engine
  // its options.
  CTMemDbEngine::UseCompression(true);
  CTMemDbEngine::SetCompressionSignature(kCompressionSignature);
  CTMemDbEngine::SetAutoCorrect(true);
  CTElemDbObjectMap::SetTableSize(kObjectMapSize);
}

void CTCatalogueSession::UseGlossary(const CTTranslationSource* pGlossary)
{
  SessionGlossary() = pGlossary;
}

CTCatalogueSession::CTCatalogueSession() : CTCatalogueSession(std::make_unique<CTFactory>()) {}

CTCatalogueSession::CTCatalogueSession(std::unique_ptr<CTFactory> pFactory)
  : CTCatalogueSession(CTCatalogueSource::Embedded(), {}, std::move(pFactory))
{
}

CTCatalogueSession::CTCatalogueSession(CTCatalogueSource source, CTCatalogueLoadOptions options,
                                       std::unique_ptr<CTFactory> pFactory)
  : v_source(std::move(source)), v_options(std::move(options)), v_factory(std::move(pFactory))
{
  CTDbObject::SetDefaultFactory(v_factory.get());
  v_factory->SetReadOnly(CTFactory::kDbIx, true);
  v_factory->SetGlossary(CTFactory::kDbIx, SessionGlossary());
}

CTCatalogueSession::~CTCatalogueSession()
{
  v_factory->Disconnect();
  if (CTDbObject::GetDefaultFactory() == v_factory.get())
    CTDbObject::SetDefaultFactory(nullptr);
}

bool CTCatalogueSession::Fail(std::string szReason, int nMsgNo, std::string szParam, int nLine, std::int64_t nOffset)
{
  CTCatalogueError error;
  error.file = v_source.DisplayName();
  error.line = nLine;
  error.offset = nOffset;
  error.reason = std::move(szReason);
  error.msgNo = nMsgNo;
  error.msgParam = std::move(szParam);
  v_error = std::move(error);
  return false;
}

bool CTCatalogueSession::CheckFileBeforeReading(const std::filesystem::path& file)
{
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec))
    return Fail("there is no catalogue file of that name", kMsgNotADatabase, file.string());
  const std::uint64_t size = std::filesystem::file_size(file, ec);
  if (ec)
    return Fail("the file cannot be read: " + ec.message(), kMsgInvalidStructure, file.string());
  if (size == 0)
    return Fail("the file is empty", kMsgInvalidStructure, file.string());
  if (size > v_options.maxFileBytes)
    return Fail("the file has " + std::to_string(size) + " bytes, more than the " +
                  std::to_string(v_options.maxFileBytes) + " a catalogue may have",
                kMsgInvalidStructure, file.string());

  std::ifstream in(file, std::ios::binary);
  std::string start(8, '\0');
  in.read(start.data(), static_cast<std::streamsize>(start.size()));
  start.resize(static_cast<std::size_t>(in.gcount()));
  const bool compressed = v_options.compression && start.starts_with(v_options.signature);
  if (!compressed && !start.starts_with(v_factory->GetName()))
    return Fail("this is no catalogue: it begins with '" + PrintableBytes(start) + "', not " + v_factory->GetName() +
                  (v_options.compression ? " or " + v_options.signature : ""),
                kMsgInvalidStructure, file.string(), 1, 0);
  return true;
}

bool CTCatalogueSession::Connect()
{
  PrepareObjectDatabase();
  v_error.reset();
  v_report = {};
  if (const auto& file = v_source.FilePath()) {
    if (!CheckFileBeforeReading(*file))
      return false;
  } else {
    const std::optional<platform::ResourceBytes> bytes = platform::Resources::Find(CTFactory::kLogicalName);
    if (!bytes)
      return Fail("the program has no catalogue", kMsgNotADatabase, CTFactory::kLogicalName);
    if (bytes->empty())
      return Fail("the catalogue is empty", kMsgInvalidStructure, CTFactory::kLogicalName);
  }

  LoadOutcome outcome;
  const CTDbLoadOptions options{v_options.compression, v_options.signature, v_options.autoCorrect,
                                CatalogueRecordFault};
  std::vector<std::unique_ptr<CTDbEngine>> engines;
  engines.push_back(std::make_unique<CTCatalogueEngine>(v_factory.get(), v_source, options, outcome));
  if (v_factory->ConnectWith(std::move(engines), false)) {
    v_report = std::move(outcome.report);
    return true;
  }
  const std::string param = v_source.IsEmbedded() ? CTFactory::kLogicalName : v_source.FilePath()->string();
  return Fail(outcome.error.reason.empty() ? "the catalogue cannot be read" : outcome.error.reason,
              kMsgInvalidStructure, param, outcome.error.line, outcome.error.offset);
}

bool CTCatalogueSession::CheckVersion(bool bFlagErrors)
{
  const std::optional<std::string> expected = Cls_DdbVersionInfo::ReferenceVersionText();
  if (!expected)
    return Fail("the program carries no reference version of the catalogue", catalogue::msgIncorrectDbVersion,
                CTFactory::kLogicalName);
  if (Cls_DdbVersionInfo::CheckVersion(v_factory.get(), *expected, bFlagErrors))
    return true;
  std::unique_ptr<CTDbObject> record(CTDbObject::GetUniqueRecord(Cls_DdbVersionInfo::kClassID, false, v_factory.get()));
  const std::string found = record ? static_cast<Cls_DdbVersionInfo&>(*record).GetDbVersion() : std::string();
  const std::string param = v_factory->GetLogicalName(CTFactory::kDbIx) + " " +
                            Cls_DdbVersionInfo::VersionText(Cls_DdbVersionInfo::VersionNumber(*expected)) + " <> " +
                            Cls_DdbVersionInfo::VersionText(Cls_DdbVersionInfo::VersionNumber(found));
  return Fail(WithParameter(catalogue::MessageText(catalogue::msgIncorrectDbVersion), param),
              catalogue::msgIncorrectDbVersion, param);
}

bool CTCatalogueSession::CheckHasUnits()
{
  if (CTDbObject::CountAllRecords(Cls_BrisaData::kClassID, true, v_factory.get()) > 0)
    return true;
  std::string reason = "the catalogue has no units";
  if (v_report.LeftOutAnything())
    reason += " (" + DescribeLeftOut(v_report) + ")";
  return Fail(reason, kMsgInvalidStructure,
              v_source.IsEmbedded() ? CTFactory::kLogicalName : v_source.FilePath()->string());
}

bool CTCatalogueSession::Open() { return Connect() && CheckVersion(false) && CheckHasUnits(); }

std::string CTCatalogueSession::DescribeLeftOut(const CTEdiReadReport& report)
{
  std::string text = "left out " + Counted(report.skippedTables, "table", "tables") + " the program does not know, " +
                     Counted(report.skippedObjects, "object", "objects") + " with unusable values and " +
                     Counted(report.droppedObjects, "object", "objects") + " with broken references";
  if (report.mendedTexts > 0)
    text += ", and mended " + Counted(report.mendedTexts, "text", "texts") + " that were not UTF-8";
  if (!report.notes.empty())
    text += "; first: " + report.notes.front();
  return text;
}

} // namespace aw
