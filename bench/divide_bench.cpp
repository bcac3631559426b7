// The dividing head against its goals: divide N on the built-in 40:1 head
// (the head made ready and the best five ways) under 10 ms for N up to
// 10000, primes among them so that differential indexing is searched; the
// chart of 2 to 1000 divisions under 1 s; helical milling with the largest
// gear set a head file may list.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/workshop_summary.h"
#include "divider/divide_chart.h"
#include "divider/head.h"
#include "divider/indexing.h"

namespace cog::bench {
namespace {

void BM_Divide(benchmark::State& state, int divisions) {
  const DividingHead head = BuiltInHead();
  DivideAnswer answer;
  std::string error;
  for (auto _ : state) {
    const Indexer indexer(head);
    if (!indexer.WaysForDivisions(divisions, kDefaultDivideTop, &answer, &error)) {
      state.SkipWithError(error.c_str());
      return;
    }
    benchmark::DoNotOptimize(answer.ways.data());
  }
  state.counters["ways"] = static_cast<double>(answer.ways.size());
}

// The largest head a file may describe: 12 plates of 16 circles (800 to 991
// holes) and 60 change gears (20 to 138 teeth).
DividingHead LargestHead() {
  DividingHead head = BuiltInHead();
  head.plates.assign(kMaxPlates, {});
  for (int p = 0; p < kMaxPlates; ++p)
    for (int c = 0; c < kMaxCircles; ++c) head.plates[p].push_back(800 + p * kMaxCircles + c);
  head.gears.clear();
  for (int t = 20; head.gears.size() < 60; t += 2) head.gears.push_back(t);
  return head;
}

void BM_DivideChart(benchmark::State& state, const DividingHead* head, int from, int to) {
  std::vector<DivideAnswer> lines;
  std::string error;
  for (auto _ : state) {
    const Indexer indexer(*head);
    if (!BuildDivideChart(indexer, from, to, &lines, &error)) {
      state.SkipWithError(error.c_str());
      return;
    }
    benchmark::DoNotOptimize(lines.data());
  }
}

// 60 gears, 20 to 138 in steps of 2: every compound train of them is tried.
void BM_Helix60(benchmark::State& state) {
  DividingHead head = BuiltInHead();
  head.gears.clear();
  for (int t = 20; head.gears.size() < 60; t += 2) head.gears.push_back(t);
  HelixAnswer answer;
  std::string error;
  for (auto _ : state) {
    if (!HelixTrains(head, Whole(250), Whole(1), kDefaultHelixTop, true, &answer, &error)) {
      state.SkipWithError(error.c_str());
      return;
    }
    benchmark::DoNotOptimize(answer.trains.data());
  }
}

bool RegisterDivideBenchmarks() {
  for (int n : {6, 42, 127, 499, 997, 4999, 9973, 10000}) {
    const std::string name = "divide/ours/" + std::to_string(n);
    benchmark::RegisterBenchmark(name.c_str(), BM_Divide, n)
        ->MinTime(0.1)
        ->Unit(benchmark::kMillisecond);
    AddToGroup("divide", "divide N, 40:1 head, top 5: ", 0.01, name);
  }
  static const DividingHead built_in = BuiltInHead(), largest = LargestHead();
  benchmark::RegisterBenchmark("divide/chart/2-1000", BM_DivideChart, &built_in, 2, 1000)
      ->Iterations(3)
      ->Unit(benchmark::kMillisecond);
  AddToGroup("divide-chart", "divide --chart 2-1000, 40:1 head", 1, "divide/chart/2-1000");
  benchmark::RegisterBenchmark("divide/chart/largest-head/9001-10000", BM_DivideChart, &largest,
                               9001, 10000)
      ->Iterations(1)
      ->Unit(benchmark::kMillisecond);
  AddToGroup("divide-chart-largest", "  the same, 9001-10000, largest head", 2,
             "divide/chart/largest-head/9001-10000");
  benchmark::RegisterBenchmark("helix/ours/60-gears", BM_Helix60)
      ->Iterations(1)
      ->Unit(benchmark::kMillisecond);
  AddToGroup("helix", "helix 250mm, 60 gears, every train", 2, "helix/ours/60-gears");
  return true;
}

const bool registered = RegisterDivideBenchmarks();

}  // namespace
}  // namespace cog::bench
