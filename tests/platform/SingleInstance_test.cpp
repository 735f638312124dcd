#include "platform/SingleInstance.h"

#include "ScopedEnvironment.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace aw::platform {
namespace {

using Outcome = SingleInstanceLock::Outcome;

// What another process gets when it tries to take the lock now.
Outcome TryInAnotherProcess(const std::filesystem::path& file)
{
  pid_t child = fork();
  if (child == 0) {
    SingleInstanceLock lock(file);
    _exit(static_cast<int>(lock.TryAcquire()));
  }
  int status = 0;
  waitpid(child, &status, 0);
  return static_cast<Outcome>(WEXITSTATUS(status));
}

// A process that takes the lock, reports through a pipe and then waits to be killed.
pid_t StartHolder(const std::filesystem::path& file)
{
  int ready[2];
  if (pipe(ready) != 0)
    return -1;
  pid_t child = fork();
  if (child == 0) {
    close(ready[0]);
    SingleInstanceLock lock(file);
    char outcome = static_cast<char>(lock.TryAcquire());
    [[maybe_unused]] ssize_t n = write(ready[1], &outcome, 1);
    for (;;)
      pause();
  }
  close(ready[1]);
  char outcome = -1;
  [[maybe_unused]] ssize_t n = read(ready[0], &outcome, 1);
  close(ready[0]);
  EXPECT_EQ(static_cast<Outcome>(outcome), Outcome::Acquired);
  return child;
}

void Kill(pid_t child)
{
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
}

class SingleInstanceLockTest : public ::testing::Test
{
protected:
  test::TempDir v_dir;
  std::filesystem::path v_file = v_dir / "run" / "airwright.lock";
};

TEST_F(SingleInstanceLockTest, SecondProcessIsRefusedUntilTheFirstReleases)
{
  SingleInstanceLock lock(v_file);
  ASSERT_EQ(lock.TryAcquire(), Outcome::Acquired) << lock.Error();
  EXPECT_TRUE(lock.Held());
  EXPECT_EQ(TryInAnotherProcess(v_file), Outcome::HeldElsewhere);

  lock.Release();
  EXPECT_FALSE(lock.Held());
  EXPECT_EQ(TryInAnotherProcess(v_file), Outcome::Acquired);
}

TEST_F(SingleInstanceLockTest, KilledHolderDoesNotBlockTheNextInstance)
{
  pid_t holder = StartHolder(v_file);
  ASSERT_GT(holder, 0);
  SingleInstanceLock lock(v_file);
  EXPECT_EQ(lock.TryAcquire(), Outcome::HeldElsewhere);

  Kill(holder);
  EXPECT_EQ(lock.TryAcquire(), Outcome::Acquired);
}

// A program started from the holder (a report viewer, say) must not keep the
// lock after the holder has gone.
TEST_F(SingleInstanceLockTest, ProgramsStartedByTheHolderDoNotInheritTheLock)
{
  auto lock = std::make_unique<SingleInstanceLock>(v_file);
  ASSERT_EQ(lock->TryAcquire(), Outcome::Acquired);
  pid_t sleeper = 0;
  char sleepName[] = "sleep";
  char duration[] = "30";
  char* argv[] = {sleepName, duration, nullptr};
  ASSERT_EQ(posix_spawnp(&sleeper, "sleep", nullptr, nullptr, argv, environ), 0);

  lock.reset();
  EXPECT_EQ(TryInAnotherProcess(v_file), Outcome::Acquired);
  Kill(sleeper);
}

TEST_F(SingleInstanceLockTest, UnusableFolderIsReportedNotMistakenForAnotherInstance)
{
  test::WriteFileBytes(v_dir / "run", "a file where the folder should be");
  SingleInstanceLock lock(v_file);
  EXPECT_EQ(lock.TryAcquire(), Outcome::Unavailable);
  EXPECT_NE(lock.Error().find(v_file.string()), std::string::npos) << lock.Error();
  EXPECT_FALSE(lock.Held());
}

TEST_F(SingleInstanceLockTest, UserLockLivesInTheRuntimeFolderElseTheConfigurationFolder)
{
  test::ScopedEnvironment config("XDG_CONFIG_HOME", (v_dir / "config").c_str());
  {
    test::ScopedEnvironment runtime("XDG_RUNTIME_DIR", (v_dir / "runtime").c_str());
    EXPECT_EQ(SingleInstanceLock::UserLockFile(), v_dir / "runtime" / "airwright.lock");
  }
  test::ScopedEnvironment runtime("XDG_RUNTIME_DIR", nullptr);
  EXPECT_EQ(SingleInstanceLock::UserLockFile(), v_dir / "config" / "airwright" / "airwright.lock");
}

} // namespace
} // namespace aw::platform
