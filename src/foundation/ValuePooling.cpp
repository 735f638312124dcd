#include "foundation/ValuePooling.h"

#include <mutex>

namespace aw {
namespace {

struct Pools
{
  std::mutex lock;
  std::array<CTPooledValue*, kPoolCount> heads{};
  std::array<std::size_t, kPoolCount> counts{};
};

// Created on first use and never destroyed: holders may be recycled while
// other static objects are torn down at the end of the process.
Pools& ThePools()
{
  static Pools* pools = new Pools();
  return *pools;
}

} // namespace

namespace detail {

CTPooledValue* TakeHead(int nPoolIx)
{
  Pools& pools = ThePools();
  std::lock_guard guard(pools.lock);
  CTPooledValue* head = pools.heads[nPoolIx];
  if (head) {
    pools.heads[nPoolIx] = head->v_nextValue;
    --pools.counts[nPoolIx];
  }
  return head;
}

void PushHead(int nPoolIx, CTPooledValue* pObj)
{
  Pools& pools = ThePools();
  std::lock_guard guard(pools.lock);
  pObj->v_nextValue = pools.heads[nPoolIx];
  pools.heads[nPoolIx] = pObj;
  ++pools.counts[nPoolIx];
}

} // namespace detail

void ReleaseAllPools()
{
  Pools& pools = ThePools();
  for (int ix = 0; ix < kPoolCount; ++ix) {
    CTPooledValue* head;
    {
      std::lock_guard guard(pools.lock);
      head = pools.heads[ix];
      pools.heads[ix] = nullptr;
      pools.counts[ix] = 0;
    }
    while (head) {
      CTPooledValue* next = head->v_nextValue;
      delete head;
      head = next;
    }
  }
}

std::size_t PooledFreeCount(int nPoolIx)
{
  Pools& pools = ThePools();
  std::lock_guard guard(pools.lock);
  return pools.counts[nPoolIx];
}

} // namespace aw
