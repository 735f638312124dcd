#pragma once
// Replacing a file so that readers and crashes only ever see the old or the
// new contents: the bytes go to a temporary file in the same folder, are
// flushed to disk, and the temporary file is renamed over the target.

#include <filesystem>
#include <string>
#include <string_view>

namespace aw::platform {

// Creates the target's folder when missing. An existing target keeps its
// permissions; a new one gets the usual ones (0666 less the umask). A
// symbolic link is written through to the file it names. On failure the
// target is untouched, no temporary file is left and szError says why.
// Temporary files ("TARGET.tmp-PID-...") that a killed writer left next to
// the target are removed first.
bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes, std::string& szError);

} // namespace aw::platform
