// Walks over the whole default table in which no entry qualifies, so every
// entry is read: the engine's walk against the plain one.

#include <benchmark/benchmark.h>

#include <string>
#include <utility>

#include "bench/plain_walk.h"
#include "engine/table_walk.h"

namespace cog::bench {
namespace {

enum class WalkCase { kEvenOnly, kSingleOnly };

// The default table with every tooth count made odd (nothing passes "Even
// teeth only") or with no entry flagged single (nothing passes "Single
// Ratios Only"). Ratios and order stay as built.
EntryTable TableWhereNothingQualifies(WalkCase walk) {
  RatioTables tables;
  BuildRatioTable(ToothLimits{16, 72}, tables);
  EntryTable table = std::move(tables.RatioTable);
  for (RatioEntry& e : table) {
    if (walk == WalkCase::kEvenOnly) {
      e.Gear1 |= 1;
      e.Gear2 |= 1;
      e.Gear3 |= 1;
      e.Gear4 |= 1;
    } else {
      e.IsSingle = 0;
    }
  }
  return table;
}

void BM_Walk(benchmark::State& state, WalkCase walk, bool ours) {
  const EntryTable table = TableWhereNothingQualifies(walk);
  const bool single = walk == WalkCase::kSingleOnly;
  const bool even = walk == WalkCase::kEvenOnly;
  for (auto _ : state) {
    std::int64_t stop = 0;
    if (ours) {
      stop = WalkTable(table, 0, Direction::kHigher, {single, even}).index;
    } else if (single) {
      stop = PlainSingleHigher(table.data(), table.TopIndex(), 0, false);
    } else {
      stop = PlainEvenHigher(table.data(), table.TopIndex(), 0);
    }
    if (stop != table.TopIndex()) state.SkipWithError("the walk stopped before the top");
    benchmark::DoNotOptimize(stop);
  }
}

bool RegisterWalkBenchmarks() {
  for (const bool ours : {false, true}) {
    const char* side = ours ? "ours" : "reference";
    benchmark::RegisterBenchmark((std::string("walk-even/") + side + "/16..72").c_str(), BM_Walk,
                                 WalkCase::kEvenOnly, ours)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("walk-single/") + side + "/16..72").c_str(), BM_Walk,
                                 WalkCase::kSingleOnly, ours)
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}

const bool registered = RegisterWalkBenchmarks();

}  // namespace
}  // namespace cog::bench
