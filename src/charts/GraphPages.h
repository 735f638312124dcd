#pragma once
// The content of the fan, exchange-efficiency and efficiency-correction
// graphs of the selected unit: axis ranges and labels, series values,
// operating points and their labels, drawn into a display list. The window,
// the report and the command line all build their graphs here.
//
// World values are in the units in effect: airflow in the airflow unit,
// pressure in the pressure unit, efficiencies in %.

#include "charts/VirtGraph.h"
#include "engine/SelectionModel.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace aw::charts {

enum class TGraphKind { Fan, Efficiency, Correction };

// The captions of the graphs (the window passes its translations).
struct CTGraphTexts
{
  std::string Airflow = "Airflow Rate", Efficiency = "Efficiency (%)", Esp = "External Static Pressure",
              EffCorrect1 = "Exchange Efficiency (%)", EffCorrect2 = "Corrected Efficiency (%)";
  std::string CoolEnthalpy = "Cooling Enthalpy Exchange Efficiency", HeatEnthalpy = "Heating Enthalpy Exchange Efficiency",
              Temperature = "Temperature Exchange Efficiency", SupplySpeed = "Supply speed", ExhaustSpeed = "Exhaust speed";
  std::string Ducting = "Ducting", Supply = "Supply", SupplyDucting = "Supply ducting", Exhaust = "Exhaust",
              ExhaustDucting = "Exhaust ducting";
};

// Every caption through the translation (English source text to the language shown).
void TranslateGraphTexts(CTGraphTexts& texts, const std::function<std::string(const std::string&)>& translate);

struct CTGraphAxis
{
  double min = 0, max = 0;
  std::string unit;
};

// One drawn series: its values and where they landed.
struct CTGraphCurve
{
  std::string tag;
  std::vector<CTWorldPoint> world, device; // device in unrounded px
};

struct CTGraphPoint
{
  std::string tag, label;
  CTWorldPoint world, device;
};

struct CTGraphDrawing
{
  CTGraphAxis x, y;
  TVirtGraph::Rect plot; // device px
  std::vector<CTGraphCurve> curves;
  std::vector<CTGraphPoint> points;
  TVirtGraph::LegendLayout legend; // empty without a legend
};

// The top of the fan graph's pressure scale (display unit) for a limit in
// that unit: the rounded steps of 50, 10, 5 and 2 where they cover the
// limit, else the smallest 1, 1.5, 2, 2.5 or 5 × 10^k that does; never 0.
double FanPressureTop(double limit);

class CTGraphPage
{
public:
  // pStore: where the legends' visibility (and the efficiency legend's
  // colours) are kept (none: the palette, all shown).
  explicit CTGraphPage(const CTSelectionModel& model, CTGraphTexts texts = {},
                       const platform::SettingsStore* pStore = nullptr);

  // Records the graph of the kind into the list at the size (px) and returns
  // what was drawn. A graph without data draws its frame and titles only.
  // bChecks: the legend has check boxes where the graph has them (on screen).
  CTGraphDrawing Draw(TGraphKind kind, DisplayList& list, const CTTextMetrics& metrics, int nWidth, int nHeight,
                      int nBorder = 12, bool bLegend = true, bool bChecks = false) const;

  // Asks the user for an entry's colour; nothing when the user cancels.
  using TChooseColour = std::function<std::optional<Colour>(const TLegend& entry)>;
  // A click at a device position of the drawing, kept in the store: on an
  // entry's swatch it asks for the curve's colour, on its check box or its
  // caption it shows or hides the curve. True when the graph changed.
  static bool LegendClick(TGraphKind kind, const CTGraphDrawing& drawing, int X, int Y,
                          platform::SettingsStore& store, const TChooseColour& chooseColour = {});

private:
  struct Setup;
  Setup Fan() const;
  Setup Efficiency() const;
  Setup Correction() const;
  static std::vector<TLegend> LegendOf(TGraphKind kind, const CTGraphTexts& texts, const platform::SettingsStore* pStore);

  const CTSelectionModel& v_model;
  CTGraphTexts v_texts;
  const platform::SettingsStore* v_store;
};

} // namespace aw::charts
