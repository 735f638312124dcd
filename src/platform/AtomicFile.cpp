#include "platform/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <system_error>

#include <csignal>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace aw::platform {
namespace {

std::string Describe(const std::string& szWhat, const std::filesystem::path& path, int nErrno)
{
  return szWhat + " " + path.string() + ": " + std::strerror(nErrno);
}

// Temporary files are named "TARGET.tmp-PID-COUNTER-ATTEMPT", so that the
// next writer of the same target recognises those of a killed run.
constexpr std::string_view kTemporaryMark = ".tmp-";

// A name next to the target that no other writer of this process or another
// one picks at the same time.
std::filesystem::path TemporaryName(const std::filesystem::path& file, unsigned nAttempt)
{
  static std::atomic<unsigned> counter{0};
  std::string name = file.filename().string() + std::string(kTemporaryMark) + std::to_string(getpid()) + "-" +
                     std::to_string(counter++) + "-" + std::to_string(nAttempt);
  return file.parent_path() / name;
}

// The process id in a temporary name of the target, or 0 when the name is not one.
pid_t WriterOf(const std::string& szName, const std::string& szTarget)
{
  const std::string prefix = szTarget + std::string(kTemporaryMark);
  if (!szName.starts_with(prefix))
    return 0;
  pid_t pid = 0;
  std::size_t i = prefix.size();
  for (; i < szName.size() && szName[i] >= '0' && szName[i] <= '9' && pid < 100000000; ++i)
    pid = pid * 10 + (szName[i] - '0');
  return i < szName.size() && szName[i] == '-' ? pid : 0;
}

// Removes the temporary files of the target whose writer has ended (killed
// before it could clean up); those of a living writer stay.
void RemoveStaleTemporaries(const std::filesystem::path& target)
{
  std::error_code ec;
  const std::string name = target.filename().string();
  for (std::filesystem::directory_iterator it(target.parent_path(), ec), end; !ec && it != end; it.increment(ec)) {
    const pid_t writer = WriterOf(it->path().filename().string(), name);
    if (writer > 0 && writer != getpid() && ::kill(writer, 0) != 0 && errno == ESRCH) {
      std::error_code ignored;
      std::filesystem::remove(it->path(), ignored);
    }
  }
}

// A symbolic link is written through: the file it names gets the new contents.
std::filesystem::path ThroughLinks(std::filesystem::path file)
{
  std::error_code ec;
  for (int hops = 0; hops < 40 && std::filesystem::is_symlink(file, ec); ++hops) {
    const std::filesystem::path next = std::filesystem::read_symlink(file, ec);
    if (ec)
      break;
    file = next.is_absolute() ? next : file.parent_path() / next;
  }
  return file;
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
  std::filesystem::path target = ThroughLinks(file.has_parent_path() ? file : std::filesystem::path(".") / file);
  std::error_code ec;
  std::filesystem::create_directories(target.parent_path(), ec);
  if (ec) {
    szError = "cannot create the folder " + target.parent_path().string() + ": " + ec.message();
    return false;
  }

  RemoveStaleTemporaries(target);
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
