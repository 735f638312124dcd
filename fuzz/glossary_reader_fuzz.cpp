// The glossary file reader on arbitrary bytes. What it accepts must survive
// being written and read again with the same entries.
#include "i18n/XMLGlossaryIO.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const aw::i18n::CTExcelXMLGlossaryIO io;
  aw::i18n::CTUnicodeGlossary glossary;
  std::string szError;
  if (!io.LoadGlossary(std::string_view(reinterpret_cast<const char*>(data), size), glossary, szError)) {
    if (glossary.Count() != 0 || szError.empty())
      std::abort(); // a refused file must leave nothing behind and say why
    return 0;
  }
  std::string written;
  io.SaveGlossary(written, glossary, true);
  aw::i18n::CTUnicodeGlossary again;
  if (!io.LoadGlossary(written, again, szError) || again.Count() > glossary.Count())
    std::abort();
  return 0;
}
