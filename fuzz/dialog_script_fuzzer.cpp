// Random sessions of the dialog on small tables, replayed through the same
// actions the dialog runs, with the dialog's state checked after every action.
//
// Input: lines as `cogwright-cli session` takes them (target TEXT, find, higher,
// lower, single 0|1, even 0|1), optionally led by "teeth A B" (read as the two
// command-line numbers; default 20 and 27). Other lines are ignored.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "engine/ratio_table.h"
#include "engine/tooth_limits.h"
#include "fuzz/fuzz_check.h"
#include "numtext/number_format.h"
#include "numtext/number_reader.h"
#include "ui/app_state.h"
#include "ui/dialog_actions.h"
#include "ui/dialog_ids.h"
#include "ui/memory_port.h"
#include "ui/testing/grey_shown.h"

namespace cog::fuzz {
namespace {

// Big enough for odd sizes and long runs of equal ratios, small enough that
// a full scan per action stays cheap.
constexpr std::int64_t kMaxSlots = 20000;
constexpr std::size_t kMaxCachedTables = 64;
constexpr int kResultIds[] = {IDC_ACTUAL_RATIO, IDC_GEAR1, IDC_GEAR2,
                              IDC_GEAR3,        IDC_GEAR4, IDC_ERROR};

// Counts the displays, which the port sees as writes to the ratio box.
class WatchedPort : public MemoryPort {
 public:
  void SetItemText(int id, const std::string& text) override {
    if (id == IDC_ACTUAL_RATIO) ++displays;
    MemoryPort::SetItemText(id, text);
  }
  int displays = 0;
};

// Building a table is far slower than replaying a script on it.
AppState& StateFor(ToothLimits limits) {
  static std::map<std::pair<int, int>, std::unique_ptr<AppState>> cache;
  const std::pair<int, int> key{limits.MinTeeth, limits.MaxTeeth};
  auto it = cache.find(key);
  if (it == cache.end()) {
    if (cache.size() >= kMaxCachedTables) cache.clear();
    auto state = std::make_unique<AppState>();
    Require(StartupWithLimits(*state, limits) == RunError::kNone, "a small table is built");
    it = cache.emplace(key, std::move(state)).first;
  }
  AppState& state = *it->second;
  state.CurrentIndex = 0;
  state.MatchError = 0;
  return state;
}

bool HasOddTooth(const RatioEntry& e) { return ((e.Gear1 | e.Gear2 | e.Gear3 | e.Gear4) & 1) != 0; }

GreyPair GreyPairOf(const RatioEntry& e) {
  if (e.Gear1 == e.Gear2) return GreyPair::kFirst;
  if (e.Gear3 == e.Gear4) return GreyPair::kSecond;
  return GreyPair::kNone;
}

class Session {
 public:
  explicit Session(AppState& state) : state_(state), table_(state.Tables.RatioTable) {}

  void Run(std::string_view action, std::string_view argument, bool has_argument) {
    if (action == "target") {
      port_.SetItemText(IDC_TARGET_RATIO, std::string(argument));
    } else if ((action == "single" || action == "even") && (argument == "0" || argument == "1")) {
      port_.SetCheckState(action == "single" ? IDC_SINGLE_ONLY : IDC_EVEN_ONLY, argument == "1");
    } else if (!has_argument && action == "find") {
      Find();
    } else if (!has_argument && (action == "higher" || action == "lower")) {
      Step(action == "higher");
    }
    CheckState();
  }

 private:
  const RatioEntry& Entry(std::int64_t index) const { return table_[index]; }

  void Find() {
    const int displays = port_.displays;
    const float target = NarrowToFloat(ReadNumber(port_.ItemText(IDC_TARGET_RATIO)));
    DispatchCommand(port_, state_, IDC_FIND, 0);
    Require(port_.displays == displays + 1, "Find always shows its match");
    Displayed();
    if (std::isinf(target) || table_.TopIndex() == 0) return;
    const long double distance =
        std::fabs(Entry(state_.CurrentIndex).Ratio - static_cast<long double>(target));
    for (const RatioEntry& e : table_) {
      Require(distance <= std::fabs(e.Ratio - static_cast<long double>(target)),
              "Find picks a nearest entry");
    }
  }

  void Step(bool higher) {
    const std::int32_t from = state_.CurrentIndex;
    const int displays = port_.displays;
    const bool single = port_.CheckState(IDC_SINGLE_ONLY) == 1;
    const bool even = port_.CheckState(IDC_EVEN_ONLY) == 1;
    DispatchCommand(port_, state_, higher ? IDC_HIGHER : IDC_LOWER, 0);
    const std::int32_t to = state_.CurrentIndex;
    const bool shown = port_.displays != displays;
    const std::int64_t end = higher ? table_.TopIndex() : 0;
    Require(higher ? to >= from : to <= from, "a step never goes the wrong way");
    if (!shown) {
      Require(!single, "only the plain walk can end without a display");
      Require(to == end, "a walk that shows nothing stopped at the end");
    } else {
      Require(to != from || single, "a plain step that shows moves");
      Displayed();
    }
    if (single) {
      CheckSingleStop(from, to, end, even);
    } else {
      CheckPlainStop(from, to, shown, higher, even);
    }
  }

  void CheckPlainStop(std::int32_t from, std::int32_t to, bool shown, bool higher, bool even) {
    const std::int32_t direction = higher ? 1 : -1;
    // Every entry passed over must have been filtered out.
    const std::int32_t last_passed = shown ? to - direction : to;
    for (std::int32_t i = from + direction; i * direction <= last_passed * direction;
         i += direction) {
      Require(even && HasOddTooth(Entry(i)), "the plain walk passes over only odd-toothed entries");
    }
    if (shown) Require(!(even && HasOddTooth(Entry(to))), "the plain walk stops at a candidate");
  }

  void CheckSingleStop(std::int32_t from, std::int32_t to, std::int64_t end, bool even) {
    if (to == end) return;  // the end entry is shown whatever it holds
    const RatioEntry& e = Entry(to);
    const RatioEntry& start = Entry(from);
    Require(e.IsSingle == 1 && !(e.Gear1 == e.Gear2 && e.Gear3 == e.Gear4),
            "the single walk stops at a single entry with one working pair");
    Require(!(even && HasOddTooth(e)), "with even teeth only, every tooth count is even");
    const bool differs = e.Gear1 == e.Gear2 ? (e.Gear3 != start.Gear3 || e.Gear4 != start.Gear4)
                                            : (e.Gear1 != start.Gear1 || e.Gear2 != start.Gear2);
    Require(differs, "the working pair differs from the start entry's");
  }

  void Displayed() {
    shown_index_ = state_.CurrentIndex;
    const RatioEntry& e = Entry(shown_index_);
    if (!(e.Ratio > 0)) {
      Require(state_.MatchError == 9.999999f, "no ratio: the error is 9.999999");
      return;
    }
    // The error is measured against the text in the box at display time.
    const float target = NarrowToFloat(ReadNumber(port_.ItemText(IDC_TARGET_RATIO)));
    const float error = state_.MatchError;
    if (target < e.Ratio) Require(error > 0, "an actual ratio above the target: positive error");
    if (target > e.Ratio) Require(error < 0, "an actual ratio below the target: negative error");
    if (target == e.Ratio) Require(error == 0, "an exact match: no error");
  }

  void CheckState() {
    Require(state_.CurrentIndex >= 0 && state_.CurrentIndex <= table_.TopIndex(),
            "CurrentIndex stays inside the table");
    if (shown_index_ < 0) {
      for (int id : kResultIds) Require(port_.ItemText(id).empty(), "nothing shown yet");
      return;
    }
    const RatioEntry& e = Entry(shown_index_);
    const std::string expected[] = {
        FormatNumber(e.Ratio, "####.######"), FormatNumber(e.Gear1, "####"),
        FormatNumber(e.Gear2, "####"),        FormatNumber(e.Gear3, "####"),
        FormatNumber(e.Gear4, "####"),        FormatNumber(state_.MatchError, "0.0000%"),
    };
    for (int k = 0; k < 6; ++k) {
      Require(port_.ItemText(kResultIds[k]) == expected[k], "the boxes show the entry shown");
    }
    const GreyPair grey = testing::GreyShown(port_);
    Require(grey == GreyPairOf(e), "the grey pair is the 1:1 pair");
    if (e.IsSingle == 1) Require(grey != GreyPair::kNone, "a single entry has a grey pair");
  }

  AppState& state_;
  const EntryTable& table_;
  WatchedPort port_;
  std::int64_t shown_index_ = -1;
};

std::pair<std::string_view, std::string_view> NextLine(std::string_view& text) {
  const std::size_t end = text.find('\n');
  const std::string_view line = text.substr(0, end);
  text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  return {line.substr(0, line.find(' ')), line};
}

}  // namespace
}  // namespace cog::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace cog;
  using namespace cog::fuzz;
  std::string_view script(reinterpret_cast<const char*>(data), size);
  ToothLimits limits{20, 27};
  if (script.substr(0, 6) == "teeth ") {
    const std::string_view line = NextLine(script).second.substr(6);
    const std::size_t blank = line.find(' ');
    limits = LimitsFromParameters(line.substr(0, blank),
                                  blank == std::string_view::npos ? "" : line.substr(blank + 1));
    if (RatioTableSlots(limits) > kMaxSlots) return 0;
  }
  Session session(StateFor(limits));
  while (!script.empty()) {
    const auto [action, line] = NextLine(script);
    const bool has_argument = action.size() < line.size();
    session.Run(action, has_argument ? line.substr(action.size() + 1) : "", has_argument);
  }
  return 0;
}
