#pragma once
// The dividing head's figures as words and cells: the sentence a machinist
// reads for each way, captions, and the rows of answers, charts and helical
// milling's trains. The text, CSV, Markdown, HTML and JSON writers and the
// page all take their words from here.

#include <string>
#include <vector>

#include "divider/head.h"
#include "divider/indexing.h"
#include "report/cell_table.h"

namespace cog {

// "direct", "simple", "compound" or "differential".
const char* MethodName(Method method);

// "5 holes in the 15-hole circle (plate 1), the pin back into its hole, index
// as for 120; withdraw the plate's stop pin and gear the plate to the
// spindle, 56 on the spindle, 24 on the plate's shaft, with 2 idlers, so that
// the plate turns against the crank; set the sector arms 5 spaces apart: 6
// holes including the one the pin is in".
std::string WayText(const Way& way);

// Why no exact way exists and what would help; empty when a way exists.
std::string WhyText(const DividingHead& head, const DivideAnswer& answer);

// "40:1 head, three plates (ratio 40)"; control characters of the name as
// \xNN, and the name then passed through `escape` (MarkdownCell) when given,
// for a format in which it could make markup.
std::string HeadTitle(const DividingHead& head,
                      std::string (*escape)(const std::string&) = nullptr);

// "127 divisions on the 40:1 head, three plates (ratio 40): 40/127 turns of
// the crank per division" ("on My B&S head (ratio 40)" for a name that has
// its own article).
std::string DivideCaption(const DividingHead& head, const DivideAnswer& answer);
// "differential: 0 turns and 5 holes ...": a way as a numbered line shows it.
std::string WayLine(const Way& way);
// What a nearest way misses by: per division in degrees and seconds, as mm
// at the work's diameter when given, and at the last division.
std::string NearText(const NearWay& near, const DivideAnswer& answer);
// "simple: ... (approximate, over by ...)".
std::string NearLine(const NearWay& near, const DivideAnswer& answer);
// "No exact way: ...", or empty when a way exists.
std::string NoWayText(const DividingHead& head, const DivideAnswer& answer);
// #, method, then the crank's move (turns, holes, circle, plate) and a note.
CellTable WayCells(const DivideAnswer& answer);

// "1: 15 16 17; 2: 21 23 27", or "none".
std::string PlatesText(const DividingHead& head);
// The change gears a differential train is made of, "24 28 32", or "none".
std::string HeadGearsText(const DividingHead& head);

// "Dividing chart: " and the HeadTitle, its name passed through `escape`.
std::string DivideChartTitle(const DividingHead& head,
                             std::string (*escape)(const std::string&) = nullptr);
// The head's plates and gears, a line each.
std::vector<std::string> DivideChartHeader(const DividingHead& head);
std::string DivideChartLegend();
// N, T, then the best way's move and note (or why there is none).
CellTable DivideChartCells(const DividingHead& head, const std::vector<DivideAnswer>& lines);

// The lead asked, the head's, and how the trains are read, in one sentence.
std::string HelixCaption(const DividingHead& head, const HelixAnswer& answer);
// Why no train is shown, or empty when one is.
std::string NoHelixText(const HelixAnswer& answer, bool keep_all);
// #, kind, gears, ratio, lead mm, error %, and "within" or "beyond by 0.0025 %"
// (the error's excess over the tolerance).
CellTable HelixCells(const HelixAnswer& answer);

}  // namespace cog
