#include "cli/Commands.h"

#include "foundation/VersionInfo.h"

#include <nlohmann/json.hpp>

#include <iostream>
#include <memory>

namespace aw::cli {

void AddVersionCommand(CLI::App& app)
{
  auto* cmd = app.add_subcommand("version", "Prints the program version");
  auto json = std::make_shared<bool>(false);
  cmd->add_flag("--json", *json, "Prints {\"program\": ..., \"version\": ...}");
  cmd->callback([json] {
    if (*json)
      std::cout << nlohmann::json{{"program", "Airwright"}, {"version", CTVersionUtils::GetVersionString()}}.dump() << '\n';
    else
      std::cout << "Airwright " << CTVersionUtils::GetVersionString() << '\n';
  });
}

} // namespace aw::cli
