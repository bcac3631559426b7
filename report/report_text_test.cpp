#include "report/report_text.h"

#include <gtest/gtest.h>

namespace cog {
namespace {

// Columns line up on the screen, where a letter is one column however many
// bytes it takes.
TEST(ReportText, ColumnsPadByCharacters) {
  EXPECT_EQ(PaddedColumns({{"M\xc3\xbcller", "x"}, {"ab", "y"}, {"\xe2\x80\x94", "z"}}, "  "),
            "  M\xc3\xbcller  x\n"
            "  ab      y\n"
            "  \xe2\x80\x94       z\n");
}

}  // namespace
}  // namespace cog
