#pragma once

#include <string>

namespace cog {

// What is wrong with one input, in the data's own words: `input` is the
// profile key the value belongs to ("leadscrew", "gears", "fixed_ratio"), and
// `text` says which value is wrong and why. Each shell words it for its user:
// the option on the command line, the form field on the page.
struct InputError {
  std::string input;
  std::string text;
  bool missing = false;  // the value was not given at all
};

}  // namespace cog
