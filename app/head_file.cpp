#include "app/head_file.h"

#include "app/profile_file.h"
#include "divider/head.h"

namespace cog {

Status ReadHeadFile(const std::string& path, std::string* text) {
  return ReadCappedFile(path, "the head file", kMaxHeadBytes, "dividing head", text);
}

}  // namespace cog
