// Thread charts and gear advice: the summary's figures by hand, each chart row
// against the brute-force reference's best train, and the advice's order both
// where the answer is plain (an imperial series on a metric lead screw wants
// 127) and as a property over every candidate.

#include "lathe/thread_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <tuple>

#include "lathe/row_facts.h"
#include "lathe/testing/brute_force_trains.h"
#include "lathe/thread_answer.h"

namespace cog {
namespace {

LatheProfile Lathe(const char* json) {
  LatheProfile p;
  std::string error;
  EXPECT_TRUE(ReadProfile(json, &p, &error)) << error;
  EXPECT_EQ(CheckComplete(p).input(), "");
  return p;
}

// Errors that are powers of two, so the mean is exact: |1/64|, |-1/32| and 0
// over the three rows with a train is 1/64; two rows have none.
TEST(ThreadChartTest, SummaryCountsAndAveragesRowsWithATrain) {
  std::vector<ChartRow> rows(5);
  const double errors[] = {1.0 / 64, -1.0 / 32, 0};
  for (int i = 0; i < 3; ++i) rows[2 * i].best.emplace().error.approx = Extended(errors[i]);
  const ChartSummary s = Summarize(rows);
  EXPECT_EQ(5, s.threads);
  EXPECT_EQ(2, s.without_train);
  EXPECT_EQ(1, s.exact);
  EXPECT_TRUE(s.worst == Extended(1.0 / 32));
  EXPECT_TRUE(s.mean == Extended(1.0 / 64));
  EXPECT_TRUE(Summarize({}).mean == Extended(0));
}

// Each row carries the reference's first row for its thread. The fit does not
// depend on the thread, so a chart has a train in every row or in none: the
// second lathe's idler cannot reach.
TEST(ThreadChartTest, EachRowHasTheBestTrain) {
  const struct {
    const char* json;
    bool trains;
  } lathes[] = {
      {R"({"leadscrew": "2mm", "gears": [20, 25, 30, 40, 50, 65, 72],
          "gearbox": [{"name": "A", "ratio": "1/1"}, {"name": "B", "ratio": "1/2"}],
          "module": 1, "centre_distance_mm": 70, "stud_shaft_mm": 12, "slot_mm": [25, 60]})",
       true},
      {R"({"leadscrew": "2mm", "gears": [20, 25, 30], "trains": [2],
          "module": 1, "centre_distance_mm": 70})",
       false},
  };
  const ThreadSeries* series[] = {FindSeries("bsw"), FindSeries("ba"), FindSeries("module")};
  for (const auto& l : lathes) {
    const LatheProfile lathe = Lathe(l.json);
    TrainSearch search;
    std::vector<ChartRow> rows;
    std::string error;
    ASSERT_TRUE(search.Init(lathe, &error) && BuildChart(search, series, &rows, &error)) << error;
    // One line per lead, at its first size, listing every size of that lead.
    std::size_t at = 0, sizes = 0;
    for (const ThreadSeries* s : series) {
      for (const ThreadEntry& thread : s->threads) {
        const auto line = std::find_if(rows.begin(), rows.end(), [&](const ChartRow& r) {
          return r.series == s && std::string(r.thread->target) == thread.target;
        });
        ASSERT_NE(line, rows.end()) << thread.size;
        EXPECT_NE(std::find(line->sizes.begin(), line->sizes.end(), &thread), line->sizes.end());
        if (line->thread != &thread) continue;
        ++sizes;
        const ChartRow& row = rows[at++];
        EXPECT_EQ(&row, &*line) << thread.size;
        const auto want = testing::BruteForceTrains(lathe, row.target.lead, false);
        ASSERT_EQ(l.trains, !want.empty()) << thread.size;
        // Beyond 1 %, the best train is the nearest, not an answer.
        const bool within = l.trains && std::fabs(want[0].error_approx) <= 0.01L;
        ASSERT_EQ(within, row.best.has_value()) << thread.size;
        ASSERT_EQ(l.trains && !within, row.nearest.has_value()) << thread.size;
        if (!l.trains) continue;
        const TrainRow& got = within ? *row.best : *row.nearest;
        EXPECT_EQ(want[0].gears, got.gears) << thread.size;
        EXPECT_EQ(want[0].gearbox, got.gearbox) << thread.size;
      }
    }
    EXPECT_EQ(at, rows.size());
    EXPECT_EQ(sizes, rows.size());
  }
}

// ISO metric coarse and fine share most pitches, but each series is a chart
// of its own: a line per pitch of that series, its sizes listed together.
// Pitches and sizes from ISO 261, typed by hand.
TEST(ThreadChartTest, SeriesSharingLeadsKeepTheirOwnLines) {
  const LatheProfile lathe = Lathe(R"({"leadscrew": "2mm", "gears": [20, 30, 40, 60]})");
  const ThreadSeries* series[] = {FindSeries("iso-coarse"), FindSeries("iso-fine")};
  TrainSearch search;
  std::vector<ChartRow> rows;
  std::string error;
  ASSERT_TRUE(search.Init(lathe, &error) && BuildChart(search, series, &rows, &error)) << error;
  std::vector<std::string> leads[2];
  for (const ChartRow& row : rows) {
    const int fine = row.series == series[1];
    leads[fine].push_back(row.thread->target);
    for (const ThreadEntry* size : row.sizes) {
      EXPECT_EQ(row.thread->target, std::string(size->target)) << size->size;
      // Only a fine size names its pitch ("M8x1").
      EXPECT_EQ(fine, std::string(size->size).find('x') != std::string::npos) << size->size;
    }
  }
  const std::vector<std::string> coarse = {
      "0.25mm", "0.3mm", "0.35mm", "0.4mm",  "0.45mm", "0.5mm",  "0.6mm", "0.7mm",
      "0.75mm", "0.8mm", "1mm",    "1.25mm", "1.5mm",  "1.75mm", "2mm",   "2.5mm",
      "3mm",    "3.5mm", "4mm",    "4.5mm",  "5mm",    "5.5mm",  "6mm"};
  // ISO 261's fine pitches, up to the 8 mm of M125 and above.
  const std::vector<std::string> fine = {"0.2mm", "0.25mm", "0.35mm", "0.5mm", "0.75mm",
                                         "1mm",   "1.25mm", "1.5mm",  "2mm",   "3mm",
                                         "4mm",   "6mm",    "8mm"};
  EXPECT_EQ(coarse, leads[0]);
  EXPECT_EQ(fine, leads[1]);
  auto line = [&](int fine_series, const char* lead) -> std::vector<std::string> {
    std::vector<std::string> sizes;
    for (const ChartRow& row : rows)
      if ((row.series == series[1]) == fine_series && std::string(row.thread->target) == lead)
        for (const ThreadEntry* size : row.sizes) sizes.push_back(size->size);
    return sizes;
  };
  EXPECT_EQ((std::vector<std::string>{"M6", "M7"}), line(0, "1mm"));
  EXPECT_EQ((std::vector<std::string>{"M1", "M1.1", "M1.2"}), line(0, "0.25mm"));
  EXPECT_EQ((std::vector<std::string>{"M2x0.25", "M2.2x0.25"}), line(1, "0.25mm"));
  const std::vector<std::string> fine_1mm = line(1, "1mm");
  ASSERT_LE(2u, fine_1mm.size());
  EXPECT_EQ("M8x1", fine_1mm[0]);
  EXPECT_EQ("M9x1", fine_1mm[1]);  // a third-choice size
}

// A machinist's own list: series and targets in any mix, the targets one
// series of their own where the first stands, one line per lead (M3 is
// 0.5 mm), each line's train the one `thread` gives first.
TEST(ThreadChartTest, AMachinistsOwnList) {
  ChartList list;
  std::string error;
  ASSERT_TRUE(ReadSeriesList({"ba", "0.5mm", "unc", "M3", "11tpi", "1/4-20", "11 1/2 tpi", "M8 LH"},
                             &list, &error))
      << error;
  std::vector<std::string> names;
  for (const ThreadSeries* s : list.series) names.push_back(s->name);
  EXPECT_EQ((std::vector<std::string>{"ba", "list", "unc"}), names);
  const ThreadSeries& own = *list.series[1];
  std::vector<std::string> sizes;
  for (const ThreadEntry& e : own.threads) sizes.push_back(e.size);
  EXPECT_EQ((std::vector<std::string>{"0.5mm", "M3", "11tpi", "1/4-20", "11 1/2 tpi", "M8 LH"}),
            sizes);

  // Moved, the list still points at its own texts.
  ChartList moved = std::move(list);
  const std::span<const ThreadSeries* const> just_own(&moved.series[1], 1);
  const LatheProfile lathe = Lathe(R"({"leadscrew": "2mm", "gears": "20-80/5, 127",
                                       "tumbler": true})");
  TrainSearch search;
  std::vector<ChartRow> rows;
  ASSERT_TRUE(search.Init(lathe, &error) && BuildChart(search, just_own, &rows, &error)) << error;
  const struct {
    std::vector<std::string> sizes;
    Fraction lead;
    Hand hand;
  } lines[] = {
      {{"0.5mm", "M3"}, {1, 2}, Hand::kRight}, {{"11tpi"}, {127, 55}, Hand::kRight},
      {{"1/4-20"}, {127, 100}, Hand::kRight},  {{"11 1/2 tpi"}, {254, 115}, Hand::kRight},
      {{"M8 LH"}, {5, 4}, Hand::kLeft},
  };
  ASSERT_EQ(std::size(lines), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    std::vector<std::string> got;
    for (const ThreadEntry* e : rows[i].sizes) got.push_back(e->size);
    EXPECT_EQ(lines[i].sizes, got) << i;
    EXPECT_EQ(lines[i].lead, rows[i].target.lead.mm) << i;
    EXPECT_EQ(lines[i].hand, rows[i].target.hand) << i;
    ThreadAnswer answer;
    SearchOptions first;
    first.top = 1;
    ASSERT_TRUE(AnswerThread(lathe, rows[i].target, first, &answer, &error)) << error;
    ASSERT_EQ(!answer.rows.empty(), rows[i].best.has_value()) << i;
    if (rows[i].best) {
      EXPECT_EQ(answer.rows[0].gears, rows[i].best->gears) << i;
    }
  }
}

TEST(ThreadChartTest, AListThatIsNoChart) {
  const struct {
    std::vector<std::string> items;
    const char* error;
  } cases[] = {
      {{}, "no series given"},
      {{"unc", "bsw", "unc"}, "series \"unc\" is named twice"},
      {{"iso"},
       "unknown series \"iso\" (as a target it has no known unit (write it as 1.25mm, 20tpi, "
       "0.05in, M6, 1/4-20, 1/4 UNC, mod1.5, dp16, 0.1mm/rev or 0.004ipr))"},
      {{"M8", "1/2"},
       "unknown series \"1/2\" (as a target it may be 1/2-13 UNC, 1/2-20 UNF, 1/2-28 UNEF, "
       "1/2-16 UN, 1/2 BSW, 1/2 BSF, 1/2-14 NPT, 1/2 BSB, 1/2 ME32, 1/2 ME40, 1/2-10 ACME; or "
       "1/2mm, 1/2tpi)"},
      {{"0mm"}, "unknown series \"0mm\" (as a target it must be above zero)"},
  };
  for (const auto& c : cases) {
    ChartList list;
    std::string error;
    EXPECT_FALSE(ReadSeriesList(c.items, &list, &error));
    EXPECT_EQ(c.error, error);
  }
}

// The cap on a chart's items, at its edge: 100 leads of one's own are a
// chart, one more is refused before any is read.
TEST(ThreadChartTest, AHundredItemsAtMost) {
  const struct {
    int items;
    const char* error;  // "" when the list is a chart
  } cases[] = {
      {100, ""},
      {101, "101 series and targets are named; a chart takes at most 100"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> items;
    for (int i = 1; i <= c.items; ++i) items.push_back(std::to_string(i) + "mm");
    ChartList list;
    std::string error;
    EXPECT_EQ(*c.error == '\0', ReadSeriesList(items, &list, &error)) << c.items;
    EXPECT_EQ(c.error, error) << c.items;
    if (error.empty()) {
      ASSERT_EQ(1u, list.series.size());
      EXPECT_EQ(static_cast<std::size_t>(c.items), list.series[0]->threads.size());
    }
  }
}

// Charts search exactly what `thread` searches. On random lathes with and
// without a tumbler, six-gear trains often allowed, each line's train is the
// reference's first row that fits and cuts the line's hand (right: the
// series are right-hand), and says so; without a tumbler that rules out
// every six-gear train, which cuts left there.
TEST(ThreadChartTest, EachRowCutsTheLinesHand) {
  std::mt19937 rng(23);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const int usual[] = {20, 24, 25, 30, 35, 40, 45, 50, 60, 63, 65, 75, 80, 127};
  const char* const screws[] = {"2mm", "8tpi", "1.5mm", "4tpi"};
  const ThreadSeries* series[] = {FindSeries("ba"), FindSeries("me")};
  int six_charted = 0, six_ruled_out = 0;
  for (int i = 0; i < 40; ++i) {
    LatheProfile p;
    std::string error;
    for (int k = pick(3, 7); k > 0; --k) p.gears.push_back(usual[pick(0, 13)]);
    ASSERT_TRUE(ReadLeadscrew(screws[pick(0, 3)], &p.leadscrew_mm, &error));
    p.leadscrew_text = "x";
    p.trains[0] = pick(0, 2) == 0;
    p.trains[1] = pick(0, 1) == 0;
    p.trains[2] = pick(0, 3) != 0;
    p.tumbler = pick(0, 1) == 0;
    if (pick(0, 1)) {
      Geometry g;
      g.module = Fraction{1, 1};
      g.centre_distance = Fraction{pick(50, 120), 1};
      p.geometry = g;
    }
    SCOPED_TRACE("case " + std::to_string(i));
    TrainSearch search;
    std::vector<ChartRow> rows;
    ASSERT_TRUE(search.Init(p, &error) && BuildChart(search, series, &rows, &error)) << error;
    for (const ChartRow& row : rows) {
      auto want = testing::BruteForceTrains(p, row.target.lead, false);
      const bool six_first = !want.empty() && want[0].kind == 6;
      std::erase_if(want, [&](const testing::ReferenceRow& r) {
        return testing::CutsHand(p, Hand::kRight, r) != Hand::kRight;
      });
      six_ruled_out += six_first && (want.empty() || want[0].kind != 6);
      const std::optional<TrainRow>& got = row.best ? row.best : row.nearest;
      ASSERT_EQ(!want.empty(), got.has_value()) << row.thread->size;
      if (want.empty()) continue;
      EXPECT_EQ(std::fabs(want[0].error_approx) <= 0.01L, row.best.has_value()) << row.thread->size;
      EXPECT_EQ(want[0].gears, got->gears) << row.thread->size;
      const RowFacts facts = FactsOf(p, row.target, *got);
      EXPECT_EQ(Hand::kRight, facts.cuts) << row.thread->size;
      EXPECT_TRUE(facts.target_hand) << row.thread->size;
      six_charted += got->kind == TrainKind::kSix;
    }
    if (::testing::Test::HasFailure()) return;
  }
  // Both ways of the tumbler decided some line.
  EXPECT_GT(six_charted, 0);
  EXPECT_GT(six_ruled_out, 0);
}

// Every tpi lead on a 2 mm screw is 127/(10 tpi) turns of it, which only a
// gear of 127 teeth or a multiple cuts exactly: 127 first, then 254 (as good,
// but larger), then a gear that leaves an error.
constexpr ThreadEntry kImperial[] = {{"a", "8tpi"}, {"b", "10tpi"}, {"c", "16tpi"}, {"d", "20tpi"}};
const ThreadSeries kImperialSeries{"imperial", "imperial", kImperial};

TEST(ThreadChartTest, AdviceForAnImperialSeriesOnAMetricScrewIs127) {
  const LatheProfile lathe = Lathe(
      R"({"leadscrew": "2mm", "gears": [20, 25, 30, 40, 50, 60, 80, 100], "trains": [2, 4]})");
  const ThreadSeries* series[] = {&kImperialSeries};
  AdviceResult advice;
  std::string error;
  ASSERT_TRUE(SuggestGear(lathe, series, 100, 260, 3, &advice, &error)) << error;
  EXPECT_GT(advice.before.worst, 0);
  ASSERT_EQ(3u, advice.best.size());
  EXPECT_EQ(127, advice.best[0].teeth);
  EXPECT_EQ(254, advice.best[1].teeth);
  EXPECT_EQ(0, advice.best[0].after.worst + advice.best[1].after.worst);
  EXPECT_GT(advice.best[2].after.worst, 0);
}

// A 16 TPI mini-lathe with the usual 7x set, charting ISO metric coarse and
// fine. 25.4 = 127/5 and 127 is prime, so a metric lead is cut exactly only
// through a gear whose teeth 127 divides: none of the set, and of the
// candidates up to 130 only 127 itself. So nothing is exact now, no other
// candidate makes a line exact, and 127, which makes most of them exact,
// ranks first (the worst |error| alone put +119 first). How many it makes
// exact is counted from the reference's best train of each line.
TEST(ThreadChartTest, AdviceRanksTheGearThatMakesLeadsExactFirst) {
  LatheProfile lathe = Lathe(R"({"leadscrew": "16tpi", "trains": [2, 4],
      "gears": [20, 20, 30, 35, 40, 40, 45, 50, 55, 57, 60, 65, 80, 80]})");
  const ThreadSeries* series[] = {FindSeries("iso-coarse"), FindSeries("iso-fine")};
  AdviceResult advice;
  std::string error;
  ASSERT_TRUE(SuggestGear(lathe, series, 15, 130, 5, &advice, &error)) << error;
  EXPECT_EQ(0, advice.before.exact);
  ASSERT_EQ(5u, advice.best.size());
  EXPECT_EQ(127, advice.best[0].teeth);
  for (std::size_t k = 1; k < advice.best.size(); ++k)
    EXPECT_EQ(0, advice.best[k].after.exact) << advice.best[k].teeth;

  lathe.gears.push_back(127);
  TrainSearch search;
  std::vector<ChartRow> rows;
  ASSERT_TRUE(search.Init(lathe, &error) && BuildChart(search, series, &rows, &error)) << error;
  int exact = 0;
  for (const ChartRow& row : rows) {
    const auto want = testing::BruteForceTrains(lathe, row.target.lead, false);
    exact += !want.empty() && want[0].error_num == 0;
  }
  EXPECT_EQ(advice.best[0].after.threads, static_cast<int>(rows.size()));
  EXPECT_GT(exact, advice.best[0].after.threads / 2);
  EXPECT_EQ(exact, advice.best[0].after.exact);
}

// Every candidate's summary recomputed from its own chart, and the list in the
// advice's order. Two gears make no simple train; a third makes some, and the
// banjo lets only some of them fit, so each step of the order decides somewhere.
TEST(ThreadChartTest, AdviceIsSortedByItsKey) {
  // A tolerance wide enough that every train counts, so that all three
  // keys get to decide.
  LatheProfile lathe = Lathe(R"({"leadscrew": "3mm", "gears": [20, 35], "trains": [2],
      "module": 1, "centre_distance_mm": 40, "slot_mm": [30, 45], "max_error_percent": 1000})");
  const ThreadSeries* series[] = {&kImperialSeries, FindSeries("iso-coarse")};
  AdviceResult advice;
  std::string error;
  ASSERT_TRUE(SuggestGear(lathe, series, 15, 140, 1000, &advice, &error)) << error;
  // Of the 126 candidates, those that make the chart better.
  ASSERT_GT(advice.best.size(), 10u);
  auto key = [](const GearAdvice& a) {
    return std::make_tuple(-a.after.gained, a.after.without_train, a.after.worst, a.after.mean,
                           a.teeth);
  };
  int decided_by[5] = {0, 0, 0, 0, 0};
  TrainSearch search;
  std::vector<ChartRow> rows;
  for (std::size_t i = 0; i < advice.best.size(); ++i) {
    const GearAdvice& a = advice.best[i];
    lathe.gears.push_back(a.teeth);
    ASSERT_TRUE(search.Init(lathe, &error) && BuildChart(search, series, &rows, &error));
    lathe.gears.pop_back();
    const ChartSummary want = Summarize(rows);
    EXPECT_EQ(std::make_tuple(want.threads, want.without_train, want.exact, want.worst, want.mean),
              std::make_tuple(a.after.threads, a.after.without_train, a.after.exact, a.after.worst,
                              a.after.mean))
        << a.teeth;
    if (i == 0) continue;
    const GearAdvice& p = advice.best[i - 1];
    EXPECT_LT(key(p), key(a)) << p.teeth << " before " << a.teeth;
    decided_by[p.after.gained != a.after.gained                 ? 0
               : p.after.without_train != a.after.without_train ? 1
               : p.after.worst != a.after.worst                 ? 2
               : p.after.mean != a.after.mean                   ? 3
                                                                : 4]++;
  }
  // On this lathe every gear that gains as many lines leaves as many without
  // a train, so that key never decides here (the differential advice tests
  // cover it).
  for (int level : {0, 2, 3, 4}) EXPECT_GT(decided_by[level], 0) << level;
}

}  // namespace
}  // namespace cog
