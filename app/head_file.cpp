#include "app/head_file.h"

#include "app/profile_file.h"
#include "divider/head.h"

namespace cog {

bool ReadHeadFile(const std::string& path, std::string* text, std::string* error) {
  return ReadCappedFile(path, "the head file", kMaxHeadBytes, "dividing head", text, error);
}

}  // namespace cog
