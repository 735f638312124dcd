#include "TestSchema.h"
#include "db/MemDB.h"
#include "db/ResDB.h"
#include "db/DbNameMapping.h"
#include "foundation/LZSS.h"
#include "platform/Resources.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace aw {
namespace {

using namespace aw::test;

const std::string kExample =
  "EDI100\r\n5 18 TBL_DdbVersionInfo 101\r\n5 6 DVI_ID 2\r\n5 13 DVI_DbVersion 10\r\n0\r\n0\r\n"
  "2 101 2 0 2 1 2 1\r\n2 1 10 4 14.3\r\n0\r\n";

std::vector<std::byte> Bytes(const std::string& s)
{
  const auto* p = reinterpret_cast<const std::byte*>(s.data());
  return {p, p + s.size()};
}

// Each test starts with the resource engine registered, compression as at
// start-up, and the messages of the object database collected.
class ConnectionTest : public ::testing::Test
{
protected:
  TestFactory factory;
  std::vector<std::pair<int, std::string>> messages;

  void SetUp() override
  {
    CTBaseFactory::UnregisterAllEngines();
    CTResDbEngine::RegisterEngine();
    CTMemDbEngine::UseCompression(true);
    CTMemDbEngine::SetCompressionSignature("Q7R");
    CTDbObject::SetMessageSink([this](const CTFormResource*, int n, const std::string& s) { messages.emplace_back(n, s); });
    CTDbObject::SetDefaultFactory(&factory);
  }
  void TearDown() override
  {
    CTDbObject::SetDefaultFactory(nullptr);
    CTDbObject::SetMessageSink({});
    CTBaseFactory::UnregisterAllEngines();
    CTMemDbEngine::UseCompression(false);
    platform::Resources::RestoreEmbedded();
  }

  void UseResource(const std::string& text) { platform::Resources::Replace("Test_Database", Bytes(text)); }
  std::string Version()
  {
    std::unique_ptr<CTDbObject> version(factory.SafeCreateObject(kVersion, 1));
    return version ? version->GetUntranslatedStringValue(DVI_DbVersion) : "none";
  }
};

TEST_F(ConnectionTest, TheResourceEngineLoadsPlainAndCompressedResources)
{
  UseResource(kExample);
  ASSERT_TRUE(factory.Connect(false));
  EXPECT_EQ(Version(), "14.3");
  EXPECT_EQ(factory.GetDbEngine(0)->GetTypeString(), "Resource");
  EXPECT_FALSE(factory.HasCapability(0, dbcChooseDb));
  EXPECT_TRUE(factory.HasCapability(0, dbcInsertWithID));
  EXPECT_THROW(factory.Connect(false), LTBseFactExc) << "connecting twice";
  factory.Disconnect();

  CTMemoryStream packed;
  {
    CTLZSSCompressorStream compressor(packed, "Q7R");
    compressor.WriteBuffer(kExample.data(), kExample.size());
    compressor.Finish();
  }
  UseResource(packed.Text());
  ASSERT_TRUE(factory.Connect(false));
  EXPECT_EQ(Version(), "14.3");
  factory.Disconnect();

  UseResource("");
  ASSERT_TRUE(factory.Connect(false)) << "an empty resource is an empty database";
  EXPECT_EQ(Version(), "none");
  EXPECT_TRUE(messages.empty());
}

TEST_F(ConnectionTest, MissingAndDamagedResourcesFailTheConnectionAndLeaveNoEngine)
{
  ASSERT_FALSE(factory.Connect(false)) << "no resource of that name";
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], (std::pair<int, std::string>{5007, "Test_Database"}));
  EXPECT_FALSE(factory.DatabaseConnected(0));
  EXPECT_EQ(factory.GetTableInfo(kFamily)->GetDbEngine(), nullptr);

  UseResource(kExample.substr(0, 60));
  EXPECT_FALSE(factory.Connect(false));
  EXPECT_FALSE(factory.IsConnected());

  UseResource(kExample);
  EXPECT_TRUE(factory.Connect(false)) << "a later connection may succeed";
}

TEST_F(ConnectionTest, TheRegistryAsksEngineKindsInOrderAndNeedsOne)
{
  UseResource(kExample);
  factory.SetRequiredEngineType(0, "CTMemDbEngine");
  EXPECT_FALSE(factory.Connect(false)) << "the resource engine refuses a database meant for another kind";

  CTMemDbEngine::RegisterEngine();
  factory.SetRequiredEngineType(0, "");
  ASSERT_TRUE(factory.Connect(false));
  EXPECT_EQ(factory.GetDbEngine(0)->GetTypeString(), "Resource") << "the first registered kind that accepts serves";
  factory.Disconnect();

  CTBaseFactory::UnregisterAllEngines();
  try {
    factory.Connect(false);
    FAIL() << "connected without engines";
  } catch (const CTDbException& e) {
    EXPECT_EQ(e.Code(), excNoEngines);
  }
  EXPECT_THROW(factory.ConnectDatabase(0), LTBseFactExc);
}

TEST_F(ConnectionTest, SaveFileReplacesTheFileWholeOrNotAtAll)
{
  test::TempDir dir;
  const std::string file = (dir / "catalogue.edi").string();
  CTMemDbEngine::UseCompression(false);
  CTMemDbEngine::RegisterEngine();
  factory.SetRequiredEngineType(0, "CTMemDbEngine");
  EXPECT_FALSE(factory.SaveFile(0, true)) << "not connected";

  ASSERT_TRUE(factory.Connect(false)) << "an empty database name gives an empty database";
  CTDbObject family(kFamily);
  ASSERT_TRUE(family.Insert());
  factory.SetDatabaseName(0, file);
  ASSERT_TRUE(factory.SaveFile(0, true));
  factory.Disconnect();
  ASSERT_TRUE(factory.Connect(false)) << "the saved file loads";
  EXPECT_EQ(factory.GetDbEngine(0)->CountObjects(kFamily), 1);

  const std::string unwritable = "/proc/airwright-cannot-write-here.edi";
  factory.SetDatabaseName(0, unwritable);
  EXPECT_FALSE(factory.SaveFile(0, true));
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), (std::pair<int, std::string>{-3, unwritable}));
}

TEST_F(ConnectionTest, AFileEngineReportsUnreadableFiles)
{
  CTMemDbEngine::RegisterEngine();
  factory.SetRequiredEngineType(0, "CTMemDbEngine");
  factory.SetDatabaseName(0, "/nonexistent/catalogue.edi");
  EXPECT_FALSE(factory.Connect(false));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].first, -2);

  test::TempDir dir;
  std::ofstream(dir / "bad.edi") << "EDI100\r\n";
  factory.SetDatabaseName(0, (dir / "bad.edi").string());
  EXPECT_FALSE(factory.Connect(false));
  EXPECT_EQ(messages.back(), (std::pair<int, std::string>{5004, (dir / "bad.edi").string()}));

  CTBaseFactory::SetSilentMode(true);
  messages.clear();
  EXPECT_FALSE(factory.Connect(false));
  CTBaseFactory::SetSilentMode(false);
  EXPECT_TRUE(messages.empty()) << "silent mode shows nothing";
}

TEST_F(ConnectionTest, ANameMappingLoadsRenamedTablesAndFields)
{
  CTMappingTable mapping;
  CTNameMapping& table = mapping.AddMapping("Tbl_OldVersion", "Tbl_DdbVersionInfo");
  table.SubTable().AddMapping("OLD_Text", "DVI_DbVersion");
  EXPECT_EQ(&table.SubTable(), &table.SubTable());
  EXPECT_NE(mapping.FindMapping("TBL_OLDVERSION", false), nullptr);
  EXPECT_EQ(mapping.FindMapping("TBL_OLDVERSION", true), nullptr);
  EXPECT_EQ(mapping.FindNewName("Tbl_Other", false), "");

  UseResource("EDI100\r\n5 14 Tbl_OldVersion 7\r\n5 6 DVI_ID 2\r\n5 8 OLD_Text 10\r\n0\r\n0\r\n"
              "2 7 2 1\r\n2 1 10 3 9.9 \r\n0\r\n");
  factory.SetNameMapping(0, &mapping);
  ASSERT_TRUE(factory.Connect(false));
  EXPECT_EQ(Version(), "9.9");
}

} // namespace
} // namespace aw
