#include "app/workshop_commands.h"

#include <algorithm>
#include <map>
#include <ostream>

#include "app/cli_options.h"
#include "app/profile_file.h"
#include "gears/fraction_text.h"
#include "lathe/defaults.h"
#include "lathe/profile.h"
#include "lathe/question_inputs.h"
#include "lathe/thread_answer.h"
#include "lathe/thread_chart.h"
#include "lathe/train_report.h"
#include "numtext/quoted_text.h"
#include "report/chart_sheet.h"
#include "report/figure_text.h"
#include "report/report_csv.h"
#include "report/report_text.h"
#include "report/results_json.h"

namespace cog {

namespace {

// The help, with each {name} standing for a default or bound the core names.
constexpr const char* kWorkshopHelp =
    R"(Your own lathe (a profile file, or --leadscrew and --gears):
  cogwright-cli thread TARGET [--profile F] [--top N] [--all] [--starts N] [--length MM]
      The N best change-gear trains (default {top}) of your set for TARGET, by
      |error|, then fewer gears, then ascending gears, then gearbox position.
      Trains that do not fit on the banjo, that lie beyond the tolerance, or
      that cut the other hand on a lathe without a tumbler are left out; --all
      keeps them, marked, those of the other hand last. Each row names the hand
      it cuts, the tumbler position (a six-gear train turns the lead screw the
      other way) and, with a thread dial, when the half-nut may be opened.
      TARGET: a pitch (1.25mm, 20tpi, 0.05in), a thread by name (M6, M6x0.75,
      1/4-20, #10-24, 1/4 UNC, 2 BA: SIZE SERIES for any series of chart --list),
      a worm (mod1.5, dp16) or a feed (0.1mm/rev, 0.004in/rev); LH after it asks
      for a left-hand thread (M6 LH, M6x1-LH). --starts multiplies the lead;
      --length (default {length} mm) is the thread length the drift is given for.
  cogwright-cli train A B C D | A I D | A B C D E F [--profile F] [--target T]
      What one train cuts at each gearbox position, every fit rule with its
      margin in mm, and the error against T. A I D is driver, idler, driven;
      A B C D is A driving B, and C (on B's shaft) driving D on the lead screw.
  cogwright-cli chart SERIES|TARGET... [--profile F]
      One line per lead of the built-in series and your own targets, in any mix
      (chart unc 0.5mm 11tpi M8), with the train that fits and cuts the thread's
      hand, as thread gives it first.
      cogwright-cli chart --list names the series.
  cogwright-cli suggest SERIES... [--profile F] [--from {from} --to {to}]
      Which one gear to add to the set, by what it gains: fewer leads without a
      train, then more leads cut exactly, then the lower worst and mean
      |error|; the best {count} candidates, with before and after figures.

  --profile F          a lathe profile (JSON: lead screw, gears, gearbox, geometry;
                       see the examples in profiles/)
  --leadscrew 1.5mm|8tpi|0.0625in, --gears 20-80/5,127,2x20, --fixed-ratio 1/2
                       override the profile, or stand in for one
  --max-error PCT      the tolerance in percent (default {thread_tolerance} for threads and worms,
                       {feed_tolerance} for feeds, or the profile's "max_error_percent")
  --format text|json|csv   (chart also md and html)
The error is cut / target - 1: in percent in text, Markdown and HTML ("error %"),
and as a fraction (0.01 is 1 %) in JSON ("error") and CSV ("error_fraction").
Ratios and lengths are exact decimal or fraction texts (25.4 is 127/5; 6:35 is 6/35).
Bounds: --top at most {max_top}, --starts at most {max_starts}, tooth counts (--gears, --from,
--to) from {min_teeth} to {max_teeth}, at most {max_gears} gears, a gearbox of at most {max_positions} positions, a
profile file of at most {max_kib} KiB, and suggest at most {max_trials} candidate gears times
gearbox positions.
)";

}  // namespace

std::string WorkshopHelp() {
  using std::to_string;
  const std::pair<std::string, std::string> values[] = {
      {"{top}", to_string(kDefaultTop)},
      {"{length}", ShortestText(ToDouble(kDriftLengthMm))},
      {"{from}", to_string(kAdviceFrom)},
      {"{to}", to_string(kAdviceTo)},
      {"{count}", to_string(kAdviceCount)},
      {"{thread_tolerance}", to_string(kThreadTolerancePercent)},
      {"{feed_tolerance}", to_string(kFeedTolerancePercent)},
      {"{max_top}", to_string(kMaxTop)},
      {"{max_starts}", to_string(kMaxStarts)},
      {"{min_teeth}", to_string(kMinTeeth)},
      {"{max_teeth}", to_string(kMaxTeeth)},
      {"{max_gears}", to_string(kMaxGears)},
      {"{max_positions}", to_string(kMaxGearboxPositions)},
      {"{max_kib}", to_string(kMaxProfileBytes / 1024)},
      {"{max_trials}", to_string(kMaxAdviceTrials)},
  };
  std::string help = kWorkshopHelp;
  for (const auto& [name, value] : values)
    for (std::size_t at = help.find(name); at != std::string::npos;
         at = help.find(name, at + value.size()))
      help.replace(at, name.size(), value);
  return help;
}

namespace {

// A failure to report.
struct Failure {
  std::string message;
};

// The command line's words for a value that is missing or wrong.
std::string OptionMessage(const InputError& error) {
  if (error.missing && error.input == "leadscrew")
    return "no lead screw: give --profile FILE with \"leadscrew\", or --leadscrew 1.5mm|8tpi";
  if (error.missing && error.input == "gears")
    return "no change gears: give --profile FILE with \"gears\", or --gears 20,25,30,...";
  std::string option = error.input == "max_error_percent" ? "max_error" : error.input;
  std::replace(option.begin(), option.end(), '_', '-');
  return "--" + option + ": " + error.text;
}

// A whole-number option (--top, --starts, --from, --to) within the core's
// bounds for it; *out keeps its default when the option is not given.
bool InputOption(const Arguments& args, const WholeInput& what, int* out, Failure* fail) {
  return ReadWholeOption(args, what.input, what.lo, what.hi, out, &fail->message);
}

bool LoadLathe(const Arguments& args, LatheProfile* profile, Failure* fail) {
  if (args.Has("profile")) {
    const std::string path = args.Value("profile");
    std::string text, error;
    if (!ReadProfileFile(path, &text, &fail->message)) return false;
    if (!ReadProfile(text, profile, &error)) {
      fail->message = "profile " + Quoted(path) + ": " + error;
      return false;
    }
  }
  ProfileOverrides overrides;
  if (args.Has("leadscrew")) overrides.leadscrew = args.Value("leadscrew");
  if (args.Has("gears")) overrides.gears = args.Value("gears");
  if (args.Has("fixed-ratio")) overrides.fixed_ratio = args.Value("fixed-ratio");
  if (args.Has("max-error")) overrides.max_error_percent = args.Value("max-error");
  InputError error;
  if (!ApplyOverrides(overrides, profile, &error) || !CheckComplete(*profile, &error)) {
    fail->message = OptionMessage(error);
    return false;
  }
  return true;
}

bool LengthOption(const Arguments& args, Fraction* length, Failure* fail) {
  *length = kDriftLengthMm;
  if (!args.Has("length")) return true;
  std::string error;
  if (!ReadRatio(args.Value("length"), length, &error) || !IsPositive(*length)) {
    fail->message = "--length: " + (error.empty() ? "the length must be above zero" : error);
    return false;
  }
  return true;
}

bool TargetOf(const std::string& text, const Arguments& args, Target* target, Failure* fail) {
  int starts = 1;
  std::string error;
  if (!InputOption(args, kStartsInput, &starts, fail)) return false;
  if (!ReadTarget(text, starts, target, &error)) return fail->message = error, false;
  return true;
}

bool SeriesOf(const Arguments& args, ChartList* series, Failure* fail) {
  if (ReadSeriesList(args.positional, series, &fail->message)) return true;
  fail->message += " (cogwright-cli chart --list names them)";
  return false;
}

struct ThreadOutput : CliAnswer {
  LatheProfile profile;
  Target target;
  ThreadAnswer answer;
  Fraction length;
  bool keep_unfit = false;
};

bool AskThread(const Arguments& inv, ThreadOutput* o, Failure* fail) {
  if (inv.positional.size() != 1)
    return fail->message = "thread needs one TARGET, e.g. 1.25mm or 20tpi", false;
  SearchOptions options;
  options.keep_unfit = o->keep_unfit = inv.Has("all");
  if (!TargetOf(inv.positional[0], inv, &o->target, fail) ||
      !InputOption(inv, kTopInput, &options.top, fail) || !LengthOption(inv, &o->length, fail) ||
      !LoadLathe(inv, &o->profile, fail))
    return false;
  std::string error;
  if (!AnswerThread(o->profile, o->target, options, &o->answer, &error))
    return fail->message = error, false;
  return true;
}

bool ReadGears(const std::vector<std::string>& texts, std::vector<int>* gears, Failure* fail) {
  for (const std::string& text : texts) {
    int teeth = 0;
    if (!ReadTeeth(text, &teeth, &fail->message))
      return fail->message = "gear " + fail->message, false;
    gears->push_back(teeth);
  }
  return true;
}

struct TrainOutput : CliAnswer {
  LatheProfile profile;
  TrainReport report;
  std::optional<Target> target;
  Fraction length;

  const Target* TargetOrNull() const { return target ? &*target : nullptr; }
};

bool AskTrain(const Arguments& inv, TrainOutput* o, Failure* fail) {
  std::vector<int> gears;
  if (!inv.Has("target") && (inv.Has("starts") || inv.Has("length")))
    return fail->message = "train: --starts and --length need --target", false;
  if (!ReadGears(inv.positional, &gears, fail) || !LengthOption(inv, &o->length, fail))
    return false;
  if (inv.Has("target") && !TargetOf(inv.Value("target"), inv, &o->target.emplace(), fail))
    return false;
  if (!LoadLathe(inv, &o->profile, fail)) return false;
  std::string error;
  if (!ReportTrain(o->profile, gears, o->TargetOrNull(), &o->report, &error))
    return fail->message = error, false;
  return true;
}

void ListSeries(std::ostream& out) {
  for (const ThreadSeries& s : BuiltInSeries())
    out << s.name << std::string(12 - std::min<std::size_t>(11, std::string(s.name).size()), ' ')
        << s.title << " (" << s.threads.size() << " threads)\n";
}

struct ChartOutput : CliAnswer {
  LatheProfile profile;
  ChartList series;  // the user's own targets, which the rows point into
  std::vector<ChartRow> rows;
};

bool AskChart(const Arguments& inv, ChartOutput* o, Failure* fail) {
  if (!SeriesOf(inv, &o->series, fail) || !LoadLathe(inv, &o->profile, fail)) return false;
  TrainSearch search;
  std::string error;
  if (!search.Init(o->profile, &error) || !BuildChart(search, o->series.series, &o->rows, &error))
    return fail->message = error, false;
  return true;
}

struct AdviceOutput : CliAnswer {
  AdviceResult advice;
};

bool AskSuggest(const Arguments& inv, AdviceOutput* o, Failure* fail) {
  LatheProfile profile;
  ChartList series;
  int from = kAdviceFrom, to = kAdviceTo;
  InputError order;
  if (!SeriesOf(inv, &series, fail) || !InputOption(inv, kFromInput, &from, fail) ||
      !InputOption(inv, kToInput, &to, fail))
    return false;
  if (!CheckCandidates(from, to, &order)) return fail->message = OptionMessage(order), false;
  if (!LoadLathe(inv, &profile, fail)) return false;
  std::string error;
  if (!SuggestGear(profile, series.series, from, to, kAdviceCount, &o->advice, &error))
    return fail->message = error, false;
  return true;
}

// Runs `ask` for the call's arguments into a fresh Output and writes it, or
// reports why not.
template <class Output>
int Answer(const CliCall& call, bool (*ask)(const Arguments&, Output*, Failure*)) {
  Output output;
  Failure fail;
  if (!ask(call.args, &output, &fail)) return call.Refuse(fail.message);
  return call.Write(output);
}

template <class Output>
const Output& As(const CliAnswer& answer) {
  return static_cast<const Output&>(answer);
}

}  // namespace

int RunThread(const CliCall& call) { return Answer(call, AskThread); }
int RunTrain(const CliCall& call) { return Answer(call, AskTrain); }
int RunSuggest(const CliCall& call) { return Answer(call, AskSuggest); }

int RunChart(const CliCall& call) {
  const Arguments& args = call.args;
  if (!args.Has("list")) return Answer(call, AskChart);
  if (args.options.size() > 1 || !args.positional.empty())
    return call.Refuse("chart --list takes nothing else");
  ListSeries(call.out);
  return 0;
}

void WriteThreadText(const CliAnswer& answer, std::ostream& out) {
  const auto& o = As<ThreadOutput>(answer);
  out << ThreadText(o.profile, o.target, o.answer.rows, o.length, o.keep_unfit);
  if (!o.answer.rows.empty()) return;
  bool more = false;
  out << NoTrainText(o.profile, o.target, o.answer, &more) << (more ? " (--all shows more)" : "")
      << ".\n";
}

void WriteThreadJson(const CliAnswer& answer, std::ostream& out) {
  const auto& o = As<ThreadOutput>(answer);
  out << ThreadResultJson(o.profile, o.target, o.answer.rows, o.length);
}

void WriteThreadCsv(const CliAnswer& answer, std::ostream& out) {
  const auto& o = As<ThreadOutput>(answer);
  out << ThreadCsv(o.profile, o.target, o.answer.rows, o.length);
}

void WriteTrainText(const CliAnswer& answer, std::ostream& out) {
  const auto& o = As<TrainOutput>(answer);
  out << TrainText(o.profile, o.report, o.TargetOrNull(), o.length);
}

void WriteTrainJson(const CliAnswer& answer, std::ostream& out) {
  const auto& o = As<TrainOutput>(answer);
  out << TrainReportJson(o.profile, o.report.positions, o.report.rules, o.report.in_set,
                         o.TargetOrNull(), o.length);
}

void WriteTrainCsv(const CliAnswer& answer, std::ostream& out) {
  const auto& o = As<TrainOutput>(answer);
  out << TrainCsv(o.profile, o.report.positions, o.TargetOrNull(), o.length);
}

void WriteChartText(const CliAnswer& answer, std::ostream& out) {
  out << ChartText(As<ChartOutput>(answer).profile, As<ChartOutput>(answer).rows);
}

void WriteChartJson(const CliAnswer& answer, std::ostream& out) {
  out << ChartJson(As<ChartOutput>(answer).profile, As<ChartOutput>(answer).rows, kDriftLengthMm);
}

void WriteChartCsv(const CliAnswer& answer, std::ostream& out) {
  out << ChartCsv(As<ChartOutput>(answer).profile, As<ChartOutput>(answer).rows);
}

void WriteChartMarkdown(const CliAnswer& answer, std::ostream& out) {
  out << ChartMarkdown(As<ChartOutput>(answer).profile, As<ChartOutput>(answer).rows);
}

void WriteChartHtml(const CliAnswer& answer, std::ostream& out) {
  out << ChartHtml(As<ChartOutput>(answer).profile, As<ChartOutput>(answer).rows);
}

void WriteAdviceText(const CliAnswer& answer, std::ostream& out) {
  out << AdviceText(As<AdviceOutput>(answer).advice);
}

void WriteAdviceJson(const CliAnswer& answer, std::ostream& out) {
  out << AdviceJson(As<AdviceOutput>(answer).advice);
}

void WriteAdviceCsv(const CliAnswer& answer, std::ostream& out) {
  out << AdviceCsv(As<AdviceOutput>(answer).advice);
}

}  // namespace cog
