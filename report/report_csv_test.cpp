// The CSV writers against rows worked by hand on a small lathe, read back by
// a CSV reader of the test's own: every line has its header's fields, and a
// name from the user comes back as typed (or with the apostrophe that stops a
// spreadsheet reading it as a formula), whatever it holds.

#include "report/report_csv.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

#include "report/testing/small_lathe.h"

namespace cog {
namespace {

using namespace cog::testing;
using Records = std::vector<std::vector<std::string>>;

// RFC 4180 as a spreadsheet reads it: a quoted field may hold anything, a
// doubled quote is one quote, and outside quotes a line feed or a carriage
// return ends the record, so an unquoted line break shows as a broken row.
Records ReadCsv(const std::string& text) {
  Records records;
  std::vector<std::string> record;
  std::string field;
  bool in_quotes = false, was_quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (in_quotes) {
      if (c != '"') {
        field += c;
      } else if (i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else {
        in_quotes = false;
      }
    } else if (c == '"') {
      EXPECT_TRUE(field.empty() && !was_quoted) << "a quote inside an unquoted field: " << text;
      in_quotes = was_quoted = true;
    } else if (c == ',' || c == '\n' || c == '\r') {
      record.push_back(field);
      field.clear();
      was_quoted = false;
      if (c != ',') records.push_back(std::move(record)), record.clear();
    } else {
      field += c;
    }
  }
  EXPECT_TRUE(!in_quotes && field.empty() && record.empty()) << "no line break at the end";
  return records;
}

// Worked in small_lathe.h; at B every lead halves.
TEST(ReportCsv, HandWorkedLines) {
  const LatheProfile p = SmallLathe();
  const Target mm1 = TargetOf("1mm"), feed = TargetOf("0.5mm/rev");
  const std::vector<ChartRow> chart = OddChart(p);
  ChartRow no_train = chart.back();
  no_train.nearest.reset();
  struct {
    std::string csv;
    std::vector<std::string> lines;
  } cases[] = {
      {ThreadCsv(p, mm1, {Row(p, {20, 30, 40}, 0, mm1)}, Whole(25)),
       {"rank,kind,gears,gearbox,ratio,lead_mm,tpi,error_fraction,exact,error_per_thread_um,"
        "drift_um,within,fits,tumbler,dial_teeth,dial_every,cuts,cuts_target_hand,dial",
        "1,simple,20 30 40,A,1/2,1,25.4,0,true,0,0,true,,normal,16,1,right,true,any mark"}},
      {ThreadCsv(p, feed, {Row(p, {20, 40, 30, 60}, 0, feed)}, Whole(25)),
       {"rank,kind,gears,gearbox,ratio,lead_mm,tpi,error_fraction,exact,error_per_thread_um,"
        "drift_um,within,fits,tumbler,dial_teeth,dial_every,cuts,cuts_target_hand,dial",
        "1,compound,20 40 30 60,A,1/4,0.5,,0,true,,,true,,normal,,,right,true,"}},
      {TrainCsv(p, {Row(p, {20, 30, 40}, 0, mm1), Row(p, {20, 30, 40}, 1, mm1)}, nullptr,
                Whole(25)),
       {"kind,gears,gearbox,ratio,lead_mm,tpi,error_fraction,exact,error_per_thread_um,drift_um,"
        "within,fits,tumbler,dial_teeth,dial_every,cuts,cuts_target_hand,dial",
        "simple,20 30 40,A,1/2,1,25.4,,,,,,,normal,16,1,right,,any mark",
        "simple,20 30 40,B,1/4,0.5,50.8,,,,,,,normal,16,1,right,,any mark"}},
      {TrainCsv(p, {Row(p, {20, 40, 30, 60}, 0, feed)}, &feed, Whole(25)),
       {"kind,gears,gearbox,ratio,lead_mm,tpi,error_fraction,exact,error_per_thread_um,drift_um,"
        "within,fits,tumbler,dial_teeth,dial_every,cuts,cuts_target_hand,dial",
        "compound,20 40 30 60,A,1/4,0.5,,0,true,,,true,,normal,,,right,true,"}},
      // The shared lead is one line; the line beyond the tolerance keeps its
      // nearest train (its error checked below); without one, empty fields.
      {ChartCsv(p, {chart[0], no_train}),
       {"series,sizes,target,kind,gears,gearbox,error_fraction,exact,within,fits,tumbler,"
        "dial_teeth,dial_every,cuts,cuts_target_hand,dial,lead_mm,fit_checked",
        "odd,P Q,1mm,simple,20 30 40,A,0,true,true,,normal,16,1,right,true,any mark,1,false",
        "odd,R,1.01mm,,,,,,,,,,,,,,1.01,"}},
  };
  for (const auto& c : cases) {
    std::string want;
    for (const std::string& line : c.lines) want += line + "\n";
    EXPECT_EQ(want, c.csv);
  }

  // 30 -> 40 cuts 1.5 mm: 32 / 1.5 spindle turns a dial turn is not whole, so
  // no mark lets the half-nut open: the dial's figures stay empty and its words
  // say to keep the half-nut closed.
  const Records no_mark = ReadCsv(ThreadCsv(p, mm1, {Row(p, {30, 20, 40}, 0, mm1)}, Whole(25)));
  ASSERT_EQ(2u, no_mark.size());
  EXPECT_EQ(
      (std::vector<std::string>{"normal", "", "", "right", "true", "keep the half-nut closed"}),
      std::vector<std::string>(no_mark[1].end() - 6, no_mark[1].end()));

  ASSERT_EQ(2u, chart.size());
  const Records beyond = ReadCsv(ChartCsv(p, chart));
  ASSERT_EQ(3u, beyond.size());
  const std::vector<std::string> nearest = {
      "odd", "R",      "1.01mm", "simple", "20 30 40", "A",    "",         "false", "false",
      "",    "normal", "16",     "1",      "right",    "true", "any mark", "1.01",  "false"};
  std::vector<std::string> got = beyond[2];
  ASSERT_EQ(nearest.size(), got.size());
  EXPECT_EQ(-1.0 / 101, std::strtod(got[6].c_str(), nullptr)) << got[6];  // 1/1.01 - 1
  got[6].clear();
  EXPECT_EQ(nearest, got);
}

TEST(ReportCsv, AdviceLines) {
  AdviceResult advice;
  advice.before = {4, 2, 1, 0.25, 0.125};
  advice.best = {{127, {4, 0, 3, 0.0625, 0.03125, 3}}, {40, {4, 1, 2, 0.5, 0.375, 1}}};
  EXPECT_EQ(
      "teeth,threads,without_train,worst_error,mean_error,exact,gained\n"
      ",4,2,0.25,0.125,1,0\n127,4,0,0.0625,0.03125,3,3\n40,4,1,0.5,0.375,2,1\n",
      AdviceCsv(advice));
  // No train on any line: no worst nor mean to give.
  advice.before = {4, 4, 0, 0, 0};
  advice.best.clear();
  EXPECT_EQ("teeth,threads,without_train,worst_error,mean_error,exact,gained\n,4,4,,,0,0\n",
            AdviceCsv(advice));
}

// Every writer, thread and feed, with and without a target, rows within and
// beyond the tolerance and without a train: every line as long as its header.
TEST(ReportCsv, EveryLineHasItsHeadersFields) {
  const LatheProfile p = SmallLathe(), plain = PlainLathe();
  std::vector<ChartRow> chart = OddChart(p);
  chart.push_back(chart.back());
  chart.back().nearest.reset();
  AdviceResult advice;
  advice.best.resize(3);
  std::vector<std::string> outputs = {ChartCsv(p, chart), ChartCsv(plain, OddChart(plain)),
                                      AdviceCsv(advice), AdviceCsv({})};
  for (const LatheProfile* lathe : {&p, &plain}) {
    const int box = lathe->gearbox.empty() ? -1 : 1;
    for (const char* text : {"1mm", "1.3mm", "0.5mm/rev", "0.33mm/rev", "mod0.5", "20tpi LH"}) {
      const Target t = TargetOf(text);
      const std::vector<TrainRow> rows = {Row(*lathe, {20, 30, 40}, box, t),
                                          Row(*lathe, {20, 40, 30, 60}, box, t),
                                          Row(*lathe, {20, 40, 30, 60, 20, 40}, box, t)};
      outputs.push_back(ThreadCsv(*lathe, t, rows, Whole(25)));
      outputs.push_back(TrainCsv(*lathe, rows, &t, Whole(25)));
      outputs.push_back(TrainCsv(*lathe, rows, nullptr, Whole(25)));
    }
  }
  for (const std::string& csv : outputs) {
    const Records records = ReadCsv(csv);
    ASSERT_FALSE(records.empty());
    for (std::size_t i = 1; i < records.size(); ++i)
      EXPECT_EQ(records[0].size(), records[i].size()) << "line " << i + 1 << " of\n" << csv;
  }
}

// A gearbox position's name, typed by the user, in every writer that shows it:
// read back as typed, but with no control character (escaped as \xNN, as text
// output writes them) and no formula.
TEST(ReportCsv, NamesComeBackAsTyped) {
  const struct {
    const char* name;
    const char* field;  // as a spreadsheet reads it back
  } cases[] = {
      {"X\rY", "X\\x0dY"},
      {"X\nY", "X\\x0aY"},
      {"X\r\nY", "X\\x0d\\x0aY"},
      {"say \"B\"", "say \"B\""},
      {"1,2", "1,2"},
      {"=A1+1", "'=A1+1"},
      {"+A", "'+A"},
      {"-A", "'-A"},
      {"@SUM", "'@SUM"},
      {"\tA", "\\x09A"},
      {"\x1b[2J", "\\x1b[2J"},
      {"=\"a,b\"", "'=\"a,b\""},
      {"B=1", "B=1"},
      {"", ""},
  };
  for (const auto& c : cases) {
    LatheProfile p = SmallLathe();
    p.gearbox[0].name = c.name;
    const Target t = TargetOf("1mm");
    const std::vector<TrainRow> rows = {Row(p, {20, 30, 40}, 0, t), Row(p, {20, 30, 40}, 1, t)};
    const std::vector<ChartRow> chart = OddChart(p);
    // (writer, field index of the gearbox, lines expected)
    const std::tuple<std::string, std::size_t, std::size_t> outputs[] = {
        {ThreadCsv(p, t, rows, Whole(25)), 3, 3},
        {TrainCsv(p, rows, &t, Whole(25)), 2, 3},
        {TrainCsv(p, rows, nullptr, Whole(25)), 2, 3},
        {ChartCsv(p, chart), 5, 3},
    };
    for (const auto& [csv, column, lines] : outputs) {
      const Records records = ReadCsv(csv);
      ASSERT_EQ(lines, records.size()) << c.name << "\n" << csv;
      ASSERT_EQ(records[0].size(), records[1].size()) << csv;
      EXPECT_EQ(c.field, records[1][column]) << csv;
      EXPECT_EQ("gearbox", records[0][column]);
    }
  }
}

}  // namespace
}  // namespace cog
