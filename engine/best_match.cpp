#include "engine/best_match.h"

#include <cmath>

namespace cog {

void FindBestMatch(const EntryTable& table, float target, std::int32_t& index) {
  const std::int64_t top = table.TopIndex();
  std::int64_t i = 0;
  while (i < top && !(target <= table[i].Ratio)) ++i;
  if (i < top) index = static_cast<std::int32_t>(i);
  if (i < 1) return;

  const long double t = target;
  const long double below = std::fabs(static_cast<long double>(table[i - 1].Ratio) - t);
  const long double above = std::fabs(static_cast<long double>(table[i].Ratio) - t);
  index = static_cast<std::int32_t>(above < below ? i : i - 1);
}

}  // namespace cog
