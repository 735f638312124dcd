#include "foundation/FileStream.h"
#include "foundation/StreamIO.h"

#include "platform/Resources.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

#include <sys/resource.h>

namespace aw {
namespace {

using Clock = std::chrono::steady_clock;

std::string Hex(std::string_view bytes)
{
  std::string s;
  for (unsigned char c : bytes) {
    s += "0123456789abcdef"[c >> 4];
    s += "0123456789abcdef"[c & 15];
  }
  return s;
}

std::string Pattern(std::size_t n)
{
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i)
    s[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return s;
}

long long MsSince(Clock::time_point start)
{
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// Every test that touches the process-wide pauses starts from the values at start-up.
class FileStreamTest : public testing::Test
{
protected:
  void SetUp() override { CTMyFileStream::SetMaxWaitInterval(1600); }
  void TearDown() override { CTMyFileStream::SetMaxWaitInterval(1600); }

  std::string File(const std::string& name, const std::string& content = "content")
  {
    std::string path = (dir / name).string();
    test::WriteFileBytes(path, content);
    return path;
  }

  test::TempDir dir;
};

// ---------------------------------------------------------------- CTStreamIO

TEST(StreamIO, DeliversEveryByteAcrossBuffersThenZeros)
{
  const std::string data = Pattern(2 * CTStreamIO::kBufferSize + 5);
  CTMemoryStream source(data);
  CTStreamIO io(source);
  std::string back;
  while (!io.Eof())
    back.push_back(static_cast<char>(io.ReadChar()));
  EXPECT_EQ(back, data);
  EXPECT_EQ(io.ReadChar(), 0);

  CTMemoryStream empty;
  CTStreamIO none(empty);
  EXPECT_TRUE(none.Eof());
  EXPECT_EQ(none.ReadChar(), 0);
  // Once a fill came back empty the reader stays at the end.
  empty.Write("late", 4);
  empty.Seek(0, CTSeekOrigin::Begin);
  EXPECT_TRUE(none.Eof());
}

// ---------------------------------------------------------------- CTLLByteIO

TEST(LLByteIO, WritesLittleEndianValuesAndReadsThemBack)
{
  CTMemoryStream stream;
  CTLLByteIO io(stream);
  io.PutAByte(0xAB);
  io.PutShortInt(-2);
  io.PutSmallInt(-300);
  io.PutWord(0xBEEF);
  io.PutInteger(-123456789);
  io.PutLongWord(0xDEADBEEF);
  io.PutInt64(-0x0102030405060708LL);
  io.PutSingle(1.5f);
  io.PutExtended(-2.25);
  io.PutDateTime(45000.5);
  io.PutCurrency(123456789);
  io.PutUnicodeStringAndLength(u"h\u00e9");
  io.PutStringAndLength("abc", false);
  EXPECT_EQ(Hex(stream.Text()), "ab"
                                "fe"
                                "d4fe"
                                "efbe"
                                "eb32a4f8"
                                "efbeadde"
                                "f8f8f9fafbfcfdfe"
                                "0000c03f"
                                "00000000000002c0"
                                "0000000010f9e540"
                                "15cd5b0700000000"
                                "020000006800e900"
                                "03616263");

  stream.Seek(0, CTSeekOrigin::Begin);
  std::int8_t i8 = 0;
  std::int16_t i16 = 0;
  std::uint16_t u16 = 0;
  std::int32_t i32 = 0;
  std::uint32_t u32 = 0;
  std::int64_t i64 = 0, currency = 0;
  float f = 0;
  double d = 0, dt = 0;
  std::u16string wide;
  std::string narrow;
  ASSERT_TRUE(io.GetShortInt(i8));
  EXPECT_EQ(static_cast<std::uint8_t>(i8), 0xAB);
  ASSERT_TRUE(io.GetShortInt(i8) && io.GetSmallInt(i16) && io.GetWord(u16) && io.GetInteger(i32) &&
              io.GetLongWord(u32) && io.GetInt64(i64) && io.GetSingle(f) && io.GetExtended(d) &&
              io.GetDateTime(dt) && io.GetCurrency(currency) && io.GetUnicodeString(wide) && io.GetString(narrow));
  EXPECT_EQ(i8, -2);
  EXPECT_EQ(i16, -300);
  EXPECT_EQ(u16, 0xBEEF);
  EXPECT_EQ(i32, -123456789);
  EXPECT_EQ(u32, 0xDEADBEEF);
  EXPECT_EQ(i64, -0x0102030405060708LL);
  EXPECT_EQ(f, 1.5f);
  EXPECT_EQ(d, -2.25);
  EXPECT_EQ(dt, 45000.5);
  EXPECT_EQ(currency, 123456789);
  EXPECT_EQ(wide, u"h\u00e9");
  EXPECT_EQ(narrow, "abc");
  EXPECT_FALSE(io.GetInteger(i32));
}

TEST(LLByteIO, ReadersAnswerFalseWhenTheDataEnds)
{
  struct Case
  {
    std::string bytes;
    std::function<bool(CTLLByteIO&)> read;
  };
  std::u16string wide;
  std::string narrow;
  std::int32_t i32 = 0;
  std::int64_t i64 = 0;
  double d = 0;
  const std::vector<Case> cases = {
    {"\x01\x02\x03", [&](CTLLByteIO& io) { return io.GetInteger(i32); }},
    {"1234567", [&](CTLLByteIO& io) { return io.GetInt64(i64); }},
    {"1234567", [&](CTLLByteIO& io) { return io.GetExtended(d); }},
    {"\x05" "abc", [&](CTLLByteIO& io) { return io.GetString(narrow); }},
    {std::string("\x05\0\0\0ab", 6), [&](CTLLByteIO& io) { return io.GetLongString(narrow); }},
    {"ab", [&](CTLLByteIO& io) { return io.GetStringOfLength(3, narrow); }},
    {std::string("\x02\0a\0", 4), [&](CTLLByteIO& io) { return io.GetStrippedUnicodeString(narrow); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Hex(c.bytes));
    CTMemoryStream stream(c.bytes);
    CTLLByteIO io(stream);
    EXPECT_FALSE(c.read(io));
  }
}

TEST(LLByteIO, UnicodeStringsCutAtTheEndOrRefusedWhenTooLong)
{
  // Three characters declared, two and a half present: cut to the two.
  CTMemoryStream cut(std::string("\x03\0\0\0a\0b\0c", 9));
  CTLLByteIO io(cut);
  std::u16string wide;
  EXPECT_FALSE(io.GetUnicodeString(wide));
  EXPECT_EQ(wide, u"ab");

  // A count above the limit is refused without reading what follows it.
  CTMemoryStream huge(std::string("\xff\xff\xff\x7f" "after", 9));
  CTLLByteIO big(huge);
  EXPECT_FALSE(big.GetUnicodeString(wide));
  std::string rest;
  EXPECT_TRUE(big.GetStringOfLength(5, rest));
  EXPECT_EQ(rest, "after");

  // A count just within the limit on short data fails at once, without reserving gigabytes.
  CTMemoryStream lying(std::string("\xfe\xff\xff\x3f" "ab", 6));
  CTLLByteIO liar(lying);
  EXPECT_FALSE(liar.GetUnicodeString(wide));
  EXPECT_EQ(wide, u"\x6261");
}

TEST(LLByteIO, StringLengthFormsAndTheLongStringRefusal)
{
  struct Case
  {
    std::size_t length;
    bool compact;
    std::string prefixHex; // empty: refused
  };
  const std::vector<Case> cases = {
    {255, false, "ff"}, {255, true, "ff"}, {300, true, "2c010000"}, {300, false, ""}, {0, true, "00"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    CTMemoryStream stream;
    CTLLByteIO io(stream);
    std::string text(c.length, 'x');
    if (c.prefixHex.empty()) {
      EXPECT_THROW(io.PutStringAndLength(text, c.compact), CTStreamError);
      EXPECT_EQ(stream.Size(), 0);
      continue;
    }
    io.PutStringAndLength(text, c.compact);
    EXPECT_EQ(Hex(stream.Text()), c.prefixHex + Hex(text));
  }
}

TEST(LLByteIO, PositioningAndWritesUseTheLogicalPosition)
{
  CTMemoryStream stream(Pattern(40000));
  CTLLByteIO io(stream);
  std::int32_t v = 0;
  ASSERT_TRUE(io.GetInteger(v));
  EXPECT_EQ(io.ExpFilePos(), 4);
  EXPECT_EQ(io.ExpFileSize(), 40000);

  ASSERT_TRUE(io.GetInteger(v)); // the buffer now holds bytes up to 16384
  char block[4];
  std::size_t got = 0;
  io.ExpBlockRead(block, sizeof block, got);
  EXPECT_EQ(got, 4u);
  EXPECT_EQ(std::string(block, 4), Pattern(12).substr(8));

  ASSERT_TRUE(io.GetInteger(v));
  io.PutWord(0x1234); // lands at 16, not behind the read-ahead
  EXPECT_EQ(Hex(stream.Text().substr(16, 2)), "3412");
  EXPECT_EQ(stream.Size(), 40000);

  io.ExpSeek(39998);
  std::uint16_t w = 0;
  EXPECT_TRUE(io.GetWord(w));
  EXPECT_FALSE(io.GetWord(w));
}

// ---------------------------------------------------------------- memory and resource streams

TEST(ResourceStream, ReadsACopyOfTheResource)
{
  platform::Resources::Replace("Stream_Test_Resource", {std::byte{'a'}, std::byte{'b'}, std::byte{'c'}});
  CTResourceStream stream("stream_test_resource");
  platform::Resources::Replace("Stream_Test_Resource", {std::byte{'z'}});
  CTMemoryStream out;
  out.CopyFrom(stream);
  EXPECT_EQ(out.Text(), "abc");
  EXPECT_EQ(stream.Write("x", 1), 0u);
  platform::Resources::RestoreEmbedded();

  EXPECT_GT(CTResourceStream("Device_Database").Size(), 0);
  EXPECT_THROW(CTResourceStream("No_Such_Resource"), CTStreamError);
}

// ---------------------------------------------------------------- file streams

TEST_F(FileStreamTest, ReadsWritesAndSeeksAcrossItsBuffer)
{
  const std::string data = Pattern(3 * CTBufferedFileStream::kBufferSize + 123);
  std::string path = (dir / "data.bin").string();
  {
    CTMyFileStream out(path, fmCreateExclusive);
    const std::size_t pieces[] = {1, 40000, 3, 32768, 100};
    for (std::size_t pos = 0, i = 0; pos < data.size(); ++i) {
      std::size_t n = std::min(pieces[i % std::size(pieces)], data.size() - pos);
      out.WriteBuffer(data.data() + pos, n);
      pos += n;
    }
    EXPECT_EQ(out.Size(), static_cast<std::int64_t>(data.size()));
    out.Close();
  }
  EXPECT_EQ(test::ReadFileBytes(path), data);

  CTMyFileStream in(path, {CTFileAccess::ReadWrite, CTFileShare::Exclusive});
  std::string head(10, '\0');
  in.ReadBuffer(head.data(), head.size());
  EXPECT_EQ(head, data.substr(0, 10));
  EXPECT_EQ(in.Position(), 10);
  in.Write("XY", 2); // after a buffered read, written at the logical position
  EXPECT_EQ(in.Seek(-4, CTSeekOrigin::Current), 8);
  std::string around(4, '\0');
  in.ReadBuffer(around.data(), 4);
  EXPECT_EQ(around, data.substr(8, 2) + "XY");
  EXPECT_EQ(in.Seek(-5, CTSeekOrigin::End), static_cast<std::int64_t>(data.size() - 5));
  std::string tail(100, '\0');
  EXPECT_EQ(in.Read(tail.data(), tail.size()), 5u);
  EXPECT_EQ(tail.substr(0, 5), data.substr(data.size() - 5));
}

TEST_F(FileStreamTest, SharingModesKeepWritersAndExclusiveHoldersApart)
{
  std::string path = File("shared.txt", "keep me");
  auto opens = [&](CTFileMode mode) {
    try {
      CTBufferedFileStream s(path, mode);
      return true;
    } catch (const CTFileOpenError&) {
      return false;
    }
  };
  {
    CTBufferedFileStream reader(path, fmReadDenyWrite);
    EXPECT_TRUE(opens(fmReadDenyWrite));
    EXPECT_FALSE(opens(fmCreateExclusive));
    EXPECT_FALSE(opens({CTFileAccess::Write, CTFileShare::DenyWrite}));
  }
  {
    CTBufferedFileStream holder(path, {CTFileAccess::ReadWrite, CTFileShare::Exclusive});
    EXPECT_FALSE(opens(fmReadDenyWrite));
    EXPECT_TRUE(opens({CTFileAccess::Read, CTFileShare::DenyNone}));
  }
  // The refused creation did not empty the file it could not have.
  EXPECT_EQ(test::ReadFileBytes(path), "keep me");
  EXPECT_TRUE(opens(fmCreateExclusive));
  EXPECT_EQ(test::ReadFileBytes(path), "");
}

TEST_F(FileStreamTest, OpeningWaitsForABriefHolderAndKeepsTheLongerPause)
{
  std::string path = File("busy.txt");
  auto holder = std::make_unique<CTBufferedFileStream>(path, fmCreateExclusive);
  std::thread release([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    holder.reset();
  });
  auto start = Clock::now();
  EXPECT_NO_THROW(CTMyFileStream(path, fmReadDenyWrite));
  long long elapsed = MsSince(start);
  release.join();
  // Third attempt, after pauses of 100 and 200 ms.
  EXPECT_GE(elapsed, 290);
  EXPECT_LT(elapsed, 690);
  EXPECT_EQ(CTMyFileStream::InitialWaitInterval(), 400);
}

TEST_F(FileStreamTest, AFileHeldForEverFailsAfterTheLastAttempt)
{
  std::string path = File("held.txt");
  CTBufferedFileStream holder(path, fmCreateExclusive);
  auto start = Clock::now();
  try {
    CTMyFileStream s(path, fmReadDenyWrite);
    ADD_FAILURE() << "opened a file held exclusively";
  } catch (const CTFileOpenError& e) {
    EXPECT_EQ(e.FileName(), path);
    EXPECT_NE(std::string(e.what()).find("Unable to open file"), std::string::npos);
  }
  long long elapsed = MsSince(start);
  // Five attempts with pauses of 100, 200, 400 and 800 ms.
  EXPECT_GE(elapsed, 1480);
  EXPECT_LT(elapsed, 2500);
  EXPECT_EQ(CTMyFileStream::InitialWaitInterval(), 100);
}

TEST_F(FileStreamTest, MissingFileFailsAtOnce)
{
  auto start = Clock::now();
  EXPECT_THROW(CTMyFileStream((dir / "missing.txt").string(), fmReadDenyWrite), CTFileOpenError);
  EXPECT_THROW(CTMyFileStream((dir / "no" / "dir.txt").string(), fmCreateExclusive), CTFileOpenError);
  EXPECT_LT(MsSince(start), 90);
}

TEST_F(FileStreamTest, MaxWaitIntervalIsClampedAndSetsTheInitialPause)
{
  struct Case
  {
    int requested, maxPause, initialPause;
  };
  for (Case c : {Case{50, 100, 6}, Case{10000, 6400, 400}, Case{1600, 1600, 100}, Case{800, 800, 50}}) {
    int previous = CTMyFileStream::MaxWaitInterval();
    EXPECT_EQ(CTMyFileStream::SetMaxWaitInterval(c.requested), previous);
    EXPECT_EQ(CTMyFileStream::MaxWaitInterval(), c.maxPause);
    EXPECT_EQ(CTMyFileStream::InitialWaitInterval(), c.initialPause);
  }
}

TEST_F(FileStreamTest, AFailedWriteIsAnError)
{
  CTBufferedFileStream full("/dev/full", {CTFileAccess::Write, CTFileShare::DenyNone});
  const std::string data = Pattern(100);
  full.WriteBuffer(data.data(), data.size()); // buffered so far
  EXPECT_THROW(full.Close(), CTStreamError);

  CTBufferedFileStream direct("/dev/full", {CTFileAccess::Write, CTFileShare::DenyNone});
  const std::string big = Pattern(100000);
  EXPECT_THROW(direct.Write(big.data(), big.size()), CTStreamError);
}

// ---------------------------------------------------------------- CopyFile

class CopyFileTest : public FileStreamTest
{
protected:
  void SetUp() override
  {
    FileStreamTest::SetUp();
    SetStreamMessageHandler([this](int n, const std::string& arg) { messages.push_back(std::to_string(n) + " " + arg); });
  }
  void TearDown() override
  {
    SetStreamMessageHandler({});
    FileStreamTest::TearDown();
  }

  std::vector<std::string> messages;
};

TEST_F(CopyFileTest, CopiesAllBytes)
{
  const std::string data = Pattern(100000);
  std::string source = File("source.bin", data), target = (dir / "target.bin").string();
  EXPECT_TRUE(CTLLByteIO::CopyFile(source, target, true));
  EXPECT_EQ(test::ReadFileBytes(target), data);
  EXPECT_TRUE(messages.empty());
}

TEST_F(CopyFileTest, FailuresNameTheFileInTheirMessage)
{
  std::string source = File("source.txt"), missing = (dir / "missing.txt").string();
  std::string target = (dir / "target.txt").string();
  EXPECT_FALSE(CTLLByteIO::CopyFile(missing, target, true));
  EXPECT_FALSE(CTLLByteIO::CopyFile(missing, target, false));
  EXPECT_FALSE(CTLLByteIO::CopyFile(source, (dir / "no" / "target.txt").string(), true));

  CTMyFileStream::SetMaxWaitInterval(100);
  std::string held = File("held.txt", "held");
  CTBufferedFileStream holder(held, fmReadDenyWrite);
  EXPECT_FALSE(CTLLByteIO::CopyFile(source, held, true));
  EXPECT_EQ(test::ReadFileBytes(held), "held");

  EXPECT_EQ(messages, (std::vector<std::string>{"-2 " + missing, "-3 " + (dir / "no" / "target.txt").string(),
                                                "-3 " + held}));
}

TEST_F(CopyFileTest, ACopyThatCannotBeWrittenLeavesNoTarget)
{
  std::string source = File("source.bin", Pattern(300000)), target = (dir / "target.bin").string();
  // Files of this process may not grow beyond 64 KB for the duration of the copy.
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 65536;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  bool copied = CTLLByteIO::CopyFile(source, target, true);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(copied);
  EXPECT_FALSE(std::filesystem::exists(target));
  EXPECT_EQ(messages, (std::vector<std::string>{"-3 " + target}));
}

} // namespace
} // namespace aw
