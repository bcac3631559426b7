#pragma once
// What each workshop result shows, as rows of cell texts: the text, Markdown
// and HTML outputs lay these out, and the page shows them as they are, so a
// figure reads the same wherever it appears.

#include <string>
#include <vector>

#include "lathe/fit_rules.h"
#include "lathe/profile.h"
#include "lathe/target.h"
#include "lathe/thread_chart.h"
#include "lathe/train_search.h"
#include "report/cell_table.h"

namespace cog {

// "1.25mm: lead 1.250000 mm per spindle turn", with the starts and whether
// the lead is exact.
std::string TargetLine(const Target& target);

// "NAME: lead screw 8tpi, 16 gears, gearbox of 3".
std::string LatheLine(const LatheProfile& profile);

// "checked: module 1.27, centre distance 120 mm", or why it is not checked.
std::string FitLine(const LatheProfile& profile);

// The legend of the gear order under a list of trains.
extern const char* const kGearLegend;

// The ranked trains for a target: #, kind, gears, gearbox, ratio, lead,
// tpi, error in percent, error per thread, drift over `length_mm`, fits, the
// hand it cuts (HandWord), the tumbler position and the dial (each when the
// lathe has one) and, with `all`, whether the row is within the tolerance. A
// feed shows mm and inches per spindle turn instead of the thread's figures.
CellTable ThreadCells(const LatheProfile& profile, const Target& target,
                      const std::vector<TrainRow>& rows, const Fraction& length_mm, bool all);

// One train at each gearbox position; the error columns only with a target,
// tumbler and dial only when the lathe has one. The hand cut is marked
// (HandWord) only against a target's hand.
CellTable TrainCells(const LatheProfile& profile, const std::vector<TrainRow>& positions,
                     const Target* target, const Fraction& length_mm);

// Each fit rule: "ok" or "SHORT", what it checks, its margin ("+10.305 mm").
CellTable RuleCells(const std::vector<FitRule>& rules);

// A chart, one section per series and a line per lead: the lead, gears,
// gearbox (only when the lathe has one), error in percent, fit ("not
// checked" where it was not), the hand cut, tumbler and dial (only when the
// lathe has one), or why no train is given;
// then the sizes of that lead, always the last cell.
struct ChartSection {
  const ThreadSeries* series = nullptr;
  CellTable table;
};
std::vector<ChartSection> ChartSections(const LatheProfile& profile,
                                        const std::vector<ChartRow>& rows);

// What a chart opens with: the lathe's name, its lead screw and gear set,
// tumbler, dial, tolerance and fit (checked only when it was on every line
// with a train), and the legend of the gear order.
std::vector<std::string> ChartHeader(const LatheProfile& profile,
                                     const std::vector<ChartRow>& rows);

// Whether the profile has a banjo and every line's train was checked on it
// (a six-gear train never is).
bool EveryLineFitChecked(const LatheProfile& profile, const std::vector<ChartRow>& rows);

// How gear advice ranks, in one line.
extern const char* const kAdviceRanking;

// "Without a train now: 1/4-20 LH (5 gears make no six-gear train, ...);
// 16BA (none within 1 %, nearest +1.2000%).", each line's cause as the chart
// gives it; "" when every line has a train.
std::string WithoutTrainNote(const LatheProfile& profile, const AdviceResult& advice);

// The chart before and with each candidate gear: gear, lines gained, without
// train, exact, worst and mean |error|.
CellTable AdviceCells(const AdviceResult& advice);

}  // namespace cog
