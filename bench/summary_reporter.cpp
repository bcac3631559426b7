#include "bench/summary_reporter.h"

#include <charconv>
#include <iomanip>
#include <iostream>
#include <iterator>
#include <vector>

#include "bench/summary_text.h"

namespace cog::bench {
namespace {

const std::vector<int> kWidths = {22, 12, 12, 10, 10, 10, 10, 6};

std::map<std::string, std::uint64_t>& TableHashes() {
  static std::map<std::string, std::uint64_t> hashes;
  return hashes;
}

struct NameParts {
  std::string what, side, which;
};

bool SplitName(const std::string& name, NameParts& parts) {
  const std::size_t first = name.find('/');
  if (first == std::string::npos) return false;
  const std::size_t second = name.find('/', first + 1);
  if (second == std::string::npos) return false;
  parts.what = name.substr(0, first);
  parts.side = name.substr(first + 1, second - first - 1);
  // Google Benchmark appends "/iterations:N", "/manual_time" and the like.
  const std::size_t end = name.find('/', second + 1);
  parts.which = name.substr(second + 1, end == std::string::npos ? end : end - second - 1);
  return parts.side == "reference" || parts.side == "ours";
}

std::string Seconds(double s) {
  if (s >= 1) return Fixed(s, 2) + " s";
  if (s >= 1e-3) return Fixed(s * 1e3, 1) + " ms";
  return Fixed(s * 1e6, 2) + " us";
}

}  // namespace

void NoteTableHash(const std::string& benchmark_name, std::uint64_t hash) {
  TableHashes()[benchmark_name] = hash;
}

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
    NameParts parts;
    if (!SplitName(run.benchmark_name(), parts)) continue;
    const std::string key = parts.what + " " + parts.which;
    if (lines_.find(key) == lines_.end()) order_.push_back(key);
    Measured& m = lines_[key].sides[parts.side];
    m.seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    const auto peak = run.counters.find("peak_per_table");
    if (peak != run.counters.end()) m.peak_per_table = peak->second.value;
    const auto cpu = run.counters.find("cpu_ms");
    if (cpu != run.counters.end()) m.cpu_ms = cpu->second.value;
  }
}

void SummaryReporter::Finalize() {
  ConsoleReporter::Finalize();
  std::cout << "\n";
  PrintRow(
      {"measurement", "reference", "ours", "speed-up", "cpu ratio", "ref peak", "our peak", "same"},
      kWidths);
  for (const std::string& key : order_) {
    const Line& line = lines_[key];
    const auto ref = line.sides.find("reference");
    const auto ours = line.sides.find("ours");
    const std::string what = key.substr(0, key.find(' '));
    const std::string which = key.substr(key.find(' ') + 1);
    const auto hash_ref = TableHashes().find(what + "/reference/" + which);
    const auto hash_ours = TableHashes().find(what + "/ours/" + which);
    std::string same = "-";
    if (hash_ref != TableHashes().end() && hash_ours != TableHashes().end()) {
      same = hash_ref->second == hash_ours->second ? "yes" : "NO";
    }
    std::string ref_text = "-", ours_text = "-", ratio = "-", cpu_ratio = "-", ref_peak = "-",
                our_peak = "-";
    if (ref != line.sides.end()) {
      ref_text = Seconds(ref->second.seconds);
      if (ref->second.peak_per_table > 0) ref_peak = Fixed(ref->second.peak_per_table, 3) + "x";
    }
    if (ours != line.sides.end()) {
      ours_text = Seconds(ours->second.seconds);
      if (ours->second.peak_per_table > 0) our_peak = Fixed(ours->second.peak_per_table, 3) + "x";
    }
    if (ref != line.sides.end() && ours != line.sides.end() && ours->second.seconds > 0) {
      ratio = Fixed(ref->second.seconds / ours->second.seconds, 1) + "x";
      if (ref->second.cpu_ms > 0 && ours->second.cpu_ms > 0) {
        cpu_ratio = Fixed(ref->second.cpu_ms / ours->second.cpu_ms, 1) + "x";
      }
    }
    PrintRow({key, ref_text, ours_text, ratio, cpu_ratio, ref_peak, our_peak, same}, kWidths);
  }
  std::cout << "(speed-up: wall clock; cpu ratio: processor time of all threads; peak: the\n"
               " process's peak resident memory over the table's own size; same: identical bytes)"
            << std::endl;
}

}  // namespace cog::bench
