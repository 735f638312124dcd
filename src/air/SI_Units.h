#pragma once
// The unit system: every physical quantity is held in the base unit of its
// dimension group and shown in the unit the user chose for that group. The
// groups live in one process-wide table used from the user-interface thread.
//
// Conversion of a value v of a unit with factor s and offset o:
//   to the base unit   (v - o) * s  for an absolute reading, v * s for a difference;
//   from the base unit v / s + o    for an absolute reading, v / s for a difference.
// An absolute reading is e.g. a temperature, a difference a temperature or
// enthalpy difference. A unit index outside 0 … count - 1 counts as the base
// unit (0) in every query and conversion and is ignored by the setters.

#include "platform/SettingsStore.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace aw {

// The dimension groups, by their stored numbers (settings "Units1" … "Units30").
enum U_RepUnit : int {
  U_None,
  U_Airflow,
  U_Current,
  U_Density,
  U_Energy,
  U_Enthalpy,
  U_HeatTransfer,
  U_Length,
  U_MediumLength,
  U_ShortLength,
  U_Mass,
  U_ShortMass,
  U_Power,
  U_Pressure,
  U_Humidity,
  U_RotationalSpeed,
  U_Sound,
  U_Speed,
  U_Surface,
  U_Temperature,
  U_Tension,
  U_Volume,
  U_Appl1,
  U_Appl2,
  U_Appl3,
  U_Appl4,
  U_Appl5,
  U_Appl6,
  U_Appl7,
  U_Appl8,
  U_Appl9,
};
inline constexpr int kUnitGroupCount = U_Appl9 + 1;

// One unit of a group.
struct CTDimData
{
  int v_Digits = 0;     // decimals shown for values in this unit
  double v_Scale = 1;   // base value = (shown value - offset) * scale
  double v_Offset = 0;  // 32 for °F, 0 elsewhere
  std::string v_Caption; // shown after values and in unit choices
};

// One group: its units (base unit first) and the unit in effect.
struct CTUnitData
{
  int v_CurrentDim = 0;
  std::vector<CTDimData> v_Dimensions;
  std::string v_Caption;
};

// Told when the unit in effect of a group changes: the previous unit's index and
// caption, then the new one's.
using U_DimChange =
    std::function<void(int CurrIndex, const std::string& CurrUnitStr, int NewIndex, const std::string& NewUnitStr)>;

// The listeners of one group, in registration order.
struct CTDimChangeReg
{
  std::vector<const void*> v_objects;
  std::vector<U_DimChange> v_procedures;
};

// A control offering the units of one group (a radio group of the window).
class CTUnitChoice
{
public:
  virtual ~CTUnitChoice() = default;
  virtual void SetCaption(const std::string& szCaption) = 0;
  virtual void SetItems(const std::vector<std::string>& items) = 0;
  virtual void SetItemIndex(int nIndex) = 0;
  virtual int ItemIndex() const = 0;
};

// Captions of the imperial units; the window passes its translated labels.
struct CTImperialCaptions
{
  std::string Dim_Flow = "CFM";
  std::string Dim_ft = "ft";
  std::string Dim_SquareFt = "ft²";
  std::string Dim_Enthalpy = "BTU/lbs";
  std::string Dim_Pressure = "inH2O";
  std::string Dim_Humidity = "GPP";
  std::string Dim_Power1 = "BTU/h";
  std::string Dim_Power2 = "Ton";
};

class TU_Form
{
public:
  TU_Form() = delete;

  // Builds the 31 groups with their built-in units, each with the base unit in
  // effect. The table is already built when the program starts.
  static void InitializeUnits();
  // Empties every group and drops every listener.
  static void CleanupUnits();
  // The program's start-up set: removes "m³/s", adds the imperial units and sets
  // the digits the window shows. Once, after InitializeUnits.
  static void AddImperialUnits(const CTImperialCaptions& captions = {});

  static void AddDimension(U_RepUnit TheUnit, std::string_view TheCaption, int TheDigits, double TheScale,
                           double TheOffset = 0);
  // Removes a unit other than the base unit; when the unit in effect was at or
  // after nIndex, the base unit takes effect and the listeners are told.
  static void DeleteDimension(U_RepUnit TheUnit, int nIndex);
  static int DimensionCount(U_RepUnit TheUnit);

  static int GetNewIndex(U_RepUnit TheUnit);
  // Ignored unless 0 <= nIndex < count. The listeners are told (when asked)
  // even when the index stays the same.
  static void SetNewIndex(U_RepUnit TheUnit, int nIndex, bool bUpdateSubscribers);

  static std::string UnitString(U_RepUnit TheUnit); // the group caption
  static std::string GetDefaultString(U_RepUnit TheUnit);
  static std::string GetCurrentString(U_RepUnit TheUnit);
  static std::string GetSpecificString(U_RepUnit TheUnit, int TheIndex);
  static void SetSpecificString(U_RepUnit TheUnit, int TheIndex, std::string_view Caption);
  static int GetDigits(U_RepUnit TheUnit, int TheDimIndex);
  static void SetDigits(U_RepUnit TheUnit, int TheDimIndex, int TheDigits);

  static double ConvertValue(double TheVal, U_RepUnit TheUnit, int FromDimIndex, int ToDimIndex,
                             bool bIsAbsoluteValue);
  // A text typed in the unit in effect, as a base value (0 for no number).
  static double GetDimensionedValue(std::string_view TheValue, U_RepUnit TheUnit, bool bIsAbsoluteValue);
  // A base value in the unit in effect, ThePrecision significant digits.
  static std::string PutDimensionedValue(double TheValue, U_RepUnit TheUnit, int ThePrecision,
                                         bool bIsAbsoluteValue);
  // A base value in the unit in effect with that unit's digits, at least TheWidth wide.
  static std::string PutFmtDimensionedValue(double TheValue, U_RepUnit TheUnit, int TheWidth,
                                            bool bIsAbsoluteValue);
  // A base value of one length (or mass) group in the base unit of another;
  // other pairs leave the value as it is.
  static double RedimValue(double TheValue, U_RepUnit FromUnit, U_RepUnit ToUnit);

  // Once per object and group: a second registration keeps the first.
  static void RegisterDimChange(const void* TheObject, U_DimChange TheProc, U_RepUnit TheUnit);
  static void UnregisterDimChange(const void* TheObject, U_RepUnit TheUnit);

  // The units in effect as the integers "Units1" … "Units30" under the key
  // szRegRoot. Saving answers false when the store could not be written;
  // loading skips values outside the group's units, counts a missing value as
  // the base unit, tells no listener, and changes nothing without the key.
  static bool SaveSettingsToRegistry(std::string_view szRegRoot,
                                     platform::SettingsStore& store = platform::SettingsStore::User());
  static void LoadSettingsFromRegistry(std::string_view szRegRoot,
                                       platform::SettingsStore& store = platform::SettingsStore::User());
  // The given unit indices (by group) as "Units1" … "Units30" into a key of a
  // settings tree, for a write that holds more than the units.
  static void WriteSettingsTo(platform::SettingsKey& key, const std::array<int, kUnitGroupCount>& unitIndex);

  // Fills a unit choice with the group's caption, units and unit in effect.
  static void AssignControl(U_RepUnit pUnit, CTUnitChoice& pCtl);
  // Applies the unit chosen in the control and tells the listeners.
  static void DoDimensionChange(U_RepUnit pUnit, const CTUnitChoice& pCtl);

  // The user's decimal separator for the values written here ("." by default).
  static void SetDecimalSeparator(char cSeparator);
  static char GetDecimalSeparator();
};

} // namespace aw
