#include "ui/control_colors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <tuple>
#include <vector>

#include "ui/dialog_port.h"

namespace cog {
namespace {

struct BrushEvent {
  bool created;  // false: deleted
  BrushHandle handle;
  std::int32_t color;  // of a created brush; 0 for a deletion
  bool operator==(const BrushEvent&) const = default;
};

void PrintTo(const BrushEvent& event, std::ostream* os) {
  *os << (event.created ? "create #" : "delete #") << event.handle;
  if (event.created) *os << " colour " << std::hex << event.color << std::dec;
}

BrushEvent Created(BrushHandle handle, std::int32_t color) { return {true, handle, color}; }
BrushEvent Deleted(BrushHandle handle) { return {false, handle, 0}; }

// Clearing deletes in no particular order: compare such logs as multisets.
std::vector<BrushEvent> Sorted(std::vector<BrushEvent> events) {
  std::sort(events.begin(), events.end(), [](const BrushEvent& a, const BrushEvent& b) {
    return std::tie(a.created, a.handle, a.color) < std::tie(b.created, b.handle, b.color);
  });
  return events;
}

// Hands out handles 1, 2, 3, ... and logs every call; can refuse the first
// request for one colour, as GDI may when it runs short.
class FakeBrushes : public BrushSource {
 public:
  explicit FakeBrushes(std::int32_t refused_color = -2) : refused_color_(refused_color) {}
  BrushHandle CreateBrush(std::int32_t color) override {
    if (color == refused_color_) {
      refused_color_ = -2;
      return 0;
    }
    events.push_back(Created(next_handle_, color));
    return next_handle_++;
  }
  void DeleteBrush(BrushHandle brush) override { events.push_back(Deleted(brush)); }

  std::vector<BrushEvent> events;

 private:
  std::int32_t refused_color_;
  BrushHandle next_handle_ = 1;
};

constexpr ControlKey kGear1 = 0x1012;
constexpr ControlKey kGear2 = 0x1013;
constexpr ControlKey kGear3 = 0x1014;
constexpr std::int32_t kRed = 0x0000FF;

enum class Op { kSet, kForget, kClear };

struct Step {
  Op op;
  ControlKey control;
  std::int32_t text;
  std::int32_t background;
};

Step Set(ControlKey control, std::int32_t text, std::int32_t background) {
  return {Op::kSet, control, text, background};
}
Step Forget(ControlKey control) { return {Op::kForget, control, 0, 0}; }
Step Clear() { return {Op::kClear, 0, 0, 0}; }

void Apply(ControlColors& colors, const std::vector<Step>& steps) {
  for (const Step& step : steps) {
    switch (step.op) {
      case Op::kSet:
        colors.Set(step.control, step.text, step.background);
        break;
      case Op::kForget:
        colors.Forget(step.control);
        break;
      case Op::kClear:
        colors.Clear();
        break;
    }
  }
}

TEST(ControlColorsTest, BrushesAreSharedAndDeletedWhenUnused) {
  struct Case {
    const char* name;
    std::int32_t refused_color;
    std::vector<Step> steps;
    std::vector<BrushEvent> events;
    std::size_t live_brushes;
    bool any_order = false;
  };
  const Case cases[] = {
      {"a grey pair shares one brush",
       -2,
       {Set(kGear1, kBlack, kGreyColor), Set(kGear2, kBlack, kGreyColor)},
       {Created(1, kGreyColor)},
       1},
      {"reset of a grey pair deletes the brush with its last user",
       -2,
       {Set(kGear1, kBlack, kGreyColor), Set(kGear2, kBlack, kGreyColor),
        Set(kGear1, kDefaultColor, kDefaultColor)},
       {Created(1, kGreyColor)},
       1},
      {"both boxes reset",
       -2,
       {Set(kGear1, kBlack, kGreyColor), Set(kGear2, kBlack, kGreyColor),
        Set(kGear1, kDefaultColor, kDefaultColor), Set(kGear2, kDefaultColor, kDefaultColor)},
       {Created(1, kGreyColor), Deleted(1)},
       0},
      {"default colours never make a brush",
       -2,
       {Set(kGear1, kDefaultColor, kDefaultColor), Set(kGear1, kBlack, kDefaultColor)},
       {},
       0},
      {"bits above the low 24 do not make another colour",
       -2,
       {Set(kGear1, kBlack, 0x7FC0C0C0), Set(kGear2, kBlack, kGreyColor)},
       {Created(1, kGreyColor)},
       1},
      {"a sole user changing colour takes the new brush before the old goes",
       -2,
       {Set(kGear1, kBlack, kGreyColor), Set(kGear1, kBlack, kRed)},
       {Created(1, kGreyColor), Created(2, kRed), Deleted(1)},
       1},
      {"setting the same colour again keeps the brush",
       -2,
       {Set(kGear1, kBlack, kGreyColor), Set(kGear1, kRed, kGreyColor)},
       {Created(1, kGreyColor)},
       1},
      {"a brush another control still uses survives a change",
       -2,
       {Set(kGear1, kBlack, kGreyColor), Set(kGear2, kBlack, kGreyColor),
        Set(kGear1, kBlack, kRed)},
       {Created(1, kGreyColor), Created(2, kRed)},
       2},
      {"a destroyed control gives up its brush",
       -2,
       {Set(kGear1, kBlack, kGreyColor), Set(kGear2, kBlack, kGreyColor), Forget(kGear1),
        Forget(kGear2)},
       {Created(1, kGreyColor), Deleted(1)},
       0},
      {"forgetting an unknown control changes nothing",
       -2,
       {Set(kGear1, kBlack, kGreyColor), Forget(kGear3)},
       {Created(1, kGreyColor)},
       1},
      {"clear deletes every brush once",
       -2,
       {Set(kGear1, kBlack, kGreyColor), Set(kGear2, kBlack, kGreyColor), Set(kGear3, kBlack, kRed),
        Clear()},
       {Created(1, kGreyColor), Created(2, kRed), Deleted(1), Deleted(2)},
       0,
       true},
      {"a refused brush is tried again by the next user",
       kRed,
       {Set(kGear1, kBlack, kRed), Set(kGear2, kBlack, kRed)},
       {Created(1, kRed)},
       1},
      {"a control without its brush does not release another's",
       kGreyColor,
       {Set(kGear1, kBlack, kGreyColor), Set(kGear2, kBlack, kGreyColor),
        Set(kGear1, kBlack, kDefaultColor), Forget(kGear1)},
       {Created(1, kGreyColor)},
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeBrushes brushes(c.refused_color);
    ControlColors colors(brushes);
    Apply(colors, c.steps);
    if (c.any_order) {
      EXPECT_EQ(Sorted(brushes.events), Sorted(c.events));
    } else {
      EXPECT_EQ(brushes.events, c.events);
    }
    EXPECT_EQ(colors.BrushCount(), c.live_brushes);
  }
}

TEST(ControlColorsTest, RecordsHoldTheColoursAndBrushOfTheirControl) {
  struct Case {
    const char* name;
    std::vector<Step> steps;
    ControlKey probe;
    bool recorded;
    ControlColorRecord expected;
  };
  const Case cases[] = {
      {"never set", {Set(kGear1, kBlack, kGreyColor)}, kGear2, false, {}},
      {"grey pair", {Set(kGear1, kBlack, kGreyColor)}, kGear1, true, {kBlack, kGreyColor, 1}},
      {"reset to defaults is still a record",
       {Set(kGear1, kBlack, kGreyColor), Set(kGear1, kDefaultColor, kDefaultColor)},
       kGear1,
       true,
       {kDefaultColor, kDefaultColor, 0}},
      {"text colour cut to 24 bits",
       {Set(kGear1, 0x12345678, kDefaultColor)},
       kGear1,
       true,
       {0x345678, kDefaultColor, 0}},
      {"shared brush",
       {Set(kGear1, kBlack, kGreyColor), Set(kGear2, kRed, kGreyColor)},
       kGear2,
       true,
       {kRed, kGreyColor, 1}},
      {"forgotten", {Set(kGear1, kBlack, kGreyColor), Forget(kGear1)}, kGear1, false, {}},
      {"cleared", {Set(kGear1, kBlack, kGreyColor), Clear()}, kGear1, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeBrushes brushes;
    ControlColors colors(brushes);
    Apply(colors, c.steps);
    const ControlColorRecord* record = colors.Find(c.probe);
    ASSERT_EQ(record != nullptr, c.recorded);
    if (record == nullptr) continue;
    EXPECT_EQ(record->text, c.expected.text);
    EXPECT_EQ(record->background, c.expected.background);
    EXPECT_EQ(record->brush, c.expected.brush);
  }
}

TEST(ControlColorsTest, DestructionDeletesTheBrushesStillHeld) {
  FakeBrushes brushes;
  {
    ControlColors colors(brushes);
    colors.Set(kGear1, kBlack, kGreyColor);
    colors.Set(kGear3, kBlack, kRed);
  }
  const std::vector<BrushEvent> expected = {Created(1, kGreyColor), Created(2, kRed), Deleted(1),
                                            Deleted(2)};
  EXPECT_EQ(Sorted(brushes.events), Sorted(expected));
}

}  // namespace
}  // namespace cog
