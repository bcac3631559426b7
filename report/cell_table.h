#pragma once
// A figure as rows of cell texts under column heads: what the text, CSV,
// Markdown and HTML writers lay out, and what the page shows as it is.

#include <string>
#include <vector>

namespace cog {

struct CellTable {
  std::vector<std::string> head;
  std::vector<std::vector<std::string>> rows;
};

}  // namespace cog
