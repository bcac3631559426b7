#pragma once
// Workshop results as text for people, as `cogwright-cli` prints them.

#include <string>
#include <vector>

#include "lathe/train_report.h"
#include "report/report_cells.h"

namespace cog {

// `all`: the rows were asked for with the trains that do not fit. Without
// rows, only the heading: the caller says why there are none.
std::string ThreadText(const LatheProfile& profile, const Target& target,
                       const std::vector<TrainRow>& rows, const Fraction& length_mm, bool all);

std::string TrainText(const LatheProfile& profile, const TrainReport& report, const Target* target,
                      const Fraction& length_mm);

std::string ChartText(const LatheProfile& profile, const std::vector<ChartRow>& rows);

std::string AdviceText(const LatheProfile& profile, const AdviceResult& advice);

// The table's head as its first row, then its rows.
std::vector<std::vector<std::string>> WithHead(const CellTable& table);

// `text` with blanks to make it `width` characters wide (ShownWidth), on the
// left when `right`; a text that wide or wider is returned as it is.
std::string PaddedCell(const std::string& text, std::size_t width, bool right = false);

// Columns padded to their widest cell, two blanks apart, each line after `indent`.
std::string PaddedColumns(const std::vector<std::vector<std::string>>& rows,
                          const std::string& indent);

// A column of a sheet laid out to set widths: the blanks before it, the
// characters it is padded to, and the side its cells keep to.
struct SheetColumn {
  std::size_t gap = 0;
  std::size_t width = 0;
  bool right = false;
};

// A line per row, each cell padded to its column's width: a wider cell pushes
// the rest of its own line along, never the column. Blanks at a line's end
// are dropped. REQUIRES: no row has more cells than there are columns.
std::string SheetLines(const std::vector<std::vector<std::string>>& rows,
                       const std::vector<SheetColumn>& columns);

}  // namespace cog
