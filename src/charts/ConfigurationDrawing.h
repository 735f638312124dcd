#pragma once
// The configuration drawing of the selected unit: a vector schematic of the
// unit with its air paths (the exchanger, the coil and humidifier of a unit
// that has them, the heaters), the captions of the air states where they
// enter and leave, the boxes with the unit's operating limits and the note on
// the lowest ventilation-in temperature. It is laid out for the canvas size it
// is given, so the window's page and the report's 800 × 600 picture share it.
//
// Tags: "caption:RA" … "caption:HI" for the state captions, "unit" for the
// unit's outline, "title" for its name, "path:supply" and "path:extract" for
// the air paths, "heater:Inlet" and "heater:Supply" for the heater boxes (with
// their caption "heater:Inlet:caption"), "limits:exhaust", "limits:room",
// "limits:exchanger", "limits:ventIn", "limits:ventOut" for the limit boxes
// (with their lines "limits:room:1" …), "note" for the note's lines.

#include "charts/DisplayList.h"
#include "charts/VirtGraph.h"

#include <functional>
#include <string>
#include <vector>

namespace aw {
class CTSelectionModel;
}

namespace aw::charts {

// The captions and texts of the drawing (the window passes its translations).
// "$1" and "$2" stand for the values.
struct CTConfigurationTexts
{
  std::string RA = "Room Air (RA)", EA = "Exhaust Air (EA)", OA = "Outdoor Air (OA)", SA = "Supply Air (SA)",
              VI = "Ventilation In (VI)", VO = "Ventilation Out (VO)", CI = "Coil In (CI)", HI = "Humidifier In (HI)";
  std::string InletHeater = "Inlet heater", SupplyHeater = "Supply heater";
  std::string ExhaustLimits = "Exhaust air limits", ExchangerLimits = "Exchanger limits",
              RoomLimits = "Room air limits", VentInLimits = "Ventilation in limits",
              VentOutLimits = "Ventilation out limits";
  std::string MaxRH = "Maximum relative humidity: $1%", TempRange = "Temperature range: $1 .. $2";
  std::string MinVentIn = "The minimum ventilation in temperature is $1. However, below $2, an inlet heater will be "
                          "selected to avoid an intermittent operation and make sure the supply air fan operates "
                          "continuously.";
};

// Every caption and text through the translation (English source text to the language shown).
void TranslateConfigurationTexts(CTConfigurationTexts& texts,
                                 const std::function<std::string(const std::string&)>& translate);

// One operating limit: a maximum relative humidity and, where one applies, a
// temperature range.
struct CTConfigLimit
{
  double MaxRH = 0;                         // %
  bool bTempRange = false;
  double MinTemp = 0, MaxTemp = 0;          // °C
};

// Everything the drawing shows of one unit.
struct CTConfigData
{
  int nFamily = -1; // -1: no unit, nothing drawn
  std::string szTitle;
  bool bHasExhaust = false;    // the extract path with RA, EA and the exchanger
  bool bHasCoil = false;       // CI
  bool bHasHumidifier = false; // HI
  bool bInletHeater = false, bSupplyHeater = false;
  CTConfigLimit Exhaust, Room, Exchanger, VentIn, VentOut;
  double AmbientMinTemp = 0, VentInMinTemp = 0; // °C, for the note
};

// The selected unit's data: the upside-down limits when the unit is mounted
// upside down, the heaters either mode uses.
CTConfigData ConfigDataFor(const CTSelectionModel& model);

struct CTConfigLabel
{
  std::string tag, text;
  TVirtGraph::Rect box; // device px
};

struct CTConfigurationDrawing
{
  std::vector<CTConfigLabel> labels;
  std::vector<CTConfigLabel> boxes; // limit and heater boxes (text empty)
  TVirtGraph::Rect unit{};           // the unit's outline; the title, CI and HI lie inside
};

// Records the drawing into the list at the size (px) and returns where its
// labels and boxes went. bShowLimits: the limit boxes (the window's page and
// the report); without them the schematic and its captions only.
CTConfigurationDrawing DrawConfiguration(DisplayList& list, const CTTextMetrics& metrics, int nWidth, int nHeight,
                                         const CTConfigData& data, bool bShowLimits = true,
                                         const CTConfigurationTexts& texts = {});

} // namespace aw::charts
