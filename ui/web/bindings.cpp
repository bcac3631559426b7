// What the page calls in the WebAssembly module: the dialog's actions over a
// dialog held in memory (in the worker that owns the ratio table), and the
// workshop's queries from a profile's JSON text to results as JSON text.

#include <emscripten/bind.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/tooth_limits.h"
#include "gears/fraction_text.h"
#include "numtext/number_format.h"
#include "numtext/number_reader.h"
#include "report/page/divide_queries.h"
#include "report/page/gear_queries.h"
#include "report/page/queries.h"
#include "ui/dialog_actions.h"
#include "ui/dialog_ids.h"
#include "ui/match_description.h"
#include "ui/memory_port.h"
#include "ui/startup_notice.h"

namespace cog {
namespace {

using emscripten::val;

const char* GreyName(GreyPair grey) {
  switch (grey) {
    case GreyPair::kFirst:
      return "first";
    case GreyPair::kSecond:
      return "second";
    case GreyPair::kNone:
      break;
  }
  return "none";
}

// The number the dialog reads from a target text, when the text is not a
// plain decimal number ("1/3" reads as 1, "abc" as 0, "1e400" as infinity):
// its shortest text that reads back to the same float. "" for a plain number.
std::string ReadAs(const std::string& text) {
  const float read = NarrowToFloat(ReadNumber(text));
  Fraction exact;
  std::string error;
  if (text.find('/') == std::string::npos && ReadFraction(text, &exact, &error) &&
      std::isfinite(read))
    return "";
  if (std::isinf(read)) return read > 0 ? "infinity" : "-infinity";
  std::string mask = "0.";
  for (;;) {
    std::string shown = FormatNumber(read, mask);
    if (shown.back() == '.') shown.pop_back();
    if (NarrowToFloat(ReadNumber(shown)) == read || mask.size() > 64) return shown;
    mask += '#';
  }
}

// One ratio table and the dialog showing it.
class RatioSession {
 public:
  // Settles the limits from the two texts as the program takes its command
  // line, and builds the table. {notice, error (0 or the run-time error
  // number), failure (the text when the table cannot be created)}.
  val Build(const std::string& first, const std::string& second) {
    state_ = AppState();
    const ToothLimits limits = LimitsFromParameters(first, second);
    const RunError error = StartupWithLimits(state_, limits);
    val result = val::object();
    result.set("notice", StartupNoticeText(limits));
    result.set("minTeeth", limits.MinTeeth);
    result.set("maxTeeth", limits.MaxTeeth);
    result.set("error", static_cast<int>(error));
    result.set("failure", error == RunError::kNone ? "" : TableFailureText(error, limits));
    built_ = error == RunError::kNone;
    return result;
  }

  // Puts the target text and the check boxes in the dialog, presses Find,
  // Higher or Lower, and returns {shown, index} and, when a match was shown,
  // what it shows: texts (actual, gear 1 to 4, error), grey ("first",
  // "second" or "none": the gear pair drawn grey) and readAs (ReadAs of the
  // target, which the error is worked from).
  val Press(const std::string& button, const std::string& target, bool single, bool even) {
    val result = val::object();
    if (!built_) return result;
    port_.SetItemText(IDC_TARGET_RATIO, target);
    port_.SetCheckState(IDC_SINGLE_ONLY, single ? 1 : 0);
    port_.SetCheckState(IDC_EVEN_ONLY, even ? 1 : 0);
    bool shown = true;
    if (button == "find")
      FindMatch(port_, state_);
    else
      shown = StepMatch(port_, state_, button == "higher" ? Direction::kHigher : Direction::kLower);
    result.set("shown", shown);
    result.set("index", state_.CurrentIndex);
    if (!shown) return result;
    const MatchDescription match =
        DescribeMatch(state_.Tables.RatioTable[state_.CurrentIndex], state_.MatchError);
    val texts = val::array();
    texts.call<void>("push", match.actual_ratio);
    for (const std::string& gear : match.gears) texts.call<void>("push", gear);
    texts.call<void>("push", match.error);
    result.set("texts", texts);
    result.set("grey", std::string(GreyName(match.grey)));
    result.set("readAs", ReadAs(target));
    return result;
  }

 private:
  AppState state_;
  MemoryPort port_;
  bool built_ = false;
};

}  // namespace

// The gear form's fields, one argument each (embind passes strings, not
// structs, without a value_object for a single query).
std::string GearFormQuery(const std::string& head, const std::string& teeth,
                          const std::string& system, const std::string& size,
                          const std::string& pressure_angle, const std::string& helix,
                          const std::string& shift, const std::string& pin) {
  return GearQuery(head, {teeth, system, size, pressure_angle, helix, shift, pin});
}

}  // namespace cog

EMSCRIPTEN_BINDINGS(cogwright) {
  emscripten::class_<cog::RatioSession>("RatioSession")
      .constructor<>()
      .function("build", &cog::RatioSession::Build)
      .function("press", &cog::RatioSession::Press);
  emscripten::function("threadQuery", &cog::ThreadQuery);
  emscripten::function("trainQuery", &cog::TrainQuery);
  emscripten::function("chartQuery", &cog::ChartQuery);
  emscripten::function("suggestQuery", &cog::SuggestQuery);
  emscripten::function("gearListQuery", &cog::GearListQuery);
  emscripten::function("profileQuery", &cog::ProfileQuery);
  emscripten::function("defaultsQuery", &cog::DefaultsQuery);
  emscripten::function("seriesList", &cog::SeriesList);
  emscripten::function("headQuery", &cog::HeadQuery);
  emscripten::function("divideQuery", &cog::DivideQuery);
  emscripten::function("divideChartQuery", &cog::DivideChartQuery);
  emscripten::function("helixQuery", &cog::HelixQuery);
  emscripten::function("gearQuery", &cog::GearFormQuery);
}
