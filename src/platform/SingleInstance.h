#pragma once
// One running program per user: a lock file held with flock(). The kernel
// drops the lock when the holder ends in any way, so a crashed instance never
// keeps the next one out, and programs started from this one (which do not
// inherit the descriptor) never hold it on.

#include <filesystem>
#include <string>

namespace aw::platform {

class SingleInstanceLock
{
public:
  enum class Outcome
  {
    Acquired,     // this process holds the lock until Release or destruction
    HeldElsewhere,// another process holds it
    Unavailable,  // the lock file cannot be opened; Error() says why
  };

  // The lock file of the current user: $XDG_RUNTIME_DIR/airwright.lock, or
  // airwright.lock in the program's configuration folder without a runtime folder.
  static std::filesystem::path UserLockFile();

  explicit SingleInstanceLock(std::filesystem::path lockFile = UserLockFile());
  ~SingleInstanceLock();
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

  // Never waits. Creates the lock file (and its folder) when missing.
  Outcome TryAcquire();
  bool Held() const { return v_fd >= 0; }
  void Release();

  const std::filesystem::path& File() const { return v_file; }
  const std::string& Error() const { return v_error; }

private:
  std::filesystem::path v_file;
  std::string v_error;
  int v_fd = -1;
};

} // namespace aw::platform
