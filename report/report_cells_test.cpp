// The cells the text, Markdown and HTML outputs and the page lay out, and the
// printable chart sheets made from them: rows worked by hand on the small
// lathe, every row as wide as its head, and a name from the user never
// reaching a sheet raw.

#include "report/report_cells.h"

#include <gtest/gtest.h>

#include "report/chart_sheet.h"
#include "report/figure_text.h"
#include "report/results_tree.h"
#include "report/testing/small_lathe.h"

namespace cog {
namespace {

using namespace cog::testing;

TEST(ReportCells, HandWorkedRows) {
  const LatheProfile p = SmallLathe();
  const Target mm1 = TargetOf("1mm"), feed = TargetOf("0.5mm/rev");
  const TrainRow simple = Row(p, {20, 30, 40}, 0, mm1);
  const std::vector<ChartSection> chart = ChartSections(p, OddChart(p));
  ASSERT_EQ(1u, chart.size());
  // Without a tumbler there is no tumbler position to name.
  const LatheProfile plain = PlainLathe();
  const TrainRow plain_simple = Row(plain, {20, 30, 40}, -1, mm1);
  EXPECT_EQ(&kOddSeries, chart[0].series);
  struct {
    CellTable table;
    std::vector<std::string> head, first;
  } cases[] = {
      {ThreadCells(p, mm1, {simple}, Whole(25), true),
       {"#", "kind", "gears", "gearbox", "ratio", "lead mm", "tpi", "error %", "\xc2\xb5m/thread",
        "drift \xc2\xb5m/25mm", "fits", "cuts", "tumbler", "dial", "within"},
       {"1", "simple", "20 30 40", "A", "1/2", "1.00000", "25.400", "exact", "0.000", "0.00", "-",
        "right", "normal", "any mark", "yes"}},
      // A feed has no dial and no thread figures; 0.5 mm is 0.019685 in.
      {ThreadCells(p, feed, {Row(p, {20, 40, 30, 60}, 1, feed)}, Whole(25), false),
       {"#", "kind", "gears", "gearbox", "ratio", "mm/rev", "in/rev", "error %", "fits", "cuts",
        "tumbler"},
       {"1", "compound", "20 40 30 60", "B", "1/8", "0.25000", "0.009843", "-50.0000%", "-",
        "right", "normal"}},
      {TrainCells(p, {Row(p, {20, 30, 40}, 1, mm1)}, &mm1, Whole(10)),
       {"gearbox", "ratio", "lead mm", "tpi", "error %", "\xc2\xb5m/thread", "drift \xc2\xb5m/10mm",
        "within", "cuts", "tumbler", "dial"},
       {"B", "1/4", "0.50000", "50.800", "-50.0000%", "-500.000", "-5000.00", "NO", "right",
        "normal", "any mark"}},
      {TrainCells(p, {simple}, nullptr, Whole(25)),
       {"gearbox", "ratio", "lead mm", "tpi", "cuts", "tumbler", "dial"},
       {"A", "1/2", "1.00000", "25.400", "right", "normal", "any mark"}},
      {chart[0].table,
       {"lead", "gears", "gearbox", "error %", "fit", "cuts", "tumbler", "dial", "sizes"},
       {"1mm", "20 30 40", "A", "exact", "not checked", "right", "normal", "any mark", "P, Q"}},
      {ThreadCells(plain, mm1, {plain_simple}, Whole(25), false),
       {"#", "kind", "gears", "gearbox", "ratio", "lead mm", "tpi", "error %", "\xc2\xb5m/thread",
        "drift \xc2\xb5m/25mm", "fits", "cuts"},
       {"1", "simple", "20 30 40", "-", "1/2", "1.00000", "25.400", "exact", "0.000", "0.00", "-",
        "right"}},
      {TrainCells(plain, {plain_simple}, nullptr, Whole(25)),
       {"gearbox", "ratio", "lead mm", "tpi", "cuts"},
       {"-", "1/2", "1.00000", "25.400", "right"}},
      {ChartSections(plain, OddChart(plain))[0].table,
       {"lead", "gears", "error %", "fit", "cuts", "sizes"},
       {"1mm", "20 30 40", "exact", "not checked", "right", "P, Q"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.head, c.table.head);
    ASSERT_FALSE(c.table.rows.empty());
    EXPECT_EQ(c.first, c.table.rows[0]);
  }
  // Beyond the tolerance: no train in the gears' column, the nearest train's
  // error in the error's.
  const std::vector<std::string> beyond = {
      "1.01mm", "none within 0.5 %", "", "nearest -0.9901%", "", "", "", "", "R"};
  ASSERT_EQ(2u, chart[0].table.rows.size());
  EXPECT_EQ(beyond, chart[0].table.rows[1]);
}

// A line without a train gives its cause, and `thread` says the same of the
// same target. On the plain lathe (4 gears, no tumbler) only a six-gear
// train cuts left-hand: four gears make none, and with six-gear trains not
// allowed no kind of train cuts it at all; one gear makes no train of any
// kind even with a tumbler.
TEST(ReportCells, ChartLineSaysWhyItHasNoTrain) {
  LatheProfile six = PlainLathe(), one = SmallLathe();
  const LatheProfile plain = PlainLathe();
  six.trains[2] = true;
  one.gears = {40};
  const struct {
    const LatheProfile* lathe;
    const char* why;
  } cases[] = {
      {&six, "4 gears make no six-gear train, the only kind that cuts left-hand on this lathe"},
      {&one, "the set has too few gears for the kinds of train the profile allows"},
      {&plain,
       "without a tumbler, the kinds of train the profile allows all cut the other hand (six-gear "
       "trains cut the other hand from simple and compound ones)"},
  };
  for (const auto& c : cases) {
    ChartList list;
    std::string error;
    ASSERT_TRUE(ReadSeriesList({"1mm LH"}, &list, &error)) << error;
    TrainSearch search;
    std::vector<ChartRow> rows;
    ASSERT_TRUE(search.Init(*c.lathe, &error) && BuildChart(search, list.series, &rows, &error));
    const std::vector<ChartSection> chart = ChartSections(*c.lathe, rows);
    ASSERT_EQ(1u, chart.size());
    EXPECT_EQ(c.why, chart[0].table.rows.at(0).at(1));
    ThreadAnswer answer;
    ASSERT_TRUE(AnswerThread(*c.lathe, TargetOf("1mm LH"), {}, &answer, &error));
    bool more = false;
    EXPECT_EQ("No train: " + std::string(c.why),
              NoTrainText(*c.lathe, TargetOf("1mm LH"), answer, &more));
  }
}

// The header says the fit was checked only when it was on every line with a
// train; a six-gear train's fit is never checked.
TEST(ReportCells, ChartHeaderSaysFitCheckedOnlyOfEveryLine) {
  LatheProfile p = SmallLathe();
  std::vector<ChartRow> rows = OddChart(p);
  p.geometry.emplace();
  p.geometry->module = {1, 1};
  p.geometry->centre_distance = {100, 1};
  ASSERT_TRUE(rows[0].best);
  rows[0].best->fits = true;
  const std::string start = "Tumbler reverse; thread dial 16 teeth, 4 marks; tolerance 0.5 %; fit ";
  EXPECT_EQ(start + "checked: module 1, centre distance 100 mm", ChartHeader(p, rows).at(2));
  rows[0].best->fits.reset();
  EXPECT_EQ(start +
                "not checked on 1 of 1 lines with a train (six-gear trains), checked on the "
                "others: module 1, centre distance 100 mm",
            ChartHeader(p, rows).at(2));
  EXPECT_EQ("not checked", ChartSections(p, rows)[0].table.rows[0][4]);
}

TEST(ReportCells, AdviceRows) {
  AdviceResult advice;
  advice.before = {4, 2, 1, 0.25, 0.125};
  advice.best = {{127, {4, 0, 3, 0.0625, 0.00001, 3}}};
  const CellTable t = AdviceCells(advice);
  const std::vector<std::vector<std::string>> rows = {
      {"(now)", "-", "2", "1", "25.0000%", "12.5000%"},
      {"+127", "3", "0", "3", "6.2500%", "0.0010%"}};
  EXPECT_EQ((std::vector<std::string>{"gear", "gained", "without train", "exact", "worst |error|",
                                      "mean |error|"}),
            t.head);
  EXPECT_EQ(rows, t.rows);

  // A chart with no train on any line has no error to be worst or mean.
  AdviceResult none;
  none.before = {2, 2, 0, 0, 0};
  none.best = {{40, {2, 1, 0, 0.5, 0.5, 1}}};
  EXPECT_EQ((std::vector<std::vector<std::string>>{{"(now)", "-", "2", "0", "no train", "no train"},
                                                   {"+40", "1", "1", "0", "50.0000%", "50.0000%"}}),
            AdviceCells(none).rows);

  // The lines left without a train, each with its cause as the chart gives it.
  const LatheProfile p = SmallLathe();
  EXPECT_EQ("", WithoutTrainNote(p, none));
  none.without = {OddChart(p)[1], OddChart(p)[1]};
  none.without[1].nearest.reset();
  EXPECT_EQ(
      "Without a train now: 1.01mm (none within 0.5 %, nearest -0.9901%); 1.01mm (none within "
      "0.5 %).",
      WithoutTrainNote(p, none));
}

// With and without gearbox, dial and tumbler, thread and feed, all rows or
// not, lines within, beyond and without a train: rows as wide as the head.
// A rule met with nothing to spare is met: "ok" in the text and in JSON alike,
// a micrometre short is not.
TEST(ReportCells, AFitRuleMetExactlyIsOk) {
  const LatheProfile p = SmallLathe();
  const Target mm1 = TargetOf("1mm");
  const struct {
    Fraction margin_mm;
    const char* text;
    bool ok;
  } cases[] = {
      {{-1, 1000}, "SHORT", false},
      {{0, 1}, "ok", true},
      {{1, 1000}, "ok", true},
  };
  for (const auto& c : cases) {
    const std::vector<FitRule> rules = {{"clearance", "the gears clear", c.margin_mm}};
    const CellTable t = RuleCells(rules);
    ASSERT_EQ(1u, t.rows.size());
    EXPECT_EQ(c.text, t.rows[0][0]) << c.margin_mm.num;
    const nlohmann::json tree =
        TrainReportTree(p, {Row(p, {20, 30, 40}, 0, mm1)}, rules, true, &mm1, Whole(25));
    EXPECT_EQ(c.ok, tree["rules"][0]["ok"]) << c.margin_mm.num;
  }
}

TEST(ReportCells, EveryRowAsWideAsItsHead) {
  const LatheProfile p = SmallLathe(), plain = PlainLathe();
  std::vector<CellTable> tables;
  for (const LatheProfile* lathe : {&p, &plain}) {
    std::vector<ChartRow> chart = OddChart(*lathe);
    chart.push_back(chart.back());
    chart.back().nearest.reset();
    for (const ChartSection& s : ChartSections(*lathe, chart)) tables.push_back(s.table);
    const int box = lathe->gearbox.empty() ? -1 : 0;
    for (const char* text : {"1mm", "0.5mm/rev", "mod0.5", "20tpi LH"}) {
      const Target t = TargetOf(text);
      const std::vector<TrainRow> rows = {Row(*lathe, {20, 30, 40}, box, t),
                                          Row(*lathe, {20, 40, 30, 60, 20, 40}, box, t)};
      for (bool all : {false, true}) tables.push_back(ThreadCells(*lathe, t, rows, Whole(25), all));
      tables.push_back(TrainCells(*lathe, rows, &t, Whole(25)));
      tables.push_back(TrainCells(*lathe, rows, nullptr, Whole(25)));
    }
  }
  for (const CellTable& t : tables) {
    ASSERT_FALSE(t.rows.empty());
    for (const auto& row : t.rows) EXPECT_EQ(t.head.size(), row.size()) << t.head[0];
  }
}

// Cells of a Markdown table line, split at the pipes not escaped.
std::vector<std::string> MarkdownCells(const std::string& line) {
  std::vector<std::string> cells;
  std::string cell;
  for (std::size_t i = 1; i < line.size(); ++i) {
    if (line[i] == '\\' && i + 1 < line.size()) {
      cell += line.substr(i++, 2);
    } else if (line[i] == '|') {
      cells.push_back(cell);
      cell.clear();
    } else {
      cell += line[i];
    }
  }
  return cells;
}

// The lathe's name and a gearbox position's name hold a line break, a pipe,
// a backslash and markup: each sheet shows them as text, on their own line.
TEST(ChartSheet, NamesAreText) {
  LatheProfile p = SmallLathe();
  p.name = "Mine\r\n<b>|1\\2";
  p.gearbox[0].name = "A|<i>\n";
  const std::vector<ChartRow> chart = OddChart(p);
  const std::string markdown = ChartMarkdown(p, chart), html = ChartHtml(p, chart);
  EXPECT_EQ(0u, markdown.find("# Mine\\\\x0d\\\\x0a&lt;b&gt;\\|1\\\\2\n\n")) << markdown;
  EXPECT_NE(std::string::npos, markdown.find("| 1mm | 20 30 40 | A\\|&lt;i&gt;\\\\x0a |"))
      << markdown;
  EXPECT_NE(std::string::npos, html.find("<h1>Mine\\x0d\\x0a&lt;b&gt;|1\\2</h1>")) << html;
  EXPECT_NE(std::string::npos, html.find("<td>A|&lt;i&gt;\\x0a</td>")) << html;
  EXPECT_EQ(std::string::npos, html.find("<b>"));
  EXPECT_EQ(std::string::npos, html.find("<i>"));
  // Every table line of the Markdown as wide as its head.
  std::vector<std::size_t> widths;
  for (std::size_t at = 0; at < markdown.size();) {
    const std::size_t end = markdown.find('\n', at);
    const std::string line = markdown.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line[0] == '|') widths.push_back(MarkdownCells(line).size());
  }
  EXPECT_EQ((std::vector<std::size_t>{9, 9, 9, 9}), widths);  // head, rule, two lines
}

}  // namespace
}  // namespace cog
