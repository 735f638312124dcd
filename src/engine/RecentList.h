#pragma once
// The recently used project files, most recent first, kept in the settings
// store as the values "MRU1", "MRU2", ... of one key. Files are compared as
// absolute, normalised paths, exactly as the file system does (letter case
// matters); an existing file is named by its canonical path, so a link and its
// target count as one file.

#include "platform/SettingsRoots.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace aw {

namespace platform {
class SettingsStore;
}

// One entry of the recent-file menu.
struct CTRecentMenuEntry
{
  int nNumber = 0;      // 1, 2, ... over the entries shown
  std::string szFile;   // the full path (the entry's hint)
};

class CTRecentList
{
public:
  static constexpr std::size_t kDefaultMaxEntries = 10;

  explicit CTRecentList(platform::SettingsStore& store, std::size_t nMaxEntries = kDefaultMaxEntries,
                        std::string szKey = std::string(platform::kProgramRoot));

  // The stored files that still exist, read up to the first missing position,
  // without repetitions, at most the maximum.
  std::vector<std::string> GetEntries() const;
  // Puts the file at the top (moving it when listed); false when the store
  // could not be written (the stored list is then unchanged).
  bool Add(std::string_view szFileName);
  bool Remove(std::string_view szFileName);
  // The entries other than the excluded file, numbered from 1.
  std::vector<CTRecentMenuEntry> MenuEntries(std::string_view szExcludeFile = {}) const;

  // The path under which a file is listed: absolute and normalised, and
  // canonical when the file exists. Empty for an empty name.
  static std::string NormalisedPath(std::string_view szFileName);

private:
  // Replaces every stored position with the list, in one write.
  bool Store(const std::vector<std::string>& files);
  std::vector<std::string> WithoutFile(const std::string& szNormalised) const;

  platform::SettingsStore& v_store;
  std::size_t v_maxEntries;
  std::string v_key;
};

// The menu caption of an entry: "&1. path" for the numbers 1 to 9 (the digit
// is the accelerator), "10. path" after them. The path is shown as it stands:
// its "&" are doubled so that none becomes an accelerator. szShownPath is the
// path as displayed (it may be shortened).
std::string RecentMenuCaption(int nNumber, std::string_view szShownPath);

} // namespace aw
