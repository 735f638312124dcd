#include "engine/RecentList.h"

#include "platform/SettingsStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace aw {
namespace {

using test::TempDir;
using test::WriteFileBytes;

constexpr std::string_view kKey = platform::kProgramRoot;

class RecentListTest : public ::testing::Test
{
protected:
  RecentListTest() : v_store(v_dir / "settings.ini", [this](const std::string& s) { v_warnings.push_back(s); }) {}

  // An existing project file in the temporary folder, by its canonical path.
  std::string Project(const std::string& szName)
  {
    WriteFileBytes(v_dir / szName, "AWR00");
    return std::filesystem::canonical(v_dir / szName).string();
  }

  TempDir v_dir;
  std::vector<std::string> v_warnings;
  platform::SettingsStore v_store;
  CTRecentList v_list{v_store};
};

TEST_F(RecentListTest, AddingPutsTheFileOnTopOnceAndStoresTheWholeList)
{
  const std::string a = Project("a.awr");
  const std::string b = Project("b.awr");
  ASSERT_TRUE(v_list.Add(a));
  ASSERT_TRUE(v_list.Add(b));
  ASSERT_TRUE(v_list.Add(a));
  EXPECT_EQ(v_list.GetEntries(), (std::vector<std::string>{a, b}));

  // The file holds the list: another store of the same file reads it.
  platform::SettingsStore reread(v_store.File());
  EXPECT_EQ(reread.ReadString(kKey, "MRU1"), a);
  EXPECT_EQ(reread.ReadString(kKey, "MRU2"), b);
  EXPECT_FALSE(reread.ValueExists(kKey, "MRU3"));
}

TEST_F(RecentListTest, PathsAreComparedExactlyAfterNormalising)
{
  const std::string upper = Project("A.awr");
  const std::string lower = Project("a.awr");
  std::filesystem::create_directory(v_dir / "sub");
  std::filesystem::create_symlink(lower, v_dir / "alias.awr");

  ASSERT_TRUE(v_list.Add(upper));
  ASSERT_TRUE(v_list.Add(lower));
  // Letter case makes another file; a link, a relative spelling with "..",
  // and a doubled separator name the same one.
  EXPECT_EQ(v_list.GetEntries(), (std::vector<std::string>{lower, upper}));
  for (const std::filesystem::path& alias :
       {v_dir / "alias.awr", v_dir / "sub" / ".." / "a.awr", std::filesystem::path(v_dir.Path().string() + "//a.awr")}) {
    ASSERT_TRUE(v_list.Add(alias.string())) << alias;
    EXPECT_EQ(v_list.GetEntries(), (std::vector<std::string>{lower, upper})) << alias;
  }

  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(v_dir.Path());
  EXPECT_EQ(CTRecentList::NormalisedPath("A.awr"), upper);
  EXPECT_EQ(CTRecentList::NormalisedPath("./gone/../missing.awr"), (v_dir / "missing.awr").string());
  std::filesystem::current_path(previous);
}

TEST_F(RecentListTest, ElevenFilesKeepTheNewestTen)
{
  std::vector<std::string> files;
  for (int i = 0; i < 11; ++i) {
    files.push_back(Project("p" + std::to_string(i) + ".awr"));
    ASSERT_TRUE(v_list.Add(files.back()));
  }
  const std::vector<std::string> entries = v_list.GetEntries();
  ASSERT_EQ(entries.size(), 10u);
  EXPECT_EQ(entries.front(), files[10]);
  EXPECT_EQ(entries.back(), files[1]);
  EXPECT_FALSE(v_store.ValueExists(kKey, "MRU11"));
}

TEST_F(RecentListTest, MissingFilesAreDroppedAndRemoveTakesOneOut)
{
  const std::string a = Project("a.awr");
  const std::string b = Project("b.awr");
  ASSERT_TRUE(v_list.Add(a));
  ASSERT_TRUE(v_list.Add(b));
  std::filesystem::remove(b);
  EXPECT_EQ(v_list.GetEntries(), (std::vector<std::string>{a}));
  ASSERT_TRUE(v_list.Remove(a));
  EXPECT_TRUE(v_list.GetEntries().empty());
  EXPECT_FALSE(v_store.ValueExists(kKey, "MRU1"));
}

TEST_F(RecentListTest, AGapEndsReadingAndTheNextStoreCleansEveryPosition)
{
  const std::string first = Project("first.awr");
  const std::string stale = Project("stale.awr");
  const std::string added = Project("added.awr");
  ASSERT_TRUE(v_store.WriteString(kKey, "MRU1", first));
  ASSERT_TRUE(v_store.WriteString(kKey, "mru3", stale));
  ASSERT_TRUE(v_store.WriteString(kKey, "MRUx", "not ours"));
  EXPECT_EQ(v_list.GetEntries(), (std::vector<std::string>{first}));

  ASSERT_TRUE(v_list.Add(added));
  EXPECT_EQ(v_store.ReadString(kKey, "MRU1"), added);
  EXPECT_EQ(v_store.ReadString(kKey, "MRU2"), first);
  // The value behind the gap would otherwise come back once the list grows.
  EXPECT_FALSE(v_store.ValueExists(kKey, "MRU3"));
  EXPECT_EQ(v_store.ReadString(kKey, "MRUx"), "not ours");
}

TEST_F(RecentListTest, AFailedStoreIsReportedAndKeepsTheListAsItWas)
{
  const std::string a = Project("a.awr");
  const std::string b = Project("b.awr");
  platform::SettingsStore store(v_dir / "config" / "settings.ini",
                                [this](const std::string& s) { v_warnings.push_back(s); });
  CTRecentList list(store);
  ASSERT_TRUE(list.Add(a));
  // The settings folder gives way to a plain file: nothing can be written below it.
  std::filesystem::rename(v_dir / "config", v_dir / "config.kept");
  WriteFileBytes(v_dir / "config", "in the way");

  EXPECT_FALSE(list.Add(b));
  EXPECT_FALSE(list.Remove(a));
  EXPECT_EQ(list.GetEntries(), (std::vector<std::string>{a}));
  EXPECT_FALSE(v_warnings.empty());
}

TEST_F(RecentListTest, MenuNumbersTheShownEntriesWithAcceleratorsOneToNine)
{
  std::vector<std::string> files;
  for (int i = 0; i < 11; ++i) {
    files.push_back(Project("m" + std::to_string(i) + ".awr"));
    ASSERT_TRUE(v_list.Add(files.back()));
  }
  const std::vector<CTRecentMenuEntry> all = v_list.MenuEntries();
  ASSERT_EQ(all.size(), 10u);
  EXPECT_EQ(all[9].nNumber, 10);
  // The excluded (open) file leaves no hole in the numbering.
  const std::vector<CTRecentMenuEntry> without = v_list.MenuEntries(files[10]);
  ASSERT_EQ(without.size(), 9u);
  EXPECT_EQ(without[0].nNumber, 1);
  EXPECT_EQ(without[0].szFile, files[9]);

  const struct
  {
    int nNumber;
    std::string szPath;
    std::string szCaption;
  } cases[] = {
    {1, "/p/a.awr", "&1. /p/a.awr"},
    {9, "/p/R&D/x.awr", "&9. /p/R&&D/x.awr"},
    {10, "/p/&&.awr", "10. /p/&&&&.awr"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RecentMenuCaption(c.nNumber, c.szPath), c.szCaption) << c.szPath;
}

} // namespace
} // namespace aw
