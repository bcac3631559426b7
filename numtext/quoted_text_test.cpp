#include "numtext/quoted_text.h"

#include <gtest/gtest.h>

#include <algorithm>

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

// Unicode's Bidi_Control characters (PropList.txt) and the C1 controls.
bool SteersByTheStandard(char32_t code) {
  static const char32_t kBidiControl[] = {0x061C, 0x200E, 0x200F, 0x202A, 0x202B, 0x202C,
                                          0x202D, 0x202E, 0x2066, 0x2067, 0x2068, 0x2069};
  return (code >= 0x80 && code <= 0x9F) ||
         std::find(std::begin(kBidiControl), std::end(kBidiControl), code) !=
             std::end(kBidiControl);
}

std::string Utf8(char32_t code) {
  if (code < 0x80) return std::string(1, static_cast<char>(code));
  std::string out;
  int continuation = code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
  const unsigned lead[] = {0, 0xC0, 0xE0, 0xF0};
  out += static_cast<char>(lead[continuation] | (code >> (6 * continuation)));
  while (continuation-- > 0) out += static_cast<char>(0x80 | ((code >> (6 * continuation)) & 0x3F));
  return out;
}

// Every character: the steering ones become \uNNNN, the rest and any byte
// that is no character pass as they are.
TEST(QuotedText, SteeringEscapedEscapesOnlyWhatSteers) {
  for (char32_t code = 0; code <= 0x10FFFF; ++code) {
    if (code >= 0xD800 && code <= 0xDFFF) continue;
    std::string text = "<", expected = "<";
    text += Utf8(code);
    text += '>';
    if (SteersByTheStandard(code)) {
      expected += "\\u";
      for (int shift = 12; shift >= 0; shift -= 4)
        expected += "0123456789abcdef"[(code >> shift) & 15];
    } else {
      expected += Utf8(code);
    }
    expected += '>';
    ASSERT_EQ(SteeringEscaped(text), expected) << static_cast<unsigned>(code);
  }
  for (const char* bytes : {"\x9b", "\xc2", "\xe2\x80", "\xed\xa0\x80", "\xc0\x85"})
    EXPECT_EQ(SteeringEscaped(bytes), bytes);
}

TEST(QuotedText, ShownWidthCountsCharacters) {
  EXPECT_EQ(ShownWidth("M\xc3\xbcller"), 6u);
  EXPECT_EQ(ShownWidth("\xe6\xbc\xa2x"), 2u);
  EXPECT_EQ(ShownWidth(Printable("\x1b")), 4u);
}

}  // namespace
}  // namespace cog
