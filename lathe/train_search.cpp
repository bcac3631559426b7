#include "lathe/train_search.h"

#include <algorithm>
#include <cmath>

#include "gears/wide_product.h"
#include "lathe/train_arrangement.h"
#include "lathe/train_collector.h"
#include "lathe/train_setups.h"

namespace cog {
namespace {

using Group = TrainSearch::Group;

constexpr const char* kTooLarge =
    "the lead screw, ratios and target together have too many digits to compute exactly";

constexpr TrainKind kKinds[] = {TrainKind::kSimple, TrainKind::kCompound, TrainKind::kSix};

int KindIndex(TrainKind kind) { return static_cast<int>(kind) / 2 - 1; }

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
  // Groups of equal product may come in any order: the rows' order is total.
  std::sort(out->begin(), out->end(),
            [](const Group& a, const Group& b) { return a.product < b.product; });
}

bool Holds(const Group& g, int index) {
  return std::find(g.index, g.index + g.size, index) != g.index + g.size;
}

bool Shows(const Candidate& c, int teeth) {
  return std::find(c.gears.begin(), c.gears.begin() + c.count, teeth) != c.gears.begin() + c.count;
}

bool IsExactZero(const TrainError& e) { return e.exact && e.value.num == 0; }

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
      // target / scale, the train ratio that cuts the target exactly.
      Fraction exact;
      ideal_.push_back(target.exact && Divide(target.mm, s, &exact) ? std::optional(exact)
                                                                    : std::nullopt);
    }
  }

  double Estimate(std::size_t g, std::int64_t drivers, std::int64_t driven) const {
    return factor_[g] * static_cast<double>(drivers) / static_cast<double>(driven) - 1;
  }

  // The sign of the error, exactly; false on overflow.
  bool Sign(std::size_t g, std::int64_t drivers, std::int64_t driven, int* sign) const {
    if (ideal_[g]) {
      // drivers / driven against num / den, as products of whole numbers.
      *sign = CompareProducts(
          static_cast<std::uint64_t>(drivers), static_cast<std::uint64_t>(ideal_[g]->den),
          static_cast<std::uint64_t>(driven), static_cast<std::uint64_t>(ideal_[g]->num));
      return true;
    }
    Fraction lead;
    TrainError error;
    if (!Exact(g, drivers, driven, &lead, &error)) return false;
    *sign = error.exact ? (error.value.num > 0) - (error.value.num < 0)
                        : (error.approx > 0) - (error.approx < 0);
    return true;
  }

  bool Exact(std::size_t g, std::int64_t drivers, std::int64_t driven, Fraction* lead,
             TrainError* error) const {
    return ErrorOf(scale_[g], drivers, driven, target_, lead, error);
  }

 private:
  const std::vector<Fraction>& scale_;
  const Lead& target_;
  std::vector<double> factor_;
  std::vector<std::optional<Fraction>> ideal_;
};

}  // namespace

// Which groups one Run pairs, in which setup: every drivers group with every driven group,
// less the drivers groups holding tooth index `skip` (when not -1). The walk
// takes each group of one side in turn (the outer side: the drivers, or the
// driven groups when by_driven) and looks for its partners on the other.
struct Pairing {
  std::size_t setup = 0;  // into the kind's setups
  std::span<const TrainSearch::Group> drivers, driven;
  int skip = -1;
  bool by_driven = false;
  int must_show = 0;  // when not 0, only rows that show a gear of these teeth
};

// One query: every train kind at every gearbox position, each outer group
// walked outwards from its ideal partner while rows could still enter. Rows
// are judged on a double estimate first, then on the cheap integer facts
// (the set has the gears, the train fits), and only then exactly.
class TrainSearch::Walk {
 public:
  Walk(const TrainSearch& search, const Lead& lead, const SearchOptions& options)
      : search_(search),
        lead_(lead),
        first_driver_(search.profile_.first_driver.value_or(0)),
        arranger_(search.teeth_, search.counts_, search.fit_, options.keep_unfit, first_driver_),
        keyed_(search.profile_, search.teeth_, search.counts_, search.fit_, options.keep_unfit),
        collector_(options.top) {}

  // Takes the rows of `known` that this search shows the same way and that
  // do not use `teeth`.
  void AddKnown(std::span<const TrainRow> known, int teeth) {
    const Arranger shows_any(search_.teeth_, search_.counts_, search_.fit_, true, first_driver_);
    for (const TrainRow& row : known) {
      if (row.gears.size() > 6 ||
          std::find(row.gears.begin(), row.gears.end(), teeth) != row.gears.end())
        continue;
      Candidate c;
      c.kind = row.kind;
      std::copy(row.gears.begin(), row.gears.end(), c.gears.begin());
      c.count = static_cast<int>(row.gears.size());
      c.gearbox = row.gearbox;
      c.lead = row.lead_mm;
      c.error = row.error;
      c.fits = row.fits;
      if (row.kind == TrainKind::kSimple && row.gears.size() == 3) {
        // The larger set may show this train with the new gear as its idler.
        Group drivers, driven;
        drivers.size = first_driver_ ? 0 : 1;
        driven.size = 1;
        drivers.index[0] = first_driver_ ? 0 : IndexOf(row.gears[0]);
        driven.index[0] = IndexOf(row.gears[2]);
        Candidate here;
        here.kind = TrainKind::kSimple;
        if (drivers.index[0] >= 0 && driven.index[0] >= 0 &&
            shows_any.Arrange(drivers, driven, &here) && here.gears[1] == teeth)
          continue;
      }
      collector_.Offer(c);
    }
  }

  // Offers the rows of `kind` that `pairing` makes. False on overflow.
  bool Run(TrainKind kind, const Pairing& pairing) {
    if (pairing.drivers.empty() || pairing.driven.empty() || NoneCanEnter(kind)) return true;
    kind_ = kind;
    pairing_ = pairing;
    setups_ = &search_.setups_[KindIndex(kind)];
    evaluator_.emplace(search_.scale_[KindIndex(kind)][pairing.setup], lead_);
    inner_ = pairing.by_driven ? pairing.drivers : pairing.driven;
    const std::span<const Group> outer = pairing.by_driven ? pairing.driven : pairing.drivers;
    where_.clear();
    const std::size_t positions = search_.scale_[KindIndex(kind)][pairing.setup].size();
    splits_.assign(positions, 0);
    // Only the loose setup is pruned by fit and ties: a keyed row may be shown
    // in another setup's arrangement.
    const bool loose = pairing.setup == 0;
    const bool may_not_fit = loose && arranger_.Filters(kind);
    for (const Group& o : outer) {
      if (!pairing.by_driven &&
          ((pairing.skip >= 0 && Holds(o, pairing.skip)) ||
           (may_not_fit && !arranger_.MayFit(kind, o)) || (loose && LosesEveryTie(o))))
        continue;
      listed_ = false;
      misses_ = 0;
      for (std::size_t g = 0; g < positions && !(listed_ && list_.empty()); ++g) {
        int split;
        if (!Split(o, g, &split) || !Side(o, g, split, 1) || !Side(o, g, split - 1, -1))
          return false;
      }
    }
    return true;
  }

  bool Take(std::vector<TrainRow>* rows) {
    rows->clear();
    for (const Candidate& c : collector_.Take()) {
      TrainRow row;
      row.kind = c.kind;
      row.gears.assign(c.gears.begin(), c.gears.begin() + c.count);
      row.gearbox = c.gearbox;
      row.lead_mm = c.lead;
      row.error = c.error;
      row.fits = c.fits;
      if (!Divide(c.lead, search_.profile_.leadscrew_mm, &row.ratio)) return false;
      rows->push_back(std::move(row));
    }
    return true;
  }

 private:
  enum Step { kNext, kStop, kOverflow };

  // Unusable partners a drivers group meets before its usable ones are
  // listed outright: past this, fits are rare for it and listing is cheaper.
  static constexpr int kMissesBeforeListing = 16;

  int IndexOf(int teeth) const {
    const auto& t = search_.teeth_;
    const auto it = std::lower_bound(t.begin(), t.end(), teeth);
    return it != t.end() && *it == teeth ? static_cast<int>(it - t.begin()) : -1;
  }

  // With the collector full and its last row exactly on the target, a row of
  // a later kind could at best tie with it, and ties go to fewer gears.
  bool NoneCanEnter(TrainKind kind) const {
    if (!collector_.Full()) return false;
    const Candidate& worst = collector_.Worst();
    return IsExactZero(worst.error) && worst.kind < kind;
  }

  // With the collector full and its last row exactly on the target, a row of
  // this kind enters only on a tie won by its gears; the first of them is
  // never below the smallest driver. REQUIRES: `d` a drivers group.
  bool LosesEveryTie(const Group& d) const {
    if (!collector_.Full()) return false;
    const Candidate& worst = collector_.Worst();
    const int a = first_driver_ ? first_driver_ : search_.teeth_[d.index[0]];
    return IsExactZero(worst.error) && worst.kind == kind_ && a > worst.gears[0];
  }

  // -1: a row with this error cannot enter, and neither can any worse one;
  // 0: it can; otherwise the exact error is needed to tell (1).
  int Admits(double estimate) const {
    if (!collector_.Full()) return 0;
    const double worst = static_cast<double>(collector_.Worst().error.approx);
    const double gap = std::fabs(estimate) - std::fabs(worst);
    if (gap > Slack(estimate) + Slack(worst)) return -1;
    if (-gap > Slack(estimate) + Slack(worst)) return 0;
    return 1;
  }

  std::int64_t DriversOf(const Group& o, int j) const {
    return pairing_.by_driven ? inner_[j].product : o.product;
  }
  std::int64_t DrivenOf(const Group& o, int j) const {
    return pairing_.by_driven ? o.product : inner_[j].product;
  }

  // Whether inner_[j] lies at or past the ideal partner of `o`: errors fall
  // along the driven groups and rise along the drivers, and the first
  // partner at or past the ideal only moves right as the outer product
  // grows.
  bool Past(const Group& o, std::size_t g, int j, bool* past) const {
    const std::int64_t p = DriversOf(o, j), q = DrivenOf(o, j);
    const double e = evaluator_->Estimate(g, p, q);
    const int side = pairing_.by_driven ? -1 : 1;
    if (std::fabs(e) > Slack(e)) {
      *past = side * e < 0;
      return true;
    }
    int sign;
    if (!evaluator_->Sign(g, p, q, &sign)) return false;
    *past = side * sign <= 0;
    return true;
  }

  // The first partner past the ideal, galloping from where the previous
  // outer group's was: a few probes near it whether the outer groups are
  // dense (a full walk) or sparse (the groups holding one tooth count).
  bool Split(const Group& o, std::size_t g, int* split) {
    const int n = static_cast<int>(inner_.size());
    int lo = static_cast<int>(splits_[g]);  // every partner before it is short of the ideal
    bool past = true;
    if (lo < n && !Past(o, g, lo, &past)) return false;
    if (lo < n && !past) {
      int hi = lo + 1, step = 1;
      for (;;) {
        if (hi >= n) break;
        if (!Past(o, g, hi, &past)) return false;
        if (past) break;
        lo = hi;
        step *= 2;
        hi = lo + step;
      }
      // The first partner past the ideal is in (lo, hi], or there is none.
      ++lo;
      hi = std::min(hi, n);
      while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (!Past(o, g, mid, &past)) return false;
        if (past)
          hi = mid;
        else
          lo = mid + 1;
      }
    }
    splits_[g] = static_cast<std::size_t>(lo);
    *split = lo;
    return true;
  }

  // Outwards from `start` in direction `dir` while rows could still enter.
  bool Side(const Group& o, std::size_t g, int start, int dir) {
    for (int j = First(start, dir); j >= 0; j = First(j + dir, dir)) {
      const Step step = Visit(o, g, j);
      if (step == kOverflow) return false;
      if (step == kStop) break;
    }
    return true;
  }

  // The first partner at or beyond j in direction dir, or -1.
  int First(int j, int dir) const {
    if (!listed_) return j >= 0 && j < static_cast<int>(inner_.size()) ? j : -1;
    if (dir > 0) {
      const auto it = std::lower_bound(list_.begin(), list_.end(), j);
      return it == list_.end() ? -1 : *it;
    }
    const auto it = std::upper_bound(list_.begin(), list_.end(), j);
    return it == list_.begin() ? -1 : *(it - 1);
  }

  Step Visit(const Group& o, std::size_t g, int j) {
    const Group& drivers = pairing_.by_driven ? inner_[j] : o;
    const Group& driven = pairing_.by_driven ? o : inner_[j];
    const int admits = Admits(evaluator_->Estimate(g, drivers.product, driven.product));
    if (admits < 0) return kStop;
    if (pairing_.by_driven && pairing_.skip >= 0 && Holds(drivers, pairing_.skip)) return kNext;
    Candidate c;
    c.kind = kind_;
    c.gearbox = search_.profile_.gearbox.empty() ? -1 : static_cast<int>(g);
    const bool arranged = pairing_.setup == 0
                              ? arranger_.Arrange(drivers, driven, &c)
                              : keyed_.Arrange(*setups_, pairing_.setup, drivers, driven, &c);
    if (!arranged || (pairing_.must_show != 0 && !Shows(c, pairing_.must_show))) {
      Missed(o);
      return kNext;
    }
    if (admits > 0 && IsExactZero(collector_.Worst().error) && !TieBefore(c, collector_.Worst()))
      return kNext;  // a tie at best, and it would lose it
    if (!evaluator_->Exact(g, drivers.product, driven.product, &c.lead, &c.error)) return kOverflow;
    if (collector_.Full()) {
      const int order = CompareError(c.error, collector_.Worst().error);
      if (order > 0) return kStop;  // and every row further out is worse still
      if (order == 0 && !TieBefore(c, collector_.Worst())) return kNext;
    }
    collector_.Offer(c);
    return kNext;
  }

  // Lists the usable partners of drivers group `d` once it has missed often
  // enough, when listing is cheap: simple trains have few driven gears to
  // try, and a compound train's fitting partners follow from the fit limits.
  void Missed(const Group& d) {
    if (listed_ || pairing_.by_driven || pairing_.setup != 0 || ++misses_ <= kMissesBeforeListing)
      return;
    if (kind_ == TrainKind::kSimple) {
      list_.clear();
      for (int j = 0; j < static_cast<int>(inner_.size()); ++j) {
        Candidate c;
        c.kind = kind_;
        if (arranger_.Arrange(d, inner_[j], &c) &&
            (pairing_.must_show == 0 || Shows(c, pairing_.must_show)))
          list_.push_back(j);
      }
    } else if (kind_ == TrainKind::kCompound && arranger_.Filters(kind_) &&
               pairing_.must_show == 0) {
      if (where_.empty()) {
        const std::size_t n = search_.teeth_.size();
        where_.assign(n * n, -1);
        for (std::size_t j = 0; j < inner_.size(); ++j)
          where_[inner_[j].index[0] * n + inner_[j].index[1]] = static_cast<int>(j);
      }
      arranger_.FittingPartners(d, where_, &list_);
    } else {
      return;
    }
    listed_ = true;
  }

  const TrainSearch& search_;
  const Lead& lead_;
  const int first_driver_;  // 0: none
  const Arranger arranger_;
  const KeyedArranger keyed_;
  Collector collector_;
  // The current Run's figures.
  TrainKind kind_ = TrainKind::kSimple;
  Pairing pairing_;
  const std::vector<Setup>* setups_ = nullptr;  // the kind's
  std::optional<Evaluator> evaluator_;          // the setup's
  std::span<const Group> inner_;
  std::vector<std::size_t> splits_;  // per gearbox position: the last outer group's split
  std::vector<int> where_;           // FittingPartners' index of inner_, built when first needed
  // The current outer group's partners: all of inner_, or once listed_ only list_.
  bool listed_ = false;
  int misses_ = 0;
  std::vector<int> list_;
};

Hand NormalHand(TrainKind kind) { return kind == TrainKind::kSix ? Hand::kLeft : Hand::kRight; }

namespace {

// Whether `options` lets the search offer trains of `kind`.
bool HandAllows(const LatheProfile& profile, const SearchOptions& options, TrainKind kind) {
  return !options.hand || profile.tumbler || NormalHand(kind) == *options.hand;
}

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
  fit_.reset();
  if (profile.geometry && !MakeFitLimits(*profile.geometry, &fit_.emplace())) {
    *error = "the banjo's figures are too large to compute exactly";
    return false;
  }
  std::vector<Fraction> base;
  const std::size_t positions = std::max<std::size_t>(1, profile.gearbox.size());
  for (std::size_t g = 0; g < positions; ++g) {
    const Fraction position = profile.gearbox.empty() ? Whole(1) : profile.gearbox[g].ratio;
    Fraction fixed_position, scale;
    if (!Multiply(profile.fixed_ratio, position, &fixed_position) ||
        !Multiply(fixed_position, profile.leadscrew_mm, &scale)) {
      *error = kTooLarge;
      return false;
    }
    base.push_back(scale);
  }
  bool needed[4] = {false, false, false, false};
  for (const TrainKind kind : kKinds) {
    const int k = KindIndex(kind);
    setups_[k].clear();
    scale_[k].clear();
    if (!profile.trains[k]) continue;
    if (!MakeSetups(profile, kind, &setups_[k])) return *error = kTooLarge, false;
    for (const Setup& setup : setups_[k]) {
      needed[setup.drivers] = needed[setup.driven] = true;
      std::vector<Fraction>& scales = scale_[k].emplace_back();
      for (const Fraction& b : base) {
        if (!Multiply(b, setup.factor, &scales.emplace_back())) return *error = kTooLarge, false;
      }
    }
  }
  for (int size = 0; size < 4; ++size) {
    groups_[size].clear();
    if (needed[size] && size == 0) groups_[0].push_back(Group{});
    if (needed[size] && size > 0) BuildGroups(teeth_, counts_, size, &groups_[size]);
    holding_[size].assign(teeth_.size(), {});
    for (const Group& g : groups_[size]) {
      for (int k = 0; k < g.size; ++k)
        if (k == 0 || g.index[k] != g.index[k - 1]) holding_[size][g.index[k]].push_back(g);
    }
  }
  return true;
}

std::int64_t TrainSearch::WalkSize() const {
  std::int64_t size = 0;
  for (const TrainKind kind : kKinds) {
    const std::vector<Setup>& setups = setups_[KindIndex(kind)];
    for (std::size_t s = 0; s < setups.size(); ++s)
      size += static_cast<std::int64_t>(scale_[KindIndex(kind)][s].size()) *
              static_cast<std::int64_t>(groups_[setups[s].drivers].size());
  }
  return size;
}

bool TrainSearch::Find(const Lead& lead, const SearchOptions& options, std::vector<TrainRow>* rows,
                       std::string* error) const {
  rows->clear();
  if (options.top < 1) return true;
  Walk walk(*this, lead, options);
  for (const TrainKind kind : kKinds) {
    if (!HandAllows(profile_, options, kind)) continue;
    const std::vector<Setup>& setups = setups_[KindIndex(kind)];
    for (std::size_t s = 0; s < setups.size(); ++s) {
      if (!walk.Run(kind, {s, groups_[setups[s].drivers], groups_[setups[s].driven]}))
        return *error = kTooLarge, false;
    }
  }
  if (!walk.Take(rows)) return *error = kTooLarge, false;
  return true;
}

bool TrainSearch::FindUsing(const Lead& lead, int teeth, std::span<const TrainRow> known,
                            const SearchOptions& options, std::vector<TrainRow>* rows,
                            std::string* error) const {
  rows->clear();
  if (options.top < 1) return true;
  Walk walk(*this, lead, options);
  walk.AddKnown(known, teeth);
  const auto at = std::lower_bound(teeth_.begin(), teeth_.end(), teeth);
  if (at != teeth_.end() && *at == teeth) {
    const int t = static_cast<int>(at - teeth_.begin());
    // A simple train may use the gear as its idler: every pair is tried, and
    // there are few. Larger trains use it among their groups: those holding
    // it with every partner, then the others with those holding it. Six-gear
    // groups are many, and walked from the few that hold it. Where the first
    // driver or a keyed gear has its tooth count, every row of the setup
    // shows it, and every row is tried.
    for (const Setup& setup : setups_[KindIndex(TrainKind::kSimple)]) {
      if (!HandAllows(profile_, options, TrainKind::kSimple)) break;
      if (!walk.Run(TrainKind::kSimple,
                    {0, groups_[setup.drivers], groups_[setup.driven], -1, false, teeth}))
        return *error = kTooLarge, false;
    }
    for (const TrainKind kind : {TrainKind::kCompound, TrainKind::kSix}) {
      if (!HandAllows(profile_, options, kind)) continue;
      const std::vector<Setup>& setups = setups_[KindIndex(kind)];
      for (std::size_t s = 0; s < setups.size(); ++s) {
        const Setup& setup = setups[s];
        const std::vector<Group>& drivers = groups_[setup.drivers];
        const std::vector<Group>& driven = groups_[setup.driven];
        bool fixed = profile_.first_driver == teeth;
        for (const auto& [p, q] : setup.keyed) fixed = fixed || p == teeth || q == teeth;
        const bool ok = fixed ? walk.Run(kind, {s, drivers, driven})
                              : walk.Run(kind, {s, holding_[setup.drivers][t], driven}) &&
                                    walk.Run(kind, {s, drivers, holding_[setup.driven][t], t,
                                                    kind == TrainKind::kSix});
        if (!ok) return *error = kTooLarge, false;
      }
    }
  }
  if (!walk.Take(rows)) return *error = kTooLarge, false;
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
