#include "app/workshop_commands.h"

#include <algorithm>
#include <map>
#include <ostream>

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

// The command line's words for a value that is missing or wrong.
Status OptionRefusal(const Status& bad) {
  if (bad.ok()) return bad;
  if (bad.missing() && bad.input() == "leadscrew")
    return Status::Missing("leadscrew",
                           "no lead screw: give --profile FILE with \"leadscrew\", or "
                           "--leadscrew 1.5mm|8tpi");
  if (bad.missing() && bad.input() == "gears")
    return Status::Missing(
        "gears", "no change gears: give --profile FILE with \"gears\", or --gears 20,25,30,...");
  std::string option = bad.input() == "max_error_percent" ? "max_error" : bad.input();
  std::replace(option.begin(), option.end(), '_', '-');
  return bad.Prefixed("--" + option + ": ");
}

// A whole-number option (--top, --starts, --from, --to) within the core's
// bounds for it; *out keeps its default when the option is not given.
Status InputOption(const Arguments& args, const WholeInput& what, int* out) {
  if (!args.Has(what.input)) return Status::Ok();
  return OptionRefusal(ReadInput(what, args.Value(what.input), out));
}

Status LoadLathe(const Arguments& args, LatheProfile* profile) {
  if (args.Has("profile")) {
    const std::string path = args.Value("profile");
    std::string text, why;
    if (Status bad = ReadProfileFile(path, &text); !bad.ok()) return bad;
    if (!ReadProfile(text, profile, &why))
      return Status::Refused("profile", "profile " + Quoted(path) + ": " + why);
  }
  ProfileOverrides overrides;
  if (args.Has("leadscrew")) overrides.leadscrew = args.Value("leadscrew");
  if (args.Has("gears")) overrides.gears = args.Value("gears");
  if (args.Has("fixed-ratio")) overrides.fixed_ratio = args.Value("fixed-ratio");
  if (args.Has("max-error")) overrides.max_error_percent = args.Value("max-error");
  Status bad = ApplyOverrides(overrides, profile);
  if (bad.ok()) bad = CheckComplete(*profile);
  return OptionRefusal(bad);
}

Status LengthOption(const Arguments& args, Fraction* length) {
  *length = kDriftLengthMm;
  if (!args.Has("length")) return Status::Ok();
  std::string why;
  if (!ReadRatio(args.Value("length"), length, &why) || !IsPositive(*length))
    return Status::Refused("length",
                           "--length: " + (why.empty() ? "the length must be above zero" : why));
  return Status::Ok();
}

Status TargetOf(const std::string& text, const Arguments& args, Target* target) {
  int starts = 1;
  std::string why;
  if (Status bad = InputOption(args, kStartsInput, &starts); !bad.ok()) return bad;
  if (!ReadTarget(text, starts, target, &why)) return Status::Refused("target", why);
  return Status::Ok();
}

// The words of an unquoted target, quoted as one: "M10 LH".
std::string QuotedWords(const std::vector<std::string>& words) {
  std::string joined;
  for (const std::string& w : words) joined += (joined.empty() ? "" : " ") + w;
  return Quoted(joined);
}

Status SeriesOf(const Arguments& args, ChartList* series) {
  std::string why;
  if (ReadSeriesList(args.positional, series, &why)) return Status::Ok();
  why += " (cogwright-cli chart --list names them)";
  // "chart 1/4-20 LH": a target's hand taken for a series of its own.
  const std::vector<std::string>& words = args.positional;
  for (std::size_t i = 1; i < words.size(); ++i)
    if (words[i] == "LH" || words[i] == "lh")
      why += "; quote a target of several words: " + QuotedWords({words[i - 1], words[i]});
  return Status::Refused("series", why);
}

struct ThreadOutput : CliAnswer {
  LatheProfile profile;
  Target target;
  ThreadAnswer answer;
  Fraction length;
  bool keep_unfit = false;
};

Status AskThread(const Arguments& inv, ThreadOutput* o) {
  if (inv.positional.size() > 1)
    return Status::Refused("", "thread takes one TARGET: quote a target of several words, thread " +
                                   QuotedWords(inv.positional));
  if (inv.positional.size() != 1)
    return Status::Refused("", "thread needs one TARGET, e.g. 1.25mm or 20tpi");
  SearchOptions options;
  options.keep_unfit = o->keep_unfit = inv.Has("all");
  Status bad = TargetOf(inv.positional[0], inv, &o->target);
  if (bad.ok()) bad = InputOption(inv, kTopInput, &options.top);
  if (bad.ok()) bad = LengthOption(inv, &o->length);
  if (bad.ok()) bad = LoadLathe(inv, &o->profile);
  if (!bad.ok()) return bad;
  std::string why;
  if (!AnswerThread(o->profile, o->target, options, &o->answer, &why))
    return Status::Refused("target", why);
  return Status::Ok();
}

Status ReadGears(const std::vector<std::string>& texts, std::vector<int>* gears) {
  for (const std::string& text : texts) {
    int teeth = 0;
    std::string why;
    if (!ReadTeeth(text, &teeth, &why)) return Status::Refused("gears", "gear " + why);
    gears->push_back(teeth);
  }
  return Status::Ok();
}

struct TrainOutput : CliAnswer {
  LatheProfile profile;
  TrainReport report;
  std::optional<Target> target;
  Fraction length;

  const Target* TargetOrNull() const { return target ? &*target : nullptr; }
};

Status AskTrain(const Arguments& inv, TrainOutput* o) {
  std::vector<int> gears;
  if (!inv.Has("target") && (inv.Has("starts") || inv.Has("length")))
    return Status::Refused("target", "train: --starts and --length need --target");
  Status bad = ReadGears(inv.positional, &gears);
  if (bad.ok()) bad = LengthOption(inv, &o->length);
  if (bad.ok() && inv.Has("target")) bad = TargetOf(inv.Value("target"), inv, &o->target.emplace());
  if (bad.ok()) bad = LoadLathe(inv, &o->profile);
  if (!bad.ok()) return bad;
  std::string why;
  if (!ReportTrain(o->profile, gears, o->TargetOrNull(), &o->report, &why))
    return Status::Refused("train", why);
  return Status::Ok();
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

Status AskChart(const Arguments& inv, ChartOutput* o) {
  Status bad = SeriesOf(inv, &o->series);
  if (bad.ok()) bad = LoadLathe(inv, &o->profile);
  if (!bad.ok()) return bad;
  TrainSearch search;
  std::string why;
  if (!search.Init(o->profile, &why) || !BuildChart(search, o->series.series, &o->rows, &why))
    return Status::Refused("series", why);
  return Status::Ok();
}

struct AdviceOutput : CliAnswer {
  LatheProfile profile;
  AdviceResult advice;
};

Status AskSuggest(const Arguments& inv, AdviceOutput* o) {
  LatheProfile& profile = o->profile;
  ChartList series;
  int from = kAdviceFrom, to = kAdviceTo;
  Status bad = SeriesOf(inv, &series);
  if (bad.ok()) bad = InputOption(inv, kFromInput, &from);
  if (bad.ok()) bad = InputOption(inv, kToInput, &to);
  if (bad.ok()) bad = OptionRefusal(CheckCandidates(from, to));
  if (bad.ok()) bad = LoadLathe(inv, &profile);
  if (!bad.ok()) return bad;
  std::string why;
  if (!SuggestGear(profile, series.series, from, to, kAdviceCount, &o->advice, &why))
    return Status::Refused("series", why);
  return Status::Ok();
}

}  // namespace

int RunThread(const CliCall& call) { return Answer(call, AskThread); }
int RunTrain(const CliCall& call) { return Answer(call, AskTrain); }
int RunSuggest(const CliCall& call) { return Answer(call, AskSuggest); }

int RunChart(const CliCall& call) {
  const Arguments& args = call.args;
  if (!args.Has("list")) return Answer(call, AskChart);
  if (args.options.size() > 1 || !args.positional.empty())
    return call.Refuse(Status::Refused("list", "chart --list takes nothing else"));
  ListSeries(call.out);
  return 0;
}

void WriteThreadText(const CliAnswer& answer, std::ostream& out) {
  const auto& o = AnswerAs<ThreadOutput>(answer);
  out << ThreadText(o.profile, o.target, o.answer.rows, o.length, o.keep_unfit);
  if (!o.answer.rows.empty()) return;
  bool more = false;
  out << NoTrainText(o.profile, o.target, o.answer, &more) << (more ? " (--all shows more)" : "")
      << ".\n";
}

void WriteThreadJson(const CliAnswer& answer, std::ostream& out) {
  const auto& o = AnswerAs<ThreadOutput>(answer);
  out << ThreadResultJson(o.profile, o.target, o.answer.rows, o.length);
}

void WriteThreadCsv(const CliAnswer& answer, std::ostream& out) {
  const auto& o = AnswerAs<ThreadOutput>(answer);
  out << ThreadCsv(o.profile, o.target, o.answer.rows, o.length);
}

void WriteTrainText(const CliAnswer& answer, std::ostream& out) {
  const auto& o = AnswerAs<TrainOutput>(answer);
  out << TrainText(o.profile, o.report, o.TargetOrNull(), o.length);
}

void WriteTrainJson(const CliAnswer& answer, std::ostream& out) {
  const auto& o = AnswerAs<TrainOutput>(answer);
  out << TrainReportJson(o.profile, o.report.positions, o.report.rules, o.report.in_set,
                         o.TargetOrNull(), o.length);
}

void WriteTrainCsv(const CliAnswer& answer, std::ostream& out) {
  const auto& o = AnswerAs<TrainOutput>(answer);
  out << TrainCsv(o.profile, o.report.positions, o.TargetOrNull(), o.length);
}

void WriteChartText(const CliAnswer& answer, std::ostream& out) {
  out << ChartText(AnswerAs<ChartOutput>(answer).profile, AnswerAs<ChartOutput>(answer).rows);
}

void WriteChartJson(const CliAnswer& answer, std::ostream& out) {
  out << ChartJson(AnswerAs<ChartOutput>(answer).profile, AnswerAs<ChartOutput>(answer).rows,
                   kDriftLengthMm);
}

void WriteChartCsv(const CliAnswer& answer, std::ostream& out) {
  out << ChartCsv(AnswerAs<ChartOutput>(answer).profile, AnswerAs<ChartOutput>(answer).rows);
}

void WriteChartMarkdown(const CliAnswer& answer, std::ostream& out) {
  out << ChartMarkdown(AnswerAs<ChartOutput>(answer).profile, AnswerAs<ChartOutput>(answer).rows);
}

void WriteChartHtml(const CliAnswer& answer, std::ostream& out) {
  out << ChartHtml(AnswerAs<ChartOutput>(answer).profile, AnswerAs<ChartOutput>(answer).rows);
}

void WriteAdviceText(const CliAnswer& answer, std::ostream& out) {
  const auto& o = AnswerAs<AdviceOutput>(answer);
  out << AdviceText(o.profile, o.advice) << AdviceGearText(o.profile, o.advice);
}

void WriteAdviceJson(const CliAnswer& answer, std::ostream& out) {
  out << AdviceJson(AnswerAs<AdviceOutput>(answer).advice);
}

void WriteAdviceCsv(const CliAnswer& answer, std::ostream& out) {
  out << AdviceCsv(AnswerAs<AdviceOutput>(answer).advice);
}

}  // namespace cog
