#pragma once
// Cheap access to a RatioEntry's sort key and whole-record exchanges.

#include <cstdint>
#include <cstring>

#include "engine/ratio_entry.h"

namespace cog {

// The bit pattern of Ratio. For +0 and positive floats (infinity included) the
// patterns order exactly as the values do, so an integer comparison of keys
// gives the same answer as CompareRatio. -0 and NaN break that.
inline std::uint32_t RatioKey(const RatioEntry& e) {
  std::uint32_t key;
  std::memcpy(&key, &e, sizeof key);  // Ratio is the first field
  return key;
}

inline void ExchangeEntries(RatioEntry& a, RatioEntry& b) {
  RatioEntry t;
  std::memcpy(&t, &a, sizeof t);
  std::memcpy(&a, &b, sizeof t);
  std::memcpy(&b, &t, sizeof t);
}

}  // namespace cog
