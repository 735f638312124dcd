#pragma once
// Program data resources looked up by name, as the program's module resources
// are: names match without regard to case, contents are read-only bytes.

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace aw::platform {

using ResourceBytes = std::span<const std::byte>;

// The bytes of a resource, kept alive for as long as the handle lives, also
// when the resource is replaced meanwhile.
struct ResourceHandle
{
  ResourceBytes bytes;
  std::shared_ptr<const std::vector<std::byte>> keepAlive; // none for embedded bytes
};

class Resources
{
public:
  // The bytes of the named resource, or nothing when the program has none.
  // Embedded bytes live as long as the process; replaced bytes until the
  // next Replace, Hide or RestoreEmbedded of that name.
  static std::optional<ResourceBytes> Find(std::string_view szName);
  static bool Exists(std::string_view szName) { return Find(szName).has_value(); }
  // The same as a handle that keeps the bytes valid without copying them.
  static std::optional<ResourceHandle> Acquire(std::string_view szName);

  // Names of every resource, embedded and replaced, in no particular order.
  static std::vector<std::string> Names();

  // Replaces (or adds) a resource for the rest of the process, or hides one
  // (Hide). Used by tests and by tools that run the program on other data.
  static void Replace(std::string_view szName, std::vector<std::byte> bytes);
  static void Hide(std::string_view szName);
  // Undoes every Replace and Hide.
  static void RestoreEmbedded();
};

} // namespace aw::platform
