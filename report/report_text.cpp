#include "report/report_text.h"

#include <algorithm>

#include "numtext/quoted_text.h"
#include "report/figure_text.h"

namespace cog {
namespace {

std::vector<std::vector<std::string>> WithHead(const CellTable& table) {
  std::vector<std::vector<std::string>> rows = {table.head};
  rows.insert(rows.end(), table.rows.begin(), table.rows.end());
  return rows;
}

// "your set lacks 127 and a second 20".
std::string LackingText(const LatheProfile& profile, const std::vector<int>& lacking) {
  std::string text;
  std::vector<int> named;
  for (std::size_t i = 0; i < lacking.size(); ++i) {
    const int teeth = lacking[i];
    const bool owned = std::count(profile.gears.begin(), profile.gears.end(), teeth) > 0 ||
                       std::count(named.begin(), named.end(), teeth) > 0;
    named.push_back(teeth);
    text += (i == 0                    ? ""
             : i + 1 == lacking.size() ? " and "
                                       : ", ") +
            std::string(owned ? "a second " : "") + std::to_string(teeth);
  }
  return "your set lacks " + text;
}

std::string Header(const LatheProfile& profile) {
  return "Lathe        " + LatheLine(profile) + "\n";
}

}  // namespace

std::string PaddedColumns(const std::vector<std::vector<std::string>>& rows,
                          const std::string& indent) {
  std::vector<std::size_t> widths;
  for (const auto& row : rows) {
    widths.resize(std::max(widths.size(), row.size()));
    for (std::size_t i = 0; i < row.size(); ++i)
      widths[i] = std::max(widths[i], ShownWidth(row[i]));
  }
  std::string out;
  for (const auto& row : rows) {
    out += indent;
    for (std::size_t i = 0; i < row.size(); ++i)
      out +=
          row[i] + (i + 1 < row.size() ? std::string(widths[i] - ShownWidth(row[i]) + 2, ' ') : "");
    out += '\n';
  }
  return out;
}

std::string ThreadText(const LatheProfile& profile, const Target& target,
                       const std::vector<TrainRow>& rows, const Fraction& length_mm, bool all) {
  std::string out = "Target       " + TargetLine(target) + "\n" + Header(profile) +
                    "Fit          " + FitLine(profile) + "\n\n";
  if (rows.empty()) return out;
  return out + PaddedColumns(WithHead(ThreadCells(profile, target, rows, length_mm, all)), "") +
         "\n" + kGearLegend;
}

std::string TrainText(const LatheProfile& profile, const TrainReport& report, const Target* target,
                      const Fraction& length_mm) {
  const TrainRow& first = report.positions.front();
  std::string out = "Train        " + std::string(KindName(first.kind)) + ' ' +
                    GearList(first.gears) + "   (" + GearOrder(first.kind) + ")\n";
  if (target) out += "Target       " + TargetLine(*target) + "\n";
  out += Header(profile) + "Fit          " + FitLine(profile) + "\n";
  if (!report.in_set) out += "Note         " + LackingText(profile, report.lacking) + "\n";
  out +=
      "\n" + PaddedColumns(WithHead(TrainCells(profile, report.positions, target, length_mm)), "");
  if (first.kind == TrainKind::kSix || !profile.geometry)
    return out + "\nFit: not checked" + (profile.geometry ? " for six-gear trains" : "") + ".\n";
  return out + "\nFit: " + (first.fits == true ? "fits" : "DOES NOT FIT") + "\n" +
         PaddedColumns(RuleCells(report.rules).rows, "  ");
}

std::string ChartText(const LatheProfile& profile, const std::vector<ChartRow>& rows) {
  std::string out;
  for (const std::string& line : ChartHeader(profile)) out += line + "\n";
  out += "\n";
  for (const ChartSection& s : ChartSections(profile, rows))
    out += std::string(s.series->title) + "\n" + PaddedColumns(WithHead(s.table), "  ") + "\n";
  return out;
}

std::string AdviceText(const AdviceResult& advice) {
  std::string out = "Chart of " + std::to_string(advice.before.threads) + " leads.\n\n" +
                    PaddedColumns(WithHead(AdviceCells(advice)), "");
  if (advice.best.empty())
    out += "\nNo gear from " + std::to_string(advice.from) + " to " + std::to_string(advice.to) +
           " teeth makes this chart better.\n";
  return out;
}

}  // namespace cog
