#include "foundation/LZSS.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <vector>

namespace aw {
namespace {

std::string Compress(std::string_view data, CTLZSSVariant variant = CTLZSSVariant::Standard)
{
  CTMemoryStream in(data), out;
  if (variant == CTLZSSVariant::Standard)
    CTLZSSLogic::Compress(in, out);
  else
    CTLZSSSmallPhraseLogic::Compress(in, out);
  return out.Text();
}

std::string Expand(std::string_view data, CTLZSSVariant variant = CTLZSSVariant::Standard)
{
  CTMemoryStream in(data), out;
  if (variant == CTLZSSVariant::Standard)
    CTLZSSLogic::Expand(in, out);
  else
    CTLZSSSmallPhraseLogic::Expand(in, out);
  return out.Text();
}

std::string Hex(std::string_view bytes)
{
  std::ostringstream s;
  for (unsigned char c : bytes)
    s << "0123456789abcdef"[c >> 4] << "0123456789abcdef"[c & 15];
  return s.str();
}

enum class DataKind
{
  Text,
  Zeros,
  Random
};

// Lines shaped like a database file: repeated table names, numbers and escaped strings.
std::string MakeData(DataKind kind, std::size_t nSize, unsigned nSeed = 7)
{
  std::mt19937 rng(nSeed);
  std::string s;
  if (kind == DataKind::Zeros)
    return std::string(nSize, '\0');
  if (kind == DataKind::Random) {
    s.resize(nSize);
    for (char& c : s)
      c = static_cast<char>(rng() & 0xFF);
    return s;
  }
  while (s.size() < nSize) {
    s += "2 " + std::to_string(rng() % 5000) + " 2 " + std::to_string(rng() % 40) + " 4 " +
         std::to_string(rng() % 100000) + ".25 10 14 Brisa\\20" + std::to_string(rng() % 900) + "\\0D\r\n";
  }
  s.resize(nSize);
  return s;
}

// The encoder written as the classic pull loop over the input, with modulo indexing: the
// library's incremental coder must produce the same bytes for any input.
std::string ReferenceCompress(std::string_view in, int nPositionBits, int nLengthBits)
{
  const int window = 1 << nPositionBits, mask = window - 1, lookAheadSize = (1 << nLengthBits) + 1, root = window;
  std::vector<unsigned char> win(static_cast<std::size_t>(window), 0);
  std::vector<std::array<int, 3>> tree(static_cast<std::size_t>(window) + 1, {0, 0, 0}); // parent, smaller, larger
  std::string out;
  int rack = 0, bitMask = 128;
  auto putBits = [&](unsigned value, int count) {
    for (unsigned m = 1u << (count - 1); m != 0; m >>= 1) {
      if (value & m)
        rack |= bitMask;
      if ((bitMask >>= 1) == 0) {
        out.push_back(static_cast<char>(rack));
        rack = 0;
        bitMask = 128;
      }
    }
  };
  std::size_t next = 0;
  auto getc = [&]() { return next < in.size() ? static_cast<unsigned char>(in[next++]) : -1; };
  auto replace = [&](int o, int n) {
    int p = tree[o][0];
    (tree[p][1] == o ? tree[p][1] : tree[p][2]) = n;
    tree[n] = tree[o];
    if (tree[n][1])
      tree[tree[n][1]][0] = n;
    if (tree[n][2])
      tree[tree[n][2]][0] = n;
    tree[o][0] = 0;
  };
  auto contract = [&](int o, int n) {
    int p = tree[o][0];
    if (n)
      tree[n][0] = p;
    (tree[p][2] == o ? tree[p][2] : tree[p][1]) = n;
    tree[o][0] = 0;
  };
  std::function<void(int)> del = [&](int p) {
    if (p == 0 || tree[p][0] == 0)
      return;
    if (!tree[p][2])
      contract(p, tree[p][1]);
    else if (!tree[p][1])
      contract(p, tree[p][2]);
    else {
      int r = tree[p][1];
      while (tree[r][2])
        r = tree[r][2];
      del(r);
      replace(p, r);
    }
  };
  int matchPos = 0;
  auto add = [&](int n) {
    if (n == 0)
      return 0;
    int t = tree[root][2], best = 0;
    for (;;) {
      int i = 0, d = 0;
      for (; i < lookAheadSize; ++i)
        if ((d = win[(n + i) & mask] - win[(t + i) & mask]) != 0)
          break;
      if (i >= best) {
        best = i;
        matchPos = t;
        if (best >= lookAheadSize) {
          replace(t, n);
          return best;
        }
      }
      int& child = d >= 0 ? tree[t][2] : tree[t][1];
      if (!child) {
        child = n;
        tree[n] = {t, 0, 0};
        return best;
      }
      t = child;
    }
  };
  int cur = 1, ahead = 0;
  for (int c; ahead < lookAheadSize && (c = getc()) >= 0; ++ahead)
    win[static_cast<std::size_t>(cur + ahead)] = static_cast<unsigned char>(c);
  tree[root][2] = 1;
  tree[1] = {root, 0, 0};
  int len = 0;
  while (ahead > 0) {
    len = std::min(len, ahead);
    int count = 1;
    if (len <= 1)
      putBits(0x100u | win[static_cast<std::size_t>(cur)], 9);
    else {
      putBits((static_cast<unsigned>(matchPos) << nLengthBits) | static_cast<unsigned>(len - 2),
              1 + nPositionBits + nLengthBits);
      count = len;
    }
    for (int i = 0; i < count; ++i) {
      int slot = (cur + lookAheadSize) & mask;
      del(slot);
      int c = getc();
      if (c < 0)
        --ahead;
      else
        win[static_cast<std::size_t>(slot)] = static_cast<unsigned char>(c);
      cur = (cur + 1) & mask;
      if (ahead)
        len = add(cur);
    }
  }
  putBits(0, 1 + nPositionBits);
  if (bitMask != 128)
    out.push_back(static_cast<char>(rack));
  return out;
}

// A sink that takes nLimit bytes and then refuses.
class RefusingStream : public CTMemoryStream
{
public:
  explicit RefusingStream(std::size_t nLimit) : v_left(nLimit) {}
  std::size_t Write(const void* p, std::size_t n) override
  {
    std::size_t taken = std::min(n, v_left);
    v_left -= taken;
    return CTMemoryStream::Write(p, taken);
  }

private:
  std::size_t v_left;
};

// A source that cannot seek, as a pipe.
class UnseekableStream : public CTMemoryStream
{
public:
  using CTMemoryStream::CTMemoryStream;
  std::int64_t Seek(std::int64_t, CTSeekOrigin) override { return -1; }
};

TEST(LZSSFormat, KnownVectorsCompressToTheirBytesAndExpandBack)
{
  struct Case
  {
    CTLZSSVariant variant;
    std::string input;
    std::string hex;
  };
  const std::vector<Case> cases = {
    {CTLZSSVariant::Standard, "", "0000"},
    {CTLZSSVariant::Standard, "A", "a08000"},
    // literal A; matches (1,17) (18,17) (35,17) (52,17) (69,17) overlapping their output; (86,14); end
    {CTLZSSVariant::Standard, std::string(100, 'A'), "a08007c025e023f01a78117c0ad80000"},
    {CTLZSSVariant::SmallPhrase, "", "0000"},
    {CTLZSSVariant::SmallPhrase, "A", "a08000"},
    // literal A; eleven matches of 9 bytes at positions 1, 10, ..., 91; end
    {CTLZSSVariant::SmallPhrase, std::string(100, 'A'), "a08003c00ae009f0073804bc02ee01bf01038093c052e02df00000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input.size());
    std::string packed = Compress(c.input, c.variant);
    EXPECT_EQ(Hex(packed), c.hex);
    EXPECT_EQ(Expand(packed, c.variant), c.input);
  }
}

class LZSSRoundTrip : public testing::TestWithParam<std::tuple<CTLZSSVariant, DataKind>>
{
};

TEST_P(LZSSRoundTrip, EveryPathGivesTheReferenceBytesAndTheDataBack)
{
  auto [variant, kind] = GetParam();
  const bool small = variant == CTLZSSVariant::SmallPhrase;
  for (std::size_t size : {0, 1, 16, 17, 18, 4095, 4096, 4097, 8191, 8192, 8193, 16383, 16384, 16385, 70000}) {
    SCOPED_TRACE(size);
    std::string data = MakeData(kind, size);
    std::string packed = Compress(data, variant);
    ASSERT_EQ(packed, ReferenceCompress(data, small ? 13 : 12, small ? 3 : 4));
    ASSERT_EQ(Expand(packed, variant), data);
    if (kind != DataKind::Random && size >= 4096) {
      EXPECT_LT(packed.size(), size / 2);
    }

    // The streams in uneven pieces across their block boundaries give the same bytes.
    CTMemoryStream streamed;
    {
      CTLZSSCompressorStream compressor(streamed, variant);
      const std::size_t pieces[] = {1, 7, 16384, 16385, 4096, 3};
      for (std::size_t pos = 0, i = 0; pos < data.size(); ++i) {
        std::size_t n = std::min(pieces[i % std::size(pieces)], data.size() - pos);
        ASSERT_EQ(compressor.Write(data.data() + pos, n), n);
        pos += n;
      }
      compressor.Finish();
      EXPECT_TRUE(compressor.Success());
    }
    ASSERT_EQ(streamed.Text(), packed);

    CTMemoryStream in(packed);
    CTLZSSExpanderStream expander(in, variant);
    std::string back;
    const std::size_t reads[] = {1, 13, 16384, 100000, 17};
    for (std::size_t i = 0;; ++i) {
      std::string piece(reads[i % std::size(reads)], '\0');
      std::size_t n = expander.Read(piece.data(), piece.size());
      back.append(piece, 0, n);
      if (n < piece.size())
        break;
    }
    EXPECT_EQ(back, data);
    EXPECT_EQ(expander.Read(back.data(), 1), 0u);
  }
}

INSTANTIATE_TEST_SUITE_P(VariantsAndData, LZSSRoundTrip,
                         testing::Combine(testing::Values(CTLZSSVariant::Standard, CTLZSSVariant::SmallPhrase),
                                          testing::Values(DataKind::Text, DataKind::Zeros, DataKind::Random)));

TEST(LZSSExpand, DataEndingBeforeItsEndTokenIsAnErrorNotShortData)
{
  for (CTLZSSVariant variant : {CTLZSSVariant::Standard, CTLZSSVariant::SmallPhrase}) {
    std::string packed = Compress(MakeData(DataKind::Text, 5000), variant);
    for (std::size_t cut : {std::size_t{0}, std::size_t{1}, packed.size() / 2, packed.size() - 2, packed.size() - 1}) {
      SCOPED_TRACE(cut);
      EXPECT_THROW(Expand(packed.substr(0, cut), variant), CTStreamError);
    }
    std::string tiny = Compress("hello hello hello", variant);
    for (std::size_t cut = 0; cut < tiny.size(); ++cut)
      EXPECT_THROW(Expand(tiny.substr(0, cut), variant), CTStreamError) << cut;
  }
}

TEST(LZSSExpand, TruncatedStreamFailsTheReaderAndStaysFailed)
{
  std::string packed = Compress(MakeData(DataKind::Text, 40000));
  CTMemoryStream in(packed.substr(0, packed.size() - 3));
  CTLZSSExpanderStream expander(in);
  std::string buffer(100000, '\0');
  EXPECT_THROW(expander.Read(buffer.data(), buffer.size()), CTStreamError);
  EXPECT_FALSE(expander.Success());
  EXPECT_THROW(expander.Read(buffer.data(), 1), CTStreamError);
}

TEST(LZSSExpand, GarbageEitherExpandsOrFailsCleanly)
{
  std::mt19937 rng(3);
  for (int round = 0; round < 200; ++round) {
    std::string garbage = MakeData(DataKind::Random, 1 + rng() % 3000, static_cast<unsigned>(round));
    try {
      Expand(garbage, round % 2 ? CTLZSSVariant::SmallPhrase : CTLZSSVariant::Standard);
    } catch (const CTStreamError&) {
    }
  }
  // All literals, never an end token.
  EXPECT_THROW(Expand(std::string(100, '\xFF')), CTStreamError);
}

TEST(LZSSExpand, InputIsLeftJustBehindTheEndToken)
{
  std::string first = Compress("first part"), second = Compress(MakeData(DataKind::Text, 30000));
  CTMemoryStream in(first + second + "tail");
  std::string out(100, '\0');
  {
    CTLZSSExpanderStream expander(in);
    out.resize(expander.Read(out.data(), out.size()));
  }
  EXPECT_EQ(out, "first part");
  EXPECT_EQ(in.Position(), static_cast<std::int64_t>(first.size()));
  CTMemoryStream rest;
  CTLZSSLogic::Expand(in, rest);
  EXPECT_EQ(rest.Text(), MakeData(DataKind::Text, 30000));
  EXPECT_EQ(in.Position(), static_cast<std::int64_t>(first.size() + second.size()));
}

TEST(LZSSCompress, RefusedOutputIsAnError)
{
  std::string data = MakeData(DataKind::Random, 100000);
  {
    RefusingStream sink(1000);
    CTLZSSCompressorStream compressor(sink);
    EXPECT_THROW(compressor.Write(data.data(), data.size()), CTStreamError);
    EXPECT_FALSE(compressor.Success());
    EXPECT_THROW(compressor.Write(data.data(), 1), CTStreamError);
  }
  {
    // Everything fits in the coder's block until Finish writes it.
    RefusingStream sink(2);
    CTLZSSCompressorStream compressor(sink);
    compressor.Write("some text", 9);
    EXPECT_THROW(compressor.Finish(), CTStreamError);
    EXPECT_FALSE(compressor.Success());
  }
  RefusingStream sink(10);
  CTMemoryStream in(data);
  EXPECT_THROW(CTLZSSLogic::Compress(in, sink), CTStreamError);
}

TEST(LZSSCompress, SignatureGoesPlainBeforeTheStream)
{
  CTMemoryStream out;
  {
    CTLZSSCompressorStream compressor(out, "Q7R");
    compressor.Write("A", 1);
  } // the destructor finishes the data
  EXPECT_EQ(Hex(out.Text()), Hex("Q7R") + "a08000");
}

TEST(LZSSAutoExpand, SignatureDecidesBetweenExpandedAndPlain)
{
  const std::string text = MakeData(DataKind::Text, 20000);
  const std::string packed = Compress(text);
  struct Case
  {
    std::string signature;
    std::string source;
    bool compressed;
    std::string expected;
  };
  const std::vector<Case> cases = {
    {"Q7R", "Q7R" + packed, true, text},
    {"Q7R", "EDI100\r\n0\r\n", false, "EDI100\r\n0\r\n"},
    {"Q7R", "Q7", false, "Q7"},
    {"Q7R", "Q7X" + packed, false, "Q7X" + packed},
    {"Q7R", "", false, ""},
    {"", packed, true, text},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source.substr(0, 8));
    for (bool seekable : {true, false}) {
      std::unique_ptr<CTMemoryStream> source = seekable ? std::make_unique<CTMemoryStream>(c.source)
                                                        : std::make_unique<UnseekableStream>(c.source);
      CTLZSSAutoExpandStream reader(*source, c.signature);
      EXPECT_EQ(reader.IsCompressed(), c.compressed);
      CTMemoryStream out;
      out.CopyFrom(reader);
      EXPECT_EQ(out.Text(), c.expected);
    }
  }
  CTMemoryStream broken("Q7R" + packed.substr(0, 100));
  CTLZSSAutoExpandStream reader(broken, "Q7R");
  CTMemoryStream out;
  EXPECT_THROW(out.CopyFrom(reader), CTStreamError);
  EXPECT_FALSE(reader.Success());
}

TEST(LZSSAutoExpand, FeedsTheByteReaderAcrossItsBuffers)
{
  const std::string text = MakeData(DataKind::Text, 50000);
  CTMemoryStream source("Q7R" + Compress(text));
  CTLZSSAutoExpandStream expanded(source, "Q7R");
  CTStreamIO io(expanded);
  std::string back;
  while (!io.Eof())
    back.push_back(static_cast<char>(io.ReadChar()));
  EXPECT_EQ(back, text);
}

} // namespace
} // namespace aw
