#include "numtext/quoted_text.h"

#include <algorithm>

namespace cog {
namespace {

constexpr char kHex[] = "0123456789abcdef";

bool Continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the UTF-8 character at the start of `text` and its code
// point, or 0 when the bytes there are not one (overlong forms, surrogates and
// code points above U+10FFFF are not).
std::size_t CharacterAt(std::string_view text, char32_t* code) {
  const auto lead = static_cast<unsigned char>(text[0]);
  std::size_t length = 0;
  char32_t value = 0, least = 0;
  if (lead < 0x80) return *code = lead, 1;
  if ((lead & 0xE0) == 0xC0) length = 2, value = lead & 0x1F, least = 0x80;
  if ((lead & 0xF0) == 0xE0) length = 3, value = lead & 0x0F, least = 0x800;
  if ((lead & 0xF8) == 0xF0) length = 4, value = lead & 0x07, least = 0x10000;
  if (length == 0 || text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (!Continuation(byte)) return 0;
    value = (value << 6) | (byte & 0x3F);
  }
  if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  *code = value;
  return length;
}

// C1 controls, and the marks and embeddings that reorder the text after them.
bool Steers(char32_t code) {
  return (code >= 0x80 && code <= 0x9F) || code == 0x061C || code == 0x200E || code == 0x200F ||
         (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
}

void AppendHex(std::string* out, unsigned value, int digits) {
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) *out += kHex[(value >> shift) & 15];
}

}  // namespace

std::string Printable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    char32_t code = 0;
    const std::size_t length = CharacterAt(text, &code);
    if (length == 0 || code < 0x20 || code == 0x7F) {
      out += "\\x";
      AppendHex(&out, static_cast<unsigned char>(text[0]), 2);
      text.remove_prefix(1);
      continue;
    }
    if (Steers(code)) {
      out += "\\u";
      AppendHex(&out, code, 4);
    } else {
      out.append(text.substr(0, length));
    }
    text.remove_prefix(length);
  }
  return out;
}

std::string SteeringEscaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    char32_t code = 0;
    const std::size_t length = std::max<std::size_t>(1, CharacterAt(text, &code));
    if (length > 1 && Steers(code)) {
      out += "\\u";
      AppendHex(&out, code, 4);
    } else {
      out.append(text.substr(0, length));
    }
    text.remove_prefix(length);
  }
  return out;
}

std::string Excerpt(std::string_view text) {
  std::size_t cut = text.size() > kMostQuoted ? kMostQuoted : text.size();
  // Back to the start of a character, so the excerpt ends on a whole one.
  for (std::size_t back = 0;
       cut < text.size() && back < 3 && Continuation(static_cast<unsigned char>(text[cut])); ++back)
    --cut;
  std::string out = Printable(text.substr(0, cut));
  if (cut < text.size()) out += "...";
  return out;
}

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  out += Excerpt(text);
  out += '"';
  return out;
}

std::size_t ShownWidth(std::string_view printable) {
  std::size_t width = 0;
  for (char c : printable) width += !Continuation(static_cast<unsigned char>(c));
  return width;
}

}  // namespace cog
