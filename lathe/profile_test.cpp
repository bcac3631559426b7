// Lathe profiles and targets as a user writes them: what reads, and the
// message for each kind of mistake, which must name the line and column or
// the key.

#include "lathe/profile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "lathe/target.h"
#include "lathe/thread_series.h"

namespace cog {
namespace {

TEST(ProfileTest, ReadsEveryKeyExactly) {
  LatheProfile p;
  std::string error;
  ASSERT_TRUE(ReadProfile(R"({"name": "n", "leadscrew": "8tpi", "fixed_ratio": 0.8,
      "gearbox": [{"name": "A", "ratio": "1/2"}, {"name": "B", "ratio": 1.5}],
      "gears": [20, 20, 127], "dp": 24, "stud_shaft_mm": 16, "leadscrew_shaft_mm": "12.7",
      "centre_distance_mm": 95.25, "slot_mm": [0, 80], "trains": [6, 2]})",
                          &p, &error))
      << error;
  EXPECT_EQ((Fraction{127, 40}), p.leadscrew_mm);
  EXPECT_EQ((Fraction{4, 5}), p.fixed_ratio);
  ASSERT_EQ(2u, p.gearbox.size());
  EXPECT_EQ((Fraction{3, 2}), p.gearbox[1].ratio);
  EXPECT_EQ((std::vector<int>{20, 20, 127}), p.gears);
  ASSERT_TRUE(p.geometry);
  EXPECT_EQ((Fraction{127, 120}), p.geometry->module);
  EXPECT_EQ((Fraction{127, 10}), p.geometry->leadscrew_shaft);
  EXPECT_EQ((Fraction{381, 4}), p.geometry->centre_distance);
  EXPECT_TRUE(p.trains[0] && !p.trains[1] && p.trains[2]);
}

TEST(ProfileTest, MistakesAreNamed) {
  struct {
    std::string json;
    const char* error;
  } cases[] = {
      {"{\"gears\": [20,\n 30,]}",
       "not a JSON profile: line 2, column 5: syntax error while parsing value - unexpected ']'; "
       "expected '[', '{', or a literal"},
      {"[]", "the profile must be a JSON object, not an array"},
      {R"({"gear": [20]})",
       "unknown key \"gear\" (known: name, leadscrew, fixed_ratio, gearbox, gears, module, dp, "
       "stud_shaft_mm, leadscrew_shaft_mm, centre_distance_mm, slot_mm, trains, tumbler, "
       "thread_dial, keyed, first_driver, max_error_percent)"},
      {R"({"gears": [20, 7]})", "\"gears\"[1]: 7 is not a whole number from 8 to 300"},
      {R"({"gears": [20, 30.5]})", "\"gears\"[1]: 30.5 is not a whole number from 8 to 300"},
      {R"({"gears": ["20"]})", "\"gears\"[0]: a string is not a whole number from 8 to 300"},
      {R"({"gears": []})", "\"gears\" lists no gears"},
      {R"({"gears": 20})", "\"gears\" must be an array of tooth counts or a gear list text"},
      {R"({"gears": "20,,30"})", "\"gears\": \"\" is not a whole number from 8 to 300"},
      {R"({"module": 1, "dp": 24})", "give \"module\" or \"dp\", not both"},
      {R"({"module": 1, "slot_mm": [1, 2]})",
       "\"slot_mm\" needs both a \"module\" (or \"dp\") and \"centre_distance_mm\""},
      {R"({"centre_distance_mm": 90, "stud_shaft_mm": 12})",
       "\"stud_shaft_mm\" needs both a \"module\" (or \"dp\") and \"centre_distance_mm\""},
      {R"({"trains": []})", "\"trains\" must be a non-empty array of 2, 4 and 6"},
      {R"({"trains": [3]})", "\"trains\": 3 is not a train size (2, 4 or 6)"},
      {R"({"fixed_ratio": "0/1"})", "\"fixed_ratio\" must be above zero"},
      {R"({"leadscrew": "-2mm"})", "\"leadscrew\": \"-2mm\" must be above zero"},
      {R"({"leadscrew": "m1"})",
       "\"leadscrew\": \"m1\" is not a lead screw (write it as 1.5mm, 8tpi or 0.0625in)"},
      {R"({"module": -1})", "\"module\" must be above zero"},
      {R"({"stud_shaft_mm": -1})", "\"stud_shaft_mm\" must not be negative"},
      {R"({"gearbox": [{"name": "A"}]})", "\"gearbox\"[0] needs both \"name\" and \"ratio\""},
      {R"({"gearbox": [{"name": "A", "ratio": 1, "speed": 2}]})",
       "\"gearbox\"[0]: unknown or repeated key \"speed\""},
      {R"({"name": "a", "name": "b"})", "\"name\" is given twice"},
      {"{\"module\": 1e400}",
       "not a JSON profile: line 1, column 16: number overflow parsing '1e400'"},
      {std::string("{\"name\": \"a\"}\0{", 15),
       "the profile holds a NUL byte at offset 13: it is not a text file"},
      {R"({"gearbox": [{"name": "A", "ratio": 1}, {"name": "A", "ratio": 2}]})",
       "\"gearbox\"[1]: position name \"A\" is used twice"},
      {R"({"slot_mm": [80, 30]})", "\"slot_mm\": the near end is beyond the far end"},
      {R"({"module": 1.0000000000000000001})",
       "\"module\": \"1.0000000000000000001\" has more than 18 significant digits"},
  };
  for (const auto& c : cases) {
    LatheProfile p;
    std::string error;
    EXPECT_FALSE(ReadProfile(c.json, &p, &error)) << c.json;
    EXPECT_EQ(c.error, error);
  }
  std::string deep(40, '['), error;
  LatheProfile p;
  EXPECT_FALSE(ReadProfile(deep, &p, &error));
  EXPECT_EQ("not a JSON profile: nested more than 32 levels deep", error);
}

TEST(ProfileTest, ShippedProfilesRead) {
  for (const char* name : {"metric-1.5mm", "metric-2mm", "imperial-8tpi"}) {
    std::ifstream file(std::string(COG_SOURCE_DIR "/profiles/") + name + ".json");
    std::stringstream text;
    text << file.rdbuf();
    LatheProfile p;
    std::string error;
    EXPECT_TRUE(ReadProfile(text.str(), &p, &error)) << name << ": " << error;
    EXPECT_EQ(CheckComplete(p).input(), "") << name;
    EXPECT_TRUE(p.geometry) << name;
  }
}

TEST(TargetTest, LeadsOfEveryUnit) {
  struct {
    const char* text;
    int starts;
    std::int64_t num, den;  // den 0: inexact, num/1e6 is the lead rounded
  } cases[] = {
      {"1.25mm", 1, 5, 4},           {"20TPI", 1, 127, 100},  {"0.1mm/rev", 1, 1, 10},
      {"0.004in/rev", 1, 127, 1250}, {"1.5mm", 3, 9, 2},      {"11.5tpi", 1, 254, 115},
      {"mod1.5", 1, 4712389, 0},     {"dp16", 1, 4987278, 0}, {"MODULE 2", 2, 12566371, 0},
      {"0.05 in", 1, 127, 100},      {"M6", 1, 1, 1},         {"1/4-20 LH", 1, 127, 100},
  };
  for (const auto& c : cases) {
    Target t;
    std::string error;
    ASSERT_TRUE(ReadTarget(c.text, c.starts, &t, &error)) << c.text << ": " << error;
    EXPECT_EQ(c.den != 0, t.lead.exact) << c.text;
    if (c.den) {
      EXPECT_EQ((Fraction{c.num, c.den}), t.lead.mm) << c.text;
    }
    if (!c.den) {
      EXPECT_EQ(c.num, std::llround(static_cast<double>(t.lead.approx_mm) * 1e6)) << c.text;
    }
  }
  for (const char* bad : {"1.25", "0mm", "-1tpi", "mm", "1,25 mm", "m", "dp0", "1.25inch", "M7.5",
                          "m1.5", "1/4-19"}) {
    Target t;
    std::string error;
    EXPECT_FALSE(ReadTarget(bad, 1, &t, &error)) << bad;
    EXPECT_NE(std::string::npos, error.find(bad)) << error;
  }
}

// A feed is how far the carriage moves a spindle turn: it has neither
// starts nor a hand, and neither is quietly applied to it.
TEST(TargetTest, AFeedHasNoStartsNorHand) {
  const struct {
    const char* text;
    int starts;
    const char* error;
  } cases[] = {
      {"0.1mm/rev", 2,
       "target \"0.1mm/rev\" is a feed, which has no starts: starts are for threads"},
      {"0.004 ipr", 3,
       "target \"0.004 ipr\" is a feed, which has no starts: starts are for threads"},
      {"0.1 mm/rev LH", 1,
       "target \"0.1 mm/rev LH\" is a feed, which has no hand: LH is for threads"},
      {"0.004in/rev-LH", 1,
       "target \"0.004in/rev-LH\" is a feed, which has no hand: LH is for threads"},
  };
  for (const auto& c : cases) {
    Target t;
    std::string error;
    EXPECT_FALSE(ReadTarget(c.text, c.starts, &t, &error)) << c.text;
    EXPECT_EQ(c.error, error);
  }
}

// A decimal comma, as much of Europe writes it, is refused with the text to
// write instead, whatever the unit.
TEST(TargetTest, DecimalCommaGetsAHint) {
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"1,25mm", "target \"1,25mm\" has a decimal comma: write a point, \"1.25mm\""},
      {"1,25 mm", "target \"1,25 mm\" has a decimal comma: write a point, \"1.25 mm\""},
      {"0,1mm/rev", "target \"0,1mm/rev\" has a decimal comma: write a point, \"0.1mm/rev\""},
      {"11,5tpi", "target \"11,5tpi\" has a decimal comma: write a point, \"11.5tpi\""},
      {"M8x1,25", "target \"M8x1,25\" has a decimal comma: write a point, \"M8x1.25\""},
      {"Tr20x1,5 LH", "target \"Tr20x1,5 LH\" has a decimal comma: write a point, \"Tr20x1.5 LH\""},
  };
  for (const auto& c : cases) {
    Target t;
    std::string error;
    EXPECT_FALSE(ReadTarget(c.text, 1, &t, &error)) << c.text;
    EXPECT_EQ(c.error, error);
  }
  std::string error;
  Fraction lead;
  EXPECT_FALSE(ReadLeadscrew("1,5mm", &lead, &error));
  EXPECT_EQ("\"1,5mm\" has a decimal comma: write a point, \"1.5mm\"", error);
}

TEST(TargetTest, EveryBuiltInThreadReads) {
  for (const ThreadSeries& series : BuiltInSeries()) {
    EXPECT_EQ(&series, FindSeries(series.name));
    EXPECT_FALSE(series.threads.empty()) << series.name;
    for (const ThreadEntry& thread : series.threads) {
      Target t;
      std::string error;
      EXPECT_TRUE(ReadTarget(thread.target, 1, &t, &error)) << series.name << " " << error;
    }
  }
}

TEST(ProfileTest, GearListsAsPeopleWriteThem) {
  struct {
    const char* text;
    std::vector<int> gears;  // empty: refused
  } cases[] = {
      {"20,20,25", {20, 20, 25}},
      {"20-40/10, 127, 2x20", {20, 30, 40, 127, 20, 20}},
      {" 3 \xc3\x97 30 , 8-10", {30, 30, 30, 8, 9, 10}},
      {"2*20.0", {20, 20}},
      {"40-20", {}},
      {"20-40/0", {}},
      {"0x20", {}},
      {"8-300", {}},  // 293 gears, over the 60 a set may have
      {"20,,30", {}},
  };
  for (const auto& c : cases) {
    std::vector<int> gears;
    std::string error;
    EXPECT_EQ(!c.gears.empty(), ReadGearList(c.text, &gears, &error)) << c.text << ": " << error;
    if (!c.gears.empty()) {
      EXPECT_EQ(c.gears, gears) << c.text;
    }
    // A profile's "gears" takes the same text, with the same answer.
    LatheProfile p;
    EXPECT_EQ(!c.gears.empty(),
              ReadProfile(std::string(R"({"gears": ")") + c.text + "\"}", &p, &error))
        << c.text << ": " << error;
    if (!c.gears.empty()) {
      EXPECT_EQ(c.gears, p.gears) << c.text;
    }
  }
}

TEST(ProfileTest, LatheKeys) {
  LatheProfile p;
  std::string error;
  ASSERT_TRUE(ReadProfile(R"({"tumbler": false, "thread_dial": {"teeth": [14, 16], "marks": 8},
      "keyed": [[120, 127]], "first_driver": 56, "max_error_percent": "1/2"})",
                          &p, &error))
      << error;
  EXPECT_FALSE(p.tumbler);
  ASSERT_TRUE(p.dial);
  EXPECT_EQ((std::vector<int>{14, 16}), p.dial->teeth);
  EXPECT_EQ(8, p.dial->marks);
  EXPECT_EQ((std::vector<std::pair<int, int>>{{120, 127}}), p.keyed);
  EXPECT_EQ(56, p.first_driver);
  EXPECT_EQ((Fraction{1, 2}), p.max_error_percent);
  struct {
    const char* json;
    const char* error;
  } bad[] = {
      {R"({"tumbler": 1})", "\"tumbler\" must be true or false"},
      {R"({"thread_dial": {"teeth": 16}})", "\"thread_dial\" needs both \"teeth\" and \"marks\""},
      {R"({"thread_dial": {"teeth": 16, "marks": 0}})",
       "\"thread_dial\".marks must be a whole number from 1 to 64"},
      {R"({"keyed": [[120]]})", "\"keyed\"[0] must be a pair of tooth counts, [120, 127]"},
      {R"({"first_driver": 5})", "\"first_driver\": 5 is not a whole number from 8 to 300"},
  };
  for (const auto& c : bad) {
    EXPECT_FALSE(ReadProfile(c.json, &p, &error)) << c.json;
    EXPECT_EQ(c.error, error);
  }
}

}  // namespace
}  // namespace cog
