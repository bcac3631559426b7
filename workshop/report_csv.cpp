#include "workshop/report_csv.h"

#include "workshop/figure_text.h"
#include "workshop/fraction_text.h"
#include "workshop/row_numbers.h"

namespace cog {
namespace {

// kind,gears,gearbox,ratio,lead_mm,tpi
std::string TrainFields(const LatheProfile& profile, const TrainRow& row, const RowNumbers& n) {
  return std::string(KindName(row.kind)) + ',' + GearList(row.gears) + ',' +
         CsvCell(GearboxName(profile, row.gearbox)) + ',' + FractionText(row.ratio) + ',' +
         ShortestText(n.lead_mm) + ',' + ShortestText(n.tpi);
}

// error,exact,error_per_thread_um,drift_um
std::string ErrorFields(const RowNumbers& n) {
  return ShortestText(n.error) + ',' + (n.exact ? "true" : "false") + ',' +
         ShortestText(n.error_per_thread_um) + ',' + ShortestText(n.drift_um);
}

}  // namespace

std::string ThreadCsv(const LatheProfile& profile, const Target& target,
                      const std::vector<TrainRow>& rows, const Fraction& length_mm) {
  std::string out =
      "rank,kind,gears,gearbox,ratio,lead_mm,tpi,error,exact,error_per_thread_um,drift_um,fits\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const RowNumbers n = NumbersOf(rows[i], target.lead, length_mm);
    out += std::to_string(i + 1) + ',' + TrainFields(profile, rows[i], n) + ',' + ErrorFields(n) +
           ',' + CsvBool(rows[i].fits) + '\n';
  }
  return out;
}

std::string TrainCsv(const LatheProfile& profile, const std::vector<TrainRow>& positions,
                     const Target* target, const Fraction& length_mm) {
  std::string out = "kind,gears,gearbox,ratio,lead_mm,tpi,error,exact,error_per_thread_um,drift_um,fits\n";
  for (const TrainRow& row : positions) {
    const RowNumbers n = NumbersOf(row, target ? target->lead : Lead{}, length_mm);
    out += TrainFields(profile, row, n) + ',' + (target ? ErrorFields(n) : ",,,") + ',' +
           CsvBool(row.fits) + '\n';
  }
  return out;
}

std::string ChartCsv(const LatheProfile& profile, const std::vector<ChartRow>& rows) {
  std::string out = "series,size,target,kind,gears,gearbox,error,exact,fits\n";
  for (const ChartRow& row : rows) {
    out += std::string(row.series->name) + ',' + CsvCell(row.thread->size) + ',' +
           row.thread->target;
    if (row.best) {
      const RowNumbers n = NumbersOf(*row.best, row.target.lead, Whole(25));
      out += std::string(",") + KindName(row.best->kind) + ',' + GearList(row.best->gears) + ',' +
             CsvCell(GearboxName(profile, row.best->gearbox)) + ',' + ShortestText(n.error) + ',' +
             (n.exact ? "true" : "false") + ',' + CsvBool(row.best->fits);
    } else {
      out += ",,,,,,";
    }
    out += '\n';
  }
  return out;
}

std::string AdviceCsv(const AdviceResult& advice) {
  std::string out = "teeth,threads,without_train,worst_error,mean_error\n";
  auto line = [&](const std::string& teeth, const ChartSummary& s) {
    out += teeth + ',' + std::to_string(s.threads) + ',' + std::to_string(s.without_train) + ',' +
           ShortestText(static_cast<double>(s.worst)) + ',' +
           ShortestText(static_cast<double>(s.mean)) + '\n';
  };
  line("", advice.before);
  for (const GearAdvice& a : advice.best) line(std::to_string(a.teeth), a.after);
  return out;
}

}  // namespace cog
