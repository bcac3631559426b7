// The workshop layer on a realistic lathe: the train search per thread of the
// ISO metric coarse and UNC series (against the brute-force reference on a
// few of them), six-gear trains, a four-series chart and the gear advice,
// each judged against its goal in the summary at the end. Then the queries a
// hostile tester found slow: thousands of rows, the largest sets where
// nothing fits, many gearbox positions, and the gear advice over every
// series with six-gear trains.
//
// Names are "<what>/<ours|reference>/<series>/<size>"; sizes may hold a
// slash ("unc/1/4"), which --benchmark_filter takes like any other text.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "bench/workshop_summary.h"
#include "lathe/profile.h"
#include "lathe/target.h"
#include "lathe/testing/brute_force_trains.h"
#include "lathe/thread_chart.h"
#include "lathe/thread_series.h"
#include "lathe/train_search.h"

namespace cog::bench {
namespace {

// 40 gears: 20 to 119 in steps of 3, the 127 for inch threads on a metric
// screw, and second copies of 20, 26, 32, 50 and 80 for compound trains.
constexpr int kGears40[] = {20, 20, 23, 26, 26,  29,  32,  32,  35,  38,  41,  44, 47, 50,
                            50, 53, 56, 59, 62,  65,  68,  71,  74,  77,  80,  80, 83, 86,
                            89, 92, 95, 98, 101, 104, 107, 110, 113, 116, 119, 127};
// 30 gears: 20 to 116 in steps of 4, the 127, second copies of 20, 40, 60, 80.
constexpr int kGears30[] = {20, 20, 24, 28, 32, 36, 40, 40, 44, 48,  52,  56,  60,  60,  64,
                            68, 72, 76, 80, 80, 84, 88, 92, 96, 100, 104, 108, 112, 116, 127};
static_assert(std::size(kGears40) == 40 && std::size(kGears30) == 30);

// The lathe `json` describes; a benchmark's own data that does not read
// ends the run.
LatheProfile LatheOrExit(const std::string& json, const std::string& what) {
  LatheProfile profile;
  std::string error;
  if (!ReadProfile(json, &profile, &error) || !CheckComplete(profile).ok()) {
    std::cerr << "workshop_bench: " << what << " does not read: " << error
              << CheckComplete(profile).input() << "\n";
    std::exit(1);
  }
  return profile;
}

// A 2 mm lead screw and a module 1 banjo, 110 mm from stud to lead screw,
// 12 mm shafts, the middle shaft's slot from 30 to 100 mm: the fit of every
// simple and compound train is checked (six-gear trains are never checked).
LatheProfile MakeProfile(std::span<const int> gears, const char* trains) {
  std::string json = R"({"leadscrew": "2mm", "module": 1, "centre_distance_mm": 110,
      "stud_shaft_mm": 12, "leadscrew_shaft_mm": 12, "slot_mm": [30, 100], "trains": )";
  json += trains;
  json += R"(, "gears": [)";
  for (std::size_t k = 0; k < gears.size(); ++k) json += (k ? ", " : "") + std::to_string(gears[k]);
  json += "]}";
  return LatheOrExit(json, "the benchmark profile");
}

// The largest sets a profile may list: 60 gears, 20 to 136 in steps of 2 and
// the 127; 59 leave room for the one the gear advice adds.
std::vector<int> LargeSet(int gears) {
  std::vector<int> set;
  for (int t = 20; static_cast<int>(set.size()) + 1 < gears; t += 2) set.push_back(t);
  set.push_back(127);
  return set;
}

// The same 2 mm lead screw and banjo with `module`, `positions` gearbox
// positions (ratios 1/20 to positions/20; none when 0) and `trains`.
LatheProfile MakeLargeProfile(int gears, const char* trains, const char* module, int positions) {
  std::string json = R"({"leadscrew": "2mm", "centre_distance_mm": 110, "stud_shaft_mm": 12,
      "leadscrew_shaft_mm": 12, "slot_mm": [30, 100], "module": )";
  json += module;
  json += R"(, "trains": )";
  json += trains;
  json += R"(, "gearbox": [)";
  for (int k = 1; k <= positions; ++k) {
    json += std::string(k > 1 ? ", " : "") + R"({"name": "P)" + std::to_string(k) +
            R"(", "ratio": ")" + std::to_string(k) + R"(/20"})";
  }
  json += R"(], "gears": [)";
  const std::vector<int> set = LargeSet(gears);
  for (std::size_t k = 0; k < set.size(); ++k) json += (k ? ", " : "") + std::to_string(set[k]);
  json += "]}";
  return LatheOrExit(json, "a large profile");
}

LatheProfile ReadProfileFile(const char* name) {
  std::ifstream file(std::string(COG_SOURCE_DIR "/profiles/") + name);
  std::stringstream text;
  text << file.rdbuf();
  return LatheOrExit(file ? text.str() : "", std::string("profiles/") + name);
}

const LatheProfile& Compound40() {
  static const LatheProfile profile = MakeProfile(kGears40, "[2, 4]");
  return profile;
}
const LatheProfile& SixOnly30() {
  static const LatheProfile profile = MakeProfile(kGears30, "[6]");
  return profile;
}
const LatheProfile& All30() {
  static const LatheProfile profile = MakeProfile(kGears30, "[2, 4, 6]");
  return profile;
}

const ThreadSeries& Series(const char* name) {
  const ThreadSeries* s = FindSeries(name);
  if (s == nullptr) {
    std::cerr << "workshop_bench: no built-in series " << name << "\n";
    std::exit(1);
  }
  return *s;
}

Target ReadOrDie(const char* text) {
  Target target;
  std::string error;
  if (!ReadTarget(text, 1, &target, &error)) {
    std::cerr << "workshop_bench: " << text << ": " << error << "\n";
    std::exit(1);
  }
  return target;
}
Target ReadOrDie(const ThreadEntry& thread) { return ReadOrDie(thread.target); }

bool InitOrSkip(benchmark::State& state, const LatheProfile& profile, TrainSearch* search) {
  std::string error;
  if (search->Init(profile, &error)) return true;
  state.SkipWithError(("Init: " + error).c_str());
  return false;
}

// The top 10 for the target, or false after marking the run as skipped.
bool FindTopOrSkip(benchmark::State& state, const TrainSearch& search, const Target& target,
                   std::vector<TrainRow>* rows) {
  SearchOptions options;
  options.top = 10;
  std::string error;
  if (search.Find(target.lead, options, rows, &error)) return true;
  state.SkipWithError(("Find: " + error).c_str());
  return false;
}

// Find, the top 10, on a search set up once outside the timed loop.
void BM_Find(benchmark::State& state, const LatheProfile* profile, Target target) {
  TrainSearch search;
  if (!InitOrSkip(state, *profile, &search)) return;
  std::vector<TrainRow> rows;
  for (auto _ : state) {
    if (!FindTopOrSkip(state, search, target, &rows)) return;
    benchmark::DoNotOptimize(rows.data());
  }
  state.counters["rows"] = static_cast<double>(rows.size());
}

// Init and Find together, as a one-off query from the command line.
void BM_InitFind(benchmark::State& state, const LatheProfile* profile, Target target) {
  std::vector<TrainRow> rows;
  for (auto _ : state) {
    TrainSearch search;
    if (!InitOrSkip(state, *profile, &search) || !FindTopOrSkip(state, search, target, &rows))
      return;
    benchmark::DoNotOptimize(rows.data());
  }
}

// Every row by brute force, sorted; then, untimed, whether its first 10 rows
// are the search's.
void BM_BruteForce(benchmark::State& state, const LatheProfile* profile, Target target,
                   std::string label) {
  std::vector<testing::ReferenceRow> all;
  for (auto _ : state) {
    all = testing::BruteForceTrains(*profile, target.lead, false);
    benchmark::DoNotOptimize(all.data());
  }
  TrainSearch search;
  std::vector<TrainRow> rows;
  if (!InitOrSkip(state, *profile, &search) || !FindTopOrSkip(state, search, target, &rows)) return;
  bool same = rows.size() == std::min<std::size_t>(all.size(), 10);
  for (std::size_t k = 0; same && k < rows.size(); ++k) {
    same = static_cast<int>(rows[k].kind) == all[k].kind && rows[k].gears == all[k].gears &&
           rows[k].gearbox == all[k].gearbox;
  }
  NoteSame(label, same);
  state.counters["rows"] = static_cast<double>(all.size());
}

std::span<const ThreadSeries* const> ChartSeries() {
  static const ThreadSeries* const series[] = {&Series("iso-coarse"), &Series("iso-fine"),
                                               &Series("unc"), &Series("unf")};
  return series;
}

// Init and the chart of all four series, first rows only.
void BM_Chart(benchmark::State& state) {
  std::vector<ChartRow> rows;
  std::string error;
  for (auto _ : state) {
    TrainSearch search;
    if (!InitOrSkip(state, Compound40(), &search)) return;
    if (!BuildChart(search, ChartSeries(), &rows, &error)) {
      state.SkipWithError(("BuildChart: " + error).c_str());
      return;
    }
    benchmark::DoNotOptimize(rows.data());
  }
  state.counters["threads"] = static_cast<double>(rows.size());
}

// The one gear from 15 to 130 that improves that chart most, the best 5.
void BM_Suggest(benchmark::State& state) {
  AdviceResult result;
  std::string error;
  for (auto _ : state) {
    if (!SuggestGear(Compound40(), ChartSeries(), 15, 130, 5, &result, &error)) {
      state.SkipWithError(("SuggestGear: " + error).c_str());
      return;
    }
    benchmark::DoNotOptimize(result.best.data());
  }
  if (!result.best.empty()) state.counters["best_teeth"] = result.best.front().teeth;
}

// Init and Find with `top` rows, as one query from the command line.
void BM_InitFindTop(benchmark::State& state, const LatheProfile* profile, Target target, int top) {
  SearchOptions options;
  options.top = top;
  std::vector<TrainRow> rows;
  std::string error;
  for (auto _ : state) {
    TrainSearch search;
    if (!InitOrSkip(state, *profile, &search)) return;
    if (!search.Find(target.lead, options, &rows, &error)) {
      state.SkipWithError(("Find: " + error).c_str());
      return;
    }
    benchmark::DoNotOptimize(rows.data());
  }
  state.counters["rows"] = static_cast<double>(rows.size());
}

std::vector<const ThreadSeries*> EverySeries() {
  std::vector<const ThreadSeries*> all;
  for (const ThreadSeries& s : BuiltInSeries()) all.push_back(&s);
  return all;
}

// Init and the chart of `series`.
void BM_ChartOf(benchmark::State& state, const LatheProfile* profile,
                std::vector<const ThreadSeries*> series) {
  std::vector<ChartRow> rows;
  std::string error;
  for (auto _ : state) {
    TrainSearch search;
    if (!InitOrSkip(state, *profile, &search)) return;
    if (!BuildChart(search, series, &rows, &error)) {
      state.SkipWithError(("BuildChart: " + error).c_str());
      return;
    }
    benchmark::DoNotOptimize(rows.data());
  }
  state.counters["threads"] = static_cast<double>(rows.size());
}

// The gear advice over every series, candidates `from` to `to`, the best 5.
void BM_SuggestEvery(benchmark::State& state, const LatheProfile* profile, int from, int to) {
  AdviceResult result;
  std::string error;
  for (auto _ : state) {
    if (!SuggestGear(*profile, EverySeries(), from, to, 5, &result, &error)) {
      state.SkipWithError(("SuggestGear: " + error).c_str());
      return;
    }
    benchmark::DoNotOptimize(result.best.data());
  }
  if (!result.best.empty()) state.counters["best_teeth"] = result.best.front().teeth;
}

// What the hostile tester measured, each alone in its group with its goal:
// a few seconds at most for the largest queries the caps allow.
void RegisterHostile() {
  static const LatheProfile imperial = ReadProfileFile("imperial-8tpi.json");
  // Module 10 where 1 was meant: no simple or compound train fits.
  static const LatheProfile nothing60 = MakeLargeProfile(60, "[2, 4]", "10", 0);
  static const LatheProfile nothing60x20 = MakeLargeProfile(60, "[2, 4]", "10", 20);
  static const LatheProfile six59 = MakeLargeProfile(59, "[2, 4, 6]", "1", 0);
  static const LatheProfile six59m10 = MakeLargeProfile(59, "[2, 4, 6]", "10", 0);
  static const LatheProfile six59x24 = MakeLargeProfile(59, "[2, 4, 6]", "1", 24);
  const Target dp16 = ReadOrDie("dp16"), m125 = ReadOrDie("1.25mm");
  struct Single {
    std::string name, title;
    double goal_seconds;
    benchmark::internal::Benchmark* bench;
  };
  const Single singles[] = {
      {"hostile/thread/dp16/top100000", "imperial, dp16, top 100000", 2,
       benchmark::RegisterBenchmark("hostile/thread/dp16/top100000", BM_InitFindTop, &imperial,
                                    dp16, 100000)},
      {"hostile/thread/dp16/top1000", "imperial, dp16, top kMaxTop", 0.05,
       benchmark::RegisterBenchmark("hostile/thread/dp16/top1000", BM_InitFindTop, &imperial, dp16,
                                    kMaxTop)},
      {"hostile/thread/nothing-fits/60", "60 gears, nothing fits, 1.25mm", 0.05,
       benchmark::RegisterBenchmark("hostile/thread/nothing-fits/60", BM_InitFindTop, &nothing60,
                                    m125, 10)},
      {"hostile/thread/nothing-fits/60x20", "  the same, 20 gearbox positions", 0.05,
       benchmark::RegisterBenchmark("hostile/thread/nothing-fits/60x20", BM_InitFindTop,
                                    &nothing60x20, m125, 10)},
      {"hostile/chart/nothing-fits/bsp", "60 gears, nothing fits, chart bsp", 0.5,
       benchmark::RegisterBenchmark("hostile/chart/nothing-fits/bsp", BM_ChartOf, &nothing60,
                                    std::vector{&Series("bsp")})},
      {"hostile/chart/six59/every", "chart, every series, 59 gears, 2/4/6", 1,
       benchmark::RegisterBenchmark("hostile/chart/six59/every", BM_ChartOf, &six59,
                                    EverySeries())},
      {"suggest/six59/one", "  SuggestGear, every series, +51 only", 2,
       benchmark::RegisterBenchmark("suggest/six59/one", BM_SuggestEvery, &six59, 51, 51)},
      {"suggest/six59/15..130", "  SuggestGear, every series, 116 cand.", 3,
       benchmark::RegisterBenchmark("suggest/six59/15..130", BM_SuggestEvery, &six59, 15, 130)},
      // 8..300 on this set is weighed at about 580 million steps and refused;
      // 15..130 (about 237 million) is the largest advice it accepts.
      {"suggest/six59-m10/one", "  module 10 for 1, +51 only", 2,
       benchmark::RegisterBenchmark("suggest/six59-m10/one", BM_SuggestEvery, &six59m10, 51, 51)},
      {"suggest/six59-m10/15..130", "  module 10 for 1, 116 cand.", 3,
       benchmark::RegisterBenchmark("suggest/six59-m10/15..130", BM_SuggestEvery, &six59m10, 15,
                                    130)},
      // The largest chart and advice the work estimate accepts at 24 positions:
      // about 173 and 242 million steps of the 250 million allowed.
      {"hostile/chart/six59x24/every", "chart, every series, 24 positions", 3,
       benchmark::RegisterBenchmark("hostile/chart/six59x24/every", BM_ChartOf, &six59x24,
                                    EverySeries())},
      {"suggest/six59x24/two", "  24 positions, 2 cand. (the budget)", 3,
       benchmark::RegisterBenchmark("suggest/six59x24/two", BM_SuggestEvery, &six59x24, 51, 52)},
  };
  for (const Single& s : singles) {
    // One query is seconds at worst: a single timed run each.
    s.bench->Iterations(1)->Unit(benchmark::kMillisecond);
    AddToGroup(s.name, s.title, s.goal_seconds, s.name);
  }
}

// Seconds each target's query is timed for, at least; a few milliseconds per
// query gives some tens of iterations.
constexpr double kMinTime = 0.1;
// The brute force takes a few seconds per target with 40 gears: a few
// targets, few iterations.
constexpr int kBruteForceIterations = 2;

struct SeriesTarget {
  std::string series, size;
  Target target;
  bool sampled;  // the first, middle or last thread: timed against the brute force too
};

std::vector<SeriesTarget> Targets() {
  std::vector<SeriesTarget> targets;
  for (const char* name : {"iso-coarse", "unc"}) {
    const std::span<const ThreadEntry> threads = Series(name).threads;
    const std::size_t n = threads.size();
    for (std::size_t k = 0; k < n; ++k)
      targets.push_back(
          {name, threads[k].size, ReadOrDie(threads[k]), k == 0 || k == n / 2 || k + 1 == n});
  }
  return targets;
}

// One benchmark per target for each kind of query, a kind's targets together.
void RegisterPerTarget(const char* what, const char* title, double goal_seconds,
                       benchmark::TimeUnit unit,
                       void (*bench)(benchmark::State&, const LatheProfile*, Target),
                       const LatheProfile* profile) {
  for (const SeriesTarget& t : Targets()) {
    const std::string name = std::string(what) + "/ours/" + t.series + "/" + t.size;
    benchmark::RegisterBenchmark(name.c_str(), bench, profile, t.target)
        ->MinTime(kMinTime)
        ->Unit(unit);
    AddToGroup(std::string(what) + " " + t.series, std::string(title) + t.series, goal_seconds,
               name);
  }
}

bool RegisterWorkshopBenchmarks() {
  RegisterPerTarget("thread", "2/4, 40 gears, Find: ", 1e-3, benchmark::kMicrosecond, BM_Find,
                    &Compound40());
  RegisterPerTarget("thread-init", "2/4, 40 gears, Init+Find: ", 1e-3, benchmark::kMicrosecond,
                    BM_InitFind, &Compound40());
  for (const SeriesTarget& t : Targets()) {
    if (!t.sampled) continue;
    const std::string which = t.series + "/" + t.size, label = t.series + " " + t.size;
    const std::string ref = "thread/reference/" + which;
    benchmark::RegisterBenchmark(ref.c_str(), BM_BruteForce, &Compound40(), t.target, label)
        ->Iterations(kBruteForceIterations)
        ->Unit(benchmark::kMillisecond);
    AddPair(label, ref, "thread/ours/" + which, 100);
  }
  RegisterPerTarget("six", "6 only, 30 gears, Find: ", 0.1, benchmark::kMillisecond, BM_Find,
                    &SixOnly30());
  RegisterPerTarget("six246", "2/4/6, 30 gears, Find: ", 0.1, benchmark::kMillisecond, BM_Find,
                    &All30());
  benchmark::RegisterBenchmark("chart/ours/4-series", BM_Chart)->Unit(benchmark::kMillisecond);
  AddToGroup("chart", "chart, 4 series, 40 gears, Init incl.", 0.1, "chart/ours/4-series");
  benchmark::RegisterBenchmark("suggest/ours/15..130", BM_Suggest)
      ->Iterations(1)
      ->Unit(benchmark::kSecond);
  AddToGroup("suggest", "SuggestGear, 116 candidates, 4 series", 5, "suggest/ours/15..130");
  RegisterHostile();
  return true;
}

const bool registered = RegisterWorkshopBenchmarks();

}  // namespace
}  // namespace cog::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  cog::bench::WorkshopSummary reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
