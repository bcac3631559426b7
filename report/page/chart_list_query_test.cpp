// The page's Chart view takes the list `chart` takes: series and targets,
// comma-separated, in any mix.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "report/page/queries.h"

namespace cog {
namespace {

using nlohmann::json;

constexpr const char* kLathe = R"({"leadscrew": "2mm", "gears": "20-80/5, 127"})";

TEST(ChartListQuery, SeriesAndTargetsInAnyMix) {
  const json answer = json::parse(ChartQuery(kLathe, "bsb, 0.5mm , M3,11 1/2 tpi"));
  ASSERT_FALSE(answer.contains("error")) << answer.dump();
  std::vector<std::string> series, titles;
  for (const json& s : answer["view"]["sections"]) {
    series.push_back(s["series"]);
    titles.push_back(s["title"]);
  }
  EXPECT_EQ((std::vector<std::string>{"bsb", "list"}), series);
  EXPECT_EQ("Your list", titles[1]);
  // One line per lead: 0.5mm and M3 share one; 11 1/2 tpi is 254/115 mm.
  std::vector<std::vector<std::string>> own;
  for (const json& row : answer["rows"])
    if (row["series"] == "list") own.push_back(row["sizes"]);
  EXPECT_EQ((std::vector<std::vector<std::string>>{{"0.5mm", "M3"}, {"11 1/2 tpi"}}), own);
}

TEST(ChartListQuery, AnItemThatIsNeitherIsNamed) {
  const json answer = json::parse(ChartQuery(kLathe, "unc,iso"));
  EXPECT_EQ("series", answer["input"]);
  EXPECT_EQ(
      "unknown series \"iso\" (as a target it has no known unit (write it as 1.25mm, 20tpi, "
      "0.05in, M6, 1/4-20, 1/4 UNC, mod1.5, dp16, 0.1mm/rev or 0.004ipr))",
      answer["error"]);
}

}  // namespace
}  // namespace cog
