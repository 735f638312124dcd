#include "foundation/StreamIO.h"

#include "foundation/FileStream.h"
#include "platform/Resources.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <optional>

namespace aw {
namespace {

// Bytes of a value in little-endian order, whatever the machine's order.
template <typename T>
void StoreLE(std::uint8_t* p, T val)
{
  auto u = static_cast<std::make_unsigned_t<T>>(val);
  for (std::size_t i = 0; i < sizeof(T); ++i)
    p[i] = static_cast<std::uint8_t>(u >> (8 * i));
}

template <typename T>
T LoadLE(const std::uint8_t* p)
{
  std::make_unsigned_t<T> u = 0;
  for (std::size_t i = 0; i < sizeof(T); ++i)
    u = static_cast<std::make_unsigned_t<T>>(u | (static_cast<std::make_unsigned_t<T>>(p[i]) << (8 * i)));
  return static_cast<T>(u);
}

// Positions for memory-held streams: the new position, or -1 when it would lie before the start.
std::int64_t SeekTarget(std::int64_t nOffset, CTSeekOrigin origin, std::size_t nPos, std::size_t nSize)
{
  std::int64_t base = origin == CTSeekOrigin::Begin ? 0
                      : origin == CTSeekOrigin::Current ? static_cast<std::int64_t>(nPos)
                                                        : static_cast<std::int64_t>(nSize);
  std::int64_t target = base + nOffset;
  return target < 0 ? -1 : target;
}

struct MessageHandlerSlot
{
  std::mutex lock;
  CTStreamMessageHandler handler;
};

MessageHandlerSlot& TheMessageHandler()
{
  static MessageHandlerSlot slot;
  return slot;
}

void ShowStreamMessage(int nMsgNo, const std::string& szArgument)
{
  CTStreamMessageHandler handler;
  {
    MessageHandlerSlot& slot = TheMessageHandler();
    std::lock_guard guard(slot.lock);
    handler = slot.handler;
  }
  if (handler) {
    handler(nMsgNo, szArgument);
    return;
  }
  const char* text = nMsgNo == -2 ? "Unable to open file " : "Unable to create file ";
  std::cerr << text << szArgument << '\n';
}

} // namespace

CTStreamMessageHandler SetStreamMessageHandler(CTStreamMessageHandler handler)
{
  MessageHandlerSlot& slot = TheMessageHandler();
  std::lock_guard guard(slot.lock);
  std::swap(slot.handler, handler);
  return handler;
}

// ---------------------------------------------------------------- CTStream

void CTStream::SetPosition(std::int64_t nPos)
{
  if (Seek(nPos, CTSeekOrigin::Begin) != nPos)
    throw CTStreamError("Unable to move the stream to position " + std::to_string(nPos));
}

std::int64_t CTStream::Size()
{
  std::int64_t pos = Position();
  if (pos < 0)
    return -1;
  std::int64_t size = Seek(0, CTSeekOrigin::End);
  Seek(pos, CTSeekOrigin::Begin);
  return size;
}

void CTStream::ReadBuffer(void* pBuffer, std::size_t nCount)
{
  if (Read(pBuffer, nCount) != nCount)
    throw CTStreamError("The stream ended before " + std::to_string(nCount) + " bytes could be read");
}

void CTStream::WriteBuffer(const void* pBuffer, std::size_t nCount)
{
  if (Write(pBuffer, nCount) != nCount)
    throw CTStreamError("The stream did not take all of " + std::to_string(nCount) + " bytes written");
}

std::uint64_t CTStream::CopyFrom(CTStream& source)
{
  std::vector<std::uint8_t> block(65536);
  std::uint64_t total = 0;
  while (std::size_t n = source.Read(block.data(), block.size())) {
    WriteBuffer(block.data(), n);
    total += n;
  }
  return total;
}

// ---------------------------------------------------------------- CTMemoryStream

std::size_t CTMemoryStream::Read(void* pBuffer, std::size_t nCount)
{
  std::size_t n = v_pos < v_data.size() ? std::min(nCount, v_data.size() - v_pos) : 0;
  if (n > 0)
    std::memcpy(pBuffer, v_data.data() + v_pos, n);
  v_pos += n;
  return n;
}

std::size_t CTMemoryStream::Write(const void* pBuffer, std::size_t nCount)
{
  if (nCount == 0)
    return 0;
  if (v_pos + nCount > v_data.size())
    v_data.resize(v_pos + nCount);
  std::memcpy(v_data.data() + v_pos, pBuffer, nCount);
  v_pos += nCount;
  return nCount;
}

std::int64_t CTMemoryStream::Seek(std::int64_t nOffset, CTSeekOrigin origin)
{
  std::int64_t target = SeekTarget(nOffset, origin, v_pos, v_data.size());
  if (target >= 0)
    v_pos = static_cast<std::size_t>(target);
  return target;
}

void CTMemoryStream::Clear()
{
  v_data.clear();
  v_pos = 0;
}

// ---------------------------------------------------------------- CTResourceStream

CTResourceStream::CTResourceStream(std::string_view szName)
{
  std::optional<platform::ResourceHandle> resource = platform::Resources::Acquire(szName);
  if (!resource)
    throw CTStreamError("The program has no resource " + std::string(szName));
  v_resource = std::move(*resource);
}

std::size_t CTResourceStream::Read(void* pBuffer, std::size_t nCount)
{
  const std::size_t size = v_resource.bytes.size();
  std::size_t n = v_pos < size ? std::min(nCount, size - v_pos) : 0;
  if (n > 0)
    std::memcpy(pBuffer, v_resource.bytes.data() + v_pos, n);
  v_pos += n;
  return n;
}

std::int64_t CTResourceStream::Seek(std::int64_t nOffset, CTSeekOrigin origin)
{
  std::int64_t target = SeekTarget(nOffset, origin, v_pos, v_resource.bytes.size());
  if (target >= 0)
    v_pos = static_cast<std::size_t>(target);
  return target;
}

// ---------------------------------------------------------------- CTStreamIO

CTStreamIO::CTStreamIO(CTStream& pStream) : v_stream(pStream), v_buffer(kBufferSize)
{
  v_bufSize = v_stream.Read(v_buffer.data(), kBufferSize);
}

bool CTStreamIO::Refill()
{
  if (v_bufSize == 0)
    return false;
  v_bufSize = v_stream.Read(v_buffer.data(), kBufferSize);
  v_bufPos = 0;
  return v_bufSize > 0;
}

// ---------------------------------------------------------------- CTLLByteIO

CTLLByteIO::CTLLByteIO(CTStream& pStream) : v_stream(pStream), v_buffer(kBufferSize) {}

std::size_t CTLLByteIO::GetBytes(void* pBuf, std::size_t nLen)
{
  auto* out = static_cast<std::uint8_t*>(pBuf);
  std::size_t done = 0;
  while (done < nLen) {
    if (v_bufPos >= v_bufSize) {
      v_bufSize = v_stream.Read(v_buffer.data(), kBufferSize);
      v_bufPos = 0;
      if (v_bufSize == 0)
        break;
    }
    std::size_t n = std::min(nLen - done, v_bufSize - v_bufPos);
    std::memcpy(out + done, v_buffer.data() + v_bufPos, n);
    v_bufPos += n;
    done += n;
  }
  return done;
}

namespace {

template <typename T>
bool GetLE(CTLLByteIO& io, T& val)
{
  std::uint8_t bytes[sizeof(T)];
  if (!io.GetByteArray(bytes, sizeof bytes))
    return false;
  val = LoadLE<T>(bytes);
  return true;
}

template <typename T>
void PutLE(CTLLByteIO& io, T val)
{
  std::uint8_t bytes[sizeof(T)];
  StoreLE(bytes, val);
  io.ExpBlockWrite(bytes, sizeof bytes);
}

} // namespace

bool CTLLByteIO::GetShortInt(std::int8_t& val) { return GetLE(*this, val); }
bool CTLLByteIO::GetSmallInt(std::int16_t& val) { return GetLE(*this, val); }
bool CTLLByteIO::GetWord(std::uint16_t& val) { return GetLE(*this, val); }
bool CTLLByteIO::GetInteger(std::int32_t& val) { return GetLE(*this, val); }
bool CTLLByteIO::GetLongWord(std::uint32_t& val) { return GetLE(*this, val); }
bool CTLLByteIO::GetInt64(std::int64_t& val) { return GetLE(*this, val); }
bool CTLLByteIO::GetCurrency(std::int64_t& val) { return GetLE(*this, val); }

bool CTLLByteIO::GetSingle(float& val)
{
  std::uint32_t bits = 0;
  if (!GetLongWord(bits))
    return false;
  std::memcpy(&val, &bits, sizeof val);
  return true;
}

bool CTLLByteIO::GetExtended(double& val)
{
  std::int64_t bits = 0;
  if (!GetInt64(bits))
    return false;
  std::memcpy(&val, &bits, sizeof val);
  return true;
}

bool CTLLByteIO::GetDateTime(double& val)
{
  return GetExtended(val);
}

bool CTLLByteIO::GetByteArray(void* pBuf, std::size_t nLen)
{
  return GetBytes(pBuf, nLen) == nLen;
}

bool CTLLByteIO::GetChars(std::size_t nLen, std::string& val)
{
  // Grows with the data actually read, so that a damaged length cannot make us
  // reserve gigabytes before finding out that the data is not there.
  val.clear();
  char chunk[4096];
  while (val.size() < nLen) {
    std::size_t want = std::min(nLen - val.size(), sizeof chunk);
    std::size_t got = GetBytes(chunk, want);
    val.append(chunk, got);
    if (got < want)
      return false;
  }
  return true;
}

bool CTLLByteIO::GetStringOfLength(std::size_t nLen, std::string& val)
{
  return GetChars(nLen, val);
}

bool CTLLByteIO::GetString(std::string& val)
{
  std::uint8_t len = 0;
  if (!GetBytes(&len, 1)) {
    val.clear();
    return false;
  }
  return GetChars(len, val);
}

bool CTLLByteIO::GetLongString(std::string& val)
{
  std::uint32_t len = 0;
  if (!GetLongWord(len)) {
    val.clear();
    return false;
  }
  return GetChars(len, val);
}

bool CTLLByteIO::GetUnicodeString(std::u16string& val)
{
  val.clear();
  std::uint32_t count = 0;
  if (!GetLongWord(count) || count > kMaxUnicodeChars)
    return false;
  std::uint8_t chunk[4096];
  std::size_t pending = 0; // bytes of a character cut by the chunk boundary
  std::size_t left = static_cast<std::size_t>(count) * 2;
  while (left > 0) {
    std::size_t want = std::min(left, sizeof chunk - pending);
    std::size_t got = GetBytes(chunk + pending, want);
    left -= got;
    std::size_t have = pending + got;
    for (std::size_t i = 0; i + 1 < have; i += 2)
      val.push_back(static_cast<char16_t>(chunk[i] | (chunk[i + 1] << 8)));
    pending = have % 2;
    if (pending)
      chunk[0] = chunk[have - 1];
    if (got < want)
      return false;
  }
  return true;
}

bool CTLLByteIO::GetStrippedUnicodeString(std::string& val)
{
  val.clear();
  std::uint16_t count = 0;
  if (!GetWord(count))
    return false;
  for (std::uint16_t i = 0; i < count; ++i) {
    std::uint8_t pair[2];
    if (GetBytes(pair, 2) != 2)
      return false;
    val.push_back(static_cast<char>(pair[0]));
  }
  return true;
}

void CTLLByteIO::DropReadBuffer()
{
  if (v_bufPos < v_bufSize) {
    auto unread = static_cast<std::int64_t>(v_bufSize - v_bufPos);
    if (v_stream.Seek(-unread, CTSeekOrigin::Current) < 0)
      throw CTStreamError("Unable to move the stream back over buffered bytes");
  }
  v_bufPos = v_bufSize = 0;
}

void CTLLByteIO::PutBytes(const void* pBuf, std::size_t nLen)
{
  // Written bytes belong at the logical position, not behind the read-ahead.
  DropReadBuffer();
  v_stream.WriteBuffer(pBuf, nLen);
}

void CTLLByteIO::PutShortInt(std::int8_t val) { PutLE(*this, val); }
void CTLLByteIO::PutSmallInt(std::int16_t val) { PutLE(*this, val); }
void CTLLByteIO::PutWord(std::uint16_t val) { PutLE(*this, val); }
void CTLLByteIO::PutInteger(std::int32_t val) { PutLE(*this, val); }
void CTLLByteIO::PutLongWord(std::uint32_t val) { PutLE(*this, val); }
void CTLLByteIO::PutInt64(std::int64_t val) { PutLE(*this, val); }

void CTLLByteIO::PutSingle(float val)
{
  std::uint32_t bits = 0;
  std::memcpy(&bits, &val, sizeof bits);
  PutLongWord(bits);
}

void CTLLByteIO::PutExtended(double val)
{
  std::int64_t bits = 0;
  std::memcpy(&bits, &val, sizeof bits);
  PutInt64(bits);
}

void CTLLByteIO::PutUnicodeStringAndLength(std::u16string_view val)
{
  if (val.size() > kMaxUnicodeChars)
    throw CTStreamError("A string of " + std::to_string(val.size()) + " characters is too long to be written");
  std::vector<std::uint8_t> bytes(4 + val.size() * 2);
  StoreLE(bytes.data(), static_cast<std::uint32_t>(val.size()));
  for (std::size_t i = 0; i < val.size(); ++i)
    StoreLE(bytes.data() + 4 + 2 * i, static_cast<std::uint16_t>(val[i]));
  PutBytes(bytes.data(), bytes.size());
}

void CTLLByteIO::PutStringAndLength(std::string_view val, bool bCompact)
{
  std::vector<std::uint8_t> bytes;
  if (val.size() < 256) {
    bytes.push_back(static_cast<std::uint8_t>(val.size()));
  } else if (bCompact && val.size() <= 0xFFFFFFFFu) {
    bytes.resize(4);
    StoreLE(bytes.data(), static_cast<std::uint32_t>(val.size()));
  } else {
    throw CTStreamError("A string of " + std::to_string(val.size()) +
                        " characters does not fit a one-byte length and was not written");
  }
  bytes.insert(bytes.end(), val.begin(), val.end());
  PutBytes(bytes.data(), bytes.size());
}

void CTLLByteIO::ExpSeek(std::int64_t nPos)
{
  v_bufPos = v_bufSize = 0;
  v_stream.SetPosition(nPos);
}

std::int64_t CTLLByteIO::ExpFilePos()
{
  DropReadBuffer();
  return v_stream.Position();
}

std::int64_t CTLLByteIO::ExpFileSize()
{
  DropReadBuffer();
  return v_stream.Size();
}

void CTLLByteIO::ExpBlockRead(void* pBuf, std::size_t nCount, std::size_t& nRead)
{
  DropReadBuffer();
  nRead = v_stream.Read(pBuf, nCount);
}

void CTLLByteIO::ExpBlockWrite(const void* pBuf, std::size_t nCount)
{
  PutBytes(pBuf, nCount);
}

bool CTLLByteIO::CopyFile(const std::string& szSourceFileName, const std::string& szTargetFileName, bool bFlagErrors)
{
  std::optional<CTMyFileStream> source;
  try {
    source.emplace(szSourceFileName, fmReadDenyWrite);
  } catch (const CTStreamError&) {
    if (bFlagErrors)
      ShowStreamMessage(-2, szSourceFileName);
    return false;
  }
  std::optional<CTMyFileStream> target;
  try {
    target.emplace(szTargetFileName, fmCreateExclusive);
  } catch (const CTStreamError&) {
    if (bFlagErrors)
      ShowStreamMessage(-3, szTargetFileName);
    return false;
  }
  try {
    target->CopyFrom(*source);
    target->Close();
    return true;
  } catch (const CTStreamError&) {
    try {
      target->Close();
    } catch (const CTStreamError&) {
      // Already failing; the file goes anyway.
    }
    std::error_code ignored;
    if (std::filesystem::is_regular_file(szTargetFileName, ignored))
      std::filesystem::remove(szTargetFileName, ignored);
    if (bFlagErrors)
      ShowStreamMessage(-3, szTargetFileName);
    return false;
  }
}

} // namespace aw
