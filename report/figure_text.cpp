#include "report/figure_text.h"

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

std::string NoTrainText(const LatheProfile& profile, const Target& target,
                        const ThreadAnswer& answer, bool* more) {
  *more = answer.none == NoTrain::kBeyondTolerance || answer.none == NoTrain::kNoneFits ||
          answer.none == NoTrain::kWrongHand;
  const std::string tolerance = ShortestText(ToDouble(TolerancePercent(profile, target)));
  switch (answer.none) {
    case NoTrain::kNone:
      break;
    case NoTrain::kTooFewGears:
      return "No train: the set has too few gears for the kinds of train the profile allows";
    case NoTrain::kWrongHand:
      return "No train: without a tumbler, the kinds of train the profile allows all cut the "
             "other hand (six-gear trains cut the other hand from simple and compound ones)";
    case NoTrain::kBeyondTolerance: {
      const RowNumbers n = NumbersOf(answer.nearest, target.lead, kDriftLengthMm);
      return "No train within " + tolerance + " % (the nearest is " + ErrorPercent(n) + " off)";
    }
    case NoTrain::kNoneFits:
      return "No train of this set within " + tolerance + " % fits on the banjo";
  }
  return "";
}

}  // namespace cog
