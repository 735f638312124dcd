#pragma once
// Saving a written document: the bytes replace the file in one step, so a
// failed save leaves an existing file as it was.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace aw::docs {

// A file that could not be written: message -3 ("Unable to create file $1")
// with the file's name, and the system's reason.
struct CTDocWriteError
{
  int nMsgNo = -3;
  std::string szFileName;
  std::string szReason;
};

std::optional<CTDocWriteError> SaveDocumentFile(const std::filesystem::path& file, std::string_view bytes);

} // namespace aw::docs
