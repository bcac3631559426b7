#include "report/chart_sheet.h"

#include "numtext/quoted_text.h"
#include "report/figure_text.h"
#include "report/report_cells.h"

namespace cog {

std::string ChartMarkdown(const LatheProfile& profile, const std::vector<ChartRow>& rows) {
  const std::vector<std::string> header = ChartHeader(profile);
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

std::string ChartHtml(const LatheProfile& profile, const std::vector<ChartRow>& rows) {
  std::string out =
      "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n"
      "<title>Thread chart</title>\n<style>\n"
      "@page { size: A4; margin: 10mm; }\n"
      "body { font: 8pt/1.15 sans-serif; color: #000; background: #fff; margin: 0; }\n"
      "h1 { font-size: 11pt; margin: 0 0 2mm; } h2 { font-size: 9pt; margin: 2mm 0 1mm; }\n"
      "main { column-count: 2; column-gap: 6mm; }\n"
      "section { break-inside: avoid-column; }\n"
      "table { border-collapse: collapse; width: 100%; }\n"
      "th, td { border-bottom: 0.2mm solid #000; padding: 0.3mm 1mm; text-align: left; }\n"
      "p { margin: 0 0 1mm; }\n"
      "</style></head><body>\n";
  const std::vector<std::string> header = ChartHeader(profile);
  out += "<h1>" + HtmlText(header[0]) + "</h1>\n";
  for (std::size_t i = 1; i < header.size(); ++i) out += "<p>" + HtmlText(header[i]) + "</p>\n";
  out += "<main>\n";
  for (const ChartSection& s : ChartSections(profile, rows)) {
    out += "<section><h2>" + HtmlText(s.series->title) + "</h2><table><tr>";
    for (const auto& h : s.table.head) out += "<th>" + h + "</th>";
    out += "</tr>\n";
    for (const auto& row : s.table.rows) {
      out += "<tr>";
      for (const auto& cell : row) out += "<td>" + HtmlText(cell) + "</td>";
      out += "</tr>\n";
    }
    out += "</table></section>\n";
  }
  return out + "</main>\n</body></html>\n";
}

}  // namespace cog
