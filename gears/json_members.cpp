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

std::string ShownValue(const JsonNode& value) {
  return value.kind == JsonNode::Kind::kNumber ? Excerpt(value.text) : KindName(value.kind);
}

bool ReadTextValue(std::string_view where, const JsonNode& value, std::string* out,
                   std::string* error) {
  if (value.kind != JsonNode::Kind::kString) {
    *error = std::string(where) + " must be a string, not " + KindName(value.kind);
    return false;
  }
  if (value.text.size() > kMaxNameBytes) {
    *error = std::string(where) + " is over " + std::to_string(kMaxNameBytes) +
             " bytes; a name is printed on every row";
    return false;
  }
  *out = value.text;
  return true;
}

bool ReadFlagValue(std::string_view where, const JsonNode& value, bool* out, std::string* error) {
  if (value.kind != JsonNode::Kind::kBool) {
    *error = std::string(where) + " must be true or false";
    return false;
  }
  *out = value.text == "true";
  return true;
}

bool ParseFileText(std::string_view text, std::size_t max_bytes, const FileWords& words,
                   JsonNode* root, std::string* error) {
  if (text.size() > max_bytes) {
    *error = std::string(words.file) + " is over " + std::to_string(max_bytes / 1024) +
             " KiB, far more than " + words.need + " needs";
    return false;
  }
  if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
    *error = std::string(words.file) + " holds a NUL byte at offset " + std::to_string(nul) +
             ": it is not a text file";
    return false;
  }
  std::string why;
  if (ParseJsonTree(text, root, &why)) return true;
  *error = "not a JSON " + std::string(words.what) + ": " + why;
  return false;
}

}  // namespace cog
