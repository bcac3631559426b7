#include "lathe/designation.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <vector>

#include "gears/fraction_text.h"

namespace cog {
namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// The fraction signs a keyboard or a pasted table gives, UTF-8.
constexpr std::pair<std::string_view, std::string_view> kFractionSigns[] = {
    {"\xc2\xbc", "1/4"},     {"\xc2\xbd", "1/2"},     {"\xc2\xbe", "3/4"},
    {"\xe2\x85\x9b", "1/8"}, {"\xe2\x85\x9c", "3/8"}, {"\xe2\x85\x9d", "5/8"},
    {"\xe2\x85\x9e", "7/8"},
};

// Lower case, blanks dropped: how a text is compared with a table's size.
std::string SizeKey(std::string_view text) {
  std::string key;
  for (const char c : MachinistText(text))
    if (c != ' ') key += c;
  return key;
}

std::optional<Fraction> Number(std::string_view text) {
  Fraction f;
  std::string why;
  if (text.empty() || !ReadMixedNumber(text, &f, &why)) return std::nullopt;
  return f;
}

std::optional<double> NumberValue(std::string_view text) {
  const std::optional<Fraction> f = Number(text);
  return f ? std::optional<double>(ToDouble(*f)) : std::nullopt;
}

// A size's place on one scale, for naming the nearest sizes: inches or mm as
// the series gives them ("2-1/2" is 2.5), a numbered Unified size by its
// diameter (0.060 + 0.013 N in), a BA number as it is.
std::optional<double> SizeValue(std::string_view size) {
  std::string key = SizeKey(size);
  if (!key.empty() && key[0] == '#') {
    const std::optional<double> n = NumberValue(std::string_view(key).substr(1));
    return n ? std::optional<double>(0.060 + 0.013 * *n) : std::nullopt;
  }
  const std::size_t start = key.find_first_of("0123456789.");
  if (start == std::string::npos) return std::nullopt;
  key.erase(0, start);
  return NumberValue(key.substr(0, key.find_first_not_of("0123456789./-")));
}

// A table's size up to its first blank: "1/4" of "1/4 ME40".
std::string BaseSize(const ThreadEntry& e) {
  const std::string_view size = e.size;
  return SizeKey(size.substr(0, size.find(' ')));
}

// The figure of a lead text, "20" of "20tpi", "1.5" of "1.5mm".
std::string Figure(const ThreadEntry& e) {
  std::string t = e.target;
  while (!t.empty() && !IsDigit(t.back())) t.pop_back();
  return t;
}

bool InTpi(const ThreadEntry& e) { return std::string_view(e.target).ends_with("tpi"); }

// Only digits, "/", "-", "." and a leading "#": a size with no series named.
bool IsBareNumber(std::string_view key) {
  if (!key.empty() && key[0] == '#') key.remove_prefix(1);
  return !key.empty() && IsDigit(key[0]) &&
         key.find_first_not_of("0123456789./-") == std::string_view::npos;
}

// A thread as the reader takes it back unambiguously: "1-8 UNC", "1 BSW",
// "G1", "1/4 ME40".
std::string Named(const ThreadSeries& s, const ThreadEntry& e) {
  const std::string mark = s.mark;
  if (mark.empty()) return e.size;
  if (s.tpi_named) return std::string(e.size) + "-" + Figure(e) + " " + mark;
  return std::string(e.size) + " " + mark;
}

std::string Nearest(const ThreadSeries& series, std::string_view wanted) {
  const std::optional<double> value = SizeValue(wanted);
  std::vector<std::pair<double, const char*>> sizes;
  for (const ThreadEntry& e : series.threads) {
    const std::optional<double> v = SizeValue(e.size);
    // One name a size: "Tr20x4" stands for Tr20x2 too.
    if (!v || (!sizes.empty() && SizeValue(sizes.back().second) == v)) continue;
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

using SeriesList = std::vector<const ThreadSeries*>;

SeriesList SeriesNamed(std::initializer_list<const char*> names) {
  SeriesList list;
  for (const char* name : names)
    if (const ThreadSeries* s = FindSeries(name)) list.push_back(s);
  return list;
}

// What a machinist writes after a size to name its series.
struct Mark {
  const char* text;
  std::initializer_list<const char*> series;
};
const Mark kMarks[] = {
    {"unc", {"unc"}},   {"unf", {"unf"}}, {"unef", {"unef"}}, {"un", {"8-un", "12-un", "16-un"}},
    {"bsw", {"bsw"}},   {"bsf", {"bsf"}}, {"bsp", {"bsp"}},   {"bspp", {"bsp"}},
    {"bspt", {"bspt"}}, {"npt", {"npt"}}, {"bsb", {"bsb"}},   {"acme", {"acme"}},
    {"me", {"me"}},     {"ba", {"ba"}},   {"tr", {"tr"}},
};

SeriesList Unified() { return SeriesNamed({"unc", "unf", "unef", "8-un", "12-un", "16-un"}); }

// The series `word` names, by its mark or its chart name; empty when none.
SeriesList MarkedSeries(std::string_view word) {
  for (const Mark& m : kMarks)
    if (word == m.text) return SeriesNamed(m.series);
  if (const ThreadSeries* s = FindSeries(word)) return {s};
  return {};
}

// The entries of `series` of that size and threads per inch: "1-1/8-7" may
// part as 1 | 1/8-7 or 1-1/8 | 7, and "10-24" names #10.
std::vector<Designation> BySizeAndTpi(const std::string& key, const SeriesList& series) {
  std::vector<Designation> found;
  for (std::size_t p = 1; p + 1 < key.size(); ++p) {
    if (key[p] != '-' && key[p] != 'x') continue;
    const std::string size = key.substr(0, p);
    const std::optional<Fraction> tpi = Number(std::string_view(key).substr(p + 1));
    if (!tpi) continue;
    for (const ThreadSeries* s : series)
      for (const ThreadEntry& e : s->threads) {
        const std::string base = BaseSize(e);
        if (!InTpi(e) || (base != size && base != "#" + size)) continue;
        if (Number(Figure(e)) == tpi) found.push_back({s, &e});
      }
  }
  return found;
}

// The size part of "SIZE-TPI" for naming the nearest: the left of the last
// "-" or "x" followed by a plain number, else the whole.
std::string SizePart(const std::string& key) {
  for (std::size_t p = key.size(); p-- > 1;) {
    if (key[p] != '-' && key[p] != 'x') continue;
    const std::string_view right = std::string_view(key).substr(p + 1);
    if (!right.empty() && right.find_first_not_of("0123456789.") == std::string_view::npos)
      return key.substr(0, p);
  }
  return key;
}

// The entries of `series` whose size is `key` as the table writes it (or as
// its size before a blank, "1/4" of "1/4 ME40"); failing that, with the
// prefix or suffix the table's names carry ("2" of BA is "2BA", "1/8" of BSP
// "G1/8").
std::vector<Designation> BySize(const std::string& key, const SeriesList& series) {
  std::vector<Designation> found;
  for (const ThreadSeries* s : series)
    for (const ThreadEntry& e : s->threads)
      if (key == SizeKey(e.size) || key == BaseSize(e)) found.push_back({s, &e});
  if (!found.empty()) return found;
  for (const ThreadSeries* s : series)
    for (const ThreadEntry& e : s->threads)
      for (const std::string& k :
           {"m" + key, "g" + key, "r" + key, key + "ba", "dp" + key, "mod" + key, "tr" + key})
        if (k == SizeKey(e.size)) {
          found.push_back({s, &e});
          break;
        }
  return found;
}

std::string Listed(const std::vector<Designation>& found, const char* separator) {
  std::string text;
  for (const Designation& d : found)
    text += (text.empty() ? "" : separator) + Named(*d.series, *d.thread);
  return text;
}

// "1/2-13 UNC-2A": the class, taken off. Unified classes are 1A..3B, ACME
// general purpose 2G..5G.
std::string TakeClass(std::string* text) {
  static constexpr const char* kClasses[] = {"1a", "2a", "3a", "1b", "2b",
                                             "3b", "2g", "3g", "4g", "5g"};
  if (text->size() < 4) return "";
  const std::string tail = text->substr(text->size() - 2);
  const char before = (*text)[text->size() - 3];
  if (before != '-' && before != ' ') return "";
  if (std::find(std::begin(kClasses), std::end(kClasses), tail) == std::end(kClasses)) return "";
  text->resize(text->size() - 3);
  return tail;
}

DesignationMatch BadClass(std::string grade, const ThreadSeries& series, std::string* error) {
  for (char& c : grade) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  *error = "has a class (" + grade + ") that " + series.title + " does not have";
  return DesignationMatch::kUnknownSize;
}

// "M25x2, M25x1.5 or M25x1": a size with each of its pitches ("2, 1.5, 1").
std::string Alternatives(const std::string& size, const std::string& pitches) {
  std::vector<std::string> names;
  for (std::size_t from = 0; from < pitches.size();) {
    const std::size_t comma = std::min(pitches.find(", ", from), pitches.size());
    names.push_back(size + "x" + pitches.substr(from, comma - from));
    from = comma + 2;
  }
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i)
    text += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + names[i];
  return text;
}

// "; a 2-start thread of lead 8 is written Tr20x8(P4)": when `lead` is a
// whole number (2 or more) of the first of `pitches` that divides it.
std::string MultiStartHint(const std::string& size, const std::string& lead,
                           const std::string& pitches) {
  const std::optional<Fraction> l = Number(lead);
  for (std::size_t from = 0; l && from < pitches.size();) {
    const std::size_t comma = std::min(pitches.find(", ", from), pitches.size());
    const std::string pitch = pitches.substr(from, comma - from);
    from = comma + 2;
    Fraction starts;
    const std::optional<Fraction> p = Number(pitch);
    if (!p || !Divide(*l, *p, &starts) || starts.den != 1 || starts.num < 2) continue;
    return "; a " + std::to_string(starts.num) + "-start thread of lead " + lead + " is written " +
           size + "x" + lead + "(P" + pitch + ")";
  }
  return "";
}

// "M6" or "M6x0.75": the coarse or fine entry of that diameter and pitch.
DesignationMatch Iso(const std::string& key, Designation* out, std::string* error) {
  if (key.size() < 2 || key[0] != 'm' || !IsDigit(key[1]))
    return DesignationMatch::kNotADesignation;
  const std::size_t x = key.find('x');
  const std::string diameter = key.substr(1, x == std::string::npos ? x : x - 1);
  const std::optional<Fraction> d = Number(diameter);
  const std::optional<Fraction> pitch =
      x == std::string::npos ? std::nullopt : Number(std::string_view(key).substr(x + 1));
  if (!d || (x != std::string::npos && !pitch)) return DesignationMatch::kNotADesignation;
  std::string pitches;
  for (const char* name : {"iso-coarse", "iso-fine"}) {
    const ThreadSeries& series = *FindSeries(name);
    for (const ThreadEntry& e : series.threads) {
      const std::string size = SizeKey(e.size);
      if (Number(size.substr(1, size.find('x') - 1)) != d) continue;
      // Without a pitch, the coarse one: a fine pitch is never taken for it.
      const bool coarse = name == std::string_view("iso-coarse");
      if (pitch ? Number(Figure(e)) == pitch : coarse)
        return *out = {&series, &e}, DesignationMatch::kFound;
      pitches += (pitches.empty() ? "" : ", ") + Figure(e);
    }
  }
  const std::string m = "M" + diameter;
  if (!pitches.empty() && pitch) {
    *error = "is not an ISO metric thread (" + m + " has pitch " + pitches + ")";
    return DesignationMatch::kUnknownSize;
  }
  if (!pitches.empty()) {
    *error = "has no coarse pitch: write " + Alternatives(m, pitches);
    return DesignationMatch::kUnknownSize;
  }
  const std::string worm =
      pitch ? "" : " (for a module " + diameter + " worm write mod" + diameter + ")";
  return Unknown(*FindSeries("iso-coarse"), key.substr(0, x), worm, error);
}

// "Tr20x4", "Tr20x8(P4)": the trapezoidal entry of that diameter and pitch;
// a lead of several pitches is as many starts.
DesignationMatch Trapezoidal(const std::string& key, Designation* out, std::string* error) {
  const ThreadSeries* tr = FindSeries("tr");
  if (!tr || key.size() < 3 || key.compare(0, 2, "tr") != 0 || !IsDigit(key[2]))
    return DesignationMatch::kNotADesignation;
  const std::size_t x = key.find('x'), open = key.find("(p");
  const std::string diameter = key.substr(2, x == std::string::npos ? x : x - 2);
  std::string lead_text, pitch_text;
  if (x != std::string::npos) {
    lead_text = key.substr(x + 1, open == std::string::npos ? open : open - x - 1);
    if (open != std::string::npos) {
      if (key.back() != ')') return DesignationMatch::kNotADesignation;
      pitch_text = key.substr(open + 2, key.size() - open - 3);
    }
  }
  const std::optional<Fraction> d = Number(diameter);
  const std::optional<Fraction> lead = Number(lead_text);
  const std::optional<Fraction> pitch = pitch_text.empty() ? lead : Number(pitch_text);
  if (!d || (x != std::string::npos && (!lead || !pitch)))
    return DesignationMatch::kNotADesignation;
  std::string pitches;
  for (const ThreadEntry& e : tr->threads) {
    const std::string size = SizeKey(e.size);
    if (Number(size.substr(2, size.find('x') - 2)) != d) continue;
    pitches += (pitches.empty() ? "" : ", ") + Figure(e);
    if (!pitch || Number(Figure(e)) != pitch) continue;
    Fraction starts;
    if (!Divide(*lead, *pitch, &starts) || starts.den != 1 || starts.num < 1 || starts.num > 100) {
      *error = "is not a trapezoidal thread (its lead is not a whole number of pitches)";
      return DesignationMatch::kUnknownSize;
    }
    *out = {tr, &e, static_cast<int>(starts.num)};
    return DesignationMatch::kFound;
  }
  if (!pitches.empty() && x == std::string::npos) {
    *error = "needs its pitch: write " + Alternatives("Tr" + diameter, pitches);
    return DesignationMatch::kUnknownSize;
  }
  if (!pitches.empty()) {
    *error = "is not a trapezoidal thread (Tr" + diameter + " has pitch " + pitches +
             MultiStartHint("Tr" + diameter, lead_text, pitches) + ")";
    return DesignationMatch::kUnknownSize;
  }
  return Unknown(*tr, diameter, "", error);
}

// "SIZE MARK" and "SIZE-TPI MARK": looked up in the marked series only, so
// that a hint names that series' sizes.
DesignationMatch InSeries(const std::string& size, const SeriesList& series, Designation* out,
                          std::string* error) {
  std::vector<Designation> found = BySizeAndTpi(size, series);
  // A size and a count name one thread; a size alone may name several
  // ("1/4 ME" is ME32 or ME40).
  if (!found.empty() || (found = BySize(size, series)).size() == 1) {
    *out = found.front();
    return DesignationMatch::kFound;
  }
  if (!found.empty()) {
    *error = "may be " + Listed(found, " or ");
    return DesignationMatch::kUnknownSize;
  }
  const std::string part = SizePart(size);
  const std::vector<Designation> same_size = BySize(part, series);
  if (!same_size.empty() && part != size) {
    *error = "is not a thread of " + std::string(series.front()->title) + " (" + part + " is " +
             Listed(same_size, " or ") + ")";
    return DesignationMatch::kUnknownSize;
  }
  return Unknown(*series.front(), part, "", error);
}

// The first blank of `text` (after MachinistText) with a number on either
// side, as "6 4" shows it; npos when none. A mixed number ("1 1/8") was
// joined by MachinistText and has none.
std::size_t BlankBetweenNumbers(std::string_view text) {
  for (std::size_t i = 1; i + 1 < text.size(); ++i)
    if (text[i] == ' ' && IsDigit(text[i - 1]) && IsDigit(text[i + 1])) return i;
  return std::string_view::npos;
}

// "... has a blank between two numbers ("6 4"): a blank never joins them".
DesignationMatch BlankRefused(std::string_view text, std::size_t blank, std::string* error) {
  const std::string_view number_chars = "0123456789./";
  std::size_t first = blank, last = blank + 1;
  while (first > 0 && number_chars.find(text[first - 1]) != std::string_view::npos) --first;
  while (last < text.size() && number_chars.find(text[last]) != std::string_view::npos) ++last;
  *error = "has a blank between two numbers (\"" + std::string(text.substr(first, last - first)) +
           "\"): a blank never joins them";
  return DesignationMatch::kUnknownSize;
}

// "M12 1.5": an ISO size and its pitch parted by a blank, as some catalogues
// print them, is M12x1.5 when ISO 261 lists that pitch for the size; any
// other reading of the blank is refused, naming the one it would be.
DesignationMatch IsoWithBlank(const std::string& text, std::size_t blank, Designation* out,
                              std::string* error) {
  const std::string diameter = text.substr(1, blank - 1), pitch = text.substr(blank + 1);
  const bool shape = text[0] == 'm' && Number(diameter) && Number(pitch) &&
                     diameter.find('/') == std::string::npos &&
                     pitch.find('/') == std::string::npos;
  if (!shape) return BlankRefused(text, blank, error);
  std::string why;
  if (Iso("m" + diameter + "x" + pitch, out, &why) == DesignationMatch::kFound)
    return DesignationMatch::kFound;
  BlankRefused(text, blank, error);
  *error += ", and M" + diameter + "x" + pitch + " " + why;
  return DesignationMatch::kUnknownSize;
}

}  // namespace

std::string MachinistText(std::string_view text) {
  std::string s;
  for (std::size_t i = 0; i < text.size();) {
    const std::string_view rest = text.substr(i);
    if (rest.starts_with("\xc3\x97")) {
      s += 'x';
      i += 2;
      continue;
    }
    if (rest.starts_with("\xe2\x80\xb3") || rest[0] == '"') {  // inch marks
      i += rest[0] == '"' ? 1 : 3;
      continue;
    }
    bool sign = false;
    for (const auto& [utf8, fraction] : kFractionSigns) {
      if (!rest.starts_with(utf8)) continue;
      if (!s.empty() && IsDigit(s.back())) s += '-';
      s += fraction;
      i += utf8.size();
      sign = true;
      break;
    }
    if (sign) continue;
    const auto c = static_cast<unsigned char>(rest[0]);
    if (std::isspace(c)) {
      if (!s.empty() && s.back() != ' ') s += ' ';
    } else {
      s += static_cast<char>(std::tolower(c));
    }
    ++i;
  }
  if (!s.empty() && s.back() == ' ') s.pop_back();
  std::string joined;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != ' ') {
      joined += s[i];
      continue;
    }
    const char next = i + 1 < s.size() ? s[i + 1] : '\0';
    if (next == '/' || (!joined.empty() && joined.back() == '/')) continue;
    // "1 1/8": a whole number, a blank and a fraction is one mixed number.
    std::size_t digits = i + 1;
    while (digits < s.size() && IsDigit(s[digits])) ++digits;
    const bool fraction = digits > i + 1 && digits < s.size() && s[digits] == '/' &&
                          digits + 1 < s.size() && IsDigit(s[digits + 1]);
    const std::size_t before = joined.find_last_not_of("0123456789");
    const bool whole =
        !joined.empty() && IsDigit(joined.back()) &&
        (before == std::string::npos || (joined[before] != '.' && joined[before] != '/'));
    joined += fraction && whole ? '-' : ' ';
  }
  return joined;
}

bool ReadMixedNumber(std::string_view text, Fraction* out, std::string* error) {
  const std::size_t dash = text.find('-');
  if (dash == std::string_view::npos || dash == 0 || text.find('/') == std::string_view::npos ||
      text.find('/') < dash)
    return ReadFraction(text, out, error);
  const std::string_view whole = text.substr(0, dash), part = text.substr(dash + 1);
  Fraction w, p;
  if (whole.find_first_not_of("0123456789") != std::string_view::npos || part.empty() ||
      !IsDigit(part[0]) || !ReadFraction(whole, &w, error) || !ReadFraction(part, &p, error))
    return ReadFraction(text, out, error);
  if (!Add(w, p, out)) return *error = "\"" + std::string(text) + "\" is too large", false;
  return true;
}

DesignationMatch FindDesignation(std::string_view text, Designation* out, std::string* error) {
  std::string s = MachinistText(text);
  if (s.empty()) return DesignationMatch::kNotADesignation;
  const std::string grade = TakeClass(&s);
  // "SIZE MARK": the last word names the series.
  const std::size_t blank = s.rfind(' ');
  if (blank != std::string::npos) {
    const SeriesList marked = MarkedSeries(s.substr(blank + 1));
    if (!marked.empty()) {
      const std::string size = s.substr(0, blank);
      if (const std::size_t at = BlankBetweenNumbers(size); at != std::string::npos)
        return BlankRefused(size, at, error);
      const std::string_view mark = marked.front()->mark;
      if (!grade.empty() && (grade.back() == 'g' ? mark != "ACME" : !mark.starts_with("UN")))
        return BadClass(grade, *marked.front(), error);
      return InSeries(SizeKey(size), marked, out, error);
    }
  }
  if (const std::size_t at = BlankBetweenNumbers(s); at != std::string::npos)
    return IsoWithBlank(s, at, out, error);
  const std::string key = SizeKey(s);
  DesignationMatch match = Iso(key, out, error);
  if (match == DesignationMatch::kNotADesignation) match = Trapezoidal(key, out, error);
  if (match != DesignationMatch::kNotADesignation) return match;
  // A size name as a table lists it; Rc and Rp are cut as R.
  std::vector<Designation> exact;
  const std::string as_r = key.size() > 2 && key[0] == 'r' && (key[1] == 'c' || key[1] == 'p')
                               ? "r" + key.substr(2)
                               : key;
  for (const ThreadSeries& series : BuiltInSeries())
    for (const ThreadEntry& e : series.threads)
      if (SizeKey(e.size) == as_r) exact.push_back({&series, &e});
  if (!exact.empty() && !IsBareNumber(key)) return *out = exact.front(), DesignationMatch::kFound;
  // "1/4-20", "10-24": Unified, as machinists read a size and a count.
  const std::vector<Designation> unified = BySizeAndTpi(key, Unified());
  if (!grade.empty() && grade.back() == 'g') return BadClass(grade, *FindSeries("unc"), error);
  if (!unified.empty()) return *out = unified.front(), DesignationMatch::kFound;
  if (!IsBareNumber(key)) return DesignationMatch::kNotADesignation;
  std::vector<Designation> all;
  for (const ThreadSeries& series : BuiltInSeries())
    for (const std::string& size : {key, key[0] == '#' ? std::string() : "#" + key})
      for (const Designation& d : BySize(size, {&series}))
        if (IsBareNumber(BaseSize(*d.thread))) all.push_back(d);
  if (!all.empty()) {
    // A numbered size ("#10") is no pitch.
    *error =
        "may be " + Listed(all, ", ") + (key[0] == '#' ? "" : "; or " + key + "mm, " + key + "tpi");
    return DesignationMatch::kUnknownSize;
  }
  const std::string part = SizePart(key);
  if (part != key) {
    const std::vector<Designation> same_size = BySize(part, Unified());
    if (!same_size.empty()) {
      *error = "is not a Unified thread (" + part + " is " + Listed(same_size, " or ") + ")";
      return DesignationMatch::kUnknownSize;
    }
    return Unknown(*FindSeries("unc"), part, "", error);
  }
  return DesignationMatch::kNotADesignation;
}

}  // namespace cog
