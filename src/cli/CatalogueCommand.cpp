// airwright-cli catalogue: looks into the device catalogue the program
// carries (or the catalogue file given with the global --catalogue).
//   catalogue info            the structure version, the number of objects per table,
//                             and per family the units with their airflow range.
//   catalogue check FILE      loads a catalogue file strictly and reports what is wrong.
//   catalogue convert IN OUT  loads a catalogue file and writes it again, plain or compressed.

#include "cli/Commands.h"

#include "catalogue/CatalogueSession.h"
#include "catalogue/ClBrisaData.h"
#include "catalogue/ClDdbVersionInfo.h"
#include "db/MemDB.h"
#include "platform/AtomicFile.h"

#include <nlohmann/json.hpp>

#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace aw::cli {

namespace {

// A catalogue file read strictly: what the program would leave out is reported as the error it is.
std::unique_ptr<CTCatalogueSession> OpenStrictly(const std::string& szFile)
{
  return LoadCatalogue(CTCatalogueSource::File(szFile), CTCatalogueLoadOptions::Strict());
}

int ObjectCount(CTFactory& factory)
{
  int count = 0;
  for (int clsID = 0; clsID < factory.TableCount(); ++clsID)
    if (const CTTableInfo* table = factory.GetTableInfo(clsID); table && !table->IsAbstract())
      count += CTDbObject::CountAllRecords(clsID, false, &factory);
  return count;
}

void AddCheckCommand(CLI::App& group)
{
  auto* cmd = group.add_subcommand("check", "Loads a catalogue file and reports what is wrong with it");
  auto file = std::make_shared<std::string>();
  cmd->add_option("FILE", *file, "The catalogue file, plain or compressed")->required()->check(CLI::ExistingFile);
  cmd->callback([file] {
    const auto session = OpenStrictly(*file);
    if (!session->CheckVersion(false) || !session->CheckHasUnits())
      throw CommandError(session->LastError());
    std::cout << *file << ": " << ObjectCount(session->Factory()) << " objects, structure version matches\n";
  });
}

void AddConvertCommand(CLI::App& group)
{
  auto* cmd = group.add_subcommand("convert", "Loads a catalogue file and writes it again");
  auto in = std::make_shared<std::string>();
  auto out = std::make_shared<std::string>();
  auto compress = std::make_shared<bool>(false);
  cmd->add_option("IN", *in, "The catalogue file to read")->required()->check(CLI::ExistingFile);
  cmd->add_option("OUT", *out, "The file to write")->required();
  cmd->add_flag("--compress", *compress, "Writes the text LZSS-compressed behind the signature Q7R");
  cmd->callback([in, out, compress] {
    const auto session = OpenStrictly(*in);
    CTMemoryStream text;
    auto& engine = static_cast<CTMemDbEngine&>(*session->Factory().GetDbEngine(CTFactory::kDbIx));
    CTDbLoadOptions writing = engine.LoadOptions();
    writing.compression = *compress;
    engine.SetLoadOptions(writing);
    engine.WriteToStream(text);
    std::string error;
    if (!platform::WriteFileAtomically(*out, text.Text(), error))
      throw CommandError(error);
    std::cout << *out << ": " << ObjectCount(session->Factory()) << " objects, " << text.Bytes().size() << " bytes\n";
  });
}

struct InfoOptions
{
  bool json = false;
};

nlohmann::ordered_json TableCounts(CTFactory& factory)
{
  nlohmann::ordered_json tables = nlohmann::ordered_json::object();
  for (int clsID = 0; clsID < factory.TableCount(); ++clsID) {
    const CTTableInfo* table = factory.GetTableInfo(clsID);
    if (table && !table->IsAbstract())
      tables[table->TableName()] = CTDbObject::CountAllRecords(clsID, false, &factory);
  }
  return tables;
}

// The ventilation units by family code, in code order, each family's units in stored order.
nlohmann::ordered_json Families(CTFactory& factory)
{
  std::map<int, nlohmann::ordered_json> byFamily;
  for (const Cls_BrisaData* unit : AllRecordsOf<Cls_BrisaData>(false, &factory))
    byFamily[unit->GetType()].push_back({{"name", unit->GetName()},
                                         {"minAirflow_m3h", unit->GetMinAirflow()},
                                         {"maxAirflow_m3h", unit->GetMaxAirflow()}});
  nlohmann::ordered_json families = nlohmann::ordered_json::array();
  for (auto& [code, units] : byFamily)
    families.push_back({{"family", Cls_BrisaData::Family2Str(code)}, {"code", code}, {"units", std::move(units)}});
  return families;
}

nlohmann::ordered_json LeftOut(const CTEdiReadReport& report)
{
  return {{"tables", report.skippedTables},
          {"skippedObjects", report.skippedObjects},
          {"droppedObjects", report.droppedObjects},
          {"mendedTexts", report.mendedTexts},
          {"notes", report.notes}};
}

nlohmann::ordered_json Info(CTFactory& factory, const CTEdiReadReport& report)
{
  std::string dataVersion;
  int region = 0;
  Cls_DdbVersionInfo::GetKorvathVersionEx(&factory, dataVersion, region);
  std::unique_ptr<CTDbObject> record(CTDbObject::GetUniqueRecord(Cls_DdbVersionInfo::kClassID, false, &factory));
  const std::string version =
    record ? record->GetUntranslatedStringValue(Cls_DdbVersionInfo::ixDbVersion) : std::string();
  const std::string reference = Cls_DdbVersionInfo::ReferenceVersionText().value_or("");
  return {
    {"version", version},
    {"referenceVersion", reference},
    {"versionMatches", Cls_DdbVersionInfo::CheckVersion(&factory, reference, false)},
    {"dataVersion", dataVersion},
    {"region", region},
    {"tables", TableCounts(factory)},
    {"families", Families(factory)},
    {"leftOut", LeftOut(report)},
  };
}

void PrintText(const nlohmann::ordered_json& info)
{
  std::cout << "Catalogue structure version " << info["version"].get<std::string>() << " (the program expects "
            << info["referenceVersion"].get<std::string>() << (info["versionMatches"].get<bool>() ? ", matches" : ", MISMATCH")
            << ")\n";
  if (!info["dataVersion"].get<std::string>().empty())
    std::cout << "Data release " << info["dataVersion"].get<std::string>() << ", region " << info["region"] << "\n";
  std::cout << "Tables (objects):\n";
  for (const auto& [name, count] : info["tables"].items())
    std::cout << "  " << name << " " << count << "\n";
  std::cout << "Families:\n";
  if (info["families"].empty())
    std::cout << "  (no units)\n";
  for (const auto& family : info["families"]) {
    std::cout << "  " << family["family"].get<std::string>() << " (code " << family["code"] << ")\n";
    for (const auto& unit : family["units"])
      std::cout << "    " << unit["name"].get<std::string>() << "  " << unit["minAirflow_m3h"] << " .. "
                << unit["maxAirflow_m3h"] << " m\u00B3/h\n";
  }
}

// Texts of a catalogue need not be UTF-8: they are written with replacement characters.
std::string Dump(const nlohmann::ordered_json& json)
{
  return json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

// With --json a failure is JSON too, on stdout, besides the line on stderr.
void PrintJsonError(const CTCatalogueError& error)
{
  const nlohmann::ordered_json out = {{"error",
                                       {{"file", error.file},
                                        {"line", error.line},
                                        {"offset", error.offset},
                                        {"reason", error.reason},
                                        {"message", error.msgNo}}}};
  std::cout << Dump(out) << '\n';
}

void AddInfoCommand(CLI::App& group, const CommonOptions& common)
{
  auto* cmd = group.add_subcommand("info", "Prints the catalogue's version, table sizes and units per family");
  auto options = std::make_shared<InfoOptions>();
  cmd->add_flag("--json", options->json, "Prints the information as JSON");
  cmd->callback([options, &common] {
    CTCatalogueSession session(common.CatalogueSource(), {});
    if (!session.Connect()) {
      if (options->json)
        PrintJsonError(*session.Error());
      throw CommandError(session.LastError());
    }
    WarnAboutLeftOut(session);
    const nlohmann::ordered_json info = Info(session.Factory(), session.ReadReport());
    if (options->json)
      std::cout << Dump(info) << '\n';
    else
      PrintText(info);
  });
}

} // namespace

void AddCatalogueCommand(CLI::App& app, const CommonOptions& common)
{
  auto* catalogue = app.add_subcommand("catalogue", "Looks into the device catalogue");
  catalogue->require_subcommand(1);
  AddInfoCommand(*catalogue, common);
  AddCheckCommand(*catalogue);
  AddConvertCommand(*catalogue);
}

} // namespace aw::cli
