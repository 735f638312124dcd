// airwright-cli materials on the embedded catalogue: the list holds the unit
// and the used options that select reports, as spreadsheet cells.

#include "foundation/ExcelXML2003.h"
#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <vector>

namespace aw {
namespace {

struct Cell
{
  std::string szType, szText;
};
using Rows = std::vector<std::vector<Cell>>;

// The cells of every row of a written worksheet.
Rows ReadRows(const std::string& xml)
{
  Rows rows;
  for (std::size_t row = xml.find("<Row>"); row != std::string::npos; row = xml.find("<Row>", row + 1)) {
    rows.emplace_back();
    const std::size_t rowEnd = xml.find("</Row>", row);
    for (std::size_t data = xml.find("<Data ss:Type=\"", row); data < rowEnd; data = xml.find("<Data ss:Type=\"", data + 1)) {
      const std::size_t typeEnd = xml.find('"', data + 15);
      const std::size_t textEnd = xml.find("</Data>", typeEnd);
      rows.back().push_back({xml.substr(data + 15, typeEnd - data - 15),
                             CTExcelXML2003::ReplaceCharacterRefs(xml.substr(typeEnd + 2, textEnd - typeEnd - 2))});
    }
  }
  return rows;
}

class MaterialsCommandTest : public ::testing::Test
{
protected:
  test::CliRun Cli(const std::string& args) { return test::RunCli(dir.Path(), args); }
  test::TempDir dir;
};

TEST_F(MaterialsCommandTest, ListsTheUnitAndTheUsedOptionsThatSelectReports)
{
  const std::string unit = "--supply-filter F7 --exhaust-filter F7";
  const test::CliRun select = Cli("select --json " + unit);
  ASSERT_EQ(select.exitCode, 0) << select.err;
  const nlohmann::json picked = nlohmann::json::parse(select.out)["picked"];
  ASSERT_GE(picked["usedOptions"].size(), 2u); // the filters and the standard remote control

  const test::CliRun run = Cli("materials " + unit + " --section-header 'Vent & <Co>' --out " + test::Quoted(dir / "list.xml"));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const Rows rows = ReadRows(test::ReadFileBytes(dir / "list.xml"));
  ASSERT_EQ(rows.size(), 3 + picked["usedOptions"].size());
  for (const std::vector<Cell>& row : rows)
    ASSERT_EQ(row.size(), 3u);
  EXPECT_EQ(rows[0][0].szText + "|" + rows[0][1].szText + "|" + rows[0][2].szText, "Model|Qty|Description");
  EXPECT_EQ(rows[1][0].szText + "|" + rows[1][1].szText + "|" + rows[1][2].szText, "Vent & <Co>|1|All");
  EXPECT_EQ(rows[1][1].szType, "String");
  EXPECT_TRUE(picked["name"].get<std::string>().starts_with(rows[2][0].szText + ",")) << rows[2][0].szText;
  EXPECT_EQ(rows[2][1].szType + " " + rows[2][1].szText, "Number 1");
  EXPECT_TRUE(rows[2][2].szText.starts_with(rows[2][0].szText)) << rows[2][2].szText;
  for (std::size_t i = 0; i < picked["usedOptions"].size(); ++i) {
    const nlohmann::json& option = picked["usedOptions"][i];
    const std::vector<Cell>& row = rows[3 + i];
    EXPECT_EQ(row[0].szText, option["name"].get<std::string>());
    EXPECT_EQ(row[1].szType + " " + row[1].szText, "Number " + std::to_string(option["quantity"].get<int>()));
    EXPECT_FALSE(row[2].szText.empty()) << row[0].szText;
  }

  // An empty header text leaves the header row out.
  ASSERT_EQ(Cli("materials " + unit + " --section-header '' --out " + test::Quoted(dir / "plain.xml")).exitCode, 0);
  const Rows plain = ReadRows(test::ReadFileBytes(dir / "plain.xml"));
  ASSERT_EQ(plain.size(), rows.size() - 1);
  EXPECT_EQ(plain[1][0].szText, rows[2][0].szText);
}

TEST_F(MaterialsCommandTest, RefusesOtherFilesAndWritesNothingWithoutAUnit)
{
  const test::CliRun odd = Cli("materials --out " + test::Quoted(dir / "list.csv"));
  EXPECT_EQ(odd.exitCode, 1);
  EXPECT_NE(odd.err.find("must end in .xml"), std::string::npos) << odd.err;

  const test::CliRun none = Cli("materials --family dorsa --esp-supply 5000 --out " + test::Quoted(dir / "none.xml"));
  EXPECT_EQ(none.exitCode, 2);
  EXPECT_NE(none.err.find("no unit is selected"), std::string::npos) << none.err;
  EXPECT_FALSE(std::filesystem::exists(dir / "none.xml"));

  // A folder in the way: message -3 names the file, the folder stays.
  std::filesystem::create_directories(dir / "taken.xml" / "inside");
  const test::CliRun taken = Cli("materials --out " + test::Quoted(dir / "taken.xml"));
  EXPECT_EQ(taken.exitCode, 1);
  EXPECT_NE(taken.err.find("Unable to create file " + (dir / "taken.xml").string()), std::string::npos) << taken.err;
  EXPECT_TRUE(std::filesystem::is_directory(dir / "taken.xml" / "inside"));
}

} // namespace
} // namespace aw
