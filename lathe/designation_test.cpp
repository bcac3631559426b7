#include "lathe/designation.h"

#include <gtest/gtest.h>

#include "lathe/target.h"

namespace cog {
namespace {

// Leads from the published standards (ISO 261, ASME B1.1, BS 84, ISO 228,
// BS 93), entered here by hand, not from the tables: pitch in mm, or tpi.
TEST(Designation, PublishedThreads) {
  struct {
    const char* text;
    Fraction lead;
    Hand hand;
  } cases[] = {
      {"M6", {1, 1}, Hand::kRight},           {"m20", {5, 2}, Hand::kRight},
      {"M6x0.75", {3, 4}, Hand::kRight},      {"M6 \xc3\x97 0.75", {3, 4}, Hand::kRight},
      {"M8x1", {1, 1}, Hand::kRight},         {"M12x1.25", {5, 4}, Hand::kRight},
      {"M10x1.5", {3, 2}, Hand::kRight},      {"M24x2-LH", {2, 1}, Hand::kLeft},
      {"1/4-20", {127, 100}, Hand::kRight},   {"#10-24", {127, 120}, Hand::kRight},
      {"#10-32", {127, 160}, Hand::kRight},   {"1/2 UNC", {127, 65}, Hand::kRight},
      {"3/8 unf", {127, 120}, Hand::kRight},  {"1/4 BSW", {127, 100}, Hand::kRight},
      {"1/2 bsw LH", {127, 60}, Hand::kLeft}, {"3/8 BSF", {127, 100}, Hand::kRight},
      {"1/8 BSP", {127, 140}, Hand::kRight},  {"1/2 BSP", {127, 70}, Hand::kRight},
      {"2 BA", {81, 100}, Hand::kRight},      {"0BA", {1, 1}, Hand::kRight},
      {"1-1/4-7", {127, 35}, Hand::kRight},   {"1-1/4-12 LH", {127, 60}, Hand::kLeft},
  };
  for (const auto& c : cases) {
    Target t;
    std::string error;
    ASSERT_TRUE(ReadTarget(c.text, 1, &t, &error)) << c.text << ": " << error;
    EXPECT_TRUE(t.designation) << c.text;
    EXPECT_EQ(c.lead, t.lead.mm) << c.text;
    EXPECT_EQ(c.hand, t.hand) << c.text;
  }
}

TEST(Designation, UnknownSizesNameTheNearest) {
  struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"M7.5",
       "target \"M7.5\" is not a size of ISO metric coarse (ISO 261) (nearest: M7, M8) "
       "(for a module 7.5 worm write mod7.5)"},
      {"m1.5 LH",
       "target \"m1.5 LH\" is not a size of ISO metric coarse (ISO 261) (nearest: "
       "M1.4, M1.6) (for a module 1.5 worm write mod1.5)"},
      {"M6x0.8", "target \"M6x0.8\" is not an ISO metric thread (M6 has pitch 1, 0.75)"},
      {"1/4-19", "target \"1/4-19\" is not a Unified thread (1/4 is 1/4-20 UNC or 1/4-28 UNF)"},
      {"17 BA",
       "target \"17 BA\" is not a size of British Association (BS 93) (nearest: 16BA, 15BA)"},
  };
  for (const auto& c : cases) {
    Target t;
    std::string error;
    EXPECT_FALSE(ReadTarget(c.text, 1, &t, &error)) << c.text;
    EXPECT_EQ(c.error, error);
  }
}

// Every size of every series, named with its series, is that table's thread.
TEST(Designation, EverySizeResolvesToItsTable) {
  for (const ThreadSeries& series : BuiltInSeries()) {
    for (const ThreadEntry& entry : series.threads) {
      const std::string text = std::string(entry.size) + " " + series.name;
      Target named, figure;
      std::string error;
      ASSERT_TRUE(ReadTarget(text, 1, &named, &error)) << text << ": " << error;
      ASSERT_TRUE(ReadTarget(entry.target, 1, &figure, &error)) << entry.target;
      ASSERT_TRUE(named.designation) << text;
      EXPECT_EQ(named.designation->series, &series) << text;
      EXPECT_EQ(named.lead.approx_mm, figure.lead.approx_mm) << text;
    }
  }
}

}  // namespace
}  // namespace cog
