#pragma once
// The user's dividing head (or rotary table): its worm ratio, index plates,
// direct plate, change gears for differential indexing and helical milling.
// Read from the head's JSON text, the same file for the command-line tool and
// the page:
//
//   {"name": "40:1 head, three plates", "ratio": 40 | "90:1" | "5/1",
//    "plates": [[15, 16, 17, 18, 19, 20], [21, 23, 27, 29, 31, 33], ...],
//    "gears": [24, 24, 28, 32, ...] | "24-48/8, 2x56", "differential": true,
//    "reverse": false, "direct": [24], "table_leadscrew": "4tpi" | "5mm",
//    "plate_moves": true, "dial": 90, "short_lead": false}
//
// Only "ratio" is required. "ratio" is crank turns per spindle turn, written
// either way round ("90:1" and "1:90" alike); a plain number below 1 is
// refused. Plates are numbered from 1 in file order. "differential" defaults
// to true when gears are given; true without gears is refused.
// "plate_moves": false when the plate is pinned for good (no compound
// indexing). "dial": the graduations of the handwheel's dial, for a rotary
// table indexed without plates. "short_lead": the train can drive the worm
// shaft directly, for leads below what the usual train reaches. The same
// rules, caps and messages as a lathe profile.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gears/fraction.h"
#include "gears/status.h"

namespace cog {

// A head file is read whole before any of it is used; the largest sensible
// head (a dozen plates, 60 gears) takes a few kilobytes.
inline constexpr std::size_t kMaxHeadBytes = 64 * 1024;
// Every circle is searched for every query (compound indexing pairs them),
// so their number and size are capped well above any maker's plates.
inline constexpr int kMaxPlates = 12;
inline constexpr int kMaxCircles = 32;  // per plate (both faces of a large one)
inline constexpr int kMinHoles = 2;
inline constexpr int kMaxHoles = 1000;
inline constexpr int kMaxDirectCircles = 8;
// A handwheel's dial: from 2 graduations to one per minute of a 90:1 table.
inline constexpr int kMaxDialGraduations = 10000;
// A worm ratio is written with at most a million in each part: far beyond any
// head or rotary table, and small enough that every query's fractions fit.
inline constexpr std::int64_t kMaxRatioPart = 1000000;

struct DividingHead {
  std::string name;
  Fraction ratio{40, 1};                 // crank turns per spindle turn
  std::vector<std::vector<int>> plates;  // hole counts of each plate's circles
  std::vector<int> gears;                // one entry per physical gear
  bool differential = false;
  bool reverse = false;     // the head's own gearing turns the plate the other way
  std::vector<int> direct;  // circles of a direct plate on the spindle
  std::optional<Fraction> table_leadscrew_mm;
  std::string table_leadscrew_text;
  bool plate_moves = true;  // the plate can be unpinned and moved (compound)
  int dial = 0;             // handwheel graduations; 0: not given
  bool short_lead = false;  // the train can drive the worm shaft directly
  // "differential": false written in the file although gears are given.
  bool differential_off() const { return !gears.empty() && !differential; }
};

// The common 40:1 head: three plates (15-20; 21-33; 37-49), the usual twelve
// change gears, a 4 tpi table lead screw, no direct plate.
DividingHead BuiltInHead();

// Refused naming the line and column (syntax) or the key, or when the text
// is over kMaxHeadBytes or holds a NUL byte. When the fault lies in one key's
// value, the refusal's input() is that key, else empty; it is missing() only
// when the text is a sound object that has no "ratio" yet.
Status ReadHead(std::string_view json_text, DividingHead* out);

// "40", "90", "5/2": the ratio as a head file writes it.
std::string RatioText(const Fraction& ratio);

}  // namespace cog
