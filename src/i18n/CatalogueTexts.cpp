#include "i18n/CatalogueTexts.h"

#include "db/BaseFactory.h"
#include "db/DbObject.h"
#include "db/TableInfo.h"

namespace aw::i18n {

std::set<std::string> MultilingualTexts(CTBaseFactory& factory)
{
  std::set<std::string> texts;
  for (int nClsID = 0; nClsID < factory.TableCount(); ++nClsID) {
    const CTTableInfo* table = factory.GetTableInfo(nClsID);
    if (!table || table->IsAbstract())
      continue;
    std::vector<int> fields;
    for (int ix = 0; ix < table->FieldCount(); ++ix)
      if (const CTFieldInfo* field = table->Field(ix);
          field && field->GetType() == ftUnicodeString && field->GetMultilingual())
        fields.push_back(ix);
    if (fields.empty())
      continue;
    const CTDbObjectList objects = CTDbObject::GetAllRecords(nClsID, false, &factory);
    for (int i = 0; i < objects.Count(); ++i)
      for (int ix : fields)
        if (const std::string& text = objects[i]->GetUntranslatedStringValue(ix); !text.empty())
          texts.insert(text);
  }
  return texts;
}

} // namespace aw::i18n
