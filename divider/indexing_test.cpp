#include "divider/indexing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "divider/testing/brute_force_ways.h"

namespace cog {
namespace {

using I128 = __int128;

// num/den == the crank's turns T of the answer, cross-multiplied.
bool SameTurns(I128 num, I128 den, const Fraction& t) { return num * t.den == I128{t.num} * den; }

bool OnPlate(const DividingHead& head, int plate, int circle) {
  if (plate < 1 || plate > static_cast<int>(head.plates.size())) return false;
  const std::vector<int>& p = head.plates[plate - 1];
  return std::find(p.begin(), p.end(), circle) != p.end();
}

// A way's figures, to name it when a check fails.
std::string Show(const Way& w) {
  return "method " + std::to_string(static_cast<int>(w.method)) + ", " +
         std::to_string(w.crank.turns) + " turns and " + std::to_string(w.crank.holes) + " of " +
         std::to_string(w.crank.circle) + " (plate " + std::to_string(w.crank.plate) + ")";
}

// Why `way` does not turn the spindle by exactly T per division on `head`,
// worked out from the way's own figures; empty when it does.
std::string Fault(const DividingHead& head, int n, const Fraction& t, const Way& w) {
  const CrankMove& m = w.crank;
  if (m.circle != 0 && (m.holes <= 0 || m.holes >= m.circle)) return "holes out of the circle";
  const bool whole = m.circle == 0;
  if (w.method == Method::kDirect) {
    if (std::find(head.direct.begin(), head.direct.end(), m.circle) == head.direct.end())
      return "not a direct circle";
    return I128{m.holes} * n == m.circle ? "" : "direct plate moves the wrong amount";
  }
  if (!whole && !OnPlate(head, m.plate, m.circle)) return "circle not on its plate";
  const I128 crank_num = I128{m.turns} * (whole ? 1 : m.circle) + m.holes;
  const I128 crank_den = whole ? 1 : m.circle;
  if (w.method == Method::kSimple)
    return SameTurns(crank_num, crank_den, t) ? "" : "simple move is not T";
  if (w.method == Method::kCompound) {
    if (!OnPlate(head, m.plate, w.plate_circle) || w.plate_circle == m.circle)
      return "second circle not another circle of the plate";
    if (w.plate_holes <= 0 || w.plate_holes >= w.plate_circle) return "plate holes out of range";
    const I128 sign = w.plate_with ? 1 : -1;
    return SameTurns(crank_num * w.plate_circle + sign * w.plate_holes * crank_den,
                     crank_den * w.plate_circle, t)
               ? ""
               : "compound move is not T";
  }
  // Differential: the crank indexes A, and the plate turns G = R(A - N)/A.
  const I128 a = w.approximate;
  if (a == n || !SameTurns(crank_num * a, crank_den, head.ratio)) return "crank move is not R/A";
  const int size = w.compound_train ? 4 : 2;
  std::vector<int> pool = head.gears;
  for (int i = 0; i < size; ++i) {
    auto it = std::find(pool.begin(), pool.end(), w.gears[i]);
    if (it == pool.end()) return "gear not in the set";
    pool.erase(it);
  }
  const I128 drive = w.compound_train ? I128{w.gears[0]} * w.gears[2] : w.gears[0];
  const I128 driven = w.compound_train ? I128{w.gears[1]} * w.gears[3] : w.gears[1];
  const I128 diff = a > n ? a - n : n - a;
  if (drive * head.ratio.den * a != driven * head.ratio.num * diff) return "train is not |G|";
  if (w.plate_turns_with != (a > n)) return "plate direction";
  const int meshes = (w.compound_train ? 2 : 1) + w.idlers;
  const int lo = w.compound_train ? 0 : 1;
  if (w.idlers < lo || w.idlers > lo + 1) return "idlers out of range";
  return ((meshes % 2 == 0) != head.reverse) == (a > n) ? "" : "idlers turn the plate wrongly";
}

// The ranking key the reference uses, from the way's figures.
std::vector<std::int64_t> KeyOf(const Way& w, int n) {
  switch (RankClass(w)) {
    case 0:
      return {w.crank.holes};
    case 1:
      return {w.crank.turns, w.crank.holes};
    case 2:
    case 3:
      return {std::abs(w.approximate - n), -w.approximate, w.crank.holes};
    default:
      return {w.crank.holes + w.plate_holes, w.crank.circle, w.plate_circle, w.plate_with ? 0 : 1,
              w.crank.plate};
  }
}

void CheckHead(const DividingHead& head, int from, int to, int top) {
  const Indexer indexer(head);
  const testing::BruteForceWays reference(head);
  for (int n = from; n <= to; ++n) {
    SCOPED_TRACE("N = " + std::to_string(n));
    DivideAnswer answer;
    std::string error;
    ASSERT_TRUE(indexer.WaysForDivisions(n, top, &answer, &error)) << error;
    const testing::ReferenceBest best = reference.Best(n);
    ASSERT_EQ(answer.ways.empty(), best.klass < 0);
    for (std::size_t i = 0; i < answer.ways.size(); ++i) {
      const Way& w = answer.ways[i];
      EXPECT_EQ(Fault(head, n, answer.crank_turns, w), "") << "way " << i << ": " << Show(w);
      if (i == 0) continue;
      EXPECT_LE(std::make_pair(RankClass(answer.ways[i - 1]), KeyOf(answer.ways[i - 1], n)),
                std::make_pair(RankClass(w), KeyOf(w, n)));
    }
    if (best.klass < 0) continue;
    EXPECT_EQ(RankClass(answer.ways[0]), best.klass) << Show(answer.ways[0]);
    EXPECT_EQ(KeyOf(answer.ways[0], n), best.key) << Show(answer.ways[0]);
  }
}

TEST(IndexingTest, BuiltInHeadAgreesWithThePlainReference) { CheckHead(BuiltInHead(), 2, 400, 5); }

TEST(IndexingTest, RandomHeadsAgreeWithThePlainReference) {
  std::mt19937 random(26);
  const Fraction ratios[] = {{40, 1}, {60, 1}, {72, 1}, {90, 1}, {5, 1}, {120, 7}, {45, 2}};
  for (int round = 0; round < 24; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    DividingHead head;
    head.ratio = ratios[random() % std::size(ratios)];
    const int plates = 1 + random() % 3;
    for (int p = 0; p < plates; ++p) {
      std::vector<int>& plate = head.plates.emplace_back();
      const int circles = 2 + random() % 4;
      while (static_cast<int>(plate.size()) < circles) {
        const int c = 7 + random() % 44;
        if (std::find(plate.begin(), plate.end(), c) == plate.end()) plate.push_back(c);
      }
    }
    const int gears = round % 4 == 0 ? 0 : 4 + random() % 7;
    for (int g = 0; g < gears; ++g) head.gears.push_back(16 + 4 * (random() % 22));
    head.differential = gears > 0;
    head.reverse = random() % 2;
    if (random() % 3 == 0) head.direct = {24, 36};
    CheckHead(head, 2, round < 6 ? 400 : 150, 1 + random() % 8);
  }
}

TEST(IndexingTest, AnglesUseSimpleOrCompoundIndexing) {
  const Indexer indexer(BuiltInHead());
  DivideAnswer answer;
  std::string error;
  // 7°30' on 40:1: 7.5·40/360 = 5/6 turn: 15 holes in the 18-hole circle.
  ASSERT_TRUE(indexer.WaysForAngle(Fraction{15, 2}, 3, &answer, &error));
  EXPECT_EQ(answer.crank_turns, (Fraction{5, 6}));
  ASSERT_FALSE(answer.ways.empty());
  const CrankMove& crank = answer.ways[0].crank;
  EXPECT_TRUE(answer.ways[0].method == Method::kSimple) << Show(answer.ways[0]);
  EXPECT_EQ((std::vector<std::int64_t>{crank.turns, crank.holes, crank.circle, crank.plate}),
            (std::vector<std::int64_t>{0, 15, 18, 1}));
  // 1' is 1/540 turn: no circle of 540 holes, so compound or nothing, never
  // differential; the reference agrees on which.
  ASSERT_TRUE(indexer.WaysForAngle(Fraction{1, 60}, 3, &answer, &error));
  const testing::ReferenceBest best = testing::BruteForceWays(BuiltInHead()).BestForTurns(1, 540);
  EXPECT_EQ(answer.ways.empty(), best.klass < 0);
  for (const Way& w : answer.ways) EXPECT_TRUE(w.method == Method::kCompound) << Show(w);
}

TEST(HelixTest, TrainsRankedByLeadErrorThenFewerGears) {
  // 40:1 and a 4 tpi table: a 1:1 train cuts 40 · 6.35 = 254 mm. 254 mm is
  // cut exactly by every equal pair and by 24·48/(48·24)-like trains; the
  // first is a simple pair (fewer gears), and 24 : 24 comes first of them.
  DividingHead head = BuiltInHead();
  HelixAnswer answer;
  std::string error;
  ASSERT_TRUE(HelixTrains(head, Whole(254), Whole(1), 3, false, &answer, &error)) << error;
  ASSERT_EQ(answer.trains.size(), 3u);
  EXPECT_EQ(answer.machine_lead_mm, Whole(254));
  EXPECT_EQ(answer.trains[0].size, 2);
  EXPECT_EQ(answer.trains[0].gears[0], 24);
  EXPECT_EQ(answer.trains[0].gears[1], 24);
  // 127 mm needs ratio 2: 48:24, 56:28, 64:32 (exact, simple), before any compound.
  ASSERT_TRUE(HelixTrains(head, Whole(127), Whole(1), 4, false, &answer, &error)) << error;
  ASSERT_EQ(answer.trains.size(), 4u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(answer.trains[i].size, 2);
    EXPECT_EQ(answer.trains[i].error, Whole(0));
  }
  EXPECT_EQ(answer.trains[3].size, 4);
  // Without change gears there is no train to offer.
  head.gears.clear();
  EXPECT_FALSE(HelixTrains(head, Whole(127), Whole(1), 4, false, &answer, &error));
  EXPECT_EQ(error, "the head has no \"gears\" to gear the table to the head");
}

// Every train of physical gears, sorted plainly, against the search's best
// ten: the same trains in the same order, for leads near and far from the
// machine's 254 mm, kept or cut by the tolerance.
TEST(HelixTest, BestTrainsAreThoseOfAPlainSortOfEveryTrain) {
  const DividingHead head = BuiltInHead();
  const std::vector<int>& g = head.gears;
  const int n = static_cast<int>(g.size());
  struct Plain {
    Fraction error;
    std::vector<int> gears;
  };
  for (const Fraction lead : {Whole(250), Whole(127), Fraction{2413, 10}, Whole(100), Whole(900)})
    for (const bool keep_all : {true, false}) {
      std::vector<Plain> all;
      std::set<std::vector<int>> seen;
      const Fraction machine{254, 1};  // 40 x 25.4/4
      auto offer = [&](std::vector<int> gears, std::int64_t drive, std::int64_t driven) {
        if (!seen.insert(gears).second) return;
        Fraction cut, error;
        ASSERT_TRUE(Divide(Fraction{machine.num * driven, drive}, lead, &cut));
        ASSERT_TRUE(Subtract(cut, Whole(1), &error));
        if (keep_all || CompareMagnitude(error, Fraction{1, 100}) <= 0)
          all.push_back({error, std::move(gears)});
      };
      for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b) {
          if (b == a) continue;
          offer({g[a], g[b]}, g[a], g[b]);
          for (int c = 0; c < n; ++c)
            for (int d = 0; d < n; ++d)
              if (c != a && c != b && d != a && d != b && d != c)
                offer({std::min(g[a], g[c]), std::min(g[b], g[d]), std::max(g[a], g[c]),
                       std::max(g[b], g[d])},
                      std::int64_t{g[a]} * g[c], std::int64_t{g[b]} * g[d]);
        }
      std::sort(all.begin(), all.end(), [](const Plain& x, const Plain& y) {
        const int by = CompareMagnitude(x.error, y.error);
        if (by != 0) return by < 0;
        if (x.gears.size() != y.gears.size()) return x.gears.size() < y.gears.size();
        return x.gears < y.gears;
      });
      HelixAnswer answer;
      std::string error;
      ASSERT_TRUE(HelixTrains(head, lead, Whole(1), 10, keep_all, &answer, &error)) << error;
      ASSERT_EQ(answer.trains.size(), std::min<std::size_t>(all.size(), 10));
      for (std::size_t i = 0; i < answer.trains.size(); ++i) {
        const HelixTrain& t = answer.trains[i];
        EXPECT_EQ(std::vector<int>(t.gears.begin(), t.gears.begin() + t.size), all[i].gears)
            << ToDouble(lead) << " mm, train " << i;
        EXPECT_EQ(t.error, all[i].error);
      }
    }
}

}  // namespace
}  // namespace cog
