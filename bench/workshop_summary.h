#pragma once
// The console report of the workshop benchmarks, followed by a short summary:
// per group of targets (one benchmark per target), the median and the largest
// per-target time against the group's goal; then the brute-force reference
// beside the search, target by target, with the ratio and whether both gave
// the same first rows.
//
// A benchmark's time is the mean over its iterations (the median over its
// repetitions when --benchmark_repetitions is given). Groups and pairs are
// printed in the order they were first declared.

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace cog::bench {

// `benchmark_name` (as registered) is one target of `group`; the group's line
// reads `title` and its goal is a median of at most `goal_seconds` per target.
void AddToGroup(const std::string& group, const std::string& title, double goal_seconds,
                const std::string& benchmark_name);

// `label` sets the reference benchmark beside ours on the same target; the
// pairs' median ratio is judged against `goal_ratio`.
void AddPair(const std::string& label, const std::string& reference_name,
             const std::string& ours_name, double goal_ratio);

// Whether the reference and the search gave the same first rows for `label`.
void NoteSame(const std::string& label, bool same);

class WorkshopSummary : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal.
  WorkshopSummary();
  void ReportRuns(const std::vector<Run>& runs) override;
  void Finalize() override;

 private:
  std::map<std::string, std::vector<double>> seconds_;  // by registered name
};

}  // namespace cog::bench
