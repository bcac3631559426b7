#pragma once
// Texts from the user, made safe to show: in a message (quoted and cut to a
// short excerpt, so a 10 MB token costs a line, not 10 MB) and in text output
// for a terminal (control characters written as \xNN, never sent raw).

#include <string>
#include <string_view>

namespace cog {

// The most bytes of a text a message quotes; longer texts are cut there and
// end in "...".
inline constexpr std::size_t kMostQuoted = 40;

// "\"text\"", control characters as \xNN, at most kMostQuoted bytes of it.
std::string Quoted(std::string_view text);

// The text with each control character (below 0x20, and 0x7F) as \xNN.
std::string Printable(std::string_view text);

}  // namespace cog
