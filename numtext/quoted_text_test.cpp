#include "numtext/quoted_text.h"

#include <gtest/gtest.h>

namespace cog {
namespace {

TEST(QuotedText, ExcerptsAndControlCharacters) {
  const std::string forty(40, 'x');
  struct Case {
    std::string text;
    const char* quoted;
    const char* printable;
  } cases[] = {
      {"1.5mm", "\"1.5mm\"", "1.5mm"},
      {"", "\"\"", ""},
      {"a\nb\x1b[31m", "\"a\\x0ab\\x1b[31m\"", "a\\x0ab\\x1b[31m"},
      {std::string("n\0l", 3), "\"n\\x00l\"", "n\\x00l"},
      {"del\x7f", "\"del\\x7f\"", "del\\x7f"},
      {"caf\xc3\xa9", "\"caf\xc3\xa9\"", "caf\xc3\xa9"},  // UTF-8 passes as it is
      {forty, "\"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\"", forty.c_str()},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Quoted(c.text), c.quoted);
    EXPECT_EQ(Printable(c.text), c.printable);
  }
  // One byte over the excerpt is cut, and a huge text costs no more.
  EXPECT_EQ(Quoted(forty + "y"), "\"" + forty + "...\"");
  EXPECT_EQ(Quoted(std::string(10'000'000, 'z')).size(), kMostQuoted + 5);
}

}  // namespace
}  // namespace cog
