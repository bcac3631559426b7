#include "numtext/command_line.h"

#include <gtest/gtest.h>

#include "numtext/number_reader.h"
#include "numtext/testing/long_double_bits.h"

namespace cog {
namespace {

using testing::FromLongDouble;
using testing::ToLongDouble;

TEST(CommandTailTest, DropsTheProgramName) {
  struct Case {
    const char* command_line;
    const char* tail;
  };
  const Case cases[] = {
      {"cogwright.exe 20 60", "20 60"},
      {"cogwright.exe   20 60  ", "20 60  "},
      {"cogwright.exe", ""},
      {"\"C:\\Program Files\\cog.exe\"  20 60", "20 60"},
      {"\"C:\\cog.exe\"20", "20"},
      {"\"C:\\unclosed 20 60", ""},
      {"cog.exe\t20 60", "\t20 60"},
      {"cog.exe\r20", "\r20"},
      {"c\xe9g.exe 7", "7"},  // a high character is part of the name
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CommandTail(c.command_line), c.tail) << c.command_line;
  }
}

TEST(CommandParameterTest, PicksParametersByBlanksAndQuotes) {
  struct Case {
    const char* tail;
    const char* first;
    const char* second;
    const char* third;
  };
  const Case cases[] = {
      {"20 60", "20", "60", ""},
      {"  20   60  ", "20", "60", ""},
      {"20\t60", "20\t60", "", ""},
      {"\"2 0\" 60", "2 0", "60", ""},
      {"\"\" 20 60", "20", "60", ""},
      {"a\"b c", "a\"b", "c", ""},
      {"\"x\"y z", "x", "y", "z"},
      {"\"20", "20", "", ""},
      {"", "", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CommandParameter(c.tail, 1), c.first) << c.tail;
    EXPECT_EQ(CommandParameter(c.tail, 2), c.second) << c.tail;
    EXPECT_EQ(CommandParameter(c.tail, 3), c.third) << c.tail;
    EXPECT_EQ(CommandParameter(c.tail, 0), c.tail);
  }
}

TEST(TrimBlanksTest, RemovesOnlyCode32AtTheEnds) {
  struct Case {
    const char* text;
    const char* trimmed;
  };
  const Case cases[] = {
      {"   ", ""},       {"", ""},          {"  20 60 ", "20 60"},
      {"\t20 ", "\t20"}, {" \r\n", "\r\n"}, {"x", "x"},
  };
  for (const Case& c : cases) EXPECT_EQ(TrimBlanks(c.text), c.trimmed) << c.text;
}

TEST(CommandLineTest, TabAfterTheNameStillReadsAsTheNumber) {
  const std::string tail = CommandTail("cog.exe\t20 60");
  EXPECT_FALSE(TrimBlanks(CommandParameter(tail, 0)).empty());
  EXPECT_EQ(CommandParameter(tail, 1), "\t20");
  EXPECT_EQ(ToLongDouble(ReadNumber(CommandParameter(tail, 1))), 20.0L);
  EXPECT_EQ(ToLongDouble(ReadNumber(CommandParameter(tail, 2))), 60.0L);
}

}  // namespace
}  // namespace cog
