#pragma once
// Indexing on a dividing head, exact: the ways to turn the spindle by 1/N of
// a turn, or by an angle, with the head's plates and change gears.
//
// Per division the crank turns T = R/N (R: the head's ratio); for θ degrees,
// T = θ·R/360. The methods, and which ways of each are offered:
//  - direct: a circle of D holes on the spindle's direct plate with N | D;
//    D/N holes. Divisions only.
//  - simple: T = t + h/c, one way per circle that is a multiple of the
//    denominator of T's fractional part (the first plate holding it); T
//    whole: t turns and no circle.
//  - compound: T = t + h1/c1 ± h2/c2 on one plate, t = floor(T), c1 != c2,
//    0 < h1 < c1, 0 < h2 < c2: the crank moves h1 holes in c1, then the plate
//    moves h2 holes in c2 with (+) or against (-) the crank. Only when T is
//    not whole.
//  - differential: simple indexing for an approximate A != N, the plate
//    geared to the spindle so that it turns G = R·(A - N)/A per spindle turn
//    (with the crank when A > N). |G| from the head's gears as driver/driven
//    (1 or 2 of the head's idlers) or as (A·C)/(B·D) (0 or 1 idler): the
//    number of idlers is what turns the plate the right way, since it turns
//    with the crank when the meshes are even (simple: 1 + idlers; compound:
//    2 + idlers), the other way on a head with "reverse". Per A and per kind
//    of train one way: A's crank move with fewest holes, and the train whose
//    gears come first in ascending order. Divisions only, on a head with
//    "differential". For an angle θ the crank's move is any simple move m
//    near T, and the plate turns G = R·(1 - m/T): the ways with the smallest
//    |m - T| first, on a tie the plate turning with the crank (m < T).
//  - handwheel: a head without plates (a rotary table) is turned by its
//    handwheel, read on its dial ("dial" graduations), whole, half or quarter
//    turns when the dial is not given. Ranked as simple indexing.
//
// Which methods are asked: one (`method`), or, unless `all`, the first of
// direct and simple together, differential, compound that has any way: a
// weaker method does not pad the list beside an exact simpler one. A plate
// that cannot move ("plate_moves": false) has no compound ways; while helical
// milling the plate is geared to the table, so only simple ways remain.
//
// No exact way: the nearest simple and compound moves, by the size of their
// error per division, then simple before compound, then fewer holes, the
// smaller circle.
//
// Ranking, best first (what a machinist would choose):
//  1. by method: direct, simple, differential by a simple train,
//     differential by a compound train, compound;
//  2. within direct: fewer holes;
//     within simple: fewer turns and holes (the smallest circle);
//     within differential: A nearest N (the smallest plate motion, the
//     smallest error should a gear slip), on a tie the larger A (the plate
//     turns with the crank, slower); then A's move, fewer holes;
//     within compound: fewest holes in all (h1 + h2), then the smaller
//     circles (c1, then c2), the plate moving with the crank before against,
//     the lower plate number.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "divider/head.h"
#include "gears/fraction.h"
#include "gears/helix_hand.h"
#include "gears/ratio_trains.h"

namespace cog {

inline constexpr int kMaxDivisions = 100000;
// What a question asks when the user does not say.
inline constexpr int kDefaultDivideTop = 5;
inline constexpr int kDefaultHelixTop = 10;
inline constexpr Fraction kDefaultHelixErrorPercent{1, 1};
inline constexpr int kMaxDivideTop = 1000;

enum class Method { kDirect, kSimple, kCompound, kDifferential };

// The crank's move per division (for direct: the spindle's, on the direct
// plate). circle 0: whole turns, no circle; plate 0: no plate number
// (direct, or whole turns).
struct CrankMove {
  std::int64_t turns = 0;
  int holes = 0;
  int circle = 0;
  int plate = 0;
};

struct Way {
  Method method = Method::kSimple;
  CrankMove crank;
  // compound: the plate's own move, in its second circle
  int plate_holes = 0;
  int plate_circle = 0;
  bool plate_with = true;  // with the crank, or against it
  // differential
  int approximate = 0;
  bool compound_train = false;
  std::array<int, 4> gears = {0, 0, 0, 0};  // simple: driver, driven; compound: A B C D
  int idlers = 0;
  bool plate_turns_with = true;
  // differential for an angle: the crank indexes this angle (approximate 0)
  Fraction as_for_deg{0, 1};
  // simple: the crank's circle is the handwheel's dial (or its quarter turns)
  bool dial = false;
};

// A move that is not exact, with what it misses by.
struct NearWay {
  Way way;
  Fraction crank_turns;                 // the move's turns, exactly
  Fraction error_deg;                   // per division: (move - T) · 360 / R, signed
  std::optional<Fraction> closing_deg;  // N times that; none for an angle
};

// What a question asks beside the number or angle.
struct DivideOptions {
  int top = 5;
  std::optional<Method> method;  // only this method
  bool all = false;              // weaker methods too
  bool helical = false;          // the plate geared to the table: simple only
  int nearest = 5;               // nearest ways kept when none is exact
};

// 0 direct, 1 simple, 2 differential by a simple train, 3 differential by a
// compound train, 4 compound: the first key of the ranking.
int RankClass(const Way& way);

// What a query found; `ways` is empty exactly when no exact way exists.
struct DivideAnswer {
  std::optional<int> divisions;
  std::optional<Fraction> degrees;
  Fraction crank_turns;                 // T
  std::vector<Way> ways;                // best first, at most the top asked for
  std::vector<NearWay> nearest;         // only when `ways` is empty; nearest first
  std::optional<Fraction> diameter_mm;  // the work's, to give errors as arcs
};

// A head made ready for many queries (the chart asks a thousand).
class Indexer {
 public:
  // REQUIRES: the head is within the caps ReadHead holds a file to (ratio,
  // plates, circles, holes, gears).
  explicit Indexer(const DividingHead& head);
  const DividingHead& head() const { return head_; }

  // The int overloads ask for no nearest ways (charts ask a thousand).
  // REQUIRES: 1 <= divisions <= kMaxDivisions, top >= 1. False with *error
  // only when a figure leaves the exact range (a head's ratio near its cap).
  bool WaysForDivisions(int divisions, const DivideOptions& options, DivideAnswer* out,
                        std::string* error) const;
  bool WaysForDivisions(int divisions, int top, DivideAnswer* out, std::string* error) const {
    return WaysForDivisions(divisions, DivideOptions{top, {}, false, false, 0}, out, error);
  }
  // REQUIRES: 0 < degrees < 360, top >= 1.
  bool WaysForAngle(const Fraction& degrees, const DivideOptions& options, DivideAnswer* out,
                    std::string* error) const;
  bool WaysForAngle(const Fraction& degrees, int top, DivideAnswer* out, std::string* error) const {
    return WaysForAngle(degrees, DivideOptions{top, {}, false, false, 0}, out, error);
  }

  // The simple move for T with the fewest holes, or none when no circle
  // fits (whole T: t turns, no circle).
  std::optional<CrankMove> SimpleMove(const Fraction& turns) const;

  // How many approximate numbers the differential search may try for N
  // divisions at most: it walks outward from N and stops on each side at the
  // first A whose plate turn no train of the head's gears reaches, whatever
  // it finds before. 0 without differential indexing.
  std::int64_t DifferentialReach(int divisions) const;
  // How many plate moves the differential search for an angle may try at
  // most: every move on each circle (and whole turns) whose gap to the
  // angle's turns a train of the head's gears could still bridge.
  std::int64_t AngleDifferentialReach(const Fraction& degrees) const;
  // How many moves the nearest ways' search tries when none is exact: every
  // hole of every circle against each other circle of its plate, when
  // compound indexing is asked.
  std::int64_t NearestReach(const DivideOptions& options) const;

 private:
  struct Circle {
    int holes;
    int plate;  // from 1; 0: the handwheel's dial
  };
  bool Ways(const Fraction& turns, const DivideAnswer& question, const DivideOptions& options,
            std::vector<Way>* out) const;
  void Direct(const DivideAnswer& question, std::vector<Way>* out) const;
  void Simple(const Fraction& turns, std::vector<Way>* out) const;
  void Compound(const Fraction& turns, int top, std::vector<Way>* out) const;
  bool Differential(int divisions, int top, std::vector<Way>* out) const;
  bool AngleDifferential(const Fraction& turns, int top, std::vector<Way>* out) const;
  // The train for a plate turn |G| (with: the plate turns with the crank):
  // false when the head's gears have none of that kind.
  bool Gear(const Fraction& g, bool with, bool compound, Way* way) const;
  bool Nearest(const Fraction& turns, const DivideAnswer& question, const DivideOptions& options,
               std::vector<NearWay>* out) const;
  bool Uses(const DivideOptions& options, Method method) const;

  DividingHead head_;
  std::vector<Circle> circles_;  // distinct hole counts, ascending, first plate holding each
  GearCounts gears_;
  // Every approximate number with a simple move, ascending (differential).
  std::vector<std::pair<std::int64_t, CrankMove>> approximates_;
  Fraction lowest_, highest_;  // the range of |G| the gears could give
};

// Helical milling: the table's lead screw (pitch p) drives the head through
// the change gears, so the lead cut is R·p / (drivers/driven).
struct HelixTrain {
  int size = 2;  // 2: driver, driven; 4: A B C D as in differential indexing
  std::array<int, 4> gears = {0, 0, 0, 0};
  Fraction ratio;
  Fraction lead_mm;
  Fraction error;  // lead cut / lead asked - 1
  bool within = true;
  // Idlers for the hand asked: the spindle turns the right way for a right
  // hand when the meshes (1 or 2, and the idlers) are even, the other way on
  // a head with "reverse". Simple trains 1 or 2, compound 0 or 1.
  int idlers = 1;
};

// A helix as the drawing gives it: a lead, or a helix angle β (from the
// work's axis) at a diameter d, the lead then π·d/tan β.
struct HelixQuestion {
  std::optional<Fraction> lead_mm;
  std::optional<Fraction> angle_deg;  // 0 < β < 90
  std::optional<Fraction> diameter_mm;
  HelixHand hand = HelixHand::kRight;
  bool inches = false;  // the lead or the diameter was given in inches
};

struct HelixAnswer {
  Fraction lead_mm;            // asked, or π·d/tan β to the micrometre
  Fraction machine_lead_mm;    // R·p: the lead of a 1:1 train
  Fraction max_error_percent;  // the tolerance the trains were kept by
  std::vector<HelixTrain> trains;
  HelixHand hand = HelixHand::kRight;
  bool inches = false;
  // β, given or from the lead and the diameter, and the table's swivel (β,
  // counterclockwise seen from above for a right hand, clockwise for a left);
  // none without a diameter.
  std::optional<double> helix_angle_deg;
  std::optional<double> swivel_deg;
};

// The lead of the question: given, or π·d/tan β rounded to 1/10^6 mm.
// False with *error when neither can be had or they are too large.
bool HelixLead(const HelixQuestion& question, Fraction* lead_mm, std::string* error);

// The trains for a question's lead, with its hand, angle and swivel.
bool HelixFor(const DividingHead& head, const HelixQuestion& question,
              const Fraction& max_error_percent, int top, bool keep_all, HelixAnswer* out,
              std::string* error, std::string* input = nullptr);

// The best trains of the head's gears for a lead, by |error| of the lead,
// then fewer gears, then ascending gears; at most `top`. Trains beyond
// max_error_percent are left out unless keep_all (then marked !within).
// False with *error when the head has no gears or no table lead screw
// (naming the head file's key), or a figure leaves the exact range; *input
// (if given) says whose fault it is: "head", "lead" or "max_error".
bool HelixTrains(const DividingHead& head, const Fraction& lead_mm,
                 const Fraction& max_error_percent, int top, bool keep_all, HelixAnswer* out,
                 std::string* error, std::string* input = nullptr);

}  // namespace cog
