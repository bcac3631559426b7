#pragma once
// Reading a JSON object's members, each by the reader of its key: the one loop
// behind every file the workshop reads (the lathe profile, the dividing head),
// so that each refuses an unknown key, a key given twice, a value that is not
// an object, and a text, flag or number it cannot take, in the same words and
// with the same caps.

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "gears/json_tree.h"

namespace cog {

// A key the object may hold, and what reads its value: false after setting the
// reader's own message.
struct MemberReader {
  const char* key;
  std::function<bool(const JsonNode& value)> read;
};

// Reads `object`'s members in file order, each by the reader of its key. False
// with *error when `object` is not an object ("the WHAT must be a JSON object,
// not array"), when a key is given twice ("\"gears\" is given twice"), or
// names no reader ("unknown key \"x\" (known: a, b, c)", the readers' keys in
// their order), and with *failed_key that key in the last case, or when its
// reader refused its value (the reader's message stands then).
bool ReadMembers(const JsonNode& object, std::string_view what,
                 std::span<const MemberReader> readers, std::string* error,
                 std::string* failed_key);

// Names and texts a file gives (a machine's name, a gearbox position's, a
// lead screw's) are printed on every row and in every chart; no real one
// comes near this.
inline constexpr std::size_t kMaxNameBytes = 200;

// A value as a message shows it: a number as written, cut to an excerpt
// (Excerpt) when it is long, anything else by its kind ("an array").
std::string ShownValue(const JsonNode& value);

// The text of a string value of at most kMaxNameBytes. False with *error,
// which starts with `where` ("\"name\""), when it is another kind or longer.
bool ReadTextValue(std::string_view where, const JsonNode& value, std::string* out,
                   std::string* error);

// true or false; any other kind is refused with *error starting with `where`.
bool ReadFlagValue(std::string_view where, const JsonNode& value, bool* out, std::string* error);

// How a file's refusals name it: "the head file" is over 64 KiB, far more
// than "any dividing head" needs; not a JSON "head".
struct FileWords {
  const char* file;
  const char* need;
  const char* what;
};

// A file's whole text as one JSON document. False with *error when the text
// is over max_bytes (checked before anything is parsed), holds a NUL byte
// (it is not a text file), or is not JSON.
bool ParseFileText(std::string_view text, std::size_t max_bytes, const FileWords& words,
                   JsonNode* root, std::string* error);

}  // namespace cog
