// The same bytes are read as a dividing head's file too: refused with words,
// or a head within its caps whose ways for a few divisions are exact.
//
// Arbitrary bytes as a lathe profile's JSON text: ReadProfile either refuses
// with words or gives a profile within its limits that says what the document
// says. A complete profile with a small gear set then goes through the train
// search for one target, whose rows must be in order and made of the profile's
// own gears.
//
// The document is read a second time with nlohmann-json's ordinary DOM parser
// (through doubles, which is close enough to compare with at 1e-12), so the
// checks do not lean on the reader's own tree.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <numeric>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "divider/head.h"
#include "divider/indexing.h"
#include "fuzz/fuzz_check.h"
#include "gears/fraction.h"
#include "gears/gear_set.h"
#include "gears/json_tree.h"
#include "lathe/profile.h"
#include "lathe/target.h"
#include "lathe/train_search.h"
#include "numtext/extended.h"
#include "report/chart_sheet.h"
#include "report/figure_text.h"
#include "report/report_csv.h"
#include "report/report_text.h"

namespace cog::fuzz {
namespace {

using json = nlohmann::json;

// The readers' extended figures are compared with long double references.
static_assert(std::is_same_v<Extended, long double>, "Extended is the x87 long double here");

// The search is covered by its own tests against a brute-force reference;
// here it only has to stay quick enough for many runs a second.
constexpr std::size_t kMaxSearchGears = 12;
constexpr std::size_t kMaxSixTrainGears = 8;
constexpr std::size_t kMaxSearchPositions = 4;
constexpr int kTop = 3;

// Aborts with "what" and the key it is about.
void RequireAbout(bool holds, std::string_view key, std::string_view what) {
  if (holds) return;
  Require(false, std::string(key) + ": " + std::string(what));
}

std::uint64_t Magnitude(std::int64_t v) {
  return v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
}

void CheckReduced(const Fraction& f, std::string_view key) {
  RequireAbout(f.den > 0, key, "a denominator is positive");
  RequireAbout(std::gcd(Magnitude(f.num), static_cast<std::uint64_t>(f.den)) == 1, key,
               "a fraction is reduced (zero is 0/1)");
}

long double Approx(const Fraction& f) {
  return static_cast<long double>(f.num) / static_cast<long double>(f.den);
}

// a <= b by cross products; both denominators are positive.
bool NotAbove(const Fraction& a, const Fraction& b) {
  return static_cast<__int128>(a.num) * b.den <= static_cast<__int128>(b.num) * a.den;
}

bool Near(long double value, long double expected, long double relative) {
  return std::fabs(value - expected) <= relative * std::fabs(expected);
}

// When the document gives `key` as a JSON number (not a text), the fraction
// read from it must be that number.
void CheckNumber(const json& value, const Fraction& read, std::string_view key) {
  if (!value.is_number()) return;
  RequireAbout(Near(Approx(read), value.get<double>(), 1e-12L), key,
               "a number reads as the value the document gives");
}

// Nesting of arrays and objects: 0 for a scalar.
int Depth(const json& value) {
  if (!value.is_structured()) return 0;
  int deepest = 0;
  for (const json& item : value) deepest = std::max(deepest, Depth(item));
  return 1 + deepest;
}

// The deepest bracket nesting anywhere in the text, strings skipped. Up to a
// syntax error this is the parser's own nesting, so when it is within the
// limit a refusal cannot be the depth limit's.
int BracketDepth(std::string_view text) {
  int depth = 0, deepest = 0;
  bool in_string = false, escaped = false;
  for (const char c : text) {
    if (in_string) {
      if (escaped) {
        escaped = false;
      } else if (c == '\\') {
        escaped = true;
      } else if (c == '"') {
        in_string = false;
      }
    } else if (c == '"') {
      in_string = true;
    } else if (c == '[' || c == '{') {
      deepest = std::max(deepest, ++depth);
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return deepest;
}

bool IsKnownKey(const std::string& key) {
  static const char* const kKeys[] = {"name",
                                      "leadscrew",
                                      "fixed_ratio",
                                      "gearbox",
                                      "gears",
                                      "module",
                                      "dp",
                                      "stud_shaft_mm",
                                      "leadscrew_shaft_mm",
                                      "centre_distance_mm",
                                      "slot_mm",
                                      "trains",
                                      "tumbler",
                                      "thread_dial",
                                      "keyed",
                                      "first_driver",
                                      "max_error_percent"};
  return std::find(std::begin(kKeys), std::end(kKeys), key) != std::end(kKeys);
}

void CheckRefusal(std::string_view text, const std::string& error) {
  Require(!error.empty(), "a refused profile comes with a message");
  // A NUL byte or an oversized text is refused before any parsing, by name.
  if (text.find('\0') != std::string_view::npos) {
    Require(error.find("NUL byte") != std::string::npos, "a NUL byte is named");
    return;
  }
  if (text.size() > kMaxProfileBytes) {
    Require(error.find("KiB") != std::string::npos, "an oversized profile is refused by its size");
    return;
  }
  const json doc = json::parse(text.begin(), text.end(), nullptr, false);
  if (doc.is_discarded() && BracketDepth(text) <= kMaxJsonDepth) {
    Require(error.find("line ") != std::string::npos && error.find("column ") != std::string::npos,
            "a syntax error names its line and column");
  }
}

// The lead screw's own words against the lead read from them, for the plain
// forms "<decimal>mm" and "<decimal>tpi".
void CheckLeadscrew(const std::string& text, const Fraction& lead) {
  RequireAbout(IsPositive(lead), "leadscrew", "the lead is above zero");
  std::string lower;
  for (const char c : text) lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
  const bool mm = lower.size() > 2 && lower.ends_with("mm");
  const bool tpi = lower.size() > 3 && lower.ends_with("tpi");
  if (!mm && !tpi) return;
  const std::string number = lower.substr(0, lower.size() - (mm ? 2 : 3));
  if (number.find_first_not_of("0123456789.") != std::string::npos) return;
  const long double value = std::strtold(number.c_str(), nullptr);
  const long double expected = mm ? value : 25.4L / value;
  RequireAbout(Near(Approx(lead), expected, 1e-12L), "leadscrew",
               "a pitch in mm is the lead, threads per inch give 25.4 mm / tpi");
}

void CheckGeometry(const json& doc, const Geometry& g) {
  CheckReduced(g.module, "module");
  CheckReduced(g.centre_distance, "centre_distance_mm");
  CheckReduced(g.stud_shaft, "stud_shaft_mm");
  CheckReduced(g.leadscrew_shaft, "leadscrew_shaft_mm");
  RequireAbout(IsPositive(g.module), "module", "above zero");
  RequireAbout(IsPositive(g.centre_distance), "centre_distance_mm", "above zero");
  RequireAbout(g.stud_shaft.num >= 0, "stud_shaft_mm", "not negative");
  RequireAbout(g.leadscrew_shaft.num >= 0, "leadscrew_shaft_mm", "not negative");
  const bool module = doc.contains("module"), dp = doc.contains("dp");
  if (module && !dp) CheckNumber(doc["module"], g.module, "module");
  if (dp && !module && doc["dp"].is_number()) {
    RequireAbout(Near(Approx(g.module), 25.4L / doc["dp"].get<double>(), 1e-12L), "dp",
                 "the module of a diametral pitch is 25.4 / dp");
  }
  CheckNumber(doc["centre_distance_mm"], g.centre_distance, "centre_distance_mm");
  if (doc.contains("stud_shaft_mm")) {
    CheckNumber(doc["stud_shaft_mm"], g.stud_shaft, "stud_shaft_mm");
  } else {
    RequireAbout(g.stud_shaft == Fraction{0, 1}, "stud_shaft_mm", "no shaft when not given");
  }
  if (doc.contains("leadscrew_shaft_mm")) {
    CheckNumber(doc["leadscrew_shaft_mm"], g.leadscrew_shaft, "leadscrew_shaft_mm");
  } else {
    RequireAbout(g.leadscrew_shaft == Fraction{0, 1}, "leadscrew_shaft_mm",
                 "no shaft when not given");
  }
  RequireAbout(g.slot.has_value() == doc.contains("slot_mm"), "slot_mm",
               "a slot exactly when the document gives one");
  if (!g.slot) return;
  const auto& [near, far] = *g.slot;
  CheckReduced(near, "slot_mm[0]");
  CheckReduced(far, "slot_mm[1]");
  RequireAbout(near.num >= 0, "slot_mm", "the near end is not negative");
  RequireAbout(NotAbove(near, far), "slot_mm", "near <= far");
  const json& slot = doc["slot_mm"];
  RequireAbout(slot.is_array() && slot.size() == 2, "slot_mm", "the document gives two ends");
  CheckNumber(slot[0], near, "slot_mm[0]");
  CheckNumber(slot[1], far, "slot_mm[1]");
}

// Every figure within its limits and equal to what the document gives.
void CheckProfile(std::string_view text, const LatheProfile& p) {
  const json doc = json::parse(text.begin(), text.end(), nullptr, false);
  Require(!doc.is_discarded(), "an accepted profile is valid JSON");
  Require(doc.is_object(), "an accepted profile is a JSON object");
  Require(Depth(doc) <= kMaxJsonDepth, "an accepted profile nests no deeper than the limit");
  for (const auto& member : doc.items())
    RequireAbout(IsKnownKey(member.key()), member.key(), "only the documented keys are accepted");

  if (doc.contains("name")) {
    RequireAbout(doc["name"].is_string() && doc["name"].get<std::string>() == p.name, "name",
                 "the name is the document's string");
  } else {
    RequireAbout(p.name.empty(), "name", "no name when not given");
  }
  RequireAbout(p.name.size() <= kMaxNameBytes, "name", "a name is within its cap");
  for (const GearboxPosition& position : p.gearbox)
    RequireAbout(position.name.size() <= kMaxNameBytes, "gearbox", "a name is within its cap");
  RequireAbout(!p.dial || p.dial->teeth.size() <= kMaxDialGears, "thread_dial",
               "a dial lists at most its cap of gears");

  if (doc.contains("leadscrew")) {
    const json& given = doc["leadscrew"];
    RequireAbout(given.is_string() && given.get<std::string>() == p.leadscrew_text, "leadscrew",
                 "the lead screw text is the document's string");
    RequireAbout(!p.leadscrew_text.empty(), "leadscrew", "an empty lead screw is refused");
    CheckReduced(p.leadscrew_mm, "leadscrew");
    CheckLeadscrew(p.leadscrew_text, p.leadscrew_mm);
  } else {
    RequireAbout(p.leadscrew_text.empty() && p.leadscrew_mm == Fraction{0, 1}, "leadscrew",
                 "no lead screw when not given");
  }

  CheckReduced(p.fixed_ratio, "fixed_ratio");
  RequireAbout(IsPositive(p.fixed_ratio), "fixed_ratio", "above zero");
  if (doc.contains("fixed_ratio")) {
    CheckNumber(doc["fixed_ratio"], p.fixed_ratio, "fixed_ratio");
  } else {
    RequireAbout(p.fixed_ratio == Fraction{1, 1}, "fixed_ratio", "1/1 when not given");
  }

  const json& gearbox = doc.contains("gearbox") ? doc["gearbox"] : json::array();
  RequireAbout(gearbox.is_array() && gearbox.size() == p.gearbox.size(), "gearbox",
               "one position per item of the document");
  for (std::size_t i = 0; i < p.gearbox.size(); ++i) {
    const GearboxPosition& position = p.gearbox[i];
    CheckReduced(position.ratio, "gearbox ratio");
    RequireAbout(IsPositive(position.ratio), "gearbox ratio", "above zero");
    const json& item = gearbox[i];
    RequireAbout(item.is_object() && item.contains("name") && item.contains("ratio"), "gearbox",
                 "a position has a name and a ratio");
    RequireAbout(item["name"].is_string() && item["name"].get<std::string>() == position.name,
                 "gearbox name", "the document's string");
    CheckNumber(item["ratio"], position.ratio, "gearbox ratio");
  }

  RequireAbout(doc.contains("gears") == !p.gears.empty(), "gears",
               "gears exactly when the document lists them");
  if (!p.gears.empty()) {
    RequireAbout(p.gears.size() <= static_cast<std::size_t>(kMaxGears), "gears", "at most 60");
    const json& gears = doc["gears"];
    // A text is the gear list --gears takes, read by its one reader.
    std::vector<int> listed;
    std::string why;
    if (gears.is_string()) {
      RequireAbout(ReadGearList(gears.get<std::string>(), &listed, &why) && listed == p.gears,
                   "gears", "a text is read as the --gears list");
    } else {
      RequireAbout(gears.is_array() && gears.size() == p.gears.size(), "gears",
                   "one gear per item of the document");
      for (std::size_t i = 0; i < p.gears.size(); ++i) {
        RequireAbout(p.gears[i] >= 8 && p.gears[i] <= 300, "gears", "from 8 to 300 teeth");
        RequireAbout(gears[i].is_number() && gears[i].get<double>() == p.gears[i], "gears",
                     "each gear is the document's number");
      }
    }
  }

  RequireAbout(p.trains[0] || p.trains[1] || p.trains[2], "trains", "at least one kind");
  if (doc.contains("trains")) {
    const json& trains = doc["trains"];
    RequireAbout(trains.is_array(), "trains", "an array");
    for (int k = 0; k < 3; ++k) {
      const double size = 2.0 * (k + 1);
      const bool listed = std::any_of(trains.begin(), trains.end(), [&](const json& item) {
        return item.is_number() && item.get<double>() == size;
      });
      RequireAbout(p.trains[k] == listed, "trains", "exactly the kinds listed");
    }
    for (const json& item : trains) {
      RequireAbout(item.is_number() && (item.get<double>() == 2 || item.get<double>() == 4 ||
                                        item.get<double>() == 6),
                   "trains", "only 2, 4 and 6");
    }
  } else {
    RequireAbout(p.trains[0] && p.trains[1] && !p.trains[2], "trains",
                 "simple and compound when not given");
  }

  const bool geometry_given =
      (doc.contains("module") || doc.contains("dp")) && doc.contains("centre_distance_mm");
  RequireAbout(p.geometry.has_value() == geometry_given, "geometry",
               "a geometry exactly when a module (or dp) and a centre distance are given");
  if (p.geometry) CheckGeometry(doc, *p.geometry);
}

bool SmallEnoughToSearch(const LatheProfile& p) {
  if (p.gears.size() > kMaxSearchGears) return false;
  if (p.trains[2] && p.gears.size() > kMaxSixTrainGears) return false;
  return p.gearbox.size() <= kMaxSearchPositions;
}

// [A, I, D], [A, B, C, D] or [A, B, C, D, E, F].
std::size_t GearsOf(TrainKind kind) {
  switch (kind) {
    case TrainKind::kSimple:
      return 3;
    case TrainKind::kCompound:
      return 4;
    case TrainKind::kSix:
      return 6;
  }
  return 0;
}

void CheckRow(const LatheProfile& p, const TrainRow& row) {
  Require(!row.gears.empty(), "a row lists its gears");
  Require(row.kind == TrainKind::kSimple || row.kind == TrainKind::kCompound ||
              row.kind == TrainKind::kSix,
          "a row is a simple, compound or six-gear train");
  Require(row.gears.size() == GearsOf(row.kind), "a row has as many gears as its kind");
  Require(p.trains[static_cast<int>(row.kind) / 2 - 1], "only the profile's kinds of train");
  std::vector<int> used = row.gears, left = p.gears;
  for (const int teeth : used) {
    const auto at = std::find(left.begin(), left.end(), teeth);
    Require(at != left.end(), "each physical gear is used at most once");
    left.erase(at);
  }
  if (p.gearbox.empty()) {
    Require(row.gearbox == -1, "no gearbox position without a gearbox");
  } else {
    Require(row.gearbox >= 0 && row.gearbox < static_cast<int>(p.gearbox.size()),
            "a gearbox position of the profile");
  }
  if (!p.geometry) {
    Require(!row.fits.has_value(), "no fit without a geometry");
  } else if (row.kind != TrainKind::kSix) {
    Require(row.fits.has_value(), "simple and compound trains are checked with a geometry");
  }
  Require(!row.fits.has_value() || *row.fits, "trains that do not fit are left out");

  // The figures themselves are checked against a brute-force reference in
  // the unit tests; here only that they are well formed.
  CheckReduced(row.ratio, "row ratio");
  CheckReduced(row.lead_mm, "row lead");
  Require(IsPositive(row.ratio) && IsPositive(row.lead_mm), "a row cuts a positive lead");
}

void CheckSearch(const LatheProfile& p) {
  Target target;
  std::string error;
  Require(ReadTarget("1.25mm", 1, &target, &error), "1.25mm is a target");
  TrainSearch search;
  if (!search.Init(p, &error)) {
    Require(!error.empty(), "a refused Init comes with a message");
    return;
  }
  std::vector<TrainRow> rows;
  SearchOptions options;
  options.top = kTop;
  if (!search.Find(target.lead, options, &rows, &error)) {
    Require(!error.empty(), "a refused Find comes with a message");
    return;
  }
  Require(rows.size() <= static_cast<std::size_t>(kTop), "at most `top` rows");
  for (std::size_t i = 0; i < rows.size(); ++i) {
    CheckRow(p, rows[i]);
    if (i > 0) {
      Require(std::fabs(rows[i - 1].error.approx) <= std::fabs(rows[i].error.approx),
              "rows come in order of |error|");
    }
  }
}

// Whether `text` holds a C1 control or a bidirectional control as UTF-8
// (U+0080..U+009F, U+061C, U+200E, U+200F, U+202A..U+202E, U+2066..U+2069).
bool HoldsSteering(std::string_view text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    const auto a = static_cast<unsigned char>(text[i]), b = static_cast<unsigned char>(text[i + 1]);
    if (a == 0xC2 && b >= 0x80 && b <= 0x9F) return true;
    if (a == 0xD8 && b == 0x9C) return true;
    if (i + 2 >= text.size() || a != 0xE2) continue;
    const auto c = static_cast<unsigned char>(text[i + 2]);
    if (b == 0x80 && (c == 0x8E || c == 0x8F || (c >= 0xAA && c <= 0xAE))) return true;
    if (b == 0x81 && c >= 0xA6 && c <= 0xA9) return true;
  }
  return false;
}

// The writers on a profile's own texts (its name and gearbox names, any
// bytes): text output and CSV carry no control character nor anything that
// steers a terminal, a Markdown line no unescaped pipe, line break or link
// from them, and no CSV cell starts a formula.
void CheckWriters(const LatheProfile& p) {
  if (p.gearbox.size() > 4) return;
  Target target;
  std::string error;
  Require(ReadTarget("1mm", 1, &target, &error), "1mm reads");
  std::vector<TrainRow> rows;
  for (std::size_t g = 0; g < std::max<std::size_t>(1, p.gearbox.size()); ++g) {
    TrainRow row;
    if (!DescribeTrain(p, {20, 40, 30, 60}, p.gearbox.empty() ? -1 : static_cast<int>(g),
                       target.lead, &row, &error))
      return;
    rows.push_back(row);
  }
  const std::string text = ThreadText(p, target, rows, Whole(25), false);
  for (const char c : text)
    Require(c == '\n' || (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f),
            "text output holds no control character but line ends");
  Require(!HoldsSteering(text), "text output holds no C1 or bidirectional control");
  ChartRow line;
  static const ThreadEntry kEntry{"M6", "1mm"};
  static const ThreadSeries kSeries{"iso-coarse", "ISO", std::span(&kEntry, 1)};
  line.series = &kSeries;
  line.thread = &kEntry;
  line.sizes = {&kEntry};
  line.target = target;
  line.best = rows.front();
  const std::string md = ChartMarkdown(p, {line});
  const std::string table = md.substr(md.find("\n|"));
  std::size_t cells = 0;
  for (std::size_t i = 0; i < table.size(); ++i)
    if (table[i] == '|' && (i == 0 || table[i - 1] != '\\')) ++cells;
  // lead, gears, [gearbox], error %, fit, cuts, [tumbler], [dial], sizes:
  // head, rule and one line, each with a pipe before every column and one at
  // the end.
  const std::size_t columns = 6 + !p.gearbox.empty() + p.tumbler + p.dial.has_value();
  Require(cells == 3 * (columns + 1), "a Markdown table keeps its columns whatever the names hold");
  Require(md.find('<') == std::string::npos, "no raw HTML reaches Markdown");
  std::vector<std::string> names = {p.name};
  for (const GearboxPosition& position : p.gearbox) names.push_back(position.name);
  for (const std::string& name : names) {
    const std::string cell = MarkdownCell(name);
    for (std::size_t i = 0; i < cell.size(); ++i)
      if (cell[i] == '[' || cell[i] == '(' || cell[i] == '!')
        Require(i > 0 && cell[i - 1] == '\\', "no Markdown link or image is made of a name");
  }
  const std::string csv = ThreadCsv(p, target, rows, Whole(25));
  for (const char c : csv)
    Require(c == '\n' || (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f),
            "CSV holds no control character but line ends");
  Require(!HoldsSteering(csv), "CSV holds no C1 or bidirectional control");
  for (std::size_t at = csv.find('\n'); at != std::string::npos; at = csv.find('\n', at + 1)) {
    const std::size_t gearbox = csv.find(',', csv.find(',', csv.find(',', at + 1) + 1) + 1) + 1;
    if (gearbox < csv.size() && gearbox > at)
      Require(std::string_view("=+-@").find(csv[gearbox]) == std::string_view::npos,
              "no CSV cell starts a formula");
  }
}

}  // namespace
}  // namespace cog::fuzz

namespace cog::fuzz {
namespace {

// Small enough that indexing a few numbers stays quick for many runs a second.
bool SmallHead(const DividingHead& head) {
  std::size_t circles = 0;
  for (const std::vector<int>& plate : head.plates) circles += plate.size();
  return circles <= 24 && head.gears.size() <= 16 && head.ratio.num <= 1000 &&
         head.ratio.den <= 100;
}

void CheckHead(std::string_view text) {
  DividingHead head;
  const Status read = ReadHead(text, &head);
  if (!read.ok()) {
    const std::string& error = read.why();
    Require(!error.empty(), "a refused head comes with a message");
    if (text.find('\0') != std::string_view::npos)
      Require(error.find("NUL byte") != std::string::npos, "a NUL byte is named");
    return;
  }
  Require(read.input().empty(), "an accepted head names no refused key");
  CheckReduced(head.ratio, "ratio");
  Require(
      IsPositive(head.ratio) && head.ratio.num <= kMaxRatioPart && head.ratio.den <= kMaxRatioPart,
      "the ratio is above zero and within its cap");
  Require(head.plates.size() <= static_cast<std::size_t>(kMaxPlates), "at most kMaxPlates");
  for (const std::vector<int>& plate : head.plates) {
    Require(!plate.empty() && plate.size() <= static_cast<std::size_t>(kMaxCircles),
            "a plate has from 1 to kMaxCircles circles");
    for (std::size_t i = 0; i < plate.size(); ++i) {
      Require(plate[i] >= kMinHoles && plate[i] <= kMaxHoles, "a circle's holes within the caps");
      Require(std::count(plate.begin(), plate.end(), plate[i]) == 1, "no circle twice on a plate");
    }
  }
  Require(head.gears.size() <= static_cast<std::size_t>(kMaxGears), "at most 60 gears");
  for (const int teeth : head.gears) Require(teeth >= 8 && teeth <= 300, "from 8 to 300 teeth");
  Require(!head.differential || !head.gears.empty(), "differential indexing needs gears");
  const json doc = json::parse(text.begin(), text.end(), nullptr, false);
  Require(!doc.is_discarded() && doc.is_object() && doc.contains("ratio"),
          "an accepted head is a JSON object with a ratio");
  CheckNumber(doc["ratio"], head.ratio, "ratio");
  if (!SmallHead(head)) return;
  const Indexer indexer(head);
  std::string error;
  for (const int n : {2, 7, 127, 360}) {
    DivideAnswer answer;
    if (!indexer.WaysForDivisions(n, 3, &answer, &error)) continue;
    Require(answer.ways.size() <= 3, "at most the top asked for");
    for (const Way& way : answer.ways) {
      if (way.method != Method::kSimple || way.crank.circle == 0) continue;
      // turns + holes/circle == R/N, cross-multiplied.
      const __int128 crank =
          static_cast<__int128>(way.crank.turns) * way.crank.circle + way.crank.holes;
      Require(
          crank * n * head.ratio.den == static_cast<__int128>(head.ratio.num) * way.crank.circle,
          "a simple way turns the crank R/N");
    }
  }
}

}  // namespace
}  // namespace cog::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace cog;
  using namespace cog::fuzz;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckHead(text);
  LatheProfile profile;
  std::string error;
  if (!ReadProfile(text, &profile, &error)) {
    CheckRefusal(text, error);
    return 0;
  }
  CheckProfile(text, profile);
  if (const Status missing = CheckComplete(profile); !missing.ok()) {
    Require(missing.missing() && !missing.input().empty(),
            "an incomplete profile is told what is missing");
    return 0;
  }
  if (SmallEnoughToSearch(profile)) CheckSearch(profile);
  CheckWriters(profile);
  return 0;
}
