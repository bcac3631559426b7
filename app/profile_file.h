#pragma once
// Reads a lathe profile's file for the workshop commands: at most
// kMaxProfileBytes and one byte more are ever read, so a huge file or an
// endless one (/dev/zero) is refused at once rather than loaded.

#include <string>

namespace cog {

// The file's text, or false with *error saying what is wrong with the file
// (missing or unreadable, a directory, empty, too large); it names the path.
bool ReadProfileFile(const std::string& path, std::string* text, std::string* error);

}  // namespace cog
