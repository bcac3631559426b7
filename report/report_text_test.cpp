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

// The column, counted in characters (bytes that do not continue a UTF-8
// sequence), where each cell of a table's line starts: at the line's start
// or after two blanks (a cell holds single blanks at most).
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

// The heads carry the micro sign (two bytes, one column) and a gearbox
// position's name may too: every row's cells start under their heads, as a
// terminal shows them.
TEST(ReportText, TrainTablesLineUpUnderHeadsHoldingTheMicroSign) {
  LatheProfile p = SmallLathe();
  p.gearbox[1].name = "\xc3\x9c";  // Ü
  const Target mm1 = TargetOf("1mm");
  TrainReport report;
  std::string error;
  ASSERT_TRUE(ReportTrain(p, {20, 40, 30, 60}, &mm1, &report, &error)) << error;
  const std::string texts[] = {
      ThreadText(p, mm1, {Row(p, {20, 30, 40}, 1, mm1), Row(p, {20, 40, 30, 60}, 0, mm1)},
                 Whole(25), true),
      TrainText(p, report, &mm1, Whole(25))};
  for (const std::string& text : texts) {
    const std::size_t head = text.find("\xc2\xb5m/thread");
    ASSERT_NE(std::string::npos, head) << text;
    const std::size_t from = text.rfind('\n', head) + 1;
    const std::size_t end = text.find("\n\n", from);
    std::vector<std::string> lines;
    for (std::size_t at = from; at < end; at = text.find('\n', at) + 1)
      lines.push_back(text.substr(at, text.find('\n', at) - at));
    ASSERT_EQ(3u, lines.size()) << text;
    for (const std::string& line : lines) EXPECT_EQ(CellStarts(lines[0]), CellStarts(line)) << text;
  }
}

// A chart's lead as typed ("1\u00bdmm") or a size may hold a two-byte
// character too: its line's cells still start under their heads.
TEST(ReportText, ChartLinesUpUnderItsHeads) {
  const LatheProfile p = SmallLathe();
  static constexpr ThreadEntry kTyped[] = {{"\xc2\xbd", "1\xc2\xbdmm"}, {"Q", "1mm"}};
  static const ThreadSeries kTypedSeries{"typed", "Typed", kTyped};
  const ThreadSeries* series[] = {&kTypedSeries};
  TrainSearch search;
  std::vector<ChartRow> rows;
  std::string error;
  ASSERT_TRUE(search.Init(p, &error) && BuildChart(search, series, &rows, &error)) << error;
  const std::string text = ChartText(p, rows);
  ASSERT_NE(std::string::npos, text.find("Typed\n")) << text;
  const std::size_t from = text.find("Typed\n") + 6;
  std::vector<std::string> lines;
  for (std::size_t at = from; text[at] != '\n'; at = text.find('\n', at) + 1)
    lines.push_back(text.substr(at, text.find('\n', at) - at));
  ASSERT_EQ(3u, lines.size()) << text;
  for (const std::string& line : lines) EXPECT_EQ(CellStarts(lines[0]), CellStarts(line)) << text;
}

}  // namespace
}  // namespace cog
