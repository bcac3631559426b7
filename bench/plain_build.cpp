#include "bench/plain_build.h"

#include <cstdlib>
#include <utility>

namespace cog::bench {

PlainTable::PlainTable(std::size_t count)
    : entries_(static_cast<PlainEntry*>(std::calloc(count, sizeof(PlainEntry)))),
      count_(entries_ != nullptr ? count : 0) {}

PlainTable::PlainTable(PlainTable&& other) noexcept { *this = std::move(other); }

PlainTable& PlainTable::operator=(PlainTable&& other) noexcept {
  if (this != &other) {
    std::free(entries_);
    entries_ = std::exchange(other.entries_, nullptr);
    count_ = std::exchange(other.count_, 0);
  }
  return *this;
}

PlainTable::~PlainTable() { std::free(entries_); }

namespace {

using PlainCompare = int (*)(const PlainEntry&, const PlainEntry&);

[[gnu::noinline]] int PlainCompareRatio(const PlainEntry& first, const PlainEntry& second) {
  const float a = first.Ratio;
  const float b = second.Ratio;
  if (a < b) return -1;
  if (a > b) return 1;
  return 0;
}

// Read at run time, so the compiler cannot turn the calls into inline code.
PlainCompare volatile plain_compare = &PlainCompareRatio;

void Partition(PlainEntry* table, std::int64_t lo, std::int64_t hi, PlainCompare compare) {
  std::int64_t i = lo;
  std::int64_t j = hi;
  const PlainEntry x = table[lo + (hi - lo) / 2];
  while (i <= j) {
    while (compare(table[i], x) < 0 && i < hi) ++i;
    while (compare(x, table[j]) < 0 && j > lo) --j;
    if (i <= j) {
      if (i != j) std::swap(table[i], table[j]);
      ++i;
      --j;
    }
  }
  if (lo < j) Partition(table, lo, j, compare);
  if (i < hi) Partition(table, i, hi, compare);
}

void SortPlain(PlainTable& table) {
  if (table.size() > 1) Partition(table.data(), 0, std::int64_t(table.size()) - 1, plain_compare);
}

}  // namespace

PlainTable BuildPlainTable(int min_teeth, int max_teeth) {
  const std::size_t n = std::size_t(max_teeth - min_teeth + 1);
  const std::size_t pair_count = n * n;
  PlainTable pairs(pair_count);
  PlainTable ratios(pair_count * (pair_count + 1) / 2 + 1);
  if (!pairs.created() || !ratios.created()) return PlainTable();

  PlainEntry* p = pairs.data();
  for (int a = min_teeth; a <= max_teeth; ++a) {
    for (int b = min_teeth; b <= max_teeth; ++b) {
      *p++ = {static_cast<float>(static_cast<long double>(a) / b),
              std::uint8_t(a),
              std::uint8_t(b),
              0,
              0,
              0};
    }
  }
  SortPlain(pairs);

  PlainEntry* out = ratios.data();
  for (std::size_t i = 0; i < pair_count; ++i) {
    for (std::size_t j = i; j < pair_count; ++j) {
      const PlainEntry& first = pairs.data()[i];
      const PlainEntry& second = pairs.data()[j];
      PlainEntry& e = *out++;
      e.Ratio = static_cast<float>(static_cast<long double>(second.Ratio) *
                                   static_cast<long double>(first.Ratio));
      e.Gear1 = first.Gear1;
      e.Gear2 = first.Gear2;
      e.Gear3 = second.Gear1;
      e.Gear4 = second.Gear2;
      e.IsSingle = (e.Gear1 == e.Gear2 || e.Gear3 == e.Gear4) ? 1 : 0;
    }
  }
  SortPlain(ratios);
  return ratios;
}

}  // namespace cog::bench
