#pragma once
// What the exact sort of RatioEntry tables compares and moves: the entries
// themselves, or compact stand-ins for them.

#include <cstddef>
#include <cstdint>
#include <utility>

#include "engine/entry_key.h"
#include "engine/ratio_entry.h"

namespace cog::entry_sort {

// Short ranges are sorted as stand-ins: the key in the high half of a 64-bit
// word and the entry's place in the range in the low half. The partition
// then moves 8 aligned bytes instead of 9 packed ones, and only the key
// takes part in a comparison.
using StandIn = std::uint64_t;
constexpr std::ptrdiff_t kStandInsUpTo = 1024;

inline std::uint32_t KeyOf(const RatioEntry& e) { return RatioKey(e); }
inline std::uint32_t KeyOf(StandIn s) { return static_cast<std::uint32_t>(s >> 32); }
inline void Exchange(RatioEntry& a, RatioEntry& b) { ExchangeEntries(a, b); }
inline void Exchange(StandIn& a, StandIn& b) { std::swap(a, b); }

}  // namespace cog::entry_sort
