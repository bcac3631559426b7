#include "app/divide_commands.h"

#include <algorithm>
#include <charconv>
#include <ostream>

#include "app/head_file.h"
#include "divider/divide_chart.h"
#include "divider/divide_question.h"
#include "divider/head.h"
#include "divider/indexing.h"
#include "gears/fraction_text.h"
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

bool AllDigits(const std::string& text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A whole number from lo to hi written in digits, or false.
bool Whole(const std::string& text, int lo, int hi, int* out) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (!AllDigits(text) || ec != std::errc() || end != text.data() + text.size() || value < lo ||
      value > hi)
    return false;
  *out = value;
  return true;
}

bool TopOption(const Arguments& args, int fallback, int* top, std::string* fail) {
  *top = fallback;
  if (!args.Has("top") || Whole(args.Value("top"), 1, kMaxDivideTop, top)) return true;
  return Fail(fail, "--top must be a whole number from 1 to " + std::to_string(kMaxDivideTop) +
                        ", not " + Quoted(args.Value("top")));
}

bool FormatOption(const Arguments& args, std::vector<std::string> formats, std::string* fail) {
  const std::string format = args.Value("format", "text");
  if (std::find(formats.begin(), formats.end(), format) != formats.end()) return true;
  return Fail(fail, "--format " + Quoted(format) + " is not one of the formats " + args.command +
                        (args.Has("chart") ? " --chart" : "") + " writes");
}

bool LoadHead(const Arguments& args, DividingHead* head, std::string* fail) {
  if (!args.Has("head")) return *head = BuiltInHead(), true;
  const std::string path = args.Value("head");
  std::string text, error;
  if (!ReadHeadFile(path, &text, fail)) return false;
  if (!ReadHead(text, head, &error)) return Fail(fail, "head " + Quoted(path) + ": " + error);
  return true;
}

bool Chart(const Arguments& args, std::ostream& out, std::string* fail) {
  if (!args.positional.empty() || args.Has("top"))
    return Fail(fail, "divide --chart FROM-TO takes no N, angle or --top");
  const std::string range = args.Value("chart");
  const std::size_t dash = range.find('-');
  int from = 0, to = 0;
  if (dash == std::string::npos || !Whole(range.substr(0, dash), 1, kMaxDivisions, &from) ||
      !Whole(range.substr(dash + 1), 1, kMaxDivisions, &to))
    return Fail(fail, "--chart " + Quoted(range) +
                          " is not a range FROM-TO of divisions from 1 to 100000 (2-400)");
  std::string why, which;
  if (!CheckChartRange(from, to, &why, &which))
    return Fail(fail, "--chart " + Quoted(range) + ": " + why);
  DividingHead head;
  if (!FormatOption(args, {"text", "json", "csv", "md", "html"}, fail) ||
      !LoadHead(args, &head, fail))
    return false;
  const Indexer indexer(head);
  std::vector<DivideAnswer> lines;
  if (!BuildDivideChart(indexer, from, to, &lines, fail)) return false;
  const std::string format = args.Value("format", "text");
  if (format == "json") out << DivideChartJson(head, lines);
  if (format == "csv") out << DivideChartCsv(lines);
  if (format == "md") out << DivideChartMarkdown(head, lines);
  if (format == "html") out << DivideChartHtml(head, lines);
  if (format == "text") out << DivideChartText(head, lines);
  return true;
}

bool Divide(const Arguments& args, std::ostream& out, std::string* fail) {
  if (args.Has("chart")) return Chart(args, out, fail);
  if (args.positional.size() != 1)
    return Fail(fail, "divide needs one N (a number of divisions) or an ANGLE, e.g. 127 or 7d30m");
  DivideQuestion question;
  int top = 0;
  if (!ReadDivideQuestion(args.positional[0], &question, fail)) return false;
  DividingHead head;
  if (!TopOption(args, kDefaultDivideTop, &top, fail) ||
      !FormatOption(args, {"text", "json", "csv"}, fail) || !LoadHead(args, &head, fail))
    return false;
  const Indexer indexer(head);
  DivideAnswer answer;
  if (!(question.divisions ? indexer.Divide(question.divisions, top, &answer, fail)
                           : indexer.DivideAngle(question.degrees, top, &answer, fail)))
    return false;
  const std::string format = args.Value("format", "text");
  if (format == "json") out << DivideJson(head, answer);
  if (format == "csv") out << DivideCsv(answer);
  if (format == "text") out << DivideText(head, answer);
  return true;
}

bool Helix(const Arguments& args, std::ostream& out, std::string* fail) {
  if (args.positional.size() != 1) return Fail(fail, "helix needs one LEAD, e.g. 250mm or 9.5in");
  Fraction lead, tolerance = kDefaultHelixErrorPercent;
  std::string why;
  if (!ReadHelixLead(args.positional[0], &lead, fail)) return false;
  if (args.Has("max-error") && !ReadHelixTolerance(args.Value("max-error"), &tolerance, &why))
    return Fail(fail, "--max-error: " + why);
  int top = 0;
  DividingHead head;
  if (!TopOption(args, kDefaultHelixTop, &top, fail) ||
      !FormatOption(args, {"text", "json", "csv"}, fail) || !LoadHead(args, &head, fail))
    return false;
  HelixAnswer answer;
  if (!HelixTrains(head, lead, tolerance, top, args.Has("all"), &answer, &why))
    return Fail(fail, (args.Has("head") ? "head " + Quoted(args.Value("head")) + ": " : "") + why);
  const std::string format = args.Value("format", "text");
  if (format == "json") out << HelixJson(answer);
  if (format == "csv") out << HelixCsv(answer);
  if (format == "text") out << HelixText(head, answer, args.Has("all"));
  return true;
}

}  // namespace

bool IsDivideCommand(const std::string& command) {
  return command == "divide" || command == "helix";
}

int RunDivide(const Arguments& args, std::ostream& out, std::ostream& err) {
  std::string fail;
  const bool ok = args.command == "divide" ? Divide(args, out, &fail) : Helix(args, out, &fail);
  if (ok) return 0;
  err << "cogwright-cli: " << fail << '\n';
  return 2;
}

}  // namespace cog
