// The gear advice against the plain way of giving it: chart the set with
// each candidate added, summarize, sort by the advice's key, keep the first
// `count` and of those the ones that improve the chart. The advice searches far less; it must give
// exactly that.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

#include "lathe/thread_chart.h"

namespace cog {
namespace {

// Summarized here from the chart rows, in thread order, as the advice's key
// is defined: threads without a train, those cut exactly, the worst |error|
// and the mean over those with a train.
ChartSummary SummaryOfRows(const std::vector<ChartRow>& rows) {
  ChartSummary s;
  Extended sum = 0;
  for (const ChartRow& row : rows) {
    ++s.threads;
    if (!row.best) {
      ++s.without_train;
      continue;
    }
    s.exact += row.best->error.exact && row.best->error.value.num == 0;
    s.worst = std::max(s.worst, Fabs(row.best->error.approx));
    sum += Fabs(row.best->error.approx);
  }
  if (s.threads > s.without_train) s.mean = sum / Extended(s.threads - s.without_train);
  return s;
}

std::vector<ChartRow> ChartOf(const LatheProfile& profile,
                              std::span<const ThreadSeries* const> series) {
  TrainSearch search;
  std::vector<ChartRow> rows;
  std::string error;
  EXPECT_TRUE(search.Init(profile, &error) && BuildChart(search, series, &rows, &error)) << error;
  return rows;
}

bool Exact(const ChartRow& row) { return row.best && row.best->error.approx == 0; }

AdviceResult PlainAdvice(const LatheProfile& profile, std::span<const ThreadSeries* const> series,
                         int from, int to, int count) {
  AdviceResult result;
  const std::vector<ChartRow> before = ChartOf(profile, series);
  result.before = SummaryOfRows(before);
  for (int teeth = from; teeth <= to; ++teeth) {
    LatheProfile more = profile;
    more.gears.push_back(teeth);
    const std::vector<ChartRow> after = ChartOf(more, series);
    GearAdvice advice{teeth, SummaryOfRows(after)};
    // A line gained: a train where it had none, or exact where it was not.
    for (std::size_t k = 0; k < after.size(); ++k)
      advice.after.gained +=
          (after[k].best && !before[k].best) || (Exact(after[k]) && !Exact(before[k]));
    result.best.push_back(advice);
  }
  auto key = [](const GearAdvice& a) {
    return std::make_tuple(-a.after.gained, a.after.without_train, a.after.worst, a.after.mean,
                           a.teeth);
  };
  std::sort(result.best.begin(), result.best.end(),
            [&](const GearAdvice& a, const GearAdvice& b) { return key(a) < key(b); });
  result.best.resize(std::min<std::size_t>(result.best.size(), count));
  // Only a gear that makes the chart better is advice.
  const ChartSummary& b = result.before;
  std::erase_if(result.best, [&](const GearAdvice& a) {
    return std::make_tuple(-a.after.gained, a.after.without_train, a.after.worst, a.after.mean) >=
           std::make_tuple(0, b.without_train, b.worst, b.mean);
  });
  return result;
}

bool operator==(const ChartSummary& a, const ChartSummary& b) {
  return a.threads == b.threads && a.without_train == b.without_train && a.exact == b.exact &&
         a.worst == b.worst && a.mean == b.mean && a.gained == b.gained;
}

// Small random lathes, with and without a banjo (on some nothing fits until
// a gear is added) or a gearbox, six-gear trains on the smaller sets,
// candidate ranges that cover gears of the set (a second copy) and some
// that do not.
TEST(GearAdviceTest, MatchesChartingEveryCandidate) {
  std::mt19937 rng(7);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const int usual[] = {20, 24, 25, 30, 32, 35, 40, 45, 50, 55, 60, 63, 65, 70, 75, 80, 100, 127};
  const char* const names[] = {"dp", "me", "bsp", "ba", "module", "bsf", "unf"};
  const char* const screws[] = {"2mm", "8tpi", "1.5mm", "4tpi"};
  for (int i = 0; i < 80; ++i) {
    LatheProfile p;
    std::string error;
    const int n = pick(3, 9);
    for (int k = 0; k < n; ++k) p.gears.push_back(pick(0, 4) ? usual[pick(0, 17)] : pick(8, 130));
    ASSERT_TRUE(ReadLeadscrew(screws[pick(0, 3)], &p.leadscrew_mm, &error));
    p.leadscrew_text = "x";
    p.trains[0] = pick(0, 3) != 0;
    p.trains[1] = pick(0, 3) != 0 || !p.trains[0];
    p.trains[2] = n <= 6 && pick(0, 2) == 0;
    if (pick(0, 3) == 0) p.gearbox = {{"A", Fraction{1, 1}}, {"B", Fraction{pick(1, 3), 7}}};
    bool far = false;  // a banjo only trains with a gear larger than the set has reach
    if (pick(0, 1)) {
      far = pick(0, 3) == 0;
      Geometry g;
      g.module = pick(0, 2) ? Fraction{1, 1} : Fraction{5, 4};
      g.centre_distance = Fraction{far ? pick(150, 250) : pick(45, 130), 1};
      g.stud_shaft = Fraction{pick(0, 16), 1};
      g.leadscrew_shaft = Fraction{pick(0, 16), 1};
      if (pick(0, 1)) g.slot.emplace(Fraction{pick(20, 40), 1}, Fraction{pick(40, 120), 1});
      p.geometry = g;
    }
    // The lathe's own gears: the candidate goes to the loose gears, never
    // keyed, and must be judged with them in place.
    if (pick(0, 3) == 0) p.keyed.emplace_back(usual[pick(0, 17)], usual[pick(0, 17)]);
    if (pick(0, 3) == 0) p.first_driver = usual[pick(0, 17)];
    // Without a tumbler, six-gear trains cut the charts' other hand.
    p.tumbler = pick(0, 2) != 0;
    std::vector<const ThreadSeries*> series;
    for (int k = pick(1, 3); k > 0; --k) series.push_back(FindSeries(names[pick(0, 6)]));
    // A list of one's own with left-hand lines: without a tumbler only a
    // six-gear train cuts them.
    ChartList own;
    if (pick(0, 1)) {
      ASSERT_TRUE(ReadSeriesList({"1/4-20 LH", "1mm LH", "M8", "11tpi LH"}, &own, &error));
      series.insert(series.end(), own.series.begin(), own.series.end());
    }
    const int from = far ? pick(120, 260) : pick(0, 1) ? p.gears[0] - pick(0, 10) : pick(8, 280);
    const int to = from + pick(0, 30);
    const int count = pick(1, 6);
    SCOPED_TRACE("case " + std::to_string(i));

    AdviceResult got;
    ASSERT_TRUE(SuggestGear(p, series, from, to, count, &got, &error)) << error;
    const AdviceResult want =
        PlainAdvice(p, series, std::max(from, kMinTeeth), std::min(to, kMaxTeeth), count);
    EXPECT_TRUE(want.before == got.before);
    ASSERT_EQ(want.best.size(), got.best.size());
    for (std::size_t k = 0; k < want.best.size(); ++k) {
      EXPECT_EQ(want.best[k].teeth, got.best[k].teeth) << "rank " << k;
      EXPECT_TRUE(want.best[k].after == got.best[k].after) << "rank " << k;
    }
    if (::testing::Test::HasFailure()) return;
  }
}

// Lathes on which many candidates make some leads exact, each a different
// number of them, and a later (larger) candidate often more than an earlier
// one: the advice may drop a candidate early only when even every lead not
// yet searched turning exact would not lift it into the best `count`. On
// the first every lead has a train within the wide tolerance, so the exact
// leads decide from the start.
TEST(GearAdviceTest, MatchesChartingEveryCandidateThatMakesLeadsExact) {
  const struct {
    const char* json;
    const char* series[2];
  } lathes[] = {
      {R"({"leadscrew": "8tpi", "gears": [20, 30, 40], "trains": [2, 4], "max_error_percent": 50})",
       {"unc", "unf"}},
      {R"({"leadscrew": "4tpi", "gears": [20, 24, 45], "trains": [2]})", {"unc", "bsw"}},
      {R"({"leadscrew": "2mm", "gears": [20, 25, 50], "trains": [2, 4]})", {"iso-coarse", "me"}},
  };
  for (const auto& l : lathes) {
    LatheProfile p;
    std::string error;
    ASSERT_TRUE(ReadProfile(l.json, &p, &error)) << error;
    const ThreadSeries* series[] = {FindSeries(l.series[0]), FindSeries(l.series[1])};
    for (int count = 1; count <= 4; ++count) {
      SCOPED_TRACE(std::string(l.json) + " count " + std::to_string(count));
      AdviceResult got;
      ASSERT_TRUE(SuggestGear(p, series, 15, 130, count, &got, &error)) << error;
      const AdviceResult want = PlainAdvice(p, series, 15, 130, count);
      ASSERT_EQ(want.best.size(), got.best.size());
      for (std::size_t k = 0; k < want.best.size(); ++k) {
        EXPECT_EQ(want.best[k].teeth, got.best[k].teeth) << "rank " << k;
        EXPECT_TRUE(want.best[k].after == got.best[k].after) << "rank " << k;
      }
    }
  }
}

}  // namespace
}  // namespace cog
