#pragma once
// Reads a dividing head's file for divide and helix: at most kMaxHeadBytes
// and one byte more are ever read, so a huge file is refused at once rather
// than loaded; a pipe or a device is not read at all.

#include <string>

#include "gears/status.h"

namespace cog {

// The file's text, or a refusal saying what is wrong with the file (missing
// or unreadable, a directory, not a regular file, empty, too large); it names
// the path.
Status ReadHeadFile(const std::string& path, std::string* text);

}  // namespace cog
