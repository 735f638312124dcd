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
  std::map<std::string, std::optional<std::shared_ptr<const std::vector<std::byte>>>> byFoldedName;
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

std::optional<ResourceHandle> Resources::Acquire(std::string_view szName)
{
  Overrides& ov = TheOverrides();
  {
    std::lock_guard guard(ov.lock);
    auto it = ov.byFoldedName.find(FoldCase(szName));
    if (it != ov.byFoldedName.end()) {
      if (!it->second)
        return std::nullopt;
      const auto& bytes = *it->second;
      return ResourceHandle{ResourceBytes(bytes->data(), bytes->size()), bytes};
    }
  }
  if (std::optional<ResourceBytes> embedded = FindEmbedded(szName))
    return ResourceHandle{*embedded, nullptr};
  return std::nullopt;
}

std::optional<ResourceBytes> Resources::Find(std::string_view szName)
{
  std::optional<ResourceHandle> handle = Acquire(szName);
  if (!handle)
    return std::nullopt;
  return handle->bytes;
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
  ov.byFoldedName[FoldCase(szName)] = std::make_shared<const std::vector<std::byte>>(std::move(bytes));
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
