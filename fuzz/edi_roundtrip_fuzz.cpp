// The catalogue text writer and the name mapping of the reader: whatever
// the reader accepts is written, read again and written again. The second
// read must accept the first writing and give the same objects, so the two
// writings are equal byte for byte.
#include "catalogue/Factory.h"
#include "db/MemDB.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

namespace {

std::unique_ptr<aw::CTMemDbEngine> Engine(aw::CTFactory& factory, bool bAutoCorrect)
{
  auto engine = std::make_unique<aw::CTMemDbEngine>(&factory, aw::CTFactory::kLogicalName, "", false,
                                                    aw::CTFactory::kDbIx);
  engine->SetLoadOptions({false, "", bAutoCorrect, {}});
  return engine;
}

std::string Written(aw::CTMemDbEngine& engine)
{
  aw::CTMemoryStream out;
  engine.WriteToStream(out);
  return out.Text();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static aw::CTFactory factory;
  aw::CTMemDbEngine::UseCompression(false);
  const bool bAutoCorrect = (size & 1) != 0; // both integrity paths
  auto first = Engine(factory, bAutoCorrect);
  aw::CTMemoryStream input(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!first->LoadFromStream(input))
    return 0;
  const std::string once = Written(*first);
  first.reset();

  // What the program wrote is read strictly: nothing may need correcting.
  auto second = Engine(factory, false);
  aw::CTMemoryStream again(once);
  if (!second->LoadFromStream(again))
    std::abort();
  if (Written(*second) != once)
    std::abort();
  return 0;
}
