#include "report/report_text.h"

#include <algorithm>

#include "lathe/row_facts.h"
#include "numtext/quoted_text.h"
#include "report/figure_text.h"

namespace cog {
namespace {

// How many gears of `teeth` teeth the lathe has, wherever they stand.
int Owned(const LatheProfile& profile, int teeth) {
  int owned = static_cast<int>(std::count(profile.gears.begin(), profile.gears.end(), teeth));
  if (profile.first_driver == teeth) ++owned;
  for (const auto& [a, b] : profile.keyed) owned += (a == teeth) + (b == teeth);
  return owned;
}

// "a second ", "a third ", ... for the nth gear of a tooth count; "" for the first.
std::string Nth(int n) {
  static const char* const kWords[] = {"second", "third", "fourth", "fifth"};
  if (n <= 1) return "";
  return n - 2 < 4 ? "a " + std::string(kWords[n - 2]) + " " : "another ";
}

// "your set lacks 127 and a second 20": the first gear of a tooth count the
// lathe does not have, or the how-manieth the train needs of one it has.
std::string LackingText(const LatheProfile& profile, const std::vector<int>& lacking) {
  std::string text;
  for (std::size_t i = 0; i < lacking.size(); ++i) {
    const int teeth = lacking[i];
    const int before = static_cast<int>(
        std::count(lacking.begin(), lacking.begin() + static_cast<long>(i), teeth));
    text += (i == 0                    ? ""
             : i + 1 == lacking.size() ? " and "
                                       : ", ") +
            Nth(Owned(profile, teeth) + before + 1) + std::to_string(teeth);
  }
  return "your set lacks " + text;
}

// The widest a chart's line may be, so that it reads in a terminal and prints
// on a page: the last cell (the sizes) wraps below itself to stay within it.
constexpr std::size_t kChartColumns = 100;

// The last column a cell of `row` at `i` runs across: the empty cells after
// it, short of the last cell. A line without a train words why where its
// train's figures would stand.
std::size_t SpanEnd(const std::vector<std::string>& row, std::size_t i) {
  while (i + 2 < row.size() && row[i + 1].empty()) ++i;
  return i;
}

// Cells padded as PaddedColumns pads them, a cell running across the empty
// cells after it, the last cell wrapped after its ", " separators where the
// line would pass kChartColumns; a cell too long for the room left, or when
// the other cells leave almost none, stands alone on its line.
std::string WrappedColumns(const std::vector<std::vector<std::string>>& rows,
                           const std::string& indent) {
  std::vector<std::size_t> widths;
  for (const auto& row : rows) {
    widths.resize(std::max(widths.size(), row.size()));
    for (std::size_t i = 0; i + 1 < row.size(); ++i)
      if (SpanEnd(row, i) == i) widths[i] = std::max(widths[i], ShownWidth(row[i]));
  }
  // A running cell longer than the columns it runs across widens the last.
  auto span_width = [&](std::size_t i, std::size_t end) {
    std::size_t width = 2 * (end - i);
    for (std::size_t k = i; k <= end; ++k) width += widths[k];
    return width;
  };
  for (const auto& row : rows)
    for (std::size_t i = 0; i + 1 < row.size(); i = SpanEnd(row, i) + 1) {
      const std::size_t end = SpanEnd(row, i), need = ShownWidth(row[i]);
      if (end != i && need > span_width(i, end)) widths[end] += need - span_width(i, end);
    }
  std::string out;
  for (const auto& row : rows) {
    std::string line = indent;
    for (std::size_t i = 0; i + 1 < row.size(); i = SpanEnd(row, i) + 1)
      line += PaddedCell(row[i], span_width(i, SpanEnd(row, i))) + "  ";
    const std::size_t start = ShownWidth(line);
    const std::size_t room =
        std::max<std::size_t>(24, kChartColumns - std::min(start, kChartColumns));
    const std::string& last = row.empty() ? std::string() : row.back();
    std::size_t used = 0;  // of the current line's room
    for (std::size_t from = 0; from < last.size();) {
      std::size_t end = last.find(", ", from);
      end = end == std::string::npos ? last.size() : end + 1;  // the comma stays with its size
      const std::string piece = last.substr(from, end - from);
      if (used > 0 && used + 1 + ShownWidth(piece) > room) {
        out += line + "\n";
        line = std::string(start, ' ');
        used = 0;
      }
      line += (used > 0 ? " " : "") + piece;
      used += (used > 0 ? 1 : 0) + ShownWidth(piece);
      from = end < last.size() ? end + 1 : end;
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + "\n";
  }
  return out;
}

// `text` broken at blanks into lines of at most kChartColumns characters
// where it can be.
std::string WrappedLine(const std::string& text) {
  std::string out, line;
  for (std::size_t from = 0; from < text.size();) {
    std::size_t end = text.find(' ', from);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(from, end - from);
    if (!line.empty() && ShownWidth(line) + 1 + ShownWidth(word) > kChartColumns) {
      out += line + "\n";
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
    from = end + 1;
  }
  return out + line + "\n";
}

std::string Header(const LatheProfile& profile) {
  return "Lathe        " + LatheLine(profile) + "\n";
}

}  // namespace

std::vector<std::vector<std::string>> WithHead(const CellTable& table) {
  std::vector<std::vector<std::string>> rows = {table.head};
  rows.insert(rows.end(), table.rows.begin(), table.rows.end());
  return rows;
}

std::string PaddedCell(const std::string& text, std::size_t width, bool right) {
  const std::size_t shown = ShownWidth(text);
  if (shown >= width) return text;
  const std::string blanks(width - shown, ' ');
  return right ? blanks + text : text + blanks;
}

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
      out += i + 1 < row.size() ? PaddedCell(row[i], widths[i]) + "  " : row[i];
    out += '\n';
  }
  return out;
}

std::string SheetLines(const std::vector<std::vector<std::string>>& rows,
                       const std::vector<SheetColumn>& columns) {
  std::string out;
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i)
      line +=
          std::string(columns[i].gap, ' ') + PaddedCell(row[i], columns[i].width, columns[i].right);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + '\n';
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
  if (!report.lacking.empty()) out += "Note         " + LackingText(profile, report.lacking) + "\n";
  if (report.a_not_first_driver)
    out += "Note         this lathe drives every train from its own " +
           std::to_string(*profile.first_driver) + " at A (first_driver), not from a " +
           std::to_string(first.gears[0]) + "\n";
  if (target && !OtherHandNote(profile, *target, first).empty())
    out += "Note         " + OtherHandNote(profile, *target, first) + "\n";
  out +=
      "\n" + PaddedColumns(WithHead(TrainCells(profile, report.positions, target, length_mm)), "");
  if (first.kind == TrainKind::kSix || !profile.geometry)
    return out + "\nFit: not checked" + (profile.geometry ? " for six-gear trains" : "") + ".\n";
  return out + "\nFit: " + (first.fits == true ? "fits" : "DOES NOT FIT") + "\n" +
         PaddedColumns(RuleCells(report.rules).rows, "  ");
}

std::string ChartText(const LatheProfile& profile, const std::vector<ChartRow>& rows) {
  std::string out;
  for (const std::string& line : ChartHeader(profile, rows)) out += WrappedLine(line);
  out += "\n";
  for (const ChartSection& s : ChartSections(profile, rows))
    out += std::string(s.series->title) + "\n" + WrappedColumns(WithHead(s.table), "  ") + "\n";
  return out;
}

std::string AdviceText(const LatheProfile& profile, const AdviceResult& advice) {
  const int leads = advice.before.threads;
  std::string out = Header(profile) + "Fit          " + FitLine(profile) + "\n" +
                    WrappedLine(kAdviceRanking) + "\n" + "Chart of " + std::to_string(leads) +
                    (leads == 1 ? " lead" : " leads") + ".\n\n" +
                    PaddedColumns(WithHead(AdviceCells(advice)), "");
  if (advice.best.empty())
    out += "\nNo gear from " + std::to_string(advice.from) + " to " + std::to_string(advice.to) +
           " teeth makes this chart better.\n";
  const std::string without = WithoutTrainNote(profile, advice);
  if (!without.empty()) out += "\n" + WrappedLine(without);
  return out;
}

}  // namespace cog
