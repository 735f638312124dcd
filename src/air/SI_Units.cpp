#include "air/SI_Units.h"

#include "air/NumberFormat.h"

#include <algorithm>
#include <array>

namespace aw {

namespace {

// Factors of the imperial units to the base units, from their definitions.
constexpr double kCfmToLitresPerSecond = 28.316846592 / 60; // 1 ft³ = 28.316846592 l
constexpr double kFootToMetre = 0.3048;
constexpr double kSquareFootToSquareMetre = 0.3048 * 0.3048;
constexpr double kBtuPerLbToKJPerKg = 2.326;        // International Table Btu per lb
constexpr double kMmH2OToPascal = 9.80665;          // conventional, water of 1000 kg/m³ under standard gravity
constexpr double kInH2OToPascal = 25.4 * kMmH2OToPascal;
constexpr double kGrainPerLbToKgPerKg = 1.0 / 7000; // 7000 grains to the pound
constexpr double kBtuToKJ = 1.05505585262;          // International Table Btu
constexpr double kBtuPerHourToKW = kBtuToKJ / 3600;
constexpr double kTonToKW = 12000 * kBtuPerHourToKW; // ton of refrigeration = 12000 Btu/h
// International Table calorie throughout: 1 kcal = 4.1868 kJ, so 1 kcal/h = 1.163 W.
constexpr double kKcalToKJ = 4.1868;
constexpr double kKcalPerHourToKW = kKcalToKJ / 3600;
constexpr double kKcalPerHourToWatt = kKcalToKJ / 3.6;

struct BuiltInUnit
{
  const char* caption;
  double scale;
  int digits;
  double offset = 0;
};

struct BuiltInGroup
{
  const char* caption;
  std::vector<BuiltInUnit> units;
};

const std::array<BuiltInGroup, U_Appl1>& BuiltInGroups()
{
  static const std::array<BuiltInGroup, U_Appl1> groups{{
      {"None", {{"None", 1, 1}}},
      {"Airflow", {{"l/s", 1, 1}, {"m³/h", 1 / 3.6, 0}, {"m³/s", 1000, 1}}},
      {"Current", {{"A", 1, 1}}},
      {"Density", {{"kg/m³", 1, 3}, {"kg/l", 1000, 4}}},
      {"Energy", {{"kJ", 1, 1}, {"kWh", 3600, 1}, {"kcal", kKcalToKJ, 0}}},
      {"Enthalpy", {{"kJ/kg", 1, 1}, {"kcal/kg", kKcalToKJ, 1}}},
      {"Heat Transfer", {{"W/m²", 1, 1}, {"kcal/h m²", kKcalPerHourToWatt, 1}}},
      {"Length", {{"m", 1, 3}}},
      {"Medium Length", {{"cm", 1, 1}}},
      {"Short Length", {{"mm", 1, 0}, {"inch", 25.4, 1}}},
      {"Mass", {{"kg", 1, 3}, {"lbs", 0.45359237, 3}}},
      {"Small Mass", {{"g", 1, 0}}},
      {"Power", {{"kW", 1, 1}, {"kcal/h", kKcalPerHourToKW, 0}}},
      {"Pressure", {{"Pa", 1, 1}, {"mBar", 100, 3}, {"mmH2O", kMmH2OToPascal, 3}}},
      {"Humidity", {{"kg/kg", 1, 4}, {"g/kg", 0.001, 1}, {"lbs/lbs", 1, 4}}},
      {"Rotational Speed", {{"RPM", 1, 0}}},
      {"Sound", {{"dB", 1, 0}}},
      {"Speed", {{"m/s", 1, 0}, {"km/h", 1 / 3.6, 3}}},
      {"Surface", {{"m²", 1, 3}}},
      {"Temperature", {{"°C", 1, 1}, {"°F", 5.0 / 9.0, 1, 32}}},
      {"Tension", {{"V", 1, 0}}},
      {"Volume", {{"m³", 1, 3}}},
  }};
  return groups;
}

struct UnitSystem
{
  std::array<CTUnitData, kUnitGroupCount> groups;
  std::array<CTDimChangeReg, kUnitGroupCount> listeners;
  char decimalSeparator = '.';

  UnitSystem() { Build(); }

  void Build()
  {
    const auto& builtIn = BuiltInGroups();
    for (int g = 0; g < kUnitGroupCount; ++g) {
      CTUnitData data;
      if (g < U_Appl1) {
        data.v_Caption = builtIn[g].caption;
        for (const BuiltInUnit& u : builtIn[g].units)
          data.v_Dimensions.push_back({u.digits, u.scale, u.offset, u.caption});
      } else {
        data.v_Caption = "Appl" + std::to_string(g - U_Appl1 + 1);
        data.v_Dimensions.push_back({1, 1, 0, ""});
      }
      groups[g] = std::move(data);
    }
  }
};

UnitSystem& System()
{
  static UnitSystem system;
  return system;
}

CTUnitData* Group(U_RepUnit TheUnit)
{
  const int g = static_cast<int>(TheUnit);
  return g >= 0 && g < kUnitGroupCount ? &System().groups[g] : nullptr;
}

int Count(const CTUnitData& group)
{
  return static_cast<int>(group.v_Dimensions.size());
}

bool IsValidIndex(const CTUnitData& group, int nIndex)
{
  return nIndex >= 0 && nIndex < Count(group);
}

// The unit of the index, or the base unit for an invalid one; nothing for an empty group.
const CTDimData* Dim(U_RepUnit TheUnit, int nIndex)
{
  const CTUnitData* group = Group(TheUnit);
  if (!group || group->v_Dimensions.empty())
    return nullptr;
  return &group->v_Dimensions[IsValidIndex(*group, nIndex) ? nIndex : 0];
}

void Notify(U_RepUnit TheUnit, int nOldIndex, const std::string& szOldCaption, int nNewIndex,
            const std::string& szNewCaption)
{
  // A copy, so that a handler may register or unregister while being called.
  const std::vector<U_DimChange> procedures = System().listeners[TheUnit].v_procedures;
  for (const U_DimChange& proc : procedures)
    if (proc)
      proc(nOldIndex, szOldCaption, nNewIndex, szNewCaption);
}

} // namespace

void TU_Form::InitializeUnits()
{
  System().Build();
}

void TU_Form::CleanupUnits()
{
  for (CTUnitData& group : System().groups)
    group = CTUnitData{};
  for (CTDimChangeReg& reg : System().listeners)
    reg = CTDimChangeReg{};
}

void TU_Form::AddImperialUnits(const CTImperialCaptions& captions)
{
  DeleteDimension(U_Airflow, DimensionCount(U_Airflow) - 1); // "m³/s"
  AddDimension(U_Airflow, captions.Dim_Flow, 1, kCfmToLitresPerSecond);
  AddDimension(U_Length, captions.Dim_ft, 1, kFootToMetre);
  AddDimension(U_Surface, captions.Dim_SquareFt, 1, kSquareFootToSquareMetre);
  AddDimension(U_Enthalpy, captions.Dim_Enthalpy, 1, kBtuPerLbToKJPerKg);
  AddDimension(U_Pressure, captions.Dim_Pressure, 2, kInH2OToPascal);
  AddDimension(U_Humidity, captions.Dim_Humidity, 1, kGrainPerLbToKgPerKg);
  AddDimension(U_Power, captions.Dim_Power1, 0, kBtuPerHourToKW);
  AddDimension(U_Power, captions.Dim_Power2, 1, kTonToKW);
  SetDigits(U_Power, 0, 3);
  SetDigits(U_Pressure, 1, 1);
  SetDigits(U_Pressure, 2, 1);
  SetDigits(U_Mass, 0, 1);
  SetDigits(U_Mass, 1, 1);
}

void TU_Form::AddDimension(U_RepUnit TheUnit, std::string_view TheCaption, int TheDigits, double TheScale,
                           double TheOffset)
{
  if (CTUnitData* group = Group(TheUnit))
    group->v_Dimensions.push_back({TheDigits, TheScale, TheOffset, std::string(TheCaption)});
}

void TU_Form::DeleteDimension(U_RepUnit TheUnit, int nIndex)
{
  CTUnitData* group = Group(TheUnit);
  if (!group || group->v_Dimensions.empty())
    return;
  const int nOldIndex = group->v_CurrentDim;
  const std::string szOldCaption = GetCurrentString(TheUnit);
  if (nIndex > 0 && nIndex < Count(*group))
    group->v_Dimensions.erase(group->v_Dimensions.begin() + nIndex);
  if (nOldIndex >= nIndex) {
    group->v_CurrentDim = 0;
    Notify(TheUnit, nOldIndex, szOldCaption, 0, group->v_Dimensions[0].v_Caption);
  }
}

int TU_Form::DimensionCount(U_RepUnit TheUnit)
{
  const CTUnitData* group = Group(TheUnit);
  return group ? Count(*group) : 0;
}

int TU_Form::GetNewIndex(U_RepUnit TheUnit)
{
  const CTUnitData* group = Group(TheUnit);
  return group ? group->v_CurrentDim : 0;
}

void TU_Form::SetNewIndex(U_RepUnit TheUnit, int nIndex, bool bUpdateSubscribers)
{
  CTUnitData* group = Group(TheUnit);
  if (!group || !IsValidIndex(*group, nIndex))
    return;
  const int nOldIndex = group->v_CurrentDim;
  const std::string szOldCaption = GetCurrentString(TheUnit);
  group->v_CurrentDim = nIndex;
  if (bUpdateSubscribers)
    Notify(TheUnit, nOldIndex, szOldCaption, nIndex, group->v_Dimensions[nIndex].v_Caption);
}

std::string TU_Form::UnitString(U_RepUnit TheUnit)
{
  const CTUnitData* group = Group(TheUnit);
  return group ? group->v_Caption : std::string();
}

std::string TU_Form::GetDefaultString(U_RepUnit TheUnit)
{
  return GetSpecificString(TheUnit, 0);
}

std::string TU_Form::GetCurrentString(U_RepUnit TheUnit)
{
  return GetSpecificString(TheUnit, GetNewIndex(TheUnit));
}

std::string TU_Form::GetSpecificString(U_RepUnit TheUnit, int TheIndex)
{
  const CTDimData* dim = Dim(TheUnit, TheIndex);
  return dim ? dim->v_Caption : std::string();
}

void TU_Form::SetSpecificString(U_RepUnit TheUnit, int TheIndex, std::string_view Caption)
{
  CTUnitData* group = Group(TheUnit);
  if (group && IsValidIndex(*group, TheIndex))
    group->v_Dimensions[TheIndex].v_Caption = std::string(Caption);
}

int TU_Form::GetDigits(U_RepUnit TheUnit, int TheDimIndex)
{
  const CTDimData* dim = Dim(TheUnit, TheDimIndex);
  return dim ? dim->v_Digits : 0;
}

void TU_Form::SetDigits(U_RepUnit TheUnit, int TheDimIndex, int TheDigits)
{
  CTUnitData* group = Group(TheUnit);
  if (group && IsValidIndex(*group, TheDimIndex))
    group->v_Dimensions[TheDimIndex].v_Digits = TheDigits;
}

double TU_Form::ConvertValue(double TheVal, U_RepUnit TheUnit, int FromDimIndex, int ToDimIndex,
                             bool bIsAbsoluteValue)
{
  const CTUnitData* group = Group(TheUnit);
  if (!group || group->v_Dimensions.empty())
    return TheVal;
  const int from = IsValidIndex(*group, FromDimIndex) ? FromDimIndex : 0;
  const int to = IsValidIndex(*group, ToDimIndex) ? ToDimIndex : 0;
  if (from == to)
    return TheVal;
  double v = TheVal;
  if (from != 0) {
    const CTDimData& u = group->v_Dimensions[from];
    v = bIsAbsoluteValue ? (v - u.v_Offset) * u.v_Scale : v * u.v_Scale;
  }
  if (to != 0) {
    const CTDimData& u = group->v_Dimensions[to];
    v = bIsAbsoluteValue ? v / u.v_Scale + u.v_Offset : v / u.v_Scale;
  }
  return v;
}

double TU_Form::GetDimensionedValue(std::string_view TheValue, U_RepUnit TheUnit, bool bIsAbsoluteValue)
{
  return ConvertValue(Str2Number(TheValue), TheUnit, GetNewIndex(TheUnit), 0, bIsAbsoluteValue);
}

std::string TU_Form::PutDimensionedValue(double TheValue, U_RepUnit TheUnit, int ThePrecision,
                                         bool bIsAbsoluteValue)
{
  const double shown = ConvertValue(TheValue, TheUnit, 0, GetNewIndex(TheUnit), bIsAbsoluteValue);
  return Number2Str(shown, ThePrecision, GetDecimalSeparator());
}

std::string TU_Form::PutFmtDimensionedValue(double TheValue, U_RepUnit TheUnit, int TheWidth,
                                            bool bIsAbsoluteValue)
{
  const int current = GetNewIndex(TheUnit);
  const double shown = ConvertValue(TheValue, TheUnit, 0, current, bIsAbsoluteValue);
  return Number2FmtStr(shown, TheWidth, GetDigits(TheUnit, current), GetDecimalSeparator());
}

double TU_Form::RedimValue(double TheValue, U_RepUnit FromUnit, U_RepUnit ToUnit)
{
  // Multiply or divide as a person would, so that 250 mm gives exactly 0.25 m.
  struct Rule
  {
    U_RepUnit from, to;
    double multiplier, divisor;
  };
  static constexpr Rule kRules[] = {
      {U_Length, U_MediumLength, 100, 1},   {U_Length, U_ShortLength, 1000, 1},  {U_MediumLength, U_Length, 1, 100},
      {U_MediumLength, U_ShortLength, 10, 1}, {U_ShortLength, U_Length, 1, 1000}, {U_ShortLength, U_MediumLength, 1, 10},
      {U_Mass, U_ShortMass, 1000, 1},       {U_ShortMass, U_Mass, 1, 1000},
  };
  for (const Rule& r : kRules)
    if (r.from == FromUnit && r.to == ToUnit)
      return TheValue * r.multiplier / r.divisor;
  return TheValue;
}

void TU_Form::RegisterDimChange(const void* TheObject, U_DimChange TheProc, U_RepUnit TheUnit)
{
  if (!Group(TheUnit))
    return;
  CTDimChangeReg& reg = System().listeners[TheUnit];
  if (std::find(reg.v_objects.begin(), reg.v_objects.end(), TheObject) != reg.v_objects.end())
    return;
  reg.v_objects.push_back(TheObject);
  reg.v_procedures.push_back(std::move(TheProc));
}

void TU_Form::UnregisterDimChange(const void* TheObject, U_RepUnit TheUnit)
{
  if (!Group(TheUnit))
    return;
  CTDimChangeReg& reg = System().listeners[TheUnit];
  const auto it = std::find(reg.v_objects.begin(), reg.v_objects.end(), TheObject);
  if (it == reg.v_objects.end())
    return;
  const auto n = it - reg.v_objects.begin();
  reg.v_objects.erase(it);
  reg.v_procedures.erase(reg.v_procedures.begin() + n);
}

void TU_Form::AssignControl(U_RepUnit pUnit, CTUnitChoice& pCtl)
{
  std::vector<std::string> items;
  for (int i = 0; i < DimensionCount(pUnit); ++i)
    items.push_back(GetSpecificString(pUnit, i));
  pCtl.SetCaption(UnitString(pUnit));
  pCtl.SetItems(items);
  pCtl.SetItemIndex(GetNewIndex(pUnit));
}

void TU_Form::DoDimensionChange(U_RepUnit pUnit, const CTUnitChoice& pCtl)
{
  SetNewIndex(pUnit, pCtl.ItemIndex(), true);
}

void TU_Form::SetDecimalSeparator(char cSeparator)
{
  System().decimalSeparator = cSeparator;
}

char TU_Form::GetDecimalSeparator()
{
  return System().decimalSeparator;
}

} // namespace aw
