#pragma once
// What each device family has and shows: its name, the inputs and panels of
// the Selection page, the pages and result panels of the window, and the air
// states of its process. The window, the command line, the charts and the
// report read these facts here instead of testing family codes themselves.

#include <array>
#include <optional>

namespace aw {

// The family codes of the units (Cls_BrisaData::GetType).
enum class TFamily : int { Brisa = 0, Dorsa = 1, PelmarMF = 2 };

// The eight air states of one operating mode, in the order of AWPsychroSet.
enum class TAirStateId : int { RA, OA, EA, SA, VI, VO, CI, HI };
inline constexpr int kAirStateCount = 8;

struct CTFamilyTraits
{
  int nCode = -1;
  int nNameMessage = 0;         // the message that names the family (114 "Brisa", ...)
  bool bHasModel = false;       // the performance model computes this family
  bool bHasExhaust = false;     // exhaust airflow, exhaust ESP, airflow ratios and dampers
  bool bHasFilters = false;     // filter choice with its filter and plenum pressure lines
  bool bHasCoil = false;        // a direct-expansion coil: coil-in state, supply/nominal ratio
  bool bHasHumidifier = false;  // may carry a humidifier (heating only)
  bool bHasDischarge = false;   // the discharge temperature is an input
  bool bSupplyHeater = false;   // the supply heater and supply temperature lines in heating
  bool bExchanger = false;      // efficiency and savings results, efficiency pages
  bool bCapacities = false;     // the coil capacities panel ("Selection Criteria")
  bool bSensibleCapacity = false;
  bool bConfigurationPage = false;
  bool bFanOnlyLimits = false;  // fan-only operating limits on the data sheet

  // The air states this family's process has in the given mode.
  bool HasState(TAirStateId state, bool bCooling, bool bWithHumidifier) const;
  // The supply temperature is a result of its own (Pelmar-MF reaches a discharge).
  bool ShowsSupplyTemperature() const { return bHasDischarge; }
  bool ShowsHumidification(bool bCooling, bool bWithHumidifier) const
  {
    return bHasHumidifier && !bCooling && bWithHumidifier;
  }
  bool ShowsSupplyHeater(bool bCooling) const { return bSupplyHeater && !bCooling; }
  // The caption of the capacities panel, empty without one.
  const char* CapacitiesTitle() const;
};

// The traits of a family code; codes without a family of their own (3 to 8
// name families without a model, others nothing) have a name message at most.
const CTFamilyTraits& FamilyTraits(int nFamilyCode);
inline const CTFamilyTraits& FamilyTraits(TFamily family) { return FamilyTraits(static_cast<int>(family)); }

// The message that names a family; nothing for codes without a name.
std::optional<int> FamilyNameMessage(int nFamilyCode);

} // namespace aw
