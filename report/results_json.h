#pragma once
// Results as JSON text, for scripts and the browser page. Numbers are written
// in the shortest form that reads back to the same double; key order is not
// part of the contract.
//
// A train row: {"kind": "simple"|"compound"|"six", "gears": [...],
//   "gearbox": NAME|null, "ratio": "p/q", "lead_mm": x, "tpi": x, "error": e,
//   "exact": bool, "error_per_thread_um": x, "drift_um": x, "within": bool,
//   "fits": bool|null, "tumbler": "normal"|"reversed"|null,
//   "dial": {"teeth": T|null, "every": j|null}|null}
// error is a fraction (0.01 is 1 %), cut / target - 1. For a feed, tpi,
// error_per_thread_um and drift_um are null; "tumbler" is null when the
// lathe has no tumbler and the train cuts the other hand; "dial" is null
// without a dial (or for a feed), and its figures null when the half-nut
// must stay closed.

#include <string>
#include <vector>

#include "lathe/fit_rules.h"
#include "lathe/profile.h"
#include "lathe/target.h"
#include "lathe/thread_chart.h"
#include "lathe/train_search.h"

namespace cog {

// {"target": {"text", "lead_mm", "starts", "hand": "right"|"left",
//   "designation": {"series", "size"}|null}, "fit_checked": bool, "trains": [row...]}
std::string ThreadResultJson(const LatheProfile& profile, const Target& target,
                             const std::vector<TrainRow>& rows, const Fraction& length_mm);

// One given train: {"train": {"kind", "gears"}, "in_set": bool, "fit_checked": bool,
//   "rules": [{"id", "text", "margin_mm", "ok"}], "target": {...}|null,
//   "positions": [row...]} (one row per gearbox position; without a target the
//   rows carry no error figures).
std::string TrainReportJson(const LatheProfile& profile, const std::vector<TrainRow>& positions,
                            const std::vector<FitRule>& rules, bool in_set, const Target* target,
                            const Fraction& length_mm);

// {"fit_checked": bool (every line's train was checked), "rows": [{"series", "size" (the first),
// "sizes", "target",
//   "lead_mm", "train": row|null, "nearest": row|null}]}: one row per lead; "train"
//   null when no train fits within the tolerance, "nearest" then the best beyond it.
std::string ChartJson(const LatheProfile& profile, const std::vector<ChartRow>& rows,
                      const Fraction& length_mm);

// {"before": summary, "candidates": [{"teeth", "after": summary}]}, a summary
// being {"threads", "without_train", "exact", "worst_error", "mean_error", "gained"};
// worst and mean are null when no thread has a train, gained is 0 before.
std::string AdviceJson(const AdviceResult& advice);

}  // namespace cog
