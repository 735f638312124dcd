#pragma once
// The LZSS encoder and decoder behind LZSS.h, as incremental state machines:
// the encoder takes input whenever it is written and keeps its place between
// writes; the decoder produces as many bytes as asked and keeps a match that
// did not fit for the next read. Internal to the foundation library.

#include "foundation/LZSS.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <cstdint>
#include <vector>

namespace aw::lzss {

// Compile-time parameters of one bit-stream variant.
template <int PositionBits, int LengthBits, std::size_t IOBlock>
struct Format
{
  static constexpr int kPositionBits = PositionBits;
  static constexpr int kLengthBits = LengthBits;
  static constexpr int kWindowSize = 1 << PositionBits;
  static constexpr int kWindowMask = kWindowSize - 1;
  static constexpr int kMinMatch = 2;
  static constexpr int kLookAhead = (1 << LengthBits) + kMinMatch - 1; // the longest match
  static constexpr int kEndOfStream = 0;
  static constexpr int kLiteralBits = 1 + 8;
  static constexpr int kMatchBits = 1 + PositionBits + LengthBits;
  static constexpr int kEndBits = 1 + PositionBits;
  static constexpr std::size_t kIOBlock = IOBlock;
};

using StandardFormat = Format<12, 4, CTLZSSLogic::kIOBlock>;
using SmallPhraseFormat = Format<13, 3, CTLZSSSmallPhraseLogic::kIOBlock>;

class Encoder
{
public:
  virtual ~Encoder() = default;
  virtual void Write(const std::uint8_t* p, std::size_t n) = 0;
  // The end token, the last partial byte, and the output block go out.
  virtual void Finish() = 0;
};

class Decoder
{
public:
  virtual ~Decoder() = default;
  // Up to n bytes; fewer only after the end token. Raises CTStreamError when the input
  // ends before the end token.
  virtual std::size_t Read(std::uint8_t* p, std::size_t n) = 0;
};

std::unique_ptr<Encoder> MakeEncoder(CTLZSSVariant variant, CTStream& out);
std::unique_ptr<Decoder> MakeDecoder(CTLZSSVariant variant, CTStream& in);

// Packs bits most significant first into an output block that goes to the stream when full.
class BitWriter
{
public:
  BitWriter(CTStream& out, std::size_t nBlock) : v_out(out), v_block(nBlock) {}

  void Put(std::uint32_t value, int nBits)
  {
    v_acc = (v_acc << nBits) | value;
    v_bits += nBits;
    while (v_bits >= 8) {
      v_bits -= 8;
      v_block[v_fill++] = static_cast<std::uint8_t>(v_acc >> v_bits);
      if (v_fill == v_block.size())
        FlushBlock();
    }
  }

  // Pads the last byte with zero bits and writes out everything.
  void Finish()
  {
    if (v_bits > 0)
      Put(0, 8 - v_bits);
    FlushBlock();
  }

private:
  void FlushBlock()
  {
    if (v_fill > 0)
      v_out.WriteBuffer(v_block.data(), v_fill);
    v_fill = 0;
  }

  CTStream& v_out;
  std::vector<std::uint8_t> v_block;
  std::size_t v_fill = 0;
  std::uint64_t v_acc = 0;
  int v_bits = 0;
};

// LZSS with a binary search tree over the strings of the window. The tree has one
// node per window position plus a root; position 0 is never a node, so it can never
// be sent as a match position (it marks the end).
template <class F>
class EncoderT final : public Encoder
{
public:
  EncoderT(CTStream& out) : v_bits(out, F::kIOBlock) {}

  void Write(const std::uint8_t* p, std::size_t n) override
  {
    std::size_t i = 0;
    // The first look-ahead bytes fill window positions 1 onward before any token.
    while (!v_started && i < n) {
      StoreByte(1 + v_initialFill, p[i++]);
      if (++v_initialFill == F::kLookAhead)
        Start(v_initialFill);
    }
    for (; i < n; ++i) {
      Consume(p[i]);
      if (--v_pendingConsume == 0)
        EmitToken(); // input continues, so the look-ahead is full
    }
  }

  void Finish() override
  {
    if (!v_started)
      Start(v_initialFill);
    while (v_lookAhead > 0) {
      while (v_pendingConsume > 0) {
        Consume(-1);
        --v_pendingConsume;
      }
      if (v_lookAhead > 0)
        EmitToken();
    }
    v_bits.Put(F::kEndOfStream, F::kEndBits);
    v_bits.Finish();
  }

private:
  static constexpr int kUnused = 0;
  static constexpr int kRoot = F::kWindowSize;
  static constexpr int kSmaller = 0;
  static constexpr int kLarger = 1;

  static_assert(F::kWindowSize < 0xFFFF);
  static std::uint16_t Link(int nNode) { return static_cast<std::uint16_t>(nNode); }

  void SetLeaf(int nNode, int nParent)
  {
    v_parent[nNode] = Link(nParent);
    v_child[kSmaller][nNode] = kUnused;
    v_child[kLarger][nNode] = kUnused;
  }

  void Start(int nLookAhead)
  {
    v_started = true;
    v_lookAhead = nLookAhead;
    v_child[kLarger][kRoot] = Link(1);
    SetLeaf(1, kRoot);
    v_matchLength = 0;
    v_matchPosition = 0;
    if (v_lookAhead > 0)
      EmitToken();
  }

  // A literal for matches of 0 or 1 byte, else a match; sets how many bytes it consumes.
  void EmitToken()
  {
    if (v_matchLength > v_lookAhead)
      v_matchLength = v_lookAhead;
    if (v_matchLength < F::kMinMatch) {
      v_bits.Put((1u << 8) | v_window[v_current], F::kLiteralBits);
      v_pendingConsume = 1;
    } else {
      auto position = static_cast<std::uint32_t>(v_matchPosition);
      auto length = static_cast<std::uint32_t>(v_matchLength - F::kMinMatch);
      v_bits.Put((position << F::kLengthBits) | length, F::kMatchBits);
      v_pendingConsume = v_matchLength;
    }
  }

  // One produced byte: the oldest string leaves the tree, the next input byte (or -1 at the
  // end of input) enters the look-ahead, and the string at the new position is added.
  void Consume(int nNext)
  {
    int incoming = (v_current + F::kLookAhead) & F::kWindowMask;
    DeleteString(incoming);
    if (nNext >= 0)
      StoreByte(incoming, static_cast<std::uint8_t>(nNext));
    else
      --v_lookAhead;
    v_current = (v_current + 1) & F::kWindowMask;
    if (v_lookAhead > 0)
      v_matchLength = AddString(v_current);
  }

  // The window keeps a copy of its first look-ahead bytes behind its end, so that string
  // comparisons never wrap.
  void StoreByte(int nPos, std::uint8_t c)
  {
    v_window[static_cast<std::size_t>(nPos)] = c;
    if (nPos < F::kLookAhead)
      v_window[static_cast<std::size_t>(F::kWindowSize + nPos)] = c;
  }

  // Inserts the string at nNew; answers the longest match found (ties go to the node met
  // later) and sets v_matchPosition. A full-length match replaces the old node.
  int AddString(int nNew)
  {
    if (nNew == F::kEndOfStream)
      return 0;
    int test = v_child[kLarger][kRoot];
    if (test == kUnused) { // cannot happen once started, but an empty tree must not walk node 0
      v_child[kLarger][kRoot] = Link(nNew);
      SetLeaf(nNew, kRoot);
      return 0;
    }
    int best = 0;
    int bestPosition = v_matchPosition;
    const std::uint8_t* newStr = &v_window[static_cast<std::size_t>(nNew)];
    const std::uint64_t newHead = LoadBigEndian(newStr);
    for (;;) {
      // Both links are loaded with the string and the next node is picked without a branch:
      // the direction of the walk is as good as random, so a branch would mostly mispredict.
      const unsigned smaller = v_child[kSmaller][test];
      const unsigned larger = v_child[kLarger][test];
      const std::uint8_t* testStr = &v_window[static_cast<std::size_t>(test)];
      const std::uint64_t testHead = LoadBigEndian(testStr);
      int i = 0;
      unsigned largerMask = 0; // all ones when the new string is the larger
      if (newHead != testHead) [[likely]] {
        largerMask = 0u - static_cast<unsigned>(newHead > testHead);
        i = std::countl_zero(newHead ^ testHead) / 8;
      } else {
        bool goLarger = false;
        i = CompareTail(newStr, testStr, goLarger);
        largerMask = 0u - static_cast<unsigned>(goLarger);
      }
      // Ties go to the node met later. Masks again: which node wins is hard to predict.
      const int betterMask = -static_cast<int>(i >= best);
      best = (i & betterMask) | (best & ~betterMask);
      bestPosition = (test & betterMask) | (bestPosition & ~betterMask);
      if (i >= F::kLookAhead) {
        ReplaceNode(test, nNew);
        break;
      }
      const int next = static_cast<int>(smaller ^ ((smaller ^ larger) & largerMask));
      if (next == kUnused) {
        v_child[largerMask ? kLarger : kSmaller][test] = Link(nNew);
        SetLeaf(nNew, test);
        break;
      }
      test = next;
    }
    v_matchPosition = bestPosition;
    return best;
  }

  // Eight bytes as one number whose order is that of the bytes compared one by one.
  static std::uint64_t LoadBigEndian(const std::uint8_t* p)
  {
    std::uint64_t v = 0;
    std::memcpy(&v, p, sizeof v);
    if constexpr (std::endian::native == std::endian::little)
      v = __builtin_bswap64(v);
    return v;
  }

  // For strings whose first eight bytes are equal: the index of the first byte in which they
  // differ (kLookAhead when they are equal) and whether the new one is the larger there.
  static int CompareTail(const std::uint8_t* a, const std::uint8_t* b, bool& bLarger)
  {
    int i = 8;
    for (; i + 8 <= F::kLookAhead; i += 8) {
      std::uint64_t x = LoadBigEndian(a + i), y = LoadBigEndian(b + i);
      if (x != y) {
        bLarger = x > y;
        return i + std::countl_zero(x ^ y) / 8;
      }
    }
    for (; i < F::kLookAhead; ++i) {
      if (a[i] != b[i]) {
        bLarger = a[i] > b[i];
        return i;
      }
    }
    return F::kLookAhead;
  }

  void DeleteString(int p)
  {
    if (p == kUnused || v_parent[p] == kUnused)
      return;
    if (v_child[kLarger][p] == kUnused) {
      ContractNode(p, v_child[kSmaller][p]);
    } else if (v_child[kSmaller][p] == kUnused) {
      ContractNode(p, v_child[kLarger][p]);
    } else {
      int replacement = FindPredecessor(p);
      DeleteString(replacement);
      ReplaceNode(p, replacement);
    }
  }

  // The node's only subtree (or nothing) takes its place.
  void ContractNode(int nOld, int nNew)
  {
    int parent = v_parent[nOld];
    if (nNew != kUnused)
      v_parent[nNew] = Link(parent);
    if (v_child[kLarger][parent] == nOld)
      v_child[kLarger][parent] = Link(nNew);
    else
      v_child[kSmaller][parent] = Link(nNew);
    v_parent[nOld] = kUnused;
  }

  void ReplaceNode(int nOld, int nNew)
  {
    int parent = v_parent[nOld];
    if (v_child[kSmaller][parent] == nOld)
      v_child[kSmaller][parent] = Link(nNew);
    else
      v_child[kLarger][parent] = Link(nNew);
    v_parent[nNew] = v_parent[nOld];
    v_child[kSmaller][nNew] = v_child[kSmaller][nOld];
    v_child[kLarger][nNew] = v_child[kLarger][nOld];
    if (v_child[kSmaller][nNew] != kUnused)
      v_parent[v_child[kSmaller][nNew]] = Link(nNew);
    if (v_child[kLarger][nNew] != kUnused)
      v_parent[v_child[kLarger][nNew]] = Link(nNew);
    v_parent[nOld] = kUnused;
  }

  // The largest node of the smaller subtree.
  int FindPredecessor(int p) const
  {
    int next = v_child[kSmaller][p];
    while (v_child[kLarger][next] != kUnused)
      next = v_child[kLarger][next];
    return next;
  }

  BitWriter v_bits;
  std::array<std::uint8_t, F::kWindowSize + F::kLookAhead> v_window{};
  // The match tree: one node per window position plus the root, as separate arrays of 16-bit
  // links, so that the walk loads a node's links and its string side by side from the cache.
  std::array<std::uint16_t, F::kWindowSize + 1> v_parent{};
  std::array<std::array<std::uint16_t, F::kWindowSize + 1>, 2> v_child{}; // [kSmaller], [kLarger]
  int v_current = 1;
  int v_lookAhead = 0;
  int v_matchLength = 0;
  int v_matchPosition = 0;
  int v_pendingConsume = 0; // bytes the last token still has to consume
  int v_initialFill = 0;
  bool v_started = false;
};

// Reads bits most significant first from the input stream, in blocks.
class BitReader
{
public:
  BitReader(CTStream& in, std::size_t nBlock) : v_in(in), v_block(nBlock) {}

  // Makes at least nBits available when the input has them; answers whether it has.
  bool Ensure(int nBits)
  {
    if (v_bits < nBits)
      Refill();
    return v_bits >= nBits;
  }
  // The next nBits (1..32) without taking them; bits past the input read as 0.
  std::uint32_t Peek(int nBits) const { return static_cast<std::uint32_t>(v_acc >> (64 - nBits)); }
  void Skip(int nBits)
  {
    v_acc <<= nBits;
    v_bits -= nBits;
  }
  // Whole bytes read from the input but not used (those behind the end token).
  std::size_t UnusedBytes() const { return (v_fill - v_pos) + static_cast<std::size_t>(v_bits / 8); }
  CTStream& Input() { return v_in; }

private:
  void Refill()
  {
    while (v_bits <= 56) {
      if (v_pos == v_fill && !FillBlock())
        return;
      v_acc |= static_cast<std::uint64_t>(v_block[v_pos++]) << (56 - v_bits);
      v_bits += 8;
    }
  }

  bool FillBlock()
  {
    if (v_inputEnded)
      return false;
    v_fill = v_in.Read(v_block.data(), v_block.size());
    v_pos = 0;
    v_inputEnded = v_fill == 0;
    return !v_inputEnded;
  }

  CTStream& v_in;
  std::vector<std::uint8_t> v_block;
  std::size_t v_pos = 0;
  std::size_t v_fill = 0;
  bool v_inputEnded = false;
  std::uint64_t v_acc = 0;
  int v_bits = 0;
};

template <class F>
class DecoderT final : public Decoder
{
public:
  DecoderT(CTStream& in) : v_bits(in, F::kIOBlock) {}

  std::size_t Read(std::uint8_t* p, std::size_t n) override
  {
    std::size_t k = 0;
    for (;;) {
      // A match that did not fit into the last read continues first.
      while (v_copyLeft > 0 && k < n) {
        Produce(p[k++], v_window[static_cast<std::size_t>(v_copyFrom)]);
        v_copyFrom = (v_copyFrom + 1) & F::kWindowMask;
        --v_copyLeft;
      }
      if (k == n || v_ended)
        return k;
      if (!v_bits.Ensure(1))
        Truncated();
      if (v_bits.Peek(1) != 0) {
        if (!v_bits.Ensure(F::kLiteralBits))
          Truncated();
        auto c = static_cast<std::uint8_t>(v_bits.Peek(F::kLiteralBits));
        v_bits.Skip(F::kLiteralBits);
        Produce(p[k++], c);
        continue;
      }
      if (!v_bits.Ensure(F::kEndBits))
        Truncated();
      int position = static_cast<int>(v_bits.Peek(F::kEndBits));
      if (position == F::kEndOfStream) {
        v_bits.Skip(F::kEndBits);
        End();
        return k;
      }
      if (!v_bits.Ensure(F::kMatchBits))
        Truncated();
      std::uint32_t length = v_bits.Peek(F::kMatchBits) & ((1u << F::kLengthBits) - 1);
      v_bits.Skip(F::kMatchBits);
      v_copyFrom = position;
      v_copyLeft = static_cast<int>(length) + F::kMinMatch;
    }
  }

private:
  void Produce(std::uint8_t& out, std::uint8_t c)
  {
    out = c;
    v_window[static_cast<std::size_t>(v_current)] = c;
    v_current = (v_current + 1) & F::kWindowMask;
  }

  // Puts the input back behind the end token, for a reader that goes on after the data.
  void End()
  {
    v_ended = true;
    if (std::size_t unused = v_bits.UnusedBytes(); unused > 0) {
      try {
        v_bits.Input().Seek(-static_cast<std::int64_t>(unused), CTSeekOrigin::Current);
      } catch (const CTStreamError&) {
        // The data is complete; only a reader going on after it could miss the bytes.
      }
    }
  }

  [[noreturn]] static void Truncated()
  {
    throw CTStreamError("The compressed data ends before its end token: the data is incomplete or damaged");
  }

  BitReader v_bits;
  std::array<std::uint8_t, F::kWindowSize> v_window{};
  int v_current = 1;
  int v_copyFrom = 0;
  int v_copyLeft = 0;
  bool v_ended = false;
};

} // namespace aw::lzss
