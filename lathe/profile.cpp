#include "lathe/profile.h"

#include <algorithm>
#include <set>

#include "gears/fraction_text.h"
#include "gears/gear_set.h"
#include "gears/json_members.h"
#include "gears/json_tree.h"
#include "lathe/target.h"
#include "numtext/quoted_text.h"

namespace cog {
namespace {

using Kind = JsonNode::Kind;

std::string QuotedKey(std::string_view key) { return Quoted(key); }

// The raw pieces of the file, checked one key at a time and combined at the end.
struct Pieces {
  std::optional<Fraction> module, dp, stud_shaft, leadscrew_shaft, centre_distance;
  std::optional<std::pair<Fraction, Fraction>> slot;
};

class Reader {
 public:
  Reader(LatheProfile* profile, std::string* error) : profile_(profile), error_(error) {}

  bool Read(const JsonNode& root) {
    const MemberReader readers[] = {
        {"name", [&](const JsonNode& v) { return Text(QuotedKey("name"), v, &profile_->name); }},
        {"leadscrew", [&](const JsonNode& v) { return Leadscrew(v); }},
        {"fixed_ratio",
         [&](const JsonNode& v) { return Positive("fixed_ratio", v, &profile_->fixed_ratio); }},
        {"gearbox", [&](const JsonNode& v) { return Gearbox(v); }},
        {"gears", [&](const JsonNode& v) { return Gears(v); }},
        {"module",
         [&](const JsonNode& v) { return Positive("module", v, &pieces_.module.emplace()); }},
        {"dp", [&](const JsonNode& v) { return Positive("dp", v, &pieces_.dp.emplace()); }},
        {"stud_shaft_mm",
         [&](const JsonNode& v) {
           return Diameter("stud_shaft_mm", v, &pieces_.stud_shaft.emplace());
         }},
        {"leadscrew_shaft_mm",
         [&](const JsonNode& v) {
           return Diameter("leadscrew_shaft_mm", v, &pieces_.leadscrew_shaft.emplace());
         }},
        {"centre_distance_mm",
         [&](const JsonNode& v) {
           return Positive("centre_distance_mm", v, &pieces_.centre_distance.emplace());
         }},
        {"slot_mm", [&](const JsonNode& v) { return Slot(v); }},
        {"trains", [&](const JsonNode& v) { return Trains(v); }},
        {"tumbler", [&](const JsonNode& v) { return Flag("tumbler", v, &profile_->tumbler); }},
        {"thread_dial", [&](const JsonNode& v) { return Dial(v); }},
        {"keyed", [&](const JsonNode& v) { return Keyed(v); }},
        {"first_driver",
         [&](const JsonNode& v) {
           return Teeth(QuotedKey("first_driver"), v, &profile_->first_driver.emplace());
         }},
        {"max_error_percent",
         [&](const JsonNode& v) {
           return Positive("max_error_percent", v, &profile_->max_error_percent.emplace());
         }},
    };
    return ReadMembers(root, "profile", readers, error_, &failed_key_) && Combine();
  }

  const std::string& failed_key() const { return failed_key_; }

 private:
  bool Fail(std::string message) {
    *error_ = std::move(message);
    return false;
  }

  bool Text(const std::string& where, const JsonNode& value, std::string* out) {
    return ReadTextValue(where, value, out, error_);
  }

  // Every figure is read as the command line reads its options: "a:b" too.
  bool Number(const std::string& where, const JsonNode& value, Fraction* out) {
    if (value.kind != Kind::kNumber && value.kind != Kind::kString)
      return Fail(where + " must be a number or a decimal or fraction text, not " +
                  KindName(value.kind));
    std::string why;
    if (!ReadRatio(value.text, out, &why)) return Fail(where + ": " + why);
    return true;
  }

  bool Positive(const std::string& key, const JsonNode& value, Fraction* out) {
    const std::string where = QuotedKey(key);
    if (!Number(where, value, out)) return false;
    if (!IsPositive(*out)) return Fail(where + " must be above zero");
    return true;
  }

  bool Diameter(const std::string& key, const JsonNode& value, Fraction* out) {
    const std::string where = QuotedKey(key);
    if (!Number(where, value, out)) return false;
    if (out->num < 0) return Fail(where + " must not be negative");
    return true;
  }

  bool Leadscrew(const JsonNode& value) {
    if (!Text(QuotedKey("leadscrew"), value, &profile_->leadscrew_text)) return false;
    std::string why;
    if (!ReadLeadscrew(value.text, &profile_->leadscrew_mm, &why))
      return Fail(QuotedKey("leadscrew") + ": " + why);
    return true;
  }

  bool Gearbox(const JsonNode& value) {
    if (value.kind != Kind::kArray)
      return Fail(QuotedKey("gearbox") + " must be an array of {\"name\", \"ratio\"}");
    if (value.items.size() > static_cast<std::size_t>(kMaxGearboxPositions))
      return Fail(QuotedKey("gearbox") + " has " + std::to_string(value.items.size()) +
                  " positions; at most " + std::to_string(kMaxGearboxPositions) +
                  " are allowed, since each is searched in full");
    for (std::size_t i = 0; i < value.items.size(); ++i) {
      const std::string where = QuotedKey("gearbox") + "[" + std::to_string(i) + "]";
      const JsonNode& item = value.items[i];
      if (item.kind != Kind::kObject) return Fail(where + " must be an object");
      GearboxPosition position;
      bool named = false, rated = false;
      for (const auto& [key, member] : item.members) {
        if (key == "name" && !named) {
          if (!Text(where + ".name", member, &position.name)) return false;
          named = true;
        } else if (key == "ratio" && !rated) {
          if (!Number(where + ".ratio", member, &position.ratio)) return false;
          if (!IsPositive(position.ratio)) return Fail(where + ".ratio must be above zero");
          rated = true;
        } else {
          return Fail(where + ": unknown or repeated key " + QuotedKey(key));
        }
      }
      if (!named || !rated) return Fail(where + " needs both \"name\" and \"ratio\"");
      if (!names_.insert(position.name).second)
        return Fail(where + ": position name " + QuotedKey(position.name) + " is used twice");
      profile_->gearbox.push_back(std::move(position));
    }
    return true;
  }

  bool Gears(const JsonNode& value) {
    // The text --gears takes ("20-80/5, 127, 2x20"), so a set is written once
    // whichever way it is given.
    if (value.kind == Kind::kString) {
      std::vector<int> gears;
      std::string why;
      if (!ReadGearList(value.text, &gears, &why)) return Fail(QuotedKey("gears") + ": " + why);
      profile_->gears = std::move(gears);
      return CheckGearCount(profile_->gears.size(), QuotedKey("gears"));
    }
    if (value.kind != Kind::kArray)
      return Fail(QuotedKey("gears") + " must be an array of tooth counts or a gear list text");
    profile_->gears.clear();
    for (std::size_t i = 0; i < value.items.size(); ++i) {
      const std::string where = QuotedKey("gears") + "[" + std::to_string(i) + "]";
      const JsonNode& item = value.items[i];
      int teeth = 0;
      std::string why;
      if (item.kind != Kind::kNumber || !ReadTeeth(item.text, &teeth, &why))
        return Fail(where + ": " + ShownValue(item) + " " + TeethRule());
      profile_->gears.push_back(teeth);
    }
    return CheckGearCount(profile_->gears.size(), QuotedKey("gears"));
  }

  bool CheckGearCount(std::size_t count, const std::string& where) {
    if (count == 0) return Fail(where + " lists no gears");
    if (count > kMaxGears)
      return Fail(where + " lists " + std::to_string(count) + " gears; at most " +
                  std::to_string(kMaxGears) + " are allowed");
    return true;
  }

  bool Flag(const std::string& key, const JsonNode& value, bool* out) {
    return ReadFlagValue(QuotedKey(key), value, out, error_);
  }

  bool Teeth(const std::string& where, const JsonNode& value, int* out) {
    std::string why;
    if (value.kind != Kind::kNumber || !ReadTeeth(value.text, out, &why))
      return Fail(where + ": " + ShownValue(value) + " " + TeethRule());
    return true;
  }

  bool Dial(const JsonNode& value) {
    const std::string where = QuotedKey("thread_dial");
    if (value.kind != Kind::kObject)
      return Fail(where + " must be {\"teeth\": 16 or [14, 15, 16], \"marks\": 8}");
    ThreadDial dial;
    for (const auto& [key, member] : value.members) {
      if (key == "teeth" && dial.teeth.empty()) {
        const bool list = member.kind == Kind::kArray;
        if (list && member.items.empty()) return Fail(where + ".teeth lists no gears");
        if (list && member.items.size() > kMaxDialGears)
          return Fail(where + ".teeth lists " + std::to_string(member.items.size()) +
                      " gears; at most " + std::to_string(kMaxDialGears) + " are allowed");
        for (std::size_t i = 0; i < (list ? member.items.size() : 1); ++i)
          if (!Teeth(where + ".teeth", list ? member.items[i] : member, &dial.teeth.emplace_back()))
            return false;
      } else if (key == "marks" && dial.marks == 0) {
        int marks = 0;
        if (member.kind != Kind::kNumber || !ReadWhole(member.text, 1, kMaxDialMarks, &marks))
          return Fail(where + ".marks must be a whole number from 1 to " +
                      std::to_string(kMaxDialMarks));
        dial.marks = marks;
      } else {
        return Fail(where + ": unknown or repeated key " + QuotedKey(key));
      }
    }
    if (dial.teeth.empty() || dial.marks == 0)
      return Fail(where + " needs both \"teeth\" and \"marks\"");
    profile_->dial = std::move(dial);
    return true;
  }

  bool Keyed(const JsonNode& value) {
    const std::string where = QuotedKey("keyed");
    if (value.kind != Kind::kArray) return Fail(where + " must be a list of pairs, [[120, 127]]");
    if (value.items.size() > static_cast<std::size_t>(kMaxKeyedPairs))
      return Fail(where + " lists " + std::to_string(value.items.size()) + " pairs; at most " +
                  std::to_string(kMaxKeyedPairs) + " are allowed");
    for (std::size_t i = 0; i < value.items.size(); ++i) {
      const JsonNode& pair = value.items[i];
      const std::string at = where + "[" + std::to_string(i) + "]";
      if (pair.kind != Kind::kArray || pair.items.size() != 2)
        return Fail(at + " must be a pair of tooth counts, [120, 127]");
      std::pair<int, int> teeth;
      if (!Teeth(at, pair.items[0], &teeth.first) || !Teeth(at, pair.items[1], &teeth.second))
        return false;
      profile_->keyed.push_back(teeth);
    }
    return true;
  }

  bool Slot(const JsonNode& value) {
    const std::string where = QuotedKey("slot_mm");
    if (value.kind != Kind::kArray || value.items.size() != 2)
      return Fail(where + " must be [near, far], two distances in mm");
    Fraction near, far;
    if (!Number(where + "[0]", value.items[0], &near) ||
        !Number(where + "[1]", value.items[1], &far))
      return false;
    if (near.num < 0) return Fail(where + "[0] must not be negative");
    if (!IsPositive(far)) return Fail(where + "[1] must be above zero");
    if (Compare(near, far) > 0) return Fail(where + ": the near end is beyond the far end");
    pieces_.slot.emplace(near, far);
    return true;
  }

  bool Trains(const JsonNode& value) {
    const std::string where = QuotedKey("trains");
    if (value.kind != Kind::kArray || value.items.empty())
      return Fail(where + " must be a non-empty array of 2, 4 and 6");
    bool chosen[3] = {false, false, false};
    for (const JsonNode& item : value.items) {
      const std::string& t = item.text;
      if (item.kind != Kind::kNumber || (t != "2" && t != "4" && t != "6"))
        return Fail(where + ": " + ShownValue(item) + " is not a train size (2, 4 or 6)");
      chosen[(t[0] - '2') / 2] = true;
    }
    std::copy(chosen, chosen + 3, profile_->trains);
    return true;
  }

  bool Combine() {
    const std::size_t total = profile_->gears.size() + 2 * profile_->keyed.size();
    if (total > static_cast<std::size_t>(kMaxGears))
      return Fail("\"gears\" and \"keyed\" list " + std::to_string(total) + " gears; at most " +
                  std::to_string(kMaxGears) + " are allowed");
    if (pieces_.module && pieces_.dp) return Fail("give \"module\" or \"dp\", not both");
    profile_->stated_module = pieces_.module;
    profile_->stated_dp = pieces_.dp;
    if (pieces_.dp && !Divide(Fraction{127, 5}, *pieces_.dp, &pieces_.module.emplace()))
      return Fail(QuotedKey("dp") + " is too fine to compute exactly");
    const bool complete = pieces_.module && pieces_.centre_distance;
    const char* lonely = pieces_.slot              ? "slot_mm"
                         : pieces_.stud_shaft      ? "stud_shaft_mm"
                         : pieces_.leadscrew_shaft ? "leadscrew_shaft_mm"
                                                   : nullptr;
    if (lonely && !complete)
      return Fail(QuotedKey(lonely) +
                  " needs both a \"module\" (or \"dp\") and \"centre_distance_mm\"");
    profile_->module_given = pieces_.module.has_value();
    profile_->centre_distance_given = pieces_.centre_distance.has_value();
    if (!complete) return true;
    Geometry& g = profile_->geometry.emplace();
    g.module = *pieces_.module;
    g.centre_distance = *pieces_.centre_distance;
    if (pieces_.stud_shaft) g.stud_shaft = *pieces_.stud_shaft;
    if (pieces_.leadscrew_shaft) g.leadscrew_shaft = *pieces_.leadscrew_shaft;
    g.slot = pieces_.slot;
    return true;
  }

  LatheProfile* profile_;
  std::string* error_;
  Pieces pieces_;
  std::set<std::string> names_;  // of the gearbox positions so far
  std::string failed_key_;       // the key whose value was refused
};

}  // namespace

bool ReadProfile(std::string_view json_text, LatheProfile* out, std::string* error,
                 std::string* key) {
  if (key) key->clear();
  JsonNode root;
  if (!ParseFileText(json_text, kMaxProfileBytes, {"the profile", "any lathe", "profile"}, &root,
                     error))
    return false;
  LatheProfile profile;
  Reader reader(&profile, error);
  if (!reader.Read(root)) {
    if (key) *key = reader.failed_key();
    return false;
  }
  *out = std::move(profile);
  return true;
}

namespace {

// A ratio or a figure above zero given outside the profile, for `key`.
Status PositiveOverride(const std::string& text, const char* key, const char* what, Fraction* out) {
  Fraction value;
  std::string why;
  if (!ReadRatio(text, &value, &why)) return Status::Refused(key, why);
  if (!IsPositive(value)) return Status::Refused(key, std::string(what) + " must be above zero");
  *out = value;
  return Status::Ok();
}

}  // namespace

Status ApplyOverrides(const ProfileOverrides& overrides, LatheProfile* profile) {
  std::string why;
  if (overrides.leadscrew) {
    if (!ReadLeadscrew(*overrides.leadscrew, &profile->leadscrew_mm, &why))
      return Status::Refused("leadscrew", why);
    profile->leadscrew_text = *overrides.leadscrew;
  }
  if (overrides.fixed_ratio) {
    Status status =
        PositiveOverride(*overrides.fixed_ratio, "fixed_ratio", "the ratio", &profile->fixed_ratio);
    if (!status.ok()) return status;
  }
  if (overrides.gears && !ReadGearList(*overrides.gears, &profile->gears, &why))
    return Status::Refused("gears", why);
  if (overrides.max_error_percent)
    return PositiveOverride(*overrides.max_error_percent, "max_error_percent", "the tolerance",
                            &profile->max_error_percent.emplace());
  return Status::Ok();
}

Status CheckComplete(const LatheProfile& profile) {
  if (profile.leadscrew_text.empty()) return Status::Missing("leadscrew", "not given");
  if (profile.gears.empty()) return Status::Missing("gears", "not given");
  return Status::Ok();
}

}  // namespace cog
