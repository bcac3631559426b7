#pragma once
// Every text of the dividing head's figures, once: the sentence a machinist
// reads for each way, the answers and charts as text, JSON, CSV, Markdown and
// a printable page, and helical milling's trains. The command-line tool
// prints these and the page shows them, byte for byte the same.

#include <string>
#include <vector>

#include "divider/head.h"
#include "divider/indexing.h"

namespace cog {

// A figure as a shell's table shows it: column heads, then rows of texts.
struct CellRows {
  std::vector<std::string> head;
  std::vector<std::vector<std::string>> rows;
};

// "0 turns and 5 holes in the 15-hole circle (plate 1), for 120 divisions;
// gear the plate to the spindle 56 : 24 with 2 idlers, so that it turns
// against the crank; set the sector arms to span 5 holes".
std::string WayText(const Way& way);

// Why no exact way exists and what would help; empty when a way exists.
std::string WhyText(const DividingHead& head, const DivideAnswer& answer);

// "40:1 head, three plates (ratio 40)"; control characters of the name as \xNN.
std::string HeadTitle(const DividingHead& head);

// "127 divisions on the 40:1 head, three plates (ratio 40): 40/127 turns of
// the crank per division".
std::string DivideCaption(const DividingHead& head, const DivideAnswer& answer);
// "differential: 0 turns and 5 holes ...": a way as a numbered line shows it.
std::string WayLine(const Way& way);
// "No exact way: ...", or empty when a way exists.
std::string NoWayText(const DividingHead& head, const DivideAnswer& answer);
// #, method, then the crank's move (turns, holes, circle, plate) and a note.
CellRows WayCells(const DivideAnswer& answer);

std::string DivideText(const DividingHead& head, const DivideAnswer& answer);
std::string DivideJson(const DividingHead& head, const DivideAnswer& answer);
std::string DivideCsv(const DivideAnswer& answer);

// A chart: one answer per number of divisions, each with at most its best way.
inline constexpr int kMaxChartLines = 1000;
bool BuildDivideChart(const Indexer& indexer, int from, int to, std::vector<DivideAnswer>* lines,
                      std::string* error);
std::string DivideChartTitle(const DividingHead& head);
// The head's plates and gears, a line each.
std::vector<std::string> DivideChartHeader(const DividingHead& head);
std::string DivideChartLegend();
// N, T, then the best way's move and note (or why there is none).
CellRows DivideChartCells(const DividingHead& head, const std::vector<DivideAnswer>& lines);
std::string DivideChartText(const DividingHead& head, const std::vector<DivideAnswer>& lines);
std::string DivideChartJson(const DividingHead& head, const std::vector<DivideAnswer>& lines);
std::string DivideChartCsv(const std::vector<DivideAnswer>& lines);
std::string DivideChartMarkdown(const DividingHead& head, const std::vector<DivideAnswer>& lines);
std::string DivideChartHtml(const DividingHead& head, const std::vector<DivideAnswer>& lines);

// The lead asked, the head's, and how the trains are read, in one sentence.
std::string HelixCaption(const DividingHead& head, const HelixAnswer& answer);
// Why no train is shown, or empty when one is.
std::string NoHelixText(const HelixAnswer& answer, bool keep_all);
CellRows HelixCells(const HelixAnswer& answer);
std::string HelixText(const DividingHead& head, const HelixAnswer& answer, bool keep_all);
std::string HelixJson(const HelixAnswer& answer);
std::string HelixCsv(const HelixAnswer& answer);

}  // namespace cog
