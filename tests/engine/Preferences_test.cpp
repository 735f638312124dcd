// The preferences: their stored form under the preferences key, the names
// earlier builds used, and the one write per OK that either keeps all of them
// or, when the store cannot take it, none.

#include "engine/Preferences.h"

#include "platform/SettingsRoots.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace aw {
namespace {

using test::ReadFileBytes;
using test::TempDir;

class PreferencesTest : public ::testing::Test
{
protected:
  PreferencesTest()
  {
    TU_Form::InitializeUnits();
    TU_Form::AddImperialUnits();
    CurrentPreferences() = CTPreferences::InEffect();
  }
  ~PreferencesTest() override
  {
    platform::SettingsStore::User().DeleteKey(platform::kPreferencesKey);
    TU_Form::InitializeUnits();
    CurrentPreferences() = CTPreferences::InEffect();
  }

  // Preferences that differ from the defaults in every group of the dialog.
  CTPreferences Changed() const
  {
    CTPreferences preferences =
      CTPreferences::InEffect((v_dir / "projects").string(), (v_dir / "reports").string());
    for (const CTPreferenceUnitGroup& group : PreferenceUnitGroups())
      preferences.unitIndex[group.unit] = TU_Form::DimensionCount(group.unit) - 1;
    return preferences;
  }

  TempDir v_dir;
};

TEST_F(PreferencesTest, WhatOneRunStoresTheNextStartReads)
{
  platform::SettingsStore& store = platform::SettingsStore::User();
  const CTPreferences stored = Changed();
  ASSERT_TRUE(stored.Store(store));
  EXPECT_EQ(store.ReadString(platform::kPreferencesKey, "PROJECT_PATH"), stored.szProjectPath);
  EXPECT_EQ(store.ReadString(platform::kPreferencesKey, "REPORT_PATH"), stored.szReportPath);

  // The next start: built-in units, a fresh read of the file.
  TU_Form::InitializeUnits();
  TU_Form::AddImperialUnits();
  CurrentPreferences() = CTPreferences::InEffect();
  platform::SettingsStore reopened(store.File());
  ReadPreferences(reopened, 0);
  EXPECT_EQ(CurrentPreferences().szProjectPath, stored.szProjectPath);
  EXPECT_EQ(CurrentPreferences().szReportPath, stored.szReportPath);
  for (const CTPreferenceUnitGroup& group : PreferenceUnitGroups()) {
    EXPECT_EQ(TU_Form::GetNewIndex(group.unit), stored.unitIndex[group.unit]) << group.szCaption;
    EXPECT_EQ(CurrentPreferences().unitIndex[group.unit], stored.unitIndex[group.unit]) << group.szCaption;
  }
}

TEST_F(PreferencesTest, TheProjectFolderOfEarlierBuildsIsReadWhenTheCurrentNameIsMissing)
{
  const struct
  {
    const char* szCase;
    std::optional<std::string> current, earlier;
    std::string expected;
  } cases[] = {
    {"earlier name only", std::nullopt, "/old/projects", "/old/projects"},
    {"both names", "/new/projects", "/old/projects", "/new/projects"},
    {"current name cleared", "", "/old/projects", ""},
  };
  for (const auto& c : cases) {
    platform::SettingsStore store(v_dir / c.szCase / "settings.ini");
    if (c.current)
      store.WriteString(platform::kPreferencesKey, "PROJECT_PATH", *c.current);
    store.WriteString(platform::kPreferencesKey, "ProjectFolder", *c.earlier);
    CurrentPreferences().szProjectPath = "/unchanged";
    ReadPreferences(store, 0);
    EXPECT_EQ(CurrentPreferences().szProjectPath, c.expected) << c.szCase;
  }
}

TEST_F(PreferencesTest, TheRegionalVariantStoresItsDefaultUnitsOnTheFirstStart)
{
  platform::SettingsStore store(v_dir / "settings.ini");
  ReadPreferences(store, kRegionalServerId);
  for (const CTPreferenceUnitGroup& group : PreferenceUnitGroups()) {
    // A default beyond the group's units (airflow has no fourth) leaves the base unit.
    const int expected = group.nRegionalDefault < TU_Form::DimensionCount(group.unit) ? group.nRegionalDefault : 0;
    EXPECT_EQ(TU_Form::GetNewIndex(group.unit), expected) << group.szCaption;
  }
  EXPECT_EQ(store.ReadInteger(std::string(platform::kPreferencesKey) + "\\Units", "Units13"), 3) << "inH2O";

  // Units the user chose are kept on later starts.
  TU_Form::SetNewIndex(U_Pressure, 0, false);
  TU_Form::SaveSettingsToRegistry(std::string(platform::kPreferencesKey) + "\\Units", store);
  ReadPreferences(store, kRegionalServerId);
  EXPECT_EQ(TU_Form::GetNewIndex(U_Pressure), 0);
}

// Makes every larger file write fail, as a full disk does (also for the superuser).
class FileSizeLimit
{
public:
  explicit FileSizeLimit(rlim_t nBytes)
  {
    getrlimit(RLIMIT_FSIZE, &v_old);
    v_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = v_old;
    limit.rlim_cur = nBytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit()
  {
    setrlimit(RLIMIT_FSIZE, &v_old);
    std::signal(SIGXFSZ, v_oldHandler);
  }

private:
  rlimit v_old{};
  void (*v_oldHandler)(int) = nullptr;
};

TEST_F(PreferencesTest, AStoreThatCannotBeWrittenKeepsItsFileAndItsValues)
{
  const std::filesystem::path folder = v_dir / "airwright";
  const std::filesystem::path file = folder / "settings.ini";
  const struct
  {
    const char* szCase;
    std::function<std::function<void()>()> breakIt; // answers how to mend it
  } cases[] = {
    {"full disk",
     [&] {
       auto limit = std::make_shared<FileSizeLimit>(std::filesystem::file_size(file));
       return [limit]() mutable { limit.reset(); };
     }},
    {"read-only folder",
     [&] {
       chmod(folder.c_str(), 0555);
       return [&] { chmod(folder.c_str(), 0755); };
     }},
  };
  for (const auto& c : cases) {
    if (std::string(c.szCase) == "read-only folder" && geteuid() == 0)
      continue; // permissions do not hold the superuser back; the full disk does
    std::filesystem::remove_all(folder);
    platform::SettingsStore store(file);
    CTPreferences old = CTPreferences::InEffect("/old/projects", "/old/reports");
    ASSERT_TRUE(old.Store(store)) << c.szCase;
    const std::string before = ReadFileBytes(file);

    const std::function<void()> mend = c.breakIt();
    EXPECT_FALSE(Changed().Store(store)) << c.szCase;
    mend();
    EXPECT_EQ(ReadFileBytes(file), before) << c.szCase;
    EXPECT_EQ(store.ReadString(platform::kPreferencesKey, "PROJECT_PATH"), "/old/projects") << c.szCase;
    EXPECT_EQ(store.ReadInteger(std::string(platform::kPreferencesKey) + "\\Units", "Units13"), 0) << c.szCase;
  }
}

TEST_F(PreferencesTest, ASectionThatFailsMidBatchLeavesTheFileAsItWas)
{
  platform::SettingsStore store(v_dir / "settings.ini");
  ASSERT_TRUE(CTPreferences::InEffect("/old/projects").Store(store));
  const std::string before = ReadFileBytes(store.File());

  bool bLaterSectionRan = false;
  const std::vector<CTSettingsSection> sections = {
    [](platform::SettingsKey& root) {
      root.Ensure(platform::kPreferencesKey).SetValue("DiagramType", 0);
      return true;
    },
    [](platform::SettingsKey&) { return false; },
    [&](platform::SettingsKey&) { return bLaterSectionRan = true; },
  };
  EXPECT_FALSE(Changed().Store(store, sections));
  EXPECT_FALSE(bLaterSectionRan);
  EXPECT_EQ(ReadFileBytes(store.File()), before);
  EXPECT_EQ(store.ReadString(platform::kPreferencesKey, "PROJECT_PATH"), "/old/projects");
  EXPECT_FALSE(store.ValueExists(platform::kPreferencesKey, "DiagramType"));

  // With every section willing, everything arrives in the one write.
  EXPECT_TRUE(Changed().Store(store, {sections[0]}));
  EXPECT_EQ(store.ReadInteger(platform::kPreferencesKey, "DiagramType"), 0);
  EXPECT_EQ(store.ReadString(platform::kPreferencesKey, "PROJECT_PATH"), Changed().szProjectPath);
}

} // namespace
} // namespace aw
