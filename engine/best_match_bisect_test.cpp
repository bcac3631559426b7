// The bisection of FindBestMatch against the plain upward scan.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "engine/best_match.h"
#include "engine/test_tables.h"

namespace cog {
namespace {

using testing::BuildTables;
using testing::DefaultTables;
using testing::MakeTable;

constexpr float kInf = std::numeric_limits<float>::infinity();

std::vector<float> EdgeTargets() {
  return {0.0f,
          -0.0f,
          -1.0f,
          -kInf,
          kInf,
          std::numeric_limits<float>::quiet_NaN(),
          std::numeric_limits<float>::denorm_min(),
          std::numeric_limits<float>::min(),
          std::numeric_limits<float>::max(),
          1e-30f,
          1e30f};
}

// Each ratio of the table (one of each run), the floats just below and just
// above it, the float nearest the midpoint to the next ratio, and the
// edge values.
std::vector<float> TargetsAround(const EntryTable& table, std::size_t stride) {
  std::vector<float> targets = EdgeTargets();
  for (std::size_t i = 0; i < table.size(); i += stride) {
    const float r = table[i].Ratio;
    targets.push_back(r);
    targets.push_back(std::nextafter(r, -kInf));
    targets.push_back(std::nextafter(r, kInf));
    std::size_t next = i;
    while (next < table.size() && table[next].Ratio == r) ++next;
    if (next < table.size()) {
      targets.push_back(static_cast<float>((double(r) + table[next].Ratio) / 2));
    } else {
      targets.push_back(r * 2);
    }
    if (stride == 1) i = next - 1;  // one target set per run of equal ratios
  }
  return targets;
}

void ExpectSameAsScan(const EntryTable& table, const std::vector<float>& targets,
                      const char* what) {
  for (const float target : targets) {
    // A start that no answer can be, so that an unwritten index shows.
    std::int32_t by_bisection = -7;
    std::int32_t by_scan = -7;
    FindBestMatch(table, target, by_bisection);
    FindBestMatchByScan(table, target, by_scan);
    ASSERT_EQ(by_bisection, by_scan) << what << ", target " << target;
  }
}

TEST(BisectionTest, AgreesWithTheScanOnWholeTables) {
  const struct {
    int min_teeth, max_teeth;
  } cases[] = {{20, 27}, {16, 30}, {20, 21}, {30, 30}, {21, 20}, {100, 90}, {6, 9}};
  for (const auto& c : cases) {
    const RatioTables t = BuildTables(c.min_teeth, c.max_teeth);
    ExpectSameAsScan(t.RatioTable, TargetsAround(t.RatioTable, 1),
                     (std::to_string(c.min_teeth) + ".." + std::to_string(c.max_teeth)).c_str());
  }
}

TEST(BisectionTest, AgreesWithTheScanAtTheDefaultLimits) {
  // Every 100,003rd slot: a linear scan per target is slow at this size.
  const EntryTable& t = DefaultTables().RatioTable;
  std::vector<float> targets = TargetsAround(t, 100003);
  for (const float landmark : {0.12345f, 0.5f, 100.0f, 20.25f, 0.049382716f}) {
    targets.push_back(landmark);
  }
  ExpectSameAsScan(t, targets, "16..72");
}

RatioEntry R(float ratio, int tag) { return {ratio, std::uint8_t(tag), 0, 0, 0, 0}; }

TEST(BisectionTest, AgreesWithTheScanOnHandMadeTables) {
  const EntryTable tables[] = {
      MakeTable({R(0, 0)}),                             // one slot: index unwritten
      MakeTable({R(0, 0), R(1, 1)}),                    // two slots
      MakeTable({R(0, 0), R(0, 1), R(0, 2), R(0, 3)}),  // nothing but zero
      MakeTable({R(0, 0), R(2, 1), R(2, 2), R(2, 3), R(2, 4), R(2, 5), R(3, 6), R(3, 7), R(5, 8),
                 R(5, 9), R(5, 10)}),             // equal runs, top run included
      MakeTable({R(0, 0), R(1, 1), R(kInf, 2)}),  // an infinite top
  };
  std::vector<float> targets = EdgeTargets();
  for (const float t : {0.5f, 1.0f, 1.5f, 2.0f, 2.5f, 3.0f, 4.0f, 5.0f, 6.0f, 1.9999999f}) {
    targets.push_back(t);
  }
  for (const EntryTable& t : tables) ExpectSameAsScan(t, targets, "hand-made");
}

}  // namespace
}  // namespace cog
