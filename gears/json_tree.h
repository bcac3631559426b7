#pragma once
// A JSON document as a small tree that keeps each number's own text, so that
// 0.8 stays exactly 4/5 when it is read as a fraction and never passes through
// a double. Parsed by nlohmann-json's SAX interface, without exceptions.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cog {

struct JsonNode {
  enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };
  Kind kind = Kind::kNull;
  std::string text;             // a number's text as written, a string's value, "true"/"false"
  std::vector<JsonNode> items;  // kArray
  std::vector<std::pair<std::string, JsonNode>> members;  // kObject, in file order

  // Declared here and defaulted below, where JsonNode is complete: clang with
  // libstdc++ rejects the implicit one on a vector of pairs holding the type.
  JsonNode();
};
inline JsonNode::JsonNode() = default;

inline constexpr int kMaxJsonDepth = 32;

// False with *error ("line L, column C: ...") when `text` is not one JSON
// value, or nests arrays and objects deeper than kMaxJsonDepth.
[[nodiscard]] bool ParseJsonTree(std::string_view text, JsonNode* root, std::string* error);

// "string", "array", ...: for messages.
const char* KindName(JsonNode::Kind kind);

}  // namespace cog
