// airwright-cli project show: what a project file holds, field by field, as
// the program reads it (the layout found, absent values as null, the option
// records that match the catalogue).

#include "cli/Commands.h"

#include "catalogue/CatalogueSession.h"
#include "engine/BrisaProjectIO.h"
#include "engine/EngineFactory.h"
#include "i18n/BaseMsgMan.h"

#include <nlohmann/json.hpp>

#include <iostream>
#include <memory>
#include <string>

namespace aw::cli {

namespace {

using Json = nlohmann::ordered_json;

Json Value(double value)
{
  return value == kProjectNoValue ? Json(nullptr) : Json(value);
}

Json ModeJson(const CTBrisaProjectModeData& m)
{
  return {{"indoorDBT_C", Value(m.v_indoorDBT)},           {"indoorRH_pct", Value(m.v_indoorRH)},
          {"ambientDBT_C", Value(m.v_ambientDBT)},         {"ambientRH_pct", Value(m.v_ambientRH)},
          {"discharge_C", Value(m.v_discharge)},           {"userInletHeater_kW", Value(m.v_userInletHeater)},
          {"userSupplyHeater_kW", Value(m.v_userSupplyHeater)}, {"userSupplyTemp_C", Value(m.v_userSupplyTemp)}};
}

Json ProjectJson(const std::string& szFile, TProjectLayout layout, const CTBrisaProjectData& d)
{
  const CTBrisaProjectDataIntfV0& v = d.v_intfV0;
  Json options = Json::array();
  for (const CTBrisaProjectSelOption& o : d.v_options)
    options.push_back({{"clsID", o.v_optionClsID}, {"objID", o.v_optionObjID}, {"quantity", o.v_nbSelected}});
  return {{"file", szFile},
          {"layout", ProjectLayoutName(layout)},
          {"unit", {{"clsID", v.v_brisaClsID}, {"objID", v.v_brisaObjID}}},
          {"family", v.v_family},
          {"supplySpeedId", v.v_supplySpeedId},
          {"exhaustSpeedId", v.v_exhaustSpeedId},
          {"altitude_m", Value(v.v_altitude)},
          {"airflowPerPerson_ls", Value(v.v_airflowPerPerson)},
          {"roomSurface_m2", Value(v.v_roomSurface)},
          {"areaPerPerson_m2", Value(v.v_areaPerPerson)},
          {"nrOfPersons", Value(v.v_nrOfPersons)},
          {"totalSupply_ls", Value(v.v_totalSupply)},
          {"totalExhaust_ls", Value(v.v_totalExhaust)},
          {"designSupplyESP_Pa", Value(v.v_designSupplyESP)},
          {"designExhaustESP_Pa", Value(v.v_designExhaustESP)},
          {"highEffFilterSupply", v.v_highEffFilterSupply},
          {"highEffFilterExhaust", v.v_highEffFilterExhaust},
          {"coolingData", ModeJson(v.v_coolingData)},
          {"heatingData", ModeJson(v.v_heatingData)},
          {"plenumSelected", d.v_intfV1.v_plenumSelected},
          {"upsideDown", d.v_intfV1.v_upsideDown},
          {"options", options}};
}

void PrintText(const Json& out)
{
  for (const auto& [name, value] : out.items()) {
    if (value.is_object()) {
      std::cout << name << ":\n";
      for (const auto& [field, item] : value.items())
        std::cout << "  " << field << ": " << item.dump() << '\n';
    } else if (value.is_array()) {
      std::cout << name << ": " << value.size() << '\n';
      for (const Json& item : value)
        std::cout << "  " << item.dump() << '\n';
    } else {
      std::cout << name << ": " << (value.is_string() ? value.get<std::string>() : value.dump()) << '\n';
    }
  }
}

void Show(const std::string& szFile, bool bJson, const CommonOptions& common)
{
  i18n::RegisterProgramMessages();
  const auto session = OpenProgramCatalogue(common, std::make_unique<CTEngineFactory>());
  CTBrisaProjectData data;
  TProjectLayout layout = TProjectLayout::Current;
  if (const auto failure = CTBrisaProjectIO::LoadProjectFile(
        szFile, CTBrisaProjectIO::CatalogueOptions(&session->Factory()), data, &layout))
    throw CommandError(szFile + ": " + i18n::GetUnicodeString(failure->nMsgNo, {failure->szParam}));
  const Json out = ProjectJson(szFile, layout, data);
  if (bJson)
    std::cout << out.dump(2) << '\n';
  else
    PrintText(out);
}

} // namespace

void AddProjectCommand(CLI::App& app, const CommonOptions& common)
{
  auto* cmd = app.add_subcommand("project", "Project files (*.awr)");
  cmd->require_subcommand(1);
  auto* show = cmd->add_subcommand("show", "Every field of a project file as read, absent values as null");
  auto file = std::make_shared<std::string>();
  auto json = std::make_shared<bool>(false);
  show->add_option("FILE", *file, "The project file")->required();
  show->add_flag("--json", *json, "Prints the fields as JSON");
  show->callback([file, json, &common] { Show(*file, *json, common); });
}

} // namespace aw::cli
