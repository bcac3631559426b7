#include "app/cli_options.h"

#include "gears/gear_set.h"
#include "numtext/quoted_text.h"

namespace cog {

Status ReadWholeOption(const Arguments& args, const std::string& name, int lo, int hi, int* value) {
  if (!args.Has(name)) return Status::Ok();
  const std::string text = args.Value(name);
  if (ReadWhole(text, lo, hi, value)) return Status::Ok();
  return Status::Refused(name, "--" + name + ": " + Quoted(text) + " " + WholeRule(lo, hi));
}

}  // namespace cog
