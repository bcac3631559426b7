#include "divider/indexing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <tuple>

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
  if (w.compound_train && (w.gears[0] == w.gears[1] || w.gears[0] == w.gears[3] ||
                           w.gears[2] == w.gears[1] || w.gears[2] == w.gears[3]))
    return "compound train holds a 1:1 pair";
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

// Which methods a question gets, on the built-in 40:1 head, worked by hand.
TEST(IndexingTest, OptionsKeepTheMethodsAsked) {
  DividingHead fixed = BuiltInHead();
  fixed.plate_moves = false;
  const DividingHead built_in = BuiltInHead();
  using M = Method;
  const struct {
    const DividingHead* head;
    int n;
    DivideOptions options;
    std::vector<Method> methods;  // of the ways, in order
  } cases[] = {
      // 40/5 = 8 whole turns: no differential pads the list unless asked.
      {&built_in, 5, {2, {}, false, false, 2}, {M::kSimple}},
      {&built_in, 5, {2, {}, true, false, 2}, {M::kSimple, M::kDifferential}},
      // 40/69 needs a 69-hole circle: differential first, compound only asked.
      {&built_in,
       69,
       {3, {}, false, false, 3},
       {M::kDifferential, M::kDifferential, M::kDifferential}},
      {&built_in, 69, {2, M::kCompound, false, false, 2}, {M::kCompound, M::kCompound}},
      {&fixed, 69, {2, M::kCompound, false, false, 2}, {}},
      // Geared to the table, the plate can only be used for simple moves.
      {&built_in, 69, {2, {}, true, true, 2}, {}},
      {&built_in, 6, {2, {}, true, true, 2}, {M::kSimple, M::kSimple}},
  };
  for (const auto& c : cases) {
    const Indexer indexer(*c.head);
    DivideAnswer answer;
    std::string error;
    ASSERT_TRUE(indexer.WaysForDivisions(c.n, c.options, &answer, &error)) << error;
    std::vector<Method> got;
    for (const Way& w : answer.ways) got.push_back(w.method);
    EXPECT_EQ(got, c.methods) << c.n;
    for (const NearWay& near : answer.nearest) {
      EXPECT_TRUE(!c.options.method || near.way.method == *c.options.method) << c.n;
      EXPECT_TRUE(!c.options.helical || near.way.method == M::kSimple) << c.n;
      EXPECT_TRUE(c.head->plate_moves || near.way.method != M::kCompound) << c.n;
    }
  }
}

// Angles by every method, worked by hand.
TEST(IndexingTest, AnglesByDirectAndDifferentialIndexing) {
  DivideAnswer answer;
  std::string error;
  // 15° on a 24-hole direct plate: 24 · 15/360 = 1 hole.
  DividingHead direct = BuiltInHead();
  direct.direct = {24};
  ASSERT_TRUE(Indexer(direct).WaysForAngle(Whole(15), 1, &answer, &error));
  ASSERT_EQ(answer.ways.size(), 1u);
  EXPECT_EQ(answer.ways[0].method, Method::kDirect);
  EXPECT_EQ(answer.ways[0].crank.holes, 1);
  // 8°50' = 53/6°: T = 53/54, no circle of 54 holes. With m = 1 4/49 = 53/49
  // the plate turns G = 40·(1 - m/T) = 40·(1 - 54/49) = -200/49 per spindle
  // turn, against the crank: 100·64/(28·56), no simple pair gives it.
  ASSERT_TRUE(Indexer(BuiltInHead()).WaysForAngle(Fraction{53, 6}, 3, &answer, &error));
  ASSERT_FALSE(answer.ways.empty());
  const Way& w = answer.ways[0];
  EXPECT_EQ(w.method, Method::kDifferential);
  EXPECT_EQ(std::make_tuple(w.crank.turns, w.crank.holes, w.crank.circle),
            std::make_tuple(1, 4, 49));
  EXPECT_TRUE(w.compound_train);
  EXPECT_EQ(I128{w.gears[0]} * w.gears[2] * 49, I128{w.gears[1]} * w.gears[3] * 200);
  EXPECT_FALSE(w.plate_turns_with);
  EXPECT_EQ(w.idlers, 1);  // two meshes turn the plate with the crank: one idler more
}

// A rotary table without plates is read on its handwheel's dial.
TEST(IndexingTest, HandwheelDial) {
  DividingHead table;
  table.ratio = Whole(90);
  const struct {
    int dial, n;
    bool exact;
    CrankMove move;
  } cases[] = {
      {90, 4, true, {22, 45, 90, 0}},      // 22.5 turns: 45 of 90 graduations
      {0, 4, true, {22, 2, 4, 0}},         // no dial: half a turn, by eye
      {0, 7, false, {12, 3, 4, 0}},        // 12 6/7: 12 3/4 is nearer than 13
      {240, 7, false, {12, 206, 240, 0}},  // 6/7 · 240 = 205.71: 206
  };
  for (const auto& c : cases) {
    table.dial = c.dial;
    DivideAnswer answer;
    std::string error;
    ASSERT_TRUE(Indexer(table).WaysForDivisions(c.n, DivideOptions{3, {}, false, false, 3}, &answer,
                                                &error));
    ASSERT_EQ(answer.ways.empty(), !c.exact) << c.n;
    const Way& w = c.exact ? answer.ways[0] : answer.nearest.at(0).way;
    EXPECT_TRUE(w.dial);
    EXPECT_EQ(std::make_tuple(w.crank.turns, w.crank.holes, w.crank.circle),
              std::make_tuple(c.move.turns, c.move.holes, c.move.circle))
        << c.dial << " " << c.n;
  }
}

// When no way is exact, the nearest against a plain search of every move:
// the first is as near as any, each says truly what it misses by, and they
// come nearest first.
TEST(IndexingTest, NearestWaysAgreeWithThePlainReference) {
  std::mt19937 random(32);
  for (int round = 0; round < 6; ++round) {
    DividingHead head;
    head.ratio = round % 2 ? Whole(40) : Whole(90);
    for (int p = 0; p < 2; ++p) {
      std::vector<int>& plate = head.plates.emplace_back();
      while (plate.size() < 4) {
        const int c = 11 + random() % 30;
        if (std::find(plate.begin(), plate.end(), c) == plate.end()) plate.push_back(c);
      }
    }
    head.plate_moves = round < 4;
    const Indexer indexer(head);
    const testing::BruteForceWays reference(head);
    for (int n = 50; n <= 130; ++n) {
      DivideAnswer answer;
      std::string error;
      ASSERT_TRUE(
          indexer.WaysForDivisions(n, DivideOptions{4, {}, false, false, 4}, &answer, &error));
      if (!answer.ways.empty()) continue;
      SCOPED_TRACE("round " + std::to_string(round) + ", N = " + std::to_string(n));
      ASSERT_FALSE(answer.nearest.empty());
      const auto gap = reference.NearestGap(head.ratio.num, n, head.plate_moves);
      Fraction first_gap;
      ASSERT_TRUE(Subtract(answer.nearest[0].crank_turns, answer.crank_turns, &first_gap));
      EXPECT_EQ(I128{std::abs(first_gap.num)} * gap.second, I128{gap.first} * first_gap.den);
      for (std::size_t i = 0; i < answer.nearest.size(); ++i) {
        const NearWay& near = answer.nearest[i];
        const Way& w = near.way;
        // The move's turns from its own figures.
        const I128 c1 = w.crank.circle ? w.crank.circle : 1;
        const I128 c2 = w.method == Method::kCompound ? w.plate_circle : 1;
        const I128 move_num = (I128{w.crank.turns} * c1 + w.crank.holes) * c2 +
                              (w.plate_with ? 1 : -1) * I128{w.plate_holes} * c1;
        EXPECT_TRUE(SameTurns(move_num, c1 * c2, near.crank_turns));
        // error_deg = (move - T)·360/R, and N times that at the last division.
        EXPECT_EQ((move_num * n - c1 * c2 * head.ratio.num) * 360 * near.error_deg.den,
                  I128{near.error_deg.num} * c1 * c2 * n * head.ratio.num);
        ASSERT_TRUE(near.closing_deg);
        EXPECT_EQ(I128{near.closing_deg->num} * near.error_deg.den,
                  I128{near.error_deg.num} * n * near.closing_deg->den);
        if (!head.plate_moves) {
          EXPECT_NE(w.method, Method::kCompound);
        }
        if (i > 0) {
          EXPECT_LE(CompareMagnitude(answer.nearest[i - 1].error_deg, near.error_deg), 0);
        }
      }
    }
  }
}

// From the drawing: β = 22.5° at 62.12 mm is a lead of π·62.12/tan 22.5°,
// tan 22.5° = √2 - 1; the table swivels by β. Idlers for the hand: on a head
// that does not reverse, a right hand wants even meshes (simple 1 + 1 idler,
// compound 2 + none), a left hand one idler more; "reverse" swaps them.
TEST(HelixTest, FromTheHelixAngleWithTheIdlersForTheHand) {
  const struct {
    HelixHand hand;
    bool reverse;
    int simple_idlers, compound_idlers;
  } cases[] = {
      {HelixHand::kRight, false, 1, 0},
      {HelixHand::kLeft, false, 2, 1},
      {HelixHand::kRight, true, 2, 1},
      {HelixHand::kLeft, true, 1, 0},
  };
  for (const auto& c : cases) {
    DividingHead head = BuiltInHead();
    head.reverse = c.reverse;
    HelixQuestion q;
    q.angle_deg = Fraction{45, 2};
    q.diameter_mm = Fraction{6212, 100};
    q.hand = c.hand;
    HelixAnswer answer;
    std::string error;
    ASSERT_TRUE(HelixFor(head, q, Whole(1), 40, true, &answer, &error)) << error;
    EXPECT_NEAR(ToDouble(answer.lead_mm), std::acos(-1.0) * 62.12 / (std::sqrt(2.0) - 1), 1e-6);
    ASSERT_TRUE(answer.swivel_deg);
    EXPECT_DOUBLE_EQ(*answer.swivel_deg, 22.5);
    bool simple = false, compound = false;
    for (const HelixTrain& t : answer.trains) {
      EXPECT_EQ(t.idlers, t.size == 2 ? c.simple_idlers : c.compound_idlers);
      (t.size == 2 ? simple : compound) = true;
    }
    EXPECT_TRUE(simple && compound);
  }
  // A lead alone has no angle; with the diameter, β = atan(π·d/L): 45° when
  // the lead is the circumference (π · 80.85 = 253.996 mm, β = 44.9995°).
  HelixQuestion q;
  q.lead_mm = Whole(254);
  HelixAnswer answer;
  std::string error;
  ASSERT_TRUE(HelixFor(BuiltInHead(), q, Whole(1), 1, false, &answer, &error));
  EXPECT_FALSE(answer.swivel_deg || answer.helix_angle_deg);
  q.diameter_mm = Fraction{8085, 100};
  ASSERT_TRUE(HelixFor(BuiltInHead(), q, Whole(1), 1, false, &answer, &error));
  ASSERT_TRUE(answer.helix_angle_deg);
  EXPECT_NEAR(*answer.helix_angle_deg, 45, 1e-3);
}

TEST(HelixTest, TrainsRankedByLeadErrorThenFewerGears) {
  // 40:1 and a 4 tpi table: a 1:1 train cuts 40 · 6.35 = 254 mm. 254 mm is
  // cut exactly by the equal pair 24 : 24 and by compound trains such as
  // 32·48/(24·64); the simple pair comes first (fewer gears).
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
              // A train with the same tooth count driving and driven holds a
              // 1:1 pair: it is a simple train with two gears too many.
              if (c != a && c != b && d != a && d != b && d != c && g[a] != g[b] && g[a] != g[d] &&
                  g[c] != g[b] && g[c] != g[d])
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
