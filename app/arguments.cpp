#include "app/arguments.h"

#include "numtext/quoted_text.h"

namespace cog {
namespace {

bool IsOption(const std::string& arg) { return arg.size() > 2 && arg.rfind("--", 0) == 0; }

bool IsHelp(const std::string& arg) { return arg == "--help" || arg == "-h"; }

const OptionForm* FindOption(const CommandForm* form, const std::string& name) {
  if (!form) return nullptr;
  for (const OptionForm& option : form->options)
    if (name == option.name) return &option;
  return nullptr;
}

// Any form's option of that name: before the command is known, its values
// must still be stepped over.
const OptionForm* AnyOption(std::span<const CommandForm> forms, const std::string& name) {
  for (const CommandForm& form : forms)
    if (const OptionForm* option = FindOption(&form, name)) return option;
  return nullptr;
}

const CommandForm* FindCommand(std::span<const CommandForm> forms, const std::string& name) {
  for (const CommandForm& form : forms)
    if (name == form.name) return &form;
  return nullptr;
}

std::string Count(int values) {
  return values == 1 ? "a value" : values == 2 ? "two values" : std::to_string(values) + " values";
}

}  // namespace

std::string Arguments::Value(const std::string& name, const std::string& fallback) const {
  const auto it = options.find(name);
  return it == options.end() || it->second.empty() ? fallback : it->second.front();
}

bool ParseArguments(const std::vector<std::string>& args, std::span<const CommandForm> forms,
                    Arguments* out, std::string* error) {
  *out = Arguments();
  // First the command, stepping over options and their values.
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == kEndOfOptions) {
      if (i + 1 < args.size()) out->command = args[i + 1];
      break;
    }
    if (IsHelp(args[i])) return out->help = true, true;
    if (IsOption(args[i])) {
      if (const OptionForm* option = AnyOption(forms, args[i].substr(2))) i += option->values;
      continue;
    }
    out->command = args[i];
    break;
  }
  if (out->command == "help") return out->help = true, true;
  const CommandForm* form = FindCommand(forms, out->command);
  for (std::size_t i = 0; i < args.size(); ++i)
    if (args[i].size() > kMaxArgumentBytes)
      return *error = "argument " + std::to_string(i + 1) + " " + Quoted(args[i]) + " is over " +
                      std::to_string(kMaxArgumentBytes) + " bytes",
             false;
  bool command_seen = false, options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!options_ended && arg == kEndOfOptions) {
      options_ended = true;
      continue;
    }
    if (!options_ended && IsHelp(arg)) return out->help = true, true;
    if (options_ended || !IsOption(arg)) {
      if (command_seen || arg != out->command) out->positional.push_back(arg);
      command_seen = true;
      continue;
    }
    const std::string name = arg.substr(2);
    const OptionForm* option = FindOption(form, name);
    if (!option) {
      *error =
          form ? out->command + " does not take " + Quoted(arg) : "unknown option " + Quoted(arg);
      return false;
    }
    if (out->Has(name)) return *error = Quoted(arg) + " is given twice", false;
    if (args.size() - 1 - i < static_cast<std::size_t>(option->values))
      return *error = Quoted(arg) + " needs " + Count(option->values), false;
    std::vector<std::string>& values = out->options[name];
    values.assign(args.begin() + static_cast<long>(i) + 1,
                  args.begin() + static_cast<long>(i) + 1 + option->values);
    i += option->values;
  }
  return true;
}

}  // namespace cog
