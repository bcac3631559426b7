#pragma once
// Reads the small text files the workshop commands are given (a lathe
// profile, a dividing head): regular files only, and at most a cap and one
// byte more are ever read, so a huge file is refused at once rather than
// loaded.

#include <cstddef>
#include <string>

#include "gears/status.h"

namespace cog {

// The file's text, or a refusal saying what is wrong with the file (missing
// or unreadable, a directory, not a regular file: a pipe, a device; empty,
// over `cap` bytes); it names the file as `what` ("the profile") and its
// path, and says that no `machine` ("lathe") needs so much.
Status ReadCappedFile(const std::string& path, const char* what, std::size_t cap,
                      const char* machine, std::string* text);

// A lathe profile's file, capped at kMaxProfileBytes.
Status ReadProfileFile(const std::string& path, std::string* text);

}  // namespace cog
