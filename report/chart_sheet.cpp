#include "report/chart_sheet.h"

#include <algorithm>

#include "numtext/quoted_text.h"
#include "report/figure_text.h"
#include "report/report_cells.h"

namespace cog {

std::string ChartMarkdown(const LatheProfile& profile, const std::vector<ChartRow>& rows) {
  const std::vector<std::string> header = ChartHeader(profile, rows);
  std::string out = "# " + MarkdownCell(header[0]) + "\n\n";
  for (std::size_t i = 1; i < header.size(); ++i) out += MarkdownCell(header[i]) + "\n\n";
  for (const ChartSection& s : ChartSections(profile, rows)) {
    out += "## " + MarkdownCell(s.series->title) + "\n\n|";
    for (const auto& h : s.table.head) out += ' ' + h + " |";
    out += "\n|";
    for (std::size_t i = 0; i < s.table.head.size(); ++i) out += "---|";
    out += '\n';
    for (const auto& row : s.table.rows) {
      out += '|';
      for (const auto& cell : row) out += ' ' + MarkdownCell(cell) + " |";
      out += '\n';
    }
    out += '\n';
  }
  return out;
}

namespace {

// The sizes of a line as the printed sheet shows them: a list of more than
// two is shortened to its ends and count, so that a line stays one line of
// the sheet (the text chart, CSV and JSON list every size). With that, a
// narrow face at 10 pt and two columns on a landscape sheet, the four
// largest series fit one A4 sheet.
std::string ShortSizes(const std::string& sizes) {
  std::vector<std::string> list;
  for (std::size_t from = 0; from <= sizes.size();) {
    const std::size_t comma = std::min(sizes.find(", ", from), sizes.size());
    list.push_back(sizes.substr(from, comma - from));
    from = comma + 2;
  }
  if (list.size() <= 2) return sizes;
  return list.front() + " \u2026 " + list.back() + " (" + std::to_string(list.size()) + ")";
}

}  // namespace

std::string ChartHtml(const LatheProfile& profile, const std::vector<ChartRow>& rows) {
  std::string out =
      "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n"
      "<title>Thread chart</title>\n<style>\n"
      "@page { size: A4 landscape; margin: 6mm; }\n"
      "body { font: 10pt/1 'Arial Narrow', 'Liberation Sans Narrow', 'Nimbus Sans Narrow',"
      " sans-serif; font-stretch: condensed; color: #000; background: #fff; margin: 0; }\n"
      "h1 { font-size: 12pt; margin: 0; } h2 { font-size: 10.5pt; margin: 1mm 0 0; }\n"
      "main { column-count: 2; column-gap: 4mm; }\n"
      "td:nth-child(-n+2) { white-space: nowrap; }\n"
      "table { border-collapse: collapse; width: 100%; }\n"
      "th, td { border-bottom: 0.1mm solid #000; padding: 0 0.6mm; text-align: left;"
      " vertical-align: top; }\n"
      "p { margin: 0 0 0.5mm; }\n"
      "</style></head><body>\n";
  const std::vector<std::string> header = ChartHeader(profile, rows);
  out += "<h1>" + HtmlText(header[0]) + "</h1>\n";
  for (std::size_t i = 1; i < header.size(); ++i) out += "<p>" + HtmlText(header[i]) + "</p>\n";
  out += "<main>\n";
  for (const ChartSection& s : ChartSections(profile, rows)) {
    out += "<section><h2>" + HtmlText(s.series->title) + "</h2><table><tr>";
    for (const auto& h : s.table.head) out += "<th>" + h + "</th>";
    out += "</tr>\n";
    for (const auto& row : s.table.rows) {
      out += "<tr>";
      for (std::size_t i = 0; i < row.size(); ++i)
        out += "<td>" + HtmlText(i + 1 < row.size() ? row[i] : ShortSizes(row[i])) + "</td>";
      out += "</tr>\n";
    }
    out += "</table></section>\n";
  }
  return out + "</main>\n</body></html>\n";
}

}  // namespace cog
