#pragma once
// The workshop's questions asked with texts and answered with JSON text, for
// shells that hold the profile as text (the browser page). Each answer is the
// results JSON (results_json.h) with a "view": the texts the page shows, made
// by the same code as the command-line tool's (cells, captions, a chart's CSV
// and printable sheet, the banjo drawing). Or it is {"error": TEXT, "input":
// WHAT}: WHAT is "profile" (the file as a whole), a profile key, "target",
// "starts", "top", "train", "series", "from" or "to", and TEXT says what is
// wrong with it in the data's words, for the page to word for its field.
// Starts, top, from and to are checked as lathe/question_inputs.h says, as
// the command-line tool checks them; their defaults are lathe/defaults.h's.

#include <string>

namespace cog {

// The best `top` trains for `target` (a TARGET text as the CLI takes it).
std::string ThreadQuery(const std::string& profile_json, const std::string& target, int starts,
                        int top, bool keep_unfit);

// One train, "40,30,50,80" (3, 4 or 6 gears), with an optional target ("" for none).
std::string TrainQuery(const std::string& profile_json, const std::string& gears,
                       const std::string& target, int starts);

// A chart of the series and targets in `series`, comma-separated
// ("iso-coarse,unc" or "unc, 0.5mm, 11tpi, M8"), as `chart` takes them.
std::string ChartQuery(const std::string& profile_json, const std::string& series);

// The best kAdviceCount gears from `from` to `to` to add for that chart.
std::string SuggestQuery(const std::string& profile_json, const std::string& series, int from,
                         int to);

// Whether a profile can be read: {"ok": true}, or the error of its first
// fault, with "missing": true when the fault is only a value not yet given
// (a lathe being set up), false when a value or the file itself is wrong.
std::string ProfileQuery(const std::string& profile_json);

// What a question asks when the user says nothing (lathe/defaults.h, and the
// dividing head's): {"drift_length_mm", "top", "advice_from", "advice_to",
// "advice_count", "divide_top", "helix_top", "helix_max_error_percent",
// "divide_chart_from", "divide_chart_to"}.
std::string DefaultsQuery();

// A gear list as people type one ("20-80/5, 127, 2x20") as {"gears": [...]}.
std::string GearListQuery(const std::string& text);

// [{"name", "title", "threads", "sizes": [size names]}] of the built-in series:
// "SIZE NAME" is a target ReadTarget takes.
std::string SeriesList();

}  // namespace cog
