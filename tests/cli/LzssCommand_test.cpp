// Runs the built airwright-cli (path in AW_CLI) with its "lzss" subcommands.

#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace aw {
namespace {

class LzssCommandTest : public ::testing::Test
{
protected:
  using Run = test::CliRun;
  Run Cli(const std::string& args) { return test::RunCli(dir.Path(), args); }

  std::string Path(const std::string& name) const { return (dir / name).string(); }
  std::string Quoted(const std::string& name) const { return "'" + Path(name) + "'"; }

  test::TempDir dir;
};

std::string Text(std::size_t n)
{
  std::string s;
  for (int i = 0; s.size() < n; ++i)
    s += "2 " + std::to_string(i) + " 10 7 Brisa\\20" + std::to_string(i % 17) + "\r\n";
  return s.substr(0, n);
}

std::string RandomBytes(std::size_t n)
{
  std::mt19937 rng(1);
  std::string s(n, '\0');
  for (char& c : s)
    c = static_cast<char>(rng());
  return s;
}

TEST_F(LzssCommandTest, CompressesTheBareBitStream)
{
  test::WriteFileBytes(Path("a.txt"), "A");
  Run run = Cli("lzss compress " + Quoted("a.txt") + " " + Quoted("a.lzss"));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(test::ReadFileBytes(Path("a.lzss")), std::string("\xA0\x80\x00", 3));
  EXPECT_EQ(run.out, "compressed 1 bytes into 3 bytes\n");
}

TEST_F(LzssCommandTest, RoundTripsAnyFileWithEveryOptionSet)
{
  const std::vector<std::string> options = {"", "--small", "--signature Q7R", "--small --signature Q7R"};
  const std::vector<std::string> contents = {"", Text(70000), RandomBytes(20000)};
  for (const std::string& opt : options) {
    for (const std::string& content : contents) {
      SCOPED_TRACE(opt + " / " + std::to_string(content.size()));
      test::WriteFileBytes(Path("in.bin"), content);
      Run packed = Cli("lzss compress " + opt + " " + Quoted("in.bin") + " " + Quoted("packed.bin"));
      ASSERT_EQ(packed.exitCode, 0) << packed.err;
      if (opt.find("Q7R") != std::string::npos) {
        EXPECT_EQ(test::ReadFileBytes(Path("packed.bin")).substr(0, 3), "Q7R");
      }
      Run back = Cli("lzss expand " + opt + " " + Quoted("packed.bin") + " " + Quoted("back.bin"));
      ASSERT_EQ(back.exitCode, 0) << back.err;
      EXPECT_EQ(test::ReadFileBytes(Path("back.bin")), content);
    }
  }
}

TEST_F(LzssCommandTest, ExpandTakesInputWithoutTheSignatureAsPlainData)
{
  test::WriteFileBytes(Path("plain.edi"), "EDI100\r\n0\r\n");
  Run run = Cli("lzss expand --signature Q7R " + Quoted("plain.edi") + " " + Quoted("out.edi"));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(test::ReadFileBytes(Path("out.edi")), "EDI100\r\n0\r\n");
  EXPECT_EQ(run.out, "no signature: copied 11 bytes of plain data\n");
}

TEST_F(LzssCommandTest, FailuresGoToStderrAndLeaveNoOutput)
{
  test::WriteFileBytes(Path("in.txt"), Text(5000));
  ASSERT_EQ(Cli("lzss compress " + Quoted("in.txt") + " " + Quoted("packed.bin")).exitCode, 0);
  std::string packed = test::ReadFileBytes(Path("packed.bin"));
  test::WriteFileBytes(Path("cut.bin"), packed.substr(0, packed.size() - 1));

  struct Case
  {
    std::string args;
    std::string message;
  };
  const std::vector<Case> cases = {
    {"lzss expand " + Quoted("cut.bin") + " " + Quoted("out.bin"), "ends before its end token"},
    {"lzss expand " + Quoted("missing.bin") + " " + Quoted("out.bin"), "Unable to open file"},
    {"lzss compress " + Quoted("in.txt") + " " + Quoted("no/such/dir.bin"), "Unable to create file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    Run run = Cli(c.args);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(Path("out.bin")));
  }
}

} // namespace
} // namespace aw
