#include "workshop/train_search.h"

#include <algorithm>
#include <array>
#include <cmath>

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
  const Extended x = Fabs(a.approx), y = Fabs(b.approx);
  return x < y ? -1 : x > y ? 1 : 0;
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

// A row as the search holds it: no allocation, exact error.
struct Candidate {
  TrainKind kind;
  std::array<int, 6> gears;
  int count;  // gears used
  int gearbox;
  Fraction lead;
  TrainError error;
  std::optional<bool> fits;
};

bool CandidateBefore(const Candidate& a, const Candidate& b) {
  if (const int c = CompareError(a.error, b.error)) return c < 0;
  if (a.kind != b.kind) return a.kind < b.kind;
  if (!std::equal(a.gears.begin(), a.gears.begin() + a.count, b.gears.begin(),
                  b.gears.begin() + b.count))
    return std::lexicographical_compare(a.gears.begin(), a.gears.begin() + a.count, b.gears.begin(),
                                        b.gears.begin() + b.count);
  return a.gearbox < b.gearbox;
}

// How far a double estimate of an error may be from the error itself: the
// estimate is c x P / Q - 1 with c rounded once, a few units in the last
// place of 1 + |e|; this bound is a thousand times wider.
double Slack(double e) { return 1e-13 * (1 + std::fabs(e)); }

// One query's figures per gearbox position, and the exact evaluation.
class Evaluator {
 public:
  Evaluator(const std::vector<Fraction>& scale, const Lead& target)
      : scale_(scale), target_(target) {
    for (const Fraction& s : scale) {
      Fraction c;
      // scale / target as a double, for the estimates.
      if (target.exact && Divide(s, target.mm, &c))
        factor_.push_back(ToDouble(c));
      else
        factor_.push_back(static_cast<double>(ToExtended(s) / target.approx_mm));
    }
  }

  double Estimate(std::size_t g, std::int64_t drivers, std::int64_t driven) const {
    return factor_[g] * static_cast<double>(drivers) / static_cast<double>(driven) - 1;
  }

  bool Exact(std::size_t g, std::int64_t drivers, std::int64_t driven, Fraction* lead,
             TrainError* error) const {
    return ErrorOf(scale_[g], drivers, driven, target_, lead, error);
  }

 private:
  const std::vector<Fraction>& scale_;
  const Lead& target_;
  std::vector<double> factor_;
};

// One query: the kept rows in order, at most `top` of them.
class Collector {
 public:
  Collector(const std::vector<int>& teeth, const std::vector<int>& counts,
            const std::optional<FitLimits>& fit, const SearchOptions& options)
      : teeth_(teeth), counts_(counts), fit_(fit), options_(options) {}

  // -1: a row with this error cannot enter, and neither can any worse one;
  // 0: it can; otherwise the exact error is needed to tell (1).
  int Admits(double estimate) const {
    if (!Full()) return 0;
    const double worst = static_cast<double>(best_.back().error.approx);
    const double gap = std::fabs(estimate) - std::fabs(worst);
    if (gap > Slack(estimate) + Slack(worst)) return -1;
    if (-gap > Slack(estimate) + Slack(worst)) return 0;
    return 1;
  }

  // Exact form of Admits: false when the row cannot enter. A tie may still
  // enter: the order after the error decides.
  bool AdmitsExactly(const TrainError& error) const {
    return !Full() || CompareError(error, best_.back().error) <= 0;
  }

  // Adds the row of these groups unless the gear set cannot provide it, it
  // does not fit, or it is not among the best.
  void Offer(TrainKind kind, const Group& drivers, const Group& driven, int gearbox,
             const Fraction& lead, const TrainError& error) {
    int used[6];
    int n = 0;
    for (int k = 0; k < drivers.size; ++k) used[n++] = drivers.index[k];
    for (int k = 0; k < driven.size; ++k) used[n++] = driven.index[k];
    for (int k = 0; k < n; ++k)
      if (Uses(used, n, used[k]) > counts_[used[k]]) return;
    Candidate c{kind, {}, 0, gearbox, lead, error, {}};
    if (!Arrange(drivers, driven, used, n, &c)) return;
    if (c.fits == false && !options_.keep_unfit) return;
    const auto at = std::upper_bound(best_.begin(), best_.end(), c, CandidateBefore);
    if (at - best_.begin() >= options_.top) return;
    best_.insert(at, c);
    if (static_cast<int>(best_.size()) > options_.top) best_.pop_back();
  }

  bool Take(const Fraction& leadscrew, std::vector<TrainRow>* rows) const {
    rows->clear();
    for (const Candidate& c : best_) {
      TrainRow row;
      row.kind = c.kind;
      row.gears.assign(c.gears.begin(), c.gears.begin() + c.count);
      row.gearbox = c.gearbox;
      row.lead_mm = c.lead;
      row.error = c.error;
      row.fits = c.fits;
      if (!Divide(c.lead, leadscrew, &row.ratio)) return false;
      rows->push_back(std::move(row));
    }
    return true;
  }

 private:
  bool Full() const { return static_cast<int>(best_.size()) >= options_.top; }

  static int Uses(const int* used, int n, int index) {
    return static_cast<int>(std::count(used, used + n, index));
  }

  // Picks the shown arrangement and its fit; false when the row cannot be
  // made (no idler left).
  bool Arrange(const Group& drivers, const Group& driven, const int* used, int n,
               Candidate* c) const {
    const bool checked = fit_.has_value() && c->kind != TrainKind::kSix;
    if (c->kind == TrainKind::kSimple) {
      // Idlers in ascending order: the smallest that fits, else the smallest.
      c->count = 3;
      c->gears = {teeth_[drivers.index[0]], 0, teeth_[driven.index[0]]};
      bool any = false;
      for (int i = 0; i < static_cast<int>(teeth_.size()); ++i) {
        if (Uses(used, n, i) >= counts_[i]) continue;
        std::array<int, 6> g = c->gears;
        g[1] = teeth_[i];
        if (!any) c->gears = g;
        any = true;
        if (!checked) break;
        if (TrainFits(*fit_, g.data(), 3)) {
          c->gears = g;
          c->fits = true;
          return true;
        }
      }
      if (checked) c->fits = false;
      return any;
    }
    // Drivers at even places and driven gears at odd ones, both ascending:
    // the first arrangement in ascending order.
    const int size = drivers.size;
    c->count = 2 * size;
    for (int k = 0; k < size; ++k) {
      c->gears[2 * k] = teeth_[drivers.index[k]];
      c->gears[2 * k + 1] = teeth_[driven.index[k]];
    }
    if (!checked) return true;
    // A compound row: its four arrangements, ascending; the first that fits.
    const int a = c->gears[0], b = c->gears[1], cc = c->gears[2], d = c->gears[3];
    std::array<std::array<int, 4>, 4> ways = {
        {{a, b, cc, d}, {a, d, cc, b}, {cc, b, a, d}, {cc, d, a, b}}};
    std::sort(ways.begin(), ways.end());
    for (const auto& way : ways) {
      if (TrainFits(*fit_, way.data(), 4)) {
        std::copy(way.begin(), way.end(), c->gears.begin());
        c->fits = true;
        return true;
      }
    }
    c->fits = false;
    return true;
  }

  const std::vector<int>& teeth_;
  const std::vector<int>& counts_;
  const std::optional<FitLimits>& fit_;
  const SearchOptions& options_;
  std::vector<Candidate> best_;
};

// The groups of one train kind at one gearbox position, walked outwards from
// the ideal driven product for every drivers group.
class KindWalk {
 public:
  KindWalk(TrainKind kind, const std::vector<Group>& groups, std::size_t g, int gearbox,
           const Evaluator& evaluator, Collector& collector)
      : kind_(kind),
        groups_(groups),
        g_(g),
        gearbox_(gearbox),
        evaluator_(evaluator),
        collector_(collector) {}

  bool Run() {
    // Errors fall as the driven product grows, and the first driven group
    // with error <= 0 only moves right as the drivers' product grows.
    std::size_t split = 0;
    for (const Group& drivers : groups_) {
      for (; split < groups_.size(); ++split) {
        const double e = evaluator_.Estimate(g_, drivers.product, groups_[split].product);
        if (e < -Slack(e)) break;
        if (e <= Slack(e)) {
          if (!Evaluate(drivers, split)) return false;
          if (error_.exact ? error_.value.num <= 0 : error_.approx <= 0) break;
        }
      }
      // Outwards from the split on both sides, while rows could still enter.
      for (std::size_t j = split; j < groups_.size(); ++j) {
        const int step = Step(drivers, j);
        if (step == -2) return false;
        if (step < 0) break;
      }
      for (std::size_t j = split; j-- > 0;) {
        const int step = Step(drivers, j);
        if (step == -2) return false;
        if (step < 0) break;
      }
    }
    return true;
  }

 private:
  bool Evaluate(const Group& drivers, std::size_t j) {
    return evaluator_.Exact(g_, drivers.product, groups_[j].product, &lead_, &error_);
  }

  // 0 after offering the row; -1 when no row further out can enter; -2 on overflow.
  int Step(const Group& drivers, std::size_t j) {
    const int admits =
        collector_.Admits(evaluator_.Estimate(g_, drivers.product, groups_[j].product));
    if (admits < 0) return -1;
    if (!Evaluate(drivers, j)) return -2;
    if (admits > 0 && !collector_.AdmitsExactly(error_)) return -1;
    collector_.Offer(kind_, drivers, groups_[j], gearbox_, lead_, error_);
    return 0;
  }

  TrainKind kind_;
  const std::vector<Group>& groups_;
  std::size_t g_;
  int gearbox_;
  const Evaluator& evaluator_;
  Collector& collector_;
  Fraction lead_;
  TrainError error_;
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
  fit_.reset();
  if (profile.geometry && !MakeFitLimits(*profile.geometry, &fit_.emplace())) {
    *error = "the banjo's figures are too large to compute exactly";
    return false;
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
  const Evaluator evaluator(scale_, lead);
  Collector collector(teeth_, counts_, fit_, options);
  constexpr TrainKind kKinds[] = {TrainKind::kSimple, TrainKind::kCompound, TrainKind::kSix};
  for (const TrainKind kind : kKinds) {
    for (std::size_t g = 0; g < scale_.size(); ++g) {
      const int gearbox = profile_.gearbox.empty() ? -1 : static_cast<int>(g);
      KindWalk walk(kind, groups_[GroupSize(kind) - 1], g, gearbox, evaluator, collector);
      if (!walk.Run()) return *error = kTooLarge, false;
    }
  }
  if (!collector.Take(profile_.leadscrew_mm, rows)) return *error = kTooLarge, false;
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
  if (ok && profile.geometry && gears.size() != 6) {
    std::vector<FitRule> rules;
    ok = FitRules(*profile.geometry, gears, &rules);
    row->fits = std::all_of(rules.begin(), rules.end(),
                            [](const FitRule& rule) { return rule.margin_mm.num >= 0; });
  }
  if (!ok) *error = kTooLarge;
  return ok;
}

}  // namespace cog
