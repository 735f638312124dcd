#pragma once
// Pooled value holders: the default values of field descriptions and the
// string, GUID and binary values of value lists. Holders are recycled
// through one free list per holder class, so loading and dropping many
// objects does not allocate a holder per value. All pools share one lock.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace aw {

// A 16-byte GUID laid out as D1, D2, D3 and D4[8].
struct TGUID
{
  std::uint32_t D1 = 0;
  std::uint16_t D2 = 0;
  std::uint16_t D3 = 0;
  std::array<std::uint8_t, 8> D4{};

  friend bool operator==(const TGUID&, const TGUID&) = default;
};

using ByteArray = std::vector<std::byte>;

class CTPooledValue
{
public:
  virtual ~CTPooledValue() = default;
  CTPooledValue(const CTPooledValue&) = delete;
  CTPooledValue& operator=(const CTPooledValue&) = delete;

  // Sets the value to its reset value and unlinks the holder.
  virtual void Reset() = 0;
  // Pushes the holder on its class's free list. The value is not cleared
  // until the holder is obtained again.
  virtual void Recycle() = 0;

  CTPooledValue* v_nextValue = nullptr;

protected:
  CTPooledValue() = default;
};

// Frees the holders on every free list; holders in use are not affected.
void ReleaseAllPools();
// Number of holders on the free list of each class, for tests and diagnostics.
std::size_t PooledFreeCount(int nPoolIx);

namespace detail {
// Pool operations of one holder class under the shared pool lock.
CTPooledValue* TakeHead(int nPoolIx);
void PushHead(int nPoolIx, CTPooledValue* pObj);
} // namespace detail

// One holder class per value kind; each has its own free list.
template <class T, int PoolIndex>
class CTPooled final : public CTPooledValue
{
public:
  using ValueType = T;
  static constexpr int kPoolIndex = PoolIndex;

  // Takes the head of this class's free list and resets it, or makes a new holder.
  static CTPooled* ObtainValue()
  {
    if (CTPooledValue* head = detail::TakeHead(PoolIndex)) {
      auto* holder = static_cast<CTPooled*>(head);
      holder->Reset();
      return holder;
    }
    return new CTPooled();
  }

  void Reset() override
  {
    v_value = T{};
    v_nextValue = nullptr;
  }
  void Recycle() override { detail::PushHead(PoolIndex, this); }

  const T& Value() const { return v_value; }
  T& Value() { return v_value; }
  void SetValue(T value) { v_value = std::move(value); }

private:
  CTPooled() = default;
  T v_value{};
};

using CTPooledBoolean = CTPooled<bool, 0>;
using CTPooledInteger = CTPooled<std::int32_t, 1>;
using CTPooledDouble = CTPooled<double, 2>;
using CTPooledCurrency = CTPooled<std::int64_t, 3>; // a count of 1/10000
using CTPooledDateTime = CTPooled<double, 4>;        // days since 1899-12-30
using CTPooledString = CTPooled<std::string, 5>;     // UTF-8
using CTPooledGUID = CTPooled<TGUID, 6>;
using CTPooledBinary = CTPooled<ByteArray, 7>;
inline constexpr int kPoolCount = 8;

// Owns a holder and gives it back to its pool when dropped.
struct PooledValueRecycler
{
  void operator()(CTPooledValue* p) const noexcept
  {
    if (p)
      p->Recycle();
  }
};
template <class H>
using PooledPtr = std::unique_ptr<H, PooledValueRecycler>;

template <class H>
PooledPtr<H> ObtainPooled()
{
  return PooledPtr<H>(H::ObtainValue());
}

} // namespace aw
