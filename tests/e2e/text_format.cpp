#include "tests/e2e/text_format.h"

#include <charconv>

namespace cog::e2e {

std::string Dec(long long value) {
  char buffer[24];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, end);
}

std::string Hex(unsigned long value) {
  char buffer[20];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
  std::string digits(buffer, end);
  if (digits.size() < 8) digits.insert(0, 8 - digits.size(), '0');
  return "0x" + digits;
}

std::string Quoted(std::string_view text) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        if (byte < 32 || byte >= 127) {
          out += "\\x";
          out += kDigits[byte >> 4];
          out += kDigits[byte & 15];
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields(1);
  for (char c : line) {
    if (c == '\t') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

}  // namespace cog::e2e
