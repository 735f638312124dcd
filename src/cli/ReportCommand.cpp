// airwright-cli report: the report of the selected unit (the select options
// or a project choose it) as RTF or PDF, with the distributor data of the
// user's settings, composed as the window composes it.

#include "cli/Commands.h"
#include "cli/SelectOptions.h"

#include "engine/EngineFactory.h"
#include "engine/SelectionModel.h"
#include "i18n/BaseMsgMan.h"
#include "platform/CaseFolding.h"
#include "platform/SettingsStore.h"
#include "render/SelectionReportFile.h"

#include <filesystem>
#include <iostream>
#include <memory>

namespace aw::cli {
namespace {

struct ReportOptions
{
  std::string out;
  SelectOptions select;
};

void Run(const ReportOptions& o, const CommonOptions& common)
{
  const std::string extension = platform::FoldCase(std::filesystem::path(o.out).extension().string());
  if (extension != ".rtf" && extension != ".pdf")
    throw CommandError("--out: \"" + o.out + "\" must end in .rtf or .pdf");
  i18n::RegisterProgramMessages();
  UseProgramUnits();
  const auto session = OpenProgramCatalogue(common, std::make_unique<CTEngineFactory>());
  CTSelectionModel model(&session->Factory());
  ApplySelectOptions(model, o.select, session->Factory());
  if (!model.CurrentBrisa())
    throw CommandError("no unit is selected: the inputs give no solution", 2);
  model.FillOptions(); // the options the project or the unit uses
  const auto distributor = docs::CTDistributorSettings::Load(platform::SettingsStore::User());
  if (const auto error = render::SaveSelectionReport(model, distributor, o.out))
    throw SaveFailure(*error);
  std::cout << o.out << '\n';
  EndWithSelectionMessage(model);
}

} // namespace

void AddReportCommand(CLI::App& app, const CommonOptions& common)
{
  auto* cmd = app.add_subcommand(
    "report", "Writes the report of the selected unit (the select options or --project choose it) as RTF or PDF, "
              "with the distributor data of the user's settings. Exit code 2: no unit, or a selection message "
              "(the report is still written).");
  auto o = std::make_shared<ReportOptions>();
  cmd->add_option("--out", o->out, "The file to write: .rtf or .pdf")->required();
  AddSelectOptions(*cmd, o->select);
  cmd->callback([o, &common] { Run(*o, common); });
}

} // namespace aw::cli
