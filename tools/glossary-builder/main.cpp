// glossary-builder --source FILE.json --output FILE.xml
// Reads a readable glossary source, { "language": 1031, "entries": [["English",
// "translation"], ...] }, and writes it as the program's glossary file. A
// term given twice with different translations, an empty term or an empty
// translation is refused, so that the shipped glossaries stay unambiguous.

#include "i18n/XMLGlossaryIO.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <iostream>
#include <map>
#include <string>

namespace {

int Fail(const std::string& szText)
{
  std::cerr << "glossary-builder: " << szText << '\n';
  return 1;
}

} // namespace

int main(int argc, char** argv)
{
  std::string source, output;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    (option == "--source" ? source : option == "--output" ? output : source) = argv[i + 1];
  }
  if (source.empty() || output.empty())
    return Fail("usage: glossary-builder --source FILE.json --output FILE.xml");

  std::ifstream in(source);
  if (!in)
    return Fail(source + ": cannot be opened");
  nlohmann::json json;
  try {
    json = nlohmann::json::parse(in);
  } catch (const nlohmann::json::exception& e) {
    return Fail(source + ": " + e.what());
  }

  aw::i18n::CTUnicodeGlossary glossary;
  glossary.SetTargetLanguage(json.value("language", 0u));
  std::map<std::string, std::string> seen;
  std::size_t nEntry = 0;
  for (const nlohmann::json& entry : json.value("entries", nlohmann::json::array())) {
    ++nEntry;
    if (!entry.is_array() || entry.size() != 2 || !entry[0].is_string() || !entry[1].is_string())
      return Fail(source + ": entry " + std::to_string(nEntry) + " is not a pair of texts");
    const std::string term = entry[0], translation = entry[1];
    if (term.empty() || translation.empty())
      return Fail(source + ": entry " + std::to_string(nEntry) + " (\"" + term + "\") has an empty text");
    const auto [it, bNew] = seen.emplace(term, translation);
    if (!bNew && it->second != translation)
      return Fail(source + ": \"" + term + "\" is translated twice differently");
    glossary.AddTermNoNonsense(term, translation);
  }
  if (glossary.TargetLanguage() == 0)
    return Fail(source + ": no \"language\" id");

  std::string szError;
  if (!aw::i18n::CTExcelXMLGlossaryIO().SaveGlossaryToFile(output, glossary, false, szError))
    return Fail(szError);
  return 0;
}
