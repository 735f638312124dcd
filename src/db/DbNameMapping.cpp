#include "db/DbNameMapping.h"

#include "platform/CaseFolding.h"

namespace aw {

CTNameMapping::CTNameMapping(std::string szOldName, std::string szNewName)
  : v_oldName(std::move(szOldName)), v_newName(std::move(szNewName))
{
}

CTNameMapping::~CTNameMapping() = default;

CTMappingTable& CTNameMapping::SubTable()
{
  if (!v_subTable)
    v_subTable = std::make_unique<CTMappingTable>();
  return *v_subTable;
}

const CTNameMapping* CTMappingTable::FindMapping(std::string_view szForOldName, bool bCaseSensitive, int, int) const
{
  for (const auto& mapping : v_items) {
    const bool same = bCaseSensitive ? mapping->OldName() == szForOldName
                                     : platform::EqualsIgnoreCase(mapping->OldName(), szForOldName);
    if (same)
      return mapping.get();
  }
  return nullptr;
}

std::string CTMappingTable::FindNewName(std::string_view szForOldName, bool bCaseSensitive, int pData1, int pData2) const
{
  const CTNameMapping* mapping = FindMapping(szForOldName, bCaseSensitive, pData1, pData2);
  return mapping ? mapping->NewName() : std::string();
}

CTNameMapping& CTMappingTable::AddMapping(std::string szOldName, std::string szNewName)
{
  v_items.push_back(std::make_unique<CTNameMapping>(std::move(szOldName), std::move(szNewName)));
  return *v_items.back();
}

} // namespace aw
