#include "app/profile_file.h"

#include <filesystem>
#include <fstream>

#include "lathe/profile.h"
#include "numtext/quoted_text.h"

namespace cog {

Status ReadCappedFile(const std::string& path, const char* what, std::size_t cap,
                      const char* machine, std::string* text) {
  const std::string name = std::string(what) + " " + Quoted(path);
  const auto refused = [&](const std::string& why) { return Status::Refused(what, why); };
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(path, ec);
  if (std::filesystem::is_directory(status)) return refused(name + " is a directory");
  // A pipe with no writer would block the open for ever, a device read for
  // ever: only a file that holds its text is read.
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
    return refused(name + " is not a regular file");
  std::ifstream file(path, std::ios::binary);
  if (!file) return refused("cannot read " + name);
  std::string read;
  char chunk[16384];
  while (read.size() <= cap && file.read(chunk, sizeof chunk)) read.append(chunk, sizeof chunk);
  if (file.bad()) return refused("cannot read " + name);
  read.append(chunk, static_cast<std::size_t>(file.gcount()));
  if (read.size() > cap)
    return refused(name + " is over " + std::to_string(cap / 1024) + " KiB, far more than any " +
                   machine + " needs");
  if (read.empty()) return refused(name + " is empty");
  *text = std::move(read);
  return Status::Ok();
}

Status ReadProfileFile(const std::string& path, std::string* text) {
  return ReadCappedFile(path, "the profile", kMaxProfileBytes, "lathe", text);
}

}  // namespace cog
