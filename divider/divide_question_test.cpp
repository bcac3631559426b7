#include "divider/divide_question.h"

#include <gtest/gtest.h>

#include <cmath>

namespace cog {
namespace {

// Leads as drawings write them; 6.16 in is 6.16 · 25.4 = 156.464 mm.
TEST(DivideQuestionTest, LeadsWithTheInchWrittenOut) {
  const struct {
    const char* text;
    Fraction mm;
    bool inches;
  } cases[] = {
      {"6.16\"", {19558, 125}, true},   {"6.16 inch", {19558, 125}, true},
      {"6.16inch", {19558, 125}, true}, {"6.16 inches", {19558, 125}, true},
      {"10 in", {254, 1}, true},        {"250mm", {250, 1}, false},
  };
  for (const auto& c : cases) {
    Fraction mm;
    bool inches = !c.inches;
    const Status read = ReadHelixLead(c.text, &mm, &inches);
    ASSERT_TRUE(read.ok()) << c.text << ": " << read.why();
    EXPECT_EQ(mm, c.mm) << c.text;
    EXPECT_EQ(inches, c.inches) << c.text;
  }
  Fraction mm;
  EXPECT_EQ(ReadHelixLead("inch", &mm).input(), "lead");
}

TEST(DivideQuestionTest, HelixAnglesWithTheirHand) {
  const struct {
    const char* text;
    bool ok;
    Fraction degrees;
    HelixHand hand;
  } cases[] = {
      {"22.5R", true, {45, 2}, HelixHand::kRight},   {"22.5L", true, {45, 2}, HelixHand::kLeft},
      {"22d30mLH", true, {45, 2}, HelixHand::kLeft}, {"30", true, {30, 1}, HelixHand::kRight},
      {"90R", false, {}, HelixHand::kRight},         {"R", false, {}, HelixHand::kRight},
  };
  for (const auto& c : cases) {
    Fraction degrees;
    HelixHand hand = HelixHand::kRight;
    const Status read = ReadHelixAngle(c.text, &degrees, &hand);
    ASSERT_EQ(read.ok(), c.ok) << c.text << ": " << read.why();
    if (!c.ok) {
      EXPECT_EQ(read.input(), "angle") << c.text;
      continue;
    }
    EXPECT_EQ(degrees, c.degrees) << c.text;
    EXPECT_EQ(hand, c.hand) << c.text;
  }
}

TEST(DivideQuestionTest, MethodsByName) {
  Method m = Method::kSimple;
  ASSERT_TRUE(ReadDivideMethod("differential", &m).ok());
  EXPECT_EQ(m, Method::kDifferential);
  const Status plain = ReadDivideMethod("plain", &m);
  EXPECT_EQ(plain.input(), "method");
  EXPECT_EQ(plain.why(), "\"plain\" is not a method: direct, simple, compound or differential");
}

}  // namespace
}  // namespace cog
