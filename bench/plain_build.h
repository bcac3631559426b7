#pragma once
// The ratio table built the plain way, as the yardstick for the real build:
// packed 9-byte records, a comparison called through a function pointer for
// every comparison, and a recursive quicksort partition. Shares no code with
// the engine.

#include <cstddef>
#include <cstdint>

namespace cog::bench {

#pragma pack(push, 1)
struct PlainEntry {
  float Ratio;
  std::uint8_t Gear1, Gear2, Gear3, Gear4, IsSingle;
};
#pragma pack(pop)
static_assert(sizeof(PlainEntry) == 9);

// A zero-filled array of entries that frees itself.
class PlainTable {
 public:
  PlainTable() = default;
  explicit PlainTable(std::size_t count);
  PlainTable(PlainTable&& other) noexcept;
  PlainTable& operator=(PlainTable&& other) noexcept;
  PlainTable(const PlainTable&) = delete;
  PlainTable& operator=(const PlainTable&) = delete;
  ~PlainTable();

  bool created() const { return entries_ != nullptr; }
  std::size_t size() const { return count_; }
  PlainEntry* data() { return entries_; }
  const PlainEntry* data() const { return entries_; }

 private:
  PlainEntry* entries_ = nullptr;
  std::size_t count_ = 0;
};

// The sorted compound table for the limits, zero slot included.
// REQUIRES: min_teeth <= max_teeth. An empty table when memory runs out.
PlainTable BuildPlainTable(int min_teeth, int max_teeth);

}  // namespace cog::bench
