#pragma once
// Picking the tooth limits out of a Windows-style command line.
//
// Only the blank (code 32) separates; TAB and the other control characters are
// ordinary characters inside a parameter. Texts are 8-bit, compared byte for byte.

#include <cstddef>
#include <string>
#include <string_view>

namespace cog {

// The command line less the program's own name. A name in double quotes runs to
// the next double quote (an unclosed quote swallows the whole line and leaves an
// empty tail); otherwise it runs to the first character of code 32 or below.
// Blanks after the name are skipped; any other control character starts the tail.
std::string CommandTail(std::string_view command_line);

// n = 0: the whole tail. n >= 1: the n-th parameter, or "" when there are fewer.
// A parameter is a run of non-blanks, or the text between double quotes (an empty
// quoted pair is not counted; an unclosed quote runs to the end).
std::string CommandParameter(std::string_view tail, std::size_t n);

// The text without leading and trailing blanks (code 32 only).
std::string TrimBlanks(std::string_view text);

}  // namespace cog
