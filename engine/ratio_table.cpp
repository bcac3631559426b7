#include "engine/ratio_table.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "engine/ratio_sort.h"
#include "engine/worker_threads.h"
#include "numtext/extended.h"
#include "numtext/table_sort.h"

namespace cog {
namespace {

// n may be zero or negative when MinTeeth exceeds MaxTeeth; its square is still
// a count of (zero) pair entries.
double PairCount(ToothLimits limits) {
  const double n = double(limits.MaxTeeth) - double(limits.MinTeeth) + 1;
  return n * n;
}

void FillPairs(ToothLimits limits, EntryTable& pairs) {
  std::size_t k = 0;
  for (int a = limits.MinTeeth; a <= limits.MaxTeeth; ++a) {
    for (int b = limits.MinTeeth; b <= limits.MaxTeeth; ++b) {
      RatioEntry& e = pairs[k++];
      // Divided at extended precision, then rounded once more to float.
      e.Ratio = static_cast<float>(Extended(a) / Extended(b));
      e.Gear1 = static_cast<std::uint8_t>(a);
      e.Gear2 = static_cast<std::uint8_t>(b);
    }
  }
}

// Row i of the compound fill: pair i with each pair j >= i, written from
// position `m` on. The pair with the lower sorted index becomes the first pair.
// A call per row, for the reason the sort goes in pieces (ratio_sort.cpp).
[[gnu::noinline]] void FillCompoundRow(const EntryTable& pairs, std::size_t i, std::size_t m,
                                       EntryTable& ratios) {
  const std::size_t count = pairs.size();
  const RatioEntry first = pairs[i];
  const bool first_single = first.Gear1 == first.Gear2;
  RatioEntry* out = &ratios[m];
  for (std::size_t j = i; j < count; ++j, ++out) {
    const RatioEntry second = pairs[j];
    RatioEntry e;
    // The product of two floats is exact in double, so this is a single
    // rounding of the exact product, as at extended precision.
    e.Ratio = static_cast<float>(static_cast<double>(second.Ratio) * first.Ratio);
    e.Gear1 = first.Gear1;
    e.Gear2 = first.Gear2;
    e.Gear3 = second.Gear1;
    e.Gear4 = second.Gear2;
    e.IsSingle = (first_single || second.Gear1 == second.Gear2) ? 1 : 0;
    *out = e;
  }
}

// Every unordered choice of two pair entries, a pair with itself included, in
// the order of the plain double loop. Rows are independent, so the threads
// take them in turns; row i starts after the i rows of count, count - 1, ...
// entries before it.
void FillCompounds(const EntryTable& pairs, EntryTable& ratios, unsigned workers) {
  const std::size_t count = pairs.size();
  constexpr std::size_t kRowsPerTurn = 16;
  // A small table is filled before a thread would have started.
  constexpr std::size_t kThreadsFrom = 1 << 20;
  if (ratios.size() < kThreadsFrom) workers = 1;
  std::atomic<std::size_t> next_row{0};
  RunOnWorkers(workers, [&] {
    for (;;) {
      const std::size_t first_row = next_row.fetch_add(kRowsPerTurn);
      if (first_row >= count) return;
      const std::size_t end_row = std::min(count, first_row + kRowsPerTurn);
      for (std::size_t i = first_row; i < end_row; ++i) {
        const std::size_t m = i * (2 * count - i + 1) / 2;
        FillCompoundRow(pairs, i, m, ratios);
      }
    }
  });
}

}  // namespace

std::int64_t RatioTableSlots(ToothLimits limits) {
  const double pairs = PairCount(limits);
  return std::llround(pairs * (pairs + 1) / 2) + 1;
}

RunError BuildRatioTable(ToothLimits limits, RatioTables& tables, ZeroAllocator allocate) {
  const std::int64_t pair_count = std::llround(PairCount(limits));
  const RunError pair_error = tables.PairTable.Create(pair_count - 1, allocate);
  // With n = 0 there is no pair to make; the run goes on with only the zero slot.
  if (pair_error == RunError::kOutOfMemory) return pair_error;
  const RunError ratio_error = tables.RatioTable.Create(RatioTableSlots(limits) - 1, allocate);
  if (ratio_error != RunError::kNone) return ratio_error;
  const unsigned workers = WorkerCount();

  if (tables.PairTable.created()) {
    FillPairs(limits, tables.PairTable);
    SortEntries(tables.PairTable, &CompareRatio);
    FillCompounds(tables.PairTable, tables.RatioTable, workers);
  }
  // Every ratio is a product of positive pair ratios, or the +0 of a zero
  // entry, as the fast sort requires.
  SortRatioEntries(tables.RatioTable.data(), tables.RatioTable.size(), workers);
  return RunError::kNone;
}

}  // namespace cog
