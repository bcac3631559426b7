#include "report/divide_text.h"

#include <algorithm>

#include "numtext/quoted_text.h"
#include "report/divide_cells.h"
#include "report/report_text.h"

namespace cog {
namespace {

// Words on lines of at most `width` characters; a gear pair "A : B" is never
// broken.
std::string Wrap(const std::string& text, std::size_t width = 88) {
  std::vector<std::string> words;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find(' ', start), text.size());
    std::string word = text.substr(start, end - start);
    if (words.size() >= 2 && words.back() == ":") {
      words.pop_back();
      words.back() += " : " + word;
    } else {
      words.push_back(std::move(word));
    }
    start = end + 1;
  }
  std::string out, line;
  for (const std::string& word : words) {
    if (!line.empty() && ShownWidth(line) + 1 + ShownWidth(word) > width) {
      out += line + "\n";
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
  }
  return out + line + "\n";
}

// N, T, turns, holes, circle, plate, notes.
const std::vector<SheetColumn> kChartColumns = {{0, 6, true}, {2, 12, false}, {1, 5, true},
                                                {1, 5, true}, {1, 6, true},   {1, 5, true},
                                                {2, 0, false}};

// #, kind, gears, idlers, ratio, lead mm, error %, within; the heads of the
// figures keep to the left of their columns.
const std::vector<SheetColumn> kHelixColumns = {{0, 3, true},  {2, 9, false},  {1, 24, false},
                                                {1, 6, true},  {1, 10, false}, {1, 10, true},
                                                {1, 10, true}, {2, 0, false}};
const std::vector<SheetColumn> kHelixHeads = {{0, 3, true},   {2, 9, false},  {1, 24, false},
                                              {1, 6, false},  {1, 10, false}, {1, 10, false},
                                              {1, 10, false}, {2, 0, false}};

}  // namespace

std::string DivideText(const DividingHead& head, const DivideAnswer& a) {
  std::string out = DivideCaption(head, a) + "\n";
  for (std::size_t i = 0; i < a.ways.size(); ++i)
    out += std::to_string(i + 1) + ". " + WayLine(a.ways[i]) + "\n";
  return out + NoWayNearestText(head, a);
}

std::string NoWayNearestText(const DividingHead& head, const DivideAnswer& a) {
  if (!a.ways.empty()) return "";
  std::string out = NoWayText(head, a) + "\n";
  if (!a.nearest.empty()) out += "The nearest ways, none exact:\n";
  for (std::size_t i = 0; i < a.nearest.size(); ++i)
    out += "~" + std::to_string(i + 1) + ". " + NearLine(a.nearest[i], a) + "\n";
  return out;
}

std::string DivideChartText(const DividingHead& head, const std::vector<DivideAnswer>& lines) {
  std::string out = DivideChartTitle(head) + "\n";
  for (const std::string& line : DivideChartHeader(head)) out += line + "\n";
  out += Wrap(DivideChartLegend()) + "\n";
  return out + SheetLines(WithHead(DivideChartCells(head, lines)), kChartColumns);
}

std::string HelixText(const DividingHead& head, const HelixAnswer& a, bool keep_all) {
  std::string out = Wrap(HelixCaption(head, a));
  if (a.trains.empty()) return out + NoHelixText(a, keep_all) + "\n";
  CellTable cells = HelixCells(a);
  cells.head.back().clear();  // "within" and "beyond by" say what they are
  return out + SheetLines({cells.head}, kHelixHeads) + SheetLines(cells.rows, kHelixColumns);
}

}  // namespace cog
