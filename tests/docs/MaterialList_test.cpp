#include "docs/MaterialList.h"

#include "docs/XMLMatListSettings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>

namespace aw::docs {
namespace {

const std::vector<CTMaterialListItem> kItems = {
  {"Brisa 500", 1, "Brisa 500 [KVB-500]"},
  {"KRC-10", 1, "Wired remote controller & weekly timer"},
  {"KFS-F7-500", 2, "F7 filter set \"Brisa 500\" <\u00e9\u0142>"},
};

std::string Workbook(const std::vector<CTMaterialListItem>& items, std::string_view szHeader)
{
  CTDocTable table;
  FillMaterialListTable(table, items, szHeader);
  return MaterialListWorkbook(table);
}

TEST(MaterialList, MatchesTheGoldenWorkbook)
{
  const std::string xml = Workbook(kItems, "_.SECTION");
  const std::filesystem::path golden = std::filesystem::path(AW_TEST_DATA_DIR) / "material_list.xml";
  if (std::getenv("AW_UPDATE_GOLDEN"))
    test::WriteFileBytes(golden, xml);
  EXPECT_EQ(xml, test::ReadFileBytes(golden));
}

TEST(MaterialList, TheHeaderRowComesOnlyWithAText)
{
  CTDocTable table;
  FillMaterialListTable(table, kItems, "");
  ASSERT_EQ(table.NbRows(), 4);
  EXPECT_EQ(table.GetText(0, 1), "Brisa 500");
  EXPECT_EQ(table.GetHorAlign(1, 0), HorAlign::Left);
  for (int r = 1; r < 4; ++r)
    EXPECT_EQ(table.GetHorAlign(1, r), HorAlign::Right) << r;

  CTXMLMatListSettings settings;
  EXPECT_EQ(settings.SectionHeader(), "_.SECTION");
  settings.szSectionHeader = "  \t ";
  EXPECT_EQ(settings.SectionHeader(), "");
  settings.szSectionHeader = " Ventilation ";
  EXPECT_EQ(settings.SectionHeader(), "Ventilation");
  settings.bUseSectionHeader = false;
  EXPECT_EQ(settings.SectionHeader(), "");
}

// Writes beyond a small size fail with EFBIG while the object lives.
class ScopedFileSizeLimit
{
public:
  explicit ScopedFileSizeLimit(rlim_t nBytes)
  {
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &v_previous);
    rlimit limit = v_previous;
    limit.rlim_cur = nBytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~ScopedFileSizeLimit()
  {
    setrlimit(RLIMIT_FSIZE, &v_previous);
    std::signal(SIGXFSZ, SIG_DFL);
  }

private:
  rlimit v_previous{};
};

TEST(MaterialList, AFailedSaveLeavesTheOldFileAndNoHalfFile)
{
  test::TempDir dir;
  const std::filesystem::path file = dir / "list.xml";
  ASSERT_FALSE(SaveMaterialList(file, kItems, "_.SECTION"));
  const std::string saved = test::ReadFileBytes(file);
  EXPECT_EQ(saved, Workbook(kItems, "_.SECTION"));

  std::optional<CTDocWriteError> error;
  {
    const ScopedFileSizeLimit limit(saved.size() / 2);
    error = SaveMaterialList(file, {kItems[0]}, "");
  }
  ASSERT_TRUE(error);
  EXPECT_EQ(error->nMsgNo, -3);
  EXPECT_EQ(error->szFileName, file.string());
  EXPECT_EQ(test::ReadFileBytes(file), saved);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1); // no temporary file left
}

TEST(XMLMatListSettings, RoundTripsUnderTheRootAndFillsWhatIsMissing)
{
  test::TempDir dir;
  platform::SettingsStore store(dir / "settings.ini");
  CTXMLMatListSettings written;
  written.bSAPCRM = false;
  written.bUseSectionHeader = false;
  written.szSectionHeader = "Air \u00e9";
  written.bCustAll = true;
  written.bCustPerSystem = true;
  written.bCustPiping = false;
  ASSERT_TRUE(written.WriteToRegistry("", store));
  EXPECT_EQ(store.ReadInteger("Software\\Korvath\\XMLMatList", "SAPCRM"), 0);

  CTXMLMatListSettings read;
  read.ReadFromRegistry("", store);
  EXPECT_FALSE(read.bSAPCRM);
  EXPECT_FALSE(read.bUseSectionHeader);
  EXPECT_EQ(read.szSectionHeader, "Air \u00e9");
  EXPECT_TRUE(read.bCustAll);
  EXPECT_TRUE(read.bCustPerSystem);
  EXPECT_FALSE(read.bCustPiping);

  // Another root; a missing "CUST_PER_SYSTEM" is the opposite of "CUST_ALL".
  ASSERT_TRUE(store.WriteInteger("Software\\Other\\XMLMatList", "CUST_ALL", 1));
  CTXMLMatListSettings other;
  other.ReadFromRegistry("Software\\Other", store);
  EXPECT_TRUE(other.bCustAll);
  EXPECT_FALSE(other.bCustPerSystem);
  EXPECT_TRUE(other.bSAPCRM);
  EXPECT_EQ(other.szSectionHeader, "_.SECTION");
}

} // namespace
} // namespace aw::docs
