#pragma once
// Invariant checks for the fuzz targets: a broken invariant aborts, so that
// libFuzzer keeps the input as a crash like any other.

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace cog::fuzz {

inline void Require(bool holds, std::string_view what) {
  if (holds) return;
  std::fputs("broken invariant: ", stderr);
  std::fwrite(what.data(), 1, what.size(), stderr);
  std::fputc('\n', stderr);
  std::abort();
}

}  // namespace cog::fuzz
