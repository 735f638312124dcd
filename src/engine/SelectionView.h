#pragma once
// The selection as the window shows it, without the window: blocks of a
// title and caption/value pairs for the inputs, the pressure balance, the
// results, the air states, the capacities, the commissioning settings and
// the technical data of the picked unit. Captions are the window's English
// texts (the caller translates them); values are formatted in the units in
// effect. The report is composed from these blocks, so that it says what
// the window says.

#include "engine/SelectionModel.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace aw {

struct CTViewPair
{
  std::string szLabel, szValue;
  bool operator==(const CTViewPair&) const = default;
};

struct CTViewBlock
{
  std::string szTitle;
  std::vector<CTViewPair> pairs;

  void Add(std::string szLabel, std::string szValue) { pairs.push_back({std::move(szLabel), std::move(szValue)}); }
  bool operator==(const CTViewBlock&) const = default;
};

// The decimals an input field shows in the unit nUnitIndex of its dimension:
// those of its resolution, and no more than the unit has digits.
int InputDecimals(const CTUnitInput& input, int nUnitIndex);
// An input as its field shows it, followed by a blank and the unit: the unit
// in effect, or szFixedUnit ("%") for a field with a fixed unit text.
std::string FormatInput(const CTUnitInput& input, const std::string& szFixedUnit = {});

// The text of an option type code; "Unknown option type ($1)" for others.
std::string OptionTypeText(int nCode);

// The design conditions of one mode.
struct CTConditionBlocks
{
  CTViewBlock RA, OA;
  std::optional<CTViewBlock> Discharge; // families with a discharge temperature input
  std::optional<CTViewBlock> Heaters;   // when a heater or a supply temperature is set
};

// One used option of the picked unit.
struct CTViewOption
{
  std::string szName; // with " × N" when used more than once
  std::string szPlainName;
  std::string szType, szDescription;
  std::string szWHD;  // empty when the option has no size
  std::string szMCA;  // trimmed; empty for none
};

// The field settings of a remote controller for the unit's speed types.
struct CTViewSetting
{
  std::string szVentilation, szFanSpeed, szSupplyFanCurve, szExhaustFanCurve, szFreshUp, szFanOperation;
};

struct CTViewControllerSettings
{
  std::string szOptionName;
  std::vector<CTViewSetting> settings;
};

struct CTViewCommissioning
{
  std::string szSupplySpeed, szExhaustSpeed;
  CTViewBlock Dampers; // the required additional resistance
  std::vector<CTViewControllerSettings> controllers;
};

class CTSelectionView
{
public:
  // The model must outlive the view; it is read, never changed.
  explicit CTSelectionView(CTSelectionModel& model) : v_model(model) {}
  virtual ~CTSelectionView() = default;

  bool HasUnit() const { return v_model.CurrentBrisa() != nullptr; }
  std::string UnitName() const;
  int UnitType() const; // the picked unit's family code; -1 without a unit
  bool HasExhaust() const;
  // The unit belongs to the FC series, whose data carry a notice.
  bool IsFCSeries() const;

  // ---- the inputs ----
  // The caption of the upside-down choice when it applies and is ticked.
  std::optional<std::string> UpsideDownCaption() const;
  CTViewBlock RoomAirflow() const;
  CTViewBlock Esp() const;
  CTViewBlock Altitude() const;
  CTConditionBlocks Conditions(bool bCooling) const;

  // ---- the results ----
  // Ratios, additional resistance, filter and plenum pressure drops, as far as they apply.
  std::vector<CTViewBlock> PressureBlocks() const;
  // Efficiencies, savings, supply temperature, humidification and heaters, as far as they apply.
  std::vector<CTViewBlock> Results(bool bCooling) const;
  // The eight air states of the mode in the order RA, OA, EA, SA, VI, VO, CI, HI; those the
  // family's process lacks are none.
  std::array<std::optional<CTViewBlock>, 8> AirStates(bool bCooling) const;
  // The coil capacities (cooling, heating) of the families that have them.
  std::optional<std::pair<CTViewBlock, CTViewBlock>> Capacities() const;

  // ---- the unit ----
  virtual std::vector<CTViewOption> UsedOptions() const;
  CTViewCommissioning Commissioning() const;
  // The data sheet in two columns; rows without a value are left out.
  std::vector<CTViewBlock> TechnicalData(bool bLeftColumn) const;

  CTSelectionModel& Model() const { return v_model; }

private:
  CTViewBlock HeaterResults(bool bCooling, const CTModeResults& r) const;

  CTSelectionModel& v_model;
};

} // namespace aw
