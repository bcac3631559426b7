#include "report/divide_sheet.h"

#include "report/divide_cells.h"
#include "report/figure_text.h"

namespace cog {

std::string DivideChartMarkdown(const DividingHead& head, const std::vector<DivideAnswer>& lines) {
  const CellTable cells = DivideChartCells(head, lines);
  std::string out = "## " + DivideChartTitle(head, MarkdownCell) +
                    "\n\nPlates: " + PlatesText(head) + ". Gears: " + HeadGearsText(head) +
                    ".\n\n" + DivideChartLegend() +
                    "\n\n| N | T | turns | holes | circle | plate | notes |\n" +
                    "|---:|---|---:|---:|---:|---:|---|\n";
  for (const std::vector<std::string>& row : cells.rows) {
    out += "|";
    for (const std::string& cell : row) out += " " + cell + " |";
    out += "\n";
  }
  return out;
}

std::string DivideChartHtml(const DividingHead& head, const std::vector<DivideAnswer>& lines) {
  const CellTable cells = DivideChartCells(head, lines);
  std::string out =
      "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" +
      HtmlText(DivideChartTitle(head)) +
      "</title>\n<style>\n@page { size: A4; margin: 12mm; }\n"
      "body { font: 8pt sans-serif; }\n.cols { columns: 2; column-gap: 8mm; }\n"
      "table { border-collapse: collapse; width: 100%; }\n"
      "td, th { padding: 0 3px; border-bottom: 1px solid #ccc; text-align: right; }\n"
      "td:last-child, th:last-child { text-align: left; }\n</style></head><body>\n<h1>" +
      HtmlText(DivideChartTitle(head)) + "</h1>\n<p>Plates: " + HtmlText(PlatesText(head)) +
      ". Gears: " + HtmlText(HeadGearsText(head)) + ".</p>\n<p>" + HtmlText(DivideChartLegend()) +
      "</p>\n<div class=\"cols\"><table>\n<thead><tr>";
  for (const std::string& h : cells.head) out += "<th>" + h + "</th>";
  out += "</tr></thead>\n<tbody>\n";
  for (const std::vector<std::string>& row : cells.rows) {
    out += "<tr>";
    for (const std::string& cell : row) out += "<td>" + HtmlText(cell) + "</td>";
    out += "</tr>\n";
  }
  return out + "</tbody></table></div>\n</body></html>\n";
}

}  // namespace cog
