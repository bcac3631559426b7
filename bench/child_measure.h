#pragma once
// Runs a table build in a child process of its own, so that its peak memory
// is its own and no two large tables are ever alive at once.

#include <cstdint>
#include <functional>

namespace cog::bench {

struct BuildOutcome {
  bool ok = false;         // false: the child failed or the build made no table
  double seconds = 0;      // the build alone, wall clock
  double cpu_seconds = 0;  // the build alone, all threads' processor time
  double peak_bytes = 0;   // the child's peak resident memory (VmHWM)
  double table_bytes = 0;
  std::uint64_t hash = 0;  // of the finished table's bytes
};

// What the child runs: builds, and fills in `seconds` and `cpu_seconds` (the
// build alone), `table_bytes` and `hash` (taken after the clocks stop).
// False: no table.
using BuildProbe = std::function<bool(BuildOutcome& outcome)>;

// Forks, runs `probe` in the child and brings back its outcome with the peak
// memory filled in.
BuildOutcome MeasureInChild(const BuildProbe& probe);

}  // namespace cog::bench
