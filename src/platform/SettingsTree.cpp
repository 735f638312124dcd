#include "platform/SettingsTree.h"

#include "platform/CaseFolding.h"

#include <algorithm>

namespace aw::platform {

std::vector<std::string_view> SplitKeyPath(std::string_view szPath)
{
  std::vector<std::string_view> segments;
  while (!szPath.empty()) {
    std::size_t cut = szPath.find('\\');
    std::string_view segment = szPath.substr(0, cut);
    if (!segment.empty())
      segments.push_back(segment);
    if (cut == std::string_view::npos)
      break;
    szPath.remove_prefix(cut + 1);
  }
  return segments;
}

namespace {

// The item of a value or key list whose name matches without case; works on
// const and mutable lists alike.
template <class Items>
auto FindNamed(Items& items, std::string_view szName)
{
  return std::find_if(items.begin(), items.end(),
                      [&](const auto& item) { return EqualsIgnoreCase(item.Name(), szName); });
}

} // namespace

const SettingsValue* SettingsKey::FindValue(std::string_view szName) const
{
  auto it = FindNamed(v_values, szName);
  return it == v_values.end() ? nullptr : &*it;
}

void SettingsKey::SetValue(std::string_view szName, SettingsData data)
{
  auto it = FindNamed(v_values, szName);
  if (it != v_values.end())
    it->data = std::move(data);
  else
    v_values.push_back({std::string(szName), std::move(data)});
}

bool SettingsKey::RemoveValue(std::string_view szName)
{
  auto it = FindNamed(v_values, szName);
  if (it == v_values.end())
    return false;
  v_values.erase(it);
  return true;
}

const SettingsKey* SettingsKey::FindSubKey(std::string_view szName) const
{
  auto it = FindNamed(v_subKeys, szName);
  return it == v_subKeys.end() ? nullptr : &*it;
}

SettingsKey* SettingsKey::FindSubKey(std::string_view szName)
{
  auto it = FindNamed(v_subKeys, szName);
  return it == v_subKeys.end() ? nullptr : &*it;
}

SettingsKey& SettingsKey::EnsureSubKey(std::string_view szName)
{
  if (SettingsKey* existing = FindSubKey(szName))
    return *existing;
  return v_subKeys.emplace_back(std::string(szName));
}

const SettingsKey* SettingsKey::Find(std::string_view szPath) const
{
  const SettingsKey* key = this;
  for (std::string_view segment : SplitKeyPath(szPath)) {
    key = key->FindSubKey(segment);
    if (!key)
      return nullptr;
  }
  return key;
}

SettingsKey& SettingsKey::Ensure(std::string_view szPath)
{
  SettingsKey* key = this;
  for (std::string_view segment : SplitKeyPath(szPath))
    key = &key->EnsureSubKey(segment);
  return *key;
}

bool SettingsKey::Remove(std::string_view szPath)
{
  std::vector<std::string_view> segments = SplitKeyPath(szPath);
  if (segments.empty())
    return false;
  SettingsKey* parent = this;
  for (std::size_t i = 0; i + 1 < segments.size(); ++i) {
    parent = parent->FindSubKey(segments[i]);
    if (!parent)
      return false;
  }
  auto& siblings = parent->v_subKeys;
  auto it = FindNamed(siblings, segments.back());
  if (it == siblings.end())
    return false;
  siblings.erase(it);
  return true;
}

} // namespace aw::platform
