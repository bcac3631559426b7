#pragma once
// Locale-free renderings of numbers and texts for the driver's own reports.

#include <string>
#include <string_view>
#include <vector>

namespace cog::e2e {

std::string Dec(long long value);
// "0x" followed by at least eight hex digits, the way window styles are written.
std::string Hex(unsigned long value);
// The text between double quotes, with CR, LF, TAB, '"', '\' and other control
// bytes spelled as escapes so that a failure shows exactly what was read.
std::string Quoted(std::string_view text);
// The fields of one tab-separated record of cogwright-cli; one field for a line
// without tabs.
std::vector<std::string> SplitTabs(const std::string& line);

}  // namespace cog::e2e
