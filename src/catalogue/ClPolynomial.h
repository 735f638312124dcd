#pragma once
// The two generic shapes of the catalogue's performance data: polynomial
// curves y = f(x) of degree up to seven with a validity range, and tabular
// rows of seven values that belong to the columns of a header row; and the
// speed types and commissioning settings of the ventilation units' speeds.

#include "catalogue/CatalogueProperties.h"

#include <array>
#include <string>

namespace aw {

class Cls_BrisaData;
class Cls_BrisaSetting;
class Cls_BrisaSpType;
class Cls_DeviceOption;
class Cls_IndoorUnitData;
class Cls_TesselDeviceOption;

class Cls_Polynomial : public CTDbObject
{
public:
  static constexpr int kClassID = 121;
  enum : int {
    ixA4 = 1,
    ixSelect1,
    ixA3,
    ixA2,
    ixA6,
    ixA7,
    ixA0,
    ixType,
    ixSelect2,
    ixA5,
    ixA1,
    ixArgumentLow,
    ixArgumentHigh,
  };
  static constexpr int kDegree = 7;

  explicit Cls_Polynomial(int nObjID = 0, CTBaseFactory* pFactory = nullptr)
    : Cls_Polynomial(kClassID, nObjID, pFactory)
  {
  }

  AW_DOUBLE_PROPERTY(A0, ixA0)
  AW_DOUBLE_PROPERTY(A1, ixA1)
  AW_DOUBLE_PROPERTY(A2, ixA2)
  AW_DOUBLE_PROPERTY(A3, ixA3)
  AW_DOUBLE_PROPERTY(A4, ixA4)
  AW_DOUBLE_PROPERTY(A5, ixA5)
  AW_DOUBLE_PROPERTY(A6, ixA6)
  AW_DOUBLE_PROPERTY(A7, ixA7)
  AW_DOUBLE_PROPERTY(Select1, ixSelect1)
  AW_DOUBLE_PROPERTY(Select2, ixSelect2)
  AW_INTEGER_PROPERTY(Type, ixType)
  AW_DOUBLE_PROPERTY(ArgumentLow, ixArgumentLow)
  AW_DOUBLE_PROPERTY(ArgumentHigh, ixArgumentHigh)

  // The coefficient of x^nPower (0 to 7) and its field index.
  double GetCoefficient(int nPower) const { return GetDoubleValue(CoefficientIndex(nPower)); }
  void SetCoefficient(int nPower, double nVal) { SetDoubleValue(CoefficientIndex(nPower), nVal); }
  static int CoefficientIndex(int nPower);

  // The curve at nArgument. A range of 0 to 0 means no limit; outside the
  // closed range, and when the arithmetic fails, the value is 0.
  double Evaluate(double nArgument) const;

protected:
  Cls_Polynomial(int nClsID, int nObjID, CTBaseFactory* pFactory) : CTDbObject(nClsID, nObjID, pFactory) {}
};

// A fan speed of a ventilation unit: airflow (m³/h) -> external static pressure (Pa).
class Cls_BrisaSpeed : public Cls_Polynomial
{
public:
  static constexpr int kClassID = 147;
  enum : int { ixCurrent = 14, ixEspLimit, ixSoundLevel, ixBrisaSpType, ixBrisa = 19 };

  explicit Cls_BrisaSpeed(int nObjID = 0, CTBaseFactory* pFactory = nullptr)
    : Cls_Polynomial(kClassID, nObjID, pFactory)
  {
  }

  AW_STRING_PROPERTY(Current, ixCurrent)
  AW_DOUBLE_PROPERTY(EspLimit, ixEspLimit) // Pa
  AW_STRING_PROPERTY(SoundLevel, ixSoundLevel)
  AW_REFERENCE_PROPERTY(BrisaSpType, Cls_BrisaSpType, ixBrisaSpType)
  AW_REFERENCE_PROPERTY(Brisa, Cls_BrisaData, ixBrisa)
  // The power input is kept in the second selector.
  double GetPowerInput() const { return GetSelect2(); }
  void SetPowerInput(double nVal) { SetSelect2(nVal); }

  // Speeds with the higher fan-curve step (Select1) come first.
  static bool CompareSpeeds(const Cls_BrisaSpeed* pA, const Cls_BrisaSpeed* pB);
};

// The pressure drop (Pa) of a filter option over the airflow (m³/h).
class Cls_BrisaFilter : public Cls_Polynomial
{
public:
  static constexpr int kClassID = 390;
  enum : int { ixTesselDeviceOption = 14 };

  explicit Cls_BrisaFilter(int nObjID = 0, CTBaseFactory* pFactory = nullptr)
    : Cls_Polynomial(kClassID, nObjID, pFactory)
  {
  }

  AW_REFERENCE_PROPERTY(TesselDeviceOption, Cls_TesselDeviceOption, ixTesselDeviceOption)
};

// A characteristic curve of a ventilation unit (efficiencies, capacity corrections, capacities).
class Cls_BrisaPolynomial : public Cls_Polynomial
{
public:
  static constexpr int kClassID = 193;
  enum : int { ixBrisa = 14 };

  explicit Cls_BrisaPolynomial(int nObjID = 0, CTBaseFactory* pFactory = nullptr)
    : Cls_Polynomial(kClassID, nObjID, pFactory)
  {
  }

  AW_REFERENCE_PROPERTY(Brisa, Cls_BrisaData, ixBrisa)

  // By Select2, then by Select1, ascending.
  static bool CompareBrisaPolynomials(const Cls_BrisaPolynomial* pA, const Cls_BrisaPolynomial* pB);
};

// A correction curve for unbalanced airflows or humidification.
class Cls_BrisaCorrection : public Cls_Polynomial
{
public:
  static constexpr int kClassID = 356;

  explicit Cls_BrisaCorrection(int nObjID = 0, CTBaseFactory* pFactory = nullptr)
    : Cls_Polynomial(kClassID, nObjID, pFactory)
  {
  }
};

// A pressure-drop curve (Pa over m³/h) of an option, e.g. a plenum.
class Cls_DeviceOptionPolynomial : public Cls_Polynomial
{
public:
  static constexpr int kClassID = 505;
  enum : int { ixDeviceOption = 14 };

  explicit Cls_DeviceOptionPolynomial(int nObjID = 0, CTBaseFactory* pFactory = nullptr)
    : Cls_Polynomial(kClassID, nObjID, pFactory)
  {
  }

  AW_REFERENCE_PROPERTY(DeviceOption, Cls_DeviceOption, ixDeviceOption)
};

// One row of a capacity table: seven values for the seven header columns.
class Cls_Tabular : public CTDbObject
{
public:
  static constexpr int kClassID = 331;
  enum : int {
    ixType = 1,
    ixTe,
    ixSelect,
    ixGeneric,
    ixCol1,
    ixCol2,
    ixCol4,
    ixCol6,
    ixCol3,
    ixCol5,
    ixCol7,
  };
  static constexpr int kColumns = 7;
  // Header rows: cooling wet bulb, heating dry bulb, cooling dry bulb (°C).
  enum : int { kHeaderCoolWB = 0, kHeaderHeat = 1, kHeaderCoolDB = 10 };
  using Row = std::array<double, kColumns>;

  explicit Cls_Tabular(int nObjID = 0, CTBaseFactory* pFactory = nullptr) : Cls_Tabular(kClassID, nObjID, pFactory) {}

  AW_INTEGER_PROPERTY(Type, ixType)
  AW_DOUBLE_PROPERTY(Te, ixTe) // evaporating temperature, °C
  AW_DOUBLE_PROPERTY(Select, ixSelect)
  AW_DOUBLE_PROPERTY(Generic, ixGeneric)
  AW_DOUBLE_PROPERTY(Col1, ixCol1)
  AW_DOUBLE_PROPERTY(Col2, ixCol2)
  AW_DOUBLE_PROPERTY(Col3, ixCol3)
  AW_DOUBLE_PROPERTY(Col4, ixCol4)
  AW_DOUBLE_PROPERTY(Col5, ixCol5)
  AW_DOUBLE_PROPERTY(Col6, ixCol6)
  AW_DOUBLE_PROPERTY(Col7, ixCol7)

  // Column TheIndex (1 to 7); 0 for any other index.
  double GetDataVal(int TheIndex) const;
  Row GetDataRow() const;
  bool IsHeaderRow() const;
  // For a header row the number of valid columns and the header values; else 0 and zeros.
  void GetTempRow(int& TempULimit, Row& TempData) const;
  // This row's value at TheTemp on the header TempData with ULimit valid
  // columns: exact, or interpolated between neighbouring columns; 0 outside the header.
  double GetValAt(double TheTemp, int ULimit, const Row& TempData) const;

  // By Te ascending.
  static bool CompareTabular(const Cls_Tabular* pA, const Cls_Tabular* pB);

protected:
  Cls_Tabular(int nClsID, int nObjID, CTBaseFactory* pFactory) : CTDbObject(nClsID, nObjID, pFactory) {}
};

// A capacity row of an indoor unit.
class Cls_IndTabularCap : public Cls_Tabular
{
public:
  static constexpr int kClassID = 335;
  enum : int { ixIndoorUnit = 12 };

  explicit Cls_IndTabularCap(int nObjID = 0, CTBaseFactory* pFactory = nullptr)
    : Cls_Tabular(kClassID, nObjID, pFactory)
  {
  }

  AW_REFERENCE_PROPERTY(IndoorUnit, Cls_IndoorUnitData, ixIndoorUnit)
};

// A speed type such as a fan-speed level; lower weights come first.
class Cls_BrisaSpType : public CTDbObject
{
public:
  static constexpr int kClassID = 148;
  enum : int { ixName = 1, ixWeight = 2 };

  explicit Cls_BrisaSpType(int nObjID = 0, CTBaseFactory* pFactory = nullptr) : CTDbObject(kClassID, nObjID, pFactory) {}

  std::string GetName() const override { return GetTranslatedStringValue(ixName); }
  void SetName(const std::string& szVal) override { SetUnicodeStringValue(ixName, szVal); }
  AW_INTEGER_PROPERTY(Weight, ixWeight)

  OwningObjectList<Cls_BrisaSpeed> GetAllBrisaSpeed();
  // The settings that use this type for the supply fan, and for the exhaust fan.
  OwningObjectList<Cls_BrisaSetting> GetAllBrisaSetting();
  OwningObjectList<Cls_BrisaSetting> GetAllBrisaSetting2();

  static bool CompareSpeedTypes(const Cls_BrisaSpType* pA, const Cls_BrisaSpType* pB);
  // Every speed type of the factory's catalogue by weight, read once per
  // connection; the list belongs to the factory (pFactory none: the default).
  static const ObjectList<Cls_BrisaSpType>& OrderedBrisaSpTypes(CTBaseFactory* pFactory = nullptr);
};

class Cls_BrisaSettingScheme;

// The commissioning settings of one pair of supply and exhaust speed types.
class Cls_BrisaSetting : public CTDbObject
{
public:
  static constexpr int kClassID = 380;
  enum : int {
    ixVentilation = 1,
    ixFanspeed,
    ixFreshup,
    ixFanOperation,
    ixSupplyFanCurve,
    ixExhaustFanCurve,
    ixBrisaSpType,
    ixBrisaSpType2 = 9,
    ixBrisaSettingScheme = 11,
  };

  explicit Cls_BrisaSetting(int nObjID = 0, CTBaseFactory* pFactory = nullptr);
  ~Cls_BrisaSetting() override;

  AW_STRING_PROPERTY(Ventilation, ixVentilation)
  AW_STRING_PROPERTY(Fanspeed, ixFanspeed)
  AW_STRING_PROPERTY(Freshup, ixFreshup)
  AW_STRING_PROPERTY(FanOperation, ixFanOperation)
  AW_STRING_PROPERTY(SupplyFanCurve, ixSupplyFanCurve)
  AW_STRING_PROPERTY(ExhaustFanCurve, ixExhaustFanCurve)
  AW_REFERENCE_PROPERTY(BrisaSpType, Cls_BrisaSpType, ixBrisaSpType)
  AW_REFERENCE_PROPERTY(BrisaSpType2, Cls_BrisaSpType, ixBrisaSpType2)
  AW_REFERENCE_PROPERTY(BrisaSettingScheme, Cls_BrisaSettingScheme, ixBrisaSettingScheme)

  // The supply and the exhaust speed type, read on the first call and kept by the setting.
  void GetBrisaSpeedTypes(Cls_BrisaSpType*& Speed1, Cls_BrisaSpType*& Speed2);

  // By weight(supply) × 100 + weight(exhaust), a missing type weighing 0.
  static bool CompareBrisaSettings(Cls_BrisaSetting* pA, Cls_BrisaSetting* pB);

private:
  int SortWeight();

  bool v_speedTypesLoaded = false;
  std::unique_ptr<Cls_BrisaSpType> v_speedType1, v_speedType2;
};

class Cls_BrisaSettingScheme : public CTDbObject
{
public:
  static constexpr int kClassID = 381;
  enum : int { ixName = 1, ixDeleted = 2 };

  explicit Cls_BrisaSettingScheme(int nObjID = 0, CTBaseFactory* pFactory = nullptr)
    : CTDbObject(kClassID, nObjID, pFactory)
  {
  }

  std::string GetName() const override { return GetUntranslatedStringValue(ixName); }
  void SetName(const std::string& szVal) override { SetUnicodeStringValue(ixName, szVal); }
  bool GetDeleted() const override { return GetBooleanValue(ixDeleted); }
  void SetDeleted(bool bVal) override { SetBooleanValue(ixDeleted, bVal); }

  OwningObjectList<Cls_BrisaSetting> GetAllBrisaSetting();
};

} // namespace aw
