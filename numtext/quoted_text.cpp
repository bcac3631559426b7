#include "numtext/quoted_text.h"

namespace cog {

std::string Printable(std::string_view text) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
  return out;
}

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  out += Printable(text.substr(0, kMostQuoted));
  out += text.size() > kMostQuoted ? "...\"" : "\"";
  return out;
}

}  // namespace cog
