#pragma once
// The catalogue as the program opens it, in the steps of the start-up: the
// object database is prepared (engine registered, compression, auto-
// correction, map sizes), the factory is created read-only and made the
// default, the catalogue resource is loaded through the resource engine,
// and its structure version is checked against the reference the program
// carries. The window and the command line open it the same way.

#include "catalogue/Factory.h"

#include <filesystem>
#include <memory>
#include <string>

namespace aw {

class CTCatalogueSession
{
public:
  // Once per process, before any factory connects.
  static void PrepareObjectDatabase();
  // Replaces the embedded catalogue with a file's bytes (plain or compressed)
  // for the rest of the process; false with szError when it cannot be read.
  static bool UseCatalogueFile(const std::filesystem::path& file, std::string& szError);
  // The glossary every session created from now on gives its factory, so that
  // stored texts are read translated; none reads them as stored. Not owned.
  static void UseGlossary(const CTTranslationSource* pGlossary);

  // Creates the catalogue factory, read-only, as the default factory.
  CTCatalogueSession();
  // The same with a factory of richer entity classes (the engine's).
  explicit CTCatalogueSession(std::unique_ptr<CTFactory> pFactory);
  ~CTCatalogueSession();
  CTCatalogueSession(const CTCatalogueSession&) = delete;
  CTCatalogueSession& operator=(const CTCatalogueSession&) = delete;

  // Loads the catalogue. A missing resource shows message 5007, a damaged
  // one 5004 (through the object database's message sink); LastError() says
  // what went wrong in words and where.
  bool Connect();
  // Checks the loaded catalogue's structure version against the reference.
  bool CheckVersion(bool bFlagErrors);
  // Connect and CheckVersion with messages: what the start-up runs.
  bool Open();

  CTFactory& Factory() { return *v_factory; }
  const std::string& LastError() const { return v_lastError; }

private:
  std::unique_ptr<CTFactory> v_factory;
  std::string v_lastError;
};

} // namespace aw
