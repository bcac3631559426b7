// The train search against the brute-force reference: random gear sets, lead
// screws, fixed ratios, gearboxes, geometries (many exactly on a rule's
// boundary) and targets of every unit. The search must return exactly the
// reference's first rows: the same trains, arrangements, ratios, errors and fits.

#include "workshop/train_search.h"

#include <gtest/gtest.h>

#include <random>

#include "numtext/testing/long_double_bits.h"
#include "workshop/fraction_text.h"
#include "workshop/testing/brute_force_trains.h"

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

class RandomCases {
 public:
  explicit RandomCases(unsigned seed) : rng_(seed) {}

  Case Next(int max_gears, bool six) {
    Case c;
    LatheProfile& p = c.profile;
    const int n = Int(2, max_gears);
    for (int i = 0; i < n; ++i)
      p.gears.push_back(Pick<int>({20, 24, 25, 30, 40, 40, 127, 120}) +
                        (Int(0, 2) ? 0 : Int(-12, 60)));
    const char* screws[] = {"1.5mm", "2mm", "3mm", "8tpi", "6tpi", "4tpi", "1.25mm"};
    EXPECT_TRUE(ReadLeadscrew(screws[Int(0, 6)], &p.leadscrew_mm, &why_));
    p.leadscrew_text = "x";
    if (Int(0, 2) == 0) p.fixed_ratio = Frac(Int(1, 5), Int(1, 5));
    for (int g = Int(0, 3) == 0 ? Int(1, 3) : 0; g > 0; --g)
      p.gearbox.push_back({"P" + std::to_string(g), Frac(Int(1, 4), Int(1, 4))});
    p.trains[0] = Int(0, 3) != 0;
    p.trains[1] = Int(0, 3) != 0 || !p.trains[0];
    p.trains[2] = six;
    if (Int(0, 3) != 0) p.geometry = RandomGeometry(p.gears);
    c.target = RandomTarget(p);
    c.options.top = Int(1, 12);
    c.options.keep_unfit = Int(0, 3) == 0;
    return c;
  }

 private:
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  template <typename T>
  T Pick(std::initializer_list<T> values) {
    return *(values.begin() + Int(0, static_cast<int>(values.size()) - 1));
  }

  // A centre distance and slot put on some rule's boundary half the time:
  // the exact distance at which a random compound train just closes.
  Geometry RandomGeometry(const std::vector<int>& gears) {
    Geometry g;
    g.module = Pick({Frac(1, 1), Frac(5, 4), Frac(127, 160), Frac(1, 2)});
    const int a = gears[Int(0, gears.size() - 1)], b = gears[Int(0, gears.size() - 1)];
    const int c = gears[Int(0, gears.size() - 1)], d = gears[Int(0, gears.size() - 1)];
    Fraction l1, l2, sum;
    EXPECT_TRUE(Multiply(g.module, Frac(a + b, 2), &l1) &&
                Multiply(g.module, Frac(c + d, 2), &l2) && Add(l1, l2, &sum));
    g.centre_distance = Int(0, 1) ? sum : Frac(Int(40, 200), Int(1, 3));
    g.stud_shaft = Frac(Int(0, 90), Int(1, 2));
    g.leadscrew_shaft = Frac(Int(0, 90), Int(1, 2));
    if (Int(0, 2) == 0) g.slot.emplace(Int(0, 1) ? l2 : Frac(Int(0, 50), 1), Frac(Int(50, 150), 1));
    return g;
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
    EXPECT_TRUE(ReadTarget(text, Int(0, 4) ? 1 : Int(2, 3), &t, &why_)) << text << ": " << why_;
    return t;
  }

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

void RunCases(unsigned seed, int count, int max_gears, bool six) {
  RandomCases cases(seed);
  for (int i = 0; i < count; ++i) {
    const Case c = cases.Next(max_gears, six);
    SCOPED_TRACE("case " + std::to_string(i) + " target " + c.target.text);
    TrainSearch search;
    std::string error;
    ASSERT_TRUE(search.Init(c.profile, &error)) << error;
    std::vector<TrainRow> rows;
    ASSERT_TRUE(search.Find(c.target.lead, c.options, &rows, &error)) << error;
    ExpectSameRows(c, BruteForceTrains(c.profile, c.target.lead, c.options.keep_unfit), rows);
    if (::testing::Test::HasFailure()) return;
  }
}

TEST(TrainSearchTest, SimpleAndCompoundMatchBruteForce) { RunCases(1, 300, 10, false); }

TEST(TrainSearchTest, SixGearTrainsMatchBruteForce) { RunCases(2, 40, 8, true); }

}  // namespace
}  // namespace cog
