#include "gears/json_tree.h"

#include <nlohmann/json.hpp>

#include "numtext/quoted_text.h"

namespace cog {
namespace {

using json = nlohmann::json;

// "line L, column C" of byte offset `position` (1-based, columns in bytes).
std::string Where(std::string_view text, std::size_t position) {
  std::size_t line = 1, column = 1;
  for (std::size_t i = 0; i < position && i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// nlohmann's message without its "[json.exception.KIND.N] " tag and any
// "parse error at ...: " lead: the position is given separately.
std::string Reason(const std::string& what) {
  std::string reason = what;
  if (reason.rfind("[json.exception.", 0) == 0 && reason.find("] ") != std::string::npos)
    reason.erase(0, reason.find("] ") + 2);
  if (reason.rfind("parse error", 0) == 0 && reason.find(": ") != std::string::npos)
    reason.erase(0, reason.find(": ") + 2);
  // The token it quotes ("last read: '...'") is the file's text: cut it short
  // and escape it as every echo of a user's text is.
  const std::size_t open = reason.find('\''), close = reason.rfind('\'');
  if (open != std::string::npos && close > open)
    reason = reason.substr(0, open + 1) + Excerpt(reason.substr(open + 1, close - open - 1)) +
             reason.substr(close);
  return reason;
}

class TreeBuilder final : public nlohmann::json_sax<json> {
 public:
  TreeBuilder(std::string_view text, JsonNode* root, std::string* error)
      : text_(text), root_(root), error_(error) {}

  bool null() override { return Value(JsonNode::Kind::kNull, "null"); }
  bool boolean(bool value) override {
    return Value(JsonNode::Kind::kBool, value ? "true" : "false");
  }
  bool number_integer(number_integer_t value) override {
    return Value(JsonNode::Kind::kNumber, std::to_string(value));
  }
  bool number_unsigned(number_unsigned_t value) override {
    return Value(JsonNode::Kind::kNumber, std::to_string(value));
  }
  bool number_float(number_float_t, const string_t& text) override {
    return Value(JsonNode::Kind::kNumber, text);
  }
  bool string(string_t& value) override { return Value(JsonNode::Kind::kString, value); }
  bool binary(binary_t&) override { return false; }

  bool start_object(std::size_t) override { return Open(JsonNode::Kind::kObject); }
  bool key(string_t& key) override {
    stack_.back()->members.emplace_back(key, JsonNode{});
    return true;
  }
  bool end_object() override { return Close(); }
  bool start_array(std::size_t) override { return Open(JsonNode::Kind::kArray); }
  bool end_array() override { return Close(); }

  bool parse_error(std::size_t position, const std::string&,
                   const nlohmann::detail::exception& ex) override {
    *error_ = Where(text_, position > 0 ? position - 1 : 0) + ": " + Reason(ex.what());
    return false;
  }

 private:
  // Where the next value goes: the root, the next array item, or the member
  // whose key was just read.
  JsonNode* Slot() {
    if (stack_.empty()) return root_;
    JsonNode* parent = stack_.back();
    if (parent->kind == JsonNode::Kind::kArray) return &parent->items.emplace_back();
    return &parent->members.back().second;
  }

  bool Value(JsonNode::Kind kind, std::string text) {
    JsonNode* node = Slot();
    node->kind = kind;
    node->text = std::move(text);
    return true;
  }

  bool Open(JsonNode::Kind kind) {
    if (static_cast<int>(stack_.size()) >= kMaxJsonDepth) {
      *error_ = "nested more than " + std::to_string(kMaxJsonDepth) + " levels deep";
      return false;
    }
    JsonNode* node = Slot();
    node->kind = kind;
    stack_.push_back(node);
    return true;
  }

  bool Close() {
    stack_.pop_back();
    return true;
  }

  std::string_view text_;
  JsonNode* root_;
  std::string* error_;
  // Pointers stay valid: a node's children are only appended to while it is
  // the innermost open node, and nothing above it grows meanwhile.
  std::vector<JsonNode*> stack_;
};

}  // namespace

bool ParseJsonTree(std::string_view text, JsonNode* root, std::string* error) {
  *root = JsonNode{};
  error->clear();
  TreeBuilder builder(text, root, error);
  const bool ok = json::sax_parse(text.begin(), text.end(), &builder);
  if (!ok && error->empty()) *error = "not a JSON value";
  return ok;
}

const char* KindName(JsonNode::Kind kind) {
  switch (kind) {
    case JsonNode::Kind::kNull:
      return "null";
    case JsonNode::Kind::kBool:
      return "true or false";
    case JsonNode::Kind::kNumber:
      return "a number";
    case JsonNode::Kind::kString:
      return "a string";
    case JsonNode::Kind::kArray:
      return "an array";
    case JsonNode::Kind::kObject:
      return "an object";
  }
  return "?";
}

}  // namespace cog
