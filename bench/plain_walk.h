#pragma once
// The Higher walks written plainly, one entry and one test at a time, as the
// yardstick for the engine's walks.

#include <cstdint>

#include "engine/ratio_entry.h"

namespace cog::bench {

// Plain walk Higher with "Even teeth only": the index it stops at, or top.
std::int64_t PlainEvenHigher(const RatioEntry* table, std::int64_t top, std::int64_t index);

// Single-ratio walk Higher: the index it stops at, or top.
std::int64_t PlainSingleHigher(const RatioEntry* table, std::int64_t top, std::int64_t index,
                               bool even);

}  // namespace cog::bench
