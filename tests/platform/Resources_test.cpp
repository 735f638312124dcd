#include "platform/Resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

namespace aw::platform {
namespace {

std::string_view AsText(ResourceBytes bytes)
{
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::vector<std::byte> BytesOf(std::string_view text)
{
  std::vector<std::byte> bytes;
  for (char c : text)
    bytes.push_back(static_cast<std::byte>(c));
  return bytes;
}

bool Listed(std::string_view szName)
{
  std::vector<std::string> names = Resources::Names();
  return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return n == szName; });
}

class ResourcesTest : public ::testing::Test
{
protected:
  void TearDown() override { Resources::RestoreEmbedded(); }
};

TEST_F(ResourcesTest, EmbeddedCatalogueIsFoundWithoutRegardToCase)
{
  for (std::string_view name : {"Device_Database", "device_database", "DEVICE_DATABASE"}) {
    auto bytes = Resources::Find(name);
    ASSERT_TRUE(bytes) << name;
    EXPECT_GT(bytes->size(), 117u) << "the generated catalogue, not the worked example";
    EXPECT_TRUE(AsText(*bytes).starts_with("Q7R")) << "compressed behind its signature";
  }
  ASSERT_TRUE(Resources::Exists("Device_Database_Example"));
  EXPECT_EQ(Resources::Find("device_database_example")->size(), 117u);
  EXPECT_TRUE(AsText(*Resources::Find("Device_Database_Example")).starts_with("EDI100\r\n"));
  EXPECT_TRUE(Listed("Device_Database"));
  EXPECT_TRUE(Resources::Exists("Device_Database_Ref"));
  EXPECT_FALSE(Resources::Exists("Device_Databas"));
}

TEST_F(ResourcesTest, ReplaceAndHideLastUntilRestored)
{
  const std::size_t embeddedSize = Resources::Find("Device_Database")->size();
  Resources::Replace("DEVICE_database", BytesOf("EDI100\r\nother"));
  EXPECT_EQ(AsText(*Resources::Find("Device_Database")), "EDI100\r\nother");

  Resources::Replace("UIGlossaryXML", BytesOf("<xml/>"));
  EXPECT_EQ(AsText(*Resources::Find("uiglossaryxml")), "<xml/>");

  Resources::Hide("device_database_ref");
  EXPECT_FALSE(Resources::Exists("Device_Database_Ref"));
  EXPECT_FALSE(Listed("Device_Database_Ref"));

  Resources::RestoreEmbedded();
  EXPECT_EQ(Resources::Find("Device_Database")->size(), embeddedSize);
  EXPECT_TRUE(Resources::Exists("Device_Database_Ref"));
  EXPECT_FALSE(Resources::Exists("UIGlossaryXML"));
}

} // namespace
} // namespace aw::platform
