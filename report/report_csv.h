#pragma once
// Workshop results as CSV: one header line, then one line per row. Figures
// are written in the shortest form that reads back to the same double; the
// error is a fraction (0.01 is 1 %), not a percentage, and its column says
// so (error_fraction).

#include <string>
#include <vector>

#include "lathe/profile.h"
#include "lathe/target.h"
#include "lathe/thread_chart.h"
#include "lathe/train_search.h"

namespace cog {

std::string ThreadCsv(const LatheProfile& profile, const Target& target,
                      const std::vector<TrainRow>& rows, const Fraction& length_mm);

std::string TrainCsv(const LatheProfile& profile, const std::vector<TrainRow>& positions,
                     const Target* target, const Fraction& length_mm);

std::string ChartCsv(const LatheProfile& profile, const std::vector<ChartRow>& rows);

std::string AdviceCsv(const AdviceResult& advice);

}  // namespace cog
