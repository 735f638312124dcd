// airwright-cli: the program's main jobs without a window, for scripts and checks.

#include "cli/Commands.h"

#include <iostream>

int main(int argc, char** argv)
{
  CLI::App app{"Airwright ventilation-unit selection, command-line front", "airwright-cli"};
  app.require_subcommand(1);
  aw::cli::AddVersionCommand(app);
  aw::cli::AddAirCommand(app);
  aw::cli::AddCatalogueCommand(app);
  aw::cli::AddLzssCommand(app);

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
