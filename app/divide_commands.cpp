#include "app/divide_commands.h"

#include <ostream>

#include "app/cli_options.h"
#include "app/head_file.h"
#include "divider/divide_chart.h"
#include "divider/divide_question.h"
#include "divider/divide_work.h"
#include "divider/head.h"
#include "divider/indexing.h"
#include "gears/fraction_text.h"
#include "gears/gear_set.h"
#include "gears/length_text.h"
#include "numtext/quoted_text.h"
#include "report/divide_csv.h"
#include "report/divide_json.h"
#include "report/divide_sheet.h"
#include "report/divide_text.h"

namespace cog {

const char* const kDivideHelp =
    "Your own dividing head (a head file, or the built-in 40:1 head with three\n"
    "plates and twelve change gears):\n"
    "  cogwright-cli divide N|ANGLE [--head F] [--top K] [--method M] [--all]\n"
    "                        [--helical] [--diameter D]\n"
    "      The K best ways (default 5) to index N divisions (1 to 100000) or an\n"
    "      angle (7.5deg, 7d30m, 7d30m15s, also with the degree, minute and second\n"
    "      marks): direct, simple, differential (by a simple train, then a compound\n"
    "      one), then compound indexing; a weaker method only with --all, or one\n"
    "      --method (direct, simple, compound, differential). --helical: only what\n"
    "      works with the plate geared to the table. No exact way: the nearest,\n"
    "      with their error (in mm at the work's --diameter).\n"
    "  cogwright-cli divide --chart FROM-TO [--head F]\n"
    "      The best way for each number of divisions from FROM to TO (at most 1000\n"
    "      numbers), as one printable sheet (also --format md and html).\n"
    "  cogwright-cli helix LEAD|--angle BETA --diameter D [--head F] [--top K]\n"
    "                        [--all] [--max-error PCT]\n"
    "      The K best change-gear trains (default 10) from the table's lead screw to\n"
    "      the head for a helix of LEAD (250mm, 9.5in, 6.16\"), or of angle BETA\n"
    "      (22.5R, 22.5L) at diameter D (lead pi D / tan BETA), by |error| of the lead, then\n"
    "      fewer gears; --all keeps those beyond the tolerance (default 1 %).\n"
    "\n"
    "  --head F             a head file (JSON: ratio, plates, gears, differential,\n"
    "                       reverse, direct, table_leadscrew; see profiles/heads/)\n"
    "  --format text|json|csv\n";

namespace {

// A refusal of the command line's shape or of a value it gives.
Status Refused(std::string why) { return Status::Refused("", std::move(why)); }

// One end of a --chart range, read as every whole number is.
bool RangeEnd(const std::string& text, int* out) { return ReadWhole(text, 1, kMaxDivisions, out); }

Status LoadHead(const Arguments& args, DividingHead* head) {
  if (!args.Has("head")) return *head = BuiltInHead(), Status::Ok();
  const std::string path = args.Value("head");
  std::string text;
  if (Status bad = ReadHeadFile(path, &text); !bad.ok()) return bad;
  return ReadHead(text, head).Prefixed("head " + Quoted(path) + ": ");
}

struct DivideChartOutput : CliAnswer {
  DividingHead head;
  std::vector<DivideAnswer> lines;
};

Status AskDivideChart(const Arguments& args, DivideChartOutput* o) {
  if (!args.positional.empty() || args.Has("top"))
    return Refused("divide --chart FROM-TO takes no N, angle or --top");
  const std::string range = args.Value("chart");
  const std::size_t dash = range.find('-');
  int from = 0, to = 0;
  if (dash == std::string::npos || !RangeEnd(range.substr(0, dash), &from) ||
      !RangeEnd(range.substr(dash + 1), &to))
    return Refused("--chart " + Quoted(range) +
                   " is not a range FROM-TO of divisions from 1 to 100000 (2-400)");
  if (Status bad = CheckChartRange(from, to); !bad.ok())
    return bad.Prefixed("--chart " + Quoted(range) + ": ");
  std::string why;
  if (Status bad = LoadHead(args, &o->head); !bad.ok()) return bad;
  const Indexer indexer(o->head);
  if (!CheckDivideSteps(indexer, from, to, &why) ||
      !BuildDivideChart(indexer, from, to, &o->lines, &why))
    return Refused(why);
  return Status::Ok();
}

struct DivideOutput : CliAnswer {
  DividingHead head;
  DivideAnswer answer;
};

Status AskDivide(const Arguments& args, DivideOutput* o) {
  if (args.positional.size() != 1)
    return Refused("divide needs one N (a number of divisions) or an ANGLE, e.g. 127 or 7d30m");
  DivideQuestion question;
  DivideOptions options;
  options.top = kDefaultDivideTop;
  std::string why;
  if (Status bad = ReadDivideQuestion(args.positional[0], &question); !bad.ok()) return bad;
  Status bad = ReadWholeOption(args, "top", 1, kMaxDivideTop, &options.top);
  if (bad.ok()) bad = LoadHead(args, &o->head);
  if (!bad.ok()) return bad;
  options.nearest = options.top;
  options.all = args.Has("all");
  options.helical = args.Has("helical");
  if (args.Has("method")) bad = ReadDivideMethod(args.Value("method"), &options.method.emplace());
  if (!bad.ok()) return bad.Prefixed("--method: ");
  std::optional<Fraction> diameter;
  if (args.Has("diameter")) bad = ReadDiameter(args.Value("diameter"), &diameter.emplace());
  if (!bad.ok()) return bad.Prefixed("--diameter: ");
  const Indexer indexer(o->head);
  if (question.divisions ? !CheckDivideSteps(indexer, question.divisions, question.divisions, &why)
                         : !CheckAngleSteps(indexer, question.degrees, &why))
    return Refused(why);
  if (!(question.divisions ? indexer.WaysForDivisions(question.divisions, options, &o->answer, &why)
                           : indexer.WaysForAngle(question.degrees, options, &o->answer, &why)))
    return Refused(why);
  o->answer.diameter_mm = diameter;
  return Status::Ok();
}

struct HelixOutput : CliAnswer {
  DividingHead head;
  HelixAnswer answer;
  bool all = false;
};

Status AskHelix(const Arguments& args, HelixOutput* o) {
  if (args.positional.size() > 1 || (args.positional.empty() && !args.Has("angle")) ||
      (!args.positional.empty() && args.Has("angle")) ||
      (args.Has("angle") && !args.Has("diameter")))
    return Refused(
        "helix needs one LEAD (250mm, 9.5in), or --angle with --diameter (--angle 22.5R "
        "--diameter 62.12mm)");
  HelixQuestion question;
  Fraction tolerance = kDefaultHelixErrorPercent;
  std::string why;
  if (!args.positional.empty())
    if (Status bad =
            ReadHelixLead(args.positional[0], &question.lead_mm.emplace(), &question.inches);
        !bad.ok())
      return bad;
  if (args.Has("angle"))
    if (Status bad =
            ReadHelixAngle(args.Value("angle"), &question.angle_deg.emplace(), &question.hand);
        !bad.ok())
      return bad.Prefixed("--angle: ");
  bool diameter_inches = false;
  if (args.Has("diameter"))
    if (Status bad = ReadHelixLead(args.Value("diameter"), &question.diameter_mm.emplace(),
                                   &diameter_inches);
        !bad.ok()) {
      // The lead reader names the lead; this is the diameter.
      const std::string& lead_why = bad.why();
      return Status::Refused("diameter", "--diameter: " + lead_why.substr(lead_why.find(' ') + 1));
    }
  if (!question.lead_mm) question.inches = diameter_inches;
  if (args.Has("max-error"))
    if (Status bad = ReadHelixTolerance(args.Value("max-error"), &tolerance); !bad.ok())
      return bad.Prefixed("--max-error: ");
  int top = kDefaultHelixTop;
  o->all = args.Has("all");
  Status bad = ReadWholeOption(args, "top", 1, kMaxDivideTop, &top);
  if (bad.ok()) bad = LoadHead(args, &o->head);
  if (!bad.ok()) return bad;
  std::string input;
  if (!HelixFor(o->head, question, tolerance, top, o->all, &o->answer, &why, &input)) {
    if (input == "max_error") return Status::Refused(input, "--max-error: " + why);
    if (input == "lead") return Status::Refused(input, why);
    return Refused((args.Has("head") ? "head " + Quoted(args.Value("head")) + ": " : "") + why);
  }
  return Status::Ok();
}

}  // namespace

int RunDivide(const CliCall& call) { return Answer(call, AskDivide); }
int RunDivideChart(const CliCall& call) { return Answer(call, AskDivideChart); }
int RunHelix(const CliCall& call) { return Answer(call, AskHelix); }

void WriteDivideText(const CliAnswer& answer, std::ostream& out) {
  out << DivideText(AnswerAs<DivideOutput>(answer).head, AnswerAs<DivideOutput>(answer).answer);
}

void WriteDivideJson(const CliAnswer& answer, std::ostream& out) {
  out << DivideJson(AnswerAs<DivideOutput>(answer).head, AnswerAs<DivideOutput>(answer).answer);
}

void WriteDivideCsv(const CliAnswer& answer, std::ostream& out) {
  out << DivideCsv(AnswerAs<DivideOutput>(answer).answer);
}

void WriteDivideChartText(const CliAnswer& answer, std::ostream& out) {
  out << DivideChartText(AnswerAs<DivideChartOutput>(answer).head,
                         AnswerAs<DivideChartOutput>(answer).lines);
}

void WriteDivideChartJson(const CliAnswer& answer, std::ostream& out) {
  out << DivideChartJson(AnswerAs<DivideChartOutput>(answer).head,
                         AnswerAs<DivideChartOutput>(answer).lines);
}

void WriteDivideChartCsv(const CliAnswer& answer, std::ostream& out) {
  out << DivideChartCsv(AnswerAs<DivideChartOutput>(answer).lines);
}

void WriteDivideChartMarkdown(const CliAnswer& answer, std::ostream& out) {
  const auto& o = AnswerAs<DivideChartOutput>(answer);
  out << DivideChartMarkdown(o.head, o.lines);
}

void WriteDivideChartHtml(const CliAnswer& answer, std::ostream& out) {
  out << DivideChartHtml(AnswerAs<DivideChartOutput>(answer).head,
                         AnswerAs<DivideChartOutput>(answer).lines);
}

void WriteHelixText(const CliAnswer& answer, std::ostream& out) {
  const auto& o = AnswerAs<HelixOutput>(answer);
  out << HelixText(o.head, o.answer, o.all);
}

void WriteHelixJson(const CliAnswer& answer, std::ostream& out) {
  out << HelixJson(AnswerAs<HelixOutput>(answer).answer);
}

void WriteHelixCsv(const CliAnswer& answer, std::ostream& out) {
  out << HelixCsv(AnswerAs<HelixOutput>(answer).answer);
}

}  // namespace cog
