#include "app/workshop_format.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "workshop/fraction_text.h"
#include "workshop/results_json.h"
#include "workshop/row_numbers.h"

namespace cog {
namespace {

// Fixed-point text; "+" on positive values when signed.
std::string Fixed(double value, int decimals, bool sign = false) {
  const std::string text = FixedText(value, decimals);
  const bool shown_zero = text.find_first_not_of("-0.") == std::string::npos;
  return sign && value > 0 && !shown_zero ? "+" + text : text;
}

std::string Percent(const RowNumbers& n) {
  return n.exact ? "exact" : Fixed(n.error * 100, 4, true) + "%";
}

std::string Join(const std::vector<int>& gears, const char* separator = " ") {
  std::string text;
  for (int g : gears) text += (text.empty() ? "" : separator) + std::to_string(g);
  return text;
}

std::string GearboxText(const LatheProfile& profile, int gearbox) {
  return gearbox < 0 ? "" : profile.gearbox[static_cast<std::size_t>(gearbox)].name;
}

std::string FitsText(const std::optional<bool>& fits) { return !fits ? "-" : *fits ? "yes" : "NO"; }

// Columns padded to their widest cell, two blanks apart.
class Table {
 public:
  void Add(std::vector<std::string> row) { rows_.push_back(std::move(row)); }

  void Print(std::ostream& out, const std::string& indent = "  ") const {
    std::vector<std::size_t> widths;
    for (const auto& row : rows_) {
      widths.resize(std::max(widths.size(), row.size()));
      for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], row[i].size());
    }
    for (const auto& row : rows_) {
      std::string line = indent;
      for (std::size_t i = 0; i < row.size(); ++i)
        line +=
            row[i] + (i + 1 < row.size() ? std::string(widths[i] - row[i].size() + 2, ' ') : "");
      out << line << '\n';
    }
  }

 private:
  std::vector<std::vector<std::string>> rows_;
};

void PrintLathe(std::ostream& out, const LatheProfile& profile) {
  out << "Lathe        " << (profile.name.empty() ? "" : profile.name + ": ") << "lead screw "
      << profile.leadscrew_text << ", " << profile.gears.size() << (profile.gears.size() == 1 ? " gear" : " gears");
  if (profile.gearbox.size() > 0) out << ", gearbox of " << profile.gearbox.size();
  out << '\n';
  if (profile.geometry) {
    out << "Fit          checked: module " << ShortestText(ToDouble(profile.geometry->module))
        << ", centre distance " << ShortestText(ToDouble(profile.geometry->centre_distance))
        << " mm\n";
  } else {
    out << "Fit          not checked (the profile gives no module and centre distance)\n";
  }
}

void PrintTarget(std::ostream& out, const Target& target) {
  out << "Target       " << target.text << ": lead "
      << Fixed(static_cast<double>(target.lead.approx_mm), 6) << " mm per spindle turn";
  if (target.starts > 1) out << " (" << target.starts << " starts)";
  out << (target.lead.exact ? "" : ", not exact (involves pi)") << '\n';
}

std::string CsvText(const std::string& text) {
  if (text.find_first_of(",\"\n\r") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string HtmlText(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace

void PrintThreadText(std::ostream& out, const LatheProfile& profile, const Target& target,
                     const std::vector<TrainRow>& rows, const Fraction& length_mm, bool all) {
  PrintTarget(out, target);
  PrintLathe(out, profile);
  out << '\n';
  if (rows.empty()) {
    out << (all ? "No train of this set cuts it.\n"
                : "No train of this set fits on the banjo (--all shows those that do not).\n");
    return;
  }
  Table table;
  const std::string drift = "drift um/" + ShortestText(ToDouble(length_mm)) + "mm";
  table.Add({"#", "kind", "gears", "gearbox", "ratio", "lead mm", "tpi", "error", "um/thread",
             drift, "fits"});
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TrainRow& row = rows[i];
    const RowNumbers n = NumbersOf(row, target.lead, length_mm);
    table.Add({std::to_string(i + 1), KindName(row.kind), Join(row.gears),
               GearboxText(profile, row.gearbox).empty() ? "-" : GearboxText(profile, row.gearbox),
               FractionText(row.ratio), Fixed(n.lead_mm, 5), Fixed(n.tpi, 3), Percent(n),
               Fixed(n.error_per_thread_um, 3, true), Fixed(n.drift_um, 2, true),
               FitsText(row.fits)});
  }
  table.Print(out, "");
  out << "\nGears: simple A I D (driver, idler, driven); compound A B C D (A drives B,\n"
         "C on B's shaft drives D on the lead screw); six A B C D E F.\n";
}

void PrintThreadCsv(std::ostream& out, const LatheProfile& profile, const Target& target,
                    const std::vector<TrainRow>& rows, const Fraction& length_mm) {
  out << "rank,kind,gears,gearbox,ratio,lead_mm,tpi,error,exact,error_per_thread_um,drift_um,"
         "fits\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TrainRow& row = rows[i];
    const RowNumbers n = NumbersOf(row, target.lead, length_mm);
    out << i + 1 << ',' << KindName(row.kind) << ',' << Join(row.gears) << ','
        << CsvText(GearboxText(profile, row.gearbox)) << ',' << FractionText(row.ratio) << ','
        << ShortestText(n.lead_mm) << ',' << ShortestText(n.tpi) << ',' << ShortestText(n.error)
        << ',' << (n.exact ? "true" : "false") << ',' << ShortestText(n.error_per_thread_um) << ','
        << ShortestText(n.drift_um) << ',' << (row.fits ? (*row.fits ? "true" : "false") : "")
        << '\n';
  }
}

void PrintTrainText(std::ostream& out, const LatheProfile& profile,
                    const std::vector<TrainRow>& positions, const std::vector<FitRule>& rules,
                    bool in_set, const Target* target, const Fraction& length_mm) {
  const TrainRow& first = positions.front();
  out << "Train        " << KindName(first.kind) << ' ' << Join(first.gears) << "   ("
      << (first.kind == TrainKind::kSimple     ? "A I D"
          : first.kind == TrainKind::kCompound ? "A B C D"
                                               : "A B C D E F")
      << ")\n";
  if (target) PrintTarget(out, *target);
  PrintLathe(out, profile);
  if (!in_set) out << "Note         your set does not hold all of these gears\n";
  out << '\n';
  Table table;
  table.Add({"gearbox", "ratio", "lead mm", "tpi", target ? "error" : "", target ? "um/thread" : "",
             target ? "drift um/" + ShortestText(ToDouble(length_mm)) + "mm" : ""});
  for (const TrainRow& row : positions) {
    const RowNumbers n = NumbersOf(row, target ? target->lead : Lead{}, length_mm);
    const std::string name = GearboxText(profile, row.gearbox);
    table.Add({name.empty() ? "-" : name, FractionText(row.ratio), Fixed(n.lead_mm, 5),
               Fixed(n.tpi, 3), target ? Percent(n) : "",
               target ? Fixed(n.error_per_thread_um, 3, true) : "",
               target ? Fixed(n.drift_um, 2, true) : ""});
  }
  table.Print(out, "");
  if (first.kind == TrainKind::kSix || !profile.geometry) {
    out << "\nFit: not checked" << (profile.geometry ? " for six-gear trains" : "") << ".\n";
    return;
  }
  out << "\nFit: " << (first.fits == true ? "fits" : "DOES NOT FIT") << "\n";
  Table fit;
  for (const FitRule& rule : rules)
    fit.Add({rule.margin_mm.num >= 0 ? "ok" : "SHORT", rule.text,
             Fixed(ToDouble(rule.margin_mm), 3, true) + " mm"});
  fit.Print(out);
}

void PrintTrainCsv(std::ostream& out, const LatheProfile& profile,
                   const std::vector<TrainRow>& positions, const Target* target,
                   const Fraction& length_mm) {
  out << "kind,gears,gearbox,ratio,lead_mm,tpi,error,exact,error_per_thread_um,drift_um,fits\n";
  for (const TrainRow& row : positions) {
    const RowNumbers n = NumbersOf(row, target ? target->lead : Lead{}, length_mm);
    out << KindName(row.kind) << ',' << Join(row.gears) << ','
        << CsvText(GearboxText(profile, row.gearbox)) << ',' << FractionText(row.ratio) << ','
        << ShortestText(n.lead_mm) << ',' << ShortestText(n.tpi) << ',';
    if (target) {
      out << ShortestText(n.error) << ',' << (n.exact ? "true" : "false") << ','
          << ShortestText(n.error_per_thread_um) << ',' << ShortestText(n.drift_um);
    } else {
      out << ",,,";
    }
    out << ',' << (row.fits ? (*row.fits ? "true" : "false") : "") << '\n';
  }
}

void PrintChart(std::ostream& out, ChartFormat format, const LatheProfile& profile,
                const std::vector<ChartRow>& rows) {
  const bool gearbox = !profile.gearbox.empty();
  auto cells = [&](const ChartRow& row) {
    std::vector<std::string> c = {row.thread->size, row.thread->target};
    if (!row.best) {
      c.insert(c.end(), {"no train fits", "", "", ""});
    } else {
      const RowNumbers n = NumbersOf(*row.best, row.target.lead, Whole(25));
      c.insert(c.end(), {Join(row.best->gears), GearboxText(profile, row.best->gearbox), Percent(n),
                         n.exact ? "yes" : "no"});
    }
    if (!gearbox) c.erase(c.begin() + 3);
    return c;
  };
  std::vector<std::string> head = {"size", "lead", "gears", "gearbox", "error", "exact"};
  if (!gearbox) head.erase(head.begin() + 3);

  if (format == ChartFormat::kCsv) {
    out << "series,size,target,kind,gears,gearbox,error,exact,fits\n";
    for (const ChartRow& row : rows) {
      out << row.series->name << ',' << CsvText(row.thread->size) << ',' << row.thread->target;
      if (row.best) {
        const RowNumbers n = NumbersOf(*row.best, row.target.lead, Whole(25));
        out << ',' << KindName(row.best->kind) << ',' << Join(row.best->gears) << ','
            << CsvText(GearboxText(profile, row.best->gearbox)) << ',' << ShortestText(n.error)
            << ',' << (n.exact ? "true" : "false") << ','
            << (row.best->fits ? (*row.best->fits ? "true" : "false") : "");
      } else {
        out << ",,,,,,";
      }
      out << '\n';
    }
    return;
  }
  if (format == ChartFormat::kHtml) {
    out << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n"
           "<title>Thread chart</title>\n<style>\n"
           "@page { size: A4; margin: 10mm; }\n"
           "body { font: 8pt/1.15 sans-serif; color: #000; background: #fff; margin: 0; }\n"
           "h1 { font-size: 11pt; margin: 0 0 2mm; } h2 { font-size: 9pt; margin: 2mm 0 1mm; }\n"
           "main { column-count: 2; column-gap: 6mm; }\n"
           "section { break-inside: avoid-column; }\n"
           "table { border-collapse: collapse; width: 100%; }\n"
           "th, td { border-bottom: 0.2mm solid #000; padding: 0.3mm 1mm; text-align: left; }\n"
           "</style></head><body>\n<h1>Thread chart: "
        << HtmlText(profile.name.empty() ? "lead screw " + profile.leadscrew_text : profile.name)
        << "</h1>\n<main>\n";
  }
  const ThreadSeries* current = nullptr;
  Table table;
  auto close_series = [&] {
    if (!current) return;
    if (format == ChartFormat::kText) table.Print(out);
    if (format == ChartFormat::kHtml) out << "</table></section>\n";
    out << (format == ChartFormat::kHtml ? "" : "\n");
  };
  for (const ChartRow& row : rows) {
    if (row.series != current) {
      close_series();
      current = row.series;
      table = Table();
      if (format == ChartFormat::kText) {
        out << current->title << '\n';
        table.Add(head);
      } else if (format == ChartFormat::kMarkdown) {
        out << "## " << current->title << "\n\n|";
        for (const auto& h : head) out << ' ' << h << " |";
        out << "\n|";
        for (std::size_t i = 0; i < head.size(); ++i) out << "---|";
        out << '\n';
      } else {
        out << "<section><h2>" << HtmlText(current->title) << "</h2><table><tr>";
        for (const auto& h : head) out << "<th>" << h << "</th>";
        out << "</tr>\n";
      }
    }
    const std::vector<std::string> c = cells(row);
    if (format == ChartFormat::kText) table.Add(c);
    if (format == ChartFormat::kMarkdown) {
      out << '|';
      for (const auto& cell : c) out << ' ' << cell << " |";
      out << '\n';
    }
    if (format == ChartFormat::kHtml) {
      out << "<tr>";
      for (const auto& cell : c) out << "<td>" << HtmlText(cell) << "</td>";
      out << "</tr>\n";
    }
  }
  close_series();
  if (format == ChartFormat::kHtml) out << "</main>\n</body></html>\n";
}

void PrintAdviceText(std::ostream& out, const AdviceResult& advice) {
  auto summary = [](const ChartSummary& s) -> std::vector<std::string> {
    return {std::to_string(s.without_train), Fixed(static_cast<double>(s.worst) * 100, 4) + "%",
            Fixed(static_cast<double>(s.mean) * 100, 4) + "%"};
  };
  out << "Chart of " << advice.before.threads << " threads.\n\n";
  Table table;
  table.Add({"gear", "without train", "worst |error|", "mean |error|"});
  std::vector<std::string> now = {"(now)"};
  for (auto& cell : summary(advice.before)) now.push_back(cell);
  table.Add(now);
  for (const GearAdvice& a : advice.best) {
    std::vector<std::string> row = {"+" + std::to_string(a.teeth)};
    for (auto& cell : summary(a.after)) row.push_back(cell);
    table.Add(row);
  }
  table.Print(out, "");
}

void PrintAdviceCsv(std::ostream& out, const AdviceResult& advice) {
  out << "teeth,threads,without_train,worst_error,mean_error\n";
  auto line = [&](const std::string& teeth, const ChartSummary& s) {
    out << teeth << ',' << s.threads << ',' << s.without_train << ','
        << ShortestText(static_cast<double>(s.worst)) << ','
        << ShortestText(static_cast<double>(s.mean)) << '\n';
  };
  line("", advice.before);
  for (const GearAdvice& a : advice.best) line(std::to_string(a.teeth), a.after);
}

}  // namespace cog
