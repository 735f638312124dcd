#pragma once
// The in-memory shape of the settings store: a tree of keys, each with named
// values and sub-keys. Names keep the letter case they were created with and
// are matched without regard to case.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace aw::platform {

using SettingsData = std::variant<std::int32_t, std::string, std::vector<std::byte>>;

struct SettingsValue
{
  std::string name;
  SettingsData data;

  const std::string& Name() const { return name; }
};

// The non-empty segments of a "\"-separated key path.
std::vector<std::string_view> SplitKeyPath(std::string_view szPath);

class SettingsKey
{
public:
  explicit SettingsKey(std::string szName = {}) : v_name(std::move(szName)) {}

  const std::string& Name() const { return v_name; }
  // Values in the order they were first written; sub-keys in no fixed order.
  const std::vector<SettingsValue>& Values() const { return v_values; }
  const std::vector<SettingsKey>& SubKeys() const { return v_subKeys; }

  const SettingsValue* FindValue(std::string_view szName) const;
  // Replaces the data of an existing value (keeping its name's case) or adds one.
  void SetValue(std::string_view szName, SettingsData data);
  bool RemoveValue(std::string_view szName);

  // The key at the given path below this one (this one for an empty path).
  const SettingsKey* Find(std::string_view szPath) const;
  SettingsKey& Ensure(std::string_view szPath);
  // Removes the key at a non-empty path with everything below it.
  bool Remove(std::string_view szPath);

private:
  const SettingsKey* FindSubKey(std::string_view szName) const;
  SettingsKey* FindSubKey(std::string_view szName);
  SettingsKey& EnsureSubKey(std::string_view szName);

  std::string v_name;
  std::vector<SettingsValue> v_values;
  std::vector<SettingsKey> v_subKeys;
};

} // namespace aw::platform
