#include "foundation/LZSS.h"

#include "foundation/LZSSCoder.h"

#include <algorithm>

namespace aw {

namespace lzss {

std::unique_ptr<Encoder> MakeEncoder(CTLZSSVariant variant, CTStream& out)
{
  if (variant == CTLZSSVariant::SmallPhrase)
    return std::make_unique<EncoderT<SmallPhraseFormat>>(out);
  return std::make_unique<EncoderT<StandardFormat>>(out);
}

std::unique_ptr<Decoder> MakeDecoder(CTLZSSVariant variant, CTStream& in)
{
  if (variant == CTLZSSVariant::SmallPhrase)
    return std::make_unique<DecoderT<SmallPhraseFormat>>(in);
  return std::make_unique<DecoderT<StandardFormat>>(in);
}

namespace {

void CompressAll(CTLZSSVariant variant, std::size_t nBlock, CTStream& in, CTStream& out)
{
  std::unique_ptr<Encoder> encoder = MakeEncoder(variant, out);
  std::vector<std::uint8_t> block(nBlock);
  while (std::size_t n = in.Read(block.data(), block.size()))
    encoder->Write(block.data(), n);
  encoder->Finish();
}

void ExpandAll(CTLZSSVariant variant, std::size_t nBlock, CTStream& in, CTStream& out)
{
  std::unique_ptr<Decoder> decoder = MakeDecoder(variant, in);
  std::vector<std::uint8_t> block(nBlock);
  while (std::size_t n = decoder->Read(block.data(), block.size()))
    out.WriteBuffer(block.data(), n);
}

} // namespace
} // namespace lzss

// ---------------------------------------------------------------- one-shot coders

void CTLZSSLogic::Compress(CTStream& pInStream, CTStream& pOutStream)
{
  lzss::CompressAll(CTLZSSVariant::Standard, kIOBlock, pInStream, pOutStream);
}

void CTLZSSLogic::Expand(CTStream& pInStream, CTStream& pOutStream)
{
  lzss::ExpandAll(CTLZSSVariant::Standard, kIOBlock, pInStream, pOutStream);
}

void CTLZSSSmallPhraseLogic::Compress(CTStream& pInStream, CTStream& pOutStream)
{
  lzss::CompressAll(CTLZSSVariant::SmallPhrase, kIOBlock, pInStream, pOutStream);
}

void CTLZSSSmallPhraseLogic::Expand(CTStream& pInStream, CTStream& pOutStream)
{
  lzss::ExpandAll(CTLZSSVariant::SmallPhrase, kIOBlock, pInStream, pOutStream);
}

// ---------------------------------------------------------------- CTLZSSCompressorStream

CTLZSSCompressorStream::CTLZSSCompressorStream(CTStream& pOutStream, CTLZSSVariant variant)
  : v_engine(lzss::MakeEncoder(variant, pOutStream))
{
}

CTLZSSCompressorStream::CTLZSSCompressorStream(CTStream& pOutStream, std::string_view szSignature,
                                               CTLZSSVariant variant)
  : CTLZSSCompressorStream(pOutStream, variant)
{
  pOutStream.WriteBuffer(szSignature.data(), szSignature.size());
}

CTLZSSCompressorStream::~CTLZSSCompressorStream()
{
  try {
    Finish();
  } catch (const CTStreamError&) {
    // Only a caller that calls Finish can hear of it.
  }
}

std::size_t CTLZSSCompressorStream::Write(const void* pBuffer, std::size_t nCount)
{
  if (v_finished)
    throw CTStreamError("Written to a compressor stream after its data was finished");
  try {
    v_engine->Write(static_cast<const std::uint8_t*>(pBuffer), nCount);
  } catch (...) {
    v_success = false;
    v_finished = true; // the compressed data is broken; it cannot be completed
    throw;
  }
  return nCount;
}

void CTLZSSCompressorStream::Finish()
{
  if (v_finished)
    return;
  v_finished = true;
  try {
    v_engine->Finish();
  } catch (...) {
    v_success = false;
    throw;
  }
}

// ---------------------------------------------------------------- CTLZSSExpanderStream

CTLZSSExpanderStream::CTLZSSExpanderStream(CTStream& pInStream, CTLZSSVariant variant)
  : v_engine(lzss::MakeDecoder(variant, pInStream))
{
}

CTLZSSExpanderStream::~CTLZSSExpanderStream() = default;

std::size_t CTLZSSExpanderStream::Read(void* pBuffer, std::size_t nCount)
{
  if (!v_success)
    throw CTStreamError("Read from an expander stream whose data was found incomplete or damaged");
  try {
    return v_engine->Read(static_cast<std::uint8_t*>(pBuffer), nCount);
  } catch (...) {
    v_success = false;
    throw;
  }
}

// ---------------------------------------------------------------- CTLZSSAutoExpandStream

CTLZSSAutoExpandStream::CTLZSSAutoExpandStream(CTStream& pSource, std::string_view szSignature,
                                               CTLZSSVariant variant)
  : v_source(pSource)
{
  std::int64_t start = pSource.Position();
  std::string taken;
  // Compared byte by byte; the first missing or differing byte means plain data.
  for (char expected : szSignature) {
    char c = 0;
    if (pSource.Read(&c, 1) != 1)
      break;
    taken.push_back(c);
    if (c != expected)
      break;
  }
  if (taken == szSignature) {
    v_expander = std::make_unique<CTLZSSExpanderStream>(pSource, variant);
    return;
  }
  if (start < 0 || pSource.Seek(start, CTSeekOrigin::Begin) != start)
    v_replay = std::move(taken);
}

CTLZSSAutoExpandStream::~CTLZSSAutoExpandStream() = default;

std::size_t CTLZSSAutoExpandStream::Read(void* pBuffer, std::size_t nCount)
{
  if (v_expander) {
    try {
      return v_expander->Read(pBuffer, nCount);
    } catch (...) {
      v_success = false;
      throw;
    }
  }
  auto* out = static_cast<char*>(pBuffer);
  std::size_t fromReplay = std::min(nCount, v_replay.size());
  std::copy_n(v_replay.begin(), fromReplay, out);
  v_replay.erase(0, fromReplay);
  return fromReplay + (nCount > fromReplay ? v_source.Read(out + fromReplay, nCount - fromReplay) : 0);
}

} // namespace aw
