#include "gears/gear_set.h"

#include "gears/fraction_text.h"
#include "numtext/quoted_text.h"

namespace cog {

std::string WholeRule(int lo, int hi) {
  return "is not a whole number from " + std::to_string(lo) + " to " + std::to_string(hi);
}

std::string TeethRule() { return WholeRule(kMinTeeth, kMaxTeeth); }

bool ReadTeeth(std::string_view text, int* teeth, std::string* error) {
  if (ReadWhole(text, kMinTeeth, kMaxTeeth, teeth)) return true;
  *error = Quoted(text) + " " + TeethRule();
  return false;
}

namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// "2x20", "2*20" or "2×20": the count and the rest; false when the item has none.
bool SplitCopies(std::string_view item, std::string_view* count, std::string_view* teeth) {
  for (std::string_view sign : {"\xc3\x97", "x", "X", "*"}) {
    const std::size_t at = item.find(sign);
    if (at == std::string_view::npos) continue;
    *count = Trimmed(item.substr(0, at));
    *teeth = Trimmed(item.substr(at + sign.size()));
    return true;
  }
  return false;
}

// One item of a gear list, appended to *list.
bool ReadGearItem(std::string_view item, std::vector<int>* list, std::string* error) {
  const auto too_many = [&] {
    *error = "at most " + std::to_string(kMaxGears) + " gears are allowed";
    return false;
  };
  std::string_view count_text, teeth_text;
  if (SplitCopies(item, &count_text, &teeth_text)) {
    int count = 0, teeth = 0;
    if (!ReadWhole(count_text, 1, kMaxGears, &count))
      return *error = Quoted(item) + ": the number of copies must be from 1 to " +
                      std::to_string(kMaxGears),
             false;
    if (!ReadTeeth(teeth_text, &teeth, error)) return false;
    if (list->size() + static_cast<std::size_t>(count) > static_cast<std::size_t>(kMaxGears))
      return too_many();
    list->insert(list->end(), static_cast<std::size_t>(count), teeth);
    return true;
  }
  const std::size_t dash = item.find('-', 1);
  if (dash != std::string_view::npos) {
    const std::string_view rest = item.substr(dash + 1);
    const std::size_t slash = rest.find('/');
    int first = 0, last = 0, step = 1;
    if (!ReadTeeth(Trimmed(item.substr(0, dash)), &first, error) ||
        !ReadTeeth(Trimmed(rest.substr(0, slash)), &last, error))
      return false;
    if (slash != std::string_view::npos &&
        !ReadWhole(Trimmed(rest.substr(slash + 1)), 1, kMaxTeeth, &step))
      return *error = Quoted(item) + ": the step must be a whole number from 1 to " +
                      std::to_string(kMaxTeeth),
             false;
    if (first > last) return *error = Quoted(item) + ": the range runs backwards", false;
    for (int t = first; t <= last; t += step) {
      if (list->size() >= static_cast<std::size_t>(kMaxGears)) return too_many();
      list->push_back(t);
    }
    return true;
  }
  int teeth = 0;
  if (!ReadTeeth(item, &teeth, error)) return false;
  if (list->size() >= static_cast<std::size_t>(kMaxGears)) return too_many();
  list->push_back(teeth);
  return true;
}

}  // namespace

bool ReadWhole(std::string_view text, int lo, int hi, int* out) {
  Fraction value;
  std::string why;
  if (!ReadFraction(text, &value, &why) || value.den != 1 || value.num < lo || value.num > hi)
    return false;
  *out = static_cast<int>(value.num);
  return true;
}

bool ReadGearList(std::string_view text, std::vector<int>* gears, std::string* error) {
  std::vector<int> list;
  while (true) {
    const std::size_t comma = text.find(',');
    if (!ReadGearItem(Trimmed(text.substr(0, comma)), &list, error)) return false;
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  *gears = std::move(list);
  return true;
}

}  // namespace cog
