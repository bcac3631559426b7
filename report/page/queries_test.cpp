// The page's queries: every refusal names the input the page marks, and each
// bound is taken at its last good value and the first bad one.

#include "report/page/queries.h"

#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>

namespace cog {
namespace {

using json = nlohmann::json;

// The small lathe of testing/small_lathe.h, as the page holds it.
constexpr const char* kLathe = R"({"leadscrew": "2mm", "gears": [20, 30, 40, 60],
    "gearbox": [{"name": "A", "ratio": "1/1"}, {"name": "B", "ratio": "1/2"}],
    "thread_dial": {"teeth": 16, "marks": 4}, "max_error_percent": 0.5})";

std::string SixtyGears() {
  std::string gears;
  for (int t = 20; t < 80; ++t) gears += (gears.empty() ? "" : ", ") + std::to_string(t);
  return R"({"leadscrew": "2mm", "gears": [)" + gears + "]}";
}

TEST(Queries, EveryRefusalNamesItsInput) {
  const std::string sixty = SixtyGears();
  struct {
    const char* what;
    std::function<std::string()> ask;
    const char* input;  // "": answered
  } cases[] = {
      {"syntax", [] { return ThreadQuery("{", "1mm", 1, 10, false); }, "profile"},
      {"not an object", [] { return ThreadQuery("[]", "1mm", 1, 10, false); }, "profile"},
      {"unknown key",
       [] { return ThreadQuery(R"({"leadscrew": "2mm", "gear": [20]})", "1mm", 1, 1, false); },
       "gear"},
      {"bad lead screw",
       [] { return ThreadQuery(R"({"leadscrew": "2", "gears": [20]})", "1mm", 1, 1, false); },
       "leadscrew"},
      {"bad gear",
       [] { return ThreadQuery(R"({"leadscrew": "2mm", "gears": [2]})", "1mm", 1, 1, false); },
       "gears"},
      {"no lead screw", [] { return ThreadQuery(R"({"gears": [20, 30]})", "1mm", 1, 10, false); },
       "leadscrew"},
      {"no gears", [] { return TrainQuery(R"({"leadscrew": "2mm"})", "20,30,40", "", 1); },
       "gears"},
      {"bad target", [] { return ThreadQuery(kLathe, "1,25mm", 1, 10, false); }, "target"},
      {"empty target", [] { return ThreadQuery(kLathe, "", 1, 10, false); }, "target"},
      {"unknown size", [] { return ThreadQuery(kLathe, "M7.5", 1, 10, false); }, "target"},
      {"starts 0", [] { return ThreadQuery(kLathe, "1mm", 0, 10, false); }, "starts"},
      {"starts 1", [] { return ThreadQuery(kLathe, "1mm", 1, 10, false); }, ""},
      {"starts 100", [] { return ThreadQuery(kLathe, "1mm", 100, 10, false); }, ""},
      {"starts 101", [] { return ThreadQuery(kLathe, "1mm", 101, 10, false); }, "starts"},
      {"top 0", [] { return ThreadQuery(kLathe, "1mm", 1, 0, false); }, "top"},
      {"top 1000", [] { return ThreadQuery(kLathe, "1mm", 1, 1000, true); }, ""},
      {"top 1001", [] { return ThreadQuery(kLathe, "1mm", 1, 1001, false); }, "top"},
      {"train target", [] { return TrainQuery(kLathe, "20,30,40", "1 mm/min", 1); }, "target"},
      {"train starts 0", [] { return TrainQuery(kLathe, "20,30,40", "1mm", 0); }, "starts"},
      {"train starts 101", [] { return TrainQuery(kLathe, "20,30,40", "1mm", 101); }, "starts"},
      {"train starts 100", [] { return TrainQuery(kLathe, "20,30,40", "1mm", 100); }, ""},
      {"two gears", [] { return TrainQuery(kLathe, "20,30", "", 1); }, "train"},
      {"five gears", [] { return TrainQuery(kLathe, "20,30,40,60,20", "", 1); }, "train"},
      {"not gears", [] { return TrainQuery(kLathe, "20,x,40", "", 1); }, "train"},
      {"no series", [] { return ChartQuery(kLathe, ""); }, "series"},
      {"unknown series", [] { return ChartQuery(kLathe, "me,nope"); }, "series"},
      {"series twice", [] { return ChartQuery(kLathe, "me,me"); }, "series"},
      {"trailing comma", [] { return ChartQuery(kLathe, "me,"); }, "series"},
      {"chart", [] { return ChartQuery(kLathe, "me,ba"); }, ""},
      {"advice series", [] { return SuggestQuery(kLathe, "nope", 20, 30); }, "series"},
      {"from 7", [] { return SuggestQuery(kLathe, "me", 7, 30); }, "from"},
      {"from 8 to 8", [] { return SuggestQuery(kLathe, "me", 8, 8); }, ""},
      {"from 300 to 300", [] { return SuggestQuery(kLathe, "me", 300, 300); }, ""},
      {"to 301", [] { return SuggestQuery(kLathe, "me", 290, 301); }, "to"},
      {"from above to", [] { return SuggestQuery(kLathe, "me", 31, 30); }, "from"},
      // 150 candidates at 2 positions are the most trials; 151 too many.
      {"150 candidates", [] { return SuggestQuery(kLathe, "me", 151, 300); }, ""},
      {"151 candidates", [] { return SuggestQuery(kLathe, "me", 150, 300); }, "from"},
      {"full set", [&] { return SuggestQuery(sixty, "me", 20, 30); }, "gears"},
      {"gear list", [] { return GearListQuery("20-"); }, "gears"},
  };
  for (const auto& c : cases) {
    const json answer = json::parse(c.ask());
    if (!*c.input) {
      EXPECT_FALSE(answer.contains("error")) << c.what << ": " << answer.dump();
      EXPECT_TRUE(answer.contains("view")) << c.what;
      continue;
    }
    ASSERT_TRUE(answer.contains("error")) << c.what << ": " << answer.dump();
    EXPECT_EQ(c.input, answer.value("input", "")) << c.what << ": " << answer.dump();
    EXPECT_FALSE(answer.value("error", "").empty()) << c.what;
  }
}

// As many trains as asked for, best first: the one exact simple train first.
TEST(Queries, TopRows) {
  for (int top : {1, 2, 5}) {
    const json answer = json::parse(ThreadQuery(kLathe, "1mm", 1, top, true));
    ASSERT_EQ(static_cast<std::size_t>(top), answer["trains"].size());
    ASSERT_EQ(static_cast<std::size_t>(top), answer["view"]["rows"].size());
    EXPECT_EQ((std::vector<int>{20, 30, 40}), answer["trains"][0]["gears"].get<std::vector<int>>());
    EXPECT_EQ("A", answer["view"]["rows"][0][3].get<std::string>());
  }
  // Every row the set makes: fewer than 1000, the same with a larger top.
  const json all = json::parse(ThreadQuery(kLathe, "1mm", 1, 1000, true));
  EXPECT_LT(5u, all["trains"].size());
  EXPECT_EQ(all, json::parse(ThreadQuery(kLathe, "1mm", 1, 999, true)));
}

// The lead is multiplied by the starts: 0.25 mm x 4 is the 1 mm train.
TEST(Queries, StartsMultiplyTheLead) {
  const json answer = json::parse(ThreadQuery(kLathe, "0.25mm", 4, 1, false));
  EXPECT_EQ(4, answer["target"]["starts"].get<int>());
  EXPECT_EQ(1.0, answer["target"]["lead_mm"].get<double>());
  EXPECT_EQ((std::vector<int>{20, 30, 40}), answer["trains"][0]["gears"].get<std::vector<int>>());
}

// The chart of two series that share leads keeps a line per lead of each.
TEST(Queries, ChartLinesPerSeries) {
  const json answer = json::parse(ChartQuery(kLathe, "iso-coarse,iso-fine"));
  ASSERT_EQ(2u, answer["view"]["sections"].size());
  EXPECT_EQ("iso-coarse", answer["view"]["sections"][0]["series"].get<std::string>());
  EXPECT_EQ("iso-fine", answer["view"]["sections"][1]["series"].get<std::string>());
  EXPECT_EQ(13u, answer["view"]["sections"][1]["rows"].size());  // ISO 261's fine pitches
}

}  // namespace
}  // namespace cog
