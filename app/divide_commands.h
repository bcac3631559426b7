#pragma once
// The dividing head's commands of cogwright-cli: divide and helix, over the
// user's own head (a head file, or the built-in 40:1 head). Files are read
// here; everything else is the divider layer's. Their rows are in
// cli_table.cpp.

#include <iosfwd>

#include "app/cli_table.h"

namespace cog {

// Each returns the exit code: 0 done, 2 bad usage, head file, number,
// angle or lead.
int RunDivide(const CliCall& call);
int RunDivideChart(const CliCall& call);  // divide --chart FROM-TO
int RunHelix(const CliCall& call);

// The writers of each command's formats, for the answer its runner made.
void WriteDivideText(const CliAnswer& answer, std::ostream& out);
void WriteDivideJson(const CliAnswer& answer, std::ostream& out);
void WriteDivideCsv(const CliAnswer& answer, std::ostream& out);
void WriteDivideChartText(const CliAnswer& answer, std::ostream& out);
void WriteDivideChartJson(const CliAnswer& answer, std::ostream& out);
void WriteDivideChartCsv(const CliAnswer& answer, std::ostream& out);
void WriteDivideChartMarkdown(const CliAnswer& answer, std::ostream& out);
void WriteDivideChartHtml(const CliAnswer& answer, std::ostream& out);
void WriteHelixText(const CliAnswer& answer, std::ostream& out);
void WriteHelixJson(const CliAnswer& answer, std::ostream& out);
void WriteHelixCsv(const CliAnswer& answer, std::ostream& out);

// The --help text of these commands.
extern const char* const kDivideHelp;

}  // namespace cog
