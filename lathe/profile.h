#pragma once
// The user's lathe: lead screw, fixed ratio, gearbox, change gears, and the
// banjo's geometry for the fit rules. Read from the profile's JSON text, the
// same file for the command-line tool and the browser page:
//
//   {"name": "...", "leadscrew": "1.5mm" | "8tpi", "fixed_ratio": "1/1",
//    "gearbox": [{"name": "A", "ratio": "1/2"}, ...], "gears": [20, 20, 25, ...],
//    "module": 1.0 | "dp": 24, "stud_shaft_mm": 16, "leadscrew_shaft_mm": 12,
//    "centre_distance_mm": 95, "slot_mm": [30, 80], "trains": [2, 4],
//    "tumbler": true, "thread_dial": {"teeth": 16 | [14, 15, 16], "marks": 8},
//    "keyed": [[120, 127]], "first_driver": 56, "max_error_percent": 1}
//
// Every key is optional in the file; "leadscrew" and "gears" may come from the
// command line instead (ApplyOverrides), and CheckComplete says what is still
// missing. Ratios and lengths are numbers or decimal/fraction texts, read
// exactly. Shaft sizes are diameters and may be 0 (no shaft to clear); so may
// the slot's near end. Everything else must be above zero.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gears/fraction.h"
#include "gears/gear_set.h"
#include "gears/json_members.h"  // kMaxNameBytes
#include "gears/status.h"

namespace cog {

// A profile is read whole before any of it is used, so its size is capped:
// the largest sensible lathe (60 gears, a gearbox of kMaxGearboxPositions)
// takes a few kilobytes.
inline constexpr std::size_t kMaxProfileBytes = 256 * 1024;
// Every train is tried at every gearbox position, so the work of a query
// grows with their number; quick-change gearboxes have a few dozen at most.
inline constexpr int kMaxGearboxPositions = 48;

struct GearboxPosition {
  std::string name;
  Fraction ratio{1, 1};
};

// Present only when both a module (or DP) and a centre distance are given:
// then every simple and compound train's fit is checked.
struct Geometry {
  Fraction module;
  Fraction stud_shaft{0, 1};
  Fraction leadscrew_shaft{0, 1};
  Fraction centre_distance;
  std::optional<std::pair<Fraction, Fraction>> slot;  // near, far; near <= far
};

// The thread dial: a gear meshing the lead screw (one of `teeth`, whichever
// the machinist fits) turning a dial of `marks` evenly spaced marks.
struct ThreadDial {
  std::vector<int> teeth;  // at least one, as listed
  int marks = 0;
};

inline constexpr int kMaxDialMarks = 64;
// A dial takes one of a few gears; each is weighed for every row shown.
inline constexpr std::size_t kMaxDialGears = 16;
// Each keyed pair, either way round, in each middle shaft is one more setup
// the search walks; a lathe has one or two such sleeves.
inline constexpr int kMaxKeyedPairs = 6;

struct LatheProfile {
  std::string name;
  std::string leadscrew_text;  // empty until given
  Fraction leadscrew_mm{0, 1};
  Fraction fixed_ratio{1, 1};
  // Empty: no gearbox, which counts as one position of ratio 1 with no name.
  std::vector<GearboxPosition> gearbox;
  std::vector<int> gears;  // one entry per physical gear, as listed
  std::optional<Geometry> geometry;
  // Without a geometry, which half of one the profile gave (a module or dp,
  // a centre distance), so that the answer can say what is missing.
  bool module_given = false, centre_distance_given = false;
  // The gears' "module" or "dp" as the profile states it, with or without a
  // centre distance: the size a gear bought or made for this set has.
  std::optional<Fraction> stated_module, stated_dp;
  bool trains[3] = {true, true, false};  // simple, compound, six
  // The lead screw can be reversed with a lever (a tumbler or reversing box).
  bool tumbler = true;
  std::optional<ThreadDial> dial;
  // Pairs of gears fixed together on one sleeve, not in `gears`: only ever
  // the two gears of one middle shaft, either way round.
  std::vector<std::pair<int, int>> keyed;
  // The lathe's own first driver (a spindle gear), always A, not in `gears`.
  std::optional<int> first_driver;
  // Rows further off than this are no answer; none: the command's default.
  std::optional<Fraction> max_error_percent;
};

// False with *error naming the line and column (syntax) or the key, or when
// the text is over kMaxProfileBytes or holds a NUL byte. When the fault lies
// in one key's value, *key (if given) is set to that key; else it is cleared.
[[nodiscard]] bool ReadProfile(std::string_view json_text, LatheProfile* out, std::string* error,
                               std::string* key = nullptr);

// Values given outside the profile (the command line's --leadscrew, --gears
// and --fixed-ratio), each applied when present.
struct ProfileOverrides {
  std::optional<std::string> leadscrew;
  std::optional<std::string> gears;
  std::optional<std::string> fixed_ratio;
  std::optional<std::string> max_error_percent;
};
// Refused, naming the profile key ("leadscrew", "gears", "fixed_ratio",
// "max_error_percent"), when a value cannot be read.
Status ApplyOverrides(const ProfileOverrides& overrides, LatheProfile* profile);

// Missing ("not given") for the first of "leadscrew" and "gears" that is
// not there.
Status CheckComplete(const LatheProfile& profile);

}  // namespace cog
