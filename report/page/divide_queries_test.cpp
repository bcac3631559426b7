// The dividing head's page queries: every refusal names the field the page
// marks, and the view's cells agree with the indexing worked by hand.

#include "report/page/divide_queries.h"

#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>

namespace cog {
namespace {

using json = nlohmann::json;
using Cells = std::vector<std::string>;

// The common 40:1 head with three plates, as a head file writes it.
constexpr const char* kHead = R"({"name": "test head", "ratio": 40,
  "plates": [[15, 16, 17, 18, 19, 20], [21, 23, 27, 29, 31, 33], [37, 39, 41, 43, 47, 49]],
  "gears": [24, 24, 28, 32, 40, 44, 48, 56, 64, 72, 86, 100], "table_leadscrew": "4tpi"})";

// 192 circles, 809 to 1000 holes, on a 1260:1 head whose two gears reach
// every approximate number above N: a chart of 1000 numbers is over the
// budget, one of 400 within it.
std::string WideHead() {
  std::string plates;
  for (int p = 0; p < 12; ++p) {
    plates += p ? ",[" : "[";
    for (int c = 0; c < 16; ++c)
      plates.append(c ? "," : "").append(std::to_string(809 + p + 12 * c));
    plates += "]";
  }
  return R"({"ratio": 1260, "gears": [8, 300], "plates": [)" + plates + "]}";
}

TEST(DivideQueries, EveryRefusalNamesItsInput) {
  struct {
    std::function<std::string()> ask;
    const char* input;
  } cases[] = {
      {[] { return DivideQuery("{", "6", 5); }, "head"},
      {[] { return DivideQuery(R"({"ratio": 0})", "6", 5); }, "ratio"},
      {[] { return DivideQuery(R"({"ratio": 40, "differential": true})", "6", 5); },
       "differential"},
      {[] { return DivideQuery(kHead, "0", 5); }, "divisions"},
      {[] { return DivideQuery(kHead, "100001", 5); }, "divisions"},
      {[] { return DivideQuery(kHead, "12.5", 5); }, "divisions"},
      {[] { return DivideQuery(kHead, "6", 0); }, "top"},
      {[] { return DivideQuery(kHead, "6", 1001); }, "top"},
      {[] { return DivideChartQuery(kHead, 0, 5); }, "from"},
      {[] { return DivideChartQuery(kHead, 5, 2); }, "to"},
      {[] { return DivideChartQuery(kHead, 1, 1001); }, "to"},
      {[] { return DivideChartQuery(kHead, 2, 100001); }, "to"},
      {[] { return HelixQuery(kHead, "abc", 5, false, ""); }, "lead"},
      {[] { return HelixQuery(kHead, "250mm", 5, false, "0"); }, "max_error"},
      {[] { return HelixQuery(kHead, "250mm", 0, false, ""); }, "top"},
      {[] { return HelixQuery(R"({"ratio": 40})", "250mm", 5, false, ""); }, "head"},
      {[] { return HelixQuery(kHead, "250mm", 5, false, "0.000000000000000001"); }, "max_error"},
      {[] { return HelixQuery(kHead, "1e18mm", 5, true, ""); }, "lead"},
      {[] { return DivideChartQuery(WideHead(), 1, 1000); }, "to"},
      {[] { return DivideChartQuery(WideHead(), 1, 400); }, "answered"},
  };
  for (const auto& c : cases) {
    const json answer = json::parse(c.ask());
    EXPECT_EQ(answer.value("input", "answered"), c.input) << answer.dump();
    EXPECT_EQ(answer.value("error", "").empty(), c.input == std::string("answered"))
        << answer.dump();
  }
  // The last good values are answered.
  EXPECT_FALSE(json::parse(DivideQuery(kHead, "100000", 1000)).contains("error"));
  EXPECT_FALSE(json::parse(DivideChartQuery(kHead, 1, 1000)).contains("error"));
}

TEST(DivideQueries, OnlyAMissingRatioIsAHeadBeingSetUp) {
  const struct {
    const char* head;
    const char* input;
    bool missing;
  } cases[] = {
      {R"({"name": "New head"})", "ratio", true},
      {R"({"name": "New head", "plates": [[15, 16]]})", "ratio", true},
      // Something else is wrong, with the ratio missing or not.
      {R"({"name": "x", "ratio": "0"})", "ratio", false},
      {R"({"name": 5})", "name", false},
      {R"({"plates": [[1]]})", "plates", false},
      {R"({"worm": 1})", "worm", false},
      {R"({"name": "x", "name": "y"})", "head", false},
      {R"([{"ratio": 40}])", "head", false},
      {R"({"name": )", "head", false},
  };
  for (const auto& c : cases) {
    const json answer = json::parse(HeadQuery(c.head));
    EXPECT_EQ(answer.value("input", "answered"), c.input) << c.head;
    EXPECT_EQ(answer.value("missing", !c.missing), c.missing) << c.head;
  }
  EXPECT_TRUE(json::parse(HeadQuery(kHead))["ok"]);
}

TEST(DivideQueries, CellsAreTheIndexingWorkedByHand) {
  // 6 divisions: 40/6 = 6 2/3 turns, 2/3 = 10/15 in the smallest circle.
  const json six = json::parse(DivideQuery(kHead, "6", 3));
  ASSERT_EQ(six["view"]["rows"].size(), six["ways"].size());
  EXPECT_EQ(six["view"]["rows"][0].get<Cells>(), (Cells{"1", "simple", "6", "10", "15", "1", ""}));
  EXPECT_EQ(six["view"]["ways"].size(), six["ways"].size());
  // A chart line: 3 divisions, 13 1/3 turns = 13 turns and 5 of 15.
  const json chart = json::parse(DivideChartQuery(kHead, 2, 5));
  ASSERT_EQ(chart["view"]["rows"].size(), 4u);
  EXPECT_EQ(chart["view"]["rows"][1].get<Cells>(), (Cells{"3", "40/3", "13", "5", "15", "1", ""}));
  // 4 tpi = 6.35 mm, x 40 = 254 mm: a 1:1 train cuts it exactly.
  const json helix = json::parse(HelixQuery(kHead, "254mm", 3, false, ""));
  const Cells best = helix["view"]["rows"][0].get<Cells>();
  EXPECT_EQ(best[3], "1/1");
  EXPECT_EQ(best[5], "0.0000");
}

}  // namespace
}  // namespace cog
