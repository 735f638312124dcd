#pragma once
// The stored side of the ventilation units (table Tbl_Brisa) and of the
// indoor units that serve as their coils (table Tbl_IndoorUnit): properties,
// links and product information. The performance models derive from these
// classes; a factory derived from CTFactory creates the derived classes for
// the two class ids.

#include "catalogue/ClDevice.h"

#include <string>

namespace aw {

class Cls_BrisaPolynomial;
class Cls_BrisaSpeed;
class Cls_IndTabularCap;
class Cls_IndoorUnitData;

class Cls_BrisaData : public Cls_Device
{
public:
  static constexpr int kClassID = 144;
  enum : int {
    ixType = 13,
    ixNomHumidity,
    ixMaxAirflow,
    ixSeries,
    ixNomAirflow,
    ixDuctDiam,
    ixMinAirflow,
    ixMinTempFanOnly,
    ixMaxTempFanOnly,
    ixEAMaxRH,
    ixEAMaxRHUpsideDown,
    ixVOMaxRHUpsideDown,
    ixOAMaxRH,
    ixVOMaxRH,
    ixRAMaxRH,
    ixCIMaxRHUpsideDown,
    ixCIMaxRH,
    ixRAMinTemp,
    ixVIMinTemp,
    ixOAMinTemp,
    ixVIMinTempUpsideDown,
    ixRAMaxTemp,
    ixOAMaxTemp,
    ixCanBeUpsideDown,
  };
  // Family codes (Type).
  enum : int { kFamilyBrisa = 0, kFamilyDorsa = 1, kFamilyPelmarMF = 2 };

  explicit Cls_BrisaData(int nObjID = 0, CTBaseFactory* pFactory = nullptr) : Cls_Device(kClassID, nObjID, pFactory) {}

  AW_INTEGER_PROPERTY(Type, ixType)
  AW_DOUBLE_PROPERTY(NomHumidity, ixNomHumidity) // kg/h, 0: no humidifier
  AW_DOUBLE_PROPERTY(MaxAirflow, ixMaxAirflow)   // m³/h
  AW_STRING_PROPERTY(Series, ixSeries)
  AW_DOUBLE_PROPERTY(NomAirflow, ixNomAirflow) // m³/h
  AW_DOUBLE_PROPERTY(DuctDiam, ixDuctDiam)
  AW_DOUBLE_PROPERTY(MinAirflow, ixMinAirflow) // m³/h
  AW_DOUBLE_PROPERTY(MinTempFanOnly, ixMinTempFanOnly)
  AW_DOUBLE_PROPERTY(MaxTempFanOnly, ixMaxTempFanOnly)
  AW_DOUBLE_PROPERTY(EAMaxRH, ixEAMaxRH) // %
  AW_DOUBLE_PROPERTY(EAMaxRHUpsideDown, ixEAMaxRHUpsideDown)
  AW_DOUBLE_PROPERTY(VOMaxRHUpsideDown, ixVOMaxRHUpsideDown)
  AW_DOUBLE_PROPERTY(OAMaxRH, ixOAMaxRH)
  AW_DOUBLE_PROPERTY(VOMaxRH, ixVOMaxRH)
  AW_DOUBLE_PROPERTY(RAMaxRH, ixRAMaxRH)
  AW_DOUBLE_PROPERTY(CIMaxRHUpsideDown, ixCIMaxRHUpsideDown)
  AW_DOUBLE_PROPERTY(CIMaxRH, ixCIMaxRH)
  AW_DOUBLE_PROPERTY(RAMinTemp, ixRAMinTemp) // °C
  AW_DOUBLE_PROPERTY(VIMinTemp, ixVIMinTemp)
  AW_DOUBLE_PROPERTY(OAMinTemp, ixOAMinTemp)
  AW_DOUBLE_PROPERTY(VIMinTempUpsideDown, ixVIMinTempUpsideDown)
  AW_DOUBLE_PROPERTY(RAMaxTemp, ixRAMaxTemp)
  AW_DOUBLE_PROPERTY(OAMaxTemp, ixOAMaxTemp)
  AW_BOOLEAN_PROPERTY(CanBeUpsideDown, ixCanBeUpsideDown)
  // Other names of fields that family 2 uses differently.
  double GetMinCoolRH() const { return GetEAMaxRH(); }
  void SetMinCoolRH(double nVal) { SetEAMaxRH(nVal); }
  double GetMinHeatRH() const { return GetRAMaxRH(); }
  void SetMinHeatRH(double nVal) { SetRAMaxRH(nVal); }
  double GetMinCoilVolume() const { return GetMinAirflow(); }
  void SetMinCoilVolume(double nVal) { SetMinAirflow(nVal); }
  double GetMaxCoilVolume() const { return GetMaxAirflow(); }
  void SetMaxCoilVolume(double nVal) { SetMaxAirflow(nVal); }

  OwningObjectList<Cls_BrisaSpeed> GetAllBrisaSpeed();
  OwningObjectList<Cls_BrisaPolynomial> GetAllBrisaPolynomial();
  // The indoor unit whose Brisa reference names this unit (the coil of a Dorsa unit), or none.
  std::unique_ptr<Cls_IndoorUnitData> GetTheIndoorUnit();

  // The trimmed series; the trimmed product-range key, else the lookup
  // series of the cached family of the series, else the series.
  void GetProductLinkInfo(std::string& szSeriesName, std::string& szPRV) override;

  // The display name of a family code.
  static std::string Family2Str(int TheFamily);

protected:
  Cls_BrisaData(int nClsID, int nObjID, CTBaseFactory* pFactory) : Cls_Device(nClsID, nObjID, pFactory) {}
};

class Cls_IndoorUnitData : public Cls_IndoorDevice
{
public:
  static constexpr int kClassID = 109;
  enum : int {
    ixMaxConnRatio = 30,
    ixFamily,
    ixMaxMixAirPercentage,
    ixMaxMixWaterPercentage,
    ixMaxInletWaterTemp,
    ixDoorWidth,
    ixMinDoorHeight,
    ixMaxDoorHeight,
    ixColor,
    ixHasController,
    ixPIFanMotor,
    ixFanPosition,
    ixExtraCharge,
    ixNominalHeatIndTemp,
    ixNominalCoolIndTemp,
    ixNominalWendrixCap,
    ixMaxDXConnRatio,
    ixIsRAIndoor,
    ixIsRASplitUnit,
    ixIsReversible,
    ixCanSelectOnSensible,
    ixUseIndoorExtraCharge,
    ixNominalAirFlow,
    ixIuEquivalentPipeLength,
    ixIuActualPipeLength,
    ixIuRefrigerantFactorE,
    ixBrisa,
  };

  explicit Cls_IndoorUnitData(int nObjID = 0, CTBaseFactory* pFactory = nullptr)
    : Cls_IndoorDevice(kClassID, nObjID, pFactory)
  {
  }

  AW_DOUBLE_PROPERTY(MaxConnRatio, ixMaxConnRatio)
  AW_STRING_PROPERTY(Family, ixFamily)
  AW_DOUBLE_PROPERTY(MaxMixAirPercentage, ixMaxMixAirPercentage)
  AW_DOUBLE_PROPERTY(MaxMixWaterPercentage, ixMaxMixWaterPercentage)
  AW_DOUBLE_PROPERTY(MaxInletWaterTemp, ixMaxInletWaterTemp)
  AW_DOUBLE_PROPERTY(DoorWidth, ixDoorWidth)
  AW_DOUBLE_PROPERTY(MinDoorHeight, ixMinDoorHeight)
  AW_DOUBLE_PROPERTY(MaxDoorHeight, ixMaxDoorHeight)
  AW_STRING_PROPERTY(Color, ixColor)
  AW_BOOLEAN_PROPERTY(HasController, ixHasController)
  AW_DOUBLE_PROPERTY(PIFanMotor, ixPIFanMotor) // W
  AW_INTEGER_PROPERTY(FanPosition, ixFanPosition)
  AW_DOUBLE_PROPERTY(ExtraCharge, ixExtraCharge)
  AW_DOUBLE_PROPERTY(NominalHeatIndTemp, ixNominalHeatIndTemp) // °C
  AW_DOUBLE_PROPERTY(NominalCoolIndTemp, ixNominalCoolIndTemp) // °C
  AW_DOUBLE_PROPERTY(NominalWendrixCap, ixNominalWendrixCap)
  AW_DOUBLE_PROPERTY(MaxDXConnRatio, ixMaxDXConnRatio)
  AW_BOOLEAN_PROPERTY(IsRAIndoor, ixIsRAIndoor)
  AW_BOOLEAN_PROPERTY(IsRASplitUnit, ixIsRASplitUnit)
  AW_BOOLEAN_PROPERTY(IsReversible, ixIsReversible)
  AW_BOOLEAN_PROPERTY(CanSelectOnSensible, ixCanSelectOnSensible)
  AW_BOOLEAN_PROPERTY(UseIndoorExtraCharge, ixUseIndoorExtraCharge)
  AW_DOUBLE_PROPERTY(NominalAirFlow, ixNominalAirFlow)
  AW_DOUBLE_PROPERTY(IuEquivalentPipeLength, ixIuEquivalentPipeLength)
  AW_DOUBLE_PROPERTY(IuActualPipeLength, ixIuActualPipeLength)
  AW_DOUBLE_PROPERTY(IuRefrigerantFactorE, ixIuRefrigerantFactorE)
  AW_REFERENCE_PROPERTY(Brisa, Cls_BrisaData, ixBrisa)

  OwningObjectList<Cls_IndTabularCap> GetAllIndTabularCap();

  // "Indoor unit"; the qualified name is the unit's name alone.
  std::string GetQualifier() const override;
  std::string GetQualifiedName() const override { return GetName(); }
  // As for the ventilation units, with the family in place of the series.
  void GetProductLinkInfo(std::string& szSeriesName, std::string& szPRV) override;

protected:
  Cls_IndoorUnitData(int nClsID, int nObjID, CTBaseFactory* pFactory) : Cls_IndoorDevice(nClsID, nObjID, pFactory) {}
};

} // namespace aw
