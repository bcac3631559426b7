#include "app/cli_options.h"

#include "gears/gear_set.h"
#include "numtext/quoted_text.h"

namespace cog {

bool ReadWholeOption(const Arguments& args, const std::string& name, int lo, int hi, int* value,
                     std::string* error) {
  if (!args.Has(name)) return true;
  const std::string text = args.Value(name);
  if (ReadWhole(text, lo, hi, value)) return true;
  *error = "--" + name + ": " + Quoted(text) + " " + WholeRule(lo, hi);
  return false;
}

}  // namespace cog
