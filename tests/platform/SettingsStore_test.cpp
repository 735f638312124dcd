#include "platform/SettingsStore.h"

#include "ScopedEnvironment.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

namespace aw::platform {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

class SettingsStoreTest : public ::testing::Test
{
protected:
  std::filesystem::path File() const { return v_dir / "airwright" / "settings.ini"; }
  SettingsStore Open() { return SettingsStore(File(), [this](const std::string& s) { v_warnings.push_back(s); }); }

  TempDir v_dir;
  std::vector<std::string> v_warnings;
};

TEST_F(SettingsStoreTest, EveryKindOfValueSurvivesTheFile)
{
  const std::vector<std::string> texts = {
    "", "plain", "a=b", "[Section]", "100%", "%41 stays", "line one\nline two\r\n", "\ttab and trailing blank ",
    "Grüße, 温度 °C m³/h", "back\\slash", "; not a comment", std::string("nul\0inside", 10)};
  const std::vector<std::string> names = {"Plain", "", "a=b", "[x]", "ü-Name", "; semi", "#hash", "50%", "new\nline"};
  std::vector<std::byte> allBytes;
  for (int i = 0; i < 256; ++i)
    allBytes.push_back(static_cast<std::byte>(i));
  const std::string key = "Software\\Korvath\\Odd [key] = 100%";

  {
    SettingsStore store = Open();
    for (std::size_t i = 0; i < texts.size(); ++i)
      ASSERT_TRUE(store.WriteString(key, "Text" + std::to_string(i), texts[i]));
    for (std::size_t i = 0; i < names.size(); ++i)
      ASSERT_TRUE(store.WriteInteger(key, names[i], static_cast<int>(i)));
    ASSERT_TRUE(store.WriteInteger("Software\\Numbers", "Min", INT32_MIN));
    ASSERT_TRUE(store.WriteInteger("Software\\Numbers", "Max", INT32_MAX));
    ASSERT_TRUE(store.WriteBinary("Software\\Numbers", "All", allBytes));
    ASSERT_TRUE(store.WriteBinary("Software\\Numbers", "None", {}));
    ASSERT_TRUE(store.CreateKey("Software\\Empty\\Leaf"));
  }

  SettingsStore reread = Open();
  for (std::size_t i = 0; i < texts.size(); ++i)
    EXPECT_EQ(reread.ReadString(key, "Text" + std::to_string(i)), texts[i]) << "text " << i;
  for (std::size_t i = 0; i < names.size(); ++i)
    EXPECT_EQ(reread.ReadInteger(key, names[i]), static_cast<int>(i)) << "name " << names[i];
  EXPECT_EQ(reread.ReadInteger("Software\\Numbers", "Min"), INT32_MIN);
  EXPECT_EQ(reread.ReadInteger("Software\\Numbers", "Max"), INT32_MAX);
  EXPECT_EQ(reread.ReadBinary("Software\\Numbers", "All"), allBytes);
  EXPECT_EQ(reread.ReadBinary("Software\\Numbers", "None"), std::vector<std::byte>{});
  EXPECT_TRUE(reread.KeyExists("Software\\Empty\\Leaf"));
  EXPECT_EQ(reread.SubKeyNames("Software"), (std::vector<std::string>{"Empty", "Korvath", "Numbers"}));
  EXPECT_TRUE(v_warnings.empty());
}

TEST_F(SettingsStoreTest, NamesMatchWithoutCaseAndKeepTheirFirstSpelling)
{
  SettingsStore store = Open();
  ASSERT_TRUE(store.WriteInteger("Software\\Korvath\\Preferences", "Decimals", 2));
  ASSERT_TRUE(store.WriteInteger("SOFTWARE\\korvath\\PREFERENCES", "DECIMALS", 3));
  ASSERT_TRUE(store.WriteString("\\software\\\\Korvath\\", "Country", "DE"));

  SettingsStore reread = Open();
  EXPECT_EQ(reread.ReadInteger("software\\KORVATH\\preferences", "decimals"), 3);
  EXPECT_EQ(reread.ValueNames("Software\\Korvath\\Preferences"), std::vector<std::string>{"Decimals"});
  EXPECT_EQ(reread.SubKeyNames("\\SOFTWARE"), std::vector<std::string>{"Korvath"});
  EXPECT_EQ(reread.SubKeyNames("software\\korvath"), std::vector<std::string>{"Preferences"});
  EXPECT_EQ(reread.ReadString("Software\\Korvath", "COUNTRY"), "DE");
  EXPECT_TRUE(reread.KeyExists("Software"));
  EXPECT_FALSE(reread.KeyExists("Software\\Korvat"));
}

TEST_F(SettingsStoreTest, ValuesOfAnotherKindReadAsMissingAndAreReplacedByWrites)
{
  SettingsStore store = Open();
  ASSERT_TRUE(store.WriteInteger("K", "V", 7));
  EXPECT_EQ(store.ReadString("K", "V"), std::nullopt);
  EXPECT_EQ(store.ReadBinary("K", "V"), std::nullopt);
  ASSERT_TRUE(store.WriteString("K", "v", "seven"));
  EXPECT_EQ(store.ReadInteger("K", "V"), std::nullopt);
  EXPECT_EQ(Open().ReadString("K", "V"), "seven");
}

TEST_F(SettingsStoreTest, DeletesRemoveValuesAndWholeSubtrees)
{
  SettingsStore store = Open();
  ASSERT_TRUE(store.WriteInteger("A\\B\\C", "X", 1));
  ASSERT_TRUE(store.WriteInteger("A\\B", "Y", 2));
  ASSERT_TRUE(store.WriteInteger("A", "Z", 3));

  EXPECT_TRUE(store.DeleteValue("a", "z"));
  EXPECT_FALSE(store.DeleteValue("A", "Z"));
  EXPECT_TRUE(store.DeleteKey("a\\b"));
  EXPECT_FALSE(store.DeleteKey("A\\B"));
  EXPECT_FALSE(store.DeleteKey(""));

  SettingsStore reread = Open();
  EXPECT_TRUE(reread.KeyExists("A"));
  EXPECT_FALSE(reread.KeyExists("A\\B"));
  EXPECT_FALSE(reread.KeyExists("A\\B\\C"));
  EXPECT_FALSE(reread.ValueExists("A", "Z"));
}

TEST_F(SettingsStoreTest, ReloadSeesWhatAnotherStoreWrote)
{
  SettingsStore first = Open();
  SettingsStore second = Open();
  ASSERT_TRUE(second.WriteInteger("K", "V", 5));
  EXPECT_FALSE(first.ValueExists("K", "V"));
  first.Reload();
  EXPECT_EQ(first.ReadInteger("K", "V"), 5);
}

// Each of these files is damaged in one way; none may crash the program or
// pass for settings, and none may be lost.
TEST_F(SettingsStoreTest, DamagedFileReadsAsEmptyAndIsKeptAsideOnTheNextWrite)
{
  const std::vector<std::string> damaged = {
    "[Software]\nGood=i:1\nthis line means nothing\n",
    "Orphan=i:1\n[Software]\n",
    "[Software\nV=i:1\n",
    "[Software]\nV=i:12x\n",
    "[Software]\nV=i:99999999999\n",
    "[Software]\nV=x:1\n",
    "[Software]\nV=1\n",
    "[Software]\nV=s:bad %4 escape\n",
    "[Software]\nV=s:ends in %\n",
    "[Software]\nV=b:abc\n",
    "[Software]\nV=b:zz\n",
    "[Software]\nV=i:1\nv=i:2\n",
    std::string("\x89PNG\r\n\x1a\n\0\0\0", 11),
  };
  for (const std::string& text : damaged) {
    SCOPED_TRACE(text);
    std::filesystem::create_directories(File().parent_path());
    WriteFileBytes(File(), text);
    std::filesystem::remove(File().string() + ".damaged");
    v_warnings.clear();

    SettingsStore store = Open();
    EXPECT_FALSE(store.KeyExists("Software"));
    ASSERT_EQ(v_warnings.size(), 1u);
    EXPECT_NE(v_warnings[0].find("damaged"), std::string::npos) << v_warnings[0];
    EXPECT_NE(v_warnings[0].find(File().string()), std::string::npos) << v_warnings[0];
    EXPECT_EQ(ReadFileBytes(File()), text) << "reading must not touch the file";

    ASSERT_TRUE(store.WriteInteger("Software", "Fresh", 1));
    EXPECT_EQ(ReadFileBytes(File().string() + ".damaged"), text);
    SettingsStore reread = Open();
    EXPECT_EQ(reread.ValueNames("Software"), std::vector<std::string>{"Fresh"});
  }
}

TEST_F(SettingsStoreTest, CommentsBlankLinesAndWindowsLineEndsAreAccepted)
{
  std::filesystem::create_directories(File().parent_path());
  WriteFileBytes(File(), "; written by hand\r\n\r\n# another comment\r\n[Software\\Korvath]\r\nV=s:x\r\n");
  SettingsStore store = Open();
  EXPECT_EQ(store.ReadString("Software\\Korvath", "V"), "x");
  EXPECT_TRUE(v_warnings.empty());
}

TEST_F(SettingsStoreTest, FailedWriteKeepsFileAndMemoryAsTheyWere)
{
  // The store's folder is a plain file, so nothing can be written below it.
  WriteFileBytes(v_dir / "airwright", "in the way");
  SettingsStore store = Open();
  EXPECT_FALSE(store.WriteInteger("K", "V", 1));
  EXPECT_FALSE(store.ValueExists("K", "V"));
  EXPECT_FALSE(store.CreateKey("K"));
  EXPECT_FALSE(store.KeyExists("K"));
  EXPECT_FALSE(v_warnings.empty());
}

TEST_F(SettingsStoreTest, BatchWritesAllItsChangesOrNone)
{
  SettingsStore store = Open();
  ASSERT_TRUE(store.WriteInteger("K", "Old", 1));
  ASSERT_TRUE(store.WriteBatch([](SettingsKey& root) {
    root.Ensure("K").RemoveValue("Old");
    root.Ensure("K").SetValue("New", std::string("n"));
    return true;
  }));
  SettingsStore reread = Open();
  EXPECT_FALSE(reread.ValueExists("K", "Old"));
  EXPECT_EQ(reread.ReadString("K", "New"), "n");

  // A change that declines leaves memory and file alone.
  const std::string before = ReadFileBytes(File());
  EXPECT_FALSE(store.WriteBatch([](SettingsKey& root) {
    root.Ensure("K").SetValue("Dropped", 2);
    return false;
  }));
  EXPECT_FALSE(store.ValueExists("K", "Dropped"));
  EXPECT_EQ(ReadFileBytes(File()), before);
}

TEST_F(SettingsStoreTest, WritesLeaveNoTemporaryFilesAndKeepPermissions)
{
  SettingsStore store = Open();
  ASSERT_TRUE(store.WriteInteger("K", "V", 1));
  std::filesystem::permissions(File(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  for (int i = 0; i < 5; ++i)
    ASSERT_TRUE(store.WriteInteger("K", "V" + std::to_string(i), i));

  std::vector<std::string> entries;
  for (const auto& entry : std::filesystem::directory_iterator(File().parent_path()))
    entries.push_back(entry.path().filename().string());
  EXPECT_EQ(entries, std::vector<std::string>{"settings.ini"});
  EXPECT_EQ(std::filesystem::status(File()).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST_F(SettingsStoreTest, UserStoreFollowsTheConfigurationFolder)
{
  test::ScopedEnvironment home("HOME", (v_dir / "home").c_str());
  {
    test::ScopedEnvironment config("XDG_CONFIG_HOME", (v_dir / "config").c_str());
    EXPECT_EQ(SettingsStore::UserFile(), v_dir / "config" / "airwright" / "settings.ini");
    ASSERT_TRUE(SettingsStore::User().WriteInteger("K", "V", 1));
    EXPECT_TRUE(std::filesystem::exists(v_dir / "config" / "airwright" / "settings.ini"));
  }
  for (const char* unusable : {static_cast<const char*>(nullptr), "", "relative/config"}) {
    test::ScopedEnvironment config("XDG_CONFIG_HOME", unusable);
    EXPECT_EQ(SettingsStore::UserFile(), v_dir / "home" / ".config" / "airwright" / "settings.ini");
    EXPECT_FALSE(SettingsStore::User().ValueExists("K", "V"));
  }
}

} // namespace
} // namespace aw::platform
