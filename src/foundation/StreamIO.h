#pragma once
// Byte streams and the buffered readers and writers on top of them:
// - CTStream, the abstract byte stream (read, write, seek, position, size);
// - CTMemoryStream and CTResourceStream, streams over bytes in memory;
// - CTStreamIO, a buffered one-byte-at-a-time reader (the database reader's input);
// - CTLLByteIO, a buffered reader and unbuffered writer of little-endian values.
// File streams are in FileStream.h.

#include "platform/Resources.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace aw {

// An I/O failure: a file that cannot be opened, read or written, a stream that
// refuses a write, data that ends too early. The text names the file when known.
class CTStreamError : public std::runtime_error
{
public:
  explicit CTStreamError(const std::string& szMessage, std::string szFileName = {})
    : std::runtime_error(szMessage), v_fileName(std::move(szFileName))
  {
  }
  const std::string& FileName() const { return v_fileName; }

private:
  std::string v_fileName;
};

// A file that could not be opened (or created) even after the retries.
class CTFileOpenError : public CTStreamError
{
public:
  using CTStreamError::CTStreamError;
};

enum class CTSeekOrigin
{
  Begin,
  Current,
  End
};

class CTStream
{
public:
  virtual ~CTStream() = default;
  CTStream() = default;
  CTStream(const CTStream&) = delete;
  CTStream& operator=(const CTStream&) = delete;

  // Reads up to nCount bytes; fewer only at the end of the data. 0 at the end.
  virtual std::size_t Read(void* pBuffer, std::size_t nCount) = 0;
  // Writes up to nCount bytes and answers how many were taken (0 on a read-only stream).
  virtual std::size_t Write(const void* pBuffer, std::size_t nCount) = 0;
  // Moves the position and answers the new one; -1 when the stream cannot seek.
  virtual std::int64_t Seek(std::int64_t nOffset, CTSeekOrigin origin) = 0;

  std::int64_t Position() { return Seek(0, CTSeekOrigin::Current); }
  void SetPosition(std::int64_t nPos);
  // The number of bytes in the stream; -1 when the stream cannot seek.
  virtual std::int64_t Size();

  // Read or write exactly nCount bytes, else throw CTStreamError.
  void ReadBuffer(void* pBuffer, std::size_t nCount);
  void WriteBuffer(const void* pBuffer, std::size_t nCount);
  // Copies everything from the current position of source to its end; answers the byte count.
  std::uint64_t CopyFrom(CTStream& source);
};

// A growable stream held in memory.
class CTMemoryStream : public CTStream
{
public:
  CTMemoryStream() = default;
  explicit CTMemoryStream(std::vector<std::uint8_t> bytes) : v_data(std::move(bytes)) {}
  explicit CTMemoryStream(std::string_view bytes) : v_data(bytes.begin(), bytes.end()) {}

  std::size_t Read(void* pBuffer, std::size_t nCount) override;
  std::size_t Write(const void* pBuffer, std::size_t nCount) override;
  std::int64_t Seek(std::int64_t nOffset, CTSeekOrigin origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(v_data.size()); }

  const std::vector<std::uint8_t>& Bytes() const { return v_data; }
  std::string Text() const { return std::string(v_data.begin(), v_data.end()); }
  void Clear();

private:
  std::vector<std::uint8_t> v_data;
  std::size_t v_pos = 0;
};

// A read-only stream over a program resource. It holds the resource's bytes
// without copying them, so that a later replacement of the resource cannot
// pull them away under the reader.
class CTResourceStream : public CTStream
{
public:
  // Throws CTStreamError when the program has no resource of that name.
  explicit CTResourceStream(std::string_view szName);

  std::size_t Read(void* pBuffer, std::size_t nCount) override;
  std::size_t Write(const void*, std::size_t) override { return 0; }
  std::int64_t Seek(std::int64_t nOffset, CTSeekOrigin origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(v_resource.bytes.size()); }

private:
  platform::ResourceHandle v_resource;
  std::size_t v_pos = 0;
};

// Buffered byte-by-byte reader. ReadChar gives 0 at the end of the data and never throws
// for it; errors of the source itself (a failing file) pass through as CTStreamError.
class CTStreamIO
{
public:
  static constexpr std::size_t kBufferSize = 16384;

  // Fills the buffer at once. The source is not owned and must outlive the reader.
  explicit CTStreamIO(CTStream& pStream);

  std::uint8_t ReadChar()
  {
    if (v_bufPos >= v_bufSize && !Refill())
      return 0;
    return v_buffer[v_bufPos++];
  }
  bool Eof() { return v_bufPos >= v_bufSize && !Refill(); }

private:
  // Refills when the last fill delivered something; once a fill came back empty
  // the reader stays at the end.
  bool Refill();

  CTStream& v_stream;
  std::vector<std::uint8_t> v_buffer;
  std::size_t v_bufSize = 0;
  std::size_t v_bufPos = 0;
};

// Reads (buffered) and writes (straight to the stream) little-endian binary values
// and length-prefixed strings. Every Get answers true when all its bytes were there.
class CTLLByteIO
{
public:
  static constexpr std::size_t kBufferSize = 16384;
  static constexpr std::uint32_t kMaxUnicodeChars = 1073741822;

  // The stream is not owned and must outlive the reader.
  explicit CTLLByteIO(CTStream& pStream);

  bool GetShortInt(std::int8_t& val);
  bool GetSmallInt(std::int16_t& val);
  bool GetWord(std::uint16_t& val);
  bool GetInteger(std::int32_t& val);
  bool GetLongWord(std::uint32_t& val);
  bool GetInt64(std::int64_t& val);
  bool GetSingle(float& val);
  bool GetExtended(double& val);
  bool GetDateTime(double& val);
  // A currency value as its signed count of 1/10000.
  bool GetCurrency(std::int64_t& val);
  bool GetByteArray(void* pBuf, std::size_t nLen);
  // A 4-byte character count, then two bytes per character; cut to the characters read on early end.
  bool GetUnicodeString(std::u16string& val);
  // A 1-byte length, then 8-bit characters.
  bool GetString(std::string& val);
  // A 4-byte length, then 8-bit characters.
  bool GetLongString(std::string& val);
  bool GetRawByteString(std::string& val) { return GetLongString(val); }
  bool GetStringOfLength(std::size_t nLen, std::string& val);
  bool GetRawByteStringOfLength(std::size_t nLen, std::string& val) { return GetStringOfLength(nLen, val); }
  // A 2-byte character count, then two bytes per character of which only the first is kept.
  bool GetStrippedUnicodeString(std::string& val);

  // Writers; a stream that does not take every byte raises CTStreamError.
  void PutAByte(std::uint8_t val) { PutBytes(&val, 1); }
  void PutShortInt(std::int8_t val);
  void PutSmallInt(std::int16_t val);
  void PutWord(std::uint16_t val);
  void PutInteger(std::int32_t val);
  void PutLongWord(std::uint32_t val);
  void PutInt64(std::int64_t val);
  void PutSingle(float val);
  void PutExtended(double val);
  void PutDateTime(double val) { PutExtended(val); }
  void PutCurrency(std::int64_t val) { PutInt64(val); }
  void PutUnicodeStringAndLength(std::u16string_view val);
  // The length as one byte, or with bCompact and 256 characters or more as four bytes.
  // Without bCompact a string of 256 characters or more has no valid length and raises
  // CTStreamError before anything is written.
  void PutStringAndLength(std::string_view val, bool bCompact);

  // Positioning; each also empties the read buffer.
  void ExpSeek(std::int64_t nPos);
  std::int64_t ExpFilePos();
  std::int64_t ExpFileSize();
  void ExpBlockRead(void* pBuf, std::size_t nCount, std::size_t& nRead);
  void ExpBlockWrite(const void* pBuf, std::size_t nCount);

  // Copies a whole file. Failures answer false; with bFlagErrors they also show message
  // -2 (source cannot be opened) or -3 (target cannot be created or written) through the
  // stream message handler. An incomplete target is deleted.
  static bool CopyFile(const std::string& szSourceFileName, const std::string& szTargetFileName, bool bFlagErrors);

private:
  std::size_t GetBytes(void* pBuf, std::size_t nLen);
  bool GetChars(std::size_t nLen, std::string& val);
  void PutBytes(const void* pBuf, std::size_t nLen);
  // Moves the stream back over the unread buffered bytes, so that it stands at the
  // logical position, and empties the buffer.
  void DropReadBuffer();

  CTStream& v_stream;
  std::size_t v_bufPos = 0;
  std::size_t v_bufSize = 0;
  std::vector<std::uint8_t> v_buffer;
};

// Numbered messages the stream helpers show: -2 "Unable to open file $1", -3 "Unable to create file $1".
// The message system installs its dialog here; until then the English text goes to stderr.
using CTStreamMessageHandler = std::function<void(int nMsgNo, const std::string& szArgument)>;
// Installs a handler (an empty one restores the default) and answers the previous one.
CTStreamMessageHandler SetStreamMessageHandler(CTStreamMessageHandler handler);

} // namespace aw
