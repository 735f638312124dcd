#include "i18n/MessageTexts.h"

#include <array>

namespace aw::i18n {
namespace {

using namespace std::string_view_literals;

// Item i is message -(i + 1).
constexpr std::array kManager = {
  "File $1 not found"sv,
  "Unable to open file $1"sv,
  "Unable to create file $1"sv,
  "Read-only"sv,
  "File has changed. Save changes first?"sv,
  "$1 is not a valid integer number"sv,
  "$1 is not a valid non-negative number"sv,
  "$1 is not a valid positive number"sv,
  "Uninstall"sv,
  "$1 successfully uninstalled"sv,
  "Are you sure you want to uninstall $1?"sv,
  "You need administrator rights to uninstall $1. Only the user preferences are removed"sv,
};

// Item n is message n; 0, 1 and 32 are kept free.
constexpr std::array kProgram = {
  ""sv,                                                                                   // 0
  ""sv,                                                                                   // 1
  "Exhaust air limits"sv,                                                                 // 2
  "Exchanger limits"sv,                                                                   // 3
  "Maximum relative humidity: $1%"sv,                                                     // 4
  "Room air limits"sv,                                                                    // 5
  "Temperature range: $1 .. $2"sv,                                                        // 6
  "Ventilation in limits"sv,                                                              // 7
  "Ventilation out limits"sv,                                                             // 8
  "No solution found !"sv,                                                                // 9
  "Electronic circuit"sv,                                                                 // 10
  "Other"sv,                                                                              // 11
  "Remote controller"sv,                                                                  // 12
  "Wireless remote controller"sv,                                                         // 13
  "This program is the property of Korvath. Korvath accepts no liability for the accuracy and "
  "reliability of its results."sv,                                                        // 14
  "Page $1"sv,                                                                            // 15
  "Printing page $1"sv,                                                                   // 16
  "50Hz"sv,                                                                               // 17
  "50/60Hz"sv,                                                                            // 18
  "60Hz"sv,                                                                               // 19
  "Confirm"sv,                                                                            // 20
  "Error"sv,                                                                              // 21
  "Information"sv,                                                                        // 22
  "Warning"sv,                                                                            // 23
  "The selection software uses data in accordance with JIS B 8628 standard and shows the result for "
  "specifically given airflow, ESP and temperature conditions."sv,                        // 24
  "For official Ecodesign ERP data in accordance with EN1254 / 2014, please consult $1"sv, // 25
  "about/korvath-innovations/seasonal-efficiency.html"sv,                                 // 26
  "Airwright"sv,                                                                          // 27
  "Calculated inlet"sv,                                                                   // 28
  "Cooling Enthalpy Exchange Efficiency"sv,                                               // 29
  "Heating Enthalpy Exchange Efficiency"sv,                                               // 30
  "Exhaust speed"sv,                                                                      // 31
  ""sv,                                                                                   // 32
  "Inlet heater"sv,                                                                       // 33
  "Inlet heater option"sv,                                                                // 34
  "Supply speed"sv,                                                                       // 35
  "Supply heater"sv,                                                                      // 36
  "Temperature Exchange Efficiency"sv,                                                    // 37
  "Uninstall"sv,                                                                          // 38
  "User defined inlet"sv,                                                                 // 39
  "The minimum ventilation in temperature is $1. However, below $2, an inlet heater will be selected to "
  "avoid an intermittent operation and make sure the supply air fan operates continuously."sv, // 40
  "Maximum bitmap size is $1x$2 pixels"sv,                                                // 41
  "Cannot read this ventilation project file."sv,                                         // 42
  "A wet bulb temperature must be smaller or equal to a dry bulb temperature."sv,         // 43
  "Selecting a ventilation device outside its cooling capacity range."sv,                 // 44
  "The given exhaust airflow is too large for any of the available ventilation devices."sv, // 45
  "The given exhaust airflow is too small for any of the available ventilation devices."sv, // 46
  "The exhaust ESP is too large for any of the available ventilation devices."sv,         // 47
  "The exhaust ESP is too small for any of the available ventilation devices."sv,         // 48
  "Selecting a ventilation device outside its heating capacity range."sv,                 // 49
  "The room temperature in heating must be lower than the discharge temperature ($1)."sv, // 50
  "The given inlet heater is too large and leads to an excessive inlet temperature."sv,   // 51
  "The user defined inlet heater is smaller than the calculated minimum inlet heater."sv, // 52
  "The ambient air relative humidity in cooling is smaller than $1%."sv,                  // 53
  "The ambient air relative humidity in heating is smaller than $1%."sv,                  // 54
  "In cooling mode, the ambient temperature must be larger than the room temperature."sv, // 55
  "In heating mode, the ambient temperature must be smaller than the room temperature."sv, // 56
  "There is no selected ventilation device! Not possible to save the data."sv,            // 57
  "The selected device is outside its temperature operation limits."sv,                   // 58
  "The ambient air temperature is outside the range $1 - $2."sv,                          // 59
  "The ambient air relative humidity is larger than $1%."sv,                              // 60
  "The room air temperature is outside the range $1 - $2."sv,                             // 61
  "The room air relative humidity is larger than $1%."sv,                                 // 62
  "The ambient air temperature at the device inlet is outside the range $1 - $2."sv,      // 63
  "The heat exchanger air temperature is outside the range $1 - $2."sv,                   // 64
  "The heat exchanger air relative humidity is larger than $1%."sv,                       // 65
  "It is not possible to deselect a standard option."sv,                                  // 66
  "The given supply airflow is too large for any of the available ventilation devices."sv, // 67
  "The given supply airflow is too small for any of the available ventilation devices."sv, // 68
  "The supply ESP is too large for any of the available ventilation devices."sv,          // 69
  "The supply ESP is too small for any of the available ventilation devices."sv,          // 70
  "The given supply heater is too large and leads to an excessive supply temperature."sv, // 71
  "The user defined supply heater is smaller than the calculated minimum supply heater."sv, // 72
  "Airwright is successfully uninstalled."sv,                                             // 73
  "Your project has not been saved. Save it now?"sv,                                      // 74
  "Are you sure to uninstall Airwright?"sv,                                               // 75
  "ZAR"sv,                                                                                // 76
  "Tessel"sv,                                                                             // 77
  "Corvane"sv,                                                                            // 78
  "Commissioning parameters"sv,                                                           // 79
  "Configuration Data"sv,                                                                 // 80
  "Damper"sv,                                                                             // 81
  "default"sv,                                                                            // 82
  "Technical data"sv,                                                                     // 83
  "Dimensional data for $1"sv,                                                            // 84
  "Ducting"sv,                                                                            // 85
  "Corrected Efficiency Data"sv,                                                          // 86
  "Efficiency Data"sv,                                                                    // 87
  "AHU"sv,                                                                                // 88
  "Exhaust"sv,                                                                            // 89
  "Exhaust ducting"sv,                                                                    // 90
  "Exhaust fan curve setting"sv,                                                          // 91
  "Fan Characteristics"sv,                                                                // 92
  "Fan mode"sv,                                                                           // 93
  "Wendrix"sv,                                                                            // 94
  "Pelmar-MF"sv,                                                                          // 95
  "Selected option data"sv,                                                               // 96
  "Option Name"sv,                                                                        // 97
  "Plug and Play"sv,                                                                      // 98
  "Psychrometric Diagram"sv,                                                              // 99
  "Psychrometric Points"sv,                                                               // 100
  "Remote evaporator"sv,                                                                  // 101
  "Selected ventilation device: $1"sv,                                                    // 102
  "Selection Data"sv,                                                                     // 103
  "Remote controller fan speed setting"sv,                                                // 104
  "Field setting for freshup"sv,                                                          // 105
  "Supply/Extract fan operation setting"sv,                                               // 106
  "Field settings for $1 remote controller"sv,                                            // 107
  "Field setting for ventilation airflow"sv,                                              // 108
  "ph"sv,                                                                                 // 109
  "Specification Data"sv,                                                                 // 110
  "Supply"sv,                                                                             // 111
  "Supply ducting"sv,                                                                     // 112
  "Supply fan curve setting"sv,                                                           // 113
  "Brisa"sv,                                                                              // 114
  "Dorsa"sv,                                                                              // 115
  "Selection parameters for use in Tessel_Wright"sv,                                      // 116
  "Indoor unit"sv,                                                                        // 117
  "There is no printer currently selected"sv,                                             // 118
  "There are no printers defined in Windows"sv,                                           // 119
  "The airflow $1 is outside the unit's range $2 – $3."sv,                                // 120
  "$1 was held to its range: $2 asked for, $3 used."sv,                                    // 121
  "$1 was changed so that the required airflow lies in the family's range: $2 before, $3 now."sv, // 122
  "The device has no filter option of the requested class."sv,                            // 123
  "The catalogue $1 was read in part: $2."sv,                                             // 124
};
static_assert(kProgram.size() == 125);

// Item i is message 5000 + i.
constexpr std::array kDatabase = {
  "Verifying databases. Please wait..."sv,
  "Undelete a definition"sv,
  "Database error in '$1', code = $2."sv,
  "Database '$1' is in use."sv,
  "Invalid database structure in '$1'."sv,
  "Alias missing for database '$1'."sv,
  "ODBC entry missing for database '$1'."sv,
  "'$1' is not an ODBC database."sv,
  "Permission denied for database '$1'."sv,
  "Database '$1' is read only."sv,
  "Unknown error opening database '$1'."sv,
  "Range check error: '$1'."sv,
  "Value required for '$1'."sv,
  "Value for '$1' must be unique."sv,
  "Incorrect version of database '$1'."sv,
  "Invalid login name or password"sv,
  "Select the definition you want to undelete."sv,
  "Are you sure you want to delete '$1'?"sv,
  "SQL server: Error inserting record"sv,
  "SQL server: Error updating record"sv,
  "SQL server: Error deleting record"sv,
  "SQL server: Error executing select statement"sv,
};
static_assert(kDatabase.size() == 22);

// The online-services component adds its texts here; the list starts with
// one placeholder item so that its range exists.
constexpr std::array kOnlineServices = {""sv};

} // namespace

std::span<const std::string_view> ManagerMessages()
{
  return kManager;
}

std::span<const std::string_view> ProgramMessages()
{
  return kProgram;
}

std::span<const std::string_view> DatabaseMessages()
{
  return kDatabase;
}

std::span<const std::string_view> OnlineServiceMessages()
{
  return kOnlineServices;
}

} // namespace aw::i18n
