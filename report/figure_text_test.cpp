#include "report/figure_text.h"

#include <gtest/gtest.h>

namespace cog {
namespace {

TEST(FigureText, CellEscapes) {
  struct Case {
    const char* text;
    const char* csv;
    const char* markdown;
  };
  const Case cases[] = {
      {"M6", "M6", "M6"},
      {"a,b", "\"a,b\"", "a,b"},
      {"say \"hi\"", "\"say \"\"hi\"\"\"", "say &quot;hi&quot;"},
      {"=1+2", "'=1+2", "=1+2"},
      {"+A", "'+A", "+A"},
      {"-B,2", "\"'-B,2\"", "-B,2"},
      {"@SUM(A1)", "'@SUM(A1)", "@SUM\\(A1\\)"},
      {"\tx", "\\x09x", "\tx"},
      {"a|b\\c", "a|b\\c", "a\\|b\\\\c"},
      {"two\nlines", "two\\x0alines", "two lines"},
      // No control character reaches a CSV file, however it came in.
      {"\x1b[2J\r", "\\x1b[2J\\x0d", "\x1b\\[2J "},
      {"a\xc2\x9b"
       "b",
       "a\\u009bb",
       "a\xc2\x9b"
       "b"},
      // Markdown makes no link or image of a name.
      {"[click](http://evil.example)", "[click](http://evil.example)",
       "\\[click\\]\\(http://evil.example\\)"},
      {"![x](y)", "![x](y)", "\\!\\[x\\]\\(y\\)"},
      {"<script>&", "<script>&", "&lt;script&gt;&amp;"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CsvCell(c.text), c.csv) << c.text;
    EXPECT_EQ(MarkdownCell(c.text), c.markdown) << c.text;
  }
}

TEST(FigureText, SignedFigures) {
  struct Case {
    double value;
    int decimals;
    bool sign;
    const char* text;
  };
  const Case cases[] = {
      {0.0134, 4, true, "+0.0134"},  {-0.0134, 4, true, "-0.0134"}, {0.00004, 4, true, "0.0000"},
      {-0.00004, 4, true, "0.0000"}, {2.5, 0, false, "2"},          {1.25, 5, false, "1.25000"},
  };
  for (const Case& c : cases) EXPECT_EQ(FixedFigure(c.value, c.decimals, c.sign), c.text);
}

}  // namespace
}  // namespace cog
