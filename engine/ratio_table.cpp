#include "engine/ratio_table.h"

#include <cfloat>
#include <cmath>

#include "numtext/table_sort.h"

static_assert(LDBL_MANT_DIG == 64, "pair ratios are divided at x87 extended precision");

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
      e.Ratio = static_cast<float>(static_cast<long double>(a) / static_cast<long double>(b));
      e.Gear1 = static_cast<std::uint8_t>(a);
      e.Gear2 = static_cast<std::uint8_t>(b);
    }
  }
}

// Every unordered choice of two pair entries, a pair with itself included; the
// pair with the lower sorted index becomes the first pair.
void FillCompounds(const EntryTable& pairs, EntryTable& ratios) {
  const std::size_t count = pairs.size();
  std::size_t m = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const RatioEntry first = pairs[i];
    for (std::size_t j = i; j < count; ++j) {
      const RatioEntry second = pairs[j];
      RatioEntry& e = ratios[m++];
      // The product of two floats is exact in double, so this is a single
      // rounding of the exact product, as at extended precision.
      e.Ratio = static_cast<float>(static_cast<double>(second.Ratio) * first.Ratio);
      e.Gear1 = first.Gear1;
      e.Gear2 = first.Gear2;
      e.Gear3 = second.Gear1;
      e.Gear4 = second.Gear2;
      e.IsSingle = (e.Gear1 == e.Gear2 || e.Gear3 == e.Gear4) ? 1 : 0;
    }
  }
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

  if (tables.PairTable.created()) {
    FillPairs(limits, tables.PairTable);
    SortEntries(tables.PairTable, &CompareRatio);
    FillCompounds(tables.PairTable, tables.RatioTable);
  }
  SortEntries(tables.RatioTable, &CompareRatio);
  return RunError::kNone;
}

}  // namespace cog
