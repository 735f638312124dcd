#pragma once
// The numbered message that reports a selection error: the search's codes
// 1 … 8, the performance model's 9 … 21, the heater checks' 22 and 23, and
// the input checks of the result computation. The texts themselves are
// resolved by the message layer from the number and the parameters.

#include <string>
#include <vector>

namespace aw {

class Cls_Brisa;

struct CTSelectionMessage
{
  int nCode = 0;                   // selection error code (0: an input check or "no solution")
  int nMsgNo = 0;                  // message number
  std::vector<std::string> params; // "$1", "$2", ... in order
};

// Message numbers of the selection that are not error codes.
enum SelectionMessageNr : int {
  kMsgNoSolution = 9,          // an empty solution list without an error of the search
  kMsgWetBulbAboveDryBulb = 43,
  kMsgCoolingAmbientBelowRoom = 55,
  kMsgHeatingAmbientAboveRoom = 56,
  kMsgCannotDeselectStandard = 66,
  kMsgOtherError = 72,
  kMsgAirflowOutsideUnitRange = 120,
  kMsgInputLimited = 121,      // an input held to its range
  kMsgInputChanged = 122,      // an input rewritten so that the required airflow fits the family
  kMsgNoFilterOfClass = 123,   // a unit left out of the search for want of a filter class
};

// The message of an error code; pUnit gives the limits that the placeholders
// show (none: 0), HeatingDischarge (°C) the placeholder of code 17, SupplyAir
// and ExhaustAir (m³/h) the airflow of code 14 (the supply's when it is
// outside the unit's range, else the exhaust's). Temperatures and airflows are
// written in the unit system's current unit with its caption.
CTSelectionMessage SelectionErrorMessage(int nCode, Cls_Brisa* pUnit, double HeatingDischarge, double SupplyAir = 0,
                                         double ExhaustAir = 0);

// The message number of an error code.
int SelectionErrorMessageNr(int nCode);

} // namespace aw
