#include "ui/dialog_actions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/test_tables.h"
#include "ui/about_text.h"
#include "ui/dialog_ids.h"
#include "ui/startup_notice.h"
#include "ui/testing/recording_port.h"

namespace cog {
namespace {

using testing::RecordingPort;
using Log = std::vector<std::string>;

std::string Id(int id) { return std::to_string(id); }

AppState SmallState() {
  AppState state;
  EXPECT_EQ(StartupWithLimits(state, {20, 21}), RunError::kNone);
  return state;
}

TEST(DialogActionsTest, ShowMatchResetsColoursThenReadsTargetThenWritesTextsThenGreys) {
  AppState state = SmallState();
  RecordingPort port;
  ShowMatch(port, state, 2);  // 20, 21, 20, 20
  const Log expected = {
      "colors " + Id(IDC_GEAR1) + " -1 -1",
      "colors " + Id(IDC_GEAR2) + " -1 -1",
      "colors " + Id(IDC_GEAR3) + " -1 -1",
      "colors " + Id(IDC_GEAR4) + " -1 -1",
      "read " + Id(IDC_TARGET_RATIO),
      "text " + Id(IDC_ACTUAL_RATIO) + " 0.952381",
      "text " + Id(IDC_GEAR1) + " 20",
      "text " + Id(IDC_GEAR2) + " 21",
      "text " + Id(IDC_GEAR3) + " 20",
      "text " + Id(IDC_GEAR4) + " 20",
      "text " + Id(IDC_ERROR) + " 87.0377%",
      "colors " + Id(IDC_GEAR3) + " 0 12632256",
      "colors " + Id(IDC_GEAR4) + " 0 12632256",
  };
  EXPECT_EQ(port.log, expected);
}

TEST(DialogActionsTest, ZeroSlotDoesNotReadTheTarget) {
  AppState state = SmallState();
  RecordingPort port;
  ShowMatch(port, state, 0);
  for (const std::string& entry : port.log) EXPECT_NE(entry, "read " + Id(IDC_TARGET_RATIO));
  EXPECT_EQ(port.ItemText(IDC_ERROR), "999.9999%");
}

TEST(DialogActionsTest, FindReadsTheTargetAgainToShowTheMatch) {
  AppState state = SmallState();
  RecordingPort port;
  port.SetItemText(IDC_TARGET_RATIO, "1.05");
  port.log.clear();
  FindMatch(port, state);
  EXPECT_EQ(state.CurrentIndex, 8);
  ASSERT_GE(port.log.size(), 6u);
  EXPECT_EQ(port.log[0], "read " + Id(IDC_TARGET_RATIO));
  EXPECT_EQ(port.log[5], "read " + Id(IDC_TARGET_RATIO));  // after the four colour resets
}

TEST(DialogActionsTest, StepReadsBothBoxesFirstAndIgnoresTheTarget) {
  AppState state = SmallState();
  RecordingPort port;
  port.SetCheckState(IDC_SINGLE_ONLY, 1);
  EXPECT_TRUE(StepMatch(port, state, Direction::kHigher));
  EXPECT_EQ(state.CurrentIndex, 2);
  ASSERT_GE(port.log.size(), 3u);
  EXPECT_EQ(port.log[0], "check " + Id(IDC_SINGLE_ONLY));
  EXPECT_EQ(port.log[1], "check " + Id(IDC_EVEN_ONLY));
  EXPECT_EQ(port.log[2], "colors " + Id(IDC_GEAR1) + " -1 -1");
}

TEST(DialogActionsTest, StepOffTheEndShowsNothing) {
  AppState state = SmallState();
  RecordingPort port;
  EXPECT_FALSE(StepMatch(port, state, Direction::kLower));
  EXPECT_EQ(state.CurrentIndex, 0);
  const Log expected = {"check " + Id(IDC_SINGLE_ONLY), "check " + Id(IDC_EVEN_ONLY)};
  EXPECT_EQ(port.log, expected);
}

TEST(DialogActionsTest, ErrorFollowsTheTargetTextOfTheMomentOfDisplay) {
  AppState state = SmallState();
  RecordingPort port;
  port.SetItemText(IDC_TARGET_RATIO, "1");
  FindMatch(port, state);
  EXPECT_EQ(state.CurrentIndex, 5);
  port.SetItemText(IDC_TARGET_RATIO, "1.1025");
  // Steps from the old match, measures against the new text.
  StepMatch(port, state, Direction::kHigher);
  EXPECT_EQ(state.CurrentIndex, 6);
  EXPECT_EQ(port.ItemText(IDC_ERROR), "-10.2500%");
}

TEST(DialogActionsTest, DispatchActsOnButtonClicksOnly) {
  const struct {
    int id;
    int notification;
    std::int32_t index_after;  // from index 5
    std::size_t messages;
  } cases[] = {
      {IDC_HIGHER, 0, 6, 0},
      {IDC_HIGHER, 1, 6, 0},
      {IDC_HIGHER, 2, 5, 0},
      {IDC_LOWER, 0, 4, 0},
      {IDC_LOWER, 5, 5, 0},
      {IDC_FIND, 0, 0, 0},  // "0.12345" < all
      {IDC_FIND, 0x300, 5, 0},
      {IDC_ABOUT, 0, 5, 1},
      {IDC_ABOUT, 2, 5, 0},
      {IDC_TARGET_RATIO, 0, 5, 0},
      {IDC_SINGLE_ONLY, 0, 5, 0},
      {1, 0, 5, 0},  // Enter
      {2, 0, 5, 0},  // Esc
  };
  for (const auto& c : cases) {
    AppState state = SmallState();
    state.CurrentIndex = 5;
    RecordingPort port;
    DispatchCommand(port, state, c.id, c.notification);
    EXPECT_EQ(state.CurrentIndex, c.index_after) << c.id << "/" << c.notification;
    EXPECT_EQ(port.messages().size(), c.messages) << c.id << "/" << c.notification;
  }
}

TEST(DialogActionsTest, StartupNoticeOnlyWithParameters) {
  const struct {
    std::string tail;
    std::size_t messages;
    std::size_t slots;
  } cases[] = {
      {"", 0, 5279626},
      {"   ", 0, 5279626},
      {"20 21", 1, 11},
      {"30 30", 1, 2},
  };
  for (const auto& c : cases) {
    AppState state;
    RecordingPort port;
    EXPECT_EQ(StartupInit(port, state, c.tail), RunError::kNone);
    ASSERT_EQ(port.messages().size(), c.messages) << c.tail;
    if (c.messages) {
      EXPECT_EQ(port.messages()[0].caption, "Startup");
      EXPECT_EQ(port.messages()[0].text, StartupNoticeText(state.Limits));
    }
    EXPECT_EQ(state.Tables.RatioTable.size(), c.slots) << c.tail;
  }
}

TEST(DialogActionsTest, StartupFailureIsReturnedWithAReadableText) {
  AppState state;
  RecordingPort port;
  EXPECT_EQ(StartupInit(port, state, "-5 72"), RunError::kSubscriptOutOfRange);
  EXPECT_FALSE(state.Tables.RatioTable.created());
  EXPECT_EQ(TableFailureText(RunError::kSubscriptOutOfRange, state.Limits),
            "The ratio table for tooth limits 251 and 72 cannot be created: error 9, "
            "Subscript/Pointer out of range.");
  EXPECT_EQ(TableFailureText(RunError::kOutOfMemory, {6, 130}),
            "The ratio table for tooth limits 6 and 130 cannot be created: error 7, "
            "Out of memory.");
}

TEST(AboutTextTest, ThirtyThreeLinesWithTheFixedOnesExact) {
  const std::string& text = AboutText();
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) {
    lines.push_back(text.substr(start, at - start));
  }
  lines.push_back(text.substr(start));
  ASSERT_EQ(lines.size(), 33u);
  EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);  // no bare LF
  EXPECT_EQ(lines[0], "Cogwright, 0.9 Beta");
  for (int blank : {2, 7, 13, 18, 21, 25}) EXPECT_EQ(lines[blank], "") << blank;
  EXPECT_NE(lines[4].find(". The program is designed to assist prehistoric machinists still "
                          "struggling"),
            std::string::npos);
  EXPECT_EQ(lines[14],
            "The current tooth limits are 16 and 72 teeth, giving ratios between .0494 and 20.25.");
  EXPECT_EQ(lines[32], "it as time allows.");
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    EXPECT_NE(line.front(), ' ');
    EXPECT_NE(line.back(), ' ');
  }
}

}  // namespace
}  // namespace cog
