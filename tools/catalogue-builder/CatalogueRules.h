#pragma once
// The rules a catalogue must keep so that the program loads all of it and
// the engine reads what it expects. The catalogue builder checks them before
// it writes, and the tests check them on the embedded catalogue.
//   - Every identifier field is named as its table requires (in the text).
//   - Every reference names a stored object of a concrete table of the
//     link's referenced class; a reference through a link with referential
//     integrity is never empty (auto-correction would drop its owner).
//   - A one-to-one link has at most one referrer per referenced object.
//   - Every fan speed has a positive top airflow and a positive pressure limit.
// Header-only, so that the tests use the same rules without the builder.

#include "catalogue/ClPolynomial.h"
#include "db/BaseFactory.h"
#include "db/DbObject.h"
#include "platform/CaseFolding.h"

#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace aw::catalogue_rules {

using Violations = std::vector<std::string>;

inline std::string Where(const CTDbObject& obj)
{
  return obj.DatabaseTable()->TableName() + " #" + std::to_string(obj.GetID());
}

// The number of stored objects of every stored table, by class id.
inline std::map<int, int> CountObjects(CTBaseFactory& factory)
{
  std::map<int, int> counts;
  for (int clsID = 0; clsID < factory.TableCount(); ++clsID)
    if (const CTTableInfo* table = factory.GetTableInfo(clsID); table && !table->IsAbstract())
      counts[clsID] = CTDbObject::CountAllRecords(clsID, false, &factory);
  return counts;
}

inline void CheckReferences(CTBaseFactory& factory, CTDbObject& obj, std::map<std::pair<int, int>, int>& oneToOne,
                            Violations& out)
{
  const CTFieldList& fields = obj.Descriptors();
  for (int ix = 1; ix + 1 < static_cast<int>(fields.size()); ++ix) {
    const CTFieldInfo* field = fields[static_cast<std::size_t>(ix)];
    const CTTableLink* link = field ? field->GetReferenceTo() : nullptr;
    if (!link || link->GetFromField() != field)
      continue;
    std::int32_t clsID = 0, objID = 0;
    obj.GetRefValues(ix, clsID, objID);
    const std::string what = Where(obj) + " " + field->GetName();
    if (clsID == 0 && objID == 0) {
      if (link->RefIntegrity())
        out.push_back(what + ": empty reference through a link with referential integrity");
      continue;
    }
    const CTTableInfo* target = factory.GetTableInfo(clsID);
    if (!target || target->IsAbstract()) {
      out.push_back(what + ": class " + std::to_string(clsID) + " is not a concrete table");
      continue;
    }
    if (!target->IsOfClass(link->ToClsID())) {
      out.push_back(what + ": class " + std::to_string(clsID) + " is not of the referenced class " +
                    std::to_string(link->ToClsID()));
      continue;
    }
    if (!target->GetDbEngine() || !target->GetDbEngine()->ObjectExists(clsID, objID)) {
      out.push_back(what + ": object " + std::to_string(clsID) + "/" + std::to_string(objID) + " does not exist");
      continue;
    }
    if (link->OneToOne() && ++oneToOne[{clsID, objID}] > 1)
      out.push_back(what + ": second referrer of " + std::to_string(clsID) + "/" + std::to_string(objID) +
                    " through the one-to-one link " + std::to_string(link->GetAssociationID()));
  }
}

// The rules on the stored objects of a connected factory.
inline Violations CheckObjects(CTBaseFactory& factory)
{
  Violations out;
  std::map<std::pair<int, int>, int> oneToOne; // referenced object -> referrers
  for (int clsID = 0; clsID < factory.TableCount(); ++clsID) {
    const CTTableInfo* table = factory.GetTableInfo(clsID);
    if (!table || table->IsAbstract())
      continue;
    CTDbObjectList objects = CTDbObject::GetAllRecords(clsID, false, &factory);
    for (CTDbObject* obj : objects) {
      CheckReferences(factory, *obj, oneToOne, out);
      if (const auto* speed = dynamic_cast<const Cls_BrisaSpeed*>(obj)) {
        if (!(speed->GetArgumentHigh() > 0))
          out.push_back(Where(*obj) + ": fan curve without a positive upper airflow");
        if (!(speed->GetEspLimit() > 0))
          out.push_back(Where(*obj) + ": fan curve without a positive pressure limit");
      }
    }
    objects.ClearAndDestroy();
  }
  return out;
}

// The identifier field (the first field) of every table in the structure part
// of a plain database text, against the one of the running schema.
inline Violations CheckIdFieldNames(std::string_view text, CTBaseFactory& factory)
{
  Violations out;
  std::istringstream lines{std::string(text)};
  std::string line;
  std::getline(lines, line); // signature
  auto words = [](const std::string& l) {
    std::istringstream in(l);
    std::vector<std::string> w;
    for (std::string s; in >> s;)
      w.push_back(s);
    return w;
  };
  int tables = 0;
  while (std::getline(lines, line)) {
    std::vector<std::string> header = words(line);
    if (header.size() != 4 || header[0] != "5")
      break; // "0": the end of the structure part
    ++tables;
    const int clsID = std::stoi(header[3]);
    const CTTableInfo* table = factory.GetTableInfo(clsID);
    std::getline(lines, line);
    const std::vector<std::string> first = words(line);
    if (!table) {
      out.push_back("table " + header[2] + ": class " + header[3] + " is not in the schema");
    } else if (!platform::EqualsIgnoreCase(header[2], table->TableName())) {
      out.push_back("table " + header[2] + ": the schema names class " + header[3] + " " + table->TableName());
    } else if (first.size() != 4 || first[2] != table->GetFieldInfo()[0]->GetName()) {
      out.push_back("table " + header[2] + ": the identifier field is " + (first.size() > 2 ? first[2] : "missing") +
                    ", not " + table->GetFieldInfo()[0]->GetName());
    }
    while (line != "0" && line != "0\r" && std::getline(lines, line)) {
    }
  }
  if (tables == 0)
    out.push_back("the text declares no table");
  return out;
}

} // namespace aw::catalogue_rules
