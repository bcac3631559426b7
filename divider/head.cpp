#include "divider/head.h"

#include <algorithm>

#include "gears/fraction_text.h"
#include "gears/gear_set.h"
#include "gears/json_members.h"
#include "gears/json_tree.h"
#include "gears/length_text.h"
#include "numtext/quoted_text.h"

namespace cog {
namespace {

using Kind = JsonNode::Kind;

std::string QuotedKey(std::string_view key) { return Quoted(key); }

class Reader {
 public:
  Reader(DividingHead* head, std::string* error) : head_(head), error_(error) {}

  bool Read(const JsonNode& root) {
    const MemberReader readers[] = {
        {"name", [&](const JsonNode& v) { return Text("name", v, &head_->name); }},
        {"ratio", [&](const JsonNode& v) { return Ratio(v); }},
        {"plates", [&](const JsonNode& v) { return Plates(v); }},
        {"gears", [&](const JsonNode& v) { return Gears(v); }},
        {"differential",
         [&](const JsonNode& v) { return Flag("differential", v, &differential_.emplace()); }},
        {"reverse", [&](const JsonNode& v) { return Flag("reverse", v, &head_->reverse); }},
        {"direct",
         [&](const JsonNode& v) {
           return Circles(QuotedKey("direct"), v, kMaxDirectCircles, &head_->direct);
         }},
        {"table_leadscrew", [&](const JsonNode& v) { return Leadscrew(v); }},
        {"plate_moves",
         [&](const JsonNode& v) { return Flag("plate_moves", v, &head_->plate_moves); }},
        {"dial", [&](const JsonNode& v) { return Dial(v); }},
        {"short_lead",
         [&](const JsonNode& v) { return Flag("short_lead", v, &head_->short_lead); }},
    };
    return ReadMembers(root, "head", readers, error_, &failed_key_) && Combine();
  }

  const std::string& failed_key() const { return failed_key_; }

 private:
  bool Fail(std::string message) {
    *error_ = std::move(message);
    return false;
  }

  bool Text(const std::string& key, const JsonNode& value, std::string* out) {
    return ReadTextValue(QuotedKey(key), value, out, error_);
  }

  bool Ratio(const JsonNode& value) {
    const std::string where = QuotedKey("ratio");
    if (value.kind != Kind::kNumber && value.kind != Kind::kString)
      return Fail(where + " must be a number or a ratio text (40, \"90:1\", \"5/1\"), not " +
                  KindName(value.kind));
    const std::string shown = value.kind == Kind::kString ? Quoted(value.text) : value.text;
    Fraction ratio;
    std::string why;
    const std::size_t colon = value.text.find(':');
    if (colon != std::string::npos) {
      // Tables are labelled "90:1" and "1:90" alike; both mean 90 crank
      // turns per turn, since no head turns its spindle faster than its crank.
      Fraction a, b;
      if (!ReadFraction(Trimmed(value.text.substr(0, colon)), &a, &why) ||
          !ReadFraction(Trimmed(value.text.substr(colon + 1)), &b, &why))
        return Fail(where + ": " + shown + " is not a ratio N:1 or 1:N");
      if (!IsPositive(a) || !IsPositive(b))
        return Fail(where + ": " + shown +
                    (IsPositive(a) ? " divides by zero" : " must be above zero"));
      if (Compare(a, b) < 0) std::swap(a, b);
      if (!cog::Divide(a, b, &ratio))
        return Fail(where + ": " + shown + " is too large or too fine to compute exactly");
    } else {
      if (!ReadRatio(value.text, &ratio, &why)) return Fail(where + ": " + why);
      if (!IsPositive(ratio)) return Fail(where + " must be above zero");
      if (Compare(ratio, Whole(1)) < 0 && ratio.den <= kMaxRatioPart)
        return Fail(where + ": " + shown +
                    " is below 1, and a head turns its crank more than its spindle (write " +
                    RatioText(Fraction{ratio.den, ratio.num}) +
                    " or \"1:" + RatioText(Fraction{ratio.den, ratio.num}) + "\")");
    }
    if (ratio.num > kMaxRatioPart || ratio.den > kMaxRatioPart)
      return Fail(where + ": " + shown + " is beyond any head (at most " +
                  std::to_string(kMaxRatioPart) + " in each part of the ratio)");
    head_->ratio = ratio;
    rated_ = true;
    return true;
  }

  static std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
  }

  // A list of circles' hole counts, each from kMinHoles to kMaxHoles, none twice.
  bool Circles(const std::string& where, const JsonNode& value, int most, std::vector<int>* out) {
    if (value.kind != Kind::kArray || value.items.empty())
      return Fail(where + " must be a non-empty list of hole counts, [15, 16, 17]");
    if (value.items.size() > static_cast<std::size_t>(most))
      return Fail(where + " lists " + std::to_string(value.items.size()) + " circles; at most " +
                  std::to_string(most) + " are allowed");
    out->clear();
    for (std::size_t i = 0; i < value.items.size(); ++i) {
      const JsonNode& item = value.items[i];
      const std::string at = where + "[" + std::to_string(i) + "]";
      int holes = 0;
      if (item.kind != Kind::kNumber || !ReadWhole(item.text, kMinHoles, kMaxHoles, &holes))
        return Fail(at + ": " + ShownValue(item) + " is not a whole number of holes from " +
                    std::to_string(kMinHoles) + " to " + std::to_string(kMaxHoles));
      for (int seen : *out)
        if (seen == holes)
          return Fail(at + ": the circle of " + std::to_string(holes) + " holes is listed twice");
      out->push_back(holes);
    }
    return true;
  }

  bool Plates(const JsonNode& value) {
    const std::string where = QuotedKey("plates");
    if (value.kind != Kind::kArray || value.items.empty())
      return Fail(where + " must be a non-empty list of plates, [[15, 16, 17], [21, 23]]");
    if (value.items.size() > static_cast<std::size_t>(kMaxPlates))
      return Fail(where + " lists " + std::to_string(value.items.size()) + " plates; at most " +
                  std::to_string(kMaxPlates) + " are allowed");
    head_->plates.clear();
    for (std::size_t i = 0; i < value.items.size(); ++i)
      if (!Circles(where + "[" + std::to_string(i) + "]", value.items[i], kMaxCircles,
                   &head_->plates.emplace_back()))
        return false;
    return true;
  }

  // A list of tooth counts, or the text a --gears option takes.
  bool Gears(const JsonNode& value) {
    const std::string where = QuotedKey("gears");
    head_->gears.clear();
    if (value.kind == Kind::kString) {
      std::string why;
      if (!ReadGearList(value.text, &head_->gears, &why)) return Fail(where + ": " + why);
      return true;
    }
    if (value.kind != Kind::kArray)
      return Fail(where +
                  " must be a list of tooth counts or a gear list text (\"24-48/8, 2x56\")");
    if (value.items.empty()) return Fail(where + " lists no gears");
    if (value.items.size() > static_cast<std::size_t>(kMaxGears))
      return Fail(where + " lists " + std::to_string(value.items.size()) + " gears; at most " +
                  std::to_string(kMaxGears) + " are allowed");
    for (std::size_t i = 0; i < value.items.size(); ++i) {
      const JsonNode& item = value.items[i];
      int teeth = 0;
      std::string why;
      if (item.kind != Kind::kNumber || !ReadTeeth(item.text, &teeth, &why))
        return Fail(where + "[" + std::to_string(i) + "]: " + ShownValue(item) + " " + TeethRule());
      head_->gears.push_back(teeth);
    }
    return true;
  }

  bool Flag(const std::string& key, const JsonNode& value, bool* out) {
    return ReadFlagValue(QuotedKey(key), value, out, error_);
  }

  bool Leadscrew(const JsonNode& value) {
    if (!Text("table_leadscrew", value, &head_->table_leadscrew_text)) return false;
    std::string why;
    if (!ReadLength(value.text, true, &head_->table_leadscrew_mm.emplace(), &why))
      return Fail(QuotedKey("table_leadscrew") + ": " + why);
    return true;
  }

  bool Dial(const JsonNode& value) {
    if (value.kind != Kind::kNumber ||
        !ReadWhole(value.text, kMinHoles, kMaxDialGraduations, &head_->dial))
      return Fail(QuotedKey("dial") +
                  " must be the handwheel dial's graduations, a whole number from " +
                  std::to_string(kMinHoles) + " to " + std::to_string(kMaxDialGraduations));
    return true;
  }

  bool Combine() {
    if (!rated_) return failed_key_ = "ratio", Fail(QuotedKey("ratio") + " is not given");
    if (differential_ && *differential_ && head_->gears.empty())
      return failed_key_ = "differential",
             Fail(QuotedKey("differential") +
                  " is true, but the head has no \"gears\" to gear the "
                  "plate to the spindle");
    head_->differential = differential_ ? *differential_ : !head_->gears.empty();
    return true;
  }

  DividingHead* head_;
  std::string* error_;
  std::optional<bool> differential_;
  bool rated_ = false;
  std::string failed_key_;
};

}  // namespace

DividingHead BuiltInHead() {
  DividingHead head;
  head.name = "40:1 head, three plates";
  head.ratio = Whole(40);
  head.plates = {{15, 16, 17, 18, 19, 20}, {21, 23, 27, 29, 31, 33}, {37, 39, 41, 43, 47, 49}};
  head.gears = {24, 24, 28, 32, 40, 44, 48, 56, 64, 72, 86, 100};
  head.differential = true;
  head.table_leadscrew_text = "4tpi";
  head.table_leadscrew_mm = Fraction{127, 20};
  return head;
}

Status ReadHead(std::string_view json_text, DividingHead* out) {
  JsonNode root;
  std::string why;
  if (!ParseFileText(json_text, kMaxHeadBytes, {"the head file", "any dividing head", "head"},
                     &root, &why))
    return Status::Refused("", why);
  DividingHead head;
  Reader reader(&head, &why);
  if (!reader.Read(root)) {
    const std::string key = reader.failed_key();
    // A head whose text is sound but has no ratio yet is being set up.
    const bool no_ratio = key == "ratio" && root.kind == Kind::kObject &&
                          std::none_of(root.members.begin(), root.members.end(),
                                       [](const auto& m) { return m.first == "ratio"; });
    return no_ratio ? Status::Missing(key, why) : Status::Refused(key, why);
  }
  *out = std::move(head);
  return Status::Ok();
}

std::string RatioText(const Fraction& ratio) {
  return ratio.den == 1 ? std::to_string(ratio.num) : FractionText(ratio);
}

}  // namespace cog
