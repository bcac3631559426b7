#pragma once
// The console report followed by a short table that sets each of our
// measurements beside its plain reference.
//
// Benchmarks are named "<what>/<reference|ours>/<case>"; each pair with the
// same what and case becomes one line: both wall-clock times, reference /
// ours, and, where measured, reference / ours in processor time (which a busy
// machine disturbs less, but which leaves out what the threads gain), the
// peak memory and whether the two made the same table.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace cog::bench {

// Called by a benchmark to record the hash of the table it made.
void NoteTableHash(const std::string& benchmark_name, std::uint64_t hash);

class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;
  void Finalize() override;

 private:
  struct Measured {
    double seconds = 0;
    double peak_per_table = 0;  // 0 when not measured
    double cpu_ms = 0;          // processor time of all threads; 0 when not measured
  };
  struct Line {
    std::map<std::string, Measured> sides;  // "reference", "ours"
  };
  std::vector<std::string> order_;  // "<what> <case>" in first-seen order
  std::map<std::string, Line> lines_;
};

}  // namespace cog::bench
