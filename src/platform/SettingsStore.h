#pragma once
// The per-user settings store: registry-shaped keys such as
// "Software\Korvath\Quillon Selection\Airwright\Preferences" holding named
// integer, string and binary values. It is kept in an INI-style file; key and
// value names match without regard to case, as the registry's do. Every write
// reaches the file at once and atomically (temporary file, then rename), so a
// crash never leaves half a file. A damaged file reads as empty, with a warning,
// and is kept as "<file>.damaged" when the store next writes.
// A store is used from one thread at a time.

#include "platform/SettingsTree.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace aw::platform {

class SettingsStore
{
public:
  using Warning = std::function<void(const std::string& szText)>;

  // A store kept in the given file (created on the first write).
  explicit SettingsStore(std::filesystem::path file, Warning onWarning = {});

  // The current user's store: $XDG_CONFIG_HOME/airwright/settings.ini
  // ($HOME/.config when XDG_CONFIG_HOME is unset). Reopened when that path
  // changes, so tests that point XDG_CONFIG_HOME elsewhere get their own.
  static SettingsStore& User();
  static std::filesystem::path UserFile();

  const std::filesystem::path& File() const { return v_file; }

  // Keys are "\"-separated paths; a leading or doubled "\" is ignored.
  bool KeyExists(std::string_view szKey) const;
  bool ValueExists(std::string_view szKey, std::string_view szName) const;
  std::vector<std::string> SubKeyNames(std::string_view szKey) const;
  std::vector<std::string> ValueNames(std::string_view szKey) const;

  // Reads give nothing when the value is missing or of another kind.
  std::optional<std::int32_t> ReadInteger(std::string_view szKey, std::string_view szName) const;
  std::optional<std::string> ReadString(std::string_view szKey, std::string_view szName) const;
  std::optional<std::vector<std::byte>> ReadBinary(std::string_view szKey, std::string_view szName) const;

  // Writes create the key when missing. They answer false (and keep the
  // previous file) when the file cannot be written.
  bool CreateKey(std::string_view szKey);
  bool WriteInteger(std::string_view szKey, std::string_view szName, std::int32_t nValue);
  bool WriteString(std::string_view szKey, std::string_view szName, std::string_view szValue);
  bool WriteBinary(std::string_view szKey, std::string_view szName, const std::vector<std::byte>& value);
  bool DeleteValue(std::string_view szKey, std::string_view szName);
  // Removes the key with all its values and sub-keys. Both deletes answer
  // false when there is nothing to delete.
  bool DeleteKey(std::string_view szKey);
  // Several changes in one atomic write: the change edits a copy of the whole
  // tree and answers false to write nothing. A failed write keeps the store
  // and its file as they were.
  bool WriteBatch(const std::function<bool(SettingsKey& root)>& change);

  // Re-reads the file (another process may have written it).
  void Reload();

private:
  // Applies a change to a copy of the tree and keeps it only when the file
  // took it, so memory and file never disagree.
  template <class Change>
  bool Modify(Change change);
  bool Save(const SettingsKey& root);
  void Warn(const std::string& szText) const;

  std::filesystem::path v_file;
  Warning v_onWarning;
  SettingsKey v_root;
  // The file was there but unreadable or damaged: it is copied aside before the
  // first write replaces it, so that nothing in it is lost.
  bool v_fileDamaged = false;
};

} // namespace aw::platform
