// Find at the default limits: the bisection against the plain upward scan,
// over targets spread across the whole table.

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "engine/best_match.h"

namespace cog::bench {
namespace {

// The initial text's value, an exact half, a target above everything, and
// 61 targets spaced evenly on a log scale from the smallest ratio to the
// largest.
std::vector<float> Targets() {
  std::vector<float> targets = {0.12345f, 0.5f, 100.0f};
  for (int k = 0; k <= 60; ++k) {
    targets.push_back(static_cast<float>(0.049383 * std::pow(20.25 / 0.049383, k / 60.0)));
  }
  return targets;
}

// One Find per iteration, the targets taken in turn.
void BM_Find(benchmark::State& state, bool ours) {
  RatioTables tables;
  BuildRatioTable(ToothLimits{16, 72}, tables);
  const std::vector<float> targets = Targets();
  std::size_t next = 0;
  for (auto _ : state) {
    const float target = targets[next];
    next = next + 1 == targets.size() ? 0 : next + 1;
    std::int32_t index = 0;
    if (ours) {
      FindBestMatch(tables.RatioTable, target, index);
    } else {
      FindBestMatchByScan(tables.RatioTable, target, index);
    }
    benchmark::DoNotOptimize(index);
  }
}

bool RegisterFindBenchmarks() {
  benchmark::RegisterBenchmark("find/reference/16..72", BM_Find, false)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("find/ours/16..72", BM_Find, true)->Unit(benchmark::kMicrosecond);
  return true;
}

const bool registered = RegisterFindBenchmarks();

}  // namespace
}  // namespace cog::bench
