#include "report/report_csv.h"

#include "gears/fraction_text.h"
#include "lathe/defaults.h"
#include "lathe/row_facts.h"
#include "report/figure_text.h"
#include "report/row_numbers.h"

namespace cog {
namespace {

// kind,gears,gearbox,ratio,lead_mm,tpi (none for a feed)
std::string TrainFields(const LatheProfile& profile, const TrainRow& row, const RowNumbers& n,
                        bool feed) {
  return std::string(KindName(row.kind)) + ',' + GearList(row.gears) + ',' +
         CsvCell(GearboxName(profile, row.gearbox)) + ',' + FractionText(row.ratio) + ',' +
         ShortestText(n.lead_mm) + ',' + (feed ? "" : ShortestText(n.tpi));
}

// error_fraction,exact,error_per_thread_um,drift_um,within
std::string ErrorFields(const RowNumbers& n, bool feed, bool within) {
  return ShortestText(n.error) + ',' + (n.exact ? "true" : "false") + ',' +
         (feed ? "," : ShortestText(n.error_per_thread_um) + ',' + ShortestText(n.drift_um)) + ',' +
         (within ? "true" : "false");
}

// tumbler,dial_teeth,dial_every
std::string LatheFields(const RowFacts& facts) {
  const std::string tumbler = !facts.tumbler                       ? ""
                              : *facts.tumbler == Tumbler::kNormal ? "normal"
                                                                   : "reversed";
  if (!facts.dial || facts.dial->every == 0) return tumbler + ",,";
  return tumbler + ',' + std::to_string(facts.dial->teeth) + ',' +
         std::to_string(facts.dial->every);
}

// cuts,cuts_target_hand,dial: the hand cut, whether it is the one asked for
// (empty without a target), and the dial as a machinist reads it (empty
// without a dial), so that "keep the half-nut closed" is never a blank.
std::string HandAndDialFields(const LatheProfile& profile, const RowFacts& facts, bool asked) {
  return std::string(HandName(facts.cuts)) + ',' +
         (asked ? (facts.target_hand ? "true" : "false") : "") + ',' +
         (facts.dial ? CsvCell(DialText(*profile.dial, *facts.dial)) : "");
}

}  // namespace

std::string ThreadCsv(const LatheProfile& profile, const Target& target,
                      const std::vector<TrainRow>& rows, const Fraction& length_mm) {
  std::string out =
      "rank,kind,gears,gearbox,ratio,lead_mm,tpi,error_fraction,exact,error_per_thread_um,"
      "drift_um,within,fits,tumbler,dial_teeth,dial_every,cuts,cuts_target_hand,dial\n";
  const bool feed = IsFeed(target.unit);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const RowNumbers n = NumbersOf(rows[i], target.lead, length_mm);
    const RowFacts facts = FactsOf(profile, target, rows[i]);
    out += std::to_string(i + 1) + ',' + TrainFields(profile, rows[i], n, feed) + ',' +
           ErrorFields(n, feed, facts.within) + ',' + CsvBool(rows[i].fits) + ',' +
           LatheFields(facts) + ',' + HandAndDialFields(profile, facts, true) + '\n';
  }
  return out;
}

std::string TrainCsv(const LatheProfile& profile, const std::vector<TrainRow>& positions,
                     const Target* target, const Fraction& length_mm) {
  std::string out =
      "kind,gears,gearbox,ratio,lead_mm,tpi,error_fraction,exact,error_per_thread_um,drift_um,"
      "within,fits,tumbler,dial_teeth,dial_every,cuts,cuts_target_hand,dial\n";
  const Target plain;
  const Target& cut = target ? *target : plain;
  const bool feed = IsFeed(cut.unit);
  for (const TrainRow& row : positions) {
    const RowNumbers n = NumbersOf(row, cut.lead, length_mm);
    const RowFacts facts = FactsOf(profile, cut, row);
    out += TrainFields(profile, row, n, feed) + ',' +
           (target ? ErrorFields(n, feed, facts.within) : ",,,,") + ',' + CsvBool(row.fits) + ',' +
           LatheFields(facts) + ',' + HandAndDialFields(profile, facts, target != nullptr) + '\n';
  }
  return out;
}

std::string ChartCsv(const LatheProfile& profile, const std::vector<ChartRow>& rows) {
  std::string out =
      "series,sizes,target,kind,gears,gearbox,error_fraction,exact,within,fits,tumbler,"
      "dial_teeth,dial_every,cuts,cuts_target_hand,dial,lead_mm,fit_checked\n";
  for (const ChartRow& row : rows) {
    std::string sizes;
    for (const ThreadEntry* t : row.sizes)
      sizes += (sizes.empty() ? "" : " ") + std::string(t->size);
    out += std::string(row.series->name) + ',' + CsvCell(sizes) + ',' + CsvCell(row.thread->target);
    // A line beyond the tolerance shows its nearest train, not within it.
    const std::optional<TrainRow>& train = row.best ? row.best : row.nearest;
    if (train) {
      const RowNumbers n = NumbersOf(*train, row.target.lead, kDriftLengthMm);
      const RowFacts facts = FactsOf(profile, row.target, *train);
      out += std::string(",") + KindName(train->kind) + ',' + GearList(train->gears) + ',' +
             CsvCell(GearboxName(profile, train->gearbox)) + ',' + ShortestText(n.error) + ',' +
             (n.exact ? "true" : "false") + ',' + (row.best ? "true" : "false") + ',' +
             CsvBool(train->fits) + ',' + LatheFields(facts) + ',' +
             HandAndDialFields(profile, facts, true);
    } else {
      out += ",,,,,,,,,,,,,";
    }
    // The lead as a figure beside the name typed, and whether the shown
    // train's fit was checked.
    out += ',' + ShortestText(static_cast<double>(row.target.lead.approx_mm)) + ',' +
           (train ? (train->fits ? "true" : "false") : "") + '\n';
  }
  return out;
}

std::string AdviceCsv(const AdviceResult& advice) {
  std::string out = "teeth,threads,without_train,worst_error,mean_error,exact,gained\n";
  auto line = [&](const std::string& teeth, const ChartSummary& s) {
    const bool any = s.AnyTrain();
    out += teeth + ',' + std::to_string(s.threads) + ',' + std::to_string(s.without_train) + ',' +
           (any ? ShortestText(static_cast<double>(s.worst)) : "") + ',' +
           (any ? ShortestText(static_cast<double>(s.mean)) : "") + ',' + std::to_string(s.exact) +
           ',' + std::to_string(s.gained) + '\n';
  };
  line("", advice.before);
  for (const GearAdvice& a : advice.best) line(std::to_string(a.teeth), a.after);
  return out;
}

}  // namespace cog
