#pragma once
// Texts from the user, made safe to show: in a message (quoted and cut to a
// short excerpt, so a 10 MB token costs a line, not 10 MB) and in text output
// for a terminal. Nothing that steers a terminal is ever sent raw: C0 and C1
// controls, DEL, the bidirectional controls (which reorder what follows them
// on the screen) and bytes that are not UTF-8 are written as escapes.

#include <string>
#include <string_view>

namespace cog {

// The most bytes of a text a message quotes; longer texts are cut there (never
// inside a character) and end in "...".
inline constexpr std::size_t kMostQuoted = 40;

// "\"text\"": the Excerpt in quotes.
std::string Quoted(std::string_view text);

// At most kMostQuoted bytes of the text, escaped as Printable, with "..."
// when it was cut: for texts a message shows without quotes (a number).
std::string Excerpt(std::string_view text);

// The text with each control byte below 0x20, DEL and each byte that does not
// belong to a UTF-8 character as \xNN, and each C1 or bidirectional control
// character as \uNNNN. Letters of any script pass as they are.
std::string Printable(std::string_view text);

// The text with each C1 or bidirectional control character as \uNNNN and
// every other byte as it is: for JSON text, where the escape reads back as
// the same character and no viewer of the file is steered by it.
std::string SteeringEscaped(std::string_view text);

// How many characters a terminal shows for a Printable text: its UTF-8
// characters, one column each.
std::size_t ShownWidth(std::string_view printable);

}  // namespace cog
