#pragma once
// A catalogue factory connected to a database text through the resource
// engine, as the program connects to its embedded catalogue, and made the
// default factory for the test. The text replaces the resource
// "Device_Database" for the fixture's lifetime.

#include "catalogue/Factory.h"
#include "db/DbObject.h"
#include "db/MemDB.h"
#include "db/ResDB.h"
#include "foundation/LZSS.h"
#include "platform/Resources.h"

#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace aw::test {

inline std::string ReadTestData(const std::string& szFileName)
{
  std::ifstream in(std::string(AW_TEST_DATA_DIR) + "/" + szFileName, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class LoadedCatalogue
{
public:
  // Without a text, the program's own resource is loaded; it is compressed,
  // so reading it expands compressed text as the program does.
  explicit LoadedCatalogue(std::optional<std::string> szText = std::nullopt)
  {
    static const bool registered = (CTResDbEngine::RegisterEngine(), true);
    (void)registered;
    v_wasCompressing = CTMemDbEngine::UseCompression(CTMemDbEngine::CompressionOn() || !szText);
    v_previousSignature = CTMemDbEngine::CompressionSignature();
    if (!szText)
      CTMemDbEngine::SetCompressionSignature(std::string(kLZSSDatabaseSignature));
    if (szText) {
      std::vector<std::byte> bytes(szText->size());
      for (std::size_t i = 0; i < szText->size(); ++i)
        bytes[i] = static_cast<std::byte>((*szText)[i]);
      platform::Resources::Replace(CTFactory::kLogicalName, std::move(bytes));
    }
    v_connected = factory.Connect(false);
    CTDbObject::SetDefaultFactory(&factory);
    CTDbObject::SetMessageSink(
      [this](const CTFormResource*, int nMsgNo, const std::string& szParam) { messages.emplace_back(nMsgNo, szParam); });
  }
  ~LoadedCatalogue()
  {
    CTDbObject::SetMessageSink({});
    CTDbObject::SetDefaultFactory(nullptr);
    factory.Disconnect();
    platform::Resources::RestoreEmbedded();
    CTMemDbEngine::UseCompression(v_wasCompressing);
    CTMemDbEngine::SetCompressionSignature(v_previousSignature);
  }
  LoadedCatalogue(const LoadedCatalogue&) = delete;
  LoadedCatalogue& operator=(const LoadedCatalogue&) = delete;

  bool Connected() const { return v_connected; }

  CTFactory factory;
  std::vector<std::pair<int, std::string>> messages;

private:
  bool v_connected = false;
  bool v_wasCompressing = false;
  std::string v_previousSignature;
};

} // namespace aw::test
