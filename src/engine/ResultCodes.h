#pragma once
// The codes by which the unit search, the performance model and the heater
// checks report why a selection or a result failed. Each code has one
// numbered message (SelectionMessages.h); 0 is success.

namespace aw {

enum TResultCode : int {
  rcOK = 0,
  // The unit search, one fan side against the required airflow and pressure.
  rcSupplyAirflowTooSmall = 1,
  rcSupplyAirflowTooLarge = 2,
  rcExhaustAirflowTooSmall = 3,
  rcExhaustAirflowTooLarge = 4,
  rcSupplyEspTooSmall = 5,
  rcSupplyEspTooLarge = 6,
  rcExhaustEspTooSmall = 7,
  rcExhaustEspTooLarge = 8,
  // The performance model of the picked unit.
  rcRoomRH = 9,               // room humidity above RAMaxRH
  rcAmbientRH = 10,           // humidity at the outdoor-air inlet above OAMaxRH
  rcRoomTemp = 11,            // room temperature outside RAMinTemp … RAMaxTemp
  rcAmbientTemp = 12,         // ambient temperature above OAMaxTemp (Pelmar-MF)
  rcInletTemp = 13,           // temperature after the inlet heater outside OAMinTemp … OAMaxTemp
  rcAirflow = 14,             // supply or exhaust airflow outside the unit's range
  rcNoCoolCapacity = 15,      // no cooling capacity for these conditions
  rcNoHeatCapacity = 16,      // no heating capacity for these conditions
  rcDischargeTooLow = 17,     // Pelmar-MF: discharge not above the room temperature in heating
  rcMinCoolRH = 18,           // Pelmar-MF: ambient humidity in cooling too low
  rcMinHeatRH = 19,           // Pelmar-MF: ambient humidity in heating too low
  rcInletHeaterTooLarge = 20,
  rcSupplyHeaterTooLarge = 21,
  // The user's heaters against the calculated ones.
  rcInletHeaterTooSmall = 22,
  rcSupplyHeaterTooSmall = 23,
};

inline constexpr int kFirstResultCode = rcSupplyAirflowTooSmall;
inline constexpr int kLastResultCode = rcSupplyHeaterTooSmall;

} // namespace aw
