#include "workshop/train_search.h"

#include <algorithm>
#include <cmath>

#include "workshop/fit_rules.h"

namespace cog {
namespace {

using Group = TrainSearch::Group;

constexpr const char* kTooLarge =
    "the lead screw, ratios and target together have too many digits to compute exactly";

int GroupSize(TrainKind kind) { return static_cast<int>(kind) / 2; }

// Every multiset of `size` (1 to 3) distinct-tooth indices that the counts
// allow, by ascending product.
void BuildGroups(const std::vector<int>& teeth, const std::vector<int>& counts, int size,
                 std::vector<Group>* out) {
  // Unused positions stay at index 0 and run over one value only.
  const int n = static_cast<int>(teeth.size());
  const int j_end = size > 1 ? n : 1, k_end = size > 2 ? n : 1;
  for (int i = 0; i < n; ++i) {
    for (int j = size > 1 ? i : 0; j < j_end; ++j) {
      for (int k = size > 2 ? j : 0; k < k_end; ++k) {
        Group g;
        g.size = size;
        g.index[0] = i;
        g.index[1] = j;
        g.index[2] = k;
        bool available = true;
        for (int m = 0; m < size; ++m) {
          const int uses = static_cast<int>(std::count(g.index, g.index + size, g.index[m]));
          available = available && uses <= counts[g.index[m]];
        }
        if (!available) continue;
        for (int m = 0; m < size; ++m) g.product *= teeth[g.index[m]];
        out->push_back(g);
      }
    }
  }
  std::stable_sort(out->begin(), out->end(),
                   [](const Group& a, const Group& b) { return a.product < b.product; });
}

int CompareError(const TrainError& a, const TrainError& b) {
  if (a.exact && b.exact) return CompareMagnitude(a.value, b.value);
  const long double x = std::fabs(a.approx), y = std::fabs(b.approx);
  return x < y ? -1 : x > y ? 1 : 0;
}

bool RowBefore(const TrainRow& a, const TrainRow& b) {
  if (const int c = CompareError(a.error, b.error)) return c < 0;
  if (a.kind != b.kind) return a.kind < b.kind;
  if (a.gears != b.gears) return a.gears < b.gears;
  return a.gearbox < b.gearbox;
}

// cut = scale x drivers / driven; error = cut / target - 1.
bool ErrorOf(const Fraction& scale, std::int64_t drivers, std::int64_t driven, const Lead& target,
             Fraction* lead, TrainError* error) {
  Fraction train;
  if (!MakeFraction(drivers, driven, &train) || !Multiply(scale, train, lead)) return false;
  error->exact = target.exact;
  if (target.exact) {
    Fraction quotient;
    if (!Divide(*lead, target.mm, &quotient) || !Subtract(quotient, Whole(1), &error->value))
      return false;
    error->approx = ToExtended(error->value);
  } else {
    error->approx = ToExtended(*lead) / target.approx_mm - 1;
  }
  return true;
}

bool IsNegativeOrZero(const TrainError& e) { return e.exact ? e.value.num <= 0 : e.approx <= 0; }

// One query: the kept rows in order, at most `top` of them.
class Collector {
 public:
  Collector(const LatheProfile& profile, const std::vector<int>& teeth,
            const std::vector<int>& counts, const SearchOptions& options)
      : profile_(profile), teeth_(teeth), counts_(counts), options_(options) {}

  // True when a row with this error could still be among the best.
  bool MayEnter(const TrainError& error) const {
    return static_cast<int>(best_.size()) < options_.top ||
           CompareError(error, best_.back().error) <= 0;
  }

  // Adds the row of these groups unless the gear set cannot provide it or it
  // does not fit; false on overflow.
  bool Offer(TrainKind kind, const Group& drivers, const Group& driven, int gearbox,
             const Fraction& lead, const TrainError& error) {
    int used[6];
    int n = 0;
    for (int k = 0; k < drivers.size; ++k) used[n++] = drivers.index[k];
    for (int k = 0; k < driven.size; ++k) used[n++] = driven.index[k];
    for (int k = 0; k < n; ++k)
      if (Uses(used, n, used[k]) > counts_[used[k]]) return true;
    TrainRow row;
    row.kind = kind;
    row.gearbox = gearbox;
    row.lead_mm = lead;
    row.error = error;
    bool ok = true;
    if (!Arrange(kind, drivers, driven, used, n, &row, &ok)) return ok;
    if (row.fits == false && !options_.keep_unfit) return true;
    if (!Divide(lead, profile_.leadscrew_mm, &row.ratio)) return false;
    const auto at = std::upper_bound(best_.begin(), best_.end(), row, RowBefore);
    if (at - best_.begin() >= options_.top) return true;
    best_.insert(at, std::move(row));
    if (static_cast<int>(best_.size()) > options_.top) best_.pop_back();
    return true;
  }

  std::vector<TrainRow> Take() { return std::move(best_); }

 private:
  static int Uses(const int* used, int n, int index) {
    return static_cast<int>(std::count(used, used + n, index));
  }

  bool Fits(const std::vector<int>& gears, bool* ok) const {
    bool fine = true;
    const bool fits = TrainFits(*profile_.geometry, gears, &fine);
    if (!fine) *ok = false;
    return fits;
  }

  // Picks the shown arrangement and its fit; false when the row cannot be
  // made (no idler left, or an overflow, which clears *ok).
  bool Arrange(TrainKind kind, const Group& drivers, const Group& driven, const int* used, int n,
               TrainRow* row, bool* ok) const {
    const bool checked = profile_.geometry.has_value() && kind != TrainKind::kSix;
    std::vector<std::vector<int>> choices;
    if (kind == TrainKind::kSimple) {
      for (int i = 0; i < static_cast<int>(teeth_.size()); ++i)
        if (Uses(used, n, i) < counts_[i])
          choices.push_back({teeth_[drivers.index[0]], teeth_[i], teeth_[driven.index[0]]});
      if (choices.empty()) return false;
    } else {
      std::vector<int> a, b;
      for (int k = 0; k < drivers.size; ++k) a.push_back(teeth_[drivers.index[k]]);
      for (int k = 0; k < driven.size; ++k) b.push_back(teeth_[driven.index[k]]);
      do {
        do {
          std::vector<int> gears;
          for (std::size_t k = 0; k < a.size(); ++k) gears.insert(gears.end(), {a[k], b[k]});
          choices.push_back(std::move(gears));
        } while (checked && std::next_permutation(b.begin(), b.end()));
      } while (checked && std::next_permutation(a.begin(), a.end()));
      std::sort(choices.begin(), choices.end());
    }
    row->gears = choices.front();
    if (!checked) return true;
    row->fits = false;
    for (const std::vector<int>& gears : choices) {
      if (Fits(gears, ok)) {
        row->gears = gears;
        row->fits = true;
        break;
      }
      if (!*ok) return false;
    }
    return true;
  }

  const LatheProfile& profile_;
  const std::vector<int>& teeth_;
  const std::vector<int>& counts_;
  const SearchOptions& options_;
  std::vector<TrainRow> best_;
};

}  // namespace

bool TrainSearch::Init(const LatheProfile& profile, std::string* error) {
  profile_ = profile;
  std::vector<int> sorted = profile.gears;
  std::sort(sorted.begin(), sorted.end());
  teeth_.clear();
  counts_.clear();
  for (int t : sorted) {
    if (teeth_.empty() || teeth_.back() != t) {
      teeth_.push_back(t);
      counts_.push_back(0);
    }
    ++counts_.back();
  }
  for (int s = 0; s < 3; ++s) {
    groups_[s].clear();
    if (profile.trains[s]) BuildGroups(teeth_, counts_, s + 1, &groups_[s]);
  }
  scale_.clear();
  const std::size_t positions = std::max<std::size_t>(1, profile.gearbox.size());
  for (std::size_t g = 0; g < positions; ++g) {
    const Fraction position = profile.gearbox.empty() ? Whole(1) : profile.gearbox[g].ratio;
    Fraction fixed_position, scale;
    if (!Multiply(profile.fixed_ratio, position, &fixed_position) ||
        !Multiply(fixed_position, profile.leadscrew_mm, &scale)) {
      *error = kTooLarge;
      return false;
    }
    scale_.push_back(scale);
  }
  return true;
}

bool TrainSearch::Find(const Lead& lead, const SearchOptions& options, std::vector<TrainRow>* rows,
                       std::string* error) const {
  Collector collector(profile_, teeth_, counts_, options);
  constexpr TrainKind kKinds[] = {TrainKind::kSimple, TrainKind::kCompound, TrainKind::kSix};
  for (const TrainKind kind : kKinds) {
    const std::vector<Group>& groups = groups_[GroupSize(kind) - 1];
    for (std::size_t g = 0; g < scale_.size(); ++g) {
      const int gearbox = profile_.gearbox.empty() ? -1 : static_cast<int>(g);
      // Errors fall as the driven product grows, and the first driven group
      // with error <= 0 only moves right as the drivers' product grows.
      std::size_t split = 0;
      for (const Group& drivers : groups) {
        Fraction cut;
        TrainError e;
        auto evaluate = [&](std::size_t j) {
          return ErrorOf(scale_[g], drivers.product, groups[j].product, lead, &cut, &e);
        };
        for (; split < groups.size(); ++split) {
          if (!evaluate(split)) return *error = kTooLarge, false;
          if (IsNegativeOrZero(e)) break;
        }
        // Outwards from the split on both sides, while rows could still enter.
        for (std::size_t j = split; j < groups.size(); ++j) {
          if (!evaluate(j)) return *error = kTooLarge, false;
          if (!collector.MayEnter(e)) break;
          if (!collector.Offer(kind, drivers, groups[j], gearbox, cut, e))
            return *error = kTooLarge, false;
        }
        for (std::size_t j = split; j-- > 0;) {
          if (!evaluate(j)) return *error = kTooLarge, false;
          if (!collector.MayEnter(e)) break;
          if (!collector.Offer(kind, drivers, groups[j], gearbox, cut, e))
            return *error = kTooLarge, false;
        }
      }
    }
  }
  *rows = collector.Take();
  return true;
}

bool DescribeTrain(const LatheProfile& profile, const std::vector<int>& gears, int gearbox,
                   const Lead& target, TrainRow* row, std::string* error) {
  std::int64_t drivers = 1, driven = 1;
  for (std::size_t k = 0; k < gears.size(); ++k) {
    const bool simple_idler = gears.size() == 3 && k == 1;
    const bool simple_driven = gears.size() == 3 && k == 2;
    if (simple_idler) continue;
    if (simple_driven || (gears.size() != 3 && k % 2 == 1))
      driven *= gears[k];
    else
      drivers *= gears[k];
  }
  const Fraction position =
      gearbox < 0 ? Whole(1) : profile.gearbox[static_cast<std::size_t>(gearbox)].ratio;
  Fraction fixed_position, scale;
  row->kind = static_cast<TrainKind>(gears.size() == 3 ? 2 : gears.size());
  row->gears = gears;
  row->gearbox = gearbox;
  row->fits.reset();
  bool ok = Multiply(profile.fixed_ratio, position, &fixed_position) &&
            Multiply(fixed_position, profile.leadscrew_mm, &scale) &&
            ErrorOf(scale, drivers, driven, target, &row->lead_mm, &row->error) &&
            Divide(row->lead_mm, profile.leadscrew_mm, &row->ratio);
  if (ok && profile.geometry && gears.size() != 6)
    row->fits = TrainFits(*profile.geometry, gears, &ok);
  if (!ok) *error = kTooLarge;
  return ok;
}

}  // namespace cog
