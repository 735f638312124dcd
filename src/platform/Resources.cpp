#include "platform/Resources.h"

#include "platform/CaseFolding.h"
#include "platform/EmbeddedResource.h"

#include <map>
#include <mutex>

namespace aw::platform {
namespace {

// A replacement entry; an empty optional hides the embedded resource.
struct Overrides
{
  std::mutex lock;
  std::map<std::string, std::optional<std::vector<std::byte>>> byFoldedName;
};

Overrides& TheOverrides()
{
  static Overrides overrides;
  return overrides;
}

std::optional<ResourceBytes> FindEmbedded(std::string_view szName)
{
  for (const EmbeddedResource& res : EmbeddedResourceTable())
    if (EqualsIgnoreCase(res.name, szName))
      return ResourceBytes(reinterpret_cast<const std::byte*>(res.data), res.size);
  return std::nullopt;
}

} // namespace

std::optional<ResourceBytes> Resources::Find(std::string_view szName)
{
  Overrides& ov = TheOverrides();
  {
    std::lock_guard guard(ov.lock);
    auto it = ov.byFoldedName.find(FoldCase(szName));
    if (it != ov.byFoldedName.end()) {
      if (!it->second)
        return std::nullopt;
      return ResourceBytes(it->second->data(), it->second->size());
    }
  }
  return FindEmbedded(szName);
}

std::vector<std::string> Resources::Names()
{
  std::map<std::string, std::string> byFolded;
  for (const EmbeddedResource& res : EmbeddedResourceTable())
    byFolded[FoldCase(res.name)] = res.name;
  Overrides& ov = TheOverrides();
  std::lock_guard guard(ov.lock);
  for (const auto& [folded, bytes] : ov.byFoldedName) {
    if (bytes)
      byFolded.try_emplace(folded, folded);
    else
      byFolded.erase(folded);
  }
  std::vector<std::string> names;
  for (auto& [folded, name] : byFolded)
    names.push_back(name);
  return names;
}

void Resources::Replace(std::string_view szName, std::vector<std::byte> bytes)
{
  Overrides& ov = TheOverrides();
  std::lock_guard guard(ov.lock);
  ov.byFoldedName[FoldCase(szName)] = std::move(bytes);
}

void Resources::Hide(std::string_view szName)
{
  Overrides& ov = TheOverrides();
  std::lock_guard guard(ov.lock);
  ov.byFoldedName[FoldCase(szName)] = std::nullopt;
}

void Resources::RestoreEmbedded()
{
  Overrides& ov = TheOverrides();
  std::lock_guard guard(ov.lock);
  ov.byFoldedName.clear();
}

} // namespace aw::platform
