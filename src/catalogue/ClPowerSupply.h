#pragma once
// Power supplies and the electrical data of a device on each of them.

#include "catalogue/CatalogueProperties.h"

#include <string>

namespace aw {

class Cls_Device;
class Cls_DevPSAllowed;

class Cls_PowerSupply : public CTDbObject
{
public:
  static constexpr int kClassID = 122;
  enum : int {
    ixPhaseNames = 1,
    ixRange,
    ixDeleted,
    ixDefault,
    ixName,
    ixVoltage,
    ixPhases,
    ixFrequencyKind,
  };
  // Bits of FrequencyKind.
  enum : int { kFrequency50Hz = 1, kFrequency60Hz = 2 };

  explicit Cls_PowerSupply(int nObjID = 0, CTBaseFactory* pFactory = nullptr) : CTDbObject(kClassID, nObjID, pFactory) {}

  AW_STRING_PROPERTY(PhaseNames, ixPhaseNames)
  AW_STRING_PROPERTY(Range, ixRange)
  bool GetDeleted() const override { return GetBooleanValue(ixDeleted); }
  void SetDeleted(bool bVal) override { SetBooleanValue(ixDeleted, bVal); }
  AW_BOOLEAN_PROPERTY(Default, ixDefault)
  std::string GetName() const override { return GetUntranslatedStringValue(ixName); }
  void SetName(const std::string& szVal) override { SetUnicodeStringValue(ixName, szVal); }
  // Leading digits are the voltage in V.
  AW_STRING_PROPERTY(Voltage, ixVoltage)
  // The number of phases, optionally followed by "N" for a neutral conductor.
  AW_STRING_PROPERTY(Phases, ixPhases)
  AW_INTEGER_PROPERTY(FrequencyKind, ixFrequencyKind)

  // Phases×Voltage, frequency (Name).
  std::string GetDescriptiveName() const override;
  OwningObjectList<Cls_DevPSAllowed> GetAllDevPSAllowed();

  // "50Hz", "60Hz" or "50/60Hz" for the bit sets 1, 2 and 3; empty for any other value.
  static std::string FrequencyString(int nFrequencyKind);
};

// The electrical data of one device on one power supply (currents in A).
class Cls_DevPSAllowed : public CTDbObject
{
public:
  static constexpr int kClassID = 165;
  enum : int {
    ixFuses = 1,
    ixMCA,
    ixMFA,
    ixFLA,
    ixRLA,
    ixMinVolts,
    ixMaxVolts,
    ixDevice,
    ixPowerSupply = 10,
  };

  explicit Cls_DevPSAllowed(int nObjID = 0, CTBaseFactory* pFactory = nullptr)
    : Cls_DevPSAllowed(kClassID, nObjID, pFactory)
  {
  }

  AW_STRING_PROPERTY(Fuses, ixFuses)
  AW_DOUBLE_PROPERTY(MCA, ixMCA)
  AW_DOUBLE_PROPERTY(MFA, ixMFA)
  AW_DOUBLE_PROPERTY(FLA, ixFLA)
  AW_DOUBLE_PROPERTY(RLA, ixRLA)
  AW_STRING_PROPERTY(MinVolts, ixMinVolts)
  AW_STRING_PROPERTY(MaxVolts, ixMaxVolts)
  AW_REFERENCE_PROPERTY(Device, Cls_Device, ixDevice)
  AW_REFERENCE_PROPERTY(PowerSupply, Cls_PowerSupply, ixPowerSupply)

protected:
  // A record created new (not read) starts with a single blank as fuses.
  Cls_DevPSAllowed(int nClsID, int nObjID, CTBaseFactory* pFactory) : CTDbObject(nClsID, nObjID, pFactory)
  {
    if (nObjID < 1)
      SetFuses(" ");
  }
};

class Cls_TesselPSAllowed : public Cls_DevPSAllowed
{
public:
  static constexpr int kClassID = 170;

  explicit Cls_TesselPSAllowed(int nObjID = 0, CTBaseFactory* pFactory = nullptr)
    : Cls_DevPSAllowed(kClassID, nObjID, pFactory)
  {
  }
};

} // namespace aw
