#include "platform/SingleInstance.h"

#include "platform/UserFolders.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace aw::platform {

std::filesystem::path SingleInstanceLock::UserLockFile()
{
  if (auto runtime = RuntimeFolder())
    return *runtime / "airwright.lock";
  return ProgramConfigFolder() / "airwright.lock";
}

SingleInstanceLock::SingleInstanceLock(std::filesystem::path lockFile) : v_file(std::move(lockFile)) {}

SingleInstanceLock::~SingleInstanceLock()
{
  Release();
}

SingleInstanceLock::Outcome SingleInstanceLock::TryAcquire()
{
  if (Held())
    return Outcome::Acquired;
  v_error.clear();

  std::error_code ec;
  if (v_file.has_parent_path())
    std::filesystem::create_directories(v_file.parent_path(), ec);
  // Private to the user: the file only carries the holder's process id.
  int fd = ::open(v_file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) {
    v_error = "cannot open the lock file " + v_file.string() + ": " + std::strerror(errno);
    return Outcome::Unavailable;
  }
  int rc;
  do
    rc = ::flock(fd, LOCK_EX | LOCK_NB);
  while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    int nErrno = errno;
    ::close(fd);
    if (nErrno == EWOULDBLOCK)
      return Outcome::HeldElsewhere;
    v_error = "cannot lock " + v_file.string() + ": " + std::strerror(nErrno);
    return Outcome::Unavailable;
  }

  // The holder's id helps whoever looks at the file; the lock does not need it.
  std::string pid = std::to_string(getpid()) + "\n";
  if (::ftruncate(fd, 0) == 0) {
    [[maybe_unused]] ssize_t written = ::write(fd, pid.data(), pid.size());
  }
  v_fd = fd;
  return Outcome::Acquired;
}

void SingleInstanceLock::Release()
{
  if (v_fd >= 0) {
    ::close(v_fd);
    v_fd = -1;
  }
}

} // namespace aw::platform
