#include "engine/ClIndoorUnit.h"

#include "catalogue/CatalogueText.h"

#include <algorithm>
#include <cmath>

namespace aw {

namespace {

// Capacity row kinds.
enum : int {
  kRowTotal = 2,          // total cooling capacity per column (kW); its Te is the standard one
  kRowHeat = 5,           // heating capacity per heating column (kW)
  kRowSensible = 8,       // sensible cooling capacity per column (kW)
  kRowTotalFactor = 11,   // total capacity as factors of the standard row
  kRowSensibleFactor = 12 // sensible heat ratio as factors of the standard row's
};

constexpr double kAirDensity = 1.2; // kg/m³, the density the coil ratings assume

bool IsTotalRow(int nType)
{
  return nType == kRowTotal || nType == kRowTotalFactor;
}
bool IsSensibleRow(int nType)
{
  return nType == kRowSensible || nType == kRowSensibleFactor;
}
// Rows whose evaporating temperature gets a cache entry.
bool HasEntry(int nType)
{
  return nType == kRowTotal || nType == kRowSensible || (nType >= 11 && nType <= 18);
}

double Round3(double x)
{
  return catalogue::RoundHalfEven(x * 1000) / 1000;
}

// The state of the air at the coil and its heat capacity.
struct CoilAir
{
  double m = 0;  // mass flow, kg/s
  double cp = 0; // kJ/(kg·K)
  double x = 0;  // kg/kg
  double h = 0;  // kJ/kg
};

CoilAir AirAt(const TAir& Air, double nVolume, double DryBulb, double WetBulb)
{
  CoilAir air;
  air.m = nVolume / 3600 * kAirDensity;
  air.x = Air.AbsoluteHumidity(Air.ConvertDBWB2RH(DryBulb, WetBulb), DryBulb);
  air.h = Air.Enthalpy(air.x, DryBulb);
  air.cp = air::kCpDryAir + air::kCpVapour * air.x;
  return air;
}

bool AllFinite(std::initializer_list<double> values)
{
  return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

} // namespace

// ---- TCacheCapacities -----------------------------------------------------

bool TCacheCapacities::GetTC(int TempIndex, TCacheCapacities& DefaultCap, double& Capacity)
{
  Capacity = 0;
  if (TempIndex < 1 || TempIndex > kColumns || !v_Total)
    return false;
  const int i = TempIndex - 1;
  if (!v_HasTotal[i]) {
    double value = 0;
    if (v_Total->GetType() == kRowTotal) {
      value = v_Total->GetDataVal(TempIndex);
    } else {
      // Factors refer to the standard row, which must hold capacities itself.
      const Cls_IndTabularCap* standard = DefaultCap.v_Total;
      if (!standard || standard->GetType() != kRowTotal)
        return false;
      value = standard->GetDataVal(TempIndex) * v_Total->GetDataVal(TempIndex);
    }
    if (!std::isfinite(value))
      return false;
    v_TotalCool[i] = value;
    v_HasTotal[i] = true;
  }
  Capacity = v_TotalCool[i];
  return true;
}

bool TCacheCapacities::GetSC(int TempIndex, TCacheCapacities& DefaultCap, double& Capacity)
{
  Capacity = 0;
  if (TempIndex < 1 || TempIndex > kColumns || !v_Sensible)
    return false;
  const int i = TempIndex - 1;
  if (!v_HasSensible[i]) {
    double value = 0;
    if (v_Sensible->GetType() == kRowSensible) {
      value = v_Sensible->GetDataVal(TempIndex);
    } else {
      // The standard sensible heat ratio, scaled by the factor and limited to 1,
      // applied to this temperature's total capacity.
      const Cls_IndTabularCap* standard = DefaultCap.v_Sensible;
      double stdTotal = 0, total = 0;
      if (!standard || standard->GetType() != kRowSensible || !DefaultCap.GetTC(TempIndex, DefaultCap, stdTotal) ||
          !GetTC(TempIndex, DefaultCap, total) || !(stdTotal > 0))
        return false;
      const double ratio = standard->GetDataVal(TempIndex) / stdTotal * v_Sensible->GetDataVal(TempIndex);
      value = total * std::min(ratio, 1.0);
    }
    if (!std::isfinite(value))
      return false;
    v_SensibleCool[i] = value;
    v_HasSensible[i] = true;
  }
  Capacity = v_SensibleCool[i];
  return true;
}

double TCacheCapacities::GetTC(int TempIndex, TCacheCapacities& DefaultCap)
{
  double capacity = 0;
  GetTC(TempIndex, DefaultCap, capacity);
  return capacity;
}

double TCacheCapacities::GetSC(int TempIndex, TCacheCapacities& DefaultCap)
{
  double capacity = 0;
  GetSC(TempIndex, DefaultCap, capacity);
  return capacity;
}

// ---- Cls_IndoorUnit: tables -----------------------------------------------

Cls_IndoorUnit::Cls_IndoorUnit(int nObjID, CTBaseFactory* pFactory) : Cls_IndoorUnitData(nObjID, pFactory) {}

Cls_IndoorUnit::~Cls_IndoorUnit()
{
  ClearCache();
}

void Cls_IndoorUnit::ClearCache()
{
  v_loaded = false;
  v_CoolTempIndex = v_CoolDBTempIndex = v_HeatTempIndex = 0;
  v_CoolTempdata.fill(0);
  v_CoolDBTempData.fill(0);
  v_HeatTempData.fill(0);
  v_CachedCapacities.clear(); // the entries refer to the rows: they go first
  v_IndTabCapacities.ClearAndDestroy();
  v_stdTE = 0;
  v_hasStdTE = false;
}

void Cls_IndoorUnit::EnsureLoaded()
{
  if (v_loaded)
    return;
  ClearCache();
  OwningObjectList<Cls_IndTabularCap> rows = GetAllIndTabularCap();
  rows.Sort(Cls_Tabular::CompareTabular);
  for (Cls_IndTabularCap* row : rows.Release()) {
    const int type = row->GetType();
    if (row->IsHeaderRow()) {
      int& count = type == Cls_Tabular::kHeaderCoolWB   ? v_CoolTempIndex
                   : type == Cls_Tabular::kHeaderCoolDB ? v_CoolDBTempIndex
                                                        : v_HeatTempIndex;
      Cls_Tabular::Row& data = type == Cls_Tabular::kHeaderCoolWB   ? v_CoolTempdata
                               : type == Cls_Tabular::kHeaderCoolDB ? v_CoolDBTempData
                                                                    : v_HeatTempData;
      row->GetTempRow(count, data);
      count = std::clamp(count, 0, Cls_Tabular::kColumns);
      delete row;
      continue;
    }
    if (HasEntry(type)) {
      const double te = row->GetTe();
      if (type == kRowTotal) {
        v_stdTE = te;
        v_hasStdTE = true;
      }
      const bool known = std::any_of(v_CachedCapacities.begin(), v_CachedCapacities.end(),
                                     [te](const auto& entry) { return entry->v_TE == te; });
      if (!known)
        v_CachedCapacities.push_back(std::make_unique<TCacheCapacities>(te));
    }
    v_IndTabCapacities.Add(row);
  }
  v_loaded = true;
}

TCacheCapacities* Cls_IndoorUnit::Entry(double TE)
{
  if (TE == kStandardTE) {
    // Without a row of absolute capacities there is no standard temperature.
    if (!v_hasStdTE)
      return nullptr;
    TE = v_stdTE;
  }
  for (const auto& entry : v_CachedCapacities)
    if (entry->v_TE == TE) {
      if (!entry->v_Linked)
        LinkRows(*entry);
      return entry.get();
    }
  return nullptr;
}

void Cls_IndoorUnit::LinkRows(TCacheCapacities& pEntry)
{
  for (const Cls_IndTabularCap* row : v_IndTabCapacities) {
    if (row->GetTe() != pEntry.v_TE)
      continue;
    if (IsTotalRow(row->GetType()))
      pEntry.v_Total = row;
    else if (IsSensibleRow(row->GetType()))
      pEntry.v_Sensible = row;
  }
  pEntry.v_Linked = true;
}

// ---- Cls_IndoorUnit: cooling ----------------------------------------------

bool Cls_IndoorUnit::CoolingEntries(double TE, double& WB, bool InTableValues, TCacheCapacities*& E,
                                    TCacheCapacities*& D, int& ErrCode)
{
  EnsureLoaded();
  if (!std::isfinite(WB)) {
    ErrCode = IU_NOT_COMPUTABLE;
    return false;
  }
  // Interpolation needs two columns.
  if (v_CoolTempIndex < 2) {
    ErrCode = IU_NO_ROW;
    return false;
  }
  const double low = v_CoolTempdata[0], high = v_CoolTempdata[v_CoolTempIndex - 1];
  if (InTableValues && (WB < low || WB > high)) {
    ErrCode = IU_WB_OUTSIDE_TABLE;
    return false;
  }
  WB = std::clamp(WB, std::min(low, high), std::max(low, high));
  E = Entry(TE);
  D = Entry(kStandardTE);
  if (!E || !D) {
    ErrCode = IU_NO_TE_ROWS;
    return false;
  }
  return true;
}

namespace {

// The first column k ≥ 2 (1-based) whose header value reaches WB; 0 for none.
int UpperColumn(const Cls_Tabular::Row& Header, int nCount, double WB)
{
  for (int k = 2; k <= nCount; ++k)
    if (Header[k - 1] >= WB)
      return k;
  return 0;
}

double Interpolate(const Cls_Tabular::Row& Header, int k, double WB, double v0, double v1)
{
  const double h0 = Header[k - 2], h1 = Header[k - 1];
  if (!(h1 > h0))
    return v1;
  return v0 + (WB - h0) * (v1 - v0) / (h1 - h0);
}

} // namespace

double Cls_IndoorUnit::TotalAt(TCacheCapacities& E, TCacheCapacities& D, double WB, int& ErrCode)
{
  const int k = UpperColumn(v_CoolTempdata, v_CoolTempIndex, WB);
  double c0 = 0, c1 = 0;
  if (k == 0 || !E.GetTC(k - 1, D, c0) || !E.GetTC(k, D, c1)) {
    ErrCode = IU_NO_ROW;
    return 0;
  }
  const double total = Interpolate(v_CoolTempdata, k, WB, c0, c1);
  if (!std::isfinite(total)) {
    ErrCode = IU_NOT_COMPUTABLE;
    return 0;
  }
  ErrCode = IU_OK;
  return total;
}

double Cls_IndoorUnit::GetTCoolCap(double TE, double WBRoomTemp, bool InTableValues, int& ErrCode)
{
  TCacheCapacities *E = nullptr, *D = nullptr;
  if (!CoolingEntries(TE, WBRoomTemp, InTableValues, E, D, ErrCode))
    return 0;
  return TotalAt(*E, *D, WBRoomTemp, ErrCode);
}

double Cls_IndoorUnit::GetTCoolCap(double TE, double DBRoomTemp, double RoomRH, const TAir& Air, bool InTableValues,
                                   int& ErrCode)
{
  return GetTCoolCap(TE, Air.ConvertDBRH2WB(DBRoomTemp, RoomRH), InTableValues, ErrCode);
}

bool Cls_IndoorUnit::ColumnBypass(TCacheCapacities& E, TCacheCapacities& D, int k, const TAir& Air, double& Bypass)
{
  // The factors hold for the pressure they were computed at.
  if (E.v_BypassPressure != Air.GetTotalPressure()) {
    E.v_HasBypass.fill(false);
    E.v_BypassPressure = Air.GetTotalPressure();
  }
  if (E.v_HasBypass[k - 1]) {
    Bypass = E.v_Bypass[k - 1];
    return true;
  }
  double Qt = 0, Qs = 0;
  if (k > v_CoolDBTempIndex || !E.GetTC(k, D, Qt) || !E.GetSC(k, D, Qs))
    return false;
  // The rated inlet air of the column.
  const double t = v_CoolDBTempData[k - 1];
  const CoilAir air = AirAt(Air, GetHighFan(), t, v_CoolTempdata[k - 1]);
  const double f = GetPIFanMotor() / 1000; // kW
  const double S = (Qs + f) / (Qt + f);    // sensible heat ratio of the coil line
  if (!(air.m > 0) || !(S > 0) || !AllFinite({S, air.h, air.cp}))
    return false;
  const bool fanUpstream = GetFanPosition() == 0;
  const double tIn = fanUpstream ? t + f / (air.m * air.cp) : t;
  const double hIn = fanUpstream ? air.h + f / air.m : air.h;
  const double hOut = fanUpstream ? air.h - Qt / air.m : air.h - (Qt + f) / air.m;

  // Where the coil line h(T) = hIn − cp·(tIn − T)/S reaches saturation: upwards
  // from 5 °C, one step back and a tenth of the step each time it is passed.
  auto lineAt = [&](double T) { return hIn - air.cp * (tIn - T) / S; };
  double T = 5, step = 1, hAdp = 0;
  // The line meets saturation by the inlet temperature at the latest; the
  // count only guards against data that are no air state at all.
  for (int trial = 0;; ++trial) {
    if (trial > 10000 || T > std::max(tIn, 5.0) + 1)
      return false;
    hAdp = lineAt(T);
    const double rh = Air.RelativeHumidity(Air.HumidityRatio(hAdp, T), T);
    if (!std::isfinite(rh))
      return false;
    if (rh > 100) {
      T += step;
      continue;
    }
    if (step < 0.001 || 100 - rh <= 0.001)
      break;
    T -= step;
    step /= 10;
    T += step;
  }
  const double beta = (hOut - hAdp) / (hIn - hAdp);
  if (!std::isfinite(beta))
    return false;
  E.v_Bypass[k - 1] = beta;
  E.v_HasBypass[k - 1] = true;
  Bypass = beta;
  return true;
}

bool Cls_IndoorUnit::BypassAt(TCacheCapacities& E, TCacheCapacities& D, double WB, const TAir& Air, double& Bypass,
                              int& ErrCode)
{
  const int k = UpperColumn(v_CoolTempdata, v_CoolTempIndex, WB);
  if (k == 0 || k > v_CoolDBTempIndex || !E.v_Sensible) {
    ErrCode = IU_NO_ROW;
    return false;
  }
  double b0 = 0, b1 = 0;
  if (!ColumnBypass(E, D, k - 1, Air, b0) || !ColumnBypass(E, D, k, Air, b1)) {
    ErrCode = IU_NOT_COMPUTABLE;
    return false;
  }
  Bypass = Interpolate(v_CoolTempdata, k, WB, b0, b1);
  return true;
}

double Cls_IndoorUnit::GetSCoolCap(double TE, double DBRoomTemp, double RoomRH, const TAir& Air, bool InTableValues,
                                   int& ErrCode)
{
  double w = Air.ConvertDBRH2WB(DBRoomTemp, RoomRH);
  TCacheCapacities *E = nullptr, *D = nullptr;
  if (!CoolingEntries(TE, w, InTableValues, E, D, ErrCode))
    return 0;
  const double Qt = TotalAt(*E, *D, w, ErrCode);
  if (ErrCode != IU_OK)
    return 0;
  auto fail = [&ErrCode](int nCode) {
    ErrCode = nCode;
    return 0.0;
  };
  if (!E->v_Sensible)
    return fail(IU_NO_ROW);
  const CoilAir air = AirAt(Air, GetHighFan(), DBRoomTemp, w);
  if (!(air.m > 0) || !AllFinite({air.h, air.cp, DBRoomTemp}))
    return fail(IU_NOT_COMPUTABLE);
  const double f = GetPIFanMotor() / 1000; // kW
  const bool fanUpstream = GetFanPosition() == 0;
  const double tIn = fanUpstream ? DBRoomTemp + f / (air.m * air.cp) : DBRoomTemp;
  const double hIn = fanUpstream ? air.h + f / air.m : air.h;
  const double F = fanUpstream ? 0 : f;
  const double hOut = air.h - (Qt + F) / air.m;

  double beta = 0;
  if (!BypassAt(*E, *D, w, Air, beta, ErrCode))
    return 0;
  if (!(beta < 1))
    return fail(IU_NOT_COMPUTABLE);
  // Apparatus dew point, and the outlet on the line from it to the inlet.
  const double hAdp = (hOut - beta * hIn) / (1 - beta);
  const double tAdp = Air.WetBulbTemp(tIn, hAdp);
  const double tOut = tAdp + beta * (tIn - tAdp);
  const double sensible = Round3(air.m * air.cp * (DBRoomTemp - tOut) - F);
  if (!std::isfinite(sensible))
    return fail(IU_NOT_COMPUTABLE);
  ErrCode = IU_OK;
  return std::min(sensible, Qt);
}

// ---- Cls_IndoorUnit: heating ----------------------------------------------

double Cls_IndoorUnit::GetHeatCap(double DBTemp, bool InTableValues, int& ErrCode)
{
  EnsureLoaded();
  if (!std::isfinite(DBTemp)) {
    ErrCode = IU_NOT_COMPUTABLE;
    return 0;
  }
  const Cls_IndTabularCap* row = v_IndTabCapacities.Search([](const Cls_IndTabularCap* r) {
    return r->GetType() == kRowHeat;
  });
  if (v_HeatTempIndex < 1 || !row) {
    ErrCode = IU_NO_ROW;
    return 0;
  }
  if (!InTableValues) {
    const double low = v_HeatTempData[0], high = v_HeatTempData[v_HeatTempIndex - 1];
    DBTemp = std::clamp(DBTemp, std::min(low, high), std::max(low, high));
  }
  const double capacity = row->GetValAt(DBTemp, v_HeatTempIndex, v_HeatTempData);
  if (!(capacity > 0)) {
    ErrCode = IU_NO_HEAT_CAPACITY;
    return 0;
  }
  ErrCode = IU_OK;
  return capacity;
}

} // namespace aw
