// The command-line tests select on tests/data/engine_catalogue.edi, the
// small fixture catalogue written as a file. It must stay what the fixture
// builds; AW_UPDATE_TEST_DATA=1 rewrites it.

#include "EngineCatalogue.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace aw {
namespace {

TEST(FixtureData, TheCommandLineCatalogueFileIsTheSmallFixture)
{
  const std::string path = std::string(AW_TEST_DATA_DIR) + "/engine_catalogue.edi";
  const std::string built = test::BuildCatalogue(test::SmallCatalogueUnits());
  if (const char* update = std::getenv("AW_UPDATE_TEST_DATA"); update && std::string(update) == "1") {
    std::ofstream(path, std::ios::binary) << built;
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream stored;
  stored << in.rdbuf();
  EXPECT_TRUE(stored.str() == built) << "run test_engine with AW_UPDATE_TEST_DATA=1 to rewrite " << path;
}

} // namespace
} // namespace aw
