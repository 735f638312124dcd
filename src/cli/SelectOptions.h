#pragma once
// The Selection page's inputs as command-line options, shared by the
// commands that run a selection first (select, chart).

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

namespace aw {
class CTSelectionModel;
}

namespace aw::cli {

struct SelectOptions
{
  std::string family = "brisa";
  std::optional<std::string> airflowPerPerson, roomSurface, areaPerPerson, supply, exhaust, altitude, espSupply,
    espExhaust;
  std::optional<double> persons;
  std::string supplyFilter = "none", exhaustFilter = "none", plenum = "none";
  std::optional<std::string> maxSpeed;
  bool upsideDown = false;
  std::optional<std::string> coolingRoom, coolingAmbient, heatingRoom, heatingAmbient;
  std::optional<std::string> coolingDischarge, heatingDischarge, supplyTemp;
  std::optional<std::string> coolingInletHeater, heatingInletHeater, supplyHeater;
  int pick = 1;
  bool json = false;
};

// Registers the input options (not --json) on a subcommand.
void AddSelectOptions(CLI::App& cmd, SelectOptions& o);
// Sets the model's inputs from the options; throws CommandError for a bad value.
void ApplySelectOptions(CTSelectionModel& model, const SelectOptions& o);
// The program's unit set (with the imperial units), once.
void UseProgramUnits();
// The units in effect for the outputs: the base (SI) units, or the imperial
// units of temperature, humidity, enthalpy, airflow, length, surface,
// pressure and power.
void UseUnitSystem(bool bImperial);

} // namespace aw::cli
