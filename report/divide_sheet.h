#pragma once
// A dividing chart as Markdown, and as one printable HTML page (A4, two
// columns), for the command-line tool and the page alike.

#include <string>
#include <vector>

#include "divider/head.h"
#include "divider/indexing.h"

namespace cog {

std::string DivideChartMarkdown(const DividingHead& head, const std::vector<DivideAnswer>& lines);

std::string DivideChartHtml(const DividingHead& head, const std::vector<DivideAnswer>& lines);

}  // namespace cog
