#pragma once
// Writes a small catalogue text in the EDI format from tables declared in
// code, for fixtures that load it through test::LoadedCatalogue. Only the
// fields a test needs are declared: the others keep their defaults.
//
//   EdiCatalogueText edi;
//   edi.Table("Tbl_BrisaCorrection", 356, {{"Fld_ID", EdiInt}, {"POL_A1", EdiDouble}});
//   edi.Row(356, {1, 0.8});
//   test::LoadedCatalogue db{edi.Text()};

#include "db/DbFileFormat.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace aw::test {

// Field type codes of the format.
enum EdiType : int { EdiBool = 0, EdiInt = 2, EdiDouble = 4, EdiString = 10 };

// One value of a row: a number, or a text for text fields.
struct EdiValue
{
  EdiValue(double n) : number(n) {}
  EdiValue(int n) : number(n) {}
  EdiValue(const char* sz) : text(sz), isText(true) {}
  EdiValue(std::string sz) : text(std::move(sz)), isText(true) {}
  double number = 0;
  std::string text;
  bool isText = false;
};

class EdiCatalogueText
{
public:
  // The first field is the object id. Tables are written in class-id order.
  EdiCatalogueText& Table(std::string szName, int nClsID, std::vector<std::pair<std::string, int>> fields)
  {
    v_tables[nClsID] = TableText{std::move(szName), std::move(fields), {}, 0};
    return *this;
  }

  EdiCatalogueText& Row(int nClsID, const std::vector<EdiValue>& values)
  {
    TableText& table = v_tables.at(nClsID);
    if (values.size() != table.fields.size())
      throw std::invalid_argument("EDI row of " + table.name + " has the wrong number of values");
    std::string line;
    for (std::size_t i = 0; i < values.size(); ++i)
      line += Value(table.fields[i].second, values[i]) + " ";
    table.rows.push_back(line);
    table.maxID = std::max(table.maxID, static_cast<int>(values[0].number));
    return *this;
  }

  std::string Text() const
  {
    std::string text = "EDI100\r\n";
    for (const auto& [clsID, table] : v_tables) {
      text += "5 " + Counted(table.name) + " " + std::to_string(clsID) + "\r\n";
      for (const auto& [field, type] : table.fields)
        text += "5 " + Counted(field) + " " + std::to_string(type) + "\r\n";
      text += "0\r\n";
    }
    text += "0\r\n";
    for (const auto& [clsID, table] : v_tables) {
      if (table.rows.empty())
        continue;
      const std::string count = std::to_string(table.rows.size());
      text += "2 " + std::to_string(clsID) + " 2 0 2 " + count + " 2 " + std::to_string(table.maxID) + "\r\n";
      for (const std::string& row : table.rows)
        text += row + "\r\n";
    }
    text += "0\r\n";
    return text;
  }

private:
  struct TableText
  {
    std::string name;
    std::vector<std::pair<std::string, int>> fields;
    std::vector<std::string> rows;
    int maxID = 0;
  };

  static std::string Counted(const std::string& sz) { return std::to_string(sz.size()) + " " + sz; }

  static std::string Value(int nType, const EdiValue& value)
  {
    switch (nType) {
    case EdiBool: return "0 " + std::string(value.number != 0 ? "1" : "0");
    case EdiInt: return "2 " + std::to_string(static_cast<long long>(value.number));
    case EdiDouble: return "4 " + FormatEdiDouble(value.number);
    case EdiString: return "10 " + Counted(value.text);
    default: throw std::invalid_argument("EDI field type " + std::to_string(nType));
    }
  }

  std::map<int, TableText> v_tables;
};

} // namespace aw::test
