#pragma once
// Workshop results as text for people, CSV, Markdown and a printable HTML page.

#include <ostream>
#include <vector>

#include "workshop/fit_rules.h"
#include "workshop/profile.h"
#include "workshop/target.h"
#include "workshop/thread_chart.h"
#include "workshop/train_search.h"

namespace cog {

void PrintThreadText(std::ostream& out, const LatheProfile& profile, const Target& target,
                     const std::vector<TrainRow>& rows, const Fraction& length_mm, bool all);
void PrintThreadCsv(std::ostream& out, const LatheProfile& profile, const Target& target,
                    const std::vector<TrainRow>& rows, const Fraction& length_mm);

void PrintTrainText(std::ostream& out, const LatheProfile& profile,
                    const std::vector<TrainRow>& positions, const std::vector<FitRule>& rules,
                    bool in_set, const Target* target, const Fraction& length_mm);

void PrintTrainCsv(std::ostream& out, const LatheProfile& profile,
                   const std::vector<TrainRow>& positions, const Target* target,
                   const Fraction& length_mm);

enum class ChartFormat { kText, kCsv, kMarkdown, kHtml };
void PrintChart(std::ostream& out, ChartFormat format, const LatheProfile& profile,
                const std::vector<ChartRow>& rows);

void PrintAdviceText(std::ostream& out, const AdviceResult& advice);
void PrintAdviceCsv(std::ostream& out, const AdviceResult& advice);

}  // namespace cog
