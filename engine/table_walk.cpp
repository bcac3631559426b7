#include "engine/table_walk.h"

#include <cstring>

namespace cog {
namespace {

// Gear1..Gear4 read as one word: a tooth count is odd when its lowest bit is
// set, and one test covers all four.
bool HasOddTooth(const RatioEntry& e) {
  std::uint32_t gears;
  std::memcpy(&gears, reinterpret_cast<const unsigned char*>(&e) + sizeof e.Ratio, sizeof gears);
  return (gears & 0x01010101u) != 0;
}

// A single entry qualifies when its working pair (the pair that is not 1:1)
// differs from the start entry's gears in the same two positions.
bool WorkingPairDiffers(const RatioEntry& e, const RatioEntry& start) {
  if (e.Gear1 == e.Gear2 && (e.Gear3 != start.Gear3 || e.Gear4 != start.Gear4)) return true;
  if (e.Gear3 == e.Gear4 && (e.Gear1 != start.Gear1 || e.Gear2 != start.Gear2)) return true;
  return false;
}

bool AcceptSingle(const RatioEntry& e, const RatioEntry& start, bool even_only) {
  if (e.Gear1 == e.Gear2 && e.Gear3 == e.Gear4) return false;
  if (e.IsSingle != 1) return false;
  if (even_only && HasOddTooth(e)) return false;
  return WorkingPairDiffers(e, start);
}

// The first index beyond `from` in the direction of kStep whose entry passes
// `accept`, or the index just off that end of the table (top + 1 or -1).
// One loop per direction keeps the scan to one bound test per entry.
template <int kStep, class Accept>
std::int64_t Seek(const EntryTable& table, std::int64_t from, Accept accept) {
  const RatioEntry* entries = table.data();
  if constexpr (kStep > 0) {
    const std::int64_t top = table.TopIndex();
    for (std::int64_t i = from + 1; i <= top; ++i) {
      if (accept(entries[i])) return i;
    }
    return top + 1;
  } else {
    for (std::int64_t i = from - 1; i >= 0; --i) {
      if (accept(entries[i])) return i;
    }
    return -1;
  }
}

// Off an end, the index is clamped to it; `display` says whether the entry
// there is shown.
WalkResult Clamped(const EntryTable& table, std::int64_t i, bool display) {
  if (i < 0) return {0, display};
  if (i > table.TopIndex()) return {static_cast<std::int32_t>(table.TopIndex()), display};
  return {static_cast<std::int32_t>(i), true};
}

template <int kStep>
WalkResult PlainWalk(const EntryTable& table, std::int32_t index, bool even_only) {
  const std::int64_t i =
      even_only ? Seek<kStep>(table, index, [](const RatioEntry& e) { return !HasOddTooth(e); })
                : std::int64_t{index} + kStep;
  return Clamped(table, i, false);
}

// Unlike the plain walk, running off an end still shows the end entry.
template <int kStep>
WalkResult SingleWalk(const EntryTable& table, std::int32_t index, bool even_only) {
  const RatioEntry start = table[index];
  const std::int64_t i = Seek<kStep>(
      table, index, [&](const RatioEntry& e) { return AcceptSingle(e, start, even_only); });
  return Clamped(table, i, true);
}

}  // namespace

WalkResult WalkTable(const EntryTable& table, std::int32_t index, Direction direction,
                     WalkFilter filter) {
  if (direction == Direction::kHigher) {
    return filter.single_only ? SingleWalk<1>(table, index, filter.even_only)
                              : PlainWalk<1>(table, index, filter.even_only);
  }
  return filter.single_only ? SingleWalk<-1>(table, index, filter.even_only)
                            : PlainWalk<-1>(table, index, filter.even_only);
}

}  // namespace cog
