#pragma once
// A test factory served by one memory engine, made the default factory.

#include "TestSchema.h"
#include "db/MemDB.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace aw::test {

// The worked example: one version object with DVI_DbVersion 14.3.
inline const std::string kWorkedExample =
  "EDI100\r\n5 18 TBL_DdbVersionInfo 101\r\n5 6 DVI_ID 2\r\n5 13 DVI_DbVersion 10\r\n0\r\n0\r\n"
  "2 101 2 0 2 1 2 1\r\n2 1 10 4 14.3\r\n0\r\n";

class MemDbTest : public ::testing::Test
{
protected:
  TestFactory factory;
  CTMemDbEngine* engine = nullptr;
  std::vector<std::tuple<int, int, int>> notifications; // class id, object id, update code

  void SetUp() override
  {
    CTMemDbEngine::UseCompression(false);
    CTMemDbEngine::SetCompressionSignature("");
    CTMemDbEngine::SetAutoCorrect(false);
    NewEngine();
    CTDbObject::SetDefaultFactory(&factory);
  }
  void TearDown() override
  {
    CTDbObject::SetDefaultFactory(nullptr);
    CTMemDbEngine::UseCompression(false);
    CTMemDbEngine::SetAutoCorrect(false);
  }

  void NewEngine(bool bReadOnly = false)
  {
    auto owned = std::make_unique<CTMemDbEngine>(&factory, "Test_Database", "", bReadOnly, 0);
    engine = owned.get();
    engine->SetModifiedProc([this](bool b, int nClsID, int nObjID, const std::string&, int nCode) {
      if (b)
        notifications.emplace_back(nClsID, nObjID, nCode);
    });
    factory.SetDbEngine(0, std::move(owned));
  }

  bool Load(const std::string& text)
  {
    CTMemoryStream stream(text);
    return engine->LoadFromStream(stream);
  }

  std::string Written()
  {
    CTMemoryStream out;
    engine->WriteToStream(out);
    return out.Text();
  }

  std::unique_ptr<CTDbObject> Stored(int nClsID, int nObjID) { return std::unique_ptr<CTDbObject>(factory.SafeCreateObject(nClsID, nObjID)); }

  std::unique_ptr<CTDbObject> Insert(int nClsID, const std::function<void(CTDbObject&)>& fill = {})
  {
    auto obj = std::make_unique<CTDbObject>(nClsID);
    if (fill)
      fill(*obj);
    EXPECT_TRUE(obj->Insert());
    return obj;
  }
};

} // namespace aw::test
