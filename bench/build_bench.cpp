// The whole table build, ours against the plain one, each in a fresh child
// process as at start-up: allocation, fill and both sorts.

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <string>

#include "bench/child_measure.h"
#include "bench/plain_build.h"
#include "bench/summary_reporter.h"
#include "bench/table_hash.h"
#include "engine/ratio_table.h"

namespace cog::bench {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Processor time of the whole process, all threads, in seconds.
double ProcessCpuSeconds() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

bool ProbeOurs(int min_teeth, int max_teeth, BuildOutcome& outcome) {
  const double cpu_start = ProcessCpuSeconds();
  const Clock::time_point start = Clock::now();
  RatioTables tables;
  const RunError error =
      BuildRatioTable(ToothLimits{std::uint8_t(min_teeth), std::uint8_t(max_teeth)}, tables);
  outcome.seconds = SecondsSince(start);
  outcome.cpu_seconds = ProcessCpuSeconds() - cpu_start;
  if (error != RunError::kNone) return false;
  const EntryTable& t = tables.RatioTable;
  outcome.table_bytes = double(t.size() * sizeof(RatioEntry));
  outcome.hash = HashBytes(t.data(), t.size() * sizeof(RatioEntry));
  return true;
}

bool ProbePlain(int min_teeth, int max_teeth, BuildOutcome& outcome) {
  const double cpu_start = ProcessCpuSeconds();
  const Clock::time_point start = Clock::now();
  const PlainTable t = BuildPlainTable(min_teeth, max_teeth);
  outcome.seconds = SecondsSince(start);
  outcome.cpu_seconds = ProcessCpuSeconds() - cpu_start;
  if (!t.created()) return false;
  outcome.table_bytes = double(t.size() * sizeof(PlainEntry));
  outcome.hash = HashBytes(t.data(), t.size() * sizeof(PlainEntry));
  return true;
}

void BM_Build(benchmark::State& state, const std::string& name, bool ours, int min_teeth,
              int max_teeth) {
  BuildOutcome last;
  double cpu_seconds = 0;
  for (auto _ : state) {
    last = MeasureInChild([&](BuildOutcome& outcome) {
      return ours ? ProbeOurs(min_teeth, max_teeth, outcome)
                  : ProbePlain(min_teeth, max_teeth, outcome);
    });
    if (!last.ok) {
      state.SkipWithError("the build failed in its child process");
      return;
    }
    state.SetIterationTime(last.seconds);
    cpu_seconds += last.cpu_seconds;
  }
  state.counters["cpu_ms"] = 1e3 * cpu_seconds / double(state.iterations());
  state.counters["table_MB"] = last.table_bytes / 1e6;
  state.counters["peak_MB"] = last.peak_bytes / 1e6;
  state.counters["peak_per_table"] = last.peak_bytes / last.table_bytes;
  NoteTableHash(name, last.hash);
}

struct LimitCase {
  int min_teeth, max_teeth;
  int iterations;  // the largest tables take seconds each
};

// 16..72 is the default; 6..130 the largest table the limits allow (1.1 GB).
constexpr LimitCase kLimitCases[] = {
    {16, 50, 5},
    {16, 72, 5},
    {20, 100, 2},
    {6, 130, 1},
};

bool RegisterBuildBenchmarks() {
  for (const LimitCase& c : kLimitCases) {
    const std::string which = std::to_string(c.min_teeth) + ".." + std::to_string(c.max_teeth);
    // The reference runs first, and each run's table dies with its child.
    for (const bool ours : {false, true}) {
      const std::string name = std::string("build/") + (ours ? "ours/" : "reference/") + which;
      benchmark::RegisterBenchmark(name.c_str(), BM_Build, name, ours, c.min_teeth, c.max_teeth)
          ->UseManualTime()
          ->Iterations(c.iterations)
          ->Unit(benchmark::kMillisecond);
    }
  }
  return true;
}

const bool registered = RegisterBuildBenchmarks();

}  // namespace
}  // namespace cog::bench
