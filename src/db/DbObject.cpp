#include "db/DbObject.h"

#include "platform/CaseFolding.h"

#include <algorithm>
#include <random>

namespace aw {
namespace {

CTBaseFactory*& DefaultFactory()
{
  static CTBaseFactory* factory = nullptr;
  return factory;
}

CTDbMessageSink& MessageSink()
{
  static CTDbMessageSink sink;
  return sink;
}

// Message numbers of the validation errors.
constexpr int kMsgRangeCheck = 5011;
constexpr int kMsgRequired = 5012;
constexpr int kMsgUnique = 5013;

void ShowMessage(const CTFormResource* pParent, int nMsgNo, const std::string& szParam)
{
  if (MessageSink())
    MessageSink()(pParent, nMsgNo, szParam);
}

// "Name <= 100": the field, the bound's side, "=" when the bound itself is refused, the value.
std::string RangeText(const std::string& szFldName, char cSide, bool bEqAllowed, const std::string& szChkValue)
{
  std::string text = szFldName;
  text += ' ';
  text += cSide;
  if (!bEqAllowed)
    text += '=';
  text += ' ';
  text += szChkValue;
  return text;
}

int CompareIgnoreCase(const std::string& a, const std::string& b)
{
  const std::string fa = platform::FoldCase(a), fb = platform::FoldCase(b);
  return fa.compare(fb);
}

// Compares two objects on the given fields: the first field that differs decides.
int CompareOnFields(const CTDbObject* p1, const CTDbObject* p2, const std::vector<int>& fields)
{
  for (int ix : fields) {
    const CTFieldInfo* field = p1->Descriptors().at(static_cast<std::size_t>(ix));
    switch (field ? field->GetType() : ftInteger) {
    case ftBoolean:
    case ftInteger: {
      const int a = p1->GetIntegerValue(ix), b = p2->GetIntegerValue(ix);
      if (a != b)
        return a < b ? -1 : 1;
      break;
    }
    case ftDouble: {
      const double a = p1->GetDoubleValue(ix), b = p2->GetDoubleValue(ix);
      if (a != b)
        return a < b ? -1 : 1;
      break;
    }
    case ftUnicodeString: {
      const int c = p1->GetUntranslatedStringValue(ix).compare(p2->GetUntranslatedStringValue(ix));
      if (c != 0)
        return c < 0 ? -1 : 1;
      break;
    }
    default: break; // other types count as equal
    }
  }
  return 0;
}

// Quicksort with the middle element as pivot, ascending, not stable; the
// pivot's position is followed through the exchanges.
void QuickSort(ObjectList<CTDbObject>& lst, int nLeft, int nRight, const std::vector<int>& fields)
{
  int left = nLeft;
  int i;
  do {
    i = left;
    int j = nRight;
    int p = (left + nRight) / 2;
    do {
      while (CompareOnFields(lst[i], lst[p], fields) < 0)
        ++i;
      while (CompareOnFields(lst[j], lst[p], fields) > 0)
        --j;
      if (i <= j) {
        if (i != j)
          lst.Exchange(i, j);
        if (p == i)
          p = j;
        else if (p == j)
          p = i;
        ++i;
        --j;
      }
    } while (i <= j);
    if (left < j)
      QuickSort(lst, left, j, fields);
    left = i;
  } while (i < nRight);
}

} // namespace

template <class F>
bool CTDbObject::Guarded(F&& call)
{
  try {
    call();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

CTBaseFactory* CTDbObject::ChooseFactory(CTBaseFactory* pFactory)
{
  return pFactory ? pFactory : DefaultFactory();
}

CTTableInfo* CTDbObject::LookupTable(int nClsID, CTBaseFactory* pFactory)
{
  CTTableInfo* table = pFactory ? pFactory->GetTableInfo(nClsID) : nullptr;
  if (!table)
    CTDbException::RaiseExc(excDbStructure);
  return table;
}

CTDbObject::CTDbObject(int nClsID, int nObjID, CTBaseFactory* pFactory)
  : v_factory(ChooseFactory(pFactory)), v_tableInfo(LookupTable(nClsID, v_factory)),
    v_values(&v_tableInfo->GetFieldInfo(), nObjID >= 1)
{
  if (nObjID < 1)
    return;
  SetID(nObjID);
  if (CTDbEngine* engine = v_tableInfo->GetDbEngine()) {
    CTReadGuard read;
    Guarded([&] { engine->DoRead(this); });
  }
  v_status = dbsStored;
}

CTDbObject::~CTDbObject()
{
  v_status = dbsDestroying;
}

CTDbEngine& CTDbObject::Engine() const
{
  CTDbEngine* engine = v_tableInfo->GetDbEngine();
  if (!engine)
    CTDbException::RaiseExc(excDbStructure);
  return *engine;
}

void CTDbObject::RequireStored() const
{
  if (!IsStored())
    CTDbException::RaiseExc(excRecNotInDB);
}

CTBaseFactory* CTDbObject::GetFactory() const
{
  return v_factory;
}

std::vector<CTDbEngine*> CTDbObject::FactoryEngines() const
{
  CTBaseFactory* factory = GetFactory();
  return factory ? factory->Engines() : std::vector<CTDbEngine*>{};
}

// ---- naming -------------------------------------------------------------

bool CTDbObject::ChkName(const CTFormResource* pResource) const
{
  if (v_tableInfo->NameFieldIndex() > 0 && v_tableInfo->IsNameRequired() && GetName().empty()) {
    ErrorRequired(pResource, CaptionForValue(pResource, "Name"));
    return false;
  }
  return true;
}

std::string CTDbObject::NamePrefix() const
{
  std::string prefix = GetQualifier().substr(0, 3);
  for (char& c : prefix)
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  return prefix;
}

std::string CTDbObject::InventUniqueName()
{
  const int nameIx = v_tableInfo->NameFieldIndex();
  if (nameIx < 0)
    return {};
  CTReadGuard read;
  std::string prefix = NamePrefix();
  for (;;) {
    std::string candidate = prefix + std::to_string(GetID());
    if (IsUnique(nameIx, candidate))
      return candidate;
    prefix += "_";
  }
}

// ---- persistence --------------------------------------------------------

bool CTDbObject::Insert()
{
  if (IsStored())
    CTDbException::RaiseExc(excRecAlreadyInDB);
  CTWriteGuard write;
  const bool done = Guarded([&] { Engine().DoInsert(this); });
  if (done)
    v_status = dbsStored;
  return done;
}

bool CTDbObject::InsertWithID(int nID)
{
  if (!Engine().HasCapability(dbcInsertWithID))
    CTDbException::RaiseExc(excNotCapable, CTDbEngine::CapabilityString(dbcInsertWithID));
  SetID(nID);
  return Insert();
}

bool CTDbObject::InsertTemp()
{
  CTWriteGuard write;
  return Guarded([&] { Engine().DoInsertTemp(this); });
}

bool CTDbObject::Update()
{
  RequireStored();
  CTWriteGuard write;
  return Guarded([&] { Engine().DoUpdate(this); });
}

bool CTDbObject::Read()
{
  CTReadGuard read;
  const bool done = Guarded([&] { Engine().DoRead(this); });
  v_status = dbsStored;
  return done;
}

bool CTDbObject::Remove()
{
  if (v_status == dbsRemoved)
    return true;
  RequireStored();
  CTWriteGuard write;
  const bool done = Guarded([&] { Engine().DoRemove(this); });
  if (done)
    v_status = dbsRemoved;
  return done;
}

// ---- values -------------------------------------------------------------

std::string CTDbObject::GetTranslatedStringValue(int nIx) const
{
  const std::string& text = v_values.GetUnicodeStringValue(nIx);
  const CTDbEngine* engine = v_tableInfo->GetDbEngine();
  if (text.empty() || !engine || !engine->EngineGlossary())
    return text;
  std::string translation = engine->EngineGlossary()->FindTranslationFor(text);
  return translation.empty() ? text : translation;
}

void CTDbObject::GenerateTGUIDValue(int nIx)
{
  static thread_local std::mt19937_64 random{std::random_device{}()};
  const std::uint64_t high = random(), low = random();
  TGUID guid;
  guid.D1 = static_cast<std::uint32_t>(high >> 32);
  guid.D2 = static_cast<std::uint16_t>(high >> 16);
  // Version 4 (random) in the high nibble of D3, the RFC 4122 variant in D4[0].
  guid.D3 = static_cast<std::uint16_t>((high & 0x0FFF) | 0x4000);
  for (int i = 0; i < 8; ++i)
    guid.D4[i] = static_cast<std::uint8_t>(low >> (8 * i));
  guid.D4[0] = static_cast<std::uint8_t>((guid.D4[0] & 0x3F) | 0x80);
  SetTGUIDValue(nIx, guid);
}

bool CTDbObject::IsClearTGUID(const TGUID& nGUID)
{
  return nGUID.D1 == 0 && nGUID.D2 == 0 && nGUID.D3 == 0;
}

bool CTDbObject::CompareTGUID(const TGUID& nGUID1, const TGUID& nGUID2)
{
  return !IsClearTGUID(nGUID1) && nGUID1 == nGUID2;
}

bool CTDbObject::GetBinaryValue(int nIx, ByteArray& out)
{
  RequireStored();
  CTReadGuard read;
  const std::size_t before = out.size();
  if (!Guarded([&] { Engine().GetBinaryValue(this, nIx, out); }))
    return false;
  return out.size() != before;
}

bool CTDbObject::SetBinaryValue(int nIx, std::span<const std::byte> bytes)
{
  RequireStored();
  CTWriteGuard write;
  return Guarded([&] { Engine().SetBinaryValue(this, nIx, bytes); });
}

void CTDbObject::CopyData(const CTDbObject& pFromObj, bool bAlsoRelations, int nStartIx)
{
  v_values.CopyValues(pFromObj.v_values, nStartIx, bAlsoRelations, false);
}

// ---- relations ----------------------------------------------------------

void CTDbObject::SetRelationByIx(int nFieldIx, CTDbObject* pRelObj)
{
  if (!pRelObj) {
    DropRelationByIx(nFieldIx);
    return;
  }
  if (!pRelObj->IsStored())
    CTDbException::RaiseExc(excRecNotInDB);
  const int clsID = pRelObj->TableIndex();
  const int objID = pRelObj->GetID();
  SetIntegerValue(nFieldIx, clsID);
  SetIntegerValue(nFieldIx + 1, objID);
  const CTFieldInfo* field = Descriptors().at(static_cast<std::size_t>(nFieldIx));
  const CTTableLink* link = field ? field->GetReferenceTo() : nullptr;
  if (link && link->IsOrdered()) {
    int maxOrder = -1;
    CTReadGuard read;
    for (CTDbEngine* engine : pRelObj->FactoryEngines())
      Guarded([&] { maxOrder = std::max(maxOrder, engine->DoGetMaxOrder(pRelObj, link->ToClsID(), nFieldIx)); });
    SetIntegerValue(nFieldIx + 2, maxOrder + 1);
  }
  if (IsStored()) {
    CTWriteGuard write;
    Guarded([&] { Engine().DoUpdateRef(this, nFieldIx, clsID, objID); });
  }
}

void CTDbObject::DropRelationByIx(int nFieldIx)
{
  SetIntegerValue(nFieldIx, 0);
  SetIntegerValue(nFieldIx + 1, 0);
  if (IsStored()) {
    CTWriteGuard write;
    Guarded([&] { Engine().DoUpdateRef(this, nFieldIx, 0, 0); });
  }
}

CTDbObject* CTDbObject::GetRelationByIx(int nFieldIx)
{
  RequireStored();
  CTReadGuard read;
  CTDbObject* related = nullptr;
  Guarded([&] { related = Engine().DoGetRelation(this, nFieldIx); });
  return related;
}

CTDbObjectList CTDbObject::GetRelatedByIx(int nClsID, int nFieldIx, const CTFieldList* pSortKeys,
                                          const CTValueFilter* pFilter)
{
  RequireStored();
  CTFieldList orderKey;
  if (!pSortKeys) {
    const CTTableInfo* table = GetFactory() ? GetFactory()->GetTableInfo(nClsID) : nullptr;
    const CTFieldInfo* field = table ? table->Field(nFieldIx) : nullptr;
    if (field && field->GetReferenceTo() && field->GetReferenceTo()->IsOrdered() && table->Field(nFieldIx + 2)) {
      orderKey.push_back(table->Field(nFieldIx + 2));
      pSortKeys = &orderKey;
    }
  }
  CTDbObjectList result;
  bool mustSort = false;
  {
    CTReadGuard read;
    bool contributed = false;
    for (CTDbEngine* engine : FactoryEngines()) {
      bool engineMustSort = false;
      // A list cut short by a failing engine would pass for complete: its
      // exception goes to the caller instead.
      CTDbObjectList part = engine->DoGetRelated(this, nClsID, nFieldIx, pSortKeys, pFilter, false, engineMustSort);
      if (part.IsEmpty())
        continue;
      mustSort = mustSort || contributed || engineMustSort || !engine->HasCapability(dbcSort);
      contributed = true;
      result.AddObjects(part.Release());
    }
  }
  if (mustSort && pSortKeys && !pSortKeys->empty()) {
    std::vector<std::string> names;
    for (const CTFieldInfo* key : *pSortKeys)
      names.push_back(key->GetName());
    SortOnFields(result, names);
  }
  return result;
}

CTDbObject* CTDbObject::GetSingleRelatedByIx(int nClsID, int nFieldIx)
{
  RequireStored();
  CTReadGuard read;
  for (CTDbEngine* engine : FactoryEngines()) {
    CTDbObject* found = nullptr;
    Guarded([&] { found = engine->DoGetSingleRelated(this, nClsID, nFieldIx); });
    if (found)
      return found;
  }
  return nullptr;
}

bool CTDbObject::HasRelations(const std::vector<int>& arExcludeClsIDs)
{
  CTBaseFactory* factory = GetFactory();
  if (!IsStored() || !factory)
    return false;
  for (int clsID = 0; clsID < factory->TableCount(); ++clsID) {
    const CTTableInfo* table = factory->GetTableInfo(clsID);
    if (!table || table->IsAbstract())
      continue;
    if (std::any_of(arExcludeClsIDs.begin(), arExcludeClsIDs.end(), [&](int ex) { return table->IsOfClass(ex); }))
      continue;
    for (int ix = 1; ix < table->FieldCount(); ++ix) {
      const CTFieldInfo* field = table->Field(ix);
      const CTTableLink* link = field ? field->GetReferenceTo() : nullptr;
      if (!link || !link->GetFromTable() || !IsOfClass(link->GetFromTable()->GetTableIndex()))
        continue;
      if (!GetRelatedByIx(clsID, ix).IsEmpty())
        return true;
    }
  }
  return false;
}

// ---- queries ------------------------------------------------------------

template <class Select>
CTDbObjectList CTDbObject::SelectFromEngines(const std::vector<std::string>* pOrderFields, Select&& select)
{
  CTDbObjectList result;
  bool mustSort = false;
  {
    CTReadGuard read;
    for (CTDbEngine* engine : FactoryEngines()) {
      // A failing engine raises: a partial list would pass for a complete one.
      bool engineMustSort = false;
      CTDbObjectList part = select(*engine, engineMustSort);
      // Contributions of several engines alone do not force a sort.
      mustSort = mustSort || engineMustSort || (!part.IsEmpty() && !engine->HasCapability(dbcSort));
      result.AddObjects(part.Release());
    }
  }
  if (mustSort && pOrderFields && !pOrderFields->empty())
    SortOnFields(result, *pOrderFields);
  return result;
}

CTDbObjectList CTDbObject::SelectByExample(const std::vector<std::string>* pOrderFields,
                                           const CTDbObjectProgressIndicator& pCallback)
{
  return SelectFromEngines(pOrderFields, [&](CTDbEngine& engine, bool& bMustSort) {
    return engine.DoSelectByExample(this, pOrderFields, bMustSort, pCallback);
  });
}

CTDbObjectList CTDbObject::SelectLikeExample(int nMaxItems, const std::vector<std::string>* pOrderFields,
                                             const CTDbObjectProgressIndicator& pCallback)
{
  return SelectFromEngines(pOrderFields, [&](CTDbEngine& engine, bool& bMustSort) {
    return engine.DoSelectLikeExample(this, nMaxItems, pOrderFields, bMustSort, pCallback);
  });
}

int CTDbObject::CountByExample()
{
  CTReadGuard read;
  int count = 0;
  for (CTDbEngine* engine : FactoryEngines())
    count += engine->DoCountByExample(this); // a failure raises, never a partial count
  return count;
}

void CTDbObject::RemoveByExample()
{
  CTWriteGuard write;
  for (CTDbEngine* engine : FactoryEngines())
    if (!engine->IsReadOnly())
      engine->DoRemoveByExample(this); // a failure raises: the caller must not take it for done
}

bool CTDbObject::IsUnique(int nFieldIx, const std::string& szVal)
{
  CTReadGuard read;
  // A failing engine raises rather than answer "unique" for a value it never looked at.
  for (CTDbEngine* engine : FactoryEngines())
    if (!engine->DoIsUnique(this, nFieldIx, szVal, false))
      return false;
  return true;
}

// ---- class-wide operations ------------------------------------------------

CTDbObjectList CTDbObject::GetAllRecords(int nClsID, bool bAlsoDerived, CTBaseFactory* pFactory,
                                         const CTDbObjectProgressIndicator& pCallback)
{
  CTBaseFactory* factory = pFactory ? pFactory : DefaultFactory();
  CTDbObjectList result;
  if (!factory)
    return result;
  CTReadGuard read;
  for (int clsID = 0; clsID < factory->TableCount(); ++clsID) {
    CTTableInfo* table = factory->GetTableInfo(clsID);
    if (!table || table->IsAbstract() || !table->GetDbEngine())
      continue;
    if (bAlsoDerived ? !table->IsOfClass(nClsID) : clsID != nClsID)
      continue;
    // As in GetRelatedByIx: no partial list on an engine failure.
    CTDbObjectList part = table->GetDbEngine()->AllObjects(clsID, pCallback);
    result.AddObjects(part.Release());
  }
  return result;
}

int CTDbObject::CountAllRecords(int nClsID, bool bAlsoDerived, CTBaseFactory* pFactory)
{
  CTBaseFactory* factory = pFactory ? pFactory : DefaultFactory();
  if (!factory)
    return 0;
  CTReadGuard read;
  int count = 0;
  for (int clsID = 0; clsID < factory->TableCount(); ++clsID) {
    CTTableInfo* table = factory->GetTableInfo(clsID);
    if (!table || table->IsAbstract() || !table->GetDbEngine())
      continue;
    if (bAlsoDerived ? !table->IsOfClass(nClsID) : clsID != nClsID)
      continue;
    if (!Guarded([&] { count += table->GetDbEngine()->CountObjects(clsID); }))
      break;
  }
  return count;
}

CTDbObject* CTDbObject::GetUniqueRecord(int nClsID, bool bMustExist, CTBaseFactory* pFactory)
{
  CTDbObjectList all = GetAllRecords(nClsID, false, pFactory);
  if (all.Count() == 1)
    return all.Release().First();
  if (bMustExist)
    CTDbException::RaiseExc(excRecNotFound);
  return nullptr;
}

void CTDbObject::PurgeTable(int nClsID, CTBaseFactory* pFactory)
{
  CTBaseFactory* factory = pFactory ? pFactory : DefaultFactory();
  CTTableInfo* table = factory ? factory->GetTableInfo(nClsID) : nullptr;
  if (!table || table->IsAbstract() || !table->GetDbEngine())
    return;
  CTWriteGuard write;
  Guarded([&] { table->GetDbEngine()->PurgeTable(nClsID); });
}

void CTDbObject::SetDefaultFactory(CTBaseFactory* pFactory)
{
  DefaultFactory() = pFactory;
}

CTBaseFactory* CTDbObject::GetDefaultFactory()
{
  return DefaultFactory();
}

void CTDbObject::Initialize(CTTableInfo* pTblInfo, const std::string& szIDFieldName)
{
  pTblInfo->AddFieldInfo(0, CTFieldInfo::CreateInteger(szIDFieldName, 0));
}

// ---- list helpers -------------------------------------------------------

void CTDbObject::SortOnFields(ObjectList<CTDbObject>& pLst, const std::vector<std::string>& names)
{
  if (pLst.Count() < 2)
    return;
  std::vector<int> fields;
  for (const std::string& name : names)
    fields.push_back(pLst.First()->DatabaseTable()->IndexOfField(name, 0));
  QuickSort(pLst, 0, pLst.Count() - 1, fields);
}

bool CTDbObject::SortOnName(const CTDbObject* p1, const CTDbObject* p2)
{
  return CompareIgnoreCase(p1->GetName(), p2->GetName()) < 0;
}

bool CTDbObject::SortOnQualifiedName(const CTDbObject* p1, const CTDbObject* p2)
{
  return CompareIgnoreCase(p1->GetQualifiedName(), p2->GetQualifiedName()) < 0;
}

bool CTDbObject::SortOnDescriptiveName(const CTDbObject* p1, const CTDbObject* p2)
{
  return CompareIgnoreCase(p1->GetDescriptiveName(), p2->GetDescriptiveName()) < 0;
}

CTDbObject* CTDbObject::SearchID(const ObjectList<CTDbObject>& pLst, int nID)
{
  return pLst.Search([nID](const CTDbObject* p) { return p->GetID() == nID; });
}

CTDbObject* CTDbObject::SearchID2(const ObjectList<CTDbObject>& pLst, int nClsID, int nObjID)
{
  return pLst.Search([=](const CTDbObject* p) { return p->GetID() == nObjID && p->TableIndex() == nClsID; });
}

CTDbObject* CTDbObject::SearchIDByProc(const ObjectList<CTDbObject>& pLst, const CTDbObjectGetRefIDsProc& pProc)
{
  int clsID = 0, objID = 0;
  if (pProc)
    pProc(clsID, objID);
  return SearchID2(pLst, clsID, objID);
}

// ---- validation messages ------------------------------------------------

std::string CTDbObject::CaptionForValue(const CTFormResource* pRsc, const std::string& szFieldName)
{
  if (!pRsc)
    return szFieldName;
  if (auto caption = pRsc->ComponentProperty("Lbl_" + szFieldName, "Caption"); caption && !caption->empty())
    return *caption;
  const std::string input = "Txt_" + szFieldName;
  for (const char* property : {"CaptionTitle", "Hint"})
    if (auto text = pRsc->ComponentProperty(input, property); text && !text->empty())
      return *text;
  return szFieldName;
}

void CTDbObject::ErrorUnique(const CTFormResource* pParent, const std::string& szFldName)
{
  ShowMessage(pParent, kMsgUnique, szFldName);
}

void CTDbObject::ErrorRequired(const CTFormResource* pParent, const std::string& szFldName)
{
  ShowMessage(pParent, kMsgRequired, szFldName);
}

void CTDbObject::ErrorLB(const CTFormResource* pParent, const std::string& szFldName, const std::string& szChkValue,
                         bool bEqAllowed)
{
  ShowMessage(pParent, kMsgRangeCheck, RangeText(szFldName, '<', bEqAllowed, szChkValue));
}

void CTDbObject::ErrorUB(const CTFormResource* pParent, const std::string& szFldName, const std::string& szChkValue,
                         bool bEqAllowed)
{
  ShowMessage(pParent, kMsgRangeCheck, RangeText(szFldName, '>', bEqAllowed, szChkValue));
}

void CTDbObject::ShowDbMessage(const CTFormResource* pParent, int nMsgNo, const std::string& szParam)
{
  ShowMessage(pParent, nMsgNo, szParam);
}

void CTDbObject::SetMessageSink(CTDbMessageSink pSink)
{
  MessageSink() = std::move(pSink);
}

} // namespace aw
