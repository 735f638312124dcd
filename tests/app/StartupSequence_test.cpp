#include "app/StartupSequence.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace aw::app {
namespace {

struct Recorder
{
  std::vector<int> ran;
  std::function<StageResult()> Stage(int n, StageResult result = StageResult::Continue())
  {
    return [this, n, result] {
      ran.push_back(n);
      return result;
    };
  }
};

TEST(StartupSequenceTest, RunsEveryStageInOrderWhenAllContinue)
{
  Recorder rec;
  StartupSequence s;
  for (int n : {1, 2, 5, 9})
    s.Add(n, "stage", "owner", rec.Stage(n));
  EXPECT_EQ(s.Run(), std::nullopt);
  EXPECT_EQ(rec.ran, (std::vector<int>{1, 2, 5, 9}));
}

TEST(StartupSequenceTest, FirstStopEndsTheSequenceWithItsExitCode)
{
  for (int code : {0, 3}) {
    Recorder rec;
    StartupSequence s;
    s.Add(1, "one", "owner", rec.Stage(1));
    s.Add(2, "two", "owner", rec.Stage(2, StageResult::Stop(code)));
    s.Add(3, "three", "owner", rec.Stage(3, StageResult::Stop(7)));
    EXPECT_EQ(s.Run(), code);
    EXPECT_EQ(rec.ran, (std::vector<int>{1, 2}));
  }
}

TEST(StartupSequenceTest, ThrowingStageIsReportedAndEndsWithExitCodeOne)
{
  Recorder rec;
  StartupSequence s;
  s.Add(1, "catalogue connection", "object database", [] () -> StageResult { throw std::runtime_error("no data"); });
  s.Add(2, "after", "owner", rec.Stage(2));
  std::string reported;
  EXPECT_EQ(s.Run([&](const StartupStage& stage, const std::string& what) { reported = stage.szName + ": " + what; }),
            1);
  EXPECT_EQ(reported, "catalogue connection: no data");
  EXPECT_TRUE(rec.ran.empty());
}

TEST(StartupSequenceTest, StagesCannotBeAddedOutOfOrder)
{
  StartupSequence s;
  s.Add(5, "five", "owner", StartupSequence::Pending);
  EXPECT_THROW(s.Add(5, "again", "owner", StartupSequence::Pending), std::logic_error);
  EXPECT_THROW(s.Add(4, "earlier", "owner", StartupSequence::Pending), std::logic_error);
  EXPECT_EQ(s.Stages().size(), 1u);
}

} // namespace
} // namespace aw::app
