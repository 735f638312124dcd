#pragma once
// Buffered file streams with sharing modes. Sharing is mapped onto advisory
// flock locks, which every file stream of this program takes: a reader that
// denies writers holds a shared lock, a writer or an exclusive holder an
// exclusive one. Other processes that take no lock are not kept out.

#include "foundation/StreamIO.h"

#include <atomic>
#include <string>

namespace aw {

enum class CTFileAccess
{
  Read,      // an existing file, read only
  Write,     // an existing file, write only
  ReadWrite, // an existing file, read and write
  Create     // created or emptied, write only
};

enum class CTFileShare
{
  DenyNone,  // no lock
  DenyWrite, // readers may join; for a writer this is as strict as Exclusive
  Exclusive  // nobody else may hold the file
};

struct CTFileMode
{
  CTFileAccess access;
  CTFileShare share;
};

// The two modes the program uses: reading while denying writers, and creating exclusively.
inline constexpr CTFileMode fmReadDenyWrite{CTFileAccess::Read, CTFileShare::DenyWrite};
inline constexpr CTFileMode fmCreateExclusive{CTFileAccess::Create, CTFileShare::Exclusive};

// A file stream with one 32768-byte buffer used for reading or for writing.
// Read, write and seek errors raise CTStreamError. Close reports a failed final
// write; the destructor closes silently, so callers that write call Close.
class CTBufferedFileStream : public CTStream
{
public:
  static constexpr std::size_t kBufferSize = 32768;

  // Opens once; raises CTFileOpenError on failure.
  CTBufferedFileStream(const std::string& szFileName, CTFileMode mode);
  ~CTBufferedFileStream() override;

  std::size_t Read(void* pBuffer, std::size_t nCount) override;
  std::size_t Write(const void* pBuffer, std::size_t nCount) override;
  std::int64_t Seek(std::int64_t nOffset, CTSeekOrigin origin) override;
  std::int64_t Size() override;

  // Writes the buffered bytes out.
  void Flush();
  // Flushes and closes; later operations raise CTStreamError.
  void Close();
  const std::string& FileName() const { return v_fileName; }

  // One attempt to open: the descriptor, or -1 with the errno in nError and bLockConflict
  // set when the file exists but another holder's lock keeps it from us.
  static int TryOpen(const std::string& szFileName, CTFileMode mode, int& nError, bool& bLockConflict);
  // The open error, with the message for opening (-2) or creating (-3) the file.
  [[noreturn]] static void RaiseOpenError(const std::string& szFileName, CTFileMode mode, int nError);

protected:
  // Takes over an open descriptor.
  CTBufferedFileStream(std::string szFileName, int nFd);

private:
  void FlushWriteBuffer();
  void DropReadBuffer();
  void CheckOpen() const;
  [[noreturn]] void RaiseIoError(const char* szWhat, int nError) const;

  std::string v_fileName;
  int v_fd = -1;
  std::vector<std::uint8_t> v_buffer;
  std::size_t v_readPos = 0;  // next unread byte of the read buffer
  std::size_t v_readSize = 0; // bytes in the read buffer
  std::size_t v_writeSize = 0; // bytes waiting in the write buffer
};

// The program's file stream: opening retries with growing pauses, so that a file
// that another process holds for a moment (a virus scanner, a second instance)
// can still be opened. Only a lock conflict is retried; a missing file or a
// refused permission fails at once.
class CTMyFileStream : public CTBufferedFileStream
{
public:
  // Tries, sleeps for the pause, doubles it, and tries once more after the doubled pause has
  // reached the maximum; that last failure raises CTFileOpenError. With the pauses at start
  // (100 ms, maximum 1600 ms) that is five attempts over about 1.5 s.
  CTMyFileStream(const std::string& szFileName, CTFileMode mode);

  // Clamps n to 100..6400 ms, makes it the maximum pause, sets the initial pause to n / 16
  // and answers the previous maximum.
  static int SetMaxWaitInterval(int n);
  static int MaxWaitInterval() { return s_maxPauseMs.load(); }
  // The pause before the second attempt; it keeps the value reached at the last
  // successful opening, so after one slow opening the next ones start patient.
  static int InitialWaitInterval() { return s_initialPauseMs.load(); }

private:
  static int OpenWithRetries(const std::string& szFileName, CTFileMode mode);

  static std::atomic<int> s_initialPauseMs;
  static std::atomic<int> s_maxPauseMs;
};

} // namespace aw
