#include "app/workshop_commands.h"

#include <algorithm>
#include <map>
#include <ostream>

#include "app/command_forms.h"
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
#include "report/gear_sheet.h"
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
      Which one gear to add to the set, by the leads it gains (a train where
      there was none, or exact where it was not), then fewer leads without a
      train, then the lower worst and mean |error|; the best {count}
      candidates, with before and after figures.

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

// The workshop commands' forms (app/command_forms.cpp), in the order of kFormats.
const std::vector<CommandForm> kForms = WorkshopForms();

const std::vector<std::string> kFormats[] = {{"text", "json", "csv"},
                                             {"text", "json", "csv"},
                                             {"text", "json", "csv", "md", "html"},
                                             {"text", "json", "csv"}};

// A failure to report.
struct Failure {
  std::string message;
};

bool Has(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

bool CheckFormat(const Arguments& args, Failure* fail) {
  for (std::size_t i = 0; i < kForms.size(); ++i) {
    if (args.command != kForms[i].name) continue;
    const std::string format = args.Value("format", "text");
    if (Has(kFormats[i], format)) return true;
    fail->message =
        "--format " + Quoted(format) + " is not one of the formats " + args.command + " writes";
    return false;
  }
  return true;
}

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

// A whole-number option (--top, --starts, --from, --to), read and checked by
// the core; *out keeps its default when the option is not given.
bool WholeOption(const Arguments& args, const WholeInput& what, int* out, Failure* fail) {
  if (!args.Has(what.input)) return true;
  InputError error;
  if (ReadInput(what, args.Value(what.input), out, &error)) return true;
  fail->message = OptionMessage(error);
  return false;
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
  if (!WholeOption(args, kStartsInput, &starts, fail)) return false;
  if (!ReadTarget(text, starts, target, &error)) return fail->message = error, false;
  return true;
}

// The words of an unquoted target, quoted as one: "M10 LH".
std::string QuotedWords(const std::vector<std::string>& words) {
  std::string joined;
  for (const std::string& w : words) joined += (joined.empty() ? "" : " ") + w;
  return Quoted(joined);
}

bool SeriesOf(const Arguments& args, ChartList* series, Failure* fail) {
  if (ReadSeriesList(args.positional, series, &fail->message)) return true;
  fail->message += " (cogwright-cli chart --list names them)";
  // "chart 1/4-20 LH": a target's hand taken for a series of its own.
  const std::vector<std::string>& words = args.positional;
  for (std::size_t i = 1; i < words.size(); ++i)
    if (words[i] == "LH" || words[i] == "lh")
      fail->message +=
          "; quote a target of several words: " + QuotedWords({words[i - 1], words[i]});
  return false;
}

bool Thread(const Arguments& inv, std::ostream& out, Failure* fail) {
  if (inv.positional.size() > 1)
    return fail->message = "thread takes one TARGET: quote a target of several words, thread " +
                           QuotedWords(inv.positional),
           false;
  if (inv.positional.size() != 1)
    return fail->message = "thread needs one TARGET, e.g. 1.25mm or 20tpi", false;
  LatheProfile profile;
  Target target;
  Fraction length;
  SearchOptions options;
  options.keep_unfit = inv.Has("all");
  if (!TargetOf(inv.positional[0], inv, &target, fail) ||
      !WholeOption(inv, kTopInput, &options.top, fail) || !LengthOption(inv, &length, fail) ||
      !LoadLathe(inv, &profile, fail))
    return false;
  ThreadAnswer answer;
  std::string error;
  if (!AnswerThread(profile, target, options, &answer, &error)) return fail->message = error, false;
  const std::vector<TrainRow>& rows = answer.rows;
  const std::string format = inv.Value("format", "text");
  if (format == "json") out << ThreadResultJson(profile, target, rows, length);
  if (format == "csv") out << ThreadCsv(profile, target, rows, length);
  if (format != "text") return true;
  out << ThreadText(profile, target, rows, length, options.keep_unfit);
  if (rows.empty()) {
    bool more = false;
    out << NoTrainText(profile, target, answer, &more) << (more ? " (--all shows more)" : "")
        << ".\n";
  }
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

bool Train(const Arguments& inv, std::ostream& out, Failure* fail) {
  LatheProfile profile;
  std::vector<int> gears;
  Fraction length;
  std::optional<Target> target;
  if (!inv.Has("target") && (inv.Has("starts") || inv.Has("length")))
    return fail->message = "train: --starts and --length need --target", false;
  if (!ReadGears(inv.positional, &gears, fail) || !LengthOption(inv, &length, fail)) return false;
  if (inv.Has("target") && !TargetOf(inv.Value("target"), inv, &target.emplace(), fail))
    return false;
  if (!LoadLathe(inv, &profile, fail)) return false;
  TrainReport report;
  std::string error;
  const Target* t = target ? &*target : nullptr;
  if (!ReportTrain(profile, gears, t, &report, &error)) return fail->message = error, false;
  const std::string format = inv.Value("format", "text");
  if (format == "json")
    out << TrainReportJson(profile, report.positions, report.rules, report.in_set, t, length);
  if (format == "csv") out << TrainCsv(profile, report.positions, t, length);
  if (format == "text") out << TrainText(profile, report, t, length);
  return true;
}

bool ListSeries(std::ostream& out) {
  for (const ThreadSeries& s : BuiltInSeries())
    out << s.name << std::string(12 - std::min<std::size_t>(11, std::string(s.name).size()), ' ')
        << s.title << " (" << s.threads.size() << " threads)\n";
  return true;
}

bool Chart(const Arguments& inv, std::ostream& out, Failure* fail) {
  if (inv.Has("list")) {
    if (inv.options.size() > 1 || !inv.positional.empty())
      return fail->message = "chart --list takes nothing else", false;
    return ListSeries(out);
  }
  LatheProfile profile;
  ChartList series;
  if (!SeriesOf(inv, &series, fail) || !LoadLathe(inv, &profile, fail)) return false;
  TrainSearch search;
  std::vector<ChartRow> rows;
  std::string error;
  if (!search.Init(profile, &error) || !BuildChart(search, series.series, &rows, &error))
    return fail->message = error, false;
  const std::string format = inv.Value("format", "text");
  if (format == "json") out << ChartJson(profile, rows, kDriftLengthMm);
  if (format == "csv") out << ChartCsv(profile, rows);
  if (format == "md") out << ChartMarkdown(profile, rows);
  if (format == "html") out << ChartHtml(profile, rows);
  if (format == "text") out << ChartText(profile, rows);
  return true;
}

bool Suggest(const Arguments& inv, std::ostream& out, Failure* fail) {
  LatheProfile profile;
  ChartList series;
  int from = kAdviceFrom, to = kAdviceTo;
  InputError order;
  if (!SeriesOf(inv, &series, fail) || !WholeOption(inv, kFromInput, &from, fail) ||
      !WholeOption(inv, kToInput, &to, fail))
    return false;
  if (!CheckCandidates(from, to, &order)) return fail->message = OptionMessage(order), false;
  if (!LoadLathe(inv, &profile, fail)) return false;
  AdviceResult advice;
  std::string error;
  if (!SuggestGear(profile, series.series, from, to, kAdviceCount, &advice, &error))
    return fail->message = error, false;
  const std::string format = inv.Value("format", "text");
  if (format == "json") out << AdviceJson(advice);
  if (format == "csv") out << AdviceCsv(advice);
  if (format == "text") out << AdviceText(profile, advice) << AdviceGearText(profile, advice);
  return true;
}

}  // namespace

bool IsWorkshopCommand(const std::string& command) {
  return std::any_of(kForms.begin(), kForms.end(),
                     [&](const CommandForm& form) { return command == form.name; });
}

int RunWorkshop(const Arguments& args, std::ostream& out, std::ostream& err) {
  Failure fail;
  bool ok = CheckFormat(args, &fail);
  if (ok) {
    const std::string& command = args.command;
    if (command == "thread") ok = Thread(args, out, &fail);
    if (command == "train") ok = Train(args, out, &fail);
    if (command == "chart") ok = Chart(args, out, &fail);
    if (command == "suggest") ok = Suggest(args, out, &fail);
  }
  if (ok) return 0;
  err << "cogwright-cli: " << fail.message << '\n';
  return 2;
}

}  // namespace cog
