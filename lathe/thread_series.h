#pragma once
// The built-in thread series a thread chart can be asked for: the standard
// threads and worms a machinist most often cuts, each as its usual size name
// and the lead to cut, written as a target text that ReadTarget accepts.
//
//   iso-coarse  ISO 261 coarse pitches, M1 to M68, first to third choice
//   iso-fine    ISO 261 fine pitches, M1 to M300, first to third choice
//   unc, unf    ASME B1.1 Unified coarse and fine, #1 / #0 to 4 in / 1-1/2 in
//   unef        ASME B1.1 Unified extra fine, #12 to 1-5/8 in
//   8-un, 12-un, 16-un  ASME B1.1 constant-pitch Unified series, to 4 in
//   bsw, bsf    BS 84 Whitworth and British Standard Fine
//   bsp         ISO 228 parallel pipe threads (BSP, "G"), 1/16 to 6
//   bspt        ISO 7 taper pipe threads ("R"; Rc and Rp are cut the same), 1/16 to 6
//   npt         ASME B1.20.1 American taper pipe threads, 1/16 to 12
//   bsb         British Standard Brass, 26 tpi, 1/8 to 1-1/2 in
//   ba          BS 93 British Association, 0BA to 16BA, pitches as tabulated
//   me          Model Engineer 32 and 40 tpi constant-pitch series
//   tr          ISO 2904 trapezoidal, Tr8 to Tr120, every pitch
//   acme        ASME B1.5 general purpose ACME, the recommended pitch, 1/4 to 5 in
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

#include <deque>
#include <memory>
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
  // The command-line name: iso-coarse, iso-fine, unc, unf, unef, 8-un, ...
  const char* name;
  // For a chart's heading, e.g. "ISO metric coarse (ISO 261)".
  const char* title;
  // Never empty. In the customary order of the published tables: smallest size
  // first, except that BA runs from 0BA down and DP by rising pitch number.
  std::span<const ThreadEntry> threads;
  // What a machinist writes after a size to name the series ("UNC", "BSW",
  // "UN" for the constant-pitch Unified series); empty where the size names
  // it ("M6", "G1/4", "2BA").
  const char* mark = "";
  // Whether a thread is named SIZE-TPI MARK ("1-8 UNC") rather than SIZE MARK.
  bool tpi_named = false;
};

// Every built-in series, in the order of the list above.
std::span<const ThreadSeries> BuiltInSeries();

// The series called `name` (exact, lower case), or nullptr when there is none;
// "ISO-COARSE" or " iso-coarse" find nothing.
const ThreadSeries* FindSeries(std::string_view name);

// What a chart is asked for: built-in series by name and the machinist's own
// targets ("0.5mm", "11tpi", "M8", "1/4-20 LH") in any mix. The own targets
// make one series of their own, named "list", standing where the first of
// them stands; each is a size named as typed, whose target is that text.
// `series` points into this object for the own list: keep it alive while
// they are used. Moving keeps them valid; copying is not allowed.
class ChartList {
 public:
  ChartList() = default;
  ChartList(ChartList&&) = default;
  ChartList& operator=(ChartList&&) = default;
  ChartList(const ChartList&) = delete;
  ChartList& operator=(const ChartList&) = delete;

  std::vector<const ThreadSeries*> series;

 private:
  friend bool ReadSeriesList(const std::vector<std::string>&, ChartList*, std::string*);
  std::unique_ptr<std::deque<std::string>> texts_;
  std::unique_ptr<std::vector<ThreadEntry>> own_;
  std::unique_ptr<ThreadSeries> own_series_;
};

// Far more than every built-in series and a page of one's own leads; each is
// a line or more of every chart and of gear advice's every candidate.
inline constexpr std::size_t kMaxChartItems = 100;

// The series and targets in `items`, in that order; false with *error when
// the list is empty or longer than kMaxChartItems, an item is neither a
// series nor a target, or a series is named twice.
[[nodiscard]] bool ReadSeriesList(const std::vector<std::string>& items, ChartList* list,
                                  std::string* error);

}  // namespace cog
