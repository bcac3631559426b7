#include "gears/json_members.h"

#include "numtext/quoted_text.h"

namespace cog {

bool ReadMembers(const JsonNode& object, std::string_view what,
                 std::span<const MemberReader> readers, std::string* error,
                 std::string* failed_key) {
  if (object.kind != JsonNode::Kind::kObject) {
    *error = "the " + std::string(what) + " must be a JSON object, not " + KindName(object.kind);
    return false;
  }
  for (std::size_t i = 0; i < object.members.size(); ++i) {
    const auto& [key, value] = object.members[i];
    for (std::size_t j = 0; j < i; ++j)
      if (object.members[j].first == key) {
        *error = Quoted(key) + " is given twice";
        return false;
      }
    const MemberReader* reader = nullptr;
    for (const MemberReader& candidate : readers)
      if (key == candidate.key) reader = &candidate;
    if (!reader) {
      std::string known;
      for (const MemberReader& candidate : readers)
        known += (known.empty() ? "" : ", ") + std::string(candidate.key);
      *error = "unknown key " + Quoted(key) + " (known: " + known + ")";
    }
    if (!reader || !reader->read(value)) {
      *failed_key = key;
      return false;
    }
  }
  return true;
}

}  // namespace cog
