#include "report/report_cells.h"

#include <algorithm>
#include <utility>

#include "gears/fraction_text.h"
#include "lathe/defaults.h"
#include "lathe/row_facts.h"
#include "numtext/quoted_text.h"
#include "report/figure_text.h"
#include "report/row_numbers.h"

namespace cog {
namespace {

// The micro sign in UTF-8, spelled out so that every compiler's source and
// execution character sets give the same bytes. Text output pads columns by
// characters (ShownWidth), so the heads stay aligned; CSV and JSON keep their
// ASCII names ("error_per_thread_um", "drift_um") for scripts.
constexpr char kMicrometreSign[] = "\xc2\xb5m";

std::string PerThreadHead() { return std::string(kMicrometreSign) + "/thread"; }

std::string DriftHead(const Fraction& length_mm) {
  return "drift " + std::string(kMicrometreSign) + "/" + ShortestText(ToDouble(length_mm)) + "mm";
}

// A name from the user as a cell: printable, "-" when there is none.
std::string Dash(const std::string& text) { return text.empty() ? "-" : Printable(text); }

std::string TumblerWord(const std::optional<Tumbler>& tumbler) {
  return !tumbler ? "-" : *tumbler == Tumbler::kNormal ? "normal" : "reversed";
}

std::string Percent(Extended fraction) {
  return FixedFigure(static_cast<double>(fraction) * 100, 4) + "%";
}

}  // namespace

const char* const kGearLegend =
    "Gears: simple A I D (A drives the idler I, I drives D on the lead screw);\n"
    "compound A B C D (A drives B; C, on B's shaft, drives D on the lead screw);\n"
    "six A B C D E F (A drives B, C drives D, E drives F on the lead screw).\n";

std::string TargetLine(const Target& target) {
  std::string line = Printable(target.text) + ": lead " +
                     FixedFigure(static_cast<double>(target.lead.approx_mm), 6) +
                     " mm per spindle turn";
  if (target.starts > 1) line += " (" + std::to_string(target.starts) + " starts)";
  return line + (target.lead.exact ? "" : ", not exact (involves pi)");
}

std::string LatheLine(const LatheProfile& profile) {
  std::string line = (profile.name.empty() ? "" : Printable(profile.name) + ": ") + "lead screw " +
                     Printable(profile.leadscrew_text) + ", " +
                     std::to_string(profile.gears.size()) +
                     (profile.gears.size() == 1 ? " gear" : " gears");
  if (!profile.gearbox.empty()) line += ", gearbox of " + std::to_string(profile.gearbox.size());
  return line;
}

std::string FitLine(const LatheProfile& profile) {
  if (!profile.geometry && profile.module_given)
    return "not checked (the profile gives a module but no centre distance)";
  if (!profile.geometry && profile.centre_distance_given)
    return "not checked (the profile gives a centre distance but no module or dp)";
  if (!profile.geometry) return "not checked (the profile gives no module and centre distance)";
  return "checked: module " + ShortestText(ToDouble(profile.geometry->module)) +
         ", centre distance " + ShortestText(ToDouble(profile.geometry->centre_distance)) + " mm";
}

CellTable ThreadCells(const LatheProfile& profile, const Target& target,
                      const std::vector<TrainRow>& rows, const Fraction& length_mm, bool all) {
  const bool feed = IsFeed(target.unit), dial = profile.dial && !feed;
  CellTable t;
  t.head = {"#", "kind", "gears", "gearbox", "ratio"};
  if (feed) {
    t.head.insert(t.head.end(), {"mm/rev", "in/rev", "error %", "fits", "cuts"});
  } else {
    t.head.insert(t.head.end(), {"lead mm", "tpi", "error %", PerThreadHead(), DriftHead(length_mm),
                                 "fits", "cuts"});
  }
  if (profile.tumbler) t.head.push_back("tumbler");
  if (dial) t.head.push_back("dial");
  if (all) t.head.push_back("within");
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TrainRow& row = rows[i];
    const RowNumbers n = NumbersOf(row, target.lead, length_mm);
    const RowFacts facts = FactsOf(profile, target, row);
    std::vector<std::string> c = {std::to_string(i + 1), KindName(row.kind), GearList(row.gears),
                                  Dash(GearboxName(profile, row.gearbox)), FractionText(row.ratio)};
    if (feed) {
      c.insert(c.end(),
               {FixedFigure(n.lead_mm, 5), FixedFigure(n.lead_mm / 25.4, 6), ErrorPercent(n),
                FitsWord(row.fits), HandWord(facts.cuts, facts.target_hand)});
    } else {
      c.insert(c.end(),
               {FixedFigure(n.lead_mm, 5), FixedFigure(n.tpi, 3), ErrorPercent(n),
                FixedFigure(n.error_per_thread_um, 3, true), FixedFigure(n.drift_um, 2, true),
                FitsWord(row.fits), HandWord(facts.cuts, facts.target_hand)});
    }
    if (profile.tumbler) c.push_back(TumblerWord(facts.tumbler));
    if (dial) c.push_back(DialText(*profile.dial, *facts.dial));
    if (all) c.push_back(facts.within ? "yes" : "NO");
    t.rows.push_back(std::move(c));
  }
  return t;
}

CellTable TrainCells(const LatheProfile& profile, const std::vector<TrainRow>& positions,
                     const Target* target, const Fraction& length_mm) {
  const Target plain;
  const Target& cut = target ? *target : plain;
  const bool feed = target && IsFeed(target->unit), dial = profile.dial && !feed;
  CellTable t;
  t.head = {"gearbox", "ratio", "lead mm", "tpi"};
  if (target)
    t.head.insert(t.head.end(), {"error %", PerThreadHead(), DriftHead(length_mm), "within"});
  t.head.push_back("cuts");
  if (profile.tumbler) t.head.push_back("tumbler");
  if (dial) t.head.push_back("dial");
  for (const TrainRow& row : positions) {
    const RowNumbers n = NumbersOf(row, cut.lead, length_mm);
    const RowFacts facts = FactsOf(profile, cut, row);
    std::vector<std::string> c = {Dash(GearboxName(profile, row.gearbox)), FractionText(row.ratio),
                                  FixedFigure(n.lead_mm, 5), FixedFigure(n.tpi, 3)};
    if (target)
      c.insert(c.end(),
               {ErrorPercent(n), feed ? "-" : FixedFigure(n.error_per_thread_um, 3, true),
                feed ? "-" : FixedFigure(n.drift_um, 2, true), facts.within ? "yes" : "NO"});
    // Without a target no hand was asked for.
    c.push_back(HandWord(facts.cuts, !target || facts.target_hand));
    if (profile.tumbler) c.push_back(TumblerWord(facts.tumbler));
    if (dial) c.push_back(DialText(*profile.dial, *facts.dial));
    t.rows.push_back(std::move(c));
  }
  return t;
}

CellTable RuleCells(const std::vector<FitRule>& rules) {
  CellTable t;
  t.head = {"", "rule", "margin"};
  for (const FitRule& rule : rules)
    t.rows.push_back({rule.margin_mm.num >= 0 ? "ok" : "SHORT", rule.text,
                      FixedFigure(ToDouble(rule.margin_mm), 3, true) + " mm"});
  return t;
}

namespace {

std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  text.pop_back();
  return text;
}

std::string SizesText(const ChartRow& row) {
  std::string text;
  for (const ThreadEntry* t : row.sizes) text += (text.empty() ? "" : ", ") + std::string(t->size);
  return text;
}

// Why a line has no train, in its gears cell, and the nearest train's error
// in its error cell when there is one beyond the tolerance.
std::pair<std::string, std::string> NoChartTrainText(const LatheProfile& profile,
                                                     const ChartRow& row) {
  const std::string why = NoTrainCause(profile, row.target, row.none);
  if (!row.nearest) return {why, ""};
  return {why, "nearest " + ErrorPercent(NumbersOf(*row.nearest, row.target.lead, kDriftLengthMm))};
}

}  // namespace

std::vector<ChartSection> ChartSections(const LatheProfile& profile,
                                        const std::vector<ChartRow>& rows) {
  const bool gearbox = !profile.gearbox.empty(), dial = profile.dial.has_value();
  std::vector<ChartSection> sections;
  for (const ChartRow& row : rows) {
    if (sections.empty() || sections.back().series != row.series) {
      ChartSection& s = sections.emplace_back();
      s.series = row.series;
      s.table.head = {"lead", "gears"};
      if (gearbox) s.table.head.push_back("gearbox");
      s.table.head.insert(s.table.head.end(), {"error %", "fit", "cuts"});
      if (profile.tumbler) s.table.head.push_back("tumbler");
      if (dial) s.table.head.push_back("dial");
      s.table.head.push_back("sizes");
    }
    // What the machinist looks up first (the lead and its gears) leads; the
    // sizes, of any length, close the line.
    // A machinist's own list gives its targets and sizes as typed: shown
    // escaped, as thread shows its target.
    std::vector<std::string> c = {Printable(row.thread->target)};
    if (!row.best) {
      const auto [why, nearest] = NoChartTrainText(profile, row);
      c.push_back(why);
      if (gearbox) c.push_back("");
      c.push_back(nearest);
      c.resize(sections.back().table.head.size() - 1);
    } else {
      const RowNumbers n = NumbersOf(*row.best, row.target.lead, kDriftLengthMm);
      const RowFacts facts = FactsOf(profile, row.target, *row.best);
      c.push_back(GearList(row.best->gears));
      if (gearbox) c.push_back(Printable(GearboxName(profile, row.best->gearbox)));
      c.insert(c.end(), {ErrorPercent(n), row.best->fits ? FitsWord(row.best->fits) : "not checked",
                         HandWord(facts.cuts, facts.target_hand)});
      if (profile.tumbler) c.push_back(TumblerWord(facts.tumbler));
      if (dial) c.push_back(DialText(*profile.dial, *facts.dial));
    }
    c.push_back(Printable(SizesText(row)));
    sections.back().table.rows.push_back(std::move(c));
  }
  return sections;
}

namespace {

// What the header says of the fit: FitLine's words when every line with a
// train was checked (or none could be), else how many were not.
std::string ChartFitLine(const LatheProfile& profile, const std::vector<ChartRow>& rows) {
  int trains = 0, unchecked = 0;
  for (const ChartRow& row : rows) {
    if (!row.best) continue;
    ++trains;
    unchecked += !row.best->fits.has_value();
  }
  const std::string line = FitLine(profile);
  if (!profile.geometry || unchecked == 0) return line;
  const std::string checked = "checked: ";
  return "not checked on " + std::to_string(unchecked) + " of " + std::to_string(trains) +
         " lines with a train (six-gear trains), checked on the others: " +
         line.substr(checked.size());
}

}  // namespace

bool EveryLineFitChecked(const LatheProfile& profile, const std::vector<ChartRow>& rows) {
  return profile.geometry && std::all_of(rows.begin(), rows.end(), [](const ChartRow& row) {
           return !row.best || row.best->fits.has_value();
         });
}

std::vector<std::string> ChartHeader(const LatheProfile& profile,
                                     const std::vector<ChartRow>& rows) {
  std::string set = GearList(profile.gears);
  for (const auto& [a, b] : profile.keyed)
    set += ", keyed " + std::to_string(a) + "/" + std::to_string(b);
  if (profile.first_driver) set += ", first driver " + std::to_string(*profile.first_driver);
  std::string dial = "no thread dial";
  if (profile.dial) {
    std::string teeth;
    for (int t : profile.dial->teeth) teeth += (teeth.empty() ? "" : " or ") + std::to_string(t);
    dial = "thread dial " + teeth + " teeth, " + std::to_string(profile.dial->marks) + " marks";
  }
  const std::string tolerance = profile.max_error_percent
                                    ? ShortestText(ToDouble(*profile.max_error_percent)) + " %"
                                    : "1 % (10 % for feeds)";
  return {(profile.name.empty() ? "Thread chart" : Printable(profile.name)),
          "Lead screw " + Printable(profile.leadscrew_text) + "; change gears " + set,
          std::string(profile.tumbler ? "Tumbler reverse" : "No tumbler reverse") + "; " + dial +
              "; tolerance " + tolerance + "; fit " + ChartFitLine(profile, rows),
          OneLine(kGearLegend)};
}

const char* const kAdviceRanking =
    "Ranked by lines gained (a train within the tolerance where a line had none, or exact where "
    "it was not), then fewer lines without a train, then the worst and the mean |error|.";

std::string WithoutTrainNote(const LatheProfile& profile, const AdviceResult& advice) {
  std::string note;
  for (const ChartRow& row : advice.without) {
    const auto [why, nearest] = NoChartTrainText(profile, row);
    note += (note.empty() ? "Without a train now: " : "; ") + Printable(row.thread->target) + " (" +
            why + (nearest.empty() ? "" : ", " + nearest) + ")";
  }
  return note.empty() ? note : note + ".";
}

CellTable AdviceCells(const AdviceResult& advice) {
  CellTable t;
  t.head = {"gear", "gained", "without train", "exact", "worst |error|", "mean |error|"};
  auto row = [&](const std::string& gear, const std::string& gained, const ChartSummary& s) {
    const bool any = s.AnyTrain();
    t.rows.push_back({gear, gained, std::to_string(s.without_train), std::to_string(s.exact),
                      any ? Percent(s.worst) : "no train", any ? Percent(s.mean) : "no train"});
  };
  row("(now)", "-", advice.before);
  for (const GearAdvice& a : advice.best)
    row("+" + std::to_string(a.teeth), std::to_string(a.after.gained), a.after);
  return t;
}

}  // namespace cog
