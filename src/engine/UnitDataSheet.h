#pragma once
// The data sheet of one unit as the catalogue holds it: dimensions, electrical
// data of the standard power supply, the supply speed, operating limits and
// options. The Database page, the command line and the report read it; its
// sections give the texts they show, in the units in effect.

#include <optional>
#include <string>
#include <vector>

namespace aw {

class Cls_Brisa;

struct CTTemperatureRange
{
  double min = 0; // °C
  double max = 0; // °C
};

struct CTDataSheetOption
{
  std::string szName;
  std::string szDescription;
  double width = 0, height = 0, depth = 0; // mm
  std::string szMCA;
};

struct CTUnitDataSheet
{
  std::string szQualifiedName;
  int nFamily = 0;
  double width = 0, height = 0, depth = 0; // mm
  double weight = 0;                       // kg
  // Electrical data of the standard power supply.
  std::string szPowerSupply;
  std::string szFrequency;
  std::string szPhases; // as stored: the number, "N" for a neutral conductor
  double voltage = 0, minVoltage = 0, maxVoltage = 0; // V
  double mca = 0, mfa = 0, rla = 0, fla = 0;          // A
  // The supply speed; the catalogue keeps sound level and current as texts with their unit.
  std::string szSoundLevel;
  std::string szCurrent;
  double powerInput = 0;    // kW
  double ductDiameter = 0;  // mm
  double nominalHumidity = 0; // kg/h, 0 for none
  double nominalAirflow = 0;  // l/s
  CTTemperatureRange ambient, room, ventilationIn;
  double maxAmbientRH = 0, maxRoomRH = 0, maxExchangerRH = 0; // %
  // For units that can be installed upside down.
  std::optional<double> maxAmbientRHUpsideDown, maxRoomRHUpsideDown, maxExchangerRHUpsideDown;
  // Units with a fan-only operation (Pelmar-MF).
  CTTemperatureRange fanOnly;
  double minCoolingRH = 0, minHeatingRH = 0; // %
  std::vector<CTDataSheetOption> options;
};

// pUnit: a picked solution (its supply speed is the one shown) or a catalogue unit.
CTUnitDataSheet GetUnitDataSheet(Cls_Brisa& pUnit);

// One shown line of the data sheet: its key ("Txt_WHD"), caption and text.
struct CTDataSheetRow
{
  std::string szKey, szCaption, szText;
};

struct CTDataSheetSection
{
  std::string szKey, szCaption; // "Box_Dimensions", "Dimensions"
  bool bShown = true;           // the section applies to the unit
  std::vector<CTDataSheetRow> rows;
};

// The sections in the order the page and the report show them, the values
// written in the units in effect; a value of 0 is no value and shows nothing.
std::vector<CTDataSheetSection> DataSheetSections(const CTUnitDataSheet& data);

// Width × height × depth: the first two without unit, the depth with it.
std::string FormatWHD(double width, double height, double depth);

} // namespace aw
