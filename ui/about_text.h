#pragma once

#include <string>

namespace cog {

// The help text of the About box: 33 lines joined with CR LF.
const std::string& AboutText();

}  // namespace cog
