// The figures a row prints, worked by hand for a 25 mm length of thread.

#include "report/row_numbers.h"

#include <gtest/gtest.h>

#include "numtext/testing/long_double_bits.h"

namespace cog {
namespace {

TEST(RowNumbersTest, FiguresWorkedByHand) {
  const struct {
    const char* target;
    Fraction lead_mm;
    Fraction error;          // cut / target - 1, for the exact targets
    long double worm_error;  // the same for the worm, which is not a fraction
    double tpi, error_figure, per_thread_um, drift_um;
    bool exact;
  } cases[] = {
      // 1.27 mm (20 tpi) for 1.25: 1.27/1.25 - 1 = 0.016, 20 um a turn, 400 um in 25 mm.
      {"1.25mm", {127, 100}, {2, 125}, 0, 20, 0.016, 20, 400, false},
      // Exactly 1.25 mm: 25.4/1.25 = 20.32 tpi.
      {"1.25mm", {5, 4}, {0, 1}, 0, 20.32, 0, 0, 0, true},
      // 22/7 mm for a module 1 worm (pi mm): 22/(7 pi) - 1 = 0.00040249943477068;
      // 22/7 - pi = 1.2644892673496187 um; x 25 mm = 10.062485869267049 um;
      // 25.4 x 7/22 = 8.0818181818181818 tpi.
      {"mod1",
       {22, 7},
       {},
       0.00040249943477068198L,
       8.0818181818181818,
       0.00040249943477068198,
       1.2644892673496187,
       10.062485869267049,
       false},
  };
  for (const auto& c : cases) {
    Target target;
    std::string error;
    ASSERT_TRUE(ReadTarget(c.target, 1, &target, &error)) << error;
    TrainRow row;
    row.lead_mm = c.lead_mm;
    row.error = {target.lead.exact, c.error,
                 target.lead.exact ? ToExtended(c.error) : testing::FromLongDouble(c.worm_error)};
    const RowNumbers n = NumbersOf(row, target.lead, Whole(25));
    EXPECT_DOUBLE_EQ(c.lead_mm.num / static_cast<double>(c.lead_mm.den), n.lead_mm);
    EXPECT_DOUBLE_EQ(c.tpi, n.tpi) << c.target;
    EXPECT_DOUBLE_EQ(c.error_figure, n.error) << c.target;
    EXPECT_EQ(c.exact, n.exact) << c.target;
    EXPECT_NEAR(c.per_thread_um, n.error_per_thread_um, 1e-12) << c.target;
    EXPECT_NEAR(c.drift_um, n.drift_um, 1e-12) << c.target;
  }
}

}  // namespace
}  // namespace cog
