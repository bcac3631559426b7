// The train search against the brute-force reference: random gear sets, lead
// screws, fixed ratios, gearboxes, geometries (many exactly on a rule's
// boundary, some where nothing fits) and targets of every unit. The search
// must return exactly the reference's first rows: the same trains,
// arrangements, ratios, errors and fits. FindUsing, given the rows of the
// set less one gear, must return the reference's rows of the whole set.

#include "lathe/train_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "gears/fraction_text.h"
#include "lathe/row_facts.h"
#include "lathe/testing/brute_force_trains.h"
#include "lathe/thread_answer.h"
#include "lathe/train_report.h"
#include "numtext/testing/long_double_bits.h"

namespace cog {
namespace {

using testing::BruteForceTrains;
using testing::ReferenceRow;

struct Case {
  LatheProfile profile;
  Target target;
  SearchOptions options;
};

Fraction Frac(std::int64_t n, std::int64_t d) {
  Fraction f;
  EXPECT_TRUE(MakeFraction(n, d, &f));
  return f;
}

// What a run of random cases looks like.
struct Shape {
  const char* name;
  unsigned seed;
  int cases;
  int max_gears;
  bool six;
  int max_positions;   // of a gearbox, when the case has one
  bool every_row;      // top 500 or every row, else 1 to 12
  bool cramped;        // banjos where little or nothing fits
  bool ties;           // many trains exactly on the target, that only their gears tell apart
  bool fixed = false;  // keyed pairs and a first driver on most lathes
};

void PrintTo(const Shape& shape, std::ostream* os) { *os << shape.name; }

class RandomCases {
 public:
  explicit RandomCases(const Shape& shape) : shape_(shape), rng_(shape.seed) {}

  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

  Case Next() {
    Case c;
    LatheProfile& p = c.profile;
    const int n = Int(2, shape_.max_gears);
    for (int i = 0; i < n; ++i) {
      p.gears.push_back(shape_.ties ? Pick<int>({20, 24, 30, 36, 40, 45, 48, 60, 72, 80, 90, 120})
                                    : Pick<int>({20, 24, 25, 30, 40, 40, 127, 120}) +
                                          (Int(0, 2) ? 0 : Int(-12, 60)));
    }
    std::vector<int> all = p.gears;  // every gear the lathe has, for the banjo's boundaries
    if (shape_.fixed) AddFixedGears(&p, &all);
    const char* screws[] = {"1.5mm", "2mm", "3mm", "8tpi", "6tpi", "4tpi", "1.25mm"};
    EXPECT_TRUE(ReadLeadscrew(screws[Int(0, 6)], &p.leadscrew_mm, &why_));
    p.leadscrew_text = "x";
    if (Int(0, 2) == 0) p.fixed_ratio = Frac(Int(1, 5), Int(1, 5));
    for (int g = Int(0, 3) == 0 ? Int(1, shape_.max_positions) : 0; g > 0; --g)
      p.gearbox.push_back({"P" + std::to_string(g), Frac(Int(1, 4), Int(1, 4))});
    p.trains[0] = Int(0, 3) != 0;
    p.trains[1] = Int(0, 3) != 0 || !p.trains[0];
    p.trains[2] = shape_.six;
    if (shape_.cramped || Int(0, 3) != 0) p.geometry = RandomGeometry(all);
    c.target = shape_.ties ? TiedTarget(p) : RandomTarget(p);
    c.options.top = shape_.every_row ? (Int(0, 1) ? 500 : 1000000)
                    : shape_.ties    ? Int(1, 3)
                                     : Int(1, 12);
    c.options.keep_unfit = Int(0, 3) == 0;
    return c;
  }

 private:
  template <typename T>
  T Pick(std::initializer_list<T> values) {
    return *(values.begin() + Int(0, static_cast<int>(values.size()) - 1));
  }

  // Up to three keyed pairs and a first driver, often of a tooth count the
  // loose gears also have, so that rows made loose and keyed coincide.
  void AddFixedGears(LatheProfile* p, std::vector<int>* all) {
    auto teeth = [&] { return Int(0, 2) ? p->gears[Int(0, p->gears.size() - 1)] : Int(15, 90); };
    for (int k = Int(0, 3); k > 0; --k) {
      const int one = teeth();
      p->keyed.emplace_back(one, Int(0, 5) ? teeth() : one);
      all->push_back(p->keyed.back().first);
      all->push_back(p->keyed.back().second);
    }
    // First in `all`, where the banjo's boundaries most often take A from.
    if (Int(0, 2)) all->insert(all->begin(), p->first_driver.emplace(teeth()));
  }

  // A centre distance and slot put on some rule's boundary half the time:
  // the exact distance at which a random compound train just closes.
  Geometry RandomGeometry(const std::vector<int>& gears) {
    Geometry g;
    g.module = Pick({Frac(1, 1), Frac(5, 4), Frac(127, 160), Frac(1, 2)});
    const int a = gears[Int(0, 1) ? 0 : Int(0, gears.size() - 1)];
    const int b = gears[Int(0, gears.size() - 1)];
    const int c = gears[Int(0, gears.size() - 1)], d = gears[Int(0, gears.size() - 1)];
    Fraction l1, l2, sum;
    EXPECT_TRUE(Multiply(g.module, Frac(a + b, 2), &l1) &&
                Multiply(g.module, Frac(c + d, 2), &l2) && Add(l1, l2, &sum));
    g.centre_distance = Int(0, 1) ? sum : Frac(Int(40, 200), Int(1, 3));
    g.stud_shaft = Frac(Int(0, 90), Int(1, 2));
    g.leadscrew_shaft = Frac(Int(0, 90), Int(1, 2));
    if (Int(0, 2) == 0) g.slot.emplace(Int(0, 1) ? l2 : Frac(Int(0, 50), 1), Frac(Int(50, 150), 1));
    if (shape_.cramped) {
      // A module typed ten times too large, a banjo too short, a narrow
      // slot, a distance only the largest gears reach, or figures on which
      // a random train's tip or shaft clearance is exactly 0.
      Fraction room, twice;
      switch (Int(0, 7)) {
        case 0:
          g.module = Frac(Int(5, 20), 1);
          break;
        case 1:
          g.centre_distance = Frac(Int(10, 60), 1);
          break;
        case 2:
          g.slot.emplace(l2, l2);
          break;
        case 3:
          g.centre_distance = Frac(Int(200, 400), 1);
          break;
        case 4:  // A's or D's tip just clears a shaft: 2 Dc = m (T + 2) + shaft
        case 5:
          EXPECT_TRUE(Multiply(g.module, Frac(Int(0, 1) ? d + 2 : a + 2, 1), &room) &&
                      Add(room, Int(0, 1) ? g.stud_shaft : g.leadscrew_shaft, &twice) &&
                      Multiply(twice, Frac(1, 2), &g.centre_distance));
          break;
        case 6:  // A and the smallest gear just clear each other: 2 Dc = m (A + min + 4)
          EXPECT_TRUE(Multiply(g.module,
                               Frac(a + *std::min_element(gears.begin(), gears.end()) + 4, 2),
                               &g.centre_distance));
          break;
        default:  // C just clears the stud: stud = m (A + B - C - 2)
          if (a + b - c - 2 > 0) {
            EXPECT_TRUE(Multiply(g.module, Frac(a + b - c - 2, 1), &g.stud_shaft));
          }
      }
    }
    return g;
  }

  // A lead the smooth tooth counts cut in many ways.
  Target TiedTarget(const LatheProfile& p) {
    Fraction lead;
    EXPECT_TRUE(
        Multiply(p.leadscrew_mm, Pick({Frac(1, 2), Frac(2, 3), Frac(3, 4), Frac(1, 1)}), &lead));
    Target t;
    EXPECT_TRUE(ReadTarget(FractionText(lead) + "mm", 1, &t, &why_)) << why_;
    return t;
  }

  // A random text target, or one that some train cuts exactly.
  Target RandomTarget(const LatheProfile& p) {
    std::string text;
    switch (Int(0, 5)) {
      case 0:
        text = std::to_string(Int(1, 400) * 25) + "/10000mm";
        break;
      case 1:
        text = std::to_string(Int(4, 80)) + "tpi";
        break;
      case 2:
        text = "mod" + std::to_string(Int(1, 12)) + "/4";
        break;
      case 3:
        text = "dp" + std::to_string(Int(8, 64));
        break;
      case 4:
        text = "0.00" + std::to_string(Int(1, 9)) + "in/rev";
        break;
      default: {
        Fraction lead;
        EXPECT_TRUE(Multiply(p.leadscrew_mm, Frac(p.gears[0], p.gears.back()), &lead));
        text = FractionText(lead) + "mm";
      }
    }
    Target t;
    const int starts = Int(0, 4) ? 1 : Int(2, 3);
    // A feed has no starts.
    const bool feed = text.ends_with("/rev");
    EXPECT_TRUE(ReadTarget(text, feed ? 1 : starts, &t, &why_)) << text << ": " << why_;
    return t;
  }

  const Shape& shape_;
  std::mt19937 rng_;
  std::string why_;
};

void ExpectSameRows(const Case& c, const std::vector<ReferenceRow>& want,
                    const std::vector<TrainRow>& got) {
  const std::size_t n = std::min<std::size_t>(want.size(), c.options.top);
  ASSERT_EQ(n, got.size());
  for (std::size_t i = 0; i < n; ++i) {
    SCOPED_TRACE("row " + std::to_string(i));
    const ReferenceRow& w = want[i];
    const TrainRow& g = got[i];
    EXPECT_EQ(w.kind, static_cast<int>(g.kind));
    EXPECT_EQ(w.gears, g.gears);
    EXPECT_EQ(w.gearbox, g.gearbox);
    EXPECT_TRUE(w.ratio_num == g.ratio.num && w.ratio_den == g.ratio.den);
    EXPECT_EQ(c.target.lead.exact, g.error.exact);
    if (g.error.exact) {
      EXPECT_TRUE(w.error_num == g.error.value.num && w.error_den == g.error.value.den);
    } else {
      EXPECT_EQ(w.error_approx, testing::ToLongDouble(g.error.approx));
    }
    EXPECT_EQ(w.fits, g.fits);
  }
}

std::vector<ReferenceRow> Reference(const Case& c) {
  return BruteForceTrains(c.profile, c.target.lead, c.options.keep_unfit);
}

constexpr Shape kShapes[] = {
    {"SimpleAndCompound", 1, 300, 10, false, 3, false, false, false},
    {"SixGear", 2, 40, 8, true, 3, false, false, false},
    {"LittleOrNothingFits", 3, 150, 12, false, 3, false, true, false},
    {"EveryRow", 4, 60, 9, false, 3, true, false, false},
    {"SixGearEveryRow", 5, 12, 7, true, 2, true, false, false},
    {"ManyGearboxPositions", 6, 40, 8, false, 24, false, false, false},
    {"ExactTies", 7, 80, 10, false, 2, false, false, true},
    {"SixGearExactTies", 8, 30, 8, true, 1, false, false, true},
    {"Keyed", 9, 300, 8, false, 3, false, false, false, true},
    {"KeyedSixGear", 10, 60, 6, true, 2, false, false, false, true},
    {"KeyedLittleOrNothingFits", 11, 300, 14, false, 2, false, true, false, true},
    {"KeyedEveryRow", 12, 40, 7, true, 2, true, false, false, true},
    {"KeyedExactTies", 13, 80, 8, true, 1, false, false, true, true},
};

class TrainSearchTest : public ::testing::TestWithParam<Shape> {};

TEST_P(TrainSearchTest, FindMatchesBruteForce) {
  RandomCases cases(GetParam());
  for (int i = 0; i < GetParam().cases; ++i) {
    const Case c = cases.Next();
    SCOPED_TRACE("case " + std::to_string(i) + " target " + c.target.text);
    TrainSearch search;
    std::string error;
    ASSERT_TRUE(search.Init(c.profile, &error)) << error;
    std::vector<TrainRow> rows;
    ASSERT_TRUE(search.Find(c.target.lead, c.options, &rows, &error)) << error;
    ExpectSameRows(c, Reference(c), rows);
    if (::testing::Test::HasFailure()) return;
  }
}

// A gear of the set is taken out; the rows of the smaller set, with the
// rows that use the gear, must be the whole set's. Alone, the rows that use
// it must be the whole set's rows that show it.
TEST_P(TrainSearchTest, FindUsingMatchesBruteForce) {
  RandomCases cases(GetParam());
  for (int i = 0; i < GetParam().cases; ++i) {
    const Case c = cases.Next();
    const int teeth = c.profile.gears[cases.Int(0, c.profile.gears.size() - 1)];
    SCOPED_TRACE("case " + std::to_string(i) + " target " + c.target.text + " gear " +
                 std::to_string(teeth));
    Case less = c;
    less.profile.gears.erase(
        std::find(less.profile.gears.begin(), less.profile.gears.end(), teeth));
    TrainSearch search, smaller;
    std::string error;
    std::vector<TrainRow> known, rows;
    ASSERT_TRUE(search.Init(c.profile, &error) && smaller.Init(less.profile, &error)) << error;
    ASSERT_TRUE(smaller.Find(c.target.lead, c.options, &known, &error)) << error;
    ASSERT_TRUE(search.FindUsing(c.target.lead, teeth, known, c.options, &rows, &error)) << error;
    std::vector<ReferenceRow> all = Reference(c);
    ExpectSameRows(c, all, rows);

    ASSERT_TRUE(search.FindUsing(c.target.lead, teeth, {}, c.options, &rows, &error)) << error;
    std::erase_if(all, [&](const ReferenceRow& r) {
      return std::find(r.gears.begin(), r.gears.end(), teeth) == r.gears.end();
    });
    ExpectSameRows(c, all, rows);
    if (::testing::Test::HasFailure()) return;
  }
}

// The answer a machinist gets: the reference's rows less those that cut the
// other hand on a lathe without a tumbler and those beyond the tolerance;
// with every row asked for, those that cut the other hand after all the
// others. Each row says the hand the reference gives it, and `train` asked
// about the row's gears says the same at each gearbox position.
TEST_P(TrainSearchTest, AnswerMatchesFilteredBruteForce) {
  RandomCases cases(GetParam());
  const std::int64_t percents[][2] = {{1, 1}, {1, 2}, {5, 1}, {50, 1}, {1, 1000}};
  for (int i = 0; i < GetParam().cases; ++i) {
    Case c = cases.Next();
    c.profile.tumbler = cases.Int(0, 1) == 0;
    c.target.hand = cases.Int(0, 1) ? Hand::kLeft : Hand::kRight;
    const auto* percent = percents[cases.Int(0, 4)];
    c.profile.max_error_percent = Frac(percent[0], percent[1]);
    SCOPED_TRACE("case " + std::to_string(i) + " target " + c.target.text);
    ThreadAnswer answer;
    std::string error;
    ASSERT_TRUE(AnswerThread(c.profile, c.target, c.options, &answer, &error)) << error;
    std::vector<ReferenceRow> want = Reference(c);
    auto other_hand = [&](const ReferenceRow& r) {
      return testing::CutsHand(c.profile, c.target.hand, r) != c.target.hand;
    };
    if (c.options.keep_unfit) {
      std::stable_partition(want.begin(), want.end(),
                            [&](const ReferenceRow& r) { return !other_hand(r); });
    } else {
      std::erase_if(want, [&](const ReferenceRow& r) {
        const bool beyond =
            c.target.lead.exact
                ? (r.error_num < 0 ? -r.error_num : r.error_num) * 100 * percent[1] >
                      static_cast<__int128>(percent[0]) * r.error_den
                : fabsl(r.error_approx) * 100 * percent[1] > percent[0];
        return other_hand(r) || beyond;
      });
    }
    ExpectSameRows(c, want, answer.rows);
    if (::testing::Test::HasFailure()) return;
    for (std::size_t k = 0; k < answer.rows.size(); ++k) {
      const Hand cuts = testing::CutsHand(c.profile, c.target.hand, want[k]);
      const RowFacts facts = FactsOf(c.profile, c.target, answer.rows[k]);
      EXPECT_EQ(cuts, facts.cuts) << "row " << k;
      EXPECT_EQ(cuts == c.target.hand, facts.target_hand) << "row " << k;
      TrainReport report;
      ASSERT_TRUE(ReportTrain(c.profile, answer.rows[k].gears, &c.target, &report, &error));
      for (const TrainRow& position : report.positions)
        EXPECT_EQ(cuts, FactsOf(c.profile, c.target, position).cuts) << "row " << k;
    }
    if (::testing::Test::HasFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(Shapes, TrainSearchTest, ::testing::ValuesIn(kShapes),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cog
