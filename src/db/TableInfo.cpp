#include "db/TableInfo.h"

#include "db/BaseFactory.h"
#include "db/DbEngine.h"
#include "db/DbObject.h"
#include "platform/CaseFolding.h"

namespace aw {

CTTableLink::CTTableLink(CTTableInfo* pFromTable, int nAssociationID, std::string szAssociationName,
                         std::string szFromRole, std::string szToRole, int nToClsID, int nToFieldIx, bool bOneToOne,
                         bool bRefIntegr, bool bCascDel, bool bIsOrdered)
  : v_associationID(nAssociationID), v_associationName(std::move(szAssociationName)),
    v_fromRole(std::move(szFromRole)), v_toRole(std::move(szToRole)), v_toClsID(nToClsID), v_toFieldIx(nToFieldIx),
    v_oneToOne(bOneToOne), v_refIntegr(bRefIntegr), v_cascDel(bCascDel), v_isOrdered(bIsOrdered),
    v_fromTable(pFromTable)
{
}

CTTableInfo::CTTableInfo(int nClsID, int nDbID, std::string szModelClassName, int nParentID, bool bAbstract,
                         bool bNameRequired)
  : v_clsID(nClsID), v_parentID(nParentID), v_dbID(bAbstract ? -1 : nDbID), v_tblName("Tbl_" + szModelClassName),
    v_modelClassName(std::move(szModelClassName)), v_abstract(bAbstract), v_nameRequired(bNameRequired)
{
}

CTTableInfo::~CTTableInfo() = default;

void CTTableInfo::AddFieldInfo(int nFieldIx, CTFieldInfo* pInfo, bool bIsNameField)
{
  if (nFieldIx >= FieldCount())
    v_allFieldInfo.resize(static_cast<std::size_t>(nFieldIx) + 1, nullptr);
  v_allFieldInfo[nFieldIx] = pInfo;
  if (bIsNameField)
    v_nameIx = nFieldIx;
}

int CTTableInfo::IndexOfField(std::string_view szFldName, int nStartIx) const
{
  for (int ix = std::max(nStartIx, 0); ix < FieldCount(); ++ix)
    if (v_allFieldInfo[ix] && platform::EqualsIgnoreCase(v_allFieldInfo[ix]->GetName(), szFldName))
      return ix;
  return -1;
}

std::string CTTableInfo::GetIDFieldName() const
{
  return !v_allFieldInfo.empty() && v_allFieldInfo[0] ? v_allFieldInfo[0]->GetName() : std::string();
}

bool CTTableInfo::IsOfClass(int nClsID) const
{
  for (const CTTableInfo* table = this; table; table = table->v_parent)
    if (table->v_clsID == nClsID)
      return true;
  return false;
}

CTDbObject* CTTableInfo::GetCachedObject(int nID)
{
  if (nID < 1 || !v_engine)
    return nullptr;
  for (CTDbObject* cached : v_cachedObjects)
    if (cached->GetID() == nID)
      return cached;
  CTDbObject* created = v_engine->GetFactory()->SafeCreateObject(v_clsID, nID);
  if (created)
    v_cachedObjects.Add(created);
  return created;
}

void CTTableInfo::CleanupCache()
{
  v_cachedObjects.ClearAndDestroy();
  if (v_customCacheCleanupProc)
    v_customCacheCleanupProc();
}

} // namespace aw
