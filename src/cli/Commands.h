#pragma once
// The subcommands of airwright-cli. Each Add...Command registers one
// subcommand on the application; its callback writes its output to stdout
// and throws CommandError for a failure the user must hear about.

#include <CLI/CLI.hpp>

#include <stdexcept>
#include <string>

namespace aw::cli {

// A failure of a subcommand: main prints the text to stderr and exits with the code.
class CommandError : public std::runtime_error
{
public:
  explicit CommandError(const std::string& text, int nExitCode = 1) : std::runtime_error(text), v_exitCode(nExitCode) {}
  int ExitCode() const { return v_exitCode; }

private:
  int v_exitCode;
};

void AddVersionCommand(CLI::App& app);
void AddAirCommand(CLI::App& app);
void AddCatalogueCommand(CLI::App& app);
void AddLzssCommand(CLI::App& app);
void AddSelectCommand(CLI::App& app);
void AddGlossaryCommand(CLI::App& app);
// The global --language de|fr|en.
void AddLanguageOption(CLI::App& app);
void AddDocumentCommand(CLI::App& app);
void AddProjectCommand(CLI::App& app);
void AddChartCommand(CLI::App& app);

} // namespace aw::cli
