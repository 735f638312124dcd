#pragma once
// The Selection page's inputs as command-line options, shared by the
// commands that run a selection first (select, chart).

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

namespace aw {
class CTBaseFactory;
class CTSelectionModel;
}

namespace aw::cli {

struct SelectOptions
{
  std::optional<std::string> family;
  std::optional<std::string> airflowPerPerson, roomSurface, areaPerPerson, supply, exhaust, altitude, espSupply,
    espExhaust;
  std::optional<double> persons;
  std::optional<std::string> supplyFilter, exhaustFilter, plenum;
  std::optional<std::string> maxSpeed;
  bool upsideDown = false;
  std::optional<std::string> coolingRoom, coolingAmbient, heatingRoom, heatingAmbient;
  std::optional<std::string> coolingDischarge, heatingDischarge, supplyTemp;
  std::optional<std::string> coolingInletHeater, heatingInletHeater, supplyHeater;
  std::optional<int> pick;
  std::optional<std::string> project, saveProject;
  bool json = false;
};

// Registers the input options and --project (not --save-project, not --json) on a subcommand.
void AddSelectOptions(CLI::App& cmd, SelectOptions& o);
// Opens the project when one is given, then sets the model's inputs from the
// other options and picks the solution; throws CommandError for a bad value.
void ApplySelectOptions(CTSelectionModel& model, const SelectOptions& o, CTBaseFactory& factory);
// The program's unit set (with the imperial units), once.
// Ends a command that has written its output with the model's selection
// message, if there is one (exit code 2).
void EndWithSelectionMessage(const CTSelectionModel& model);
void UseProgramUnits();
// The units in effect for the outputs: the base (SI) units, or the imperial
// units of temperature, humidity, enthalpy, airflow, length, surface,
// pressure and power.
void UseUnitSystem(bool bImperial);

} // namespace aw::cli
