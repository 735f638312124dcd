#include "catalogue/CatalogueSession.h"

#include "catalogue/ClDdbVersionInfo.h"
#include "db/ElemDbObject.h"
#include "db/MemDB.h"
#include "db/ResDB.h"
#include "platform/Resources.h"

#include <fstream>
#include <vector>

namespace aw {
namespace {

constexpr const char* kCompressionSignature = "Q7R";
constexpr int kObjectMapSize = 5003;
constexpr int kMsgInvalidStructure = 5004;

const CTTranslationSource*& SessionGlossary()
{
  static const CTTranslationSource* pGlossary = nullptr;
  return pGlossary;
}

} // namespace

void CTCatalogueSession::PrepareObjectDatabase()
{
  static bool prepared = false;
  if (prepared)
    return;
  prepared = true;
  CTResDbEngine::RegisterEngine();
  CTMemDbEngine::UseCompression(true);
  CTMemDbEngine::SetCompressionSignature(kCompressionSignature);
  CTMemDbEngine::SetAutoCorrect(true);
  CTElemDbObjectMap::SetTableSize(kObjectMapSize);
}

bool CTCatalogueSession::UseCatalogueFile(const std::filesystem::path& file, std::string& szError)
{
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    szError = "cannot open the catalogue " + file.string();
    return false;
  }
  std::error_code ec;
  const auto size = std::filesystem::file_size(file, ec);
  std::vector<std::byte> bytes(ec ? 0 : static_cast<std::size_t>(size));
  if (ec || !in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
    szError = "cannot read the catalogue " + file.string();
    return false;
  }
  platform::Resources::Replace(CTFactory::kLogicalName, std::move(bytes));
  return true;
}

void CTCatalogueSession::UseGlossary(const CTTranslationSource* pGlossary)
{
  SessionGlossary() = pGlossary;
}

CTCatalogueSession::CTCatalogueSession() : CTCatalogueSession(std::make_unique<CTFactory>()) {}

CTCatalogueSession::CTCatalogueSession(std::unique_ptr<CTFactory> pFactory) : v_factory(std::move(pFactory))
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

bool CTCatalogueSession::Connect()
{
  PrepareObjectDatabase();
  v_lastError.clear();
  if (!platform::Resources::Exists(CTFactory::kLogicalName)) {
    v_factory->Connect(false); // shows message 5007: no engine accepts the database
    v_lastError = std::string("the program has no catalogue '") + CTFactory::kLogicalName + "'";
    return false;
  }
  if (v_factory->Connect(false))
    return true;
  // The resource engine fails silently: say what was wrong with the data.
  CTResDbEngine probe(v_factory.get(), CTFactory::kLogicalName, "", true, CTFactory::kDbIx);
  probe.Connect({}, {}, false);
  v_lastError = probe.LastError().empty() ? "the catalogue cannot be read" : probe.LastError();
  CTDbObject::ShowDbMessage(nullptr, kMsgInvalidStructure, CTFactory::kLogicalName);
  return false;
}

bool CTCatalogueSession::CheckVersion(bool bFlagErrors)
{
  const std::optional<std::string> expected = Cls_DdbVersionInfo::ReferenceVersionText();
  if (!expected) {
    v_lastError = "the program carries no reference version of the catalogue";
    return false;
  }
  if (Cls_DdbVersionInfo::CheckVersion(v_factory.get(), *expected, bFlagErrors))
    return true;
  std::unique_ptr<CTDbObject> record(CTDbObject::GetUniqueRecord(Cls_DdbVersionInfo::kClassID, false, v_factory.get()));
  const std::string found = record ? static_cast<Cls_DdbVersionInfo&>(*record).GetDbVersion() : "missing";
  v_lastError = "the catalogue's structure version " + found + " is not " + *expected;
  return false;
}

bool CTCatalogueSession::Open()
{
  return Connect() && CheckVersion(true);
}

} // namespace aw
