#include "engine/RecentList.h"

#include "platform/CaseFolding.h"
#include "platform/SettingsStore.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <system_error>

namespace aw {
namespace {

constexpr std::string_view kValuePrefix = "MRU";

std::string PositionName(std::size_t nPosition)
{
  return std::string(kValuePrefix) + std::to_string(nPosition);
}

// "MRU" followed by digits only, in any letter case (the store's names are).
bool IsPositionName(std::string_view szName)
{
  if (szName.size() <= kValuePrefix.size() ||
      !platform::EqualsIgnoreCase(szName.substr(0, kValuePrefix.size()), kValuePrefix))
    return false;
  return std::all_of(szName.begin() + static_cast<std::ptrdiff_t>(kValuePrefix.size()), szName.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

bool FileExists(const std::string& szFile)
{
  std::error_code ec;
  return std::filesystem::is_regular_file(szFile, ec);
}

} // namespace

CTRecentList::CTRecentList(platform::SettingsStore& store, std::size_t nMaxEntries, std::string szKey)
  : v_store(store), v_maxEntries(nMaxEntries), v_key(std::move(szKey))
{
}

std::string CTRecentList::NormalisedPath(std::string_view szFileName)
{
  if (szFileName.empty())
    return {};
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path path = fs::absolute(fs::path(szFileName), ec);
  if (ec)
    path = fs::path(szFileName);
  path = path.lexically_normal();
  if (fs::path canonical = fs::canonical(path, ec); !ec)
    return canonical.string();
  return path.string();
}

std::vector<std::string> CTRecentList::GetEntries() const
{
  std::vector<std::string> entries;
  for (std::size_t nPosition = 1;; ++nPosition) {
    const std::optional<std::string> stored = v_store.ReadString(v_key, PositionName(nPosition));
    if (!stored)
      break;
    const std::string file = NormalisedPath(*stored);
    if (FileExists(file) && std::find(entries.begin(), entries.end(), file) == entries.end())
      entries.push_back(file);
  }
  if (entries.size() > v_maxEntries)
    entries.resize(v_maxEntries);
  return entries;
}

std::vector<std::string> CTRecentList::WithoutFile(const std::string& szNormalised) const
{
  std::vector<std::string> entries = GetEntries();
  std::erase(entries, szNormalised);
  return entries;
}

bool CTRecentList::Add(std::string_view szFileName)
{
  const std::string file = NormalisedPath(szFileName);
  if (file.empty())
    return false;
  std::vector<std::string> entries = WithoutFile(file);
  entries.insert(entries.begin(), file);
  if (entries.size() > v_maxEntries)
    entries.resize(v_maxEntries);
  return Store(entries);
}

bool CTRecentList::Remove(std::string_view szFileName)
{
  return Store(WithoutFile(NormalisedPath(szFileName)));
}

bool CTRecentList::Store(const std::vector<std::string>& files)
{
  return v_store.WriteBatch([&](platform::SettingsKey& root) {
    platform::SettingsKey& key = root.Ensure(v_key);
    // Every position goes, also those behind a gap, so none comes back later.
    std::vector<std::string> stale;
    for (const platform::SettingsValue& value : key.Values())
      if (IsPositionName(value.name))
        stale.push_back(value.name);
    for (const std::string& name : stale)
      key.RemoveValue(name);
    for (std::size_t i = 0; i < files.size(); ++i)
      key.SetValue(PositionName(i + 1), files[i]);
    return true;
  });
}

std::vector<CTRecentMenuEntry> CTRecentList::MenuEntries(std::string_view szExcludeFile) const
{
  const std::string excluded = NormalisedPath(szExcludeFile);
  std::vector<CTRecentMenuEntry> menu;
  for (const std::string& file : GetEntries())
    if (file != excluded)
      menu.push_back({static_cast<int>(menu.size()) + 1, file});
  return menu;
}

std::string RecentMenuCaption(int nNumber, std::string_view szShownPath)
{
  std::string caption = nNumber < 10 ? "&" : "";
  caption += std::to_string(nNumber) + ". ";
  for (char c : szShownPath) {
    caption += c;
    if (c == '&')
      caption += '&';
  }
  return caption;
}

} // namespace aw
