#include "report/results_json.h"

#include "lathe/row_facts.h"
#include "numtext/quoted_text.h"
#include "report/figure_text.h"
#include "report/report_cells.h"
#include "report/results_tree.h"
#include "report/row_numbers.h"

namespace cog {
namespace {

using json = nlohmann::json;

json GearboxJson(const LatheProfile& profile, int gearbox) {
  if (gearbox < 0) return nullptr;
  return GearboxName(profile, gearbox);
}

json Row(const LatheProfile& profile, const TrainRow& row, const Target* target,
         const Fraction& length_mm) {
  json out = {{"kind", KindName(row.kind)},
              {"gears", row.gears},
              {"gearbox", GearboxJson(profile, row.gearbox)},
              {"ratio", FractionText(row.ratio)}};
  const Target plain;
  const Target& cut = target ? *target : plain;
  const bool feed = IsFeed(cut.unit);
  const RowNumbers n = NumbersOf(row, cut.lead, length_mm);
  const RowFacts facts = FactsOf(profile, cut, row);
  out["lead_mm"] = n.lead_mm;
  out["tpi"] = feed ? json(nullptr) : json(n.tpi);
  if (target) {
    out["error"] = n.error;
    out["exact"] = n.exact;
    out["error_per_thread_um"] = feed ? json(nullptr) : json(n.error_per_thread_um);
    out["drift_um"] = feed ? json(nullptr) : json(n.drift_um);
    out["within"] = facts.within;
  }
  out["fits"] = row.fits ? json(*row.fits) : json(nullptr);
  out["cuts"] = HandName(facts.cuts);
  if (target) out["cuts_target_hand"] = facts.target_hand;
  out["tumbler"] = !facts.tumbler                       ? json(nullptr)
                   : *facts.tumbler == Tumbler::kNormal ? json("normal")
                                                        : json("reversed");
  out["dial"] = !facts.dial ? json(nullptr)
                : facts.dial->every == 0
                    ? json{{"teeth", nullptr}, {"every", nullptr}}
                    : json{{"teeth", facts.dial->teeth}, {"every", facts.dial->every}};
  return out;
}

json TargetJson(const Target& target) {
  json designation = nullptr;
  if (target.designation)
    designation = {{"series", target.designation->series->name},
                   {"size", target.designation->thread->size}};
  return {{"text", target.text},
          {"lead_mm", static_cast<double>(target.lead.approx_mm)},
          {"starts", target.starts},
          {"hand", HandName(target.hand)},
          {"designation", designation}};
}

json Summary(const ChartSummary& s) {
  return {{"threads", s.threads},
          {"without_train", s.without_train},
          {"exact", s.exact},
          {"worst_error", s.AnyTrain() ? json(static_cast<double>(s.worst)) : json(nullptr)},
          {"mean_error", s.AnyTrain() ? json(static_cast<double>(s.mean)) : json(nullptr)},
          {"gained", s.gained}};
}

}  // namespace

namespace {

// Texts from the command line and from files may be any bytes; invalid UTF-8
// is replaced rather than refused, so that output never fails, and what
// would steer a viewer of the text is written as an escape.
template <class Tree>
std::string DumpLine(const Tree& value) {
  return SteeringEscaped(value.dump(-1, ' ', false, Tree::error_handler_t::replace)) + "\n";
}

}  // namespace

std::string Dump(const json& value) { return DumpLine(value); }

std::string Dump(const nlohmann::ordered_json& value) { return DumpLine(value); }

std::string ErrorJson(const std::string& input, const std::string& text) {
  return Dump(json{{"error", text}, {"input", input}});
}

json ThreadResultTree(const LatheProfile& profile, const Target& target,
                      const std::vector<TrainRow>& rows, const Fraction& length_mm) {
  json trains = json::array();
  for (const TrainRow& row : rows) trains.push_back(Row(profile, row, &target, length_mm));
  return {{"target", TargetJson(target)},
          {"fit_checked", profile.geometry.has_value()},
          {"trains", std::move(trains)}};
}

json TrainReportTree(const LatheProfile& profile, const std::vector<TrainRow>& positions,
                     const std::vector<FitRule>& rules, bool in_set, const Target* target,
                     const Fraction& length_mm) {
  json rule_list = json::array();
  for (const FitRule& rule : rules)
    rule_list.push_back({{"id", rule.id},
                         {"text", rule.text},
                         {"margin_mm", ToDouble(rule.margin_mm)},
                         {"ok", rule.margin_mm.num >= 0}});
  json rows = json::array();
  for (const TrainRow& row : positions) rows.push_back(Row(profile, row, target, length_mm));
  const TrainRow& first = positions.front();
  return {{"train", {{"kind", KindName(first.kind)}, {"gears", first.gears}}},
          {"in_set", in_set},
          {"fit_checked", profile.geometry.has_value() && first.kind != TrainKind::kSix},
          {"rules", std::move(rule_list)},
          {"target", target ? TargetJson(*target) : json(nullptr)},
          {"positions", std::move(rows)}};
}

json ChartTree(const LatheProfile& profile, const std::vector<ChartRow>& rows,
               const Fraction& length_mm) {
  json list = json::array();
  for (const ChartRow& row : rows) {
    json sizes = json::array();
    for (const ThreadEntry* t : row.sizes) sizes.push_back(t->size);
    list.push_back(
        {{"series", row.series->name},
         {"size", row.thread->size},
         {"sizes", std::move(sizes)},
         {"target", row.thread->target},
         {"lead_mm", static_cast<double>(row.target.lead.approx_mm)},
         {"train", row.best ? Row(profile, *row.best, &row.target, length_mm) : json(nullptr)},
         {"nearest",
          row.nearest ? Row(profile, *row.nearest, &row.target, length_mm) : json(nullptr)}});
  }
  return {{"fit_checked", EveryLineFitChecked(profile, rows)}, {"rows", std::move(list)}};
}

json AdviceTree(const AdviceResult& advice) {
  json candidates = json::array();
  for (const GearAdvice& a : advice.best)
    candidates.push_back({{"teeth", a.teeth}, {"after", Summary(a.after)}});
  return {{"before", Summary(advice.before)}, {"candidates", std::move(candidates)}};
}

std::string ThreadResultJson(const LatheProfile& profile, const Target& target,
                             const std::vector<TrainRow>& rows, const Fraction& length_mm) {
  return Dump(ThreadResultTree(profile, target, rows, length_mm));
}

std::string TrainReportJson(const LatheProfile& profile, const std::vector<TrainRow>& positions,
                            const std::vector<FitRule>& rules, bool in_set, const Target* target,
                            const Fraction& length_mm) {
  return Dump(TrainReportTree(profile, positions, rules, in_set, target, length_mm));
}

std::string ChartJson(const LatheProfile& profile, const std::vector<ChartRow>& rows,
                      const Fraction& length_mm) {
  return Dump(ChartTree(profile, rows, length_mm));
}

std::string AdviceJson(const AdviceResult& advice) { return Dump(AdviceTree(advice)); }

}  // namespace cog
