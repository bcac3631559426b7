#pragma once
// The results' JSON as trees, for the workshop's own writers: results_json.cpp
// dumps them for scripts, page/queries.cpp adds what the page shows. Not for the
// shells, which see only JSON text.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "lathe/fit_rules.h"
#include "lathe/profile.h"
#include "lathe/target.h"
#include "lathe/thread_chart.h"
#include "lathe/train_search.h"

namespace cog {

nlohmann::json ThreadResultTree(const LatheProfile& profile, const Target& target,
                                const std::vector<TrainRow>& rows, const Fraction& length_mm);
nlohmann::json TrainReportTree(const LatheProfile& profile, const std::vector<TrainRow>& positions,
                               const std::vector<FitRule>& rules, bool in_set, const Target* target,
                               const Fraction& length_mm);
nlohmann::json ChartTree(const LatheProfile& profile, const std::vector<ChartRow>& rows,
                         const Fraction& length_mm);
nlohmann::json AdviceTree(const AdviceResult& advice);

// One line of JSON text; invalid UTF-8 in texts is replaced, never refused,
// and C1 and bidirectional controls are written as \uNNNN escapes. The
// ordered tree keeps its keys in the order they were written.
std::string Dump(const nlohmann::json& value);
std::string Dump(const nlohmann::ordered_json& value);

// A query's refusal, {"error": TEXT, "input": what it is about}: the page
// words it for its field.
std::string ErrorJson(const std::string& input, const std::string& text);

}  // namespace cog
