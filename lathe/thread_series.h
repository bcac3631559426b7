#pragma once
// The built-in thread series a thread chart can be asked for: the standard
// threads and worms a machinist most often cuts, each as its usual size name
// and the lead to cut, written as a target text that ReadTarget accepts.
//
//   iso-coarse  ISO 261 coarse pitches, M1 to M64, first and second choice
//   iso-fine    ISO 261 fine pitches, M1 to M64, first and second choice
//   unc, unf    ASME B1.1 Unified coarse and fine, #1 to 4 in / 1-1/2 in
//   bsw, bsf    BS 84 Whitworth and British Standard Fine
//   bsp         ISO 228 parallel pipe threads (BSP, "G"), 1/16 to 2
//   ba          BS 93 British Association, 0BA to 16BA, pitches as tabulated
//   me          Model Engineer 32 and 40 tpi constant-pitch series
//   module      ISO 54 modules 1 to 6 (series I and II) and the usual finer
//               modules from 0.5, for worms ("mod1.5")
//   dp          the diametral pitches commonly cut as worms, 8 to 64
//
// The values were entered by hand from the published tables of those
// standards, not computed from the rules behind them: a chart must show the
// pitch a gauge or a nut will actually fit, so BA pitches are the two-figure
// values BS 93 prints (4BA 0.66 mm), not the 0.9^n they come from (0.6561).
//
// Everything here is static, immutable data: the spans and strings stay valid
// for the life of the program and need no freeing.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cog {

struct ThreadEntry {
  // As machinists name it: "M6", "M6x0.75", "1/4", "2BA", "1/4 ME32", "mod1.5", "DP16".
  const char* size;
  // The lead as a target text: "1mm", "0.75mm", "20tpi", "mod1.5", "dp16".
  const char* target;
};

struct ThreadSeries {
  // The command-line name: iso-coarse, iso-fine, unc, unf, bsw, bsf, bsp, ba, me, module, dp.
  const char* name;
  // For a chart's heading, e.g. "ISO metric coarse (ISO 261)".
  const char* title;
  // Never empty. In the customary order of the published tables: smallest size
  // first, except that BA runs from 0BA down and DP by rising pitch number.
  std::span<const ThreadEntry> threads;
};

// Every built-in series, in the order of the list above.
std::span<const ThreadSeries> BuiltInSeries();

// The series called `name` (exact, lower case), or nullptr when there is none;
// "ISO-COARSE" or " iso-coarse" find nothing.
const ThreadSeries* FindSeries(std::string_view name);

// The series named in `names`, in that order; false with *error when the list
// is empty, a name is unknown or a series is named twice.
[[nodiscard]] bool ReadSeriesList(const std::vector<std::string>& names,
                                  std::vector<const ThreadSeries*>* series, std::string* error);

}  // namespace cog
