#pragma once
// What can be sold: releasable elements, families and series mappings,
// devices, options and the combinations in which they may be ordered, and
// the typed texts attached to options. All of them are read-only at run time;
// the setters and removal cascades serve the building of a catalogue.

#include "catalogue/CatalogueProperties.h"

#include <memory>
#include <string>
#include <vector>

namespace aw {

class Cls_DevOptCombination;
class Cls_DevPSAllowed;
class Cls_DeviceDocumentation;
class Cls_DeviceOptionPolynomial;
class Cls_BrisaFilter;
class Cls_BrisaSettingScheme;
class Cls_MsgCombination;
class Cls_OptionGenericValue;
class Cls_PowerSupply;

// An element that can be released and replaced by a follow-up element.
class Cls_ReleasableElement : public CTDbObject
{
public:
  static constexpr int kClassID = 487;
  enum : int { ixReleaseStatus = 1, ixFollowUpElement = 2 };

  explicit Cls_ReleasableElement(int nObjID = 0, CTBaseFactory* pFactory = nullptr)
    : Cls_ReleasableElement(kClassID, nObjID, pFactory)
  {
  }

  AW_INTEGER_PROPERTY(ReleaseStatus, ixReleaseStatus)
  AW_REFERENCE_PROPERTY(FollowUpElement, Cls_ReleasableElement, ixFollowUpElement)
  // The elements whose follow-up element this one is.
  OwningObjectList<Cls_ReleasableElement> GetAllReplacedElement();

protected:
  Cls_ReleasableElement(int nClsID, int nObjID, CTBaseFactory* pFactory) : CTDbObject(nClsID, nObjID, pFactory) {}
};

class Cls_DeviceGrouping : public Cls_ReleasableElement
{
public:
  static constexpr int kClassID = 488;
  enum : int { ixLookupSeries = 4, ixSubFamily = 5 };
  // The release state of a grouping that is created new (not read).
  static constexpr int kNewReleaseStatus = 0x10010;

  explicit Cls_DeviceGrouping(int nObjID = 0, CTBaseFactory* pFactory = nullptr)
    : Cls_DeviceGrouping(kClassID, nObjID, pFactory)
  {
  }

  AW_STRING_PROPERTY(LookupSeries, ixLookupSeries)
  AW_INTEGER_PROPERTY(SubFamily, ixSubFamily)

protected:
  Cls_DeviceGrouping(int nClsID, int nObjID, CTBaseFactory* pFactory);
};

// A family of indoor units.
class Cls_IndFamily : public Cls_DeviceGrouping
{
public:
  static constexpr int kClassID = 108;
  enum : int { ixShort = 6, ixName = 7, ixProductName = 8 };

  explicit Cls_IndFamily(int nObjID = 0, CTBaseFactory* pFactory = nullptr)
    : Cls_DeviceGrouping(kClassID, nObjID, pFactory)
  {
  }

  AW_STRING_PROPERTY(Short, ixShort)
  std::string GetName() const override { return GetTranslatedStringValue(ixName); }
  void SetName(const std::string& szVal) override { SetUnicodeStringValue(ixName, szVal); }
  AW_STRING_PROPERTY(ProductName, ixProductName)

  // [ProductName ]Short[ - Name], from the trimmed parts.
  std::string GetDescriptiveName() const override;
  OwningObjectList<Cls_MsgCombination> GetAllMsgCombination();

  // The first cached family of the default factory whose Short equals
  // szShortName without regard to case; it belongs to the factory's cache.
  static Cls_IndFamily* CachedIndFamily(const std::string& szShortName);
};

// Maps a device series onto a lookup series and a commercial name.
class Cls_SeriesMapping : public Cls_DeviceGrouping
{
public:
  static constexpr int kClassID = 388;
  enum : int {
    ixDeviceSeries = 6,
    ixDeviceClass,
    ixGroupName,
    ixCommercialName,
    ixSortOrder,
    ixHasInstantaneousHeating,
    ixRefrigFactorAMeaning,
    ixRefrigFactorCMeaning,
    ixRefrigFactorDMeaning,
    ixRefrigFactorBMeaning,
    ixRefrigFactorEMeaning,
  };

  explicit Cls_SeriesMapping(int nObjID = 0, CTBaseFactory* pFactory = nullptr)
    : Cls_DeviceGrouping(kClassID, nObjID, pFactory)
  {
  }

  AW_STRING_PROPERTY(DeviceSeries, ixDeviceSeries)
  AW_INTEGER_PROPERTY(DeviceClass, ixDeviceClass)
  AW_STRING_PROPERTY(GroupName, ixGroupName)
  AW_TRANSLATED_PROPERTY(CommercialName, ixCommercialName)
  AW_INTEGER_PROPERTY(SortOrder, ixSortOrder)
  AW_BOOLEAN_PROPERTY(HasInstantaneousHeating, ixHasInstantaneousHeating)
  AW_INTEGER_PROPERTY(RefrigFactorAMeaning, ixRefrigFactorAMeaning)
  AW_INTEGER_PROPERTY(RefrigFactorBMeaning, ixRefrigFactorBMeaning)
  AW_INTEGER_PROPERTY(RefrigFactorCMeaning, ixRefrigFactorCMeaning)
  AW_INTEGER_PROPERTY(RefrigFactorDMeaning, ixRefrigFactorDMeaning)
  AW_INTEGER_PROPERTY(RefrigFactorEMeaning, ixRefrigFactorEMeaning)

  OwningObjectList<Cls_MsgCombination> GetAllMsgCombination();
};

// The base of every selectable device.
class Cls_Device : public Cls_ReleasableElement
{
public:
  static constexpr int kClassID = 162;
  enum : int {
    ixGroupName = 4,
    ixDeleted,
    ixName,
    ixProductFamily,
    ixProductName,
    ixEnergyLabel,
    ixNoStandardControl,
    ixProductRangeKey,
    ixDontValidate,
  };

  explicit Cls_Device(int nObjID = 0, CTBaseFactory* pFactory = nullptr) : Cls_Device(kClassID, nObjID, pFactory) {}
  ~Cls_Device() override;

  AW_TRANSLATED_PROPERTY(GroupName, ixGroupName)
  bool GetDeleted() const override { return GetBooleanValue(ixDeleted); }
  void SetDeleted(bool bVal) override { SetBooleanValue(ixDeleted, bVal); }
  std::string GetName() const override { return GetUntranslatedStringValue(ixName); }
  void SetName(const std::string& szVal) override { SetUnicodeStringValue(ixName, szVal); }
  AW_INTEGER_PROPERTY(ProductFamily, ixProductFamily)
  AW_STRING_PROPERTY(ProductName, ixProductName)
  AW_STRING_PROPERTY(EnergyLabel, ixEnergyLabel)
  AW_BOOLEAN_PROPERTY(NoStandardControl, ixNoStandardControl)
  AW_STRING_PROPERTY(ProductRangeKey, ixProductRangeKey)
  AW_BOOLEAN_PROPERTY(DontValidate, ixDontValidate)

  // The name, followed by " [product name]" when that is set and differs.
  std::string GetDescriptiveName() const override;

  OwningObjectList<Cls_DevOptCombination> GetAllDevOptCombination();
  OwningObjectList<Cls_DevPSAllowed> GetAllDevPSAllowed();
  std::unique_ptr<Cls_DeviceDocumentation> GetTheDeviceDocumentation();
  OwningObjectList<Cls_MsgCombination> GetAllMsgCombination();

  // The first electrical data record and its power supply; without records,
  // none and the catalogue's first default power supply. Both caller-owned.
  void GetStandardPSData(std::unique_ptr<Cls_PowerSupply>& PS, std::unique_ptr<Cls_DevPSAllowed>& ElectricalData);

  // Electrical data, read once: the record of the default power supply, else the last one.
  double GetMCA();
  double GetMFA();
  double GetRLA();
  double GetFLA();
  std::string GetFuses();
  // From the factory's cache (not caller-owned); none without a power supply.
  Cls_PowerSupply* PowerSupply();
  std::string PhasesString();
  std::string PhaseNamesString();
  std::string PowerSupplyDescription();

  // The documentation, loaded on the first call and owned by the device.
  Cls_DeviceDocumentation* GetDocumentation();
  // The stored documentation (caller-owned); when there is none and
  // bCreateIfNeeded, the class's own creation operation is asked.
  std::unique_ptr<Cls_DeviceDocumentation> GetDocumentationObject(bool bCreateIfNeeded);
  // Width, height, depth and weight of the documentation, or four zeros.
  void GetDimensions(double& nW, double& nH, double& nD, double& nWeight);

  // The series name and product-range key for product information. Each
  // concrete device class answers it; a plain device raises std::logic_error.
  virtual void GetProductLinkInfo(std::string& szSeriesName, std::string& szPRV);
  // A new documentation object for the device, or none (caller-owned).
  virtual std::unique_ptr<Cls_DeviceDocumentation> CreateDocumentation();

  // Removes the device's message combinations, its standard electrical data
  // and its documentation, then the device; a failing step does not stop the others.
  bool Remove() override;

protected:
  Cls_Device(int nClsID, int nObjID, CTBaseFactory* pFactory);

private:
  struct ElectricalCache
  {
    bool v_loaded = false;
    Cls_PowerSupply* v_powerSupply = nullptr; // the factory's cached object
    double v_MCA = 0, v_MFA = 0, v_RLA = 0, v_FLA = 0;
    std::string v_fuses;
  };
  const ElectricalCache& Electrical();

  ElectricalCache v_electrical;
  std::unique_ptr<Cls_DeviceDocumentation> v_documentation;
  bool v_documentationLoaded = false;
};

// The installation data of an indoor device.
class Cls_IndoorDevice : public Cls_Device
{
public:
  static constexpr int kClassID = 169;
  enum : int {
    ixCapIndex = 13,
    ixPipLiquid,
    ixHighFan,
    ixHasDucting,
    ixPipGas,
    ixDrainPipeSide,
    ixPipDrainExt,
    ixDrainPipeXY,
    ixSeries,
    ixLiquidPipeXY,
    ixLowFan,
    ixPipDrainInt,
    ixLiquidPipeSide,
    ixCanBeRotated,
    ixPlacementType,
    ixHas3Pipes,
    ixPipe3Diam,
  };

  explicit Cls_IndoorDevice(int nObjID = 0, CTBaseFactory* pFactory = nullptr)
    : Cls_Device(kClassID, nObjID, pFactory)
  {
  }

  AW_DOUBLE_PROPERTY(CapIndex, ixCapIndex)
  AW_DOUBLE_PROPERTY(PipLiquid, ixPipLiquid)
  AW_DOUBLE_PROPERTY(HighFan, ixHighFan) // m³/h
  AW_BOOLEAN_PROPERTY(HasDucting, ixHasDucting)
  AW_DOUBLE_PROPERTY(PipGas, ixPipGas)
  AW_INTEGER_PROPERTY(DrainPipeSide, ixDrainPipeSide)
  AW_DOUBLE_PROPERTY(PipDrainExt, ixPipDrainExt)
  AW_DOUBLE_PROPERTY(DrainPipeXY, ixDrainPipeXY)
  AW_STRING_PROPERTY(Series, ixSeries)
  AW_DOUBLE_PROPERTY(LiquidPipeXY, ixLiquidPipeXY)
  AW_DOUBLE_PROPERTY(LowFan, ixLowFan) // m³/h
  AW_DOUBLE_PROPERTY(PipDrainInt, ixPipDrainInt)
  AW_INTEGER_PROPERTY(LiquidPipeSide, ixLiquidPipeSide)
  AW_INTEGER_PROPERTY(CanBeRotated, ixCanBeRotated)
  AW_INTEGER_PROPERTY(PlacementType, ixPlacementType)
  AW_BOOLEAN_PROPERTY(Has3Pipes, ixHas3Pipes)
  AW_DOUBLE_PROPERTY(Pipe3Diam, ixPipe3Diam)

protected:
  Cls_IndoorDevice(int nClsID, int nObjID, CTBaseFactory* pFactory) : Cls_Device(nClsID, nObjID, pFactory) {}
};

// An option or accessory.
class Cls_DeviceOption : public Cls_ReleasableElement
{
public:
  static constexpr int kClassID = 163;
  enum : int {
    ixHeight = 4,
    ixDeleted,
    ixDescription,
    ixWidth,
    ixName,
    ixType,
    ixMCA,
    ixValue,
    ixDepth,
    ixNeedOneOfType,
    ixWeight,
    ixProductName,
    ixPowerSupply,
  };
  // Option types the ventilation units look for.
  enum : int { kTypeHeater = 4, kTypeFilter = 27, kTypePlenum = 28 };

  explicit Cls_DeviceOption(int nObjID = 0, CTBaseFactory* pFactory = nullptr)
    : Cls_DeviceOption(kClassID, nObjID, pFactory)
  {
  }
  ~Cls_DeviceOption() override;

  AW_DOUBLE_PROPERTY(Height, ixHeight)
  bool GetDeleted() const override { return GetBooleanValue(ixDeleted); }
  void SetDeleted(bool bVal) override { SetBooleanValue(ixDeleted, bVal); }
  std::string GetDescription() const override { return GetTranslatedStringValue(ixDescription); }
  void SetDescription(const std::string& szVal) override { SetUnicodeStringValue(ixDescription, szVal); }
  AW_DOUBLE_PROPERTY(Width, ixWidth)
  std::string GetName() const override { return GetUntranslatedStringValue(ixName); }
  void SetName(const std::string& szVal) override { SetUnicodeStringValue(ixName, szVal); }
  AW_INTEGER_PROPERTY(Type, ixType)
  AW_STRING_PROPERTY(MCA, ixMCA)
  AW_DOUBLE_PROPERTY(Value, ixValue)
  AW_DOUBLE_PROPERTY(Depth, ixDepth)
  AW_BOOLEAN_PROPERTY(NeedOneOfType, ixNeedOneOfType)
  AW_DOUBLE_PROPERTY(Weight, ixWeight)
  AW_STRING_PROPERTY(ProductName, ixProductName)
  AW_REFERENCE_PROPERTY(PowerSupply, Cls_PowerSupply, ixPowerSupply)

  // Name (Description).
  std::string GetQualifiedName() const override;

  OwningObjectList<Cls_DevOptCombination> GetAllDevOptCombination();
  OwningObjectList<Cls_OptionGenericValue> GetAllOptionGenericValue();
  OwningObjectList<Cls_DeviceOptionPolynomial> GetAllDeviceOptionPolynomial();

  // The value at nArgument of the option's first polynomial of type
  // nPolType, 0 without one. The polynomials are read once.
  double EvaluatePolynomial(int nPolType, double nArgument);
  std::string PhasesString();
  std::string PhaseNamesString();

  // Reads the generic values (once) into the language, configuration and
  // default-for lists; sets bHasLanguagePrefs when the option names languages.
  virtual void ResolveReferences(bool& bHasLanguagePrefs);
  const std::vector<int>& Languages() const { return v_languages; }
  // Compared without regard to case.
  const std::vector<std::string>& Configurations() const { return v_configurations; }
  bool HasConfiguration(const std::string& szName) const;
  // Options (from the factory's cache) for which this one is the default language / configuration option.
  const ObjectList<Cls_DeviceOption>& DefaultLanguageFor() const { return v_defaultLanguageFor; }
  const ObjectList<Cls_DeviceOption>& DefaultConfigurationFor() const { return v_defaultConfigurationFor; }

  // Removes the option's combinations and polynomials, then the option.
  bool Remove() override;

protected:
  Cls_DeviceOption(int nClsID, int nObjID, CTBaseFactory* pFactory);
  // The generic values, read on the first call and kept.
  const OwningObjectList<Cls_OptionGenericValue>& GenericValues();

private:
  Cls_PowerSupply* CachedPowerSupply();
  void AddNamedOptions(const std::string& szNames, ObjectList<Cls_DeviceOption>& pList);

  bool v_powerSupplyLoaded = false;
  Cls_PowerSupply* v_powerSupply = nullptr; // the factory's cached object
  std::unique_ptr<OwningObjectList<Cls_DeviceOptionPolynomial>> v_polynomials;
  std::unique_ptr<OwningObjectList<Cls_OptionGenericValue>> v_genericValues;
  std::vector<int> v_languages;
  std::vector<std::string> v_configurations;
  ObjectList<Cls_DeviceOption> v_defaultLanguageFor;
  ObjectList<Cls_DeviceOption> v_defaultConfigurationFor;
};

class Cls_TesselDeviceOption : public Cls_DeviceOption
{
public:
  static constexpr int kClassID = 506;
  enum : int { ixOldClsID = 18, ixOldObjID = 19, ixBrisaSettingScheme = 20 };

  explicit Cls_TesselDeviceOption(int nObjID = 0, CTBaseFactory* pFactory = nullptr)
    : Cls_DeviceOption(kClassID, nObjID, pFactory)
  {
  }

  AW_INTEGER_PROPERTY(OldClsID, ixOldClsID)
  AW_INTEGER_PROPERTY(OldObjID, ixOldObjID)
  AW_REFERENCE_PROPERTY(BrisaSettingScheme, Cls_BrisaSettingScheme, ixBrisaSettingScheme)

  // The pressure-drop curve (Pa over m³/h) of a filter option, or none.
  std::unique_ptr<Cls_BrisaFilter> GetTheBrisaFilter();

  // Also notes whether the condenser counts towards the total length limit.
  void ResolveReferences(bool& bHasLanguagePrefs) override;
  bool CondenserInfluencesTotalLength() const { return v_condenserInfluencesTotalLength; }

  // Pipe diameters packed into Value, each in tenths.
  void SetCondenserDiameters(double nGas, double nLiquid);
  void GetCondenserDiameters(double& nGas, double& nLiquid) const;
  void SetHeatExchangerDiameters(double nGas, double nLiquid, double nWater);
  void GetHeatExchangerDiameters(double& nGas, double& nLiquid, double& nWater) const;

private:
  bool v_condenserInfluencesTotalLength = false;
};

// One allowed pairing of a device and an option.
class Cls_DevOptCombination : public CTDbObject
{
public:
  static constexpr int kClassID = 164;
  enum : int {
    ixIsPreferred = 1,
    ixNrRequired,
    ixIsStandard,
    ixIsPackaged,
    ixMaxQuantity,
    ixIsAutomatic,
    ixOnePerUnit,
    ixDevice,
    ixDeviceOption = 10,
  };

  explicit Cls_DevOptCombination(int nObjID = 0, CTBaseFactory* pFactory = nullptr)
    : CTDbObject(kClassID, nObjID, pFactory)
  {
  }

  AW_BOOLEAN_PROPERTY(IsPreferred, ixIsPreferred)
  AW_INTEGER_PROPERTY(NrRequired, ixNrRequired)
  AW_BOOLEAN_PROPERTY(IsStandard, ixIsStandard)
  AW_BOOLEAN_PROPERTY(IsPackaged, ixIsPackaged)
  AW_INTEGER_PROPERTY(MaxQuantity, ixMaxQuantity)
  AW_BOOLEAN_PROPERTY(IsAutomatic, ixIsAutomatic)
  AW_BOOLEAN_PROPERTY(OnePerUnit, ixOnePerUnit)
  AW_REFERENCE_PROPERTY(Device, Cls_Device, ixDevice)
  AW_REFERENCE_PROPERTY(DeviceOption, Cls_DeviceOption, ixDeviceOption)

  // The quantity chosen in a selection (not stored).
  int v_nbSelected = 1;
};

// A typed text attached to an option.
class Cls_OptionGenericValue : public CTDbObject
{
public:
  static constexpr int kClassID = 430;
  enum : int { ixValueType = 1, ixValue = 2, ixDeviceOption = 3 };
  enum : int {
    kLanguages = 1,
    kDefaultLanguageFor = 2,
    kConfigurations = 3,
    kDefaultConfigurationFor = 4,
    kCondenserInfluencesTotalLength = 10,
  };

  explicit Cls_OptionGenericValue(int nObjID = 0, CTBaseFactory* pFactory = nullptr)
    : CTDbObject(kClassID, nObjID, pFactory)
  {
  }

  AW_INTEGER_PROPERTY(ValueType, ixValueType)
  AW_STRING_PROPERTY(Value, ixValue)
  AW_REFERENCE_PROPERTY(DeviceOption, Cls_DeviceOption, ixDeviceOption)

  // "12$7$": each integer followed by "$". Texts that are no integer are skipped.
  static void AddStringValuesToIntegerList(std::vector<int>& pVals, const std::string& szStr);
  static std::string IntegerListToString(const std::vector<int>& pVals);
  // "A,B": items separated by ",".
  static void AddStringValuesToStringList(std::vector<std::string>& pVals, const std::string& szStr);
};

} // namespace aw
