#pragma once
// Tables shared by the engine and dialog tests: the default-limit table takes a
// moment to build, so it is built once per test program.

#include <initializer_list>

#include "engine/ratio_table.h"

namespace cog::testing {

inline const RatioTables& DefaultTables() {
  static const RatioTables* tables = [] {
    auto* t = new RatioTables;
    BuildRatioTable(ToothLimits{16, 72}, *t);
    return t;
  }();
  return *tables;
}

inline RatioTables BuildTables(int min_teeth, int max_teeth) {
  RatioTables t;
  BuildRatioTable(
      ToothLimits{static_cast<std::uint8_t>(min_teeth), static_cast<std::uint8_t>(max_teeth)}, t);
  return t;
}

// The ratio as a value: test macros bind references, and a packed float
// member cannot be bound without a misaligned access.
inline float RatioOf(const RatioEntry& e) { return e.Ratio; }

// A hand-made table of the given entries, in the given order.
inline EntryTable MakeTable(std::initializer_list<RatioEntry> entries) {
  EntryTable table;
  table.Create(static_cast<std::int64_t>(entries.size()) - 1);
  std::size_t i = 0;
  for (const RatioEntry& e : entries) table[i++] = e;
  return table;
}

}  // namespace cog::testing
