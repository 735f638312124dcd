#pragma once
// A test fixture with one connection to the engine catalogue for the whole suite.

#include "catalogue/CatalogueSession.h"
#include "engine/EngineFactory.h"

#include <gtest/gtest.h>

#include <memory>

namespace aw::test {

class EngineCatalogueTest : public ::testing::Test
{
protected:
  static void SetUpTestSuite()
  {
    session = new CTCatalogueSession(std::make_unique<CTEngineFactory>());
    ASSERT_TRUE(session->Connect()) << session->LastError();
  }
  static void TearDownTestSuite()
  {
    delete session;
    session = nullptr;
  }
  inline static CTCatalogueSession* session = nullptr;
};

} // namespace aw::test
