// What the page learns of a lathe file before it becomes a lathe: readable,
// only missing values (a lathe being set up), or wrong, and where.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "report/page/queries.h"

namespace cog {
namespace {

TEST(ProfileQueryTest, SaysWhetherAFileIsALatheAndWhatIsWrong) {
  const struct {
    const char* file;
    const char* input;  // "" for a file that is a whole lathe
    bool missing;
  } cases[] = {
      {R"({"name": "M", "leadscrew": "2mm", "gears": [20, 40]})", "", false},
      // Only values not yet given: a lathe being set up.
      {R"({"name": "M"})", "leadscrew", true},
      {R"({"leadscrew": "2mm"})", "gears", true},
      // Wrong: a value, a key no lathe has (whatever its name), not a lathe at all.
      {R"({"leadscrew": "0", "gears": [20]})", "leadscrew", false},
      {R"({"leadscrew": "2mm", "gears": [20, 7]})", "gears", false},
      {R"({"leadscrew": "2mm", "gears": [20], "__proto__": {"gears": [7]}})", "__proto__", false},
      {R"({"constructor": 1})", "constructor", false},
      {R"([20, 40])", "profile", false},
      {R"({"name": "M",)", "profile", false},
  };
  for (const auto& c : cases) {
    const nlohmann::json answer = nlohmann::json::parse(ProfileQuery(c.file));
    if (*c.input == '\0') {
      EXPECT_EQ(answer, nlohmann::json({{"ok", true}})) << c.file;
      continue;
    }
    EXPECT_EQ(answer.value("input", ""), c.input) << c.file;
    EXPECT_EQ(answer.value("missing", !c.missing), c.missing) << c.file;
    EXPECT_NE(answer.value("error", ""), "") << c.file;
  }
}

}  // namespace
}  // namespace cog
