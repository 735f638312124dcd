#include "platform/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace aw::platform {
namespace {

std::string Describe(const std::string& szWhat, const std::filesystem::path& path, int nErrno)
{
  return szWhat + " " + path.string() + ": " + std::strerror(nErrno);
}

// A name next to the target that no other writer of this process or another
// one picks at the same time.
std::filesystem::path TemporaryName(const std::filesystem::path& file, unsigned nAttempt)
{
  static std::atomic<unsigned> counter{0};
  std::string name = file.filename().string() + ".tmp-" + std::to_string(getpid()) + "-" +
                     std::to_string(counter++) + "-" + std::to_string(nAttempt);
  return file.parent_path() / name;
}

bool WriteAll(int fd, std::string_view bytes)
{
  while (!bytes.empty()) {
    ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR)
        continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The rename is only durable once the folder entry itself is on disk.
void SyncFolder(const std::filesystem::path& folder)
{
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

} // namespace

bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes, std::string& szError)
{
  std::filesystem::path target = file.has_parent_path() ? file : std::filesystem::path(".") / file;
  std::error_code ec;
  std::filesystem::create_directories(target.parent_path(), ec);
  if (ec) {
    szError = "cannot create the folder " + target.parent_path().string() + ": " + ec.message();
    return false;
  }

  std::filesystem::path temporary;
  int fd = -1;
  for (unsigned attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary = TemporaryName(target, attempt);
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST)
      break;
  }
  if (fd < 0) {
    szError = Describe("cannot create a temporary file for", target, errno);
    return false;
  }

  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0)
    ::fchmod(fd, existing.st_mode & 07777);

  bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  int nErrno = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    nErrno = errno;
  }
  if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
    ok = false;
    nErrno = errno;
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    szError = Describe("cannot write", target, nErrno);
    return false;
  }
  SyncFolder(target.parent_path());
  return true;
}

} // namespace aw::platform
