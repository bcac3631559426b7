#include "app/head_file.h"

#include <filesystem>
#include <fstream>

#include "divider/head.h"
#include "numtext/quoted_text.h"

namespace cog {

bool ReadHeadFile(const std::string& path, std::string* text, std::string* error) {
  const std::string name = "the head file " + Quoted(path);
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return *error = name + " is a directory", false;
  std::ifstream file(path, std::ios::binary);
  if (!file) return *error = "cannot read " + name, false;
  std::string read;
  char chunk[16384];
  while (read.size() <= kMaxHeadBytes && file.read(chunk, sizeof chunk))
    read.append(chunk, sizeof chunk);
  if (file.bad()) return *error = "cannot read " + name, false;
  read.append(chunk, static_cast<std::size_t>(file.gcount()));
  if (read.size() > kMaxHeadBytes)
    return *error = name + " is over " + std::to_string(kMaxHeadBytes / 1024) +
                    " KiB, far more than any dividing head needs",
           false;
  if (read.empty()) return *error = name + " is empty", false;
  *text = std::move(read);
  return true;
}

}  // namespace cog
