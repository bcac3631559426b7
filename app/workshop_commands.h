#pragma once
// The lathe's commands of cogwright-cli: thread, train, chart and suggest,
// over the user's own lathe. Files are read here; everything else is the
// workshop layer's. Their rows are in cli_table.cpp.

#include <iosfwd>
#include <string>

#include "app/cli_table.h"

namespace cog {

// Each returns the exit code: 0 done, 2 bad usage, profile or target.
int RunThread(const CliCall& call);
int RunTrain(const CliCall& call);
int RunChart(const CliCall& call);  // with --list, names the series in text
int RunSuggest(const CliCall& call);

// The writers of each command's formats, for the answer its runner made.
void WriteThreadText(const CliAnswer& answer, std::ostream& out);
void WriteThreadJson(const CliAnswer& answer, std::ostream& out);
void WriteThreadCsv(const CliAnswer& answer, std::ostream& out);
void WriteTrainText(const CliAnswer& answer, std::ostream& out);
void WriteTrainJson(const CliAnswer& answer, std::ostream& out);
void WriteTrainCsv(const CliAnswer& answer, std::ostream& out);
void WriteChartText(const CliAnswer& answer, std::ostream& out);
void WriteChartJson(const CliAnswer& answer, std::ostream& out);
void WriteChartCsv(const CliAnswer& answer, std::ostream& out);
void WriteChartMarkdown(const CliAnswer& answer, std::ostream& out);
void WriteChartHtml(const CliAnswer& answer, std::ostream& out);
void WriteAdviceText(const CliAnswer& answer, std::ostream& out);
void WriteAdviceJson(const CliAnswer& answer, std::ostream& out);
void WriteAdviceCsv(const CliAnswer& answer, std::ostream& out);

// The --help text of these commands, with the defaults and bounds the core
// names (lathe/defaults.h and the caps).
std::string WorkshopHelp();

}  // namespace cog
