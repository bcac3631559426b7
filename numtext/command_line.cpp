#include "numtext/command_line.h"

namespace cog {
namespace {

constexpr char kBlank = ' ';
constexpr char kQuote = '"';

// Texts are 8-bit; characters from 128 up must not count as control characters.
bool IsControlOrBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

std::size_t SkipBlanks(std::string_view text, std::size_t pos) {
  while (pos < text.size() && text[pos] == kBlank) ++pos;
  return pos;
}

}  // namespace

std::string CommandTail(std::string_view command_line) {
  std::size_t pos = 0;
  if (!command_line.empty() && command_line[0] == kQuote) {
    const std::size_t closing = command_line.find(kQuote, 1);
    if (closing == std::string_view::npos) return {};
    pos = SkipBlanks(command_line, closing + 1);
  } else {
    while (pos < command_line.size() && !IsControlOrBlank(command_line[pos])) ++pos;
    // Only a blank is a separator; a TAB or other control character already
    // belongs to the first parameter.
    pos = SkipBlanks(command_line, pos);
  }
  return std::string(command_line.substr(pos));
}

std::string CommandParameter(std::string_view tail, std::size_t n) {
  if (n == 0) return std::string(tail);
  std::size_t pos = 0;
  std::size_t counted = 0;
  while (true) {
    pos = SkipBlanks(tail, pos);
    if (pos >= tail.size()) return {};
    std::string_view parameter;
    if (tail[pos] == kQuote) {
      const std::size_t start = pos + 1;
      const std::size_t closing = tail.find(kQuote, start);
      const std::size_t end = closing == std::string_view::npos ? tail.size() : closing;
      parameter = tail.substr(start, end - start);
      // Right after the closing quote, so "x"y holds two parameters.
      pos = closing == std::string_view::npos ? tail.size() : closing + 1;
      if (parameter.empty() && closing != std::string_view::npos) continue;
    } else {
      const std::size_t blank = tail.find(kBlank, pos);
      const std::size_t end = blank == std::string_view::npos ? tail.size() : blank;
      parameter = tail.substr(pos, end - pos);
      pos = end;
    }
    if (++counted == n) return std::string(parameter);
  }
}

std::string TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlank);
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(kBlank);
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace cog
