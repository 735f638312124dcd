// Bad input at the command line: damaged catalogues, option values that
// describe no air or no value, outputs that cannot be written. Each is
// refused with a non-zero exit code and one line on stderr that names the
// file and the place; none ends in exit 0 with a wrong result or a lost file.

#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

namespace aw {
namespace {

const std::string kSample = std::string(AW_TEST_DATA_DIR) + "/catalogue_sample.edi";
const std::string kEngineCatalogue = std::string(AW_TEST_DATA_DIR) + "/engine_catalogue.edi";

std::size_t LineCount(const std::string& text)
{
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

class BadInputTest : public ::testing::Test
{
protected:
  test::CliRun Cli(const std::string& args, const std::string& input = "")
  {
    return test::RunCli(v_dir.Path(), args, input);
  }
  std::string Path(const std::string& name) const { return (v_dir / name).string(); }
  std::string Quoted(const std::string& name) const { return test::Quoted(v_dir / name); }

  // The sample catalogue with its first `from` replaced by `to`.
  static std::string Damaged(const std::string& from, const std::string& to)
  {
    std::string text = test::ReadFileBytes(kSample);
    const std::size_t at = text.find(from);
    if (at == std::string::npos)
      ADD_FAILURE() << "the sample has no " << from;
    else
      text.replace(at, from.size(), to);
    return text;
  }

  test::TempDir v_dir;
};

// Every failure of a catalogue reaches the command line once: one line with
// the file's name and, where the text is at fault, its line and byte.
TEST_F(BadInputTest, ADamagedCatalogueIsRefusedInOneLineNamingTheFileAndThePlace)
{
  const std::string sample = test::ReadFileBytes(kSample);
  const struct
  {
    const char* what;
    std::string bytes;
    const char* command; // the catalogue file follows
    std::string says;    // after "airwright-cli: FILE"
  } cases[] = {
    {"empty", "", "select --catalogue", ": the file is empty"},
    {"truncated", sample.substr(0, sample.size() / 2), "select --catalogue", ": line 243, byte 4979: the data ends too early"},
    {"no catalogue, with terminal controls", "\x1b[2J\x07junk", "select --catalogue",
     ": line 1, byte 0: this is no catalogue: it begins with '\\x1B[2J\\x07jun', not EDI or Q7R"},
    {"object id 0", Damaged("\r\n2 1 2 2 2 144 2 2 10 13 Heat", "\r\n2 0 2 2 2 144 2 2 10 13 Heat"), "select --catalogue",
     ": line 294, byte 6363: an object of Tbl_Brisa without an id"},
    {"one changed byte in the units' table name", Damaged("5 9 Tbl_Brisa 144", "5 9 Tbl_Brisx 144"), "select --catalogue",
     ": the catalogue has no units (left out 1 table the program does not know"},
    {"another structure version", Damaged("10 4 14.3", "10 4 15.0"), "select --catalogue",
     ": Incorrect version of database 'Device_Database 1.4.3 <> 1.5.0'."},
    {"NaN airflow", Damaged("4 500 10 5  VAM ", "4 nan 10 5  VAM "), "catalogue check",
     ": line 294, byte 6330: field Brisa_MaxAirflow is not a finite number"},
    {"1e400 airflow", Damaged("4 500 10 5  VAM ", "4 1e400 10 5  VAM "), "catalogue check",
     ": line 294, byte 6332: field Brisa_MaxAirflow is not a finite number"},
    {"negative airflow", Damaged("4 500 10 5  VAM ", "4 -500 10 5  VAM "), "catalogue check",
     ": line 294, byte 6364: Tbl_Brisa id 1: the unit's airflow range 200 .. -500 m3/h is not a positive range"},
    {"invalid UTF-8", Damaged("10 6 BR-500", "10 6 BR\\FF0"), "catalogue check",
     ": line 294, byte 6281: the text of field Fld_Name is not UTF-8 from its byte 3 on"},
    {"reference into a missing table", Damaged("5 9 Tbl_Brisa 144", "5 9 Tbl_Brisx 144"), "catalogue check",
     ": line 288, byte 6010: Tbl_IndoorUnit id 1: field IND_Brisa_CLS_REF refers into table Tbl_Brisx"},
    {"reference to a missing object", Damaged("4 600 2 144 2 3 ", "4 600 2 144 2 9 "), "catalogue check",
     ": line 288, byte 6010: Tbl_IndoorUnit id 1: field IND_Brisa_CLS_REF refers to Tbl_Brisa id 9, which is not there"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::WriteFileBytes(Path("catalogue.edi"), c.bytes);
    std::string command = c.command;
    // select takes the catalogue as the global option before the command.
    if (command == "select --catalogue")
      command = "--catalogue " + Quoted("catalogue.edi") + " select";
    else
      command += " " + Quoted("catalogue.edi");
    const test::CliRun run = Cli(command);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.rfind("airwright-cli: " + Path("catalogue.edi") + c.says, 0), 0u) << run.err;
    EXPECT_EQ(LineCount(run.err), 1u) << run.err;
    EXPECT_EQ(run.err.find('\x1b'), std::string::npos) << "file bytes reach the terminal";
    EXPECT_TRUE(run.out.empty()) << run.out;
  }
}

// The normal load leaves out what it cannot use and says so; with units left
// it goes on.
TEST_F(BadInputTest, TheNormalLoadSaysWhichUnitItLeftOut)
{
  test::WriteFileBytes(Path("nan.edi"), Damaged("4 500 10 5  VAM ", "4 nan 10 5  VAM "));
  const test::CliRun info = Cli("--catalogue " + Quoted("nan.edi") + " catalogue info");
  EXPECT_EQ(info.exitCode, 0) << info.err;
  EXPECT_NE(info.err.find("warning: " + Path("nan.edi") + ": left out 0 tables the program does not know, 1 object "
                                                          "with unusable values"),
            std::string::npos)
    << info.err;
  EXPECT_NE(info.err.find("first: Tbl_Brisa id 1: field Brisa_MaxAirflow is not a finite number"), std::string::npos)
    << info.err;
}

TEST_F(BadInputTest, OptionValuesThatAreNoFiniteDecimalNumberAreRefused)
{
  const std::string select = "--catalogue " + test::Quoted(kEngineCatalogue) + " select ";
  const struct
  {
    std::string args;
    int exitCode;
    std::string says;
  } cases[] = {
    {"air --dbt 20 --rh nan", 105, "--rh: \"nan\" is no decimal number"},
    {"air --dbt 20 --rh 0x10", 105, "--rh: \"0x10\" is no decimal number"},
    {"air --altitude nan --dbt 20 --rh 50", 105, "--altitude: \"nan\" is no decimal number"},
    {"air --dbt inf --rh 50", 105, "--dbt: \"inf\" is no decimal number"},
    {"air --dbt 1e400 --rh 50", 105, "--dbt: \"1e400\" is no decimal number"},
    {select + "--heating-room 20,50,7", 1, "--heating-room: \"50,7\" is no relative humidity in % (the value is T,RH)"},
    {select + "--supply " + std::string(400, '9'), 1, "--supply: \"" + std::string(40, '9') + "...\" is no number"},
    {select + "--supply 1e400", 1, "--supply: unknown unit in \"1e400\" (known: l/s, m³/h, CFM)"},
    {select + "--supply '12 parsecs\x1b[0m'", 1, "--supply: unknown unit in \"12 parsecs\\x1B[0m\""},
    {select + "--pick 0", 1, "--pick 0: there are "},
    {"air --dbt 20 --rh 50 '--bogus\x1b[2J'", 109, "airwright-cli: The following argument was not expected: "
                                                   "--bogus\\x1B[2J (see --help)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.substr(0, 80));
    const test::CliRun run = Cli(c.args);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    EXPECT_EQ(LineCount(run.err), 1u) << run.err;
    EXPECT_EQ(run.err.find('\x1b'), std::string::npos) << "option bytes reach the terminal";
    EXPECT_TRUE(run.out.empty()) << run.out;
  }
}

// An input the window limits is limited the same way, and said once, never changed silently.
TEST_F(BadInputTest, AValueBeyondTheInputsRangeIsLimitedWithANotice)
{
  const std::string options = "--catalogue " + test::Quoted(kEngineCatalogue) + " ";
  const struct
  {
    const char* args;
    const char* says;
  } cases[] = {
    {"select --json --altitude -5000", "Altitude was held to its range: -5000 m asked for, -500 m used."},
    {"select --json --altitude 99999", "Altitude was held to its range: 99999 m asked for, 2000 m used."},
    {"select --json --supply -100", "Total supply was held to its range: -100 l/s asked for, 28 l/s used."},
    {"select --json --cooling-room 80,50",
     "Cooling: room dry bulb temperature was held to its range: 80.0 °C asked for, 32.0 °C used."},
    {"chart fan --json --altitude 99999", "Altitude was held to its range: 99999 m asked for, 2000 m used."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const test::CliRun run = Cli(options + c.args);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, std::string("notice: ") + c.says + "\n");
  }
  EXPECT_TRUE(Cli(options + "select --json --altitude 1000ft --supply 300cfm").err.empty())
    << "values in range say nothing";
}

TEST_F(BadInputTest, ABadCsvCellIsEchoedAtMostFortyCharacters)
{
  const test::CliRun run = Cli("air --csv", "0,25,40\n0,25," + std::string(100, 'x') + "\n");
  EXPECT_NE(run.exitCode, 0);
  EXPECT_NE(run.err.find(std::string(40, 'x')), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find(std::string(41, 'x')), std::string::npos) << run.err;
}

// A failed run leaves an existing OUT as it was, and writes nothing where it cannot.
TEST_F(BadInputTest, AFailedWriteKeepsTheExistingOutput)
{
  test::WriteFileBytes(Path("in.txt"), std::string(5000, 'a'));
  ASSERT_EQ(Cli("lzss compress " + Quoted("in.txt") + " " + Quoted("packed.bin")).exitCode, 0);
  const std::string packed = test::ReadFileBytes(Path("packed.bin"));
  test::WriteFileBytes(Path("cut.bin"), packed.substr(0, packed.size() - 1));
  test::WriteFileBytes(Path("cut.edi"), test::ReadFileBytes(kSample).substr(0, 3000));
  test::WriteFileBytes(Path("a-file"), "not a folder");

  const struct
  {
    std::string args;
    std::string says;
  } cases[] = {
    {"lzss expand " + Quoted("cut.bin") + " " + Quoted("precious.txt"), "ends before its end token"},
    {"catalogue convert " + Quoted("cut.edi") + " " + Quoted("precious.txt"), Path("cut.edi") + ": line "},
    {"lzss compress " + Quoted("in.txt") + " " + Quoted("a-file/out.bin"), "Unable to create file"},
    {"catalogue convert " + test::Quoted(kSample) + " " + Quoted("a-file/out.edi"),
     "cannot create the folder " + Path("a-file")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    test::WriteFileBytes(Path("precious.txt"), "precious\n");
    const test::CliRun run = Cli(c.args);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    EXPECT_EQ(LineCount(run.err), 1u) << run.err;
    EXPECT_EQ(test::ReadFileBytes(Path("precious.txt")), "precious\n");
    for (const auto& entry : std::filesystem::directory_iterator(v_dir.Path()))
      EXPECT_EQ(entry.path().filename().string().find("precious.txt."), std::string::npos)
        << "a temporary file stays behind: " << entry.path();
  }
}

} // namespace
} // namespace aw
