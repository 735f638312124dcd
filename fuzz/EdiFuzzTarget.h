#pragma once
// Feeds arbitrary bytes to the memory engine's loader on the catalogue
// schema: it must answer success or failure, never crash, hang or leak.

#include "catalogue/Factory.h"
#include "db/MemDB.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace aw::fuzz {

inline void LoadCatalogueText(const std::uint8_t* data, std::size_t size, bool bCompressed)
{
  static CTFactory factory;
  CTMemDbEngine::UseCompression(bCompressed);
  CTMemDbEngine::SetCompressionSignature("Q7R");
  CTMemDbEngine::SetAutoCorrect((size & 1) != 0); // both integrity paths
  CTMemDbEngine engine(&factory, CTFactory::kLogicalName, "", true, CTFactory::kDbIx);
  CTMemoryStream stream(std::string_view(reinterpret_cast<const char*>(data), size));
  engine.LoadFromStream(stream);
}

} // namespace aw::fuzz
