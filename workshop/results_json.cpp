#include "workshop/results_json.h"

#include <nlohmann/json.hpp>

#include "workshop/row_numbers.h"

namespace cog {
namespace {

using json = nlohmann::json;

// Texts from the command line may be any bytes; invalid UTF-8 is replaced
// rather than refused, so that output never fails.
std::string Dump(const json& value) {
  return value.dump(-1, ' ', false, json::error_handler_t::replace) + "\n";
}

json GearboxName(const LatheProfile& profile, int gearbox) {
  if (gearbox < 0) return nullptr;
  return profile.gearbox[static_cast<std::size_t>(gearbox)].name;
}

json Row(const LatheProfile& profile, const TrainRow& row, const Target* target,
         const Fraction& length_mm) {
  json out = {{"kind", KindName(row.kind)},
              {"gears", row.gears},
              {"gearbox", GearboxName(profile, row.gearbox)},
              {"ratio", FractionText(row.ratio)}};
  const RowNumbers n = NumbersOf(row, target ? target->lead : Lead{}, length_mm);
  out["lead_mm"] = n.lead_mm;
  out["tpi"] = n.tpi;
  if (target) {
    out["error"] = n.error;
    out["exact"] = n.exact;
    out["error_per_thread_um"] = n.error_per_thread_um;
    out["drift_um"] = n.drift_um;
  }
  out["fits"] = row.fits ? json(*row.fits) : json(nullptr);
  return out;
}

json TargetJson(const Target& target) {
  return {{"text", target.text},
          {"lead_mm", static_cast<double>(target.lead.approx_mm)},
          {"starts", target.starts}};
}

json Summary(const ChartSummary& s) {
  return {{"threads", s.threads},
          {"without_train", s.without_train},
          {"worst_error", static_cast<double>(s.worst)},
          {"mean_error", static_cast<double>(s.mean)}};
}

}  // namespace

const char* KindName(TrainKind kind) {
  switch (kind) {
    case TrainKind::kSimple:
      return "simple";
    case TrainKind::kCompound:
      return "compound";
    case TrainKind::kSix:
      return "six";
  }
  return "?";
}

std::string ThreadResultJson(const LatheProfile& profile, const Target& target,
                             const std::vector<TrainRow>& rows, const Fraction& length_mm) {
  json trains = json::array();
  for (const TrainRow& row : rows) trains.push_back(Row(profile, row, &target, length_mm));
  return Dump({{"target", TargetJson(target)},
               {"fit_checked", profile.geometry.has_value()},
               {"trains", std::move(trains)}});
}

std::string TrainReportJson(const LatheProfile& profile, const std::vector<TrainRow>& positions,
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
  return Dump({{"train", {{"kind", KindName(first.kind)}, {"gears", first.gears}}},
               {"in_set", in_set},
               {"fit_checked", profile.geometry.has_value() && first.kind != TrainKind::kSix},
               {"rules", std::move(rule_list)},
               {"target", target ? TargetJson(*target) : json(nullptr)},
               {"positions", std::move(rows)}});
}

std::string ChartJson(const LatheProfile& profile, const std::vector<ChartRow>& rows,
                      const Fraction& length_mm) {
  json list = json::array();
  for (const ChartRow& row : rows)
    list.push_back(
        {{"series", row.series->name},
         {"size", row.thread->size},
         {"target", row.thread->target},
         {"lead_mm", static_cast<double>(row.target.lead.approx_mm)},
         {"train", row.best ? Row(profile, *row.best, &row.target, length_mm) : json(nullptr)}});
  return Dump({{"fit_checked", profile.geometry.has_value()}, {"rows", std::move(list)}});
}

std::string AdviceJson(const AdviceResult& advice) {
  json candidates = json::array();
  for (const GearAdvice& a : advice.best)
    candidates.push_back({{"teeth", a.teeth}, {"after", Summary(a.after)}});
  return Dump({{"before", Summary(advice.before)}, {"candidates", std::move(candidates)}});
}

}  // namespace cog
