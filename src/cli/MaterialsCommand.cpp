// airwright-cli materials: the material list of the selected unit (the unit
// and its used options with quantities and descriptions) as an XML
// Spreadsheet 2003 workbook, as the window's export writes it.

#include "cli/Commands.h"
#include "cli/SelectOptions.h"

#include "docs/MaterialList.h"
#include "docs/XMLMatListSettings.h"
#include "engine/EngineFactory.h"
#include "engine/SelectionModel.h"
#include "i18n/BaseMsgMan.h"
#include "platform/CaseFolding.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

namespace aw::cli {
namespace {

struct MaterialsOptions
{
  std::string out;
  std::optional<std::string> sectionHeader;
  SelectOptions select;
};

void Run(const MaterialsOptions& o, const CommonOptions& common)
{
  if (platform::FoldCase(std::filesystem::path(o.out).extension().string()) != ".xml")
    throw CommandError("--out: \"" + o.out + "\" must end in .xml");
  i18n::RegisterProgramMessages();
  UseProgramUnits();
  const auto session = OpenProgramCatalogue(common, std::make_unique<CTEngineFactory>());
  CTSelectionModel model(&session->Factory());
  ApplySelectOptions(model, o.select, session->Factory());
  if (!model.CurrentBrisa())
    throw CommandError((model.Message() ? i18n::GetUnicodeString(model.Message()->nMsgNo, model.Message()->params) + ": "
                                        : std::string()) + "no unit is selected, so there is no material list", 2);
  model.FillOptions();

  docs::CTXMLMatListSettings settings = docs::CTXMLMatListSettings::Current();
  settings.ReadFromRegistry("");
  if (o.sectionHeader) {
    settings.bUseSectionHeader = true;
    settings.szSectionHeader = *o.sectionHeader;
  }
  if (const auto error = docs::SaveMaterialList(o.out, docs::MaterialListItems(model), settings.SectionHeader()))
    throw SaveFailure(*error);
  std::cout << o.out << '\n';
  std::cout.flush();
  EndWithSelectionMessage(model);
}

} // namespace

void AddMaterialsCommand(CLI::App& app, const CommonOptions& common)
{
  auto* cmd = app.add_subcommand(
    "materials", "Writes the material list of the selected unit (the select options choose it): the unit and its "
                 "used options with quantities and descriptions, as an XML Spreadsheet 2003 workbook. The section "
                 "header of the stored material-list settings comes first unless --section-header is given. "
                 "Exit code 2: no unit, or a selection message (the list is still written).");
  auto o = std::make_shared<MaterialsOptions>();
  cmd->add_option("--out", o->out, "The file to write: .xml")->required();
  cmd->add_option("--section-header", o->sectionHeader,
                  "The section-header line's text in place of the stored one; \"\" for none");
  AddSelectOptions(*cmd, o->select);
  cmd->callback([o, &common] { Run(*o, common); });
}

} // namespace aw::cli
