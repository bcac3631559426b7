#pragma once
// Workshop results as text for people, as `cogwright-cli` prints them.

#include <string>
#include <vector>

#include "lathe/train_report.h"
#include "report/report_cells.h"

namespace cog {

// `all`: the rows were asked for with the trains that do not fit. Without
// rows, only the heading: the caller says why there are none.
std::string ThreadText(const LatheProfile& profile, const Target& target,
                       const std::vector<TrainRow>& rows, const Fraction& length_mm, bool all);

std::string TrainText(const LatheProfile& profile, const TrainReport& report, const Target* target,
                      const Fraction& length_mm);

std::string ChartText(const LatheProfile& profile, const std::vector<ChartRow>& rows);

std::string AdviceText(const LatheProfile& profile, const AdviceResult& advice);

// Columns padded to their widest cell, two blanks apart, each line after `indent`.
std::string PaddedColumns(const std::vector<std::vector<std::string>>& rows,
                          const std::string& indent);

}  // namespace cog
