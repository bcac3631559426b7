// The built-in series against sizes and pitches taken from the published
// standards, not from the tables: each size must be listed once, with that lead.

#include "lathe/thread_series.h"

#include <gtest/gtest.h>

#include <string>

#include "lathe/target.h"
#include "numtext/testing/long_double_bits.h"

namespace cog {
namespace {

TEST(ThreadSeriesTest, PublishedPitchesAreListed) {
  const struct {
    const char* series;
    const char* size;
    Fraction pitch_mm;
    int tpi = 0;              // a lead of 25.4/tpi = 127/(5 tpi) mm
    long double worm_mm = 0;  // pi x module, pi x 25.4/DP: not a fraction
  } cases[] = {
      // clang-format off
      {"iso-coarse", "M3", {1, 2}}, {"iso-coarse", "M6", {1, 1}}, {"iso-coarse", "M10", {3, 2}},
      {"iso-coarse", "M12", {7, 4}}, {"iso-coarse", "M20", {5, 2}},
      {"iso-fine", "M10x1.25", {5, 4}}, {"iso-fine", "M20x1.5", {3, 2}},
      {"unc", "#10", {}, 24}, {"unc", "1/4", {}, 20}, {"unc", "1/2", {}, 13},
      {"unf", "#10", {}, 32}, {"unf", "1/4", {}, 28}, {"unf", "1/2", {}, 20},
      {"bsw", "1/4", {}, 20}, {"bsw", "3/8", {}, 16}, {"bsw", "1/2", {}, 12},
      {"bsf", "1/4", {}, 26}, {"bsf", "1/2", {}, 16},
      {"bsp", "G1/8", {}, 28}, {"bsp", "G1/2", {}, 14}, {"bsp", "G1", {}, 11},
      {"ba", "0BA", {1, 1}}, {"ba", "2BA", {81, 100}}, {"ba", "4BA", {33, 50}},
      {"me", "1/4 ME32", {}, 32}, {"me", "1/4 ME40", {}, 40},
      {"module", "mod1.5", {}, 0, 4.71238898038468985769L},
      {"dp", "DP16", {}, 0, 4.98727833757379676606L},
      // clang-format on
  };
  for (const auto& c : cases) {
    const ThreadSeries* series = FindSeries(c.series);
    ASSERT_NE(nullptr, series) << c.series;
    int found = 0;
    for (const ThreadEntry& thread : series->threads) {
      if (std::string(thread.size) != c.size) continue;
      ++found;
      Target t;
      std::string error;
      ASSERT_TRUE(ReadTarget(thread.target, 1, &t, &error)) << error;
      EXPECT_EQ(c.worm_mm == 0, t.lead.exact) << c.size;
      if (t.lead.exact) {
        EXPECT_EQ((c.tpi ? Fraction{127, 5 * c.tpi} : c.pitch_mm), t.lead.mm) << c.series << c.size;
      } else {
        EXPECT_NEAR(c.worm_mm, testing::ToLongDouble(t.lead.approx_mm), 1e-15L) << c.size;
      }
    }
    EXPECT_EQ(1, found) << c.series << " " << c.size;
  }
}

}  // namespace
}  // namespace cog
