#pragma once
// The direct-expansion coil of a Dorsa unit, catalogued as an indoor unit:
// its capacity tables and the capacities they give for the air entering the
// coil. Total cooling capacity is read from the tables at the coil-inlet wet
// bulb; sensible cooling capacity follows from the bypass-factor method;
// heating capacity is read at the coil-inlet dry bulb.
//
// Units: capacities kW, temperatures °C, relative humidity %, airflow m³/h
// (HighFan), fan motor power W (PIFanMotor).
//
// Every capacity operation reports through ErrCode; a capacity is only
// meaningful with ErrCode == IU_OK, otherwise the result is 0.

#include "air/Air.h"
#include "catalogue/ClBrisaData.h"
#include "catalogue/ClPolynomial.h"

#include <array>
#include <memory>
#include <vector>

namespace aw {

// ErrCode values of the capacity operations.
enum : int {
  IU_OK = 0,
  IU_WB_OUTSIDE_TABLE = 3,  // cooling wet bulb outside the cooling header (only with InTableValues)
  IU_NO_HEAT_CAPACITY = 4,  // the heating value is not above 0
  IU_NO_ROW = 5,            // no row of the needed kind (header, capacity or sensible row, or < 2 columns)
  IU_NOT_COMPUTABLE = 6,    // the data give no capacity: no airflow, a bypass factor of 1, non-finite values
  IU_NO_TE_ROWS = 12,       // no capacity rows for the evaporating temperature or for the standard one
};

// The capacity rows of one evaporating temperature and their column values,
// computed once per column.
class TCacheCapacities
{
public:
  static constexpr int kColumns = Cls_Tabular::kColumns;
  explicit TCacheCapacities(double TE) : v_TE(TE) {}

  // Total capacity (kW) of column TempIndex (1 … 7); DefaultCap is the entry
  // of the standard evaporating temperature that factor rows refer to.
  // False when the column has no value (missing row, bad index, factor row
  // without a standard row).
  bool GetTC(int TempIndex, TCacheCapacities& DefaultCap, double& Capacity);
  // Sensible capacity (kW) of column TempIndex: as catalogued, or from the
  // standard sensible heat ratio scaled by a factor row (then at most the total).
  bool GetSC(int TempIndex, TCacheCapacities& DefaultCap, double& Capacity);
  // The same, 0 when the column has no value.
  double GetTC(int TempIndex, TCacheCapacities& DefaultCap);
  double GetSC(int TempIndex, TCacheCapacities& DefaultCap);

  double v_TE; // evaporating temperature, °C
  std::array<double, kColumns> v_TotalCool{}, v_SensibleCool{}, v_Bypass{};
  std::array<bool, kColumns> v_HasTotal{}, v_HasSensible{}, v_HasBypass{};
  double v_BypassPressure = 0; // Pa, the barometric pressure the bypass factors were computed at
  const Cls_IndTabularCap* v_Total = nullptr;    // not owned
  const Cls_IndTabularCap* v_Sensible = nullptr; // not owned
  bool v_Linked = false;
};

class Cls_IndoorUnit : public Cls_IndoorUnitData
{
public:
  explicit Cls_IndoorUnit(int nObjID = 0, CTBaseFactory* pFactory = nullptr);
  ~Cls_IndoorUnit() override;

  // Asks for the standard evaporating temperature of the tables.
  static constexpr double kStandardTE = -273;

  // Total cooling capacity (kW) at the evaporating temperature TE (°C) for
  // coil-inlet air at DBRoomTemp (°C) and RoomRH (%). With InTableValues
  // false the wet bulb is clamped into the cooling header.
  double GetTCoolCap(double TE, double DBRoomTemp, double RoomRH, const TAir& Air, bool InTableValues,
                     int& ErrCode);
  // The same for a coil-inlet wet bulb WBRoomTemp (°C).
  double GetTCoolCap(double TE, double WBRoomTemp, bool InTableValues, int& ErrCode);
  // Sensible cooling capacity (kW) by the bypass-factor method; at most the total.
  double GetSCoolCap(double TE, double DBRoomTemp, double RoomRH, const TAir& Air, bool InTableValues,
                     int& ErrCode);
  // Heating capacity (kW) for coil-inlet air at DBTemp (°C).
  double GetHeatCap(double DBTemp, bool InTableValues, int& ErrCode);

  // Forgets the headers, rows and cached values (the next call reloads them).
  void ClearCache();

private:
  void EnsureLoaded();
  TCacheCapacities* Entry(double TE);
  void LinkRows(TCacheCapacities& pEntry);
  // Looks up the entries of TE and of the standard temperature and the wet bulb in the header.
  bool CoolingEntries(double TE, double& WB, bool InTableValues, TCacheCapacities*& E, TCacheCapacities*& D,
                      int& ErrCode);
  double TotalAt(TCacheCapacities& E, TCacheCapacities& D, double WB, int& ErrCode);
  bool BypassAt(TCacheCapacities& E, TCacheCapacities& D, double WB, const TAir& Air, double& Bypass, int& ErrCode);
  bool ColumnBypass(TCacheCapacities& E, TCacheCapacities& D, int k, const TAir& Air, double& Bypass);

  bool v_loaded = false;
  // Valid column counts and values of the cooling wet-bulb, cooling dry-bulb and heating headers (°C).
  int v_CoolTempIndex = 0, v_CoolDBTempIndex = 0, v_HeatTempIndex = 0;
  Cls_Tabular::Row v_CoolTempdata{}, v_CoolDBTempData{}, v_HeatTempData{};
  OwningObjectList<Cls_IndTabularCap> v_IndTabCapacities; // capacity rows by Te ascending
  std::vector<std::unique_ptr<TCacheCapacities>> v_CachedCapacities;
  double v_stdTE = 0;      // °C, Te of the type-2 row
  bool v_hasStdTE = false; // a type-2 row exists
};

} // namespace aw
