#include "catalogue/Factory.h"

#include "catalogue/ClBrisaData.h"
#include "catalogue/ClDdbVersionInfo.h"
#include "catalogue/ClDevice.h"
#include "catalogue/ClDocumentation.h"
#include "catalogue/ClMessageTable.h"
#include "catalogue/ClPolynomial.h"
#include "catalogue/ClPowerSupply.h"

#include <span>

namespace aw {

namespace {

// ---- the schema as data ---------------------------------------------------
//
// Each table lists the fields it declares itself, at their fixed indexes; a
// table with a parent shares the parent's fields at the lower indexes (the
// schema resolution puts them there). A reference is one entry that stands
// for its pair of Integer fields <name>_CLS_REF and <name>_OBJ_REF.

enum class Kind { Plain, Name, Multilingual, MultilingualName, Reference };

struct FieldDecl
{
  int ix;
  const char* name;
  CTFieldType type;
  double number; // default of Boolean, Integer, Double and TDateTime fields
  const char* text; // default of UnicodeString fields
  Kind kind;
};

constexpr FieldDecl Bool(int ix, const char* name, bool dft = false)
{
  return {ix, name, ftBoolean, dft ? 1.0 : 0.0, "", Kind::Plain};
}
constexpr FieldDecl Int(int ix, const char* name, int dft = 0)
{
  return {ix, name, ftInteger, static_cast<double>(dft), "", Kind::Plain};
}
constexpr FieldDecl Dbl(int ix, const char* name, double dft = 0)
{
  return {ix, name, ftDouble, dft, "", Kind::Plain};
}
constexpr FieldDecl Date(int ix, const char* name)
{
  return {ix, name, ftDateTime, 0, "", Kind::Plain};
}
constexpr FieldDecl Str(int ix, const char* name, const char* dft = "", Kind kind = Kind::Plain)
{
  return {ix, name, ftUnicodeString, 0, dft, kind};
}
constexpr FieldDecl NameStr(int ix, const char* name)
{
  return Str(ix, name, "", Kind::Name);
}
constexpr FieldDecl Text(int ix, const char* name)
{
  return Str(ix, name, "", Kind::Multilingual);
}
constexpr FieldDecl NameText(int ix, const char* name)
{
  return Str(ix, name, "", Kind::MultilingualName);
}
constexpr FieldDecl Ref(int ix, const char* name)
{
  return {ix, name, ftInteger, 0, "", Kind::Reference};
}

using RE = Cls_ReleasableElement;
using DG = Cls_DeviceGrouping;
using IF = Cls_IndFamily;
using SM = Cls_SeriesMapping;
using DV = Cls_Device;
using ID = Cls_IndoorDevice;
using IU = Cls_IndoorUnitData;
using BR = Cls_BrisaData;
using DO = Cls_DeviceOption;
using TO = Cls_TesselDeviceOption;
using OC = Cls_DevOptCombination;
using GV = Cls_OptionGenericValue;
using PA = Cls_DevPSAllowed;
using PS = Cls_PowerSupply;
using DD = Cls_DeviceDocumentation;
using PO = Cls_Polynomial;
using SP = Cls_BrisaSpeed;
using BP = Cls_BrisaPolynomial;
using BF = Cls_BrisaFilter;
using OP = Cls_DeviceOptionPolynomial;
using TB = Cls_Tabular;
using TC = Cls_IndTabularCap;
using ST = Cls_BrisaSpType;
using BS = Cls_BrisaSetting;
using SS = Cls_BrisaSettingScheme;
using VI = Cls_DdbVersionInfo;
using SU = Cls_StaticURL;
using MT = Cls_MessageTable;
using MC = Cls_MsgCombination;

constexpr FieldDecl kReleasableElement[] = {
  Int(RE::ixReleaseStatus, "Fld_ReleaseStatus"),
  Ref(RE::ixFollowUpElement, "Fld_ReleasableElement"),
};

constexpr FieldDecl kDeviceGrouping[] = {
  Str(DG::ixLookupSeries, "Fld_LookupSeries"),
  Int(DG::ixSubFamily, "Fld_SubFamily"),
};

constexpr FieldDecl kIndFamily[] = {
  Str(IF::ixShort, "IFA_Short"),
  NameText(IF::ixName, "IFA_Name"),
  Str(IF::ixProductName, "IFA_ProductName"),
};

constexpr FieldDecl kSeriesMapping[] = {
  Str(SM::ixDeviceSeries, "Fld_DeviceSeries"),
  Int(SM::ixDeviceClass, "Fld_DeviceClass"),
  Str(SM::ixGroupName, "Fld_GroupName"),
  Text(SM::ixCommercialName, "Fld_CommercialName"),
  Int(SM::ixSortOrder, "Fld_SortOrder"),
  Bool(SM::ixHasInstantaneousHeating, "Fld_HasInstantaneousHeating"),
  Int(SM::ixRefrigFactorAMeaning, "Fld_RefrigFactorAMeaning"),
  Int(SM::ixRefrigFactorCMeaning, "Fld_RefrigFactorCMeaning"),
  Int(SM::ixRefrigFactorDMeaning, "Fld_RefrigFactorDMeaning"),
  Int(SM::ixRefrigFactorBMeaning, "Fld_RefrigFactorBMeaning"),
  Int(SM::ixRefrigFactorEMeaning, "Fld_RefrigFactorEMeaning"),
};

constexpr FieldDecl kDevice[] = {
  Text(DV::ixGroupName, "Fld_GroupName"),
  Bool(DV::ixDeleted, "Fld_Deleted"),
  NameStr(DV::ixName, "Fld_Name"),
  Int(DV::ixProductFamily, "Fld_ProductFamily"),
  Str(DV::ixProductName, "Fld_ProductName"),
  Str(DV::ixEnergyLabel, "Fld_EnergyLabel"),
  Bool(DV::ixNoStandardControl, "Fld_NoStandardControl"),
  Str(DV::ixProductRangeKey, "Fld_ProductRangeKey"),
  Bool(DV::ixDontValidate, "Fld_DontValidate"),
};

constexpr FieldDecl kIndoorDevice[] = {
  Dbl(ID::ixCapIndex, "Fld_CapIndex"),
  Dbl(ID::ixPipLiquid, "Fld_PipLiquid"),
  Dbl(ID::ixHighFan, "Fld_HighFan"),
  Bool(ID::ixHasDucting, "Fld_HasDucting"),
  Dbl(ID::ixPipGas, "Fld_PipGas"),
  Int(ID::ixDrainPipeSide, "Fld_DrainPipeSide", 1),
  Dbl(ID::ixPipDrainExt, "Fld_PipDrainExt"),
  Dbl(ID::ixDrainPipeXY, "Fld_DrainPipeXY"),
  Str(ID::ixSeries, "Fld_Series"),
  Dbl(ID::ixLiquidPipeXY, "Fld_LiquidPipeXY"),
  Dbl(ID::ixLowFan, "Fld_LowFan"),
  Dbl(ID::ixPipDrainInt, "Fld_PipDrainInt"),
  Int(ID::ixLiquidPipeSide, "Fld_LiquidPipeSide", 1),
  Int(ID::ixCanBeRotated, "Fld_CanBeRotated"),
  Int(ID::ixPlacementType, "Fld_PlacementType"),
  Bool(ID::ixHas3Pipes, "Fld_Has3Pipes"),
  Dbl(ID::ixPipe3Diam, "Fld_Pipe3Diam"),
};

constexpr FieldDecl kIndoorUnit[] = {
  Dbl(IU::ixMaxConnRatio, "IND_MaxConnRatio"),
  Str(IU::ixFamily, "IND_Family"),
  Dbl(IU::ixMaxMixAirPercentage, "IND_MaxMixAirPercentage", 100),
  Dbl(IU::ixMaxMixWaterPercentage, "IND_MaxMixWaterPercentage", 100),
  Dbl(IU::ixMaxInletWaterTemp, "IND_MaxInletWaterTemp"),
  Dbl(IU::ixDoorWidth, "IND_DoorWidth"),
  Dbl(IU::ixMinDoorHeight, "IND_MinDoorHeight"),
  Dbl(IU::ixMaxDoorHeight, "IND_MaxDoorHeight"),
  Str(IU::ixColor, "IND_Color", " "),
  Bool(IU::ixHasController, "IND_HasController", true),
  Dbl(IU::ixPIFanMotor, "IND_PIFanMotor"),
  Int(IU::ixFanPosition, "IND_FanPosition"),
  Dbl(IU::ixExtraCharge, "IND_ExtraCharge"),
  Dbl(IU::ixNominalHeatIndTemp, "IND_NominalHeatIndTemp", 20),
  Dbl(IU::ixNominalCoolIndTemp, "IND_NominalCoolIndTemp", 27),
  Dbl(IU::ixNominalWendrixCap, "IND_NominalWendrixCap"),
  Dbl(IU::ixMaxDXConnRatio, "IND_MaxDXConnRatio"),
  Bool(IU::ixIsRAIndoor, "IND_IsRAIndoor"),
  Bool(IU::ixIsRASplitUnit, "IND_IsRASplitUnit"),
  Bool(IU::ixIsReversible, "IND_IsReversible"),
  Bool(IU::ixCanSelectOnSensible, "IND_CanSelectOnSensible", true),
  Bool(IU::ixUseIndoorExtraCharge, "IND_UseIndoorExtraCharge"),
  Dbl(IU::ixNominalAirFlow, "IND_NominalAirFlow"),
  Dbl(IU::ixIuEquivalentPipeLength, "IND_IuEquivalentPipeLength"),
  Dbl(IU::ixIuActualPipeLength, "IND_IuActualPipeLength"),
  Dbl(IU::ixIuRefrigerantFactorE, "IND_IuRefrigerantFactorE"),
  Ref(IU::ixBrisa, "IND_Brisa"),
};

constexpr FieldDecl kBrisa[] = {
  Int(BR::ixType, "Brisa_Type"),
  Dbl(BR::ixNomHumidity, "Brisa_NomHumidity"),
  Dbl(BR::ixMaxAirflow, "Brisa_MaxAirflow"),
  Str(BR::ixSeries, "Brisa_Series"),
  Dbl(BR::ixNomAirflow, "Brisa_NomAirflow"),
  Dbl(BR::ixDuctDiam, "Brisa_DuctDiam"),
  Dbl(BR::ixMinAirflow, "Brisa_MinAirflow"),
  Dbl(BR::ixMinTempFanOnly, "Brisa_MinTempFanOnly"),
  Dbl(BR::ixMaxTempFanOnly, "Brisa_MaxTempFanOnly"),
  Dbl(BR::ixEAMaxRH, "Brisa_EAMaxRH", 95),
  Dbl(BR::ixEAMaxRHUpsideDown, "Brisa_EAMaxRHUpsideDown", 95),
  Dbl(BR::ixVOMaxRHUpsideDown, "Brisa_VOMaxRHUpsideDown", 95),
  Dbl(BR::ixOAMaxRH, "Brisa_OAMaxRH", 80),
  Dbl(BR::ixVOMaxRH, "Brisa_VOMaxRH", 95),
  Dbl(BR::ixRAMaxRH, "Brisa_RAMaxRH", 80),
  Dbl(BR::ixCIMaxRHUpsideDown, "Brisa_CIMaxRHUpsideDown", 95),
  Dbl(BR::ixCIMaxRH, "Brisa_CIMaxRH", 95),
  Dbl(BR::ixRAMinTemp, "Brisa_RAMinTemp"),
  Dbl(BR::ixVIMinTemp, "Brisa_VIMinTemp", -10),
  Dbl(BR::ixOAMinTemp, "Brisa_OAMinTemp", -15),
  Dbl(BR::ixVIMinTempUpsideDown, "Brisa_VIMinTempUpsideDown", 5),
  Dbl(BR::ixRAMaxTemp, "Brisa_RAMaxTemp", 40),
  Dbl(BR::ixOAMaxTemp, "Brisa_OAMaxTemp", 40),
  Bool(BR::ixCanBeUpsideDown, "Brisa_CanBeUpsideDown"),
};

constexpr FieldDecl kDeviceOption[] = {
  Dbl(DO::ixHeight, "Fld_Height"),
  Bool(DO::ixDeleted, "Fld_Deleted"),
  Text(DO::ixDescription, "Fld_Description"),
  Dbl(DO::ixWidth, "Fld_Width"),
  NameStr(DO::ixName, "Fld_Name"),
  Int(DO::ixType, "Fld_Type", 1),
  Str(DO::ixMCA, "Fld_MCA"),
  Dbl(DO::ixValue, "Fld_Value"),
  Dbl(DO::ixDepth, "Fld_Depth"),
  Bool(DO::ixNeedOneOfType, "Fld_NeedOneOfType"),
  Dbl(DO::ixWeight, "Fld_Weight"),
  Str(DO::ixProductName, "Fld_ProductName"),
  Ref(DO::ixPowerSupply, "Fld_PowerSupply"),
};

constexpr FieldDecl kTesselDeviceOption[] = {
  Int(TO::ixOldClsID, "Fld_OldClsID"),
  Int(TO::ixOldObjID, "Fld_OldObjID"),
  Ref(TO::ixBrisaSettingScheme, "Fld_BrisaSettingScheme"),
};

constexpr FieldDecl kDevOptCombination[] = {
  Bool(OC::ixIsPreferred, "Fld_IsPreferred"),
  Int(OC::ixNrRequired, "Fld_NrRequired", 1),
  Bool(OC::ixIsStandard, "Fld_IsStandard"),
  Bool(OC::ixIsPackaged, "Fld_IsPackaged"),
  Int(OC::ixMaxQuantity, "Fld_MaxQuantity"),
  Bool(OC::ixIsAutomatic, "Fld_IsAutomatic"),
  Bool(OC::ixOnePerUnit, "Fld_OnePerUnit", true),
  Ref(OC::ixDevice, "Fld_Device"),
  Ref(OC::ixDeviceOption, "Fld_DeviceOption"),
};

constexpr FieldDecl kOptionGenericValue[] = {
  Int(GV::ixValueType, "Fld_ValueType"),
  Str(GV::ixValue, "Fld_Value"),
  Ref(GV::ixDeviceOption, "Fld_DeviceOption"),
};

constexpr FieldDecl kDevPSAllowed[] = {
  Str(PA::ixFuses, "Fld_Fuses", "Factory Std"),
  Dbl(PA::ixMCA, "Fld_MCA"),
  Dbl(PA::ixMFA, "Fld_MFA"),
  Dbl(PA::ixFLA, "Fld_FLA"),
  Dbl(PA::ixRLA, "Fld_RLA"),
  Str(PA::ixMinVolts, "Fld_MinVolts"),
  Str(PA::ixMaxVolts, "Fld_MaxVolts"),
  Ref(PA::ixDevice, "Fld_Device"),
  Ref(PA::ixPowerSupply, "Fld_PowerSupply"),
};

constexpr FieldDecl kPowerSupply[] = {
  Str(PS::ixPhaseNames, "PWS_PhaseNames"),
  Str(PS::ixRange, "PWS_Range"),
  Bool(PS::ixDeleted, "PWS_Deleted"),
  Bool(PS::ixDefault, "PWS_Default"),
  NameStr(PS::ixName, "PWS_Name"),
  Str(PS::ixVoltage, "PWS_Voltage"),
  Str(PS::ixPhases, "PWS_Phases"),
  Int(PS::ixFrequencyKind, "PWS_FrequencyKind"),
};

constexpr FieldDecl kDeviceDocumentation[] = {
  Dbl(DD::ixDepth, "Fld_Depth"),
  Dbl(DD::ixWeight, "Fld_Weight"),
  Dbl(DD::ixWidth, "Fld_Width"),
  Dbl(DD::ixHeight, "Fld_Height"),
  Ref(DD::ixDevice, "Fld_Device"),
};

constexpr FieldDecl kPolynomial[] = {
  Dbl(PO::ixA4, "POL_A4"),
  Dbl(PO::ixSelect1, "POL_Select1"),
  Dbl(PO::ixA3, "POL_A3"),
  Dbl(PO::ixA2, "POL_A2"),
  Dbl(PO::ixA6, "POL_A6"),
  Dbl(PO::ixA7, "POL_A7"),
  Dbl(PO::ixA0, "POL_A0"),
  Int(PO::ixType, "POL_Type"),
  Dbl(PO::ixSelect2, "POL_Select2"),
  Dbl(PO::ixA5, "POL_A5"),
  Dbl(PO::ixA1, "POL_A1"),
  Dbl(PO::ixArgumentLow, "POL_ArgumentLow"),
  Dbl(PO::ixArgumentHigh, "POL_ArgumentHigh"),
};

constexpr FieldDecl kBrisaSpeed[] = {
  Str(SP::ixCurrent, "VSP_Current"),
  Dbl(SP::ixEspLimit, "VSP_EspLimit"),
  Str(SP::ixSoundLevel, "VSP_SoundLevel"),
  Ref(SP::ixBrisaSpType, "VSP_BrisaSpType"),
  Ref(SP::ixBrisa, "VSP_Brisa"),
};

constexpr FieldDecl kBrisaPolynomial[] = {Ref(BP::ixBrisa, "VPO_Brisa")};
constexpr FieldDecl kBrisaFilter[] = {Ref(BF::ixTesselDeviceOption, "Fld_TesselDeviceOption")};
constexpr FieldDecl kDeviceOptionPolynomial[] = {Ref(OP::ixDeviceOption, "Fld_DeviceOption")};

constexpr FieldDecl kTabular[] = {
  Int(TB::ixType, "Fld_Type"),
  Dbl(TB::ixTe, "Fld_Te", 6),
  Dbl(TB::ixSelect, "Fld_Select"),
  Dbl(TB::ixGeneric, "Fld_Generic"),
  Dbl(TB::ixCol1, "Fld_Col1"),
  Dbl(TB::ixCol2, "Fld_Col2"),
  Dbl(TB::ixCol4, "Fld_Col4"),
  Dbl(TB::ixCol6, "Fld_Col6"),
  Dbl(TB::ixCol3, "Fld_Col3"),
  Dbl(TB::ixCol5, "Fld_Col5"),
  Dbl(TB::ixCol7, "Fld_Col7"),
};

constexpr FieldDecl kIndTabularCap[] = {Ref(TC::ixIndoorUnit, "Fld_IndoorUnit")};

constexpr FieldDecl kBrisaSpType[] = {
  NameText(ST::ixName, "VST_Name"),
  Int(ST::ixWeight, "VST_Weight"),
};

constexpr FieldDecl kBrisaSetting[] = {
  Str(BS::ixVentilation, "Fld_Ventilation"),
  Str(BS::ixFanspeed, "Fld_Fanspeed"),
  Str(BS::ixFreshup, "Fld_Freshup"),
  Str(BS::ixFanOperation, "Fld_FanOperation"),
  Str(BS::ixSupplyFanCurve, "Fld_SupplyFanCurve"),
  Str(BS::ixExhaustFanCurve, "Fld_ExhaustFanCurve"),
  Ref(BS::ixBrisaSpType, "Fld_BrisaSpType"),
  Ref(BS::ixBrisaSpType2, "Fld_BrisaSpType2"),
  Ref(BS::ixBrisaSettingScheme, "Fld_BrisaSettingScheme"),
};

constexpr FieldDecl kBrisaSettingScheme[] = {
  NameStr(SS::ixName, "Fld_Name"),
  Bool(SS::ixDeleted, "Fld_Deleted"),
};

constexpr FieldDecl kDdbVersionInfo[] = {
  Int(VI::ixExpiryAction, "DVI_ExpiryAction"),
  Int(VI::ixDataRegion, "DVI_DataRegion"),
  Date(VI::ixDbDate, "DVI_DbDate"),
  Str(VI::ixDbVersion, "DVI_DbVersion"),
  Str(VI::ixDataVersion, "DVI_DataVersion"),
  Int(VI::ixApplicationFlags, "DVI_ApplicationFlags"),
  Int(VI::ixMaxPercentageOUBasket, "DVI_MaxPercentageOUBasket", VI::kDefaultMaxPercOUBasket),
  Int(VI::ixMinPercentageOUBasket, "DVI_MinPercentageOUBasket", VI::kDefaultMinPercOUBasket),
};

constexpr FieldDecl kStaticURL[] = {
  Str(SU::ixTitle, "Fld_Title"),
  Str(SU::ixURL, "Fld_URL"),
  Str(SU::ixLookupSeries, "Fld_LookupSeries"),
  Int(SU::ixDeviceClass, "Fld_DeviceClass"),
  Bool(SU::ixIsHaldenDownload, "Fld_IsHaldenDownload"),
};

constexpr FieldDecl kMessageTable[] = {Text(MT::ixMessage, "Fld_Message")};

constexpr FieldDecl kMsgCombination[] = {
  Int(MC::ixSeqNr, "Fld_SeqNr"),
  Ref(MC::ixDevice, "Fld_Device"),
  Ref(MC::ixMessageTable, "Fld_MessageTable"),
};

struct TableDecl
{
  int clsID;
  const char* modelClassName;
  int parentID;
  bool isAbstract;
  bool nameRequired;
  const char* idField;
  std::span<const FieldDecl> fields;
};

constexpr int kNoParent = -1;
constexpr bool kAbstract = true, kStored = false;
constexpr bool kNameRequired = true, kNameOptional = false;

// In class-id order.
const TableDecl kTables[] = {
  {VI::kClassID, "DdbVersionInfo", kNoParent, kStored, kNameOptional, "DVI_ID", kDdbVersionInfo},
  {IF::kClassID, "IndFamily", DG::kClassID, kStored, kNameRequired, "IFA_ID", kIndFamily},
  {IU::kClassID, "IndoorUnit", ID::kClassID, kStored, kNameRequired, "IND_ID", kIndoorUnit},
  {PO::kClassID, "Polynomial", kNoParent, kAbstract, kNameOptional, "POL_ID", kPolynomial},
  {PS::kClassID, "PowerSupply", kNoParent, kStored, kNameRequired, "PWS_ID", kPowerSupply},
  {BR::kClassID, "Brisa", DV::kClassID, kStored, kNameRequired, "Brisa_ID", kBrisa},
  {Cls_BrisaDocumentation::kClassID, "BrisaDocumentation", DD::kClassID, kStored, kNameOptional, "VDC_ID", {}},
  {SP::kClassID, "BrisaSpeed", PO::kClassID, kStored, kNameOptional, "VSP_ID", kBrisaSpeed},
  {ST::kClassID, "BrisaSpType", kNoParent, kStored, kNameRequired, "VST_ID", kBrisaSpType},
  {DV::kClassID, "Device", RE::kClassID, kAbstract, kNameOptional, "Fld_ID", kDevice},
  {DO::kClassID, "DeviceOption", RE::kClassID, kAbstract, kNameOptional, "Fld_ID", kDeviceOption},
  {OC::kClassID, "DevOptCombination", kNoParent, kStored, kNameOptional, "Fld_ID", kDevOptCombination},
  {PA::kClassID, "DevPSAllowed", kNoParent, kAbstract, kNameOptional, "Fld_ID", kDevPSAllowed},
  {DD::kClassID, "DeviceDocumentation", kNoParent, kAbstract, kNameOptional, "Fld_ID", kDeviceDocumentation},
  {ID::kClassID, "IndoorDevice", DV::kClassID, kAbstract, kNameRequired, "Fld_ID", kIndoorDevice},
  {Cls_TesselPSAllowed::kClassID, "TesselPSAllowed", PA::kClassID, kStored, kNameOptional, "Fld_ID", {}},
  {BP::kClassID, "BrisaPolynomial", PO::kClassID, kStored, kNameOptional, "VPO_ID", kBrisaPolynomial},
  {TB::kClassID, "Tabular", kNoParent, kAbstract, kNameOptional, "Fld_ID", kTabular},
  {TC::kClassID, "IndTabularCap", TB::kClassID, kStored, kNameOptional, "Fld_ID", kIndTabularCap},
  {Cls_BrisaCorrection::kClassID, "BrisaCorrection", PO::kClassID, kStored, kNameOptional, "Fld_ID", {}},
  {BS::kClassID, "BrisaSetting", kNoParent, kStored, kNameOptional, "Fld_ID", kBrisaSetting},
  {SS::kClassID, "BrisaSettingScheme", kNoParent, kStored, kNameOptional, "Fld_ID", kBrisaSettingScheme},
  {SU::kClassID, "StaticURL", kNoParent, kStored, kNameOptional, "Fld_ID", kStaticURL},
  {SM::kClassID, "SeriesMapping", DG::kClassID, kStored, kNameOptional, "Fld_ID", kSeriesMapping},
  {BF::kClassID, "BrisaFilter", PO::kClassID, kStored, kNameOptional, "Fld_ID", kBrisaFilter},
  {MT::kClassID, "MessageTable", kNoParent, kStored, kNameOptional, "Fld_ID", kMessageTable},
  {MC::kClassID, "MsgCombination", kNoParent, kStored, kNameOptional, "Fld_ID", kMsgCombination},
  {GV::kClassID, "OptionGenericValue", kNoParent, kStored, kNameOptional, "Fld_ID", kOptionGenericValue},
  {RE::kClassID, "ReleasableElement", kNoParent, kAbstract, kNameOptional, "Fld_ID", kReleasableElement},
  {DG::kClassID, "DeviceGrouping", RE::kClassID, kAbstract, kNameOptional, "Fld_ID", kDeviceGrouping},
  {OP::kClassID, "DeviceOptionPolynomial", PO::kClassID, kStored, kNameOptional, "Fld_ID", kDeviceOptionPolynomial},
  {TO::kClassID, "TesselDeviceOption", DO::kClassID, kStored, kNameOptional, "Fld_ID", kTesselDeviceOption},
};

struct LinkDecl
{
  int associationID;
  const char* name;
  const char* fromRole;
  const char* toRole;
  int referencedClsID;  // the table that declares the link
  int referencingClsID; // the table whose reference field points at it
  int fieldIx;          // the class-id field of the reference pair
  bool refIntegrity;
  bool cascadeDelete;
  bool oneToOne;
};

constexpr bool Y = true, N = false;

// In declaration order: by referenced table, in class-id order. No link is ordered.
const LinkDecl kLinks[] = {
  {444, "IndoorCapacityData", "", "", IU::kClassID, TC::kClassID, TC::ixIndoorUnit, Y, Y, N},
  {243, "PowerSupply_Device", "", "", PS::kClassID, PA::kClassID, PA::ixPowerSupply, N, N, N},
  {554, "option_PS", "", "", PS::kClassID, DO::kClassID, DO::ixPowerSupply, N, N, N},
  {288, "BrisaSpeeds", "", "", BR::kClassID, SP::kClassID, SP::ixBrisa, Y, Y, N},
  {289, "BrisaCapExEffCorrs", "", "", BR::kClassID, BP::kClassID, BP::ixBrisa, Y, Y, N},
  {327, "Indoor_Part", "", "", BR::kClassID, IU::kClassID, IU::ixBrisa, Y, N, Y},
  {90, "BrisaSpeedTypes", "", "", ST::kClassID, SP::kClassID, SP::ixBrisaSpType, Y, Y, N},
  {494, "Supply", "", "", ST::kClassID, BS::kClassID, BS::ixBrisaSpType, N, N, N},
  {497, "Exhaust", "", "", ST::kClassID, BS::kClassID, BS::ixBrisaSpType2, N, N, N},
  {239, "Device_Option", "", "", DV::kClassID, OC::kClassID, OC::ixDevice, Y, Y, N},
  {242, "Device_Powersupply", "", "", DV::kClassID, PA::kClassID, PA::ixDevice, Y, Y, N},
  {244, "Device_Documentation", "", "", DV::kClassID, DD::kClassID, DD::ixDevice, Y, Y, Y},
  {240, "Option_Device", "", "", DO::kClassID, OC::kClassID, OC::ixDeviceOption, Y, Y, N},
  {557, "", "", "", DO::kClassID, GV::kClassID, GV::ixDeviceOption, Y, Y, N},
  {608, "option_polynomials", "", "", DO::kClassID, OP::kClassID, OP::ixDeviceOption, Y, N, N},
  {499, "SetingDefs", "", "", SS::kClassID, BS::kClassID, BS::ixBrisaSettingScheme, Y, Y, N},
  {610, "BrisaSettingUsage", "", "", SS::kClassID, TO::kClassID, TO::ixBrisaSettingScheme, N, N, N},
  {529, "Messages", "", "", MT::kClassID, MC::kClassID, MC::ixMessageTable, Y, N, N},
  {593, "", "followUpElement", "replacedElement", RE::kClassID, RE::kClassID, RE::ixFollowUpElement, N, N, N},
  {609, "BrisaFilterDefinition", "", "", TO::kClassID, BF::kClassID, BF::ixTesselDeviceOption, Y, N, Y},
};

CTFieldInfo* CreateField(const FieldDecl& decl, const std::string& szName)
{
  switch (decl.type) {
  case ftBoolean: return CTFieldInfo::CreateBoolean(szName, decl.number != 0);
  case ftInteger: return CTFieldInfo::CreateInteger(szName, static_cast<std::int32_t>(decl.number));
  case ftDouble: return CTFieldInfo::CreateDouble(szName, decl.number);
  case ftDateTime: return CTFieldInfo::CreateTDateTime(szName, decl.number);
  case ftUnicodeString:
    return CTFieldInfo::CreateUnicodeString(szName, decl.text,
                                            decl.kind == Kind::Multilingual || decl.kind == Kind::MultilingualName);
  default: CTDbException::RaiseExc(excDbStructure);
  }
}

void DeclareFields(CTTableInfo* pTable, std::span<const FieldDecl> fields)
{
  for (const FieldDecl& decl : fields) {
    if (decl.kind == Kind::Reference) {
      pTable->AddFieldInfo(decl.ix, CreateField(decl, std::string(decl.name) + "_CLS_REF"));
      pTable->AddFieldInfo(decl.ix + 1, CreateField(decl, std::string(decl.name) + "_OBJ_REF"));
    } else {
      const bool isName = decl.kind == Kind::Name || decl.kind == Kind::MultilingualName;
      pTable->AddFieldInfo(decl.ix, CreateField(decl, decl.name), isName);
    }
  }
}

// An entity class T for the stored table of its class id.
template <class T>
CTDbObject* Make(int nObjID, CTBaseFactory* pFactory)
{
  return new T(nObjID, pFactory);
}

} // namespace

CTFactory::CTFactory(std::string szName, int nVerMul100, int nMinVerMul100)
  : CTBaseFactory(std::move(szName), nVerMul100, nMinVerMul100)
{
  AddDatabase(kLogicalName);
  DeclareTables();
  DeclareLinks();
  ResolveSchema();
  // The ordered speed types hold objects of this catalogue: they go when its engine closes.
  GetTableInfo(Cls_BrisaSpType::kClassID)->SetCustomCacheCleanupProc([this] { v_orderedSpTypes.reset(); });
}

CTFactory::~CTFactory()
{
  // The engines close after this class's members are gone: the cleanup must not reach them.
  GetTableInfo(Cls_BrisaSpType::kClassID)->SetCustomCacheCleanupProc({});
  v_orderedSpTypes.reset();
}

void CTFactory::DeclareTables()
{
  for (const TableDecl& decl : kTables) {
    auto* table = AddTableInfo(std::make_unique<CTTableInfo>(decl.clsID, kDbIx, decl.modelClassName, decl.parentID,
                                                             decl.isAbstract, decl.nameRequired));
    CTDbObject::Initialize(table, decl.idField);
    DeclareFields(table, decl.fields);
  }
}

void CTFactory::DeclareLinks()
{
  for (const LinkDecl& decl : kLinks)
    AddLinkInfo(std::make_unique<CTTableLink>(GetTableInfo(decl.referencedClsID), decl.associationID, decl.name,
                                              decl.fromRole, decl.toRole, decl.referencingClsID, decl.fieldIx,
                                              decl.oneToOne, decl.refIntegrity, decl.cascadeDelete, false));
}

CTDbObject* CTFactory::CreateObject(int nClsID, int nObjID)
{
  using Creator = CTDbObject* (*)(int, CTBaseFactory*);
  struct Entry
  {
    int clsID;
    Creator create;
  };
  static constexpr Entry kEntities[] = {
    {VI::kClassID, Make<VI>},
    {IF::kClassID, Make<IF>},
    {IU::kClassID, Make<IU>},
    {PS::kClassID, Make<PS>},
    {BR::kClassID, Make<BR>},
    {Cls_BrisaDocumentation::kClassID, Make<Cls_BrisaDocumentation>},
    {SP::kClassID, Make<SP>},
    {ST::kClassID, Make<ST>},
    {OC::kClassID, Make<OC>},
    {Cls_TesselPSAllowed::kClassID, Make<Cls_TesselPSAllowed>},
    {BP::kClassID, Make<BP>},
    {TC::kClassID, Make<TC>},
    {Cls_BrisaCorrection::kClassID, Make<Cls_BrisaCorrection>},
    {BS::kClassID, Make<BS>},
    {SS::kClassID, Make<SS>},
    {SU::kClassID, Make<SU>},
    {SM::kClassID, Make<SM>},
    {BF::kClassID, Make<BF>},
    {MT::kClassID, Make<MT>},
    {MC::kClassID, Make<MC>},
    {GV::kClassID, Make<GV>},
    {OP::kClassID, Make<OP>},
    {TO::kClassID, Make<TO>},
  };
  for (const Entry& entry : kEntities)
    if (entry.clsID == nClsID)
      return entry.create(nObjID, this);
  return nullptr;
}

const ObjectList<Cls_BrisaSpType>& CTFactory::OrderedBrisaSpTypes()
{
  // Without a connection there is nothing to read yet, and nothing is kept.
  static const ObjectList<Cls_BrisaSpType> kNone;
  if (!GetTableInfo(Cls_BrisaSpType::kClassID)->GetDbEngine())
    return kNone;
  if (!v_orderedSpTypes) {
    v_orderedSpTypes = std::make_unique<OwningObjectList<Cls_BrisaSpType>>(
      AllRecordsOf<Cls_BrisaSpType>(false, this));
    v_orderedSpTypes->Sort(Cls_BrisaSpType::CompareSpeedTypes);
  }
  return *v_orderedSpTypes;
}

} // namespace aw
