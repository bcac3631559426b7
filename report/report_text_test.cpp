#include "report/report_text.h"

#include <gtest/gtest.h>

#include "report/testing/small_lathe.h"

namespace cog {
namespace {

using namespace cog::testing;

// Columns line up on the screen, where a letter is one column however many
// bytes it takes.
TEST(ReportText, ColumnsPadByCharacters) {
  EXPECT_EQ(PaddedColumns({{"M\xc3\xbcller", "x"}, {"ab", "y"}, {"\xe2\x80\x94", "z"}}, "  "),
            "  M\xc3\xbcller  x\n"
            "  ab      y\n"
            "  \xe2\x80\x94       z\n");
}

// A sheet of set widths: a letter is one column however many bytes it takes;
// a cell too wide for its column pushes only its own line; blanks at a
// line's end, from empty cells or padding, are dropped.
TEST(ReportText, SheetColumnsKeepTheirWidths) {
  const std::vector<SheetColumn> columns = {{0, 4, true}, {2, 5, false}, {1, 3, true}};
  EXPECT_EQ(SheetLines({{"N", "\xc3\xa9t\xc3\xa9", "7"},
                        {"12345", "ab", "100"},
                        {"3", "long cell", ""},
                        {"", "", ""}},
                       columns),
            "   N  \xc3\xa9t\xc3\xa9     7\n"
            "12345  ab    100\n"
            "   3  long cell\n"
            "\n");
}

// Where each cell of a line starts, in characters (bytes that do not
// continue a UTF-8 sequence): at the start or after two blanks.
std::vector<std::size_t> CellStarts(const std::string& line) {
  std::vector<std::size_t> starts;
  std::size_t column = 0, blanks = 2;
  for (const unsigned char c : line) {
    if ((c & 0xC0) == 0x80) continue;
    if (c != ' ' && blanks >= 2) starts.push_back(column);
    blanks = c == ' ' ? blanks + 1 : 0;
    ++column;
  }
  return starts;
}

// Two-byte characters in a head (µm), a gearbox position's name and a
// chart's lead as typed: every line's cells still start under their heads.
TEST(ReportText, TablesLineUpUnderTheirHeadsByCharacters) {
  LatheProfile p = SmallLathe();
  p.gearbox[1].name = "\xc3\x9c";  // Ü
  const Target mm1 = TargetOf("1mm");
  static constexpr ThreadEntry kTyped[] = {{"\xc2\xbd", "1\xc2\xbdmm"}, {"Q", "1mm"}};
  static const ThreadSeries kTypedSeries{"typed", "Typed", kTyped};
  const ThreadSeries* series[] = {&kTypedSeries};
  TrainSearch search;
  std::vector<ChartRow> chart;
  TrainReport report;
  std::string error;
  ASSERT_TRUE(ReportTrain(p, {20, 40, 30, 60}, &mm1, &report, &error) && search.Init(p, &error) &&
              BuildChart(search, series, &chart, &error))
      << error;
  const std::vector<TrainRow> rows = {Row(p, {20, 30, 40}, 1, mm1),
                                      Row(p, {20, 40, 30, 60}, 0, mm1)};
  const std::pair<std::string, std::string> tables[] = {
      {ThreadText(p, mm1, rows, Whole(25), true), "\n#  "},
      {TrainText(p, report, &mm1, Whole(25)), "\ngearbox"},
      {ChartText(p, chart), "\n  lead"}};
  for (const auto& [text, head] : tables) {
    std::vector<std::string> lines;
    for (std::size_t at = text.find(head) + 1; at > 0 && text[at] != '\n';
         at = text.find('\n', at) + 1)
      lines.push_back(text.substr(at, text.find('\n', at) - at));
    ASSERT_EQ(3u, lines.size()) << text;
    for (const std::string& line : lines) EXPECT_EQ(CellStarts(lines[0]), CellStarts(line)) << text;
  }
}

// Advice over a chart of one lead that has no train: one lead, no worst
// error, no gear that helps, and the line left without a train with why.
TEST(ReportText, AdviceOverOneLeadWithoutATrain) {
  const LatheProfile p = SmallLathe();
  AdviceResult advice;
  advice.from = 20;
  advice.to = 30;
  advice.before = {1, 1, 0, 0, 0};
  advice.without = {OddChart(p)[1]};
  EXPECT_EQ(
      "Lathe        lead screw 2mm, 4 gears, gearbox of 2\n"
      "Fit          not checked (the profile gives no module and centre distance)\n"
      "Ranked by lines gained (a train within the tolerance where a line had none, or exact where "
      "it was\nnot), then fewer lines without a train, then the worst and the mean |error|.\n\n"
      "Chart of 1 lead.\n\n"
      "gear   gained  without train  exact  worst |error|  mean |error|\n"
      "(now)  -       1              0      no train       no train\n\n"
      "No gear from 20 to 30 teeth makes this chart better.\n\n"
      "Without a train now: 1.01mm (none within 0.5 %, nearest -0.9901%).\n",
      AdviceText(p, advice));
}

}  // namespace
}  // namespace cog
