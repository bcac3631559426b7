#include "bench/summary_text.h"

#include <charconv>
#include <iomanip>
#include <iostream>

namespace cog::bench {

std::string Fixed(double value, int decimals) {
  char text[64];
  const auto r = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  return std::string(text, r.ptr);
}

void PrintRow(const std::vector<std::string>& cells, const std::vector<int>& widths) {
  for (std::size_t k = 0; k < cells.size() && k < widths.size(); ++k) {
    if (k == 0) {
      std::cout << std::left << std::setw(widths[k]) << cells[k] << std::right;
    } else {
      std::cout << std::setw(widths[k]) << cells[k];
    }
  }
  std::cout << "\n";
}

}  // namespace cog::bench
