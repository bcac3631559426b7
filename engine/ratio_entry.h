#pragma once
// The record of both ratio tables: a ratio and the four gears that give it.

#include <cstdint>

namespace cog {

#pragma pack(push, 1)
struct RatioEntry {
  float Ratio;            // Gear1/Gear2 x Gear3/Gear4, rounded to float
  std::uint8_t Gear1;     // first pair: driver
  std::uint8_t Gear2;     // first pair: driven
  std::uint8_t Gear3;     // second pair: driver; 0 in a pair entry
  std::uint8_t Gear4;     // second pair: driven; 0 in a pair entry
  std::uint8_t IsSingle;  // 1 when one of the two pairs is 1:1
};
#pragma pack(pop)
static_assert(sizeof(RatioEntry) == 9, "entries are packed 9-byte records");

// -1, 0 or +1 by Ratio alone; the gears never break a tie.
int CompareRatio(const RatioEntry& first, const RatioEntry& second);

}  // namespace cog
