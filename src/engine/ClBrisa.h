#pragma once
// Cls_Brisa: a ventilation unit of the catalogue with its performance model.
// It adds to the stored unit its loaded speeds, characteristic curves,
// options and coil, the speeds chosen for one solution of the unit search,
// and the calculation of what the unit delivers in cooling and in heating:
// the eight air states, the exchange efficiencies corrected for the airflow
// ratio, the heaters it needs, the coil capacities and the exchanger's
// savings.
//
// Units: airflow m³/h, pressure Pa, temperature °C, relative humidity %,
// absolute humidity kg/kg, enthalpy kJ/kg, capacities and heaters kW,
// efficiencies % (fractions inside the formulas), humidification kg/h.

#include "air/Air.h"
#include "catalogue/ClBrisaData.h"
#include "catalogue/ClDevice.h"
#include "catalogue/ClPolynomial.h"
#include "engine/ResultCodes.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace aw {

class Cls_IndoorUnit;

// The eight air states of one operating mode.
struct AWPsychroSet
{
  RepPsychroPoint RA; // room air entering the exhaust side
  RepPsychroPoint OA; // outdoor air
  RepPsychroPoint EA; // exhaust air leaving the exchanger
  RepPsychroPoint SA; // supply air delivered to the room
  RepPsychroPoint VI; // outdoor air entering the exchanger, after the inlet heater
  RepPsychroPoint VO; // air leaving the unit's process, before the supply heater
  RepPsychroPoint CI; // air leaving the exchanger, entering the coil
  RepPsychroPoint HI; // air entering the humidifier
};

// One heater (kW): the user's choice is an input, the calculated one an output.
struct AWHeaterSet
{
  double UserHeater = 0;
  double CalcHeater = 0;
  // Records a calculated heater; a smaller user heater is raised to it.
  void SetCalculated(double x)
  {
    CalcHeater = x;
    if (UserHeater < x)
      UserHeater = x;
  }
};

// Why a unit of the search offered no solution: the code of its last
// evaluation, or 0 with bNoFilter when it lacks a filter of a requested class.
struct CTUnitRejection
{
  std::string szUnit;
  int nCode = 0;
  bool bNoFilter = false;
};

// The value the panels pass for "no value" (no user heater, no supply temperature).
inline constexpr double kNoValue = -2147483647;
// The temperature that stands for "no limit" (°C).
inline constexpr double kNoTemperature = -273;

class Cls_Brisa : public Cls_BrisaData
{
public:
  // Result codes of the performance operations (9 … 21 and 0).
  using enum TResultCode;
  // Curve types of the unit's characteristic curves.
  enum CurveType : int {
    ctTempExEff = 0,
    ctCoolEnthalpyExEff,
    ctHeatEnthalpyExEff,
    ctTotalCapCorr,
    ctSensibleCapCorr,
    ctCoolCaps,
    ctMaxCoolCaps,
    ctHeatCaps,
    ctMaxHeatCaps,
  };
  // Plenum choices.
  enum : int { kPlenumNone = 0, kPlenumOAEA = 1, kPlenumAll = 2 };

  explicit Cls_Brisa(int nObjID = 0, CTBaseFactory* pFactory = nullptr);
  ~Cls_Brisa() override;

  // Releases speeds, curves, options and coil; the next use reloads them.
  void ClearCache();

  // ---- curves ----
  Cls_BrisaPolynomial* GetTempExhangeEfficiency();
  Cls_BrisaPolynomial* GetCoolEnthalpyExhangeEfficiency();
  Cls_BrisaPolynomial* GetHeatEnthalpyExhangeEfficiency();
  Cls_BrisaPolynomial* GetTotalCapCorrection();
  Cls_BrisaPolynomial* GetSensibleCapCorrection();
  // The capacity curves of type TableType (5 … 8) with the smallest lower and
  // the largest upper argument; none and −273, −273 for another type, and
  // −273 for both when the list is empty or its largest upper bound is 0.
  const ObjectList<Cls_BrisaPolynomial>* GetCapacities(int TableType, double& MinAmb, double& MaxAmb);
  // Discharge temperatures (°C) of the first and last capacity curve; 0, 0 without curves.
  void GetCoolDischargeRange(int& MinDischarge, int& MaxDischarge);
  void GetHeatDischargeRange(int& MinDischarge, int& MaxDischarge);
  // The highest discharge temperature of the capacity curves, −273 without curves.
  double GetCoolSupplyTemp();
  double GetHeatSupplyTemp();
  // The coil of a Dorsa unit, or none.
  Cls_IndoorUnit* GetIndoorUnit();

  // ---- options ----
  const ObjectList<Cls_DeviceOption>& GetHeaterOptions();
  const ObjectList<Cls_DeviceOption>& GetFilterOptions();
  Cls_DeviceOption* GetPlenumOption();
  // The first filter option whose rounded Value is FilterClass (1 F6, 2 F7, 3 F8), or none.
  Cls_DeviceOption* GetFilterOption(int FilterClass);
  // Pressure drop (Pa) of that filter at nAirflow (m³/h); 0 without option or curve.
  double GetFilterESP(int nFilterClass, double nAirflow);
  // Plenum pressure drops (Pa) for a plenum choice at the two airflows (m³/h).
  void GetPlenumESP(int nSelPlenum, double nAflSupply, double nAflExhaust, double& nESPSupply, double& nESPExhaust);
  // The coil's option combinations when the unit has a coil, else its own; caller-owned.
  OwningObjectList<Cls_DevOptCombination> GetOptionCombinationsForBrisa();
  void StoreUsedOptions(OwningObjectList<Cls_DevOptCombination> OptionList);
  const ObjectList<Cls_DevOptCombination>& GetUsedOptions() const { return v_usedOptions; }

  // ---- speeds ----
  // The unit's speeds, highest step first.
  const ObjectList<Cls_BrisaSpeed>& GetSpeeds();
  Cls_BrisaSpeed* GetSpeed(int SpeedId);
  // The speed type's name, a blank and the rounded step when that is above 0.
  std::string GetSpeedName(const Cls_BrisaSpeed* TheSpeed) const;
  void GetSpeedNames(std::string& SupplySpeed, std::string& ExhaustSpeed) const;
  void GetSpeedIds(int& SupplySpeedId, int& ExhaustSpeedId) const;
  Cls_BrisaSpeed* GetSupplySpeed() const { return v_supplySpeed; }
  Cls_BrisaSpeed* GetExhaustSpeed() const { return v_exhaustSpeed; }
  bool HasSpeeds(int SupplySpeedId, int ExhaustSpeedId) const;
  // The humidity and temperature limits the exchanger works within, with the
  // upside-down values where the unit has them and is mounted so.
  struct ExchangeLimits
  {
    double rhoE; // %, exhaust air leaving the exchanger
    double rhoV; // %, supply air leaving the exchanger
    double rhoC; // %, air entering the coil
    double tV;   // °C, lowest temperature entering the exchanger
  };
  ExchangeLimits LimitsFor(bool bUpsideDown) const;
  // The unit's name with the names of the chosen speeds.
  std::string GetQualifiedName() const override;
  std::string GetQualifiedNameFor(int nSupSpeedID, int nExtSpeedID) const;
  // The pressure (Pa) the speed's fan delivers at the airflow; 0 without speed or airflow.
  double CalcSupplyESP(int SupplySpeedId, double SupplyAir);
  double CalcExhaustESP(int ExhaustSpeedId, double ExhaustAir);

  // ---- families ----
  // For every family code 0 … 8 whose bit is set, its name and code, once per name.
  static void FillFamily(std::uint16_t nFamilies, std::vector<std::pair<std::string, int>>& pList);

  // ---- performance ----
  int SelectForCooling(double RATemp, double RARelH, double OATemp, double OARelH, double SupplyAir,
                       double ExhaustAir, const TAir& Air, double TETemp, double Discharge, bool bUpsideDown,
                       AWPsychroSet& PsychroPoints, double& TotalCap, double& SensibleCap, double& TemperatureEff,
                       double& EnthalpyEff, double& MaxAmbientTemp, AWHeaterSet& InletHeater);
  int SelectForHeating(double RATemp, double RARelH, double OATemp, double OARelH, double SupplyAir,
                       double ExhaustAir, const TAir& Air, double SupplyTemp, bool bUpsideDown,
                       AWPsychroSet& PsychroPoints, double& HeatCap, double& TemperatureEff, double& EnthalpyEff,
                       double& MinAmbientTemp, double& Humidification, AWHeaterSet& InletHeater,
                       AWHeaterSet& SupplyHeater);
  // Latent and sensible energy (kW) the exchanger saves.
  void CalcCoolSavings(const AWPsychroSet& PsychroPoints, double SupplyAir, const TAir& Air, double& LatentSavings,
                       double& SensibleSavings);
  void CalcHeatSavings(const AWPsychroSet& PsychroPoints, double SupplyAir, const TAir& Air, double& LatentSavings,
                       double& SensibleSavings);

  // ---- the unit search ----
  // Solutions (new objects, owned by the list) of the units for the required
  // airflows Qs, Qe (m³/h) against the ESPs Ps, Pe (Pa) with filter classes
  // fs, fe and a plenum choice, sorted by their key; ErrorCode 0 or 1 … 8.
  // Without solutions the code is that of the last unit whose airflow range
  // covers both airflows and that failed with a code (the reason that
  // applies), else that of the last evaluation that failed. pRejections, when
  // given, receives the reason of every unit that offered no solution.
  static OwningObjectList<Cls_Brisa> SelectedDevices(const ObjectList<Cls_Brisa>& pUnits,
                                                     const Cls_BrisaSpType* pMaxSpeedType, double Qs, double Qe,
                                                     double Ps, double Pe, int fs, int fe, int nPlenum,
                                                     int& ErrorCode,
                                                     std::vector<CTUnitRejection>* pRejections = nullptr);
  // The ordered speed types of which some unit of the list has a speed.
  static ObjectList<Cls_BrisaSpType> AvailableSpeedTypes(const ObjectList<Cls_Brisa>& pUnits);
  // Smallest minimum and largest maximum airflow (m³/h), largest speed pressure limit (Pa).
  static void GetRanges(const ObjectList<Cls_Brisa>& pUnits, double& MinAirflow, double& MaxAirflow,
                        double& MaxEsp);
  // Catalogue order: maximum airflow ascending, units without one by name.
  static bool CompareBrisas(const Cls_Brisa* pA, const Cls_Brisa* pB);
  static bool CompareSolution(const Cls_Brisa* pA, const Cls_Brisa* pB);

  // A solution's chosen speeds (references into the searched unit's speed
  // list, which must outlive the solution) and sort key.
  Cls_BrisaSpeed* v_supplySpeed = nullptr;
  Cls_BrisaSpeed* v_exhaustSpeed = nullptr;
  double v_selKey = 0;
  // The catalogue unit the solution was found on (its options are loaded), or none.
  Cls_Brisa* v_searchedUnit = nullptr;

private:
  void EnsureCurves();
  void EnsureOptions();
  Cls_BrisaPolynomial* Curve(int nType);
  ObjectList<Cls_BrisaPolynomial>* CapacityList(int nType);
  Cls_BrisaFilter* FilterCurve(Cls_DeviceOption* pOption);

  // Performance steps.
  void Reset(double RATemp, double RARelH, double OATemp, double OARelH, const TAir& Air, AWPsychroSet& P) const;
  int CheckLimits(double RATemp, double RARelH, double OATemp, double OARelH, double SupplyAir,
                  double ExhaustAir) const;
  int ExchangerPath(bool bCooling, double OARelH, double SupplyAir, double ExhaustAir,
                    const TAir& Air, double TETemp, double SupplyTemp, bool bUpsideDown, AWPsychroSet& P,
                    double& TotalCap, double& SensibleCap, double& HeatCap, double& TemperatureEff,
                    double& EnthalpyEff, double& AmbientLimit, double& Humidification, AWHeaterSet& InletHeater,
                    AWHeaterSet* SupplyHeater);
  // a, b: the supply side's efficiencies (fractions); MassRatio: supply ÷ exhaust mass flow.
  int InletHeaterSearch(const ExchangeLimits& L, double a, double b, double MassRatio, double SupplyAir,
                        const TAir& Air, AWPsychroSet& P, double& Heater) const;
  int CoilCooling(double TETemp, double SupplyAir, const TAir& Air, AWPsychroSet& P, double& TotalCap,
                  double& SensibleCap);
  int CoilHeating(double SupplyAir, const TAir& Air, AWPsychroSet& P, double& HeatCap, double& Humidification);
  int PelmarCooling(double OARelH, double SupplyAir, const TAir& Air, double Discharge, AWPsychroSet& P,
                    double& TotalCap);
  int PelmarHeating(double RATemp, double OARelH, double SupplyAir, const TAir& Air, double SupplyTemp,
                    bool bUpsideDown, AWPsychroSet& P, double& HeatCap, AWHeaterSet& InletHeater);

  // The search of one unit.
  struct SearchRequest;
  // ErrorCode: set when the pair fails with a code; false when the unit lacks a requested filter.
  bool EvaluatePair(const SearchRequest& R, const ObjectList<Cls_BrisaSpeed>& A, const ObjectList<Cls_BrisaSpeed>& B,
                    OwningObjectList<Cls_Brisa>& pSolutions, int& ErrorCode);

  bool v_curvesLoaded = false;
  bool v_coilLoaded = false;
  std::unique_ptr<Cls_IndoorUnit> v_indoor;
  std::unique_ptr<OwningObjectList<Cls_BrisaSpeed>> v_speeds;
  std::unique_ptr<Cls_BrisaPolynomial> v_tempExEff, v_cEnthalpyExEff, v_hEnthalpyExEff, v_totalCapCorr,
    v_sensibleCapCorr;
  OwningObjectList<Cls_BrisaPolynomial> v_coolCaps, v_maxCoolCaps, v_heatCaps, v_maxHeatCaps;
  bool v_optionsLoaded = false;
  OwningObjectList<Cls_DeviceOption> v_availHeaterOptions, v_availFilterOptions;
  std::unique_ptr<Cls_DeviceOption> v_plenumOption;
  // The pressure-drop curve of each filter option, read once (none: the option has no curve).
  std::map<const Cls_DeviceOption*, std::unique_ptr<Cls_BrisaFilter>> v_filterCurves;
  OwningObjectList<Cls_DevOptCombination> v_usedOptions;
};

} // namespace aw
