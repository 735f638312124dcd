#pragma once
// LZSS compression of the database files.
//
// Bit stream, most significant bit first, last byte padded with zero bits:
//   literal: 1, then the 8 bits of the byte;
//   match:   0, then the window position, then the match length minus 2;
//   end:     0, then a window position of 0.
// Both sides keep a window that starts all zero, with the current position at 1.
// The standard set (CTLZSSLogic) has a 4096-byte window with 12 position bits and
// 4 length bits (lengths 2..17); the small-phrase set (CTLZSSSmallPhraseLogic) has an
// 8192-byte window with 13 position bits and 3 length bits (lengths 2..9).
//
// The coders are incremental: the compressor stream encodes while it is written,
// the expander stream decodes while it is read, both on the caller's thread.
// Data that ends before its end token, and output that cannot be written, raise
// CTStreamError; nothing incomplete is passed on as if it were whole.

#include "foundation/StreamIO.h"

#include <memory>
#include <string>
#include <string_view>

namespace aw {

// The plain signature the program puts before its compressed database files.
inline constexpr std::string_view kLZSSDatabaseSignature = "Q7R";

enum class CTLZSSVariant
{
  Standard,   // CTLZSSLogic: 4096-byte window, phrases of 2..17 bytes, 16384-byte I/O blocks
  SmallPhrase // CTLZSSSmallPhraseLogic: 8192-byte window, phrases of 2..9 bytes, 4096-byte I/O blocks
};

namespace lzss {
class Encoder;
class Decoder;
} // namespace lzss

// One-shot compression and expansion between two streams, from the current position of
// the input to its end.
class CTLZSSLogic
{
public:
  static constexpr std::size_t kIOBlock = 16384;
  static void Compress(CTStream& pInStream, CTStream& pOutStream);
  static void Expand(CTStream& pInStream, CTStream& pOutStream);
};

class CTLZSSSmallPhraseLogic
{
public:
  static constexpr std::size_t kIOBlock = 4096;
  static void Compress(CTStream& pInStream, CTStream& pOutStream);
  static void Expand(CTStream& pInStream, CTStream& pOutStream);
};

// Base of the two coder streams; neither can seek.
class CTLZSSStream : public CTStream
{
public:
  std::int64_t Seek(std::int64_t, CTSeekOrigin) override { return -1; }
  std::int64_t Size() override { return -1; }
  // False once the coder has failed (an output write, truncated or broken input).
  bool Success() const { return v_success; }

protected:
  bool v_success = true;
};

// Write-only: compresses what is written to it into pOutStream (not owned).
// Finish completes the compressed data and raises CTStreamError when it cannot be
// written; the destructor finishes silently, so writers that must know call Finish.
class CTLZSSCompressorStream : public CTLZSSStream
{
public:
  explicit CTLZSSCompressorStream(CTStream& pOutStream, CTLZSSVariant variant = CTLZSSVariant::Standard);
  // Writes the signature bytes plainly to pOutStream first; the compressed data follows them.
  CTLZSSCompressorStream(CTStream& pOutStream, std::string_view szSignature,
                         CTLZSSVariant variant = CTLZSSVariant::Standard);
  ~CTLZSSCompressorStream() override;

  std::size_t Read(void*, std::size_t) override { return 0; }
  // Answers nCount; raises CTStreamError when the output refuses a block.
  std::size_t Write(const void* pBuffer, std::size_t nCount) override;
  // Writes the end token and the last bytes; later writes raise CTStreamError.
  void Finish();

private:
  std::unique_ptr<lzss::Encoder> v_engine;
  bool v_finished = false;
};

// Read-only: expands the LZSS data of pInStream (not owned) from its current position.
// Read answers fewer bytes than asked only at the end of the data; data that ends before
// its end token raises CTStreamError. After the end token the input is put back just
// behind it when it can seek.
class CTLZSSExpanderStream : public CTLZSSStream
{
public:
  explicit CTLZSSExpanderStream(CTStream& pInStream, CTLZSSVariant variant = CTLZSSVariant::Standard);
  ~CTLZSSExpanderStream() override;

  std::size_t Read(void* pBuffer, std::size_t nCount) override;
  std::size_t Write(const void*, std::size_t) override { return 0; }

private:
  std::unique_ptr<lzss::Decoder> v_engine;
};

// How the database reader takes its input: when pSource starts with the signature
// bytes, reading gives the expansion of the LZSS data behind them (an empty signature
// means that the whole source is compressed); otherwise reading gives pSource as it is,
// from where it stood (pSource is put back there, or the bytes compared are replayed
// when it cannot seek). pSource is not owned.
class CTLZSSAutoExpandStream : public CTLZSSStream
{
public:
  CTLZSSAutoExpandStream(CTStream& pSource, std::string_view szSignature,
                         CTLZSSVariant variant = CTLZSSVariant::Standard);
  ~CTLZSSAutoExpandStream() override;

  bool IsCompressed() const { return v_expander != nullptr; }

  std::size_t Read(void* pBuffer, std::size_t nCount) override;
  std::size_t Write(const void*, std::size_t) override { return 0; }

private:
  CTStream& v_source;
  std::string v_replay; // bytes of a plain source taken while comparing, not yet delivered
  std::unique_ptr<CTLZSSExpanderStream> v_expander;
};

} // namespace aw
