#include "app/profile_file.h"

#include <filesystem>
#include <fstream>

#include "lathe/profile.h"
#include "numtext/quoted_text.h"

namespace cog {

bool ReadCappedFile(const std::string& path, const char* what, std::size_t cap, const char* machine,
                    std::string* text, std::string* error) {
  const std::string name = std::string(what) + " " + Quoted(path);
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(path, ec);
  if (std::filesystem::is_directory(status)) return *error = name + " is a directory", false;
  // A pipe with no writer would block the open for ever, a device read for
  // ever: only a file that holds its text is read.
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
    return *error = name + " is not a regular file", false;
  std::ifstream file(path, std::ios::binary);
  if (!file) return *error = "cannot read " + name, false;
  std::string read;
  char chunk[16384];
  while (read.size() <= cap && file.read(chunk, sizeof chunk)) read.append(chunk, sizeof chunk);
  if (file.bad()) return *error = "cannot read " + name, false;
  read.append(chunk, static_cast<std::size_t>(file.gcount()));
  if (read.size() > cap)
    return *error = name + " is over " + std::to_string(cap / 1024) + " KiB, far more than any " +
                    machine + " needs",
           false;
  if (read.empty()) return *error = name + " is empty", false;
  *text = std::move(read);
  return true;
}

bool ReadProfileFile(const std::string& path, std::string* text, std::string* error) {
  return ReadCappedFile(path, "the profile", kMaxProfileBytes, "lathe", text, error);
}

}  // namespace cog
