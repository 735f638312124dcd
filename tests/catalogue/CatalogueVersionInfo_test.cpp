#include "LoadedCatalogue.h"

#include "catalogue/ClDdbVersionInfo.h"

#include <gtest/gtest.h>

#include <memory>

namespace aw {
namespace {

using test::LoadedCatalogue;

// The program's catalogue text with another structure version.
std::string CatalogueOfVersion(const std::string& szVersion)
{
  return "EDI100\r\n5 18 TBL_DdbVersionInfo 101\r\n5 6 DVI_ID 2\r\n5 13 DVI_DbVersion 10\r\n0\r\n0\r\n"
         "2 101 2 0 2 1 2 1\r\n2 1 10 " +
         std::to_string(szVersion.size()) + " " + szVersion + "\r\n0\r\n";
}

TEST(CatalogueVersionInfo, TheWorkedExampleLoadsWithVersion143AndPassesTheStartUpCheck)
{
  LoadedCatalogue db(CatalogueOfVersion("14.3"));
  ASSERT_TRUE(db.Connected());
  OwningObjectList<Cls_DdbVersionInfo> records = AllRecordsOf<Cls_DdbVersionInfo>(false);
  ASSERT_EQ(records.Count(), 1);
  const Cls_DdbVersionInfo& record = *records[0];
  EXPECT_EQ(record.GetID(), 1);
  EXPECT_EQ(record.GetDbVersion(), "14.3");
  EXPECT_EQ(record.GetDataVersion(), "");
  EXPECT_EQ(record.GetMaxPercentageOUBasket(), 120) << "fields missing from the file keep their defaults";
  EXPECT_EQ(record.GetMinPercentageOUBasket(), 80);
  for (int clsID = 0; clsID < db.factory.TableCount(); ++clsID) {
    if (clsID != Cls_DdbVersionInfo::kClassID && db.factory.GetTableInfo(clsID)) {
      EXPECT_EQ(CTDbObject::CountAllRecords(clsID, false), 0) << clsID;
    }
  }

  EXPECT_TRUE(Cls_DdbVersionInfo::CheckStartupVersion(&db.factory));
  EXPECT_TRUE(Cls_DdbVersionInfo::CheckVersion(&db.factory, "143", true));
  EXPECT_TRUE(db.messages.empty());
}

TEST(CatalogueVersionInfo, AMismatchReportsMessage5014WithBothVersions)
{
  LoadedCatalogue db;
  ASSERT_TRUE(db.Connected());
  EXPECT_FALSE(Cls_DdbVersionInfo::CheckVersion(&db.factory, "1.4", false));
  EXPECT_TRUE(db.messages.empty()) << "no message unless asked";
  EXPECT_FALSE(Cls_DdbVersionInfo::CheckVersion(&db.factory, "1.4", true));
  ASSERT_EQ(db.messages.size(), 1u);
  EXPECT_EQ(db.messages[0].first, 5014);
  EXPECT_EQ(db.messages[0].second, "Device_Database 0.1.4 <> 1.4.3");
}

TEST(CatalogueVersionInfo, ACatalogueOfAnotherVersionFailsTheStartUpCheck)
{
  LoadedCatalogue db(CatalogueOfVersion("150"));
  ASSERT_TRUE(db.Connected());
  EXPECT_FALSE(Cls_DdbVersionInfo::CheckStartupVersion(&db.factory));
  ASSERT_EQ(db.messages.size(), 1u);
  EXPECT_EQ(db.messages[0].first, 5014);
  EXPECT_EQ(db.messages[0].second, "Device_Database 1.4.3 <> 1.5.0");
}

TEST(CatalogueVersionInfo, AVersionThatIsNoNumberMatchesOnlyZero)
{
  LoadedCatalogue db(CatalogueOfVersion("beta"));
  ASSERT_TRUE(db.Connected());
  EXPECT_TRUE(Cls_DdbVersionInfo::CheckVersion(&db.factory, "0", true));
  EXPECT_FALSE(Cls_DdbVersionInfo::CheckVersion(&db.factory, "1.4.3", false));
}

TEST(CatalogueVersionInfo, WithoutAReferenceVersionTheStartUpCheckFails)
{
  LoadedCatalogue db;
  ASSERT_TRUE(db.Connected());
  platform::Resources::Hide("Device_Database_Ref");
  EXPECT_TRUE(Cls_DdbVersionInfo::CheckStartupVersion(&db.factory)) << "the catalogue itself is the fallback";
  platform::Resources::Replace("Device_Database_Ref", {std::byte{'x'}});
  EXPECT_FALSE(Cls_DdbVersionInfo::CheckStartupVersion(&db.factory));
  ASSERT_EQ(db.messages.size(), 1u);
  EXPECT_EQ(db.messages[0].first, 5014);
}

TEST(CatalogueVersionInfo, WithoutACatalogueEveryReaderAnswersItsEmptyValue)
{
  CTFactory factory;
  std::string version = "x";
  int region = -1;
  EXPECT_FALSE(Cls_DdbVersionInfo::CheckVersion(&factory, "0", true));
  EXPECT_FALSE(Cls_DdbVersionInfo::CheckVersion(nullptr, "0", true));
  EXPECT_EQ(Cls_DdbVersionInfo::GetKorvathVersion(&factory), "");
  Cls_DdbVersionInfo::GetKorvathVersionEx(nullptr, version, region);
  EXPECT_EQ(version, "");
  EXPECT_EQ(region, 0);
  EXPECT_EQ(Cls_DdbVersionInfo::GetRegion(&factory), 0);
  EXPECT_EQ(Cls_DdbVersionInfo::GetAppFlags(&factory), 0);
  EXPECT_EQ(Cls_DdbVersionInfo::GetMinPercOUBasket(&factory), 100);
  EXPECT_EQ(Cls_DdbVersionInfo::GetMaxPercOUBasket(nullptr), 100);
  Cls_DdbVersionInfo::SetKorvathVersion(&factory, "R1"); // nothing to write to, nothing happens
  EXPECT_TRUE(Cls_DdbVersionInfo::HasDdb(&factory));
}

TEST(CatalogueVersionInfo, ReadersAndWritersWorkOnTheSingleRecord)
{
  LoadedCatalogue db(test::ReadTestData("catalogue_sample.edi"));
  ASSERT_TRUE(db.Connected());
  std::string version;
  int region = 0;
  Cls_DdbVersionInfo::GetKorvathVersionEx(&db.factory, version, region);
  EXPECT_EQ(version, "R2024.1") << "trimmed";
  EXPECT_EQ(region, 3);
  EXPECT_EQ(Cls_DdbVersionInfo::GetAppFlags(&db.factory), 5);
  EXPECT_EQ(Cls_DdbVersionInfo::GetMaxPercOUBasket(&db.factory), 120) << "a stored 0 reads as the default";
  EXPECT_EQ(Cls_DdbVersionInfo::GetMinPercOUBasket(&db.factory), 80);

  Cls_DdbVersionInfo::SetKorvathVersion(&db.factory, "  R2025  ");
  Cls_DdbVersionInfo::SetAppFlags(&db.factory, 9);
  Cls_DdbVersionInfo::SetMinPercOUBasket(&db.factory, 70);
  Cls_DdbVersionInfo::SetMaxPercOUBasket(&db.factory, 130);
  EXPECT_EQ(Cls_DdbVersionInfo::GetKorvathVersion(&db.factory), "R2025");
  std::unique_ptr<CTDbObject> stored(CTDbObject::GetUniqueRecord(Cls_DdbVersionInfo::kClassID, true));
  EXPECT_EQ(stored->GetUntranslatedStringValue(Cls_DdbVersionInfo::ixDataVersion), "R2025") << "updated in storage";
  EXPECT_EQ(Cls_DdbVersionInfo::GetAppFlags(&db.factory), 9);
  EXPECT_EQ(Cls_DdbVersionInfo::GetMinPercOUBasket(&db.factory), 70);
  EXPECT_EQ(Cls_DdbVersionInfo::GetMaxPercOUBasket(&db.factory), 130);
}

} // namespace
} // namespace aw
