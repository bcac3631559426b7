#include "lathe/question_inputs.h"

#include <gtest/gtest.h>

namespace cog {
namespace {

// Each bound's ends, a text of each form ReadWhole takes, and the errors as
// report/page/queries.h documents them: the input named, the rule in its text.
TEST(QuestionInputs, BoundsAndTheirErrors) {
  struct {
    const WholeInput& what;
    const char* text;
    int value;  // 0: refused
    const char* input;
    const char* error;
  } cases[] = {
      {kTopInput, "1", 1, "", ""},
      {kTopInput, "1000", 1000, "", ""},
      {kTopInput, "10.0", 10, "", ""},
      {kTopInput, "1e3", 1000, "", ""},
      {kTopInput, "0", 0, "top", "\"0\" is not a whole number from 1 to 1000"},
      {kTopInput, "1001", 0, "top", "\"1001\" is not a whole number from 1 to 1000"},
      {kTopInput, "2.5", 0, "top", "\"2.5\" is not a whole number from 1 to 1000"},
      {kTopInput, "", 0, "top", "\"\" is not a whole number from 1 to 1000"},
      {kStartsInput, "2.0", 2, "", ""},
      {kStartsInput, "100", 100, "", ""},
      {kStartsInput, "101", 0, "starts", "\"101\" is not a whole number from 1 to 100"},
      {kStartsInput, "-1", 0, "starts", "\"-1\" is not a whole number from 1 to 100"},
      {kFromInput, "8", 8, "", ""},
      {kFromInput, "7", 0, "from", "\"7\" is not a whole number from 8 to 300"},
      {kToInput, "300", 300, "", ""},
      {kToInput, "301", 0, "to", "\"301\" is not a whole number from 8 to 300"},
  };
  for (const auto& c : cases) {
    int value = 0;
    const Status read = ReadInput(c.what, c.text, &value);
    EXPECT_EQ(read.ok(), c.value != 0) << c.text;
    EXPECT_EQ(c.value != 0 ? value : 0, c.value) << c.text;
    EXPECT_EQ(read.input(), c.input) << c.text;
    EXPECT_EQ(read.why(), c.error) << c.text;
    // The same bound for a number: the page's queries.
    const int number = c.value != 0 ? c.value : c.what.hi + 1;
    const Status checked = CheckInput(c.what, number);
    EXPECT_EQ(checked.ok(), c.value != 0) << c.text;
    EXPECT_EQ(checked.input(), c.input) << c.text;
  }
  const Status zero = CheckInput(kTopInput, 0);
  EXPECT_FALSE(zero.ok());
  EXPECT_EQ(zero.why(), "0 is not a whole number from 1 to 1000");
}

TEST(QuestionInputs, CandidateRange) {
  EXPECT_TRUE(CheckCandidates(8, 300).ok());
  EXPECT_TRUE(CheckCandidates(40, 40).ok());
  const Status reversed = CheckCandidates(41, 40);
  EXPECT_EQ(reversed.input(), "from");
  EXPECT_EQ(reversed.why(),
            "41 is above the largest candidate gear, 40: the range is reversed (from 40 to 41?)");
  EXPECT_EQ(CheckCandidates(7, 40).input(), "from");
  const Status above = CheckCandidates(20, 301);
  EXPECT_EQ(above.input(), "to");
  EXPECT_EQ(above.why(), "301 is not a whole number from 8 to 300");
}

}  // namespace
}  // namespace cog
