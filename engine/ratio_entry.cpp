#include "engine/ratio_entry.h"

namespace cog {

int CompareRatio(const RatioEntry& first, const RatioEntry& second) {
  const float a = first.Ratio;
  const float b = second.Ratio;
  if (a < b) return -1;
  if (a > b) return 1;
  return 0;
}

}  // namespace cog
