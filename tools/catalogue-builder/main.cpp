// catalogue-builder: makes the program's demonstration catalogue.
//   catalogue-builder --source DIR --output FILE [--text FILE] [--quiet]
// Reads the catalogue sources in DIR, builds every object through the
// catalogue classes into a memory database, checks the catalogue rules,
// writes the database compressed behind "Q7R" to FILE (and as plain text to
// the --text file), then loads what it wrote again, strictly and as the
// program does, and fails unless every object comes back.

#include "CatalogueBuilder.h"
#include "CatalogueRules.h"

#include "catalogue/Factory.h"
#include "db/DbObject.h"
#include "db/MemDB.h"
#include "foundation/LZSS.h"
#include "platform/AtomicFile.h"

#include <iostream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

namespace aw::catalogue_builder {
namespace {

struct Arguments
{
  std::string source, output, text;
  bool quiet = false;
};

Arguments Parse(int argc, char** argv)
{
  Arguments args;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc)
        throw std::runtime_error(a + " needs a value");
      return argv[++i];
    };
    if (a == "--source")
      args.source = value();
    else if (a == "--output")
      args.output = value();
    else if (a == "--text")
      args.text = value();
    else if (a == "--quiet")
      args.quiet = true;
    else
      throw std::runtime_error("unknown argument " + a);
  }
  if (args.source.empty() || args.output.empty())
    throw std::runtime_error("usage: catalogue-builder --source DIR --output FILE [--text FILE] [--quiet]");
  return args;
}

// A catalogue factory served by one memory engine.
struct Database
{
  explicit Database(bool bReadOnly)
  {
    auto owned = std::make_unique<CTMemDbEngine>(&factory, CTFactory::kLogicalName, "", bReadOnly, CTFactory::kDbIx);
    engine = owned.get();
    factory.SetDbEngine(CTFactory::kDbIx, std::move(owned));
  }
  std::string Write(bool bCompressed)
  {
    CTMemDbEngine::UseCompression(bCompressed);
    CTMemoryStream out;
    engine->WriteToStream(out);
    return out.Text();
  }

  CTFactory factory;
  CTMemDbEngine* engine = nullptr;
};

void Require(const catalogue_rules::Violations& violations, const std::string& szWhen)
{
  if (violations.empty())
    return;
  std::string text = szWhen + ": " + std::to_string(violations.size()) + " rule violation(s)";
  for (const std::string& v : violations)
    text += "\n  " + v;
  throw std::runtime_error(text);
}

// Loads the written bytes into a new database and compares the object counts.
void Reload(const std::string& bytes, bool bAutoCorrect, const std::map<int, int>& expected, const std::string& szHow)
{
  CTMemDbEngine::SetAutoCorrect(bAutoCorrect);
  CTMemDbEngine::UseCompression(true);
  Database db(true);
  CTMemoryStream in(bytes);
  if (!db.engine->LoadFromStream(in))
    throw std::runtime_error(szHow + ": the written catalogue does not load: " + db.engine->LastError());
  const std::map<int, int> counts = catalogue_rules::CountObjects(db.factory);
  for (const auto& [clsID, count] : expected)
    if (counts.at(clsID) != count)
      throw std::runtime_error(szHow + ": table " + db.factory.GetTableInfo(clsID)->TableName() + " holds " +
                               std::to_string(counts.at(clsID)) + " objects instead of " + std::to_string(count));
  Require(catalogue_rules::CheckObjects(db.factory), szHow);
}

void WriteFile(const std::string& szFile, const std::string& bytes)
{
  std::string error;
  if (!platform::WriteFileAtomically(szFile, bytes, error))
    throw std::runtime_error(error);
}

int Run(const Arguments& args)
{
  CTMemDbEngine::SetAutoCorrect(false); // a reference that would be dropped fails its Insert
  CTMemDbEngine::SetCompressionSignature(std::string(kLZSSDatabaseSignature));

  Database db(false);
  CatalogueBuilder builder(args.source);
  builder.Build(db.factory);
  Require(catalogue_rules::CheckObjects(db.factory), "built catalogue");
  const std::map<int, int> counts = catalogue_rules::CountObjects(db.factory);

  const std::string text = db.Write(false);
  Require(catalogue_rules::CheckIdFieldNames(text, db.factory), "written text");
  const std::string compressed = db.Write(true);
  Reload(compressed, false, counts, "strict load");
  Reload(compressed, true, counts, "load with auto-correction");

  WriteFile(args.output, compressed);
  if (!args.text.empty())
    WriteFile(args.text, text);
  if (!args.quiet) {
    int total = 0;
    for (const auto& [clsID, count] : counts)
      total += count;
    std::cout << args.output << ": " << total << " objects, " << compressed.size() << " bytes (" << text.size()
              << " as text)\n";
    for (const std::string& line : builder.Summary())
      std::cout << "  " << line << "\n";
  }
  return 0;
}

} // namespace
} // namespace aw::catalogue_builder

int main(int argc, char** argv)
{
  try {
    return aw::catalogue_builder::Run(aw::catalogue_builder::Parse(argc, argv));
  } catch (const std::exception& e) {
    std::cerr << "catalogue-builder: " << e.what() << '\n';
    return 1;
  }
}
