#pragma once
// The process-wide lock of the object database: many readers or one writer.
// A thread may take the read side again while it holds either side, and may
// take the write side while it holds the read side (a long action reads
// throughout and writes in between); it then waits for the other readers.

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

namespace aw {

class CTGlobalLock
{
public:
  static CTGlobalLock& Instance();

  void BeginRead();
  void EndRead();
  void BeginWrite();
  void EndWrite();

  // Long actions: the read side is held from StartLongAction to EndLongAction
  // with the wait cursor shown (through the cursor hook, when one is set).
  void StartLongAction();
  void EndLongAction();
  bool InLongAction() const;
  // The user interface installs a hook that shows (true) or ends (false) the wait cursor.
  static void SetWaitCursorHook(std::function<void(bool bShow)> pHook);

private:
  mutable std::mutex v_mutex;
  std::condition_variable v_changed;
  std::thread::id v_writer;
  int v_writeDepth = 0;
  std::map<std::thread::id, int> v_readDepth;
  bool v_longAction = false;
};

// Scoped sides of the global lock.
class CTReadGuard
{
public:
  CTReadGuard() { CTGlobalLock::Instance().BeginRead(); }
  ~CTReadGuard() { CTGlobalLock::Instance().EndRead(); }
  CTReadGuard(const CTReadGuard&) = delete;
  CTReadGuard& operator=(const CTReadGuard&) = delete;
};

class CTWriteGuard
{
public:
  CTWriteGuard() { CTGlobalLock::Instance().BeginWrite(); }
  ~CTWriteGuard() { CTGlobalLock::Instance().EndWrite(); }
  CTWriteGuard(const CTWriteGuard&) = delete;
  CTWriteGuard& operator=(const CTWriteGuard&) = delete;
};

} // namespace aw
