#include "engine/table_walk.h"

namespace cog {
namespace {

bool HasOddTooth(const RatioEntry& e) {
  return ((e.Gear1 | e.Gear2 | e.Gear3 | e.Gear4) & 1) != 0;
}

WalkResult PlainWalk(const EntryTable& table, std::int32_t index, int step, bool even_only) {
  const std::int64_t top = table.TopIndex();
  std::int64_t i = index;
  for (;;) {
    i += step;
    if (i > top) return {static_cast<std::int32_t>(top), false};
    if (i < 0) return {0, false};
    if (!(even_only && HasOddTooth(table[i]))) return {static_cast<std::int32_t>(i), true};
  }
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

// Unlike the plain walk, running off an end still shows the end entry.
WalkResult SingleWalk(const EntryTable& table, std::int32_t index, int step, bool even_only) {
  const std::int64_t top = table.TopIndex();
  const RatioEntry start = table[index];
  std::int64_t i = index;
  for (;;) {
    i += step;
    if (i > top) return {static_cast<std::int32_t>(top), true};
    if (i < 0) return {0, true};
    if (AcceptSingle(table[i], start, even_only)) return {static_cast<std::int32_t>(i), true};
  }
}

}  // namespace

WalkResult WalkTable(const EntryTable& table, std::int32_t index, int direction,
                     bool single_only, bool even_only) {
  const int step = direction == 1 ? 1 : -1;
  return single_only ? SingleWalk(table, index, step, even_only)
                     : PlainWalk(table, index, step, even_only);
}

}  // namespace cog
