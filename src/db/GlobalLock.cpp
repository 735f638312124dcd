#include "db/GlobalLock.h"

namespace aw {
namespace {

std::function<void(bool)>& WaitCursorHook()
{
  static std::function<void(bool)> hook;
  return hook;
}

} // namespace

CTGlobalLock& CTGlobalLock::Instance()
{
  static CTGlobalLock lock;
  return lock;
}

void CTGlobalLock::BeginRead()
{
  const auto me = std::this_thread::get_id();
  std::unique_lock guard(v_mutex);
  auto it = v_readDepth.find(me);
  if (v_writer == me || it != v_readDepth.end()) {
    ++v_readDepth[me];
    return;
  }
  v_changed.wait(guard, [this] { return v_writeDepth == 0; });
  v_readDepth[me] = 1;
}

void CTGlobalLock::EndRead()
{
  const auto me = std::this_thread::get_id();
  std::lock_guard guard(v_mutex);
  auto it = v_readDepth.find(me);
  if (it == v_readDepth.end())
    return;
  if (--it->second == 0)
    v_readDepth.erase(it);
  v_changed.notify_all();
}

void CTGlobalLock::BeginWrite()
{
  const auto me = std::this_thread::get_id();
  std::unique_lock guard(v_mutex);
  if (v_writer == me) {
    ++v_writeDepth;
    return;
  }
  v_changed.wait(guard, [this, me] {
    if (v_writeDepth != 0)
      return false;
    for (const auto& [thread, depth] : v_readDepth)
      if (thread != me)
        return false;
    return true;
  });
  v_writer = me;
  v_writeDepth = 1;
}

void CTGlobalLock::EndWrite()
{
  std::lock_guard guard(v_mutex);
  if (v_writeDepth == 0 || v_writer != std::this_thread::get_id())
    return;
  if (--v_writeDepth == 0)
    v_writer = std::thread::id();
  v_changed.notify_all();
}

void CTGlobalLock::StartLongAction()
{
  BeginWrite();
  {
    std::lock_guard guard(v_mutex);
    v_longAction = true;
  }
  EndWrite();
  if (WaitCursorHook())
    WaitCursorHook()(true);
  BeginRead();
}

void CTGlobalLock::EndLongAction()
{
  EndRead();
  BeginWrite();
  {
    std::lock_guard guard(v_mutex);
    v_longAction = false;
  }
  EndWrite();
  if (WaitCursorHook())
    WaitCursorHook()(false);
}

bool CTGlobalLock::InLongAction() const
{
  std::lock_guard guard(v_mutex);
  return v_longAction;
}

void CTGlobalLock::SetWaitCursorHook(std::function<void(bool bShow)> pHook)
{
  WaitCursorHook() = std::move(pHook);
}

} // namespace aw
