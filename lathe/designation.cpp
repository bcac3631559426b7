#include "lathe/designation.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <vector>

#include "gears/fraction_text.h"

namespace cog {
namespace {

// Lower case, blanks dropped, the multiplication sign as "x".
std::string Key(std::string_view text) {
  std::string key;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == 0xC3 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x97) {
      key += 'x';
      ++i;
    } else if (!std::isspace(c)) {
      key += static_cast<char>(std::tolower(c));
    }
  }
  return key;
}

std::optional<double> Number(std::string_view text) {
  Fraction f;
  std::string why;
  if (text.empty() || !ReadFraction(text, &f, &why)) return std::nullopt;
  return ToDouble(f);
}

// A size's place on one scale, for naming the nearest sizes: inches or mm as
// the series gives them ("2-1/2" is 2.5), a numbered Unified size by its
// diameter (0.060 + 0.013 N in), a BA number as it is.
std::optional<double> SizeValue(std::string_view size) {
  std::string key = Key(size);
  if (!key.empty() && key[0] == '#') {
    const std::optional<double> n = Number(std::string_view(key).substr(1));
    return n ? std::optional<double>(0.060 + 0.013 * *n) : std::nullopt;
  }
  const std::size_t start = key.find_first_of("0123456789.");
  if (start == std::string::npos) return std::nullopt;
  key.erase(0, start);
  key = key.substr(0, key.find_first_not_of("0123456789./-"));
  const std::size_t dash = key.find('-');
  if (dash != std::string::npos) {  // "2-1/2"
    const std::optional<double> whole = Number(std::string_view(key).substr(0, dash));
    const std::optional<double> part = Number(std::string_view(key).substr(dash + 1));
    return whole && part ? std::optional<double>(*whole + *part) : std::nullopt;
  }
  return Number(key);
}

std::string Nearest(const ThreadSeries& series, std::string_view wanted) {
  const std::optional<double> value = SizeValue(wanted);
  std::vector<std::pair<double, const char*>> sizes;
  for (const ThreadEntry& e : series.threads) {
    const std::optional<double> v = SizeValue(e.size);
    if (!v || (!sizes.empty() && Key(sizes.back().second) == Key(e.size))) continue;
    sizes.push_back({value ? std::fabs(*v - *value) : 0.0, e.size});
  }
  std::stable_sort(sizes.begin(), sizes.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::string text;
  for (std::size_t i = 0; i < std::min<std::size_t>(2, sizes.size()); ++i)
    text += (i ? ", " : "") + std::string(sizes[i].second);
  return text;
}

DesignationMatch Unknown(const ThreadSeries& series, std::string_view size, const std::string& hint,
                         std::string* error) {
  *error = "is not a size of " + std::string(series.title) + " (nearest: " + Nearest(series, size) +
           ")" + hint;
  return DesignationMatch::kUnknownSize;
}

bool Find(const ThreadSeries& series, const std::string& key, Designation* out) {
  for (const ThreadEntry& e : series.threads) {
    if (Key(e.size) != key) continue;
    *out = {&series, &e};
    return true;
  }
  return false;
}

// "M6" or "M6x0.75": the coarse or fine entry of that diameter and pitch.
DesignationMatch Iso(const std::string& key, Designation* out, std::string* error) {
  if (key.size() < 2 || key[0] != 'm' || !std::isdigit(static_cast<unsigned char>(key[1])))
    return DesignationMatch::kNotADesignation;
  const std::size_t x = key.find('x');
  const std::string diameter = key.substr(1, x == std::string::npos ? x : x - 1);
  const std::optional<double> d = Number(diameter);
  const std::optional<double> pitch =
      x == std::string::npos ? std::nullopt : Number(std::string_view(key).substr(x + 1));
  if (!d || (x != std::string::npos && !pitch)) return DesignationMatch::kNotADesignation;
  const ThreadSeries& coarse = *FindSeries("iso-coarse");
  for (const char* name : {"iso-coarse", "iso-fine"}) {
    const ThreadSeries& series = *FindSeries(name);
    for (const ThreadEntry& e : series.threads) {
      const std::string size = Key(e.size);
      if (SizeValue(size.substr(0, size.find('x'))) != d) continue;
      const std::string lead = e.target;  // "1.25mm"
      if (pitch && Number(lead.substr(0, lead.size() - 2)) != pitch) continue;
      *out = {&series, &e};
      return DesignationMatch::kFound;
    }
  }
  if (pitch) {
    // A size the tables list, with a pitch they do not.
    std::string pitches;
    for (const char* name : {"iso-coarse", "iso-fine"})
      for (const ThreadEntry& e : FindSeries(name)->threads) {
        const std::string size = Key(e.size);
        if (SizeValue(size.substr(0, size.find('x'))) != d) continue;
        const std::string lead = e.target;
        pitches += (pitches.empty() ? "" : ", ") + lead.substr(0, lead.size() - 2);
      }
    if (!pitches.empty()) {
      *error = "is not an ISO metric thread (M" + diameter + " has pitch " + pitches + ")";
      return DesignationMatch::kUnknownSize;
    }
  }
  const std::string worm =
      pitch ? "" : " (for a module " + diameter + " worm write mod" + diameter + ")";
  return Unknown(coarse, key.substr(0, x), worm, error);
}

// "1/4-20", "#10-24": the UNC or UNF entry of that size and threads per inch.
DesignationMatch Unified(const std::string& key, Designation* out, std::string* error) {
  const std::size_t dash = key.rfind('-');
  if (dash == std::string::npos || dash == 0 || dash + 1 == key.size() ||
      key.find_first_not_of("0123456789", dash + 1) != std::string::npos)
    return DesignationMatch::kNotADesignation;
  const std::string size = key.substr(0, dash), tpi = key.substr(dash + 1) + "tpi";
  if (!SizeValue(size)) return DesignationMatch::kNotADesignation;
  std::string listed;
  for (const char* name : {"unc", "unf"}) {
    const ThreadSeries& series = *FindSeries(name);
    for (const ThreadEntry& e : series.threads) {
      if (Key(e.size) != size) continue;
      if (tpi == e.target) return *out = {&series, &e}, DesignationMatch::kFound;
      listed += (listed.empty() ? "" : " or ") + std::string(e.size) + "-" +
                std::string(e.target).substr(0, std::string(e.target).size() - 3) + " " +
                (std::string(name) == "unc" ? "UNC" : "UNF");
    }
  }
  if (listed.empty()) return Unknown(*FindSeries("unc"), size, "", error);
  *error = "is not a Unified thread (" + size + " is " + listed + ")";
  return DesignationMatch::kUnknownSize;
}

// "SIZE SERIES", the series as chart --list names it.
DesignationMatch SizeInSeries(std::string_view text, Designation* out, std::string* error) {
  std::string trimmed(text);
  trimmed.erase(trimmed.find_last_not_of(" \t") + 1);
  const std::size_t blank = trimmed.find_last_of(" \t");
  if (blank == std::string::npos) return DesignationMatch::kNotADesignation;
  const ThreadSeries* series = FindSeries(Key(trimmed.substr(blank + 1)));
  if (!series) return DesignationMatch::kNotADesignation;
  const std::string size = Key(trimmed.substr(0, blank));
  for (const std::string& key :
       {size, "m" + size, "g" + size, size + "ba", "dp" + size, "mod" + size})
    if (Find(*series, key, out)) return DesignationMatch::kFound;
  return Unknown(*series, size, "", error);
}

}  // namespace

DesignationMatch FindDesignation(std::string_view text, Designation* out, std::string* error) {
  const std::string key = Key(text);
  if (key.empty()) return DesignationMatch::kNotADesignation;
  for (const ThreadSeries& series : BuiltInSeries())
    if (Find(series, key, out)) return DesignationMatch::kFound;
  DesignationMatch match = SizeInSeries(text, out, error);
  if (match == DesignationMatch::kNotADesignation) match = Iso(key, out, error);
  if (match == DesignationMatch::kNotADesignation) match = Unified(key, out, error);
  return match;
}

}  // namespace cog
