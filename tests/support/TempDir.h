#pragma once
// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.

#include <filesystem>
#include <string>

namespace aw::test {

class TempDir
{
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return v_path; }
  std::filesystem::path operator/(const std::string& name) const { return v_path / name; }

private:
  std::filesystem::path v_path;
};

// Reads a whole file as bytes in a string; empty when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes);

} // namespace aw::test
