#include "divider/head.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace cog {
namespace {

TEST(HeadTest, ReadsRatiosPlatesAndGearsAsTheyAreWritten) {
  const struct {
    const char* json;
    Fraction ratio;
    std::vector<int> gears;
    bool differential;
  } cases[] = {
      {R"({"ratio": 40})", {40, 1}, {}, false},
      {R"({"ratio": "90:1", "gears": "24-40/8, 2x56"})", {90, 1}, {24, 32, 40, 56, 56}, true},
      {R"({"ratio": "5/1", "gears": [20, 30], "differential": false})", {5, 1}, {20, 30}, false},
      {R"({"ratio": 4.5, "table_leadscrew": "5mm"})", {9, 2}, {}, false},
      {R"({"ratio": "120/7", "plates": [[15, 16]], "direct": [24, 36]})", {120, 7}, {}, false},
      // Rotary tables are labelled either way round: N crank turns per turn.
      {R"({"ratio": "1:90"})", {90, 1}, {}, false},
      {R"({"ratio": "90 : 1"})", {90, 1}, {}, false},
      {R"({"ratio": " 1 :40 "})", {40, 1}, {}, false},
      {R"({"ratio": "2:5"})", {5, 2}, {}, false},
      {R"({"ratio": 1})", {1, 1}, {}, false},
      // A million in either part of the ratio is the most a head may have.
      {R"({"ratio": "1000000/999999"})", {1000000, 999999}, {}, false},
      {R"({"ratio": "1000000"})", {1000000, 1}, {}, false},
  };
  for (const auto& c : cases) {
    DividingHead head;
    const Status read = ReadHead(c.json, &head);
    ASSERT_TRUE(read.ok()) << c.json << ": " << read.why();
    EXPECT_EQ(head.ratio, c.ratio) << c.json;
    EXPECT_EQ(head.gears, c.gears) << c.json;
    EXPECT_EQ(head.differential, c.differential) << c.json;
  }
}

TEST(HeadTest, RefusalsNameTheKey) {
  const struct {
    const char* json;
    const char* key;
    const char* error;
  } cases[] = {
      {R"({"plates": [[15]]})", "ratio", "\"ratio\" is not given"},
      {R"({"ratio": 0})", "ratio", "\"ratio\" must be above zero"},
      {R"({"ratio": "40:0"})", "ratio", "\"ratio\": \"40:0\" divides by zero"},
      {R"({"ratio": 0.5})", "ratio",
       "\"ratio\": 0.5 is below 1, and a head turns its crank more than its spindle (write 2 or "
       "\"1:2\")"},
      {R"({"ratio": "1/40"})", "ratio",
       "\"ratio\": \"1/40\" is below 1, and a head turns its crank more than its spindle (write "
       "40 or \"1:40\")"},
      {R"({"ratio": "1: "})", "ratio", "\"ratio\": \"1: \" is not a ratio N:1 or 1:N"},
      {R"({"ratio": 90, "dial": 1})", "dial",
       "\"dial\" must be the handwheel dial's graduations, a whole number from 2 to 10000"},
      {R"({"ratio": 40, "plate_moves": "no"})", "plate_moves",
       "\"plate_moves\" must be true or false"},
      {R"({"ratio": "1/1000001"})", "ratio",
       "\"ratio\": \"1/1000001\" is beyond any head (at most 1000000 in each part of the ratio)"},
      {R"({"ratio": "2000000/3"})", "ratio",
       "\"ratio\": \"2000000/3\" is beyond any head (at most 1000000 in each part of the ratio)"},
      {R"({"ratio": [40]})", "ratio",
       "\"ratio\" must be a number or a ratio text (40, \"90:1\", \"5/1\"), not an array"},
      {R"({"ratio": 40, "plates": [[15, 1]]})", "plates",
       "\"plates\"[0][1]: 1 is not a whole number of holes from 2 to 1000"},
      {R"({"ratio": 40, "plates": [[15, 17, 15]]})", "plates",
       "\"plates\"[0][2]: the circle of 15 holes is listed twice"},
      {R"({"ratio": 40, "plates": []})", "plates",
       "\"plates\" must be a non-empty list of plates, [[15, 16, 17], [21, 23]]"},
      {R"({"ratio": 40, "gears": [24, 7]})", "gears",
       "\"gears\"[1]: 7 is not a whole number from 8 to 300"},
      {R"({"ratio": 40, "differential": true})", "differential",
       "\"differential\" is true, but the head has no \"gears\" to gear the plate to the spindle"},
      {R"({"ratio": 40, "reverse": 1})", "reverse", "\"reverse\" must be true or false"},
      {R"({"ratio": 40, "table_leadscrew": "4"})", "table_leadscrew",
       "\"table_leadscrew\": \"4\" is not a length (write it as 250mm or 9.5in, or a pitch as "
       "4tpi)"},
      {R"({"ratio": 40, "ratio": 60})", "", "\"ratio\" is given twice"},
      {R"({"ratio": 40, "worm": 1})", "worm",
       "unknown key \"worm\" (known: name, ratio, plates, gears, differential, reverse, direct, "
       "table_leadscrew, plate_moves, dial, short_lead)"},
      {R"([40])", "", "the head must be a JSON object, not an array"},
  };
  for (const auto& c : cases) {
    DividingHead head;
    const Status read = ReadHead(c.json, &head);
    EXPECT_FALSE(read.ok()) << c.json;
    EXPECT_EQ(read.why(), c.error) << c.json;
    EXPECT_EQ(read.input(), c.key) << c.json;
  }
  DividingHead head;
  EXPECT_EQ(ReadHead(std::string(kMaxHeadBytes + 1, ' '), &head).why(),
            "the head file is over 64 KiB, far more than any dividing head needs");
}

// Only a sound object without a ratio is merely missing something: the page
// asks for the ratio then, and blames the file otherwise.
TEST(HeadTest, MissingOnlyWhenTheRatioAloneIsAbsent) {
  const struct {
    const char* json;
    bool refused;
    bool missing;
  } cases[] = {
      {R"({})", true, true},
      {R"({"name": "new head"})", true, true},
      {R"({"ratio": 0})", true, false},
      {R"({"ratio": "1/2000000"})", true, false},
      {R"({"name": "x", "plates": [[15, 1]]})", true, false},
      {R"({"ratio": 40, "worm": 1})", true, false},
      {R"([40])", true, false},
      {R"({"ratio": 40)", true, false},
      {R"({"ratio": 40})", false, false},
  };
  for (const auto& c : cases) {
    DividingHead head;
    const Status read = ReadHead(c.json, &head);
    EXPECT_EQ(!read.ok(), c.refused) << c.json;
    EXPECT_EQ(read.missing(), c.missing) << c.json;
  }
}

// The example heads in profiles/heads/ are read as they ship, and the
// built-in head is the one written out there.
TEST(HeadTest, ExampleHeadsRead) {
  for (const char* name : {"40-1-three-plates", "90-1-rotary-table", "60-1-direct-plate"}) {
    std::ifstream file(std::string(COG_SOURCE_DIR) + "/profiles/heads/" + name + ".json");
    ASSERT_TRUE(file) << name;
    std::stringstream text;
    text << file.rdbuf();
    DividingHead head;
    const Status read = ReadHead(text.str(), &head);
    ASSERT_TRUE(read.ok()) << name << ": " << read.why();
    if (std::string(name) != "40-1-three-plates") continue;
    const DividingHead built_in = BuiltInHead();
    EXPECT_EQ(head.name, built_in.name);
    EXPECT_EQ(head.ratio, built_in.ratio);
    EXPECT_EQ(head.plates, built_in.plates);
    EXPECT_EQ(head.gears, built_in.gears);
    EXPECT_EQ(head.table_leadscrew_mm, built_in.table_leadscrew_mm);
    EXPECT_EQ(head.differential, built_in.differential);
  }
}

}  // namespace
}  // namespace cog
