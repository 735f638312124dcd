#include "foundation/FileStream.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace aw {
namespace {

int OpenFlags(CTFileAccess access)
{
  switch (access) {
  case CTFileAccess::Read:
    return O_RDONLY;
  case CTFileAccess::Write:
    return O_WRONLY;
  case CTFileAccess::ReadWrite:
    return O_RDWR;
  case CTFileAccess::Create:
    // No O_TRUNC: a file held by someone else must not be emptied before we own the lock.
    return O_WRONLY | O_CREAT;
  }
  return O_RDONLY;
}

// 0 for no lock.
int LockKind(CTFileMode mode)
{
  switch (mode.share) {
  case CTFileShare::DenyNone:
    return 0;
  case CTFileShare::DenyWrite:
    return mode.access == CTFileAccess::Read ? LOCK_SH : LOCK_EX;
  case CTFileShare::Exclusive:
    return LOCK_EX;
  }
  return 0;
}

std::string ErrorText(int nError)
{
  return std::strerror(nError);
}

} // namespace

// ---------------------------------------------------------------- CTBufferedFileStream

int CTBufferedFileStream::TryOpen(const std::string& szFileName, CTFileMode mode, int& nError, bool& bLockConflict)
{
  nError = 0;
  bLockConflict = false;
  int fd = ::open(szFileName.c_str(), OpenFlags(mode.access) | O_CLOEXEC, 0666);
  if (fd < 0) {
    nError = errno;
    return -1;
  }
  if (int lock = LockKind(mode); lock != 0) {
    int rc;
    do
      rc = ::flock(fd, lock | LOCK_NB);
    while (rc != 0 && errno == EINTR);
    if (rc != 0) {
      nError = errno;
      bLockConflict = nError == EWOULDBLOCK;
      ::close(fd);
      return -1;
    }
  }
  if (mode.access == CTFileAccess::Create) {
    struct stat st{};
    // Devices and pipes cannot be truncated and need not be.
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::ftruncate(fd, 0) != 0) {
      nError = errno;
      ::close(fd);
      return -1;
    }
  }
  return fd;
}

void CTBufferedFileStream::RaiseOpenError(const std::string& szFileName, CTFileMode mode, int nError)
{
  const char* what = mode.access == CTFileAccess::Create ? "Unable to create file " : "Unable to open file ";
  std::string reason = nError == EWOULDBLOCK ? "it is in use" : ErrorText(nError);
  throw CTFileOpenError(what + szFileName + ": " + reason, szFileName);
}

CTBufferedFileStream::CTBufferedFileStream(const std::string& szFileName, CTFileMode mode) : v_fileName(szFileName)
{
  int error = 0;
  bool conflict = false;
  v_fd = TryOpen(szFileName, mode, error, conflict);
  if (v_fd < 0)
    RaiseOpenError(szFileName, mode, error);
  v_buffer.resize(kBufferSize);
}

CTBufferedFileStream::CTBufferedFileStream(std::string szFileName, int nFd) : v_fileName(std::move(szFileName)), v_fd(nFd)
{
  v_buffer.resize(kBufferSize);
}

CTBufferedFileStream::~CTBufferedFileStream()
{
  try {
    Close();
  } catch (const CTStreamError&) {
    // A caller that needs to know about the last write calls Close itself.
  }
}

void CTBufferedFileStream::CheckOpen() const
{
  if (v_fd < 0)
    throw CTStreamError("File " + v_fileName + " is closed", v_fileName);
}

void CTBufferedFileStream::RaiseIoError(const char* szWhat, int nError) const
{
  throw CTStreamError(std::string(szWhat) + " " + v_fileName + ": " + ErrorText(nError), v_fileName);
}

void CTBufferedFileStream::FlushWriteBuffer()
{
  std::size_t done = 0;
  while (done < v_writeSize) {
    ssize_t n = ::write(v_fd, v_buffer.data() + done, v_writeSize - done);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      int error = n < 0 ? errno : EIO;
      // The bytes cannot be placed; keeping them would only repeat the failure.
      v_writeSize = 0;
      RaiseIoError("Unable to write file", error);
    }
    done += static_cast<std::size_t>(n);
  }
  v_writeSize = 0;
}

void CTBufferedFileStream::DropReadBuffer()
{
  if (v_readPos < v_readSize) {
    auto unread = static_cast<off_t>(v_readSize - v_readPos);
    if (::lseek(v_fd, -unread, SEEK_CUR) < 0)
      RaiseIoError("Unable to seek in file", errno);
  }
  v_readPos = v_readSize = 0;
}

void CTBufferedFileStream::Flush()
{
  CheckOpen();
  FlushWriteBuffer();
}

void CTBufferedFileStream::Close()
{
  if (v_fd < 0)
    return;
  int fd = v_fd;
  try {
    FlushWriteBuffer();
  } catch (...) {
    ::close(fd);
    v_fd = -1;
    throw;
  }
  v_fd = -1;
  if (::close(fd) != 0 && errno != EINTR)
    RaiseIoError("Unable to write file", errno);
}

std::size_t CTBufferedFileStream::Read(void* pBuffer, std::size_t nCount)
{
  CheckOpen();
  FlushWriteBuffer();
  auto* out = static_cast<std::uint8_t*>(pBuffer);
  std::size_t done = 0;
  while (done < nCount) {
    if (v_readPos < v_readSize) {
      std::size_t n = std::min(nCount - done, v_readSize - v_readPos);
      std::memcpy(out + done, v_buffer.data() + v_readPos, n);
      v_readPos += n;
      done += n;
      continue;
    }
    // Large requests bypass the buffer; small ones refill it.
    bool direct = nCount - done >= kBufferSize;
    std::uint8_t* target = direct ? out + done : v_buffer.data();
    std::size_t want = direct ? nCount - done : kBufferSize;
    ssize_t n = ::read(v_fd, target, want);
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0)
      RaiseIoError("Unable to read file", errno);
    if (n == 0)
      break;
    if (direct) {
      done += static_cast<std::size_t>(n);
    } else {
      v_readPos = 0;
      v_readSize = static_cast<std::size_t>(n);
    }
  }
  return done;
}

std::size_t CTBufferedFileStream::Write(const void* pBuffer, std::size_t nCount)
{
  CheckOpen();
  DropReadBuffer();
  const auto* in = static_cast<const std::uint8_t*>(pBuffer);
  std::size_t done = 0;
  while (done < nCount) {
    if (v_writeSize == 0 && nCount - done >= kBufferSize) {
      ssize_t n = ::write(v_fd, in + done, nCount - done);
      if (n < 0 && errno == EINTR)
        continue;
      if (n <= 0)
        RaiseIoError("Unable to write file", n < 0 ? errno : EIO);
      done += static_cast<std::size_t>(n);
      continue;
    }
    std::size_t n = std::min(nCount - done, kBufferSize - v_writeSize);
    std::memcpy(v_buffer.data() + v_writeSize, in + done, n);
    v_writeSize += n;
    done += n;
    if (v_writeSize == kBufferSize)
      FlushWriteBuffer();
  }
  return done;
}

std::int64_t CTBufferedFileStream::Seek(std::int64_t nOffset, CTSeekOrigin origin)
{
  CheckOpen();
  if (origin == CTSeekOrigin::Current && nOffset == 0) {
    // Asking for the position keeps the buffers as they are.
    off_t fdPos = ::lseek(v_fd, 0, SEEK_CUR);
    if (fdPos < 0)
      RaiseIoError("Unable to seek in file", errno);
    return static_cast<std::int64_t>(fdPos) + static_cast<std::int64_t>(v_writeSize) -
           static_cast<std::int64_t>(v_readSize - v_readPos);
  }
  FlushWriteBuffer();
  if (origin == CTSeekOrigin::Current) {
    // Relative to the logical position, which lags behind the descriptor by the unread bytes.
    nOffset -= static_cast<std::int64_t>(v_readSize - v_readPos);
  }
  v_readPos = v_readSize = 0;
  int whence = origin == CTSeekOrigin::Begin ? SEEK_SET : origin == CTSeekOrigin::Current ? SEEK_CUR : SEEK_END;
  off_t pos = ::lseek(v_fd, static_cast<off_t>(nOffset), whence);
  if (pos < 0)
    RaiseIoError("Unable to seek in file", errno);
  return static_cast<std::int64_t>(pos);
}

std::int64_t CTBufferedFileStream::Size()
{
  CheckOpen();
  FlushWriteBuffer();
  struct stat st{};
  if (::fstat(v_fd, &st) != 0)
    RaiseIoError("Unable to read the size of file", errno);
  return static_cast<std::int64_t>(st.st_size);
}

// ---------------------------------------------------------------- CTMyFileStream

std::atomic<int> CTMyFileStream::s_initialPauseMs{100};
std::atomic<int> CTMyFileStream::s_maxPauseMs{1600};

CTMyFileStream::CTMyFileStream(const std::string& szFileName, CTFileMode mode)
  : CTBufferedFileStream(szFileName, OpenWithRetries(szFileName, mode))
{
}

int CTMyFileStream::OpenWithRetries(const std::string& szFileName, CTFileMode mode)
{
  int pause = s_initialPauseMs.load();
  const int maxPause = s_maxPauseMs.load();
  bool lastAttempt = false;
  for (;;) {
    int error = 0;
    bool conflict = false;
    int fd = TryOpen(szFileName, mode, error, conflict);
    if (fd >= 0) {
      s_initialPauseMs.store(pause);
      return fd;
    }
    if (!conflict || lastAttempt)
      RaiseOpenError(szFileName, mode, error);
    std::this_thread::sleep_for(std::chrono::milliseconds(pause));
    pause *= 2;
    lastAttempt = pause >= maxPause;
  }
}

int CTMyFileStream::SetMaxWaitInterval(int n)
{
  n = std::clamp(n, 100, 6400);
  int previous = s_maxPauseMs.exchange(n);
  s_initialPauseMs.store(n / 16);
  return previous;
}

} // namespace aw
