#include "app/workshop_commands.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <map>
#include <ostream>
#include <sstream>

#include "workshop/chart_sheet.h"
#include "workshop/fraction_text.h"
#include "workshop/report_csv.h"
#include "workshop/report_text.h"
#include "workshop/results_json.h"
#include "workshop/train_report.h"

namespace cog {

const char* const kWorkshopHelp =
    "Your own lathe (a profile file, or --leadscrew and --gears):\n"
    "  cogwright-cli thread TARGET [--profile F] [--top N] [--all] [--starts N] [--length MM]\n"
    "      The N best change-gear trains (default 10) of your set for TARGET, by\n"
    "      |error|, then fewer gears, then ascending gears, then gearbox position.\n"
    "      Trains that do not fit on the banjo are left out; --all keeps them, marked.\n"
    "      TARGET: 1.25mm (pitch), 20tpi, m1.5 (module worm), dp16 (diametral pitch\n"
    "      worm), 0.1mm/rev or 0.004in/rev (feeds). --starts multiplies the lead;\n"
    "      --length (default 25 mm) is the thread length the drift is given for.\n"
    "  cogwright-cli train A B C D | A I D | A B C D E F [--profile F] [--target T]\n"
    "      What one train cuts at each gearbox position, every fit rule with its\n"
    "      margin in mm, and the error against T. A I D is driver, idler, driven;\n"
    "      A B C D is A driving B, and C (on B's shaft) driving D on the lead screw.\n"
    "  cogwright-cli chart SERIES... [--profile F]\n"
    "      One row per thread of the built-in series with the best train that fits.\n"
    "      cogwright-cli chart --list names the series.\n"
    "  cogwright-cli suggest SERIES... [--profile F] [--from 15 --to 130]\n"
    "      Which one gear added to the set lowers the chart's worst |error| most\n"
    "      (then its mean): the best 5 candidates, with before and after figures.\n"
    "\n"
    "  --profile F          a lathe profile (JSON: lead screw, gears, gearbox, geometry;\n"
    "                       see the examples in profiles/)\n"
    "  --leadscrew 1.5mm|8tpi, --gears 20,20,25,..., --fixed-ratio 1/2\n"
    "                       override the profile, or stand in for one\n"
    "  --format text|json|csv   (chart also md and html)\n"
    "Ratios and lengths are exact decimal or fraction texts (25.4 is 127/5).\n";

namespace {

struct CommandForm {
  const char* name;
  std::vector<std::string> options;  // that take a value
  std::vector<std::string> flags;
  std::vector<std::string> formats;
};

const std::vector<std::string> kLatheOptions = {"profile", "leadscrew", "gears", "fixed-ratio",
                                                "format"};

const CommandForm kForms[] = {
    {"thread", {"top", "starts", "length"}, {"all"}, {"text", "json", "csv"}},
    {"train", {"target", "starts", "length"}, {}, {"text", "json", "csv"}},
    {"chart", {}, {"list"}, {"text", "json", "csv", "md", "html"}},
    {"suggest", {"from", "to"}, {}, {"text", "json", "csv"}},
};

const CommandForm* FormOf(const std::string& command) {
  for (const CommandForm& form : kForms)
    if (command == form.name) return &form;
  return nullptr;
}

bool Has(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

struct Invocation {
  const CommandForm* form = nullptr;
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;
  std::vector<std::string> flags;

  std::string Option(const std::string& name, const std::string& fallback = "") const {
    const auto it = options.find(name);
    return it == options.end() ? fallback : it->second;
  }
  bool Flag(const std::string& name) const { return Has(flags, name); }
};

// A failure to report: message and exit code.
struct Failure {
  std::string message;
};

bool Parse(const std::vector<std::string>& args, Invocation* inv, Failure* fail) {
  inv->form = FormOf(args.front());
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.rfind("--", 0) != 0 || a.size() == 2) {
      inv->positional.push_back(a);
      continue;
    }
    const std::string name = a.substr(2);
    if (Has(inv->form->flags, name)) {
      inv->flags.push_back(name);
    } else if (Has(inv->form->options, name) || Has(kLatheOptions, name)) {
      if (i + 1 >= args.size()) return fail->message = a + " needs a value", false;
      if (inv->options.count(name)) return fail->message = a + " is given twice", false;
      inv->options[name] = args[++i];
    } else {
      fail->message = std::string(inv->form->name) + " does not take " + a;
      return false;
    }
  }
  const std::string format = inv->Option("format", "text");
  if (!Has(inv->form->formats, format)) {
    fail->message =
        "--format " + format + " is not one of the formats " + inv->form->name + " writes";
    return false;
  }
  return true;
}

// A whole number from lo to hi, or a message naming the option.
bool WholeOption(const Invocation& inv, const std::string& name, int lo, int hi, int* out,
                 Failure* fail) {
  const std::string text = inv.Option(name);
  if (text.empty() && !inv.options.count(name)) return true;
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < lo || value > hi) {
    fail->message = "--" + name + " must be a whole number from " + std::to_string(lo) + " to " +
                    std::to_string(hi) + ", not \"" + text + "\"";
    return false;
  }
  *out = value;
  return true;
}

bool LoadLathe(const Invocation& inv, LatheProfile* profile, Failure* fail) {
  std::string error;
  if (inv.options.count("profile")) {
    const std::string path = inv.Option("profile");
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    if (!file || !(text << file.rdbuf())) {
      fail->message = "cannot read the profile " + path;
      return false;
    }
    if (!ReadProfile(text.str(), profile, &error)) {
      fail->message = "profile " + path + ": " + error;
      return false;
    }
  }
  ProfileOverrides overrides;
  if (inv.options.count("leadscrew")) overrides.leadscrew = inv.Option("leadscrew");
  if (inv.options.count("gears")) overrides.gears = inv.Option("gears");
  if (inv.options.count("fixed-ratio")) overrides.fixed_ratio = inv.Option("fixed-ratio");
  if (!ApplyOverrides(overrides, profile, &error) || !CheckComplete(*profile, &error)) {
    fail->message = error;
    return false;
  }
  return true;
}

bool LengthOption(const Invocation& inv, Fraction* length, Failure* fail) {
  *length = Whole(25);
  if (!inv.options.count("length")) return true;
  std::string error;
  if (!ReadFraction(inv.Option("length"), length, &error) || !IsPositive(*length)) {
    fail->message = "--length: " + (error.empty() ? "the length must be above zero" : error);
    return false;
  }
  return true;
}

bool TargetOf(const std::string& text, const Invocation& inv, Target* target, Failure* fail) {
  int starts = 1;
  std::string error;
  if (!WholeOption(inv, "starts", 1, kMaxStarts, &starts, fail)) return false;
  if (!ReadTarget(text, starts, target, &error)) return fail->message = error, false;
  return true;
}

bool SeriesOf(const Invocation& inv, std::vector<const ThreadSeries*>* series, Failure* fail) {
  if (inv.positional.empty()) {
    fail->message = std::string(inv.form->name) +
                    " needs at least one series (cogwright-cli chart --list names them)";
    return false;
  }
  for (const std::string& name : inv.positional) {
    const ThreadSeries* s = FindSeries(name);
    if (!s) {
      fail->message = "unknown series \"" + name + "\" (cogwright-cli chart --list names them)";
      return false;
    }
    series->push_back(s);
  }
  return true;
}

bool Thread(const Invocation& inv, std::ostream& out, Failure* fail) {
  if (inv.positional.size() != 1)
    return fail->message = "thread needs one TARGET, e.g. 1.25mm or 20tpi", false;
  LatheProfile profile;
  Target target;
  Fraction length;
  SearchOptions options;
  options.keep_unfit = inv.Flag("all");
  if (!TargetOf(inv.positional[0], inv, &target, fail) ||
      !WholeOption(inv, "top", 1, 100000, &options.top, fail) ||
      !LengthOption(inv, &length, fail) || !LoadLathe(inv, &profile, fail))
    return false;
  TrainSearch search;
  std::vector<TrainRow> rows;
  std::string error;
  if (!search.Init(profile, &error) || !search.Find(target.lead, options, &rows, &error))
    return fail->message = error, false;
  const std::string format = inv.Option("format", "text");
  if (format == "json") out << ThreadResultJson(profile, target, rows, length);
  if (format == "csv") out << ThreadCsv(profile, target, rows, length);
  if (format == "text") out << ThreadText(profile, target, rows, length, options.keep_unfit);
  return true;
}

bool ReadGears(const std::vector<std::string>& texts, std::vector<int>* gears, Failure* fail) {
  for (const std::string& text : texts) {
    int teeth = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), teeth);
    if (ec != std::errc() || end != text.data() + text.size() || teeth < kMinTeeth ||
        teeth > kMaxTeeth)
      return fail->message = "gear \"" + text + "\" is not a whole number from 8 to 300", false;
    gears->push_back(teeth);
  }
  return true;
}

bool Train(const Invocation& inv, std::ostream& out, Failure* fail) {
  LatheProfile profile;
  std::vector<int> gears;
  Fraction length;
  std::optional<Target> target;
  if (!ReadGears(inv.positional, &gears, fail) || !LengthOption(inv, &length, fail)) return false;
  if (inv.options.count("target") && !TargetOf(inv.Option("target"), inv, &target.emplace(), fail))
    return false;
  if (!LoadLathe(inv, &profile, fail)) return false;
  TrainReport report;
  std::string error;
  const Target* t = target ? &*target : nullptr;
  if (!ReportTrain(profile, gears, t, &report, &error)) return fail->message = error, false;
  const std::string format = inv.Option("format", "text");
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

bool Chart(const Invocation& inv, std::ostream& out, Failure* fail) {
  if (inv.Flag("list")) return ListSeries(out);
  LatheProfile profile;
  std::vector<const ThreadSeries*> series;
  if (!SeriesOf(inv, &series, fail) || !LoadLathe(inv, &profile, fail)) return false;
  TrainSearch search;
  std::vector<ChartRow> rows;
  std::string error;
  if (!search.Init(profile, &error) || !BuildChart(search, series, &rows, &error))
    return fail->message = error, false;
  const std::string format = inv.Option("format", "text");
  if (format == "json") out << ChartJson(profile, rows, Whole(25));
  if (format == "csv") out << ChartCsv(profile, rows);
  if (format == "md") out << ChartMarkdown(profile, rows);
  if (format == "html") out << ChartHtml(profile, rows);
  if (format == "text") out << ChartText(profile, rows);
  return true;
}

bool Suggest(const Invocation& inv, std::ostream& out, Failure* fail) {
  LatheProfile profile;
  std::vector<const ThreadSeries*> series;
  int from = 15, to = 130;
  if (!SeriesOf(inv, &series, fail) ||
      !WholeOption(inv, "from", kMinTeeth, kMaxTeeth, &from, fail) ||
      !WholeOption(inv, "to", kMinTeeth, kMaxTeeth, &to, fail) || !LoadLathe(inv, &profile, fail))
    return false;
  if (from > to) return fail->message = "--from is above --to", false;
  AdviceResult advice;
  std::string error;
  if (!SuggestGear(profile, series, from, to, 5, &advice, &error))
    return fail->message = error, false;
  const std::string format = inv.Option("format", "text");
  if (format == "json") out << AdviceJson(advice);
  if (format == "csv") out << AdviceCsv(advice);
  if (format == "text") out << AdviceText(advice);
  return true;
}

}  // namespace

bool IsWorkshopCommand(const std::string& command) { return FormOf(command) != nullptr; }

int RunWorkshop(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Invocation inv;
  Failure fail;
  bool ok = Parse(args, &inv, &fail);
  if (ok) {
    const std::string command = inv.form->name;
    if (command == "thread") ok = Thread(inv, out, &fail);
    if (command == "train") ok = Train(inv, out, &fail);
    if (command == "chart") ok = Chart(inv, out, &fail);
    if (command == "suggest") ok = Suggest(inv, out, &fail);
  }
  if (ok) return 0;
  err << "cogwright-cli: " << fail.message << '\n';
  return 2;
}

}  // namespace cog
