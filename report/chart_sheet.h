#pragma once
// A thread chart as Markdown, and as one printable HTML page (A4, two
// columns): the only print layout of a chart, for the command-line tool and
// the page alike.

#include <string>
#include <vector>

#include "lathe/profile.h"
#include "lathe/thread_chart.h"

namespace cog {

std::string ChartMarkdown(const LatheProfile& profile, const std::vector<ChartRow>& rows);

std::string ChartHtml(const LatheProfile& profile, const std::vector<ChartRow>& rows);

}  // namespace cog
