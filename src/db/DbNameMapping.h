#pragma once
// Renaming of tables and fields for database files written by an older
// schema: a mapping renames one table (old name in the file, new name in the
// schema); its sub-table renames that table's fields.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace aw {

class CTMappingTable;

class CTNameMapping
{
public:
  CTNameMapping(std::string szOldName, std::string szNewName);
  ~CTNameMapping();

  const std::string& OldName() const { return v_oldName; }
  const std::string& NewName() const { return v_newName; }
  // The field renamings, created on first use.
  CTMappingTable& SubTable();
  const CTMappingTable* SubTableIfAny() const { return v_subTable.get(); }

private:
  std::unique_ptr<CTMappingTable> v_subTable;
  std::string v_oldName;
  std::string v_newName;
};

class CTMappingTable
{
public:
  virtual ~CTMappingTable() = default;

  // The first mapping of szForOldName (exactly, or without case). pData1 and
  // pData2 carry the reader's context (the file's table number, or the
  // table's field count and the file's type code) for specialised tables.
  virtual const CTNameMapping* FindMapping(std::string_view szForOldName, bool bCaseSensitive, int pData1 = 0,
                                           int pData2 = 0) const;
  std::string FindNewName(std::string_view szForOldName, bool bCaseSensitive, int pData1 = 0, int pData2 = 0) const;
  CTNameMapping& AddMapping(std::string szOldName, std::string szNewName);
  int Count() const { return static_cast<int>(v_items.size()); }

private:
  std::vector<std::unique_ptr<CTNameMapping>> v_items;
};

} // namespace aw
