#include "engine/SelectionProject.h"

#include "engine/SelectionModel.h"

namespace aw {

namespace {

CTBrisaProjectModeData ModeData(const CTTempConditions& conditions, const TAir& air)
{
  const CTConditionSelection sel = conditions.GetSelection(air);
  CTBrisaProjectModeData m;
  m.v_indoorDBT = sel.IndoorDBT;
  m.v_indoorRH = sel.IndoorRH;
  m.v_ambientDBT = sel.AmbientDBT;
  m.v_ambientRH = sel.AmbientRH;
  m.v_discharge = sel.Discharge;
  // A calculated inlet heater is stored as such, even when an option was
  // fitted to it: the next computation fits it again.
  m.v_userInletHeater = conditions.InletChoice() == TInletChoice::Calculated ? kProjectNoValue : sel.UserInletHeater;
  m.v_userSupplyHeater = sel.UserSupplyHeater;
  m.v_userSupplyTemp = sel.UserSupplyTemp;
  return m;
}

CTConditionSelection Selection(const CTBrisaProjectModeData& m)
{
  return {m.v_indoorDBT,       m.v_indoorRH,         m.v_ambientDBT,      m.v_ambientRH,
          m.v_discharge,       m.v_userInletHeater,  m.v_userSupplyTemp,  m.v_userSupplyHeater};
}

bool SpeedsMatch(const Cls_Brisa& unit, int nSupplyId, int nExhaustId)
{
  int supply = 0, exhaust = 0;
  unit.GetSpeedIds(supply, exhaust);
  return supply == nSupplyId && exhaust == nExhaustId;
}

int StoredRow(const CTSelectionModel& model, const CTBrisaProjectDataIntfV0& v)
{
  for (int row = 0; row < model.Solutions().Count(); ++row) {
    const Cls_Brisa* unit = model.Solutions()[row];
    if (unit->TableIndex() == v.v_brisaClsID && unit->GetID() == v.v_brisaObjID &&
        SpeedsMatch(*unit, v.v_supplySpeedId, v.v_exhaustSpeedId))
      return row;
  }
  return -1;
}

bool Stored(const CTBrisaProjectData& data, const CTDbObject& option)
{
  for (const CTBrisaProjectSelOption& record : data.v_options)
    if (record.v_optionClsID == option.TableIndex() && record.v_optionObjID == option.GetID())
      return true;
  return false;
}

// A user inlet heater that is the power of a stored heater option was that option.
bool RestoreHeaterOption(CTTempConditions& conditions, const CTBrisaProjectData& data)
{
  if (conditions.InletChoice() != TInletChoice::UserDefined)
    return false;
  const ObjectList<Cls_DeviceOption>& options = conditions.HeaterOptions();
  for (int i = 0; i < options.Count(); ++i)
    if (options[i]->GetValue() == conditions.InletHeaterInput().GetVal() && Stored(data, *options[i])) {
      conditions.SetHeaterOption(i);
      return true;
    }
  return false;
}

} // namespace

std::optional<CTBrisaProjectData> ProjectOfSelection(CTSelectionModel& model)
{
  Cls_Brisa* unit = model.CurrentBrisa();
  if (!unit)
    return std::nullopt;
  CTBrisaProjectData data;
  CTBrisaProjectDataIntfV0& v = data.v_intfV0;
  v.v_brisaClsID = unit->TableIndex();
  v.v_brisaObjID = unit->GetID();
  v.v_family = model.Family();
  int supplySpeed = 0, exhaustSpeed = 0;
  unit->GetSpeedIds(supplySpeed, exhaustSpeed);
  v.v_supplySpeedId = supplySpeed;
  v.v_exhaustSpeedId = exhaustSpeed;
  v.v_altitude = model.Altitude().GetVal();
  if (model.TotalSupplyTicked()) {
    v.v_totalSupply = model.TotalSupply().GetVal();
  } else {
    v.v_airflowPerPerson = model.AirflowPerPerson().GetVal();
    if (model.Requirement() == CTSelectionModel::TRequirement::NumberOfPersons) {
      v.v_nrOfPersons = model.NumberOfPersons().GetVal();
    } else {
      v.v_areaPerPerson = model.AreaPerPerson().GetVal();
      v.v_roomSurface = model.RoomSurface().GetVal();
    }
  }
  if (model.TotalExhaustTicked())
    v.v_totalExhaust = model.TotalExhaust().GetVal();
  v.v_designSupplyESP = model.DesignSupplyESP().GetVal();
  v.v_designExhaustESP = model.DesignExhaustESP().GetVal();
  v.v_highEffFilterSupply = model.SupplyFilter();
  v.v_highEffFilterExhaust = model.ExhaustFilter();
  v.v_coolingData = ModeData(model.Cooling(), model.Air());
  v.v_heatingData = ModeData(model.Heating(), model.Air());
  data.v_intfV1.v_plenumSelected = model.Plenum();
  data.v_intfV1.v_upsideDown = model.UpsideDownVisible() && model.UpsideDown();
  model.FillOptions();
  for (const CTOptionRow& row : model.UsedOptions()) {
    std::int32_t clsID = 0, objID = 0;
    row.pCombination->GetDeviceOption_REF(clsID, objID);
    data.v_options.push_back({clsID, objID, 1});
  }
  return data;
}

void ApplyProject(CTSelectionModel& model, const CTBrisaProjectData& data, const std::function<void()>& Adjust)
{
  const CTBrisaProjectDataIntfV0& v = data.v_intfV0;
  // The family first, so that its ranges are in place before the stored values.
  model.BeginBulkChange();
  model.SetFamily(v.v_family);
  model.EndBulkChange();

  model.BeginBulkChange();
  if (v.v_totalSupply > 0) {
    if (!model.TotalSupplyTicked())
      model.TotalSupplyClick(true);
  } else {
    if (model.TotalSupplyTicked())
      model.TotalSupplyClick(false);
    if (v.v_areaPerPerson >= 0)
      model.SetRequirementMode(CTSelectionModel::TRequirement::AreaPerPerson);
    else if (v.v_nrOfPersons >= 0)
      model.SetRequirementMode(CTSelectionModel::TRequirement::NumberOfPersons);
  }
  if ((v.v_totalExhaust >= 0) != model.TotalExhaustTicked())
    model.TotalExhaustClick(v.v_totalExhaust >= 0);
  model.AirflowPerPerson().SetStoredVal(v.v_airflowPerPerson);
  model.RoomSurface().SetStoredVal(v.v_roomSurface);
  model.AreaPerPerson().SetStoredVal(v.v_areaPerPerson);
  model.NumberOfPersons().SetStoredVal(v.v_nrOfPersons);
  model.TotalSupply().SetStoredVal(v.v_totalSupply);
  model.TotalExhaust().SetStoredVal(v.v_totalExhaust);
  model.SetUpsideDown(data.v_intfV1.v_upsideDown);
  model.SetPlenum(data.v_intfV1.v_plenumSelected);
  model.Altitude().SetStoredVal(v.v_altitude);
  model.SetSupplyFilter(v.v_highEffFilterSupply);
  model.DesignSupplyESP().SetStoredVal(v.v_designSupplyESP);
  model.SetExhaustFilter(v.v_highEffFilterExhaust);
  model.DesignExhaustESP().SetStoredVal(v.v_designExhaustESP);
  model.SetConditions(model.Cooling(), Selection(v.v_coolingData));
  model.SetConditions(model.Heating(), Selection(v.v_heatingData));
  // A discharge that Adjust enters wins over the stored one.
  double coolingDischarge = v.v_coolingData.v_discharge, heatingDischarge = v.v_heatingData.v_discharge;
  if (Adjust) {
    const double cooling = model.Cooling().Discharge().GetVal(), heating = model.Heating().Discharge().GetVal();
    Adjust();
    if (model.Cooling().Discharge().GetVal() != cooling)
      coolingDischarge = model.Cooling().Discharge().GetVal();
    if (model.Heating().Discharge().GetVal() != heating)
      heatingDischarge = model.Heating().Discharge().GetVal();
  }
  model.EndBulkChange();

  const int row = StoredRow(model, v);
  if (row < 0)
    return; // the first offered unit stays picked, without the stored options
  model.Pick(row);
  bool again = false;
  if (model.Family() == Cls_Brisa::kFamilyPelmarMF) {
    // The unit's discharge range is set now: the stored discharge goes in.
    model.Cooling().Discharge().SetStoredVal(coolingDischarge);
    model.Heating().Discharge().SetStoredVal(heatingDischarge);
    again = true;
  }
  again = RestoreHeaterOption(model.Cooling(), data) || again;
  again = RestoreHeaterOption(model.Heating(), data) || again;
  if (again)
    model.Pick(row);
  std::vector<std::pair<int, int>> options;
  for (const CTBrisaProjectSelOption& record : data.v_options)
    options.emplace_back(record.v_optionClsID, record.v_optionObjID);
  model.RestoreUsedOptions(options);
}

} // namespace aw
