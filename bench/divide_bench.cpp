// The dividing head against its goals: divide N on the built-in 40:1 head
// (the head made ready and the best five ways) under 10 ms for N up to
// 10000, primes among them so that differential indexing is searched; the
// chart of 2 to 1000 divisions under 1 s, and of 1000 numbers on the largest
// heads a file may describe within the 3 s a request may take; helical
// milling with the largest gear set a head file may list.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <utility>
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

// A head inside every cap that makes the differential search try nearly
// every approximate number: ratio 504, the 192 circles up to 1000 whose
// products with 504 have the most divisors, and 60 prime-toothed gears (with
// 121 and 289), so that few trains are ever found.
DividingHead PrimeGearsHead() {
  DividingHead head = BuiltInHead();
  head.ratio = Fraction{504, 1};
  const auto divisors = [](std::int64_t n) {
    int count = 0;
    for (std::int64_t i = 1; i * i <= n; ++i)
      if (n % i == 0) count += i * i == n ? 1 : 2;
    return count;
  };
  std::vector<std::pair<int, int>> by_divisors;  // (-divisors, holes)
  for (int c = 2; c <= 1000; ++c) by_divisors.emplace_back(-divisors(504 * c), c);
  std::sort(by_divisors.begin(), by_divisors.end());
  std::vector<int> circles;
  for (int i = 0; i < kMaxPlates * kMaxCircles; ++i) circles.push_back(by_divisors[i].second);
  std::sort(circles.begin(), circles.end());
  head.plates.assign(kMaxPlates, {});
  for (std::size_t i = 0; i < circles.size(); ++i)
    head.plates[i % kMaxPlates].push_back(circles[i]);
  head.gears = {121, 289};
  for (int t = 11; t < 300; ++t) {
    bool prime = true;
    for (int q = 2; q * q <= t; ++q) prime = prime && t % q != 0;
    if (prime) head.gears.push_back(t);
  }
  return head;
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
  static const DividingHead prime_gears = PrimeGearsHead();
  benchmark::RegisterBenchmark("divide/chart/prime-gears/3001-4000", BM_DivideChart, &prime_gears,
                               3001, 4000)
      ->Iterations(1)
      ->Unit(benchmark::kMillisecond);
  AddToGroup("divide-chart-prime-gears", "  the same, 3001-4000, 60 prime gears", 3,
             "divide/chart/prime-gears/3001-4000");
  benchmark::RegisterBenchmark("helix/ours/60-gears", BM_Helix60)
      ->Iterations(1)
      ->Unit(benchmark::kMillisecond);
  AddToGroup("helix", "helix 250mm, 60 gears, every train", 2, "helix/ours/60-gears");
  return true;
}

const bool registered = RegisterDivideBenchmarks();

}  // namespace
}  // namespace cog::bench
