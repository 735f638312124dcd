// airwright-cli: the program's main jobs without a window, for scripts and checks.

#include "cli/Commands.h"
#include "cli/SelectOptions.h"

#include "db/DbObject.h"
#include "i18n/BaseMsgMan.h"

#include <iostream>
#include <string>
#include <string_view>

namespace {

// The numbered messages the core shows in dialogs go to standard error here.
void ShowMessagesOnStderr()
{
  aw::i18n::RegisterProgramMessages();
  aw::CTDbObject::SetMessageSink([](const aw::CTFormResource*, int nMsgNo, const std::string& szParam) {
    std::cerr << "airwright-cli: " << aw::i18n::GetUnicodeString(nMsgNo, {szParam}) << '\n';
  });
}

// A refused command line in one line, as every other refusal: the parser's
// reason with what was typed made safe for the terminal, and where help is.
std::string OneLineFailure(const CLI::App*, const CLI::Error& e)
{
  std::string line = "airwright-cli: ";
  for (const char c : std::string_view(e.what())) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      line += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
    } else {
      line += c;
    }
  }
  return line + " (see --help)\n";
}

} // namespace

int main(int argc, char** argv)
{
  CLI::App app{"Airwright ventilation-unit selection, command-line front", "airwright-cli"};
  app.require_subcommand(1);
  app.failure_message(OneLineFailure);
  // The options of the whole program may also follow the command
  // (`chart fan --units imperial`); the subcommands inherit this.
  app.fallthrough();
  // Read by the subcommands that open the catalogue.
  aw::cli::CommonOptions common;
  app.add_option("--catalogue", common.catalogueFile,
                 "A catalogue file (plain or compressed) to use instead of the embedded catalogue")
    ->check(CLI::ExistingFile);
  std::string units;
  app.add_option("--units", units, "si|imperial: the units of the outputs (chart labels and read-outs)")
    ->check(CLI::IsMember({"si", "imperial"}));
  app.parse_complete_callback([&units] {
    if (!units.empty())
      aw::cli::UseUnitSystem(units == "imperial");
  });
  aw::cli::AddLanguageOption(app);
  aw::cli::AddVersionCommand(app);
  aw::cli::AddAirCommand(app);
  aw::cli::AddCatalogueCommand(app, common);
  aw::cli::AddLzssCommand(app);
  aw::cli::AddSelectCommand(app, common);
  aw::cli::AddGlossaryCommand(app);
  aw::cli::AddDocumentCommand(app);
  aw::cli::AddProjectCommand(app, common);
  aw::cli::AddChartCommand(app, common);
  aw::cli::AddReportCommand(app, common);
  aw::cli::AddMaterialsCommand(app, common);

  ShowMessagesOnStderr();
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  } catch (const aw::cli::CommandError& e) {
    std::cerr << "airwright-cli: " << e.what() << '\n';
    return e.ExitCode();
  } catch (const std::exception& e) {
    std::cerr << "airwright-cli: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
