#pragma once
// The dividing head's questions asked with texts and answered with JSON text,
// for shells that hold the head file as text (the browser page). Each answer
// is what `cogwright-cli divide` or `helix` writes with --format json, plus a
// "view": the texts the page shows, made by the tool's own writers. Or it is
// {"error": TEXT, "input": WHAT}: WHAT is "head" (the file as a whole), a
// head key, "divisions", "top", "from", "to", "lead" or "max_error".

#include <string>

namespace cog {

// {"ok": true, "title": the head's title}, or the first fault with
// "missing": true when it is only the ratio not yet given (a new head).
std::string HeadQuery(const std::string& head_json);

// The best `top` ways to index `what`: divisions ("127") or an angle
// ("7d30m"). view: caption, head and rows (cells), ways (a line each),
// none (why there is no way, or ""), csv.
std::string DivideQuery(const std::string& head_json, const std::string& what, int top);

// The best way for each number of divisions from `from` to `to`. view:
// title, lines (the head's plates and gears), legend, head and rows, csv,
// html (the printable sheet).
std::string DivideChartQuery(const std::string& head_json, int from, int to);

// The best `top` trains for a helix of `lead` ("250mm"), within `max_error`
// percent ("" for the default) unless `all`. view: caption, head and rows,
// none, csv.
std::string HelixQuery(const std::string& head_json, const std::string& lead, int top, bool all,
                       const std::string& max_error);

}  // namespace cog
