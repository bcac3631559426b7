// ShowMatch over a dialog in memory: what it keeps in the state and paints.
// The texts themselves are DescribeMatch's (match_description_test.cpp).

#include <gtest/gtest.h>

#include "engine/test_tables.h"
#include "ui/dialog_actions.h"
#include "ui/dialog_ids.h"
#include "ui/memory_port.h"
#include "ui/testing/grey_shown.h"

namespace cog {
namespace {

using testing::GreyShown;

RatioEntry E(float ratio, int g1, int g2, int g3, int g4) {
  return {ratio,
          static_cast<std::uint8_t>(g1),
          static_cast<std::uint8_t>(g2),
          static_cast<std::uint8_t>(g3),
          static_cast<std::uint8_t>(g4),
          0};
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

TEST(MatchDisplayTest, GreyIsClearedWhenTheNextEntryHasNoOneToOnePair) {
  AppState state;
  state.Tables.RatioTable =
      testing::MakeTable({E(0, 0, 0, 0, 0), E(0.5f, 36, 72, 19, 19), E(0.6f, 30, 50, 41, 40)});
  MemoryPort port;
  ShowMatch(port, state, 1);
  EXPECT_EQ(GreyShown(port), GreyPair::kSecond);
  ShowMatch(port, state, 0);
  EXPECT_EQ(GreyShown(port), GreyPair::kFirst);
  EXPECT_EQ(port.Colors(IDC_GEAR3), std::make_pair(kDefaultColor, kDefaultColor));
  EXPECT_EQ(port.Colors(IDC_GEAR1), std::make_pair(kBlack, kGreyColor));
  ShowMatch(port, state, 2);
  EXPECT_EQ(GreyShown(port), GreyPair::kNone);
  for (int id : {IDC_GEAR1, IDC_GEAR2, IDC_GEAR3, IDC_GEAR4}) {
    EXPECT_EQ(port.Colors(id), std::make_pair(kDefaultColor, kDefaultColor)) << id;
  }
}

}  // namespace
}  // namespace cog
