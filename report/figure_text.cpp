#include "report/figure_text.h"

#include <algorithm>

#include "gears/fraction_text.h"
#include "lathe/defaults.h"
#include "lathe/row_facts.h"
#include "numtext/quoted_text.h"

namespace cog {

const char* KindName(TrainKind kind) {
  switch (kind) {
    case TrainKind::kSimple:
      return "simple";
    case TrainKind::kCompound:
      return "compound";
    case TrainKind::kSix:
      return "six";
  }
  return "?";
}

const char* GearOrder(TrainKind kind) {
  switch (kind) {
    case TrainKind::kSimple:
      return "A I D";
    case TrainKind::kCompound:
      return "A B C D";
    case TrainKind::kSix:
      return "A B C D E F";
  }
  return "?";
}

std::string FixedFigure(double value, int decimals, bool sign) {
  const std::string text = FixedText(value, decimals);
  const bool shown_zero = text.find_first_not_of("-0.") == std::string::npos;
  return sign && value > 0 && !shown_zero ? "+" + text : text;
}

std::string ErrorPercent(const RowNumbers& n) {
  return n.exact ? "exact" : FixedFigure(n.error * 100, 4, true) + "%";
}

std::string GearList(const std::vector<int>& gears, const char* separator) {
  std::string text;
  for (int g : gears) text += (text.empty() ? "" : separator) + std::to_string(g);
  return text;
}

std::string GearboxName(const LatheProfile& profile, int gearbox) {
  return gearbox < 0 ? "" : profile.gearbox[static_cast<std::size_t>(gearbox)].name;
}

std::string FitsWord(const std::optional<bool>& fits) { return !fits ? "-" : *fits ? "yes" : "NO"; }

std::string HandWord(Hand cuts, bool asked_for) {
  if (asked_for) return HandName(cuts);
  return cuts == Hand::kLeft ? "LEFT" : "RIGHT";
}

const char* HandName(Hand hand) { return hand == Hand::kLeft ? "left" : "right"; }

std::string CsvBool(const std::optional<bool>& value) {
  return !value ? "" : *value ? "true" : "false";
}

std::string CsvCell(const std::string& text) {
  // Control characters are escaped, not quoted: a reader that splits lines
  // before it parses, or a terminal that shows the file, never meets one.
  std::string cell = Printable(text);
  if (!cell.empty() && std::string_view("=+-@").find(cell[0]) != std::string_view::npos)
    cell = "'" + cell;
  if (cell.find_first_of(",\"\n\r") == std::string::npos) return cell;
  std::string quoted = "\"";
  for (char c : cell) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string HtmlText(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string MarkdownCell(const std::string& text) {
  std::string out;
  for (char c : HtmlText(text)) {
    // Brackets, parentheses and ! would make a link or an image of a name.
    if (std::string_view("|\\[]()!").find(c) != std::string_view::npos) out += '\\';
    out += c == '\n' || c == '\r' ? ' ' : c;
  }
  return out;
}

std::string OtherHandNote(const LatheProfile& profile, const Target& target, const TrainRow& row) {
  if (FactsOf(profile, target, row).target_hand) return "";
  return "this train cuts a " + std::string(HandName(NormalHand(row.kind))) +
         "-hand thread here, not the " + HandName(target.hand) +
         "-hand thread asked for: the lathe has no tumbler reverse";
}

namespace {

// "six-gear train, the only kind that cuts left-hand on this lathe": the
// kinds a lathe without a tumbler may use for `hand`.
std::string KindsForHand(const LatheProfile& profile, Hand hand) {
  const LatheProfile usable = ForHand(profile, hand);
  const char* const names[] = {"simple", "compound", "six-gear"};
  std::string kinds;
  int count = 0;
  for (int k = 0; k < 3; ++k)
    if (usable.trains[k]) kinds += (count++ ? " or " : "") + std::string(names[k]);
  return kinds + " train, the only " + (count == 1 ? "kind that cuts " : "kinds that cut ") +
         HandName(hand) + "-hand on this lathe";
}

}  // namespace

std::string NoTrainCause(const LatheProfile& profile, const Target& target, NoTrain none) {
  const std::string tolerance = ShortestText(ToDouble(TolerancePercent(profile, target)));
  switch (none) {
    case NoTrain::kNone:
      break;
    case NoTrain::kTooFewGears: {
      // Without a tumbler the hand narrows the kinds: say which ones the
      // set falls short of.
      const LatheProfile usable = ForHand(profile, target.hand);
      if (std::equal(std::begin(usable.trains), std::end(usable.trains),
                     std::begin(profile.trains)))
        return "the set has too few gears for the kinds of train the profile allows";
      const std::size_t n = profile.gears.size();
      return std::to_string(n) + (n == 1 ? " gear makes" : " gears make") + " no " +
             KindsForHand(profile, target.hand);
    }
    case NoTrain::kWrongHand:
      return "without a tumbler, the kinds of train the profile allows all cut the other hand "
             "(six-gear trains cut the other hand from simple and compound ones)";
    case NoTrain::kBeyondTolerance:
      return "none within " + tolerance + " %";
    case NoTrain::kNoneFits:
      return "none within " + tolerance + " % fits on the banjo";
  }
  return "";
}

std::string NoTrainText(const LatheProfile& profile, const Target& target,
                        const ThreadAnswer& answer, bool* more) {
  *more = answer.none == NoTrain::kBeyondTolerance || answer.none == NoTrain::kNoneFits ||
          answer.none == NoTrain::kWrongHand;
  const std::string cause = NoTrainCause(profile, target, answer.none);
  switch (answer.none) {
    case NoTrain::kNone:
      break;
    case NoTrain::kTooFewGears:
    case NoTrain::kWrongHand:
      return "No train: " + cause;
    case NoTrain::kBeyondTolerance: {
      // "No train within 1 %": the chart's "none within 1 %" as a sentence.
      const RowNumbers n = NumbersOf(answer.nearest, target.lead, kDriftLengthMm);
      return "No train" + cause.substr(4) + " (the nearest is " + ErrorPercent(n) + " off)";
    }
    case NoTrain::kNoneFits:
      return "No train of this set" + cause.substr(4);
  }
  return "";
}

}  // namespace cog
