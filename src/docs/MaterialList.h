#pragma once
// The material list of the selected unit: the unit and its used options with
// quantities and descriptions, as a document table and as an XML Spreadsheet
// 2003 workbook with one worksheet "All".

#include "docs/DocTable.h"
#include "docs/DocumentFile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace aw {
class CTSelectionModel;
}

namespace aw::docs {

struct CTMaterialListItem
{
  std::string szModel;
  int nQuantity = 1;
  std::string szDescription;
};

// The picked unit (quantity 1, its descriptive name) and each of its used
// options found in the catalogue, in list order; empty without a unit. The
// model's option lists must be filled (FillOptions).
std::vector<CTMaterialListItem> MaterialListItems(const CTSelectionModel& model);

// Rows "Model", "Qty", "Description"; the section header (text, 1, "All")
// when given; then one row per item, whose quantity is right-aligned so that
// spreadsheets read it as a number.
void FillMaterialListTable(CTDocTable& table, const std::vector<CTMaterialListItem>& items,
                           std::string_view szSectionHeader);

// The workbook of a filled table (measured here).
std::string MaterialListWorkbook(CTDocTable& table);

// Writes the list and replaces the file with it in one step; a failure
// (message -3) leaves an existing file as it was.
std::optional<CTDocWriteError> SaveMaterialList(const std::filesystem::path& file,
                                                const std::vector<CTMaterialListItem>& items,
                                                std::string_view szSectionHeader);

} // namespace aw::docs
