#include "docs/DocumentFile.h"

#include "platform/AtomicFile.h"

namespace aw::docs {

std::optional<CTDocWriteError> SaveDocumentFile(const std::filesystem::path& file, std::string_view bytes)
{
  std::string reason;
  if (platform::WriteFileAtomically(file, bytes, reason)) return std::nullopt;
  return CTDocWriteError{-3, file.string(), reason};
}

} // namespace aw::docs
