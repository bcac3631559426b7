#include "lathe/designation.h"

#include <gtest/gtest.h>

#include "lathe/target.h"

namespace cog {
namespace {

constexpr Fraction Tpi(int tpi) { return {127, 5 * tpi}; }

// The forms machinists write, each with what it reads as: the series and
// size it resolves to ("" for a figure, not a name), the lead in mm and the
// hand. Leads are from the published standards, entered here by hand.
TEST(Designation, FormsMachinistsWrite) {
  struct {
    const char* text;
    const char* series;
    const char* size;
    Fraction lead;
    Hand hand = Hand::kRight;
  } cases[] = {
      // clang-format off
      {"M6", "iso-coarse", "M6", {1, 1}},
      {"m20", "iso-coarse", "M20", {5, 2}},
      {"M6x0.75", "iso-fine", "M6x0.75", {3, 4}},
      {"M6 \xc3\x97 0.75", "iso-fine", "M6x0.75", {3, 4}},
      {"M 8 x 1", "iso-fine", "M8x1", {1, 1}},
      {"M12x1.25", "iso-fine", "M12x1.25", {5, 4}},
      {"M10x1.5", "iso-coarse", "M10", {3, 2}},
      {"M24x2-LH", "iso-fine", "M24x2", {2, 1}, Hand::kLeft},
      {"1/4-20", "unc", "1/4", Tpi(20)},
      {"1/4-20 UNC", "unc", "1/4", Tpi(20)},
      {"1/4\"-20", "unc", "1/4", Tpi(20)},
      {"1/4\xe2\x80\xb3-20", "unc", "1/4", Tpi(20)},
      {"#10-24", "unc", "#10", Tpi(24)},
      {"10-24", "unc", "#10", Tpi(24)},
      {"#10-32", "unf", "#10", Tpi(32)},
      {"#10-32 UNF", "unf", "#10", Tpi(32)},
      {"#10-32 UNF-3B", "unf", "#10", Tpi(32)},
      {"#0-80", "unf", "#0", Tpi(80)},
      {"0-80 unf 2a", "unf", "#0", Tpi(80)},
      {"1/2-13 UNC-2A", "unc", "1/2", Tpi(13)},
      {"1/2-13 unc-2a LH", "unc", "1/2", Tpi(13), Hand::kLeft},
      {"1 1/8-7", "unc", "1-1/8", Tpi(7)},
      {"1-1/8-7", "unc", "1-1/8", Tpi(7)},
      {"1-1/4-7", "unc", "1-1/4", Tpi(7)},
      {"1-1/4-12 UNF", "unf", "1-1/4", Tpi(12)},
      {"1-1/4-12 LH", "unf", "1-1/4", Tpi(12), Hand::kLeft},
      {"1\xc2\xbc-7", "unc", "1-1/4", Tpi(7)},
      {"2-4\xc2\xbd", "unc", "2", {254, 45}},
      {"2-4 1/2 UNC", "unc", "2", {254, 45}},
      {"1-8", "unc", "1", Tpi(8)},
      {"1/2 UNC", "unc", "1/2", Tpi(13)},
      {"3/8 unf", "unf", "3/8", Tpi(24)},
      {"1/4 BSW", "bsw", "1/4", Tpi(20)},
      {"3/8\" BSW", "bsw", "3/8", Tpi(16)},
      {"1/2 bsw LH", "bsw", "1/2", Tpi(12), Hand::kLeft},
      {"1/2-12 BSW", "bsw", "1/2", Tpi(12)},
      {"3/8 BSF", "bsf", "3/8", Tpi(20)},
      {"1/8 BSP", "bsp", "G1/8", Tpi(28)},
      {"1/2 BSPP", "bsp", "G1/2", Tpi(14)},
      {"G1/4", "bsp", "G1/4", Tpi(19)},
      {"G 1 1/2", "bsp", "G1-1/2", Tpi(11)},
      {"2 BA", "ba", "2BA", {81, 100}},
      {"0BA", "ba", "0BA", {1, 1}},
      {"1/4 ME40", "me", "1/4 ME40", Tpi(40)},
      {"1/4x40 ME", "me", "1/4 ME40", Tpi(40)},
      {"5/16-32 me", "me", "5/16 ME32", Tpi(32)},
      {"1-1/8 unc", "unc", "1-1/8", Tpi(7)},
      // ISO 261's second and third choice, and fine pitches of sizes
      // without a coarse one.
      {"M9", "iso-coarse", "M9", {5, 4}},
      {"M11", "iso-coarse", "M11", {3, 2}},
      {"M25x1.5", "iso-fine", "M25x1.5", {3, 2}},
      {"M35x1.5", "iso-fine", "M35x1.5", {3, 2}},
      {"M300x8", "iso-fine", "M300x8", {8, 1}},
      {"M68", "iso-coarse", "M68", {6, 1}},
      // Unified beyond coarse and fine.
      {"1/4-32 UNEF", "unef", "1/4", Tpi(32)},
      {"1/4-32", "unef", "1/4", Tpi(32)},
      {"2-12 UN", "12-un", "2", Tpi(12)},
      {"2-8 UN-2A", "8-un", "2", Tpi(8)},
      {"1-1/2-16 16-un", "16-un", "1-1/2", Tpi(16)},
      // Trapezoidal and ACME.
      {"Tr20x4", "tr", "Tr20x4", {4, 1}},
      {"TR 20 x 4", "tr", "Tr20x4", {4, 1}},
      {"Tr20x8(P4)", "tr", "Tr20x4", {8, 1}},
      {"Tr20x8(P4) LH", "tr", "Tr20x4", {8, 1}, Hand::kLeft},
      {"Tr 60 x 18 (P9)", "tr", "Tr60x9", {18, 1}},
      {"1/2-10 ACME", "acme", "1/2", Tpi(10)},
      {"1/2-10 ACME-2G", "acme", "1/2", Tpi(10)},
      {"1/2 acme", "acme", "1/2", Tpi(10)},
      // Pipe, brass and model engineer.
      {"1/4 NPT", "npt", "1/4", Tpi(18)},
      {"1/4-18 NPT", "npt", "1/4", Tpi(18)},
      {"1 1/4-11 1/2 NPT", "npt", "1-1/4", {254, 115}},
      {"R1/2", "bspt", "R1/2", Tpi(14)},
      {"Rc 3/8", "bspt", "R3/8", Tpi(19)},
      {"Rp1/2", "bspt", "R1/2", Tpi(14)},
      {"1/2 BSPT", "bspt", "R1/2", Tpi(14)},
      {"1/2 BSB", "bsb", "1/2", Tpi(26)},
      {"1\xc2\xbd\" BSB", "bsb", "1-1/2", Tpi(26)},
      // Figures, not names.
      {"11 1/2 tpi", "", "", {254, 115}},
      {"11-1/2 tpi", "", "", {254, 115}},
      {"11\xc2\xbd tpi", "", "", {254, 115}},
      {"11\xc2\xbdtpi", "", "", {254, 115}},
      {"4 1/2 TPI", "", "", {254, 45}},
      {"0.1 mm / rev", "", "", {1, 10}},
      {"0.1mm /rev", "", "", {1, 10}},
      {"0.004 ipr", "", "", {127, 1250}},
      {"0.004 in / rev", "", "", {127, 1250}},
      {"1 1/2 mm", "", "", {3, 2}},
      // Size and pitch parted by a blank, as some catalogues print them.
      {"M12 1.5", "iso-fine", "M12x1.5", {3, 2}},
      {"m10 1.5 LH", "iso-coarse", "M10", {3, 2}, Hand::kLeft},
      // clang-format on
  };
  for (const auto& c : cases) {
    Target t;
    std::string error;
    ASSERT_TRUE(ReadTarget(c.text, 1, &t, &error)) << c.text << ": " << error;
    EXPECT_EQ(c.lead, t.lead.mm) << c.text;
    EXPECT_EQ(c.hand, t.hand) << c.text;
    if (*c.series == '\0') {
      EXPECT_FALSE(t.designation) << c.text << " read as " << t.designation->thread->size;
      continue;
    }
    ASSERT_TRUE(t.designation) << c.text;
    EXPECT_EQ(t.starts, t.designation->starts) << c.text;
    EXPECT_STREQ(c.series, t.designation->series->name) << c.text;
    EXPECT_STREQ(c.size, t.designation->thread->size) << c.text;
  }
}

// Worms by any of their forms; their leads are pi times a module, so only
// the module they read as is compared.
TEST(Designation, WormForms) {
  struct {
    const char* text;
    const char* same_as;
  } cases[] = {
      {"16dp", "dp16"},           {"16 DP", "dp16"},     {"DP 16", "dp16"},
      {"DP16", "dp16"},           {"MOD 1.5", "mod1.5"}, {"Mod1.5", "mod1.5"},
      {"module 1 1/2", "mod1.5"}, {"dp 12.5", "dp12.5"},
  };
  for (const auto& c : cases) {
    Target a, b;
    std::string error;
    ASSERT_TRUE(ReadTarget(c.text, 1, &a, &error)) << c.text << ": " << error;
    ASSERT_TRUE(ReadTarget(c.same_as, 1, &b, &error)) << c.same_as << ": " << error;
    EXPECT_EQ(b.unit, a.unit) << c.text;
    EXPECT_EQ(b.lead.approx_mm, a.lead.approx_mm) << c.text;
  }
}

TEST(Designation, RefusedWithWhatItMayBe) {
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
      {"1/4-19",
       "target \"1/4-19\" is not a Unified thread (1/4 is 1/4-20 UNC or 1/4-28 UNF or 1/4-32 "
       "UNEF)"},
      {"1/4-19 UNC",
       "target \"1/4-19 UNC\" is not a thread of Unified coarse UNC (ASME B1.1) (1/4 is 1/4-20 "
       "UNC)"},
      {"5/32-20 UNC",
       "target \"5/32-20 UNC\" is not a size of Unified coarse UNC (ASME B1.1) (nearest: #8, #6)"},
      // #5.5 is 0.1315 in, 0.0065 from #5 (0.125) and from #6 (0.138): a
      // tie, named in the order the standard lists the sizes.
      {"#5.5-40 UNC",
       "target \"#5.5-40 UNC\" is not a size of Unified coarse UNC (ASME B1.1) (nearest: #5, #6)"},
      {"17 BA",
       "target \"17 BA\" is not a size of British Association (BS 93) (nearest: 16BA, 15BA)"},
      {"1/4 ME", "target \"1/4 ME\" may be 1/4 ME32 or 1/4 ME40"},
      {"1/2-13 UNC-2G",
       "target \"1/2-13 UNC-2G\" has a class (2G) that Unified coarse UNC (ASME B1.1) does not "
       "have"},
      {"3/8 BSW-2A",
       "target \"3/8 BSW-2A\" has a class (2A) that British Standard Whitworth (BS 84) does not "
       "have"},
      // A bare size is never read as the first table that lists it.
      {"1/2",
       "target \"1/2\" may be 1/2-13 UNC, 1/2-20 UNF, 1/2-28 UNEF, 1/2-16 UN, 1/2 BSW, 1/2 BSF, "
       "1/2-14 NPT, 1/2 BSB, 1/2 ME32, 1/2 ME40, 1/2-10 ACME; or 1/2mm, 1/2tpi"},
      {"M15", "target \"M15\" has no coarse pitch: write M15x1.5 or M15x1"},
      {"M80", "target \"M80\" has no coarse pitch: write M80x6, M80x4, M80x3, M80x2 or M80x1.5"},
      {"M25", "target \"M25\" has no coarse pitch: write M25x2, M25x1.5 or M25x1"},
      {"M25x1.25", "target \"M25x1.25\" is not an ISO metric thread (M25 has pitch 2, 1.5, 1)"},
      {"Tr20", "target \"Tr20\" needs its pitch: write Tr20x4 or Tr20x2"},
      {"Tr20x8",
       "target \"Tr20x8\" is not a trapezoidal thread (Tr20 has pitch 4, 2; a 2-start thread of "
       "lead 8 is written Tr20x8(P4))"},
      {"Tr20x3", "target \"Tr20x3\" is not a trapezoidal thread (Tr20 has pitch 4, 2)"},
      {"Tr20x6(P4)",
       "target \"Tr20x6(P4)\" is not a trapezoidal thread (its lead is not a whole number of "
       "pitches)"},
      {"Tr21x4",
       "target \"Tr21x4\" is not a size of Trapezoidal metric (ISO 2904) (nearest: Tr20x4, "
       "Tr22x8)"},
      {"1/4-20 UNC LH LH",
       "target \"1/4-20 UNC LH LH\" has no known unit (write it as 1.25mm, 20tpi, "
       "0.05in, M6, 1/4-20, 1/4 UNC, mod1.5, dp16, 0.1mm/rev or 0.004ipr)"},
      {"1/2-10 ACME-2A",
       "target \"1/2-10 ACME-2A\" has a class (2A) that ACME general purpose (ASME B1.5) does not "
       "have"},
      {"5/8 NPT",
       "target \"5/8 NPT\" is not a size of American taper pipe NPT (ASME B1.20.1) (nearest: 1/2, "
       "3/4)"},
      {"#10", "target \"#10\" may be #10-24 UNC, #10-32 UNF"},
      {"10", "target \"10\" may be #10-24 UNC, #10-32 UNF, 10-8 NPT; or 10mm, 10tpi"},
      {"11/16", "target \"11/16\" may be 11/16 BSW, 11/16 BSF; or 11/16mm, 11/16tpi"},
      // A blank never joins two numbers.
      {"M6 4",
       "target \"M6 4\" has a blank between two numbers (\"6 4\"): a blank never joins them, and "
       "M6x4 is not an ISO metric thread (M6 has pitch 1, 0.75)"},
      {"M12 3",
       "target \"M12 3\" has a blank between two numbers (\"12 3\"): a blank never joins them, "
       "and M12x3 is not an ISO metric thread (M12 has pitch 1.75, 1.5, 1.25, 1)"},
      {"M1 6",
       "target \"M1 6\" has a blank between two numbers (\"1 6\"): a blank never joins them, and "
       "M1x6 is not an ISO metric thread (M1 has pitch 0.25, 0.2)"},
      {"1 0BA",
       "target \"1 0BA\" has a blank between two numbers (\"1 0\"): a blank never joins them"},
      {"#1 0-24",
       "target \"#1 0-24\" has a blank between two numbers (\"1 0\"): a blank never joins them"},
      {"1/4 20 UNC",
       "target \"1/4 20 UNC\" has a blank between two numbers (\"1/4 20\"): a blank never joins "
       "them"},
  };
  for (const auto& c : cases) {
    Target t;
    std::string error;
    EXPECT_FALSE(ReadTarget(c.text, 1, &t, &error)) << c.text;
    EXPECT_EQ(c.error, error) << c.text;
  }
}

// A bare "1" names every series that lists a 1 inch or #1 size and both
// pitches it may be, whatever the order of the tables.
TEST(Designation, BareOneNamesEveryCandidate) {
  Target t;
  std::string error;
  ASSERT_FALSE(ReadTarget("1", 1, &t, &error));
  for (const char* candidate :
       {"#1-64 UNC", "1-8 UNC", "#1-72 UNF", "1-12 UNF", "1 BSW", "1 BSF", "; or 1mm, 1tpi"})
    EXPECT_NE(std::string::npos, error.find(candidate)) << candidate << " in " << error;
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

TEST(Designation, MachinistText) {
  struct {
    const char* text;
    const char* plain;
  } cases[] = {
      {"  1 1/8-7  UNC ", "1-1/8-7 unc"},
      {"11\xc2\xbd TPI", "11-1/2 tpi"},
      {"\xc2\xbd", "1/2"},
      {"0.1 mm / rev", "0.1 mm/rev"},
      {"3/8\" BSW", "3/8 bsw"},
      {"M6 \xc3\x97 0.75", "m6 x 0.75"},
      {"1.5 1/2", "1.5 1/2"},
      {"1/4 1/2", "1/4 1/2"},
      {"2 BA", "2 ba"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.plain, MachinistText(c.text)) << c.text;
}

}  // namespace
}  // namespace cog
