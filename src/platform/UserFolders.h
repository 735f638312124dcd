#pragma once
// The per-user folders of the desktop's base-directory conventions, read from
// the environment each time so that tests can point them elsewhere.

#include <filesystem>
#include <optional>

namespace aw::platform {

// $XDG_CONFIG_HOME, else $HOME/.config (relative values are ignored, as the
// conventions require).
std::filesystem::path ConfigHome();

// $XDG_DATA_HOME, else $HOME/.local/share.
std::filesystem::path DataHome();

// The program's own configuration folder: ConfigHome()/airwright.
std::filesystem::path ProgramConfigFolder();

// $XDG_RUNTIME_DIR when it is set to an absolute path.
std::optional<std::filesystem::path> RuntimeFolder();

} // namespace aw::platform
