#include "engine/fixed_arrangements.h"

#include <vector>

#include "numtext/table_sort.h"

namespace cog::entry_sort {
namespace {

struct PatternKey {
  float key;
  std::uint8_t place;
};

int ComparePatternKeys(const PatternKey& a, const PatternKey& b) {
  return a.key < b.key ? -1 : a.key > b.key ? 1 : 0;
}

// For n entries, pattern code sum(below_k * n^k), below_k being the number
// of keys below key k: row `code` of n bytes, the place each entry comes from.
class SmallArrangements {
 public:
  SmallArrangements() {
    for (int n = 2; n <= kLookUpTo; ++n) {
      int codes = 1;
      for (int k = 0; k < n; ++k) codes *= n;
      rows_[n].resize(static_cast<std::size_t>(codes) * n);
      for (int code = 0; code < codes; ++code) {
        PatternKey pattern[kLookUpTo];
        for (int k = 0, rest = code; k < n; ++k, rest /= n) {
          pattern[k] = {static_cast<float>(rest % n), static_cast<std::uint8_t>(k)};
        }
        PartitionRange<PatternKey>(pattern, 0, n - 1, &ComparePatternKeys);
        for (int k = 0; k < n; ++k) rows_[n][code * n + k] = pattern[k].place;
      }
    }
  }
  const std::uint8_t* Row(int n, int code) const { return &rows_[n][code * n]; }

 private:
  std::vector<std::uint8_t> rows_[kLookUpTo + 1];
};

const SmallArrangements& Arrangements() {
  static const SmallArrangements arrangements;
  return arrangements;
}

}  // namespace

void ArrangeSmall(StandIn* entries, int n) {
  int code = 0;
  for (int k = 0, scale = 1; k < n; ++k, scale *= n) {
    int below = 0;
    for (int other = 0; other < n; ++other) below += KeyOf(entries[other]) < KeyOf(entries[k]);
    code += below * scale;
  }
  const std::uint8_t* from = Arrangements().Row(n, code);
  StandIn arranged[kLookUpTo];
  for (int k = 0; k < n; ++k) arranged[k] = entries[from[k]];
  for (int k = 0; k < n; ++k) entries[k] = arranged[k];
}

}  // namespace cog::entry_sort
