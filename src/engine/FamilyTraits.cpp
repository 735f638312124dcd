#include "engine/FamilyTraits.h"

namespace aw {
namespace {

CTFamilyTraits Brisa()
{
  CTFamilyTraits t;
  t.nCode = 0;
  t.nNameMessage = 114;
  t.bHasModel = t.bHasExhaust = t.bHasFilters = t.bSupplyHeater = t.bExchanger = t.bConfigurationPage = true;
  return t;
}

CTFamilyTraits Dorsa()
{
  CTFamilyTraits t;
  t.nCode = 1;
  t.nNameMessage = 115;
  t.bHasModel = t.bHasExhaust = t.bHasCoil = t.bHasHumidifier = t.bExchanger = true;
  t.bCapacities = t.bSensibleCapacity = t.bConfigurationPage = true;
  return t;
}

CTFamilyTraits PelmarMF()
{
  CTFamilyTraits t;
  t.nCode = 2;
  t.nNameMessage = 95;
  t.bHasModel = t.bHasDischarge = t.bCapacities = t.bConfigurationPage = t.bFanOnlyLimits = true;
  return t;
}

// Families without a model of their own: only their name.
CTFamilyTraits NameOnly(int nCode, int nMessage)
{
  CTFamilyTraits t;
  t.nCode = nCode;
  t.nNameMessage = nMessage;
  return t;
}

const std::array<CTFamilyTraits, 9>& AllTraits()
{
  static const std::array<CTFamilyTraits, 9> traits = {Brisa(),           Dorsa(),           PelmarMF(),
                                                       NameOnly(3, 88),   NameOnly(4, 78),   NameOnly(5, 94),
                                                       NameOnly(6, 94),   NameOnly(7, 98),   NameOnly(8, 98)};
  return traits;
}

} // namespace

bool CTFamilyTraits::HasState(TAirStateId state, bool bCooling, bool bWithHumidifier) const
{
  switch (state) {
  case TAirStateId::EA: return bHasExhaust;
  case TAirStateId::CI: return bHasCoil;
  case TAirStateId::HI: return bHasHumidifier && !bCooling && bWithHumidifier;
  default: return bHasModel;
  }
}

const char* CTFamilyTraits::CapacitiesTitle() const
{
  if (!bCapacities)
    return "";
  return bHasCoil ? "Dorsa Selection Criteria" : "Pelmar-MF Selection Criteria";
}

const CTFamilyTraits& FamilyTraits(int nFamilyCode)
{
  static const CTFamilyTraits kNone;
  const auto& all = AllTraits();
  if (nFamilyCode < 0 || nFamilyCode >= static_cast<int>(all.size()))
    return kNone;
  return all[static_cast<std::size_t>(nFamilyCode)];
}

std::optional<int> FamilyNameMessage(int nFamilyCode)
{
  const int message = FamilyTraits(nFamilyCode).nNameMessage;
  return message ? std::optional<int>(message) : std::nullopt;
}

} // namespace aw
