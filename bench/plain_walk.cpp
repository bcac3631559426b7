#include "bench/plain_walk.h"

namespace cog::bench {
namespace {

bool IsOdd(std::uint8_t teeth) { return (teeth & 1) != 0; }

bool AnyOdd(const RatioEntry& e) {
  return IsOdd(e.Gear1) || IsOdd(e.Gear2) || IsOdd(e.Gear3) || IsOdd(e.Gear4);
}

}  // namespace

std::int64_t PlainEvenHigher(const RatioEntry* table, std::int64_t top, std::int64_t index) {
  for (;;) {
    index = index + 1;
    if (index > top) return top;
    if (!AnyOdd(table[index])) return index;
  }
}

std::int64_t PlainSingleHigher(const RatioEntry* table, std::int64_t top, std::int64_t index,
                               bool even) {
  const std::uint8_t s1 = table[index].Gear1, s2 = table[index].Gear2;
  const std::uint8_t s3 = table[index].Gear3, s4 = table[index].Gear4;
  for (;;) {
    index = index + 1;
    if (index > top) return top;
    const RatioEntry& e = table[index];
    if (e.Gear1 == e.Gear2 && e.Gear3 == e.Gear4) continue;
    if (e.IsSingle != 1) continue;
    if (even && AnyOdd(e)) continue;
    if ((e.Gear1 == e.Gear2 && e.Gear3 != s3) || (e.Gear1 == e.Gear2 && e.Gear4 != s4) ||
        (e.Gear3 == e.Gear4 && e.Gear1 != s1) || (e.Gear3 == e.Gear4 && e.Gear2 != s2)) {
      return index;
    }
  }
}

}  // namespace cog::bench
