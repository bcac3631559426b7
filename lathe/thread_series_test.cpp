// The built-in series against lists typed from the published standards, in
// the shape each standard prints them (not the tables' shape): every thread
// a standard lists must be in its series once, with that lead, and a series
// holds nothing the standard does not list.

#include "lathe/thread_series.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "gears/fraction_text.h"
#include "lathe/target.h"
#include "numtext/testing/long_double_bits.h"

namespace cog {
namespace {

// ISO 261 table 1: nominal diameter, choice (1, 2 or 3), coarse pitch ("-"
// where there is none), then after "|" the fine pitches as printed.
constexpr const char* kIso261 = R"(
1 1 0.25 | 0.2
1.1 2 0.25 | 0.2
1.2 1 0.25 | 0.2
1.4 2 0.3 | 0.2
1.6 1 0.35 | 0.2
1.8 2 0.35 | 0.2
2 1 0.4 | 0.25
2.2 2 0.45 | 0.25
2.5 1 0.45 | 0.35
3 1 0.5 | 0.35
3.5 2 0.6 | 0.35
4 1 0.7 | 0.5
4.5 2 0.75 | 0.5
5 1 0.8 | 0.5
5.5 3 - | 0.5
6 1 1 | 0.75
7 2 1 | 0.75
8 1 1.25 | 1 0.75
9 3 1.25 | 1 0.75
10 1 1.5 | 1.25 1 0.75
11 3 1.5 | 1 0.75
12 1 1.75 | 1.5 1.25 1
14 2 2 | 1.5 1.25 1
15 3 - | 1.5 1
16 1 2 | 1.5 1
17 3 - | 1.5 1
18 2 2.5 | 2 1.5 1
20 1 2.5 | 2 1.5 1
22 2 2.5 | 2 1.5 1
24 1 3 | 2 1.5 1
25 3 - | 2 1.5 1
26 3 - | 1.5
27 2 3 | 2 1.5 1
28 3 - | 2 1.5 1
30 1 3.5 | 3 2 1.5 1
32 3 - | 2 1.5
33 2 3.5 | 3 2 1.5
35 3 - | 1.5
36 1 4 | 3 2 1.5
38 3 - | 1.5
39 2 4 | 3 2 1.5
40 3 - | 3 2 1.5
42 1 4.5 | 4 3 2 1.5
45 2 4.5 | 4 3 2 1.5
48 1 5 | 4 3 2 1.5
50 3 - | 3 2 1.5
52 2 5 | 4 3 2 1.5
55 3 - | 4 3 2 1.5
56 1 5.5 | 4 3 2 1.5
58 3 - | 4 3 2 1.5
60 2 5.5 | 4 3 2 1.5
62 3 - | 4 3 2 1.5
64 1 6 | 4 3 2 1.5
65 3 - | 4 3 2 1.5
68 2 6 | 4 3 2 1.5
70 3 - | 6 4 3 2 1.5
72 1 - | 6 4 3 2 1.5
75 3 - | 4 3 2 1.5
76 2 - | 6 4 3 2 1.5
78 3 - | 2
80 1 - | 6 4 3 2 1.5
82 3 - | 2
85 2 - | 6 4 3 2
90 1 - | 6 4 3 2
95 2 - | 6 4 3 2
100 1 - | 6 4 3 2
105 2 - | 6 4 3 2
110 1 - | 6 4 3 2
115 2 - | 6 4 3 2
120 2 - | 6 4 3 2
125 1 - | 8 6 4 3 2
130 2 - | 8 6 4 3 2
135 3 - | 6 4 3 2
140 1 - | 8 6 4 3 2
145 3 - | 6 4 3 2
150 2 - | 8 6 4 3 2
155 3 - | 6 4 3
160 1 - | 8 6 4 3
165 3 - | 6 4 3
170 2 - | 8 6 4 3
175 3 - | 6 4 3
180 1 - | 8 6 4 3
185 3 - | 6 4 3
190 2 - | 8 6 4 3
195 3 - | 6 4 3
200 1 - | 8 6 4 3
205 3 - | 6 4 3
210 2 - | 8 6 4 3
215 3 - | 6 4 3
220 1 - | 8 6 4 3
225 3 - | 6 4 3
230 3 - | 8 6 4 3
235 3 - | 6 4 3
240 2 - | 8 6 4 3
245 3 - | 6 4 3
250 1 - | 8 6 4 3
255 3 - | 6 4
260 2 - | 8 6 4
265 3 - | 6 4
270 3 - | 8 6 4
275 3 - | 6 4
280 1 - | 8 6 4
285 3 - | 6 4
290 3 - | 8 6 4
295 3 - | 6 4
300 2 - | 8 6 4
)";

// ASME B1.1 table 2 as it is printed, a line per size: UNC, UNF, UNEF, 8-UN,
// 12-UN and 16-UN threads per inch, "-" where the series has none (or where
// the pitch is the size's UNC or UNF one, designated so).
constexpr const char* kUnified = R"(
#0 - 80 - - - -
#1 64 72 - - - -
#2 56 64 - - - -
#3 48 56 - - - -
#4 40 48 - - - -
#5 40 44 - - - -
#6 32 40 - - - -
#8 32 36 - - - -
#10 24 32 - - - -
#12 24 28 32 - - -
1/4 20 28 32 - - -
5/16 18 24 32 - - -
3/8 16 24 32 - - -
7/16 14 20 28 - - 16
1/2 13 20 28 - - 16
9/16 12 18 24 - - 16
5/8 11 18 24 - 12 16
3/4 10 16 20 - 12 -
7/8 9 14 20 - 12 16
1 8 12 20 - - 16
1-1/8 7 12 18 8 - 16
1-1/4 7 12 18 8 - 16
1-3/8 6 12 18 8 - 16
1-1/2 6 12 18 8 - 16
1-5/8 - - 18 8 12 16
1-3/4 5 - - 8 12 16
1-7/8 - - - 8 12 16
2 4.5 - - 8 12 16
2-1/4 4.5 - - 8 12 16
2-1/2 4 - - 8 12 16
2-3/4 4 - - 8 12 16
3 4 - - 8 12 16
3-1/4 4 - - 8 12 16
3-1/2 4 - - 8 12 16
3-3/4 4 - - 8 12 16
4 4 - - 8 12 16
)";

// ISO 2904 (the diameter-pitch plan of ISO 2902): diameter, then its pitches.
constexpr const char* kIso2904 = R"(
8 1.5
9 2 1.5
10 2 1.5
11 3 2
12 3 2
14 3 2
16 4 2
18 4 2
20 4 2
22 8 5 3
24 8 5 3
26 8 5 3
28 8 5 3
30 10 6 3
32 10 6 3
34 10 6 3
36 10 6 3
38 10 7 3
40 10 7 3
42 10 7 3
44 12 7 3
46 12 8 3
48 12 8 3
50 12 8 3
52 12 8 3
55 14 9 3
60 14 9 3
65 16 10 4
70 16 10 4
75 16 10 4
80 16 10 4
85 18 12 4
90 18 12 4
95 18 12 4
100 20 12 4
105 20 12 4
110 20 12 4
115 22 14 6
120 22 14 6
)";

// Threads per inch (or mm for BA) by size, as the tables of each standard
// print them, "size tpi" pairs; a size with several pitches is repeated.
constexpr const char* kBsw = R"(
1/16 60  3/32 48  1/8 40  5/32 32  3/16 24  7/32 24  1/4 20  5/16 18  3/8 16
7/16 14  1/2 12  9/16 12  5/8 11  11/16 11  3/4 10  7/8 9  1 8  1-1/8 7
1-1/4 7  1-1/2 6  1-3/4 5  2 4.5
)";
constexpr const char* kBsf = R"(
3/16 32  7/32 28  1/4 26  9/32 26  5/16 22  3/8 20  7/16 18  1/2 16  9/16 16
5/8 14  11/16 14  3/4 12  7/8 11  1 10  1-1/8 9  1-1/4 9  1-3/8 8  1-1/2 8
1-5/8 8  1-3/4 7  2 7
)";
// ISO 228-1 table 1, every size from 1/16 to 6.
constexpr const char* kIso228 = R"(
G1/16 28  G1/8 28  G1/4 19  G3/8 19  G1/2 14  G5/8 14  G3/4 14  G7/8 14
G1 11  G1-1/8 11  G1-1/4 11  G1-1/2 11  G1-3/4 11  G2 11  G2-1/4 11
G2-1/2 11  G2-3/4 11  G3 11  G3-1/2 11  G4 11  G4-1/2 11  G5 11  G5-1/2 11  G6 11
)";
// ISO 7-1 table 1.
constexpr const char* kIso7 = R"(
R1/16 28  R1/8 28  R1/4 19  R3/8 19  R1/2 14  R3/4 14  R1 11  R1-1/4 11  R1-1/2 11
R2 11  R2-1/2 11  R3 11  R4 11  R5 11  R6 11
)";
// ASME B1.20.1 table 2, NPT.
constexpr const char* kNpt = R"(
1/16 27  1/8 27  1/4 18  3/8 18  1/2 14  3/4 14  1 11.5  1-1/4 11.5  1-1/2 11.5
2 11.5  2-1/2 8  3 8  3-1/2 8  4 8  5 8  6 8  8 8  10 8  12 8
)";
// British brass threads, all 26 tpi.
constexpr const char* kBsb = R"(
1/8 26  1/4 26  3/8 26  1/2 26  5/8 26  3/4 26  7/8 26  1 26  1-1/8 26  1-1/4 26  1-1/2 26
)";
// ASME B1.5, general purpose ACME, the recommended pitch of each size.
constexpr const char* kAcme = R"(
1/4 16  5/16 14  3/8 12  7/16 12  1/2 10  5/8 8  3/4 6  7/8 6  1 5  1-1/8 5  1-1/4 5
1-3/8 4  1-1/2 4  1-3/4 4  2 4  2-1/4 3  2-1/2 3  2-3/4 3  3 2  3-1/2 2  4 2  4-1/2 2  5 2
)";
// BS 93, pitch in mm.
constexpr const char* kBa = R"(
0BA 1  1BA 0.9  2BA 0.81  3BA 0.73  4BA 0.66  5BA 0.59  6BA 0.53  7BA 0.48
8BA 0.43  9BA 0.39  10BA 0.35  11BA 0.31  12BA 0.28  13BA 0.25  14BA 0.23
15BA 0.21  16BA 0.19
)";
// Model Engineer: the sizes made in each pitch.
constexpr const char* kMe = R"(
1/8 ME40 40  5/32 ME32 32  5/32 ME40 40  3/16 ME32 32  3/16 ME40 40
7/32 ME32 32  7/32 ME40 40  1/4 ME32 32  1/4 ME40 40  9/32 ME32 32
9/32 ME40 40  5/16 ME32 32  5/16 ME40 40  3/8 ME32 32  3/8 ME40 40
7/16 ME32 32  7/16 ME40 40  1/2 ME32 32  1/2 ME40 40
)";
// ISO 54 series I and II, with the fine modules of DIN 780 below 1.
constexpr const char* kModules =
    "0.5 0.6 0.7 0.75 0.8 0.9 1 1.125 1.25 1.375 1.5 1.75 2 2.25 2.5 2.75 3 3.5 4 4.5 5 5.5 6";
constexpr const char* kDiametralPitches = "8 10 12 14 16 18 20 24 32 40 48 64";

// A thread as expected: the size as the series names it and the target text
// of its lead, read by ReadTarget to compare leads, not texts.
using Expected = std::vector<std::pair<std::string, std::string>>;

// "size value" pairs; the size may hold a blank ("1/4 ME40"), so a pair
// ends at the first token that is a plain number.
Expected Pairs(const char* list, const char* unit) {
  std::istringstream in(list);
  Expected out;
  std::string token, size;
  while (in >> token) {
    Fraction f;
    std::string why;
    if (!size.empty() && ReadFraction(token, &f, &why)) {
      out.push_back({size, token + unit});
      size.clear();
    } else {
      size += (size.empty() ? "" : " ") + token;
    }
  }
  EXPECT_TRUE(size.empty()) << "a size without a pitch: " << size;
  return out;
}

// ISO 261's lines as the coarse ("M8") and fine ("M8x1") threads of the
// diameters up to `largest` of choices up to `choice`.
void Iso261(int choice, double largest, Expected* coarse, Expected* fine) {
  std::istringstream lines(kIso261);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream in(line);
    std::string d, pitch, bar;
    int c = 0;
    if (!(in >> d >> c >> pitch >> bar)) continue;
    EXPECT_EQ("|", bar) << line;
    if (c > choice || std::stod(d) > largest) continue;
    if (pitch != "-") coarse->push_back({"M" + d, pitch + "mm"});
    while (in >> pitch) fine->push_back({"M" + d + "x" + pitch, pitch + "mm"});
  }
}

// The Unified table's column `column` (0 for UNC).
Expected UnifiedColumn(int column) {
  std::istringstream lines(kUnified);
  std::string line;
  Expected out;
  while (std::getline(lines, line)) {
    std::istringstream in(line);
    std::string size, tpi[6];
    if (!(in >> size)) continue;
    for (std::string& t : tpi) EXPECT_TRUE(in >> t) << line;
    if (tpi[column] != "-") out.push_back({size, tpi[column] + "tpi"});
  }
  return out;
}

Expected Trapezoidal() {
  std::istringstream lines(kIso2904);
  std::string line;
  Expected out;
  while (std::getline(lines, line)) {
    std::istringstream in(line);
    std::string d, pitch;
    if (!(in >> d)) continue;
    while (in >> pitch) out.push_back({"Tr" + d + "x" + pitch, pitch + "mm"});
  }
  return out;
}

Expected Worms(const char* list, const char* size_prefix, const char* target_prefix) {
  std::istringstream in(list);
  Expected out;
  std::string n;
  while (in >> n) out.push_back({size_prefix + n, target_prefix + n});
  return out;
}

void ExpectSeries(const char* name, const Expected& published) {
  const ThreadSeries* series = FindSeries(name);
  ASSERT_NE(nullptr, series) << name;
  std::map<std::string, int> seen;
  for (const auto& [size, lead_text] : published) {
    Target want;
    std::string error;
    ASSERT_TRUE(ReadTarget(lead_text, 1, &want, &error)) << error;
    int found = 0;
    for (const ThreadEntry& thread : series->threads) {
      if (size != thread.size) continue;
      ++found;
      Target got;
      ASSERT_TRUE(ReadTarget(thread.target, 1, &got, &error)) << error;
      EXPECT_EQ(want.lead.exact, got.lead.exact) << name << " " << size;
      EXPECT_EQ(testing::ToLongDouble(want.lead.approx_mm),
                testing::ToLongDouble(got.lead.approx_mm))
          << name << " " << size << ": " << thread.target << ", published " << lead_text;
      if (want.lead.exact) {
        EXPECT_EQ(want.lead.mm, got.lead.mm) << name << " " << size;
      }
    }
    EXPECT_EQ(1, found) << name << " " << size << " is listed " << found << " times";
    ++seen[size];
  }
  for (const ThreadEntry& thread : series->threads)
    EXPECT_EQ(1, seen.count(thread.size))
        << name << " lists " << thread.size << ", which the standard does not";
}

TEST(ThreadSeriesTest, EverySeriesIsThePublishedList) {
  Expected coarse, fine;
  Iso261(3, 300, &coarse, &fine);
  ExpectSeries("iso-coarse", coarse);
  ExpectSeries("iso-fine", fine);
  const char* unified[] = {"unc", "unf", "unef", "8-un", "12-un", "16-un"};
  for (int column = 0; column < 6; ++column) ExpectSeries(unified[column], UnifiedColumn(column));
  ExpectSeries("bsw", Pairs(kBsw, "tpi"));
  ExpectSeries("bsf", Pairs(kBsf, "tpi"));
  ExpectSeries("bsp", Pairs(kIso228, "tpi"));
  ExpectSeries("bspt", Pairs(kIso7, "tpi"));
  ExpectSeries("npt", Pairs(kNpt, "tpi"));
  ExpectSeries("bsb", Pairs(kBsb, "tpi"));
  ExpectSeries("acme", Pairs(kAcme, "tpi"));
  ExpectSeries("tr", Trapezoidal());
  ExpectSeries("ba", Pairs(kBa, "mm"));
  ExpectSeries("me", Pairs(kMe, "tpi"));
  ExpectSeries("module", Worms(kModules, "mod", "mod"));
  ExpectSeries("dp", Worms(kDiametralPitches, "DP", "dp"));
}

// The worms' leads are pi times the module, pi x 25.4 / DP: figures worked
// by hand, so that the reader of "mod" and "dp" is not checked by itself.
TEST(ThreadSeriesTest, WormLeadsByHand) {
  Target t;
  std::string error;
  ASSERT_TRUE(ReadTarget("mod1.5", 1, &t, &error)) << error;
  EXPECT_NEAR(4.71238898038468985769L, testing::ToLongDouble(t.lead.approx_mm), 1e-15L);
  ASSERT_TRUE(ReadTarget("dp16", 1, &t, &error)) << error;
  EXPECT_NEAR(4.98727833757379676606L, testing::ToLongDouble(t.lead.approx_mm), 1e-15L);
}

}  // namespace
}  // namespace cog
