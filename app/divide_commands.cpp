#include "app/divide_commands.h"

#include <ostream>

#include "app/cli_options.h"
#include "app/head_file.h"
#include "divider/divide_question.h"
#include "divider/divide_text.h"
#include "divider/head.h"
#include "divider/indexing.h"
#include "gears/fraction_text.h"
#include "gears/gear_set.h"
#include "gears/length_text.h"
#include "numtext/quoted_text.h"

namespace cog {

const char* const kDivideHelp =
    "Your own dividing head (a head file, or the built-in 40:1 head with three\n"
    "plates and twelve change gears):\n"
    "  cogwright-cli divide N|ANGLE [--head F] [--top K]\n"
    "      The K best ways (default 5) to index N divisions (1 to 100000) or an\n"
    "      angle (7.5deg, 7d30m, 7d30m15s, also with the degree, minute and second\n"
    "      marks): direct, simple, differential (by a simple train, then a compound\n"
    "      one), then compound indexing. An angle is indexed by simple or compound\n"
    "      indexing only.\n"
    "  cogwright-cli divide --chart FROM-TO [--head F]\n"
    "      The best way for each number of divisions from FROM to TO (at most 1000\n"
    "      numbers), as one printable sheet (also --format md and html).\n"
    "  cogwright-cli helix LEAD [--head F] [--top K] [--all] [--max-error PCT]\n"
    "      The K best change-gear trains (default 10) from the table's lead screw to\n"
    "      the head for a helix of LEAD (250mm, 9.5in), by |error| of the lead, then\n"
    "      fewer gears; --all keeps those beyond the tolerance (default 1 %).\n"
    "\n"
    "  --head F             a head file (JSON: ratio, plates, gears, differential,\n"
    "                       reverse, direct, table_leadscrew; see profiles/heads/)\n"
    "  --format text|json|csv\n";

namespace {

bool Fail(std::string* message, std::string text) {
  *message = std::move(text);
  return false;
}

// One end of a --chart range, read as every whole number is.
bool RangeEnd(const std::string& text, int* out) { return ReadWhole(text, 1, kMaxDivisions, out); }

bool LoadHead(const Arguments& args, DividingHead* head, std::string* fail) {
  if (!args.Has("head")) return *head = BuiltInHead(), true;
  const std::string path = args.Value("head");
  std::string text, error;
  if (!ReadHeadFile(path, &text, fail)) return false;
  if (!ReadHead(text, head, &error)) return Fail(fail, "head " + path + ": " + error);
  return true;
}

struct DivideChartOutput : CliAnswer {
  DividingHead head;
  std::vector<DivideAnswer> lines;
};

bool AskDivideChart(const Arguments& args, DivideChartOutput* o, std::string* fail) {
  if (!args.positional.empty() || args.Has("top"))
    return Fail(fail, "divide --chart FROM-TO takes no N, angle or --top");
  const std::string range = args.Value("chart");
  const std::size_t dash = range.find('-');
  int from = 0, to = 0;
  if (dash == std::string::npos || !RangeEnd(range.substr(0, dash), &from) ||
      !RangeEnd(range.substr(dash + 1), &to))
    return Fail(fail, "--chart " + Quoted(range) +
                          " is not a range FROM-TO of divisions from 1 to 100000 (2-400)");
  std::string why, which;
  if (!CheckChartRange(from, to, &why, &which))
    return Fail(fail, "--chart " + Quoted(range) + ": " + why);
  if (!LoadHead(args, &o->head, fail)) return false;
  const Indexer indexer(o->head);
  return BuildDivideChart(indexer, from, to, &o->lines, fail);
}

struct DivideOutput : CliAnswer {
  DividingHead head;
  DivideAnswer answer;
};

bool AskDivide(const Arguments& args, DivideOutput* o, std::string* fail) {
  if (args.positional.size() != 1)
    return Fail(fail, "divide needs one N (a number of divisions) or an ANGLE, e.g. 127 or 7d30m");
  DivideQuestion question;
  int top = kDefaultDivideTop;
  if (!ReadDivideQuestion(args.positional[0], &question, fail)) return false;
  if (!ReadWholeOption(args, "top", 1, kMaxDivideTop, &top, fail) ||
      !LoadHead(args, &o->head, fail))
    return false;
  const Indexer indexer(o->head);
  return question.divisions ? indexer.WaysForDivisions(question.divisions, top, &o->answer, fail)
                            : indexer.WaysForAngle(question.degrees, top, &o->answer, fail);
}

struct HelixOutput : CliAnswer {
  DividingHead head;
  HelixAnswer answer;
  bool all = false;
};

bool AskHelix(const Arguments& args, HelixOutput* o, std::string* fail) {
  if (args.positional.size() != 1) return Fail(fail, "helix needs one LEAD, e.g. 250mm or 9.5in");
  Fraction lead, tolerance = kDefaultHelixErrorPercent;
  std::string why;
  if (!ReadHelixLead(args.positional[0], &lead, fail)) return false;
  if (args.Has("max-error") && !ReadHelixTolerance(args.Value("max-error"), &tolerance, &why))
    return Fail(fail, "--max-error: " + why);
  int top = kDefaultHelixTop;
  o->all = args.Has("all");
  if (!ReadWholeOption(args, "top", 1, kMaxDivideTop, &top, fail) ||
      !LoadHead(args, &o->head, fail))
    return false;
  if (!HelixTrains(o->head, lead, tolerance, top, o->all, &o->answer, &why))
    return Fail(fail, (args.Has("head") ? "head " + args.Value("head") + ": " : "") + why);
  return true;
}

template <class Output>
int Answer(const CliCall& call, bool (*ask)(const Arguments&, Output*, std::string*)) {
  Output output;
  std::string fail;
  if (!ask(call.args, &output, &fail)) return call.Refuse(fail);
  return call.Write(output);
}

template <class Output>
const Output& As(const CliAnswer& answer) {
  return static_cast<const Output&>(answer);
}

}  // namespace

int RunDivide(const CliCall& call) { return Answer(call, AskDivide); }
int RunDivideChart(const CliCall& call) { return Answer(call, AskDivideChart); }
int RunHelix(const CliCall& call) { return Answer(call, AskHelix); }

void WriteDivideText(const CliAnswer& answer, std::ostream& out) {
  out << DivideText(As<DivideOutput>(answer).head, As<DivideOutput>(answer).answer);
}

void WriteDivideJson(const CliAnswer& answer, std::ostream& out) {
  out << DivideJson(As<DivideOutput>(answer).head, As<DivideOutput>(answer).answer);
}

void WriteDivideCsv(const CliAnswer& answer, std::ostream& out) {
  out << DivideCsv(As<DivideOutput>(answer).answer);
}

void WriteDivideChartText(const CliAnswer& answer, std::ostream& out) {
  out << DivideChartText(As<DivideChartOutput>(answer).head, As<DivideChartOutput>(answer).lines);
}

void WriteDivideChartJson(const CliAnswer& answer, std::ostream& out) {
  out << DivideChartJson(As<DivideChartOutput>(answer).head, As<DivideChartOutput>(answer).lines);
}

void WriteDivideChartCsv(const CliAnswer& answer, std::ostream& out) {
  out << DivideChartCsv(As<DivideChartOutput>(answer).lines);
}

void WriteDivideChartMarkdown(const CliAnswer& answer, std::ostream& out) {
  const auto& o = As<DivideChartOutput>(answer);
  out << DivideChartMarkdown(o.head, o.lines);
}

void WriteDivideChartHtml(const CliAnswer& answer, std::ostream& out) {
  out << DivideChartHtml(As<DivideChartOutput>(answer).head, As<DivideChartOutput>(answer).lines);
}

void WriteHelixText(const CliAnswer& answer, std::ostream& out) {
  const auto& o = As<HelixOutput>(answer);
  out << HelixText(o.head, o.answer, o.all);
}

void WriteHelixJson(const CliAnswer& answer, std::ostream& out) {
  out << HelixJson(As<HelixOutput>(answer).answer);
}

void WriteHelixCsv(const CliAnswer& answer, std::ostream& out) {
  out << HelixCsv(As<HelixOutput>(answer).answer);
}

}  // namespace cog
