#pragma once
// The subcommands of airwright-cli. Each Add...Command registers one
// subcommand on the application; its callback writes its output to stdout
// and throws CommandError for a failure the user must hear about.

#include "catalogue/CatalogueSession.h"
#include "docs/DocumentFile.h"

#include <CLI/CLI.hpp>

#include <memory>
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

// A document that could not be saved: message -3 with the file's name and the reason.
CommandError SaveFailure(const docs::CTDocWriteError& error);

// The options of the whole program, read by the subcommands after parsing.
struct CommonOptions
{
  std::string catalogueFile; // --catalogue, empty for the catalogue the program carries

  CTCatalogueSource CatalogueSource() const;
};

// The catalogue for a command that works with the units (select, and the
// commands that document a selection): read as the window reads it, of the
// structure version the program expects (message 5014 otherwise) and with
// units. A failure is one CommandError naming the file and the place; what
// the load left out is said on stderr.
std::unique_ptr<CTCatalogueSession> OpenProgramCatalogue(const CommonOptions& common,
                                                         std::unique_ptr<CTFactory> pFactory);
// Only loaded, for looking into a catalogue: a mismatched version is the
// caller's to report.
std::unique_ptr<CTCatalogueSession> LoadCatalogue(const CTCatalogueSource& source,
                                                  const CTCatalogueLoadOptions& options);
// Says on stderr what an auto-correcting load left out, if anything.
void WarnAboutLeftOut(const CTCatalogueSession& session);

void AddVersionCommand(CLI::App& app);
void AddAirCommand(CLI::App& app);
void AddCatalogueCommand(CLI::App& app, const CommonOptions& common);
void AddLzssCommand(CLI::App& app);
void AddSelectCommand(CLI::App& app, const CommonOptions& common);
void AddGlossaryCommand(CLI::App& app);
// The global --language de|fr|en.
void AddLanguageOption(CLI::App& app);
void AddDocumentCommand(CLI::App& app);
void AddProjectCommand(CLI::App& app, const CommonOptions& common);
void AddChartCommand(CLI::App& app, const CommonOptions& common);
void AddReportCommand(CLI::App& app, const CommonOptions& common);
void AddMaterialsCommand(CLI::App& app, const CommonOptions& common);

} // namespace aw::cli
