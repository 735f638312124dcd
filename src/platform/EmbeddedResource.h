#pragma once
// The table of data files compiled into the program (see cmake/EmbedResources.cmake).

#include <cstddef>
#include <span>

namespace aw::platform {

struct EmbeddedResource
{
  const char* name;
  const unsigned char* data;
  std::size_t size;
};

// Defined by the generated code of the resource library linked into the program.
std::span<const EmbeddedResource> EmbeddedResourceTable();

} // namespace aw::platform
