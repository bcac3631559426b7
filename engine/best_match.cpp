#include "engine/best_match.h"

#include "numtext/extended.h"

namespace cog {
namespace {

// `first_not_below` is the first index below the top whose ratio is >= target,
// or the top index when there is none.
void ChooseNearer(const EntryTable& table, float target, std::int64_t first_not_below,
                  std::int32_t& index) {
  const std::int64_t i = first_not_below;
  if (i < table.TopIndex()) index = static_cast<std::int32_t>(i);
  if (i < 1) return;

  const Extended t(target);
  const Extended below = Fabs(Extended(table[i - 1].Ratio) - t);
  const Extended above = Fabs(Extended(table[i].Ratio) - t);
  index = static_cast<std::int32_t>(above < below ? i : i - 1);
}

}  // namespace

void FindBestMatch(const EntryTable& table, float target, std::int32_t& index) {
  // The test is the scan's own, `target <= Ratio`, so that NaN (never true)
  // runs to the top as the scan does. Over a sorted table it is false up to
  // some index and true from there on, which is what the halving relies on.
  std::int64_t first = 0;
  std::int64_t count = table.TopIndex();
  while (count > 0) {
    const std::int64_t half = count / 2;
    if (target <= table[first + half].Ratio) {
      count = half;
    } else {
      first += half + 1;
      count -= half + 1;
    }
  }
  ChooseNearer(table, target, first, index);
}

void FindBestMatchByScan(const EntryTable& table, float target, std::int32_t& index) {
  const std::int64_t top = table.TopIndex();
  std::int64_t i = 0;
  while (i < top && !(target <= table[i].Ratio)) ++i;
  ChooseNearer(table, target, i, index);
}

}  // namespace cog
