#include "docs/MaterialList.h"

#include "docs/DocTableToXML.h"
#include "engine/SelectionModel.h"
#include "foundation/ExcelXML2003.h"

namespace aw::docs {
namespace {

constexpr int kExtraCellWidth_px = 10;
constexpr int kQuantityColumn = 1;

void SetRow(CTDocTable& table, int nRow, std::initializer_list<std::string> cells)
{
  int nColumn = 0;
  for (const std::string& text : cells)
    table.SetText(nColumn++, nRow, text);
}

} // namespace

std::vector<CTMaterialListItem> MaterialListItems(const CTSelectionModel& model)
{
  std::vector<CTMaterialListItem> items;
  Cls_Brisa* unit = model.CurrentBrisa();
  if (!unit)
    return items;
  items.push_back({unit->GetName(), 1, unit->GetDescriptiveName()});
  for (const CTOptionRow& row : model.UsedOptions())
    if (const std::unique_ptr<Cls_DeviceOption> option = row.pCombination->GetDeviceOption())
      items.push_back({option->GetName(), row.nQuantity, option->GetDescription()});
  return items;
}

void FillMaterialListTable(CTDocTable& table, const std::vector<CTMaterialListItem>& items,
                           std::string_view szSectionHeader)
{
  table.InitDimensions(3, 1, 0, 0, true);
  table.v_borders.SetAll(true);
  int nRow = 0;
  SetRow(table, nRow++, {"Model", "Qty", "Description"});
  if (!szSectionHeader.empty())
    SetRow(table, nRow++, {std::string(szSectionHeader), "1", "All"});
  for (const CTMaterialListItem& item : items) {
    SetRow(table, nRow, {item.szModel, std::to_string(item.nQuantity), item.szDescription});
    table.SetHorAlign(kQuantityColumn, nRow++, HorAlign::Right);
  }
}

std::string MaterialListWorkbook(CTDocTable& table)
{
  table.CalculatePixelSizes(kExtraCellWidth_px);
  std::string bytes;
  CTExcelXML2003::GlobalStart(bytes);
  CTDocTableToXML::ExportDocTableAsWorksheet(bytes, table, "All", nullptr);
  CTExcelXML2003::GlobalEnd(bytes);
  return bytes;
}

std::optional<CTDocWriteError> SaveMaterialList(const std::filesystem::path& file,
                                                const std::vector<CTMaterialListItem>& items,
                                                std::string_view szSectionHeader)
{
  CTDocTable table;
  FillMaterialListTable(table, items, szSectionHeader);
  return SaveDocumentFile(file, MaterialListWorkbook(table));
}

} // namespace aw::docs
