#include "bench/workshop_summary.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <iomanip>
#include <iostream>
#include <iterator>

#include "bench/summary_text.h"

namespace cog::bench {
namespace {

struct Group {
  std::string title;
  double goal_seconds = 0;
  std::vector<std::string> names;
};

struct Pair {
  std::string label, reference, ours;
  double goal_ratio = 0;
};

struct Registry {
  std::vector<std::string> group_order;
  std::map<std::string, Group> groups;
  std::vector<Pair> pairs;
  std::map<std::string, bool> same;
};

Registry& Known() {
  static Registry registry;
  return registry;
}

std::string Seconds(double s) {
  if (s >= 1) return Fixed(s, 2) + " s";
  if (s >= 1e-3) return Fixed(s * 1e3, s >= 0.1 ? 0 : 1) + " ms";
  return Fixed(s * 1e6, s >= 1e-4 ? 0 : 1) + " us";
}

std::string Ratio(double r) { return Fixed(r, r >= 100 ? 0 : 1) + "x"; }

// The middle value, or the mean of the two middle values. REQUIRES: !v.empty().
double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

void AddToGroup(const std::string& group, const std::string& title, double goal_seconds,
                const std::string& benchmark_name) {
  Registry& r = Known();
  auto [it, added] = r.groups.try_emplace(group);
  if (added) {
    r.group_order.push_back(group);
    it->second.title = title;
    it->second.goal_seconds = goal_seconds;
  }
  it->second.names.push_back(benchmark_name);
}

void AddPair(const std::string& label, const std::string& reference_name,
             const std::string& ours_name, double goal_ratio) {
  Known().pairs.push_back({label, reference_name, ours_name, goal_ratio});
}

void NoteSame(const std::string& label, bool same) { Known().same[label] = same; }

WorkshopSummary::WorkshopSummary()
    : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

void WorkshopSummary::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
    seconds_[run.run_name.function_name].push_back(run.GetAdjustedRealTime() /
                                                   benchmark::GetTimeUnitMultiplier(run.time_unit));
  }
}

void WorkshopSummary::Finalize() {
  ConsoleReporter::Finalize();
  const Registry& r = Known();
  auto measured = [&](const std::string& name, double* seconds) {
    const auto it = seconds_.find(name);
    if (it == seconds_.end() || it->second.empty()) return false;
    *seconds = Median(it->second);
    return true;
  };

  const std::vector<int> group_widths = {40, 8, 10, 10, 12, 6};
  std::cout << "\nworkshop summary (per target: the median and the largest over the targets)\n";
  PrintRow({"measurement", "targets", "median", "largest", "goal", "met"}, group_widths);
  for (const std::string& key : r.group_order) {
    const Group& g = r.groups.at(key);
    std::vector<double> times;
    for (const std::string& name : g.names) {
      double s;
      if (measured(name, &s)) times.push_back(s);
    }
    if (times.empty()) continue;  // filtered out
    const double median = Median(times);
    const double largest = *std::max_element(times.begin(), times.end());
    PrintRow({g.title, std::to_string(times.size()), Seconds(median), Seconds(largest),
              "<= " + Seconds(g.goal_seconds), median <= g.goal_seconds ? "yes" : "NO"},
             group_widths);
  }

  const std::vector<int> pair_widths = {24, 12, 12, 10, 6};
  std::vector<double> ratios;
  double goal_ratio = 0;
  bool header = false;
  for (const Pair& p : r.pairs) {
    double ref, ours;
    if (!measured(p.reference, &ref) || !measured(p.ours, &ours) || ours <= 0) continue;
    if (!header) {
      std::cout << "\nbrute force beside the search (same profile and target, top 10)\n";
      PrintRow({"target", "brute force", "search", "ratio", "same"}, pair_widths);
      header = true;
    }
    const auto same = r.same.find(p.label);
    ratios.push_back(ref / ours);
    goal_ratio = p.goal_ratio;
    PrintRow({p.label, Seconds(ref), Seconds(ours), Ratio(ref / ours),
              same == r.same.end() ? "-"
              : same->second       ? "yes"
                                   : "NO"},
             pair_widths);
  }
  if (!ratios.empty()) {
    const double median = Median(ratios);
    const double least = *std::min_element(ratios.begin(), ratios.end());
    std::cout << "ratio over " << ratios.size() << " targets: median " << Ratio(median)
              << ", least " << Ratio(least) << "; goal >= " << Ratio(goal_ratio) << ": "
              << (median >= goal_ratio ? "met" : "MISSED") << "\n";
  }
  std::cout << "(times are wall clock; the goals are judged on the median per target;\n"
               " same: the brute force's first 10 rows have the search's kinds, gears and "
               "gearbox positions)"
            << std::endl;
}

}  // namespace cog::bench
