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
      // C1 controls and the bidirectional controls steer a terminal too.
      {"a\xc2\x9b"
       "2J",
       "\"a\\u009b2J\"", "a\\u009b2J"},
      {"\xe2\x80\xaetxt.exe", "\"\\u202etxt.exe\"", "\\u202etxt.exe"},
      {"\xe2\x81\xa6x\xd8\x9c", "\"\\u2066x\\u061c\"", "\\u2066x\\u061c"},
      // Bytes that are no UTF-8 character: a lone C1 byte, a truncated and an
      // overlong sequence, a surrogate.
      {"\x9b"
       "2J",
       "\"\\x9b2J\"", "\\x9b2J"},
      {"\xc3", "\"\\xc3\"", "\\xc3"},
      {"\xc0\xaf", "\"\\xc0\\xaf\"", "\\xc0\\xaf"},
      {"\xed\xa0\x80", "\"\\xed\\xa0\\x80\"", "\\xed\\xa0\\x80"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Quoted(c.text), c.quoted);
    EXPECT_EQ(Printable(c.text), c.printable);
  }
  // One byte over the excerpt is cut, and a huge text costs no more.
  EXPECT_EQ(Quoted(forty + "y"), "\"" + forty + "...\"");
  EXPECT_EQ(Quoted(std::string(10'000'000, 'z')).size(), kMostQuoted + 5);
  // The excerpt never ends inside a character: 39 bytes and a two-byte letter.
  EXPECT_EQ(Quoted(std::string(39, 'x') + "\xc3\xa9!"), "\"" + std::string(39, 'x') + "...\"");
}

TEST(QuotedText, ShownWidthCountsCharacters) {
  EXPECT_EQ(ShownWidth("M\xc3\xbcller"), 6u);
  EXPECT_EQ(ShownWidth("\xe6\xbc\xa2x"), 2u);
  EXPECT_EQ(ShownWidth(Printable("\x1b")), 4u);
}

}  // namespace
}  // namespace cog
