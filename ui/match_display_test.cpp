#include <gtest/gtest.h>

#include <string>

#include "engine/test_tables.h"
#include "ui/dialog_actions.h"
#include "ui/dialog_ids.h"
#include "ui/memory_port.h"

namespace cog {
namespace {

RatioEntry E(float ratio, int g1, int g2, int g3, int g4) {
  return {ratio, static_cast<std::uint8_t>(g1), static_cast<std::uint8_t>(g2),
          static_cast<std::uint8_t>(g3), static_cast<std::uint8_t>(g4), 0};
}

// The six boxes and the grey pair, tab-separated.
std::string Shown(MemoryPort& port) {
  std::string s = port.ItemText(IDC_ACTUAL_RATIO);
  for (int id : {IDC_GEAR1, IDC_GEAR2, IDC_GEAR3, IDC_GEAR4, IDC_ERROR}) s += "\t" + port.ItemText(id);
  return s + "\t" + port.GreyPair();
}

TEST(MatchDisplayTest, TextsAndGreyPairs) {
  AppState state;
  state.Tables.RatioTable = testing::MakeTable({
      E(0, 0, 0, 0, 0),
      E(0.625f, 20, 32, 30, 30),
      E(0.4f, 16, 40, 20, 20),
      E(20.25f, 72, 16, 72, 16),
      E(0.12344633f, 19, 59, 23, 60),
      E(1, 25, 25, 40, 40),
      E(0.5f, 36, 72, 19, 19),
  });
  const struct {
    std::int32_t index;
    std::string target;
    std::string shown;
  } cases[] = {
      {0, "0.5", "0.\t0\t0\t0\t0\t999.9999%\t12"},
      {0, "abc", "0.\t0\t0\t0\t0\t999.9999%\t12"},
      {1, "0.5", "0.625\t20\t32\t30\t30\t20.0000%\t34"},
      {2, "0.5", "0.4\t16\t40\t20\t20\t-25.0000%\t34"},
      {3, "20.25", "20.25\t72\t16\t72\t16\t0.0000%\t-"},
      {4, "0.12345", "0.123446\t19\t59\t23\t60\t-0.0030%\t-"},
      {5, "1", "1.\t25\t25\t40\t40\t0.0000%\t12"},  // both pairs 1:1: only the first is grey
      {6, "0.5", "0.5\t36\t72\t19\t19\t0.0000%\t34"},
      {6, "letters", "0.5\t36\t72\t19\t19\t100.0000%\t34"},
      {6, "", "0.5\t36\t72\t19\t19\t100.0000%\t34"},
      {6, "2", "0.5\t36\t72\t19\t19\t-300.0000%\t34"},
  };
  for (const auto& c : cases) {
    MemoryPort port;
    port.SetItemText(IDC_TARGET_RATIO, c.target);
    ShowMatch(port, state, c.index);
    EXPECT_EQ(Shown(port), c.shown) << c.index << " [" << c.target << "]";
  }
}

TEST(MatchDisplayTest, MatchErrorIsStoredAsFloat) {
  AppState state;
  state.Tables.RatioTable = testing::MakeTable({E(0, 0, 0, 0, 0), E(0.625f, 20, 32, 30, 30)});
  MemoryPort port;
  port.SetItemText(IDC_TARGET_RATIO, "0.5");
  ShowMatch(port, state, 1);
  EXPECT_EQ(state.MatchError, 0.2f);
  ShowMatch(port, state, 0);
  EXPECT_EQ(state.MatchError, 9.999999f);
}

TEST(MatchDisplayTest, HugeTargetGivesAnInfiniteError) {
  AppState state;
  state.Tables.RatioTable = testing::MakeTable({E(0, 0, 0, 0, 0), E(0.0625f, 16, 64, 16, 64)});
  MemoryPort port;
  port.SetItemText(IDC_TARGET_RATIO, "1e38");
  ShowMatch(port, state, 1);
  const std::string error = port.ItemText(IDC_ERROR);
  // Nineteen nines, then zeros, 1001 integer digits in all, and a minus sign.
  EXPECT_EQ(error.size(), 1008u);
  EXPECT_EQ(error.substr(0, 20), "-9999999999999999999");
  EXPECT_EQ(error.substr(error.size() - 7), "0.0000%");
}

TEST(MatchDisplayTest, GreyIsClearedWhenTheNextEntryHasNoOneToOnePair) {
  AppState state;
  state.Tables.RatioTable =
      testing::MakeTable({E(0, 0, 0, 0, 0), E(0.5f, 36, 72, 19, 19), E(0.6f, 30, 50, 41, 40)});
  MemoryPort port;
  ShowMatch(port, state, 1);
  EXPECT_EQ(port.GreyPair(), "34");
  ShowMatch(port, state, 0);
  EXPECT_EQ(port.GreyPair(), "12");
  EXPECT_EQ(port.Colors(IDC_GEAR3), std::make_pair(kDefaultColor, kDefaultColor));
  EXPECT_EQ(port.Colors(IDC_GEAR1), std::make_pair(kBlack, kGreyColor));
  ShowMatch(port, state, 2);
  EXPECT_EQ(port.GreyPair(), "-");
  for (int id : {IDC_GEAR1, IDC_GEAR2, IDC_GEAR3, IDC_GEAR4}) {
    EXPECT_EQ(port.Colors(id), std::make_pair(kDefaultColor, kDefaultColor)) << id;
  }
}

}  // namespace
}  // namespace cog
