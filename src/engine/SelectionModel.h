#pragma once
// The selection procedure as one model object: the inputs of the Selection
// page with their ranges and defaults, the required airflows, the family
// change with its ranges, the unit search over the family with filters and
// plenums, the offered solutions, the cooling and heating results of the
// picked one, its option lists and the message of every error.
//
// The window binds its controls to this model and calls its handlers; the
// command line drives it the same way. Inputs are held in the base units of
// the unit system (airflow l/s, surface m², length m, pressure Pa,
// temperature °C); the working airflows of the search and of the results
// are in m³/h (l/s × 3.6).

#include "air/Air.h"
#include "engine/ClBrisa.h"
#include "engine/SelectionInputs.h"
#include "engine/SelectionMessages.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace aw {

class CTBaseFactory;

// What one mode computed for the picked solution.
struct CTModeResults
{
  bool bComputed = false; // the calculation ran and succeeded
  int nCode = 0;          // 0, or the error code that stopped it
  AWPsychroSet States;
  double TotalCap = 0, SensibleCap = 0, HeatCap = 0; // kW
  double TemperatureEff = 0, EnthalpyEff = 0;        // %
  double LatentSavings = 0, SensibleSavings = 0;     // kW
  double SupplyTemp = kNoValue;                      // °C, shown as supply temperature
  double Humidification = 0;                         // kg/h
  double AmbientLimit = kNoTemperature;              // °C, switch-on temperature of the inlet heater
  AWHeaterSet InletHeater, SupplyHeater;             // kW
  std::optional<CTSelectionMessage> Message;         // what stopped this mode, none when it ran or was not reached
};

// The pressure balance of the picked solution (Pa); one side.
struct CTEspData
{
  double FanPressure = 0, FilterDrop = 0, PlenumDrop = 0, AdditionalResistance = 0;
  // What the fan has left for the ducting at its speed and airflow.
  double Available() const { return FanPressure - FilterDrop - PlenumDrop; }
};

// One offered solution as the list shows it.
struct CTSolutionRow
{
  std::string szUnit, szSupplySpeed, szExhaustSpeed;
  bool bHasPlenum = false;
  double SelKey = 0;
  double AirflowShare_pct = 0; // the larger required airflow ÷ the unit's maximum airflow
  double SupplyAvailable_Pa = 0, ExhaustAvailable_Pa = 0;
  bool bHasExhaust = false; // the family has an exhaust side (its pressure is meaningful)
};

// What the selection rests on and what the picked solution leaves: the
// required airflows of the search and, with a picked solution, its load and
// the pressures and power of its fans.
struct CTSelectionFigures
{
  double RequiredSupply_ls = 0, RequiredExhaust_ls = 0;
  bool bHasExhaust = false;
  bool bPicked = false;
  double AirflowShare_pct = 0;
  double SupplyAvailable_Pa = 0, ExhaustAvailable_Pa = 0;
  // Where the catalogue holds the power input of the chosen speeds.
  std::optional<double> PowerInput_kW, SpecificFanPower_Wm3s;
};

// An input that holds another value than the one asked for: typed beyond
// its limits, or rewritten so that the required airflow fits the family.
struct CTInputNotice
{
  const CTUnitInput* pInput = nullptr;
  std::string szInput;   // stable key ("totalSupply")
  std::string szCaption; // English caption of the input
  double Typed = 0, Used = 0; // base units of the input's dimension
  TLimitReason Reason = TLimitReason::Range;
};

// The notice as a numbered message: message kMsgInputLimited or
// kMsgInputChanged with $1 the caption (szCaption unless another is given,
// such as the window's translated one) and $2, $3 the value asked for and
// the value used, written in the unit in effect with the input's decimals.
CTSelectionMessage NoticeMessage(const CTInputNotice& notice, const std::string& szCaption = {});

// One option combination of the picked unit in the used or available list.
struct CTOptionRow
{
  std::unique_ptr<Cls_DevOptCombination> pCombination;
  std::string szName;
  int nType = 0;
  int nQuantity = 1;
  bool bStandard = false;
};

class CTSelectionModel
{
public:
  enum class TRequirement { AreaPerPerson, NumberOfPersons };
  static constexpr double kAirflowFactor = 3.6; // m³/h per l/s
  static constexpr double kEvaporatingTemps[] = {6, 9, 11}; // °C, the first is the default

  // Reads the catalogue's units of pFactory (none: the default factory),
  // sorted in catalogue order, and initialises the inputs (without a selection).
  explicit CTSelectionModel(CTBaseFactory* pFactory = nullptr);
  ~CTSelectionModel();
  CTSelectionModel(const CTSelectionModel&) = delete;
  CTSelectionModel& operator=(const CTSelectionModel&) = delete;

  // The inputs and choices back to their defaults, then CalcSupply.
  void InitialiseInputs();
  // Many changes at once (a project, the command line): until EndBulkChange
  // no handler recalculates; EndBulkChange runs CalcSupply once.
  // Bulk changes may nest; the outermost one recalculates.
  void BeginBulkChange();
  void EndBulkChange();

  // ---- inputs ----
  CTUnitInput& AirflowPerPerson() { return v_airflowPerPerson; }
  CTUnitInput& RoomSurface() { return v_roomSurface; }
  CTUnitInput& AreaPerPerson() { return v_areaPerPerson; }
  CTUnitInput& NumberOfPersons() { return v_numberOfPersons; }
  CTUnitInput& TotalSupply() { return v_totalSupply; }
  CTUnitInput& TotalExhaust() { return v_totalExhaust; }
  CTUnitInput& Altitude() { return v_altitude; }
  CTUnitInput& DesignSupplyESP() { return v_designSupplyESP; }
  CTUnitInput& DesignExhaustESP() { return v_designExhaustESP; }
  // The ESP inputs' resolution in the pressure unit in effect: inH2O needs hundredths.
  static int EspResolution();
  // The pressure unit changed: both ESP inputs take the new unit's resolution
  // and a value on its steps; the selection follows when a value moved.
  void PressureUnitChanged();
  CTTempConditions& Cooling() { return v_cooling; }
  CTTempConditions& Heating() { return v_heating; }
  TRequirement Requirement() const { return v_requirement; }
  bool TotalSupplyTicked() const { return v_totalSupplyTicked; }
  bool TotalExhaustTicked() const { return v_totalExhaustTicked; }

  // Choices that only recompute the offered list (they call SimpleRecalculation).
  void SetSupplyFilter(int nIndex);  // 0 none, 1 F6, 2 F7, 3 F8
  void SetExhaustFilter(int nIndex);
  void SetPlenum(int nChoice);       // 0 none, 1 OA/EA, 2 all
  void SetMaxSpeed(int nIndex);      // index into MaxSpeedTypes(); kept by name across families
  // The maximum speed type by name, also for a family chosen later in a bulk change.
  void SetMaxSpeedName(const std::string& szName);
  std::string MaxSpeedName() const;
  void SetUpsideDown(bool bTicked);
  int SupplyFilter() const { return v_supplyFilter; }
  int ExhaustFilter() const { return v_exhaustFilter; }
  int Plenum() const { return v_plenum; }
  int MaxSpeed() const { return v_maxSpeedIndex; }
  bool UpsideDown() const { return v_upsideDown; }
  // Stored conditions into the cooling or heating panel, converted with the air at the altitude input.
  void SetConditions(CTTempConditions& conditions, const CTConditionSelection& selection);

  // ---- handlers ----
  void CapacityCallBack();   // an airflow, surface, persons or ESP input changed
  void AltitudeCallBack();   // the altitude changed: results only
  void EfficiencyCallBack(); // a design condition changed: results only
  void SimpleRecalculation();
  void AreaPerPersonClick();
  void NumberOfPersonsClick();
  void TotalSupplyClick(bool bTicked);
  void TotalExhaustClick(bool bTicked);
  // Chooses the family and runs the family change (its ranges, then SelectDevices).
  void SetFamily(int nFamily);
  // Picks an offered solution (-1: none) and computes its results.
  void SelectedDevicesClick(int nRow);

  // ---- operations by intent (the command line and the project) ----
  void SetRequirementMode(TRequirement mode);
  // Ticks the total supply (exhaust) when needed and enters Q (l/s).
  void SetTotalSupply(double Q);
  void SetTotalExhaust(double Q);
  void Pick(int nRow);

  // ---- the procedure ----
  void CalcSupply();
  void FamilyChange();
  void SelectDevices();
  void ComputeResults();
  void ClearResults();

  // ---- state ----
  int Family() const { return v_family; }
  // The families the catalogue has units of, with their names, in code order.
  std::vector<std::pair<std::string, int>> Families() const;
  double MinAirflow() const { return v_minAirflow; } // l/s, of the family
  double MaxAirflow() const { return v_maxAirflow; }
  double SupplyAir() const { return v_supplyAir; } // m³/h, of the last selection
  double ExhaustAir() const { return v_exhaustAir; }
  const ObjectList<Cls_Brisa>& BaseDevices() const { return v_baseDevices; }
  const ObjectList<Cls_BrisaSpType>& MaxSpeedTypes() const { return v_speedTypes; }
  double EvaporatingTemp() const { return kEvaporatingTemps[0]; }
  bool PlenumAvailable() const { return v_plenumAvailable; }
  bool UpsideDownVisible() const;
  bool HasHumidifier() const;

  const ObjectList<Cls_Brisa>& Solutions() const { return v_selectionList; }
  std::vector<CTSolutionRow> SolutionRows() const;
  int SelectedRow() const { return v_selectedRow; }
  Cls_Brisa* CurrentBrisa() const { return v_currBrisa; }
  const CTModeResults& CoolingResults() const { return v_coolingResults; }
  const CTModeResults& HeatingResults() const { return v_heatingResults; }
  // Every unit of the kept search that offered no solution, with its reason.
  const std::vector<CTUnitRejection>& Rejections() const { return v_rejections; }
  CTSelectionFigures Figures() const;
  // The inputs that hold another value than the one asked for, in page order.
  std::vector<CTInputNotice> Notices() const;
  const CTEspData& SupplyEsp() const { return v_supplyEsp; }
  const CTEspData& ExhaustEsp() const { return v_exhaustEsp; }
  double ExhaustSupplyRatio() const; // exhaust ÷ supply airflow
  double SupplyNominalRatio() const; // supply ÷ nominal airflow (Dorsa)
  const TAir& Air() const { return v_air; }
  CTBaseFactory* Factory() const { return v_factory; }

  // The message of the last search or calculation, none when all went well.
  const std::optional<CTSelectionMessage>& Message() const { return v_message; }
  bool DataHaveChanged() const { return v_dataHaveChanged; }
  void SetDataHaveChanged(bool b) { v_dataHaveChanged = b; }

  // ---- options of the picked unit ----
  void FillOptions();
  const std::vector<CTOptionRow>& UsedOptions() const { return v_usedOptionRows; }
  const std::vector<CTOptionRow>& AvailOptions() const { return v_availOptionRows; }
  // The picked unit's combinations whose option (class, object number) is
  // listed become its used options; then FillOptions.
  void RestoreUsedOptions(const std::vector<std::pair<int, int>>& options);
  void SelectOption(int nAvailRow);   // moves it to the used list
  bool DeselectOption(int nUsedRow);  // false (message 66) for a standard option

private:
  void MarkChanged() { v_dataHaveChanged = true; }
  void ShowMessage(CTSelectionMessage message) { v_message = std::move(message); }
  void ShowSelectionError(int nCode);
  int SearchFilter(int nIndex) const;
  bool ComputeCooling(bool bUpsideDown);
  bool ComputeHeating(bool bUpsideDown);
  template <class Compute>
  int ComputeMode(CTTempConditions& conditions, CTModeResults& r, Compute compute);
  void FillEsp();
  std::pair<CTEspData, CTEspData> EspOf(Cls_Brisa& solution) const;
  double AirflowShare(const Cls_Brisa& solution) const;
  void UpdateUsedOptions();

  CTBaseFactory* v_factory;
  OwningObjectList<Cls_DeviceOption> v_options;
  OwningObjectList<Cls_Brisa> v_devices; // every unit, catalogue order; outlives the solutions
  ObjectList<Cls_Brisa> v_baseDevices;   // the units of the family
  ObjectList<Cls_BrisaSpType> v_speedTypes;
  OwningObjectList<Cls_Brisa> v_selectionList;
  Cls_Brisa* v_currBrisa = nullptr;
  int v_selectedRow = -1;

  CTUnitInput v_airflowPerPerson, v_roomSurface, v_areaPerPerson, v_numberOfPersons, v_totalSupply, v_totalExhaust,
    v_altitude, v_designSupplyESP, v_designExhaustESP;
  CTTempConditions v_cooling{true}, v_heating{false};
  TRequirement v_requirement = TRequirement::AreaPerPerson;
  bool v_totalSupplyTicked = false, v_totalExhaustTicked = false;
  int v_family = Cls_Brisa::kFamilyBrisa;
  int v_maxSpeedIndex = -1;
  std::string v_maxSpeedName; // the user's choice; empty: the family's highest
  int v_supplyFilter = 0, v_exhaustFilter = 0, v_plenum = 0;
  bool v_upsideDown = false;
  bool v_plenumAvailable = false;

  bool v_converting = false;
  int v_bulkDepth = 0;
  bool v_dataHaveChanged = false;
  double v_minAirflow = 1, v_maxAirflow = 8889; // l/s
  double v_supplyAir = 0, v_exhaustAir = 0;     // m³/h
  TAir v_air;
  CTModeResults v_coolingResults, v_heatingResults;
  CTEspData v_supplyEsp, v_exhaustEsp;
  std::vector<CTUnitRejection> v_rejections;
  std::optional<CTSelectionMessage> v_message;
  std::vector<CTOptionRow> v_usedOptionRows, v_availOptionRows;
};

} // namespace aw
