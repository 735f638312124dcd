#include "db/ResDB.h"

#include "platform/CaseFolding.h"
#include "platform/Resources.h"

namespace aw {

CTResDbEngine::CTResDbEngine(CTBaseFactory* pFactory, std::string szLogicalName, std::string szDatabaseName,
                             bool bReadOnly, int nEngineIndex)
  : CTMemDbEngine(pFactory, std::move(szLogicalName), std::move(szDatabaseName), bReadOnly, nEngineIndex)
{
  // Unlike the file engine, no choice of database.
  SetCapabilities((1u << dbcSelectByExample) | (1u << dbcRemoveByExample) | (1u << dbcInheritance) | (1u << dbcUndo) |
                  (1u << dbcRedo) | (1u << dbcInsertWithID));
}

void CTResDbEngine::RegisterEngine()
{
  CTBaseFactory::RegisterEngine("CTResDbEngine", [](CTEngineRequest& r) -> std::unique_ptr<CTDbEngine> {
    if (!r.szRequiredEngineType.empty() && !platform::EqualsIgnoreCase(r.szRequiredEngineType, "CTResDbEngine"))
      return nullptr;
    if (!platform::Resources::Exists(r.szLogicalName))
      return nullptr;
    return std::make_unique<CTResDbEngine>(r.pFactory, r.szLogicalName, r.szDatabaseName, r.bReadOnly, r.nEngineIndex);
  });
}

bool CTResDbEngine::Connect(const std::string&, const std::string&, bool)
{
  try {
    CTResourceStream resource(GetLogicalName());
    if (resource.Size() == 0) {
      SetConnected(true);
      return true;
    }
    const bool loaded = LoadFromStream(resource);
    SetConnected(loaded);
    return loaded;
  } catch (const std::exception&) {
    return false;
  }
}

} // namespace aw
